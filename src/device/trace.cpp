#include "device/trace.h"

namespace varnel {

std::string traceLine(char direction, int interfaceNumber, ReportStatus status, const FeatureReport& bytes) {
    std::string line(1, direction);
    line += std::to_string(interfaceNumber);
    if (status != ReportStatus::Ok) line += '!';
    line += ' ';
    line += reportToHex(bytes);
    return line;
}

namespace {

class TracingChannel final : public HidChannel {
public:
    TracingChannel(std::shared_ptr<HidChannel> inner, int number, std::shared_ptr<TraceSink> sink)
        : inner_(std::move(inner)), number_(number), sink_(std::move(sink)) {}

    ReportStatus sendFeatureReport(const FeatureReport& report) override {
        ReportStatus status = inner_->sendFeatureReport(report);
        (*sink_)(traceLine('S', number_, status, report));
        return status;
    }
    ReportStatus getFeatureReport(FeatureReport& report) override {
        const FeatureReport request = report;
        ReportStatus status = inner_->getFeatureReport(report);
        (*sink_)(traceLine('G', number_, status, status == ReportStatus::Ok ? report : request));
        return status;
    }

private:
    std::shared_ptr<HidChannel> inner_;
    int number_;
    std::shared_ptr<TraceSink> sink_;
};

}  // namespace

TracingBus::TracingBus(HidBus& inner, std::uint16_t vendorId, std::uint16_t productId, TraceSink sink)
    : inner_(inner), vendorId_(vendorId), productId_(productId), sink_(std::make_shared<TraceSink>(std::move(sink))) {}

std::vector<HidInterfaceInfo> TracingBus::enumerate() {
    auto list = inner_.enumerate();
    numbers_.clear();
    int next = 0;
    for (const auto& info : list)
        if (info.vendorId == vendorId_ && info.productId == productId_ &&
            info.featureReportLength == kFeatureReportSize)
            numbers_[info.path] = next++;
    return list;
}

OpenResult TracingBus::open(const std::string& path) {
    OpenResult result = inner_.open(path);
    auto it = numbers_.find(path);
    if (result.status == OpenStatus::Ok && it != numbers_.end())
        result.channel = std::make_shared<TracingChannel>(std::move(result.channel), it->second, sink_);
    return result;
}

}  // namespace varnel
