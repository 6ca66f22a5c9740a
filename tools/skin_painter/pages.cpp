// Page pictures. Each is drawn in window coordinates (the painter is shifted by the page's
// designed origin, the P1..P5 points of the layout file), so the art lines up with the controls
// the layout places on top of it.
#include <QLinearGradient>
#include <QPen>
#include <QRadialGradient>
#include <QTextOption>

#include "art_texts.h"
#include "catalog.h"
#include "style.h"

namespace skinart {

namespace {

constexpr QPoint kMapOrigin{174, 131};
constexpr QPoint kAdvancedOrigin{88, 92};
constexpr QPoint kBreathingOrigin{112, 128};
constexpr QPoint kMacroOrigin{112, 136};
constexpr QPoint kUpdateOrigin{160, 184};

// A page canvas with the painter already shifted to window coordinates.
struct PageCanvas {
    QImage img;
    QPainter p;
    PageCanvas(QSize size, QPoint origin) : img(canvas(size.width(), size.height())) {
        beginPaint(p, img);
        p.translate(-origin);
    }
    QImage finish() {
        p.end();
        return img;
    }
};

void wrappedText(QPainter& p, const QRectF& box, const QString& text, int pixelSize, const QColor& colour) {
    p.save();
    p.setFont(bodyFont(pixelSize));
    p.setPen(colour);
    p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    p.restore();
}

// Text beside a control: vertically centred on the control's row.
void rowText(QPainter& p, qreal x, qreal top, qreal height, const QString& text, int flags = Qt::AlignLeft,
             qreal width = 200, int pixelSize = 12, const QColor& colour = ink::kText) {
    drawText(p, QRectF(flags & Qt::AlignRight ? x - width : x, top, width, height), text, bodyFont(pixelSize), colour,
             flags | Qt::AlignVCenter);
}

// ---- Button map page: the mouse and its leader lines ----------------------------------------

QPainterPath mouseBody() {
    // Symmetric about x = 263: side buttons may go on either flank.
    QPainterPath body;
    body.moveTo(263, 146);
    body.cubicTo(292, 146, 314, 151, 318, 170);
    body.cubicTo(323, 192, 321, 228, 321, 250);
    body.cubicTo(321, 282, 335, 318, 335, 360);
    body.cubicTo(335, 414, 306, 448, 263, 448);
    body.cubicTo(220, 448, 191, 414, 191, 360);
    body.cubicTo(191, 318, 205, 282, 205, 250);
    body.cubicTo(205, 228, 203, 192, 208, 170);
    body.cubicTo(212, 151, 234, 146, 263, 146);
    body.closeSubpath();
    return body;
}

// Right edge of the body at height y.
qreal rightEdgeAt(const QPainterPath& body, qreal y) {
    QPainterPath band;
    band.addRect(QRectF(0, y - 0.5, 800, 1));
    return body.intersected(band).boundingRect().right();
}

struct Leader {
    int key;
    QList<QPointF> points;  // from the mouse button to the label
};

// One line per button. They never cross: sources are ordered as the labels are (Key4's label sits
// in the second column, so its line runs in the gap under Key1's label).
QList<Leader> leaders(qreal side9, qreal side6, qreal side5) {
    return {
        {1, {{226, 200}, {226, 139}, {232, 133}, {377, 133}}},
        {4, {{263, 163}, {263, 153}, {555, 153}, {576, 132}, {578, 132}}},
        {2, {{300, 188}, {359, 188}, {374, 173}, {377, 173}}},
        {3, {{263, 203}, {361, 203}, {374, 216}, {377, 216}}},
        {7, {{263, 240}, {357, 240}, {374, 257}, {377, 257}}},
        {8, {{263, 262}, {335, 262}, {374, 301}, {377, 301}}},
        {9, {{side9, 339}, {377, 339}}},
        {6, {{side6, 382}, {377, 382}}},
        {5, {{side5, 422}, {377, 422}}},
    };
}

void paintMouse(QPainter& p, const QPainterPath& body, const QList<QRectF>& sideButtons) {
    p.save();
    // Glow on the desk and a soft shadow.
    // The glow fades out well inside the picture, so no edge of the picture shows on the page.
    p.save();
    p.translate(263, 300);
    p.scale(0.52, 1.0);
    QRadialGradient glow(QPointF(0, 0), 160);
    glow.setColorAt(0, QColor(227, 38, 54, 50));
    glow.setColorAt(0.6, QColor(227, 38, 54, 16));
    glow.setColorAt(1, QColor(227, 38, 54, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(0, 0), 160, 160);
    p.restore();
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawPath(body.translated(4, 6));

    // Shell.
    QLinearGradient shell(191, 0, 335, 0);
    shell.setColorAt(0, QColor(30, 33, 38));
    shell.setColorAt(0.42, QColor(58, 63, 71));
    shell.setColorAt(1, QColor(24, 26, 30));
    p.setBrush(shell);
    p.setPen(QPen(QColor(96, 103, 114), 1.4));
    p.drawPath(body);
    QRadialGradient sheen(QPointF(240, 210), 110);
    sheen.setColorAt(0, QColor(255, 255, 255, 34));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawPath(body);

    p.setClipPath(body);
    // Red light strip inside the left flank and round the rear.
    QPainterPath inner = body;
    QTransform t;
    t.translate(263, 300);
    t.scale(0.9, 0.93);
    t.translate(-263, -300);
    inner = t.map(body);
    p.save();
    p.setClipRect(QRectF(150, 292, 240, 200), Qt::IntersectClip);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(227, 38, 54, 70), 6));
    p.drawPath(inner);
    p.setPen(QPen(ink::kRed, 1.8));
    p.drawPath(inner);
    p.restore();

    // Grooves: between the main buttons, and their rear edge.
    QPen groove(QColor(8, 9, 11), 2.2, Qt::SolidLine, Qt::RoundCap);
    p.setPen(groove);
    p.drawLine(QPointF(263, 146), QPointF(263, 276));
    QPainterPath rear;
    rear.moveTo(200, 254);
    rear.quadTo(263, 300, 326, 254);
    p.setBrush(Qt::NoBrush);
    p.drawPath(rear);
    p.setPen(QPen(QColor(255, 255, 255, 24), 1));
    p.drawLine(QPointF(264.8, 148), QPointF(264.8, 180));
    p.setClipping(false);

    // Wheel.
    QRectF wheel(256.5, 183.5, 13, 39);
    QLinearGradient wg(0, wheel.top(), 0, wheel.bottom());
    wg.setColorAt(0, QColor(40, 43, 49));
    wg.setColorAt(0.5, QColor(92, 98, 108));
    wg.setColorAt(1, QColor(40, 43, 49));
    p.setBrush(QColor(8, 9, 11));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(wheel.adjusted(-2, -2, 2, 2), 5, 5);
    p.setBrush(wg);
    p.setPen(QPen(QColor(227, 38, 54, 160), 1));
    p.drawRoundedRect(wheel, 5, 5);
    p.setPen(QPen(QColor(20, 22, 25), 1));
    for (qreal y = wheel.top() + 5; y < wheel.bottom() - 3; y += 4) p.drawLine(QPointF(259, y), QPointF(267, y));

    // Small top buttons: one in front of the wheel, two behind it.
    auto nub = [&p](QRectF r) {
        QLinearGradient g(0, r.top(), 0, r.bottom());
        g.setColorAt(0, QColor(86, 92, 102));
        g.setColorAt(1, QColor(38, 41, 47));
        p.setBrush(QColor(8, 9, 11));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(r.adjusted(-1.5, -1.5, 1.5, 1.5), 4, 4);
        p.setBrush(g);
        p.setPen(QPen(QColor(120, 128, 140), 0.8));
        p.drawRoundedRect(r, 3.5, 3.5);
    };
    nub(QRectF(258.5, 157, 9, 12));
    nub(QRectF(258.5, 232, 9, 16));
    nub(QRectF(258.5, 254, 9, 16));

    // Side buttons along the right flank.
    for (const QRectF& r : sideButtons) nub(r);

    // Palm logo.
    QPolygonF l;
    l << QPointF(249, 352) << QPointF(254, 352) << QPointF(261, 370) << QPointF(257, 374);
    QPolygonF r;
    r << QPointF(272, 352) << QPointF(277, 352) << QPointF(263, 376) << QPointF(261, 370) << QPointF(264, 364);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(227, 38, 54, 70));
    p.drawEllipse(QPointF(263, 364), 18, 16);
    p.setBrush(ink::kRed);
    p.drawPolygon(l);
    p.setBrush(QColor(220, 222, 226));
    p.drawPolygon(r);
    p.restore();
}

void paintLeaders(QPainter& p, const QList<Leader>& lines) {
    p.save();
    p.setBrush(Qt::NoBrush);
    for (const Leader& l : lines) {
        QPolygonF poly;
        for (const QPointF& pt : l.points) poly << pt;
        p.setPen(QPen(QColor(0, 0, 0, 170), 3.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(poly);
        p.setPen(QPen(QColor(236, 60, 74), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(poly);
    }
    for (const Leader& l : lines) {
        // A ring on the button, a small bar where the line meets the label.
        const QPointF s = l.points.front();
        p.setPen(QPen(QColor(0, 0, 0, 170), 1));
        p.setBrush(ink::kRed);
        p.drawEllipse(s, 4.0, 4.0);
        p.setBrush(Qt::white);
        p.setPen(Qt::NoPen);
        p.drawEllipse(s, 1.6, 1.6);
        const QPointF e = l.points.back();
        p.setBrush(ink::kRedHi);
        p.drawRect(QRectF(e.x() - 2, e.y() - 3, 2, 6));
    }
    p.restore();
}

// ---- Small icons -------------------------------------------------------------------------------

void iconPointer(QPainter& p, QPointF at) {
    QPolygonF a;
    a << QPointF(0, 0) << QPointF(0, 15) << QPointF(4, 11) << QPointF(7, 17) << QPointF(9.5, 16) << QPointF(6.5, 10)
      << QPointF(11, 10);
    p.save();
    p.translate(at);
    p.setPen(QPen(ink::kTextDim, 1.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(227, 38, 54, 90));
    p.drawPolygon(a);
    p.restore();
}

void iconDoubleClick(QPainter& p, QPointF at) {
    p.save();
    p.translate(at);
    p.setPen(QPen(ink::kTextDim, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(3, 2, 11, 16), 5, 5);
    p.drawLine(QPointF(8.5, 2), QPointF(8.5, 8));
    p.setPen(QPen(ink::kRed, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(-2, -3, 10, 10), 100 * 16, 90 * 16);
    p.drawArc(QRectF(-5, -6, 16, 16), 100 * 16, 90 * 16);
    p.restore();
}

void iconScroll(QPainter& p, QPointF at) {
    p.save();
    p.translate(at);
    p.setPen(QPen(ink::kTextDim, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(4, 0, 9, 18), 4.5, 4.5);
    p.setPen(QPen(ink::kRed, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8.5, 5), QPointF(8.5, 9));
    p.setPen(QPen(ink::kTextDim, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPolygonF up;
    up << QPointF(15.5, 4) << QPointF(18, 1) << QPointF(20.5, 4);
    QPolygonF down;
    down << QPointF(15.5, 14) << QPointF(18, 17) << QPointF(20.5, 14);
    p.drawPolyline(up);
    p.drawPolyline(down);
    p.restore();
}

// Icons beside the macro page buttons, 14 x 14 at `at`.
enum class MacroIcon { Record, Delete, Insert, Clear, Save, Rename, ExportOne, ExportAll, ImportOne, ImportAll };

void macroIcon(QPainter& p, QPointF at, MacroIcon icon) {
    p.save();
    p.translate(at);
    const QPen line(ink::kTextDim, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(line);
    p.setBrush(Qt::NoBrush);
    auto arrow = [&p](qreal x, bool up) {
        const qreal tip = up ? 1 : 12;
        const qreal tail = up ? 10 : 3;
        p.drawLine(QPointF(x, tail), QPointF(x, tip));
        const qreal d = up ? 3 : -3;
        p.drawLine(QPointF(x - 3, tip + d), QPointF(x, tip));
        p.drawLine(QPointF(x + 3, tip + d), QPointF(x, tip));
    };
    switch (icon) {
        case MacroIcon::Record:
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(227, 38, 54, 80));
            p.drawEllipse(QPointF(7, 7), 7, 7);
            p.setBrush(ink::kRed);
            p.drawEllipse(QPointF(7, 7), 4.5, 4.5);
            break;
        case MacroIcon::Delete:
            p.drawLine(QPointF(3, 3), QPointF(11, 11));
            p.drawLine(QPointF(11, 3), QPointF(3, 11));
            break;
        case MacroIcon::Insert:
            p.drawLine(QPointF(7, 2), QPointF(7, 12));
            p.drawLine(QPointF(2, 7), QPointF(12, 7));
            break;
        case MacroIcon::Clear:
            p.drawEllipse(QPointF(7, 7), 5.5, 5.5);
            p.drawLine(QPointF(3.2, 10.8), QPointF(10.8, 3.2));
            break;
        case MacroIcon::Save:
            p.drawRect(QRectF(1.5, 1.5, 11, 11));
            p.drawRect(QRectF(4, 1.5, 6, 4));
            p.setPen(QPen(ink::kRed, 1.4));
            p.drawLine(QPointF(4, 9.5), QPointF(10, 9.5));
            break;
        case MacroIcon::Rename:
            p.drawLine(QPointF(3, 11), QPointF(11, 3));
            p.drawLine(QPointF(2, 12), QPointF(4.5, 11.5));
            p.setPen(QPen(ink::kRed, 1.4));
            p.drawLine(QPointF(1, 13.5), QPointF(13, 13.5));
            break;
        case MacroIcon::ExportOne:
            p.drawPolyline(QPolygonF({QPointF(2, 8), QPointF(2, 13), QPointF(12, 13), QPointF(12, 8)}));
            p.setPen(QPen(ink::kRed, 1.4, Qt::SolidLine, Qt::RoundCap));
            arrow(7, true);
            break;
        case MacroIcon::ExportAll:
            p.drawPolyline(QPolygonF({QPointF(1, 8), QPointF(1, 13), QPointF(13, 13), QPointF(13, 8)}));
            p.setPen(QPen(ink::kRed, 1.4, Qt::SolidLine, Qt::RoundCap));
            arrow(4.5, true);
            arrow(9.5, true);
            break;
        case MacroIcon::ImportOne:
            p.drawPolyline(QPolygonF({QPointF(2, 8), QPointF(2, 13), QPointF(12, 13), QPointF(12, 8)}));
            p.setPen(QPen(ink::kRed, 1.4, Qt::SolidLine, Qt::RoundCap));
            arrow(7, false);
            break;
        case MacroIcon::ImportAll:
            p.drawPolyline(QPolygonF({QPointF(1, 8), QPointF(1, 13), QPointF(13, 13), QPointF(13, 8)}));
            p.setPen(QPen(ink::kRed, 1.4, Qt::SolidLine, Qt::RoundCap));
            arrow(4.5, false);
            arrow(9.5, false);
            break;
    }
    p.restore();
}

void iconClock(QPainter& p, QPointF centre, qreal r) {
    p.save();
    p.setPen(QPen(ink::kTextDim, 1.6));
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(centre, r, r);
    for (int i = 0; i < 12; ++i) {
        QTransform t;
        t.translate(centre.x(), centre.y());
        t.rotate(i * 30);
        p.setPen(QPen(i % 3 == 0 ? ink::kText : ink::kTextFaint, 1.2));
        p.drawLine(t.map(QPointF(0, -r + 2)), t.map(QPointF(0, -r + (i % 3 == 0 ? 5 : 3.5))));
    }
    p.setPen(QPen(ink::kText, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(0, -r * 0.6));
    p.setPen(QPen(ink::kRed, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(r * 0.55, r * 0.25));
    p.restore();
}

void iconKeyCap(QPainter& p, QRectF r) {
    p.save();
    p.setPen(QPen(ink::kTextDim, 1.4));
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(r, 3, 3);
    p.drawRoundedRect(r.adjusted(3, 2, -3, -5), 2, 2);
    p.setPen(QPen(ink::kRed, 1.6, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = r.adjusted(3, 2, -3, -5).center();
    p.drawLine(c + QPointF(-3, 0), c + QPointF(3, 0));
    p.drawLine(c + QPointF(0, -3), c + QPointF(0, 3));
    p.restore();
}

}  // namespace

QImage mapPage(int skin, bool withHint) {
    const ArtTexts& t = artTexts(skin);
    PageCanvas c(size::kMapPage, kMapOrigin);
    QPainter& p = c.p;
    const QPainterPath body = mouseBody();
    const qreal e9 = rightEdgeAt(body, 339);
    const qreal e6 = rightEdgeAt(body, 382);
    const qreal e5 = rightEdgeAt(body, 422);
    const QList<QRectF> side = {QRectF(e9 - 9, 328, 6, 22), QRectF(e6 - 9, 371, 6, 22), QRectF(e5 - 10, 413, 6, 18)};
    paintMouse(p, body, side);
    paintLeaders(p, leaders(e9 - 6, e6 - 6, e5 - 7));
    if (withHint) rowText(p, 380, 444, 16, t.mapHint, Qt::AlignLeft, 380, 11, ink::kTextFaint);
    return c.finish();
}

QImage advancedPage(int skin) {
    const ArtTexts& t = artTexts(skin);
    PageCanvas c(size::kAdvancedPage, kAdvancedOrigin);
    QPainter& p = c.p;

    // Mouse settings: fire key timing and report rate.
    drawCard(p, QRectF(96, 96, 428, 138));
    drawSectionTitle(p, QPointF(108, 100), t.fireKey, 512);
    rowText(p, 194, 120, 20, t.repeatCount, Qt::AlignRight, 90);
    rowText(p, 194, 144, 20, t.interval, Qt::AlignRight, 90);
    drawWell(p, QRectF(200, 120, 44, 20));
    drawWell(p, QRectF(200, 144, 44, 20));
    rowText(p, 251, 144, 20, t.milliseconds, Qt::AlignLeft, 40, 12, ink::kTextDim);
    wrappedText(p, QRectF(300, 121, 212, 48), t.fireKeyHint, 10, ink::kTextFaint);
    drawSectionTitle(p, QPointF(108, 184), t.reportRate, 512);
    rowText(p, 143, 209, 18, t.rate1000, Qt::AlignLeft, 90, 13);
    rowText(p, 269, 209, 18, t.rate500, Qt::AlignLeft, 90, 13);

    // Desktop pointer settings.
    drawCard(p, QRectF(96, 242, 428, 224));
    drawSectionTitle(p, QPointF(108, 246), t.pointer, 0);
    rowText(p, 512, 246, 14, t.pointerHint, Qt::AlignRight, 200, 10, ink::kTextFaint);
    const struct {
        qreal barY;
        QString title;
        int icon;
    } bars[] = {{285, t.pointerSpeed, 0}, {363, t.doubleClick, 1}, {440, t.scrollLines, 2}};
    for (const auto& b : bars) {
        rowText(p, 144, b.barY - 21, 16, b.title, Qt::AlignLeft, 280, 12, ink::kText);
        const QPointF iconAt(114, b.barY - 3);
        if (b.icon == 0) iconPointer(p, iconAt + QPointF(4, 0));
        if (b.icon == 1) iconDoubleClick(p, iconAt);
        if (b.icon == 2) iconScroll(p, iconAt);
    }

    // DPI levels.
    drawCard(p, QRectF(530, 96, 236, 370));
    drawSectionTitle(p, QPointF(542, 100), t.dpiLevels, 756);
    wrappedText(p, QRectF(542, 120, 214, 60), t.dpiHint, 10, ink::kTextFaint);
    for (int d = 0; d < 4; ++d) {
        const qreal x = 560 + 50 * d;
        QRectF track(x - 3.5, 203.5, 23, 128);
        p.setPen(QPen(QColor(255, 255, 255, 16), 1));
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawPolygon(chamferPolygon(track, 4, 0, 4, 0));
    }
    // Legend under the level columns: the check marks the current level, the frame its colour.
    p.setPen(QPen(QColor(255, 255, 255, 20), 1));
    p.drawLine(QPointF(542, 434.5), QPointF(756, 434.5));
    return c.finish();
}

QImage breathingPage(int skin) {
    const ArtTexts& t = artTexts(skin);
    PageCanvas c(size::kBreathingPage, kBreathingOrigin);
    QPainter& p = c.p;

    drawCard(p, QRectF(120, 130, 646, 122));
    drawSectionTitle(p, QPointF(132, 134), t.breathing, 0);
    const struct {
        qreal y;
        QString text;
    } rows[] = {{156, t.offTime}, {182, t.riseTime}, {208, t.onTime}, {234, t.fallTime}};
    for (const auto& r : rows) rowText(p, 288, r.y - 4, 16, r.text, Qt::AlignRight, 160, 12);

    // The breathing curve: dark, rising, lit, falling; each phase tinted like its bar row.
    const QRectF graph(604, 152, 146, 88);
    p.setPen(QPen(QColor(255, 255, 255, 18), 1));
    for (int i = 0; i <= 4; ++i) {
        const qreal y = graph.top() + i * graph.height() / 4;
        p.drawLine(QPointF(graph.left(), y), QPointF(graph.right(), y));
    }
    const qreal lo = graph.bottom() - 8;
    const qreal hi = graph.top() + 10;
    QPainterPath curve;
    curve.moveTo(graph.left(), lo);
    curve.lineTo(graph.left() + 26, lo);
    curve.cubicTo(graph.left() + 44, lo, graph.left() + 46, hi, graph.left() + 64, hi);
    curve.lineTo(graph.left() + 90, hi);
    curve.cubicTo(graph.left() + 108, hi, graph.left() + 110, lo, graph.left() + 128, lo);
    curve.lineTo(graph.right(), lo);
    QPainterPath fillArea = curve;
    fillArea.lineTo(graph.right(), graph.bottom());
    fillArea.lineTo(graph.left(), graph.bottom());
    fillArea.closeSubpath();
    QLinearGradient area(0, hi, 0, graph.bottom());
    area.setColorAt(0, QColor(227, 38, 54, 90));
    area.setColorAt(1, QColor(227, 38, 54, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(area);
    p.drawPath(fillArea);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(227, 38, 54, 80), 5));
    p.drawPath(curve);
    p.setPen(QPen(ink::kRedHi, 1.6));
    p.drawPath(curve);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1, Qt::DotLine));
    for (qreal x : {26.0, 64.0, 90.0, 128.0}) {
        p.drawLine(QPointF(graph.left() + x, graph.top()), QPointF(graph.left() + x, graph.bottom()));
    }

    drawCard(p, QRectF(120, 258, 646, 138));
    drawSectionTitle(p, QPointF(132, 262), t.lighting, 0);
    rowText(p, 150, 281, 18, t.colorful, Qt::AlignLeft, 104, 13);
    rowText(p, 280, 281, 18, t.locked, Qt::AlignLeft, 126, 13);
    rowText(p, 430, 281, 18, t.cpiColor, Qt::AlignLeft, 116, 13);
    rowText(p, 570, 281, 18, t.lightsOff, Qt::AlignLeft, 120, 13);
    p.setPen(QPen(QColor(255, 255, 255, 20), 1));
    p.drawLine(QPointF(132, 310.5), QPointF(754, 310.5));
    rowText(p, 160, 321, 18, t.customColour, Qt::AlignLeft, 160, 13);
    rowText(p, 344, 321, 18, t.mouseColour, Qt::AlignLeft, 160, 13);
    wrappedText(p, QRectF(132, 370, 620, 20), t.colourHint, 10, ink::kTextFaint);
    return c.finish();
}

QImage macroPage(int skin) {
    const ArtTexts& t = artTexts(skin);
    PageCanvas c(size::kMacroPage, kMacroOrigin);
    QPainter& p = c.p;

    drawCard(p, QRectF(120, 148, 466, 322), true);
    drawSectionTitle(p, QPointF(132, 160), t.macroList, 346);
    drawSectionTitle(p, QPointF(353, 160), t.events, 578);

    // Recording delay choices (their click areas and lamps come from the layout).
    drawSectionTitle(p, QPointF(132, 320), t.delayMode, 346);
    const QString delays[] = {t.recordDelay, t.fixedDelay, t.noDelay};
    for (int j = 0; j < 3; ++j) rowText(p, 168, 350 + j * 23, 16, delays[j], Qt::AlignLeft, 170, 12);
    drawWell(p, QRectF(265, 370, 44, 20));
    rowText(p, 314, 370, 20, t.seconds, Qt::AlignLeft, 30, 12, ink::kTextDim);

    drawCard(p, QRectF(592, 148, 174, 322), true);
    drawSectionTitle(p, QPointF(602, 158), t.editGroup, 0);
    drawSectionTitle(p, QPointF(602, 294), t.manageGroup, 0);
    const struct {
        qreal y;
        MacroIcon icon;
    } icons[] = {{178, MacroIcon::Record},    {204, MacroIcon::Delete},    {230, MacroIcon::Insert},
                 {256, MacroIcon::Clear},     {316, MacroIcon::Save},      {342, MacroIcon::Rename},
                 {368, MacroIcon::ExportOne}, {394, MacroIcon::ExportAll}, {420, MacroIcon::ImportOne},
                 {446, MacroIcon::ImportAll}};
    for (const auto& i : icons) macroIcon(p, QPointF(712, i.y + 4), i.icon);
    return c.finish();
}

QImage updatePage() {
    PageCanvas c(size::kUpdatePage, kUpdateOrigin);
    QPainter& p = c.p;
    // Title band for the path caption (language text comes from a label).
    QLinearGradient band(160, 0, 640, 0);
    band.setColorAt(0, QColor(255, 255, 255, 22));
    band.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    p.drawPolygon(chamferPolygon(QRectF(160, 184, 480, 22), 0, 0, 0, 8));
    p.setBrush(ink::kRed);
    p.drawRect(QRectF(160, 188, 4, 14));
    // Underline of the chosen file's path.
    QLinearGradient rule(160, 0, 640, 0);
    rule.setColorAt(0, ink::kRed);
    rule.setColorAt(0.5, QColor(96, 103, 114));
    rule.setColorAt(1, QColor(96, 103, 114, 0));
    p.setPen(QPen(QBrush(rule), 1.5));
    p.drawLine(QPointF(160, 247), QPointF(640, 247));

    // A firmware chip receiving an image.
    const QRectF chip(384, 262, 32, 32);
    p.setPen(QPen(ink::kTextDim, 1.2));
    for (int i = 0; i < 4; ++i) {
        const qreal o = 6 + i * 6.6;
        p.drawLine(QPointF(chip.left() + o, chip.top() - 5), QPointF(chip.left() + o, chip.top()));
        p.drawLine(QPointF(chip.left() + o, chip.bottom()), QPointF(chip.left() + o, chip.bottom() + 5));
        p.drawLine(QPointF(chip.left() - 5, chip.top() + o), QPointF(chip.left(), chip.top() + o));
        p.drawLine(QPointF(chip.right(), chip.top() + o), QPointF(chip.right() + 5, chip.top() + o));
    }
    QLinearGradient cg(0, chip.top(), 0, chip.bottom());
    cg.setColorAt(0, QColor(58, 63, 71));
    cg.setColorAt(1, QColor(28, 30, 35));
    p.setBrush(cg);
    p.setPen(QPen(QColor(110, 118, 130), 1.2));
    p.drawPolygon(chamferPolygon(chip, 5, 0, 0, 0));
    p.setPen(QPen(ink::kRed, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(400, 270), QPointF(400, 284));
    p.drawPolyline(QPolygonF({QPointF(394, 279), QPointF(400, 285), QPointF(406, 279)}));
    // Data flowing in from both sides.
    for (int side = -1; side <= 1; side += 2) {
        for (int i = 0; i < 5; ++i) {
            const qreal x = 400 + side * (36 + i * 14);
            p.setPen(QPen(QColor(227, 38, 54, 200 - i * 36), 2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(x, 278), QPointF(x + side * 6, 278));
        }
    }
    return c.finish();
}

QImage insertBase(bool forKeys) {
    const int w = size::kInsertBase.width();
    const int h = size::kInsertBase.height();
    QImage img = canvas(w, h);
    QPainter p;
    beginPaint(p, img);
    const QRectF r(0.5, 0.5, w - 1.0, h - 1.0);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(30, 33, 38));
    g.setColorAt(1, QColor(19, 21, 24));
    p.setBrush(g);
    p.setPen(QPen(QColor(78, 84, 94), 1));
    p.drawPolygon(chamferPolygon(r, 10, 0, 10, 0));
    // Header strip behind the insert kind list.
    QLinearGradient head(0, 0, w, 0);
    head.setColorAt(0, QColor(227, 38, 54, 120));
    head.setColorAt(1, QColor(227, 38, 54, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(head);
    p.drawPolygon(chamferPolygon(QRectF(1, 1, w - 2, 27), 9, 0, 0, 0));
    // An "insert into list" glyph left of the list box.
    p.setPen(QPen(ink::kText, 1.6, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i) p.drawLine(QPointF(28, 9 + i * 5), QPointF(44, 9 + i * 5));
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(50, 10), QPointF(50, 20));
    p.drawLine(QPointF(45, 15), QPointF(55, 15));
    p.setPen(QPen(ink::kRed, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(1.5, 14), QPointF(1.5, 10));
    p.drawLine(QPointF(1.5, 10), QPointF(10, 1.5));

    if (forKeys) {
        iconKeyCap(p, QRectF(178, 40, 30, 28));
    } else {
        iconClock(p, QPointF(36, 66), 17);
    }
    // Divider above the buttons.
    p.setPen(QPen(QColor(255, 255, 255, 22), 1));
    p.drawLine(QPointF(10, 96.5), QPointF(w - 10, 96.5));
    p.end();
    return img;
}

}  // namespace skinart
