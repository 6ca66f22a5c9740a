// The macro page on the demo's Wren: a macro edited, renamed and saved reaches the virtual mouse's
// flash, and Export All writes what the mouse holds.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "app/demo_control_window.h"
#include "app/file_dialog.h"
#include "common/file_io.h"
#include "device_rig.h"
#include "gui_test_main.h"
#include "macros/macro_format.h"
#include "wren_flash_map.h"

using namespace varnel;

namespace {

constexpr std::uint64_t kReportsToRead = 2 + 4 + 4916;  // probes, identification, full Wren read

}  // namespace

class MacroPageTest : public QObject {
    Q_OBJECT

private slots:
    void editRenameSaveAndExportAll() {
        testing::DeviceRig rig;
        auto mice = std::make_shared<DemoMice>(rig.bus->inner(), rig.clock, testing::resourceBytes("VarnelData"),
                                               testing::resourceBytes("DefaultFW"));
        rig.errand([&](VirtualBus&) { mice->plug(VirtualMouseOptions{}); });
        rig.tick();
        QCOMPARE(rig.state.DeviceChip, OptionalChip(ChipModel::Wren));
        rig.click("Btn_Macro_1");
        QVERIFY(rig.messages.isEmpty());

        auto* names = rig.child<QListWidget>("LB_MacroName");
        auto* events = rig.child<QListWidget>("LB_macro");
        QCOMPARE(names->count(), 32);
        QCOMPARE(names->item(1)->text(), QString("Double click"));
        names->setCurrentRow(1);
        QCOMPARE(events->count(), 7);
        QCOMPARE(events->currentRow(), 6);

        // 2.01 s in front of the first event, then the default 0.05 s behind it.
        events->setCurrentRow(0);
        rig.click("Btn_Insert");
        auto* delay = rig.child<QLineEdit>("Edt_InsertDelay");
        delay->selectAll();
        QTest::keyClicks(delay, "2.01");
        QTest::keyClick(delay, Qt::Key_Return);
        rig.click("Btn_OK");
        QCOMPARE(events->item(0)->text(), QString("2010 ms"));
        rig.click("Btn_Insert");
        auto* where = rig.child<QComboBox>("CB_Insert");
        where->setCurrentIndex(1);
        emit where->activated(1);
        delay->selectAll();
        QTest::keyClicks(delay, "0");
        QTest::keyClick(delay, Qt::Key_Return);
        QCOMPARE(delay->text(), QString("0.05"));
        rig.click("Btn_OK");
        QCOMPARE(events->count(), 9);
        QCOMPARE(events->currentRow(), 1);
        QCOMPARE(events->item(1)->text(), QString("50 ms"));

        rig.click("Btn_New");
        auto* edit = rig.child<QLineEdit>("Edt_MacroName");
        QVERIFY(edit != nullptr && edit->window()->isVisible());
        QCOMPARE(edit->text(), QString("Double click"));  // selected: typing replaces it
        QTest::keyClicks(edit, "Burst of two clicks");  // 14 characters stay
        QCOMPARE(rig.child<QLabel>("lbl_MacroNameRoom")->text(), rig.text("Str551").replace("%1", "0"));
        rig.click("IB_Confirm");
        QCOMPARE(names->item(1)->text(), QString("Burst of two c"));

        rig.click("Btn_SaveMacro");
        rig.settle();
        QVERIFY(rig.messages.isEmpty());
        QVERIFY(!rig.state.MacrosDirty);
        const Bytes memory = mice->current()->memory();
        const ByteSpan record(memory.data() + kFlashMacroNames + kMacroNameRecordSize, kMacroNameRecordSize);
        QCOMPARE(readMacroName(record), std::string("Burst of two c"));
        const Bytes expected = {0xFE, 0x07, 0xDA, 0xFE, 0x00, 0x32, 0xA1, 0xFE, 0x00, 0x28,
                                0x21, 0xFE, 0x00, 0x50, 0xA1, 0xFE, 0x00, 0x28, 0x21, 0x00};
        QCOMPARE(usedLength(record), std::uint16_t(expected.size()));
        QCOMPARE(Bytes(memory.begin() + kFlashMacroBlocks + kMacroBlockSize,
                       memory.begin() + kFlashMacroBlocks + kMacroBlockSize + expected.size()),
                 expected);

        QTemporaryDir dir;
        QString filter;
        setFileDialogHandler([&](QWidget*, FileDialogKind, const QString& f) {
            filter = f;
            return dir.filePath("all");
        });
        rig.click("Btn_Export");
        setFileDialogHandler({});
        QCOMPARE(filter, rig.text("Str572"));
        auto file = readFileAtMost((dir.path() + "/all.bin").toStdString(), 33792);
        QVERIFY(file.ok());
        Bytes flash(memory.begin() + kFlashMacroNames, memory.begin() + kFlashMacroNames + kMacroNameTableSize);
        flash.insert(flash.end(), memory.begin() + kFlashMacroBlocks, memory.end());
        QCOMPARE(file->bytes, flash);
    }

    void aRefusedSaveShowsOneMessageAndKeepsTheMacrosDirty() {
        testing::DeviceRig rig;
        VirtualMouseOptions failing = testing::virtualOptions("wren-rgb-3330");
        failing.refuseReport = kReportsToRead + 1;  // Save Macro's first erase
        rig.addMouse(failing);
        rig.tick();
        rig.click("Btn_Macro_1");
        rig.click("Btn_SaveMacro");
        rig.settle();
        QCOMPARE(rig.messages, QStringList{rig.text("Str105")});
        QVERIFY(rig.state.MacrosDirty);
    }
};

VARNEL_GUI_TEST_MAIN(MacroPageTest)
#include "macro_page_test.moc"
