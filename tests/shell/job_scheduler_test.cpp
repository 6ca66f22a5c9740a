#include "shell/job_scheduler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnel {
namespace {

using Do = JobScheduler::Do;

// One event fed to the scheduler and the order it must answer with.
struct Step {
    enum Event {
        Tick,
        TickDone,
        TickDoneSearch,
        TickDoneSearchKept,  // a search for the accepted mouse, which stopped answering
        SettleOver,
        Submit,
        SubmitAfterSearch,
        SubmitReFind,
        Finished,
        RestartBegins,
        RestartOver,
        Shown,
        Press,
        Release,
        Close,
        PointerOn,
        PointerOff,
        Announced
    };
    Event event;
    Do expect = Do::Nothing;
    std::uint64_t request = 0;  // Submit: the request; Run: the request expected
    bool wait = false;          // the settle wait starts
};

JobScheduler::Order feed(JobScheduler& s, const Step& step) {
    switch (step.event) {
        case Step::Tick: return s.devTimerTick();
        case Step::TickDone: return s.pollTickDone(false);
        case Step::TickDoneSearch: return s.pollTickDone(true);
        case Step::TickDoneSearchKept: return s.pollTickDone(true, true);
        case Step::SettleOver: return s.settleWaitOver();
        case Step::Submit: return s.submit(step.request);
        case Step::SubmitAfterSearch: return s.submit(step.request, JobScheduler::Turn::AfterSearch);
        case Step::SubmitReFind: return s.submit(step.request, JobScheduler::Turn::InsteadOfSearch);
        case Step::Finished: s.finished(); return {};
        case Step::RestartBegins: s.restartBegins(); return {};
        case Step::RestartOver: return s.restartWaitOver();
        case Step::Shown: return s.resultShown();
        case Step::Press: s.press(); return {};
        case Step::Release: return s.release();
        case Step::Close: return s.requestClose();
        case Step::PointerOn: return s.pointerOnButton(true);
        case Step::PointerOff: return s.pointerOnButton(false);
        case Step::Announced: return s.deviceAnnounced();
    }
    return {};
}

struct Script {
    const char* name;
    std::vector<Step> steps;
    bool busyAtEnd;
};

TEST(JobScheduler, Scripts) {
    // Shorthands: a Run of request n is {event, Do::Run, n}.
    const Script scripts[] = {
        {"an idle tick polls, a quiet answer frees the device",
         {{Step::Tick, Do::PollTick}, {Step::Tick}, {Step::TickDone}, {Step::Tick, Do::PollTick}},
         true},
        {"a changed population waits, then searches; no tick meanwhile",
         {{Step::Tick, Do::PollTick},
          {Step::TickDoneSearch, Do::Nothing, 0, true},
          {Step::Tick},
          {Step::SettleOver, Do::StartSearch},
          {Step::Tick},
          {Step::Finished},
          {Step::Tick},
          {Step::Shown},
          {Step::Tick, Do::PollTick}},
         true},
        {"a request during the settle wait runs first, the search after its message",
         {{Step::Tick, Do::PollTick},
          {Step::TickDoneSearch, Do::Nothing, 0, true},
          {Step::Submit, Do::Run, 1},
          {Step::SettleOver},
          {Step::Finished},
          {Step::Shown, Do::StartSearch},
          {Step::Finished},
          {Step::Shown}},
         false},
        {"a pressed action goes before a search whose wait ended meanwhile",
         {{Step::Tick, Do::PollTick},
          {Step::TickDoneSearch, Do::Nothing, 0, true},
          {Step::Press},
          {Step::SettleOver},
          {Step::Submit, Do::Run, 7},
          {Step::Finished},
          {Step::Release},
          {Step::Shown, Do::StartSearch},
          {Step::Finished},
          {Step::Shown}},
         false},
        {"a request queued behind a tick runs while the tick's search waits",
         {{Step::Tick, Do::PollTick},
          {Step::Submit, Do::Nothing, 2},
          {Step::TickDoneSearch, Do::Run, 2, true},
          {Step::SettleOver},
          {Step::Finished},
          {Step::Shown, Do::StartSearch}},
         true},
        {"a request while a tick is out runs when it answers",
         {{Step::Tick, Do::PollTick}, {Step::Submit, Do::Nothing, 3}, {Step::TickDone, Do::Run, 3}},
         true},
        {"requests queue in order behind a job and its message",
         {{Step::Submit, Do::Run, 1},
          {Step::Submit, Do::Nothing, 2},
          {Step::Submit, Do::Nothing, 3},
          {Step::Finished},
          {Step::Shown, Do::Run, 2},
          {Step::Finished},
          {Step::Shown, Do::Run, 3},
          {Step::Finished},
          {Step::Shown}},
         false},
        {"ReFindDev replaces a waiting poll search",
         {{Step::Tick, Do::PollTick},
          {Step::TickDoneSearch, Do::Nothing, 0, true},
          {Step::SubmitReFind, Do::Run, 4},
          {Step::SettleOver},
          {Step::Finished},
          {Step::Shown}},
         false},
        {"a request that waits for the search runs after the search's message",
         {{Step::Tick, Do::PollTick},
          {Step::TickDoneSearch, Do::Nothing, 0, true},
          {Step::SubmitAfterSearch, Do::Nothing, 1},
          {Step::Submit, Do::Run, 2},
          {Step::Finished},
          {Step::Shown},
          {Step::SettleOver, Do::StartSearch},
          {Step::Finished},
          {Step::Shown, Do::Run, 1},
          {Step::Finished},
          {Step::Shown}},
         false},
        {"a request that waits for the search runs at once without one, after a tick's quiet answer",
         {{Step::SubmitAfterSearch, Do::Run, 1},
          {Step::Finished},
          {Step::Shown},
          {Step::Tick, Do::PollTick},
          {Step::SubmitAfterSearch, Do::Nothing, 2},
          {Step::TickDone, Do::Run, 2}},
         true},
        {"a request that waits for the search follows ReFindDev when it replaces the search",
         {{Step::Tick, Do::PollTick},
          {Step::TickDoneSearch, Do::Nothing, 0, true},
          {Step::SubmitAfterSearch, Do::Nothing, 1},
          {Step::SubmitReFind, Do::Run, 2},
          {Step::Finished},
          {Step::Shown, Do::Run, 1}},
         true},
        {"the restart after a firmware update holds ticks and requests, then finds the mouse first",
         {{Step::Submit, Do::Run, 1},
          {Step::Finished},
          {Step::RestartBegins},
          {Step::Shown},
          {Step::Tick},
          {Step::Submit, Do::Nothing, 2},
          {Step::RestartOver, Do::FindRestartedMouse},
          {Step::Finished},
          {Step::Shown, Do::Run, 2},
          {Step::Finished},
          {Step::Shown},
          {Step::Tick, Do::PollTick}},
         true},
        {"the restart drops the poll search that waited when programming began",
         {{Step::Tick, Do::PollTick},
          {Step::TickDoneSearch, Do::Nothing, 0, true},
          {Step::Submit, Do::Run, 1},
          {Step::Finished},
          {Step::RestartBegins},
          {Step::Shown},
          {Step::SettleOver},
          {Step::RestartOver, Do::FindRestartedMouse},
          {Step::Finished},
          {Step::Shown}},
         false},
        {"a restart wait that ends during the result's message finds the mouse after it",
         {{Step::Submit, Do::Run, 1},
          {Step::Finished},
          {Step::RestartBegins},
          {Step::RestartOver},
          {Step::Shown, Do::FindRestartedMouse}},
         true},
        {"close during the restart wait closes when it ends, without a search",
         {{Step::Submit, Do::Run, 1},
          {Step::Finished},
          {Step::RestartBegins},
          {Step::Shown},
          {Step::Close},
          {Step::RestartOver, Do::Close}},
         false},
        {"ReFindDev submitted while a tick is out takes the place of its search",
         {{Step::Tick, Do::PollTick},
          {Step::SubmitReFind, Do::Nothing, 4},
          {Step::TickDoneSearch, Do::Run, 4},
          {Step::SettleOver},
          {Step::Finished},
          {Step::Shown},
          {Step::Tick, Do::PollTick}},
         true},
        {"with the pointer on a button, a search that may find an arriving mouse goes at once",
         {{Step::PointerOn},
          {Step::Tick, Do::PollTick},
          {Step::TickDoneSearch, Do::Nothing, 0, true},
          {Step::SettleOver, Do::StartSearch}},
         true},
        {"a search for the mouse that stopped answering waits for the pointer to leave a button, one tick at most",
         {{Step::PointerOn},
          {Step::Tick, Do::PollTick},
          {Step::TickDoneSearchKept, Do::Nothing, 0, true},
          {Step::SettleOver},
          {Step::Tick, Do::StartSearch},
          {Step::Finished},
          {Step::Shown},
          {Step::Tick, Do::PollTick},
          {Step::TickDoneSearchKept, Do::Nothing, 0, true},
          {Step::SettleOver},
          {Step::PointerOff, Do::StartSearch}},
         true},
        {"an announcement is a tick at once; the search follows its settle wait",
         {{Step::Announced, Do::Announce},
          {Step::TickDoneSearch, Do::Nothing, 0, true},
          {Step::SettleOver, Do::StartSearch}},
         true},
        {"an announcement during the settle wait is covered by its search, and the pointer holds neither",
         {{Step::PointerOn},
          {Step::Announced, Do::Announce},
          {Step::TickDoneSearch, Do::Nothing, 0, true},
          {Step::Announced},
          {Step::SettleOver, Do::StartSearch},
          {Step::Finished},
          {Step::Shown}},
         false},
        {"an announcement lets a search held by the pointer go",
         {{Step::PointerOn},
          {Step::Tick, Do::PollTick},
          {Step::TickDoneSearchKept, Do::Nothing, 0, true},
          {Step::SettleOver},
          {Step::Announced, Do::StartSearch}},
         true},
        {"an announcement during a job waits for its end, not for the pointer",
         {{Step::Submit, Do::Run, 1},
          {Step::Announced},
          {Step::PointerOn},
          {Step::Finished},
          {Step::Shown, Do::Announce},
          {Step::TickDoneSearch, Do::Nothing, 0, true},
          {Step::SettleOver, Do::StartSearch}},
         true},
        {"an announcement while a tick is out follows it; none is lost",
         {{Step::Tick, Do::PollTick}, {Step::Announced}, {Step::TickDone, Do::Announce}, {Step::TickDone}},
         false},
        {"a tick's search covers an announcement that came while the tick was out",
         {{Step::Tick, Do::PollTick},
          {Step::Announced},
          {Step::TickDoneSearch, Do::Nothing, 0, true},
          {Step::SettleOver, Do::StartSearch},
          {Step::Finished},
          {Step::Shown}},
         false},
        {"close drops an announcement that waits",
         {{Step::Press}, {Step::Announced}, {Step::Close}, {Step::Release, Do::Close}},
         false},
        {"a pressed button holds ticks until released",
         {{Step::Press}, {Step::Tick}, {Step::Release}, {Step::Tick, Do::PollTick}},
         true},
        {"close while idle closes at once", {{Step::Close, Do::Close}}, false},
        {"close during a job waits for its message",
         {{Step::Submit, Do::Run, 1}, {Step::Close}, {Step::Tick}, {Step::Finished}, {Step::Shown, Do::Close}},
         false},
        {"close during the settle wait drops the search",
         {{Step::Tick, Do::PollTick},
          {Step::TickDoneSearch, Do::Nothing, 0, true},
          {Step::Close, Do::Close},
          {Step::SettleOver}},
         false},
        {"close while a tick is out waits for it, and no search follows",
         {{Step::Tick, Do::PollTick}, {Step::Close}, {Step::TickDoneSearch, Do::Close}},
         false},
        {"queued requests still run before a deferred close",
         {{Step::Submit, Do::Run, 1},
          {Step::Submit, Do::Nothing, 2},
          {Step::Close},
          {Step::Finished},
          {Step::Shown, Do::Run, 2},
          {Step::Finished},
          {Step::Shown, Do::Close}},
         false},
        {"close with a pressed button waits for its release",
         {{Step::Press},
          {Step::Close},
          {Step::Submit, Do::Run, 5},
          {Step::Finished},
          {Step::Shown},
          {Step::Release, Do::Close}},
         false},
    };
    for (const auto& script : scripts) {
        JobScheduler s;
        for (std::size_t i = 0; i < script.steps.size(); ++i) {
            const Step& step = script.steps[i];
            const JobScheduler::Order order = feed(s, step);
            EXPECT_EQ(order.what, step.expect) << script.name << ", step " << i;
            EXPECT_EQ(order.startSettleWait, step.wait) << script.name << ", step " << i;
            if (step.expect == Do::Run) {
                EXPECT_EQ(order.request, step.request) << script.name << ", step " << i;
            }
        }
        EXPECT_EQ(s.busy(), script.busyAtEnd) << script.name;
    }
}

}  // namespace
}  // namespace varnel
