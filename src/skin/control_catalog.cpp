#include "skin/control_catalog.h"

#include <string>

#include "config/action_codes.h"
#include "skin/control_names.h"
#include "skin/page_skins.h"
#include "skin/skin_styles.h"
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

void addBar(CatalogBuilder& b, int page) {
    const std::string g = pageGroup(page);
    b.pictureButton(barPicture(kWebButton.base, page), barLabel(kWebButton.base, page), g);
    b.pictureButton(barPicture(kMinimiseButton.base, page), barLabel(kMinimiseButton.base, page), g);
    for (const auto& btn : kActionButtons) b.pictureButton(barPicture(btn.base, page), barLabel(btn.base, page), g);
    for (const auto& btn : kPageButtons) b.pictureButton(barPicture(btn.base, page), barLabel(btn.base, page), g);
}

// The hidden radio groups that live in `parent` (empty: the window itself).
void addRadioGroups(CatalogBuilder& b, std::string_view parent) {
    for (const auto& group : kRadioGroups) {
        if (group.parent != parent) continue;
        b.add(std::string(group.group), ControlKind::Group, std::string(parent), {0, 0}, {}, false);
        for (const auto r : group.radios) {
            if (!r.empty()) b.add(std::string(r), ControlKind::Radio, std::string(group.group));
        }
    }
}

// The header's line under the subtitle, in the skin's accent red.
constexpr Size kMouseStateLine{400, 16};
constexpr std::array<int, 2> kMouseStateAt{126, 65};

std::vector<std::string> mouseStateLines(const ControlTable&) {
    std::vector<std::string> out;
    for (int page = 1; page <= kPageGroupCount; ++page) out.push_back(mouseStateLine(page));
    return out;
}

constexpr std::array kHeaderLooks{
    StartRow{family(mouseStateLines), {.align = kFromLeft, .fontSize = 9, .fontColor = kNoteRed, .at = kMouseStateAt}},
};

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
    setCopies(t, kMinimiseButton.base, familyPictures(HoverFamily::Minimise).normal);
    for (const auto& bar : kPointerBars) t.setPicture(barStep(bar, 1), kTenStepSegment.on);
    for (int d = 1; d <= kDpiLevelCount; ++d) t.setPicture(dpiStep(d, 1), kDpiSegment.on);
    for (const auto& s : kDpiSwatches) t.setPicture(s.frame, "Col_F");
    for (const auto& s : kLightingSwatches) t.setPicture(s.frame, "Col_F");
    for (const auto& bar : kBreathBars) t.setPicture(barStep(bar, 1), kTenStepSegment.on);
    for (const auto& b : kMacroButtons) t.setPicture(b.picture, familyPictures(b.family).normal);
    for (const auto& b : kInsertButtons) t.setPicture(b.picture, familyPictures(b.family).normal);
    t.setPicture(ctrl::Img_P5, "Update");
}

}  // namespace

void buildMainWindowControls(ControlTable& table) {
    CatalogBuilder b(table);
    addRadioGroups(b, "");
    for (const PageSkin* page : pageSkins()) {
        const std::string g = pageGroup(page->group);
        b.add(g, ControlKind::Group, {}, {kMainWindowWidth, kMainWindowHeight}, {}, page->group == 1);
        b.picture(baseImage(page->group), g);
        page->controls(b);
        addBar(b, page->group);
        if (page->overBar != nullptr) page->overBar(b);
        addRadioGroups(b, g);
        b.label(mouseStateLine(page->group), g, kMouseStateLine, {}, false);
        b.label(pageOverlay(page->group), g, {kMainWindowWidth, kMainWindowHeight}, {}, false);
    }
    startPictures(table);
    applyStartLooks(table, kWindowStartRows);
    applyStartLooks(table, kHeaderLooks);
    for (const PageSkin* page : pageSkins()) applyStartLooks(table, page->looks);
    markCheckedOptions(table);
    table.takeChanged();
}

}  // namespace varnel
