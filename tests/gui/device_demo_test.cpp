// The demo's control window: unplugging, choosing another mouse and plugging it in reach the
// window through the worker's bus, and each kind of mouse keeps its memory.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "app/demo_control_window.h"
#include "device_rig.h"
#include "gui_test_main.h"

using namespace varnel;

class DeviceDemoTest : public QObject {
    Q_OBJECT

private slots:
    void plugUnplugAndChooseTheMouse() {
        testing::DeviceRig rig;
        auto mice = std::make_shared<DemoMice>(rig.bus->inner(), rig.clock, testing::resourceBytes("VarnelData"),
                                               testing::resourceBytes("DefaultFW"));
        VirtualMouseOptions wren;
        rig.errand([&](VirtualBus&) { mice->plug(wren); });
        DemoControlWindow control(rig.thread->worker(), mice, wren, true);
        const auto choose = [&](const char* box, int index) {
            control.findChild<QComboBox*>(box)->setCurrentIndex(index);
        };
        auto* plug = control.findChild<QPushButton*>("Plug");
        const auto toggle = [&] {
            QTest::mouseClick(plug, Qt::LeftButton);
            rig.errand([](VirtualBus&) {});  // the plug errand has run
            rig.tick();
        };
        rig.tick();
        QCOMPARE(rig.state.DeviceChip, OptionalChip(ChipModel::Wren));
        QCOMPARE(plug->text(), QString("Unplug"));

        toggle();
        QCOMPARE(rig.messages, QStringList{rig.noDeviceMessage()});
        choose("Variant", 1);  // Lark
        toggle();
        QCOMPARE(rig.messages.last(), rig.text("Str102"));

        toggle();
        choose("Variant", 0);
        choose("Sensor", 0);      // A3050
        choose("Interfaces", 1);  // two
        QCOMPARE(control.chosen().latency, kDemoReportLatency);
        toggle();
        QCOMPARE(rig.state.SensorModel, std::string("A3050"));
        QCOMPARE(rig.state.StepCount, 9);
        QVERIFY(!rig.state.NoDeviceMode);
        // What Apply writes is still there when the same kind of mouse comes back.
        rig.state.EditCopy.setSlot(ButtonMapId::Main, 1, rig.state.EditCopy.slot(ButtonMapId::Main, 2));
        const QString key2 = rig.child<QLabel>("Key2")->text();
        rig.click("Btn_Apply_1");
        rig.settle();
        toggle();
        toggle();
        QVERIFY(!rig.state.NoDeviceMode);
        QCOMPARE(rig.child<QLabel>("Key1")->text(), key2);
        QCOMPARE(rig.messages.size(), 4);  // each unplugging, and the Lark's refusal
    }
};

VARNEL_GUI_TEST_MAIN(DeviceDemoTest)
#include "device_demo_test.moc"
