#pragma once
// The state of every control of the main window, by the control's name: what the widgets show
// (position, size, visibility, picture, caption, font). Models change it; the window renders the
// changed controls. Names are the window's object names ("Btn_Apply_1", "Img_DPI2_7", "rb_1").
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "skin/png_image.h"

namespace varnel {

enum class ControlKind {
    Group,    // container: a page, a panel of controls, a hidden radio group
    Picture,  // shows one skin picture and takes the picture's size
    Label,    // transparent caption and click area
    Edit,     // one-line text field
    List,     // list box
    Combo,    // drop-down list
    Radio,    // hidden radio button recording a choice
    Shape,    // filled colour swatch
    Lamp,     // small indicator light
    Panel,    // opaque popup menu panel
};

// How a label or edit places its text.
enum class TextAlign { Centre, Left, Right };

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

struct Control {
    std::string name;
    ControlKind kind = ControlKind::Label;
    std::string parent;  // empty: the main window
    int x = 0, y = 0, width = 0, height = 0;
    bool visible = true;
    bool enabled = true;
    bool checked = false;                 // radio buttons; lamps: lit
    bool alignRight = false;              // edit fields
    TextAlign align = TextAlign::Centre;  // labels
    std::string picture;                  // picture resource name shown (pictures)
    std::string caption;
    std::string tip;                 // shown under the pointer; empty: none
    std::vector<std::string> items;  // lists and drop-downs
    int itemIndex = -1;
    int topIndex = -1;   // lists: the first entry in view; -1 leaves the list where it is
    int itemHeight = 0;  // lists; 0 = the widget's own
    int fontSize = 0;    // points; 0 = the window's default
    std::optional<Rgb> fontColor;
    std::optional<Rgb> backColor;
};

using PictureSizeLookup = std::function<std::optional<PictureSize>(std::string_view name)>;

class ControlTable {
public:
    explicit ControlTable(PictureSizeLookup pictureSize = {}) : pictureSize_(std::move(pictureSize)) {}

    // Adds a control; names are unique (a second control of the same name replaces nothing and
    // is reported by unknownNames()).
    void add(Control c);

    const Control* find(std::string_view name) const;
    bool contains(std::string_view name) const { return find(name) != nullptr; }
    // Names in creation order (parents before children, later ones drawn on top).
    const std::vector<std::string>& names() const { return order_; }

    // Setters: each marks the control changed; a name that is not in the table is remembered in
    // unknownNames() so that tests catch misspelt names.
    void setPicture(std::string_view name, std::string_view picture);
    void setCaption(std::string_view name, std::string_view caption);
    void setTip(std::string_view name, std::string_view tip);
    void setVisible(std::string_view name, bool visible);
    void setEnabled(std::string_view name, bool enabled);
    void setChecked(std::string_view name, bool checked);
    void moveTo(std::string_view name, int x, int y);
    void resize(std::string_view name, int width, int height);
    void setFont(std::string_view name, int pointSize, std::optional<Rgb> color);
    void setFontColor(std::string_view name, Rgb color);
    void setBackColor(std::string_view name, Rgb color);
    void setItems(std::string_view name, std::vector<std::string> items);
    void setItemIndex(std::string_view name, int index);
    void setTopIndex(std::string_view name, int index);
    void setItemHeight(std::string_view name, int height);
    void setAlignRight(std::string_view name, bool right);
    void setAlign(std::string_view name, TextAlign align);

    // Shorthand reads for known names (a name not in the table reads as empty / false).
    std::string_view caption(std::string_view name) const;
    std::string_view picture(std::string_view name) const;
    bool visible(std::string_view name) const;
    bool checked(std::string_view name) const;

    // Names changed since the last call, in the order of first change.
    std::vector<std::string> takeChanged();
    const std::vector<std::string>& unknownNames() const { return unknown_; }

private:
    Control* edit(std::string_view name);

    PictureSizeLookup pictureSize_;
    std::unordered_map<std::string, std::size_t> index_;
    std::vector<Control> controls_;
    std::vector<std::string> order_;
    std::vector<std::string> changed_;
    std::vector<bool> changedFlag_;
    std::vector<std::string> unknown_;
};

}  // namespace varnel
