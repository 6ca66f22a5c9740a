#include "device/report_pacer.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(ReportPacer, CompletesOnTheGridUntilTheHostFallsAWholeSlotBehind) {
    using us = std::chrono::microseconds;
    struct Step {
        long arrival, completes;  // microseconds
    };
    const Step steps[] = {
        {0, 1000},     // a burst starts: one interval from the first arrival
        {1060, 2000},  // the host woke 60 late: the next slot is still on the grid
        {2990, 3000},  // the host used nearly the whole slot
        {3000, 4000},
        {3500, 5000},  // arrives while the last one is in flight: after it
        {6000, 6000},  // a whole slot late: its slot ends as it arrives, still on the grid
        {8001, 9001},  // more than a slot late: a new grid, the lateness is not credited
        {60000, 61000},
    };
    ReportPacer pacer(us(1000));
    const ReportPacer::TimePoint t0;
    for (const Step& s : steps)
        EXPECT_EQ(pacer.complete(t0 + us(s.arrival)) - t0, us(s.completes)) << "arrival " << s.arrival;
}

}  // namespace
}  // namespace varnel
