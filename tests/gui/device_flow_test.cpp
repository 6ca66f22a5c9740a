// The window on the virtual bus behind the device worker: discovery, identification and the full
// read, the action buttons, and the window's state while a job runs.
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QtTest>

#include "config/layout.h"
#include "config/variant.h"
#include "device/commands.h"
#include "device_rig.h"
#include "gui_test_main.h"
#include "wren_flash_map.h"

using namespace varnel;
using varnel::testing::DeviceRig;
using varnel::testing::virtualOptions;

namespace {

constexpr std::size_t kMainSlot1 = kFlashParameterBlock + kWrenLayout.slotOffset(ButtonMapId::Main, 1);
constexpr std::size_t kMainSlot2 = kFlashParameterBlock + kWrenLayout.slotOffset(ButtonMapId::Main, 2);
constexpr std::size_t kMainSlot4 = kFlashParameterBlock + kWrenLayout.slotOffset(ButtonMapId::Main, 4);
constexpr std::uint64_t kReportsToRead = 2 + 4 + 4916;  // probes, identification, full Wren read

Bytes slice(const Bytes& m, std::size_t from, std::size_t n) {
    return Bytes(m.begin() + static_cast<std::ptrdiff_t>(from), m.begin() + static_cast<std::ptrdiff_t>(from + n));
}

// Swaps the codes of Main slots 1 and 2 in the mouse (the section's sum, and so its checksum,
// stays the same), so the read shows in the captions.
void swapFirstTwoSlots(VirtualMouse& mouse) {
    Bytes m = mouse.memory();
    std::swap_ranges(m.begin() + kMainSlot1, m.begin() + kMainSlot1 + kSlotSize, m.begin() + kMainSlot2);
    QVERIFY(mouse.loadMemory(m).ok());
}

// Main slot 4 of the mouse becomes `code`, with the button maps' checksum made right again.
void setMainSlot4(VirtualMouse& mouse, const ActionCode& code) {
    Bytes m = mouse.memory();
    std::copy(code.begin(), code.end(), m.begin() + kMainSlot4);
    storeSectionChecksum(MutableByteSpan(m.data() + kFlashParameterBlock, kWrenParameterBlockSize),
                         kWrenLayout.profile);
    QVERIFY(mouse.loadMemory(m).ok());
}

// Slot `slot` of map `m` in the mouse becomes `code`, with the button maps' checksum made right.
void setSlot(Bytes& m, ButtonMapId map, std::size_t slot, const ActionCode& code) {
    std::copy(code.begin(), code.end(), m.begin() + kFlashParameterBlock + kWrenLayout.slotOffset(map, slot));
    storeSectionChecksum(MutableByteSpan(m.data() + kFlashParameterBlock, kWrenParameterBlockSize),
                         kWrenLayout.profile);
}

// The mouse's active map as it reports it: the mirror of ParameterB at 0x6000 (its checksum kept).
void setActiveMap(Bytes& m, std::uint8_t map) {
    MutableByteSpan mirror(m.data() + kFlashExtraBytes - kWrenLayout.parameterB.offset, kWrenParameterBlockSize);
    mirror[param_b::kActiveMap] = map;
    storeSectionChecksum(mirror, kWrenLayout.parameterB);
}

int count(const std::vector<std::uint8_t>& log, std::uint8_t command) {
    return static_cast<int>(std::count(log.begin(), log.end(), command));
}

}  // namespace

class DeviceFlowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<DeviceRig> rig_;
    DeviceRig& rig() { return *rig_; }
    bool controlVisible(const char* name) { return rig().window->model().controls().find(name)->visible; }
    void press(const char* button) { rig().click(button); }
    // An action button, through its pause and its job.
    void act(const char* button) {
        press(button);
        QVERIFY(rig().window->deviceBusy());
        rig().settle();
    }
    std::shared_ptr<VirtualMouse> plugAndRead(VirtualMouseOptions options = virtualOptions("wren-rgb-3330")) {
        auto mouse = rig().addMouse(options);
        rig().tick();
        return mouse;
    }
    void expectNoDeviceAppearance() {
        QVERIFY(rig().state.NoDeviceMode);
        QVERIFY(rig().child("gbPage1")->isVisible());
        for (int p = 2; p <= 5; ++p) QVERIFY(!rig().child(QString("gbPage%1").arg(p))->isVisible());
        for (int p = 1; p <= 5; ++p) {
            QCOMPARE(rig().pictureOf(QString("Img_Main_%1").arg(p)), QString("SetS_02"));
            QCOMPARE(rig().pictureOf(QString("Img_Adv_%1").arg(p)), QString("SetS_01"));
        }
    }

private slots:
    void init() { rig_ = std::make_unique<DeviceRig>(); }
    void cleanup() { rig_.reset(); }

    void withoutAMouseTheMessageComesOncePerPopulationChange() {
        rig().tick();
        QCOMPARE(rig().messages, QStringList{rig().noDeviceMessage()});
        QVERIFY(rig().messages.front().contains('\n'));  // two lines
        expectNoDeviceAppearance();
        QVERIFY(rig().child("Disable")->isVisible());
        rig().tick();
        rig().tick();
        QCOMPARE(rig().messages.size(), 1);
        rig().addKeyboard();
        rig().tick();
        QCOMPARE(rig().messages, (QStringList{rig().noDeviceMessage(), rig().noDeviceMessage()}));
        QVERIFY(rig().window->devTimer()->isActive());
        QVERIFY(!rig().child("Disable_All_1")->isVisible());
    }

    void aSearchMessageComesWithThePagesUnlockedAndJobsHeld() {
        bool pagesLocked = true, busy = false;
        setMessageHandler([&](QWidget*, const QString& t) {
            rig().messages << t;
            pagesLocked = rig().child("Disable_All_1")->isVisible();
            busy = rig().window->deviceBusy();
        });
        rig().tick();
        QCOMPARE(rig().messages, QStringList{rig().noDeviceMessage()});
        QVERIFY(!pagesLocked);
        QVERIFY(busy);
        QVERIFY(!rig().window->deviceBusy());
    }

    void aWrenIsIdentifiedReadAndShown() {
        const QString defaultKey2 = rig().child<QLabel>("Key2")->text();
        auto mouse = rig().addMouse(virtualOptions("wren-rgb-3330"));
        swapFirstTwoSlots(*mouse);
        QSignalSpy progress(&rig().thread->worker(), &DeviceWorker::progress);
        rig().tick();
        QCOMPARE(rig().messages, QStringList{});
        QCOMPARE(rig().state.DeviceChip, OptionalChip(ChipModel::Wren));
        QVERIFY(!rig().state.NoDeviceMode);
        QCOMPARE(rig().child<QLabel>("Key1")->text(), defaultKey2);
        QVERIFY(rig().child("Btn_Main_1")->isVisible());
        for (int p = 1; p <= 5; ++p) {
            QVERIFY(controlVisible(qPrintable(QString("Btn_Macro_%1").arg(p))));
            QVERIFY(controlVisible(qPrintable(QString("Img_Update_%1").arg(p))));
        }
        QVERIFY(controlVisible("Key_Macro"));
        QCOMPARE(rig().window->model().controls().find("Pnl_Main")->height, 146);
        QVERIFY(controlVisible("Img_DPI4_20"));  // the 3330 has twenty steps
        // The busy window heard the read's progress up to its end.
        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.last().at(0).toInt(), 4916);
        QCOMPARE(progress.last().at(1).toInt(), 4916);
        QVERIFY(!rig().busy.isVisible());
        QVERIFY(!rig().child("Disable_All_3")->isVisible());
        QVERIFY(rig().window->devTimer()->isActive());
    }

    void aSensorWithFewerStepsHidesTheRest() {
        plugAndRead(virtualOptions("wren-color-a3050"));
        QVERIFY(controlVisible("Img_DPI2_9"));
        QVERIFY(!controlVisible("Img_DPI2_10"));
        QVERIFY(!controlVisible("Img_DPI1_20"));
    }

    void refusedMice_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QByteArray>("signature");  // written at the signature area; empty = factory
        QTest::addColumn<QString>("key");           // message; empty = accepted
        QTest::addColumn<QString>("why");           // its second line
        QTest::newRow("Lark, foreign signature") << "lark-rgb-a3050" << QByteArray("\x12\x34", 2) << "Str103"
                                                 << "this mouse's signature is 12 34, not one this program accepts";
        QTest::newRow("foreign signature") << "wren-rgb-3330" << QByteArray("\x12\x34", 2) << "Str103"
                                           << "this mouse's signature is 12 34, not one this program accepts";
        QTest::newRow("zero signature, the layout's pair") << "wren-rgb-3330" << QByteArray("\0\0", 2) << ""
                                                           << "";
    }

    void refusedMice() {
        QFETCH(QString, model);
        QFETCH(QByteArray, signature);
        QFETCH(QString, key);
        QFETCH(QString, why);
        auto mouse = rig().addMouse(virtualOptions(qPrintable(model)));
        if (!signature.isEmpty()) {
            Bytes m = mouse->memory();
            std::copy(signature.begin(), signature.end(),
                      m.begin() + variantOf(mouse->options().model.chip).signatureAddress);
            QVERIFY(mouse->loadMemory(m).ok());
        }
        rig().tick();
        if (key.isEmpty()) {
            QCOMPARE(rig().messages, QStringList{});
            QVERIFY(!rig().state.NoDeviceMode);
            return;
        }
        QCOMPARE(rig().messages, QStringList{rig().text(qPrintable(key)) + "\n" + why});
        expectNoDeviceAppearance();
        // Nothing may be written to a refused mouse, whatever its channels say; an action says
        // why again, not that no mouse is there.
        const Bytes before = mouse->memory();
        act("Btn_Apply_1");
        act("Btn_Reset_4");
        QCOMPARE(rig().messages.mid(1), QStringList(2, rig().messages.front()));
        QCOMPARE(mouse->memory(), before);
    }

    // Another device coming or going leaves the mouse and the unapplied edits alone; a mouse
    // that left and came back is read again.
    void anotherHidDeviceLeavesTheEditsAlone() {
        auto mouse = plugAndRead();
        const ActionCode edited{0x01, 0x10, 0x00, 0x00};  // Forward on button 4
        rig().state.EditCopy.setSlot(ButtonMapId::Main, 4, edited);
        rig().state.CodeTexts[0][3] = codeTextFromBytes(edited);
        const int reads = count(mouse->commandLog(), kCmdReadFlash);
        const std::string keyboard = rig().addKeyboard();
        rig().tick();
        rig().errand([&](VirtualBus& b) { b.removeUnrelated(keyboard); });
        rig().tick();
        QCOMPARE(count(mouse->commandLog(), kCmdReadFlash), reads);
        QCOMPARE(rig().state.CodeTexts[0][3], codeTextFromBytes(edited));
        act("Btn_Apply_1");
        QCOMPARE(slice(mouse->memory(), kMainSlot4, kSlotSize), Bytes(edited.begin(), edited.end()));
        mouse->unplug();
        mouse->plugIn();
        rig().addKeyboard();
        rig().tick();
        QVERIFY(count(mouse->commandLog(), kCmdReadFlash) > reads + 32);
        QCOMPARE(rig().messages, QStringList{});
    }

    void reFindDevReadsTheMouseAgainWithoutAPopulationChange() {
        auto mouse = plugAndRead();
        rig().window->ReFindDev();
        QVERIFY(rig().window->deviceBusy());
        rig().settle();
        QCOMPARE(count(mouse->commandLog(), kCmdDeviceInfo), 2);
        mouse->unplug();
        rig().window->ReFindDev();
        rig().settle();
        QCOMPARE(rig().messages, QStringList{rig().noDeviceMessage()});
        expectNoDeviceAppearance();
    }

    void applyWritesTheMouseAndARateChangeReloadsWithSixteenOnce() {
        auto mouse = plugAndRead();
        const Bytes slot2 = slice(mouse->memory(), kMainSlot2, kSlotSize);
        ActionCode code;
        std::copy(slot2.begin(), slot2.end(), code.begin());
        rig().state.EditCopy.setSlot(ButtonMapId::Main, 1, code);
        rig().click("Btn_Adv_1");
        rig().click("lbl_Rep2");  // 500 Hz on a mouse that reported 1000
        press("Btn_Apply_2");
        for (int p = 1; p <= 5; ++p) QCOMPARE(rig().pictureOf(QString("Img_Apply_%1").arg(p)), QString("BtnS_03"));
        rig().settle();
        QCOMPARE(rig().messages, QStringList{});
        // A write that worked says so on the skin for a moment.
        auto* note = rig().child<QLabel>("StatusNote");
        QVERIFY(note->isVisible());
        QCOMPARE(note->text(), rig().text("Str448"));
        QTRY_VERIFY_WITH_TIMEOUT(!note->isVisible(), 5000);
        QCOMPARE(slice(mouse->memory(), kMainSlot1, kSlotSize), slot2);
        QCOMPARE(mouse->reloadCount(kCmdReloadAfterRate), 1);
        QCOMPARE(mouse->reloadCount(kCmdReload), 0);
        QCOMPARE(rig().pictureOf("Img_Apply_5"), QString("BtnS_01"));
        act("Btn_Apply_3");
        QCOMPARE(mouse->reloadCount(kCmdReloadAfterRate), 1);
        QCOMPARE(mouse->reloadCount(kCmdReload), 1);
        QVERIFY(rig().window->isVisible());
    }

    // Apply stores the button-map page on show as the image's ActiveMap (byte 40 and its mirror).
    void applyStoresTheMapPageOnShow_data() {
        QTest::addColumn<int>("read");      // ActiveMap the mouse reports
        QTest::addColumn<QString>("page");  // page button clicked before Apply; empty = none
        QTest::addColumn<int>("stored");
        QTest::newRow("Main Control") << 1 << "Btn_Main_1" << 0;
        QTest::newRow("Alternate Key") << 0 << "Btn_Switch_1" << 1;
        QTest::newRow("Reset Control") << 0 << "Btn_Fixed_1" << 2;
        QTest::newRow("a value above 2 is replaced") << 7 << "" << 0;
        QTest::newRow("another page keeps it") << 1 << "Btn_Adv_1" << 1;
    }

    void applyStoresTheMapPageOnShow() {
        QFETCH(int, read);
        QFETCH(QString, page);
        QFETCH(int, stored);
        auto mouse = rig().addMouse(virtualOptions("wren-rgb-3330"));
        Bytes m = mouse->memory();
        const ActionCode switchKey{0x07, 0x00, 0x00, 0x00}, resetKey{0x07, 0x01, 0x00, 0x00};
        for (ButtonMapId map : kButtonMaps) setSlot(m, map, 6, switchKey);
        setSlot(m, ButtonMapId::Switch, 9, resetKey);
        setActiveMap(m, static_cast<std::uint8_t>(read));
        QVERIFY(mouse->loadMemory(m).ok());
        rig().tick();
        if (!page.isEmpty()) rig().click(page);
        act("Btn_Apply_1");
        QCOMPARE(rig().messages, QStringList{});
        QCOMPARE(int(mouse->memory()[kFlashParameterBlock + param_b::kActiveMap]), stored);
        QCOMPARE(int(mouse->memory()[kFlashExtraBytes + param_b::kActiveMap - kWrenLayout.parameterB.offset]), stored);
    }

    // A poll whose mouse missed an answer waits before it searches; an Apply pressed in that wait,
    // or before the tick, reaches the mouse before the search reads it again.
    void anEditAppliedAroundAPollIsNeverLost_data() {
        QTest::addColumn<bool>("tickFirst");
        QTest::newRow("Apply during the search's wait") << true;
        QTest::newRow("tick while Apply is pressed") << false;
    }

    void anEditAppliedAroundAPollIsNeverLost() {
        QFETCH(bool, tickFirst);
        rig_.reset();  // the old rig lets go of the message handler first
        rig_ = std::make_unique<DeviceRig>(Millis(800));
        auto mouse = plugAndRead();
        const ActionCode edited{0x01, 0x10, 0x00, 0x00};  // Forward on button 4
        rig().state.EditCopy.setSlot(ButtonMapId::Main, 4, edited);
        rig().state.CodeTexts[0][3] = codeTextFromBytes(edited);
        rig().addKeyboard();
        rig().missOneIdentification();
        QSignalSpy ticked(&rig().thread->worker(), &DeviceWorker::tickDone);
        if (tickFirst) {
            rig().window->pollForMouse();
            QTRY_COMPARE(ticked.size(), 1);
            QVERIFY(ticked.front().front().toBool());  // a search waits
            press("Btn_Apply_1");
        } else {
            press("Btn_Apply_1");
            rig().window->pollForMouse();
        }
        rig().settle();
        if (!tickFirst) rig().tick();
        QCOMPARE(rig().messages, QStringList{});
        QCOMPARE(count(mouse->commandLog(), kCmdDeviceInfo), 2);  // read again after the Apply
        QCOMPARE(slice(mouse->memory(), kMainSlot4, kSlotSize), Bytes(edited.begin(), edited.end()));
        QCOMPARE(rig().state.CodeTexts[0][3], codeTextFromBytes(edited));
    }

    void laterPagesRunTheirJobsTheSameWay() {
        auto mouse = plugAndRead();
        rig().bus->closeGate();
        auto result = std::make_shared<std::optional<TransferStatus>>();
        rig().window->runDeviceJob([](AppModel& m, const ProgressSink& p) { return m.SaveMacro(p); },
                                   [result](const DeviceJobOutcome& o) { *result = o.status; });
        QTRY_VERIFY(rig().bus->holding());
        QVERIFY(rig().child("Disable_All_1")->isVisible());
        QVERIFY(!rig().window->devTimer()->isActive());
        rig().bus->openGate();
        rig().settle();
        QVERIFY(*result && (*result)->ok());
        QCOMPARE(count(mouse->commandLog(), kCmdEraseSector), 9);
        QCOMPARE(rig().messages, QStringList{});
        QVERIFY(rig().window->devTimer()->isActive());
    }

    void theFireKeyBoxesShowTheMouseAndReachApply() {
        auto mouse = rig().addMouse(virtualOptions("wren-rgb-3330"));
        setMainSlot4(*mouse, ActionCode{0x06, 0x04, 0x00, 0x78});
        rig().tick();
        auto* repeat = rig().child<QLineEdit>("Edt_Repeat1");
        auto* delay = rig().child<QLineEdit>("Edt_DelayTime1");
        QCOMPARE(repeat->text(), QString("2"));
        QCOMPARE(delay->text(), QString("60"));

        // The repeat box is left with Return; the delay box is still being edited at Apply.
        repeat->setFocus();
        repeat->selectAll();
        QTest::keyClicks(repeat, "5");
        QTest::keyClick(repeat, Qt::Key_Return);
        delay->setFocus();
        delay->selectAll();
        QTest::keyClicks(delay, "200");
        act("Btn_Apply_1");
        QCOMPARE(rig().messages, QStringList{});
        QCOMPARE(slice(mouse->memory(), kMainSlot4, kSlotSize), (Bytes{0x06, 0x0A, 0x01, 0x90}));
        QCOMPARE(rig().state.FireKey, std::optional(FireKeyBoxes{"5", "200"}));
    }

    void leavingAFireKeyBoxCorrectsItAndALanguageSwitchKeepsIt() {
        auto* repeat = rig().child<QLineEdit>("Edt_Repeat1");
        auto* delay = rig().child<QLineEdit>("Edt_DelayTime1");
        repeat->setFocus();
        repeat->selectAll();
        QTest::keyClicks(repeat, "12a3");  // digits only, two of them
        QCOMPARE(repeat->text(), QString("12"));
        repeat->selectAll();
        QTest::keyClicks(repeat, "99");
        QTest::keyClick(repeat, Qt::Key_Return);
        QCOMPARE(repeat->text(), QString("15"));
        delay->setFocus();
        delay->selectAll();
        QTest::keyClicks(delay, "12345");
        QCOMPARE(delay->text(), QString("1234"));
        delay->selectAll();
        QTest::keyClicks(delay, "700");
        QTest::keyClick(delay, Qt::Key_Return);
        QCOMPARE(rig().window->model().advanced().fireKeyBoxes(), (FireKeyBoxes{"15", "700"}));
        QCOMPARE(rig().window->model().controls().find("Edt_Repeat1")->caption, std::string("15"));
        rig().window->model().languageClick(2);
        rig().window->syncFromModel();
        QCOMPARE(repeat->text(), QString("15"));
        QCOMPARE(delay->text(), QString("700"));
    }

    void confirmClosesAfterItsWriteOnly() {
        VirtualMouseOptions failing = virtualOptions("wren-rgb-3330");
        failing.refuseReport = kReportsToRead + 3;  // the parameter block's write command
        auto mouse = plugAndRead(failing);
        act("Btn_Confirm_1");
        QCOMPARE(rig().messages, QStringList{rig().text("Str105")});
        QVERIFY(rig().window->isVisible());
        QCOMPARE(rig().pictureOf("Img_Confirm_2"), QString("BtnS_01"));

        act("Btn_Confirm_1");
        QTRY_VERIFY(!rig().window->isVisible());
        QCOMPARE(rig().messages.size(), 1);
        // The refused write left the mouse's rate unknown, so the second reload is 16.
        QCOMPARE(mouse->reloadCount(kCmdReload), 1);
        QCOMPARE(mouse->reloadCount(kCmdReloadAfterRate), 1);
    }

    // Closing with an edit the mouse does not hold asks first; each answer does what it says.
    void exitAsksAboutUnappliedEdits_data() {
        QTest::addColumn<int>("choice");
        QTest::newRow("Apply and exit") << 0;
        QTest::newRow("Exit without applying") << 1;
        QTest::newRow("Cancel") << 2;
    }
    void exitAsksAboutUnappliedEdits() {
        QFETCH(int, choice);
        auto mouse = plugAndRead();
        const Bytes before = mouse->memory();
        rig().click("Btn_Adv_1");
        rig().click("lbl_Rep2");
        rig().choice = choice;
        rig().window->close();
        QCOMPARE(rig().questions, QStringList{rig().text("Str533")});
        rig().settle();
        QTRY_COMPARE(rig().window->isVisible(), choice == 2);
        QCOMPARE(mouse->memory() != before, choice == 0);
    }

    void withoutAMouseTheActionsSayNotFound() {
        for (const char* button : {"Btn_Apply_1", "Btn_Reset_2", "Btn_Confirm_3"}) act(button);
        QCOMPARE(rig().messages, QStringList(3, rig().message("Str022")));
        QVERIFY(rig().window->isVisible());
    }

    void resetRestoresTheDefaultsAndKeepsTheMirror() {
        auto mouse = rig().addMouse(virtualOptions("wren-rgb-3330"));
        const Bytes factory = mouse->memory();
        swapFirstTwoSlots(*mouse);
        Bytes m = mouse->memory();
        m[kFlashExtraBytes] ^= 0x01;  // the mirror differs from the defaults
        QVERIFY(mouse->loadMemory(m).ok());
        const Bytes mirror = slice(m, kFlashExtraBytes, kWrenExtraSize);
        const QString swappedKey1 = [&] {
            rig().tick();
            return rig().child<QLabel>("Key1")->text();
        }();
        rig().answer = false;
        const std::uint64_t reports = mouse->reportCount();
        act("Btn_Reset_2");
        QCOMPARE(rig().questions, QStringList{rig().text("Str456")});
        QCOMPARE(mouse->reportCount(), reports);
        rig().answer = true;
        rig().bus->closeGate();
        press("Btn_Reset_1");
        QTRY_VERIFY(rig().bus->holding());
        // The defaults show as their write begins, not once it has ended.
        QVERIFY(rig().child<QLabel>("Key1")->text() != swappedKey1);
        QCOMPARE(mouse->reloadCount(kCmdReload), 0);
        rig().bus->openGate();
        rig().settle();
        QCOMPARE(rig().messages, QStringList{});
        QCOMPARE(slice(mouse->memory(), kFlashParameterBlock, kWrenParameterBlockSize),
                 slice(factory, kFlashParameterBlock, kWrenParameterBlockSize));
        QCOMPARE(slice(mouse->memory(), kFlashExtraBytes, kWrenExtraSize), mirror);
        QVERIFY(rig().child<QLabel>("Key1")->text() != swappedKey1);
        QCOMPARE(mouse->reloadCount(kCmdReload), 1);
        auto* note = rig().child<QLabel>("StatusNote");
        QCOMPARE(note->text(), rig().text("Str458"));
        QVERIFY(note->width() >= note->sizeHint().width());  // the whole text shows
    }

    void aJobLocksTheWindowUntilItEnds() {
        auto mouse = plugAndRead();
        auto* dialog = new QWidget(rig().window.get(), Qt::Tool);  // a non-modal dialog
        dialog->show();
        rig().bus->closeGate();
        QTest::mouseMove(rig().child("Btn_Apply_1"), QPoint(3, 3));
        QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
        QApplication::sendEvent(rig().child("Btn_Apply_1"), &enter);
        press("Btn_Apply_1");
        QTRY_VERIFY(rig().bus->holding());

        QVERIFY(rig().child("Disable_All_1")->isVisible());
        QVERIFY(rig().busy.isVisible());
        QVERIFY(!dialog->isEnabled());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(rig().child("Btn_Apply_1"), &leave);
        QVERIFY(!rig().window->devTimer()->isActive());
        QCOMPARE(rig().pictureOf("Img_Apply_4"), QString("BtnS_03"));
        rig().window->pollForMouse();  // a stray tick starts nothing
        // Keys still reach a fire-key box that kept the focus; they stay on the page and never
        // touch the state the worker is writing from.
        const std::optional<FireKeyBoxes> handedOver = rig().state.FireKey;
        auto* repeat = rig().child<QLineEdit>("Edt_Repeat1");
        repeat->selectAll();
        QTest::keyClicks(repeat, "9");
        QCOMPARE(rig().state.FireKey, handedOver);
        QCOMPARE(rig().window->model().advanced().fireKeyBoxes().repeat, std::string("9"));
        QVERIFY(!rig().window->close());
        QVERIFY(rig().window->isVisible());
        QCOMPARE(rig().busy.note(), rig().text("Str447"));  // the wait says why
        QCOMPARE(mouse->reloadCount(kCmdReload), 0);

        rig().bus->openGate();
        QTRY_VERIFY(!rig().window->isVisible());  // the deferred close, after the write
        QCOMPARE(mouse->reloadCount(kCmdReload), 1);
        QCOMPARE(count(mouse->commandLog(), kCmdDeviceInfo), 1);
        QVERIFY(dialog->isEnabled());
    }

    void hoverLeaveAfterTheJobRestartsPolling() {
        plugAndRead();
        rig().bus->closeGate();
        QCursor::setPos(0, 0);  // no pointer resting on a button when the overlays go
        rig().window->Btn_Apply_0Click();
        QTRY_VERIFY(rig().bus->holding());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(rig().child("Btn_Main_2"), &leave);
        QVERIFY(!rig().window->devTimer()->isActive());
        rig().bus->openGate();
        rig().settle();
        QVERIFY(rig().window->devTimer()->isActive());
        QCOMPARE(rig().pictureOf("Img_Main_2"), QString("SetS_02"));  // the current page stays marked
    }

    void unplugInTheMiddleOfAReadEndsInADefinedState() {
        VirtualMouseOptions vanishing = virtualOptions("wren-rgb-3330");
        vanishing.vanishAfterReport = 2 + 4 + 1500;
        plugAndRead(vanishing);
        QCOMPARE(rig().messages, QStringList{});
        QVERIFY(!rig().child("Disable_All_1")->isVisible());
        QVERIFY(!rig().busy.isVisible());
        QCOMPARE(rig().state.DeviceChip, OptionalChip(ChipModel::Wren));
        rig().window->model().controls().setItems("LB_MacroName", {"Macro1"});
        rig().window->syncFromModel();
        rig().tick();  // the population changed: the mouse is gone
        QCOMPARE(rig().messages, QStringList{rig().noDeviceMessage()});
        expectNoDeviceAppearance();
        QVERIFY(!rig().state.DeviceChip);
        QCOMPARE(rig().child<QListWidget>("LB_MacroName")->count(), 0);
        act("Btn_Apply_1");
        QCOMPARE(rig().messages.last(), rig().message("Str022"));
    }

    void anUnplugClosesTheKeyDialog() {
        auto mouse = plugAndRead();
        press("Key4");
        press("Key_Assembly");
        QPointer<QWidget> dialog = rig().window->findChild<QWidget*>("Form2");
        QVERIFY(dialog);
        mouse->unplug();
        rig().tick();
        QTRY_VERIFY(dialog.isNull());
    }

    void aMouseWeMayNotOpenIsExplained() {
        rig().bus->denyMice = true;
        rig().addMouse(virtualOptions("wren-rgb-3330"));
        rig().tick();
        QCOMPARE(rig().messages, QStringList{rig().message("Str104")});
        QVERIFY(rig().messages.front().contains("udev"));
        expectNoDeviceAppearance();
        rig().tick();
        QCOMPARE(rig().messages.size(), 1);
        rig().bus->denyMice = false;
        rig().addKeyboard();
        rig().tick();
        QCOMPARE(rig().messages.size(), 1);
        QVERIFY(!rig().state.NoDeviceMode);
    }
};

VARNEL_GUI_TEST_MAIN(DeviceFlowTest)
#include "device_flow_test.moc"
