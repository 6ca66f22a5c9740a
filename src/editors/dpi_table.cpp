#include "editors/dpi_table.h"

#include "common/decimal.h"

namespace varnel {

namespace {

constexpr int kLargestDpi = 100000;  // above every table value; a longer digit run is no step

const SensorStep& cell(const SensorSteps& sensor, int step) {
    return kSensorSteps[static_cast<std::size_t>(step - 1)][sensor.column];
}

}  // namespace

std::optional<SensorSteps> sensorSteps(std::string_view sensorModel) {
    for (std::size_t c = 0; c < kSensorTable.size(); ++c) {
        if (kSensorStepColumns[c] == sensorModel) return SensorSteps{c, kSensorTable[c].stepCount};
    }
    return std::nullopt;
}

std::optional<SensorStep> sensorStep(const SensorSteps& sensor, int step) {
    if (step < 1 || step > sensor.stepCount) return std::nullopt;
    return cell(sensor, step);
}

std::optional<int> sensorStepOfCode(const SensorSteps& sensor, std::uint8_t code) {
    for (int k = 1; k <= sensor.stepCount; ++k) {
        if (cell(sensor, k).code == code) return k;
    }
    return std::nullopt;
}

std::optional<int> sensorStepOfValue(const SensorSteps& sensor, std::string_view text) {
    const auto dpi = parseDecimal(text, kLargestDpi, AboveMax::Refuse);
    if (!dpi) return std::nullopt;
    for (int k = 1; k <= sensor.stepCount; ++k) {
        if (parseDecimal(cell(sensor, k).text, kLargestDpi, AboveMax::Refuse) == dpi) return k;
    }
    return std::nullopt;
}

}  // namespace varnel
