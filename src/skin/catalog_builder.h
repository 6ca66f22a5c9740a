#pragma once
// What a page's skin table uses to add its controls to the catalogue: the builder, with the
// families of controls that several pages share (picture buttons, ten-step bars, options,
// swatches, delay choices).
#include <string>
#include <string_view>

#include "skin/controls.h"
#include "skin/skin_tables.h"

namespace varnel {

// A designed size of a control that is not sized by its picture.
struct Size {
    int w, h;
};
inline constexpr Size kEditBox{44, 20};

class CatalogBuilder {
public:
    explicit CatalogBuilder(ControlTable& t) : t_(t) {}

    ControlTable& table() { return t_; }

    void add(std::string_view name, ControlKind kind, std::string_view parent, Size size = {0, 0},
             std::string caption = {}, bool visible = true);
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

    // The ten segments of `bar` and the numbers under them.
    void tenStepBar(const skin::TenStepBar& bar);
    void option(const skin::OptionPicture& o, std::string_view parent, Size labelSize);
    // Shape, frame and click label, and the hidden percentage fields of its colour.
    void swatch(const skin::Swatch& s, std::string_view parent);
    // Three delay choices; `shown` false hides them altogether (the first lamp is lit).
    void triplet(const skin::DelayTriplet& t, bool shown);

private:
    ControlTable& t_;
};

}  // namespace varnel
