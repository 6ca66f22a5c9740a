#include "editors/update_page.h"

#include <filesystem>

#include "skin/control_names.h"

namespace varnel {

UpdatePage::UpdatePage(ControlTable& controls, AppState& state) : controls_(controls), state_(state) {}

void UpdatePage::opened(skin::Page page) {
    if (page != skin::Page::Update) return;
    controls_.setCaption(ctrl::lbl_LoadBIN, "");
    state_.FirmwareLoaded = false;
}

void UpdatePage::firmwareChosen(std::string_view path) { controls_.setCaption(ctrl::lbl_LoadBIN, path); }

std::string UpdatePage::programQuestion(std::string question) const {
    const std::string name = std::filesystem::path(controls_.caption(ctrl::lbl_LoadBIN)).filename().string();
    if (const auto at = question.find("%1"); at != std::string::npos) question.replace(at, 2, name);
    return question;
}

void UpdatePage::firmwareRead() {
    if (!state_.FirmwareLoaded) controls_.setCaption(ctrl::lbl_LoadBIN, "");
}

}  // namespace varnel
