// The key-event table: Qt key events to the Windows virtual-key codes of the key table.
#include <QKeyEvent>
#include <QtTest>

#include "config/key_table.h"
#include "platform/ui/key_event.h"

using varnel::QtKeyInput;
using varnel::windowsVirtualKey;

namespace {
constexpr quint32 xkb(quint32 evdev) { return evdev + 8; }
}  // namespace

class KeyEventTest : public QObject {
    Q_OBJECT

private slots:
    void table_data();
    void table();
    void fromAKeyEvent();
    void everyTableKeyHasAName();
};

void KeyEventTest::table_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("keypad");
    QTest::addColumn<quint32>("scan");
    QTest::addColumn<quint32>("keysym");
    QTest::addColumn<int>("vk");

    const auto row = [](const char* name, int key, bool keypad, quint32 scan, quint32 keysym, int vk) {
        QTest::newRow(name) << key << keypad << scan << keysym << vk;
    };
    row("letter A", Qt::Key_A, false, 0, 0, 0x41);
    row("letter Z", Qt::Key_Z, false, 0, 0, 0x5A);
    row("digit 0", Qt::Key_0, false, 0, 0, 0x30);
    row("digit 9", Qt::Key_9, false, 0, 0, 0x39);
    row("F1", Qt::Key_F1, false, 0, 0, 0x70);
    row("F12", Qt::Key_F12, false, 0, 0, 0x7B);
    row("F13", Qt::Key_F13, false, 0, 0, 0x7C);
    row("F24", Qt::Key_F24, false, 0, 0, 0x87);
    row("keypad 0", Qt::Key_0, true, 0, 0, 0x60);
    row("keypad 7", Qt::Key_7, true, 0, 0, 0x67);
    row("keypad multiply", Qt::Key_Asterisk, true, 0, 0, 0x6A);
    row("keypad add", Qt::Key_Plus, true, 0, 0, 0x6B);
    row("keypad subtract", Qt::Key_Minus, true, 0, 0, 0x6D);
    row("keypad decimal", Qt::Key_Period, true, 0, 0, 0x6E);
    row("keypad decimal comma", Qt::Key_Comma, true, 0, 0, 0x6E);
    row("keypad divide", Qt::Key_Slash, true, 0, 0, 0x6F);
    row("keypad enter", Qt::Key_Enter, true, 0, 0, 0x0D);
    row("keypad home (num lock off)", Qt::Key_Home, true, 0, 0, 0x24);
    row("main minus is not the keypad's", Qt::Key_Minus, false, 0, 0, 0xBD);
    row("backspace", Qt::Key_Backspace, false, 0, 0, 0x08);
    row("tab", Qt::Key_Tab, false, 0, 0, 0x09);
    row("return", Qt::Key_Return, false, 0, 0, 0x0D);
    row("shift", Qt::Key_Shift, false, 0, 0, 0x10);
    row("control", Qt::Key_Control, false, 0, 0, 0x11);
    row("alt", Qt::Key_Alt, false, 0, 0, 0x12);
    row("alt gr", Qt::Key_AltGr, false, 0, 0, 0x12);
    row("pause", Qt::Key_Pause, false, 0, 0, 0x13);
    row("caps lock", Qt::Key_CapsLock, false, 0, 0, 0x14);
    row("escape", Qt::Key_Escape, false, 0, 0, 0x1B);
    row("space", Qt::Key_Space, false, 0, 0, 0x20);
    row("page up", Qt::Key_PageUp, false, 0, 0, 0x21);
    row("down", Qt::Key_Down, false, 0, 0, 0x28);
    row("print", Qt::Key_Print, false, 0, 0, 0x2C);
    row("insert", Qt::Key_Insert, false, 0, 0, 0x2D);
    row("delete", Qt::Key_Delete, false, 0, 0, 0x2E);
    row("menu", Qt::Key_Menu, false, 0, 0, 0x5D);
    row("num lock", Qt::Key_NumLock, false, 0, 0, 0x90);
    row("scroll lock", Qt::Key_ScrollLock, false, 0, 0, 0x91);
    row("browser back", Qt::Key_Back, false, 0, 0, 0xA6);
    row("browser home", Qt::Key_HomePage, false, 0, 0, 0xAC);
    row("volume mute", Qt::Key_VolumeMute, false, 0, 0, 0xAD);
    row("volume up", Qt::Key_VolumeUp, false, 0, 0, 0xAF);
    row("next track", Qt::Key_MediaNext, false, 0, 0, 0xB0);
    row("play/pause", Qt::Key_MediaTogglePlayPause, false, 0, 0, 0xB3);
    row("mail", Qt::Key_LaunchMail, false, 0, 0, 0xB4);
    row("left windows by keysym", Qt::Key_Meta, false, 0, 0xFFEB, 0x5B);
    row("right windows by keysym", Qt::Key_Meta, false, 0, 0xFFEC, 0x5C);
    row("right windows by scan code", Qt::Key_Super_L, false, xkb(126), 0, 0x5C);
    row("left windows by scan code", Qt::Key_Super_L, false, xkb(125), 0, 0x5B);
    row("super R", Qt::Key_Super_R, false, 0, 0, 0x5C);
    row("windows with no native key", Qt::Key_Meta, false, 0, 0, 0x5B);
    // OEM keys by their US position, whatever character the layout puts there.
    row("semicolon position", Qt::Key_Semicolon, false, xkb(39), 0, 0xBA);
    row("o umlaut at the semicolon position", Qt::Key_Odiaeresis, false, xkb(39), 0, 0xBA);
    row("u umlaut at the bracket position", Qt::Key_Udiaeresis, false, xkb(26), 0, 0xDB);
    row("sharp s at the minus position", Qt::Key_ssharp, false, xkb(12), 0, 0xBD);
    row("plus at the right bracket position", Qt::Key_Plus, false, xkb(27), 0, 0xDD);
    row("backslash position", Qt::Key_Backslash, false, xkb(43), 0, 0xDC);
    row("slash position", Qt::Key_Slash, false, xkb(53), 0, 0xBF);
    row("shifted digit by position", Qt::Key_Exclam, false, xkb(2), 0, 0x31);
    row("ampersand on the digit row", Qt::Key_Ampersand, false, xkb(2), 0, 0x31);
    row("cyrillic letter at the A position", 0x0424 /* Ф */, false, xkb(30), 0, 0x41);
    row("letters go by character", Qt::Key_Z, false, xkb(21), 0, 0x5A);
    // Without a scan code: the US characters.
    row("colon", Qt::Key_Colon, false, 0, 0, 0xBA);
    row("plus", Qt::Key_Plus, false, 0, 0, 0xBB);
    row("less", Qt::Key_Less, false, 0, 0, 0xBC);
    row("underscore", Qt::Key_Underscore, false, 0, 0, 0xBD);
    row("greater", Qt::Key_Greater, false, 0, 0, 0xBE);
    row("question", Qt::Key_Question, false, 0, 0, 0xBF);
    row("grave", Qt::Key_QuoteLeft, false, 0, 0, 0xC0);
    row("brace left", Qt::Key_BraceLeft, false, 0, 0, 0xDB);
    row("bar", Qt::Key_Bar, false, 0, 0, 0xDC);
    row("bracket right", Qt::Key_BracketRight, false, 0, 0, 0xDD);
    row("apostrophe", Qt::Key_Apostrophe, false, 0, 0, 0xDE);
    row("at", Qt::Key_At, false, 0, 0, 0x32);
    row("paren right", Qt::Key_ParenRight, false, 0, 0, 0x30);
    row("unknown key", Qt::Key_Odiaeresis, false, 0, 0, 0);
    row("unknown scan code", Qt::Key_Odiaeresis, false, xkb(86), 0, 0);
}

void KeyEventTest::table() {
    QFETCH(int, key);
    QFETCH(bool, keypad);
    QFETCH(quint32, scan);
    QFETCH(quint32, keysym);
    QFETCH(int, vk);
    const Qt::KeyboardModifiers mods = keypad ? Qt::KeypadModifier : Qt::NoModifier;
    QCOMPARE(windowsVirtualKey(QtKeyInput{key, mods, scan, keysym}), vk);
}

void KeyEventTest::fromAKeyEvent() {
    const QKeyEvent shiftedA(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, xkb(30), 'A', 0, "A");
    QCOMPARE(windowsVirtualKey(shiftedA), 0x41);
    const QKeyEvent rightWin(QEvent::KeyPress, Qt::Key_Meta, Qt::MetaModifier, xkb(126), 0xFFEC, 0);
    QCOMPARE(windowsVirtualKey(rightWin), 0x5C);
    const QKeyEvent padSix(QEvent::KeyPress, Qt::Key_6, Qt::KeypadModifier, xkb(77), 0xFFB6, 0, "6");
    QCOMPARE(windowsVirtualKey(padSix), 0x66);
}

// Every virtual key the table produces is one the key table names (no "None" from a real key).
void KeyEventTest::everyTableKeyHasAName() {
    const int keys[] = {Qt::Key_A,         Qt::Key_9,        Qt::Key_F24,  Qt::Key_Menu,   Qt::Key_Launch1,
                        Qt::Key_Semicolon, Qt::Key_QuoteDbl, Qt::Key_Help, Qt::Key_Select, Qt::Key_Clear};
    for (int key : keys) {
        const int vk = windowsVirtualKey(QtKeyInput{key, Qt::NoModifier, 0, 0});
        QVERIFY2(vk != 0, qPrintable(QString::number(key, 16)));
        QVERIFY2(varnel::KeyName(vk) != "None", qPrintable(QString::number(vk, 16)));
    }
}

QTEST_GUILESS_MAIN(KeyEventTest)
#include "key_event_test.moc"
