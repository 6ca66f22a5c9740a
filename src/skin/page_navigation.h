#pragma once
// Page navigation and button states: which page a page button opens and when it refuses, the
// current page and language marks, the hover pictures of every button family with the caption
// marquee, the pressed action button, and whether the pointer rests on a button (a search for the
// mouse may wait for it to leave).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/captions.h"
#include "skin/controls.h"
#include "skin/marquee.h"
#include "skin/page_model.h"
#include "skin/skin_tables.h"
#include "transfers/app_state.h"

namespace varnel {

class NavigationModel {
public:
    // `controls`, `state` and `captions` outlive the model.
    NavigationModel(ControlTable& controls, AppState& state, const CaptionsModel& captions);

    // Page models hear page clicks and reshown pages, in the order added.
    void addPage(PageModel& page);

    // A page click (any copy of a page button) with the report channels open: the language key
    // of the message to show, if any.
    std::optional<std::string_view> pageClick(skin::Page page);
    // Opens `page` without the refusal rules (hidden menus, marks, group, its picture).
    void openPage(skin::Page page);
    // Shows the button-map page `page` as the current one (an image's ActiveMap): its radio
    // checked, only its button marked, page group 1 shown.
    void showMapPage(skin::Page page);
    // RefreshAPPage: the current page's group again (page 1 only in the no-device state).
    void refreshAPPage();
    // ButtonTypeB_1IconInit: every page button normal, NoDeviceMode cleared.
    void buttonTypeB1IconInit();
    // The page whose radio is checked.
    skin::Page currentPage() const;
    void showGroup(int group);
    // The no-device appearance: page 1, the Main button marked and every other page button normal.
    void showNoDevicePages();
    // The shown page's picture in the current language; while no mouse is in use the button-map
    // pages show theirs without the hint to click a button.
    void showPagePicture(skin::Page page);
    // The page buttons that exist only on some mice.
    void showPageButton(skin::Page page, bool shown);

    // The current language's backgrounds and page picture, its marked button and radio.
    void showLanguage();

    // Pointer enters / leaves a button label; the marquee scrolls its caption.
    void hoverEnter(std::string_view label);
    void hoverLeave(std::string_view label);
    void labelRunTick();
    // The marquee stops scrolling (the caption stays until the pointer leaves).
    void stopLabelRun() { labelRunEnabled_ = false; }
    Marquee& marquee() { return marquee_; }
    const Marquee& marquee() const { return marquee_; }
    // The five Web pictures show the click.
    void webClicked();

    // A device job holds the window: the pressed action button keeps its pressed picture.
    void setBusy(bool busy);
    bool busy() const { return busy_; }
    // Btn_Apply/Confirm/Reset and Btn_Save/Load: the family's third picture (pressed, "BtnS_03";
    // marked, "SetS_02") on the five copies of `base` until released.
    void pressActionButton(std::string_view base);
    void releaseActionButton();

    // The pointer rests on a button (not the Web button, which starts no device job).
    bool pointerOnButton() const { return hovering_; }
    bool labelRunEnabled() const { return labelRunEnabled_; }
    // The caption of `label` scrolls while the pointer rests on it.
    bool captionScrolls(std::string_view label) const { return labelRunEnabled_ && marquee_.label() == label; }
    bool overRecordButton() const { return overRecordButton_; }

private:
    void checkRadio(std::string_view group, std::string_view radio);
    void setCopies(std::string_view base, std::string_view picture);
    void markCurrentPageButton();
    void markCurrentLanguageButton();

    ControlTable& controls_;
    AppState& state_;
    std::vector<PageModel*> pages_;
    Marquee marquee_;
    const CaptionsModel& captions_;
    bool hovering_ = false;
    bool labelRunEnabled_ = false;
    bool overRecordButton_ = false;
    bool busy_ = false;
    std::string pressed_;  // base of the pressed action button, empty when none
    skin::HoverFamily pressedFamily_ = skin::HoverFamily::A;
};

}  // namespace varnel
