#pragma once
// The macro-name dialog (TForm3): a skinned dialog centred on the main window, not modal, whose
// confirmed name goes to whichever macro the page has selected then.
#include <functional>

#include "editors/macro_page.h"
#include "skin/captions.h"
#include "skin/ui/skin_dialog.h"

class QLabel;
class QLineEdit;

namespace varnel {

class MacroNameDialog : public SkinDialog {
    Q_OBJECT
public:
    // Opens over `mainWindow` with the texts of the current language and the macro's name, the
    // characters still free shown under it. `renamed`
    // runs after a confirmed name went to the page, so that the window shows it.
    MacroNameDialog(QWidget* mainWindow, const CaptionsModel& captions, MacroPage& page, std::function<void()> renamed);

public slots:
    void IB_ConfirmClick();
    void IB_CancelClick();
    void IB_CloseClick();

private:
    MacroPage& page_;
    std::function<void()> renamed_;
    void showRoom();

    QLineEdit* edit_ = nullptr;
    QLabel* room_ = nullptr;
    QString roomText_;
};

}  // namespace varnel
