// One full read or one full Apply (parameters and every macro) of a Wren over the virtual bus at
// a given latency per report, for bench/run:
//
//   varnel-transfer-figures read|apply LATENCY_US
//
// prints "reports wall_s ratio cpu_s": the reports exchanged, the wall time of the transfer, that
// time over reports x latency (0 without latency) and the process's user + system time over it.
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "transfers/device_write.h"
#include "virtual_setup.h"

namespace {

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    const auto s = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return s(u.ru_utime) + s(u.ru_stime);
}

int fail(const char* what) {
    std::fprintf(stderr, "varnel-transfer-figures: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace varnel;
    const std::string_view what = argc == 3 ? argv[1] : "";
    if (what != "read" && what != "apply") return fail("usage: varnel-transfer-figures read|apply LATENCY_US");
    const std::chrono::microseconds latency(std::strtol(argv[2], nullptr, 10));
    bench::VirtualSetup s(latency);
    if (!s.ready) return fail("the virtual mouse was not identified");
    if (what == "apply") {
        if (!readConfiguration(s.state, s.model.link()).ok()) return fail("the read before the Apply failed");
        s.state.MacrosDirty = true;
    }
    const std::uint64_t before = s.mouse->reportCount();
    const double cpuBefore = cpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    const TransferStatus r = what == "read" ? readConfiguration(s.state, s.model.link())
                                            : writeParametersToMouse(s.state, s.model.link());
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    const double cpu = cpuSeconds() - cpuBefore;
    if (!r.ok()) return fail(r.error.message.c_str());
    const auto reports = static_cast<double>(s.mouse->reportCount() - before);
    const double reference = reports * std::chrono::duration<double>(latency).count();
    std::printf("%.0f %.4f %.4f %.4f\n", reports, wall.count(), reference > 0 ? wall.count() / reference : 0.0, cpu);
    return 0;
}
