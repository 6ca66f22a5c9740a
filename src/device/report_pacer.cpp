#include "device/report_pacer.h"

namespace varnel {

ReportPacer::TimePoint ReportPacer::complete(TimePoint arrival) {
    const bool onGrid = last_ && arrival <= *last_ + interval_;
    last_ = (onGrid ? *last_ : arrival) + interval_;
    return *last_;
}

}  // namespace varnel
