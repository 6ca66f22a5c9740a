// The Advanced page's group: fire key, report rate, the desktop's pointer settings and the DPI
// stages with their colours.
#include "skin/control_names.h"
#include "skin/page_skins.h"

namespace varnel {

using namespace skin;

namespace {

constexpr int kGroup = 2;
constexpr Size kReportLabel{110, 20};
constexpr Size kDpiCaption{44, 18};
constexpr Size kDpiValue{44, 16};
constexpr Size kPointerNote{372, 16};
constexpr int kPointerNoteDy = 30;  // below the speed bar, above the double-click caption

void controls(CatalogBuilder& b) {
    const std::string g = pageGroup(kGroup);
    b.picture(ctrl::Img_P2, g);
    b.edit(ctrl::Edt_Repeat1, g, kEditBox, "2");
    b.edit(ctrl::Edt_DelayTime1, g, kEditBox, "16");
    for (const auto& o : kReportOptions) b.option(o, g, kReportLabel);
    for (const auto& bar : kPointerBars) b.tenStepBar(bar);
    b.label(ctrl::lbl_PointerNote, g, kPointerNote, {}, false);
    for (int d = 1; d <= kDpiLevelCount; ++d) {
        b.swatch(kDpiSwatches[static_cast<std::size_t>(d - 1)], g);
        b.picture(dpiCheck(d), g);
        b.label(dpiCaption(d), g, kDpiCaption, "DPI" + std::to_string(d));
        b.label(dpiValue(d), g, kDpiValue);
        for (int s = 1; s <= kDpiStepCount; ++s) b.picture(dpiStep(d, s), g);
    }
}

void placeDpiLevel(LayoutReader& r, int d) {
    placeSwatch(r, kDpiSwatches[static_cast<std::size_t>(d - 1)]);
    r.place(dpiCheck(d), r.point(dpiKey(d, "Check")));
    r.place(dpiCaption(d), r.point("DPI" + std::to_string(d)));
    r.place(dpiValue(d), r.point(dpiKey(d, "Value")));
    const auto p = r.point(dpiKey(d, "Steps"));
    const auto orientation = r.settings().dpiOrientation;
    if (!p || !orientation || (*orientation != 0 && *orientation != 1)) return;
    // Every step follows the rule, 18..20 included: a 20-step sensor needs all of them in line.
    const int h = r.height(dpiStep(d, 1));
    const int w = r.width(dpiStep(d, 1));
    for (int i = 1; i <= kDpiStepCount; ++i) {
        if (*orientation == 0) {
            r.controls().moveTo(dpiStep(d, i), p->x, p->y - (i - 1) * h);
        } else {
            r.controls().moveTo(dpiStep(d, i), p->x + (i - 1) * w, p->y);
        }
    }
}

void place(LayoutReader& r) {
    r.place(ctrl::Img_P2, r.point("P2"));
    r.place(ctrl::Edt_Repeat1, r.point("FKCnt"));
    r.place(ctrl::Edt_DelayTime1, r.point("FKDelay"));
    for (const auto& o : kReportOptions) placeOption(r, o);
    for (const auto& bar : kPointerBars) placeTenStepBar(r, bar);
    // The pointer note sits in the gap under the speed bar's numbers.
    if (const auto speed = r.point(kPointerBars.front().layoutKey))
        r.controls().moveTo(ctrl::lbl_PointerNote, speed->x, speed->y + kPointerNoteDy);
    r.settings().dpiOrientation = r.number("DPI_Orientation");
    for (int d = 1; d <= kDpiLevelCount; ++d) placeDpiLevel(r, d);
}

std::vector<std::string> pointerNumbers(const ControlTable&) { return stepNumbers(kPointerBars); }
std::vector<std::string> pointerUnlitSteps(const ControlTable&) { return unlitSteps(kPointerBars); }
std::vector<std::string> dpiColourEdits(const ControlTable&) { return colourEdits(kDpiSwatches); }

std::vector<std::string> dpiCaptions(const ControlTable&) {
    std::vector<std::string> out;
    for (int d = 1; d <= kDpiLevelCount; ++d) out.push_back(dpiCaption(d));
    return out;
}

std::vector<std::string> dpiValues(const ControlTable&) {
    std::vector<std::string> out;
    for (int d = 1; d <= kDpiLevelCount; ++d) out.push_back(dpiValue(d));
    return out;
}

std::vector<std::string> dpiUnlitSteps(const ControlTable&) {
    std::vector<std::string> out;
    for (int d = 1; d <= kDpiLevelCount; ++d) {
        for (int s = 2; s <= kDpiStepCount; ++s) out.push_back(dpiStep(d, s));
    }
    return out;
}

constexpr std::array kFonts{
    FontRow{family(pointerNumbers), "Size_D", 0, "Color_D_notSelected"},
    FontRow{family(dpiValues), "Size_D", 0, "Color_D_notSelected"},
    FontRow{family(dpiCaptions), "Size_D", 1},
    FontRow{one(ctrl::Edt_Repeat1), "", 0, "Color_D_notSelected", "Color_D_Back"},
    FontRow{one(ctrl::Edt_DelayTime1), "", 0, "Color_D_notSelected", "Color_D_Back"},
    FontRow{family(dpiColourEdits), "", 0, "Color_E"},
};

constexpr std::array kLooks{
    StartRow{one(kReportOptions[0].radio), {.checked = true}},
    StartRow{one("rb_DPI1"), {.checked = true}},
    StartRow{family(dpiUnlitSteps), {.picture = kDpiSegment.off}},
    StartRow{family(pointerUnlitSteps), {.picture = kTenStepSegment.off}},
    // The pointer note reads as the page art's hints do: small and dim.
    StartRow{one(ctrl::lbl_PointerNote), {.align = kFromLeft, .fontSize = 8, .fontColor = Rgb{150, 156, 165}}},
};

}  // namespace

extern const PageSkin kAdvancedPageSkin;  // listed by pageSkins()
const PageSkin kAdvancedPageSkin{kGroup, controls, nullptr, place, kFonts, kLooks};

}  // namespace varnel
