#pragma once
// Reports paced as a device paces them: one every `interval` on a grid that starts with a
// burst's first report, so a late wake-up on the host (a sleep that overslept, our own work)
// delays no later report as long as it stays within one interval. A host that falls further
// behind starts a new grid at its next report: idle time is never credited to later reports.
#include <chrono>
#include <optional>

namespace varnel {

class ReportPacer {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    explicit ReportPacer(std::chrono::microseconds interval) : interval_(interval) {}
    // When the report that arrives at `arrival` completes; the next report's slot follows it.
    TimePoint complete(TimePoint arrival);

private:
    std::chrono::microseconds interval_;
    std::optional<TimePoint> last_;
};

}  // namespace varnel
