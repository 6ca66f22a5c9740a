#include "editors/lighting.h"

#include <algorithm>

#include "config/layout.h"

namespace varnel {

namespace {

constexpr std::uint8_t kMouseColourBit = 0x40;  // LedFlags bit 6: colour source 2
// The lock colour's place in WrenExtraBytes, the mirror of ParameterBlock bytes 38..46.
constexpr std::size_t kLockColourInExtra = 5;

struct PhaseBytes {
    std::size_t byte;
    const BreathCodes& codes;
};
constexpr std::array<PhaseBytes, 4> kPhaseBytes{{
    {param_a::kBreathOffTime, kOffOnCodes},
    {param_a::kBreathRiseTime, kRiseFallCodes},
    {param_a::kBreathOnTime, kOffOnCodes},
    {param_a::kBreathFallTime, kRiseFallCodes},
}};

const PhaseBytes& phaseBytes(BreathPhase phase) { return kPhaseBytes[static_cast<std::size_t>(phase)]; }

PercentColour colourAt(const std::uint8_t* bytes) { return {bytes[0], bytes[1], bytes[2]}; }

}  // namespace

std::size_t breathByte(BreathPhase phase) { return phaseBytes(phase).byte; }

std::uint8_t codeOfLevel(BreathPhase phase, int level) {
    return phaseBytes(phase).codes[static_cast<std::size_t>(std::clamp(level, 1, kBreathLevels) - 1)];
}

int levelOfCode(BreathPhase phase, std::uint8_t code) {
    const BreathCodes& codes = phaseBytes(phase).codes;
    // Level 1's code is 0, so every code reaches at least level 1.
    return static_cast<int>(std::upper_bound(codes.begin(), codes.end(), code) - codes.begin());
}

Lighting::Lighting(AppState& state) : state_(state) {}

void Lighting::load() {
    shownFor_ = state_.LightingKind;
    const EditCopy& edit = state_.EditCopy;
    lockColourKept_ = !edit.chip || layoutFor(*edit.chip).rgbLock.has_value();
    if (!edit.chip || shownFor_ != LightingKind::Rgb) return;
    const auto* mode = std::find(kLedModeCodes.begin(), kLedModeCodes.end(), edit.bytes[param_b::kLedMode]);
    // A mode the page cannot show is shown, and so stored next, as Colorful.
    chooseMode(mode != kLedModeCodes.end() ? kLightingModes[static_cast<std::size_t>(mode - kLedModeCodes.begin())]
                                           : LightingMode::Colorful);
    for (const BreathPhase phase : kBreathPhases)
        levels_[static_cast<std::size_t>(phase)] = levelOfCode(phase, edit.bytes[breathByte(phase)]);
    if (edit.bytes[param_a::kLedFlags] & kMouseColourBit) {
        source_ = kMouseColour;
        colourArea_ = false;
    } else {
        source_ = kProgramColour;
        colourArea_ = mode_ == LightingMode::Locked;
    }
    colour_ = colourAt(&edit.bytes[param_a::kMode1Color]);
    lockColour_ = colourAt(&state_.WrenExtraBytes[kLockColourInExtra]);
}

void Lighting::store() {
    EditCopy& edit = state_.EditCopy;
    if (!edit.chip || shownFor_ != LightingKind::Rgb) return;
    edit.bytes[param_b::kLedMode] = kLedModeCodes[static_cast<std::size_t>(mode_)];
    // A level never set (0) leaves its byte as it is.
    for (const BreathPhase phase : kBreathPhases)
        if (level(phase) > 0) edit.bytes[breathByte(phase)] = codeOfLevel(phase, level(phase));
    std::uint8_t& flags = edit.bytes[param_a::kLedFlags];
    flags = static_cast<std::uint8_t>(source_ == kMouseColour ? flags | kMouseColourBit : flags & ~kMouseColourBit);
    std::uint8_t* colour = &edit.bytes[param_a::kMode1Color];
    colour[0] = colour_.r;
    colour[1] = colour_.g;
    colour[2] = colour_.b;
}

void Lighting::chooseMode(LightingMode mode) {
    mode_ = mode;
    colourArea_ = mode == LightingMode::Locked;
}

bool Lighting::setLevel(BreathPhase phase, int level) {
    if (!barsEnabled() || level < 1 || level > kBreathLevels) return false;
    levels_[static_cast<std::size_t>(phase)] = level;
    return true;
}

bool Lighting::chooseSource(int source) {
    if (!sourceChoiceEnabled() || (source != kProgramColour && source != kMouseColour)) return false;
    source_ = source;
    colourArea_ = source == kProgramColour;
    return true;
}

bool Lighting::setColour(const Rgb& picked) {
    if (!colourArea_) return false;
    colour_ = percentColour(picked);
    return true;
}

}  // namespace varnel
