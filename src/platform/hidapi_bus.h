#pragma once
// The real HID bus on Linux (hidapi, hidraw backend). The feature report length of an interface
// comes from its report descriptor in sysfs, since this hidapi has no call for it.
#include <memory>
#include <string>

#include "device/clock.h"
#include "device/hid_bus.h"

namespace varnel {

struct HidapiBusOptions {
    // udev grants access a moment after plug-in: a refused open is retried this often.
    int permissionRetries = 10;
    Millis permissionRetryInterval{100};
    // Where /sys/class/hidraw lives (tests point this at a folder of their own).
    std::string sysClassHidraw = "/sys/class/hidraw";
};

class HidapiBus final : public HidBus {
public:
    explicit HidapiBus(HidapiBusOptions options = {}, std::shared_ptr<Clock> clock = std::make_shared<SteadyClock>());
    ~HidapiBus() override;

    std::vector<HidInterfaceInfo> enumerate() override;
    OpenResult open(const std::string& path) override;

    // The feature report length of the hidraw node at `devicePath` (/dev/hidrawN), 0 when the
    // descriptor cannot be read or declares no feature report.
    std::size_t featureReportLength(const std::string& devicePath) const;

private:
    struct Library;
    std::shared_ptr<Library> library_;
    HidapiBusOptions options_;
    std::shared_ptr<Clock> clock_;
};

}  // namespace varnel
