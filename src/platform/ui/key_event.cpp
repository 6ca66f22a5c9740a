#include "platform/ui/key_event.h"

#include <QKeyEvent>

namespace varnel {

namespace {

// Which part of the event a row is matched against, in lookup order.
enum class Match {
    Keypad,       // Qt key with the keypad modifier
    Key,          // Qt key
    Position,     // native scan code
    UsCharacter,  // Qt key of a US-layout character, for events without a scan code
};

// A run of codes [first, last] that maps onto virtual keys from `vk` upwards.
struct KeyRow {
    Match match;
    int first;
    int last;
    int vk;
};

constexpr KeyRow one(Match m, int code, int vk) { return {m, code, code, vk}; }

// xkb keycodes are evdev key codes + 8.
constexpr int xkb(int evdev) { return evdev + 8; }

constexpr KeyRow kRows[] = {
    // Numeric pad.
    {Match::Keypad, Qt::Key_0, Qt::Key_9, 0x60},
    one(Match::Keypad, Qt::Key_Asterisk, 0x6A),
    one(Match::Keypad, Qt::Key_Plus, 0x6B),
    one(Match::Keypad, Qt::Key_Minus, 0x6D),
    one(Match::Keypad, Qt::Key_Period, 0x6E),
    one(Match::Keypad, Qt::Key_Comma, 0x6E),  // the decimal key of comma layouts
    one(Match::Keypad, Qt::Key_Slash, 0x6F),

    // Keys named the same on every layout.
    {Match::Key, Qt::Key_A, Qt::Key_Z, 0x41},
    {Match::Key, Qt::Key_0, Qt::Key_9, 0x30},
    {Match::Key, Qt::Key_F1, Qt::Key_F24, 0x70},
    one(Match::Key, Qt::Key_Backspace, 0x08),
    one(Match::Key, Qt::Key_Tab, 0x09),
    one(Match::Key, Qt::Key_Backtab, 0x09),
    one(Match::Key, Qt::Key_Clear, 0x0C),
    one(Match::Key, Qt::Key_Return, 0x0D),
    one(Match::Key, Qt::Key_Enter, 0x0D),
    one(Match::Key, Qt::Key_Shift, 0x10),
    one(Match::Key, Qt::Key_Control, 0x11),
    one(Match::Key, Qt::Key_Alt, 0x12),
    one(Match::Key, Qt::Key_AltGr, 0x12),
    one(Match::Key, Qt::Key_Pause, 0x13),
    one(Match::Key, Qt::Key_CapsLock, 0x14),
    one(Match::Key, Qt::Key_Escape, 0x1B),
    one(Match::Key, Qt::Key_Space, 0x20),
    one(Match::Key, Qt::Key_PageUp, 0x21),
    one(Match::Key, Qt::Key_PageDown, 0x22),
    one(Match::Key, Qt::Key_End, 0x23),
    one(Match::Key, Qt::Key_Home, 0x24),
    one(Match::Key, Qt::Key_Left, 0x25),
    one(Match::Key, Qt::Key_Up, 0x26),
    one(Match::Key, Qt::Key_Right, 0x27),
    one(Match::Key, Qt::Key_Down, 0x28),
    one(Match::Key, Qt::Key_Select, 0x29),
    one(Match::Key, Qt::Key_Print, 0x2C),
    one(Match::Key, Qt::Key_Insert, 0x2D),
    one(Match::Key, Qt::Key_Delete, 0x2E),
    one(Match::Key, Qt::Key_Help, 0x2F),
    one(Match::Key, Qt::Key_Menu, 0x5D),
    one(Match::Key, Qt::Key_NumLock, 0x90),
    one(Match::Key, Qt::Key_ScrollLock, 0x91),
    one(Match::Key, Qt::Key_Back, 0xA6),
    one(Match::Key, Qt::Key_Forward, 0xA7),
    one(Match::Key, Qt::Key_Refresh, 0xA8),
    one(Match::Key, Qt::Key_Stop, 0xA9),
    one(Match::Key, Qt::Key_Search, 0xAA),
    one(Match::Key, Qt::Key_Favorites, 0xAB),
    one(Match::Key, Qt::Key_HomePage, 0xAC),
    one(Match::Key, Qt::Key_VolumeMute, 0xAD),
    one(Match::Key, Qt::Key_VolumeDown, 0xAE),
    one(Match::Key, Qt::Key_VolumeUp, 0xAF),
    one(Match::Key, Qt::Key_MediaNext, 0xB0),
    one(Match::Key, Qt::Key_MediaPrevious, 0xB1),
    one(Match::Key, Qt::Key_MediaStop, 0xB2),
    one(Match::Key, Qt::Key_MediaPlay, 0xB3),
    one(Match::Key, Qt::Key_MediaPause, 0xB3),
    one(Match::Key, Qt::Key_MediaTogglePlayPause, 0xB3),
    one(Match::Key, Qt::Key_LaunchMail, 0xB4),
    one(Match::Key, Qt::Key_LaunchMedia, 0xB5),
    one(Match::Key, Qt::Key_Launch0, 0xB6),
    one(Match::Key, Qt::Key_Launch1, 0xB7),

    // Positions of a US keyboard: punctuation, and the letters and digits for layouts whose
    // keys carry other characters there.
    {Match::Position, xkb(2), xkb(10), 0x31},  // 1..9
    one(Match::Position, xkb(11), 0x30),
    one(Match::Position, xkb(12), 0xBD),  // - _
    one(Match::Position, xkb(13), 0xBB),  // = +
    one(Match::Position, xkb(16), 'Q'),
    one(Match::Position, xkb(17), 'W'),
    one(Match::Position, xkb(18), 'E'),
    one(Match::Position, xkb(19), 'R'),
    one(Match::Position, xkb(20), 'T'),
    one(Match::Position, xkb(21), 'Y'),
    one(Match::Position, xkb(22), 'U'),
    one(Match::Position, xkb(23), 'I'),
    one(Match::Position, xkb(24), 'O'),
    one(Match::Position, xkb(25), 'P'),
    one(Match::Position, xkb(26), 0xDB),  // [ {
    one(Match::Position, xkb(27), 0xDD),  // ] }
    one(Match::Position, xkb(30), 'A'),
    one(Match::Position, xkb(31), 'S'),
    one(Match::Position, xkb(32), 'D'),
    one(Match::Position, xkb(33), 'F'),
    one(Match::Position, xkb(34), 'G'),
    one(Match::Position, xkb(35), 'H'),
    one(Match::Position, xkb(36), 'J'),
    one(Match::Position, xkb(37), 'K'),
    one(Match::Position, xkb(38), 'L'),
    one(Match::Position, xkb(39), 0xBA),  // ; :
    one(Match::Position, xkb(40), 0xDE),  // ' "
    one(Match::Position, xkb(41), 0xC0),  // ` ~
    one(Match::Position, xkb(43), 0xDC),  // \ |
    one(Match::Position, xkb(44), 'Z'),
    one(Match::Position, xkb(45), 'X'),
    one(Match::Position, xkb(46), 'C'),
    one(Match::Position, xkb(47), 'V'),
    one(Match::Position, xkb(48), 'B'),
    one(Match::Position, xkb(49), 'N'),
    one(Match::Position, xkb(50), 'M'),
    one(Match::Position, xkb(51), 0xBC),  // , <
    one(Match::Position, xkb(52), 0xBE),  // . >
    one(Match::Position, xkb(53), 0xBF),  // / ?

    // The same positions by the characters a US layout gives them, shifted or not.
    one(Match::UsCharacter, Qt::Key_Exclam, 0x31),
    one(Match::UsCharacter, Qt::Key_At, 0x32),
    one(Match::UsCharacter, Qt::Key_NumberSign, 0x33),
    one(Match::UsCharacter, Qt::Key_Dollar, 0x34),
    one(Match::UsCharacter, Qt::Key_Percent, 0x35),
    one(Match::UsCharacter, Qt::Key_AsciiCircum, 0x36),
    one(Match::UsCharacter, Qt::Key_Ampersand, 0x37),
    one(Match::UsCharacter, Qt::Key_Asterisk, 0x38),
    one(Match::UsCharacter, Qt::Key_ParenLeft, 0x39),
    one(Match::UsCharacter, Qt::Key_ParenRight, 0x30),
    one(Match::UsCharacter, Qt::Key_Semicolon, 0xBA),
    one(Match::UsCharacter, Qt::Key_Colon, 0xBA),
    one(Match::UsCharacter, Qt::Key_Equal, 0xBB),
    one(Match::UsCharacter, Qt::Key_Plus, 0xBB),
    one(Match::UsCharacter, Qt::Key_Comma, 0xBC),
    one(Match::UsCharacter, Qt::Key_Less, 0xBC),
    one(Match::UsCharacter, Qt::Key_Minus, 0xBD),
    one(Match::UsCharacter, Qt::Key_Underscore, 0xBD),
    one(Match::UsCharacter, Qt::Key_Period, 0xBE),
    one(Match::UsCharacter, Qt::Key_Greater, 0xBE),
    one(Match::UsCharacter, Qt::Key_Slash, 0xBF),
    one(Match::UsCharacter, Qt::Key_Question, 0xBF),
    one(Match::UsCharacter, Qt::Key_QuoteLeft, 0xC0),
    one(Match::UsCharacter, Qt::Key_AsciiTilde, 0xC0),
    one(Match::UsCharacter, Qt::Key_BracketLeft, 0xDB),
    one(Match::UsCharacter, Qt::Key_BraceLeft, 0xDB),
    one(Match::UsCharacter, Qt::Key_Backslash, 0xDC),
    one(Match::UsCharacter, Qt::Key_Bar, 0xDC),
    one(Match::UsCharacter, Qt::Key_BracketRight, 0xDD),
    one(Match::UsCharacter, Qt::Key_BraceRight, 0xDD),
    one(Match::UsCharacter, Qt::Key_Apostrophe, 0xDE),
    one(Match::UsCharacter, Qt::Key_QuoteDbl, 0xDE),
};

constexpr int kLeftWindows = 0x5B;
constexpr int kRightWindows = 0x5C;
// X keysyms and the xkb keycode of the right-hand Windows key.
constexpr quint32 kKeysymMetaR = 0xFFE8;
constexpr quint32 kKeysymSuperR = 0xFFEC;
constexpr quint32 kRightWindowsPosition = xkb(126);

int lookup(Match m, int code) {
    for (const auto& r : kRows) {
        if (r.match == m && code >= r.first && code <= r.last) return r.vk + (code - r.first);
    }
    return 0;
}

bool isWindowsKey(int key) { return key == Qt::Key_Meta || key == Qt::Key_Super_L || key == Qt::Key_Super_R; }

int windowsKey(const QtKeyInput& in) {
    const bool right = in.key == Qt::Key_Super_R || in.nativeVirtualKey == kKeysymSuperR ||
                       in.nativeVirtualKey == kKeysymMetaR || in.nativeScanCode == kRightWindowsPosition;
    return right ? kRightWindows : kLeftWindows;
}

}  // namespace

int windowsVirtualKey(const QtKeyInput& in) {
    if (isWindowsKey(in.key)) return windowsKey(in);
    if (in.modifiers.testFlag(Qt::KeypadModifier)) {
        if (const int vk = lookup(Match::Keypad, in.key)) return vk;
    }
    if (const int vk = lookup(Match::Key, in.key)) return vk;
    if (in.nativeScanCode != 0) {
        if (const int vk = lookup(Match::Position, static_cast<int>(in.nativeScanCode))) return vk;
    }
    return lookup(Match::UsCharacter, in.key);
}

int windowsVirtualKey(const QKeyEvent& event) {
    return windowsVirtualKey(
        QtKeyInput{event.key(), event.modifiers(), event.nativeScanCode(), event.nativeVirtualKey()});
}

}  // namespace varnel
