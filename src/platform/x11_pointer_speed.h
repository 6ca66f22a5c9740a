#pragma once
// The pointer speed on an X server. Pointers driven by libinput (every current distribution's X
// driver) ignore the core pointer acceleration; each of them has the device property "libinput
// Accel Speed" (-1..1), which takes the speed as the desktops' factor (see factorFromSpeed). The
// core acceleration (XChangePointerControl, speed v is v / 10, so 10 moves the pointer as the mouse
// does) is written only when some pointer lacks that property, for the drivers that follow it.
// Either changes the running server at once, for the pointers it has now, until it ends.
#include <memory>
#include <string>

#include "platform/pointer_store.h"

namespace varnel {

class X11PointerSpeed {
public:
    // A connection of our own to `display` (empty: $DISPLAY); nullptr when there is no server.
    static std::unique_ptr<X11PointerSpeed> open(const std::string& display = {});
    ~X11PointerSpeed();
    X11PointerSpeed(const X11PointerSpeed&) = delete;
    X11PointerSpeed& operator=(const X11PointerSpeed&) = delete;

    // From the libinput pointers when there are any: their common speed, no number when they
    // differ or hold a factor between two speeds. Otherwise the core acceleration, which reads as
    // no number unless it is a whole speed 1..20 (the server's default 2/1 is 20).
    PointerReading read();
    // Every libinput pointer's property, and the core acceleration where a pointer lacks the
    // property (its threshold stays as the server has it); then reads back what was written.
    Status write(int speed);

private:
    struct Connection;
    explicit X11PointerSpeed(std::unique_ptr<Connection> c);
    std::unique_ptr<Connection> c_;
};

}  // namespace varnel
