#pragma once
// Measurements of what users feel: when the window first paints, how long the window's event
// loop is kept from running (a stall) while the device worker is busy, and how much memory the
// window holds at its peak once every page was shown.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace varnel {

// Notes the time of the first paint of the widgets it filters, counted on `since`.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(const QElapsedTimer& since) : since_(since) {}
    qint64 at() const { return at_; }  // -1 until painted

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    const QElapsedTimer& since_;
    qint64 at_ = -1;
};

// A 1 ms timer on the calling thread's event loop; the longest gap between its ticks is the
// longest stall.
class StallProbe : public QObject {
public:
    StallProbe();
    void start();  // does nothing while running
    void stop();
    qint64 longest() const { return longest_; }

private:
    QTimer timer_;
    QElapsedTimer sinceTick_;
    qint64 longest_ = 0;
};

// Shows every page of `window` in turn by clicking its page buttons, each page painted once, as a
// user looking round the window would.
void tourPages(QWidget& window);

// The process's peak resident memory in KiB (VmHWM); -1 when the kernel does not say.
long peakResidentKiB();

}  // namespace varnel
