#pragma once
// What a page's skin table uses to place its controls by the layout file "org": the reader, which
// reports each missing or unusable key once and leaves its controls where they are, with the
// placements that several pages share.
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>

#include "skin/controls.h"
#include "skin/ini_file.h"
#include "skin/layout.h"
#include "skin/skin_tables.h"

namespace varnel {

struct Point {
    int x, y;
};

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

// Option picture at its point, its click label beside it.
void placeOption(LayoutReader& r, const skin::OptionPicture& o);
// Ten segments spaced by the first one's width, numbers under them.
void placeTenStepBar(LayoutReader& r, const skin::TenStepBar& bar);
// Shape, frame and label at one point, sized to the frame.
void placeSwatch(LayoutReader& r, const skin::Swatch& s);
void placeButtons(LayoutReader& r, std::span<const skin::PictureButton> buttons);
// Three delay choices, each <key>_H below the last.
void placeTriplet(LayoutReader& r, const skin::DelayTriplet& t);

}  // namespace varnel
