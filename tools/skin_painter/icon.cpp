// The application icon: the brand mark on a graphite plate cut at two corners like the window's
// buttons, drawn on a 256-unit grid and scaled to each size of the desktop's icon theme.
#include <QLinearGradient>
#include <QPen>
#include <QRadialGradient>

#include "catalog.h"
#include "style.h"

namespace skinart {

namespace {

constexpr qreal kGrid = 256;

// Below this size the speed marks and the inner light line would be blur, not detail.
constexpr int kDetailFrom = 48;

void paintPlate(QPainter& p, bool detailed) {
    const QRectF r(12, 12, 232, 232);
    const QPolygonF shape = chamferPolygon(r, 52, 12, 52, 12);
    QLinearGradient fill(0, r.top(), 0, r.bottom());
    fill.setColorAt(0, QColor(48, 52, 59));
    fill.setColorAt(0.55, ink::kBase1);
    fill.setColorAt(1, ink::kBase0);
    p.setPen(QPen(QColor(4, 5, 6), 10, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(fill);
    p.drawPolygon(shape);
    p.setPen(QPen(ink::kLineHi, 4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(shape);
    if (detailed) {
        p.setPen(QPen(QColor(255, 255, 255, 40), 3));
        p.drawLine(QPointF(r.left() + 58, r.top() + 8), QPointF(r.right() - 16, r.top() + 8));
    }
    // The red tick on the cut corners, as on every button.
    p.setPen(QPen(ink::kRed, 10, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawPolyline(QPolygonF{QPointF(r.left(), r.top() + 96), QPointF(r.left(), r.top() + 52),
                             QPointF(r.left() + 52, r.top()), QPointF(r.left() + 96, r.top())});
    p.drawPolyline(QPolygonF{QPointF(r.right(), r.bottom() - 96), QPointF(r.right(), r.bottom() - 52),
                             QPointF(r.right() - 52, r.bottom()), QPointF(r.right() - 96, r.bottom())});
    if (detailed) {
        // The window's speed marks, above the bottom cut.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(227, 38, 54, 150));
        for (int i = 0; i < 4; ++i) {
            const qreal x = 60 + i * 16;
            p.drawPolygon(QPolygonF{QPointF(x + 10, 206), QPointF(x + 17, 206), QPointF(x + 7, 222), QPointF(x, 222)});
        }
    }
}

void paintMark(QPainter& p) {
    QRadialGradient glow(QPointF(128, 124), 92);
    glow.setColorAt(0, QColor(227, 38, 54, 90));
    glow.setColorAt(1, QColor(227, 38, 54, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(128, 124), 92, 92);
    // The mark's box, 68..114 x 17..51, scaled to 156 units wide and centred.
    const qreal scale = 156.0 / 46.0;
    p.save();
    p.translate(128 - 91 * scale, 122 - 34 * scale);
    p.scale(scale, scale);
    paintBrandMark(p, 1.5);
    p.restore();
}

}  // namespace

QImage appIcon(int size) {
    QImage img = canvas(size, size);
    QPainter p;
    beginPaint(p, img);
    p.scale(size / kGrid, size / kGrid);
    paintPlate(p, size >= kDetailFrom);
    paintMark(p);
    p.end();
    return img;
}

std::vector<PictureSpec> iconCatalog() {
    std::vector<PictureSpec> all;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        all.push_back({QStringLiteral("%1x%1").arg(size), [size] { return appIcon(size); }});
    return all;
}

}  // namespace skinart
