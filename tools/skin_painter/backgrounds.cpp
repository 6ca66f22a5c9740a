// The three 800 x 600 window backgrounds: frame, brand, content panel and see-through outline.
#include <QLinearGradient>
#include <QPen>
#include <QRadialGradient>

#include "art_texts.h"
#include "catalog.h"
#include "style.h"

namespace skinart {

namespace {

// The window's outline, clockwise: a raised brand tab top left, cut corners, a notch at the bottom.
QPolygon windowShape() {
    QPolygon s;
    s << QPoint(60, 6) << QPoint(400, 6) << QPoint(424, 30) << QPoint(780, 30) << QPoint(794, 44) << QPoint(794, 556)
      << QPoint(756, 594) << QPoint(470, 594) << QPoint(458, 582) << QPoint(342, 582) << QPoint(330, 594)
      << QPoint(44, 594) << QPoint(6, 556) << QPoint(6, 60);
    return s;
}

// See-through vents: slanted slots in the left frame and above the bottom right corner.
QList<QPolygon> windowHoles() {
    QList<QPolygon> holes;
    for (int i = 0; i < 6; ++i) {
        const int y = 214 + i * 18;
        QPolygon slot;
        slot << QPoint(22, y + 12) << QPoint(38, y) << QPoint(38, y + 6) << QPoint(22, y + 18);
        holes << slot;
    }
    for (int i = 0; i < 6; ++i) {
        const int x = 626 + i * 13;
        QPolygon slit;
        slit << QPoint(x, 576) << QPoint(x + 9, 560) << QPoint(x + 14, 560) << QPoint(x + 5, 576);
        holes << slit;
    }
    return holes;
}

void paintBase(QPainter& p) {
    QLinearGradient g(0, 0, 0, 600);
    g.setColorAt(0, QColor(30, 32, 37));
    g.setColorAt(0.45, QColor(20, 22, 25));
    g.setColorAt(1, QColor(12, 13, 15));
    p.fillRect(QRect(0, 0, 800, 600), g);

    // Fine diagonal pinstripes under the brand, fading to the right.
    p.save();
    p.setClipRect(QRect(0, 0, 800, 84));
    for (int x = -100; x < 800; x += 6) {
        const int a = qMax(0, 14 - x / 60);
        p.setPen(QPen(QColor(255, 255, 255, a), 1));
        p.drawLine(QPointF(x, 84), QPointF(x + 84, 0));
    }
    p.restore();

    // A faint red glow behind the content panel's upper left corner.
    QRadialGradient glow(QPointF(150, 110), 320);
    glow.setColorAt(0, QColor(227, 38, 54, 26));
    glow.setColorAt(1, QColor(227, 38, 54, 0));
    p.fillRect(QRect(0, 0, 800, 600), glow);
}

void paintFrame(QPainter& p) {
    const QPolygon shape = windowShape();
    p.save();
    p.setBrush(Qt::NoBrush);
    // Red light strips along the two big cut corners and under the brand tab, set a few pixels in.
    auto strip = [&p](QPointF a, QPointF b) {
        p.setPen(QPen(QColor(227, 38, 54, 60), 7, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(a, b);
        p.setPen(QPen(ink::kRed, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(a, b);
        p.setPen(QPen(QColor(255, 170, 176), 0.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(a, b);
    };
    strip(QPointF(14, 67), QPointF(42, 39));
    strip(QPointF(787, 561), QPointF(761, 587));
    strip(QPointF(403, 15), QPointF(419, 31));

    // The rim comes last and is neutral grey: whatever touches a see-through pixel is rim, never a
    // blend with the key colour or with a red accent.
    const QPen dark(QColor(4, 5, 6), 6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    const QPen rim(QColor(84, 90, 100), 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    for (const QPen& pen : {dark, rim}) {
        p.setPen(pen);
        p.drawPolygon(shape);
        for (const QPolygon& h : windowHoles()) p.drawPolygon(h);
    }
    p.restore();
}

void paintBrand(QPainter& p, const ArtTexts& t) {
    p.save();
    paintBrandMark(p, 1.5);

    QFont word = bodyFont(30, true);
    word.setItalic(true);
    word.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    drawText(p, QRectF(124, 12, 270, 36), QStringLiteral("VARNEL"), word, ink::kText);
    QFont sub = titleFont(9);
    sub.setLetterSpacing(QFont::AbsoluteSpacing, 2.2);
    drawText(p, QRectF(126, 48, 300, 14), t.subtitle, sub, ink::kTextDim);
    p.restore();
}

void paintContentPanel(QPainter& p) {
    const QRectF r(64.5, 86.5, 715, 383);
    const QPolygonF poly = chamferPolygon(r, 0, 16, 0, 16);
    p.save();
    QLinearGradient g(0, r.top(), 0, r.bottom());
    g.setColorAt(0, QColor(22, 24, 28));
    g.setColorAt(1, QColor(15, 16, 19));
    p.setBrush(g);
    p.setPen(QPen(QColor(48, 52, 59), 1));
    p.drawPolygon(poly);
    p.setPen(QPen(QColor(0, 0, 0, 140), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(chamferPolygon(r.adjusted(1, 1, -1, -1), 0, 15, 0, 15));
    // Accent on the top edge, bright at the left and fading out.
    QLinearGradient a(r.left(), 0, r.left() + 360, 0);
    a.setColorAt(0, ink::kRed);
    a.setColorAt(1, QColor(227, 38, 54, 0));
    p.setPen(QPen(QBrush(a), 2));
    p.drawLine(QPointF(r.left() + 1, r.top()), QPointF(r.left() + 360, r.top()));
    p.restore();
}

void paintActionPlate(QPainter& p) {
    const QRectF r(556.5, 40.5, 234, 39);
    p.save();
    p.setBrush(QColor(10, 11, 13, 200));
    p.setPen(QPen(QColor(48, 52, 59), 1));
    p.drawPolygon(chamferPolygon(r, 12, 0, 0, 0));
    // Three slanted marks lead the eye from the brand to the action buttons.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        p.setBrush(QColor(227, 38, 54, 200 - i * 60));
        QPolygonF m;
        const qreal x = 532 - i * 11;
        m << QPointF(x, 70) << QPointF(x + 6, 70) << QPointF(x + 16, 50) << QPointF(x + 10, 50);
        p.drawPolygon(m);
    }
    p.restore();
}

void paintDock(QPainter& p) {
    p.save();
    // A quiet tray behind the two button rows, framed like the content panel.
    const QRectF r(40.5, 472.5, 739, 68);
    QLinearGradient g(0, r.top(), 0, r.bottom());
    g.setColorAt(0, QColor(8, 9, 10, 120));
    g.setColorAt(1, QColor(8, 9, 10, 50));
    p.setBrush(g);
    p.setPen(QPen(QColor(40, 44, 50), 1));
    p.drawPolygon(chamferPolygon(r, 0, 0, 12, 12));
    // A divider between the left (maps, web, profiles) and right (pages, languages) groups.
    QLinearGradient d(0, 476, 0, 536);
    d.setColorAt(0, QColor(227, 38, 54, 0));
    d.setColorAt(0.5, QColor(227, 38, 54, 170));
    d.setColorAt(1, QColor(227, 38, 54, 0));
    p.setPen(QPen(QBrush(d), 1.5));
    p.drawLine(QPointF(413.5, 476), QPointF(413.5, 536));
    // Footer.
    QFont f = titleFont(8);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    drawText(p, QRectF(56, 552, 240, 14), QStringLiteral("Varnel Config  v1.0"), f, ink::kTextFaint);
    p.restore();
}

}  // namespace

QImage windowBackground(int skin) {
    QImage img = canvas(size::kWindow.width(), size::kWindow.height());
    img.fill(Qt::black);
    QPainter p;
    beginPaint(p, img);
    paintBase(p);
    paintContentPanel(p);
    paintActionPlate(p);
    paintDock(p);
    paintBrand(p, artTexts(skin));
    paintFrame(p);
    p.end();
    applyWindowOutline(img, windowShape(), windowHoles());
    return img;
}

}  // namespace skinart
