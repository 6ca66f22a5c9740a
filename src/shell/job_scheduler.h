#pragma once
// Which device job runs when. The window feeds the scheduler what happens (a DevTimer tick, the
// answer of a poll tick, a user's request, a job's end, a message closed, a close request) and
// carries out the order each call returns. One job runs at a time; a finished job's message holds
// everything else until it closes; a close waits for the job's end, so nothing is half-written.
//
// A poll tick that saw the HID population change leads to a search after a settle wait. The wait
// is the scheduler's, not a job: the pages stay live and the mouse keeps its channels during it,
// and a request that comes first runs first on them, so no user action is lost to a poll. A
// request that shows an image the search's read would replace (Load Profile) waits for the search
// instead.
//
// A search for the accepted mouse, which stopped answering, waits while the pointer rests on a
// button (a click is coming), until it leaves, but never past one more tick. A search that may
// find an arriving mouse never waits for the pointer, nor does the first after start (nothing is
// accepted before it): a window opened under the pointer still reads its mouse.
//
// Where the kernel's announcements are heard, a node with the searched ids coming or going takes
// the place of the tick that would notice it: the search follows after the settle wait (counted
// from the first such announcement), once nothing holds the device, and the pointer never holds it.
//
// After a firmware update the mouse restarts: during the restart wait nothing runs and nothing
// polls, then the restarted mouse is searched for before anything else.
//
// Requests are numbers; the window keeps the work that belongs to each. Nothing here knows Qt or
// the device.
#include <cstdint>
#include <deque>

namespace varnel {

class JobScheduler {
public:
    enum class Do {
        Nothing,
        PollTick,            // send the poll tick to the worker
        Announce,            // tell the worker a node with the searched ids came or went; pollTickDone() after it
        StartSearch,         // the worker searches for the mouse (the settle wait has passed)
        Run,                 // run request `request` now; finished() after it (with or without a job)
        FindRestartedMouse,  // the restart wait has passed: search at once (ReFindDev); finished() after it
        Close,               // close the window now
    };
    // Where a request goes relative to a poll's search that waits, is due or may be announced.
    enum class Turn {
        BeforeSearch,     // first, on the channels the mouse still has (Apply, Save Profile, Program...)
        AfterSearch,      // after the search and its result (Load Profile: the read would replace it)
        InsteadOfSearch,  // in the search's place (ReFindDev)
    };
    struct Order {
        Do what = Do::Nothing;
        std::uint64_t request = 0;
        bool startSettleWait = false;  // also start the settle wait; settleWaitOver() when it has passed
        bool operator==(const Order&) const = default;
    };

    // DevTimer fired: a poll tick when nothing holds the device and no close is pending.
    Order devTimerTick();
    // The poll tick's answer: whether it saw a stable change of the HID population that calls for
    // a search, and whether that search is for the accepted mouse (it no longer answered).
    Order pollTickDone(bool searchPending, bool forKeptMouse = false);
    // A node with the searched ids came or went. Never lost: while a job holds the device it waits
    // for its end; a search that waits or is due covers it.
    Order deviceAnnounced();
    // The pointer came to rest on a button, or left it.
    Order pointerOnButton(bool on);
    // The settle wait has passed (ignored when no search waits any more).
    Order settleWaitOver();
    // A user's request (Apply, Reset, Save Macro, ReFindDev...). It runs at once when the device is
    // free, otherwise after the running job, in its `turn` around a poll's search.
    Order submit(std::uint64_t request, Turn turn = Turn::BeforeSearch);
    // The running search or request has ended; its result is being shown.
    void finished();
    // While the result of a firmware update is shown: the mouse accepted command 18 and restarts.
    // A waiting poll search is dropped (the search after the restart takes its place); no tick
    // polls and no request runs until restartWaitOver().
    void restartBegins();
    // The restart wait has passed: the restarted mouse is searched for before any queued request,
    // once the result has been shown. A pending close closes instead.
    Order restartWaitOver();
    // The result has been shown (its message closed): the next queued request, the due search, or
    // the deferred close.
    Order resultShown();
    // An action button was pressed: it holds the window (no ticks, no other action) until released.
    void press();
    Order release();
    // The window asks to close: at once when nothing holds the device, else when it is free. A
    // waiting poll search is dropped; queued requests still run first.
    Order requestClose();

    // Nothing may poll: a tick is out, a search waits or is due, a job runs or its result shows, an
    // action button is pressed, the mouse restarts.
    bool busy() const;
    // A job runs or its result shows, an action button is pressed, or the mouse restarts after a
    // firmware update: the pages belong to it.
    bool holdsWindow() const { return running_ || showing_ || pressed_ || restart_ != Restart::None; }
    bool jobRunning() const { return running_; }
    bool pressed() const { return pressed_; }
    bool searchWaiting() const { return searchWaiting_; }
    bool closePending() const { return closePending_; }
    bool restarting() const { return restart_ != Restart::None; }

private:
    enum class Restart { None, Waiting, Due };

    Order next();

    bool tickOut_ = false;
    bool announced_ = false;  // an announcement waits for the device to be free
    bool searchWaiting_ = false;
    bool searchDue_ = false;
    bool running_ = false;
    bool showing_ = false;
    bool pressed_ = false;
    bool closePending_ = false;
    bool searchReplaced_ = false;  // an InsteadOfSearch request is queued or running
    bool pointerOnButton_ = false;
    bool pointerMayHold_ = false;  // the waiting or due search waits for the pointer (one tick at most)
    Restart restart_ = Restart::None;
    struct Queued {
        std::uint64_t request;
        bool replacesSearch;
    };
    std::deque<Queued> queue_;
    std::deque<std::uint64_t> afterSearch_;  // AfterSearch requests while a search may come
};

}  // namespace varnel
