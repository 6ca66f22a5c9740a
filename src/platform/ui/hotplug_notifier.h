#pragma once
// Tells the window thread when a HID node with the searched ids comes or goes: the hidraw
// monitor's socket under a socket notifier, its announcements through the hotplug filter.
#include <QObject>
#include <QSocketNotifier>
#include <memory>

#include "device/hotplug.h"
#include "platform/hidraw_monitor.h"

namespace varnel {

class HotplugNotifier : public QObject {
    Q_OBJECT
public:
    HotplugNotifier(std::unique_ptr<HidrawMonitor> monitor, const DeviceIdTable& table, QObject* parent = nullptr);

    // Listens where udev runs; none elsewhere (the caller counts HID interfaces instead).
    static std::unique_ptr<HotplugNotifier> whereUdevRuns(const DeviceIdTable& table);

signals:
    // One or more announcements of searched-for nodes were read.
    void mouseAnnounced();

private:
    void readAnnouncements();

    std::unique_ptr<HidrawMonitor> monitor_;
    HotplugFilter filter_;
    QSocketNotifier notifier_;
};

}  // namespace varnel
