#include "skin/main_window_model.h"

#include <algorithm>

#include "config/action_codes.h"
#include "config/variant.h"
#include "skin/control_catalog.h"
#include "skin/navigation.h"

namespace varnel {

using namespace skin;

namespace {

constexpr std::string_view kInsertOptionIndent = "       ";  // seven spaces before the insert options

// A CodeText that the named-code table names (the Fire Key by its kind byte). Key combinations
// and macros are named from other data and keep their captions across a language switch.
bool isNamedCode(std::string_view codeText) {
    if (isFireKeyCodeText(codeText)) return true;
    const auto codes = namedCodes();
    return std::any_of(codes.begin(), codes.end(), [&](const NamedCode& c) { return c.codeText == codeText; });
}

std::vector<std::string> numbered(std::string_view prefix, int count, std::string_view suffix = {}) {
    std::vector<std::string> out;
    for (int i = 1; i <= count; ++i) out.push_back(std::string(prefix) + std::to_string(i) + std::string(suffix));
    return out;
}

template <typename Range>
void append(std::vector<std::string>& out, const Range& names) {
    for (const auto& n : names) out.emplace_back(n);
}

std::vector<std::string> barLabels(std::span<const BarButton> buttons, bool (*keep)(const BarButton&)) {
    std::vector<std::string> out;
    for (const auto& b : buttons) {
        if (!keep(b)) continue;
        for (int page = 1; page <= kPageGroupCount; ++page) out.push_back(barLabel(b.base, page));
    }
    return out;
}

}  // namespace

WindowRect centredWindowRect(int screenWidth, int screenHeight, int width, int height) {
    return {(screenWidth - width) / 2, (screenHeight - height) / 2, width, height};
}

WindowRect busyWindowRect(const WindowRect& main, int width, int height) {
    return {main.x + (main.width - width) / 2, main.y + (main.height - height) / 2 + 40, width, height};
}

MainWindowModel::MainWindowModel(AppState& state, LanguageSet languages, PictureSizeLookup pictureSize)
    : state_(state), controls_(std::move(pictureSize)), languages_(std::move(languages)) {
    buildMainWindowControls(controls_);
    state_.refreshUi = [this](AppState&) { refreshUi(); };
}

MainWindowModel::~MainWindowModel() { state_.refreshUi = nullptr; }

void MainWindowModel::formCreate(int screenWidth, int screenHeight, const IniSection& layout, ByteSpan defaultImage) {
    // 1. Global state as at creation.
    state_.resetForStart();
    switchKeyAllowed_ = false;
    insertPanelOpen_ = false;
    overRecordButton_ = false;
    // 2. Placement; 3. double buffering is the widgets' own.
    windowRect_ = centredWindowRect(screenWidth, screenHeight);
    // 4.
    showGroup(1);
    // 5, 6.
    loadSkinImages();
    LayoutResult placed = loadLayout(layout, controls_);
    layout_ = std::move(placed.settings);
    append(problems_, placed.problems);
    // 7. The firmware image is loaded by the firmware page when it lands.
    // 8.
    languageNumber_ = 1;
    loadLanguage();
    if (layout_.macroNameHeight) controls_.setItemHeight("LB_MacroName", *layout_.macroNameHeight);
    // 9.
    if (const Status s = state_.applyImageHeader(defaultImage); !s)
        problems_.push_back("default image: " + s.error().message);
    applyMenuHeight(state_.DefaultChip);
    // 10.
    if (const Status s = state_.initNoDevice(defaultImage); !s)
        problems_.push_back("default image: " + s.error().message);
    // 11. The desktop pointer settings are shown by their editor when it lands.
    // 12.
    applicationTitle_ = titleText_;
    // 13. The id table was filled in step 9.
    channelsOpen_ = false;
    // 14.
    controls_.setAlignRight("Edt_Repeat1", true);
    controls_.setAlignRight("Edt_DelayTime1", true);
    // 15.
    languageClick(languageNumber_);
}

void MainWindowModel::loadSkinImages() {
    constexpr int skin = 1;
    for (int page = 1; page <= kPageGroupCount; ++page)
        controls_.setPicture("Img_Base_" + std::to_string(page), backgroundPicture(skin));
    if (isButtonMapPage(currentPage())) controls_.setPicture("Img_P1", pagePicture(skin, 1));
    controls_.setPicture("Img_P2", pagePicture(skin, 2));
    controls_.setPicture("Img_P3", pagePicture(skin, 3));
    controls_.setPicture("Img_P4", pagePicture(skin, 4));
    for (const auto& b : kActionButtons) setCopies(b.base, familyPictures(HoverFamily::A).normal);
    const auto& set = familyPictures(HoverFamily::B);
    for (const auto& b : kPageButtons) {
        const bool current = b.base == pageInfo(Page::Main).button || b.base == languageButtonBase(1);
        setCopies(b.base, current ? set.third : set.normal);
    }
    const auto& keys = familyPictures(HoverFamily::C);
    for (int k = 1; k <= kKeyLabelCount; ++k) controls_.setPicture(keyPicture(k), keys.normal);
    for (const auto& b : kUpdateButtons) controls_.setPicture(b.picture, keys.normal);
    setCopies(kWebButton.base, familyPictures(HoverFamily::Web).normal);
    // The first picture of every series before the layout: it spaces the series by its size.
    for (const auto& bar : kPointerBars) controls_.setPicture(std::string(bar.picture) + "1", "Bar1_E");
    for (int d = 1; d <= kDpiLevelCount; ++d) controls_.setPicture(dpiStep(d, 1), "Bar2_E");
    for (const auto& s : kDpiSwatches) controls_.setPicture(s.frame, "Col_F");
    for (const auto& s : kLightingSwatches) controls_.setPicture(s.frame, "Col_F");
    for (const auto& bar : kBreathBars) controls_.setPicture(std::string(bar.picture) + "1", "Bar1_E");
    for (const auto& b : kMacroButtons) controls_.setPicture(b.picture, familyPictures(b.family).normal);
    for (const auto& b : kInsertButtons) controls_.setPicture(b.picture, familyPictures(b.family).normal);
    controls_.setPicture("Img_P5", "Update");
}

void MainWindowModel::setCopies(std::string_view base, std::string_view picture) {
    for (int page = 1; page <= kPageGroupCount; ++page) controls_.setPicture(barPicture(base, page), picture);
}

void MainWindowModel::showGroup(int group) {
    for (int page = 1; page <= kPageGroupCount; ++page) controls_.setVisible(pageGroup(page), page == group);
}

void MainWindowModel::checkRadio(std::string_view group, std::string_view radio) {
    for (const auto& g : kRadioGroups) {
        if (g.group != group) continue;
        for (const auto r : g.radios) {
            if (!r.empty()) controls_.setChecked(r, r == radio);
        }
    }
}

Page MainWindowModel::currentPage() const {
    for (const auto& p : kPages) {
        if (controls_.checked(p.radio)) return p.page;
    }
    return Page::Main;
}

std::string MainWindowModel::text(std::string_view key) const { return languages_.language(languageNumber_).text(key); }

bool MainWindowModel::mapHasCode(ButtonMapId m, std::string_view codeText) const {
    const auto& slots = state_.CodeTexts[static_cast<std::size_t>(m)];
    return std::find(slots.begin(), slots.end(), codeText) != slots.end();
}

std::optional<std::string> MainWindowModel::pageClick(Page page) {
    if (!channelsOpen_) return text("Str022");
    if (state_.NoDeviceMode) return std::nullopt;
    // The switch and reset keys are recognised by their codes, whatever the language calls them.
    if (page == Page::Switch && !mapHasCode(ButtonMapId::Main, kSwitchKeyCode)) return text("Str020");
    if (page == Page::Fixed && !mapHasCode(ButtonMapId::Switch, kResetKeyCode)) return text("Str021");
    openPage(page);
    return std::nullopt;
}

void MainWindowModel::openPage(Page page) {
    const PageInfo& info = pageInfo(page);
    hideAllMenus();
    buttonTypeB1IconInit();
    checkRadio("gbPageCtl", info.radio);
    showGroup(info.group);
    controls_.setVisible("Disable", page == Page::Fixed);
    if (page == Page::Main) switchKeyAllowed_ = true;
    if (page == Page::Switch) switchKeyAllowed_ = false;
    if (page == Page::Main) refreshKeyLabels(ButtonMapId::Main);
    if (page == Page::Switch) refreshKeyLabels(ButtonMapId::Switch);
    if (page == Page::Fixed) refreshKeyLabels(ButtonMapId::Fixed);
    if (page == Page::Macro) showMacroPanels();
    if (page == Page::Update) {
        controls_.setCaption("lbl_LoadBIN", "");
        state_.FirmwareLoaded = false;
    }
    setCopies(info.button, familyPictures(HoverFamily::B).third);
    if (info.backNumber != 0) controls_.setPicture(info.pictureControl, pagePicture(languageNumber_, info.backNumber));
}

void MainWindowModel::buttonTypeB1IconInit() {
    for (const auto& p : kPages) setCopies(p.button, familyPictures(HoverFamily::B).normal);
    state_.NoDeviceMode = false;
}

void MainWindowModel::showMacroPanels() {
    controls_.setVisible("Gb_Insert", insertPanelOpen_);
    controls_.setVisible("Img_InsertBase", insertPanelOpen_);
    controls_.setVisible("Gb_Delay", !insertPanelOpen_);
}

void MainWindowModel::refreshAPPage() {
    if (state_.NoDeviceMode) {
        showGroup(1);
        return;
    }
    const Page page = currentPage();
    showGroup(pageInfo(page).group);
    if (page == Page::Macro) showMacroPanels();
}

void MainWindowModel::hideAllMenus() {
    for (const auto panel : kMenuPanels) controls_.setVisible(panel, false);
    controls_.setVisible("LB_Name", false);
}

void MainWindowModel::refreshKeyLabels(ButtonMapId m) {
    shownMap_ = m;
    const auto& codes = state_.CodeTexts[static_cast<std::size_t>(m)];
    const LanguageLookup lookup = [this](std::string_view key) { return text(key); };
    for (int k = 1; k <= kKeyLabelCount; ++k) {
        const std::string& code = codes[static_cast<std::size_t>(k - 1)];
        const std::string label = keyLabel(k);
        controls_.setCaption(label, CodeToName(code, lookup, state_.MacroNameList));
        // The map keys that lead away from a page cannot be changed on it.
        if (m == ButtonMapId::Main) controls_.setEnabled(label, code != kResetKeyCode);
        if (m == ButtonMapId::Switch) controls_.setEnabled(label, code != kResetKeyCode && code != kSwitchKeyCode);
    }
}

void MainWindowModel::setFireKeyBoxes(const FireKeyBoxes& boxes) {
    state_.FireKey = boxes;
    showFireKeyBoxes();
}

void MainWindowModel::showFireKeyBoxes() {
    controls_.setCaption("Edt_Repeat1", state_.FireKey.repeat);
    controls_.setCaption("Edt_DelayTime1", state_.FireKey.delay);
}

void MainWindowModel::applyMenuHeight(OptionalChip chip) {
    const Control* menu = controls_.find("Pnl_Main");
    if (menu != nullptr && chip) controls_.resize("Pnl_Main", menu->width, skin::pnlMainHeight(hasMacros(chip)));
}

void MainWindowModel::refreshUi() {
    showFireKeyBoxes();
    if (!state_.EditCopy.chip) return;
    const std::uint8_t activeMap = state_.EditCopy.bytes[param_b::kActiveMap];
    if (activeMap > 2) return;
    const Page page = static_cast<Page>(activeMap + 1);
    checkRadio("gbPageCtl", pageInfo(page).radio);
    // Only the shown page's button is marked, so none stays marked from an earlier page.
    for (const auto& p : kPages) setCopies(p.button, familyPictures(HoverFamily::B).normal);
    setCopies(pageInfo(page).button, familyPictures(HoverFamily::B).third);
    showGroup(1);
    refreshKeyLabels(static_cast<ButtonMapId>(activeMap));
}

void MainWindowModel::languageClick(int n) {
    if (n < 1 || n > kLanguageCount) return;
    const auto& set = familyPictures(HoverFamily::D);
    for (int l = 1; l <= kLanguageCount; ++l) setCopies(languageButtonBase(l), l == n ? set.third : set.normal);
    checkRadio("gbLang", languageRadio(n));
    const Control* insert = controls_.find("CB_Insert");
    const int insertIndex = insert ? insert->itemIndex : -1;
    controls_.setVisible("Gb_Delay", false);
    languageNumber_ = n;
    loadLanguage();
    controls_.setItemIndex("CB_Insert", insertIndex);
    applicationTitle_ = titleText_;
    refreshAPPage();
}

void MainWindowModel::loadLanguage() {
    const LanguageFile& lang = languages_.language(languageNumber_);
    // 1. Backgrounds and the picture of the page on show.
    for (int page = 1; page <= kPageGroupCount; ++page) {
        controls_.setPicture("Img_Base_" + std::to_string(page), backgroundPicture(languageNumber_));
    }
    const PageInfo& shown = pageInfo(currentPage());
    if (shown.backNumber != 0)
        controls_.setPicture(shown.pictureControl, pagePicture(languageNumber_, shown.backNumber));
    // 2, 3.
    applyFonts(lang);
    titleText_ = lang.text("Title");
    // 4..9 (messages are read from the language when shown).
    applyCaptions(lang);
    relabelKeys();
    // A label scrolling under the pointer now scrolls its new caption, and gets it back on leave.
    if (marquee_.active()) {
        marquee_.restartWith(controls_.caption(marquee_.label()));
    }
}

void MainWindowModel::applyFonts(const LanguageFile& lang) {
    struct Rule {
        std::string_view sizeKey;
        int sizeDelta;
        std::string_view colourKey;  // empty: size only
        std::vector<std::string> controls;
    };
    const auto isAction = [](const BarButton&) { return true; };
    const auto isStyledPage = [](const BarButton& b) { return b.base != pageInfo(Page::Update).button; };

    std::vector<std::string> stepNumbers;
    for (const auto& bar : kPointerBars) append(stepNumbers, numbered(bar.label, kTenStepCount));
    std::vector<std::string> dpiValues;
    for (int d = 1; d <= kDpiLevelCount; ++d) dpiValues.push_back(dpiValue(d));
    std::vector<std::string> breathNumbers;
    for (const auto& bar : kBreathBars) append(breathNumbers, numbered(bar.label, kTenStepCount));
    std::vector<std::string> colourEdits;
    for (const auto& s : kLightingSwatches)
        append(colourEdits, std::vector<std::string>{std::string(s.edits) + "R", std::string(s.edits) + "G",
                                                     std::string(s.edits) + "B"});
    for (const auto& s : kDpiSwatches)
        append(colourEdits, std::vector<std::string>{std::string(s.edits) + "R", std::string(s.edits) + "G",
                                                     std::string(s.edits) + "B"});
    std::vector<std::string> macroButtons;
    for (const auto& b : kMacroButtons) macroButtons.emplace_back(b.label);
    for (const auto& b : kInsertButtons) macroButtons.emplace_back(b.label);
    std::vector<std::string> insertOptions(kInsertDelays.labels.begin(), kInsertDelays.labels.end());
    std::vector<std::string> macroSized = macroButtons;
    append(macroSized,
           std::vector<std::string>{"LB_MacroName", "Edt_Delay", "lbl_Delay", "lbl_s_A", "Edt_InsertDelay"});
    append(macroSized, insertOptions);
    std::vector<std::string> macroColoured = macroButtons;
    append(macroColoured, std::vector<std::string>{"CB_Insert", "lbl_Delay", "lbl_s_A"});
    append(macroColoured, insertOptions);
    const std::vector<std::string> macroText{"LB_MacroName", "LB_macro", "Edt_Delay", "Edt_InsertDelay"};
    std::vector<std::string> dpiCaptions;
    for (int d = 1; d <= kDpiLevelCount; ++d) dpiCaptions.push_back(dpiCaption(d));
    std::vector<std::string> notSelected = stepNumbers;
    append(notSelected, dpiValues);
    append(notSelected, std::vector<std::string>{"Edt_Repeat1", "Edt_DelayTime1"});
    std::vector<std::string> sizeD = stepNumbers;
    append(sizeD, dpiValues);

    const std::vector<Rule> rules{
        {"Size_A", 0, "Color_A", barLabels(kActionButtons, isAction)},
        {"Size_B", 0, "Color_B", barLabels(kPageButtons, isStyledPage)},
        {"Size_C", 0, "Color_C", numbered("Key", kKeyLabelCount)},
        {"Size_D", 0, "", sizeD},
        {"Size_D", 1, "", dpiCaptions},
        {"", 0, "Color_D_notSelected", notSelected},
        {"Size_E", 0, "Color_E", breathNumbers},
        {"", 0, "Color_E", colourEdits},
        {"Size_F", 0, "", macroSized},
        {"Size_F", -1, "", {"CB_Insert"}},
        {"", 0, "Color_F", macroColoured},
        {"", 0, "Color_F_Font", macroText},
        {"Size_I", 0, "Color_I", {"Btn_LoadBIN", "Btn_Program"}},
        {"Size_I", 2, "Color_I", {"lbl_LoadBIN"}},
    };
    for (const auto& rule : rules) {
        const std::optional<int> size = rule.sizeKey.empty() ? std::nullopt : lang.number(rule.sizeKey);
        const std::optional<Rgb> colour = rule.colourKey.empty() ? std::nullopt : lang.colour(rule.colourKey);
        for (const auto& name : rule.controls) {
            if (size) controls_.setFont(name, *size + rule.sizeDelta, std::nullopt);
            if (colour) controls_.setFontColor(name, *colour);
        }
    }
    if (const auto back = lang.colour("Color_D_Back")) {
        for (const char* name : {"Edt_Repeat1", "Edt_DelayTime1"}) controls_.setBackColor(name, *back);
    }
    if (const auto back = lang.colour("Color_F_Back")) {
        for (const auto& name : macroText) controls_.setBackColor(name, *back);
    }
}

void MainWindowModel::applyCaptions(const LanguageFile& lang) {
    // 4. The bar buttons of every page.
    for (const auto& b : kActionButtons) {
        for (int page = 1; page <= kPageGroupCount; ++page)
            controls_.setCaption(barLabel(b.base, page), lang.text(b.captionKey));
    }
    for (const auto& b : kPageButtons) {
        for (int page = 1; page <= kPageGroupCount; ++page)
            controls_.setCaption(barLabel(b.base, page), lang.text(b.captionKey));
    }
    // 7. Menu entries: a space, the bullet, a space and the entry's text.
    const std::string bullet = " " + lang.text("Str200") + " ";
    for (const auto& e : kMenuGroups) controls_.setCaption(e.name, bullet + lang.text(e.captionKey));
    for (const auto& code : namedCodes()) {
        for (const auto item : code.menuItems) {
            if (!item.empty()) controls_.setCaption(item, bullet + lang.text(code.languageKey));
        }
    }
    // 8. Macro page and insert panel.
    for (const auto& b : kMacroButtons) controls_.setCaption(b.label, lang.text(b.captionKey));
    std::vector<std::string> choices;
    for (const auto key : kInsertChoiceKeys) choices.push_back(lang.text(key));
    controls_.setItems("CB_Insert", std::move(choices));
    for (std::size_t j = 0; j < 3; ++j) {
        controls_.setCaption(kInsertDelays.labels[j],
                             std::string(kInsertOptionIndent) + lang.text(kInsertDelays.captionKeys[j]));
    }
    controls_.setCaption("lbl_Delay", lang.text("Str417"));
    controls_.setCaption("lbl_s_A", lang.text("Str418"));
    for (const auto& b : kInsertButtons) controls_.setCaption(b.label, lang.text(b.captionKey));
    // 9. Update page.
    controls_.setCaption("lbl_BINPath", lang.text("Str442"));
    for (const auto& b : kUpdateButtons) controls_.setCaption(b.label, lang.text(b.captionKey));
}

void MainWindowModel::relabelKeys() {
    // Each label is named again from its code in the new language. Looking the old caption up
    // among the texts instead would turn "Backward" into "WWW Back" (both share one Spanish text).
    const auto& codes = state_.CodeTexts[static_cast<std::size_t>(shownMap_)];
    const LanguageLookup lookup = [this](std::string_view key) { return text(key); };
    for (int k = 1; k <= kKeyLabelCount; ++k) {
        const std::string& code = codes[static_cast<std::size_t>(k - 1)];
        if (isNamedCode(code)) controls_.setCaption(keyLabel(k), CodeToName(code, lookup, state_.MacroNameList));
    }
}

void MainWindowModel::markCurrentPageButton() {
    if (state_.NoDeviceMode) return;
    setCopies(pageInfo(currentPage()).button, familyPictures(HoverFamily::B).third);
}

void MainWindowModel::markCurrentLanguageButton() {
    for (int n = 1; n <= kLanguageCount; ++n) {
        if (controls_.checked(languageRadio(n))) setCopies(languageButtonBase(n), familyPictures(HoverFamily::D).third);
    }
}

void MainWindowModel::hoverEnter(std::string_view label) {
    const auto target = hoverTarget(label);
    if (!target) return;
    const auto& pictures = familyPictures(target->family);
    for (const auto& p : target->pictures) controls_.setPicture(p, pictures.hover);
    // The Web button changes only its pictures: no scrolling, and polling goes on.
    if (target->family == HoverFamily::Web) return;
    const Control* c = controls_.find(label);
    if (c == nullptr) return;
    marquee_.start(label, c->caption);
    devTimerEnabled_ = false;
    if (c->enabled) labelRunEnabled_ = true;
    if (target->family == HoverFamily::Record) overRecordButton_ = true;
}

void MainWindowModel::hoverLeave(std::string_view label) {
    const auto target = hoverTarget(label);
    if (!target) return;
    const auto& pictures = familyPictures(target->family);
    if (target->family == HoverFamily::Web) {
        for (const auto& p : target->pictures) controls_.setPicture(p, pictures.normal);
        return;
    }
    labelRunEnabled_ = false;
    // The overlay of a running job takes the pointer off the pressed button; it stays pressed.
    const bool keepPressed = busy_ && !pressed_.empty() && target->family == HoverFamily::A &&
                             !target->pictures.empty() && target->pictures.front() == barPicture(pressed_, 1);
    if (!keepPressed) {
        for (const auto& p : target->pictures) controls_.setPicture(p, pictures.normal);
    }
    // The page marker reads the state, which is the worker's during a job: marked at its end.
    if (target->family == HoverFamily::B && !busy_) markCurrentPageButton();
    if (target->family == HoverFamily::D) markCurrentLanguageButton();
    if (marquee_.active()) {
        const std::string name = marquee_.label();
        controls_.setCaption(name, marquee_.stop());
    }
    devTimerEnabled_ = true;
    if (target->family == HoverFamily::Record) overRecordButton_ = false;
}

void MainWindowModel::labelRunTick() {
    if (!marquee_.active()) return;
    const std::string caption = marquee_.tick();
    controls_.setCaption(marquee_.label(), caption);
}

std::string MainWindowModel::webClick() {
    setCopies(kWebButton.base, familyPictures(HoverFamily::Web).third);
    return layout_.web;
}

void MainWindowModel::disableAllPages() {
    for (int page = 1; page <= kPageGroupCount; ++page)
        controls_.setVisible("Disable_All_" + std::to_string(page), true);
}

void MainWindowModel::enableAllPages() {
    for (int page = 1; page <= kPageGroupCount; ++page)
        controls_.setVisible("Disable_All_" + std::to_string(page), false);
}

void MainWindowModel::setBusy(bool busy) {
    const bool ended = busy_ && !busy;
    busy_ = busy;
    if (ended) markCurrentPageButton();
}

void MainWindowModel::pressActionButton(std::string_view base) {
    pressed_ = base;
    setCopies(base, familyPictures(HoverFamily::A).third);
}

void MainWindowModel::releaseActionButton() {
    if (pressed_.empty()) return;
    setCopies(pressed_, familyPictures(HoverFamily::A).normal);
    pressed_.clear();
}

void MainWindowModel::showSensorSteps() {
    const int steps = state_.StepCount;
    if (steps <= 0) return;
    for (int d = 1; d <= kDpiLevelCount; ++d) {
        for (int s = 1; s <= kDpiStepCount; ++s) controls_.setVisible(dpiStep(d, s), s <= steps);
    }
}

std::optional<std::string> MainWindowModel::refreshChipPages() {
    // 1, 2. Macros and firmware updates exist on a Wren only.
    const bool wren = state_.DeviceChip == ChipModel::Wren;
    for (const Page p : {Page::Macro, Page::Update}) {
        for (int page = 1; page <= kPageGroupCount; ++page) {
            controls_.setVisible(barLabel(pageInfo(p).button, page), wren);
            controls_.setVisible(barPicture(pageInfo(p).button, page), wren);
        }
    }
    controls_.setVisible("Key_Macro", wren);
    applyMenuHeight(state_.DeviceChip.value_or(ChipModel::Lark));
    // 3.
    controls_.setVisible(pageGroup(1), true);
    state_.NoDeviceMode = false;
    // 4. The button-map page chosen last, by its marker.
    for (const Page p : {Page::Main, Page::Switch, Page::Fixed}) {
        if (controls_.checked(pageInfo(p).radio)) return pageClick(p);
    }
    return std::nullopt;
}

void MainWindowModel::refreshErrorAP() {
    state_.NoDeviceMode = true;
    showGroup(1);
    const auto& set = familyPictures(HoverFamily::B);
    // The Main button shows as the current page, every other page button as normal.
    for (const auto& p : kPages) setCopies(p.button, p.page == Page::Main ? set.third : set.normal);
}

void MainWindowModel::deviceRemovedBeforeMessage() {
    controls_.setVisible("Disable", true);
    hideAllMenus();
}

void MainWindowModel::deviceRemovedAfterMessage(bool wasWren) {
    labelRunEnabled_ = false;
    refreshErrorAP();
    if (wasWren) {
        for (const char* list : {"LB_MacroName", "LB_Name", "LB_macro"}) controls_.setItems(list, {});
    }
}

}  // namespace varnel
