#pragma once
// A virtual mouse on a virtual bus (with a foreign keyboard next to it), traced, with a link whose
// channels were opened the way discovery opens them. Shared by device and transfer tests.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/discovery.h"
#include "device/protocol.h"
#include "device/trace.h"
#include "device/virtual_bus.h"
#include "device/virtual_mouse.h"

namespace varnel::testing {

inline VirtualMouseOptions mouseOptions(const std::string& model, int interfaces = 1) {
    VirtualMouseOptions o;
    o.model = *parseVirtualModel(model);
    o.vendorInterfaces = interfaces;
    return o;
}

// Refuses, before they reach the bus, the reports a test names: a device that keeps failing in
// one place, which the one-shot faults of the virtual mouse cannot show. `alter` changes a report
// on its way to the mouse (a byte lost on the wire: the mouse accepts and keeps what it got).
class FilterBus final : public HidBus {
public:
    explicit FilterBus(HidBus& inner) : inner_(inner) {}
    std::vector<HidInterfaceInfo> enumerate() override { return inner_.enumerate(); }
    OpenResult open(const std::string& path) override {
        OpenResult r = inner_.open(path);
        if (r.channel) r.channel = std::make_shared<Channel>(r.channel, this);
        return r;
    }
    std::function<bool(const FeatureReport&)> refuse;
    std::function<void(FeatureReport&)> alter;

private:
    struct Channel final : HidChannel {
        Channel(std::shared_ptr<HidChannel> inner, FilterBus* bus) : inner(std::move(inner)), bus(bus) {}
        ReportStatus sendFeatureReport(const FeatureReport& r) override {
            if (bus->refuse && bus->refuse(r)) return ReportStatus::Refused;
            if (!bus->alter) return inner->sendFeatureReport(r);
            FeatureReport changed = r;
            bus->alter(changed);
            return inner->sendFeatureReport(changed);
        }
        ReportStatus getFeatureReport(FeatureReport& r) override {
            return bus->refuse && bus->refuse(r) ? ReportStatus::Refused : inner->getFeatureReport(r);
        }
        std::shared_ptr<HidChannel> inner;
        FilterBus* bus;
    };
    HidBus& inner_;
};

struct VirtualRig {
    explicit VirtualRig(VirtualMouseOptions options)
        : clock(std::make_shared<ManualClock>()),
          mouse(std::make_shared<VirtualMouse>(options, clock)),
          filter(bus),
          traced(filter, options.vendorId, options.productId,
                 [this](std::string_view line) { trace.emplace_back(line); }) {
        bus.addMouse(mouse);
        bus.addForeignKeyboard();
    }
    explicit VirtualRig(const std::string& model, int interfaces = 1) : VirtualRig(mouseOptions(model, interfaces)) {}

    // Opens the mouse as discovery does and forgets the probe lines.
    bool open() {
        OpenOutcome o = OpenDevice(traced, mouse->options().vendorId, mouse->options().productId);
        link.setChannels(o.channels);
        trace.clear();
        return o.found;
    }

    std::shared_ptr<ManualClock> clock;
    std::shared_ptr<VirtualMouse> mouse;
    VirtualBus bus;
    FilterBus filter;
    std::vector<std::string> trace;
    TracingBus traced;
    DeviceLink link;
};

}  // namespace varnel::testing
