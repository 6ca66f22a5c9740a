#pragma once
// The desktop pointer settings as the Advanced page's bars show them: a level 1..10 per setting
// (0: no level known), its ten-step table, and the current number the desktop holds. Reading and
// writing go through a PointerSettingsStore; when they happen is the window's (at creation and
// after a device read; on Apply and Confirm before the image goes to the mouse).
#include <array>

#include "common/result.h"
#include "platform/pointer_store.h"

namespace varnel {

inline constexpr int kPointerLevels = 10;

// Level 1..10 of each bar and the value it writes.
struct PointerTable {
    PointerSetting setting;
    std::array<int, kPointerLevels> values;
};

inline constexpr std::array<PointerTable, 3> kPointerTables{{
    {PointerSetting::Speed, {1, 2, 4, 6, 8, 10, 12, 14, 16, 18}},
    {PointerSetting::DoubleClick, {900, 830, 760, 690, 620, 550, 480, 410, 340, 270}},
    {PointerSetting::WheelLines, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
}};

class PointerSettings {
public:
    // `store` outlives the model.
    explicit PointerSettings(PointerSettingsStore& store);

    // RefreshMouseSystemParameterA and B: every kept setting's stored number becomes the current
    // one; a number in the table sets the level, any other value (no number included) keeps the
    // level; a missing value changes nothing.
    void refresh();
    // A click on segment `level` of a bar. A bar whose setting the store does not keep, or a
    // level outside 1..10, changes nothing (false).
    bool choose(PointerSetting s, int level);
    // ChangedMouseSystemParameterA and B, then the desktop takes the values up: each known level
    // writes its table value, which becomes the current number; level 0 writes nothing. Every
    // step is tried; the first failure is returned (language key Str110).
    Status applyToDesktop();

    int level(PointerSetting s) const { return levels_[indexOf(s)]; }
    // While a kept setting shows no level (its number is on no step), the level whose value lies
    // nearest its number (the lower one of two as near); 0 otherwise. Nothing is chosen by it.
    int nearestLevel(PointerSetting s) const;
    const PointerNumbers& current() const { return current_; }
    bool keeps(PointerSetting s) const { return store_.keeps(s); }
    PointerReach reach(PointerSetting s) const { return store_.reach(s); }
    // The store keeps none of the three: the bars show no level and nothing is written.
    bool keepsNone() const;

private:
    PointerSettingsStore& store_;
    std::array<int, kPointerSettings.size()> levels_{};
    PointerNumbers current_{};
};

}  // namespace varnel
