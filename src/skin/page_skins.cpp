#include "skin/page_skins.h"

namespace varnel {

extern const PageSkin kMapPageSkin;  // Main, Switch and Fixed share page group 1
extern const PageSkin kAdvancedPageSkin;
extern const PageSkin kBreathingPageSkin;
extern const PageSkin kMacroPageSkin;
extern const PageSkin kUpdatePageSkin;

const std::array<const PageSkin*, skin::kPageGroupCount>& pageSkins() {
    static const std::array<const PageSkin*, skin::kPageGroupCount> skins{
        &kMapPageSkin, &kAdvancedPageSkin, &kBreathingPageSkin, &kMacroPageSkin, &kUpdatePageSkin,
    };
    return skins;
}

}  // namespace varnel
