#include "editors/lighting_page.h"

#include <string>

#include "skin/control_names.h"
#include "skin/skin_tables.h"

namespace varnel {

using namespace skin;

namespace {

static_assert(kLedModes.size() == kLightingModes.size());
static_assert(kBreathBars.size() == kBreathPhases.size());
static_assert(kTenStepCount == kBreathLevels);
static_assert(kColourSources.size() == 2 && kLightingSwatches.size() == 2);

constexpr std::string_view kNoteKey = "Str030";

const TenStepBar& barOf(BreathPhase phase) { return kBreathBars[static_cast<std::size_t>(phase)]; }
// The swatch of colour source 1, with its colour area lbl_csmode1, and that of source 2.
const Swatch& kProgramSwatch = kLightingSwatches[0];
const Swatch& kMouseSwatch = kLightingSwatches[1];

}  // namespace

LightingPage::LightingPage(ControlTable& controls, AppState& state, const CaptionsModel& captions)
    : controls_(controls), captions_(captions), lighting_(state) {}

void LightingPage::load() {
    lighting_.load();
    controls_.setVisible(ctrl::lbl_LightingNote, lighting_.notApplicable());
    for (const auto name : {kMouseSwatch.frame, kMouseSwatch.shape, kMouseSwatch.label})
        controls_.setVisible(name, lighting_.lockColourKept());
    // Nothing was loaded for such a mouse: the controls keep what they show.
    if (!lighting_.notApplicable()) showAll();
}

void LightingPage::store() { lighting_.store(); }

void LightingPage::languageChanged() { controls_.setCaption(ctrl::lbl_LightingNote, captions_.text(kNoteKey)); }

void LightingPage::RGBMode_OnClick(LightingMode mode) {
    lighting_.chooseMode(mode);
    showMode();
}

void LightingPage::BreathTime_OnClick(BreathPhase phase, int segment) {
    if (lighting_.setLevel(phase, segment)) showBar(phase);
}

void LightingPage::LEDColModeChange(int source) {
    if (lighting_.chooseSource(source)) showSource();
}

void LightingPage::setMode1Colour(const Rgb& picked) {
    if (lighting_.setColour(picked)) showColours();
}

void LightingPage::showAll() {
    showMode();
    for (const BreathPhase phase : kBreathPhases) showBar(phase);
    showSource();
    showColours();
}

void LightingPage::showMode() {
    for (std::size_t i = 0; i < kLedModes.size(); ++i) {
        const bool chosen = kLightingModes[i] == lighting_.mode();
        controls_.setChecked(kLedModes[i].radio, chosen);
        controls_.setPicture(kLedModes[i].picture, kOptionMark.of(chosen));
    }
    for (const auto& source : kColourSources) controls_.setEnabled(source.label, lighting_.sourceChoiceEnabled());
    controls_.setEnabled(kProgramSwatch.label, lighting_.colourAreaEnabled());
    for (const auto& bar : kBreathBars) {
        for (int k = 1; k <= kTenStepCount; ++k) controls_.setEnabled(barStep(bar, k), lighting_.barsEnabled());
    }
}

void LightingPage::showBar(BreathPhase phase) {
    const TenStepBar& bar = barOf(phase);
    const int level = lighting_.level(phase);
    for (int k = 1; k <= kTenStepCount; ++k) controls_.setPicture(barStep(bar, k), kTenStepSegment.of(k <= level));
}

void LightingPage::showSource() {
    for (std::size_t i = 0; i < kColourSources.size(); ++i) {
        const bool chosen = static_cast<int>(i) + 1 == lighting_.source();
        controls_.setChecked(kColourSources[i].radio, chosen);
        controls_.setPicture(kColourSources[i].picture, kOptionMark.of(chosen));
    }
    controls_.setEnabled(kProgramSwatch.label, lighting_.colourAreaEnabled());
}

void LightingPage::showColours() {
    showSwatch(controls_, kProgramSwatch, lighting_.colour());
    showSwatch(controls_, kMouseSwatch, lighting_.lockColour());
}

}  // namespace varnel
