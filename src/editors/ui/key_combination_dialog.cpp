#include "editors/ui/key_combination_dialog.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "platform/ui/key_event.h"
#include "skin/ui/pictures.h"
#include "skin/ui/skin_widgets.h"
#include "skin/window_geometry.h"

namespace varnel {

namespace {

constexpr char kBackground[] = "AssemblyBase";
constexpr char kButtonHover[] = "DlgBtnS_02";
constexpr QColor kText(226, 228, 232);
constexpr int kCheckBoxY = 96;
constexpr int kCheckBoxHeight = 20;

struct Place {
    const char* name;
    QRect rect;
};
constexpr Place kTitle{"lbl_Assembly", {10, 25, 164, 24}};
constexpr Place kEdit{"Edt_Assembly", {56, 68, 209, 22}};
constexpr Place kConfirm{"IB_Confirm", {44, 134, 97, 29}};
constexpr Place kCancel{"IB_Cancel", {196, 134, 97, 29}};
constexpr Place kClose{"IB_Close", {316, 6, 30, 30}};

struct ModifierBox {
    Modifier modifier;
    const char* name;
    int x;
    int width;
};
constexpr std::array<ModifierBox, 4> kBoxes{{
    {Modifier::Ctrl, "CB_Ctrl", 56, 52},
    {Modifier::Shift, "CB_Shift", 110, 64},
    {Modifier::Alt, "CB_Alt", 176, 54},
    {Modifier::Win, "CB_Win", 232, 52},
}};

QString qs(const std::string& s) { return QString::fromStdString(s); }

QLabel* picture(QWidget* parent, const char* name, const char* picture, const QRect& at) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setPixmap(QPixmap::fromImage(loadPicture(picture)));
    l->setGeometry(at);
    return l;
}

void setTextColour(QWidget* w) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, kText);
    pal.setColor(QPalette::Text, kText);
    w->setPalette(pal);
}

}  // namespace

KeyCombinationDialog::KeyCombinationDialog(QWidget* mainWindow, const CaptionsModel& captions, ButtonEditor& editor,
                                           std::function<void()> applied)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      editor_(editor),
      combination_(editor.pending()),
      applied_(std::move(applied)) {
    setObjectName("Form2");
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kWidth, kHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(128, 0, 0));
    setPalette(pal);
    setAutoFillBackground(true);
    const QImage background = loadPicture(kBackground);
    if (!background.isNull()) setMask(windowShape(background));

    picture(this, "Img_Assembly", kBackground, rect());
    auto* title = new QLabel(qs(captions.text("Str500")), this);
    title->setObjectName(kTitle.name);
    title->setGeometry(kTitle.rect);
    setTextColour(title);

    edit_ = new QLineEdit(this);
    edit_->setObjectName(kEdit.name);
    edit_->setGeometry(kEdit.rect);
    edit_->setReadOnly(true);
    edit_->setFrame(false);
    edit_->setStyleSheet("QLineEdit { background: transparent; color: #e2e4e8; }");
    edit_->installEventFilter(this);

    for (std::size_t i = 0; i < kBoxes.size(); ++i) {
        const auto& b = kBoxes[i];
        auto* box = new QCheckBox(qs(std::string(modifierWord(b.modifier))), this);
        box->setObjectName(b.name);
        box->setGeometry(b.x, kCheckBoxY, b.width, kCheckBoxHeight);
        box->setFocusPolicy(Qt::NoFocus);
        setTextColour(box);
        connect(box, &QCheckBox::clicked, this, [this, m = b.modifier](bool on) { modifierClicked(m, on); });
        boxes_[i] = box;
    }

    // The hover pictures lie under their transparent button labels.
    struct Button {
        Place place;
        const char* image;
        const char* captionKey;
        void (KeyCombinationDialog::*click)();
    };
    const Button buttons[] = {
        {kConfirm, "Img_Confirm", "Str501", &KeyCombinationDialog::IB_ConfirmClick},
        {kCancel, "Img_Cancel", "Str502", &KeyCombinationDialog::IB_CancelClick},
    };
    for (const auto& b : buttons) {
        QLabel* hover = picture(this, b.image, kButtonHover, b.place.rect);
        hover->hide();
        auto* label = new SkinLabel(this);
        label->setObjectName(b.place.name);
        label->setGeometry(b.place.rect);
        label->setText(qs(captions.text(b.captionKey)));
        label->setAlignment(Qt::AlignCenter);
        setTextColour(label);
        connect(label, &SkinLabel::entered, hover, &QLabel::show);
        connect(label, &SkinLabel::left, hover, &QLabel::hide);
        connect(label, &SkinLabel::clicked, this, b.click);
    }
    auto* close = new SkinLabel(this);
    close->setObjectName(kClose.name);
    close->setGeometry(kClose.rect);
    connect(close, &SkinLabel::clicked, this, &KeyCombinationDialog::IB_CloseClick);

    // Centred on the main window, 40 pixels lower, as the busy window.
    const QRect main = mainWindow->geometry();
    const WindowRect at = busyWindowRect({main.x(), main.y(), main.width(), main.height()}, kWidth, kHeight);
    move(at.x, at.y);
    showState();
}

bool KeyCombinationDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit_ || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    // Edt_AssemblyKeyDown: every key goes to the model, none to the edit or to focus changes.
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers m = key->modifiers();
    combination_.keyDown(
        windowsVirtualKey(*key),
        HeldModifiers{m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::ControlModifier), m.testFlag(Qt::AltModifier)});
    showState();
    return true;
}

void KeyCombinationDialog::modifierClicked(Modifier m, bool checked) {
    combination_.setModifier(m, checked);
    showState();
    edit_->setFocus();  // CBSetFocus
}

void KeyCombinationDialog::showState() {
    edit_->setText(qs(combination_.editText()));
    for (std::size_t i = 0; i < kBoxes.size(); ++i)
        boxes_[i]->setChecked(combination_.modifierChecked(kBoxes[i].modifier));
}

void KeyCombinationDialog::IB_ConfirmClick() {
    combination_.confirm();
    editor_.ApplyAssemblyResult();
    if (applied_) applied_();
    close();
}

void KeyCombinationDialog::IB_CancelClick() {
    combination_.clear();
    showState();
    edit_->setFocus();
}

void KeyCombinationDialog::IB_CloseClick() { close(); }

}  // namespace varnel
