#pragma once
// Keeps the virtual mouse's uhid devices on the bus: answers the kernel's report requests, takes
// the devices off the bus when the mouse leaves it (command 18) and creates them again when it is
// back, saves the mouse's memory, and stops cleanly on SIGTERM, SIGINT or SIGHUP.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

#include "device/virtual_mouse.h"
#include "uhid_devices.h"

namespace varnel::uhid {

struct RunnerOptions {
    // Written when the mouse leaves the bus, after 200 ms without reports following a change, and
    // on exit.
    std::optional<std::filesystem::path> save;
    bool neighbour = false;
    std::uint64_t shortReply = 0;  // see answer()
};

enum RunnerExit { kRunnerDone = 0, kRunnerFailed = 1, kRunnerNeighbourReached = 4 };

class Runner {
public:
    Runner(std::shared_ptr<VirtualMouse> mouse, RunnerOptions options, std::ostream& log);
    ~Runner();
    Runner(const Runner&) = delete;
    Runner& operator=(const Runner&) = delete;

    // Until a stop signal; the exit status of the program.
    int run();

private:
    struct Device {
        DeviceSpec spec;
        int fd = -1;
    };

    bool plug(const DeviceSpec& spec, std::vector<Device>& into);
    bool awaitStart(const Device& device);
    bool plugMouse();
    void unplugMouse();
    // One event from a device; false when the device is unusable.
    bool serve(Device& device, bool neighbour);
    bool save();

    std::shared_ptr<VirtualMouse> mouse_;
    RunnerOptions options_;
    std::ostream& log_;
    std::vector<Device> mouseDevices_;
    std::vector<Device> neighbour_;
    std::uint64_t generation_ = 0;  // of the devices on the bus
    bool dirty_ = false;
    std::uint64_t neighbourReports_ = 0;
};

}  // namespace varnel::uhid
