#pragma once
// The skin's look in one place: colours, fonts and the few shapes every picture is built from.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QString>

namespace skinart {

// Dark graphite with red accents.
namespace ink {
inline const QColor kMaroon{128, 0, 0};  // the window's see-through key colour
inline const QColor kBase0{13, 14, 16};
inline const QColor kBase1{26, 28, 32};
inline const QColor kPanel{21, 23, 27};
inline const QColor kPanelHi{34, 37, 43};
inline const QColor kLine{46, 50, 57};
inline const QColor kLineHi{70, 76, 86};
inline const QColor kText{236, 237, 239};
inline const QColor kTextDim{150, 156, 165};
inline const QColor kTextFaint{104, 110, 119};
inline const QColor kRed{227, 38, 54};
inline const QColor kRedHi{255, 92, 104};
inline const QColor kRedDeep{150, 16, 30};
inline const QColor kRedDark{96, 10, 20};
}  // namespace ink

// Pictures are drawn in their designed (logical) pixels at this scale: 1 for the set the window
// shows on ordinary screens, 2 for high-resolution ones.
void setPictureScale(int scale);
int pictureScale();

// A transparent canvas of the given logical size at the picture scale, ready for antialiased
// painting.
QImage canvas(int width, int height);

// Starts antialiased painting on an image.
void beginPaint(QPainter& p, QImage& img);

// A rectangle whose four corners are cut at 45 degrees by the given lengths
// (top-left, top-right, bottom-right, bottom-left).
QPolygonF chamferPolygon(const QRectF& r, qreal tl, qreal tr, qreal br, qreal bl);
QPainterPath chamferPath(const QRectF& r, qreal tl, qreal tr, qreal br, qreal bl);

// Fonts: DejaVu Sans at a pixel size.
QFont bodyFont(int pixelSize, bool bold = false);
QFont titleFont(int pixelSize);  // bold capitals with open spacing

// A section title: small red marker, capitals, then a fading rule to `ruleEnd` (0 = no rule).
void drawSectionTitle(QPainter& p, QPointF topLeft, const QString& text, qreal ruleEnd = 0);

// Text in `box` with the given alignment and colour.
void drawText(QPainter& p, const QRectF& box, const QString& text, const QFont& font, const QColor& colour,
              int flags = Qt::AlignLeft | Qt::AlignVCenter);

// A darker, inset area (card) on a page picture.
void drawCard(QPainter& p, const QRectF& r, bool openBottom = false);

// An inset well for an edit box at `r` (the edit sits inside it).
void drawWell(QPainter& p, const QRectF& r);

// States of the plate every button picture is made of.
enum class PlateState { Normal, Hover, Active, Pressed };

// A button plate filling the whole image: chamfered top-left and bottom-right corners by `cut`.
QImage plate(int width, int height, PlateState state, qreal cut);

// The brand mark, a V of two slanted blades, where the window's title draws it (68..114 x 17..51):
// the red left blade, then the light right one.
struct BrandMark {
    QPolygonF left;
    QPolygonF right;
};
BrandMark brandMark();

// Paints the mark (already placed by the painter's transform): a faint red copy `shadow` below,
// then the red-to-dark left blade and the light right blade.
void paintBrandMark(QPainter& p, qreal shadow);

// Opaque pixels that happen to be exactly the key colour would turn into holes: nudge them.
void keepOffKeyColour(QImage& img);

// Everything outside `shape` becomes the key colour, everything inside opaque: the crisp outline
// of a window background.
void applyWindowOutline(QImage& img, const QPolygon& shape, const QList<QPolygon>& holes);

}  // namespace skinart
