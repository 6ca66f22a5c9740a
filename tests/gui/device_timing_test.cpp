// What users feel of the device worker: the window keeps painting during a full Wren read at the
// demo's 1 ms per report, it paints soon after start (both numbers are printed), and a mouse
// announced as it is plugged in is read after the settle wait, with no DevTimer waking the window.
#include <QtTest>

#include "app/demo_control_window.h"
#include "app/demo_timing.h"
#include "device_rig.h"
#include "gui_test_main.h"
#include "platform/ui/hotplug_notifier.h"

using namespace varnel;

class DeviceTimingTest : public QObject {
    Q_OBJECT

private slots:
    void theWindowPaintsSoonAfterStart() {
        QElapsedTimer since;
        since.start();
        AppState state;
        MainWindow window(state);
        FirstPaint paint(since);
        window.installEventFilter(&paint);
        window.show();
        QTRY_VERIFY_WITH_TIMEOUT(paint.at() >= 0, 10000);
        qInfo("first painted window after %lld ms", static_cast<long long>(paint.at()));
        QVERIFY(paint.at() < 3000);
    }

    void anAnnouncedMouseIsReadAfterTheSettleWait() {
        constexpr int kSettleMs = 300;
        testing::DeviceRig rig{Millis(kSettleMs)};
        // The kernel's announcements of this machine: nothing the test does on its virtual bus.
        auto monitor = HidrawMonitor::open(HidrawMonitor::Source::Kernel);
        QVERIFY2(monitor.ok(), monitor ? "" : monitor.error().message.c_str());
        HotplugNotifier notifier(std::move(monitor).value(), rig.state.DeviceIdTable);
        rig.window->followAnnouncements(&notifier);  // the search at start finds nothing
        rig.settle();
        QCOMPARE(rig.messages, QStringList{rig.noDeviceMessage()});
        rig.addMouse(testing::virtualOptions("wren-rgb-3330"));
        QElapsedTimer since;
        since.start();
        rig.window->deviceAnnounced();
        QTRY_VERIFY_WITH_TIMEOUT(rig.window->model().mouseReady(), 10000);
        rig.settle();
        qInfo("an announced mouse was read %lld ms after its announcement", static_cast<long long>(since.elapsed()));
        QVERIFY(since.elapsed() >= kSettleMs);
        QVERIFY(!rig.window->devTimer()->isActive());
        QCOMPARE(rig.messages.size(), 1);
    }

    void aFullReadNeverStallsTheWindow() {
        testing::DeviceRig rig;
        VirtualMouseOptions slow = testing::virtualOptions("wren-rgb-3330");
        slow.latency = kDemoReportLatency;
        rig.addMouse(slow);
        QSignalSpy progress(&rig.thread->worker(), &DeviceWorker::progress);
        StallProbe probe;
        probe.start();
        rig.window->pollForMouse();
        QTRY_VERIFY_WITH_TIMEOUT(!rig.window->deviceBusy(), 120000);
        probe.stop();
        qInfo("longest event-loop stall during a full Wren read at 1 ms per report: %lld ms",
              static_cast<long long>(probe.longest()));
        QCOMPARE(rig.messages, QStringList{});
        QCOMPARE(progress.last().at(0).toInt(), 4916);
        // Done on the window thread, the read would hold it for 5 s and more.
        QVERIFY(progress.size() > 20);
        QVERIFY(probe.longest() < 500);
    }
};

VARNEL_GUI_TEST_MAIN(DeviceTimingTest)
#include "device_timing_test.moc"
