#include "skin/control_catalog.h"

#include <string>

#include "config/action_codes.h"
#include "skin/control_names.h"
#include "skin/skin_tables.h"
#include "skin/window_geometry.h"

namespace varnel {

using namespace skin;

std::string_view menuPanelForTag(int tag) {
    struct Range {
        int first, last;
        std::string_view panel;
    };
    constexpr Range kRanges[] = {{900, 904, ctrl::Pnl_MseKey},
                                 {1000, 1008, ctrl::Pnl_Special},
                                 {1300, 1306, ctrl::Pnl_Media},
                                 {1400, 1406, ctrl::Pnl_WWW}};
    for (const auto& r : kRanges) {
        if (tag >= r.first && tag <= r.last) return r.panel;
    }
    return {};
}

namespace {

// Designed sizes of controls that are not sized by a picture, and the place of the one control
// that the layout file does not place. Chosen to fit the skin's page art.
struct Size {
    int w, h;
};
struct Point {
    int x, y;
};
constexpr Size kEditBox{44, 20};
constexpr Size kReportLabel{110, 20};
constexpr Size kStepNumber{22, 14};
constexpr Size kDpiCaption{44, 18};
constexpr Size kDpiValue{44, 16};
constexpr Size kModeLabel{120, 20};
constexpr Size kColourSourceLabel{170, 22};
constexpr Size kLightingNote{628, 24};
constexpr Point kLightingNoteAt{132, 410};
constexpr Size kRecordNote{560, 20};
constexpr Point kRecordNoteAt{132, 112};
constexpr Size kMacroNameList{210, 120};
// The event list leaves room under it, in the page art's event box, for two lines of usage.
constexpr Size kMacroContentList{232, 244};
constexpr Size kMacroUsage{232, 17};
constexpr Size kDelayPanel{222, 130};
constexpr Size kInsertPanel{222, 152};
// The cover of the insert panel's delay choices while keys are recorded: from the first choice
// down to the Record/Stop button (InsertRecDelay_Y, InsertBtnStart_Y), which stays clickable.
constexpr Size kInsertChoicesCover{222, 66};
constexpr Point kInsertChoicesCoverAt{0, 34};
constexpr Size kLamp{12, 12};
constexpr Size kDelayLabel{160, 20};
constexpr Size kDelayEdit{44, 20};
constexpr Size kInsertCombo{170, 22};
constexpr Size kInsertDelayCaption{70, 18};
constexpr Size kUnitLabel{20, 18};
constexpr Size kBinPathCaption{300, 20};
constexpr Size kBinPath{460, 22};
constexpr Size kMenuEntry{170, 24};
constexpr int kMenuBorder = 1;
constexpr Size kMacroPicker{170, 200};
constexpr Size kPointerNote{372, 16};

class Builder {
public:
    explicit Builder(ControlTable& t) : t_(t) {}

    void add(std::string_view name, ControlKind kind, std::string_view parent, Size size = {0, 0},
             std::string caption = {}, bool visible = true) {
        Control c;
        c.name = std::string(name);
        c.kind = kind;
        c.parent = std::string(parent);
        c.width = size.w;
        c.height = size.h;
        c.caption = std::move(caption);
        c.visible = visible;
        t_.add(std::move(c));
    }
    void picture(std::string_view name, std::string_view parent, bool visible = true) {
        add(name, ControlKind::Picture, parent, {0, 0}, {}, visible);
    }
    void label(std::string_view name, std::string_view parent, Size size = {0, 0}, std::string caption = {},
               bool visible = true) {
        add(name, ControlKind::Label, parent, size, std::move(caption), visible);
    }
    void pictureButton(std::string_view pictureName, std::string_view labelName, std::string_view parent) {
        picture(pictureName, parent);
        label(labelName, parent);
    }
    void edit(std::string_view name, std::string_view parent, Size size, std::string text, bool visible = true) {
        add(name, ControlKind::Edit, parent, size, std::move(text), visible);
    }

private:
    ControlTable& t_;
};

void addBar(Builder& b, int page) {
    const std::string g = pageGroup(page);
    b.pictureButton(barPicture(kWebButton.base, page), barLabel(kWebButton.base, page), g);
    for (const auto& btn : kActionButtons) b.pictureButton(barPicture(btn.base, page), barLabel(btn.base, page), g);
    for (const auto& btn : kPageButtons) b.pictureButton(barPicture(btn.base, page), barLabel(btn.base, page), g);
}

void addTenStepBar(Builder& b, const TenStepBar& bar) {
    const std::string g = pageGroup(bar.page);
    for (int i = 1; i <= kTenStepCount; ++i) b.picture(barStep(bar, i), g);
    for (int i = 1; i <= kTenStepCount; ++i) b.label(barNumber(bar, i), g, kStepNumber, std::to_string(i));
}

void addOption(Builder& b, const OptionPicture& o, const std::string& g, Size labelSize) {
    b.picture(std::string(o.picture), g);
    b.label(std::string(o.label), g, labelSize);
}

void addSwatch(Builder& b, const Swatch& s, const std::string& g) {
    b.add(std::string(s.shape), ControlKind::Shape, g);
    b.picture(std::string(s.frame), g);
    b.label(std::string(s.label), g);
    for (const char* c : {"R", "G", "B"}) b.edit(std::string(s.edits) + c, g, kEditBox, "100", false);
}

void addMainMapPage(Builder& b) {
    const std::string g = pageGroup(1);
    b.picture(ctrl::Img_P1, g);
    for (int k = 1; k <= kKeyLabelCount; ++k) b.pictureButton(keyPicture(k), keyLabel(k), g);
    b.label(ctrl::Disable, g);
}

void addMenus(ControlTable& t, Builder& b) {
    const std::string g = pageGroup(1);
    for (const auto panel : kMenuPanels) b.add(std::string(panel), ControlKind::Panel, g, {kMenuEntry.w, 0}, {}, false);
    // Entries stack inside a one-pixel border; the panel is as high as its entries (six give
    // the designed 146 pixels of Pnl_Main).
    const auto addEntry = [&](std::string_view name, std::string_view panel) {
        const Control* p = t.find(panel);
        if (p == nullptr) return;
        const int y = p->height == 0 ? kMenuBorder : p->height - kMenuBorder;
        const int width = p->width;
        b.label(std::string(name), std::string(panel), {width - 2 * kMenuBorder, kMenuEntry.h});
        t.moveTo(name, kMenuBorder, y);
        t.resize(panel, width, y + kMenuEntry.h + kMenuBorder);
    };
    for (const auto& e : kMenuGroups) addEntry(e.name, e.panel);
    for (const auto& code : namedCodes()) {
        addEntry(code.menuItems[0], menuPanelForTag(code.tag));
        if (!code.menuItems[1].empty()) addEntry(code.menuItems[1], ctrl::Pnl_LRM);
    }
    b.add(ctrl::LB_Name, ControlKind::List, g, kMacroPicker, {}, false);
}

void addAdvancedPage(Builder& b) {
    const std::string g = pageGroup(2);
    b.picture(ctrl::Img_P2, g);
    b.edit(ctrl::Edt_Repeat1, g, kEditBox, "2");
    b.edit(ctrl::Edt_DelayTime1, g, kEditBox, "16");
    for (const auto& o : kReportOptions) addOption(b, o, g, kReportLabel);
    for (const auto& bar : kPointerBars) addTenStepBar(b, bar);
    b.label(ctrl::lbl_PointerNote, g, kPointerNote, {}, false);
    for (int d = 1; d <= kDpiLevelCount; ++d) {
        addSwatch(b, kDpiSwatches[static_cast<std::size_t>(d - 1)], g);
        b.picture(dpiCheck(d), g);
        b.label(dpiCaption(d), g, kDpiCaption, "DPI" + std::to_string(d));
        b.label(dpiValue(d), g, kDpiValue);
        for (int s = 1; s <= kDpiStepCount; ++s) b.picture(dpiStep(d, s), g);
    }
}

void addBreathingPage(Builder& b) {
    const std::string g = pageGroup(3);
    b.picture(ctrl::Img_P3, g);
    for (const auto& bar : kBreathBars) addTenStepBar(b, bar);
    for (const auto& o : kLedModes) addOption(b, o, g, kModeLabel);
    for (const auto& o : kColourSources) addOption(b, o, g, kColourSourceLabel);
    for (const auto& s : kLightingSwatches) addSwatch(b, s, g);
    b.label(ctrl::lbl_LightingNote, g, kLightingNote, {}, false);
}

// Record delay is chosen at creation; `shown` false hides the three choices altogether.
void addTriplet(Builder& b, const DelayTriplet& t, bool shown) {
    for (std::size_t j = 0; j < 3; ++j) {
        b.add(std::string(t.lamps[j]), ControlKind::Lamp, std::string(t.parent), kLamp, {}, shown && j == 0);
        b.label(std::string(t.labels[j]), std::string(t.parent), kDelayLabel, {}, shown);
    }
}

void addMacroPage(Builder& b) {
    const std::string g = pageGroup(4);
    b.picture(ctrl::Img_P4, g);
    b.add(ctrl::LB_MacroName, ControlKind::List, g, kMacroNameList);
    b.add(ctrl::LB_macro, ControlKind::List, g, kMacroContentList);
    b.label(ctrl::lbl_MacroBytes, g, kMacroUsage);
    b.label(ctrl::lbl_MacroEvents, g, kMacroUsage);
    b.label(ctrl::lbl_RecordNote, g, kRecordNote, {}, false);
    for (const auto& btn : kMacroButtons) b.pictureButton(btn.picture, btn.label, g);

    b.add(ctrl::Gb_Delay, ControlKind::Group, g, kDelayPanel);
    addTriplet(b, kRecordDelays, true);
    b.edit(ctrl::Edt_Delay, ctrl::Gb_Delay, kDelayEdit, "0.05");

    b.picture(ctrl::Img_InsertBase, g, false);
    b.add(ctrl::Gb_Insert, ControlKind::Group, g, kInsertPanel, {}, false);
    b.add(ctrl::CB_Insert, ControlKind::Combo, ctrl::Gb_Insert, kInsertCombo);
    // The panel is designed for its first choice, a delay: no key recording controls.
    addTriplet(b, kInsertDelays, false);
    b.edit(ctrl::Edt_InsertDelay, ctrl::Gb_Insert, kDelayEdit, "0.05");
    b.label(ctrl::lbl_Delay, ctrl::Gb_Insert, kInsertDelayCaption);
    b.label(ctrl::lbl_s_A, ctrl::Gb_Insert, kUnitLabel);
    for (const auto& btn : kInsertButtons) b.pictureButton(btn.picture, btn.label, ctrl::Gb_Insert);
    b.label(ctrl::GB_Dis, ctrl::Gb_Insert, kInsertChoicesCover, {}, false);
}

void addUpdatePage(Builder& b) {
    const std::string g = pageGroup(5);
    b.picture(ctrl::Img_P5, g);
    b.label(ctrl::lbl_BINPath, g, kBinPathCaption);
    b.label(ctrl::lbl_LoadBIN, g, kBinPath);
    for (const auto& btn : kUpdateButtons) b.pictureButton(btn.picture, btn.label, g);
}

// The hidden radio groups that live in `parent` (empty: the window itself).
void addRadioGroups(Builder& b, std::string_view parent) {
    for (const auto& group : kRadioGroups) {
        if (group.parent != parent) continue;
        b.add(std::string(group.group), ControlKind::Group, std::string(parent), {0, 0}, {}, false);
        for (const auto r : group.radios) {
            if (!r.empty()) b.add(std::string(r), ControlKind::Radio, std::string(group.group));
        }
    }
}

void setCopies(ControlTable& t, std::string_view base, std::string_view picture) {
    for (int page = 1; page <= kPageGroupCount; ++page) t.setPicture(barPicture(base, page), picture);
}

// The skin's pictures at start, in language 1 on the Main page: backgrounds, page pictures, every
// button in its normal state (the Main and language-1 buttons marked), and the first picture of
// every series, which the layout spaces the series by.
void startPictures(ControlTable& t) {
    constexpr int skin = 1;
    for (int page = 1; page <= kPageGroupCount; ++page) t.setPicture(baseImage(page), backgroundPicture(skin));
    for (const auto& p : kPages) {
        if (p.backNumber != 0) t.setPicture(p.pictureControl, pagePicture(skin, p.backNumber));
    }
    for (const auto& b : kActionButtons) setCopies(t, b.base, familyPictures(HoverFamily::A).normal);
    const auto& set = familyPictures(HoverFamily::B);
    for (const auto& b : kPageButtons) {
        const bool current = b.base == pageInfo(Page::Main).button || b.base == languageButtonBase(1);
        setCopies(t, b.base, current ? set.third : set.normal);
    }
    const auto& keys = familyPictures(HoverFamily::C);
    for (int k = 1; k <= kKeyLabelCount; ++k) t.setPicture(keyPicture(k), keys.normal);
    for (const auto& b : kUpdateButtons) t.setPicture(b.picture, keys.normal);
    setCopies(t, kWebButton.base, familyPictures(HoverFamily::Web).normal);
    for (const auto& bar : kPointerBars) t.setPicture(barStep(bar, 1), kTenStepSegment.on);
    for (int d = 1; d <= kDpiLevelCount; ++d) t.setPicture(dpiStep(d, 1), kDpiSegment.on);
    for (const auto& s : kDpiSwatches) t.setPicture(s.frame, "Col_F");
    for (const auto& s : kLightingSwatches) t.setPicture(s.frame, "Col_F");
    for (const auto& bar : kBreathBars) t.setPicture(barStep(bar, 1), kTenStepSegment.on);
    for (const auto& b : kMacroButtons) t.setPicture(b.picture, familyPictures(b.family).normal);
    for (const auto& b : kInsertButtons) t.setPicture(b.picture, familyPictures(b.family).normal);
    t.setPicture(ctrl::Img_P5, "Update");
}

// What the window shows before any image is loaded: the choices checked at creation, and the
// unlit or unchosen picture on every segment and option that the editors redraw later.
void designedState(ControlTable& t) {
    for (const char* r : {"rb_1", "rb_Rep1", "rb_DPI1", "rb_Colorful", "rb_LEDColMode1"}) t.setChecked(r, true);
    const auto chosen = [&](const OptionPicture& o) { t.setPicture(o.picture, kOptionMark.of(t.checked(o.radio))); };
    for (const auto& o : kReportOptions) chosen(o);
    for (const auto& o : kLedModes) chosen(o);
    for (const auto& o : kColourSources) chosen(o);
    // Colorful is chosen: the colour-source choice and the colour areas take no clicks (the
    // mouse's lock colour never does).
    for (const auto& o : kColourSources) t.setEnabled(o.label, false);
    for (const auto& s : kLightingSwatches) t.setEnabled(s.label, false);
    for (int d = 1; d <= kDpiLevelCount; ++d) {
        t.setPicture(dpiCheck(d), kCheckBox.of(t.checked(dpiRadio(d))));
        for (int s = 2; s <= kDpiStepCount; ++s) t.setPicture(dpiStep(d, s), kDpiSegment.off);
    }
    const auto unlit = [&](const TenStepBar& bar) {
        for (int i = 2; i <= kTenStepCount; ++i) t.setPicture(barStep(bar, i), kTenStepSegment.off);
    };
    for (const auto& bar : kPointerBars) unlit(bar);
    for (const auto& bar : kBreathBars) unlit(bar);
    t.setPicture(ctrl::Img_InsertBase, "InsertDelayBase");
    t.setItemIndex(ctrl::CB_Insert, 0);
    t.setBackColor(ctrl::CB_Insert, Rgb{20, 20, 22});
    const PictureButton& record = kInsertButtons.front();
    t.setVisible(record.picture, false);
    t.setVisible(record.label, false);
    // Texts that read from the left: the delay options, the menu entries, the file path.
    for (const auto* triplet : {&kRecordDelays, &kInsertDelays}) {
        for (const auto label : triplet->labels) t.setAlign(label, TextAlign::Left);
    }
    for (const auto& name : t.names()) {
        if (!name.starts_with("Key_")) continue;
        t.setAlign(name, TextAlign::Left);
        t.setFontColor(name, Rgb{0, 0, 0});  // menu entries: black on the light panel
    }
    for (const auto name : {ctrl::lbl_BINPath, ctrl::lbl_LoadBIN, ctrl::lbl_s_A, ctrl::lbl_MacroBytes,
                            ctrl::lbl_MacroEvents, ctrl::lbl_PointerNote})
        t.setAlign(name, TextAlign::Left);
    // The pointer note reads as the page art's hints do: small and dim.
    t.setFont(ctrl::lbl_PointerNote, 8, Rgb{150, 156, 165});
    t.setItemHeight(ctrl::LB_macro, kMacroEventHeight);
    t.setAlign(ctrl::lbl_Delay, TextAlign::Right);
    // Under the Breathing Light page's picture, in the skin's accent red.
    t.moveTo(ctrl::lbl_LightingNote, kLightingNoteAt.x, kLightingNoteAt.y);
    t.setAlign(ctrl::lbl_LightingNote, TextAlign::Left);
    t.setFont(ctrl::lbl_LightingNote, 10, Rgb{235, 70, 80});
    t.moveTo(ctrl::lbl_RecordNote, kRecordNoteAt.x, kRecordNoteAt.y);
    t.moveTo(ctrl::GB_Dis, kInsertChoicesCoverAt.x, kInsertChoicesCoverAt.y);
    t.setAlign(ctrl::lbl_RecordNote, TextAlign::Left);
    t.setFont(ctrl::lbl_RecordNote, 10, Rgb{235, 70, 80});
    // The Update buttons keep their designed font: the language files do not style them.
    for (int page = 1; page <= kPageGroupCount; ++page)
        t.setFont(barLabel(pageInfo(Page::Update).button, page), 11, Rgb{255, 255, 255});
}

}  // namespace

void buildMainWindowControls(ControlTable& table) {
    Builder b(table);
    addRadioGroups(b, "");
    for (int page = 1; page <= kPageGroupCount; ++page) {
        const std::string g = pageGroup(page);
        b.add(g, ControlKind::Group, {}, {kMainWindowWidth, kMainWindowHeight}, {}, page == 1);
        b.picture(baseImage(page), g);
        switch (page) {
            case 1: addMainMapPage(b); break;
            case 2: addAdvancedPage(b); break;
            case 3: addBreathingPage(b); break;
            case 4: addMacroPage(b); break;
            default: addUpdatePage(b); break;
        }
        addBar(b, page);
        if (page == 1) addMenus(table, b);
        addRadioGroups(b, g);
        b.label(pageOverlay(page), g, {kMainWindowWidth, kMainWindowHeight}, {}, false);
    }
    startPictures(table);
    designedState(table);
    table.takeChanged();
}

}  // namespace varnel
