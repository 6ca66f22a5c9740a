// The pointer speed on a real X server whose pointers libinput drives: Xorg with the dummy video
// driver and the libinput input driver over a uinput mouse and a uinput touchscreen, which has no
// acceleration and so leaves the core control to be written too. It makes input devices and
// starts an X server on a console, so it runs only where asked (VARNEL_REAL_X=1), as root with
// /dev/uinput: the guest of kernel.libinput_pointer_speed does.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/uinput.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "child_process.h"
#include "platform/x11_pointer_speed.h"
#include "scratch_files.h"

// Last: Xlib's macros would stand for names above.
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#undef Status

namespace varnel {
namespace {

namespace fs = std::filesystem;

// A uinput device held while the object lives; `node` is its /dev/input/eventN.
struct UinputDevice {
    std::string name;  // also its name on the X server
    int fd = -1;
    std::string node;

    UinputDevice(std::string deviceName, bool touchscreen) : name(std::move(deviceName)) {
        fd = ::open("/dev/uinput", O_WRONLY | O_NONBLOCK);
        if (fd < 0) return;
        const auto set = [this](unsigned long request, int value) { ::ioctl(fd, request, value); };
        set(UI_SET_EVBIT, EV_KEY);
        if (touchscreen) {
            set(UI_SET_KEYBIT, BTN_TOUCH);
            set(UI_SET_EVBIT, EV_ABS);
            set(UI_SET_PROPBIT, INPUT_PROP_DIRECT);
            for (const int axis : {ABS_X, ABS_Y}) {
                uinput_abs_setup abs{static_cast<__u16>(axis), {0, 0, 1000, 0, 0, 10}};
                ::ioctl(fd, UI_ABS_SETUP, &abs);
            }
        } else {
            for (const int button : {BTN_LEFT, BTN_RIGHT, BTN_MIDDLE}) set(UI_SET_KEYBIT, button);
            set(UI_SET_EVBIT, EV_REL);
            for (const int axis : {REL_X, REL_Y, REL_WHEEL}) set(UI_SET_RELBIT, axis);
        }
        uinput_setup setup{};
        setup.id = {BUS_USB, 0x1234, static_cast<__u16>(touchscreen ? 2 : 1), 1};
        std::strncpy(setup.name, name.c_str(), sizeof setup.name - 1);
        char sys[64] = {};
        if (::ioctl(fd, UI_DEV_SETUP, &setup) != 0 || ::ioctl(fd, UI_DEV_CREATE) != 0 ||
            ::ioctl(fd, UI_GET_SYSNAME(sizeof sys), sys) < 0)
            return;
        for (const auto& e : fs::directory_iterator(fs::path("/sys/devices/virtual/input") / sys)) {
            const std::string event = e.path().filename();
            if (!event.starts_with("event")) continue;
            node = "/dev/input/" + event;
            // Without a udev daemon (the guest), tag the device as udev would, or libinput ignores it.
            if (!fs::exists("/run/udev/control")) {
                fs::create_directories("/run/udev/data");
                std::string devnum;
                std::ifstream(e.path() / "dev") >> devnum;
                std::ofstream("/run/udev/data/c" + devnum)
                    << "I:1\nE:ID_INPUT=1\nE:ID_INPUT_" << (touchscreen ? "TOUCHSCREEN" : "MOUSE") << "=1\n";
            }
        }
    }
    ~UinputDevice() {
        if (fd < 0) return;
        ::ioctl(fd, UI_DEV_DESTROY);
        ::close(fd);
    }
};

std::optional<float> accelOf(Display* d, const std::string& name) {
    int count = 0;
    XIDeviceInfo* info = XIQueryDevice(d, XIAllDevices, &count);
    int id = -1;
    for (int i = 0; i < count; ++i) {
        if (name == info[i].name) id = info[i].deviceid;
    }
    XIFreeDeviceInfo(info);
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    std::optional<float> factor;
    if (id >= 0 && XIGetProperty(d, id, XInternAtom(d, "libinput Accel Speed", True), 0, 1, False,
                                 AnyPropertyType, &type, &format, &items, &after, &data) == Success &&
        items == 1) {
        float f = 0;
        std::memcpy(&f, data, sizeof f);
        factor = f;
    }
    XFree(data);
    return factor;
}

TEST(X11PointerSpeed, LibinputPointersTakeTheSpeedAsTheirProperty) {
    if (std::getenv("VARNEL_REAL_X") == nullptr)
        GTEST_SKIP() << "makes input devices and starts Xorg: runs in kernel.libinput_pointer_speed's guest, or "
                        "with VARNEL_REAL_X=1 as root where /dev/uinput and Xorg's libinput driver are";
    const UinputDevice mouse("varnel test mouse", false), touch("varnel test touchscreen", true);
    ASSERT_FALSE(mouse.node.empty() || touch.node.empty()) << "uinput devices could not be made";
    const fs::path dir = testing::freshFolder("xorg");
    std::ofstream conf(dir / "xorg.conf");
    conf << "Section \"ServerFlags\"\n Option \"AutoAddDevices\" \"false\"\nEndSection\n"
         << "Section \"Device\"\n Identifier \"dummy\"\n Driver \"dummy\"\nEndSection\n"
         << "Section \"Screen\"\n Identifier \"screen\"\n Device \"dummy\"\nEndSection\n"
         << "Section \"ServerLayout\"\n Identifier \"layout\"\n Screen \"screen\"\n";
    for (const UinputDevice* device : {&mouse, &touch}) conf << " InputDevice \"" << device->name << "\"\n";
    conf << "EndSection\n";
    for (const UinputDevice* device : {&mouse, &touch}) {
        conf << "Section \"InputDevice\"\n Identifier \"" << device->name << "\"\n Driver \"libinput\"\n"
             << " Option \"Device\" \"" << device->node << "\"\nEndSection\n";
    }
    conf.close();
    const std::string log = (dir / "Xorg.log").string();
    testing::ChildProcess server({"Xorg", "-displayfd", "1", "-config", (dir / "xorg.conf").string(), "-logfile",
                                  log, "-nolisten", "tcp", "-noreset", "-novtswitch"});
    ASSERT_FALSE(server.line().empty()) << "Xorg did not start:\n" << testing::fileText(log);
    const std::string display = ":" + server.line();

    auto speed = X11PointerSpeed::open(display);
    ASSERT_NE(speed, nullptr);
    EXPECT_EQ(speed->read().number, 10) << "libinput's default factor 0";
    ASSERT_TRUE(speed->write(4).ok()) << testing::fileText(log);
    EXPECT_EQ(speed->read().number, 4);

    Display* d = XOpenDisplay(display.c_str());
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(accelOf(d, "varnel test mouse"), -0.6f);
    EXPECT_EQ(accelOf(d, "varnel test touchscreen"), std::nullopt) << "a touchscreen has no acceleration";
    int numerator = 0, denominator = 0, threshold = 0;
    XGetPointerControl(d, &numerator, &denominator, &threshold);
    EXPECT_EQ(numerator * 10, 4 * denominator) << "the core control, for the touchscreen";
    XCloseDisplay(d);
}

}  // namespace
}  // namespace varnel
