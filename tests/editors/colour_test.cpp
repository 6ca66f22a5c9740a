#include "editors/colour.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(DeviceColour, PickedChannelToPercent) {
    struct Row {
        int channel, percent;
    };
    for (const Row r : {Row{255, 100}, Row{254, 99}, Row{128, 50}, Row{3, 1}, Row{2, 0}, Row{0, 0}})
        EXPECT_EQ(percentOfChannel(static_cast<std::uint8_t>(r.channel)), r.percent) << r.channel;
    EXPECT_EQ(percentColour(Rgb{255, 0, 0}), (PercentColour{100, 0, 0}));
}

TEST(DeviceColour, StoredPercentToScreen) {
    struct Row {
        int percent, channel;
    };
    // Above 100 only a damaged image holds: shown as full.
    for (const Row r : {Row{100, 255}, Row{50, 127}, Row{99, 252}, Row{1, 2}, Row{0, 0}, Row{101, 255}, Row{255, 255}})
        EXPECT_EQ(channelOfPercent(static_cast<std::uint8_t>(r.percent)), r.channel) << r.percent;
    EXPECT_EQ(screenColour(PercentColour{100, 150, 0}), (Rgb{255, 255, 0}));
}

}  // namespace
}  // namespace varnel
