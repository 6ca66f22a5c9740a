// The Update page's device side: reading the chosen firmware file and programming it, both as jobs
// on the worker (which keeps the loaded image), then the wait for the mouse to restart and the
// search for it. The wait is the scheduler's: the window stays live, the pages stay locked and
// nothing polls or runs until the restarted mouse has been searched for.
#include "app/loading_window.h"
#include "app/main_window.h"
#include "app/message_box.h"

namespace varnel {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

void MainWindow::loadFirmwareFile(const std::filesystem::path& file) { scheduleJob(jobs_->firmwareFileJob(file)); }

void MainWindow::programFirmware() {
    if (const auto question = jobs_->programQuestion(deviceReady()); question && !askQuestion(this, qs(*question)))
        return;
    scheduleJob(jobs_->programJob([this](const TransferStatus& status) { beginRestartWait(status); }));
}

void MainWindow::beginRestartWait(const TransferStatus& status) {
    jobs_->restartBegins(status);
    settleTimer_.stop();  // the search after the restart takes the place of a poll's
    beginJob(true);
    restartTimer_.start(kFirmwareRestartWait);
    // The busy window counts the wait down, so that it does not look like a hang.
    showRestartCountdown();
    restartCountdown_.start();
}

void MainWindow::showRestartCountdown() {
    const int left = restartTimer_.isActive() ? static_cast<int>((restartTimer_.remainingTime() + 999) / 1000) : 0;
    if (busy_ != nullptr) busy_->setNote(qs(jobs_->restartWaitNote(left)));
}

void MainWindow::findRestartedMouse() {
    restartCountdown_.stop();
    if (busy_ != nullptr) busy_->setNote(qs(jobs_->restartWaitNote(0)));
    jobs_->expect([this](const DeviceJobOutcome& outcome) {
        if (busy_ != nullptr) busy_->setNote({});
        showSearchOutcome(outcome);
        // Only a mouse found again has restarted with the new firmware.
        showMessage(this, qs(jobs_->restartMessage(outcome.search.found && deviceReady())));
    });
    beginJob(true);
    worker_->requestReFind();
}

}  // namespace varnel
