#pragma once
// Device colours and screen colours. The mouse stores a colour as three percentages 0..100 (the
// DPI stage colours, the lighting colours); the screen and the colour dialog use 0..255 per
// channel. Every page that shows or picks a device colour converts through these, so a picked
// colour and a shown one agree everywhere:
//   picked channel c (0..255)  -> stored c * 100 div 255
//   stored percent p (0..100)  -> shown  p * 255 div 100
#include <algorithm>
#include <cstdlib>
#include <cstdint>

#include "skin/controls.h"
#include "skin/skin_tables.h"

namespace varnel {

// A device colour: red, green, blue as the image stores them. A damaged image may hold a byte
// above 100; it is kept as it is, and shown as 100.
struct PercentColour {
    std::uint8_t r = 100, g = 100, b = 100;
    bool operator==(const PercentColour&) const = default;
};

constexpr std::uint8_t kFullPercent = 100;

constexpr std::uint8_t percentOfChannel(std::uint8_t channel) {
    return static_cast<std::uint8_t>(channel * kFullPercent / 255);
}

constexpr std::uint8_t shownPercent(std::uint8_t percent) { return std::min(percent, kFullPercent); }

constexpr std::uint8_t channelOfPercent(std::uint8_t percent) {
    return static_cast<std::uint8_t>(shownPercent(percent) * 255 / kFullPercent);
}

constexpr PercentColour percentColour(const Rgb& picked) {
    return {percentOfChannel(picked.r), percentOfChannel(picked.g), percentOfChannel(picked.b)};
}

constexpr Rgb screenColour(const PercentColour& stored) {
    return {channelOfPercent(stored.r), channelOfPercent(stored.g), channelOfPercent(stored.b)};
}

// A colour typed as a swatch showed it stores what the swatch showed: each channel takes the
// percentage whose shown channel is nearest (the lower one on a tie), picked as a channel that
// stores exactly that percentage.
constexpr std::uint8_t nearestPercent(std::uint8_t channel) {
    // std::abs is no constant expression everywhere.
    const auto distance = [channel](std::uint8_t percent) {
        const int d = channelOfPercent(percent) - channel;
        return d < 0 ? -d : d;
    };
    std::uint8_t best = 0;
    for (int p = 1; p <= kFullPercent; ++p) {
        const auto pc = static_cast<std::uint8_t>(p);
        if (distance(pc) < distance(best)) best = pc;
    }
    return best;
}

constexpr std::uint8_t channelStoring(std::uint8_t percent) {
    return static_cast<std::uint8_t>((percent * 255 + kFullPercent - 1) / kFullPercent);
}

constexpr Rgb pickForShown(const Rgb& shown) {
    return {channelStoring(nearestPercent(shown.r)), channelStoring(nearestPercent(shown.g)),
            channelStoring(nearestPercent(shown.b))};
}

namespace detail {
constexpr bool shownColoursRoundTrip() {
    for (int p = 0; p <= kFullPercent; ++p) {
        const auto pc = static_cast<std::uint8_t>(p);
        if (percentOfChannel(channelStoring(pc)) != pc || nearestPercent(channelOfPercent(pc)) != pc) return false;
    }
    return true;
}
}  // namespace detail
static_assert(detail::shownColoursRoundTrip());

// A swatch shows `stored`: its shape filled with the screen colour, its hidden fields the
// percentages as shown.
void showSwatch(ControlTable& controls, const skin::Swatch& swatch, const PercentColour& stored);

}  // namespace varnel
