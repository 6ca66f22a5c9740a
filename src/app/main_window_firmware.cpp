// The Update page's device side: reading the chosen firmware file and programming it, both as jobs
// on the worker (which keeps the loaded image), then the wait for the mouse to restart and the
// search for it. The wait is the scheduler's: the window stays live, the pages stay locked and
// nothing polls or runs until the restarted mouse has been searched for.
#include <memory>

#include "app/loading_window.h"
#include "app/main_window.h"
#include "app/message_box.h"

namespace varnel {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

void MainWindow::loadFirmwareFile(const std::filesystem::path& file) {
    scheduleJob(
        [file](AppModel& m, const ProgressSink&) {
            return TransferStatus::from(m.LoadFirmware(file), TransferCode::BadFile);
        },
        [this](const DeviceJobOutcome& outcome) {
            model_->updatePage().firmwareRead();
            syncFromModel();
            if (!outcome.status.ok())
                showMessage(this, qs(model_->messageFor(outcome.status.error, UpdatePage::kFileRefusedKey, true)));
        },
        JobScheduler::Turn::BeforeSearch, false);
}

void MainWindow::programFirmware() {
    // Asked once, before anything is sent; without a mouse the job says so instead.
    if (deviceReady()) {
        const UpdatePage& page = model_->updatePage();
        if (!askQuestion(this, qs(page.programQuestion(model_->text(UpdatePage::kProgramQuestionKey))))) return;
    }
    // Written by the job on the worker, read here once the job's end has handed the state back.
    auto finished = std::make_shared<bool>(false);
    runDeviceJob(
        [finished](AppModel& m, const ProgressSink& progress) {
            const FirmwareOutcome programmed = m.Program(progress);
            *finished = programmed.finished;
            return programmed.status;
        },
        [this, finished](const DeviceJobOutcome& outcome) {
            // Whatever was refused on the way, a mouse that took command 18 restarts; what it
            // refused is told with the result of the restart.
            if (*finished) {
                restartNote_ = outcome.status.ok() ? std::string() : outcome.status.error.message;
                beginRestartWait();
                return;
            }
            showMessage(this, qs(model_->messageFor(outcome.status.error, UpdatePage::kNotUpdatedKey, false)));
        });
}

void MainWindow::beginRestartWait() {
    scheduler_.restartBegins();
    settleTimer_.stop();  // the search after the restart takes the place of a poll's
    beginJob(true);
    restartTimer_.start(kFirmwareRestartWait);
}

void MainWindow::findRestartedMouse() {
    jobDone_ = [this](const DeviceJobOutcome& outcome) {
        showSearchOutcome(outcome);
        // Only a mouse found again has restarted with the new firmware.
        const bool back = outcome.search.found && deviceReady();
        QString text = qs(model_->text(back ? UpdatePage::kUpdatedKey : UpdatePage::kNotFoundAfterRestartKey));
        if (!restartNote_.empty()) text += "\n" + qs(restartNote_);
        restartNote_.clear();
        showMessage(this, text);
    };
    beginJob(true);
    worker_->requestReFind();
}

}  // namespace varnel
