#include "editors/ui/colour_picker.h"

#include <QColorDialog>

namespace varnel {

void pickColour(QWidget& parent, const Rgb& initial, std::function<void(const Rgb&)> chosen) {
    auto* dialog = new QColorDialog(QColor(initial.r, initial.g, initial.b), &parent);
    dialog->setObjectName(kColourDialogName);
    // The same dialog on every desktop, and one that tests can answer.
    dialog->setOption(QColorDialog::DontUseNativeDialog);
    QObject::connect(dialog, &QColorDialog::colorSelected, dialog, [chosen = std::move(chosen)](const QColor& c) {
        chosen(Rgb{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                   static_cast<std::uint8_t>(c.blue())});
    });
    QObject::connect(dialog, &QDialog::finished, dialog, &QObject::deleteLater);
    dialog->open();
}

}  // namespace varnel
