#pragma once
// Which back-end keeps the desktop pointer settings, from what the session offers.
#include <string_view>

namespace varnel {

enum class PointerBackend {
    None,       // nothing this program can change (offscreen, Wayland without GNOME or KDE, ...)
    GSettings,  // GNOME and the desktops that follow its mouse settings
    Kde,        // KDE Plasma
    X11,        // an X server with no desktop settings service
};

struct DesktopFacts {
    std::string_view qtPlatform;      // QGuiApplication::platformName(): "xcb", "wayland", "offscreen"
    std::string_view currentDesktop;  // $XDG_CURRENT_DESKTOP: names separated by ':'
    bool gnomeMouseSchema = false;    // org.gnome.desktop.peripherals.mouse is installed
};

PointerBackend choosePointerBackend(const DesktopFacts& facts);

}  // namespace varnel
