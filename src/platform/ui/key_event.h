#pragma once
// Turns a Qt key event into the Windows virtual-key code that the key table (KeyName, KeyUsage)
// is written in. The key-combination dialog and the macro recorder both read keys through it.
#include <Qt>
#include <QtGlobal>

class QKeyEvent;

namespace varnel {

// What the table reads from a key event.
struct QtKeyInput {
    int key = 0;                      // Qt::Key
    Qt::KeyboardModifiers modifiers;  // KeypadModifier selects the numeric pad
    quint32 nativeScanCode = 0;       // xkb keycode on Linux (evdev code + 8); 0 = unknown
    quint32 nativeVirtualKey = 0;     // X keysym on Linux; 0 = unknown
};

// The virtual-key code of the key; 0 for a key the table does not know.
//  - letters, digits, F1..F24, navigation, browser and media keys by their Qt key;
//  - the numeric pad by the keypad modifier;
//  - generic 0x10 / 0x11 / 0x12 for either Shift, Ctrl and Alt;
//  - 0x5B / 0x5C for the left / right Windows key, told apart by the native key;
//  - punctuation (the OEM keys) by the key's position on a US keyboard, so that the code sent
//    by the mouse means the same physical key whatever the desktop layout; events without a
//    native scan code fall back to the US characters of that position.
int windowsVirtualKey(const QtKeyInput& in);
int windowsVirtualKey(const QKeyEvent& event);
// The same for a key read from X without Qt: its xkb keycode and the keysym it gives.
int windowsVirtualKeyOfX11(quint32 keycode, quint32 keysym);

}  // namespace varnel
