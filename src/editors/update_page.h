#pragma once
// The Update page's model. Today it carries what opening the page does: the loaded firmware is
// forgotten and its path no longer shown.
#include "skin/controls.h"
#include "skin/page_model.h"
#include "transfers/app_state.h"

namespace varnel {

class UpdatePage : public PageModel {
public:
    // `controls` and `state` outlive the page.
    UpdatePage(ControlTable& controls, AppState& state);

    void load() override {}
    void opened(skin::Page page) override;

private:
    ControlTable& controls_;
    AppState& state_;
};

}  // namespace varnel
