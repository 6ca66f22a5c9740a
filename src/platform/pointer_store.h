#pragma once
// The desktop's pointer settings behind the Advanced page's three bars: pointer speed,
// double-click time and wheel scroll lines. They belong to the desktop, not to the mouse: they are
// in no image, profile or device memory. A store reads and writes them where the running desktop
// keeps them (the back-ends beside this interface); the bars' tables and level rules stay with the
// page.
//
// Every number here is on the bars' scales: speed 1..20 with 10 the desktop's middle, double-click
// time in milliseconds, wheel lines per notch.
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "common/result.h"

namespace varnel {

enum class PointerSetting { Speed, DoubleClick, WheelLines };

inline constexpr std::array<PointerSetting, 3> kPointerSettings{PointerSetting::Speed, PointerSetting::DoubleClick,
                                                                PointerSetting::WheelLines};

constexpr std::size_t indexOf(PointerSetting s) { return static_cast<std::size_t>(s); }

// The numbers a setting can take; a stored value outside is read as no number.
struct PointerRange {
    int min;
    int max;
};

constexpr PointerRange pointerRange(PointerSetting s) {
    switch (s) {
        case PointerSetting::Speed: return {1, 20};
        case PointerSetting::DoubleClick: return {1, 5000};
        case PointerSetting::WheelLines: return {1, 100};
    }
    return {0, -1};
}

// What a store holds for one setting.
struct PointerReading {
    bool present = false;       // the desktop holds a value at all
    std::optional<int> number;  // that value, when it is a number of the setting's range

    static PointerReading missing() { return {}; }
    static PointerReading of(PointerSetting s, int value);
    bool operator==(const PointerReading&) const = default;
};

// A stored text: a decimal number of the setting's range, or present but no number (a sign,
// spaces, a fraction, letters, too many digits).
PointerReading readingFromText(PointerSetting s, std::string_view text);

// Desktops that keep the speed as a factor from -1 (slowest) to 1 (fastest) with 0 the middle:
// speed v is (v - 10) / 10. A factor between two speeds, or outside the range, is no number.
PointerReading speedFromFactor(double factor);
double factorFromSpeed(int speed);

// Where a written setting takes effect, when not at once for the whole desktop.
enum class PointerReach {
    Desktop,      // at once, for every program
    ThisProgram,  // kept by this program for itself: no desktop service carries it further
    NextLogin,    // saved for the desktop, which takes it up when the session starts
};

// The current numbers (as read from the store or last written to it), by setting; empty where
// nothing was read or written.
using PointerNumbers = std::array<std::optional<int>, kPointerSettings.size()>;

class PointerSettingsStore {
public:
    virtual ~PointerSettingsStore() = default;

    // Whether the desktop keeps `s` where this store can reach it; a setting it does not keep is
    // never read nor written.
    virtual bool keeps(PointerSetting s) const = 0;
    // Where a kept setting takes effect once written.
    virtual PointerReach reach(PointerSetting) const { return PointerReach::Desktop; }
    virtual PointerReading read(PointerSetting s) = 0;
    // Stores `value` as the desktop's setting.
    virtual Status write(PointerSetting s, int value) = 0;
    // Lets the running desktop take up `current` after the writes; a setting without a number is
    // left as the desktop has it.
    virtual Status apply(const PointerNumbers& current) = 0;
};

// A desktop that offers this program none of the three.
class NoPointerSettings final : public PointerSettingsStore {
public:
    bool keeps(PointerSetting) const override { return false; }
    PointerReading read(PointerSetting) override { return PointerReading::missing(); }
    Status write(PointerSetting, int) override;
    Status apply(const PointerNumbers&) override { return Status::success(); }
};

}  // namespace varnel
