#include "editors/button_editor.h"

#include <vector>

#include "config/action_codes.h"
#include "editors/fire_key_boxes.h"
#include "skin/control_catalog.h"
#include "skin/skin_tables.h"

namespace varnel {

namespace {

using skin::Page;

constexpr int kSwitchKeyTag = 1002;
constexpr int kLrmButtons = 3;  // Key1..Key3 open Pnl_LRM and hold left, right and middle
constexpr int kMidX = kMainWindowWidth / 2;
constexpr std::string_view kLrmMenu = "Pnl_LRM";
constexpr std::string_view kMainMenu = "Pnl_Main";
constexpr std::string_view kAssemblyEntry = "Key_Assembly";
constexpr std::string_view kMacroEntry = "Key_Macro";
constexpr std::string_view kMacroList = "LB_Name";
constexpr std::string_view kSwitchKeyEntry = "Key_Profile";

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

MenuRect rectOf(const Control& c) { return {c.x, c.y, c.width, c.height}; }

bool isLrmButton(int button) { return button >= 1 && button <= kLrmButtons; }
bool isMainMenuButton(int button) { return button > kLrmButtons && button <= static_cast<int>(kShownSlotCount); }

}  // namespace

MenuPoint buttonMenuOrigin(const MenuRect& key, int menuWidth, int menuHeight, bool mayOpenUpwards) {
    const int cx = key.x + key.width / 2;
    const int cy = key.y + key.height / 2;
    const int x = key.x < kMidX ? cx : cx - menuWidth;
    const bool upwards = mayOpenUpwards && key.y + menuHeight >= kMainWindowHeight;
    return {x, upwards ? cy - menuHeight : cy};
}

MenuPoint subMenuOrigin(const MenuRect& mainMenu, const MenuRect& entry, int subWidth, int subHeight) {
    const int x = mainMenu.x < kMidX ? mainMenu.x + mainMenu.width : mainMenu.x - subWidth;
    const int entryTop = mainMenu.y + entry.y;
    const bool bottomAligned = entryTop + subHeight >= kMainWindowHeight;
    return {x, bottomAligned ? entryTop + entry.height - subHeight : entryTop};
}

ButtonEditor::ButtonEditor(MainWindowModel& window)
    : window_(window), controls_(window.controls()), state_(window.state()) {}

bool ButtonEditor::macrosAvailable() const { return state_.DefaultChip == ChipModel::Wren; }

std::optional<ButtonMapId> ButtonEditor::editedMap() const {
    switch (window_.currentPage()) {
        case Page::Main: return ButtonMapId::Main;
        case Page::Switch: return ButtonMapId::Switch;
        default: return std::nullopt;
    }
}

std::optional<ButtonMapId> ButtonEditor::storeTarget(int button) const {
    if (button < 1 || button > static_cast<int>(kShownSlotCount)) return std::nullopt;
    if (!state_.EditCopy.chip || controls_.visible("Disable")) return std::nullopt;
    const Control* key = controls_.find(skin::keyLabel(button));
    if (key == nullptr || !key->enabled) return std::nullopt;
    return editedMap();
}

const std::string& ButtonEditor::codeOf(ButtonMapId m, int button) const {
    return state_.CodeTexts[static_cast<std::size_t>(m)][static_cast<std::size_t>(button - 1)];
}

std::string ButtonEditor::nameOf(std::string_view codeText) const {
    const LanguageLookup lookup = [this](std::string_view key) { return window_.text(key); };
    return CodeToName(codeText, lookup, state_.MacroNameList);
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
    if (key == nullptr || !key->enabled || controls_.visible("Disable")) return;
    selected_ = button;
    window_.hoverLeave(label);
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
    if (group->subMenu == "Pnl_Special") controls_.setEnabled(kSwitchKeyEntry, window_.switchKeyAllowed());
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
    window_.hideAllMenus();
    unhighlight(highlighted_);
}

void ButtonEditor::ClearAP() { HideAllMenu(); }

void ButtonEditor::KeyStatusOnClick(int tag) {
    HideAllMenu();
    if (!isSubMenuTag(tag) || !isMainMenuButton(selected_)) return;
    if (tag == kSwitchKeyTag && !window_.switchKeyAllowed()) return;
    const auto map = storeTarget(selected_);
    if (!map) return;
    if (tag == kFireKeyTag) window_.setFireKeyBoxes(correctedFireKeyBoxes(state_.FireKey));
    const auto code = CodeForMenuItem(tag, state_.FireKey.repeat, state_.FireKey.delay);
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
}

void ButtonEditor::ApplyAssemblyResult() {
    if (!pending_.confirmed || !isMainMenuButton(selected_)) return;
    const auto map = storeTarget(selected_);
    if (!map) return;
    assign(*map, selected_, pending_.codeText, pending_.caption);
}

}  // namespace varnel
