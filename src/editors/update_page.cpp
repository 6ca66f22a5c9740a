#include "editors/update_page.h"

#include "skin/control_names.h"

namespace varnel {

UpdatePage::UpdatePage(ControlTable& controls, AppState& state) : controls_(controls), state_(state) {}

void UpdatePage::opened(skin::Page page) {
    if (page != skin::Page::Update) return;
    controls_.setCaption(ctrl::lbl_LoadBIN, "");
    state_.FirmwareLoaded = false;
}

void UpdatePage::firmwareChosen(std::string_view path) { controls_.setCaption(ctrl::lbl_LoadBIN, path); }

void UpdatePage::firmwareRead() {
    if (!state_.FirmwareLoaded) controls_.setCaption(ctrl::lbl_LoadBIN, "");
}

}  // namespace varnel
