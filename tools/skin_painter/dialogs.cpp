// Pictures of the two small dialogs and of the macro event list. The description names their
// controls but leaves the pictures to us, so the names are ours.
#include <QLinearGradient>
#include <QPen>

#include "catalog.h"
#include "style.h"

namespace skinart {

namespace {

// Control places inside both dialogs (the key-combination dialog's are fixed; the rename dialog
// uses the same ones, so one picture layout serves both).
constexpr QRect kTitle{10, 25, 164, 24};
constexpr QRect kEdit{56, 68, 209, 22};
constexpr QRect kConfirm{44, 134, 97, 29};
constexpr QRect kCancel{196, 134, 97, 29};
constexpr QRect kClose{316, 6, 30, 30};

QPolygon dialogShape(QSize s) {
    QPolygon shape;
    const int w = s.width() - 2;
    const int h = s.height() - 2;
    shape << QPoint(18, 1) << QPoint(w - 6, 1) << QPoint(w, 7) << QPoint(w, h - 18) << QPoint(w - 18, h) << QPoint(7, h)
          << QPoint(1, h - 6) << QPoint(1, 18);
    return shape;
}

}  // namespace

QImage dialogBackground(bool withModifierRow) {
    const QSize s = size::kDialog;
    QImage img = canvas(s.width(), s.height());
    img.fill(Qt::black);
    QPainter p;
    beginPaint(p, img);
    QLinearGradient g(0, 0, 0, s.height());
    g.setColorAt(0, QColor(34, 37, 42));
    g.setColorAt(1, QColor(16, 17, 20));
    p.fillRect(img.rect(), g);

    // Title rule under the caption, red at its start.
    QLinearGradient rule(kTitle.left(), 0, s.width() - 12, 0);
    rule.setColorAt(0, ink::kRed);
    rule.setColorAt(0.3, QColor(96, 103, 114));
    rule.setColorAt(1, QColor(96, 103, 114, 0));
    p.setPen(QPen(QBrush(rule), 1.5));
    p.drawLine(QPointF(kTitle.left(), kTitle.bottom() + 3.5), QPointF(s.width() - 12, kTitle.bottom() + 3.5));

    drawWell(p, kEdit);
    if (withModifierRow) {
        // A quiet band behind the four modifier check boxes.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 10));
        p.drawRect(QRectF(kEdit.left() - 6, 94, kEdit.width() + 40, 22));
    }
    for (const QRect& r : {kConfirm, kCancel}) {
        p.drawImage(r.topLeft(), plate(r.width(), r.height(), PlateState::Normal, 8));
    }
    // Close cross.
    p.setPen(QPen(ink::kTextDim, 1.8, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = QRectF(kClose).center();
    p.drawLine(c + QPointF(-5, -5), c + QPointF(5, 5));
    p.drawLine(c + QPointF(5, -5), c + QPointF(-5, 5));

    // Red strips on the two big cut corners, then the neutral rim.
    p.setPen(QPen(ink::kRed, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 22), QPointF(22, 6));
    p.drawLine(QPointF(s.width() - 8, s.height() - 24), QPointF(s.width() - 24, s.height() - 8));
    const QPolygon shape = dialogShape(s);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(4, 5, 6), 5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPolygon(shape);
    p.setPen(QPen(QColor(84, 90, 100), 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPolygon(shape);
    p.end();
    applyWindowOutline(img, shape, {});
    return img;
}

QImage dialogButtonHover() { return plate(kConfirm.width(), kConfirm.height(), PlateState::Hover, 8); }

QImage macroEventIcon(int kind) {
    const int s = size::kEventIcon.width();
    QImage img = canvas(s, s);
    QPainter p;
    beginPaint(p, img);
    if (kind == 0) {
        // Delay: an hourglass.
        QPolygonF glass;
        glass << QPointF(6, 3) << QPointF(18, 3) << QPointF(13.5, 12) << QPointF(18, 21) << QPointF(6, 21)
              << QPointF(10.5, 12);
        p.setPen(QPen(ink::kTextDim, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(glass);
        p.setPen(Qt::NoPen);
        p.setBrush(ink::kRed);
        QPolygonF sand;
        sand << QPointF(8.5, 19.5) << QPointF(15.5, 19.5) << QPointF(12, 15);
        p.drawPolygon(sand);
    } else {
        // Press (kind 1) and release (kind 2): a key cap with an arrow down or up.
        const bool press = kind == 1;
        p.setPen(QPen(press ? ink::kRed : ink::kTextDim, 1.5));
        p.setBrush(press ? QColor(227, 38, 54, 60) : QColor(255, 255, 255, 16));
        p.drawRoundedRect(QRectF(2.5, 5.5, 13, 13), 3, 3);
        p.setPen(QPen(press ? ink::kRedHi : ink::kText, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const qreal x = 19.5;
        if (press) {
            p.drawLine(QPointF(x, 5), QPointF(x, 18));
            p.drawPolyline(QPolygonF({QPointF(x - 3.5, 14.5), QPointF(x, 18), QPointF(x + 3.5, 14.5)}));
        } else {
            p.drawLine(QPointF(x, 19), QPointF(x, 6));
            p.drawPolyline(QPolygonF({QPointF(x - 3.5, 9.5), QPointF(x, 6), QPointF(x + 3.5, 9.5)}));
        }
    }
    p.end();
    return img;
}

}  // namespace skinart
