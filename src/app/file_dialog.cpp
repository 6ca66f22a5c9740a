#include "app/file_dialog.h"

#include <QFile>
#include <QFileDialog>
#include <system_error>
#include <utility>

#include "app/message_box.h"
#include "common/file_io.h"

namespace varnel {

namespace {

QString dialog(QWidget* parent, FileDialogKind kind, const QString& filter) {
    QFileDialog d(parent, {}, {}, filter);
    // Modal to its window only, as the message boxes are.
    d.setWindowModality(parent != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    if (kind == FileDialogKind::Open) {
        d.setFileMode(QFileDialog::ExistingFile);
    } else {
        d.setAcceptMode(QFileDialog::AcceptSave);
        d.setOption(QFileDialog::DontConfirmOverwrite);
    }
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return {};
    return d.selectedFiles().constFirst();
}

FileDialogHandler& handler() {
    static FileDialogHandler h = dialog;
    return h;
}

}  // namespace

QString chooseFile(QWidget* parent, FileDialogKind kind, const QString& filter) {
    return handler()(parent, kind, filter);
}

std::optional<std::filesystem::path> choosePath(QWidget* parent, FileDialogKind kind, const QString& filter,
                                                const QString& replaceQuestion) {
    const QString chosen = chooseFile(parent, kind, filter);
    if (chosen.isEmpty()) return std::nullopt;
    const std::filesystem::path file(QFile::encodeName(chosen).toStdString());
    if (kind == FileDialogKind::Open) return file;
    // The dialog asked nothing: the question is about the name that will really be written.
    const std::filesystem::path written = withBinExtension(file);
    std::error_code ec;
    if (std::filesystem::exists(written, ec)) {
        const QString question = QString(replaceQuestion).replace("%1", QFile::decodeName(written.c_str()));
        if (!askQuestion(parent, question)) return std::nullopt;
    }
    return file;
}

FileDialogHandler setFileDialogHandler(FileDialogHandler h) {
    return std::exchange(handler(), h ? std::move(h) : FileDialogHandler(dialog));
}

}  // namespace varnel
