// The main window's device side: the DevTimer tick and the searches it leads to, the action
// buttons, and the busy state around every job the worker runs. Which job runs when is the
// JobScheduler's; which thread owns the AppState when is set out in device_worker.h. Everything
// here runs on the window thread.
#include <optional>
#include <utility>

#include "app/loading_window.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "common/resources.h"
#include "editors/ui/key_combination_dialog.h"
#include "platform/ui/hotplug_notifier.h"

namespace varnel {

namespace {

// The pressed picture is painted for eleven times 10 ms before the action runs, and Confirm
// closes as long after its write.
constexpr int kPressPaintMs = 110;

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

AppModelConfig MainWindow::deviceConfig() const {
    auto images = embeddedDefaultImages();
    return AppModelConfig{images ? std::move(*images) : DefaultImages{}, resourceCopy("DefaultFW"),
                          model_->layout().alternative};
}

void MainWindow::attachDevice(DeviceWorker* worker) {
    if (worker_ != nullptr) disconnect(worker_, nullptr, this, nullptr);
    worker_ = worker;
    if (worker_ == nullptr) return;
    connect(worker_, &DeviceWorker::tickDone, this, &MainWindow::onTickDone);
    connect(worker_, &DeviceWorker::progress, this, &MainWindow::onJobProgress);
    connect(worker_, &DeviceWorker::jobFinished, this, &MainWindow::onJobFinished);
}

void MainWindow::followAnnouncements(HotplugNotifier* notifier) {
    countPolls_ = false;
    announcer_ = notifier;
    connect(notifier, &HotplugNotifier::mouseAnnounced, this, &MainWindow::deviceAnnounced);
    syncFromModel();
    deviceAnnounced();  // a mouse plugged in before the start
}

void MainWindow::stopFollowingAnnouncements() {
    if (announcer_) disconnect(announcer_, nullptr, this, nullptr);
    announcer_ = nullptr;
    countPolls_ = true;
    syncFromModel();
}

void MainWindow::deviceAnnounced() {
    if (worker_ != nullptr) carryOut(scheduler().deviceAnnounced());
}

bool MainWindow::deviceReady() const { return worker_ != nullptr && model_->mouseReady(); }

void MainWindow::updateBusy() {
    model_->navigation().setBusy(scheduler().holdsWindow());
    syncFromModel();
}

// ---- the scheduler's orders ----

void MainWindow::submit(std::function<void()> work, JobScheduler::Turn turn) {
    if (turn == JobScheduler::Turn::InsteadOfSearch) settleTimer_.stop();
    carryOut(jobs_->submit(std::move(work), turn));
}

void MainWindow::requestDone() {
    jobs_->finished();
    carryOut(scheduler().resultShown());
}

void MainWindow::carryOut(JobScheduler::Order order) {
    using Do = JobScheduler::Do;
    if (order.startSettleWait) settleTimer_.start(worker_->settleWait());
    switch (order.what) {
        case Do::Nothing: break;
        case Do::PollTick: worker_->requestPollTick(); break;
        case Do::Announce: worker_->requestAnnouncement(); break;
        case Do::StartSearch:
            beginJob(false);  // the busy window appears when the read reports progress
            worker_->requestSearch();
            break;
        case Do::Run: jobs_->take(order.request)(); break;
        case Do::FindRestartedMouse: findRestartedMouse(); break;
        case Do::Close: close(); break;
    }
    updateBusy();
}

void MainWindow::onTickDone(bool searchPending, bool forKeptMouse) {
    carryOut(scheduler().pollTickDone(searchPending, forKeptMouse));
}

// ---- the action buttons ----

void MainWindow::Btn_Apply_0Click() { actionClick(DeviceAction::Apply); }
void MainWindow::Btn_Confirm_0Click() { actionClick(DeviceAction::Confirm); }
void MainWindow::Btn_Reset_0Click() { actionClick(DeviceAction::Reset); }

void MainWindow::actionClick(DeviceAction action) {
    if (!jobs_->press()) return;
    model_->navigation().pressActionButton(std::string(WindowJobs::buttonName(action)));
    updateBusy();
    QTimer::singleShot(kPressPaintMs, this, [this, action] { submit([this, action] { proceedAction(action); }); });
}

void MainWindow::proceedAction(DeviceAction action) {
    const auto refused = jobs_->refusal(deviceReady());
    if (refused) showMessage(this, qs(*refused));
    if (const auto question = refused ? std::nullopt : jobs_->question(action);
        refused || (question && !askQuestion(this, qs(*question)))) {
        releaseAction();
        return requestDone();
    }
    // The state is this thread's until the hand-over, and so are X11 and the desktop libraries
    // that the pointer settings are written by.
    WindowJobs::ActionStart start = jobs_->startAction(action, deviceConfig().defaultImages);
    if (!start.desktopProblem.empty()) reportProblem(start.desktopProblem);
    if (!start.job) {
        endAction(start.failed);
        return requestDone();
    }
    syncFromModel();
    startTransfer(std::move(start.job));
}

void MainWindow::endAction(const TransferStatus& status) {
    const WindowJobs::ActionEnd end = jobs_->actionEnded(status);
    for (const auto& text : end.messages) showMessage(this, qs(text));
    if (!end.note.empty()) statusNote_->showText(qs(end.note));
    if (!end.closesWindow) {
        if (end.releases) releaseAction();
        return;
    }
    QTimer::singleShot(kPressPaintMs, this, [this] {
        releaseAction();
        close();
    });
}

void MainWindow::releaseAction() { carryOut(jobs_->releaseAction()); }

void MainWindow::Btn_SaveMacroClick() { scheduleJob(jobs_->saveMacroJob()); }

void MainWindow::scheduleJob(WindowJobs::PlannedJob planned) {
    if (worker_ == nullptr) return;
    const JobScheduler::Turn turn = planned.turn;
    submit(
        [this, planned = std::move(planned)]() mutable {
            if (planned.collectsFirst) model_->UIToDataBuf();
            jobs_->expect(std::move(planned.done));
            startTransfer(std::move(planned.job), planned.busyWindowAtOnce);
        },
        turn);
}

void MainWindow::ReFindDev() {
    if (worker_ == nullptr) return;
    submit(
        [this] {
            beginJob(false);
            worker_->requestReFind();
        },
        JobScheduler::Turn::InsteadOfSearch);
}

void MainWindow::startTransfer(TransferJob job, bool showBusyWindow) {
    beginJob(showBusyWindow);
    worker_->requestTransfer(std::move(job));
}

// ---- the busy state around a job ----

void MainWindow::beginJob(bool showBusyWindow) {
    jobs_->jobBegins();
    // The non-modal dialogs (key combination, macro name) must not edit the state meanwhile.
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->isWindow() && w->isVisible() && w->isEnabled()) {
            w->setEnabled(false);
            inertDialogs_.emplace_back(w);
        }
    }
    updateBusy();
    if (busy_ != nullptr) busy_->beginJob(geometry(), showBusyWindow);
}

void MainWindow::onJobProgress(int done, int total) {
    if (busy_ != nullptr && scheduler().jobRunning()) busy_->jobProgress(done, total, geometry());
}

void MainWindow::onJobFinished(const DeviceJobOutcome& outcome) {
    // The busy window hides and the pages unlock before the result's message.
    jobs_->jobEnds(outcome);
    const WindowJobs::Done done = jobs_->finished();
    if (busy_ != nullptr) busy_->endJob();
    for (const auto& w : std::exchange(inertDialogs_, {})) {
        if (w) w->setEnabled(true);
    }
    updateBusy();
    if (done) {
        done(outcome);
    } else if (outcome.kind == DeviceJobKind::Search) {
        showSearchOutcome(outcome);
    } else {
        endAction(outcome.status);
    }
    const JobScheduler::Order next = scheduler().resultShown();
    updateBusy();
    emit deviceJobDone();
    carryOut(next);
}

void MainWindow::showSearchOutcome(const DeviceJobOutcome& outcome) {
    showMessages(jobs_->presentSearch(outcome));
    syncFromModel();
}

void MainWindow::showMessages(const std::vector<Shown>& shown) {
    for (const Shown& s : shown) {
        if (s.before) s.before();
        if (s.closesKeyDialogs) {
            for (auto* dialog : findChildren<KeyCombinationDialog*>()) dialog->close();
        }
        syncFromModel();
        bool offerTaken = false;
        if (s.offer.empty())
            showMessage(this, qs(s.text));
        else
            offerTaken = offerMessage(this, qs(s.text), qs(s.offer));
        if (s.after) s.after();
        if (offerTaken) QMetaObject::invokeMethod(this, &MainWindow::virtualMouseChosen, Qt::QueuedConnection);
    }
}

}  // namespace varnel
