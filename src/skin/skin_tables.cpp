#include "skin/skin_tables.h"

namespace varnel::skin {

const FamilyPictures& familyPictures(HoverFamily f) {
    for (const auto& p : kFamilyPictures) {
        if (p.family == f) return p;
    }
    return kFamilyPictures.front();
}

std::string barLabel(std::string_view base, int page) {
    return "Btn_" + std::string(base) + "_" + std::to_string(page);
}

std::string barPicture(std::string_view base, int page) {
    return "Img_" + std::string(base) + "_" + std::to_string(page);
}

std::string pageGroup(int page) { return "gbPage" + std::to_string(page); }
std::string baseImage(int page) { return "Img_Base_" + std::to_string(page); }
bool isBaseImage(std::string_view name) {
    for (int page = 1; page <= kPageGroupCount; ++page) {
        if (name == baseImage(page)) return true;
    }
    return false;
}

std::string pageOverlay(int page) { return "Disable_All_" + std::to_string(page); }
std::string mouseStateLine(int page) { return "lbl_MouseState_" + std::to_string(page); }
std::string languageButtonBase(int language) { return "Lang" + std::to_string(language); }
std::string languageRadio(int language) { return "rb_Lang" + std::to_string(language); }

const PageInfo& pageInfo(Page p) { return kPages[static_cast<std::size_t>(p) - 1]; }

bool isButtonMapPage(Page p) { return p == Page::Main || p == Page::Switch || p == Page::Fixed; }

std::string backgroundPicture(int skin) { return "L" + std::to_string(skin) + "_BackGround"; }

std::string pagePicture(int skin, int backNumber) {
    return "L" + std::to_string(skin) + "_Back" + std::to_string(backNumber);
}

std::string keyLabel(int n) { return "Key" + std::to_string(n); }
std::string keyPicture(int n) { return "Img_Key" + std::to_string(n); }

std::string dpiCheck(int level) { return "Img_DPI" + std::to_string(level); }
std::string dpiCaption(int level) { return "lbl_DPI" + std::to_string(level); }
std::string dpiValue(int level) { return "lbl_DPI" + std::to_string(level) + "Value"; }
std::string dpiStep(int level, int step) { return "Img_DPI" + std::to_string(level) + "_" + std::to_string(step); }
std::string dpiKey(int level, std::string_view part) { return "DPI" + std::to_string(level) + "_" + std::string(part); }
std::string dpiRadio(int level) { return "rb_DPI" + std::to_string(level); }

std::string barStep(const TenStepBar& bar, int step) { return std::string(bar.picture) + std::to_string(step); }
std::string barNumber(const TenStepBar& bar, int step) { return std::string(bar.label) + std::to_string(step); }
std::string barNote(const TenStepBar& bar) { return "lbl_" + std::string(bar.layoutKey) + "Note"; }

}  // namespace varnel::skin
