// Recording a macro from captured input on the demo's Wren: keys and a right click reach the
// macro's block in the virtual mouse after Stop and Save Macro. In this program's own window
// on any desktop; under an X server also what is typed and clicked outside it.
#include <QComboBox>
#include <QListWidget>
#include <QtTest>
#include <memory>

#include "app/demo_control_window.h"
#include "device_rig.h"
#include "editors/ui/macro_page_view.h"
#include "gui_test_main.h"
#include "macros/macro_format.h"
#include "platform/ui/input_capture_qt.h"
#include "wren_flash_map.h"

using namespace varnel;

namespace {

constexpr int kMacro = 5;  // empty on a new demo mouse
// "1 A", "2 A", "1 RightKey", "2 RightKey" without delays, and the end byte.
const Bytes kRecorded{0x82, 0x04, 0x02, 0x04, 0xA2, 0x22, 0x00};

// The demo's Wren read, the Macro page open with `macro` selected and no delays chosen.
struct RecorderRig {
    explicit RecorderRig(int macro = kMacro)
        : mice(rig.bus->inner(), rig.clock, testing::resourceBytes("VarnelData"), testing::resourceBytes("DefaultFW")),
          macro(macro) {
        rig.errand([&](VirtualBus&) { mice.plug(VirtualMouseOptions{}); });
        rig.tick();
        rig.click("Btn_Macro_1");
        events = rig.child<QListWidget>("LB_macro");
        rig.child<QListWidget>("LB_MacroName")->setCurrentRow(macro);
        rig.click("IB_NoDelay");
    }
    // Save Macro, then the macro's block in the mouse's flash.
    Bytes savedBlock() {
        rig.click("Btn_SaveMacro");
        rig.settle();
        return block();
    }
    Bytes block() {
        const Bytes memory = mice.current()->memory();
        const ByteSpan record(memory.data() + kFlashMacroNames + macro * kMacroNameRecordSize, kMacroNameRecordSize);
        const auto block = memory.begin() + kFlashMacroBlocks + macro * kMacroBlockSize;
        return Bytes(block, block + usedLength(record));
    }

    testing::DeviceRig rig;
    DemoMice mice;
    int macro;
    QListWidget* events = nullptr;
};

}  // namespace

class RecorderCaptureTest : public QObject {
    Q_OBJECT

private slots:
    void inWindowCaptureRecordsKeysAndButtons() {
        RecorderRig r;
        r.rig.window->macroView()->setCapture(std::make_unique<WindowInputCapture>());
        r.rig.click("Btn_Start");
        QCOMPARE(r.rig.child<QWidget>("Btn_Start")->property("text").toString(), r.rig.text("Str401"));
        QVERIFY(r.rig.child<QWidget>("lbl_RecordNote")->isVisible());

        QWindow* w = r.rig.window->windowHandle();
        QTest::keyPress(w, Qt::Key_A);
        QTest::keyRelease(w, Qt::Key_A);
        QTest::mouseClick(w, Qt::RightButton, {}, QPoint(790, 590));
        QCOMPARE(r.events->count(), 4);
        QCOMPARE(r.events->currentRow(), 3);

        r.rig.click("Btn_Start");
        QVERIFY(!r.rig.child<QWidget>("lbl_RecordNote")->isVisible());
        QTest::keyClick(w, Qt::Key_B);
        QCOMPARE(r.events->count(), 4);
        QCOMPARE(r.savedBlock(), kRecorded);
        QVERIFY(r.rig.messages.isEmpty());
    }

    void aJobEndsTheRecordingBeforeItTakesTheState() {
        RecorderRig r;
        r.rig.window->macroView()->setCapture(std::make_unique<WindowInputCapture>());
        r.rig.click("Btn_Start");
        QWindow* w = r.rig.window->windowHandle();
        QTest::keyClick(w, Qt::Key_A);
        r.rig.click("Btn_Apply_1");
        r.rig.settle();
        QCOMPARE(r.rig.child<QWidget>("Btn_Start")->property("text").toString(), r.rig.text("Str400"));
        QTest::keyClick(w, Qt::Key_B);
        QCOMPARE(r.events->count(), 2);
        QCOMPARE(r.block(), (Bytes{0x82, 0x04, 0x02, 0x04, 0x00}));  // written by Apply
    }

    void insertedKeysGoBehindTheSelectedEvent() {
        RecorderRig r(0);  // "Copy": Ctrl and C pressed and released, with delays
        const int before = r.events->count();
        const Bytes stored = r.savedBlock();
        r.rig.window->macroView()->setCapture(std::make_unique<WindowInputCapture>());
        r.events->setCurrentRow(before - 1);
        r.rig.click("Btn_Insert");
        auto* where = r.rig.child<QComboBox>("CB_Insert");
        where->setCurrentIndex(3);
        emit where->activated(3);
        r.rig.click("IB_InsertNoDelay");
        r.rig.click("Btn_InsertStart");
        // The cover over the delay choices leaves Stop to the pointer.
        auto* stop = r.rig.child<QWidget>("Btn_InsertStart");
        QVERIFY(r.rig.child<QWidget>("GB_Dis")->isVisible());
        QCOMPARE(r.rig.window->childAt(stop->mapTo(r.rig.window.get(), stop->rect().center())), stop);

        QWindow* w = r.rig.window->windowHandle();
        QTest::keyClick(w, Qt::Key_B);
        QCOMPARE(r.events->count(), before + 2);
        r.rig.click("Btn_InsertStart");
        r.rig.click("Btn_OK");
        Bytes expected(stored.begin(), stored.end() - 1);
        expected.insert(expected.end(), {0x82, 0x05, 0x02, 0x05, 0x00});
        QCOMPARE(r.savedBlock(), expected);
    }

    void globalCaptureRecordsWhatHappensOutsideTheWindow() {
        if (!testing::onXServer()) QSKIP("needs an X server");
        RecorderRig r;
        r.rig.click("Btn_Start");
        QVERIFY(!r.rig.child<QWidget>("lbl_RecordNote")->isVisible());
        // The pointer outside the window: the key and the click go to the desktop, not to it.
        testing::xdotool({"mousemove", "1020", "760"});
        testing::xdotool({"key", "a"});
        testing::xdotool({"click", "3"});
        QTRY_COMPARE(r.events->count(), 4);
        // A real click on Stop, straight after the move: its press may reach the capture before
        // the window has seen the pointer enter; it is still no part of the macro.
        auto* stop = r.rig.child<QWidget>("Btn_Start");
        const QPoint at = stop->mapToGlobal(stop->rect().center());
        testing::xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
        QTRY_COMPARE(stop->property("text").toString(), r.rig.text("Str400"));
        QCOMPARE(r.events->count(), 4);
        QCOMPARE(r.savedBlock(), kRecorded);
    }
};

VARNEL_GUI_TEST_MAIN(RecorderCaptureTest)
#include "recorder_capture_test.moc"
