#include "shell/device_appearance.h"

#include "config/variant.h"
#include "skin/control_names.h"

namespace varnel {

using skin::Page;

namespace {

constexpr std::string_view kDefaultsShownKey = "Str530";
constexpr std::string_view kLastSettingsShownKey = "Str531";
constexpr std::string_view kConnectHintKey = "Str532";

}  // namespace

DeviceAppearance::DeviceAppearance(ControlTable& controls, AppState& state, NavigationModel& navigation,
                                   const CaptionsModel& captions)
    : controls_(controls), state_(state), navigation_(navigation), captions_(captions) {}

void DeviceAppearance::disableAllPages() {
    for (int page = 1; page <= skin::kPageGroupCount; ++page) controls_.setVisible(skin::pageOverlay(page), true);
}

void DeviceAppearance::enableAllPages() {
    for (int page = 1; page <= skin::kPageGroupCount; ++page) controls_.setVisible(skin::pageOverlay(page), false);
}

void DeviceAppearance::showMousePages() {
    const Variant* v = state_.DeviceChip ? &variantOf(*state_.DeviceChip) : nullptr;
    navigation_.showPageButton(Page::Macro, v != nullptr && v->hasMacros);
    navigation_.showPageButton(Page::Update, v != nullptr && v->hasFirmwareUpdate);
    controls_.setVisible(skin::pageGroup(1), true);
    state_.NoDeviceMode = false;
    mouseShown_ = true;
    showMouseState();
}

void DeviceAppearance::enterNoDeviceMode() {
    state_.NoDeviceMode = true;
    navigation_.showNoDevicePages();
    showMouseState();
}

void DeviceAppearance::showMouseState() {
    const bool none = state_.NoDeviceMode;
    const std::string line = captions_.text(mouseShown_ ? kLastSettingsShownKey : kDefaultsShownKey);
    for (int page = 1; page <= skin::kPageGroupCount; ++page) {
        controls_.setCaption(skin::mouseStateLine(page), line);
        controls_.setVisible(skin::mouseStateLine(page), none);
    }
    controls_.setCaption(ctrl::lbl_Hint, captions_.text(kConnectHintKey));
    controls_.setVisible(ctrl::lbl_Hint, none);
    // Page 1 shows in the no-device appearance whichever page was open, in the current language,
    // and gets its hint back once a mouse is in use.
    const Page current = navigation_.currentPage();
    if (none || hintless_) navigation_.showPagePicture(skin::isButtonMapPage(current) ? current : Page::Main);
    hintless_ = none;
}

void DeviceAppearance::deviceRemovedBeforeMessage() { controls_.setVisible(ctrl::Disable, true); }

}  // namespace varnel
