#include "shell/main_window_model.h"

#include "common/resources.h"
#include "config/default_image.h"

#include "skin/control_catalog.h"
#include "skin/control_names.h"
#include "transfers/device_read.h"

namespace varnel {

using skin::Page;

namespace {

std::unique_ptr<PointerSettingsStore> orNone(std::unique_ptr<PointerSettingsStore> store) {
    if (store) return store;
    return std::make_unique<NoPointerSettings>();
}

}  // namespace

MainWindowModel::MainWindowModel(AppState& state, LanguageSet languages, PictureSizeLookup pictureSize,
                                 std::unique_ptr<PointerSettingsStore> pointerStore)
    : state_(state),
      controls_(std::move(pictureSize)),
      captions_(controls_, std::move(languages)),
      navigation_(controls_, state_, captions_),
      appearance_(controls_, state_, navigation_, captions_),
      pointerStore_(orNone(std::move(pointerStore))),
      advanced_(controls_, state_, captions_),
      pointer_(controls_, *pointerStore_, captions_),
      lighting_(controls_, state_, captions_),
      macro_(controls_, state_, captions_),
      update_(controls_, state_),
      buttonMaps_(controls_, state_, navigation_, captions_, advanced_),
      pages_{&advanced_, &pointer_, &lighting_, &macro_, &update_, &buttonMaps_} {
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
    pointer_.RefreshMouseSystemParameter();
    applicationTitle_ = captions_.titleText();
    appearance_.setChannelsOpen(false);
    controls_.setAlignRight(ctrl::Edt_Repeat1, true);
    controls_.setAlignRight(ctrl::Edt_DelayTime1, true);
    languageClick(captions_.languageNumber());
}

std::string MainWindowModel::applicationTitle() const {
    return virtualMouse_ ? applicationTitle_ + " \u2014 " + text(kVirtualMouseTitleKey) : applicationTitle_;
}

void MainWindowModel::formCreate(int screenWidth, int screenHeight) {
    const auto layout = embeddedLayoutDocument();
    if (!layout) problems_.push_back("layout file: " + layout.error().message);
    const IniSection* org = layout ? layout->section(kLayoutSection) : nullptr;
    if (layout && org == nullptr) problems_.push_back("layout file: no section [org]");
    const auto images = embeddedDefaultImages();
    if (!images) problems_.push_back("default image: " + images.error().message);
    formCreate(screenWidth, screenHeight, org ? *org : IniSection(kLayoutSection), images ? images->start() : ByteSpan{});
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
    followCaption();
    applicationTitle_ = captions_.titleText();
    navigation_.refreshAPPage();
    appearance_.showMouseState();
}

Status MainWindowModel::recordClick(bool insert) {
    Status s = Status::success();
    if (insert) {
        if (macro_.workState() == MacroWorkState::InsertRecording)
            macro_.endInsertRecording();
        else
            macro_.beginInsertRecording();
    } else {
        if (macro_.workState() == MacroWorkState::Recording)
            s = macro_.endRecording();
        else
            macro_.beginRecording();
    }
    followCaption();
    return s;
}

Status MainWindowModel::recordInput(const InputEvent& e, bool onRecordButton) {
    Status s = macro_.recordInput(e, onRecordButton || navigation_.overRecordButton());
    followCaption();
    return s;
}

void MainWindowModel::followCaption() {
    // A label scrolling under the pointer now scrolls its new caption, and gets it back on leave.
    Marquee& marquee = navigation_.marquee();
    if (marquee.active() && marquee.text() != controls_.caption(marquee.label()))
        marquee.restartWith(controls_.caption(marquee.label()));
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
    // A missing mouse's message goes on with what to do.
    if (!error.languageKey.empty()) return message(error.languageKey);
    return captions_.messageFor(error, fallbackKey, withReason);
}

std::string MainWindowModel::refusalMessage(const Error& error, std::string_view subject) const {
    const std::string why = subject.empty() ? error.message : std::string(subject) + ": " + error.message;
    return text(error.languageKey) + "\n" + why;
}

bool MainWindowModel::mouseReady() const { return appearance_.channelsOpen() && identifiedMouse(state_); }

void MainWindowModel::mouseIdentified() { advanced_.showSensorSteps(); }

std::string MainWindowModel::mouseRefused(const Error& error) {
    refusedMouse_ = refusalMessage(error);
    return *refusedMouse_;
}

std::optional<std::string> MainWindowModel::showReadMouse() {
    refusedMouse_.reset();
    pointer_.RefreshMouseSystemParameter();
    appearance_.showMousePages();
    // The button-map page chosen last, by its marker.
    std::optional<std::string> reopened;
    for (const Page p : {Page::Main, Page::Switch, Page::Fixed}) {
        if (controls_.checked(skin::pageInfo(p).radio)) {
            reopened = pageClick(p);
            break;
        }
    }
    mouseHoldsShown();
    return reopened;
}

void MainWindowModel::deviceRemovedBeforeMessage() {
    appearance_.deviceRemovedBeforeMessage();
    hideAllMenus();
    // Nothing typed at the message box belongs to a macro of the mouse that left.
    macro_.stopRecording();
}

void MainWindowModel::deviceRemovedAfterMessage(bool hadMacros) {
    refusedMouse_.reset();
    navigation_.stopLabelRun();
    appearance_.enterNoDeviceMode();
    if (hadMacros) macro_.emptyLists();
}

void MainWindowModel::mouseHoldsShown() {
    if (mouseReady()) mouseImage_ = collectedImage();
}

bool MainWindowModel::unappliedEdits() {
    if (!mouseReady()) return false;
    if (state_.MacrosDirty) return true;
    return mouseImage_ && collectedImage() != *mouseImage_;
}

Bytes MainWindowModel::collectedImage() {
    UIToDataBuf();
    DataBuf written = state_.DataBuf;
    EditCopy edit = state_.EditCopy;
    if (!state_.DeviceChip ||
        !writeBackEditCopy(written, edit, state_.CodeTexts, state_.DeviceChip, state_.FireKey, WriteBackPath::Apply))
        return {};
    const ByteSpan block = written.parameterBlock(*state_.DeviceChip);
    return Bytes(block.begin(), block.end());
}

std::optional<std::string> MainWindowModel::failureMessage(const TransferStatus& status) const {
    if (status.ok()) return std::nullopt;
    if (status.notKept.any()) {
        std::string message = text(kNotKeptKey);
        const std::string what = status.notKept.describe([this](std::string_view key) { return text(key); });
        if (const auto at = message.find("%1"); at != std::string::npos) message.replace(at, 2, what);
        return message;
    }
    return messageFor(status.error, "Str105", false);
}

void MainWindowModel::setUdevRule(std::optional<UdevRuleLocation> rule) { udevRule_ = std::move(rule); }

std::string MainWindowModel::message(std::string_view key) const {
    if (key == "Str022" && refusedMouse_) return *refusedMouse_;
    const bool missing = key == "Str022" || key == "Str101";
    if (!missing && key != "Str104") return text(key);
    // Without a rule file on this machine the advice names none.
    const UdevAdvice advice = udevAdviceFor(udevRule_);
    std::string rule = text(advice == UdevAdvice::RuleGrantsAccess ? "Str109"
                            : advice == UdevAdvice::Replug         ? "Str108"
                                                                   : "Str107");
    if (udevRule_) {
        if (const auto at = rule.find("%1"); at != std::string::npos) rule.replace(at, 2, udevRule_->path.string());
    }
    // One line: "check the port; if it is plugged in, it may be the permission", not the cable twice.
    if (missing) return text(key) + " " + text("Str106") + " " + rule;
    return text(key) + "; " + rule;
}

}  // namespace varnel
