#include "skin/controls.h"

namespace varnel {

void ControlTable::add(Control c) {
    if (index_.contains(c.name)) {
        unknown_.push_back("duplicate " + c.name);
        return;
    }
    index_.emplace(c.name, controls_.size());
    order_.push_back(c.name);
    controls_.push_back(std::move(c));
    changedFlag_.push_back(false);
}

const Control* ControlTable::find(std::string_view name) const {
    const auto it = index_.find(std::string(name));
    return it == index_.end() ? nullptr : &controls_[it->second];
}

Control* ControlTable::edit(std::string_view name) {
    const auto it = index_.find(std::string(name));
    if (it == index_.end()) {
        unknown_.emplace_back(name);
        return nullptr;
    }
    if (!changedFlag_[it->second]) {
        changedFlag_[it->second] = true;
        changed_.push_back(it->first);
    }
    return &controls_[it->second];
}

void ControlTable::setPicture(std::string_view name, std::string_view picture) {
    Control* c = edit(name);
    if (c == nullptr) return;
    c->picture = picture;
    if (c->kind != ControlKind::Picture || !pictureSize_) return;
    if (const auto size = pictureSize_(picture)) {
        c->width = size->width;
        c->height = size->height;
    }
}

void ControlTable::setCaption(std::string_view name, std::string_view caption) {
    if (Control* c = edit(name)) c->caption = caption;
}

void ControlTable::setTip(std::string_view name, std::string_view tip) {
    if (Control* c = edit(name)) c->tip = tip;
}

void ControlTable::setVisible(std::string_view name, bool visible) {
    if (Control* c = edit(name)) c->visible = visible;
}

void ControlTable::setEnabled(std::string_view name, bool enabled) {
    if (Control* c = edit(name)) c->enabled = enabled;
}

void ControlTable::setChecked(std::string_view name, bool checked) {
    if (Control* c = edit(name)) c->checked = checked;
}

void ControlTable::moveTo(std::string_view name, int x, int y) {
    if (Control* c = edit(name)) {
        c->x = x;
        c->y = y;
    }
}

void ControlTable::resize(std::string_view name, int width, int height) {
    if (Control* c = edit(name)) {
        c->width = width;
        c->height = height;
    }
}

void ControlTable::setFont(std::string_view name, int pointSize, std::optional<Rgb> color) {
    if (Control* c = edit(name)) {
        c->fontSize = pointSize;
        if (color) c->fontColor = color;
    }
}

void ControlTable::setFontColor(std::string_view name, Rgb color) {
    if (Control* c = edit(name)) c->fontColor = color;
}

void ControlTable::setBackColor(std::string_view name, Rgb color) {
    if (Control* c = edit(name)) c->backColor = color;
}

void ControlTable::setItems(std::string_view name, std::vector<std::string> items) {
    if (Control* c = edit(name)) c->items = std::move(items);
}

void ControlTable::setItemIndex(std::string_view name, int index) {
    if (Control* c = edit(name)) c->itemIndex = index;
}

void ControlTable::setTopIndex(std::string_view name, int index) {
    if (Control* c = edit(name)) c->topIndex = index;
}

void ControlTable::setItemHeight(std::string_view name, int height) {
    if (Control* c = edit(name)) c->itemHeight = height;
}

void ControlTable::setAlignRight(std::string_view name, bool right) {
    if (Control* c = edit(name)) c->alignRight = right;
}

void ControlTable::setAlign(std::string_view name, TextAlign align) {
    if (Control* c = edit(name)) c->align = align;
}

std::string_view ControlTable::caption(std::string_view name) const {
    const Control* c = find(name);
    return c ? std::string_view(c->caption) : std::string_view{};
}

std::string_view ControlTable::picture(std::string_view name) const {
    const Control* c = find(name);
    return c ? std::string_view(c->picture) : std::string_view{};
}

bool ControlTable::visible(std::string_view name) const {
    const Control* c = find(name);
    return c != nullptr && c->visible;
}

bool ControlTable::checked(std::string_view name) const {
    const Control* c = find(name);
    return c != nullptr && c->checked;
}

std::vector<std::string> ControlTable::takeChanged() {
    for (const auto& n : changed_) changedFlag_[index_.at(n)] = false;
    return std::exchange(changed_, {});
}

}  // namespace varnel
