#include "editors/update_page.h"

#include "skin/control_names.h"

namespace varnel {

UpdatePage::UpdatePage(ControlTable& controls, AppState& state) : controls_(controls), state_(state) {}

void UpdatePage::opened(skin::Page page) {
    if (page != skin::Page::Update) return;
    controls_.setCaption(ctrl::lbl_LoadBIN, "");
    state_.FirmwareLoaded = false;
}

}  // namespace varnel
