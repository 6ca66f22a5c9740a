#include "device/trace.h"

#include <gtest/gtest.h>

#include "device/virtual_rig.h"

namespace varnel {
namespace {

TEST(Trace, LineFormat) {
    const FeatureReport r{0x40, 0x0E, 0, 0, 0, 0, 0, 0xAB};
    EXPECT_EQ(traceLine('S', 0, ReportStatus::Ok, r), "S0 40 0E 00 00 00 00 00 AB");
    EXPECT_EQ(traceLine('G', 1, ReportStatus::Refused, r), "G1! 40 0E 00 00 00 00 00 AB");
    EXPECT_EQ(traceLine('S', 12, ReportStatus::Gone, r), "S12! 40 0E 00 00 00 00 00 AB");
}

TEST(Trace, NumbersOnlyTheMousesEightByteInterfaces) {
    // A bus with an unrelated interface of the same ids between the two vendor interfaces' owner
    // and another one before it: numbering skips both.
    auto clock = std::make_shared<ManualClock>();
    VirtualBus bus;
    HidInterfaceInfo sameIdsShortFeature{"virtual/odd", 0x1209, 0x0001, 4, 3, "odd"};
    HidInterfaceInfo otherVendorEightBytes{"virtual/other", 0x1234, 0x0001, 8, 0, "other"};
    bus.addUnrelated(sameIdsShortFeature);
    bus.addUnrelated(otherVendorEightBytes);
    bus.addMouse(std::make_shared<VirtualMouse>(testing::mouseOptions("wren-rgb-3330", 2), clock));
    std::vector<std::string> lines;
    TracingBus traced(bus, 0x1209, 0x0001, [&](std::string_view l) { lines.emplace_back(l); });
    auto list = traced.enumerate();
    auto data = traced.open(list[4].path).channel;  // the mouse's second vendor interface
    FeatureReport get{0x41, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(data->getFeatureReport(get), ReportStatus::Ok);
    FeatureReport cmd{0x40, 0x11, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(data->sendFeatureReport(cmd), ReportStatus::Refused);
    FeatureReport refusedGet{0x40, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(data->getFeatureReport(refusedGet), ReportStatus::Refused);
    auto other = traced.open(list[1].path).channel;
    EXPECT_EQ(other->sendFeatureReport(cmd), ReportStatus::Refused);
    EXPECT_EQ(lines, (std::vector<std::string>{"G1 41 00 00 00 00 00 00 00", "S1! 40 11 00 00 00 00 00 00",
                                               "G1! 40 00 00 00 00 00 00 00"}));
}

}  // namespace
}  // namespace varnel
