#pragma once
// The Advanced page's model. Today it carries the fire-key boxes (Edt_Repeat1, Edt_DelayTime1),
// whose texts live in the state because the write-back stores them into every Fire Key slot, and
// the sensor's step segments.
#include "config/edit_copy.h"
#include "skin/controls.h"
#include "skin/page_model.h"
#include "transfers/app_state.h"

namespace varnel {

class AdvancedPage : public PageModel {
public:
    // `controls` and `state` outlive the page.
    AdvancedPage(ControlTable& controls, AppState& state);

    // The boxes show what RefreshFireKeyMode left in the state.
    void load() override;

    // The boxes' texts, into the state and onto the boxes (so a re-render shows them).
    void setFireKeyBoxes(const FireKeyBoxes& boxes);
    const FireKeyBoxes& fireKeyBoxes() const { return state_.FireKey; }
    // The sensor set-up at identification: segments 1..StepCount of every stage shown, the rest
    // hidden; no sensor known yet changes nothing.
    void showSensorSteps();

private:
    ControlTable& controls_;
    AppState& state_;
};

}  // namespace varnel
