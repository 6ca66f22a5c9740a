#include "editors/dpi_stages.h"

#include <algorithm>

#include "config/layout.h"

namespace varnel {

namespace {

constexpr std::uint8_t kStageOff = 255;  // DpiCode of a switched-off stage
constexpr std::size_t kColourBytes = 3;

}  // namespace

DpiStages::DpiStages(AppState& state) : state_(state) {
    // What the window shows until the first image: stage 1 current, these values.
    const std::array<const char*, kDpiStages> designed{"500", "1000", "1000", "2000"};
    for (std::size_t i = 0; i < stages_.size(); ++i) {
        stages_[i].value = designed[i];
        stages_[i].lit = 1;
    }
}

void DpiStages::showStep(Stage& s, std::optional<int> step) const {
    const auto found = step ? sensorStep(*sensor_, *step) : std::nullopt;
    if (!found) {
        s.value.clear();
        s.lit = 0;
        return;
    }
    s.value = std::string(found->text);
    s.lit = *step;
}

void DpiStages::load() {
    const EditCopy& edit = state_.EditCopy;
    if (!edit.chip) return;
    sensor_ = sensorSteps(state_.SensorModel);
    const int count = edit.bytes[param_a::kDpiStageCount];
    countOutOfRange_ = count < 1 || count > kDpiStages;
    edited_ = false;
    state_.ActiveDpiLevels = std::clamp(count, 1, kDpiStages);
    // Without a sensor the codes mean nothing yet: the texts and bars stay as they are.
    for (int n = 1; sensor_ && n <= kDpiStages; ++n) {
        Stage& s = stages_[index(n)];
        const std::uint8_t code = edit.bytes[param_a::kDpiCode + index(n)];
        // A switched-off stage keeps its text and bar, as far as the sensor shown has them.
        showStep(s, code != kStageOff ? sensorStepOfCode(*sensor_, code) : sensorStepOfValue(*sensor_, s.value));
    }
    const int current = edit.bytes[param_b::kCurrentDpiStage];
    if (current < kDpiStages) current_ = current + 1;
}

void DpiStages::loadColours() {
    const EditCopy& edit = state_.EditCopy;
    if (!edit.chip) return;
    colours_ = state_.LightingKind == LightingKind::Rgb;
    if (!colours_) return;
    for (int n = 1; n <= kDpiStages; ++n) {
        const std::size_t at = param_a::kStageColor + index(n) * kColourBytes;
        stages_[index(n)].colour = {edit.bytes[at], edit.bytes[at + 1], edit.bytes[at + 2]};
    }
}

void DpiStages::store() {
    EditCopy& edit = state_.EditCopy;
    if (!edit.chip) return;
    if (!countOutOfRange_ || edited_) {
        edit.bytes[param_a::kDpiStageCount] = static_cast<std::uint8_t>(state_.ActiveDpiLevels);
        for (int n = 1; n <= kDpiStages; ++n) {
            std::uint8_t& code = edit.bytes[param_a::kDpiCode + index(n)];
            if (!isOn(n)) {
                code = kStageOff;
                continue;
            }
            // A text that is no step of the sensor (an unknown code was loaded) keeps the byte.
            const auto step = sensor_ ? sensorStepOfValue(*sensor_, stages_[index(n)].value) : std::nullopt;
            if (step) code = sensorStep(*sensor_, *step)->code;
        }
    }
    edit.bytes[param_b::kCurrentDpiStage] = static_cast<std::uint8_t>(current_ - 1);
}

void DpiStages::storeColours() {
    EditCopy& edit = state_.EditCopy;
    if (!edit.chip || !colours_) return;
    for (int n = 1; n <= kDpiStages; ++n) {
        const std::size_t at = param_a::kStageColor + index(n) * kColourBytes;
        const PercentColour& c = stages_[index(n)].colour;
        edit.bytes[at] = c.r;
        edit.bytes[at + 1] = c.g;
        edit.bytes[at + 2] = c.b;
    }
}

bool DpiStages::selectStep(int n, int step) {
    if (!valid(n) || !isOn(n) || !sensor_ || !sensorStep(*sensor_, step)) return false;
    showStep(stages_[index(n)], step);
    edited_ = true;
    return true;
}

bool DpiStages::toggleStage(int n) {
    if (!valid(n)) return false;
    int& active = state_.ActiveDpiLevels;
    if (n == active + 1) {
        ++active;
        Stage& s = stages_[index(n)];
        // A stage without a step of this sensor would be stored on with the off code: it starts
        // at the first step instead.
        if (sensor_ && !sensorStepOfValue(*sensor_, s.value)) showStep(s, 1);
    } else if (n == active && active > 1) {
        --active;
        if (current_ == n) current_ = n - 1;
    } else {
        return false;
    }
    edited_ = true;
    return true;
}

bool DpiStages::showsUnknownCode() const {
    if (!sensor_) return false;
    for (int n = 1; n <= state_.ActiveDpiLevels; ++n) {
        if (!sensorStepOfValue(*sensor_, stages_[index(n)].value)) return true;
    }
    return false;
}

bool DpiStages::makeCurrent(int n) {
    if (!valid(n) || !isOn(n) || current_ == n) return false;
    current_ = n;
    return true;
}

bool DpiStages::setColour(int n, const Rgb& picked) {
    if (!valid(n) || !colours_) return false;
    stages_[index(n)].colour = percentColour(picked);
    return true;
}

}  // namespace varnel
