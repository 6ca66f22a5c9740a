#pragma once
// The key-combination dialog (TForm2) as a model: up to four modifiers chosen with check boxes
// and a run of at most two typed keys, shown as text such as "Ctrl+Shift+A" and confirmed into a
// keyboard CodeText for the button selected in the main window.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace varnel {

// Keys one combination holds besides its modifiers.
constexpr int kMaxKeysPerRun = 2;

// The result the dialog hands to the main window (consumed by ApplyAssemblyResult).
struct PendingAssembly {
    std::string caption;
    std::string codeText;
    bool confirmed = false;
    bool operator==(const PendingAssembly&) const = default;
};

// The four check boxes, in the bit order of the modifier byte (bit 0 Ctrl .. bit 3 Win).
enum class Modifier { Ctrl, Shift, Alt, Win };
constexpr std::array<Modifier, 4> kModifiers{Modifier::Ctrl, Modifier::Shift, Modifier::Alt, Modifier::Win};
// "Ctrl", "Shift", "Alt", "Win".
std::string_view modifierWord(Modifier m);

// Which of Shift, Ctrl and Alt are held while a key goes down.
struct HeldModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool any() const { return shift || ctrl || alt; }
};

class KeyCombination {
public:
    // Opening: the main window's pending result is cleared; the dialog starts empty.
    explicit KeyCombination(PendingAssembly& pending);

    // Edt_AssemblyKeyDown with a Windows virtual-key code. A Windows key, a Shift, Ctrl or Alt
    // key, and any key pressed while one of those is held are swallowed (false).
    bool keyDown(int vk, HeldModifiers held);
    // CB_CtrlClick .. CB_WinClick: the box now shows `checked`.
    void setModifier(Modifier m, bool checked);
    // IB_ConfirmClick: fills the pending result; the caller then runs ApplyAssemblyResult and
    // closes the dialog.
    void confirm();
    // IB_CancelClick ("Clear"): empties the dialog and the pending result; the dialog stays.
    void clear();

    const std::string& editText() const { return editText_; }
    bool modifierChecked(Modifier m) const { return checked_[index(m)]; }
    int keyCount() const { return keyCount_; }
    std::uint8_t firstKeyCode() const { return firstKeyCode_; }
    std::uint8_t secondKeyCode() const { return secondKeyCode_; }
    const std::string& lastKeyName() const { return lastKeyName_; }
    const std::string& keysText() const { return keysText_; }
    const std::string& resultCode() const { return resultCode_; }
    // ModifierBits as Confirm computes it from the boxes.
    std::uint8_t modifierBits() const;

private:
    static std::size_t index(Modifier m) { return static_cast<std::size_t>(m); }
    // The checked modifiers joined by "+", always in the order Ctrl, Shift, Alt, Win.
    std::string modifierText() const;
    // The edit shows the modifiers, then the keys of the current run.
    void showCombination();

    PendingAssembly& pending_;
    std::array<bool, 4> checked_{};
    int keyCount_ = 0;
    std::uint8_t firstKeyCode_ = 0;
    std::uint8_t secondKeyCode_ = 0;
    std::string lastKeyName_;
    std::string keysText_;
    std::string resultCode_;
    std::string editText_;
};

}  // namespace varnel
