#pragma once
// The few widget types the skinned window is made of. Each shows what its control in the model
// says and reports the pointer; none holds behaviour.
#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <string>
#include <vector>

namespace varnel {

// A transparent caption and click area laid over a picture.
class SkinLabel : public QLabel {
    Q_OBJECT
public:
    explicit SkinLabel(QWidget* parent = nullptr);
    // While scrolling, the caption is one line from the left edge, so the marquee reads.
    void setScrolling(bool scrolling);
    bool scrolling() const { return scrolling_; }
    // A centred caption sits on a button: it is fitted inside the inset clear of the accents.
    bool onButton() const;
    // The largest point size (not above the designed one nor the row's cap) at which the caption
    // fits on one line inside its inset; 0 when it needs two lines.
    int oneLinePointSize() const;
    // A menu entry: the caption indented, and an arrow at its end when it opens a sub-menu,
    // pointing the way it opens (Qt::RightArrow, Qt::LeftArrow; Qt::NoArrow: none).
    void setMenuEntry(Qt::ArrowType arrow);
    Qt::ArrowType menuArrow() const { return arrow_; }
    // The size the captions of one row of buttons share; 0 lifts the cap.
    void setPointSizeCap(int size);
    int pointSizeCap() const { return pointSizeCap_; }
    // Whether the caption fits inside its inset at the size it is drawn (on one or two lines).
    bool captionFits() const;
    // The point size the caption is drawn at on one line (scrolling or not); 0 when it takes two
    // lines.
    int drawnPointSize() const;

signals:
    void entered(const QString& name);
    void left(const QString& name);
    void clicked(const QString& name);

protected:
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    QRect captionBox() const;
    QFont designedFont() const;
    int oneLineSize(const QFont& designed) const;

    bool pressed_ = false;
    bool scrolling_ = false;
    bool menuEntry_ = false;
    Qt::ArrowType arrow_ = Qt::NoArrow;
    int pointSizeCap_ = 0;
};

// The rows of button captions under `root`: the captioned button labels of one parent at the
// same top and height, in rows of two or more.
std::vector<std::vector<SkinLabel*>> captionRows(const QWidget& root);
// The captions of each such row share the size the longest of them fits at.
void fitCaptionRows(const QWidget& root);

class Pictures;

// One skin picture at its natural size; dimmed while disabled. It is looked up in its picture
// cache when painted, so a picture no page has shown yet is not decoded.
class SkinPicture : public QWidget {
    Q_OBJECT
public:
    explicit SkinPicture(QWidget* parent = nullptr);
    void setPicture(Pictures& pictures, const std::string& name);

signals:
    // windowPos: where in the top-level window the press landed, as the event gives it (not
    // derived from the window's cached position, which can lag behind the display's).
    void pressed(const QString& name, const QPointF& windowPos);
    void dragged(const QPointF& globalPos);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    Pictures* pictures_ = nullptr;
    std::string name_;
};

// The button menus' panel, behind their entries (and the macro picker's and the drop-downs'):
// the skin's dark ground, framed in its red.
constexpr QColor kMenuPanelColour(24, 26, 30);
constexpr QColor kMenuFrameColour(200, 30, 30);
// Where the text of a menu entry (and a picker's entry) starts.
constexpr int kMenuIndent = 10;
constexpr QColor kUnlitLampCentre(24, 24, 28);

// A filled colour swatch, an indicator lamp or a menu panel: a plain painted rectangle.
class SkinShape : public QWidget {
    Q_OBJECT
public:
    enum class Style { Swatch, Lamp, Panel };
    explicit SkinShape(Style style, QWidget* parent = nullptr);
    void setColor(const QColor& c);
    // Lamps: lit, or an empty ring.
    void setLit(bool lit);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    Style style_;
    QColor color_;
    bool lit_ = true;
};

}  // namespace varnel
