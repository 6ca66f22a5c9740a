#include "editors/pointer_settings_page.h"

#include <algorithm>
#include <string_view>

#include "skin/control_names.h"

namespace varnel {

using namespace skin;

namespace {

static_assert(kPointerBars.size() == kPointerSettings.size(), "one bar per setting, in the settings' order");
static_assert(kTenStepCount == kPointerLevels);

// The note's text when the desktop keeps none of the settings, and when it lacks just one.
constexpr std::string_view kKeepsNoneKey = "Str111";
constexpr std::array<std::string_view, 3> kNotKeptKeys{"Str112", "Str113", "Str114"};

// The note's text when the kept settings that take effect elsewhere than at once for the whole
// desktop are exactly those marked (speed, double-click, wheel lines) of a row's reach.
struct ReachNote {
    PointerReach reach;
    std::array<bool, kPointerSettings.size()> settings;
    std::string_view key;
};
constexpr std::array<ReachNote, 4> kReachNotes{{
    {PointerReach::NextLogin, {true, false, false}, "Str462"},
    {PointerReach::ThisProgram, {false, true, true}, "Str463"},
    {PointerReach::ThisProgram, {false, true, false}, "Str464"},
    {PointerReach::ThisProgram, {false, false, true}, "Str465"},
}};

}  // namespace

PointerSettingsPage::PointerSettingsPage(ControlTable& controls, PointerSettingsStore& store,
                                         const CaptionsModel& captions)
    : controls_(controls), captions_(captions), settings_(store) {}

const TenStepBar& PointerSettingsPage::barOf(PointerSetting s) { return kPointerBars[indexOf(s)]; }

void PointerSettingsPage::load() {
    for (const PointerSetting s : kPointerSettings) showBar(s);
}

void PointerSettingsPage::languageChanged() { showNote(); }

void PointerSettingsPage::RefreshMouseSystemParameter() {
    settings_.refresh();
    load();
}

void PointerSettingsPage::barClicked(PointerSetting s, int level) {
    if (settings_.choose(s, level)) showBar(s);
}

Status PointerSettingsPage::applyToDesktop() { return settings_.applyToDesktop(); }

void PointerSettingsPage::showBar(PointerSetting s) {
    const TenStepBar& bar = barOf(s);
    const int level = settings_.level(s);
    for (int i = 1; i <= kTenStepCount; ++i) controls_.setPicture(barStep(bar, i), kTenStepSegment.of(i <= level));
}

void PointerSettingsPage::showNote() {
    std::string note;
    const auto add = [&](std::string_view key) {
        if (!note.empty()) note += ' ';
        note += captions_.text(key);
    };
    if (settings_.keepsNone()) {
        add(kKeepsNoneKey);
    } else {
        for (const PointerSetting s : kPointerSettings) {
            if (!settings_.keeps(s)) add(kNotKeptKeys[indexOf(s)]);
        }
        for (const ReachNote& row : kReachNotes) {
            const bool exact = std::all_of(kPointerSettings.begin(), kPointerSettings.end(), [&](PointerSetting s) {
                return row.settings[indexOf(s)] == (settings_.keeps(s) && settings_.reach(s) == row.reach);
            });
            if (exact) add(row.key);
        }
    }
    controls_.setCaption(ctrl::lbl_PointerNote, note);
    controls_.setVisible(ctrl::lbl_PointerNote, !note.empty());
}

}  // namespace varnel
