#include "platform/x11_pointer_speed.h"

#include <X11/Xlib.h>
// Xlib's macro would stand for our result type below.
#undef Status

namespace varnel {

namespace {

constexpr int kSpeedDenominator = 10;

// Xlib reports errors through a process-wide handler whose default ends the program; while a
// request of ours is checked, errors are counted instead.
int requestErrors = 0;
int countError(Display*, XErrorEvent*) {
    ++requestErrors;
    return 0;
}

}  // namespace

struct X11PointerSpeed::Connection {
    Display* display;
    ~Connection() { XCloseDisplay(display); }
};

std::unique_ptr<X11PointerSpeed> X11PointerSpeed::open(const std::string& display) {
    Display* d = XOpenDisplay(display.empty() ? nullptr : display.c_str());
    if (d == nullptr) return nullptr;
    return std::unique_ptr<X11PointerSpeed>(new X11PointerSpeed(std::make_unique<Connection>(d)));
}

X11PointerSpeed::X11PointerSpeed(std::unique_ptr<Connection> c) : c_(std::move(c)) {}
X11PointerSpeed::~X11PointerSpeed() = default;

PointerReading X11PointerSpeed::read() {
    int numerator = 0, denominator = 0, threshold = 0;
    XGetPointerControl(c_->display, &numerator, &denominator, &threshold);
    if (denominator <= 0 || (numerator * kSpeedDenominator) % denominator != 0) return {true, std::nullopt};
    return PointerReading::of(PointerSetting::Speed, numerator * kSpeedDenominator / denominator);
}

Status X11PointerSpeed::write(int speed) {
    requestErrors = 0;
    const auto previous = XSetErrorHandler(countError);
    XChangePointerControl(c_->display, True, False, speed, kSpeedDenominator, 0);
    XSync(c_->display, False);
    XSetErrorHandler(previous);
    if (requestErrors != 0)
        return makeError("the X server refused the pointer acceleration " + std::to_string(speed) + "/10");
    return Status::success();
}

}  // namespace varnel
