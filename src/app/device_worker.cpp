#include "app/device_worker.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace varnel {

namespace {

int clampToInt(std::size_t n) { return static_cast<int>(std::min<std::size_t>(n, INT_MAX)); }

bool searchGoesOn(const PollStep& step) {
    return step.kind != PollStepKind::Idle && step.kind != PollStepKind::Skipped;
}

}  // namespace

DeviceWorker::DeviceWorker(AppState& state, std::unique_ptr<HidBus> bus, std::shared_ptr<Clock> clock,
                           AppModelConfig config, DeviceWorkerOptions options)
    : state_(state),
      bus_(std::move(bus)),
      clock_(std::move(clock)),
      model_(state_, *bus_, *clock_),
      options_(options),
      settleTimer_(new QTimer(this)) {
    qRegisterMetaType<DeviceJobOutcome>();
    model_.adopt(std::move(config));
    settleTimer_->setSingleShot(true);
    connect(settleTimer_, &QTimer::timeout, this, [this] { continueSearch(model_.advance(settleStep_)); });
}

DeviceWorker::~DeviceWorker() = default;

void DeviceWorker::requestPollTick() {
    QMetaObject::invokeMethod(
        this, [this] { pollTick(); }, Qt::QueuedConnection);
}

void DeviceWorker::requestSearch() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            beginJob(DeviceJobKind::Search);
            // The window has waited the settle time: the search goes on past its wait.
            const std::optional<PollStep> step = std::exchange(pendingSearch_, std::nullopt);
            if (step) {
                continueSearch(model_.advance(*step));
            } else {
                finishJob();
            }
        },
        Qt::QueuedConnection);
}

void DeviceWorker::requestReFind() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            beginJob(DeviceJobKind::Search);
            pendingSearch_.reset();  // ReFindDev takes the place of a tick's search
            continueSearch(model_.ReFindDev());
        },
        Qt::QueuedConnection);
}

void DeviceWorker::requestTransfer(TransferJob job) {
    QMetaObject::invokeMethod(
        this, [this, job = std::move(job)] { runTransfer(job); }, Qt::QueuedConnection);
}

void DeviceWorker::requestBusErrand(std::function<void(HidBus&)> errand) {
    QMetaObject::invokeMethod(
        this, [this, errand = std::move(errand)] { errand(*bus_); }, Qt::QueuedConnection);
}

void DeviceWorker::requestAnnouncement() {
    QMetaObject::invokeMethod(
        this, [this] { tick(&AppModel::deviceAnnounced, false); }, Qt::QueuedConnection);
}

void DeviceWorker::pollTick() { tick(&AppModel::pollTick, model_.poller().keepsMouse()); }

void DeviceWorker::tick(PollStep (AppModel::*poll)(), bool forKeptMouse) {
    // A tick counts interfaces only; the search it may start waits for the window's hand-over.
    // During a job (a search waiting to open the mouse) the poller is not to be disturbed.
    if (jobRunning_) {
        emit tickDone(false, false);
        return;
    }
    const PollStep step = (model_.*poll)();
    if (searchGoesOn(step)) pendingSearch_ = step;
    emit tickDone(pendingSearch_.has_value(), forKeptMouse);
}

void DeviceWorker::continueSearch(PollStep step) {
    const ProgressSink sink = [this](std::size_t done, std::size_t total) { reportProgress(done, total); };
    while (searchGoesOn(step)) {
        if (step.kind == PollStepKind::Wait) {
            settleStep_ = step;
            settleTimer_->start(options_.settleWait.value_or(step.wait));
            return;
        }
        step = model_.advance(step, sink);
    }
    outcome_.search = model_.lastSearch();
    finishJob();
}

void DeviceWorker::runTransfer(const TransferJob& job) {
    beginJob(DeviceJobKind::Transfer);
    outcome_.status = job(model_, [this](std::size_t done, std::size_t total) { reportProgress(done, total); });
    finishJob();
}

void DeviceWorker::beginJob(DeviceJobKind kind) {
    outcome_ = DeviceJobOutcome{};
    outcome_.kind = kind;
    outcome_.chipBefore = state_.DeviceChip;
    jobRunning_ = true;
    // The outcome says whether this job showed an image.
    state_.DisplayDue = false;
    sinceProgress_.invalidate();
}

void DeviceWorker::finishJob() {
    outcome_.displayDue = state_.DisplayDue;
    outcome_.channelsOpen = model_.link().hasBothChannels();
    jobRunning_ = false;
    emit jobFinished(outcome_);
}

void DeviceWorker::reportProgress(std::size_t done, std::size_t total) {
    const bool last = done >= total;
    if (!last && sinceProgress_.isValid() && sinceProgress_.elapsed() < options_.progressInterval.count()) return;
    sinceProgress_.start();
    emit progress(clampToInt(done), clampToInt(total));
}

DeviceThread::DeviceThread(AppState& state, std::unique_ptr<HidBus> bus, std::shared_ptr<Clock> clock,
                           AppModelConfig config, DeviceWorkerOptions options)
    : worker_(new DeviceWorker(state, std::move(bus), std::move(clock), std::move(config), options)) {
    thread_.setObjectName("DeviceWorker");
    worker_->moveToThread(&thread_);
    QObject::connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.start();
}

DeviceThread::~DeviceThread() {
    thread_.quit();
    thread_.wait();
}

}  // namespace varnel
