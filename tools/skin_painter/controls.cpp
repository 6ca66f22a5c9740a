// Button, bar, check and frame pictures: small, state by state.
#include <QLinearGradient>
#include <QPen>
#include <QRadialGradient>

#include "catalog.h"
#include "style.h"

namespace skinart {

namespace {

PlateState plateFor(ButtonState s) {
    switch (s) {
        case ButtonState::Normal: return PlateState::Normal;
        case ButtonState::Hover: return PlateState::Hover;
        case ButtonState::Pressed: return PlateState::Pressed;
        case ButtonState::Current:
        case ButtonState::Clicked: return PlateState::Active;
    }
    return PlateState::Normal;
}

QColor accentFor(ButtonState s) {
    switch (s) {
        case ButtonState::Normal: return ink::kTextFaint;
        case ButtonState::Hover: return ink::kRedHi;
        default: return QColor(255, 255, 255, 220);
    }
}

// Two slanted stripes, the speed marks in the insets of the page buttons.
void speedMarks(QPainter& p, qreal x, qreal top, qreal bottom, const QColor& c) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    for (int i = 0; i < 2; ++i) {
        const qreal x0 = x + i * 4;
        QPolygonF s;
        s << QPointF(x0 + 3, top) << QPointF(x0 + 5, top) << QPointF(x0 + 2, bottom) << QPointF(x0, bottom);
        p.drawPolygon(s);
    }
    p.restore();
}

// A plate carrying one small filled mark (a socket, a glyph).
QImage markedPlate(QSize size, ButtonState s, qreal cut, const QRectF& mark, const QColor& colour) {
    QImage img = plate(size.width(), size.height(), plateFor(s), cut);
    QPainter p;
    beginPaint(p, img);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRect(mark);
    p.end();
    return img;
}

}  // namespace

QImage actionButton(ButtonState s) {
    return plate(size::kActionButton.width(), size::kActionButton.height(), plateFor(s), 6);
}

QImage pageButton(ButtonState s) {
    return plate(size::kPageButton.width(), size::kPageButton.height(), plateFor(s), 9);
}

QImage keyLabel(ButtonState s) {
    // Socket where the leader line from the mouse picture arrives.
    const qreal h = size::kKeyLabel.height();
    return markedPlate(size::kKeyLabel, s, 8, QRectF(4, h / 2.0 - 4, 2, 8),
                       s == ButtonState::Hover ? ink::kRedHi : QColor(227, 38, 54, 170));
}

QImage webButton(ButtonState s) {
    const int w = size::kWebButton.width();
    const int h = size::kWebButton.height();
    QImage img = plate(w, h, plateFor(s), 9);
    QPainter p;
    beginPaint(p, img);
    const QColor ink = s == ButtonState::Normal ? ink::kTextDim : ink::kText;
    // A globe.
    const QPointF c(28, h / 2.0);
    const qreal r = 7.5;
    p.setPen(QPen(ink, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
    p.drawEllipse(c, r * 0.45, r);
    p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
    p.drawLine(QPointF(c.x() - r * 0.85, c.y() - r * 0.5), QPointF(c.x() + r * 0.85, c.y() - r * 0.5));
    p.drawLine(QPointF(c.x() - r * 0.85, c.y() + r * 0.5), QPointF(c.x() + r * 0.85, c.y() + r * 0.5));
    QFont f = titleFont(11);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 2.5);
    drawText(p, QRectF(42, 0, w - 52, h), QStringLiteral("WWW"), f, ink);
    speedMarks(p, w - 11.5, 8, h - 8, accentFor(s));
    p.end();
    return img;
}

QImage minimiseButton(ButtonState s) {
    // The usual minimise glyph: a short bar low in the plate, red under the pointer.
    const qreal w = size::kMinimiseButton.width();
    const qreal h = size::kMinimiseButton.height();
    return markedPlate(size::kMinimiseButton, s, 6, QRectF(6, h - 8, w - 12, 2),
                       s == ButtonState::Normal  ? ink::kText
                       : s == ButtonState::Hover ? ink::kRedHi
                                                 : QColor(255, 255, 255));
}

QImage macroButton(ButtonState s) {
    return plate(size::kMacroButton.width(), size::kMacroButton.height(), plateFor(s), 6);
}

QImage panelButton(ButtonState s) {
    return plate(size::kPanelButton.width(), size::kPanelButton.height(), plateFor(s), 5);
}

QImage tenStepSegment(SegmentLook look) {
    const int w = size::kTenStep.width();
    const int h = size::kTenStep.height();
    QImage img = canvas(w, h);
    QPainter p;
    beginPaint(p, img);
    // A slanted segment; the gap to the next one is part of the picture.
    // Top, middle and bottom of the fill, and the edge; the nearest step is the lit colours at a
    // third of their strength: a hint, not a value.
    struct Colours {
        QColor top, middle, bottom, edge;
    };
    const Colours c = look == SegmentLook::Lit       ? Colours{{255, 110, 120}, {232, 40, 56}, {150, 16, 30}, {255, 140, 150}}
                      : look == SegmentLook::Nearest ? Colours{{120, 62, 70}, {104, 36, 46}, {70, 24, 32}, {150, 80, 90}}
                                                     : Colours{{56, 60, 68}, {47, 51, 58}, {36, 39, 45}, {78, 84, 94}};
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, c.top);
    g.setColorAt(0.45, c.middle);
    g.setColorAt(1, c.bottom);
    QPolygonF inner;
    inner << QPointF(3.5, 0.5) << QPointF(w - 4.0, 0.5) << QPointF(w - 6.5, h - 0.5) << QPointF(0.5, h - 0.5);
    p.setPen(QPen(c.edge, 1));
    p.setBrush(g);
    p.drawPolygon(inner);
    p.end();
    return img;
}

QImage dpiStepSegment(bool lit) {
    const int w = size::kDpiStep.width();
    const int h = size::kDpiStep.height();
    QImage img = canvas(w, h);
    QPainter p;
    beginPaint(p, img);
    // Five rows of colour and one transparent row on top: stacked steps read as separate bars.
    const QRectF r(0.5, 1.5, w - 1.0, h - 2.0);
    QLinearGradient g(0, 0, w, 0);
    if (lit) {
        g.setColorAt(0, QColor(170, 18, 34));
        g.setColorAt(0.5, QColor(255, 70, 84));
        g.setColorAt(1, QColor(170, 18, 34));
        p.setPen(QPen(QColor(255, 130, 140), 1));
    } else {
        g.setColorAt(0, QColor(40, 43, 49));
        g.setColorAt(0.5, QColor(54, 58, 66));
        g.setColorAt(1, QColor(40, 43, 49));
        p.setPen(QPen(QColor(70, 75, 84), 1));
    }
    p.setBrush(g);
    p.drawPolygon(chamferPolygon(r, 1.5, 1.5, 1.5, 1.5));
    p.end();
    return img;
}

QImage checkBox(bool on) {
    const int s = size::kCheck.width();
    QImage img = canvas(s, s);
    QPainter p;
    beginPaint(p, img);
    const QRectF r(1.5, 1.5, s - 3.0, s - 3.0);
    if (on) {
        QLinearGradient g(0, 0, 0, s);
        g.setColorAt(0, QColor(250, 70, 84));
        g.setColorAt(1, QColor(170, 18, 34));
        p.setBrush(g);
        p.setPen(QPen(QColor(255, 130, 140), 1));
        p.drawPolygon(chamferPolygon(r, 3, 0, 3, 0));
        QPen tick(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(tick);
        p.setBrush(Qt::NoBrush);
        QPolygonF mark;
        mark << QPointF(4.5, 8.2) << QPointF(7.0, 10.8) << QPointF(11.8, 5.2);
        p.drawPolyline(mark);
    } else {
        p.setBrush(QColor(22, 24, 28));
        p.setPen(QPen(QColor(104, 110, 120), 1));
        p.drawPolygon(chamferPolygon(r, 3, 0, 3, 0));
    }
    p.end();
    return img;
}

QImage optionMark(bool on) {
    const int s = size::kCheck.width();
    QImage img = canvas(s, s);
    QPainter p;
    beginPaint(p, img);
    const QPointF c(s / 2.0, s / 2.0);
    p.setBrush(QColor(22, 24, 28));
    p.setPen(QPen(on ? ink::kRed : QColor(104, 110, 120), 1.4));
    p.drawEllipse(c, 6.6, 6.6);
    if (on) {
        QRadialGradient g(c, 4.2);
        g.setColorAt(0, QColor(255, 150, 158));
        g.setColorAt(0.6, QColor(236, 44, 60));
        g.setColorAt(1, QColor(180, 20, 36));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(c, 3.8, 3.8);
    }
    p.end();
    return img;
}

QImage colourFrame() {
    const int w = size::kColourFrame.width();
    const int h = size::kColourFrame.height();
    QImage img = canvas(w, h);
    QPainter p;
    beginPaint(p, img);
    // The swatch colour shows through the clear middle.
    QPainterPath frame = chamferPath(QRectF(0, 0, w, h), 5, 0, 5, 0);
    frame.addRect(QRectF(3, 3, w - 6, h - 6));
    frame.setFillRule(Qt::OddEvenFill);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(92, 98, 108));
    g.setColorAt(1, QColor(48, 52, 59));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(frame);
    p.setPen(QPen(QColor(0, 0, 0, 160), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(3.5, 3.5, w - 7.0, h - 7.0));
    p.setPen(QPen(ink::kRed, 1.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(0.8, 9), QPointF(0.8, 5));
    p.drawLine(QPointF(0.8, 5), QPointF(5, 0.8));
    p.drawLine(QPointF(5, 0.8), QPointF(10, 0.8));
    p.end();
    return img;
}

}  // namespace skinart
