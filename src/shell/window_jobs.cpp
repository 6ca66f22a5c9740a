#include "shell/window_jobs.h"

#include <array>
#include <memory>
#include <utility>

#include "config/variant.h"
#include "editors/update_page.h"
#include "macros/macro_file.h"
#include "profiles/profile_file.h"
#include "skin/finished_notes.h"
#include "transfers/device_write.h"

namespace varnel {

namespace {

// An action's turn without an accepted mouse.
constexpr std::string_view kNoMouseKey = "Str022";
// Reset asks first, naming the macros where the mouse has them.
constexpr std::string_view kResetQuestionWithMacrosKey = "Str456";
constexpr std::string_view kResetQuestionKey = "Str457";
// A mouse that may not be opened: how to let this user open it.
constexpr std::string_view kNoPermissionKey = "Str104";
// The file reason in words where a profile file could not be read or written.
constexpr std::string_view kFileErrorKey = "Str436";
// A close waits for the device (a job, the restart after an update).
constexpr std::string_view kClosingKey = "Str447";
// The restart wait after a firmware update (%1: seconds left), then the search for the mouse.
constexpr std::string_view kRestartWaitKey = "Str528";
constexpr std::string_view kRestartSearchKey = "Str529";
// Closing with edits the mouse does not hold, and its three answers.
constexpr std::string_view kExitQuestionKey = "Str533";
constexpr std::array<std::string_view, 3> kExitAnswerKeys{"Str534", "Str535", "Str536"};

}  // namespace

bool WindowJobs::press() {
    if (taken()) return false;
    scheduler_.press();
    return true;
}

WindowJobs::CloseAnswer WindowJobs::requestClose() {
    if (!scheduler_.busy()) return {};
    const JobScheduler::Order order = scheduler_.requestClose();
    if (order.what == JobScheduler::Do::Close) return {};
    return {scheduler_.jobRunning() || scheduler_.restarting() ? Close::WaitAndSay : Close::Wait, order};
}

std::optional<std::string> WindowJobs::exitQuestion() {
    if (!model_.unappliedEdits()) return std::nullopt;
    return model_.text(kExitQuestionKey);
}

std::string WindowJobs::closingNote() const { return model_.text(kClosingKey); }

std::vector<std::string> WindowJobs::exitAnswers() const {
    std::vector<std::string> answers;
    for (const std::string_view key : kExitAnswerKeys) answers.push_back(model_.text(key));
    return answers;
}

JobScheduler::Order WindowJobs::submit(Work work, JobScheduler::Turn turn) {
    const std::uint64_t id = nextRequest_++;
    requests_.emplace(id, std::move(work));
    return scheduler_.submit(id, turn);
}

WindowJobs::Work WindowJobs::take(std::uint64_t request) {
    const auto it = requests_.find(request);
    if (it == requests_.end()) return {};
    Work work = std::move(it->second);
    requests_.erase(it);
    return work;
}

void WindowJobs::jobBegins() {
    if (const auto refused = model_.macroPage().stopRecording()) presenter_.show(model_.text(*refused));
    model_.hideAllMenus();
    model_.appearance().disableAllPages();
}

void WindowJobs::jobEnds(const DeviceJobOutcome& outcome) {
    model_.appearance().setChannelsOpen(outcome.channelsOpen);
    if (outcome.displayDue) model_.RefreshUI();
    model_.appearance().enableAllPages();
}

WindowJobs::Done WindowJobs::finished() {
    scheduler_.finished();
    return std::exchange(done_, nullptr);
}

std::string_view WindowJobs::buttonName(DeviceAction action) {
    switch (action) {
        case DeviceAction::Apply: return "Apply";
        case DeviceAction::Confirm: return "Confirm";
        case DeviceAction::Reset: break;
    }
    return "Reset";
}

std::optional<std::string> WindowJobs::refusal(bool deviceReady) const {
    if (deviceReady) return std::nullopt;
    return model_.message(kNoMouseKey);
}

std::optional<std::string> WindowJobs::question(DeviceAction action) const {
    if (action != DeviceAction::Reset) return std::nullopt;
    return model_.text(hasMacros(model_.state().DeviceChip) ? kResetQuestionWithMacrosKey : kResetQuestionKey);
}

WindowJobs::ActionStart WindowJobs::startAction(DeviceAction action, const DefaultImages& defaultImages) {
    if (action == DeviceAction::Reset) {
        actionRuns(action);
        // The defaults are shown before their write begins, not after it.
        if (TransferStatus loaded = LoadDefaultParameter(model_.state(), defaultImages); !loaded.ok()) return {loaded};
        model_.RefreshUI();
        return {{}, [](AppModel& m, const ProgressSink& progress) { return m.WriteDefaults(progress); }};
    }
    model_.UIToDataBuf();
    const Status desktop = model_.pointerSettings().applyToDesktop();
    actionRuns(action, desktop);
    return {{},
            [](AppModel& m, const ProgressSink& progress) { return m.Apply(progress); },
            desktop ? std::string() : desktop.error().message};
}

void WindowJobs::actionRuns(DeviceAction action, const Status& desktop) {
    action_ = action;
    desktopFailureKey_ = desktop ? std::string() : desktop.error().languageKey;
}

WindowJobs::ActionEnd WindowJobs::actionEnded(const TransferStatus& status) {
    ActionEnd end;
    if (const std::string key = std::exchange(desktopFailureKey_, {}); !key.empty())
        end.messages.push_back(model_.text(key));
    if (auto failure = model_.failureMessage(status)) end.messages.push_back(std::move(*failure));
    // A write that worked says so briefly; its busy window may not even have shown.
    if (status.ok() && action_) model_.mouseHoldsShown();
    if (status.ok() && action_ == DeviceAction::Apply) end.note = finishedNote(model_.captions(), Finished::Applied);
    if (status.ok() && action_ == DeviceAction::Reset) end.note = finishedNote(model_.captions(), Finished::Reset);
    end.closesWindow = status.ok() && action_ == DeviceAction::Confirm;
    end.releases = action_.has_value();
    return end;
}

JobScheduler::Order WindowJobs::releaseAction() {
    action_.reset();
    model_.navigation().releaseActionButton();
    return scheduler_.release();
}

void WindowJobs::restartBegins(const TransferStatus& status) {
    // The window names no reports: the English detail is the command line's.
    restartNote_ =
        status.ok() ? std::string() : model_.messageFor(status.error, UpdatePage::kRefusedOnTheWayKey, false);
    scheduler_.restartBegins();
}

std::string WindowJobs::restartWaitNote(int secondsLeft) const {
    // A close waiting for the restart keeps saying why the window stays.
    if (scheduler_.closePending()) return closingNote();
    if (secondsLeft <= 0) return model_.text(kRestartSearchKey);
    return fillIn(model_.text(kRestartWaitKey), std::to_string(secondsLeft));
}

std::string WindowJobs::restartMessage(bool back) {
    std::string text = model_.text(back ? UpdatePage::kUpdatedKey : UpdatePage::kNotFoundAfterRestartKey);
    if (!restartNote_.empty()) text += "\n" + std::exchange(restartNote_, {});
    return text;
}

std::vector<Shown> WindowJobs::presentSearch(const DeviceJobOutcome& outcome) {
    std::vector<Shown> shown;
    const SearchOutcome& search = outcome.search;
    if (search.found) {
        model_.mouseIdentified();
        if (search.read.code == TransferCode::Refused) {
            shown.push_back(
                {model_.mouseRefused(search.read.error), {}, [this] { model_.appearance().enterNoDeviceMode(); }});
        } else if (outcome.displayDue) {
            // The full read ran (whatever its reports returned, the image is shown).
            if (auto message = model_.showReadMouse()) shown.push_back({std::move(*message)});
        }
        // A mouse that did not answer command 14 changes nothing.
    }
    if (search.removed) {
        // A mouse we may not open is the one thing the user can fix here: say how, once. A key
        // combination composed for the mouse that left goes nowhere.
        const bool hadMacros = hasMacros(outcome.chipBefore);
        // A newcomer without the mouse may look around on a virtual one instead.
        const bool missing = search.permissionDenied.empty();
        shown.push_back({missing ? model_.noDeviceMessage() : model_.message(kNoPermissionKey),
                         [this] { model_.deviceRemovedBeforeMessage(); },
                         [this, hadMacros] { model_.deviceRemovedAfterMessage(hadMacros); }, true,
                         missing && !model_.virtualMouse() ? model_.text(MainWindowModel::kVirtualMouseOfferKey)
                                                           : std::string()});
    }
    return shown;
}

WindowJobs::PlannedJob WindowJobs::saveMacroJob() {
    return {[](AppModel& m, const ProgressSink& progress) { return m.SaveMacro(progress); },
            [this](const DeviceJobOutcome& outcome) {
                if (auto message = model_.failureMessage(outcome.status)) return presenter_.show(*message);
                presenter_.note(finishedNote(model_.captions(), Finished::MacrosSaved));
            }};
}

WindowJobs::PlannedJob WindowJobs::profileJob(ProfileAction action, const std::filesystem::path& file) {
    // What a load had to repair in the profile's macros, handed over with the job's end.
    auto repaired = std::make_shared<RepairedMacros>();
    Done done = [this, action, repaired, name = file.filename().string()](const DeviceJobOutcome& outcome) {
        const Error& e = outcome.status.error;
        if (!outcome.status.ok())
            presenter_.show(e.languageKey == kProfileRefusedKey ? model_.refusalMessage(e, name)
                                                                : model_.messageFor(e, kFileErrorKey, true));
        model_.profileButtonDone();
        presenter_.render();
        if (!outcome.status.ok()) return;
        presenter_.note(finishedNote(model_.captions(),
                                     action == ProfileAction::Save ? Finished::ProfileSaved : Finished::ProfileLoaded,
                                     name));
        if (!repaired->empty())
            presenter_.show(fillIn(model_.text(kRepairedMacrosKey), repairedMacroNumbers(*repaired)));
    };
    if (action == ProfileAction::Save) {
        TransferJob save = [file](AppModel& m, const ProgressSink&) {
            auto written = m.SaveProfile(file);
            return written ? TransferStatus::done() : TransferStatus::from(written.error(), TransferCode::BadFile);
        };
        return {std::move(save), std::move(done), JobScheduler::Turn::BeforeSearch, false, true};
    }
    TransferJob load = [file, repaired](AppModel& m, const ProgressSink&) {
        auto loaded = m.LoadProfile(file);
        if (!loaded) return TransferStatus::from(loaded.error(), TransferCode::BadFile);
        *repaired = std::move(*loaded);
        return TransferStatus::done();
    };
    return {std::move(load), std::move(done), JobScheduler::Turn::AfterSearch, false, false};
}

WindowJobs::PlannedJob WindowJobs::firmwareFileJob(const std::filesystem::path& file) {
    TransferJob read = [file](AppModel& m, const ProgressSink&) {
        return TransferStatus::from(m.LoadFirmware(file), TransferCode::BadFile);
    };
    Done done = [this](const DeviceJobOutcome& outcome) {
        model_.updatePage().firmwareRead();
        presenter_.render();
        if (!outcome.status.ok())
            return presenter_.show(model_.messageFor(outcome.status.error, UpdatePage::kFileRefusedKey, true));
        presenter_.note(finishedNote(model_.captions(), Finished::FirmwareLoaded));
    };
    return {std::move(read), std::move(done), JobScheduler::Turn::BeforeSearch, false};
}

std::optional<std::string> WindowJobs::programQuestion(bool deviceReady) const {
    // Asked once, before anything is sent; without a mouse the job says so instead.
    if (!deviceReady) return std::nullopt;
    return model_.updatePage().programQuestion(model_.text(UpdatePage::kProgramQuestionKey));
}

WindowJobs::PlannedJob WindowJobs::programJob(std::function<void(const TransferStatus&)> restart) {
    // Written by the job on the worker, read on the window's thread once the job's end has handed
    // the state back.
    auto finished = std::make_shared<bool>(false);
    TransferJob program = [finished](AppModel& m, const ProgressSink& progress) {
        const FirmwareOutcome programmed = m.Program(progress);
        *finished = programmed.finished;
        return programmed.status;
    };
    Done done = [this, finished, restart = std::move(restart)](const DeviceJobOutcome& outcome) {
        if (*finished) return restart(outcome.status);
        presenter_.show(model_.messageFor(outcome.status.error, UpdatePage::kNotUpdatedKey, false));
    };
    return {std::move(program), std::move(done)};
}

}  // namespace varnel
