#include "editors/key_combination.h"

#include "config/action_codes.h"
#include "config/key_table.h"

namespace varnel {

namespace {


// Virtual keys that never become part of a combination: the Windows keys (the Win box stands
// for them) and the Shift, Ctrl and Alt keys themselves, generic and sided, which some platforms
// report before their own modifier state is set.
constexpr int kSwallowedKeys[] = {0x5B, 0x5C, 0x10, 0x11, 0x12, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5};

bool swallowed(int vk) {
    for (int k : kSwallowedKeys) {
        if (k == vk) return true;
    }
    return false;
}

std::string joined(std::string_view left, std::string_view right) {
    if (left.empty()) return std::string(right);
    if (right.empty()) return std::string(left);
    return std::string(left) + "+" + std::string(right);
}

}  // namespace

std::string_view modifierWord(Modifier m) {
    static constexpr std::string_view kWords[] = {"Ctrl", "Shift", "Alt", "Win"};
    return kWords[static_cast<std::size_t>(m)];
}

KeyCombination::KeyCombination(PendingAssembly& pending) : pending_(pending) { pending_ = {}; }

std::string KeyCombination::modifierText() const {
    std::string text;
    for (Modifier m : kModifiers) {
        if (checked_[index(m)]) text = joined(text, modifierWord(m));
    }
    return text;
}

void KeyCombination::showCombination() { editText_ = joined(modifierText(), keysText_); }

std::uint8_t KeyCombination::modifierBits() const {
    std::uint8_t bits = 0;
    for (Modifier m : kModifiers) {
        if (checked_[index(m)]) bits |= static_cast<std::uint8_t>(1u << index(m));
    }
    return bits;
}

bool KeyCombination::keyDown(int vk, HeldModifiers held) {
    if (keyCount_ == kMaxKeysPerRun) {
        // A third key starts a new run.
        lastKeyName_.clear();
        keysText_.clear();
        resultCode_.clear();
        keyCount_ = 0;
        firstKeyCode_ = 0;
        secondKeyCode_ = 0;
        showCombination();
    }
    if (swallowed(vk) || held.any()) return false;
    lastKeyName_ = KeyName(vk);
    keysText_ = joined(keysText_, lastKeyName_);
    (keyCount_ == 0 ? firstKeyCode_ : secondKeyCode_) = KeyUsage(vk);
    ++keyCount_;
    showCombination();
    return true;
}

void KeyCombination::setModifier(Modifier m, bool checked) {
    checked_[index(m)] = checked;
    showCombination();
}

void KeyCombination::confirm() {
    const ActionCode code{kKindKeyboard, modifierBits(), firstKeyCode_, secondKeyCode_};
    resultCode_ = codeTextFromBytes(code);
    pending_ = PendingAssembly{editText_, resultCode_, true};
}

void KeyCombination::clear() {
    checked_ = {};
    keyCount_ = 0;
    firstKeyCode_ = 0;
    secondKeyCode_ = 0;
    lastKeyName_.clear();
    resultCode_.clear();
    keysText_.clear();
    editText_.clear();
    pending_ = {};
}

}  // namespace varnel
