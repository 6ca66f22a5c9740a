#include "skin/layout.h"

#include <string>
#include <string_view>

#include "common/resources.h"
#include "skin/control_names.h"
#include "skin/layout_reader.h"
#include "skin/page_skins.h"
#include "skin/skin_tables.h"

namespace varnel {

using namespace skin;

namespace {

constexpr const char* kRevManuKey = "Rev_Manu_ID";
constexpr const char* kRevProKey = "Rev_Pro_ID";

// <id>_Enable shows or hides the five copies; the point to place them at when shown.
std::optional<Point> switchedButton(LayoutReader& r, const BarButton& b) {
    const auto shown = r.enabled(b.layoutId);
    if (!shown) return std::nullopt;
    for (int page = 1; page <= kPageGroupCount; ++page) {
        r.controls().setVisible(barLabel(b.base, page), *shown);
        r.controls().setVisible(barPicture(b.base, page), *shown);
    }
    if (!*shown) return std::nullopt;
    return r.point(b.layoutId);
}

// Action buttons: label over the whole picture.
void placeActionButton(LayoutReader& r, const BarButton& b) {
    const auto p = switchedButton(r, b);
    for (int page = 1; page <= kPageGroupCount; ++page)
        r.placeButton(barPicture(b.base, page), barLabel(b.base, page), p);
}

// The minimise control is this program's own: a layout file that does not name it hides it
// instead of reporting a missing key.
void placeMinimiseButton(LayoutReader& r) {
    const std::string enableKey = std::string(kMinimiseButton.layoutId) + "_Enable";
    if (r.section().value(enableKey)) return placeActionButton(r, kMinimiseButton);
    for (int page = 1; page <= kPageGroupCount; ++page) {
        r.controls().setVisible(barLabel(kMinimiseButton.base, page), false);
        r.controls().setVisible(barPicture(kMinimiseButton.base, page), false);
    }
}

// Page buttons: the label covers only the inner part of the irregular picture.
void placePageButton(LayoutReader& r, const BarButton& b) {
    const auto p = switchedButton(r, b);
    if (!p) return;
    const int inset = r.settings().btnSpaceF;
    for (int page = 1; page <= kPageGroupCount; ++page) {
        const std::string picture = barPicture(b.base, page);
        const std::string label = barLabel(b.base, page);
        r.controls().moveTo(picture, p->x, p->y);
        r.controls().moveTo(label, p->x + inset, p->y);
        r.controls().resize(label, r.width(picture) - inset - r.settings().btnSpaceB, r.height(picture));
    }
}

// The web button and the alternative signature.
void placeHeader(LayoutReader& r) {
    if (const auto web = r.text("Web")) r.settings().web = std::string(*web);
    const auto p = r.point("Web");
    for (int page = 1; page <= kPageGroupCount; ++page) {
        r.placeButton(barPicture(kWebButton.base, page), barLabel(kWebButton.base, page), p);
    }
    // Read through the reader so that a missing key is reported; the values are the same.
    r.number(kRevManuKey);
    r.number(kRevProKey);
    r.settings().alternative = layoutAlternativeSignature(r.section());
}

}  // namespace

LayoutResult loadLayout(const IniSection& org, ControlTable& controls) {
    LayoutResult out;
    LayoutReader r(org, controls, out);
    placeHeader(r);
    for (const auto& b : kActionButtons) placeActionButton(r, b);
    placeMinimiseButton(r);
    r.settings().btnSpaceF = r.number("Btn_Space_F").value_or(0);
    r.settings().btnSpaceB = r.number("Btn_Space_B").value_or(0);
    for (const auto& b : kPageButtons) placePageButton(r, b);
    for (const PageSkin* page : pageSkins()) page->place(r);
    return out;
}

AlternativeSignature layoutAlternativeSignature(const IniSection& org) {
    const auto value = [&](const char* key) {
        const auto v = org.value(key);
        return v ? parseIniInt(*v).value_or(0) : 0;
    };
    return {value(kRevManuKey), value(kRevProKey)};
}

Result<IniDocument> embeddedLayoutDocument() {
    auto bytes = findResource(kLayoutSection);
    if (!bytes) return bytes.error();
    return IniDocument::parse(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

}  // namespace varnel
