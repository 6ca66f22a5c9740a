#pragma once
// The device worker: one thread that owns the HID bus, the report channels and the application
// model's device side, and runs every device job (poll tick, search with identification and full
// read, Apply, Reset, and whatever later pages add). The window asks with queued calls and hears
// progress and results through queued signals; no device call and no wait runs on its thread.
//
// Who may touch the AppState, and when (the one rule that keeps this free of data races):
//  * Between jobs the window thread owns it: page models, the collect and the display step read
//    and change it.
//  * The window starts a job only with its pages locked (DisableAllPages, the busy flag set,
//    non-modal dialogs disabled), after running the collect step itself. From the queued call that
//    starts the job until the job's finished signal, only the worker touches the state.
//  * The state holds no callback into the window: a DataBufToUI on the worker raises DisplayDue,
//    and the outcome says so. The finished signal hands the state back; the window then runs its
//    display step and shows the result.
//  * A poll tick and bus errands (the demo's plug and unplug) touch the bus, never the state.
// The queued calls and signals order the hand-overs (the event queues synchronise), so neither
// thread ever sees the other's half-made changes.
#include <QElapsedTimer>
#include <QObject>
#include <QThread>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "device/clock.h"
#include "device/discovery.h"
#include "device/hid_bus.h"
#include "shell/window_jobs.h"
#include "transfers/app_model.h"
#include "transfers/app_state.h"

namespace varnel {

struct DeviceWorkerOptions {
    // Replaces the settle wait before a search opens the mouse (tests shorten it). The window
    // waits it before a poll's search, the worker within ReFindDev's.
    std::optional<Millis> settleWait;
    // Progress signals are spaced at least this far apart (the last one always goes out).
    Millis progressInterval{30};
};

class DeviceWorker : public QObject {
    Q_OBJECT
public:
    // `state` outlives the worker. The model adopts the state as the window started it.
    DeviceWorker(AppState& state, std::unique_ptr<HidBus> bus, std::shared_ptr<Clock> clock, AppModelConfig config,
                 DeviceWorkerOptions options = {});
    ~DeviceWorker() override;

    // The settle wait before a search opens the mouse.
    Millis settleWait() const { return options_.settleWait.value_or(kSearchSettleTime); }

    // Queued requests from the window (safe from any thread).
    void requestPollTick();
    // A node with the searched ids came or went: a tick that sees a change, answered by tickDone
    // like a tick (never for the kept mouse: the pointer does not hold an arrival).
    void requestAnnouncement();
    void requestSearch();  // the search the last tick announced, its settle wait over
    void requestReFind();  // ReFindDev: forget the mouse and search, with the settle wait
    void requestTransfer(TransferJob job);
    // An errand on the bus that never touches the state (the demo plugs and unplugs with it).
    void requestBusErrand(std::function<void(HidBus&)> errand);

signals:
    // The poll tick is done; `searchPending` when it saw a stable change and a search waits for
    // the window to hand over the state (requestSearch); `forKeptMouse` when that search is for
    // the accepted mouse, which no longer answered (not for one that may have arrived).
    void tickDone(bool searchPending, bool forKeptMouse);
    void progress(int done, int total);
    void jobFinished(const varnel::DeviceJobOutcome& outcome);

private:
    void pollTick();
    void tick(PollStep (AppModel::*poll)(), bool forKeptMouse);
    void continueSearch(PollStep step);
    void runTransfer(const TransferJob& job);
    void beginJob(DeviceJobKind kind);
    void finishJob();
    void reportProgress(std::size_t done, std::size_t total);

    AppState& state_;
    std::unique_ptr<HidBus> bus_;
    std::shared_ptr<Clock> clock_;
    AppModel model_;
    DeviceWorkerOptions options_;
    std::optional<PollStep> pendingSearch_;
    QTimer* settleTimer_;  // the wait before a search opens the mouse
    PollStep settleStep_;
    bool jobRunning_ = false;
    DeviceJobOutcome outcome_;
    QElapsedTimer sinceProgress_;
};

// Owns the worker's thread: starts it at construction; at destruction lets the running event
// end, stops the thread and deletes the worker there. The window keeps jobs from running then.
class DeviceThread {
public:
    DeviceThread(AppState& state, std::unique_ptr<HidBus> bus, std::shared_ptr<Clock> clock, AppModelConfig config,
                 DeviceWorkerOptions options = {});
    ~DeviceThread();
    DeviceThread(const DeviceThread&) = delete;
    DeviceThread& operator=(const DeviceThread&) = delete;

    DeviceWorker& worker() { return *worker_; }

private:
    QThread thread_;
    DeviceWorker* worker_;  // deleted in its own thread when the thread finishes
};

}  // namespace varnel

Q_DECLARE_METATYPE(varnel::DeviceJobOutcome)
