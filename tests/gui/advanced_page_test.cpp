// The Advanced page on the demo's window and mice: DPI stages, a stage colour and the report
// rate set with clicks reach the virtual mouse byte for byte with the right reload command, and
// come back when the mouse is plugged in again.
#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include "app/demo_control_window.h"
#include "config/layout.h"
#include "device/commands.h"
#include "device_rig.h"
#include "editors/ui/colour_picker.h"
#include "gui_test_main.h"
#include "wren_flash_map.h"

using namespace varnel;

namespace {

std::vector<int> bytesAt(const Bytes& memory, std::size_t from, std::size_t n) {
    return std::vector<int>(memory.begin() + static_cast<std::ptrdiff_t>(from),
                            memory.begin() + static_cast<std::ptrdiff_t>(from + n));
}

}  // namespace

class AdvancedPageTest : public QObject {
    Q_OBJECT

private slots:
    void stagesColourAndRateReachTheMouse() {
        testing::DeviceRig rig;
        auto mice = std::make_shared<DemoMice>(rig.bus->inner(), rig.clock, testing::resourceBytes("VarnelData"),
                                               testing::resourceBytes("DefaultFW"));
        const VirtualMouseOptions wren;  // the demo's first mouse: a Wren RGB 3330
        const auto plug = [&] {
            rig.errand([&](VirtualBus&) { mice->plug(wren); });
            rig.tick();
        };
        plug();
        QCOMPARE(rig.state.SensorModel, std::string("3330"));
        rig.click("Btn_Adv_1");
        QVERIFY(rig.child("gbPage2")->isVisible());

        rig.click("lbl_DPI4");
        QVERIFY(!rig.child("Img_DPI4_1")->isEnabled());
        rig.click("Img_DPI1_20");
        QCOMPARE(rig.child<QLabel>("lbl_DPI1Value")->text(), QString("7200"));
        rig.click("Img_DPI2");
        rig.click("Img_DPI4");  // a switched-off stage's box takes no click
        QVERIFY(rig.child<QRadioButton>("rb_DPI2")->isChecked());
        QCOMPARE(rig.pictureOf("Img_DPI4"), QString("CbS_D"));
        rig.click("lbl_Rep2");
        QCOMPARE(rig.pictureOf("Img_Rep2"), QString("RdS_E"));

        rig.click("lbl_cscpi3");
        auto* dialog = rig.window->findChild<QColorDialog*>(kColourDialogName);
        QVERIFY(dialog != nullptr);
        dialog->setCurrentColor(QColor(0, 0, 0));
        dialog->reject();  // cancelled: nothing changes
        QCOMPARE(rig.child<QLineEdit>("Edt_CPI3B")->text(), QString("100"));
        QTRY_VERIFY(rig.window->findChild<QColorDialog*>(kColourDialogName) == nullptr);
        rig.click("lbl_cscpi3");
        dialog = rig.window->findChild<QColorDialog*>(kColourDialogName);
        QVERIFY(dialog != nullptr);
        dialog->setCurrentColor(QColor(255, 128, 254));
        dialog->accept();
        QCOMPARE(rig.child<QLineEdit>("Edt_CPI3G")->text(), QString("50"));

        rig.click("Btn_Apply_2");
        rig.settle();
        QCOMPARE(rig.messages, QStringList{});
        auto mouse = mice->lastPlugged();
        Bytes memory = mouse->memory();
        // Stages 2 and 3 keep the default image's codes, which are no 3330 steps.
        QCOMPARE(bytesAt(memory, kFlashParameterBlock + param_a::kDpiCode, 5), (std::vector<int>{143, 6, 8, 255, 3}));
        QCOMPARE(bytesAt(memory, kFlashParameterBlock + param_a::kStageColor + 6, 3), (std::vector<int>{100, 50, 99}));
        QCOMPARE(bytesAt(memory, kFlashParameterBlock + param_b::kCurrentDpiStage, 2), (std::vector<int>{1, 2}));
        QCOMPARE(bytesAt(memory, kFlashExtraBytes, 2), (std::vector<int>{1, 2}));  // the mouse's own copy
        QCOMPARE(mouse->reloadCount(kCmdReloadAfterRate), 1);
        QCOMPARE(mouse->reloadCount(kCmdReload), 0);
        rig.click("Btn_Apply_2");
        rig.settle();
        QCOMPARE(mouse->reloadCount(kCmdReloadAfterRate), 1);
        QCOMPARE(mouse->reloadCount(kCmdReload), 1);

        rig.errand([&](VirtualBus&) { mice->unplug(); });
        rig.tick();
        plug();
        QCOMPARE(rig.child<QLabel>("lbl_DPI1Value")->text(), QString("7200"));
        QCOMPARE(rig.pictureOf("Img_DPI1_20"), QString("Bar2_E"));
        QVERIFY(!rig.child("Img_DPI4")->isEnabled());
        QVERIFY(rig.child<QRadioButton>("rb_DPI2")->isChecked());
        QVERIFY(rig.child<QRadioButton>("rb_Rep2")->isChecked());
        QCOMPARE(rig.child<QLineEdit>("Edt_CPI3B")->text(), QString("99"));
        QCOMPARE(rig.messages, QStringList{rig.noDeviceMessage()});
    }
};

VARNEL_GUI_TEST_MAIN(AdvancedPageTest)
#include "advanced_page_test.moc"
