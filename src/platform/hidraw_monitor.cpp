#include "platform/hidraw_monitor.h"

#include <libudev.h>
#include <unistd.h>

#include <charconv>
#include <cstring>

namespace varnel {

namespace {

constexpr const char* kSubsystem = "hidraw";

std::optional<std::uint32_t> hexField(std::string_view s) {
    std::uint32_t v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, 16);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty()) return std::nullopt;
    return v;
}

HidrawAnnouncement::Action actionOf(const char* action) {
    if (action == nullptr || std::strcmp(action, "add") == 0) return HidrawAnnouncement::Action::Added;
    if (std::strcmp(action, "remove") == 0) return HidrawAnnouncement::Action::Removed;
    return HidrawAnnouncement::Action::Other;
}

HidrawAnnouncement announcement(udev_device* dev) {
    HidrawAnnouncement a;
    a.action = actionOf(udev_device_get_action(dev));
    if (const char* path = udev_device_get_syspath(dev)) a.node = path;
    // The ids are the hid device's, the hidraw node's parent; gone once the node is removed.
    if (a.action == HidrawAnnouncement::Action::Added) {
        udev_device* hid = udev_device_get_parent_with_subsystem_devtype(dev, "hid", nullptr);
        const char* id = hid != nullptr ? udev_device_get_property_value(hid, "HID_ID") : nullptr;
        if (id != nullptr) a.ids = parseHidId(id);
    }
    return a;
}

}  // namespace

std::optional<DeviceId> parseHidId(std::string_view hidId) {
    const auto first = hidId.find(':');
    const auto second = first == std::string_view::npos ? first : hidId.find(':', first + 1);
    if (second == std::string_view::npos) return std::nullopt;
    const auto bus = hexField(hidId.substr(0, first));
    const auto vendor = hexField(hidId.substr(first + 1, second - first - 1));
    const auto product = hexField(hidId.substr(second + 1));
    if (!bus || !vendor || !product) return std::nullopt;
    return DeviceId{*vendor, *product};
}

struct HidrawMonitor::Handles {
    udev* context = nullptr;
    udev_monitor* monitor = nullptr;
    ~Handles() {
        if (monitor != nullptr) udev_monitor_unref(monitor);
        if (context != nullptr) udev_unref(context);
    }
};

HidrawMonitor::HidrawMonitor(std::unique_ptr<Handles> handles) : h_(std::move(handles)) {}
HidrawMonitor::~HidrawMonitor() = default;

bool HidrawMonitor::udevRuns() { return ::access("/run/udev/control", F_OK) == 0; }

Result<std::unique_ptr<HidrawMonitor>> HidrawMonitor::open(Source source) {
    auto h = std::make_unique<Handles>();
    h->context = udev_new();
    if (h->context == nullptr) return makeError("udev: no context");
    h->monitor = udev_monitor_new_from_netlink(h->context, source == Source::Udev ? "udev" : "kernel");
    if (h->monitor == nullptr) return makeError("udev: the monitor cannot be opened");
    if (udev_monitor_filter_add_match_subsystem_devtype(h->monitor, kSubsystem, nullptr) < 0 ||
        udev_monitor_enable_receiving(h->monitor) < 0)
        return makeError("udev: the monitor cannot listen");
    return std::unique_ptr<HidrawMonitor>(new HidrawMonitor(std::move(h)));
}

int HidrawMonitor::fd() const { return udev_monitor_get_fd(h_->monitor); }

std::vector<HidrawAnnouncement> HidrawMonitor::present() const {
    std::vector<HidrawAnnouncement> out;
    udev_enumerate* e = udev_enumerate_new(h_->context);
    if (e == nullptr) return out;
    udev_enumerate_add_match_subsystem(e, kSubsystem);
    udev_enumerate_scan_devices(e);
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(e)) {
        udev_device* dev = udev_device_new_from_syspath(h_->context, udev_list_entry_get_name(entry));
        if (dev == nullptr) continue;
        out.push_back(announcement(dev));
        udev_device_unref(dev);
    }
    udev_enumerate_unref(e);
    return out;
}

std::optional<HidrawAnnouncement> HidrawMonitor::receive() {
    // The kernel's source is not filtered in the socket: other subsystems are read and dropped.
    while (udev_device* dev = udev_monitor_receive_device(h_->monitor)) {
        const char* subsystem = udev_device_get_subsystem(dev);
        const bool ours = subsystem != nullptr && std::strcmp(subsystem, kSubsystem) == 0;
        std::optional<HidrawAnnouncement> a;
        if (ours) a = announcement(dev);
        udev_device_unref(dev);
        if (a) return a;
    }
    return std::nullopt;
}

}  // namespace varnel
