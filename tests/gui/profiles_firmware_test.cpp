// Profile files and the Update page through the window, on the virtual bus behind the device
// worker: the bar's Save Profile and Load Profile buttons, loading and programming firmware, the
// wait for the restarted mouse, and a profile loaded while a poll's search waits.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "app/file_dialog.h"
#include "config/layout.h"
#include "config/variant.h"
#include "device/commands.h"
#include "device_rig.h"
#include "gui_test_main.h"
#include "wren_flash_map.h"

using namespace varnel;
using varnel::testing::DeviceRig;
using varnel::testing::resourceBytes;
using varnel::testing::virtualOptions;

namespace {

constexpr std::size_t kProgrammingReports = 8 * 148 + 2 + 32 * 38 + 8 * 148 + 1;  // check, write, read-back, 18

Bytes slice(const Bytes& m, std::size_t from, std::size_t n) {
    return Bytes(m.begin() + static_cast<std::ptrdiff_t>(from), m.begin() + static_cast<std::ptrdiff_t>(from + n));
}

Bytes readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray b = f.readAll();
    return Bytes(b.begin(), b.end());
}

void writeFile(const QString& path, const Bytes& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

int count(const std::vector<std::uint8_t>& log, std::uint8_t command) {
    return static_cast<int>(std::count(log.begin(), log.end(), command));
}

}  // namespace

class ProfilesFirmwareTest : public QObject {
    Q_OBJECT

    std::unique_ptr<DeviceRig> rig_;
    QTemporaryDir dir_;
    QStringList dialogs_;  // "save Perfiles (*.bin)" per dialog shown
    QStringList marks_;    // the five pictures of the pressed profile button while its dialog shows
    QString chosen_;       // what the dialogs answer
    QStringList questions_;
    bool answer_ = true;

    DeviceRig& rig() { return *rig_; }
    QString caption(const char* name) { return rig().child<QLabel>(name)->text(); }
    QString file(const char* name) { return dir_.filePath(name); }
    std::shared_ptr<VirtualMouse> plugAndRead(VirtualMouseOptions options = virtualOptions("wren-rgb-3330")) {
        auto mouse = rig().addMouse(options);
        rig().tick();
        return mouse;
    }
    // Key5 becomes Mute through its menu.
    void muteOnKey5() {
        rig().click("Key5");
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(rig().child("Key_Media"), &enter);
        rig().click("Key_Mute");
        QCOMPARE(caption("Key5"), rig().text("Str256"));
    }
    // The mouse's firmware region reads as zeros, so programming shows in it.
    static void clearFirmwareRegion(VirtualMouse& mouse) {
        Bytes m = mouse.memory();
        std::fill_n(m.begin() + kFlashFirmware, kFirmwareSize, 0x00);
        QVERIFY(mouse.loadMemory(m).ok());
    }
    void openUpdatePageAndLoad(const QString& firmware) {
        rig().click("Btn_Update_1");
        QVERIFY(rig().child("gbPage5")->isVisible());
        chosen_ = firmware;
        rig().click("Btn_LoadBIN");
        rig().settle();
    }

    // A Wren read by the window (its firmware region cleared, so programming shows), with the
    // embedded firmware written to a file and loaded on the Update page; the file's name.
    QString wrenWithFirmwareLoaded(const std::shared_ptr<VirtualMouse>& mouse) {
        clearFirmwareRegion(*mouse);
        rig().tick();
        const QString firmware = file("DefaultFW.bin");
        writeFile(firmware, resourceBytes("DefaultFW"));
        openUpdatePageAndLoad(firmware);
        return firmware;
    }

private slots:
    void init() {
        rig_ = std::make_unique<DeviceRig>();
        dialogs_.clear();
        marks_.clear();
        questions_.clear();
        answer_ = true;
        setQuestionHandler([this](QWidget*, const QString& q) {
            questions_ << q;
            return answer_;
        });
        setFileDialogHandler([this](QWidget*, FileDialogKind kind, const QString& filter) {
            const bool save = kind == FileDialogKind::Save;
            dialogs_ << QString(save ? "save " : "open ") + filter;
            const QString base = save ? "Save" : "Load";
            for (int p = 1; p <= 5; ++p) marks_ << rig().pictureOf(QString("Img_%1_%2").arg(base).arg(p));
            return chosen_;
        });
    }
    void cleanup() {
        rig_.reset();
        setFileDialogHandler({});
        setQuestionHandler({});
    }

    void aWrenProfileIsSavedAndLoadedBackWithoutSending() {
        auto mouse = plugAndRead();
        const QString key5 = caption("Key5");
        rig().click("Key5");
        QVERIFY(rig().child("Pnl_Main")->isVisible());
        chosen_ = file("profile");  // ".bin" is added
        rig().click("Btn_Save_3");
        rig().settle();
        QVERIFY(!rig().child("Pnl_Main")->isVisible());
        QCOMPARE(dialogs_, QStringList{"save " + rig().text("Str570")});
        QCOMPARE(marks_, QStringList(5, "SetS_02"));
        QCOMPARE(rig().pictureOf("Img_Save_3"), QString("SetS_01"));
        const Bytes saved = readFile(file("profile.bin"));
        QCOMPARE(saved.size(), std::size_t(33984));
        QCOMPARE(slice(saved, 182, 10), Bytes(10, 0xFF));
        const Bytes m = mouse->memory();
        QCOMPARE(slice(saved, 0, 182), slice(m, kFlashParameterBlock, 182));
        QCOMPARE(slice(saved, 192, 1024), slice(m, kFlashMacroNames, 1024));
        QCOMPARE(slice(saved, 1216, 32768), slice(m, kFlashMacroBlocks, 32768));

        muteOnKey5();
        const std::uint64_t reports = mouse->reportCount();
        chosen_ = file("profile.bin");
        rig().click("Btn_Load_5");
        rig().settle();
        QCOMPARE(dialogs_.last(), "open " + rig().text("Str570"));
        QCOMPARE(caption("Key5"), key5);
        QCOMPARE(mouse->reportCount(), reports);
        QVERIFY(!rig().state.MacrosDirty);
        QCOMPARE(rig().messages, QStringList{});

        // Saving to "profile" again writes profile.bin, which exists: asked first.
        writeFile(file("profile.bin"), Bytes{1, 2, 3});
        QStringList questions;
        bool replace = false;
        setQuestionHandler([&](QWidget*, const QString& q) {
            questions << q;
            return replace;
        });
        chosen_ = file("profile");
        rig().click("Btn_Save_1");
        rig().settle();
        QCOMPARE(questions.size(), 1);
        QVERIFY(questions.front().contains(file("profile.bin")));
        QCOMPARE(readFile(file("profile.bin")), (Bytes{1, 2, 3}));
        replace = true;
        rig().click("Btn_Save_1");
        rig().settle();
        QCOMPARE(readFile(file("profile.bin")), saved);

        // A write-protected file is not replaced: the window says why, and the file keeps its bytes.
        QVERIFY(QFile::setPermissions(file("profile.bin"), QFile::ReadOwner));
        rig().messages.clear();
        rig().click("Btn_Save_1");
        rig().settle();
        QCOMPARE(rig().messages.size(), 1);
        QVERIFY2(rig().messages.front().endsWith("profile.bin\" is write-protected: it was not replaced"),
                 qPrintable(rig().messages.front()));
        QCOMPARE(readFile(file("profile.bin")), saved);
    }

    void aRefusedProfileChangesNothing_data() {
        QTest::addColumn<QByteArray>("head");  // bytes put over the default image at `at`; empty: no file
        QTest::addColumn<int>("at");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("why");  // the second line
        const QString lark = "refused.bin: the profile is for a Lark; this mouse is a Wren";
        QTest::newRow("a Lark profile") << QByteArray("\x10\x00", 2) << 0 << 154 << "Str102" << lark;
        QTest::newRow("a Wren-sized file marked as a Lark's")
            << QByteArray("\x10\x00", 2) << 0 << 33984 << "Str102" << lark;
        QTest::newRow("a signature that locks the mouse out")
            << QByteArray("\x12\x34", 2) << 47 << 33984 << "Str102"
            << "refused.bin: not a Wren profile: its signature 12 34 is not one this program accepts; a mouse given "
               "it could no longer be reached";
        QTest::newRow("zeros") << QByteArray(33984, 0) << 0 << 33984 << "Str102"
                               << "refused.bin: not a Wren profile: none of its checksummed sections is valid";
        QTest::newRow("a file that cannot be read") << QByteArray() << 0 << 0 << "Str436"
                                                    << "";
    }

    void aRefusedProfileChangesNothing() {
        QFETCH(QByteArray, head);
        QFETCH(int, at);
        QFETCH(int, size);
        QFETCH(QString, key);
        QFETCH(QString, why);
        auto mouse = plugAndRead();
        chosen_ = file(head.isEmpty() ? "missing.bin" : "refused.bin");
        if (!head.isEmpty()) {
            Bytes bytes = resourceBytes("VarnelData");
            bytes.resize(static_cast<std::size_t>(size));
            std::copy(head.begin(), head.end(), bytes.begin() + at);
            writeFile(chosen_, bytes);
        }
        muteOnKey5();
        const DataBuf before = rig().state.DataBuf;
        const std::uint64_t reports = mouse->reportCount();
        rig().click("Btn_Load_2");
        rig().settle();
        QCOMPARE(rig().messages.size(), 1);
        QVERIFY2(rig().messages.front().startsWith(rig().text(qPrintable(key))), qPrintable(rig().messages.front()));
        if (!why.isEmpty()) QCOMPARE(rig().messages.front(), rig().text(qPrintable(key)) + "\n" + why);
        QCOMPARE(caption("Key5"), rig().text("Str256"));
        QVERIFY(rig().state.DataBuf == before);
        QCOMPARE(mouse->reportCount(), reports);
        // Apply writes what was shown, and the mouse still identifies.
        rig().click("Btn_Apply_1");
        rig().settle();
        rig().window->ReFindDev();
        rig().settle();
        QCOMPARE(slice(mouse->memory(), kFlashSignature, 2), (Bytes{0xFF, 0xFF}));
        QVERIFY(!rig().state.NoDeviceMode);
        QCOMPARE(rig().messages.size(), 1);
    }

    void withoutAnAcceptedMouseNoDialogOpens_data() {
        QTest::addColumn<QString>("model");  // empty: no mouse
        QTest::newRow("no mouse") << "";
        QTest::newRow("a Lark refused by identification (its signature)") << "lark-rgb-a3050";
    }

    void withoutAnAcceptedMouseNoDialogOpens() {
        QFETCH(QString, model);
        if (!model.isEmpty()) {
            auto mouse = rig().addMouse(virtualOptions(qPrintable(model)));
            Bytes m = mouse->memory();
            m[variantOf(mouse->options().model.chip).signatureAddress] = 0x12;
            QVERIFY(mouse->loadMemory(m).ok());
        }
        rig().tick();
        rig().messages.clear();
        rig().click("Btn_Save_1");
        rig().click("Btn_Load_2");
        rig().settle();
        QCOMPARE(rig().messages, QStringList(2, rig().message("Str022")));
        QCOMPARE(dialogs_, QStringList{});
        QCOMPARE(rig().pictureOf("Img_Save_4"), QString("SetS_01"));
        QCOMPARE(rig().pictureOf("Img_Load_4"), QString("SetS_01"));
    }

    // A poll that searches for the mouse reads it again after its wait; a profile loaded meanwhile
    // is shown after that read, not replaced by it.
    void aProfileLoadedDuringAPollsWaitOutlivesTheSearch() {
        rig_.reset();
        rig_ = std::make_unique<DeviceRig>(Millis(800));
        auto mouse = plugAndRead();
        const QString key2 = caption("Key2");
        Bytes profile = resourceBytes("VarnelData");  // what the factory mouse holds, Main slots 1 and 2 swapped
        const auto slot1 = profile.begin() + static_cast<std::ptrdiff_t>(kWrenLayout.slotOffset(ButtonMapId::Main, 1));
        std::swap_ranges(slot1, slot1 + kSlotSize, slot1 + kSlotSize);
        chosen_ = file("swapped.bin");
        writeFile(chosen_, profile);
        rig().addKeyboard();
        rig().missOneIdentification();
        QSignalSpy ticked(&rig().thread->worker(), &DeviceWorker::tickDone);
        rig().window->pollForMouse();
        QTRY_COMPARE(ticked.size(), 1);
        QVERIFY(ticked.front().front().toBool());  // a search waits
        rig().click("Btn_Load_1");
        rig().settle();
        QCOMPARE(count(mouse->commandLog(), kCmdDeviceInfo), 2);
        QCOMPARE(caption("Key1"), key2);
        QCOMPARE(rig().messages, QStringList{});
    }

    void theEmbeddedFirmwareIsProgrammedAndTheMouseFoundAgain() {
        auto mouse = rig().addMouse(virtualOptions("wren-rgb-3330"));
        const QString firmware = wrenWithFirmwareLoaded(mouse);
        QCOMPARE(dialogs_, QStringList{"open " + rig().text("Str571")});
        QCOMPARE(caption("lbl_LoadBIN"), firmware);
        QVERIFY(rig().state.FirmwareLoaded);

        // Program asks first; No sends nothing.
        answer_ = false;
        const std::uint64_t reports = mouse->reportCount();
        rig().click("Btn_Program");
        rig().settle();
        QCOMPARE(mouse->reportCount(), reports);
        answer_ = true;

        QSignalSpy progress(&rig().thread->worker(), &DeviceWorker::progress);
        QSignalSpy jobsDone(rig().window.get(), &MainWindow::deviceJobDone);
        QSignalSpy ticked(&rig().thread->worker(), &DeviceWorker::tickDone);
        rig().bus->closeGate();
        rig().click("Btn_Program");
        QTRY_VERIFY(rig().bus->holding());
        QVERIFY(rig().busy.isVisible());
        QVERIFY(rig().child("Disable_All_5")->isVisible());
        rig().bus->openGate();
        QTRY_COMPARE(jobsDone.size(), 1);
        QCOMPARE(questions_, QStringList(2, rig().text("Str449").replace("%1", "DefaultFW.bin")));

        // The restart wait: the window stays locked and nothing polls, until the search.
        QCOMPARE(mouse->reloadCount(kCmdFinishFirmware), 1);
        QVERIFY(rig().window->deviceBusy());
        QVERIFY(rig().busy.isVisible());
        QVERIFY(rig().child("Disable_All_5")->isVisible());
        QCOMPARE(count(mouse->commandLog(), kCmdDeviceInfo), 1);
        rig().window->pollForMouse();
        rig().settle();
        QCOMPARE(ticked.size(), 0);
        QCOMPARE(count(mouse->commandLog(), kCmdDeviceInfo), 2);
        QCOMPARE(rig().messages, QStringList{rig().text("Str444")});
        QCOMPARE(slice(mouse->memory(), kFlashFirmware, kFirmwareSize), resourceBytes("DefaultFW"));
        QVERIFY(rig().state.FirmwareLoaded);
        QVERIFY(!rig().state.NoDeviceMode);
        QVERIFY(!rig().busy.isVisible());
        const auto counted = std::find_if(progress.begin(), progress.end(), [](const QList<QVariant>& p) {
            return p.at(0).toInt() == int(kProgrammingReports) && p.at(1).toInt() == int(kProgrammingReports);
        });
        QVERIFY(counted != progress.end());
    }

    void aMouseNotFoundAfterItsRestartIsNotReportedAsUpdated() {
        auto mouse = rig().addMouse(virtualOptions("wren-rgb-3330"));
        wrenWithFirmwareLoaded(mouse);
        QSignalSpy jobsDone(rig().window.get(), &MainWindow::deviceJobDone);
        rig().click("Btn_Program");
        QTRY_COMPARE(jobsDone.size(), 1);
        QCOMPARE(mouse->reloadCount(kCmdFinishFirmware), 1);
        rig().errand([&](VirtualBus&) { mouse->unplug(); });  // during the restart wait
        rig().settle();
        QCOMPARE(rig().messages, (QStringList{rig().noDeviceMessage(), rig().text("Str446")}));
    }

    void aFirmwareThatDoesNotReadBackStaysLoadedAndIsNotFinished() {
        auto mouse = rig().addMouse(virtualOptions("wren-rgb-3330"));
        const QString firmware = wrenWithFirmwareLoaded(mouse);
        // Every erase of the first firmware sector is refused: its zeros cannot become the image.
        rig().bus->refuseReports(
            [](const FeatureReport& r) { return r[0] == kCommandReportId && r[1] == kCmdEraseSector && r[2] == 0x10; });
        rig().click("Btn_Program");
        rig().settle();
        QCOMPARE(rig().messages, QStringList{rig().text("Str445")});
        QCOMPARE(mouse->reloadCount(kCmdFinishFirmware), 0);
        QCOMPARE(count(mouse->commandLog(), kCmdDeviceInfo), 1);
        QVERIFY(rig().state.FirmwareLoaded);
        QCOMPARE(caption("lbl_LoadBIN"), firmware);

        rig().bus->refuseReports({});
        rig().click("Btn_Program");
        rig().settle();
        QCOMPARE(rig().messages.last(), rig().text("Str444"));
        QCOMPARE(slice(mouse->memory(), kFlashFirmware, kFirmwareSize), resourceBytes("DefaultFW"));
    }

    void anUnusableFirmwareFileIsRefusedAndDisarmsTheLastOne_data() {
        QTest::addColumn<int>("size");  // bytes of the file; -1: a folder, -2: no such file
        QTest::newRow("8191 bytes") << 8191;
        QTest::newRow("a folder") << -1;
        QTest::newRow("no such file") << -2;
    }

    void anUnusableFirmwareFileIsRefusedAndDisarmsTheLastOne() {
        QFETCH(int, size);
        auto mouse = plugAndRead();
        const QString good = file("good.bin");
        writeFile(good, resourceBytes("DefaultFW"));
        openUpdatePageAndLoad(good);
        QVERIFY(rig().state.FirmwareLoaded);

        QString bad = file("bad.bin");
        if (size >= 0) writeFile(bad, Bytes(static_cast<std::size_t>(size), 0x5A));
        if (size == -1) bad = dir_.path();
        chosen_ = bad;
        rig().click("Btn_LoadBIN");
        rig().settle();
        QCOMPARE(rig().messages.size(), 1);
        QVERIFY(rig().messages.front().startsWith(rig().text("Str443") + "\n"));
        QVERIFY2(!rig().messages.front().section('\n', 1).contains("firmware file"), "one reason, not two");
        QVERIFY(!rig().state.FirmwareLoaded);
        QCOMPARE(caption("lbl_LoadBIN"), QString());
        const std::uint64_t reports = mouse->reportCount();
        rig().click("Btn_Program");
        rig().settle();
        QCOMPARE(rig().messages.size(), 1);
        QCOMPARE(mouse->reportCount(), reports);
    }
};

VARNEL_GUI_TEST_MAIN(ProfilesFirmwareTest)
#include "profiles_firmware_test.moc"
