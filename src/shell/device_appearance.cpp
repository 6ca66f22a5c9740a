#include "shell/device_appearance.h"

#include "config/variant.h"
#include "skin/control_names.h"

namespace varnel {

using skin::Page;

DeviceAppearance::DeviceAppearance(ControlTable& controls, AppState& state, NavigationModel& navigation)
    : controls_(controls), state_(state), navigation_(navigation) {}

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
}

void DeviceAppearance::enterNoDeviceMode() {
    state_.NoDeviceMode = true;
    navigation_.showNoDevicePages();
}

void DeviceAppearance::deviceRemovedBeforeMessage() { controls_.setVisible(ctrl::Disable, true); }

}  // namespace varnel
