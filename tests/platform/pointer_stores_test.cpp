// The desktop back-ends on the real libraries, never on this user's desktop: GSettings on a key
// file of its own, KDE's files in a temporary folder with a private D-Bus, the X server's pointer
// control on an Xvfb of the test's own.
#include <gio/gio.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

#include "child_process.h"
#include "platform/gsettings_pointer_store.h"
#include "platform/kde_config_file.h"
#include "platform/kde_pointer_store.h"
#include "platform/pointer_store_choice.h"
#include "platform/x11_pointer_speed.h"
#include "scratch_files.h"

// Last: Xlib's macros would stand for names above.
#include <X11/Xlib.h>
#undef Status
#undef None
#undef Bool

namespace varnel {
namespace {

namespace fs = std::filesystem;
using PS = PointerSetting;

using testing::ChildProcess;
using testing::fileText;
using testing::freshFolder;

void writeText(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

TEST(PointerBackendChoice, WhatTheSessionOffers) {
    struct Row {
        const char* platform;
        const char* desktop;
        bool schema;
        PointerBackend backend;
    };
    const std::vector<Row> rows{
        {"xcb", "GNOME", true, PointerBackend::GSettings},
        {"wayland", "ubuntu:GNOME", true, PointerBackend::GSettings},
        {"xcb", "GNOME", false, PointerBackend::X11},
        {"xcb", "KDE", true, PointerBackend::Kde},
        {"wayland", "KDE", false, PointerBackend::Kde},
        {"xcb", "", true, PointerBackend::X11},
        {"xcb", "GNOMEISH", true, PointerBackend::X11},
        {"wayland", "sway", true, PointerBackend::None},
        {"offscreen", "GNOME", true, PointerBackend::None},
        {"minimal", "KDE", true, PointerBackend::None},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.platform) + " " + r.desktop);
        EXPECT_EQ(choosePointerBackend({r.platform, r.desktop, r.schema}), r.backend);
    }
}

TEST(GSettingsPointerStore, ReadsAndWritesTheGnomeMouseKeys) {
    ASSERT_TRUE(GSettingsPointerStore::schemaInstalled()) << "gsettings-desktop-schemas is missing";
    const fs::path dir = freshFolder("gsettings");
    const fs::path file = dir / "keyfile";
    writeText(file, "[org/gnome/desktop/peripherals/mouse]\nspeed=0.2\ndouble-click=270\n");
    {
        auto store = GSettingsPointerStore::inKeyFile(file);
        ASSERT_NE(store, nullptr);
        EXPECT_FALSE(store->keeps(PS::WheelLines)) << "Debian 12's schemas have no wheel lines";
        EXPECT_EQ(store->read(PS::Speed).number, 12);
        EXPECT_EQ(store->read(PS::DoubleClick).number, 270);
        ASSERT_TRUE(store->write(PS::Speed, 4).ok());
        ASSERT_TRUE(store->write(PS::DoubleClick, 900).ok());
        EXPECT_TRUE(store->apply({}).ok());
        EXPECT_EQ(store->read(PS::Speed).number, 4);
    }
    GKeyFile* kf = g_key_file_new();
    ASSERT_TRUE(g_key_file_load_from_file(kf, file.c_str(), G_KEY_FILE_NONE, nullptr));
    const char* group = "org/gnome/desktop/peripherals/mouse";
    EXPECT_NEAR(g_key_file_get_double(kf, group, "speed", nullptr), -0.6, 1e-12);
    EXPECT_EQ(g_key_file_get_integer(kf, group, "double-click", nullptr), 900);
    g_key_file_free(kf);

    writeText(file, "[org/gnome/desktop/peripherals/mouse]\nspeed=0.25\ndouble-click=-3\n");
    auto store = GSettingsPointerStore::inKeyFile(file);
    EXPECT_EQ(store->read(PS::Speed), (PointerReading{true, std::nullopt}));
    EXPECT_EQ(store->read(PS::DoubleClick), (PointerReading{true, std::nullopt}));
    fs::remove_all(dir);
}

TEST(KdeConfigFile, ChangesOneKeyAndKeepsEveryOtherByte) {
    struct Row {
        const char* what;
        const char* before;
        const char* group;
        const char* key;
        const char* after;  // nullptr: refused, unchanged
    };
    const std::vector<Row> rows{
        {"replaced in place",
         "# mine\n[Mouse]\ncursorTheme=breeze\nXLbInptPointerAcceleration=0.2\n\n[Keyboard]\nNumLock=2\n", "Mouse",
         "XLbInptPointerAcceleration",
         "# mine\n[Mouse]\ncursorTheme=breeze\nXLbInptPointerAcceleration=-0.6\n\n[Keyboard]\nNumLock=2\n"},
        {"added at the group's end, no last line end",
         "[General]\nColorScheme=Breeze\n\n[KDE]\nSingleClick=false\n\n[WM]\nactiveBackground=1,2,3", "KDE",
         "WheelScrollLines",
         "[General]\nColorScheme=Breeze\n\n[KDE]\nSingleClick=false\nWheelScrollLines=-0.6\n\n[WM]\nactiveBackground=1,"
         "2,3"},
        {"group added, CRLF lines", "[General]\r\nName=x", "Mouse", "XLbInptPointerAcceleration",
         "[General]\r\nName=x\r\n\r\n[Mouse]\r\nXLbInptPointerAcceleration=-0.6\r\n"},
        {"CRLF line added to a group", "[KDE]\r\nSingleClick=false\r\n", "KDE", "WheelScrollLines",
         "[KDE]\r\nSingleClick=false\r\nWheelScrollLines=-0.6\r\n"},
        {"a last line of spaces and CR is blank", "[General]\nName=x\n  \r", "Mouse", "XLbInptPointerAcceleration",
         "[General]\nName=x\n  \r\n[Mouse]\nXLbInptPointerAcceleration=-0.6\n"},
        {"flags other than [$i] kept", "[Mouse]\nXLbInptPointerAcceleration[$e]=0.2\n", "Mouse",
         "XLbInptPointerAcceleration", "[Mouse]\nXLbInptPointerAcceleration[$e]=-0.6\n"},
        {"CRLF kept", "[KDE]\r\nWheelScrollLines = 3\r\n", "KDE", "WheelScrollLines",
         "[KDE]\r\nWheelScrollLines=-0.6\r\n"},
        {"a localised key is another key", "[KDE]\nWheelScrollLines[de]=5\n", "KDE", "WheelScrollLines",
         "[KDE]\nWheelScrollLines[de]=5\nWheelScrollLines=-0.6\n"},
        {"empty file", "", "KDE", "WheelScrollLines", "[KDE]\nWheelScrollLines=-0.6\n"},
        {"locked key", "[KDE]\nWheelScrollLines[$i]=3\n", "KDE", "WheelScrollLines", nullptr},
        {"locked group", "[KDE][$i]\nWheelScrollLines=3\n", "KDE", "WheelScrollLines", nullptr},
        {"locked file", "[$i]\n[KDE]\nWheelScrollLines=3\n", "KDE", "WheelScrollLines", nullptr},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        KdeConfigFile f = KdeConfigFile::fromText(r.before);
        const Status s = f.set(r.group, r.key, "-0.6");
        EXPECT_EQ(s.ok(), r.after != nullptr);
        EXPECT_EQ(f.text(), r.after ? r.after : r.before);
    }
}

TEST(KdePointerStore, FilesInTheConfigFolderAndTheDesktopIsTold) {
    const fs::path dir = freshFolder("kde");
    writeText(dir / "kdeglobals",
              "; colours\n[KDE]\nDoubleClickInterval=270\nWheelScrollLines=lots\nSingleClick=false\n");
    ChildProcess bus({"dbus-daemon", "--session", "--nofork", "--print-address"});
    ASSERT_FALSE(bus.line().empty()) << "dbus-daemon did not start";

    GError* error = nullptr;
    const auto flags = static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                                         G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION);
    GDBusConnection* listener =
        g_dbus_connection_new_for_address_sync(bus.line().c_str(), flags, nullptr, nullptr, &error);
    ASSERT_NE(listener, nullptr) << (error ? error->message : "");
    std::vector<std::pair<int, int>> heard;
    const auto onSignal = [](GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                             GVariant* parameters, gpointer data) {
        int type = 0, arg = 0;
        g_variant_get(parameters, "(ii)", &type, &arg);
        static_cast<std::vector<std::pair<int, int>>*>(data)->emplace_back(type, arg);
    };
    const guint id = g_dbus_connection_signal_subscribe(listener, nullptr, "org.kde.KGlobalSettings", "notifyChange",
                                                        "/KGlobalSettings", nullptr, G_DBUS_SIGNAL_FLAGS_NONE, onSignal,
                                                        &heard, nullptr);
    // A round trip, so that the bus has the match before anything is sent.
    GVariant* reply =
        g_dbus_connection_call_sync(listener, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                    "GetId", nullptr, nullptr, G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, nullptr);
    ASSERT_NE(reply, nullptr);
    g_variant_unref(reply);

    KdePointerStore store(dir, bus.line());
    EXPECT_EQ(store.read(PS::Speed), PointerReading::missing()) << "no kcminputrc";
    EXPECT_EQ(store.read(PS::DoubleClick).number, 270);
    EXPECT_EQ(store.read(PS::WheelLines), (PointerReading{true, std::nullopt}));
    EXPECT_TRUE(store.apply({}).ok());  // nothing written: the desktop is not told
    ASSERT_TRUE(store.write(PS::Speed, 4).ok());
    ASSERT_TRUE(store.write(PS::DoubleClick, 900).ok());
    ASSERT_TRUE(store.write(PS::WheelLines, 10).ok());
    EXPECT_EQ(fileText(dir / "kcminputrc"), "[Mouse]\nXLbInptPointerAcceleration=-0.6\n");
    EXPECT_EQ(fileText(dir / "kdeglobals"),
              "; colours\n[KDE]\nDoubleClickInterval=900\nWheelScrollLines=10\nSingleClick=false\n");
    EXPECT_EQ(store.read(PS::Speed).number, 4);
    EXPECT_TRUE(store.apply({}).ok());

    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (heard.empty() && std::chrono::steady_clock::now() < until) g_main_context_iteration(nullptr, FALSE);
    EXPECT_EQ(heard, (std::vector<std::pair<int, int>>{{3, 0}}));
    g_dbus_connection_signal_unsubscribe(listener, id);
    g_object_unref(listener);

    KdePointerStore noBus(dir, "unix:path=" + (dir / "no-bus").string());
    ASSERT_TRUE(noBus.write(PS::WheelLines, 3).ok());
    const Status told = noBus.apply({});
    EXPECT_FALSE(told.ok()) << "a desktop that cannot be told is a failure";
    EXPECT_EQ(told.error().languageKey, "Str115") << "saved, only not taken up yet";
    fs::remove_all(dir);
}

TEST(X11PointerSpeed, TheServersAccelerationIsTheSpeed) {
    ChildProcess server({"Xvfb", "-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "64x64x24"});
    ASSERT_FALSE(server.line().empty()) << "Xvfb did not start";
    const std::string display = ":" + server.line();
    auto speed = X11PointerSpeed::open(display);
    ASSERT_NE(speed, nullptr);
    EXPECT_EQ(speed->read().number, 20) << "the server's default 2/1";
    ASSERT_TRUE(speed->write(4).ok());
    Display* d = XOpenDisplay(display.c_str());
    ASSERT_NE(d, nullptr);
    int numerator = 0, denominator = 0, threshold = 0;
    XGetPointerControl(d, &numerator, &denominator, &threshold);
    XCloseDisplay(d);
    EXPECT_EQ(numerator * 10, 4 * denominator);
    EXPECT_EQ(speed->read().number, 4);
}

}  // namespace
}  // namespace varnel
