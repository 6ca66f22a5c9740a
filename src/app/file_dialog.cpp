#include "app/file_dialog.h"

#include <QFileDialog>
#include <utility>

namespace varnel {

namespace {

QString dialog(QWidget* parent, FileDialogKind kind, const QString& filter) {
    if (kind == FileDialogKind::Open) return QFileDialog::getOpenFileName(parent, {}, {}, filter);
    return QFileDialog::getSaveFileName(parent, {}, {}, filter, nullptr, QFileDialog::DontConfirmOverwrite);
}

FileDialogHandler& handler() {
    static FileDialogHandler h = dialog;
    return h;
}

}  // namespace

QString chooseFile(QWidget* parent, FileDialogKind kind, const QString& filter) {
    return handler()(parent, kind, filter);
}

FileDialogHandler setFileDialogHandler(FileDialogHandler h) {
    return std::exchange(handler(), h ? std::move(h) : FileDialogHandler(dialog));
}

}  // namespace varnel
