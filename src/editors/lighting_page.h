#pragma once
// The Breathing Light page's model: the four lighting modes, the four breathing-time bars, the
// colour-source choice, the swatch of the program-set colour with its colour area, the read-only
// swatch of the mouse's lock colour, and a note shown while the attached mouse's lighting is not
// RGB. The rules are Lighting's; this page shows them on the controls.
#include "editors/lighting.h"
#include "skin/captions.h"
#include "skin/controls.h"
#include "skin/page_model.h"
#include "transfers/app_state.h"

namespace varnel {

class LightingPage : public PageModel {
public:
    // Everything given outlives the page.
    LightingPage(ControlTable& controls, AppState& state, const CaptionsModel& captions);

    // Display: the lighting of an RGB mouse's image, and the note for any other mouse.
    void load() override;
    // Collect: the lighting bytes, for an RGB mouse's image only.
    void store() override;
    void languageChanged() override;

    // lbl_Colorful .. lbl_Close clicked.
    void RGBMode_OnClick(LightingMode mode);
    // OffTime_OnClick, RaiseTime_OnClick, OnTime_OnClick, FallTime_OnClick: segment `segment` of
    // the phase's bar clicked.
    void BreathTime_OnClick(BreathPhase phase, int segment);
    // lbl_LEDColMode1 / lbl_LEDColMode2 clicked.
    void LEDColModeChange(int source);
    // The colour dialog opened by lbl_csmode1 answered with `picked` (a cancelled dialog changes
    // nothing and does not call this).
    void setMode1Colour(const Rgb& picked);
    // The program-set colour as its swatch shows it (the dialog opens on it).
    Rgb mode1Colour() const { return screenColour(lighting_.colour()); }

    const Lighting& lighting() const { return lighting_; }

private:
    void showAll();
    void showMode();
    void showBar(BreathPhase phase);
    void showSource();
    void showColours();

    ControlTable& controls_;
    const CaptionsModel& captions_;
    Lighting lighting_;
};

}  // namespace varnel
