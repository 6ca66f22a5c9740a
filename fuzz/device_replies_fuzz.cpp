// Device replies: a virtual mouse whose answers the input rewrites, through identification and a
// full read. Byte 0 picks the mouse (variant, lighting, sensor, one or two interfaces); every
// later byte is an order for the next report exchanged:
//   bits 0..2  0 pass this and (bits 3..7)^2 more reports untouched, 1 refuse it, 2 unplug,
//              3 a get answers the next 7 input bytes after its report id, 4 a get answers with
//              the next input byte as report id, 5 a get answers only its first (next byte % 8)
//              bytes (the rest stays as requested), 6 a get answers the next 8 input bytes,
//              7 pass.
// When the orders run out the mouse answers truly.
#include <algorithm>
#include <memory>

#include "common/resources.h"
#include "device/clock.h"
#include "device/virtual_bus.h"
#include "device/virtual_mouse.h"
#include "profiles/image_builder.h"
#include "transfers/app_model.h"
#include "transfers/virtual_factory.h"

namespace {

using namespace varnel;

class Orders {
public:
    Orders(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }
    bool done() const { return at_ >= size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

class HostileChannel final : public HidChannel {
public:
    HostileChannel(std::shared_ptr<HidChannel> inner, Orders& orders, std::uint64_t& passes, bool& gone)
        : inner_(std::move(inner)), orders_(orders), passes_(passes), gone_(gone) {}

    ReportStatus sendFeatureReport(const FeatureReport& r) override {
        switch (order()) {
            case 1: return ReportStatus::Refused;
            case 2: return ReportStatus::Gone;
            default: return inner_->sendFeatureReport(r);
        }
    }

    ReportStatus getFeatureReport(FeatureReport& r) override {
        const std::uint8_t o = order();
        if (o == 1) return ReportStatus::Refused;
        if (o == 2) return ReportStatus::Gone;
        const FeatureReport request = r;
        const ReportStatus s = inner_->getFeatureReport(r);
        if (s != ReportStatus::Ok) return s;
        switch (o) {
            case 3:
                for (std::size_t i = 1; i < r.size(); ++i) r[i] = orders_.next();
                break;
            case 4: r[0] = orders_.next(); break;
            case 5: {
                const auto kept = static_cast<std::ptrdiff_t>(orders_.next() % 8);
                std::copy(request.begin() + kept, request.end(), r.begin() + kept);
                break;
            }
            case 6:
                for (auto& b : r) b = orders_.next();
                break;
            default: break;
        }
        return ReportStatus::Ok;
    }

private:
    std::uint8_t order() {
        if (gone_) return 2;
        if (passes_ > 0 || orders_.done()) {
            if (passes_ > 0) --passes_;
            return 0;
        }
        const std::uint8_t b = orders_.next();
        const std::uint8_t o = b & 7;
        if (o == 0) passes_ = static_cast<std::uint64_t>(b >> 3) * (b >> 3);
        if (o == 2) gone_ = true;
        return o;
    }

    std::shared_ptr<HidChannel> inner_;
    Orders& orders_;
    std::uint64_t& passes_;
    bool& gone_;
};

class HostileBus final : public HidBus {
public:
    HostileBus(HidBus& inner, Orders& orders) : inner_(inner), orders_(orders) {}
    std::vector<HidInterfaceInfo> enumerate() override {
        return gone_ ? std::vector<HidInterfaceInfo>{} : inner_.enumerate();
    }
    OpenResult open(const std::string& path) override {
        OpenResult r = inner_.open(path);
        if (r.channel) r.channel = std::make_shared<HostileChannel>(r.channel, orders_, passes_, gone_);
        return r;
    }

private:
    HidBus& inner_;
    Orders& orders_;
    std::uint64_t passes_ = 0;
    bool gone_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t pick = data[0];
    VirtualMouseOptions options;
    options.model.chip = (pick & 1) ? ChipModel::Lark : ChipModel::Wren;
    options.model.rgb = (pick & 2) == 0;
    options.model.sensorCode = kSensorTable[(pick >> 2) % kSensorTable.size()].code;
    options.vendorInterfaces = (pick & 0x80) ? 2 : 1;

    static const Bytes kWrenImage = resourceCopy("VarnelData");
    static const Bytes kLarkImage = buildLarkDefaultImage(kOurVendorId, kOurProductId, {0xFF, 0xFF});
    static const Bytes kFirmware = resourceCopy("DefaultFW");
    const Bytes& image = options.model.chip == ChipModel::Wren ? kWrenImage : kLarkImage;

    auto clock = std::make_shared<ManualClock>();
    auto mouse = std::make_shared<VirtualMouse>(options, clock);
    if (!mouse->loadMemory(factoryMemory(options.model.chip, image, kFirmware))) __builtin_trap();
    VirtualBus bus;
    bus.addMouse(mouse);
    Orders orders(data + 1, size - 1);
    HostileBus hostile(bus, orders);

    AppState state;
    AppModel model(state, hostile, *clock);
    if (!model.start({image, kFirmware, {}})) __builtin_trap();
    (void)model.runSearch(model.ReFindDev());
    return 0;
}
