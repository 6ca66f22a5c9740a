#pragma once
// Binds the Macro page's model to the main window's widgets: the macro list LB_MacroName, the
// owner-drawn event list LB_macro (event picture, text, the red last entry of a full macro), the
// page's buttons, the delay choices and boxes, the insert panel, the rename dialog, the Clear
// question and the macro file dialogs. The window renders the control table; what needs the
// window itself (message boxes, file dialogs, the Save Macro job) comes in as services.
#include <QObject>
#include <QPointer>
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "editors/macro_page.h"
#include "editors/ui/macro_name_dialog.h"
#include "platform/input_capture.h"
#include "skin/captions.h"
#include "skin/finished_notes.h"
#include "skin/controls.h"

class QWidget;

namespace varnel {

struct MacroPageServices {
    std::function<void(const QString& text)> message;
    std::function<bool(const QString& text)> question;  // Yes / No: true for Yes
    // A macro file chosen in a dialog, nothing when cancelled; for a save the user has agreed to
    // replace the ".bin" file that will really be written.
    std::function<std::optional<std::filesystem::path>(bool save)> chooseFile;
    // Runs `work` while the window is held, so that no poll's search or other job changes the
    // macros while a dialog is open and a file is read or written; nothing while a job holds it.
    std::function<void(const std::function<void()>& work)> whileHeld;
    std::function<void()> saveMacro;  // Save Macro as a device job
    // Record/Stop (whole macro, or insert) and a captured event, through the window's model.
    std::function<Status(bool insert)> recordClick;
    std::function<Status(const InputEvent& e, bool onRecordButton)> recordInput;
    std::function<void(const QString& text)> note;  // the short note that fades: a file written or read
};

class MacroPageView : public QObject {
    Q_OBJECT
public:
    // `window` holds the widgets named after the controls; `render` shows what changed. All
    // outlive the view (it is a child of `window`).
    MacroPageView(QWidget& window, MacroPage& page, const ControlTable& controls, const CaptionsModel& captions,
                  MacroPageServices services, std::function<void()> render);

    ~MacroPageView() override;

    // The open rename dialog, if any.
    MacroNameDialog* dialog() const { return dialog_; }
    // Input is captured exactly while the page records (a recording also ends when the mouse
    // leaves or the lists are emptied).
    void followRecording();
    // Tests put a capture of their own in place before the first recording.
    void setCapture(std::unique_ptr<InputCapture> capture);

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
    void showFailure(const Error& error);
    // A macro file that was written or read: the note that says so.
    void tellDone(Finished action, const std::filesystem::path& file);
    // An import's failure, or its note and which macros it had to make consistent.
    void showImport(const Result<RepairedMacros>& imported, Finished action, const std::filesystem::path& file);
    void recordClick(bool insert);
    void recordInput(const InputEvent& e);
    QString text(std::string_view key) const;
    void sync();

    QWidget& window_;
    MacroPage& page_;
    const CaptionsModel& captions_;
    MacroPageServices services_;
    std::function<void()> render_;
    QPointer<MacroNameDialog> dialog_;
    std::unique_ptr<InputCapture> capture_;
};

}  // namespace varnel
