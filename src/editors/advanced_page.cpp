#include "editors/advanced_page.h"

#include <array>
#include <optional>
#include <string>

#include "config/layout.h"
#include "editors/fire_key_boxes.h"
#include "skin/control_names.h"
#include "skin/skin_tables.h"

namespace varnel {

using namespace skin;

namespace {

// ReportRateCode of the report-rate choices in the order of kReportOptions: 1000 Hz, 500 Hz.
constexpr std::array<std::uint8_t, 2> kReportRates{1, 2};
static_assert(kReportRates.size() == kReportOptions.size());

static_assert(kDpiLevelCount == kDpiStages);
static_assert(kDpiStepCount >= kMaxSensorSteps, "a segment for every step of every sensor");

// The language files' stage-label colours; these are their values in all three files.
constexpr Rgb kSelectedFallback{255, 0, 0};
constexpr Rgb kNotSelectedFallback{255, 255, 255};

}  // namespace

AdvancedPage::AdvancedPage(ControlTable& controls, AppState& state, const CaptionsModel& captions)
    : controls_(controls), state_(state), captions_(captions), dpi_(state) {}

void AdvancedPage::load() {
    dpi_.load();
    if (state_.EditCopy.chip) {
        const std::uint8_t code = state_.EditCopy.bytes[param_b::kReportRateCode];
        for (std::size_t i = 0; i < kReportRates.size(); ++i)
            if (kReportRates[i] == code) rateChoice_ = static_cast<int>(i) + 1;
    }
    dpi_.loadColours();
    switchRefused_ = false;
    showStages();
    showDpiNote();
    showReportRate();
    // The last Fire Key slot decides the boxes; without one (or without a mouse) they keep what
    // they show, typed text included.
    if (RefreshFireKeyMode(state_.EditCopy, state_.CodeTexts, state_.DeviceChip, fireKey_)) fireKeyTyped_ = false;
    showFireKeyBoxes();
}

void AdvancedPage::store() {
    dpi_.store();
    if (state_.EditCopy.chip) {
        // Whether the mouse needs the other reload command for it is the write's to decide.
        state_.EditCopy.bytes[param_b::kReportRateCode] = kReportRates[static_cast<std::size_t>(rateChoice_ - 1)];
    }
    dpi_.storeColours();
    leaveFireKeyBoxes();
    state_.FireKey = fireKeyTyped_ ? std::optional(fireKey_) : std::nullopt;
}

void AdvancedPage::languageChanged() {
    showStages();
    showDpiNote();
}

void AdvancedPage::showDpiNote() {
    std::string_view key;
    if (switchRefused_) {
        key = "Str554";
    } else if (dpi_.showsUnknownCode()) {
        key = "Str553";
    }
    controls_.setCaption(ctrl::lbl_DpiNote, key.empty() ? std::string() : captions_.text(key));
    controls_.setVisible(ctrl::lbl_DpiNote, !key.empty());
}

void AdvancedPage::DPIVlaue_OnClick(int stage, int step) {
    switchRefused_ = false;
    if (dpi_.selectStep(stage, step)) showStage(stage);
    showDpiNote();
}

void AdvancedPage::DPILevel_OnClick(int stage) {
    // Switching off may move the current stage down: both stages change.
    switchRefused_ = !dpi_.toggleStage(stage);
    if (!switchRefused_) showStages();
    showDpiNote();
}

void AdvancedPage::CurrentDPI_OnClick(int stage) {
    switchRefused_ = false;
    if (dpi_.makeCurrent(stage)) showStages();
    showDpiNote();
}

void AdvancedPage::setStageColour(int stage, const Rgb& picked) {
    if (dpi_.setColour(stage, picked)) showStage(stage);
}

Rgb AdvancedPage::stageColour(int stage) const {
    if (stage < 1 || stage > kDpiStages) return {};
    return screenColour(dpi_.stage(stage).colour);
}

void AdvancedPage::ReportRate_OnClick(int choice) {
    if (choice < 1 || choice > static_cast<int>(kReportRates.size())) return;
    rateChoice_ = choice;
    showReportRate();
}

void AdvancedPage::editFireKeyBoxes(const FireKeyBoxes& typed) {
    fireKey_ = typed;
    fireKeyTyped_ = true;
    showFireKeyBoxes();
}

const FireKeyBoxes& AdvancedPage::leaveFireKeyBoxes() {
    if (fireKeyTyped_) {
        fireKey_ = correctedFireKeyBoxes(fireKey_);
        showFireKeyBoxes();
    }
    return fireKey_;
}

void AdvancedPage::showSensorSteps() {
    const int steps = state_.StepCount;
    if (steps <= 0) return;
    for (int d = 1; d <= kDpiLevelCount; ++d) {
        for (int s = 1; s <= kDpiStepCount; ++s) controls_.setVisible(dpiStep(d, s), s <= steps);
    }
}

void AdvancedPage::showStage(int stage) {
    const DpiStages::Stage& s = dpi_.stage(stage);
    const bool on = dpi_.isOn(stage);
    const Rgb label = on ? captions_.colour("Color_D_Selected").value_or(kSelectedFallback)
                         : captions_.colour("Color_D_notSelected").value_or(kNotSelectedFallback);
    controls_.setFontColor(dpiCaption(stage), label);
    controls_.setCaption(dpiValue(stage), s.value);
    // A switched-off stage keeps its bar, greyed and deaf to clicks.
    for (int k = 1; k <= kDpiStepCount; ++k) {
        controls_.setPicture(dpiStep(stage, k), kDpiSegment.of(k <= s.lit));
        controls_.setEnabled(dpiStep(stage, k), on);
    }
    const bool current = dpi_.current() == stage;
    controls_.setPicture(dpiCheck(stage), kCheckBox.of(current));
    controls_.setEnabled(dpiCheck(stage), on);
    controls_.setChecked(dpiRadio(stage), current);

    const Swatch& swatch = kDpiSwatches[static_cast<std::size_t>(stage - 1)];
    for (const auto name : {swatch.shape, swatch.frame, swatch.label}) controls_.setVisible(name, dpi_.coloursShown());
    showSwatch(controls_, swatch, s.colour);
}

void AdvancedPage::showStages() {
    for (int stage = 1; stage <= kDpiStages; ++stage) showStage(stage);
}

void AdvancedPage::showReportRate() {
    for (std::size_t i = 0; i < kReportOptions.size(); ++i) {
        const bool chosen = static_cast<int>(i) + 1 == rateChoice_;
        controls_.setChecked(kReportOptions[i].radio, chosen);
        controls_.setPicture(kReportOptions[i].picture, kOptionMark.of(chosen));
    }
}

void AdvancedPage::showFireKeyBoxes() {
    controls_.setCaption(ctrl::Edt_Repeat1, fireKey_.repeat);
    controls_.setCaption(ctrl::Edt_DelayTime1, fireKey_.delay);
}

}  // namespace varnel
