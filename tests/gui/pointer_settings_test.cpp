// The desktop pointer bars of the Advanced page on real back-ends kept away from this user's
// desktop: shown at start, chosen with a click, written by Apply before the mouse is, and a
// failed write reported once.
#include <QLabel>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "device_rig.h"
#include "gui_test_main.h"
#include "platform/gsettings_pointer_store.h"
#include "platform/kde_pointer_store.h"
#include "scratch_files.h"

using namespace varnel;

namespace fs = std::filesystem;
using testing::fileText;
using testing::freshFolder;

class PointerSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void applyChangesTheDesktopsSettings() {
        const fs::path dir = freshFolder("gui-gsettings");
        std::ofstream(dir / "keyfile") << "[org/gnome/desktop/peripherals/mouse]\nspeed=0\ndouble-click=340\n";
        testing::DeviceRig rig(Millis(5), GSettingsPointerStore::inKeyFile(dir / "keyfile"));
        rig.addMouse({});
        rig.tick();
        rig.click("Btn_Adv_1");
        QCOMPARE(rig.pictureOf("Img_Spd6"), QString("Bar1_E"));
        QCOMPARE(rig.pictureOf("Img_Spd7"), QString("Bar1_D"));
        QCOMPARE(rig.pictureOf("Img_DbSpd9"), QString("Bar1_E"));
        QCOMPARE(rig.child<QLabel>("lbl_ScrSpdNote")->text(), rig.text("Str114"));

        rig.click("Img_Spd3");
        rig.click("Img_DbSpd1");
        rig.click("Img_ScrSpd5");  // GSettings keeps no wheel lines: nothing to choose
        QCOMPARE(rig.pictureOf("Img_Spd4"), QString("Bar1_D"));
        QCOMPARE(rig.pictureOf("Img_ScrSpd1"), QString("Bar1_D"));
        QCOMPARE(rig.pictureOf("Img_DbSpd2"), QString("Bar1_D"));
        rig.click("Btn_Apply_2");
        rig.settle();
        QCOMPARE(rig.messages, QStringList{});
        // What the desktop now holds, read back through GSettings.
        auto desktop = GSettingsPointerStore::inKeyFile(dir / "keyfile");
        QCOMPARE(desktop->read(PointerSetting::Speed).number, std::optional<int>(4));
        QCOMPARE(desktop->read(PointerSetting::DoubleClick).number, std::optional<int>(900));
        fs::remove_all(dir);
    }

    void aFailedDesktopWriteIsReportedOnce() {
        const fs::path dir = freshFolder("gui-kde");
        std::ofstream(dir / "kdeglobals") << "[KDE]\nWheelScrollLines[$i]=3\n";  // locked by the administrator
        testing::DeviceRig rig(Millis(5), std::make_unique<KdePointerStore>(dir, "unix:path=/nonexistent"));
        rig.addMouse({});
        rig.tick();
        rig.click("Btn_Adv_1");
        QCOMPARE(rig.pictureOf("Img_ScrSpd3"), QString("Bar1_E"));
        QCOMPARE(rig.child<QLabel>("lbl_SpdNote")->text(), rig.text("Str462"));  // the speed waits for a login
        rig.click("Img_ScrSpd7");
        rig.click("Btn_Apply_2");
        rig.settle();
        QCOMPARE(rig.messages, QStringList{rig.text("Str110")});
        QCOMPARE(fileText(dir / "kdeglobals"), std::string("[KDE]\nWheelScrollLines[$i]=3\n"));
        fs::remove_all(dir);
    }
};

VARNEL_GUI_TEST_MAIN(PointerSettingsTest)
#include "pointer_settings_test.moc"
