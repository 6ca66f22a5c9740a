// What a user waits for after plugging in a Wren mouse: the full read (4916 reports) over the
// virtual bus, once with no device latency (our own cost per report) and once with 1 ms per
// report (the total against reports x 1 ms).
#include <benchmark/benchmark.h>

#include <chrono>

#include "virtual_setup.h"

namespace varnel {
namespace {

using Setup = bench::VirtualSetup;

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
