#include "skin/catalog_builder.h"

namespace varnel {

using namespace skin;

namespace {

constexpr Size kStepNumber{22, 14};
constexpr Size kLamp{12, 12};
constexpr Size kDelayLabel{160, 20};

}  // namespace

void CatalogBuilder::add(std::string_view name, ControlKind kind, std::string_view parent, Size size,
                         std::string caption, bool visible) {
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

void CatalogBuilder::tenStepBar(const TenStepBar& bar) {
    const std::string g = pageGroup(bar.page);
    for (int i = 1; i <= kTenStepCount; ++i) picture(barStep(bar, i), g);
    for (int i = 1; i <= kTenStepCount; ++i) label(barNumber(bar, i), g, kStepNumber, std::to_string(i));
}

void CatalogBuilder::option(const OptionPicture& o, std::string_view parent, Size labelSize) {
    picture(o.picture, parent);
    label(o.label, parent, labelSize);
}

void CatalogBuilder::swatch(const Swatch& s, std::string_view parent) {
    add(s.shape, ControlKind::Shape, parent);
    picture(s.frame, parent);
    label(s.label, parent);
    for (const char* c : {"R", "G", "B"}) edit(std::string(s.edits) + c, parent, kEditBox, "100", false);
}

void CatalogBuilder::triplet(const DelayTriplet& t, bool shown) {
    for (std::size_t j = 0; j < 3; ++j) {
        add(t.lamps[j], ControlKind::Lamp, t.parent, kLamp, {}, shown);
        t_.setChecked(t.lamps[j], j == 0);
        label(t.labels[j], t.parent, kDelayLabel, {}, shown);
    }
}

}  // namespace varnel
