// The demo's control window: unplugging, choosing another mouse and plugging it in reach the
// window through the worker's bus, each kind of mouse keeps its memory, and the window follows
// the variant of the mouse plugged in.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "app/demo_control_window.h"
#include "app/window_device.h"
#include "config/layout.h"
#include "device_rig.h"
#include "gui_test_main.h"

using namespace varnel;

namespace {

// The demo's mice on the rig's bus, a Wren (the default choice) plugged in.
std::shared_ptr<DemoMice> plugDemoWren(testing::DeviceRig& rig) {
    auto mice = std::make_shared<DemoMice>(rig.bus->inner(), rig.clock, rig.window->deviceConfig().defaultImages,
                                           testing::resourceBytes("DefaultFW"));
    mice->plug(VirtualMouseOptions{});
    return mice;
}

// The USB bus of a machine without the mouse, counting its making and every question.
struct CountingBus final : HidBus {
    explicit CountingBus(std::atomic<int>& count) : asked(count) { ++asked; }
    std::vector<HidInterfaceInfo> enumerate() override {
        ++asked;
        return {};
    }
    OpenResult open(const std::string&) override {
        ++asked;
        return {};
    }
    std::atomic<int>& asked;
};

}  // namespace

class DeviceDemoTest : public QObject {
    Q_OBJECT

private slots:
    void plugUnplugAndChooseTheMouse() {
        testing::DeviceRig rig;
        const auto mice = plugDemoWren(rig);
        DemoControlWindow control(mice, VirtualMouseOptions{}, true);
        const auto choose = [&](const char* box, int index) {
            control.findChild<QComboBox*>(box)->setCurrentIndex(index);
        };
        auto* plug = control.findChild<QPushButton*>("Plug");
        const auto toggle = [&] {
            QTest::mouseClick(plug, Qt::LeftButton);
            rig.tick();
        };
        rig.tick();
        QCOMPARE(rig.state.DeviceChip, OptionalChip(ChipModel::Wren));
        QCOMPARE(plug->text(), QString("Unplug"));

        toggle();
        QCOMPARE(rig.messages, QStringList{rig.noDeviceMessage()});
        choose("Variant", 1);  // Lark
        toggle();
        QVERIFY(!rig.state.NoDeviceMode);

        toggle();
        choose("Variant", 0);
        choose("Sensor", 0);      // A3050
        choose("Interfaces", 1);  // two
        QCOMPARE(control.chosen().latency, kDemoReportLatency);
        toggle();
        QCOMPARE(rig.state.SensorModel, std::string("A3050"));
        QCOMPARE(rig.state.StepCount, 9);
        QVERIFY(!rig.state.NoDeviceMode);
        // What Apply writes is still there when the same kind of mouse comes back.
        rig.state.EditCopy.setSlot(ButtonMapId::Main, 1, rig.state.EditCopy.slot(ButtonMapId::Main, 2));
        const QString key2 = rig.child<QLabel>("Key2")->text();
        rig.click("Btn_Apply_1");
        rig.settle();
        toggle();
        toggle();
        QVERIFY(!rig.state.NoDeviceMode);
        QCOMPARE(rig.child<QLabel>("Key1")->text(), key2);
        QCOMPARE(rig.messages.size(), 3);  // each unplugging
    }

    // A window without the mouse offers a virtual one; taken, or asked for at start, the window
    // reads the demo's mouse, says so in its title, never asks the USB bus again and makes no
    // offer when the virtual mouse is unplugged.
    void theWindowGoesVirtual_data() {
        QTest::addColumn<bool>("atStart");
        QTest::newRow("--virtual") << true;
        QTest::newRow("the no-device offer") << false;
    }
    void theWindowGoesVirtual() {
        QFETCH(bool, atStart);
        QStringList messages;
        QStringList offers;
        setMessageHandler([&](QWidget*, const QString& t) { messages << t; });
        setOfferHandler([&](QWidget*, const QString& t, const QString& offer) {
            messages << t;
            offers << offer;
            return true;
        });
        AppState state;
        MainWindow window(state);
        window.devTimer()->stop();
        std::atomic<int> asked{0};
        DeviceWorkerOptions options;
        options.settleWait = Millis(5);
        WindowDevice device(state, window,
[&] { return std::make_unique<CountingBus>(asked); },
                            atStart ? WindowDevice::Start::Virtual : WindowDevice::Start::RealBus, options);
        window.show();
        const auto tick = [&] {
            window.pollForMouse();
            QTRY_VERIFY_WITH_TIMEOUT(!window.deviceBusy(), 20000);
        };
        const auto text = [&](std::string_view key) { return QString::fromStdString(window.model().text(key)); };
        const QString noDevice = QString::fromStdString(window.model().noDeviceMessage());
        const QString virtualTitle = text(MainWindowModel::kVirtualMouseTitleKey);
        if (!atStart) {
            QVERIFY(!QGuiApplication::applicationDisplayName().endsWith(virtualTitle));
            tick();
            QCOMPARE(messages, QStringList{noDevice});
            QCOMPARE(offers, QStringList{text(MainWindowModel::kVirtualMouseOfferKey)});
            QTRY_VERIFY(device.mice() != nullptr);
        }
        const int askedBefore = asked;
        tick();
        QCOMPARE(state.DeviceChip, OptionalChip(ChipModel::Wren));
        QVERIFY(device.controlWindow()->isVisible());
        QVERIFY(QGuiApplication::applicationDisplayName().endsWith(virtualTitle));
        device.controlWindow()->togglePlug();
        tick();
        QCOMPARE(messages.last(), noDevice);
        QCOMPARE(offers.size(), atStart ? 0 : 1);
        QCOMPARE(asked.load(), askedBefore);  // none with --virtual, not even the bus's making
        setMessageHandler({});
        setOfferHandler({});
    }

    // Every Lark the demo offers is read into the Lark's layout; a button and a DPI stage edited
    // and applied land at the Lark's addresses, Reset writes the Lark's default image, and a Wren
    // plugged in next turns the window back.
    void aLarkIsConfiguredThenAWrenAgain() {
        testing::DeviceRig rig;
        const auto mice = plugDemoWren(rig);
        DemoControlWindow control(mice, VirtualMouseOptions{}, true);
        auto* sensors = control.findChild<QComboBox*>("Sensor");
        const auto toggle = [&] {
            QTest::mouseClick(control.findChild<QPushButton*>("Plug"), Qt::LeftButton);
            rig.tick();
        };
        const auto shows = [&](ChipModel chip, bool macros) {
            QCOMPARE(rig.state.DefaultChip, OptionalChip(chip));
            QCOMPARE(rig.state.EditCopy.chip, OptionalChip(chip));
            QVERIFY(!rig.state.NoDeviceMode);
            QCOMPARE(rig.child("Btn_Macro_1")->isVisible(), macros);
            QCOMPARE(rig.child("Btn_Update_1")->isVisible(), macros);
            QCOMPARE(rig.child("Pnl_Main")->height(), macros ? 146 : 122);
        };
        rig.tick();
        shows(ChipModel::Wren, true);
        toggle();
        control.findChild<QComboBox*>("Variant")->setCurrentIndex(1);
        control.findChild<QComboBox*>("Lighting")->setCurrentIndex(1);  // Color: the lighting bytes stay
        for (int s = sensors->count() - 1; s >= 0; --s) {
            sensors->setCurrentIndex(s);
            toggle();
            shows(ChipModel::Lark, false);
            QCOMPARE(QString::fromStdString(rig.state.SensorModel), sensors->currentText());
            if (s > 0) toggle();
        }
        QCOMPARE(rig.state.SensorModel, std::string("A3050"));
        toggle();
        sensors->setCurrentIndex(1);  // A5050
        toggle();

        rig.click("Key4");
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), rig.child("Key_Standard")->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(rig.child("Key_Standard"), &enter);
        rig.click("Key_B5");
        rig.click("Btn_Adv_1");
        rig.click("Img_DPI1_12");
        QCOMPARE(rig.child<QLabel>("lbl_DPI1Value")->text(), QString("1500"));
        rig.click("Btn_Apply_2");
        rig.settle();
        const Bytes image = testing::resourceBytes("VarnelDataLark");
        Bytes expected = image;
        expected[param_a::kDpiCode] = 12;
        const std::size_t slot4 = kLarkLayout.slotOffset(ButtonMapId::Main, 4);
        std::copy_n(Bytes{0x01, 0x10, 0x00, 0x00}.begin(), 4, expected.begin() + static_cast<std::ptrdiff_t>(slot4));
        storeSectionChecksum(expected, kLarkLayout.parameterA);
        storeSectionChecksum(expected, kLarkLayout.profile);
        const auto block = [&] {
            const Bytes memory = mice->lastPlugged()->memory();
            return Bytes(memory.begin(), memory.begin() + 154);
        };
        QCOMPARE(block(), expected);

        rig.click("Btn_Reset_2");
        rig.settle();
        QCOMPARE(rig.questions.last(), rig.text("Str457"));
        QCOMPARE(block(), image);
        QCOMPARE(rig.child<QLabel>("lbl_DPI1Value")->text(), QString("375"));

        toggle();
        control.findChild<QComboBox*>("Variant")->setCurrentIndex(0);
        control.findChild<QComboBox*>("Lighting")->setCurrentIndex(0);
        toggle();
        shows(ChipModel::Wren, true);
        QCOMPARE(rig.state.DataBuf.parameter[param_a::kChipCode], 0xB1);
        QCOMPARE(rig.state.MacroNameList.at(0), std::string("Copy"));  // the demo Wren's macros were read
    }

    // Unplug takes the mouse off at once, as at a real port: a write under way stops with its
    // failure message, once, and the next tick finds no mouse.
    void unplugDuringAWriteStopsIt() {
        testing::DeviceRig rig;
        const auto mice = plugDemoWren(rig);
        DemoControlWindow control(mice, VirtualMouseOptions{}, true);
        rig.tick();
        QVERIFY(!rig.state.NoDeviceMode);
        const std::uint64_t reportsBefore = mice->current()->reportCount();

        rig.bus->closeGate();
        rig.click("Btn_Reset_1");
        QTRY_VERIFY(rig.bus->holding());
        QTest::mouseClick(control.findChild<QPushButton*>("Plug"), Qt::LeftButton);
        QVERIFY(!mice->lastPlugged()->online());  // not queued behind the job
        rig.bus->openGate();
        rig.settle();
        QCOMPARE(rig.messages, QStringList{rig.message("Str105")});
        QCOMPARE(mice->lastPlugged()->reportCount(), reportsBefore);  // nothing reached it
        QVERIFY(!rig.busy.isVisible());
        QVERIFY(!rig.child("Disable_All_1")->isVisible());
        rig.tick();
        QCOMPARE(rig.messages.last(), rig.noDeviceMessage());
        QVERIFY(rig.state.NoDeviceMode);
        QCOMPARE(rig.messages.size(), 2);
    }
};

VARNEL_GUI_TEST_MAIN(DeviceDemoTest)
#include "device_demo_test.moc"
