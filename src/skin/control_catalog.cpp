#include "skin/control_catalog.h"

#include <string>

#include "config/action_codes.h"
#include "skin/skin_tables.h"

namespace varnel {

using namespace skin;

std::string_view menuPanelForTag(int tag) {
    struct Range {
        int first, last;
        std::string_view panel;
    };
    constexpr Range kRanges[] = {
        {900, 904, "Pnl_MseKey"}, {1000, 1008, "Pnl_Special"}, {1300, 1306, "Pnl_Media"}, {1400, 1406, "Pnl_WWW"}};
    for (const auto& r : kRanges) {
        if (tag >= r.first && tag <= r.last) return r.panel;
    }
    return {};
}

namespace {

// Designed sizes of controls that are not sized by a picture. Chosen to fit the skin's page art.
struct Size {
    int w, h;
};
constexpr Size kEditBox{44, 20};
constexpr Size kReportLabel{110, 20};
constexpr Size kStepNumber{22, 14};
constexpr Size kDpiCaption{44, 18};
constexpr Size kDpiValue{44, 16};
constexpr Size kModeLabel{120, 20};
constexpr Size kColourSourceLabel{170, 22};
constexpr Size kMacroNameList{210, 120};
constexpr Size kMacroContentList{232, 280};
constexpr Size kDelayPanel{222, 130};
constexpr Size kInsertPanel{222, 152};
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
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;

class Builder {
public:
    explicit Builder(ControlTable& t) : t_(t) {}

    void add(std::string name, ControlKind kind, std::string parent, Size size = {0, 0}, std::string caption = {},
             bool visible = true) {
        Control c;
        c.name = std::move(name);
        c.kind = kind;
        c.parent = std::move(parent);
        c.width = size.w;
        c.height = size.h;
        c.caption = std::move(caption);
        c.visible = visible;
        t_.add(std::move(c));
    }
    void picture(std::string name, const std::string& parent, bool visible = true) {
        add(std::move(name), ControlKind::Picture, parent, {0, 0}, {}, visible);
    }
    void label(std::string name, const std::string& parent, Size size = {0, 0}, std::string caption = {},
               bool visible = true) {
        add(std::move(name), ControlKind::Label, parent, size, std::move(caption), visible);
    }
    void pictureButton(std::string_view pictureName, std::string_view labelName, const std::string& parent) {
        picture(std::string(pictureName), parent);
        label(std::string(labelName), parent);
    }
    void edit(std::string name, const std::string& parent, Size size, std::string text, bool visible = true) {
        add(std::move(name), ControlKind::Edit, parent, size, std::move(text), visible);
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
    for (int i = 1; i <= kTenStepCount; ++i) b.picture(std::string(bar.picture) + std::to_string(i), g);
    for (int i = 1; i <= kTenStepCount; ++i) {
        b.label(std::string(bar.label) + std::to_string(i), g, kStepNumber, std::to_string(i));
    }
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
    b.picture("Img_P1", g);
    for (int k = 1; k <= kKeyLabelCount; ++k) b.pictureButton(keyPicture(k), keyLabel(k), g);
    b.label("Disable", g);
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
        if (!code.menuItems[1].empty()) addEntry(code.menuItems[1], "Pnl_LRM");
    }
    b.add("LB_Name", ControlKind::List, g, kMacroPicker, {}, false);
}

void addAdvancedPage(Builder& b) {
    const std::string g = pageGroup(2);
    b.picture("Img_P2", g);
    b.edit("Edt_Repeat1", g, kEditBox, "2");
    b.edit("Edt_DelayTime1", g, kEditBox, "16");
    for (const auto& o : kReportOptions) addOption(b, o, g, kReportLabel);
    for (const auto& bar : kPointerBars) addTenStepBar(b, bar);
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
    b.picture("Img_P3", g);
    for (const auto& bar : kBreathBars) addTenStepBar(b, bar);
    for (const auto& o : kLedModes) addOption(b, o, g, kModeLabel);
    for (const auto& o : kColourSources) addOption(b, o, g, kColourSourceLabel);
    for (const auto& s : kLightingSwatches) addSwatch(b, s, g);
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
    b.picture("Img_P4", g);
    b.add("LB_MacroName", ControlKind::List, g, kMacroNameList);
    b.add("LB_macro", ControlKind::List, g, kMacroContentList);
    for (const auto& btn : kMacroButtons) b.pictureButton(btn.picture, btn.label, g);

    b.add("Gb_Delay", ControlKind::Group, g, kDelayPanel);
    addTriplet(b, kRecordDelays, true);
    b.edit("Edt_Delay", "Gb_Delay", kDelayEdit, "0.05");

    b.picture("Img_InsertBase", g, false);
    b.add("Gb_Insert", ControlKind::Group, g, kInsertPanel, {}, false);
    b.add("CB_Insert", ControlKind::Combo, "Gb_Insert", kInsertCombo);
    // The panel is designed for its first choice, a delay: no key recording controls.
    addTriplet(b, kInsertDelays, false);
    b.edit("Edt_InsertDelay", "Gb_Insert", kDelayEdit, "0.05");
    b.label("lbl_Delay", "Gb_Insert", kInsertDelayCaption);
    b.label("lbl_s_A", "Gb_Insert", kUnitLabel);
    for (const auto& btn : kInsertButtons) b.pictureButton(btn.picture, btn.label, "Gb_Insert");
    b.label("GB_Dis", "Gb_Insert", kInsertPanel, {}, false);
}

void addUpdatePage(Builder& b) {
    const std::string g = pageGroup(5);
    b.picture("Img_P5", g);
    b.label("lbl_BINPath", g, kBinPathCaption);
    b.label("lbl_LoadBIN", g, kBinPath);
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

// What the window shows before any image is loaded: the choices checked at creation, and the
// unlit or unchosen picture on every segment and option that the editors redraw later.
void designedState(ControlTable& t) {
    for (const char* r : {"rb_1", "rb_Rep1", "rb_DPI1", "rb_Colorful", "rb_LEDColMode1"}) t.setChecked(r, true);
    const auto chosen = [&](const OptionPicture& o) {
        t.setPicture(o.picture, t.checked(o.radio) ? "RdS_E" : "RdS_D");
    };
    for (const auto& o : kReportOptions) chosen(o);
    for (const auto& o : kLedModes) chosen(o);
    for (const auto& o : kColourSources) chosen(o);
    for (int d = 1; d <= kDpiLevelCount; ++d) {
        t.setPicture(dpiCheck(d), t.checked("rb_DPI" + std::to_string(d)) ? "CbS_E" : "CbS_D");
        for (int s = 2; s <= kDpiStepCount; ++s) t.setPicture(dpiStep(d, s), "Bar2_D");
    }
    for (const auto& bar : kPointerBars) {
        for (int i = 2; i <= kTenStepCount; ++i) t.setPicture(std::string(bar.picture) + std::to_string(i), "Bar1_D");
    }
    for (const auto& bar : kBreathBars) {
        for (int i = 2; i <= kTenStepCount; ++i) t.setPicture(std::string(bar.picture) + std::to_string(i), "Bar1_D");
    }
    t.setPicture("Img_InsertBase", "InsertDelayBase");
    t.setItemIndex("CB_Insert", 0);
    t.setBackColor("CB_Insert", Rgb{20, 20, 22});
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
    for (const char* name : {"lbl_BINPath", "lbl_LoadBIN", "lbl_s_A"}) t.setAlign(name, TextAlign::Left);
    t.setAlign("lbl_Delay", TextAlign::Right);
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
        b.add(g, ControlKind::Group, {}, {kWindowWidth, kWindowHeight}, {}, page == 1);
        b.picture("Img_Base_" + std::to_string(page), g);
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
        b.label("Disable_All_" + std::to_string(page), g, {kWindowWidth, kWindowHeight}, {}, false);
    }
    designedState(table);
    table.takeChanged();
}

}  // namespace varnel
