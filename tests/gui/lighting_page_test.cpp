// The Breathing Light page on the demo's window and mice: a mode, a colour source, a picked colour
// and the four breathing times set with clicks reach the virtual Wren byte for byte and come back
// when it is plugged in again; a mouse without RGB lighting shows the note and keeps its bytes.
#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include "app/demo_control_window.h"
#include "config/layout.h"
#include "device_rig.h"
#include "editors/ui/colour_picker.h"
#include "gui_test_main.h"
#include "wren_flash_map.h"

using namespace varnel;

namespace {

// ParameterBlock bytes 11, 14..20 and 41 of a Wren's flash.
std::vector<int> lightingBytes(const Bytes& memory) {
    std::vector<int> out{memory[kFlashParameterBlock + param_a::kLedFlags]};
    for (std::size_t at = param_a::kMode1Color; at <= param_a::kBreathFallTime; ++at)
        out.push_back(memory[kFlashParameterBlock + at]);
    out.push_back(memory[kFlashParameterBlock + param_b::kLedMode]);
    return out;
}

}  // namespace

class LightingPageTest : public QObject {
    Q_OBJECT

private slots:
    void lightingReachesTheMouseAndComesBack() {
        testing::DeviceRig rig;
        auto mice = std::make_shared<DemoMice>(rig.bus->inner(), rig.clock, testing::resourceBytes("VarnelData"),
                                               testing::resourceBytes("DefaultFW"));
        const auto plug = [&](const VirtualMouseOptions& options) {
            rig.errand([&](VirtualBus&) { mice->plug(options); });
            rig.tick();
        };
        const auto unplug = [&] {
            rig.errand([&](VirtualBus&) { mice->unplug(); });
            rig.tick();
        };
        const VirtualMouseOptions rgb;  // the demo's first mouse: a Wren RGB 3330
        plug(rgb);
        rig.click("Btn_Breath_1");
        QVERIFY(rig.child("gbPage3")->isVisible());
        QVERIFY(!rig.child("lbl_LightingNote")->isVisible());

        rig.click("lbl_Locked");
        QCOMPARE(rig.pictureOf("Img_Locked"), QString("RdS_E"));
        rig.click("lbl_LEDColMode2");
        rig.click("lbl_LEDColMode1");
        QVERIFY(rig.child<QRadioButton>("rb_LEDColMode1")->isChecked());
        rig.click("lbl_csmode1");
        auto* dialog = rig.window->findChild<QColorDialog*>(kColourDialogName);
        QVERIFY(dialog != nullptr);
        dialog->setCurrentColor(QColor(255, 128, 0));
        dialog->accept();
        QCOMPARE(rig.child<QLineEdit>("Edt_Mode1G")->text(), QString("50"));
        for (const char* segment : {"Img_Off4", "Img_Raise10", "Img_On7", "Img_Fall1"}) rig.click(segment);
        QCOMPARE(rig.pictureOf("Img_On7"), QString("Bar1_E"));
        QCOMPARE(rig.pictureOf("Img_On8"), QString("Bar1_D"));

        rig.click("Btn_Apply_3");
        rig.settle();
        QCOMPARE(rig.messages, QStringList{});
        Bytes memory = mice->lastPlugged()->memory();
        QCOMPARE(lightingBytes(memory), (std::vector<int>{0x20, 100, 50, 0, 75, 23, 150, 0, 3}));
        // The mouse's own copy of ParameterBSection.
        QCOMPARE(int(memory[kFlashExtraBytes + param_b::kLedMode - kWrenLayout.parameterB.offset]), 3);

        unplug();
        plug(rgb);
        QVERIFY(rig.child<QRadioButton>("rb_Locked")->isChecked());
        QCOMPARE(rig.pictureOf("Img_Raise10"), QString("Bar1_E"));
        QCOMPARE(rig.pictureOf("Img_Off5"), QString("Bar1_D"));
        QCOMPARE(rig.child<QLineEdit>("Edt_Mode1G")->text(), QString("50"));
        QVERIFY(rig.child("lbl_csmode1")->isEnabled());

        unplug();
        VirtualMouseOptions color;
        color.model.rgb = false;
        plug(color);
        const std::vector<int> factory = lightingBytes(mice->lastPlugged()->memory());
        rig.click("Btn_Breath_1");
        QVERIFY(rig.child("lbl_LightingNote")->isVisible());
        QCOMPARE(rig.child<QLabel>("lbl_LightingNote")->text(), rig.text("Str030"));
        rig.click("lbl_Close");
        rig.click("Btn_Apply_3");
        rig.settle();
        QCOMPARE(lightingBytes(mice->lastPlugged()->memory()), factory);
        QCOMPARE(rig.messages, QStringList(2, rig.noDeviceMessage()));
    }
};

VARNEL_GUI_TEST_MAIN(LightingPageTest)
#include "lighting_page_test.moc"
