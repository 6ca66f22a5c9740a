#include "editors/ui/key_combination_dialog.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "platform/ui/key_event.h"
#include "skin/ui/skin_widgets.h"
#include "skin/window_geometry.h"

namespace varnel {

namespace {

// The modifier boxes in the skin's colours: a dark well with a grey rim, filled teal when ticked.
constexpr char kCheckBoxSheet[] =
    "QCheckBox { color: #e2e4e8; spacing: 6px; }"
    " QCheckBox::indicator { width: 13px; height: 13px; border: 1px solid #8a8e96; border-radius: 2px;"
    " background: #18191c; }"
    " QCheckBox::indicator:hover { border-color: #c81e1e; }"
    " QCheckBox::indicator:checked { background: #00a0a0; border-color: #d8f4f4; }";

constexpr char kBackground[] = "AssemblyBase";
constexpr int kCheckBoxY = 96;
constexpr int kCheckBoxHeight = 20;

struct ModifierBox {
    Modifier modifier;
    const char* name;
    int x;
    int width;
};
constexpr std::array<ModifierBox, 4> kBoxes{{
    {Modifier::Ctrl, "CB_Ctrl", 56, 52},
    {Modifier::Shift, "CB_Shift", 110, 64},
    {Modifier::Alt, "CB_Alt", 176, 54},
    {Modifier::Win, "CB_Win", 232, 52},
}};

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

KeyCombinationDialog::KeyCombinationDialog(QWidget* mainWindow, const CaptionsModel& captions, ButtonEditor& editor,
                                           std::function<void()> applied)
    : SkinDialog(mainWindow, "Form2", kBackground, "Img_Assembly"),
      editor_(editor),
      combination_(editor.pending()),
      applied_(std::move(applied)) {
    addTitle("lbl_Assembly", qs(captions.text("Str500")));
    edit_ = addEdit("Edt_Assembly");
    edit_->setReadOnly(true);
    edit_->installEventFilter(this);

    for (std::size_t i = 0; i < kBoxes.size(); ++i) {
        const auto& b = kBoxes[i];
        auto* box = new QCheckBox(qs(std::string(modifierWord(b.modifier))), this);
        box->setObjectName(b.name);
        box->setGeometry(b.x, kCheckBoxY, b.width, kCheckBoxHeight);
        box->setFocusPolicy(Qt::NoFocus);
        setTextColour(box);
        box->setStyleSheet(kCheckBoxSheet);
        connect(box, &QCheckBox::clicked, this, [this, m = b.modifier](bool on) { modifierClicked(m, on); });
        boxes_[i] = box;
    }

    addConfirmCancelClose(
        qs(captions.text("Str501")), qs(captions.text("Str502")), [this] { IB_ConfirmClick(); },
        [this] { IB_CancelClick(); }, [this] { IB_CloseClick(); });

    // Centred on the main window, 40 pixels lower, as the busy window.
    const QRect main = mainWindow->geometry();
    const WindowRect at = busyWindowRect({main.x(), main.y(), main.width(), main.height()}, kWidth, kHeight);
    move(at.x, at.y);
    showState();
}

bool KeyCombinationDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit_ || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    // Edt_AssemblyKeyDown: every key goes to the model, none to the edit or to focus changes.
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers m = key->modifiers();
    combination_.keyDown(
        windowsVirtualKey(*key),
        HeldModifiers{m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::ControlModifier), m.testFlag(Qt::AltModifier)});
    showState();
    return true;
}

void KeyCombinationDialog::modifierClicked(Modifier m, bool checked) {
    combination_.setModifier(m, checked);
    showState();
    edit_->setFocus();  // CBSetFocus
}

void KeyCombinationDialog::showState() {
    edit_->setText(qs(combination_.editText()));
    for (std::size_t i = 0; i < kBoxes.size(); ++i)
        boxes_[i]->setChecked(combination_.modifierChecked(kBoxes[i].modifier));
}

void KeyCombinationDialog::IB_ConfirmClick() {
    combination_.confirm();
    editor_.ApplyAssemblyResult();
    if (applied_) applied_();
    close();
}

void KeyCombinationDialog::IB_CancelClick() {
    combination_.clear();
    showState();
    edit_->setFocus();
}

void KeyCombinationDialog::IB_CloseClick() { close(); }

}  // namespace varnel
