#include "platform/ui/hotplug_notifier.h"

namespace varnel {

HotplugNotifier::HotplugNotifier(std::unique_ptr<HidrawMonitor> monitor, const DeviceIdTable& table, QObject* parent)
    : QObject(parent), monitor_(std::move(monitor)), filter_(table), notifier_(monitor_->fd(), QSocketNotifier::Read) {
    // Nodes present now may leave later: their removal is matched on what they arrived with.
    for (const HidrawAnnouncement& a : monitor_->present()) (void)filter_.concernsMouse(a);
    connect(&notifier_, &QSocketNotifier::activated, this, &HotplugNotifier::readAnnouncements);
}

std::unique_ptr<HotplugNotifier> HotplugNotifier::whereUdevRuns(const DeviceIdTable& table) {
    if (!HidrawMonitor::udevRuns()) return nullptr;
    auto monitor = HidrawMonitor::open(HidrawMonitor::Source::Udev);
    if (!monitor) return nullptr;
    return std::make_unique<HotplugNotifier>(std::move(monitor).value(), table);
}

void HotplugNotifier::readAnnouncements() {
    bool concerns = false;
    while (const auto a = monitor_->receive()) concerns |= filter_.concernsMouse(*a);
    if (concerns) emit mouseAnnounced();
}

}  // namespace varnel
