// The Macro page's group: the macro and event lists, the buttons, the record-delay panel and the
// insert panel.
#include "skin/control_names.h"
#include "skin/page_skins.h"

namespace varnel {

using namespace skin;

namespace {

constexpr int kGroup = 4;
constexpr Size kRecordNote{560, 20};
constexpr Size kMacroNameList{210, 120};
// The event list leaves room under it, in the page art's event box, for two lines of usage.
constexpr Size kMacroContentList{232, 244};
constexpr Size kMacroUsage{232, 17};
constexpr Size kDelayPanel{222, 130};
constexpr Size kInsertPanel{222, 152};
// The cover of the insert panel's delay choices while keys are recorded: from the first choice
// down to the Record/Stop button (InsertRecDelay_Y, InsertBtnStart_Y), which stays clickable.
constexpr Size kInsertChoicesCover{222, 66};
constexpr std::array kInsertChoicesCoverAt{0, 34};
constexpr Size kDelayEdit{44, 20};
constexpr Size kInsertCombo{150, 22};  // inside the panel, its arrow in view
constexpr Size kInsertDelayCaption{70, 18};
constexpr Size kUnitLabel{20, 18};

void controls(CatalogBuilder& b) {
    const std::string g = pageGroup(kGroup);
    b.picture(ctrl::Img_P4, g);
    b.add(ctrl::LB_MacroName, ControlKind::List, g, kMacroNameList);
    b.add(ctrl::LB_macro, ControlKind::List, g, kMacroContentList);
    b.label(ctrl::lbl_MacroBytes, g, kMacroUsage);
    b.label(ctrl::lbl_MacroEvents, g, kMacroUsage);
    b.label(ctrl::lbl_RecordNote, g, kRecordNote, {}, false);
    for (const auto& btn : kMacroButtons) b.pictureButton(btn.picture, btn.label, g);

    b.add(ctrl::Gb_Delay, ControlKind::Group, g, kDelayPanel);
    b.triplet(kRecordDelays, true);
    b.edit(ctrl::Edt_Delay, ctrl::Gb_Delay, kDelayEdit, "0.05");

    b.picture(ctrl::Img_InsertBase, g, false);
    b.add(ctrl::Gb_Insert, ControlKind::Group, g, kInsertPanel, {}, false);
    b.add(ctrl::CB_Insert, ControlKind::Combo, ctrl::Gb_Insert, kInsertCombo);
    // The panel is designed for its first choice, a delay: no key recording controls.
    b.triplet(kInsertDelays, false);
    b.edit(ctrl::Edt_InsertDelay, ctrl::Gb_Insert, kDelayEdit, "0.05");
    b.label(ctrl::lbl_Delay, ctrl::Gb_Insert, kInsertDelayCaption);
    b.label(ctrl::lbl_s_A, ctrl::Gb_Insert, kUnitLabel);
    for (const auto& btn : kInsertButtons) b.pictureButton(btn.picture, btn.label, ctrl::Gb_Insert);
    b.label(ctrl::GB_Dis, ctrl::Gb_Insert, kInsertChoicesCover, {}, false);
}

void place(LayoutReader& r) {
    r.place(ctrl::Img_P4, r.point("P4"));
    r.place(ctrl::LB_MacroName, r.point("MacroName"));
    r.settings().macroNameHeight = r.number("MacroNameHeight");
    placeButtons(r, kMacroButtons);
    const auto content = r.point("MacroContent");
    r.place(ctrl::LB_macro, content);
    if (const Control* list = r.controls().find(ctrl::LB_macro)) {
        r.place(ctrl::lbl_MacroBytes, content, 0, list->height + 1);
        r.place(ctrl::lbl_MacroEvents, content, 0, list->height + 18);
    }
    r.place(ctrl::Gb_Delay, r.point("DelayTime"));
    placeTriplet(r, kRecordDelays);
    r.place(ctrl::Edt_Delay, r.point("DelayEdit"));
    const auto insert = r.point("Insert");
    r.place(ctrl::Gb_Insert, insert);
    r.place(ctrl::Img_InsertBase, insert);
    r.place(ctrl::CB_Insert, r.point("InsertList"));
    placeTriplet(r, kInsertDelays);
    const auto edit = r.point("InsertDelayEdit");
    r.place(ctrl::Edt_InsertDelay, edit);
    r.place(ctrl::lbl_Delay, edit, -74, 2);
    r.place(ctrl::lbl_s_A, edit, 44, 2);
    placeButtons(r, kInsertButtons);
}

std::vector<std::string> buttonLabels(const ControlTable&) {
    std::vector<std::string> out = each(kMacroButtons, &PictureButton::label);
    for (auto& label : each(kInsertButtons, &PictureButton::label)) out.push_back(std::move(label));
    return out;
}
std::vector<std::string> recordDelayLabels(const ControlTable&) {
    return {kRecordDelays.labels.begin(), kRecordDelays.labels.end()};
}
std::vector<std::string> insertDelayLabels(const ControlTable&) {
    return {kInsertDelays.labels.begin(), kInsertDelays.labels.end()};
}

constexpr std::string_view kMacroTextColour = "Color_F_Font";
constexpr std::string_view kMacroTextBack = "Color_F_Back";

constexpr std::array kFonts{
    FontRow{family(buttonLabels), "Size_F", 0, "Color_F"},
    FontRow{family(insertDelayLabels), "Size_F", 0, "Color_F"},
    // The lists read in the page's own text colour: the boxes' green is too dark on black for
    // a list of names and events.
    FontRow{one(ctrl::LB_MacroName), "Size_F", 0, "Color_F", kMacroTextBack},
    FontRow{one(ctrl::LB_macro), "", 0, "Color_F", kMacroTextBack},
    FontRow{one(ctrl::Edt_Delay), "Size_F", 0, kMacroTextColour, kMacroTextBack},
    FontRow{one(ctrl::Edt_InsertDelay), "Size_F", 0, kMacroTextColour, kMacroTextBack},
    FontRow{one(ctrl::lbl_Delay), "Size_F", 0, "Color_F"},
    FontRow{one(ctrl::lbl_s_A), "Size_F", 0, "Color_F"},
    FontRow{one(ctrl::lbl_MacroBytes), "Size_F"},
    FontRow{one(ctrl::lbl_MacroEvents), "Size_F"},
    FontRow{one(ctrl::CB_Insert), "Size_F", -1, "Color_F"},
};

constexpr std::array kLooks{
    StartRow{one(ctrl::Img_InsertBase), {.picture = "InsertDelayBase"}},
    StartRow{one(ctrl::CB_Insert), {.backColor = Rgb{20, 20, 22}, .itemIndex = 0}},
    // The insert panel is designed for its first choice, a delay: no Record button.
    StartRow{one(kInsertButtons[0].picture), {.visible = false}},
    StartRow{one(kInsertButtons[0].label), {.visible = false}},
    StartRow{family(recordDelayLabels), {.align = kFromLeft}},
    StartRow{family(insertDelayLabels), {.align = kFromLeft}},
    StartRow{one(ctrl::lbl_s_A), {.align = kFromLeft}},
    StartRow{one(ctrl::lbl_MacroBytes), {.align = kFromLeft}},
    StartRow{one(ctrl::lbl_MacroEvents), {.align = kFromLeft}},
    StartRow{one(ctrl::LB_macro), {.itemHeight = kMacroEventHeight}},
    StartRow{one(ctrl::lbl_Delay), {.align = TextAlign::Right}},
    StartRow{one(ctrl::lbl_RecordNote),
             {.align = kFromLeft, .fontSize = 10, .fontColor = kNoteRed, .at = std::array{132, 112}}},
    StartRow{one(ctrl::GB_Dis), {.at = kInsertChoicesCoverAt}},
};

}  // namespace

extern const PageSkin kMacroPageSkin;  // listed by pageSkins()
const PageSkin kMacroPageSkin{kGroup, controls, nullptr, place, kFonts, kLooks};

}  // namespace varnel
