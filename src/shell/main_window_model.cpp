#include "shell/main_window_model.h"

#include "skin/control_catalog.h"
#include "skin/control_names.h"
#include "transfers/device_read.h"

namespace varnel {

using skin::Page;

MainWindowModel::MainWindowModel(AppState& state, LanguageSet languages, PictureSizeLookup pictureSize)
    : state_(state),
      controls_(std::move(pictureSize)),
      captions_(controls_, std::move(languages)),
      navigation_(controls_, state_, captions_),
      appearance_(controls_, state_, navigation_),
      advanced_(controls_, state_, captions_),
      lighting_(controls_, state_, captions_),
      macro_(controls_, state_, captions_),
      update_(controls_, state_),
      buttonMaps_(controls_, state_, navigation_, captions_, advanced_),
      pages_{&advanced_, &lighting_, &macro_, &update_, &buttonMaps_} {
    buildMainWindowControls(controls_);
    for (PageModel* page : pages_) navigation_.addPage(*page);
}

void MainWindowModel::formCreate(int screenWidth, int screenHeight, const IniSection& layout, ByteSpan defaultImage) {
    state_.resetForStart();
    windowRect_ = centredWindowRect(screenWidth, screenHeight);
    navigation_.showGroup(1);
    // The catalogue put the start pictures on; the layout spaces each series by its first one.
    LayoutResult placed = loadLayout(layout, controls_);
    layout_ = std::move(placed.settings);
    problems_.insert(problems_.end(), placed.problems.begin(), placed.problems.end());
    captions_.load(1);
    if (layout_.macroNameHeight) controls_.setItemHeight(ctrl::LB_MacroName, *layout_.macroNameHeight);
    if (const Status s = state_.applyImageHeader(defaultImage); !s)
        problems_.push_back("default image: " + s.error().message);
    if (const Status s = state_.initNoDevice(defaultImage); !s)
        problems_.push_back("default image: " + s.error().message);
    RefreshUI();
    applicationTitle_ = captions_.titleText();
    appearance_.setChannelsOpen(false);
    controls_.setAlignRight(ctrl::Edt_Repeat1, true);
    controls_.setAlignRight(ctrl::Edt_DelayTime1, true);
    languageClick(captions_.languageNumber());
}

void MainWindowModel::UIToDataBuf() {
    for (PageModel* page : pages_) page->store();
}

void MainWindowModel::RefreshUI() {
    state_.DisplayDue = false;
    for (PageModel* page : pages_) page->load();
}

std::optional<std::string> MainWindowModel::pageClick(Page page) {
    if (!appearance_.channelsOpen()) return message("Str022");
    if (const auto key = navigation_.pageClick(page)) return text(*key);
    return std::nullopt;
}

void MainWindowModel::languageClick(int n) {
    if (n < 1 || n > skin::kLanguageCount) return;
    captions_.load(n);
    navigation_.showLanguage();
    for (PageModel* page : pages_) page->languageChanged();
    // A label scrolling under the pointer now scrolls its new caption, and gets it back on leave.
    Marquee& marquee = navigation_.marquee();
    if (marquee.active()) marquee.restartWith(controls_.caption(marquee.label()));
    applicationTitle_ = captions_.titleText();
    navigation_.refreshAPPage();
}

std::string MainWindowModel::webClick() {
    navigation_.webClicked();
    return layout_.web;
}

void MainWindowModel::hideAllMenus() { buttonMaps_.HideAllMenu(); }

std::optional<std::string> MainWindowModel::profileButtonClick(ProfileAction action) {
    hideAllMenus();
    navigation_.pressActionButton(action == ProfileAction::Save ? "Save" : "Load");
    if (!appearance_.channelsOpen() || !identifiedMouse(state_)) return message("Str022");
    return std::nullopt;
}

void MainWindowModel::profileButtonDone() { navigation_.releaseActionButton(); }

std::string MainWindowModel::messageFor(const Error& error, std::string_view fallbackKey, bool withReason) const {
    if (!error.languageKey.empty()) return message(error.languageKey);
    return withReason ? text(fallbackKey) + "\n" + error.message : text(fallbackKey);
}

void MainWindowModel::mouseIdentified() { advanced_.showSensorSteps(); }

std::optional<std::string> MainWindowModel::refreshChipPages() {
    appearance_.refreshChipPages();
    // The button-map page chosen last, by its marker.
    for (const Page p : {Page::Main, Page::Switch, Page::Fixed}) {
        if (controls_.checked(skin::pageInfo(p).radio)) return pageClick(p);
    }
    return std::nullopt;
}

void MainWindowModel::deviceRemovedBeforeMessage() {
    appearance_.deviceRemovedBeforeMessage();
    hideAllMenus();
}

void MainWindowModel::deviceRemovedAfterMessage(bool hadMacros) {
    navigation_.stopLabelRun();
    appearance_.refreshErrorAP();
    if (hadMacros) macro_.emptyLists();
}

std::optional<std::string> MainWindowModel::failureMessage(const TransferStatus& status) const {
    if (status.ok()) return std::nullopt;
    // The reason's own text where it has one.
    const std::string& key = status.error.languageKey;
    return message(key.empty() ? "Str105" : key);
}

void MainWindowModel::setUdevRule(std::optional<std::string> path, bool installed) {
    udevRule_ = std::move(path);
    udevRuleInstalled_ = installed;
}

std::string MainWindowModel::message(std::string_view key) const {
    const bool missing = key == "Str022" || key == "Str101";
    if (!missing && key != "Str104") return text(key);
    // Without a rule file on this machine the advice names none.
    std::string rule = text(!udevRule_ ? "Str109" : udevRuleInstalled_ ? "Str108" : "Str107");
    if (udevRule_) {
        if (const auto at = rule.find("%1"); at != std::string::npos) rule.replace(at, 2, *udevRule_);
    }
    if (missing) return text(key) + "\n" + text("Str106") + " " + rule;
    return text(key) + "; " + rule;
}

}  // namespace varnel
