#pragma once
// show and set: the window's page models over the run's state, so a setting is read, edited and
// collected into the image exactly as the window does it, and the write goes through the model's
// Apply (the window's write order and reload command). The desktop's pointer settings are never
// touched: the pages get no pointer store.
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "command_line.h"
#include "shell/main_window_model.h"
#include "shell/settings_table.h"
#include "skin/layout.h"
#include "transfers/app_model.h"

namespace varnel::ctl {

struct CommandFailure {
    int code;
    std::string message;
};

class SettingsCommand {
public:
    // FormCreate of the window model over `state`, on the configuration's start image. The
    // settings of a set are parsed now: an unknown name fails before anything is opened.
    SettingsCommand(const Options& options, AppState& state, const AppModelConfig& config);
    std::optional<CommandFailure> start();

    // --file: the mouse --model names stands identified, and the profile is loaded with Load
    // Profile's type and signature checks.
    std::optional<CommandFailure> loadProfile();
    // A mouse was identified and read: the window's display step, then the pages a read shows.
    void showRead();
    // show prints; set edits the pages and, unless --dry-run, writes through `model` (or the
    // profile file). `model` is null for --file.
    std::optional<CommandFailure> run(AppModel* model, std::ostream& out, const ProgressSink& writing = {});

private:
    void show(std::ostream& out) const;
    void showJson(std::ostream& out) const;
    std::optional<CommandFailure> set(AppModel* model, std::ostream& out, const ProgressSink& writing);

    const Options& o_;
    AppState& state_;
    const AppModelConfig& config_;
    IniDocument layout_;
    std::unique_ptr<MainWindowModel> window_;
    std::vector<SettingAssignment> assignments_;
};

}  // namespace varnel::ctl
