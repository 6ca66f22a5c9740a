// The Breathing Light page's group: breathing times, lighting modes, the colour source and its
// colours, and the note for a mouse whose lighting the page does not reach.
#include "skin/control_names.h"
#include "skin/page_skins.h"

namespace varnel {

using namespace skin;

namespace {

constexpr int kGroup = 3;
constexpr Size kModeLabel{120, 20};
constexpr Size kColourSourceLabel{170, 22};
constexpr Size kLightingNote{628, 24};

void controls(CatalogBuilder& b) {
    const std::string g = pageGroup(kGroup);
    b.picture(ctrl::Img_P3, g);
    for (const auto& bar : kBreathBars) b.tenStepBar(bar);
    for (const auto& o : kLedModes) b.option(o, g, kModeLabel);
    for (const auto& o : kColourSources) b.option(o, g, kColourSourceLabel);
    for (const auto& s : kLightingSwatches) b.swatch(s, g);
    b.label(ctrl::lbl_LightingNote, g, kLightingNote, {}, false);
}

void place(LayoutReader& r) {
    r.place(ctrl::Img_P3, r.point("P3"));
    for (const auto& bar : kBreathBars) placeTenStepBar(r, bar);
    for (const auto& o : kLedModes) placeOption(r, o);
    for (std::size_t i = 0; i < kColourSources.size(); ++i) {
        placeOption(r, kColourSources[i]);
        placeSwatch(r, kLightingSwatches[i]);
    }
}

std::vector<std::string> breathNumbers(const ControlTable&) { return stepNumbers(kBreathBars); }
std::vector<std::string> breathUnlitSteps(const ControlTable&) { return unlitSteps(kBreathBars); }
std::vector<std::string> lightingColourEdits(const ControlTable&) { return colourEdits(kLightingSwatches); }
std::vector<std::string> colourSourceLabels(const ControlTable&) { return each(kColourSources, &OptionPicture::label); }
std::vector<std::string> swatchLabels(const ControlTable&) { return each(kLightingSwatches, &Swatch::label); }

constexpr std::array kFonts{
    FontRow{family(breathNumbers), "Size_E", 0, "Color_E"},
    FontRow{family(lightingColourEdits), "", 0, "Color_E"},
};

constexpr std::array kLooks{
    StartRow{one(kLedModes[0].radio), {.checked = true}},
    StartRow{one(kColourSources[0].radio), {.checked = true}},
    // Colorful is chosen: the colour-source choice and the colour areas take no clicks (the
    // mouse's lock colour never does).
    StartRow{family(colourSourceLabels), {.enabled = false}},
    StartRow{family(swatchLabels), {.enabled = false}},
    StartRow{family(breathUnlitSteps), {.picture = kTenStepSegment.off}},
    // Under the page's picture.
    StartRow{one(ctrl::lbl_LightingNote),
             {.align = kFromLeft, .fontSize = 10, .fontColor = kNoteRed, .at = std::array{132, 410}}},
};

}  // namespace

extern const PageSkin kBreathingPageSkin;  // listed by pageSkins()
const PageSkin kBreathingPageSkin{kGroup, controls, nullptr, place, kFonts, kLooks};

}  // namespace varnel
