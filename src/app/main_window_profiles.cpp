// Save Profile and Load Profile, the bar buttons of every page. The dialog runs while the button
// holds the window (no poll meanwhile); the file is then written or read as a job on the worker,
// which owns the mouse's variant and the device model. Save collects the pages first and goes
// before a poll's waiting search, so the file holds what the window showed. Load goes after such a
// search: its read would otherwise replace the loaded image before it could be applied, and a
// mouse that has left by then refuses the load with Str022.
#include "app/file_dialog.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "skin/skin_tables.h"

namespace varnel {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

constexpr std::string_view kReplaceQuestionKey = "Str437";

}  // namespace

void MainWindow::Btn_Save_0Click() { profileClick(ProfileAction::Save); }
void MainWindow::Btn_Load_0Click() { profileClick(ProfileAction::Load); }

void MainWindow::profileClick(ProfileAction action) {
    if (!jobs_->press()) return;
    const std::optional<std::string> refused = model_->profileButtonClick(action);
    updateBusy();
    const auto release = [this] {
        model_->profileButtonDone();
        carryOut(scheduler().release());
    };
    if (refused) {
        showMessage(this, qs(*refused));
        release();
        return;
    }
    const std::optional<std::filesystem::path> file =
        chooseBinFile(action == ProfileAction::Save, skin::kProfileFilterKey);
    if (!file) {
        release();
        return;
    }
    scheduleJob(jobs_->profileJob(action, *file));
    // The request holds its place in the scheduler's queue; a search that waited for the dialog
    // may start now, before a Load.
    carryOut(scheduler().release());
}

std::optional<std::filesystem::path> MainWindow::chooseBinFile(bool save, std::string_view filterKey) {
    return choosePath(this, save ? FileDialogKind::Save : FileDialogKind::Open, qs(model_->text(filterKey)),
                      qs(model_->text(kReplaceQuestionKey)));
}

void MainWindow::whileHeld(const std::function<void()>& work) {
    if (!jobs_->press()) return;
    work();
    carryOut(scheduler().release());
}

}  // namespace varnel
