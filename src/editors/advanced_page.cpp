#include "editors/advanced_page.h"

#include "skin/control_names.h"

namespace varnel {

AdvancedPage::AdvancedPage(ControlTable& controls, AppState& state) : controls_(controls), state_(state) {}

void AdvancedPage::load() {
    controls_.setCaption(ctrl::Edt_Repeat1, state_.FireKey.repeat);
    controls_.setCaption(ctrl::Edt_DelayTime1, state_.FireKey.delay);
}

void AdvancedPage::setFireKeyBoxes(const FireKeyBoxes& boxes) {
    state_.FireKey = boxes;
    load();
}

void AdvancedPage::showSensorSteps() {
    const int steps = state_.StepCount;
    if (steps <= 0) return;
    for (int d = 1; d <= skin::kDpiLevelCount; ++d) {
        for (int s = 1; s <= skin::kDpiStepCount; ++s) controls_.setVisible(skin::dpiStep(d, s), s <= steps);
    }
}

}  // namespace varnel
