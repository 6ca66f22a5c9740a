#include "device/hotplug.h"

#include <gtest/gtest.h>

#include "platform/hidraw_monitor.h"

namespace varnel {
namespace {

using Action = HidrawAnnouncement::Action;

TEST(Hotplug, OnlyTheSearchedIdsCallForASearchAndARemovalMatchesWhatArrived) {
    const DeviceIdTable table{DeviceId{0x1209, 0x0001}, DeviceId{}};
    const DeviceId mouse{0x1209, 0x0001};
    struct Row {
        Action action;
        const char* node;
        std::optional<DeviceId> ids;
        bool search;
    };
    const Row rows[] = {
        {Action::Added, "/sys/hidraw0", mouse, true},
        {Action::Added, "/sys/hidraw1", DeviceId{0x046d, 0xc077}, false},  // another vendor
        {Action::Added, "/sys/hidraw2", DeviceId{0x1209, 0x0002}, false},  // another product
        {Action::Added, "/sys/hidraw3", std::nullopt, false},              // ids unreadable
        {Action::Added, "/sys/hidraw4", DeviceId{0, 0}, false},            // the empty entry is no id
        {Action::Other, "/sys/hidraw0", std::nullopt, false},              // a change
        {Action::Removed, "/sys/hidraw1", std::nullopt, false},
        {Action::Removed, "/sys/hidraw0", std::nullopt, true},  // without ids: known from its arrival
        {Action::Removed, "/sys/hidraw0", std::nullopt, false},  // told twice
        {Action::Added, "/sys/hidraw1", mouse, true},            // the node's number comes back for the mouse
        {Action::Removed, "/sys/hidraw1", std::nullopt, true},
    };
    HotplugFilter filter(table);
    for (const Row& r : rows) {
        EXPECT_EQ(filter.concernsMouse({r.action, r.node, r.ids}), r.search)
            << static_cast<int>(r.action) << " " << r.node;
    }
}

TEST(Hotplug, HidIdIsBusVendorProductInHex) {
    struct Row {
        const char* text;
        std::optional<DeviceId> ids;
    };
    const Row rows[] = {
        {"0003:00001209:00000001", DeviceId{0x1209, 0x0001}},
        {"0005:0000046D:0000B023", DeviceId{0x046d, 0xb023}},
        {"0003:00001209", std::nullopt},
        {"0003:00001209:", std::nullopt},
        {"0003:0000120G:00000001", std::nullopt},
        {"", std::nullopt},
    };
    for (const Row& r : rows) EXPECT_EQ(parseHidId(r.text), r.ids) << r.text;
}

}  // namespace
}  // namespace varnel
