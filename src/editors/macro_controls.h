#pragma once
// What the parts of the Macro page (the script edit, the insert panel, the recording) show alike:
// a delay choice, the three lamps of a DelayMode and a delay box (Edt_Delay for a recording,
// Edt_InsertDelay in the insert panel), and a button shown pressed.
#include <optional>
#include <string>
#include <string_view>

#include "common/result.h"
#include "editors/delay_box.h"
#include "macros/macro_format.h"
#include "skin/captions.h"
#include "skin/controls.h"
#include "skin/skin_tables.h"

namespace varnel {

struct DelayChoice {
    const skin::DelayTriplet& triplet;
    std::string_view edit;
    DelayMode mode = DelayMode::RecordDelay;
    int hundredths = kInitialDelayHundredths;

    // Text as typed: a usable value is taken (clamped); the box shows the text as it stands.
    void typed(ControlTable& controls, const std::string& text);
    // Editing finished: the box shows the value taken, as "0.00".
    void edited(ControlTable& controls) const;
    // The box's delay taken from a decoded macro's default delay.
    void takeMilliseconds(ControlTable& controls, unsigned ms);
    unsigned milliseconds() const { return delayMilliseconds(hundredths); }

    // The three lamps show with `chosen` lit (none show without a choice); the box is editable or
    // greyed.
    void showLamps(ControlTable& controls, std::optional<DelayMode> chosen) const;
    void showBox(ControlTable& controls, const CaptionsModel& captions, bool editable) const;
};

// Text of a delay choice or box that cannot be changed now.
constexpr Rgb kGreyDelayText{0x72, 0x71, 0x71};
// Color_F, the page's own text.
Rgb pageTextColour(const CaptionsModel& captions);
// The language key of a refused macro edit: the reason's own text, else "does not fit".
std::string refusalKey(const Status& s);
// The pressed picture of the button whose label is `label`.
void showPressed(ControlTable& controls, std::string_view label);

}  // namespace varnel
