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

// X keysyms of the keys the table reads by their Qt key; every other key (punctuation) is read
// by its position.
struct KeysymRow {
    quint32 first;
    quint32 last;
    int key;  // Qt::Key of `first`
    bool keypad = false;
};
constexpr KeysymRow sym(quint32 keysym, int key, bool keypad = false) { return {keysym, keysym, key, keypad}; }

constexpr KeysymRow kKeysyms[] = {
    {0x0061, 0x007A, Qt::Key_A},  // a..z
    {0x0041, 0x005A, Qt::Key_A},
    {0x0030, 0x0039, Qt::Key_0},
    sym(0x0020, Qt::Key_Space),
    {0xFFBE, 0xFFD5, Qt::Key_F1},  // F1..F24
    {0xFFB0, 0xFFB9, Qt::Key_0, true},
    sym(0xFFAA, Qt::Key_Asterisk, true),
    sym(0xFFAB, Qt::Key_Plus, true),
    sym(0xFFAC, Qt::Key_Comma, true),
    sym(0xFFAD, Qt::Key_Minus, true),
    sym(0xFFAE, Qt::Key_Period, true),
    sym(0xFFAF, Qt::Key_Slash, true),
    sym(0xFF8D, Qt::Key_Enter, true),
    // The keypad with Num Lock off: its navigation keys.
    sym(0xFF95, Qt::Key_Home, true),
    sym(0xFF96, Qt::Key_Left, true),
    sym(0xFF97, Qt::Key_Up, true),
    sym(0xFF98, Qt::Key_Right, true),
    sym(0xFF99, Qt::Key_Down, true),
    sym(0xFF9A, Qt::Key_PageUp, true),
    sym(0xFF9B, Qt::Key_PageDown, true),
    sym(0xFF9C, Qt::Key_End, true),
    sym(0xFF9D, Qt::Key_Clear, true),
    sym(0xFF9E, Qt::Key_Insert, true),
    sym(0xFF9F, Qt::Key_Delete, true),
    sym(0xFF08, Qt::Key_Backspace),
    sym(0xFF09, Qt::Key_Tab),
    sym(0xFE20, Qt::Key_Backtab),
    sym(0xFF0B, Qt::Key_Clear),
    sym(0xFF0D, Qt::Key_Return),
    sym(0xFF13, Qt::Key_Pause),
    sym(0xFF14, Qt::Key_ScrollLock),
    sym(0xFF1B, Qt::Key_Escape),
    sym(0xFF50, Qt::Key_Home),
    sym(0xFF51, Qt::Key_Left),
    sym(0xFF52, Qt::Key_Up),
    sym(0xFF53, Qt::Key_Right),
    sym(0xFF54, Qt::Key_Down),
    sym(0xFF55, Qt::Key_PageUp),
    sym(0xFF56, Qt::Key_PageDown),
    sym(0xFF57, Qt::Key_End),
    sym(0xFF60, Qt::Key_Select),
    sym(0xFF61, Qt::Key_Print),
    sym(0xFF63, Qt::Key_Insert),
    sym(0xFF67, Qt::Key_Menu),
    sym(0xFF6A, Qt::Key_Help),
    sym(0xFF7F, Qt::Key_NumLock),
    sym(0xFFFF, Qt::Key_Delete),
    {0xFFE1, 0xFFE2, Qt::Key_Shift},
    sym(0xFFE3, Qt::Key_Control),
    sym(0xFFE4, Qt::Key_Control),
    sym(0xFFE5, Qt::Key_CapsLock),
    sym(0xFFE7, Qt::Key_Meta),
    sym(0xFFE8, Qt::Key_Meta),
    sym(0xFFE9, Qt::Key_Alt),
    sym(0xFFEA, Qt::Key_Alt),
    sym(0xFFEB, Qt::Key_Super_L),
    sym(0xFFEC, Qt::Key_Super_R),
    sym(0xFE03, Qt::Key_AltGr),
    // XF86 media and browser keys.
    sym(0x1008FF11, Qt::Key_VolumeDown),
    sym(0x1008FF12, Qt::Key_VolumeMute),
    sym(0x1008FF13, Qt::Key_VolumeUp),
    sym(0x1008FF14, Qt::Key_MediaPlay),
    sym(0x1008FF15, Qt::Key_MediaStop),
    sym(0x1008FF16, Qt::Key_MediaPrevious),
    sym(0x1008FF17, Qt::Key_MediaNext),
    sym(0x1008FF18, Qt::Key_HomePage),
    sym(0x1008FF19, Qt::Key_LaunchMail),
    sym(0x1008FF1B, Qt::Key_Search),
    sym(0x1008FF26, Qt::Key_Back),
    sym(0x1008FF27, Qt::Key_Forward),
    sym(0x1008FF28, Qt::Key_Stop),
    sym(0x1008FF29, Qt::Key_Refresh),
    sym(0x1008FF30, Qt::Key_Favorites),
    sym(0x1008FF32, Qt::Key_LaunchMedia),
    sym(0x1008FF40, Qt::Key_Launch0),
    sym(0x1008FF41, Qt::Key_Launch1),
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

int windowsVirtualKeyOfX11(quint32 keycode, quint32 keysym) {
    QtKeyInput in{0, Qt::NoModifier, keycode, keysym};
    for (const auto& r : kKeysyms) {
        if (keysym < r.first || keysym > r.last) continue;
        in.key = r.key + static_cast<int>(keysym - r.first);
        if (r.keypad) in.modifiers = Qt::KeypadModifier;
        break;
    }
    return windowsVirtualKey(in);
}

int windowsVirtualKey(const QKeyEvent& event) {
    return windowsVirtualKey(
        QtKeyInput{event.key(), event.modifiers(), event.nativeScanCode(), event.nativeVirtualKey()});
}

}  // namespace varnel
