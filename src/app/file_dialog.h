#pragma once
// The window's file dialogs go through chooseFile, so tests can answer them instead of blocking on
// a modal dialog.
#include <QString>
#include <functional>

class QWidget;

namespace varnel {

enum class FileDialogKind { Save, Open };

using FileDialogHandler = std::function<QString(QWidget* parent, FileDialogKind kind, const QString& filter)>;

// The file chosen in a save or open dialog with `filter` ("SaveFile(*.bin)"); empty when
// cancelled. The save dialog does not ask about overwriting: the caller asks about the name it
// will really write.
QString chooseFile(QWidget* parent, FileDialogKind kind, const QString& filter);
// Installs `handler` (empty: the dialogs again); returns the previous one.
FileDialogHandler setFileDialogHandler(FileDialogHandler handler);

}  // namespace varnel
