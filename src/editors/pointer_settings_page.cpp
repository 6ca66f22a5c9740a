#include "editors/pointer_settings_page.h"

#include <algorithm>
#include <string_view>

#include "skin/control_names.h"

namespace varnel {

using namespace skin;

namespace {

static_assert(kPointerBars.size() == kPointerSettings.size(), "one bar per setting, in the settings' order");
static_assert(kTenStepCount == kPointerLevels);

// The note when the desktop keeps none of the settings (on the first bar's row only).
constexpr std::string_view kKeepsNoneKey = "Str111";

// Each bar's notes, in the order of kPointerSettings: the desktop does not keep it; it takes
// effect at the next login, or for this program only; the lit steps only mark the nearest step.
struct BarNotes {
    std::string_view notKept;
    std::string_view nextLogin;
    std::string_view thisProgram;
};
constexpr std::array<BarNotes, 3> kBarNotes{{
    {"Str112", "Str462", ""},
    {"Str113", "", "Str464"},
    {"Str114", "", "Str465"},
}};
constexpr std::string_view kNearestKey = "Str555";

}  // namespace

PointerSettingsPage::PointerSettingsPage(ControlTable& controls, PointerSettingsStore& store,
                                         const CaptionsModel& captions)
    : controls_(controls), captions_(captions), settings_(store) {}

const TenStepBar& PointerSettingsPage::barOf(PointerSetting s) { return kPointerBars[indexOf(s)]; }

void PointerSettingsPage::load() {
    for (const PointerSetting s : kPointerSettings) showBar(s);
    showNote();
}

void PointerSettingsPage::languageChanged() { showNote(); }

std::string PointerSettingsPage::noteOf(PointerSetting s) const {
    if (settings_.keepsNone()) return s == kPointerSettings.front() ? captions_.text(kKeepsNoneKey) : std::string();
    const BarNotes& keys = kBarNotes[indexOf(s)];
    if (!settings_.keeps(s)) return captions_.text(keys.notKept);
    std::string note;
    const auto add = [&](std::string_view key) {
        if (key.empty()) return;
        if (!note.empty()) note += ' ';
        note += captions_.text(key);
    };
    switch (settings_.reach(s)) {
        case PointerReach::NextLogin: add(keys.nextLogin); break;
        case PointerReach::ThisProgram: add(keys.thisProgram); break;
        case PointerReach::Desktop: break;
    }
    if (settings_.nearestLevel(s) > 0) add(kNearestKey);
    return note;
}

void PointerSettingsPage::RefreshMouseSystemParameter() {
    settings_.refresh();
    load();
}

void PointerSettingsPage::barClicked(PointerSetting s, int level) {
    if (!settings_.choose(s, level)) return;
    showBar(s);
    showNote();
}

Status PointerSettingsPage::applyToDesktop() { return settings_.applyToDesktop(); }

void PointerSettingsPage::showBar(PointerSetting s) {
    const TenStepBar& bar = barOf(s);
    const int level = settings_.level(s);
    const int nearest = settings_.nearestLevel(s);
    for (int i = 1; i <= kTenStepCount; ++i)
        controls_.setPicture(barStep(bar, i), i <= nearest ? kTenStepNearest : kTenStepSegment.of(i <= level));
}

void PointerSettingsPage::showNote() {
    for (const PointerSetting s : kPointerSettings) {
        const std::string note = noteOf(s);
        const std::string name = barNote(barOf(s));
        controls_.setCaption(name, note);
        controls_.setVisible(name, !note.empty());
    }
}

}  // namespace varnel
