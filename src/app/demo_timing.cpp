#include "app/demo_timing.h"

#include <QEvent>
#include <algorithm>

namespace varnel {

bool FirstPaint::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::Paint && at_ < 0) at_ = since_.elapsed();
    return QObject::eventFilter(watched, e);
}

StallProbe::StallProbe() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(1);
    connect(&timer_, &QTimer::timeout, this, [this] { longest_ = std::max(longest_, sinceTick_.restart()); });
}

void StallProbe::start() {
    if (timer_.isActive()) return;
    sinceTick_.start();
    timer_.start();
}

void StallProbe::stop() {
    if (timer_.isActive()) longest_ = std::max(longest_, sinceTick_.elapsed());
    timer_.stop();
}

}  // namespace varnel
