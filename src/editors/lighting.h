#pragma once
// The lighting of mice with RGB LEDs as plain state: the lighting mode, the four breathing phase
// levels, the colour source, the program-set colour (Mode1Color) and the mouse's lock colour,
// with the editing rules and the load from / store into the EditCopy. Like the DPI stages it
// reads the state only in load() and store(); a mouse whose lighting is not RGB gets nothing
// loaded or stored, though the choices still react to clicks.
#include <array>
#include <cstdint>

#include "editors/colour.h"
#include "transfers/app_state.h"

namespace varnel {

// In the order of the mode options on the page.
enum class LightingMode { Colorful, Locked, CPIColor, Close };
constexpr std::array<LightingMode, 4> kLightingModes{LightingMode::Colorful, LightingMode::Locked,
                                                     LightingMode::CPIColor, LightingMode::Close};
// LedMode of each mode, in the same order.
constexpr std::array<std::uint8_t, 4> kLedModeCodes{2, 3, 4, 255};

// In the order of the time bars on the page.
enum class BreathPhase { Off, Rise, On, Fall };
constexpr std::array<BreathPhase, 4> kBreathPhases{BreathPhase::Off, BreathPhase::Rise, BreathPhase::On,
                                                   BreathPhase::Fall};
constexpr int kBreathLevels = 10;

// The code stored for level 1..10 of a phase.
using BreathCodes = std::array<std::uint8_t, kBreathLevels>;
constexpr BreathCodes kOffOnCodes{0, 25, 50, 75, 100, 125, 150, 175, 200, 225};
constexpr BreathCodes kRiseFallCodes{0, 4, 7, 9, 12, 14, 17, 19, 21, 23};

// The phase's byte in ParameterASection.
std::size_t breathByte(BreathPhase phase);
// Level 1..10 to its code.
std::uint8_t codeOfLevel(BreathPhase phase, int level);
// A code from an image to a level: each level's band starts at its own code and reaches up to the
// next level's, the last one to 255; so a code between the entries comes back as its band's code.
int levelOfCode(BreathPhase phase, std::uint8_t code);

class Lighting {
public:
    static constexpr int kProgramColour = 1;  // colour source 1: Mode1Color, set here
    static constexpr int kMouseColour = 2;    // colour source 2: the lock colour the mouse keeps

    // `state` outlives the lighting.
    explicit Lighting(AppState& state);

    // Load: when the shown mouse's lighting is RGB, the mode, levels, colour source and colours
    // from the EditCopy and the lock colour from WrenExtraBytes; otherwise nothing.
    void load();
    // Store: LedMode, the four phase codes, bit 6 of LedFlags and Mode1Color, only after an image
    // of a mouse with RGB lighting was loaded.
    void store();

    // A mode label clicked: Locked opens the colour-source choice and the colour area, Close
    // greys the time bars.
    void chooseMode(LightingMode mode);
    // Segment `level` of a phase's bar clicked. False when nothing changed (bars greyed).
    bool setLevel(BreathPhase phase, int level);
    // A colour-source label clicked (kProgramColour or kMouseColour); they take clicks only in
    // Locked mode. False when nothing changed.
    bool chooseSource(int source);
    // The colour dialog of the colour area answered with `picked`. False while the area is
    // disabled (a display during the dialog may have closed it).
    bool setColour(const Rgb& picked);

    LightingMode mode() const { return mode_; }
    // 0 until an image was loaded or the bar clicked.
    int level(BreathPhase phase) const { return levels_[static_cast<std::size_t>(phase)]; }
    int source() const { return source_; }
    // Mode1Color and the lock colour as the bytes hold them.
    const PercentColour& colour() const { return colour_; }
    const PercentColour& lockColour() const { return lockColour_; }

    bool barsEnabled() const { return mode_ != LightingMode::Close; }
    bool sourceChoiceEnabled() const { return mode_ == LightingMode::Locked; }
    // lbl_csmode1: opened by choosing Locked or colour source 1, closed by every other mode, by
    // colour source 2 and by loading an image whose colour source is 2.
    bool colourAreaEnabled() const { return colourArea_; }
    // The last display was for a mouse whose lighting is not RGB: the page does not apply.
    bool notApplicable() const { return shownFor_ == LightingKind::Color; }
    // The layout shown keeps a lock colour (a Lark's has none, so colour source 2 has no swatch).
    bool lockColourKept() const { return lockColourKept_; }

private:
    AppState& state_;
    LightingMode mode_ = LightingMode::Colorful;
    std::array<int, 4> levels_{};
    int source_ = kProgramColour;
    bool colourArea_ = false;
    PercentColour colour_;
    PercentColour lockColour_;
    OptionalLighting shownFor_;  // the lighting of the mouse the last display was for
    bool lockColourKept_ = true;
};

}  // namespace varnel
