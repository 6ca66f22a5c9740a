#include "platform/hidapi_bus.h"

#include <hidapi.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <set>

#include "platform/hid_descriptor.h"
#include "platform/udev_rule.h"

namespace varnel {

// hid_init once per bus, hid_exit after the last channel has closed.
struct HidapiBus::Library {
    Library() { ok = hid_init() == 0; }
    ~Library() { hid_exit(); }
    bool ok = false;
};

namespace {

std::string narrow(const wchar_t* w) {
    std::string out;
    if (!w) return out;
    for (; *w; ++w) out += (*w < 0x80) ? static_cast<char>(*w) : '?';
    return out;
}

bool nodeGone(const std::string& path) { return ::access(path.c_str(), F_OK) != 0; }

class HidapiChannel final : public HidChannel {
public:
    HidapiChannel(hid_device* device, std::string path, std::shared_ptr<void> library)
        : device_(device), path_(std::move(path)), library_(std::move(library)) {}
    ~HidapiChannel() override { hid_close(device_); }
    HidapiChannel(const HidapiChannel&) = delete;
    HidapiChannel& operator=(const HidapiChannel&) = delete;

    ReportStatus sendFeatureReport(const FeatureReport& report) override {
        int n = hid_send_feature_report(device_, report.data(), report.size());
        return n >= 0 ? ReportStatus::Ok : failure(errno);
    }
    ReportStatus getFeatureReport(FeatureReport& report) override {
        FeatureReport buffer = report;
        // hidraw passes on whatever the device answered; n is how many bytes that was.
        int n = hid_get_feature_report(device_, buffer.data(), buffer.size());
        if (n < 0) return failure(errno);
        if (!isWholeAnswer(report[0], n, buffer)) return ReportStatus::Refused;
        report = buffer;
        return ReportStatus::Ok;
    }

private:
    // A failed transfer on a node that has left /dev (or a driver saying so) means the mouse is
    // gone, not that it refused this one report.
    ReportStatus failure(int error) const {
        if (error == ENODEV || error == ENXIO || error == ESHUTDOWN || nodeGone(path_)) return ReportStatus::Gone;
        if (error == ETIMEDOUT) return ReportStatus::TimedOut;
        return ReportStatus::Refused;
    }

    hid_device* device_;
    std::string path_;
    std::shared_ptr<void> library_;
};

std::string nodeName(const std::string& devicePath) {
    auto slash = devicePath.rfind('/');
    return slash == std::string::npos ? devicePath : devicePath.substr(slash + 1);
}

}  // namespace

HidapiBus::HidapiBus(HidapiBusOptions options, std::shared_ptr<Clock> clock)
    : library_(std::make_shared<Library>()), options_(std::move(options)), clock_(std::move(clock)) {}

HidapiBus::~HidapiBus() = default;

std::size_t HidapiBus::featureReportLength(const std::string& devicePath) const {
    std::ifstream in(options_.sysClassHidraw + "/" + nodeName(devicePath) + "/device/report_descriptor",
                     std::ios::binary);
    if (!in) return 0;
    Bytes descriptor((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto summary = parseReportDescriptor(descriptor);
    return summary ? summary->featureReportByteLength() : 0;
}

std::vector<HidInterfaceInfo> HidapiBus::enumerate() {
    std::vector<HidInterfaceInfo> list;
    if (!library_->ok) return list;
    hid_device_info* all = hid_enumerate(0, 0);  // NULL when there is no HID device at all
    std::set<std::string> seen;                  // one entry per node, not per top-level collection
    for (hid_device_info* d = all; d; d = d->next) {
        if (!d->path || !seen.insert(d->path).second) continue;
        HidInterfaceInfo info;
        info.path = d->path;
        info.vendorId = d->vendor_id;
        info.productId = d->product_id;
        info.interfaceNumber = d->interface_number;
        info.product = narrow(d->product_string);
        info.featureReportLength = featureReportLength(info.path);
        list.push_back(std::move(info));
    }
    hid_free_enumeration(all);
    return list;
}

OpenResult HidapiBus::open(const std::string& path) {
    if (!library_->ok) return {OpenStatus::Failed, nullptr, "the HID library could not be initialised"};
    bool denied = false;
    for (int attempt = 0; attempt <= options_.permissionRetries; ++attempt) {
        if (attempt > 0) clock_->sleepFor(options_.permissionRetryInterval);
        if (hid_device* device = hid_open_path(path.c_str()))
            return {OpenStatus::Ok, std::make_shared<HidapiChannel>(device, path, library_), {}};
        denied = ::access(path.c_str(), R_OK | W_OK) != 0 && errno == EACCES;
        if (!denied) break;
    }
    if (denied)
        return {OpenStatus::PermissionDenied, nullptr,
                "permission denied opening " + path + " (" + udevRuleAdvice(findUdevRule()) + ")"};
    return {OpenStatus::Failed, nullptr, "cannot open " + path};
}

}  // namespace varnel
