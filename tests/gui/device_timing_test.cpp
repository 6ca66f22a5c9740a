// What users feel of the device worker: the window keeps painting during a full Wren read at the
// demo's 1 ms per report, and it paints soon after start. Both numbers are printed.
#include <QtTest>

#include "app/demo_control_window.h"
#include "app/demo_timing.h"
#include "device_rig.h"
#include "gui_test_main.h"

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
