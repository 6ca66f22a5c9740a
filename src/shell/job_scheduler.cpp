#include "shell/job_scheduler.h"

namespace varnel {

bool JobScheduler::busy() const { return tickOut_ || searchWaiting_ || searchDue_ || holdsWindow(); }

JobScheduler::Order JobScheduler::devTimerTick() {
    if (closePending_) return {};
    if (searchDue_ && pointerMayHold_) {
        // The pointer has held the due search for a tick: it waits no longer.
        pointerMayHold_ = false;
        return next();
    }
    if (busy()) return {};
    tickOut_ = true;
    return {Do::PollTick};
}

JobScheduler::Order JobScheduler::pollTickDone(bool searchPending, bool forKeptMouse) {
    tickOut_ = false;
    // A ReFindDev submitted while the tick was out searches anyway.
    const bool wait = searchPending && !closePending_ && !searchReplaced_;
    if (wait) pointerMayHold_ = forKeptMouse;
    // The search after this wait covers an announcement that came meanwhile.
    if (wait || searchWaiting_) announced_ = false;
    searchWaiting_ = searchWaiting_ || wait;
    Order order = next();
    order.startSettleWait = wait;
    return order;
}

JobScheduler::Order JobScheduler::deviceAnnounced() {
    if (closePending_) return {};
    // The search to come covers it (the mouse's interfaces arrive one by one within its wait); a
    // pointer on a button no longer holds it.
    if (searchWaiting_ || searchDue_) {
        pointerMayHold_ = false;
        return next();
    }
    announced_ = true;
    return next();
}

JobScheduler::Order JobScheduler::pointerOnButton(bool on) {
    pointerOnButton_ = on;
    return next();
}

JobScheduler::Order JobScheduler::settleWaitOver() {
    if (!searchWaiting_) return {};
    searchWaiting_ = false;
    searchDue_ = true;
    return next();
}

JobScheduler::Order JobScheduler::submit(std::uint64_t request, Turn turn) {
    const bool replaces = turn == Turn::InsteadOfSearch;
    if (replaces) {
        searchWaiting_ = searchDue_ = false;
        searchReplaced_ = true;
    }
    if (turn == Turn::AfterSearch)
        afterSearch_.push_back(request);
    else
        queue_.push_back({request, replaces});
    return next();
}

void JobScheduler::finished() {
    running_ = false;
    showing_ = true;
    searchReplaced_ = false;
    for (const Queued& q : queue_) searchReplaced_ |= q.replacesSearch;
}

JobScheduler::Order JobScheduler::resultShown() {
    showing_ = false;
    return next();
}

void JobScheduler::restartBegins() {
    restart_ = Restart::Waiting;
    searchWaiting_ = searchDue_ = false;
}

JobScheduler::Order JobScheduler::restartWaitOver() {
    if (restart_ != Restart::Waiting) return {};
    restart_ = closePending_ ? Restart::None : Restart::Due;
    return next();
}

void JobScheduler::press() { pressed_ = true; }

JobScheduler::Order JobScheduler::release() {
    pressed_ = false;
    return next();
}

JobScheduler::Order JobScheduler::requestClose() {
    closePending_ = true;
    searchWaiting_ = searchDue_ = announced_ = false;
    return next();
}

JobScheduler::Order JobScheduler::next() {
    // Requests that wait for a search join the queue once none can come any more: no search waits
    // or is due, and no tick is out that might announce one.
    if (!tickOut_ && !searchWaiting_ && !searchDue_) {
        for (std::uint64_t request : afterSearch_) queue_.push_back({request, false});
        afterSearch_.clear();
    }
    if (running_ || showing_ || tickOut_ || restart_ == Restart::Waiting) return {};
    if (restart_ == Restart::Due) {
        restart_ = Restart::None;
        running_ = true;
        return {Do::FindRestartedMouse};
    }
    // A user's request goes before a search the poll has waited for: it runs on the channels the
    // mouse still has.
    if (!queue_.empty()) {
        const Queued q = queue_.front();
        queue_.pop_front();
        running_ = true;
        return {Do::Run, q.request};
    }
    // A pressed action button is about to submit its request: the search waits for it too, and
    // for a pointer that may hold it.
    if (searchDue_ && !pressed_ && !(pointerOnButton_ && pointerMayHold_)) {
        searchDue_ = false;
        running_ = true;
        return {Do::StartSearch};
    }
    if (announced_ && !busy()) {
        announced_ = false;
        tickOut_ = true;
        return {Do::Announce};
    }
    if (closePending_ && !busy()) return {Do::Close};
    return {};
}

}  // namespace varnel
