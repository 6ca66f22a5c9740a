#include "platform/pointer_store_choice.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace varnel {

namespace {

// Desktops whose settings service applies org.gnome.desktop.peripherals.mouse.
constexpr std::array<std::string_view, 5> kGSettingsDesktops{"GNOME", "Unity", "Budgie", "Pantheon", "GNOME-Flashback"};

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

bool lists(std::string_view desktops, std::string_view name) {
    while (!desktops.empty()) {
        const auto colon = desktops.find(':');
        if (sameName(desktops.substr(0, colon), name)) return true;
        if (colon == std::string_view::npos) break;
        desktops.remove_prefix(colon + 1);
    }
    return false;
}

}  // namespace

PointerBackend choosePointerBackend(const DesktopFacts& facts) {
    const bool x11 = facts.qtPlatform == "xcb";
    // Only a session on a display has a desktop to set.
    if (!x11 && !facts.qtPlatform.starts_with("wayland")) return PointerBackend::None;
    if (lists(facts.currentDesktop, "KDE")) return PointerBackend::Kde;
    const bool gnomeLike = std::any_of(kGSettingsDesktops.begin(), kGSettingsDesktops.end(),
                                       [&](std::string_view d) { return lists(facts.currentDesktop, d); });
    if (gnomeLike && facts.gnomeMouseSchema) return PointerBackend::GSettings;
    return x11 ? PointerBackend::X11 : PointerBackend::None;
}

}  // namespace varnel
