#include "platform/x11_pointer_speed.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
// Xlib's macro would stand for our result type below.
#undef Status

namespace varnel {

namespace {

constexpr int kSpeedDenominator = 10;
constexpr char kAccelSpeed[] = "libinput Accel Speed";
constexpr char kXTestDevice[] = "XTEST Device";

// Xlib reports errors through a process-wide handler whose default ends the program; while a
// request of ours is checked, errors are counted instead (a pointer unplugged between two
// requests is one).
int requestErrors = 0;
int countError(Display*, XErrorEvent*) {
    ++requestErrors;
    return 0;
}

class CheckedRequests {
public:
    explicit CheckedRequests(Display* d) : d_(d) {
        XSync(d_, False);
        requestErrors = 0;
        previous_ = XSetErrorHandler(countError);
    }
    ~CheckedRequests() {
        XSync(d_, False);
        XSetErrorHandler(previous_);
    }
    CheckedRequests(const CheckedRequests&) = delete;
    CheckedRequests& operator=(const CheckedRequests&) = delete;

    bool failed() {
        XSync(d_, False);
        return requestErrors != 0;
    }

private:
    Display* d_;
    int (*previous_)(Display*, XErrorEvent*) = nullptr;
};

struct Atoms {
    Atom accelSpeed;  // 0 while no device of the server has had the property
    Atom xtest;
    Atom floatType;

    explicit Atoms(Display* d)
        : accelSpeed(XInternAtom(d, kAccelSpeed, True)),
          xtest(XInternAtom(d, kXTestDevice, True)),
          floatType(XInternAtom(d, "FLOAT", False)) {}
};

struct Pointer {
    int id;
    std::string name;
    bool libinput;  // has the accel speed property
};

bool hasProperty(Display* d, int device, Atom property) {
    if (property == 0) return false;
    int count = 0;
    Atom* properties = XIListProperties(d, device, &count);
    const bool found = std::find(properties, properties + count, property) != properties + count;
    XFree(properties);
    return found;
}

// The slave pointers, except the XTEST one that only replays what clients send.
std::vector<Pointer> pointersOf(Display* d, bool xinput2, const Atoms& atoms) {
    std::vector<Pointer> pointers;
    if (!xinput2) return pointers;
    int count = 0;
    XIDeviceInfo* info = XIQueryDevice(d, XIAllDevices, &count);
    for (int i = 0; i < count; ++i) {
        if (info[i].use != XISlavePointer || hasProperty(d, info[i].deviceid, atoms.xtest)) continue;
        pointers.push_back({info[i].deviceid, info[i].name, hasProperty(d, info[i].deviceid, atoms.accelSpeed)});
    }
    XIFreeDeviceInfo(info);
    return pointers;
}

// XInput 2 properties carry 32-bit items packed, not in longs as window properties do.
std::optional<float> accelOf(Display* d, int device, const Atoms& atoms) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (XIGetProperty(d, device, atoms.accelSpeed, 0, 1, False, AnyPropertyType, &type, &format, &items, &after,
                      &data) != Success)
        return std::nullopt;
    std::optional<float> factor;
    if (type == atoms.floatType && format == 32 && items == 1) {
        float f = 0;
        std::memcpy(&f, data, sizeof f);
        factor = f;
    }
    XFree(data);
    return factor;
}

PointerReading coreSpeed(Display* d) {
    int numerator = 0, denominator = 0, threshold = 0;
    XGetPointerControl(d, &numerator, &denominator, &threshold);
    if (denominator <= 0 || (numerator * kSpeedDenominator) % denominator != 0) return {true, std::nullopt};
    return PointerReading::of(PointerSetting::Speed, numerator * kSpeedDenominator / denominator);
}

}  // namespace

// Owns the display; a constructor for make_unique, as with GSettings' handle.
struct X11PointerSpeed::Connection {
    Connection(Display* d, bool x) : display(d), xinput2(x) {}
    ~Connection() { XCloseDisplay(display); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    Display* display;
    bool xinput2;
};

std::unique_ptr<X11PointerSpeed> X11PointerSpeed::open(const std::string& display) {
    Display* d = XOpenDisplay(display.empty() ? nullptr : display.c_str());
    if (d == nullptr) return nullptr;
    int opcode = 0, event = 0, error = 0, major = 2, minor = 0;
    const bool xinput2 =
        XQueryExtension(d, "XInputExtension", &opcode, &event, &error) && XIQueryVersion(d, &major, &minor) == Success;
    return std::unique_ptr<X11PointerSpeed>(new X11PointerSpeed(std::make_unique<Connection>(d, xinput2)));
}

X11PointerSpeed::X11PointerSpeed(std::unique_ptr<Connection> c) : c_(std::move(c)) {}
X11PointerSpeed::~X11PointerSpeed() = default;

PointerReading X11PointerSpeed::read() {
    Display* d = c_->display;
    CheckedRequests checked(d);
    const Atoms atoms(d);
    std::optional<PointerReading> common;
    for (const Pointer& p : pointersOf(d, c_->xinput2, atoms)) {
        if (!p.libinput) continue;
        const auto factor = accelOf(d, p.id, atoms);
        const PointerReading r = factor ? speedFromFactor(*factor) : PointerReading{true, std::nullopt};
        if (common && *common != r) return {true, std::nullopt};
        common = r;
    }
    return common ? *common : coreSpeed(d);
}

Status X11PointerSpeed::write(int speed) {
    Display* d = c_->display;
    CheckedRequests checked(d);
    const Atoms atoms(d);
    const std::vector<Pointer> pointers = pointersOf(d, c_->xinput2, atoms);
    float factor = static_cast<float>(factorFromSpeed(speed));
    bool core = pointers.empty();
    for (const Pointer& p : pointers) {
        core = core || !p.libinput;
        if (p.libinput)
            XIChangeProperty(d, p.id, atoms.accelSpeed, atoms.floatType, 32, PropModeReplace,
                             reinterpret_cast<unsigned char*>(&factor), 1);
    }
    if (core) XChangePointerControl(d, True, False, speed, kSpeedDenominator, 0);
    if (checked.failed()) return makeError("the X server refused the pointer speed " + std::to_string(speed));

    for (const Pointer& p : pointers) {
        if (p.libinput && accelOf(d, p.id, atoms) != factor)
            return makeError(p.name + ": the X server did not keep the pointer speed " + std::to_string(speed));
    }
    if (core && coreSpeed(d).number != speed)
        return makeError("the X server did not keep the pointer acceleration " + std::to_string(speed) + "/10");
    return Status::success();
}

}  // namespace varnel
