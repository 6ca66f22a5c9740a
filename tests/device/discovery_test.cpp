#include "device/discovery.h"

#include <gtest/gtest.h>

#include <deque>

#include "device/virtual_rig.h"

namespace varnel {
namespace {

using testing::VirtualRig;
using Lines = std::vector<std::string>;

// Records which paths were opened, and can pretend permission is missing.
class WatchingBus final : public HidBus {
public:
    explicit WatchingBus(HidBus& inner) : inner_(inner) {}
    std::vector<HidInterfaceInfo> enumerate() override { return inner_.enumerate(); }
    OpenResult open(const std::string& path) override {
        opened.push_back(path);
        if (deny) return {OpenStatus::PermissionDenied, nullptr, "denied"};
        return inner_.open(path);
    }
    Lines opened;
    bool deny = false;

private:
    HidBus& inner_;
};

// A bus whose interface count follows a script, one entry per enumeration.
class FlickerBus final : public HidBus {
public:
    std::vector<HidInterfaceInfo> enumerate() override {
        std::size_t n = counts.empty() ? 0 : counts.front();
        if (!counts.empty()) counts.pop_front();
        return std::vector<HidInterfaceInfo>(n);
    }
    OpenResult open(const std::string&) override { return {}; }
    std::deque<int> counts;
};

TEST(OpenDevice, ProbesEveryMatchingInterface) {
    struct Case {
        int interfaces;
        Lines trace;
        bool sameChannel;
    };
    const Case cases[] = {
        {1, {"S0 40 02 00 11 00 01 00 00", "S0 41 00 00 00 00 00 00 00"}, true},
        {2,
         {"S0 40 02 00 11 00 01 00 00", "S0! 41 00 00 00 00 00 00 00", "S1! 40 02 00 11 00 01 00 00",
          "S1 41 00 00 00 00 00 00 00"},
         false},
    };
    for (const auto& c : cases) {
        VirtualRig rig("wren-rgb-3330", c.interfaces);
        WatchingBus watch(rig.traced);
        OpenOutcome o = OpenDevice(watch, 0x1209, 0x0001);
        EXPECT_TRUE(o.found);
        ASSERT_TRUE(o.channels.command && o.channels.data);
        EXPECT_EQ(o.channels.command == o.channels.data, c.sameChannel);
        EXPECT_EQ(rig.trace, c.trace);
        EXPECT_EQ(watch.opened.size(), static_cast<std::size_t>(c.interfaces))
            << "pointer, keyboard collection and foreign keyboard are never opened";
    }
}

TEST(OpenDevice, OutcomesWithoutAUsableMouse) {
    VirtualRig rig("wren-rgb-3330");
    EXPECT_FALSE(OpenDevice(rig.bus, 0x1209, 0x0002).found) << "other product id";
    EXPECT_FALSE(OpenDevice(rig.bus, 0x2F01, 0x0A11).found) << "the keyboard has no 8-byte feature report";

    WatchingBus denied(rig.bus);
    denied.deny = true;
    OpenOutcome o = OpenDevice(denied, 0x1209, 0x0001);
    EXPECT_FALSE(o.found);
    EXPECT_EQ(o.permissionDenied.size(), 1u);

    VirtualMouseOptions opts = testing::mouseOptions("wren-rgb-3330");
    opts.refuseReport = 1;  // the command probe
    VirtualRig half(opts);
    OpenOutcome h = OpenDevice(half.bus, 0x1209, 0x0001);
    EXPECT_TRUE(h.found);
    EXPECT_FALSE(h.channels.command);
    EXPECT_TRUE(h.channels.data);
}

// Drives a tick to its end the way a caller would, recording the steps.
std::vector<PollStepKind> drive(DevicePoller& poller, PollStep step) {
    std::vector<PollStepKind> kinds{step.kind};
    while (step.kind == PollStepKind::Wait || step.kind == PollStepKind::ReadDevInfo ||
           step.kind == PollStepKind::DeviceRemoved) {
        if (step.kind == PollStepKind::Wait) {
            EXPECT_EQ(step.wait, Millis(2000));
        }
        step = poller.resume();
        kinds.push_back(step.kind);
    }
    return kinds;
}

constexpr DeviceIdTable kTable{{{0x1209, 0x0001}, {0, 0}}};

TEST(DevicePoller, FirstTickFindsTheMouseThenQuietUntilTheCountChanges) {
    VirtualRig rig("wren-rgb-3330");
    DevicePoller poller(rig.traced, rig.link);
    poller.setDeviceIdTable(kTable);
    using K = PollStepKind;
    EXPECT_EQ(drive(poller, poller.pollTick()), (std::vector<K>{K::Wait, K::ReadDevInfo, K::Idle}));
    EXPECT_TRUE(rig.link.hasBothChannels());
    EXPECT_EQ(poller.LastHidCount(), 4);
    EXPECT_FALSE(poller.PollBusy());

    rig.trace.clear();
    EXPECT_EQ(drive(poller, poller.pollTick()), (std::vector<K>{K::Idle}));
    EXPECT_TRUE(rig.trace.empty());

    // Another keyboard arrives: search again and find the mouse anew. The mouse keeps its channels
    // through the wait (an action may still use them); ReFindDev lets go of them at once.
    rig.bus.addForeignKeyboard();
    EXPECT_EQ(poller.pollTick().kind, K::Wait);
    EXPECT_TRUE(rig.link.hasBothChannels());
    EXPECT_EQ(drive(poller, poller.resume()), (std::vector<K>{K::ReadDevInfo, K::Idle}));
    EXPECT_EQ(poller.LastHidCount(), 5);

    // The mouse leaves: the next tick ends in the no-device transition with no channels.
    rig.mouse->unplug();
    EXPECT_EQ(drive(poller, poller.pollTick()), (std::vector<K>{K::Wait, K::DeviceRemoved, K::Idle}));
    EXPECT_FALSE(rig.link.channels().command);
    EXPECT_EQ(poller.LastHidCount(), 2);
}

// An announcement searches with no count taken (its settle wait starts at once), and leaves a kept
// mouse that still answers alone.
TEST(DevicePoller, AnnouncementSearchesLikeAChangedCount) {
    VirtualRig rig("wren-rgb-3330");
    DevicePoller poller(rig.traced, rig.link);
    poller.setDeviceIdTable(kTable);
    using K = PollStepKind;
    EXPECT_EQ(drive(poller, poller.deviceAnnounced()), (std::vector<K>{K::Wait, K::ReadDevInfo, K::Idle}));
    poller.keepMouse();
    EXPECT_EQ(poller.deviceAnnounced().kind, K::Idle);
    EXPECT_EQ(poller.deviceAnnounced().kind, K::Idle);
    rig.mouse->unplug();
    EXPECT_EQ(poller.deviceAnnounced().kind, K::Wait);
    EXPECT_EQ(poller.deviceAnnounced().kind, K::Skipped);
    EXPECT_EQ(drive(poller, poller.resume()), (std::vector<K>{K::DeviceRemoved, K::Idle}));
    EXPECT_FALSE(poller.keepsMouse());
    EXPECT_EQ(poller.LastHidCount(), 0);
}

TEST(DevicePoller, TickDuringASearchIsSkipped) {
    VirtualRig rig("wren-rgb-3330");
    DevicePoller poller(rig.traced, rig.link);
    poller.setDeviceIdTable(kTable);
    EXPECT_EQ(poller.pollTick().kind, PollStepKind::Wait);
    EXPECT_TRUE(poller.PollBusy());
    EXPECT_EQ(poller.pollTick().kind, PollStepKind::Skipped);
    EXPECT_EQ(poller.resume().kind, PollStepKind::ReadDevInfo);
    EXPECT_EQ(poller.resume().kind, PollStepKind::Idle);
    EXPECT_FALSE(poller.PollBusy());
}

// A tick and ReFindDev may overlap while the caller waits out a search's settle time. Whichever
// comes second, the one search runs to its end, the tick's busy flag is released, and plugging
// and unplugging are noticed afterwards.
TEST(DevicePoller, TickAndReFindDevDuringEachOthersSearch) {
    using K = PollStepKind;
    struct Case {
        const char* name;
        bool tickFirst;
        K second;        // what the later call returns
        int countAfter;  // LastHidCount once the search ends
    };
    const Case cases[] = {
        {"ReFindDev while a tick's search waits restarts the search", true, K::Wait, 4},
        {"tick while a ReFindDev search waits is skipped", false, K::Skipped, 0},
    };
    for (const auto& c : cases) {
        VirtualRig rig("wren-rgb-3330");
        DevicePoller poller(rig.traced, rig.link);
        poller.setDeviceIdTable(kTable);
        EXPECT_EQ((c.tickFirst ? poller.pollTick() : poller.ReFindDev()).kind, K::Wait) << c.name;
        EXPECT_EQ((c.tickFirst ? poller.ReFindDev() : poller.pollTick()).kind, c.second) << c.name;
        EXPECT_EQ(drive(poller, poller.resume()), (std::vector<K>{K::ReadDevInfo, K::Idle})) << c.name;
        EXPECT_TRUE(rig.link.hasBothChannels()) << c.name;
        EXPECT_FALSE(poller.PollBusy()) << c.name;
        EXPECT_EQ(poller.LastHidCount(), c.countAfter) << c.name;

        rig.mouse->unplug();
        EXPECT_EQ(drive(poller, poller.pollTick()), (std::vector<K>{K::Wait, K::DeviceRemoved, K::Idle})) << c.name;
        EXPECT_EQ(poller.LastHidCount(), 1) << "the keyboard stays: " << c.name;
        EXPECT_FALSE(poller.PollBusy()) << c.name;
    }
}

TEST(DevicePoller, CountStability) {
    struct Case {
        const char* name;
        std::deque<int> counts;  // a, b of five passes
        bool searches;
        int kept;
    };
    const Case cases[] = {
        {"one stable pair", {3, 4, 3, 4, 3, 4, 3, 4, 3, 3}, false, 0},
        {"two stable pairs", {3, 4, 3, 4, 3, 4, 3, 3, 7, 7}, true, 7},
        {"all stable", {5, 5, 5, 5, 5, 5, 5, 5, 5, 5}, true, 5},
        {"no interface at all is a population too", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, true, 0},
    };
    for (const auto& c : cases) {
        FlickerBus bus;
        bus.counts = c.counts;
        DeviceLink link;
        DevicePoller poller(bus, link);
        poller.setDeviceIdTable(kTable);
        auto kinds = drive(poller, poller.pollTick());
        EXPECT_EQ(kinds.front() == PollStepKind::Wait, c.searches) << c.name;
        EXPECT_EQ(poller.LastHidCount(), c.kept) << c.name;
        EXPECT_FALSE(poller.PollBusy()) << c.name;
    }
}

TEST(DevicePoller, TableWalk) {
    using K = PollStepKind;
    struct Case {
        const char* name;
        DeviceIdTable table;
        std::vector<K> steps;
    };
    const Case cases[] = {
        {"empty first entry removes, then the second finds",
         {{{0, 0}, {0x1209, 0x0001}}},
         {K::DeviceRemoved, K::Wait, K::ReadDevInfo, K::Idle}},
        {"zero product id counts as empty", {{{0x1209, 0}, {0, 0}}}, {K::DeviceRemoved, K::DeviceRemoved, K::Idle}},
        {"wrong ids, then empty", {{{0x1209, 0x0009}, {0, 0}}}, {K::Wait, K::DeviceRemoved, K::Idle}},
    };
    for (const auto& c : cases) {
        VirtualRig rig("lark-rgb-a3050");
        DevicePoller poller(rig.bus, rig.link);
        poller.setDeviceIdTable(c.table);
        EXPECT_EQ(drive(poller, poller.ReFindDev()), c.steps) << c.name;
        EXPECT_EQ(poller.LastHidCount(), 0) << "ReFindDev leaves the count alone: " << c.name;
    }
}

TEST(DevicePoller, SearchForgetsOldChannelsFirst) {
    VirtualRig rig("wren-rgb-3330");
    ASSERT_TRUE(rig.open());
    rig.mouse->unplug();
    DevicePoller poller(rig.bus, rig.link);
    poller.setDeviceIdTable(kTable);
    EXPECT_EQ(poller.ReFindDev().kind, PollStepKind::Wait);
    EXPECT_FALSE(rig.link.channels().command);
    EXPECT_FALSE(rig.link.channels().data);
}

}  // namespace
}  // namespace varnel
