#pragma once
// A Wren RGB 3330 on the virtual bus, identified and ready for a full read or an Apply, as the
// window has it after a plug-in. Shared by the benchmarks.
#include <chrono>
#include <memory>

#include "common/resources.h"
#include "device/virtual_bus.h"
#include "transfers/app_model.h"
#include "transfers/device_read.h"
#include "transfers/virtual_factory.h"

namespace varnel::bench {

inline Bytes embedded(const char* name) {
    auto r = findResource(name);
    return r ? Bytes(r->begin(), r->end()) : Bytes{};
}

struct VirtualSetup {
    explicit VirtualSetup(std::chrono::microseconds latency) {
        VirtualMouseOptions o;
        o.model = *parseVirtualModel("wren-rgb-3330");
        o.latency = latency;
        AppModelConfig config{embedded("VarnelData"), embedded("DefaultFW"), {}};
        mouse = std::make_shared<VirtualMouse>(o, clock);
        (void)mouse->loadMemory(factoryMemory(ChipModel::Wren, config.defaultImages.start(), config.defaultFirmware));
        bus.addMouse(mouse);
        bus.addForeignKeyboard();
        ready = model.start(std::move(config)).ok();
        OpenOutcome opened = OpenDevice(bus, o.vendorId, o.productId);
        model.link().setChannels(opened.channels);
        ready = ready && opened.found;
        ready = ready && identifyMouse(state, model.link(), model.config().defaultImages).ok();
    }
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    std::shared_ptr<VirtualMouse> mouse;
    VirtualBus bus;
    AppState state;
    AppModel model{state, bus, *clock};
    bool ready = false;
};

}  // namespace varnel::bench
