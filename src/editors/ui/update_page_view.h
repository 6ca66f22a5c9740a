#pragma once
// Binds the Update page's model to the main window's widgets: Btn_LoadBIN opens the file dialog
// and has the chosen file read, Btn_Program programs it. The window renders the control table;
// what needs the window itself (the file dialog, the device jobs) comes in as services.
#include <QObject>
#include <QString>
#include <filesystem>
#include <functional>

#include "editors/update_page.h"

class QWidget;

namespace varnel {

struct UpdatePageServices {
    std::function<QString()> openFileName;                                // empty when cancelled
    std::function<void(const std::filesystem::path& file)> loadFirmware;  // reads the file as a job
    std::function<void()> program;  // programs the loaded file as a job, then finds the restarted mouse
};

class UpdatePageView : public QObject {
    Q_OBJECT
public:
    // `window` holds the widgets named after the controls; `render` shows what changed. All
    // outlive the view (it is a child of `window`).
    UpdatePageView(QWidget& window, UpdatePage& page, UpdatePageServices services, std::function<void()> render);

    void Btn_LoadBINClick();
    void Btn_ProgramClick();

private:
    UpdatePage& page_;
    UpdatePageServices services_;
    std::function<void()> render_;
};

}  // namespace varnel
