// What a user waits for after plugging in a Wren mouse: the full read (4916 reports) over the
// virtual bus, once with no device latency (our own cost per report) and once with 1 ms per
// report (the total against reports x 1 ms).
#include <benchmark/benchmark.h>

#include <chrono>

#include "common/resources.h"
#include "device/virtual_bus.h"
#include "transfers/app_model.h"
#include "transfers/virtual_factory.h"

namespace varnel {
namespace {

Bytes embedded(const char* name) {
    auto r = findResource(name);
    return r ? Bytes(r->begin(), r->end()) : Bytes{};
}

struct Setup {
    explicit Setup(std::chrono::microseconds latency) {
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

void BM_FullWrenRead(benchmark::State& st) {
    Setup s(std::chrono::microseconds(0));
    if (!s.ready) {
        st.SkipWithError("virtual mouse not identified");
        return;
    }
    const double reports = static_cast<double>(fullReadCost(ChipModel::Wren));
    for (auto _ : st) {
        TransferStatus r = readConfiguration(s.state, s.model.link());
        if (!r.ok()) st.SkipWithError(r.error.message.c_str());
        benchmark::DoNotOptimize(r);
    }
    st.counters["reports/s"] = benchmark::Counter(reports, benchmark::Counter::kIsIterationInvariantRate);
    st.counters["cpu_s/report"] =
        benchmark::Counter(reports, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FullWrenRead)->Unit(benchmark::kMillisecond);

void BM_FullWrenReadOneMsPerReport(benchmark::State& st) {
    Setup s(std::chrono::milliseconds(1));
    if (!s.ready) {
        st.SkipWithError("virtual mouse not identified");
        return;
    }
    const auto reports = static_cast<double>(fullReadCost(ChipModel::Wren));
    for (auto _ : st) {
        auto start = std::chrono::steady_clock::now();
        TransferStatus r = readConfiguration(s.state, s.model.link());
        if (!r.ok()) st.SkipWithError(r.error.message.c_str());
        benchmark::DoNotOptimize(r);
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        st.SetIterationTime(took.count());
        st.counters["reports_x_1ms_s"] = reports / 1000.0;
        st.counters["total_over_latency"] = took.count() / (reports / 1000.0);
    }
}
BENCHMARK(BM_FullWrenReadOneMsPerReport)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varnel
