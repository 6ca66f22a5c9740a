#include "app/control_painters.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <array>

#include "editors/button_editor.h"
#include "skin/ui/skin_widgets.h"

namespace varnel {

namespace {

constexpr char kFontFamily[] = "DejaVu Sans";
// Scroll bars of the skin's dark lists: a slim grey handle in a dark trough, no arrows.
constexpr char kListScrollBarSheet[] =
    " QScrollBar:vertical { background: #1c1d21; width: 10px; margin: 0; }"
    " QScrollBar::handle:vertical { background: #5a5e66; min-height: 20px; border-radius: 4px; margin: 1px; }"
    " QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
    " QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }";

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QColor qc(const Rgb& c) { return QColor(c.r, c.g, c.b); }

QStringList itemsOf(const Control& c) {
    QStringList items;
    for (const auto& i : c.items) items << qs(i);
    return items;
}

Qt::Alignment alignmentOf(TextAlign a) {
    switch (a) {
        case TextAlign::Left: return Qt::AlignLeft | Qt::AlignVCenter;
        case TextAlign::Right: return Qt::AlignRight | Qt::AlignVCenter;
        case TextAlign::Centre: break;
    }
    return Qt::AlignCenter;
}

void applyFont(QWidget* w, const Control& c) {
    QFont f(kFontFamily);
    f.setPointSize(c.fontSize > 0 ? c.fontSize : 9);
    w->setFont(f);
}

QString colourSheet(const char* type, const Control& c) {
    QString sheet = QStringLiteral("%1 {").arg(type);
    if (c.fontColor) sheet += QStringLiteral(" color: %1;").arg(qc(*c.fontColor).name());
    if (c.backColor) {
        sheet += QStringLiteral(" background: %1; border: 1px solid %1;").arg(qc(*c.backColor).name());
    }
    return sheet + " }";
}

QWidget* makeList(QWidget* parent) {
    auto* l = new QListWidget(parent);
    l->setFrameShape(QFrame::NoFrame);
    return l;
}

// A drop-down whose skin colours (a style sheet) leave no arrow: it draws its own, in its text
// colour, so that it reads as one.
class SkinCombo : public QComboBox {
public:
    using QComboBox::QComboBox;
    void setArrowColour(const QColor& c) {
        if (c == arrow_) return;
        arrow_ = c;
        update();
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        QComboBox::paintEvent(e);
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(arrow_);
        const qreal cx = width() - kArrowRight;
        const qreal cy = height() / 2.0;
        const QPointF arrow[] = {{cx - kArrowHalf, cy - kArrowHalf / 2}, {cx + kArrowHalf, cy - kArrowHalf / 2},
                                 {cx, cy + kArrowHalf / 2 + 1}};
        p.drawPolygon(arrow, 3);
    }

private:
    static constexpr qreal kArrowRight = 10;
    static constexpr qreal kArrowHalf = 4;
    QColor arrow_{Qt::white};
};

QWidget* makeCombo(QWidget* parent) {
    auto* cb = new SkinCombo(parent);
    // The drop-down list in the menus' colours: the combo's own white text would be lost on the
    // list's light ground.
    const auto rgb = [](const Rgb& c) { return QString("rgb(%1,%2,%3)").arg(c.r).arg(c.g).arg(c.b); };
    cb->setItemDelegate(new QStyledItemDelegate(cb));  // the style's menu look ignores the sheet
    cb->view()->setStyleSheet(
        QString("QAbstractItemView { background: %1; color: %2; selection-background-color: %3; selection-color: %4; }")
            .arg(kMenuPanelColour.name(), rgb(kEntryNormal.text), rgb(*kEntryHighlighted.back),
                 rgb(kEntryHighlighted.text)));
    return cb;
}

QWidget* makeRadio(QWidget* parent) {
    auto* r = new QRadioButton(parent);
    r->setAutoExclusive(false);  // the model keeps each group exclusive
    return r;
}

void paintPicture(QWidget* w, const Control& c, const PaintContext& context) {
    if (!c.picture.empty() && !Pictures::exists(c.picture)) context.reportProblem("no picture \"" + c.picture + "\"");
    static_cast<SkinPicture*>(w)->setPicture(context.pictures, c.picture);
    w->setProperty("picture", qs(c.picture));
}

void paintLabel(QWidget* w, const Control& c, const PaintContext&) {
    auto* l = static_cast<SkinLabel*>(w);
    l->setText(qs(c.caption));
    l->setToolTip(qs(c.tip));
    l->setAlignment(alignmentOf(c.align));
    applyFont(l, c);
    QPalette pal = l->palette();
    const QColor text = c.fontColor ? qc(*c.fontColor) : QColor(255, 255, 255);
    pal.setColor(QPalette::WindowText, text);
    // Greyed when disabled: dimmer light text, and dark text (a menu entry) lifted to grey, as
    // darkening black would leave it looking enabled.
    pal.setColor(QPalette::Disabled, QPalette::WindowText,
                 text.lightness() < 100 ? QColor(150, 150, 150) : text.darker(170));
    l->setPalette(pal);
}

void paintEdit(QWidget* w, const Control& c, const PaintContext&) {
    auto* e = static_cast<QLineEdit*>(w);
    if (e->text() != qs(c.caption)) e->setText(qs(c.caption));
    e->setAlignment(c.alignRight ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
    applyFont(e, c);
    e->setStyleSheet(colourSheet("QLineEdit", c));
}

void paintList(QWidget* w, const Control& c, const PaintContext&) {
    auto* l = static_cast<QListWidget*>(w);
    // The user's selection reached the model already; a paint must not report it again. The
    // first entry in view is taken before the list changes, as the list reports its scrolling.
    const QSignalBlocker block(l);
    const QStringList items = itemsOf(c);
    bool same = l->count() == items.size();
    for (int i = 0; same && i < l->count(); ++i) same = l->item(i)->text() == items[i];
    if (!same) {
        l->clear();
        l->addItems(items);
        l->doItemsLayout();
    }
    applyFont(l, c);
    QString sheet = colourSheet("QListWidget", c);
    if (c.itemHeight > 0) sheet += QStringLiteral(" QListWidget::item { height: %1px; }").arg(c.itemHeight);
    sheet += QStringLiteral(" QListWidget::item:selected { background: #464a52; color: #ffffff; }");
    sheet += kListScrollBarSheet;
    if (l->styleSheet() != sheet) l->setStyleSheet(sheet);
    if (c.topIndex >= 0) l->verticalScrollBar()->setValue(c.topIndex);
    l->setCurrentRow(c.itemIndex);
}

void paintCombo(QWidget* w, const Control& c, const PaintContext&) {
    auto* cb = static_cast<QComboBox*>(w);
    const QStringList items = itemsOf(c);
    QStringList current;
    for (int i = 0; i < cb->count(); ++i) current << cb->itemText(i);
    if (current != items) {
        cb->clear();
        cb->addItems(items);
    }
    cb->setCurrentIndex(c.itemIndex);
    applyFont(cb, c);
    cb->setStyleSheet(colourSheet("QComboBox", c) + " QComboBox { padding-right: 18px; }");
    if (c.fontColor) static_cast<SkinCombo*>(cb)->setArrowColour(qc(*c.fontColor));
}

void paintRadio(QWidget* w, const Control& c, const PaintContext&) {
    static_cast<QRadioButton*>(w)->setChecked(c.checked);
}

void paintShape(QWidget* w, const Control& c, const PaintContext&) {
    static_cast<SkinShape*>(w)->setColor(c.backColor ? qc(*c.backColor) : QColor(255, 255, 255));
}

void paintLamp(QWidget* w, const Control& c, const PaintContext&) { static_cast<SkinShape*>(w)->setLit(c.checked); }

void paintNothing(QWidget*, const Control&, const PaintContext&) {}

struct KindWidgets {
    ControlKind kind;
    QWidget* (*make)(QWidget* parent);
    void (*paint)(QWidget* w, const Control& c, const PaintContext& context);
};

// In the order of ControlKind.
constexpr std::array<KindWidgets, 10> kKinds{{
    {ControlKind::Group, [](QWidget* p) { return new QWidget(p); }, paintNothing},
    {ControlKind::Picture, [](QWidget* p) -> QWidget* { return new SkinPicture(p); }, paintPicture},
    {ControlKind::Label, [](QWidget* p) -> QWidget* { return new SkinLabel(p); }, paintLabel},
    {ControlKind::Edit, [](QWidget* p) -> QWidget* { return new QLineEdit(p); }, paintEdit},
    {ControlKind::List, makeList, paintList},
    {ControlKind::Combo, makeCombo, paintCombo},
    {ControlKind::Radio, makeRadio, paintRadio},
    {ControlKind::Shape, [](QWidget* p) -> QWidget* { return new SkinShape(SkinShape::Style::Swatch, p); }, paintShape},
    {ControlKind::Lamp, [](QWidget* p) -> QWidget* { return new SkinShape(SkinShape::Style::Lamp, p); }, paintLamp},
    {ControlKind::Panel, [](QWidget* p) -> QWidget* { return new SkinShape(SkinShape::Style::Panel, p); },
     paintNothing},
}};

const KindWidgets& widgetsOf(ControlKind kind) {
    for (const auto& k : kKinds) {
        if (k.kind == kind) return k;
    }
    return kKinds.front();
}

}  // namespace

QWidget* createControlWidget(const Control& c, QWidget* parent) { return widgetsOf(c.kind).make(parent); }

void paintControl(QWidget* w, const Control& c, const PaintContext& context) {
    w->setGeometry(c.x, c.y, c.width, c.height);
    w->setEnabled(c.enabled);
    widgetsOf(c.kind).paint(w, c, context);
    w->setVisible(c.visible);
}

}  // namespace varnel
