#pragma once
// Binds the Macro page's model to the main window's widgets: the macro list LB_MacroName, the
// owner-drawn event list LB_macro (event picture, text, the red last entry of a full macro), the
// page's buttons, the delay choices and boxes, the insert panel, the rename dialog, the Clear
// question and the macro file dialogs. The window renders the control table; what needs the
// window itself (message boxes, file dialogs, the Save Macro job) comes in as services.
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>
#include <string_view>

#include "editors/macro_page.h"
#include "editors/ui/macro_name_dialog.h"
#include "skin/captions.h"
#include "skin/controls.h"

class QWidget;

namespace varnel {

struct MacroPageServices {
    std::function<void(const QString& text)> message;
    std::function<bool(const QString& text)> question;           // Yes / No: true for Yes
    std::function<QString(const QString& filter)> saveFileName;  // empty when cancelled
    std::function<QString(const QString& filter)> openFileName;
    std::function<void()> saveMacro;  // Save Macro as a device job
};

class MacroPageView : public QObject {
    Q_OBJECT
public:
    // `window` holds the widgets named after the controls; `render` shows what changed. All
    // outlive the view (it is a child of `window`).
    MacroPageView(QWidget& window, MacroPage& page, const ControlTable& controls, const CaptionsModel& captions,
                  MacroPageServices services, std::function<void()> render);

    // The open rename dialog, if any.
    MacroNameDialog* dialog() const { return dialog_; }

private:
    void onClick(std::string_view label, std::function<void()> click);
    void openRenameDialog();
    void clearMacro();
    void exportOne();
    void exportAll();
    void importOne();
    void importAll();
    // The file to export to, after the question about replacing the file that will be written;
    // nullopt when cancelled.
    std::optional<QString> exportTarget();
    void showFailure(const Error& error);
    QString text(std::string_view key) const;
    void sync();

    QWidget& window_;
    MacroPage& page_;
    const CaptionsModel& captions_;
    MacroPageServices services_;
    std::function<void()> render_;
    QPointer<MacroNameDialog> dialog_;
};

}  // namespace varnel
