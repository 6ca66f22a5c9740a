#include "app/loading_window.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "skin/window_geometry.h"

namespace varnel {

namespace {
constexpr int kSegments = 12;
constexpr int kFrameMs = 80;
}  // namespace

LoadingWindow::LoadingWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("FormLoadingUI");
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(kWidth, kHeight);
    animation_.setObjectName("WaitGif");
    animation_.setInterval(kFrameMs);
    connect(&animation_, &QTimer::timeout, this, &LoadingWindow::advance);
    animation_.start();
}

void LoadingWindow::placeOver(const QRect& main) {
    const WindowRect r = busyWindowRect({main.x(), main.y(), main.width(), main.height()}, width(), height());
    move(r.x, r.y);
}

QString LoadingWindow::progressText() const {
    return total_ > 0 ? QStringLiteral("%1 / %2").arg(done_).arg(total_) : QString();
}

void LoadingWindow::setProgress(int done, int total) {
    done_ = done;
    total_ = total;
    update();
}

void LoadingWindow::advance() {
    frame_ = (frame_ + 1) % kSegments;
    update();
}

void LoadingWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath panel;
    panel.addRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 14, 14);
    p.fillPath(panel, QColor(18, 18, 20, 235));
    p.setPen(QPen(QColor(190, 20, 28), 2));
    p.drawPath(panel);

    // A ring of segments; the bright one walks round and leaves a fading trail.
    const QPointF centre(width() / 2.0, 82);
    for (int i = 0; i < kSegments; ++i) {
        const int age = (frame_ - i + kSegments) % kSegments;
        const double angle = 2 * M_PI * i / kSegments - M_PI / 2;
        const QPointF dir(std::cos(angle), std::sin(angle));
        QColor c(230, 30, 40);
        c.setAlpha(std::max(40, 255 - age * 20));
        p.setPen(QPen(c, 7, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(centre + dir * 26, centre + dir * 48);
    }
    const QString progress = progressText();
    if (!progress.isEmpty()) {
        QFont f = font();
        f.setPointSize(11);
        p.setFont(f);
        p.setPen(QColor(240, 240, 240));
        p.drawText(QRect(0, 146, width(), 30), Qt::AlignCenter, progress);
    }
}

}  // namespace varnel
