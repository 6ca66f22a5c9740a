#include "app/demo_timing.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QMouseEvent>
#include <QWidget>
#include <algorithm>
#include <cstdio>

#include "app/message_box.h"
#include "skin/skin_tables.h"

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

namespace {

void click(QWidget& target) {
    const QPointF at(3, 3);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, at, target.mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &e);
    }
}

}  // namespace

void tourPages(QWidget& window) {
    // Each page group carries its own copy of the page buttons: click the copy on the group shown.
    // A page that answers with a message (no mouse to show it for) says so on stderr.
    const MessageHandler previous = setMessageHandler([](QWidget*, const QString& text) {
        std::fprintf(stderr, "page tour: %s\n", qPrintable(text));
    });
    int group = skin::kPages.front().group;
    for (const skin::PageInfo& page : skin::kPages) {
        const std::string name = skin::barLabel(page.button, group);
        if (auto* button = window.findChild<QWidget*>(QString::fromStdString(name))) click(*button);
        group = page.group;
        (void)window.grab();  // paints the page as a screen would
    }
    setMessageHandler(previous);
}

long peakResidentKiB() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').front().toLong();
    }
    return -1;
}

}  // namespace varnel
