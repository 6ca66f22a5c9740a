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
// A bar's note: on its caption row, right of the caption, up to two short lines.
constexpr Size kPointerNote{218, 26};
constexpr std::array kPointerNoteAt{156, -28};  // from the bar's first segment, clear of the longest caption
// Why the stages show no value or refuse a switch: under the stage colours, two lines at most.
constexpr Size kDpiNote{222, 34};
constexpr std::array kDpiNoteAt{-6, 28};  // from stage 1's colour

void controls(CatalogBuilder& b) {
    const std::string g = pageGroup(kGroup);
    b.picture(ctrl::Img_P2, g);
    b.edit(ctrl::Edt_Repeat1, g, kEditBox, "2");
    b.edit(ctrl::Edt_DelayTime1, g, kEditBox, "16");
    for (const auto& o : kReportOptions) b.option(o, g, kReportLabel);
    for (const auto& bar : kPointerBars) b.tenStepBar(bar);
    for (const auto& bar : kPointerBars) b.label(barNote(bar), g, kPointerNote, {}, false);
    b.label(ctrl::lbl_DpiNote, g, kDpiNote, {}, false);
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
    for (const auto& bar : kPointerBars) {
        if (const auto at = r.point(bar.layoutKey))
            r.controls().moveTo(barNote(bar), at->x + kPointerNoteAt[0], at->y + kPointerNoteAt[1]);
    }
    r.settings().dpiOrientation = r.number("DPI_Orientation");
    for (int d = 1; d <= kDpiLevelCount; ++d) placeDpiLevel(r, d);
    if (const auto colour = r.point(kDpiSwatches[0].layoutKey))
        r.controls().moveTo(ctrl::lbl_DpiNote, colour->x + kDpiNoteAt[0], colour->y + kDpiNoteAt[1]);
}

std::vector<std::string> pointerNumbers(const ControlTable&) { return stepNumbers(kPointerBars); }
std::vector<std::string> pointerUnlitSteps(const ControlTable&) { return unlitSteps(kPointerBars); }
std::vector<std::string> pointerNotes(const ControlTable&) {
    std::vector<std::string> out;
    for (const auto& bar : kPointerBars) out.push_back(barNote(bar));
    return out;
}
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
    // The pointer notes read as the page art's hints do: small and dim.
    StartRow{family(pointerNotes), {.align = TextAlign::Right, .fontSize = 8, .fontColor = Rgb{150, 156, 165}}},
    StartRow{one(ctrl::lbl_DpiNote), {.align = kFromLeft, .fontSize = 8, .fontColor = kNoteRed}},
};

}  // namespace

extern const PageSkin kAdvancedPageSkin;  // listed by pageSkins()
const PageSkin kAdvancedPageSkin{kGroup, controls, nullptr, place, kFonts, kLooks};

}  // namespace varnel
