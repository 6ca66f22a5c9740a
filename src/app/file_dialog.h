#pragma once
// The window's file dialogs go through chooseFile, so tests can answer them instead of blocking on
// a modal dialog.
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>

class QWidget;

namespace varnel {

enum class FileDialogKind { Save, Open };

using FileDialogHandler = std::function<QString(QWidget* parent, FileDialogKind kind, const QString& filter)>;

// The file chosen in a save or open dialog with `filter` ("Profiles (*.bin)"); empty when
// cancelled. The save dialog does not ask about overwriting: the caller asks about the name it
// will really write.
QString chooseFile(QWidget* parent, FileDialogKind kind, const QString& filter);
// The file chosen as a path the file system takes (the name's bytes in the local encoding), or
// nothing when cancelled. For a save, when the ".bin" file that will really be written exists, the
// user is asked `replaceQuestion` (with %1 for that name) first.
std::optional<std::filesystem::path> choosePath(QWidget* parent, FileDialogKind kind, const QString& filter,
                                                const QString& replaceQuestion);
// Installs `handler` (empty: the dialogs again); returns the previous one.
FileDialogHandler setFileDialogHandler(FileDialogHandler handler);

}  // namespace varnel
