// The Update page's group: the firmware file's path and the two buttons.
#include "skin/control_names.h"
#include "skin/page_skins.h"

namespace varnel {

using namespace skin;

namespace {

constexpr int kGroup = 5;
constexpr Size kBinPathCaption{300, 20};
constexpr Size kBinPath{460, 22};

void controls(CatalogBuilder& b) {
    const std::string g = pageGroup(kGroup);
    b.picture(ctrl::Img_P5, g);
    b.label(ctrl::lbl_BINPath, g, kBinPathCaption);
    b.label(ctrl::lbl_LoadBIN, g, kBinPath);
    for (const auto& btn : kUpdateButtons) b.pictureButton(btn.picture, btn.label, g);
}

void place(LayoutReader& r) {
    r.place(ctrl::Img_P5, r.point("P5"));
    r.place(ctrl::lbl_BINPath, r.point("lbl_BINPath"));
    r.place(ctrl::lbl_LoadBIN, r.point("lbl_LoadBin"));
    placeButtons(r, kUpdateButtons);
}

std::vector<std::string> buttonLabels(const ControlTable&) { return each(kUpdateButtons, &PictureButton::label); }

constexpr std::array kFonts{
    FontRow{family(buttonLabels), "Size_I", 0, "Color_I"},
    FontRow{one(ctrl::lbl_LoadBIN), "Size_I", 2, "Color_I"},
};

constexpr std::array kLooks{
    StartRow{one(ctrl::lbl_BINPath), {.align = kFromLeft}},
    StartRow{one(ctrl::lbl_LoadBIN), {.align = kFromLeft}},
};

}  // namespace

extern const PageSkin kUpdatePageSkin;  // listed by pageSkins()
const PageSkin kUpdatePageSkin{kGroup, controls, nullptr, place, kFonts, kLooks};

}  // namespace varnel
