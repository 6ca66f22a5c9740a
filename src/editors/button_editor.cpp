#include "editors/button_editor.h"

#include <algorithm>
#include <vector>

#include "config/action_codes.h"
#include "config/variant.h"
#include "skin/control_catalog.h"
#include "skin/skin_tables.h"
#include "skin/window_geometry.h"

namespace varnel {

namespace {

using skin::Page;

constexpr int kSwitchKeyTag = 1002;
constexpr int kMidX = kMainWindowWidth / 2;
constexpr std::string_view kLrmMenu = ctrl::Pnl_LRM;
constexpr std::string_view kMainMenu = ctrl::Pnl_Main;
constexpr std::string_view kAssemblyEntry = ctrl::Key_Assembly;
constexpr std::string_view kMacroEntry = ctrl::Key_Macro;
constexpr std::string_view kMacroList = ctrl::LB_Name;
constexpr std::string_view kSwitchKeyEntry = ctrl::Key_Profile;

// The menu tags of Pnl_LRM.
struct TagRange {
    int first, last;
};
constexpr TagRange kLrmTags{900, 902};

bool inRange(int tag, TagRange r) { return tag >= r.first && tag <= r.last; }

bool isSubMenuTag(int tag) { return !menuPanelForTag(tag).empty(); }

const MenuGroupSpec* groupByTag(int tag) {
    for (const auto& g : kMenuGroupSubMenus) {
        if (g.tag == tag) return &g;
    }
    return nullptr;
}

// A CodeText that the named-code table names (the Fire Key by its kind byte). Key combinations
// and macros are named from other data and keep their captions across a language switch.
bool isNamedCode(std::string_view codeText) {
    if (isFireKeyCodeText(codeText)) return true;
    const auto codes = namedCodes();
    return std::any_of(codes.begin(), codes.end(), [&](const NamedCode& c) { return c.codeText == codeText; });
}

std::optional<ButtonMapId> mapOfPage(Page page) {
    switch (page) {
        case Page::Main: return ButtonMapId::Main;
        case Page::Switch: return ButtonMapId::Switch;
        case Page::Fixed: return ButtonMapId::Fixed;
        default: return std::nullopt;
    }
}

MenuRect rectOf(const Control& c) { return {c.x, c.y, c.width, c.height}; }

bool isLrmButton(int button) { return button >= 1 && button <= kLrmButtons; }
bool isMainMenuButton(int button) { return button > kLrmButtons && button <= static_cast<int>(kShownSlotCount); }

}  // namespace

bool opensLeftward(int x) { return x >= kMidX; }

MenuPoint buttonMenuOrigin(const MenuRect& key, int menuWidth, int menuHeight, bool mayOpenUpwards) {
    const int cx = key.x + key.width / 2;
    const int cy = key.y + key.height / 2;
    const int x = opensLeftward(key.x) ? cx - menuWidth : cx;
    const bool upwards = mayOpenUpwards && key.y + menuHeight >= kMainWindowHeight;
    return {x, upwards ? cy - menuHeight : cy};
}

MenuPoint subMenuOrigin(const MenuRect& mainMenu, const MenuRect& entry, int subWidth, int subHeight) {
    const int x = opensLeftward(mainMenu.x) ? mainMenu.x - subWidth : mainMenu.x + mainMenu.width;
    const int entryTop = mainMenu.y + entry.y;
    const bool bottomAligned = entryTop + subHeight >= kMainWindowHeight;
    return {x, bottomAligned ? entryTop + entry.height - subHeight : entryTop};
}

ButtonEditor::ButtonEditor(ControlTable& controls, AppState& state, NavigationModel& navigation,
                           const CaptionsModel& captions, AdvancedPage& advanced)
    : controls_(controls), state_(state), navigation_(navigation), captions_(captions), advanced_(advanced) {}

void ButtonEditor::load() {
    const OptionalChip shown = state_.DeviceChip ? state_.DeviceChip : state_.DefaultChip;
    applyMenuHeight(shown);
    if (shown) controls_.setVisible(kMacroEntry, hasMacros(shown));
    if (!state_.EditCopy.chip) return;
    const std::uint8_t activeMap = state_.EditCopy.bytes[param_b::kActiveMap];
    if (activeMap > 2) return;
    const auto map = static_cast<ButtonMapId>(activeMap);
    navigation_.showMapPage(static_cast<Page>(activeMap + 1));
    refreshKeyLabels(map);
}

void ButtonEditor::store() {
    if (!state_.EditCopy.chip) return;
    if (const auto map = mapOfPage(navigation_.currentPage()))
        state_.EditCopy.bytes[param_b::kActiveMap] = static_cast<std::uint8_t>(*map);
}

std::optional<std::string_view> ButtonEditor::refusal(Page page) const {
    // The switch and reset keys are recognised by their codes, whatever the language calls them.
    if (page == Page::Switch && !mapHasCode(ButtonMapId::Main, kSwitchKeyCode)) return "Str020";
    if (page == Page::Fixed && !mapHasCode(ButtonMapId::Switch, kResetKeyCode)) return "Str021";
    return std::nullopt;
}

void ButtonEditor::opened(Page page) {
    HideAllMenu();
    controls_.setVisible(ctrl::Disable, page == Page::Fixed);
    if (page == Page::Main) switchKeyAllowed_ = true;
    if (page == Page::Switch) switchKeyAllowed_ = false;
    if (const auto map = mapOfPage(page)) refreshKeyLabels(*map);
}

void ButtonEditor::languageChanged() {
    // Each label is named again from its code in the new language. Looking the old caption up
    // among the texts instead would turn "Backward" into "WWW Back" (both share one Spanish text).
    const auto& codes = state_.CodeTexts[static_cast<std::size_t>(shownMap_)];
    for (int k = 1; k <= skin::kKeyLabelCount; ++k) {
        const std::string& code = codes[static_cast<std::size_t>(k - 1)];
        if (isNamedCode(code)) controls_.setCaption(skin::keyLabel(k), nameOf(code));
    }
}

void ButtonEditor::refreshKeyLabels(ButtonMapId m) {
    shownMap_ = m;
    const auto& codes = state_.CodeTexts[static_cast<std::size_t>(m)];
    for (int k = 1; k <= skin::kKeyLabelCount; ++k) {
        const std::string& code = codes[static_cast<std::size_t>(k - 1)];
        const std::string label = skin::keyLabel(k);
        controls_.setCaption(label, nameOf(code));
        // The map keys that lead away from a page cannot be changed on it.
        if (m == ButtonMapId::Main) controls_.setEnabled(label, code != kResetKeyCode);
        if (m == ButtonMapId::Switch) controls_.setEnabled(label, code != kResetKeyCode && code != kSwitchKeyCode);
    }
}

void ButtonEditor::applyMenuHeight(OptionalChip chip) {
    const Control* menu = controls_.find(kMainMenu);
    if (menu != nullptr && chip) controls_.resize(kMainMenu, menu->width, skin::pnlMainHeight(hasMacros(chip)));
}

bool ButtonEditor::mapHasCode(ButtonMapId m, std::string_view codeText) const {
    const auto& slots = state_.CodeTexts[static_cast<std::size_t>(m)];
    return std::find(slots.begin(), slots.end(), codeText) != slots.end();
}

bool ButtonEditor::macrosAvailable() const { return hasMacros(state_.DefaultChip); }

std::optional<ButtonMapId> ButtonEditor::editedMap() const {
    switch (navigation_.currentPage()) {
        case Page::Main: return ButtonMapId::Main;
        case Page::Switch: return ButtonMapId::Switch;
        default: return std::nullopt;
    }
}

std::optional<ButtonMapId> ButtonEditor::storeTarget(int button) const {
    if (button < 1 || button > static_cast<int>(kShownSlotCount)) return std::nullopt;
    if (!state_.EditCopy.chip || controls_.visible(ctrl::Disable)) return std::nullopt;
    const Control* key = controls_.find(skin::keyLabel(button));
    if (key == nullptr || !key->enabled) return std::nullopt;
    return editedMap();
}

const std::string& ButtonEditor::codeOf(ButtonMapId m, int button) const {
    return state_.CodeTexts[static_cast<std::size_t>(m)][static_cast<std::size_t>(button - 1)];
}

std::string ButtonEditor::nameOf(std::string_view codeText) const {
    return CodeToName(codeText, captions_.lookup(), state_.MacroNameList);
}

bool ButtonEditor::storeSlot(ButtonMapId m, int button, const std::string& codeText) {
    const auto bytes = codeTextToBytes(codeText);
    if (!bytes || !state_.EditCopy.chip) return false;
    state_.EditCopy.setSlot(m, static_cast<std::size_t>(button), *bytes);
    state_.CodeTexts[static_cast<std::size_t>(m)][static_cast<std::size_t>(button - 1)] = codeTextFromBytes(*bytes);
    return true;
}

void ButtonEditor::assign(ButtonMapId m, int button, const std::string& codeText, std::string_view caption) {
    const std::string old = codeOf(m, button);
    if (!storeSlot(m, button, codeText)) return;
    controls_.setCaption(skin::keyLabel(button), caption);
    // The switch key sits on the same button in all three maps, so that the alternate maps can
    // be left again; setting it or replacing it on Main Control carries the change over.
    if (m == ButtonMapId::Main && (old == kSwitchKeyCode || codeOf(m, button) == kSwitchKeyCode)) {
        storeSlot(ButtonMapId::Switch, button, codeText);
        storeSlot(ButtonMapId::Fixed, button, codeText);
    }
}

void ButtonEditor::showButtonMenu(int button) {
    if (button < 1 || button > static_cast<int>(kShownSlotCount)) return;
    const std::string label = skin::keyLabel(button);
    const Control* key = controls_.find(label);
    if (key == nullptr || !key->enabled || controls_.visible(ctrl::Disable)) return;
    selected_ = button;
    navigation_.hoverLeave(label);
    HideAllMenu();
    const bool lrm = isLrmButton(button);
    const std::string_view menu = lrm ? kLrmMenu : kMainMenu;
    if (!lrm) controls_.setVisible(kMacroEntry, macrosAvailable());
    const Control* panel = controls_.find(menu);
    if (panel == nullptr) return;
    const MenuPoint at = buttonMenuOrigin(rectOf(*key), panel->width, panel->height, !lrm);
    controls_.moveTo(menu, at.x, at.y);
    controls_.setVisible(menu, true);
}

bool ButtonEditor::subMenusOpenLeftward() const {
    const Control* menu = controls_.find(kMainMenu);
    return menu != nullptr && opensLeftward(menu->x);
}

void ButtonEditor::hideSubMenus() {
    for (const auto& g : kMenuGroupSubMenus) controls_.setVisible(g.subMenu, false);
}

void ButtonEditor::showSubMenu(std::string_view subMenu, std::string_view entry) {
    const Control* menu = controls_.find(kMainMenu);
    const Control* item = controls_.find(entry);
    const Control* sub = controls_.find(subMenu);
    if (menu == nullptr || item == nullptr || sub == nullptr) return;
    const MenuPoint at = subMenuOrigin(rectOf(*menu), rectOf(*item), sub->width, sub->height);
    controls_.moveTo(subMenu, at.x, at.y);
    controls_.setVisible(subMenu, true);
}

void ButtonEditor::KeyByTagMouseEnter(int tag) {
    const MenuGroupSpec* group = groupByTag(tag);
    if (group == nullptr || !controls_.visible(kMainMenu)) return;
    highlight(group->entry);
    hideSubMenus();
    if (group->subMenu == kMacroList) {
        if (!macrosAvailable()) return;
        controls_.setItems(kMacroList,
                           std::vector<std::string>(state_.MacroNameList.begin(), state_.MacroNameList.end()));
    }
    if (group->subMenu == ctrl::Pnl_Special) controls_.setEnabled(kSwitchKeyEntry, switchKeyAllowed_);
    showSubMenu(group->subMenu, group->entry);
}

void ButtonEditor::KeyByTagMouseLeave(int tag) {
    if (const MenuGroupSpec* group = groupByTag(tag)) unhighlight(group->entry);
}

void ButtonEditor::KeyStatus_AMouseEnter() {
    hideSubMenus();
    highlight(kAssemblyEntry);
}

void ButtonEditor::KeyStatusMouseEnter(std::string_view entry) { highlight(entry); }

void ButtonEditor::KeyStatusMouseLeave(std::string_view entry) { unhighlight(entry); }

void ButtonEditor::highlight(std::string_view entry) {
    // One entry at a time lies under the pointer.
    if (highlighted_ == entry) return;
    unhighlight(highlighted_);
    highlighted_ = entry;
    controls_.setFontColor(entry, kEntryHighlighted.text);
}

void ButtonEditor::unhighlight(std::string_view entry) {
    if (entry.empty() || highlighted_ != entry) return;
    controls_.setFontColor(entry, kEntryNormal.text);
    highlighted_.clear();
}

EntryColours ButtonEditor::entryColours(std::string_view entry) const {
    return !entry.empty() && entry == highlighted_ ? kEntryHighlighted : kEntryNormal;
}

void ButtonEditor::HideAllMenu() {
    for (const auto panel : skin::kMenuPanels) controls_.setVisible(panel, false);
    controls_.setVisible(kMacroList, false);
    unhighlight(highlighted_);
}

void ButtonEditor::ClearAP() { HideAllMenu(); }

void ButtonEditor::KeyStatusOnClick(int tag) {
    HideAllMenu();
    if (!isSubMenuTag(tag) || !isMainMenuButton(selected_)) return;
    if (tag == kSwitchKeyTag && !switchKeyAllowed_) return;
    const auto map = storeTarget(selected_);
    if (!map) return;
    // A box still being edited counts as left.
    if (tag == kFireKeyTag) advanced_.leaveFireKeyBoxes();
    const auto code = CodeForMenuItem(tag, advanced_.fireKeyBoxes().repeat, advanced_.fireKeyBoxes().delay);
    if (!code) return;
    assign(*map, selected_, *code, nameOf(*code));
}

void ButtonEditor::Key_SwitchLRMOnClick(int tag) {
    HideAllMenu();
    if (!inRange(tag, kLrmTags) || !isLrmButton(selected_)) return;
    const auto map = storeTarget(selected_);
    const auto chosen = CodeForMenuItem(tag, {}, {});
    if (!map || !chosen) return;
    // Buttons 1..3 stay a permutation: the button that held the chosen function takes over
    // the selected button's previous one.
    const std::string old = codeOf(*map, selected_);
    for (int b = 1; b <= kLrmButtons; ++b) {
        if (b != selected_ && codeOf(*map, b) == *chosen) assign(*map, b, old, nameOf(old));
    }
    assign(*map, selected_, *chosen, nameOf(*chosen));
}

void ButtonEditor::LB_NameClick(int index) {
    HideAllMenu();
    if (!macrosAvailable() || index < 0 || index >= static_cast<int>(kMacroCount)) return;
    if (!isMainMenuButton(selected_)) return;
    const auto map = storeTarget(selected_);
    if (!map) return;
    const std::string code = codeTextFromBytes(macroCode(static_cast<std::size_t>(index)));
    assign(*map, selected_, code, nameOf(code));
}

void ButtonEditor::Key_AssemblyClick() {
    HideAllMenu();
    pending_ = {};
    assemblyButton_ = selected_;
}

void ButtonEditor::ApplyAssemblyResult() {
    if (!pending_.confirmed || assemblyButton_ != selected_ || !isMainMenuButton(selected_)) return;
    const auto map = storeTarget(selected_);
    if (!map) return;
    assign(*map, selected_, pending_.codeText, pending_.caption);
}

}  // namespace varnel
