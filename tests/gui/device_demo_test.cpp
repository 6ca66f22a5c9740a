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

namespace {

// The demo's mice on the rig's bus, a Wren (the default choice) plugged in.
std::shared_ptr<DemoMice> plugDemoWren(testing::DeviceRig& rig) {
    auto mice = std::make_shared<DemoMice>(rig.bus->inner(), rig.clock, testing::resourceBytes("VarnelData"),
                                           testing::resourceBytes("DefaultFW"));
    mice->plug(VirtualMouseOptions{});
    return mice;
}

}  // namespace

class DeviceDemoTest : public QObject {
    Q_OBJECT

private slots:
    void plugUnplugAndChooseTheMouse() {
        testing::DeviceRig rig;
        const auto mice = plugDemoWren(rig);
        DemoControlWindow control(mice, VirtualMouseOptions{}, true);
        const auto choose = [&](const char* box, int index) {
            control.findChild<QComboBox*>(box)->setCurrentIndex(index);
        };
        auto* plug = control.findChild<QPushButton*>("Plug");
        const auto toggle = [&] {
            QTest::mouseClick(plug, Qt::LeftButton);
            rig.tick();
        };
        rig.tick();
        QCOMPARE(rig.state.DeviceChip, OptionalChip(ChipModel::Wren));
        QCOMPARE(plug->text(), QString("Unplug"));

        toggle();
        QCOMPARE(rig.messages, QStringList{rig.noDeviceMessage()});
        choose("Variant", 1);  // Lark
        toggle();
        QVERIFY(rig.messages.last().startsWith(rig.text("Str102") + "\n"));

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

    // Unplug takes the mouse off at once, as at a real port: a write under way stops with its
    // failure message, once, and the next tick finds no mouse.
    void unplugDuringAWriteStopsIt() {
        testing::DeviceRig rig;
        const auto mice = plugDemoWren(rig);
        DemoControlWindow control(mice, VirtualMouseOptions{}, true);
        rig.tick();
        QVERIFY(!rig.state.NoDeviceMode);
        const std::uint64_t reportsBefore = mice->current()->reportCount();

        rig.bus->closeGate();
        rig.click("Btn_Reset_1");
        QTRY_VERIFY(rig.bus->holding());
        QTest::mouseClick(control.findChild<QPushButton*>("Plug"), Qt::LeftButton);
        QVERIFY(!mice->lastPlugged()->online());  // not queued behind the job
        rig.bus->openGate();
        rig.settle();
        QCOMPARE(rig.messages, QStringList{rig.message("Str105")});
        QCOMPARE(mice->lastPlugged()->reportCount(), reportsBefore);  // nothing reached it
        QVERIFY(!rig.busy.isVisible());
        QVERIFY(!rig.child("Disable_All_1")->isVisible());
        rig.tick();
        QCOMPARE(rig.messages.last(), rig.noDeviceMessage());
        QVERIFY(rig.state.NoDeviceMode);
        QCOMPARE(rig.messages.size(), 2);
    }
};

VARNEL_GUI_TEST_MAIN(DeviceDemoTest)
#include "device_demo_test.moc"
