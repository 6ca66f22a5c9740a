#pragma once
// What the window's device jobs mean, beside the JobScheduler that says when they run: the
// requests waiting for their turn, who presents a finished job, the running action button (Apply,
// Confirm, Reset) and the messages its end shows, the note a firmware update's restart carries,
// and what a search's outcome tells the user. The window creates widgets, renders, and carries out
// what these calls return; nothing here knows Qt.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/chip_model.h"
#include "config/default_image.h"
#include "shell/job_scheduler.h"
#include "shell/main_window_model.h"
#include "skin/button_families.h"
#include "transfers/app_model.h"
#include "transfers/app_state.h"
#include "transfers/transfer_status.h"

namespace varnel {

// A transfer job: runs on the worker with the model and a progress sink, says what came of it.
using TransferJob = std::function<TransferStatus(AppModel&, const ProgressSink&)>;

enum class DeviceJobKind { Search, Transfer };

// What a job came to, handed to the window with the state.
struct DeviceJobOutcome {
    DeviceJobKind kind = DeviceJobKind::Transfer;
    SearchOutcome search;       // Search: found, read result, removed, permission problems
    TransferStatus status;      // Transfer: the job's result
    bool displayDue = false;    // DataBufToUI ran: the window runs its display step
    bool channelsOpen = false;  // both report channels are set after the job
    OptionalChip chipBefore;    // DeviceChip when the job began
};

// The bar's three buttons that write to the mouse.
enum class DeviceAction { Apply, Confirm, Reset };

// A message box and what goes on around it: `before` runs and the window renders before it shows
// (with the key combination dialogs closed first when `closesKeyDialogs`), `after` once it closed.
// A non-empty `offer` is a second answer beside OK: the window on a virtual mouse.
struct Shown {
    std::string text;
    std::function<void()> before = {};
    std::function<void()> after = {};
    bool closesKeyDialogs = false;
    std::string offer = {};
};

// How the window shows a message box (modal: it returns once closed), the short note that fades
// ("Saved to the mouse") and renders what the models changed.
struct WindowPresenter {
    std::function<void(const std::string&)> show = [](const std::string&) {};
    std::function<void()> render = [] {};
    std::function<void(const std::string&)> note = [](const std::string&) {};
};

class WindowJobs {
public:
    using Work = std::function<void()>;
    using Done = std::function<void(const DeviceJobOutcome&)>;

    // A job and what its end shows, planned without the window.
    struct PlannedJob {
        TransferJob job = {};
        Done done = {};
        JobScheduler::Turn turn = JobScheduler::Turn::BeforeSearch;
        bool busyWindowAtOnce = true;  // else once the job reports progress (a file read or written at once)
        bool collectsFirst = false;    // the pages write their controls into the image when its turn comes
    };

    // `model` outlives this.
    explicit WindowJobs(MainWindowModel& model, WindowPresenter presenter = {})
        : model_(model), presenter_(std::move(presenter)) {}

    JobScheduler& scheduler() { return scheduler_; }
    const JobScheduler& scheduler() const { return scheduler_; }

    // A press of a button that holds the window (an action, a profile button, a macro file
    // dialog); false, and nothing held, while a job runs or another button holds it.
    bool press();
    // A job runs or a button holds the window: the bar's buttons but Web and Exit do nothing.
    bool taken() const { return scheduler_.jobRunning() || scheduler_.pressed(); }
    // Whether a click on a bar button does anything now: Web and Exit always do.
    bool takesBarClick(BarAction action) const {
        return !taken() || action == BarAction::Web || action == BarAction::Exit || action == BarAction::Minimise;
    }

    // The window asks to close: now, or once the device is free, telling why it waits when the
    // wait is worth a word (a job or the restart after an update; a tick or a pressed button ends
    // at once).
    // A request the close lets through (it waited for a search that will not come now) comes back
    // as `order`, to be carried out: the close follows once it has ended.
    enum class Close { Now, Wait, WaitAndSay };
    struct CloseAnswer {
        Close close = Close::Now;
        JobScheduler::Order order;
    };
    CloseAnswer requestClose();
    // The close may go ahead: the question about edits closing would lose, if any. Its answers
    // are the texts of `exitAnswers()`, in the order of ExitAnswer.
    std::optional<std::string> exitQuestion();
    enum class ExitAnswer { ApplyAndExit, ExitWithoutApplying, Cancel };
    std::vector<std::string> exitAnswers() const;
    // The busy window's line while a close waits for the device.
    std::string closingNote() const;

    // Hands `work` to the scheduler in its `turn`; the order to carry out.
    JobScheduler::Order submit(Work work, JobScheduler::Turn turn = JobScheduler::Turn::BeforeSearch);
    // The work of a Run order, handed out once (none for a request that is not waiting).
    Work take(std::uint64_t request);

    // The job that starts now is presented by `done` (none: the window's own presentation).
    void expect(Done done) { done_ = std::move(done); }
    // A job begins and the worker will own the state: a recording ends first (its stop encodes
    // into DataBuf, and no captured event may edit the script meanwhile), the menus close and the
    // pages lock. A stop that could not keep the recording says so first, as Stop would.
    void jobBegins();
    // The worker handed the state back: the channels as the job left them, the image shown if the
    // job read one. The pages unlock before the result's message, and no other job starts until
    // it has closed.
    void jobEnds(const DeviceJobOutcome& outcome);
    // The job has ended: its presenter, handed out once; none for a search or an action's write,
    // which the window presents by presentSearch() and actionEnded().
    Done finished();

    // An action button was pressed: the name of its pressed picture.
    static std::string_view buttonName(DeviceAction action);
    // The action's turn has come: the message that refuses it without an accepted mouse, if any.
    std::optional<std::string> refusal(bool deviceReady) const;
    // The question asked before the action runs, if any (Reset replaces the macros too).
    std::optional<std::string> question(DeviceAction action) const;
    // The action's turn has come and its question was answered: what runs on this thread before
    // the hand-over. Reset shows the defaults of the mouse's image in `defaultImages` (a failure there ends the action),
    // Apply and Confirm collect the pages and write the desktop's pointer settings, which stand
    // whatever becomes of the mouse's write (a failure is told after it).
    struct ActionStart {
        TransferStatus failed = {};       // Reset's defaults could not be shown: no job
        TransferJob job = {};             // the write to the mouse
        std::string desktopProblem = {};  // why the desktop's pointer settings were not written
    };
    ActionStart startAction(DeviceAction action, const DefaultImages& defaultImages);
    // The action's write starts; `desktop` is what became of the desktop pointer settings.
    void actionRuns(DeviceAction action, const Status& desktop = {});
    bool actionRunning() const { return action_.has_value(); }

    // What the end of the running action's write shows.
    struct ActionEnd {
        std::vector<std::string> messages;  // in order, each in its own box
        std::string note;                   // the short line that fades ("Saved to the mouse")
        bool closesWindow = false;          // Confirm that worked: the window closes after the press paint
        bool releases = false;              // an action was running: its button is released
    };
    ActionEnd actionEnded(const TransferStatus& status);
    // The action is over (its button released); the order to carry out.
    JobScheduler::Order releaseAction();

    // A firmware update's job ended with command 18 sent: what the mouse refused on the way is
    // told with the restart's result.
    void restartBegins(const TransferStatus& status);
    // The busy window's line while the restart is awaited, `secondsLeft` of it to go; once it is
    // over, while the restarted mouse is searched for. A close waiting for it says so instead.
    std::string restartWaitNote(int secondsLeft) const;
    // The restarted mouse was searched for: whether it is back decides the message.
    std::string restartMessage(bool back);

    // The messages a search's outcome shows, with the model's steps around each.
    std::vector<Shown> presentSearch(const DeviceJobOutcome& outcome);

    // Save Profile and Load Profile once their file is chosen: a load goes after a poll's search,
    // whose read would replace the loaded image; its end releases the profile button.
    PlannedJob profileJob(ProfileAction action, const std::filesystem::path& file);
    // The Update page: reading the chosen firmware file, and programming it (asked first when a
    // mouse is there to take it). A mouse that took command 18 restarts: `restart` begins the
    // wait with the job's status, whose refusals are told with the restart's result.
    PlannedJob firmwareFileJob(const std::filesystem::path& file);
    std::optional<std::string> programQuestion(bool deviceReady) const;
    PlannedJob programJob(std::function<void(const TransferStatus&)> restart);
    // Save Macro: the names and all macro blocks to a Wren mouse.
    PlannedJob saveMacroJob();

private:
    MainWindowModel& model_;
    WindowPresenter presenter_;
    JobScheduler scheduler_;
    std::unordered_map<std::uint64_t, Work> requests_;
    std::uint64_t nextRequest_ = 1;
    Done done_;
    std::optional<DeviceAction> action_;
    std::string desktopFailureKey_;  // the running action's failure with the pointer settings, if any
    std::string restartNote_;        // what the mouse refused while taking an update
};

}  // namespace varnel
