#pragma once
// How the window shows the device's presence: whether the report channels are open, the overlays
// that lock every page during a device job, the pages a mouse's variant offers after it was read
// (RefreshChipPages), the no-device appearance (RefreshErrorAP) and the removal of the mouse. While
// no mouse is in use the header says so lastingly, and page 1's hint asks for a mouse instead of
// a click.
#include <string_view>

#include "skin/captions.h"
#include "skin/controls.h"
#include "skin/page_navigation.h"
#include "transfers/app_state.h"

namespace varnel {

class DeviceAppearance {
public:
    // Everything given outlives the model.
    DeviceAppearance(ControlTable& controls, AppState& state, NavigationModel& navigation,
                     const CaptionsModel& captions);

    // The report channels are open (set from each device job's end).
    bool channelsOpen() const { return channelsOpen_; }
    void setChannelsOpen(bool open) { channelsOpen_ = open; }

    // DisableAllPages / EnableAllPages: the overlays that swallow all input on every page.
    void disableAllPages();
    void enableAllPages();

    // RefreshChipPages: after a read, up to reopening the last button-map page (which the caller
    // does with a page click): the Macro and Update page buttons exist only on mice that offer
    // them, page 1 shows, NoDeviceMode ends.
    void showMousePages();
    // RefreshErrorAP: NoDeviceMode and its appearance.
    void enterNoDeviceMode();
    // DeviceRemoved before its message box: page 1's overlay (the caller closes the menus).
    void deviceRemovedBeforeMessage();
    // The header's line and the hint in the current language: none with a mouse in use; without,
    // whether the window shows the defaults or the last settings of a mouse that has left.
    void showMouseState();

private:
    ControlTable& controls_;
    AppState& state_;
    NavigationModel& navigation_;
    const CaptionsModel& captions_;
    bool channelsOpen_ = false;
    bool mouseShown_ = false;  // a mouse's settings were shown since the start
    bool hintless_ = false;    // page 1 shows its picture without the hint
};

}  // namespace varnel
