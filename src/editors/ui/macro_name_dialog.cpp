#include "editors/ui/macro_name_dialog.h"

#include <QLineEdit>

#include "macros/macro_format.h"
#include "skin/ui/skin_widgets.h"
#include "skin/window_geometry.h"

namespace varnel {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

MacroNameDialog::MacroNameDialog(QWidget* mainWindow, const CaptionsModel& captions, MacroPage& page,
                                 std::function<void()> renamed)
    : SkinDialog(mainWindow, "Form3", "MacroNameBase", "Img_MacroName"), page_(page), renamed_(std::move(renamed)) {
    addTitle("lbl_MacroName", qs(captions.text("Str510")));
    edit_ = addEdit("Edt_MacroName");
    edit_->setMaxLength(static_cast<int>(kMaxNameUnits));  // UTF-16 units, as QLineEdit counts
    edit_->setText(qs(page_.pendingName()));
    edit_->selectAll();
    room_ = addNote("lbl_MacroNameRoom");
    roomText_ = qs(captions.text("Str551"));
    showRoom();
    connect(edit_, &QLineEdit::textChanged, this, [this] { showRoom(); });
    connect(edit_, &QLineEdit::returnPressed, this, &MacroNameDialog::IB_ConfirmClick);
    addConfirmCancelClose(
        qs(captions.text("Str511")), qs(captions.text("Str512")), [this] { IB_ConfirmClick(); },
        [this] { IB_CancelClick(); }, [this] { IB_CloseClick(); });

    const QRect main = mainWindow->geometry();
    const WindowRect at = centredOn({main.x(), main.y(), main.width(), main.height()}, kWidth, kHeight);
    move(at.x, at.y);
}

void MacroNameDialog::showRoom() {
    const auto room = MacroPage::nameRoom(edit_->text().toStdString());
    room_->setText(QString(roomText_).replace("%1", QString::number(room.value_or(0))));
}

void MacroNameDialog::IB_ConfirmClick() {
    page_.confirmRename(edit_->text().toStdString());
    if (renamed_) renamed_();
    close();
}

void MacroNameDialog::IB_CancelClick() {
    edit_->clear();
    edit_->setFocus();
}

void MacroNameDialog::IB_CloseClick() { close(); }

}  // namespace varnel
