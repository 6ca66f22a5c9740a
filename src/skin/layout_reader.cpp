#include "skin/layout_reader.h"

namespace varnel {

using namespace skin;

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

}  // namespace varnel
