#include "skin/ui/skin_widgets.h"

#include <QHash>
#include <QMouseEvent>
#include <QPainter>
#include <QTextOption>
#include <map>
#include <tuple>

#include "skin/ui/pictures.h"

namespace varnel {

namespace {

constexpr int kSmallestPoint = 7;
// A centred caption lies on a button picture whose corners carry red accents about four pixels
// into the text's rows: it is fitted, and scrolls, inside this inset. Left-aligned entries (the
// menus) have none.
constexpr int kButtonInset = 3;
constexpr int kEntryInset = 1;
// Menu entries: the room a sub-menu arrow takes at the end.
constexpr int kArrowRoom = 16;
constexpr qreal kArrowHalf = 3.5;
constexpr qreal kDisabledOpacity = 0.3;

// The largest font not above the designed one that fits the text into `box`: one line first,
// then two lines for long captions (Spanish texts on narrow page buttons).
struct Fit {
    QFont font;
    bool wrap;
    bool fits;
};

Fit measureFit(const QString& text, const QFont& designed, const QRect& box) {
    // One line, then one line in the condensed face (Restaurar on the narrow bar buttons), then
    // two lines.
    const int start = designed.pointSize() > 0 ? designed.pointSize() : 9;
    struct Pass {
        bool wrap;
        int stretch;
    };
    for (const Pass pass :
         {Pass{false, QFont::Unstretched}, Pass{false, QFont::Condensed}, Pass{true, QFont::Unstretched}}) {
        QFont f = designed;
        f.setStretch(pass.stretch);
        for (int size = start; size >= kSmallestPoint; --size) {
            f.setPointSize(size);
            const QFontMetrics m(f);
            const QRect need = pass.wrap ? m.boundingRect(box, Qt::TextWordWrap | Qt::AlignCenter, text)
                                         : QRect(0, 0, m.horizontalAdvance(text), m.height());
            if (need.width() <= box.width() && need.height() <= box.height()) return {f, pass.wrap, true};
        }
    }
    QFont f = designed;
    f.setPointSize(kSmallestPoint);
    return {f, true, false};
}

// Measuring walks font sizes with a metrics object each, and captions are fitted on every paint
// and every row fit: each caption is measured once per font and box and the answer kept.
Fit fitText(const QString& text, const QFont& designed, const QRect& box) {
    static QHash<QString, Fit> fits;
    constexpr qsizetype kMaxKept = 4096;  // captions x fonts x boxes of every language, with room
    const QString key = QStringLiteral("%1\x1f%2\x1f%3x%4").arg(text, designed.key()).arg(box.width()).arg(box.height());
    if (const auto it = fits.constFind(key); it != fits.constEnd()) return *it;
    if (fits.size() >= kMaxKept) fits.clear();
    return *fits.insert(key, measureFit(text, designed, box));
}

}  // namespace

SkinLabel::SkinLabel(QWidget* parent) : QLabel(parent) {
    setAttribute(Qt::WA_Hover);
    setAutoFillBackground(false);
}

void SkinLabel::setScrolling(bool scrolling) {
    scrolling_ = scrolling;
    update();
}

void SkinLabel::setMenuEntry(Qt::ArrowType arrow) {
    if (menuEntry_ && arrow_ == arrow) return;
    menuEntry_ = true;
    arrow_ = arrow;
    update();
}

void SkinLabel::enterEvent(QEnterEvent* e) {
    QLabel::enterEvent(e);
    emit entered(objectName());
}

void SkinLabel::leaveEvent(QEvent* e) {
    QLabel::leaveEvent(e);
    emit left(objectName());
}

void SkinLabel::mousePressEvent(QMouseEvent* e) {
    pressed_ = e->button() == Qt::LeftButton;
    e->accept();
}

void SkinLabel::mouseReleaseEvent(QMouseEvent* e) {
    const bool click = pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    pressed_ = false;
    e->accept();
    if (click && isEnabled()) emit clicked(objectName());
}

void SkinLabel::paintEvent(QPaintEvent*) {
    const QString t = text();
    if (t.isEmpty()) return;
    QPainter p(this);
    const QColor ink = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText);
    p.setPen(ink);
    if (arrow_ == Qt::RightArrow || arrow_ == Qt::LeftArrow) {
        const qreal cx = width() - kArrowRoom / 2.0;
        const qreal cy = height() / 2.0;
        const qreal tip = arrow_ == Qt::RightArrow ? kArrowHalf : -kArrowHalf;
        const QPointF triangle[] = {{cx + tip, cy}, {cx - tip, cy - kArrowHalf - 1}, {cx - tip, cy + kArrowHalf + 1}};
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPolygon(triangle, 3);
        p.restore();
    }
    const QRect box = captionBox();
    if (scrolling_) {
        p.setClipRect(box);
        p.setFont(designedFont());
        p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, t);
        return;
    }
    const Fit fit = fitText(t, designedFont(), box);
    p.setFont(fit.font);
    const Qt::Alignment h = alignment() & Qt::AlignHorizontal_Mask;
    p.drawText(box, static_cast<int>(h | Qt::AlignVCenter) | (fit.wrap ? Qt::TextWordWrap : Qt::TextSingleLine), t);
}

bool SkinLabel::onButton() const { return (alignment() & Qt::AlignHCenter) != 0; }

QRect SkinLabel::captionBox() const {
    if (menuEntry_) return rect().adjusted(kMenuIndent, 0, arrow_ == Qt::NoArrow ? -kEntryInset : -kArrowRoom, 0);
    const int inset = onButton() ? kButtonInset : kEntryInset;
    return rect().adjusted(inset, 0, -inset, 0);
}

QFont SkinLabel::designedFont() const {
    QFont f = font();
    if (pointSizeCap_ > 0 && (f.pointSize() <= 0 || f.pointSize() > pointSizeCap_)) f.setPointSize(pointSizeCap_);
    return f;
}

int SkinLabel::oneLinePointSize() const { return oneLineSize(font()); }

int SkinLabel::oneLineSize(const QFont& designed) const {
    const Fit fit = fitText(text(), designed, captionBox());
    return fit.fits && !fit.wrap ? fit.font.pointSize() : 0;
}

void SkinLabel::setPointSizeCap(int size) {
    if (size == pointSizeCap_) return;
    pointSizeCap_ = size;
    update();
}

bool SkinLabel::captionFits() const { return text().isEmpty() || fitText(text(), designedFont(), captionBox()).fits; }

int SkinLabel::drawnPointSize() const {
    if (text().isEmpty()) return 0;
    return scrolling_ ? designedFont().pointSize() : oneLineSize(designedFont());
}

std::vector<std::vector<SkinLabel*>> captionRows(const QWidget& root) {
    std::map<std::tuple<QObject*, int, int>, std::vector<SkinLabel*>> rows;
    for (auto* l : root.findChildren<SkinLabel*>()) {
        if (l->onButton() && !l->text().isEmpty()) rows[{l->parent(), l->y(), l->height()}].push_back(l);
    }
    std::vector<std::vector<SkinLabel*>> out;
    for (auto& [where, labels] : rows) {
        if (labels.size() >= 2) out.push_back(std::move(labels));
    }
    return out;
}

void fitCaptionRows(const QWidget& root) {
    // A scrolling caption's rotated text is no caption to fit: it keeps the size it had and still
    // holds its row to it, so pointing at a button changes no caption's size. One that needs two
    // lines (a long Spanish text) neither sets nor takes the row's size.
    for (const auto& labels : captionRows(root)) {
        std::vector<int> sizes;
        int cap = 0;
        for (SkinLabel* l : labels) {
            sizes.push_back(l->scrolling() ? l->pointSizeCap() : l->oneLinePointSize());
            if (sizes.back() > 0 && (cap == 0 || sizes.back() < cap)) cap = sizes.back();
        }
        for (std::size_t i = 0; i < labels.size(); ++i) {
            if (!labels[i]->scrolling()) labels[i]->setPointSizeCap(sizes[i] > 0 ? cap : 0);
        }
    }
}

SkinPicture::SkinPicture(QWidget* parent) : QWidget(parent) {}

void SkinPicture::setPicture(Pictures& pictures, const std::string& name) {
    if (pictures_ == &pictures && name_ == name) return;
    pictures_ = &pictures;
    name_ = name;
    update();
}

void SkinPicture::paintEvent(QPaintEvent*) {
    if (pictures_ == nullptr || name_.empty()) return;
    const QPixmap& pixmap = pictures_->pixmap(name_);
    if (pixmap.isNull()) return;
    QPainter p(this);
    // A disabled picture (the bar of a switched-off DPI stage) shows greyed against the page.
    if (!isEnabled()) p.setOpacity(kDisabledOpacity);
    // Between the two picture sets (150 %) the double one is scaled down, smoothly.
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(0, 0, pixmap);
}

void SkinPicture::mousePressEvent(QMouseEvent* e) {
    emit pressed(objectName(), e->scenePosition());
    e->accept();
}

void SkinPicture::mouseMoveEvent(QMouseEvent* e) {
    if (e->buttons() != Qt::NoButton) emit dragged(e->globalPosition());
}

SkinShape::SkinShape(Style style, QWidget* parent)
    : QWidget(parent), style_(style), color_(style == Style::Lamp ? QColor(230, 30, 30) : QColor(255, 255, 255)) {}

void SkinShape::setColor(const QColor& c) {
    color_ = c;
    update();
}

void SkinShape::setLit(bool lit) {
    if (lit == lit_) return;
    lit_ = lit;
    update();
}

void SkinShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    switch (style_) {
        case Style::Swatch: p.fillRect(rect(), color_); break;
        case Style::Lamp: {
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            p.setBrush(color_.darker(160));
            p.drawEllipse(rect());
            // An unlit lamp is the same ring, hollow: the choice reads as one not taken.
            p.setBrush(lit_ ? color_ : kUnlitLampCentre);
            p.drawEllipse(rect().adjusted(2, 2, -2, -2));
            break;
        }
        case Style::Panel:
            p.fillRect(rect(), kMenuPanelColour);
            p.setPen(kMenuFrameColour);
            p.drawRect(rect().adjusted(0, 0, -1, -1));
            break;
    }
}

}  // namespace varnel
