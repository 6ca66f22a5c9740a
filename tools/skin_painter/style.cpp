#include "style.h"

#include <QLinearGradient>
#include <QPen>

namespace skinart {

namespace {
int scale = 1;
}  // namespace

void setPictureScale(int s) { scale = s; }
int pictureScale() { return scale; }

QImage canvas(int width, int height) {
    QImage img(width * scale, height * scale, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(scale);
    img.fill(Qt::transparent);
    return img;
}

void beginPaint(QPainter& p, QImage& img) {
    p.begin(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QPolygonF chamferPolygon(const QRectF& r, qreal tl, qreal tr, qreal br, qreal bl) {
    QPolygonF poly;
    poly << QPointF(r.left() + tl, r.top()) << QPointF(r.right() - tr, r.top()) << QPointF(r.right(), r.top() + tr)
         << QPointF(r.right(), r.bottom() - br) << QPointF(r.right() - br, r.bottom())
         << QPointF(r.left() + bl, r.bottom()) << QPointF(r.left(), r.bottom() - bl) << QPointF(r.left(), r.top() + tl);
    return poly;
}

QPainterPath chamferPath(const QRectF& r, qreal tl, qreal tr, qreal br, qreal bl) {
    QPainterPath path;
    path.addPolygon(chamferPolygon(r, tl, tr, br, bl));
    path.closeSubpath();
    return path;
}

QFont bodyFont(int pixelSize, bool bold) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

QFont titleFont(int pixelSize) {
    QFont f = bodyFont(pixelSize, true);
    f.setCapitalization(QFont::AllUppercase);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    return f;
}

void drawSectionTitle(QPainter& p, QPointF topLeft, const QString& text, qreal ruleEnd) {
    const qreal h = 14;
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(ink::kRed);
    p.drawPolygon(chamferPolygon(QRectF(topLeft.x(), topLeft.y() + 2, 4, h - 4), 0, 2, 0, 2));
    QFont f = titleFont(11);
    p.setFont(f);
    p.setPen(ink::kText);
    QRectF box(topLeft.x() + 10, topLeft.y(), 400, h);
    QRectF used;
    p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text, &used);
    if (ruleEnd > used.right() + 12) {
        QLinearGradient g(used.right() + 8, 0, ruleEnd, 0);
        g.setColorAt(0, QColor(255, 255, 255, 48));
        g.setColorAt(1, QColor(255, 255, 255, 0));
        p.setPen(QPen(QBrush(g), 1));
        const qreal y = topLeft.y() + h / 2 + 0.5;
        p.drawLine(QPointF(used.right() + 8, y), QPointF(ruleEnd, y));
    }
    p.restore();
}

void drawText(QPainter& p, const QRectF& box, const QString& text, const QFont& font, const QColor& colour, int flags) {
    p.save();
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, flags, text);
    p.restore();
}

void drawCard(QPainter& p, const QRectF& r, bool openBottom) {
    p.save();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(255, 255, 255, 10));
    g.setColorAt(1, QColor(255, 255, 255, 4));
    p.setBrush(g);
    p.setPen(QPen(QColor(255, 255, 255, 22), 1));
    const QPolygonF outline = chamferPolygon(r.adjusted(0.5, 0.5, -0.5, -0.5), 10, 0, openBottom ? 0 : 10, 0);
    if (openBottom) {
        // Runs out under the tray: its last row of buttons sits on no border.
        p.setPen(Qt::NoPen);
        p.drawPolygon(outline);
        p.setPen(QPen(QColor(255, 255, 255, 22), 1));
        // Right side, top with its cut corner, left side: all but the bottom edge.
        p.drawPolyline(QPolygonF{outline[3], outline[1], outline[0], outline[7], outline[6]});
    } else {
        p.drawPolygon(outline);
    }
    // A short red stroke on the cut corner ties the cards to the window frame.
    p.setPen(QPen(QColor(227, 38, 54, 200), 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(r.left() + 1, r.top() + 22), QPointF(r.left() + 1, r.top() + 11));
    p.drawLine(QPointF(r.left() + 1, r.top() + 11), QPointF(r.left() + 11, r.top() + 1));
    p.drawLine(QPointF(r.left() + 11, r.top() + 1), QPointF(r.left() + 34, r.top() + 1));
    p.restore();
}

void drawWell(QPainter& p, const QRectF& r) {
    p.save();
    p.setPen(QPen(QColor(0, 0, 0, 150), 1));
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRect(r.adjusted(-1.5, -1.5, 1.5, 1.5));
    p.setPen(QPen(QColor(255, 255, 255, 30), 1));
    p.drawLine(QPointF(r.left() - 2, r.bottom() + 2.5), QPointF(r.right() + 2, r.bottom() + 2.5));
    p.restore();
}

namespace {

struct PlateLook {
    QColor top, middle, bottom;  // fill gradient
    QColor border;
    QColor light;  // line along the inner top edge
};

const PlateLook& plateLook(PlateState s) {
    static const PlateLook looks[] = {
        // Normal: graphite.
        {{44, 48, 55}, {33, 36, 42}, {24, 26, 31}, {74, 80, 90}, {255, 255, 255, 28}},
        // Hover: red-tinted graphite, red rim.
        {{62, 34, 40}, {45, 28, 33}, {30, 22, 26}, {227, 38, 54}, {255, 140, 150, 60}},
        // Active (current page or language, clicked web button): lit red.
        {{240, 64, 78}, {206, 30, 46}, {146, 16, 30}, {255, 120, 130}, {255, 255, 255, 90}},
        // Pressed: dark red, lit from below.
        {{110, 12, 24}, {143, 18, 32}, {176, 24, 40}, {227, 38, 54}, {0, 0, 0, 60}},
    };
    return looks[static_cast<int>(s)];
}

}  // namespace

QImage plate(int width, int height, PlateState state, qreal cut) {
    QImage img = canvas(width, height);
    QPainter p;
    beginPaint(p, img);
    const QRectF outer(0.5, 0.5, width - 1.0, height - 1.0);
    const QPolygonF shape = chamferPolygon(outer, cut, 0, cut, 0);

    const PlateLook& look = plateLook(state);
    QLinearGradient fill(0, 0, 0, height);
    fill.setColorAt(0, look.top);
    fill.setColorAt(0.5, look.middle);
    fill.setColorAt(1, look.bottom);
    const QColor border = look.border;
    const QColor topLight = look.light;
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPolygon(shape);

    // Inner light along the top edge, inside the cut.
    p.setPen(QPen(topLight, 1));
    p.drawLine(QPointF(cut + 1.5, 1.5), QPointF(width - 2.0, 1.5));

    if (state == PlateState::Hover) {
        // A soft red glow from inside the border.
        p.setPen(QPen(QColor(227, 38, 54, 70), 3));
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(chamferPolygon(outer.adjusted(1.5, 1.5, -1.5, -1.5), cut - 1, 0, cut - 1, 0));
    }
    p.setPen(QPen(border, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(shape);

    if (state == PlateState::Normal || state == PlateState::Hover) {
        // The red tick on the cut corner is the skin's signature.
        p.setPen(QPen(state == PlateState::Hover ? ink::kRedHi : ink::kRed, 2, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(1.5, cut + 4), QPointF(1.5, cut));
        p.drawLine(QPointF(1.5, cut), QPointF(cut, 1.5));
        p.drawLine(QPointF(width - 1.5, height - cut - 4), QPointF(width - 1.5, height - cut));
        p.drawLine(QPointF(width - 1.5, height - cut), QPointF(width - cut, height - 1.5));
    }
    p.end();
    return img;
}

BrandMark brandMark() {
    BrandMark m;
    m.left << QPointF(68, 17) << QPointF(79, 17) << QPointF(90, 44) << QPointF(83, 51);
    m.right << QPointF(103, 17) << QPointF(114, 17) << QPointF(96, 51) << QPointF(90, 44) << QPointF(94, 36);
    return m;
}

void paintBrandMark(QPainter& p, qreal shadow) {
    const BrandMark m = brandMark();
    QLinearGradient g(0, 17, 0, 51);
    g.setColorAt(0, QColor(255, 96, 108));
    g.setColorAt(1, QColor(170, 18, 34));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(227, 38, 54, 50));
    p.drawPolygon(m.left.translated(0, shadow));
    p.drawPolygon(m.right.translated(0, shadow));
    p.setBrush(g);
    p.drawPolygon(m.left);
    p.setBrush(QColor(236, 237, 239));
    p.drawPolygon(m.right);
    p.restore();
}

void keepOffKeyColour(QImage& img) {
    if (img.format() != QImage::Format_ARGB32) img = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if (qAlpha(line[x]) > 0 && qRed(line[x]) == 128 && qGreen(line[x]) == 0 && qBlue(line[x]) == 0) {
                line[x] = qRgba(129, 0, 0, qAlpha(line[x]));
            }
        }
    }
}

void applyWindowOutline(QImage& img, const QPolygon& shape, const QList<QPolygon>& holes) {
    // The mask is painted without antialiasing: a pixel is either window or see-through.
    // It is drawn in logical pixels, the finest a window's mask can be, so that the outline of
    // the high-resolution picture is exactly the window's mask doubled.
    const QSize logical = (QSizeF(img.size()) / img.devicePixelRatio()).toSize();
    QImage mask(logical, QImage::Format_Grayscale8);
    mask.fill(0);
    {
        QPainter m(&mask);
        m.setRenderHint(QPainter::Antialiasing, false);
        m.setPen(Qt::NoPen);
        m.setBrush(Qt::white);
        m.drawPolygon(shape);
        m.setBrush(Qt::black);
        for (const QPolygon& h : holes) m.drawPolygon(h);
    }
    if (mask.size() != img.size()) mask = mask.scaled(img.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    img = img.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = ink::kMaroon.rgb();
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        const uchar* inside = mask.constScanLine(y);
        for (int x = 0; x < img.width(); ++x) {
            if (inside[x] == 0) {
                line[x] = key;
            } else {
                QRgb c = line[x] | 0xFF000000u;
                if (c == key) c = qRgb(129, 0, 0);
                line[x] = c;
            }
        }
    }
    img = img.convertToFormat(QImage::Format_RGB32);
}

}  // namespace skinart
