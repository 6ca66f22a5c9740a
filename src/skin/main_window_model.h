#pragma once
// The main window as a model: start-up order, skin pictures, layout, languages, page navigation,
// button states, the caption marquee and the timer rules. The Qt window renders `controls()` and
// forwards clicks and pointer moves here; it obeys devTimerEnabled() and labelRunEnabled().
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/bytes.h"
#include "config/layout.h"
#include "skin/controls.h"
#include "skin/language.h"
#include "skin/layout.h"
#include "skin/marquee.h"
#include "skin/skin_tables.h"
#include "transfers/app_state.h"

namespace varnel {

struct WindowRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const WindowRect&) const = default;
};

constexpr int kMainWindowWidth = 800;
constexpr int kMainWindowHeight = 600;
constexpr const char* kMainWindowCaption = "Varnel Gaming Mouse v1.0";
constexpr const char* kApplicationTitle = "Gaming Mouse";

// Centred on the screen, halves rounded toward zero (a screen smaller than the window gives a
// negative origin).
WindowRect centredWindowRect(int screenWidth, int screenHeight, int width = kMainWindowWidth,
                             int height = kMainWindowHeight);
// The busy window: centred on the main window and 40 pixels lower.
WindowRect busyWindowRect(const WindowRect& main, int width, int height);

class MainWindowModel {
public:
    // `state` outlives the model; the model installs itself as the state's display step.
    MainWindowModel(AppState& state, LanguageSet languages, PictureSizeLookup pictureSize);
    ~MainWindowModel();
    MainWindowModel(const MainWindowModel&) = delete;
    MainWindowModel& operator=(const MainWindowModel&) = delete;

    // FormCreate, steps 1..16: `layout` is the section "org", `defaultImage` the embedded image.
    void formCreate(int screenWidth, int screenHeight, const IniSection& layout, ByteSpan defaultImage);

    // Page click (any copy of a page button). Returns the message to show, if any.
    std::optional<std::string> pageClick(skin::Page page);
    // Steps 4..8 of a page click, without the refusal rules.
    void openPage(skin::Page page);
    void buttonTypeB1IconInit();
    void refreshAPPage();
    // Language switch to n (1..3), including a click on the current language.
    void languageClick(int n);
    // LoadLanguage for the current language number.
    void loadLanguage();

    // Pointer enters / leaves a button label.
    void hoverEnter(std::string_view label);
    void hoverLeave(std::string_view label);
    // LabelRunTimer.
    void labelRunTick();
    // Btn_Web_0Click: marks the five copies clicked; returns the address to open.
    std::string webClick();

    void disableAllPages();
    void enableAllPages();
    void hideAllMenus();

    // The control side of the device transitions; their data parts run with the transfers.
    // One busy flag for every device job: while it is set DevTimer stays off, whatever the
    // pointer does, and the pressed action button keeps its pressed picture.
    void setBusy(bool busy);
    bool busy() const { return busy_; }
    // Btn_Apply/Confirm/Reset: the pressed picture on the five copies of `base` until released.
    void pressActionButton(std::string_view base);
    void releaseActionButton();
    // The Advanced page's step pictures: n = 1..StepCount shown, the rest hidden (no sensor
    // known yet: unchanged).
    void showSensorSteps();
    // RefreshChipPages after a read; returns the message of reopening the last button-map page.
    std::optional<std::string> refreshChipPages();
    void refreshErrorAP();
    // DeviceRemoved around its message box: first the overlay and the closed menus, then the
    // stopped marquee, the no-device appearance and, after a Wren, the emptied macro lists.
    void deviceRemovedBeforeMessage();
    void deviceRemovedAfterMessage(bool wasWren);

    // Captions Key1..Key9 for map `m` and their enabling (RefreshProfile1Keys .. 3Keys).
    void refreshKeyLabels(ButtonMapId m);

    // The fire-key boxes' texts: into the state and into the captions of Edt_Repeat1 and
    // Edt_DelayTime1, so a re-render (a language switch) shows what the state holds.
    void setFireKeyBoxes(const FireKeyBoxes& boxes);

    // The current language's text of `key` (messages, captions).
    std::string text(std::string_view key) const;

    ControlTable& controls() { return controls_; }
    const ControlTable& controls() const { return controls_; }
    const AppState& state() const { return state_; }
    AppState& state() { return state_; }
    const LayoutSettings& layout() const { return layout_; }
    const LanguageSet& languages() const { return languages_; }
    int languageNumber() const { return languageNumber_; }
    const std::string& titleText() const { return titleText_; }
    const std::string& applicationTitle() const { return applicationTitle_; }
    const WindowRect& windowRect() const { return windowRect_; }
    const Marquee& marquee() const { return marquee_; }
    Marquee& marquee() { return marquee_; }
    // Problems met at start-up (layout keys, missing resources), one line each, for stderr.
    const std::vector<std::string>& problems() const { return problems_; }

    // DevTimer runs unless a button is hovered or a device job is busy.
    bool devTimerEnabled() const { return devTimerEnabled_ && !busy_; }
    bool labelRunEnabled() const { return labelRunEnabled_; }
    bool overRecordButton() const { return overRecordButton_; }
    bool switchKeyAllowed() const { return switchKeyAllowed_; }
    bool insertPanelOpen() const { return insertPanelOpen_; }
    void setInsertPanelOpen(bool open) { insertPanelOpen_ = open; }
    // The report channels are open (set by the device link).
    bool channelsOpen() const { return channelsOpen_; }
    void setChannelsOpen(bool open) { channelsOpen_ = open; }
    // The page whose radio is checked.
    skin::Page currentPage() const;
    // The map the nine key labels show.
    ButtonMapId shownMap() const { return shownMap_; }

private:
    // Pnl_Main takes the key-menu height of the current variant, when one is known.
    void applyMenuHeight(OptionalChip chip);
    void loadSkinImages();
    void refreshUi();
    void showFireKeyBoxes();
    void applyFonts(const LanguageFile& lang);
    void applyCaptions(const LanguageFile& lang);
    void relabelKeys();
    void checkRadio(std::string_view group, std::string_view radio);
    void setCopies(std::string_view base, std::string_view picture);
    void showGroup(int group);
    void showMacroPanels();
    void markCurrentPageButton();
    void markCurrentLanguageButton();
    bool mapHasCode(ButtonMapId m, std::string_view codeText) const;

    AppState& state_;
    ControlTable controls_;
    LanguageSet languages_;
    LayoutSettings layout_;
    std::vector<std::string> problems_;
    Marquee marquee_;
    WindowRect windowRect_;
    int languageNumber_ = 1;
    std::string titleText_;
    std::string applicationTitle_ = kApplicationTitle;
    ButtonMapId shownMap_ = ButtonMapId::Main;
    bool devTimerEnabled_ = true;
    bool labelRunEnabled_ = false;
    bool overRecordButton_ = false;
    bool switchKeyAllowed_ = false;
    bool insertPanelOpen_ = false;
    bool channelsOpen_ = false;
    bool busy_ = false;
    std::string pressed_;  // base of the pressed action button, empty when none
};

}  // namespace varnel
