#pragma once
// The announcements of hidraw nodes coming and going, through libudev's monitor. Where udev runs
// (the desktop) its announcements come after its rules have run, so the node may already be
// opened; the kernel's own come without udev (a container never hears them, a bare machine does).
#include <memory>
#include <optional>
#include <vector>

#include "common/result.h"
#include "device/hotplug.h"

namespace varnel {

class HidrawMonitor {
public:
    enum class Source { Udev, Kernel };

    // Whether udev runs on this machine: in a container a monitor opens, but never hears anything.
    static bool udevRuns();
    static Result<std::unique_ptr<HidrawMonitor>> open(Source source = Source::Udev);
    ~HidrawMonitor();
    HidrawMonitor(const HidrawMonitor&) = delete;
    HidrawMonitor& operator=(const HidrawMonitor&) = delete;

    // Readable when an announcement waits (for a socket notifier or poll()).
    int fd() const;
    // The hidraw nodes present now, as arrivals.
    std::vector<HidrawAnnouncement> present() const;
    // The next announcement that waits; none when none does (never blocks).
    std::optional<HidrawAnnouncement> receive();

private:
    struct Handles;
    explicit HidrawMonitor(std::unique_ptr<Handles> handles);
    std::unique_ptr<Handles> h_;
};

// "0003:00001209:00000001", the hid device's HID_ID (bus, vendor, product in hex), as ids.
std::optional<DeviceId> parseHidId(std::string_view hidId);

}  // namespace varnel
