#pragma once
// The main window without Qt: its models over one control table, put together in the start-up
// order. Each concern is a model of its own (captions and language, page navigation and button
// states, device appearance, one model per page); this class creates them, runs FormCreate, and
// owns the two steps that tie the pages to the state: collect (UIToDataBuf) before a write and
// display (RefreshUI) after an image was shown. A new page is a member here and one entry in
// `pages_`, the list both steps walk.
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/bytes.h"
#include "common/udev_advice.h"
#include "platform/pointer_store.h"
#include "editors/advanced_page.h"
#include "editors/button_editor.h"
#include "editors/lighting_page.h"
#include "editors/macro_page.h"
#include "editors/pointer_settings_page.h"
#include "editors/update_page.h"
#include "shell/device_appearance.h"
#include "skin/captions.h"
#include "skin/controls.h"
#include "skin/layout.h"
#include "skin/page_navigation.h"
#include "skin/window_geometry.h"
#include "transfers/app_state.h"
#include "transfers/transfer_status.h"

namespace varnel {

// The two profile buttons of the bar (Btn_Save_1..5, Btn_Load_1..5).
enum class ProfileAction { Save, Load };

class MainWindowModel {
public:
    // `state` outlives the model. `pointerStore` is where the desktop keeps its pointer settings
    // (none: a desktop that offers none).
    MainWindowModel(AppState& state, LanguageSet languages, PictureSizeLookup pictureSize,
                    std::unique_ptr<PointerSettingsStore> pointerStore = nullptr);
    MainWindowModel(const MainWindowModel&) = delete;
    MainWindowModel& operator=(const MainWindowModel&) = delete;

    // FormCreate: `layout` is the section "org", `defaultImage` the embedded image.
    void formCreate(int screenWidth, int screenHeight, const IniSection& layout, ByteSpan defaultImage);
    // FormCreate on the embedded layout file and default image; what is missing is a problem.
    void formCreate(int screenWidth, int screenHeight);

    // Collect (UIToDataBuf): every page writes what its controls hold into the EditCopy, in the
    // fixed page order. Runs before every write-back (Apply, Confirm, profile save).
    void UIToDataBuf();
    // Display (RefreshUI): every page shows the EditCopy, in the same order; clears DisplayDue.
    void RefreshUI();

    // A page click: the message text to show, if any (Str022 while the channels are closed).
    std::optional<std::string> pageClick(skin::Page page);
    // The language switch to n (1..3), also a click on the current language.
    void languageClick(int n);
    // Btn_StartClick / Btn_InsertStartClick: start or stop the Macro page's recording; a caption
    // scrolling under the pointer goes on with the new one ("Record" / "Stop"). The status of a
    // stop, which encodes a whole macro.
    Status recordClick(bool insert);
    // An event captured while recording; the left click on Record/Stop itself is left out: the
    // pointer rests on it by the hover state, or `onRecordButton` (the view's look at where the
    // pointer is, for a desktop event that may come before the window's own hover).
    Status recordInput(const InputEvent& e, bool onRecordButton = false);
    // Btn_Web_0Click: marks the five copies clicked; returns the address to open.
    std::string webClick();
    // HideAllMenu: the button editor's menus close.
    void hideAllMenus();
    // Btn_Save_0Click / Btn_Load_0Click up to their file dialog: the menus close and the five
    // copies of the button are marked until profileButtonDone(). Without an accepted mouse (the
    // file's layout is the mouse's variant) the message to show instead of the dialog.
    std::optional<std::string> profileButtonClick(ProfileAction action);
    void profileButtonDone();

    // Both channels open and a mouse that identification accepted (a refused one may be of the
    // other variant, whose layout must not be written).
    bool mouseReady() const;
    // A search opened and identified a mouse: the sensor set-up of the Advanced page.
    void mouseIdentified();
    // Identification refused the mouse found: the message to show (its key, then why). Until a
    // mouse is accepted or leaves, an action that needs the mouse says this again instead of
    // "The specified device was not found." with the cable advice: the mouse is there, but not usable.
    std::string mouseRefused(const Error& error);
    // The end of a full read (the window's RefreshChipPages): the desktop pointer settings are read
    // again, then the pages the mouse offers;
    // the message of reopening the last button-map page, if any.
    std::optional<std::string> showReadMouse();
    // DeviceRemoved around its message box: after it the no-device appearance and, after a mouse
    // with macros, the emptied macro lists.
    void deviceRemovedBeforeMessage();
    void deviceRemovedAfterMessage(bool hadMacros);
    // The mouse holds what the pages show now (a read shown, a write that worked): what closing
    // compares with. Without a mouse in use nothing is held.
    void mouseHoldsShown();
    // Closing would lose edits: a mouse is in use and the image an Apply would write differs from
    // what it holds, or macros were edited and not saved. Repairs made while showing the image
    // count as held, as they are in both. Collects the pages.
    bool unappliedEdits();
    // The one message a failed write shows (Apply, Confirm, Reset, Save Macro); none on success.
    std::optional<std::string> failureMessage(const TransferStatus& status) const;

    // The current language's text of `key`.
    std::string text(std::string_view key) const { return captions_.text(key); }
    // Where the udev rule is on this machine, if anywhere (the window looks it up; `installed`
    // when it lies in udev's folders rather than in a source tree).
    void setUdevRule(std::optional<UdevRuleLocation> rule);
    // The text of `key` as a message shows it: one that says the mouse is missing or cannot be
    // opened goes on with what to do (the cable, then the udev rule by a path that exists).
    std::string message(std::string_view key) const;
    // DeviceRemoved's message: "No Device Found", then the check of the USB port with the advice.
    std::string noDeviceMessage() const { return text("Str100") + "\n" + message("Str101"); }
    // The no-device message's second answer: the window on a virtual mouse.
    static constexpr std::string_view kVirtualMouseOfferKey = "Str590";
    static constexpr std::string_view kVirtualMouseTitleKey = "Str591";
    // CaptionsModel::messageFor, with a missing mouse's message going on as message() says.
    std::string messageFor(const Error& error, std::string_view fallbackKey, bool withReason) const;
    // A refused profile or mouse: the key's text, then on a line of its own what was refused
    // (`subject`, e.g. the file's name) and why, in the error's words.
    std::string refusalMessage(const Error& error, std::string_view subject = {}) const;

    ControlTable& controls() { return controls_; }
    const ControlTable& controls() const { return controls_; }
    AppState& state() { return state_; }
    const AppState& state() const { return state_; }
    CaptionsModel& captions() { return captions_; }
    const CaptionsModel& captions() const { return captions_; }
    NavigationModel& navigation() { return navigation_; }
    const NavigationModel& navigation() const { return navigation_; }
    DeviceAppearance& appearance() { return appearance_; }
    const DeviceAppearance& appearance() const { return appearance_; }
    ButtonEditor& buttonMaps() { return buttonMaps_; }
    AdvancedPage& advanced() { return advanced_; }
    LightingPage& lighting() { return lighting_; }
    MacroPage& macroPage() { return macro_; }
    UpdatePage& updatePage() { return update_; }
    PointerSettingsPage& pointerSettings() { return pointer_; }

    const LayoutSettings& layout() const { return layout_; }
    const WindowRect& windowRect() const { return windowRect_; }
    // The window's title; on a virtual mouse it says so.
    std::string applicationTitle() const;
    // The window works on a virtual mouse (the demo's) instead of the USB bus, until it closes.
    void setVirtualMouse(bool on) { virtualMouse_ = on; }
    bool virtualMouse() const { return virtualMouse_; }
    // Problems met at start-up (layout keys, missing resources), one line each, for stderr.
    const std::vector<std::string>& problems() const { return problems_; }

private:
    // The marquee scrolls the caption its label has now (after a language switch or Record/Stop).
    void followCaption();
    AppState& state_;
    bool virtualMouse_ = false;
    ControlTable controls_;
    CaptionsModel captions_;
    NavigationModel navigation_;
    DeviceAppearance appearance_;
    std::unique_ptr<PointerSettingsStore> pointerStore_;
    AdvancedPage advanced_;
    PointerSettingsPage pointer_;
    LightingPage lighting_;
    MacroPage macro_;
    UpdatePage update_;
    ButtonEditor buttonMaps_;
    // Collect and display run through the pages in this order: DPI and report rate, lighting,
    // then the others; the button maps come last, as showing an image ends on the page its
    // ActiveMap names.
    std::vector<PageModel*> pages_;
    LayoutSettings layout_;
    std::vector<std::string> problems_;
    WindowRect windowRect_;
    std::string applicationTitle_ = kApplicationTitle;
    std::optional<UdevRuleLocation> udevRule_;
    std::optional<std::string> refusedMouse_;  // mouseRefused()'s message while that mouse stays
    // The image an Apply would write now (empty: none can be written).
    Bytes collectedImage();
    std::optional<Bytes> mouseImage_;  // mouseHoldsShown()'s collected image
};

}  // namespace varnel
