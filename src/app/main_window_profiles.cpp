// Save Profile and Load Profile, the bar buttons of every page. The dialog runs while the button
// holds the window (no poll meanwhile); the file is then written or read as a job on the worker,
// which owns the mouse's variant and the device model. Save collects the pages first and goes
// before a poll's waiting search, so the file holds what the window showed. Load goes after such a
// search: its read would otherwise replace the loaded image before it could be applied, and a
// mouse that has left by then refuses the load with Str022.
#include "app/file_dialog.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "common/file_io.h"
#include "macros/macro_file.h"
#include "profiles/profile_file.h"
#include "skin/skin_tables.h"

namespace varnel {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The file reason in words where a profile file could not be read or written.
constexpr std::string_view kFileErrorKey = "Str436";
constexpr std::string_view kReplaceQuestionKey = "Str437";

}  // namespace

void MainWindow::Btn_Save_0Click() { profileClick(ProfileAction::Save); }
void MainWindow::Btn_Load_0Click() { profileClick(ProfileAction::Load); }

void MainWindow::profileClick(ProfileAction action) {
    if (scheduler_.pressed() || scheduler_.jobRunning()) return;
    scheduler_.press();
    const std::optional<std::string> refused = model_->profileButtonClick(action);
    updateBusy();
    const auto release = [this] {
        model_->profileButtonDone();
        carryOut(scheduler_.release());
    };
    if (refused) {
        showMessage(this, qs(*refused));
        release();
        return;
    }
    const std::optional<std::filesystem::path> file = chooseBinFile(action == ProfileAction::Save);
    if (!file) {
        release();
        return;
    }
    // What a load had to repair in the profile's macros, handed over with the job's end.
    auto repaired = std::make_shared<RepairedMacros>();
    const auto done = [this, repaired, name = file->filename().string()](const DeviceJobOutcome& outcome) {
        const Error& e = outcome.status.error;
        if (!outcome.status.ok())
            showMessage(this, qs(e.languageKey == kProfileRefusedKey ? model_->refusalMessage(e, name)
                                                                     : model_->messageFor(e, kFileErrorKey, true)));
        model_->profileButtonDone();
        syncFromModel();
        if (outcome.status.ok() && !repaired->empty())
            showMessage(this, qs(model_->text(kRepairedMacrosKey)).replace("%1", qs(repairedMacroNumbers(*repaired))));
    };
    if (action == ProfileAction::Save) {
        const auto save = [file = *file](AppModel& m, const ProgressSink&) {
            auto written = m.SaveProfile(file);
            return written ? TransferStatus::done() : TransferStatus::from(written.error(), TransferCode::BadFile);
        };
        scheduleJob(save, done, JobScheduler::Turn::BeforeSearch, false, [this] { collect(); });
    } else {
        const auto load = [file = *file, repaired](AppModel& m, const ProgressSink&) {
            auto loaded = m.LoadProfile(file);
            if (!loaded) return TransferStatus::from(loaded.error(), TransferCode::BadFile);
            *repaired = std::move(*loaded);
            return TransferStatus::done();
        };
        scheduleJob(load, done, JobScheduler::Turn::AfterSearch, false);
    }
    // The request holds its place in the scheduler's queue; a search that waited for the dialog
    // may start now, before a Load.
    carryOut(scheduler_.release());
}

std::optional<std::filesystem::path> MainWindow::chooseBinFile(bool save) {
    return choosePath(this, save ? FileDialogKind::Save : FileDialogKind::Open,
                      qs(save ? skin::kSaveFileFilter : skin::kLoadFileFilter), qs(model_->text(kReplaceQuestionKey)));
}

void MainWindow::whileHeld(const std::function<void()>& work) {
    if (scheduler_.pressed() || scheduler_.jobRunning()) return;
    scheduler_.press();
    work();
    carryOut(scheduler_.release());
}

}  // namespace varnel
