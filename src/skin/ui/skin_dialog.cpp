#include "skin/ui/skin_dialog.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>

#include "skin/ui/pictures.h"
#include "skin/ui/skin_widgets.h"

namespace varnel {

namespace {

constexpr char kButtonHover[] = "DlgBtnS_02";
constexpr QColor kText(226, 228, 232);
constexpr QColor kMaroon(128, 0, 0);
constexpr QRect kTitle{10, 25, 164, 24};
constexpr QRect kEdit{56, 68, 209, 22};
constexpr QRect kNote{56, 94, 209, 18};
constexpr QRect kConfirm{44, 134, 97, 29};
constexpr QRect kCancel{196, 134, 97, 29};
constexpr QRect kClose{316, 6, 30, 30};

QLabel* picture(QWidget* parent, const char* name, const char* picture, const QRect& at) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setPixmap(QPixmap::fromImage(loadPicture(picture)));
    l->setGeometry(at);
    return l;
}

}  // namespace

SkinDialog::SkinDialog(QWidget* mainWindow, const char* objectName, const char* background, const char* backgroundName)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(objectName);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kWidth, kHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kMaroon);
    setPalette(pal);
    setAutoFillBackground(true);
    const QImage image = loadPicture(background);
    if (!image.isNull()) setMask(windowShape(image));
    picture(this, backgroundName, background, rect());
}

void SkinDialog::setTextColour(QWidget* w) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, kText);
    pal.setColor(QPalette::Text, kText);
    w->setPalette(pal);
}

QLabel* SkinDialog::addTitle(const char* name, const QString& text) {
    auto* title = new QLabel(text, this);
    title->setObjectName(name);
    title->setGeometry(kTitle);
    setTextColour(title);
    return title;
}

QLabel* SkinDialog::addNote(const char* name) {
    auto* note = new QLabel(this);
    note->setObjectName(name);
    note->setGeometry(kNote);
    note->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont f = note->font();
    f.setPointSize(8);
    note->setFont(f);
    setTextColour(note);
    return note;
}

QLineEdit* SkinDialog::addEdit(const char* name) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setGeometry(kEdit);
    edit->setFrame(false);
    edit->setStyleSheet("QLineEdit { background: transparent; color: #e2e4e8; }");
    edit_ = edit;
    return edit;
}

SkinLabel* SkinDialog::addButton(bool confirm, const char* name, const char* hoverName, const QString& caption) {
    const QRect& at = confirm ? kConfirm : kCancel;
    // The hover picture lies under its transparent button label.
    QLabel* hover = picture(this, hoverName, kButtonHover, at);
    hover->hide();
    auto* label = new SkinLabel(this);
    label->setObjectName(name);
    label->setGeometry(at);
    label->setText(caption);
    label->setAlignment(Qt::AlignCenter);
    setTextColour(label);
    connect(label, &SkinLabel::entered, hover, &QLabel::show);
    connect(label, &SkinLabel::left, hover, &QLabel::hide);
    return label;
}

SkinLabel* SkinDialog::addClose(const char* name) {
    auto* close = new SkinLabel(this);
    close->setObjectName(name);
    close->setGeometry(kClose);
    return close;
}

void SkinDialog::addConfirmCancelClose(const QString& confirmCaption, const QString& cancelCaption,
                                       std::function<void()> confirm, std::function<void()> cancel,
                                       std::function<void()> close) {
    connect(addButton(true, "IB_Confirm", "Img_Confirm", confirmCaption), &SkinLabel::clicked, this,
            std::move(confirm));
    connect(addButton(false, "IB_Cancel", "Img_Cancel", cancelCaption), &SkinLabel::clicked, this, std::move(cancel));
    connect(addClose("IB_Close"), &SkinLabel::clicked, this, std::move(close));
}

void SkinDialog::present() {
    show();
    raise();
    activateWindow();
    if (edit_ != nullptr) edit_->setFocus();
}

}  // namespace varnel
