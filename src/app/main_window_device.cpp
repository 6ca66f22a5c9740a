// The main window's device side: the DevTimer tick and the searches it leads to, the action
// buttons, and the busy state around every job the worker runs. Which job runs when is the
// JobScheduler's; which thread owns the AppState when is set out in device_worker.h. Everything
// here runs on the window thread.
#include <QApplication>
#include <QCloseEvent>
#include <utility>

#include "app/loading_window.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "common/resources.h"
#include "config/variant.h"
#include "editors/ui/key_combination_dialog.h"
#include "transfers/device_read.h"
#include "transfers/device_write.h"

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

bool MainWindow::deviceReady() const {
    // Both channels open and a mouse that identification accepted (a refused one may be of the
    // other variant, whose layout must not be written).
    return worker_ != nullptr && model_->appearance().channelsOpen() && identifiedMouse(state_);
}

void MainWindow::updateBusy() {
    model_->navigation().setBusy(scheduler_.holdsWindow());
    syncFromModel();
}

// ---- the scheduler's orders ----

void MainWindow::submit(std::function<void()> work, JobScheduler::Turn turn) {
    const std::uint64_t id = nextRequest_++;
    requests_.emplace(id, std::move(work));
    if (turn == JobScheduler::Turn::InsteadOfSearch) settleTimer_.stop();
    carryOut(scheduler_.submit(id, turn));
}

void MainWindow::requestDone() {
    scheduler_.finished();
    carryOut(scheduler_.resultShown());
}

void MainWindow::carryOut(JobScheduler::Order order) {
    using Do = JobScheduler::Do;
    if (order.startSettleWait) settleTimer_.start(worker_->settleWait());
    switch (order.what) {
        case Do::Nothing: break;
        case Do::PollTick: worker_->requestPollTick(); break;
        case Do::StartSearch:
            beginJob(false);  // the busy window appears when the read reports progress
            worker_->requestSearch();
            break;
        case Do::Run: {
            auto work = std::move(requests_.at(order.request));
            requests_.erase(order.request);
            work();
            break;
        }
        case Do::FindRestartedMouse: findRestartedMouse(); break;
        case Do::Close: close(); break;
    }
    updateBusy();
}

void MainWindow::onTickDone(bool searchPending, bool forKeptMouse) {
    carryOut(scheduler_.pollTickDone(searchPending, forKeptMouse));
}

// ---- the action buttons ----

void MainWindow::Btn_Apply_0Click() { actionClick(DeviceAction::Apply); }
void MainWindow::Btn_Confirm_0Click() { actionClick(DeviceAction::Confirm); }
void MainWindow::Btn_Reset_0Click() { actionClick(DeviceAction::Reset); }

void MainWindow::actionClick(DeviceAction action) {
    if (scheduler_.pressed() || scheduler_.jobRunning()) return;
    scheduler_.press();
    model_->navigation().pressActionButton(action == DeviceAction::Apply     ? "Apply"
                                           : action == DeviceAction::Confirm ? "Confirm"
                                                                             : "Reset");
    updateBusy();
    QTimer::singleShot(kPressPaintMs, this, [this, action] { submit([this, action] { proceedAction(action); }); });
}

void MainWindow::proceedAction(DeviceAction action) {
    if (!deviceReady()) {
        showMessage(this, qs(model_->message("Str022")));
        finishAction();
        requestDone();
        return;
    }
    // Reset replaces everything, macros included: asked first, as Clear is for one macro.
    if (action == DeviceAction::Reset &&
        !askQuestion(this, qs(model_->text(hasMacros(state_.DeviceChip) ? "Str456" : "Str457")))) {
        finishAction();
        requestDone();
        return;
    }
    runningAction_ = action;
    if (action == DeviceAction::Reset) {
        // The defaults are shown before their write begins, not after it (the state is still
        // this thread's until the hand-over).
        const TransferStatus loaded = LoadDefaultParameter(state_, deviceConfig().defaultImages);
        if (!loaded.ok()) {
            showTransferOutcome(loaded);
            requestDone();
            return;
        }
        model_->RefreshUI();
        syncFromModel();
        startTransfer([](AppModel& m, const ProgressSink& progress) { return m.WriteDefaults(progress); });
        return;
    }
    // The collect step reads the page models: it runs here, before the hand-over. So does the
    // desktop's write: X11 and the desktop libraries belong to this thread, not the worker's. It
    // stands whatever becomes of the mouse's write.
    collect();
    const Status desktop = model_->pointerSettings().applyToDesktop();
    desktopFailureKey_ = desktop ? std::string() : desktop.error().languageKey;
    if (!desktop) reportProblem(desktop.error().message);
    startTransfer([](AppModel& m, const ProgressSink& progress) { return m.Apply(progress); });
}

void MainWindow::collect() { model_->UIToDataBuf(); }

void MainWindow::finishAction() {
    runningAction_.reset();
    model_->navigation().releaseActionButton();
    carryOut(scheduler_.release());
}

void MainWindow::Btn_SaveMacroClick() {
    runDeviceJob([](AppModel& m, const ProgressSink& progress) { return m.SaveMacro(progress); },
                 [this](const DeviceJobOutcome& outcome) {
                     if (const auto message = model_->failureMessage(outcome.status)) showMessage(this, qs(*message));
                 });
}

void MainWindow::runDeviceJob(TransferJob job, std::function<void(const DeviceJobOutcome&)> done) {
    scheduleJob(std::move(job), std::move(done), JobScheduler::Turn::BeforeSearch, true);
}

void MainWindow::scheduleJob(TransferJob job, std::function<void(const DeviceJobOutcome&)> done,
                             JobScheduler::Turn turn, bool busyWindow, std::function<void()> before) {
    if (worker_ == nullptr) return;
    submit(
        [this, job = std::move(job), done = std::move(done), busyWindow, before = std::move(before)]() mutable {
            if (before) before();
            jobDone_ = std::move(done);
            startTransfer(std::move(job), busyWindow);
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
    // The worker owns the state from here: a recording ends first (its stop encodes into DataBuf),
    // and no captured event edits the script while the job runs. A stop that could not keep the
    // recording says so, as Stop would.
    if (const auto refused = model_->macroPage().stopRecording()) showMessage(this, qs(model_->text(*refused)));
    model_->hideAllMenus();
    model_->appearance().disableAllPages();
    // The non-modal dialogs (key combination, macro name) must not edit the state meanwhile.
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->isWindow() && w->isVisible() && w->isEnabled()) {
            w->setEnabled(false);
            inertDialogs_.emplace_back(w);
        }
    }
    updateBusy();
    if (busy_ != nullptr) {
        busy_->setProgress(0, 0);
        busy_->placeOver(geometry());
        if (showBusyWindow) busy_->show();
    }
}

void MainWindow::onJobProgress(int done, int total) {
    if (busy_ == nullptr || !scheduler_.jobRunning()) return;
    busy_->setProgress(done, total);
    if (!busy_->isVisible()) {
        busy_->placeOver(geometry());
        busy_->show();
    }
}

void MainWindow::endJob() {
    if (busy_ != nullptr) {
        busy_->hide();
        busy_->setProgress(0, 0);
    }
    for (const auto& w : inertDialogs_) {
        if (w) w->setEnabled(true);
    }
    inertDialogs_.clear();
    model_->appearance().enableAllPages();
    updateBusy();
}

void MainWindow::onJobFinished(const DeviceJobOutcome& outcome) {
    // The worker has handed the state back: show it, then the job's messages.
    model_->appearance().setChannelsOpen(outcome.channelsOpen);
    if (outcome.displayDue) model_->RefreshUI();
    // The pages unlock before the result's message, as the busy window hides first; no other
    // job starts until the message has closed.
    scheduler_.finished();
    endJob();
    if (auto done = std::exchange(jobDone_, nullptr)) {
        done(outcome);
    } else if (outcome.kind == DeviceJobKind::Search) {
        showSearchOutcome(outcome);
    } else {
        showTransferOutcome(outcome);
    }
    const JobScheduler::Order next = scheduler_.resultShown();
    updateBusy();
    emit deviceJobDone();
    carryOut(next);
}

void MainWindow::showSearchOutcome(const DeviceJobOutcome& outcome) {
    const SearchOutcome& search = outcome.search;
    if (search.found) {
        model_->mouseIdentified();
        if (search.read.code == TransferCode::Refused) {
            syncFromModel();
            showMessage(this, qs(model_->mouseRefused(search.read.error)));
            model_->appearance().refreshErrorAP();
        } else if (outcome.displayDue) {
            // The full read ran (whatever its reports returned, the image is shown).
            if (const auto message = model_->refreshChipPages()) {
                syncFromModel();
                showMessage(this, qs(*message));
            }
        }
        // A mouse that did not answer command 14 changes nothing.
    }
    if (search.removed) {
        model_->deviceRemovedBeforeMessage();
        // A key combination composed for the mouse that left goes nowhere.
        for (auto* dialog : findChildren<KeyCombinationDialog*>()) dialog->close();
        syncFromModel();
        // A mouse we may not open is the one thing the user can fix here: say how, once.
        const QString text =
            search.permissionDenied.empty() ? qs(model_->noDeviceMessage()) : qs(model_->message("Str104"));
        showMessage(this, text);
        model_->deviceRemovedAfterMessage(hasMacros(outcome.chipBefore));
    }
    syncFromModel();
}

void MainWindow::showTransferOutcome(const DeviceJobOutcome& outcome) { showTransferOutcome(outcome.status); }

void MainWindow::showTransferOutcome(const TransferStatus& status) {
    const std::optional<DeviceAction> action = runningAction_;
    if (const std::string key = std::exchange(desktopFailureKey_, {}); !key.empty())
        showMessage(this, qs(model_->text(key)));
    if (const auto message = model_->failureMessage(status)) showMessage(this, qs(*message));
    // A write that worked says so briefly; its busy window may not even have shown.
    if (status.ok() && action == DeviceAction::Apply) showStatusNote(qs(model_->text("Str448")));
    if (status.ok() && action == DeviceAction::Reset) showStatusNote(qs(model_->text("Str458")));
    if (action == DeviceAction::Confirm && status.ok()) {
        QTimer::singleShot(kPressPaintMs, this, [this] {
            finishAction();
            close();
        });
        return;
    }
    if (action) finishAction();
}

}  // namespace varnel
