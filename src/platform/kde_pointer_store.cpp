#include "platform/kde_pointer_store.h"

#include <gio/gio.h>

#include <charconv>
#include <system_error>

#include "platform/kde_config_file.h"

namespace varnel {

namespace {

// KGlobalSettings: notifyChange(SettingsChanged, SETTINGS_MOUSE).
constexpr char kSignalPath[] = "/KGlobalSettings";
constexpr char kSignalInterface[] = "org.kde.KGlobalSettings";
constexpr char kSignalName[] = "notifyChange";
constexpr int kSettingsChanged = 3;
constexpr int kSettingsMouse = 0;

// KDE writes the factor as a double ("0.2", "-0.6", "0.20000000000000001").
PointerReading speedFromText(std::string_view text) {
    double factor = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), factor);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return {true, std::nullopt};
    return speedFromFactor(factor);
}

std::string factorText(int speed) {
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, factorFromSpeed(speed));
    return ec == std::errc() ? std::string(buf, end) : std::string("0");
}

struct GErrorText {
    GError* error = nullptr;
    ~GErrorText() {
        if (error != nullptr) g_error_free(error);
    }
    std::string text() const { return error != nullptr ? error->message : "unknown error"; }
};

Status notifyDesktop(const std::string& busAddress) {
    GErrorText err;
    GDBusConnection* bus = nullptr;
    if (busAddress.empty()) {
        bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &err.error);
    } else {
        const auto flags = static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                                             G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION);
        bus = g_dbus_connection_new_for_address_sync(busAddress.c_str(), flags, nullptr, nullptr, &err.error);
    }
    // The files are written by now: what fails is only telling the running desktop (Str115).
    if (bus == nullptr) return makeError("no D-Bus session to tell the desktop: " + err.text(), "Str115");
    const gboolean sent =
        g_dbus_connection_emit_signal(bus, nullptr, kSignalPath, kSignalInterface, kSignalName,
                                      g_variant_new("(ii)", kSettingsChanged, kSettingsMouse), &err.error) &&
        g_dbus_connection_flush_sync(bus, nullptr, &err.error);
    if (!busAddress.empty()) g_dbus_connection_close_sync(bus, nullptr, nullptr);
    g_object_unref(bus);
    if (!sent) return makeError("telling the desktop failed: " + err.text(), "Str115");
    return Status::success();
}

}  // namespace

KdeKey kdeKeyOf(PointerSetting s) {
    switch (s) {
        case PointerSetting::Speed: return {"kcminputrc", "Mouse", "XLbInptPointerAcceleration"};
        case PointerSetting::DoubleClick: return {"kdeglobals", "KDE", "DoubleClickInterval"};
        case PointerSetting::WheelLines: return {"kdeglobals", "KDE", "WheelScrollLines"};
    }
    return {};
}

KdePointerStore::KdePointerStore(std::filesystem::path configFolder, std::string busAddress)
    : configFolder_(std::move(configFolder)), busAddress_(std::move(busAddress)) {}

PointerReach KdePointerStore::reach(PointerSetting s) const {
    // Plasma hands the speed to its input devices only when the session starts.
    return s == PointerSetting::Speed ? PointerReach::NextLogin : PointerReach::Desktop;
}

PointerReading KdePointerStore::read(PointerSetting s) {
    const KdeKey k = kdeKeyOf(s);
    const auto file = KdeConfigFile::load(configFolder_ / k.file);
    if (!file) return PointerReading::missing();
    const auto text = file->value(k.group, k.key);
    if (!text) return PointerReading::missing();
    if (s == PointerSetting::Speed) return speedFromText(*text);
    return readingFromText(s, *text);
}

Status KdePointerStore::write(PointerSetting s, int value) {
    const KdeKey k = kdeKeyOf(s);
    const auto path = configFolder_ / k.file;
    auto file = KdeConfigFile::load(path);
    if (!file) return file.error();
    const std::string text = s == PointerSetting::Speed ? factorText(value) : std::to_string(value);
    if (auto set = file->set(k.group, k.key, text); !set) return makeError(path.string() + ": " + set.error().message);
    std::error_code ec;
    std::filesystem::create_directories(configFolder_, ec);
    if (auto saved = file->save(path); !saved) return saved;
    written_ = true;
    return Status::success();
}

Status KdePointerStore::apply(const PointerNumbers&) {
    if (!written_) return Status::success();
    written_ = false;
    return notifyDesktop(busAddress_);
}

}  // namespace varnel
