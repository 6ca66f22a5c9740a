#include "platform/pointer_store.h"

#include <cmath>

#include "common/decimal.h"

namespace varnel {

namespace {

// Stored factors are decimal text or doubles: 0.2 is not exactly a fifth.
constexpr double kFactorTolerance = 1e-6;
constexpr int kSpeedMiddle = 10;

}  // namespace

PointerReading PointerReading::of(PointerSetting s, int value) {
    const PointerRange range = pointerRange(s);
    if (value < range.min || value > range.max) return {true, std::nullopt};
    return {true, value};
}

PointerReading readingFromText(PointerSetting s, std::string_view text) {
    const auto value = parseDecimal(text, pointerRange(s).max, AboveMax::Refuse);
    if (!value) return {true, std::nullopt};
    return PointerReading::of(s, *value);
}

PointerReading speedFromFactor(double factor) {
    const double speed = factor * kSpeedMiddle + kSpeedMiddle;
    if (!std::isfinite(speed)) return {true, std::nullopt};
    const double nearest = std::round(speed);
    if (std::fabs(speed - nearest) > kFactorTolerance) return {true, std::nullopt};
    const PointerRange range = pointerRange(PointerSetting::Speed);
    if (nearest < range.min || nearest > range.max) return {true, std::nullopt};
    return PointerReading::of(PointerSetting::Speed, static_cast<int>(nearest));
}

double factorFromSpeed(int speed) { return static_cast<double>(speed - kSpeedMiddle) / kSpeedMiddle; }

Status NoPointerSettings::write(PointerSetting, int) {
    return makeError("this desktop offers no pointer settings to change");
}

}  // namespace varnel
