#pragma once
// Finding the mouse: counting HID interfaces to notice plug and unplug, opening the matching
// interfaces and probing which carries the command and which the data report, and the polling
// tick as a state machine. Waits are never slept here: the machine returns a Wait step and the
// caller (a worker thread, the tool, a test) schedules the rest with resume().
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/clock.h"
#include "device/hid_bus.h"
#include "device/protocol.h"

namespace varnel {

// One entry of the id table searched for the mouse; a zero id makes the entry empty.
struct DeviceId {
    std::uint32_t vendorId = 0;
    std::uint32_t productId = 0;
    bool empty() const { return vendorId == 0 || productId == 0; }
    bool operator==(const DeviceId&) const = default;
};
using DeviceIdTable = std::array<DeviceId, 2>;

constexpr Millis kPollInterval{3500};
constexpr Millis kSearchSettleTime{2000};

// Counts the HID interfaces present. It only serves to notice changes of the population.
int CountHidDevices(HidBus& bus);

struct OpenOutcome {
    bool found = false;                 // a present interface with these ids and an 8-byte feature report opened
    Channels channels;                  // the last interface that accepted each probe
    std::string commandPath, dataPath;  // the interfaces holding them
    // Matching interfaces that could not be opened for lack of permission (the udev rule helps).
    std::vector<std::string> permissionDenied;
};

OpenOutcome OpenDevice(HidBus& bus, std::uint32_t vendorId, std::uint32_t productId);

enum class PollStepKind {
    Skipped,        // a tick arrived while the previous one is still running
    Idle,           // nothing (more) to do
    Wait,           // wait `wait`, then resume()
    ReadDevInfo,    // the mouse was opened: identify and read it, then resume()
    DeviceRemoved,  // run the no-device transition, then resume()
};

struct PollStep {
    PollStepKind kind = PollStepKind::Idle;
    Millis wait{0};
};

class DevicePoller {
public:
    DevicePoller(HidBus& bus, DeviceLink& link) : bus_(bus), link_(link) {}

    void setDeviceIdTable(const DeviceIdTable& table) { table_ = table; }
    const DeviceIdTable& deviceIdTable() const { return table_; }

    // DevTimerTimer, the DevTimer tick: five pairs of counts, a search after a stable change (the first tick's
    // stable count is a change whatever it is, so no HID interface at all still ends in the
    // no-device transition). Skipped while any
    // search (its own or ReFindDev's) is still in progress. The search keeps the current channels
    // until its wait has passed.
    PollStep pollTick();
    // A node with the searched ids came or went (announced by the kernel): what a tick does after
    // a stable change, at once. Skipped like a tick while a search is in progress.
    PollStep deviceAnnounced();
    // Forget the current mouse and search at once; no count. Called during a tick's search it
    // restarts that search, and the tick's PollBusy ends with it.
    PollStep ReFindDev();
    // Continue after doing what the last step asked for.
    PollStep resume();
    // Identification accepted the mouse this search opened. A later change of the HID population
    // (a headset or keyboard coming or going) then leaves it, its channels and everything shown
    // alone while its interfaces still enumerate and it still answers command 14 on the same
    // channels; only a mouse that left (or came back anew) is searched for and read again.
    void keepMouse();
    bool keepsMouse() const { return !keptPaths_.empty(); }

    bool PollBusy() const { return pollBusy_; }
    int LastHidCount() const { return lastHidCount_.value_or(0); }
    bool searching() const { return phase_ != Phase::None; }
    const OpenOutcome& lastOpen() const { return lastOpen_; }

private:
    enum class Phase { None, AfterRemoved, AfterWait, AfterRead };

    PollStep populationChanged(std::optional<int> count);
    PollStep startSearch();
    PollStep nextEntry();
    PollStep finish();
    bool keptMouseAnswers();

    HidBus& bus_;
    DeviceLink& link_;
    DeviceIdTable table_{};
    bool pollBusy_ = false;
    std::optional<int> lastHidCount_;  // none until a tick's search has settled a count
    std::optional<int> pendingCount_;
    Phase phase_ = Phase::None;
    std::size_t entry_ = 0;
    OpenOutcome lastOpen_;
    std::vector<std::string> keptPaths_;
};

}  // namespace varnel
