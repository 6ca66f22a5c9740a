#include "platform/pointer_store.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace varnel {
namespace {

using PS = PointerSetting;

TEST(PointerReading, StoredTextIsADecimalNumberOfTheSettingsRange) {
    struct Row {
        PS setting;
        const char* text;
        std::optional<int> number;
    };
    const std::vector<Row> rows{
        {PS::Speed, "10", 10},
        {PS::Speed, "1", 1},
        {PS::Speed, "20", 20},
        {PS::Speed, "0", std::nullopt},
        {PS::Speed, "21", std::nullopt},
        {PS::Speed, "-5", std::nullopt},
        {PS::DoubleClick, "270", 270},
        {PS::DoubleClick, "5000", 5000},
        {PS::DoubleClick, "5001", std::nullopt},
        {PS::DoubleClick, " 500", std::nullopt},
        {PS::DoubleClick, "5e2", std::nullopt},
        {PS::DoubleClick, "99999999999999999999", std::nullopt},
        {PS::WheelLines, "3", 3},
        {PS::WheelLines, "", std::nullopt},
        {PS::WheelLines, "three", std::nullopt},
        {PS::WheelLines, "2.5", std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const PointerReading r = readingFromText(row.setting, row.text);
        EXPECT_TRUE(r.present);
        EXPECT_EQ(r.number, row.number);
    }
}

TEST(PointerReading, SpeedFactorsMapOntoTheBarsScaleAndBack) {
    const std::vector<std::pair<double, std::optional<int>>> rows{
        {0.0, 10},
        {-0.6, 4},
        {1.0, 20},
        {-0.9, 1},
        {0.2, 12},
        {0.20000000000000001, 12},
        {-1.0, std::nullopt},
        {0.25, std::nullopt},
        {1.5, std::nullopt},
        {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
    };
    for (const auto& [factor, speed] : rows) {
        SCOPED_TRACE(factor);
        EXPECT_EQ(speedFromFactor(factor).number, speed);
        if (speed) {
            EXPECT_NEAR(factorFromSpeed(*speed), factor, 1e-12);
        }
    }
}

}  // namespace
}  // namespace varnel
