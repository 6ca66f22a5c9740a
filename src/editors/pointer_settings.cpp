#include "editors/pointer_settings.h"

#include <algorithm>
#include <cstdlib>

namespace varnel {

namespace {

const PointerTable& tableOf(PointerSetting s) { return kPointerTables[indexOf(s)]; }

static_assert([] {
    for (std::size_t i = 0; i < kPointerTables.size(); ++i) {
        if (indexOf(kPointerTables[i].setting) != i) return false;
    }
    return true;
}());

// A store's own text where it has one (saved but not yet taken up), else "could not be changed".
Error desktopFailure(const Error& e) {
    return makeError("desktop pointer settings: " + e.message, e.languageKey.empty() ? "Str110" : e.languageKey);
}

}  // namespace

PointerSettings::PointerSettings(PointerSettingsStore& store) : store_(store) {}

void PointerSettings::refresh() {
    for (const PointerSetting s : kPointerSettings) {
        if (!store_.keeps(s)) continue;
        const PointerReading r = store_.read(s);
        if (!r.number) continue;
        current_[indexOf(s)] = r.number;
        const auto& values = tableOf(s).values;
        if (const auto it = std::find(values.begin(), values.end(), *r.number); it != values.end())
            levels_[indexOf(s)] = static_cast<int>(it - values.begin()) + 1;
    }
}

int PointerSettings::nearestLevel(PointerSetting s) const {
    const auto& number = current_[indexOf(s)];
    if (level(s) != 0 || !number || !keeps(s)) return 0;
    const auto& values = tableOf(s).values;
    const auto distance = [&](int v) { return std::abs(v - *number); };
    int nearest = 1;
    for (int l = 2; l <= kPointerLevels; ++l) {
        if (distance(values[static_cast<std::size_t>(l - 1)]) < distance(values[static_cast<std::size_t>(nearest - 1)]))
            nearest = l;
    }
    return nearest;
}

bool PointerSettings::choose(PointerSetting s, int level) {
    if (!store_.keeps(s) || level < 1 || level > kPointerLevels) return false;
    levels_[indexOf(s)] = level;
    return true;
}

Status PointerSettings::applyToDesktop() {
    Status first;
    const auto keepFirst = [&first](const Status& s) {
        if (!s && first) first = desktopFailure(s.error());
    };
    for (const PointerSetting s : kPointerSettings) {
        const int level = levels_[indexOf(s)];
        if (level == 0 || !store_.keeps(s)) continue;
        const int value = tableOf(s).values[static_cast<std::size_t>(level - 1)];
        const Status written = store_.write(s, value);
        if (written) current_[indexOf(s)] = value;
        keepFirst(written);
    }
    keepFirst(store_.apply(current_));
    return first;
}

bool PointerSettings::keepsNone() const {
    return std::none_of(kPointerSettings.begin(), kPointerSettings.end(),
                        [this](PointerSetting s) { return store_.keeps(s); });
}

}  // namespace varnel
