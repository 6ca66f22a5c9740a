#pragma once
// The button-map pages' model (Main Control, Alternate Key, Reset Control) with the button
// assignment editor: the nine key labels of the shown map, the menus the picture buttons
// Key1..Key9 open, where they open, which entry is highlighted, and the stores that put a chosen
// function into the map of the current page. Captions, visibility, positions and enabling live in
// the control table, the current page in the navigation's page radios, the codes in the
// application state (every store changes a CodeText and its four EditCopy bytes together). The
// collect step stores the map page on show as the image's ActiveMap; the display step opens the
// page the image names.
//
// Functions are recognised by their codes, never by their shown names, so a macro or key
// combination whose caption reads like a map key never acts as one.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "config/layout.h"
#include "editors/advanced_page.h"
#include "editors/key_combination.h"
#include "skin/captions.h"
#include "skin/control_names.h"
#include "skin/controls.h"
#include "skin/page_model.h"
#include "skin/page_navigation.h"
#include "skin/skin_tables.h"
#include "transfers/app_state.h"

namespace varnel {

// Key1..Key3 open Pnl_LRM and hold left, right and middle only.
constexpr int kLrmButtons = 3;

// Colours of a menu entry, in the skin's colours: highlighted under the pointer (white on the
// skin's red), else light text on the dark panel (no background of its own). The text colour is
// kept in the control table as well.
struct EntryColours {
    Rgb text;
    std::optional<Rgb> back;
    bool operator==(const EntryColours&) const = default;
};
constexpr EntryColours kEntryNormal{skin::kMenuEntryText, std::nullopt};
constexpr EntryColours kEntryHighlighted{skin::kMenuEntryLitText, skin::kMenuEntryLitBack};

// A group entry of Pnl_Main (by its tag) and the sub-menu it opens beside the menu.
struct MenuGroupSpec {
    int tag;
    std::string_view entry;
    std::string_view subMenu;
};
constexpr std::array<MenuGroupSpec, 5> kMenuGroupSubMenus{{
    {1, ctrl::Key_Standard, ctrl::Pnl_MseKey},
    {2, ctrl::Key_Special, ctrl::Pnl_Special},
    {3, ctrl::Key_Media, ctrl::Pnl_Media},
    {4, ctrl::Key_WWW, ctrl::Pnl_WWW},
    {7, ctrl::Key_Macro, ctrl::LB_Name},
}};

struct MenuPoint {
    int x = 0, y = 0;
    bool operator==(const MenuPoint&) const = default;
};
struct MenuRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// A menu, or the menu beside which a sub-menu opens, in the right half of the window opens to the
// left.
bool opensLeftward(int x);
// Where a button menu opens for the label `key`: from the label's centre, to the right in the
// left half of the window and to the left in the right half; downwards, or upwards when
// `mayOpenUpwards` and the menu would reach the bottom edge.
MenuPoint buttonMenuOrigin(const MenuRect& key, int menuWidth, int menuHeight, bool mayOpenUpwards);
// Where a sub-menu opens beside `mainMenu` for the entry at `entry` (relative to the menu):
// right of the menu in the left half, else left of it; top-aligned with the entry, or
// bottom-aligned when it would reach the bottom edge.
MenuPoint subMenuOrigin(const MenuRect& mainMenu, const MenuRect& entry, int subWidth, int subHeight);

class ButtonEditor : public PageModel {
public:
    // Everything given outlives the editor; the Fire Key takes its timing from `advanced`.
    ButtonEditor(ControlTable& controls, AppState& state, NavigationModel& navigation, const CaptionsModel& captions,
                 AdvancedPage& advanced);

    // The key menu's height for the variant shown, and the map page the image's ActiveMap names
    // (an ActiveMap above 2 keeps the current page and its labels).
    void load() override;
    // ActiveMap: 0, 1 or 2 on the Main Control, Alternate Key or Reset Control page; kept on others.
    void store() override;
    // The Alternate Key page needs a switch key in MainMap (Str020), Reset Control a reset key in
    // SwitchMap (Str021).
    std::optional<std::string_view> refusal(skin::Page page) const override;
    // Any page click closes the menus; a map page shows its labels, and only Reset Control is
    // read-only (the Disable overlay).
    void opened(skin::Page page) override;
    // Key labels named by the code table are named again in the new language.
    void languageChanged() override;

    // Captions Key1..Key9 for map `m` and their enabling (RefreshProfile1Keys .. 3Keys).
    void refreshKeyLabels(ButtonMapId m);
    // The map the nine key labels show.
    ButtonMapId shownMap() const { return shownMap_; }
    // The switch key may be chosen (on the Main Control page).
    bool switchKeyAllowed() const { return switchKeyAllowed_; }

    // ShowLRM_OnClick (Key1..Key3) and ShowPnlMain_OnClick (Key4..Key9). A button under the
    // Disable overlay or disabled on its page takes no click.
    void showButtonMenu(int button);
    // Pointer over / off a group entry of Pnl_Main, by tag (1 Standard .. 4 WWW, 7 Macro).
    void KeyByTagMouseEnter(int tag);
    void KeyByTagMouseLeave(int tag);
    // Pointer over Key_Assembly: every sub-menu closes.
    void KeyStatus_AMouseEnter();
    // Pointer over / off an entry of a sub-menu or of Pnl_LRM, by the entry's name.
    void KeyStatusMouseEnter(std::string_view entry);
    void KeyStatusMouseLeave(std::string_view entry);

    // An entry of Pnl_MseKey, Pnl_Special, Pnl_Media or Pnl_WWW, by tag.
    void KeyStatusOnClick(int tag);
    // Key_L, Key_R or Key_M (tags 900..902) for button 1, 2 or 3.
    void Key_SwitchLRMOnClick(int tag);
    // Macro `index` (0..31) of LB_Name.
    void LB_NameClick(int index);
    // Key_Assembly or Key_Macro clicked: menus close and the pending result is cleared and
    // belongs to the selected button; the caller opens the key-combination dialog on pending().
    void Key_AssemblyClick();
    // Stores a confirmed pending result into the selected button of the current page's map.
    // The dialog is not modal, so this stores nothing (and changes no caption) unless the page
    // still edits that button and it is the one the dialog was opened for.
    void ApplyAssemblyResult();
    // Click on the page background or the mouse picture: HideAllMenu.
    void ClearAP();
    void HideAllMenu();

    int SelectedButton() const { return selected_; }
    // The button the key-combination dialog was last opened for.
    int assemblyButton() const { return assemblyButton_; }
    PendingAssembly& pending() { return pending_; }
    const PendingAssembly& pending() const { return pending_; }
    EntryColours entryColours(std::string_view entry) const;
    // Pnl_Main's sub-menus open to its left (their entries' arrows point that way).
    bool subMenusOpenLeftward() const;
    // Macros exist on a Wren only; on a Lark the Macro entry is hidden.
    bool macrosAvailable() const;
    // The map stores on the current page go to: MainMap on Main Control, SwitchMap on Alternate
    // Key, none elsewhere (the Reset Control map is view-only).
    std::optional<ButtonMapId> editedMap() const;

private:
    // The map a store into `button` may go to now: none off the edited pages, under the
    // Disable overlay, or when the button is disabled on the page.
    std::optional<ButtonMapId> storeTarget(int button) const;
    // Stores `codeText` into `button` of map `m` and shows `caption` on it. On Main Control a
    // switch key set or replaced is put on that button in all three maps.
    void assign(ButtonMapId m, int button, const std::string& codeText, std::string_view caption);
    bool storeSlot(ButtonMapId m, int button, const std::string& codeText);
    const std::string& codeOf(ButtonMapId m, int button) const;
    std::string nameOf(std::string_view codeText) const;
    void hideSubMenus();
    void showSubMenu(std::string_view subMenu, std::string_view entry);
    void highlight(std::string_view entry);
    void unhighlight(std::string_view entry);

    void applyMenuHeight(OptionalChip chip);
    bool mapHasCode(ButtonMapId m, std::string_view codeText) const;

    ControlTable& controls_;
    AppState& state_;
    NavigationModel& navigation_;
    const CaptionsModel& captions_;
    AdvancedPage& advanced_;
    ButtonMapId shownMap_ = ButtonMapId::Main;
    bool switchKeyAllowed_ = false;
    int selected_ = 0;
    int assemblyButton_ = 0;
    std::string highlighted_;
    PendingAssembly pending_;
};

}  // namespace varnel
