#pragma once
// Input capture for the macro recorder: key and mouse-button events, delivered on the window
// thread in the order they happened. Only keys and buttons are taken, and nothing is taken away
// from other programs. Back-ends: the window's own events (every desktop), and on X11 the raw
// events of the whole desktop, so that a macro can be recorded while another window has focus.
#include <functional>

#include "config/input_event.h"

namespace varnel {

class InputCapture {
public:
    using Sink = std::function<void(const InputEvent&)>;
    virtual ~InputCapture() = default;
    // Events go to `sink` until stop(); false when capture could not start.
    virtual bool start(Sink sink) = 0;
    virtual void stop() = 0;
    virtual bool running() const = 0;
    // Keys and buttons pressed while another window has the focus are captured too.
    virtual bool global() const = 0;
};

}  // namespace varnel
