#pragma once
// The input capture back-ends on Qt's event loop (the interface: platform/input_capture.h).
#include <QElapsedTimer>
#include <QObject>
#include <memory>

#include "platform/input_capture.h"

class QSocketNotifier;

namespace varnel {

// The keys and buttons of this program's own windows, through an application-wide event filter:
// works on every desktop (X11, Wayland, offscreen). Auto-repeated keys are left out.
class WindowInputCapture : public QObject, public InputCapture {
public:
    bool start(Sink sink) override;
    void stop() override;
    bool running() const override { return running_; }
    bool global() const override { return false; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Sink sink_;
    QElapsedTimer clock_;
    bool running_ = false;
};

// On X11, the raw key and button events of the whole desktop (XInput 2), read on the window
// thread from a connection of its own; keys pressed in another window are recorded too.
class X11InputCapture : public QObject, public InputCapture {
public:
    ~X11InputCapture() override;
    bool start(Sink sink) override;
    void stop() override;
    bool running() const override { return display_ != nullptr; }
    bool global() const override { return true; }
    // Whether the desktop is X11 with XInput 2.
    static bool available();

private:
    void readEvents();

    Sink sink_;
    void* display_ = nullptr;  // Display*
    int opcode_ = 0;
    QSocketNotifier* notifier_ = nullptr;
};

// The global capture where the desktop offers it, else the window's own events.
std::unique_ptr<InputCapture> makeInputCapture();

}  // namespace varnel
