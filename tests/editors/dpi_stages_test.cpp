#include "editors/dpi_stages.h"

#include <gtest/gtest.h>

#include <vector>

#include "config/layout.h"

namespace varnel {
namespace {

using Codes = std::array<std::uint8_t, 4>;
constexpr std::uint8_t kOff = 255;

// The DPI bytes of an image shown for a Wren mouse with `sensor` and RGB lighting.
struct Shown {
    AppState state;
    DpiStages stages{state};

    Shown(const char* sensor, Codes codes, std::uint8_t count, std::uint8_t current = 0) {
        state.SensorModel = sensor;
        state.LightingKind = LightingKind::Rgb;
        state.EditCopy.chip = ChipModel::Wren;
        setBytes(codes, count, current);
        stages.load();
        stages.loadColours();
    }
    void setBytes(Codes codes, std::uint8_t count, std::uint8_t current = 0) {
        std::copy(codes.begin(), codes.end(), state.EditCopy.bytes.begin() + param_a::kDpiCode);
        state.EditCopy.bytes[param_a::kDpiStageCount] = count;
        state.EditCopy.bytes[param_b::kCurrentDpiStage] = current;
    }
    // Bytes 6..10 after the store.
    std::vector<int> stored() {
        stages.store();
        const auto& b = state.EditCopy.bytes;
        return {b[6], b[7], b[8], b[9], b[10]};
    }
    std::vector<std::string> values() const {
        std::vector<std::string> out;
        for (int n = 1; n <= kDpiStages; ++n) out.push_back(stages.stage(n).value);
        return out;
    }
    std::vector<int> lit() const {
        std::vector<int> out;
        for (int n = 1; n <= kDpiStages; ++n) out.push_back(stages.stage(n).lit);
        return out;
    }
};

// Every stage whose code is not 255 is translated, switched on or not; a code the sensor does
// not have shows an empty text and an unlit bar; a switched-off stage keeps its text and bar.
TEST(DpiStages, LoadTranslatesEveryStageThroughItsSensor) {
    struct Row {
        const char* sensor;
        Codes codes;
        std::uint8_t count;
        std::vector<std::string> values;
        std::vector<int> lit;
    };
    const Row rows[] = {
        {"A3050", {1, 8, 0, 4}, 4, {"250", "2000", "4000", "1000"}, {1, 8, 9, 4}},
        {"6520", {0, 9, 4, kOff}, 3, {"400", "3200", "1000", "2000"}, {1, 10, 5, 8}},
        {"3330", {143, 5, 4, kOff}, 3, {"7200", "300", "", ""}, {20, 1, 0, 0}},
        {"3310", {100, 200, 4, 8}, 4, {"5000", "", "200", "400"}, {20, 0, 1, 2}},
        {"A5050", {17, 3, 17, 18}, 2, {"2750", "375", "2750", ""}, {17, 3, 17, 0}},
    };
    for (const auto& r : rows) {
        Shown shown(r.sensor, r.codes, r.count);
        EXPECT_EQ(shown.values(), r.values) << r.sensor;
        EXPECT_EQ(shown.lit(), r.lit) << r.sensor;
        EXPECT_EQ(shown.state.ActiveDpiLevels, r.count) << r.sensor;
    }
}

TEST(DpiStages, WithoutASensorTheTextsAndBarsStay) {
    Shown shown("", {4, 6, 8, 0}, 2, 1);
    EXPECT_EQ(shown.values(), (std::vector<std::string>{"500", "1000", "1000", "2000"}));
    EXPECT_EQ(shown.state.ActiveDpiLevels, 2);
    EXPECT_EQ(shown.stages.current(), 2);
    EXPECT_FALSE(shown.stages.selectStep(1, 3));
    EXPECT_EQ(shown.stored(), (std::vector<int>{4, 6, kOff, kOff, 2})) << "unreadable codes are kept";
}

// Stages switch on only at the top of the run and off only from its top; the last one stays.
TEST(DpiStages, OnOffSequences) {
    struct Click {
        int stage;
        int activeAfter;
        int currentAfter;
    };
    struct Row {
        std::uint8_t count;
        std::uint8_t current;  // CurrentDpiStage byte
        std::vector<Click> clicks;
    };
    const Row rows[] = {
        {3, 0, {{2, 3, 1}, {4, 4, 1}}},
        {3, 2, {{3, 2, 2}, {4, 2, 2}, {3, 3, 2}, {1, 3, 2}}},
        {1, 0, {{1, 1, 1}, {3, 1, 1}, {2, 2, 1}, {2, 1, 1}}},
        {4, 3, {{4, 3, 3}, {3, 2, 2}, {2, 1, 1}, {1, 1, 1}, {0, 1, 1}, {5, 1, 1}}},
    };
    for (const auto& r : rows) {
        Shown shown("3330", {5, 11, 17, 23}, r.count, r.current);
        for (const auto& c : r.clicks) {
            shown.stages.toggleStage(c.stage);
            EXPECT_EQ(shown.state.ActiveDpiLevels, c.activeAfter) << int(r.count) << " click " << c.stage;
            EXPECT_EQ(shown.stages.current(), c.currentAfter) << int(r.count) << " click " << c.stage;
        }
    }
}

TEST(DpiStages, SwitchedOffStageKeepsItsTextAndStoresTheOffCode) {
    Shown shown("3330", {5, 11, 17, 143}, 4, 3);
    ASSERT_TRUE(shown.stages.toggleStage(4));
    EXPECT_EQ(shown.stored(), (std::vector<int>{5, 11, 17, kOff, 3}));
    EXPECT_EQ(shown.state.EditCopy.bytes[param_b::kCurrentDpiStage], 2) << "stage 3 became current";
    EXPECT_EQ(shown.stages.stage(4).value, "7200");
    EXPECT_EQ(shown.stages.stage(4).lit, 20);
    EXPECT_FALSE(shown.stages.selectStep(4, 2)) << "its segments take no clicks";
    EXPECT_FALSE(shown.stages.makeCurrent(4)) << "nor its check box";
    ASSERT_TRUE(shown.stages.toggleStage(4));
    EXPECT_EQ(shown.stored(), (std::vector<int>{5, 11, 17, 143, 4})) << "on again with its old value";
}

TEST(DpiStages, SelectingAStepStoresItsCode) {
    struct Row {
        const char* sensor;
        int step;
        const char* value;
        int code;
    };
    const Row rows[] = {{"A3050", 9, "4000", 0}, {"6520", 10, "3200", 9}, {"3330", 20, "7200", 143}};
    for (const auto& r : rows) {
        Shown shown(r.sensor, {1, 1, 1, 1}, 4);
        ASSERT_TRUE(shown.stages.selectStep(2, r.step)) << r.sensor;
        EXPECT_EQ(shown.stages.stage(2).value, r.value) << r.sensor;
        EXPECT_EQ(shown.stages.stage(2).lit, r.step) << r.sensor;
        EXPECT_EQ(shown.stored()[1], r.code) << r.sensor;
        EXPECT_FALSE(shown.stages.selectStep(2, shown.stages.stepCount() + 1)) << r.sensor;
    }
}

// An unknown code keeps its byte; a stage switched on without a step of the sensor would be
// stored on with the off code, so it starts at the first step.
TEST(DpiStages, UnknownCodesAndStagesWithoutAStep) {
    Shown shown("3330", {4, 6, 8, 0}, 4);
    EXPECT_EQ(shown.stored(), (std::vector<int>{4, 6, 8, 0, 4}));
    shown.setBytes({5, 11, 17, kOff}, 3);
    shown.stages.load();
    EXPECT_EQ(shown.stages.stage(4).value, "") << "it has no 3330 step to keep";
    ASSERT_TRUE(shown.stages.toggleStage(4));
    EXPECT_EQ(shown.stages.stage(4).value, "300");
    EXPECT_EQ(shown.stages.stage(4).lit, 1);
    EXPECT_EQ(shown.stored(), (std::vector<int>{5, 11, 17, 5, 4}));
}

// A count of 0 or above 4 is shown as 1 or 4 stages, and stored only once a stage was changed.
TEST(DpiStages, StageCountOutOfRange) {
    struct Row {
        std::uint8_t count;
        int shown;
        int toggle;  // 0: select step 2 on stage 1
        std::vector<int> afterEdit;
    };
    const Row rows[] = {
        {0, 1, 0, {11, kOff, kOff, kOff, 1}},
        {9, 4, 4, {5, 11, 17, kOff, 3}},
        {255, 4, 0, {11, 11, 17, 23, 4}},
    };
    for (const auto& r : rows) {
        Shown shown("3330", {5, 11, 17, 23}, r.count);
        EXPECT_EQ(shown.state.ActiveDpiLevels, r.shown) << int(r.count);
        EXPECT_EQ(shown.stored(), (std::vector<int>{5, 11, 17, 23, r.count})) << int(r.count);
        shown.stages.makeCurrent(1);  // not a change of the stages
        EXPECT_EQ(shown.stored()[4], r.count) << int(r.count);
        if (r.toggle != 0) {
            shown.stages.toggleStage(r.toggle);
        } else {
            shown.stages.selectStep(1, 2);
        }
        EXPECT_EQ(shown.stored(), r.afterEdit) << int(r.count);
    }
}

TEST(DpiStages, CurrentStageOutOfRangeKeepsTheShownOne) {
    Shown shown("3330", {5, 11, 17, 23}, 4, 2);
    shown.setBytes({5, 11, 17, 23}, 4, 7);
    shown.stages.load();
    EXPECT_EQ(shown.stages.current(), 3);
}

// A percent above 100 shows as full and is kept as a byte until a colour is picked.
TEST(DpiStages, StageColours) {
    Shown shown("3330", {5, 11, 17, 23}, 4);
    auto& b = shown.state.EditCopy.bytes;
    const std::uint8_t image[12] = {100, 0, 0, 150, 20, 0, 0, 0, 100, 100, 100, 0};
    std::copy(std::begin(image), std::end(image), b.begin() + param_a::kStageColor);
    shown.stages.loadColours();
    EXPECT_EQ(shown.stages.stage(2).colour, (PercentColour{150, 20, 0}));
    EXPECT_EQ(screenColour(shown.stages.stage(2).colour), (Rgb{255, 51, 0}));
    ASSERT_TRUE(shown.stages.setColour(3, Rgb{255, 128, 254}));
    shown.stages.storeColours();
    const std::vector<int> stored(b.begin() + param_a::kStageColor, b.begin() + param_a::kStageColor + 12);
    EXPECT_EQ(stored, (std::vector<int>{100, 0, 0, 150, 20, 0, 100, 50, 99, 100, 100, 0}));

    shown.state.LightingKind = LightingKind::Color;  // colours are only an RGB mouse's
    shown.stages.loadColours();
    EXPECT_FALSE(shown.stages.coloursShown());
    EXPECT_FALSE(shown.stages.setColour(1, Rgb{0, 0, 0}));
    b[param_a::kStageColor] = 7;
    shown.stages.storeColours();
    EXPECT_EQ(b[param_a::kStageColor], 7);
}

}  // namespace
}  // namespace varnel
