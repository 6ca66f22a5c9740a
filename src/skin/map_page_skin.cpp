// The button-map pages' group (Main, Switch, Fixed): the mouse picture with its key labels, the
// overlay of the read-only page, and the button editor's menus over the bar.
#include "config/action_codes.h"
#include "skin/control_catalog.h"
#include "skin/control_names.h"
#include "skin/page_skins.h"
#include "skin/skin_tables.h"

namespace varnel {

using namespace skin;

namespace {

constexpr int kGroup = 1;
constexpr Size kMenuEntry{170, 24};
constexpr int kMenuBorder = 1;
constexpr Size kMacroPicker{170, 200};
// Where the page picture draws its hint line.
constexpr Size kHint{380, 16};
constexpr std::array<int, 2> kHintAt{380, 444};

void controls(CatalogBuilder& b) {
    const std::string g = pageGroup(kGroup);
    b.picture(ctrl::Img_P1, g);
    b.label(ctrl::lbl_Hint, g, kHint, {}, false);
    for (int k = 1; k <= kKeyLabelCount; ++k) b.pictureButton(keyPicture(k), keyLabel(k), g);
    b.label(ctrl::Disable, g);
}

void menus(CatalogBuilder& b) {
    const std::string g = pageGroup(kGroup);
    ControlTable& t = b.table();
    for (const auto panel : kMenuPanels) b.add(panel, ControlKind::Panel, g, {kMenuEntry.w, 0}, {}, false);
    // Entries stack inside a one-pixel border; the panel is as high as its entries (six give
    // the designed 146 pixels of Pnl_Main).
    const auto addEntry = [&](std::string_view name, std::string_view panel) {
        const Control* p = t.find(panel);
        if (p == nullptr) return;
        const int y = p->height == 0 ? kMenuBorder : p->height - kMenuBorder;
        const int width = p->width;
        b.label(name, panel, {width - 2 * kMenuBorder, kMenuEntry.h});
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

void place(LayoutReader& r) {
    r.place(ctrl::Img_P1, r.point("P1"));
    for (int k = 1; k <= kKeyLabelCount; ++k) {
        const std::string id = keyLabel(k);
        const auto shown = r.enabled(id);
        if (!shown) continue;
        r.controls().setVisible(id, *shown);
        r.controls().setVisible(keyPicture(k), *shown);
        if (*shown) r.placeButton(keyPicture(k), id, r.point(id));
    }
    const auto dx = r.number("Disable_X");
    const auto dy = r.number("Disable_Y");
    const auto dh = r.number("Disable_H");
    const auto dw = r.number("Disable_W");
    if (dx && dy) r.controls().moveTo(ctrl::Disable, *dx, *dy);
    if (dh && dw) r.controls().resize(ctrl::Disable, *dw, *dh);
}

std::vector<std::string> keyLabels(const ControlTable&) {
    std::vector<std::string> out;
    for (int k = 1; k <= kKeyLabelCount; ++k) out.push_back(keyLabel(k));
    return out;
}

std::vector<std::string> menuEntries(const ControlTable& table) {
    std::vector<std::string> out;
    for (const auto& name : table.names()) {
        if (name.starts_with("Key_")) out.push_back(name);
    }
    return out;
}

constexpr std::array kFonts{
    FontRow{family(keyLabels), "Size_C", 0, "Color_C"},
};

constexpr std::array kLooks{
    // In the picture's own grey and size.
    StartRow{one(ctrl::lbl_Hint), {.align = kFromLeft, .fontSize = 8, .fontColor = Rgb{128, 130, 136}, .at = kHintAt}},
    // Menu entries: light on the dark panel.
    StartRow{family(menuEntries), {.align = kFromLeft, .fontColor = kMenuEntryText}},
};

}  // namespace

extern const PageSkin kMapPageSkin;  // listed by pageSkins()
const PageSkin kMapPageSkin{kGroup, controls, menus, place, kFonts, kLooks};

}  // namespace varnel
