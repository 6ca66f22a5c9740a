// The window's way from a HID node coming or going to the search, without the window: the hidraw
// monitor and its filter, the job scheduler and the poller on the real HID bus, in one poll()
// loop. The kernel test runs it in its guest while the mouse and another device are plugged in
// and out, and reads the times it prints (milliseconds since its start):
//   <ms> announced add|remove <node> <vid:pid>|- concerns=0|1
//   <ms> search
//   <ms> mouse read | no mouse | mouse not read
//   <ms> wake-ups <n>             (poll() returns, at the end)
//
//   hotplug_probe --source kernel|udev --mode announce|poll --settle-ms N --for-ms N
#include <poll.h>

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "common/resources.h"
#include "config/default_image.h"
#include "device/hotplug.h"
#include "platform/hidapi_bus.h"
#include "platform/hidraw_monitor.h"
#include "shell/job_scheduler.h"
#include "transfers/app_model.h"

using namespace varnel;

namespace {

struct Options {
    HidrawMonitor::Source source = HidrawMonitor::Source::Kernel;
    bool poll = false;
    Millis settle = kSearchSettleTime;
    Millis duration{10000};
};

std::optional<Options> parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view name = argv[i], value = argv[i + 1];
        long long n = 0;
        const bool number = std::from_chars(value.data(), value.data() + value.size(), n).ec == std::errc();
        if (name == "--source" && (value == "kernel" || value == "udev"))
            o.source = value == "kernel" ? HidrawMonitor::Source::Kernel : HidrawMonitor::Source::Udev;
        else if (name == "--mode" && (value == "announce" || value == "poll"))
            o.poll = value == "poll";
        else if (name == "--settle-ms" && number)
            o.settle = Millis(n);
        else if (name == "--for-ms" && number)
            o.duration = Millis(n);
        else
            return std::nullopt;
    }
    return o;
}

bool goesOn(const PollStep& s) { return s.kind != PollStepKind::Idle && s.kind != PollStepKind::Skipped; }

class Probe {
public:
    Probe(const Options& o, std::unique_ptr<HidrawMonitor> monitor)
        : o_(o),
          clock_(std::make_shared<SteadyClock>()),
          bus_(HidapiBusOptions{}, clock_),
          model_(state_, bus_, *clock_),
          monitor_(std::move(monitor)),
          filter_(DeviceIdTable{}),
          start_(clock_->now()) {}

    int run() {
        auto images = embeddedDefaultImages();
        if (!images) return say("no default image"), 1;
        if (auto s = model_.start({std::move(*images), resourceCopy("DefaultFW"), {}}); !s)
            return say("default image: " + s.error().message), 1;
        filter_ = HotplugFilter(state_.DeviceIdTable);
        for (const HidrawAnnouncement& a : monitor_->present()) (void)filter_.concernsMouse(a);
        nextTick_ = o_.poll ? std::optional(clock_->now() + kPollInterval) : std::nullopt;
        long wakeups = 0;
        while (clock_->now() - start_ < o_.duration) {
            pollfd fd{monitor_->fd(), POLLIN, 0};
            ::poll(&fd, 1, static_cast<int>(timeout().count()));
            ++wakeups;
            if (fd.revents & POLLIN) readAnnouncements();
            if (settleAt_ && clock_->now() >= *settleAt_) {
                settleAt_.reset();
                carryOut(scheduler_.settleWaitOver());
            }
            if (nextTick_ && clock_->now() >= *nextTick_) {
                nextTick_ = clock_->now() + kPollInterval;
                carryOut(scheduler_.devTimerTick());
            }
        }
        say("wake-ups " + std::to_string(wakeups));
        return 0;
    }

private:
    Millis timeout() const {
        Millis t = o_.duration - (clock_->now() - start_);
        for (const auto& at : {settleAt_, nextTick_}) {
            if (at) t = std::min(t, *at - clock_->now());
        }
        return std::max(t, Millis(0));
    }

    void say(const std::string& line) const {
        std::printf("%lld %s\n", static_cast<long long>((clock_->now() - start_).count()), line.c_str());
        std::fflush(stdout);
    }

    void readAnnouncements() {
        bool concerns = false;
        while (const auto a = monitor_->receive()) {
            const bool c = filter_.concernsMouse(*a);
            char ids[16] = "-";
            if (a->ids) std::snprintf(ids, sizeof ids, "%04x:%04x", a->ids->vendorId, a->ids->productId);
            const char* action = a->action == HidrawAnnouncement::Action::Added     ? "add"
                                 : a->action == HidrawAnnouncement::Action::Removed ? "remove"
                                                                                    : "other";
            say(std::string("announced ") + action + " " + a->node + " " + ids + " concerns=" + (c ? "1" : "0"));
            concerns |= c;
        }
        if (concerns && !o_.poll) carryOut(scheduler_.deviceAnnounced());
    }

    void carryOut(JobScheduler::Order order) {
        using Do = JobScheduler::Do;
        for (;;) {
            if (order.startSettleWait) settleAt_ = clock_->now() + o_.settle;
            switch (order.what) {
                case Do::PollTick: order = tickDone(model_.pollTick()); continue;
                case Do::Announce: order = tickDone(model_.deviceAnnounced()); continue;
                case Do::StartSearch: search(); order = scheduler_.resultShown(); continue;
                default: return;
            }
        }
    }

    JobScheduler::Order tickDone(PollStep step) {
        pending_ = goesOn(step) ? std::optional(step) : std::nullopt;
        return scheduler_.pollTickDone(pending_.has_value());
    }

    void search() {
        say("search");
        PollStep step = pending_ ? model_.advance(*pending_) : PollStep{};
        while (goesOn(step)) {
            if (step.kind == PollStepKind::Wait) clock_->sleepFor(o_.settle);
            step = model_.advance(step);
        }
        const SearchOutcome& out = model_.lastSearch();
        say(out.found ? (out.read.ok() ? "mouse read" : "mouse not read: " + out.read.error.message) : "no mouse");
        scheduler_.finished();
    }

    Options o_;
    std::shared_ptr<SteadyClock> clock_;
    HidapiBus bus_;
    AppState state_;
    AppModel model_;
    std::unique_ptr<HidrawMonitor> monitor_;
    HotplugFilter filter_;
    JobScheduler scheduler_;
    std::optional<PollStep> pending_;
    std::optional<Millis> settleAt_, nextTick_;
    Millis start_;
};

}  // namespace

int main(int argc, char** argv) {
    const auto options = parse(argc, argv);
    if (!options || argc % 2 == 0) {
        std::fprintf(stderr, "usage: hotplug_probe --source kernel|udev --mode announce|poll --settle-ms N --for-ms N\n");
        return 2;
    }
    auto monitor = HidrawMonitor::open(options->source);
    if (!monitor) {
        std::fprintf(stderr, "hotplug_probe: %s\n", monitor.error().message.c_str());
        return 1;
    }
    return Probe(*options, std::move(monitor).value()).run();
}
