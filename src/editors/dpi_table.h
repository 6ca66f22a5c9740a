#pragma once
// The resolution steps of the five sensors as one table: step k of a sensor has the DPI text the
// user sees and the one-byte code the image stores. The steps are not evenly spaced and the codes
// follow no single formula across the sensors, so the table is the definition and every lookup
// between step, text and code goes through it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "device/device_info.h"

namespace varnel {

struct SensorStep {
    std::string_view text;  // empty: the sensor has no such step
    std::uint8_t code = 0;
};

constexpr int kMaxSensorSteps = 20;

// Columns in the order of kSensorTable; row k - 1 holds step k.
inline constexpr std::array<std::string_view, kSensorTable.size()> kSensorStepColumns{"A3050", "A5050", "6520", "3310",
                                                                                      "3330"};

// clang-format off
inline constexpr std::array<std::array<SensorStep, kSensorTable.size()>, kMaxSensorSteps> kSensorSteps{{
    //  A3050         A5050          6520          3310           3330
    {{{"250", 1},   {"125", 1},   {"400", 0},   {"200", 4},    {"300", 5}}},
    {{{"500", 2},   {"250", 2},   {"500", 1},   {"400", 8},    {"600", 11}}},
    {{{"750", 3},   {"375", 3},   {"600", 2},   {"600", 12},   {"900", 17}}},
    {{{"1000", 4},  {"500", 4},   {"800", 3},   {"800", 16},   {"1200", 23}}},
    {{{"1250", 5},  {"625", 5},   {"1000", 4},  {"1000", 20},  {"1500", 29}}},
    {{{"1500", 6},  {"750", 6},   {"1200", 5},  {"1200", 24},  {"1800", 35}}},
    {{{"1750", 7},  {"875", 7},   {"1600", 6},  {"1400", 28},  {"2100", 41}}},
    {{{"2000", 8},  {"1000", 8},  {"2000", 7},  {"1600", 32},  {"2400", 47}}},
    {{{"4000", 0},  {"1125", 9},  {"2400", 8},  {"1800", 36},  {"2700", 53}}},
    {{{},           {"1250", 10}, {"3200", 9},  {"2000", 40},  {"3000", 59}}},
    {{{},           {"1375", 11}, {},           {"2200", 44},  {"3300", 65}}},
    {{{},           {"1500", 12}, {},           {"2400", 48},  {"3600", 71}}},
    {{{},           {"1750", 13}, {},           {"2600", 52},  {"4200", 83}}},
    {{{},           {"2000", 14}, {},           {"2800", 56},  {"4800", 95}}},
    {{{},           {"2250", 15}, {},           {"3000", 60},  {"5200", 103}}},
    {{{},           {"2500", 16}, {},           {"3400", 68},  {"5600", 111}}},
    {{{},           {"2750", 17}, {},           {"3800", 76},  {"6000", 119}}},
    {{{},           {},           {},           {"4200", 84},  {"6400", 127}}},
    {{{},           {},           {},           {"4600", 92},  {"6800", 135}}},
    {{{},           {},           {},           {"5000", 100}, {"7200", 143}}},
}};
// clang-format on

namespace detail {
constexpr int columnSteps(std::size_t column) {
    int n = 0;
    while (n < kMaxSensorSteps && !kSensorSteps[static_cast<std::size_t>(n)][column].text.empty()) ++n;
    return n;
}
constexpr bool columnsMatchSensors() {
    for (std::size_t c = 0; c < kSensorTable.size(); ++c) {
        if (kSensorStepColumns[c] != kSensorTable[c].model) return false;
        if (columnSteps(c) != kSensorTable[c].stepCount) return false;
        // A column's steps are one run from step 1: nothing after its first gap.
        for (int k = columnSteps(c); k < kMaxSensorSteps; ++k) {
            if (!kSensorSteps[static_cast<std::size_t>(k)][c].text.empty()) return false;
        }
    }
    return true;
}
}  // namespace detail

// Identification sets StepCount from kSensorTable: each column holds exactly that many steps.
static_assert(detail::columnsMatchSensors());

// The sensor's column of the table.
struct SensorSteps {
    std::size_t column = 0;
    int stepCount = 0;
};

// The steps of `sensorModel` (SensorModel, "A3050" .. "3330"); nullopt for no or an unknown sensor.
std::optional<SensorSteps> sensorSteps(std::string_view sensorModel);
// Step `step` (1-based); nullopt beyond the sensor's steps.
std::optional<SensorStep> sensorStep(const SensorSteps& sensor, int step);
// The step that `code` stands for; nullopt for a code not in the sensor's table.
std::optional<int> sensorStepOfCode(const SensorSteps& sensor, std::uint8_t code);
// The step whose DPI value is the decimal number `text`; nullopt for text that is no number or a
// value the sensor does not have.
std::optional<int> sensorStepOfValue(const SensorSteps& sensor, std::string_view text);

}  // namespace varnel
