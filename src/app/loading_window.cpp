#include "app/loading_window.h"

#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <cmath>

#include "skin/window_geometry.h"

namespace varnel {

namespace {
constexpr int kFrameMs = 80;
constexpr qreal kCornerRadius = 14;

QPainterPath panelPath(const QRect& r) {
    QPainterPath panel;
    panel.addRoundedRect(QRectF(r).adjusted(1, 1, -1, -1), kCornerRadius, kCornerRadius);
    return panel;
}
}  // namespace

LoadingWindow::LoadingWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("FormLoadingUI");
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(kWidth, kHeight);
    animation_.setObjectName("WaitGif");
    animation_.setInterval(kFrameMs);
    connect(&animation_, &QTimer::timeout, this, &LoadingWindow::advance);
    // Without a compositor the translucent corners would show black: cut them off, as the main
    // window's outline is cut from its background picture.
    setMask(QRegion(panelPath(rect()).toFillPolygon().toPolygon()));
}

void LoadingWindow::setNote(const QString& note) {
    note_ = note;
    update();
}

void LoadingWindow::placeOver(const QRect& main) {
    const WindowRect r = busyWindowRect({main.x(), main.y(), main.width(), main.height()}, width(), height());
    move(r.x, r.y);
}

QString LoadingWindow::progressText() const {
    return total_ > 0 ? QStringLiteral("%1 / %2").arg(done_).arg(total_) : QString();
}

void LoadingWindow::setProgress(int done, int total) {
    // While the animation runs, its next frame shows the new count: progress arriving faster
    // than the frames causes no paints of its own.
    const bool textShown = total_ > 0;
    done_ = done;
    total_ = total;
    if (!animating() || textShown != (total_ > 0)) update();
}

void LoadingWindow::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    animation_.start();
}

void LoadingWindow::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    animation_.stop();  // a hidden window wakes nobody
}

void LoadingWindow::beginJob(const QRect& mainWindow, bool show) {
    setProgress(0, 0);
    placeOver(mainWindow);
    if (show) this->show();
}

void LoadingWindow::jobProgress(int done, int total, const QRect& mainWindow) {
    setProgress(done, total);
    if (isVisible()) return;
    placeOver(mainWindow);
    show();
}

void LoadingWindow::endJob() {
    hide();
    setProgress(0, 0);
}

void LoadingWindow::advance() {
    frame_ = (frame_ + 1) % kSegments;
    update();
}

const QPixmap& LoadingWindow::backdrop(bool noted, int frame) {
    QPixmap& kept = backdrops_[noted ? 1 : 0][frame];
    const qreal ratio = devicePixelRatioF();
    if (!kept.isNull() && kept.devicePixelRatio() == ratio) return kept;
    kept = QPixmap(size() * ratio);
    kept.setDevicePixelRatio(ratio);
    kept.fill(Qt::transparent);
    QPainter p(&kept);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath panel = panelPath(rect());
    p.fillPath(panel, QColor(18, 18, 20, 235));
    p.setPen(QPen(QColor(190, 20, 28), 2));
    p.drawPath(panel);

    // A ring of segments; the bright one walks round and leaves a fading trail. A note makes it
    // smaller and higher to leave the note room.
    const QPointF centre(width() / 2.0, noted ? 58 : 82);
    const double inner = noted ? 18 : 26, outer = noted ? 36 : 48;
    for (int i = 0; i < kSegments; ++i) {
        const int age = (frame - i + kSegments) % kSegments;
        const double angle = 2 * M_PI * i / kSegments - M_PI / 2;
        const QPointF dir(std::cos(angle), std::sin(angle));
        QColor c(230, 30, 40);
        c.setAlpha(std::max(40, 255 - age * 20));
        p.setPen(QPen(c, 7, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(centre + dir * inner, centre + dir * outer);
    }
    return kept;
}

void LoadingWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool noted = !note_.isEmpty();
    p.setCompositionMode(QPainter::CompositionMode_Source);  // the window's ground is the picture
    p.drawPixmap(0, 0, backdrop(noted, frame_));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QString progress = progressText();
    if (!progress.isEmpty()) {
        QFont f = font();
        f.setPointSize(11);
        p.setFont(f);
        p.setPen(QColor(240, 240, 240));
        p.drawText(QRect(0, noted ? 98 : 146, width(), noted ? 22 : 30), Qt::AlignCenter, progress);
    }
    if (noted) {
        QFont f = font();
        f.setPointSize(9);
        p.setFont(f);
        p.setPen(QColor(240, 240, 240));
        p.drawText(QRect(12, 122, width() - 24, height() - 130), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                   note_);
    }
}

}  // namespace varnel
