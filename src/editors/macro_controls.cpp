#include "editors/macro_controls.h"

#include <cstddef>

#include "skin/button_families.h"

namespace varnel {

namespace {

constexpr Rgb kFallbackDelayText{0, 128, 0};     // Color_F_Font, should a language lack it
constexpr Rgb kFallbackPageText{255, 255, 255};  // Color_F

// The lamp and label of a DelayMode in a triplet: record delay, default delay, no delay.
std::size_t tripletIndex(DelayMode m) {
    switch (m) {
        case DelayMode::RecordDelay: return 0;
        case DelayMode::DefaultDelay: return 1;
        case DelayMode::NoDelay: break;
    }
    return 2;
}

}  // namespace

Rgb pageTextColour(const CaptionsModel& captions) { return captions.colour("Color_F").value_or(kFallbackPageText); }

std::string refusalKey(const Status& s) {
    return s.error().languageKey.empty() ? std::string("Str434") : s.error().languageKey;
}

void showPressed(ControlTable& controls, std::string_view label) {
    const auto target = hoverTarget(label);
    if (!target) return;
    for (const auto& p : target->pictures) controls.setPicture(p, skin::familyPictures(target->family).third);
}

void DelayChoice::typed(ControlTable& controls, const std::string& text) {
    if (const auto value = parseDelayBox(text)) hundredths = clampDelay(*value);
    controls.setCaption(edit, text);
}

void DelayChoice::edited(ControlTable& controls) const { controls.setCaption(edit, delayBoxText(hundredths)); }

void DelayChoice::takeMilliseconds(ControlTable& controls, unsigned ms) {
    hundredths = delayFromMilliseconds(ms);
    edited(controls);
}

void DelayChoice::showLamps(ControlTable& controls, std::optional<DelayMode> chosen) const {
    // Every choice shows its lamp, so that the ones not taken read as choices too.
    for (std::size_t j = 0; j < triplet.lamps.size(); ++j) {
        controls.setVisible(triplet.lamps[j], chosen.has_value());
        controls.setChecked(triplet.lamps[j], chosen && j == tripletIndex(*chosen));
    }
}

void DelayChoice::showBox(ControlTable& controls, const CaptionsModel& captions, bool editable) const {
    controls.setEnabled(edit, editable);
    controls.setFontColor(edit,
                          editable ? captions.colour("Color_F_Font").value_or(kFallbackDelayText) : kGreyDelayText);
}

}  // namespace varnel
