#pragma once
// Binds the button editor to the main window's widgets: the picture buttons Key1..Key9, the
// menus and their entries, the macro picker LB_Name and the key-combination dialog. The window
// renders the control table; this adds the clicks and hovers the bar does not handle and paints
// the highlighted entry's background.
#include <QObject>
#include <QPointer>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editors/button_editor.h"
#include "editors/ui/key_combination_dialog.h"

namespace varnel {

class ButtonEditorView : public QObject {
    Q_OBJECT
public:
    // `window` holds the widgets named after the controls `editor` changes; `render` shows what
    // changed. All outlive the view (it is a child of `window`).
    ButtonEditorView(QWidget& window, ButtonEditor& editor, const CaptionsModel& captions,
                     std::function<void()> render);

    ButtonEditor& editor() { return editor_; }
    // The open key-combination dialog, if any.
    KeyCombinationDialog* dialog() const { return dialog_; }

private:
    void connectLabel(std::string_view name, std::function<void()> enter, std::function<void()> leave,
                      std::function<void()> click);
    void openDialog();
    void sync();
    void paintEntries();

    QWidget& window_;
    ButtonEditor& editor_;
    const CaptionsModel& captions_;
    std::function<void()> render_;
    std::vector<std::string> entries_;
    QPointer<KeyCombinationDialog> dialog_;
};

}  // namespace varnel
