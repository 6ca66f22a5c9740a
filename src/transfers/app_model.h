#pragma once
// The application model below the window: the AppState plus the device link, the poller and the
// embedded images, with every operation the window's buttons and timer run, in the order the
// window runs them. Widgets, pictures and message boxes stay with the window; here each operation
// returns what happened (and why) so the window and the command-line tool can both drive it.
// Everything runs on the thread that owns the bus; waits go through the Clock, never elsewhere.
#include <filesystem>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "common/result.h"
#include "device/clock.h"
#include "device/discovery.h"
#include "device/hid_bus.h"
#include "device/protocol.h"
#include "macros/macro_file.h"
#include "transfers/app_state.h"
#include "transfers/device_read.h"
#include "transfers/device_write.h"
#include "transfers/firmware.h"
#include "transfers/transfer_status.h"

namespace varnel {

// After command 18 the mouse restarts; the search starts this long after it.
constexpr Millis kFirmwareRestartWait{2000};

struct AppModelConfig {
    DefaultImages defaultImages;       // embeddedDefaultImages(), or one image that fixes the variant
    Bytes defaultFirmware;             // "DefaultFW"
    AlternativeSignature alternative;  // Rev_Manu_ID, Rev_Pro_ID of the layout file
};

// What one search (a tick or ReFindDev) came to.
struct SearchOutcome {
    bool searched = false;                      // the tick saw a stable change (always true for ReFindDev)
    bool found = false;                         // OpenDevice found the mouse
    TransferStatus read;                        // ReadDevInfo's result when found
    bool removed = false;                       // DeviceRemoved ran: the window says "No Device Found" (Str100, Str101)
    std::vector<std::string> permissionDenied;  // mouse interfaces we may not open
};

class AppModel {
public:
    AppModel(AppState& state, HidBus& bus, Clock& clock);

    // FormCreate's data steps: reset, the layout's signature pair, header decision, InitNoDevice,
    // the id table.
    Status start(AppModelConfig config);
    // For a state the window has already started (its FormCreate ran the same data steps):
    // takes the configuration, the layout's signature pair and the id table, and leaves the rest
    // of the state alone.
    void adopt(AppModelConfig config);
    // Both channels are open and identification accepted the mouse (identifiedMouse).
    bool mouseReady() const;
    // Whether Apply, Reset and Save Macro read back what they wrote (they do unless told).
    void setWriteCheck(WriteCheck check) { writeCheck_ = check; }

    AppState& state() { return state_; }
    const AppState& state() const { return state_; }
    DeviceLink& link() { return link_; }
    DevicePoller& poller() { return poller_; }
    const AppModelConfig& config() const { return config_; }

    // Searching. pollTick (DevTimerTimer) and ReFindDev return the first step; advance() performs a
    // ReadDevInfo or DeviceRemoved step (or continues after a Wait the caller has waited) and
    // returns the next. runSearch drives a whole search, waiting on the clock.
    PollStep pollTick();
    PollStep deviceAnnounced();  // DevicePoller::deviceAnnounced
    PollStep ReFindDev();
    PollStep advance(PollStep step, const ProgressSink& progress = {});
    SearchOutcome runSearch(PollStep first, const ProgressSink& progress = {});
    const SearchOutcome& lastSearch() const { return search_; }

    // The no-device transition (data part).
    void DeviceRemoved();

    // The action buttons. Each needs mouseReady() ("Str022" otherwise); MacrosDirty is cleared
    // only when every macro write went through.
    TransferStatus Apply(const ProgressSink& progress = {});
    TransferStatus Reset(const ProgressSink& progress = {});
    // The write half of Reset, once the window has loaded and shown the defaults
    // (LoadDefaultParameter).
    TransferStatus WriteDefaults(const ProgressSink& progress = {});
    TransferStatus SaveMacro(const ProgressSink& progress = {});

    // Firmware: loading a file sets FirmwareLoaded, a refused file clears it; Program writes it
    // (when it finished, the caller waits kFirmwareRestartWait and searches with ReFindDev).
    Status LoadFirmware(const std::filesystem::path& path);
    FirmwareOutcome Program(const ProgressSink& progress = {});

    // Profiles and macro files. ProfileBytes is Save Profile without the file: the write-back of
    // the editors into DataBuf, then the stored image of the mouse's variant.
    Result<Bytes> ProfileBytes();
    Result<std::filesystem::path> SaveProfile(const std::filesystem::path& path);
    // Loading a profile and importing macros make the macros consistent and say which had to
    // change. A loaded profile marks its macros for the next write exactly when they differ from
    // what the mouse holds.
    Result<RepairedMacros> LoadProfile(const std::filesystem::path& path);
    Result<std::filesystem::path> ExportMacros(const std::filesystem::path& path);
    Result<RepairedMacros> ImportMacros(const std::filesystem::path& path);

private:
    void forgetMouse();
    void beginSearch();
    PollStep searchIfGoesOn(PollStep first);
    // identifyMouse, then (the mouse accepted and kept by the poller) readConfiguration.
    TransferStatus ReadDevInfo(const ProgressSink& progress);

    AppState& state_;
    Clock& clock_;
    DeviceLink link_;
    DevicePoller poller_;
    AppModelConfig config_;
    Bytes loadedFirmware_;
    SearchOutcome search_;
    WriteCheck writeCheck_ = WriteCheck::ReadBack;
};

}  // namespace varnel
