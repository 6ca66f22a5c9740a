#pragma once
// The key-combination dialog (TForm2): a skinned dialog over the main window, not modal, that
// composes a keyboard code through the KeyCombination model and hands
// it to the button editor on Confirm.
#include <array>
#include <functional>

#include "editors/button_editor.h"
#include "editors/key_combination.h"
#include "skin/ui/skin_dialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace varnel {

class KeyCombinationDialog : public SkinDialog {
    Q_OBJECT
public:
    // Opens over `mainWindow` with the texts of the current language. `applied` runs after a
    // confirmed result went to the editor, so that the window shows it.
    KeyCombinationDialog(QWidget* mainWindow, const CaptionsModel& captions, ButtonEditor& editor,
                         std::function<void()> applied);

    const KeyCombination& combination() const { return combination_; }

public slots:
    void IB_ConfirmClick();
    void IB_CancelClick();
    void IB_CloseClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void modifierClicked(Modifier m, bool checked);
    void showState();

    ButtonEditor& editor_;
    KeyCombination combination_;
    std::function<void()> applied_;
    QLineEdit* edit_ = nullptr;
    std::array<QCheckBox*, 4> boxes_{};
};

}  // namespace varnel
