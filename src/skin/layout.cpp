#include "skin/layout.h"

#include <set>
#include <string_view>

#include "common/resources.h"
#include "skin/control_names.h"
#include "skin/skin_tables.h"

namespace varnel {

using namespace skin;

namespace {

struct Point {
    int x, y;
};

constexpr const char* kRevManuKey = "Rev_Manu_ID";
constexpr const char* kRevProKey = "Rev_Pro_ID";
constexpr int kPointerNoteDy = 30;  // below the speed bar, above the double-click caption
// Coordinates, sizes and the 16-bit ids all fit; with this bound no sum or product of placing
// (twenty steps of a bar at most) can overflow.
constexpr int kLayoutNumberLimit = 65535;

class LayoutReader {
public:
    LayoutReader(const IniSection& org, ControlTable& controls, LayoutResult& out)
        : org_(org), c_(controls), out_(out) {}

    const IniSection& section() const { return org_; }

    std::optional<std::string_view> text(const std::string& key) {
        const auto v = org_.value(key);
        if (!v) report(key, "layout key " + key + " is missing");
        return v;
    }

    std::optional<int> number(const std::string& key) {
        const auto v = org_.value(key);
        if (!v) {
            report(key, "layout key " + key + " is missing");
            return std::nullopt;
        }
        const auto n = parseIniInt(*v);
        if (!n) {
            report(key, "layout key " + key + " is not a number: \"" + std::string(*v) + "\"");
            return std::nullopt;
        }
        if (*n < -kLayoutNumberLimit || *n > kLayoutNumberLimit) {
            report(key, "layout key " + key + " is out of range: " + std::string(*v));
            return std::nullopt;
        }
        return n;
    }

    // Both coordinates of <key>_X, <key>_Y; nullopt (both reported) when either is unusable.
    std::optional<Point> point(std::string_view key) {
        const auto x = number(std::string(key) + "_X");
        const auto y = number(std::string(key) + "_Y");
        if (!x || !y) return std::nullopt;
        return Point{*x, *y};
    }

    // <id>_Enable: true = show, false = hide, nullopt = unusable (controls stay as they are).
    std::optional<bool> enabled(std::string_view id) {
        const auto e = number(std::string(id) + "_Enable");
        if (!e) return std::nullopt;
        return *e == 1;
    }

    void place(std::string_view name, std::optional<Point> p, int dx = 0, int dy = 0) {
        if (p) c_.moveTo(name, p->x + dx, p->y + dy);
    }

    // Label at the picture's point, sized to the picture.
    void placeButton(std::string_view picture, std::string_view label, std::optional<Point> p) {
        if (!p) return;
        c_.moveTo(picture, p->x, p->y);
        c_.moveTo(label, p->x, p->y);
        sizeToPicture(label, picture);
    }

    void sizeToPicture(std::string_view label, std::string_view picture) {
        if (const Control* pic = c_.find(picture)) c_.resize(label, pic->width, pic->height);
    }

    int width(std::string_view name) const {
        const Control* c = c_.find(name);
        return c ? c->width : 0;
    }
    int height(std::string_view name) const {
        const Control* c = c_.find(name);
        return c ? c->height : 0;
    }

    ControlTable& controls() { return c_; }
    LayoutSettings& settings() { return out_.settings; }

private:
    void report(const std::string& key, std::string message) {
        if (reported_.insert(key).second) out_.problems.push_back(std::move(message));
    }

    const IniSection& org_;
    ControlTable& c_;
    LayoutResult& out_;
    std::set<std::string> reported_;
};

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

void placeKeyLabels(LayoutReader& r) {
    for (int k = 1; k <= kKeyLabelCount; ++k) {
        const std::string id = keyLabel(k);
        const auto shown = r.enabled(id);
        if (!shown) continue;
        r.controls().setVisible(id, *shown);
        r.controls().setVisible(keyPicture(k), *shown);
        if (*shown) r.placeButton(keyPicture(k), id, r.point(id));
    }
}

void placeOption(LayoutReader& r, const OptionPicture& o) {
    const auto p = r.point(o.layoutKey);
    r.place(o.picture, p);
    r.place(o.label, p, -4, o.labelDy);
}

void placeTenStepBar(LayoutReader& r, const TenStepBar& bar) {
    const auto p = r.point(bar.layoutKey);
    if (!p) return;
    const int w = r.width(barStep(bar, 1));
    for (int i = 1; i <= kTenStepCount; ++i) {
        const int x = p->x + (i - 1) * w;
        r.controls().moveTo(barStep(bar, i), x, p->y);
        r.controls().moveTo(barNumber(bar, i), x - 4, p->y + 8);
    }
}

void placeSwatch(LayoutReader& r, const Swatch& s) {
    const auto p = r.point(s.layoutKey);
    if (!p) return;
    for (const auto name : {s.frame, s.shape, s.label}) r.controls().moveTo(name, p->x, p->y);
    r.sizeToPicture(s.shape, s.frame);
    r.sizeToPicture(s.label, s.frame);
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

void placeButtons(LayoutReader& r, std::span<const PictureButton> buttons) {
    for (const auto& b : buttons) r.placeButton(b.picture, b.label, r.point(b.layoutKey));
}

void placeTriplet(LayoutReader& r, const DelayTriplet& t) {
    const auto p = r.point(t.layoutKey);
    const auto h = r.number(std::string(t.layoutKey) + "_H");
    if (!p || !h) return;
    for (std::size_t j = 0; j < 3; ++j) {
        const int y = p->y + static_cast<int>(j) * *h;
        r.controls().moveTo(t.lamps[j], p->x, y);
        r.controls().moveTo(t.labels[j], p->x - 2, y);
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

// The Advanced page up to the DPI groups.
void placeAdvancedPage(LayoutReader& r) {
    const auto dx = r.number("Disable_X");
    const auto dy = r.number("Disable_Y");
    const auto dh = r.number("Disable_H");
    const auto dw = r.number("Disable_W");
    if (dx && dy) r.controls().moveTo(ctrl::Disable, *dx, *dy);
    if (dh && dw) r.controls().resize(ctrl::Disable, *dw, *dh);
    r.place(ctrl::Img_P2, r.point("P2"));
    r.place(ctrl::Edt_Repeat1, r.point("FKCnt"));
    r.place(ctrl::Edt_DelayTime1, r.point("FKDelay"));
    for (const auto& o : kReportOptions) placeOption(r, o);
    for (const auto& bar : kPointerBars) placeTenStepBar(r, bar);
    // The pointer note sits in the gap under the speed bar's numbers.
    if (const auto speed = r.point(kPointerBars.front().layoutKey))
        r.controls().moveTo(ctrl::lbl_PointerNote, speed->x, speed->y + kPointerNoteDy);
    r.settings().dpiOrientation = r.number("DPI_Orientation");
}

// The Breathing Light page.
void placeBreathingPage(LayoutReader& r) {
    r.place(ctrl::Img_P3, r.point("P3"));
    for (const auto& bar : kBreathBars) placeTenStepBar(r, bar);
    for (const auto& o : kLedModes) placeOption(r, o);
    for (std::size_t i = 0; i < kColourSources.size(); ++i) {
        placeOption(r, kColourSources[i]);
        placeSwatch(r, kLightingSwatches[i]);
    }
}

// The Macro page and its two panels.
void placeMacroPage(LayoutReader& r) {
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

// The Update page.
void placeUpdatePage(LayoutReader& r) {
    r.place(ctrl::Img_P5, r.point("P5"));
    r.place(ctrl::lbl_BINPath, r.point("lbl_BINPath"));
    r.place(ctrl::lbl_LoadBIN, r.point("lbl_LoadBin"));
    placeButtons(r, kUpdateButtons);
}

}  // namespace

LayoutResult loadLayout(const IniSection& org, ControlTable& controls) {
    LayoutResult out;
    LayoutReader r(org, controls, out);
    placeHeader(r);
    for (const auto& b : kActionButtons) placeActionButton(r, b);
    r.settings().btnSpaceF = r.number("Btn_Space_F").value_or(0);
    r.settings().btnSpaceB = r.number("Btn_Space_B").value_or(0);
    for (const auto& b : kPageButtons) placePageButton(r, b);
    r.place(ctrl::Img_P1, r.point("P1"));
    placeKeyLabels(r);
    placeAdvancedPage(r);
    for (int d = 1; d <= kDpiLevelCount; ++d) placeDpiLevel(r, d);
    placeBreathingPage(r);
    placeMacroPage(r);
    placeUpdatePage(r);
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
