#include "shell/window_jobs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/layout.h"
#include "window_model_fixture.h"

namespace varnel {
namespace {

using Do = JobScheduler::Do;

class WindowJobsTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::startWindowModel(state_, started_);
        ASSERT_FALSE(HasFatalFailure());
        jobs_ = std::make_unique<WindowJobs>(*started_.model);
    }

    MainWindowModel& model() { return *started_.model; }
    std::string text(const char* key) { return model().text(key); }
    static TransferStatus refused() { return TransferStatus::fail(TransferCode::Refused, "the mouse said no"); }

    AppState state_;
    testing::StartedWindowModel started_;
    std::unique_ptr<WindowJobs> jobs_;
};

TEST_F(WindowJobsTest, RequestsRunInTheSchedulersOrderAndEachWorkOnce) {
    std::vector<int> ran;
    const JobScheduler::Order first = jobs_->submit([&] { ran.push_back(1); });
    const JobScheduler::Order second = jobs_->submit([&] { ran.push_back(2); });
    ASSERT_EQ(first.what, Do::Run);
    EXPECT_EQ(second.what, Do::Nothing) << "one job at a time";
    jobs_->take(first.request)();
    EXPECT_FALSE(jobs_->take(first.request)) << "a request's work is handed out once";
    EXPECT_FALSE(jobs_->finished()) << "no presenter was expected";
    const JobScheduler::Order next = jobs_->scheduler().resultShown();
    ASSERT_EQ(next.what, Do::Run);
    jobs_->take(next.request)();
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
}

// A close during the settle wait lets a request that waited for the search run (the search will
// not come now); the window closes once it has ended.
TEST_F(WindowJobsTest, ACloseRunsTheRequestThatWaitedForTheSearchFirst) {
    JobScheduler& s = jobs_->scheduler();
    ASSERT_EQ(s.devTimerTick().what, Do::PollTick);
    ASSERT_TRUE(s.pollTickDone(true).startSettleWait);
    bool ran = false;
    ASSERT_EQ(jobs_->submit([&] { ran = true; }, JobScheduler::Turn::AfterSearch).what, Do::Nothing);
    const WindowJobs::CloseAnswer answer = jobs_->requestClose();
    EXPECT_EQ(answer.close, WindowJobs::Close::WaitAndSay);
    ASSERT_EQ(answer.order.what, Do::Run);
    jobs_->take(answer.order.request)();
    EXPECT_TRUE(ran);
    s.finished();
    EXPECT_EQ(s.resultShown().what, Do::Close);
}

TEST_F(WindowJobsTest, AFinishedJobHandsItsPresenterOutOnce) {
    int presented = 0;
    jobs_->expect([&](const DeviceJobOutcome&) { ++presented; });
    WindowJobs::Done done = jobs_->finished();
    ASSERT_TRUE(done);
    done(DeviceJobOutcome{});
    EXPECT_EQ(presented, 1);
    EXPECT_FALSE(jobs_->finished()) << "the next job (a search, an action) is presented by the window";
}

TEST_F(WindowJobsTest, APressHoldsTheWindowOnlyWhenNothingElseDoes) {
    struct Row {
        const char* name;
        bool jobRuns, pressed, expect;
    };
    const Row rows[] = {
        {"free window", false, false, true},
        {"a job runs", true, false, false},
        {"another button holds it", false, true, false},
    };
    for (const auto& r : rows) {
        WindowJobs jobs(model());
        if (r.jobRuns) jobs.submit([] {});
        if (r.pressed) jobs.scheduler().press();
        EXPECT_EQ(jobs.press(), r.expect) << r.name;
        EXPECT_TRUE(jobs.taken()) << r.name;
    }
}

TEST_F(WindowJobsTest, AnActionIsRefusedWithoutAMouseAndResetAsksFirst) {
    struct Row {
        const char* name;
        DeviceAction action;
        OptionalChip chip;
        std::optional<std::string> question;
    };
    const Row rows[] = {
        {"Apply asks nothing", DeviceAction::Apply, ChipModel::Wren, std::nullopt},
        {"Confirm asks nothing", DeviceAction::Confirm, ChipModel::Wren, std::nullopt},
        {"Reset names the macros of a Wren", DeviceAction::Reset, ChipModel::Wren, text("Str456")},
        {"Reset of a Lark", DeviceAction::Reset, ChipModel::Lark, text("Str457")},
    };
    for (const auto& r : rows) {
        state_.DeviceChip = r.chip;
        EXPECT_EQ(jobs_->question(r.action), r.question) << r.name;
    }
    EXPECT_EQ(jobs_->refusal(false), model().message("Str022"));
    EXPECT_EQ(jobs_->refusal(true), std::nullopt);
}

TEST_F(WindowJobsTest, AnActionsEndSaysWhatBecameOfIt) {
    const Status desktopFailed = Error{"no pointer settings", "Str111"};
    struct Row {
        const char* name;
        std::optional<DeviceAction> action;
        Status desktop;
        TransferStatus status;
        std::vector<std::string> messages;
        std::string note;
        bool closes;
    };
    const Row rows[] = {
        {"Apply that worked", DeviceAction::Apply, {}, TransferStatus::done(), {}, text("Str448"), false},
        {"Reset that worked", DeviceAction::Reset, {}, TransferStatus::done(), {}, text("Str458"), false},
        {"Confirm that worked closes", DeviceAction::Confirm, {}, TransferStatus::done(), {}, "", true},
        {"a refused Apply", DeviceAction::Apply, {}, refused(), {*model().failureMessage(refused())}, "", false},
        {"a refused Confirm stays",
         DeviceAction::Confirm,
         {},
         refused(),
         {*model().failureMessage(refused())},
         "",
         false},
        {"the desktop's failure first, the write's note after",
         DeviceAction::Apply,
         desktopFailed,
         TransferStatus::done(),
         {text("Str111")},
         text("Str448"),
         false},
        {"a job that was no action", std::nullopt, {}, refused(), {*model().failureMessage(refused())}, "", false},
    };
    for (const auto& r : rows) {
        WindowJobs jobs(model());
        if (r.action) jobs.actionRuns(*r.action, r.desktop);
        const WindowJobs::ActionEnd end = jobs.actionEnded(r.status);
        EXPECT_EQ(end.messages, r.messages) << r.name;
        EXPECT_EQ(end.note, r.note) << r.name;
        EXPECT_EQ(end.closesWindow, r.closes) << r.name;
        EXPECT_EQ(end.releases, r.action.has_value()) << r.name;
        // Ending again says the write's failure again, but not the desktop's.
        std::vector<std::string> again = r.messages;
        if (!r.desktop) again.erase(again.begin());
        EXPECT_EQ(jobs.actionEnded(r.status).messages, again) << r.name << ": the desktop's failure is told once";
    }
}

TEST_F(WindowJobsTest, TheRestartsMessageCarriesWhatTheMouseRefusedOnTheWay) {
    struct Row {
        const char* name;
        TransferStatus status;
        bool back;
        std::string expect;
    };
    const Row rows[] = {
        {"back, nothing refused", TransferStatus::done(), true, text("Str444")},
        {"not found again", TransferStatus::done(), false, text("Str446")},
        {"back after a refusal", refused(), true, text("Str444") + "\n" + text("Str574")},
    };
    for (const auto& r : rows) {
        jobs_->restartBegins(r.status);
        EXPECT_TRUE(jobs_->scheduler().restarting()) << r.name;
        EXPECT_EQ(jobs_->restartMessage(r.back), r.expect) << r.name;
        EXPECT_EQ(jobs_->restartMessage(r.back), r.back ? text("Str444") : text("Str446")) << r.name << ": told once";
        (void)jobs_->scheduler().restartWaitOver();
    }
}

TEST_F(WindowJobsTest, ASearchsOutcomeShowsItsMessagesWithTheModelsStepsAround) {
    struct Row {
        const char* name;
        bool found, refusedMouse, displayDue, removed, denied;
        std::vector<std::string> texts;
        bool noDeviceBefore, noDeviceAfter;  // NoDeviceMode before, and once every message has closed
    };
    const std::string refusal = model().refusalMessage(refused().error);
    const Row rows[] = {
        {"a mouse read", true, false, true, false, false, {}, true, false},
        {"a mouse refused", true, true, false, false, false, {refusal}, false, true},
        {"a mouse that did not answer changes nothing", true, false, false, false, false, {}, false, false},
        {"the mouse left", false, false, false, true, false, {model().noDeviceMessage()}, false, true},
        {"a mouse we may not open", false, false, false, true, true, {model().message("Str104")}, false, true},
    };
    for (const auto& r : rows) {
        state_.NoDeviceMode = r.noDeviceBefore;
        model().appearance().setChannelsOpen(r.found);  // as the search's end left them
        DeviceJobOutcome outcome;
        outcome.kind = DeviceJobKind::Search;
        outcome.search.found = r.found;
        outcome.search.read = r.refusedMouse ? refused() : TransferStatus::done();
        outcome.search.removed = r.removed;
        if (r.denied) outcome.search.permissionDenied = {"/dev/hidraw3"};
        outcome.displayDue = r.displayDue;
        std::vector<std::string> texts;
        for (const Shown& s : jobs_->presentSearch(outcome)) {
            if (s.before) s.before();
            texts.push_back(s.text);
            EXPECT_EQ(s.closesKeyDialogs, r.removed) << r.name;
            if (s.after) s.after();
        }
        EXPECT_EQ(texts, r.texts) << r.name;
        EXPECT_EQ(state_.NoDeviceMode, r.noDeviceAfter) << r.name;
    }
}

// Every job that worked ends with its note, a failed one with its message only.
TEST_F(WindowJobsTest, EachFinishedJobSaysWhatHappened) {
    std::vector<std::string> told;
    WindowJobs jobs(model(), {[&](const std::string&) { told.push_back("box"); }, [] {},
                              [&](const std::string& t) { told.push_back(t); }});
    const std::filesystem::path file = "/tmp/profiles/evening.bin";
    const std::pair<WindowJobs::Done, std::string> rows[] = {
        {jobs.saveMacroJob().done, text("Str520")},
        {jobs.profileJob(ProfileAction::Save, file).done, "Perfil guardado en evening.bin"},
        {jobs.profileJob(ProfileAction::Load, file).done, text("Str522")},
        {jobs.firmwareFileJob(file).done, text("Str527")},
    };
    for (const auto& [done, note] : rows) {
        for (const TransferStatus& status : {TransferStatus::done(), refused()}) {
            told.clear();
            DeviceJobOutcome outcome;
            outcome.status = status;
            done(outcome);
            EXPECT_EQ(told, std::vector<std::string>{status.ok() ? note : "box"}) << note;
        }
    }
}

TEST_F(WindowJobsTest, TheRestartWaitCountsDownThenSaysWhatItLooksFor) {
    jobs_->restartBegins(TransferStatus::done());
    EXPECT_EQ(jobs_->restartWaitNote(2), "Esperando a que el ratón se reinicie con el nuevo firmware: 2 s");
    EXPECT_EQ(jobs_->restartWaitNote(0), text("Str529"));
    (void)jobs_->requestClose();
    EXPECT_EQ(jobs_->restartWaitNote(1), text("Str447")) << "a close waiting for the restart says why";
}

// Closing asks exactly when the mouse does not hold what the window would write.
TEST_F(WindowJobsTest, ClosingAsksAboutEditsTheMouseDoesNotHold) {
    const auto edit = [&] { model().advanced().ReportRate_OnClick(2); };
    const auto show = [&] {
        state_.DataBufToUI();
        model().RefreshUI();
    };
    const auto loadProfile = [&] {
        edit();
        model().UIToDataBuf();
        ASSERT_TRUE(state_.writeBack(WriteBackPath::ProfileSave));
        show();
    };
    const auto apply = [&] {
        edit();
        jobs_->actionRuns(DeviceAction::Apply);
        (void)jobs_->actionEnded(TransferStatus::done());
    };
    const auto readRepaired = [&] {
        state_.DataBuf.parameter[layoutFor(ChipModel::Wren).parameterB.checksumOffset()] ^= 0xFF;
        show();
        (void)model().showReadMouse();
    };
    const std::tuple<const char*, std::function<void()>, bool> rows[] = {
        {"nothing changed", [] {}, false},
        {"a page edit", edit, true},
        {"edited macros", [&] { state_.MacrosDirty = true; }, true},
        {"a profile loaded", loadProfile, true},
        {"an edit without a mouse", [&] { edit(), model().appearance().enterNoDeviceMode(); }, false},
        {"an edit applied", apply, false},
        {"a section repaired when shown", readRepaired, false},
    };
    for (const auto& [name, change, asks] : rows) {
        state_.DeviceChip = ChipModel::Wren;
        state_.MacrosDirty = false;
        show();
        model().appearance().setChannelsOpen(true);
        (void)model().showReadMouse();
        change();
        EXPECT_EQ(jobs_->exitQuestion(), asks ? std::optional(text("Str533")) : std::nullopt) << name;
    }
    EXPECT_EQ(jobs_->exitAnswers(), (std::vector<std::string>{text("Str534"), text("Str535"), text("Str536")}));
}

}  // namespace
}  // namespace varnel
