#pragma once
// The frame of the window's two small dialogs (key combination, macro name): a borderless window
// over the main window, on top and not modal, whose maroon see-through surround takes the shape
// of its background picture, with a title, one edit well, Confirm and Cancel buttons that show a
// hover picture, and a close area at the top right. The places match the skin's dialog pictures.
#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;

namespace varnel {

class SkinLabel;

class SkinDialog : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 354;
    static constexpr int kHeight = 179;

    // Shows the dialog in front of the main window with the keyboard in its edit.
    void present();

protected:
    // `objectName` names the dialog ("Form2"); `background` is its picture, shown as
    // `backgroundName`.
    SkinDialog(QWidget* mainWindow, const char* objectName, const char* background, const char* backgroundName);

    QLabel* addTitle(const char* name, const QString& text);
    // The edit in the well under the title.
    QLineEdit* addEdit(const char* name);
    // A small line under the well, for what the edit takes.
    QLabel* addNote(const char* name);
    // The confirm (left) or cancel (right) button with its hover picture `hoverName` under it.
    SkinLabel* addButton(bool confirm, const char* name, const char* hoverName, const QString& caption);
    SkinLabel* addClose(const char* name);
    // Confirm, Cancel (under their fixed names and hover pictures) and the close area, wired to
    // the three handlers.
    void addConfirmCancelClose(const QString& confirmCaption, const QString& cancelCaption,
                               std::function<void()> confirm, std::function<void()> cancel,
                               std::function<void()> close);
    // Text in the dialogs' light grey.
    static void setTextColour(QWidget* w);

private:
    QLineEdit* edit_ = nullptr;
};

}  // namespace varnel
