#pragma once
// The X server's pointer acceleration (XChangePointerControl) as the pointer speed: speed v is
// an acceleration of v / 10, so 10 moves the pointer as the mouse does. It changes the running
// server at once; the server keeps it until it ends.
#include <memory>
#include <string>

#include "config/pointer_store.h"

namespace varnel {

class X11PointerSpeed {
public:
    // A connection of our own to `display` (empty: $DISPLAY); nullptr when there is no server.
    static std::unique_ptr<X11PointerSpeed> open(const std::string& display = {});
    ~X11PointerSpeed();
    X11PointerSpeed(const X11PointerSpeed&) = delete;
    X11PointerSpeed& operator=(const X11PointerSpeed&) = delete;

    // An acceleration that is no whole speed 1..20 (the server's default 2/1 is 20) reads as no
    // number.
    PointerReading read();
    // The threshold stays as the server has it.
    Status write(int speed);

private:
    struct Connection;
    explicit X11PointerSpeed(std::unique_ptr<Connection> c);
    std::unique_ptr<Connection> c_;
};

}  // namespace varnel
