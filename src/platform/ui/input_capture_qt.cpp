#include "platform/ui/input_capture_qt.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <optional>

#include "platform/ui/key_event.h"

namespace varnel {

namespace {

std::optional<MouseButton> buttonOf(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton: return MouseButton::Left;
        case Qt::RightButton: return MouseButton::Right;
        case Qt::MiddleButton: return MouseButton::Middle;
        case Qt::BackButton: return MouseButton::Backward;
        case Qt::ForwardButton: return MouseButton::Forward;
        default: break;
    }
    return std::nullopt;
}

}  // namespace

bool WindowInputCapture::start(Sink sink) {
    if (running_) return true;
    sink_ = std::move(sink);
    clock_.start();
    qApp->installEventFilter(this);
    running_ = true;
    return true;
}

void WindowInputCapture::stop() {
    if (!running_) return;
    qApp->removeEventFilter(this);
    running_ = false;
}

bool WindowInputCapture::eventFilter(QObject* watched, QEvent* event) {
    // An event reaches the window first and then each widget it passes through; the window's
    // copy is taken once.
    if (!running_ || !watched->isWindowType()) return false;
    const auto now = static_cast<std::uint32_t>(clock_.elapsed());
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const auto* k = static_cast<QKeyEvent*>(event);
            if (k->isAutoRepeat()) break;
            const int vk = windowsVirtualKey(*k);
            sink_(event->type() == QEvent::KeyPress ? InputEvent::keyDown(vk, now) : InputEvent::keyUp(vk, now));
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:  // the second press of a double click
        case QEvent::MouseButtonRelease: {
            const auto b = buttonOf(static_cast<QMouseEvent*>(event)->button());
            if (!b) break;
            sink_(event->type() == QEvent::MouseButtonRelease ? InputEvent::buttonUp(*b, now)
                                                              : InputEvent::buttonDown(*b, now));
            break;
        }
        default: break;
    }
    return false;
}

std::unique_ptr<InputCapture> makeInputCapture() {
    if (QGuiApplication::platformName() == QLatin1String("xcb") && X11InputCapture::available())
        return std::make_unique<X11InputCapture>();
    return std::make_unique<WindowInputCapture>();
}

}  // namespace varnel
