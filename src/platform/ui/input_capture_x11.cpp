// The X11 headers come last: they define macros (None, KeyPress, Status, Bool) that clash with
// Qt's and this program's names.
#include <QSocketNotifier>
#include <optional>

#include "platform/ui/input_capture_qt.h"
#include "platform/ui/key_event.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace varnel {

namespace {

Display* dpy(void* d) { return static_cast<Display*>(d); }

// Raw button numbers: 1 left, 2 middle, 3 right, 8 backward, 9 forward (4..7 are the wheel).
std::optional<MouseButton> rawButton(int detail) {
    switch (detail) {
        case 1: return MouseButton::Left;
        case 2: return MouseButton::Middle;
        case 3: return MouseButton::Right;
        case 8: return MouseButton::Backward;
        case 9: return MouseButton::Forward;
        default: break;
    }
    return std::nullopt;
}

// The keysym of a key with the lock state in force (Num Lock decides the keypad) and no Shift.
unsigned long keysymOf(Display* d, unsigned keycode) {
    XkbStateRec state{};
    XkbGetState(d, XkbUseCoreKbd, &state);
    unsigned mods = state.locked_mods & ~static_cast<unsigned>(LockMask);
    unsigned modsOut = 0;
    KeySym sym = NoSymbol;
    if (!XkbLookupKeySym(d, static_cast<KeyCode>(keycode), mods, &modsOut, &sym)) return NoSymbol;
    return sym;
}

// Opens a connection with XInput 2; nullptr when there is no X11 desktop or no XInput 2.
Display* openWithXInput2(int& opcode) {
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) return nullptr;
    int event = 0;
    int error = 0;
    // From XInput 2.1 on, raw events come to every client that asks, also while another holds a
    // grab (as this program's own window does while a button is down).
    int major = 2;
    int minor = 2;
    if (!XQueryExtension(d, "XInputExtension", &opcode, &event, &error) ||
        XIQueryVersion(d, &major, &minor) != Success || (major == 2 && minor < 1)) {
        XCloseDisplay(d);
        return nullptr;
    }
    return d;
}

}  // namespace

X11InputCapture::~X11InputCapture() { stop(); }

bool X11InputCapture::available() {
    int opcode = 0;
    Display* d = openWithXInput2(opcode);
    if (d == nullptr) return false;
    XCloseDisplay(d);
    return true;
}

bool X11InputCapture::start(Sink sink) {
    if (display_ != nullptr) return true;
    Display* d = openWithXInput2(opcode_);
    if (d == nullptr) return false;
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XISetMask(bits, XI_RawButtonPress);
    XISetMask(bits, XI_RawButtonRelease);
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
    XISelectEvents(d, DefaultRootWindow(d), &mask, 1);
    XSync(d, False);
    display_ = d;
    sink_ = std::move(sink);
    notifier_ = new QSocketNotifier(ConnectionNumber(d), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { readEvents(); });
    return true;
}

void X11InputCapture::stop() {
    if (display_ == nullptr) return;
    // Stop may come from the sink, inside the notifier's own signal: it goes once that returns.
    notifier_->setEnabled(false);
    notifier_->deleteLater();
    notifier_ = nullptr;
    XCloseDisplay(dpy(display_));
    display_ = nullptr;
}

void X11InputCapture::readEvents() {
    Display* d = dpy(display_);
    while (display_ != nullptr && XPending(d) > 0) {
        XEvent ev;
        XNextEvent(d, &ev);
        XGenericEventCookie* cookie = &ev.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != opcode_ || !XGetEventData(d, cookie)) continue;
        const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
        const auto time = static_cast<std::uint32_t>(raw->time);
        std::optional<InputEvent> e;
        switch (cookie->evtype) {
            case XI_RawKeyPress:
            case XI_RawKeyRelease: {
                if ((raw->flags & XIKeyRepeat) != 0) break;
                const auto keycode = static_cast<unsigned>(raw->detail);
                const int vk = windowsVirtualKeyOfX11(keycode, static_cast<quint32>(keysymOf(d, keycode)));
                e = cookie->evtype == XI_RawKeyPress ? InputEvent::keyDown(vk, time) : InputEvent::keyUp(vk, time);
                break;
            }
            case XI_RawButtonPress:
            case XI_RawButtonRelease:
                if (const auto b = rawButton(raw->detail)) {
                    e = cookie->evtype == XI_RawButtonPress ? InputEvent::buttonDown(*b, time)
                                                            : InputEvent::buttonUp(*b, time);
                }
                break;
            default: break;
        }
        XFreeEventData(d, cookie);
        // The sink may stop the capture (the recording ended): nothing more is read then.
        if (e && sink_) sink_(*e);
    }
}

}  // namespace varnel
