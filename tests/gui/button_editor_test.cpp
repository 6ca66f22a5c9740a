// The button editor through the window's widgets, on a virtual Wren: menus, the macro picker and
// the key-combination dialog, then Apply and the mouse's memory.
#include <QCheckBox>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>
#include <memory>

#include "app/main_window.h"
#include "common/resources.h"
#include "config/layout.h"
#include "device/commands.h"
#include "device/virtual_rig.h"
#include "editors/ui/button_editor_view.h"
#include "gui_test_main.h"
#include "skin/ui/skin_widgets.h"
#include "transfers/app_model.h"
#include "transfers/virtual_factory.h"
#include "wren_flash_map.h"

using namespace varnel;

namespace {

QByteArray hex(const Bytes& b) {
    return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size())).toHex(' ');
}

}  // namespace

class ButtonEditorTest : public QObject {
    Q_OBJECT

    template <typename T = QWidget>
    T* child(const QString& name) {
        return varnel::testing::control<T>(window_.get(), name);
    }
    QString caption(const QString& name) { return child<QLabel>(name)->text(); }
    QString text(const char* key) { return QString::fromStdString(window_->model().text(key)); }
    void click(const QString& name) { QTest::mouseClick(child(name), Qt::LeftButton); }
    void enter(QWidget* w) {
        QEnterEvent e(QPointF(2, 2), QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(w, &e);
    }
    void enter(const QString& name) { enter(child(name)); }
    void leave(QWidget* w) {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(w, &e);
    }
    ButtonEditorView* view() { return window_->findChild<ButtonEditorView*>(); }
    // Slot `slot` of MainMap in the mouse's memory, after the collect step and Apply.
    QByteArray appliedMainSlot(int slot) {
        window_->model().UIToDataBuf();
        const TransferStatus s = app_->Apply();
        if (!s.ok()) qWarning() << "Apply failed";
        const Bytes memory = rig_->mouse->memory();
        const auto at =
            static_cast<std::ptrdiff_t>(kFlashParameterBlock + kWrenLayout.slotOffset(ButtonMapId::Main, slot));
        return hex(Bytes(memory.begin() + at, memory.begin() + at + 4));
    }

private slots:
    void init() {
        rig_ = std::make_unique<testing::VirtualRig>("wren-rgb-3330");
        state_ = std::make_unique<AppState>();
        app_ = std::make_unique<AppModel>(*state_, rig_->traced, *rig_->clock);
        AppModelConfig config{resourceCopy("VarnelData"), resourceCopy("DefaultFW"), {}};
        QVERIFY(rig_->mouse
                    ->loadMemory(factoryMemory(ChipModel::Wren, config.defaultImages.start(), config.defaultFirmware))
                    .ok());
        QVERIFY(app_->start(std::move(config)).ok());
        window_ = std::make_unique<MainWindow>(*state_);
        window_->show();
        // Plug-in: find and read the mouse, then open the Main Control page.
        QVERIFY(app_->runSearch(app_->ReFindDev()).found);
        window_->model().appearance().setChannelsOpen(true);
        window_->syncFromModel();
        click("Btn_Main_1");
        QVERIFY(!child("Disable")->isVisible());
    }
    void cleanup() {
        window_.reset();
        app_.reset();
        state_.reset();
        rig_.reset();
    }

    void muteThroughTheMediaMenuReachesTheMouse() {
        click("Key5");
        QVERIFY(child("Pnl_Main")->isVisible());
        QVERIFY(!child("Pnl_LRM")->isVisible());
        enter("Key_Media");
        QVERIFY(child("Pnl_Media")->isVisible());
        QVERIFY(child("Key_Media")->autoFillBackground());
        QCOMPARE(child("Key_Media")->palette().color(QPalette::Window), QColor(170, 28, 42));
        leave(child("Key_Media"));
        QVERIFY(!child("Key_Media")->autoFillBackground());
        click("Key_Mute");
        QVERIFY(!child("Pnl_Main")->isVisible());
        QVERIFY(!child("Pnl_Media")->isVisible());
        QCOMPARE(caption("Key5"), text("Str256"));
        QCOMPARE(appliedMainSlot(5), QByteArray("03 00 e2 00"));
    }

    void everyMenuKindReachesTheMouse_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QByteArray>("bytes");  // empty: the Fire Key code of the boxes
        QTest::newRow("standard") << 4 << "Key_Standard"
                                  << "Key_B5" << QByteArray("01 10 00 00");
        QTest::newRow("special") << 5 << "Key_Special"
                                 << "Key_CPII" << QByteArray("09 01 00 00");
        QTest::newRow("desktop") << 7 << "Key_Special"
                                 << "Key_Desktop" << QByteArray("02 08 07 00");
        QTest::newRow("web") << 6 << "Key_WWW"
                             << "Key_WWWSearch" << QByteArray("03 02 21 00");
        QTest::newRow("media") << 8 << "Key_Media"
                               << "Key_VolumePlus" << QByteArray("03 00 e9 00");
        QTest::newRow("fire key") << 9 << "Key_Special"
                                  << "Key_Fire" << QByteArray();
    }

    void everyMenuKindReachesTheMouse() {
        QFETCH(int, button);
        QFETCH(QString, group);
        QFETCH(QString, entry);
        QFETCH(QByteArray, bytes);
        window_->model().advanced().editFireKeyBoxes({"5", "300"});
        click(QString("Key%1").arg(button));
        enter(group);
        QVERIFY(child(entry)->isVisible());
        // The group's arrow points to where its sub-menu opened; the entries of that have none.
        const bool leftward = child(entry)->parentWidget()->x() < child("Pnl_Main")->x();
        QCOMPARE(child<SkinLabel>(group)->menuArrow(), leftward ? Qt::LeftArrow : Qt::RightArrow);
        QCOMPARE(child<SkinLabel>(entry)->menuArrow(), Qt::NoArrow);
        click(entry);
        if (bytes.isEmpty()) bytes = "06 0a 02 58";
        QCOMPARE(appliedMainSlot(button), bytes);
    }

    void switchKeyGoesToAllThreeMaps() {
        click("Key9");
        enter("Key_Special");
        QVERIFY(child("Key_Profile")->isEnabled());
        click("Key_Profile");
        QVERIFY(app_->Apply().ok());
        const Bytes memory = rig_->mouse->memory();
        for (ButtonMapId m : kButtonMaps) {
            const auto at = static_cast<std::ptrdiff_t>(kFlashParameterBlock + kWrenLayout.slotOffset(m, 9));
            QCOMPARE(hex(Bytes(memory.begin() + at, memory.begin() + at + 4)), QByteArray("07 00 00 00"));
        }
        // On the Alternate Key page the entry is disabled and the switch key's button is locked.
        click("Btn_Switch_1");
        QVERIFY(!child("Key9")->isEnabled());
        click("Key5");
        enter("Key_Special");
        QVERIFY(!child("Key_Profile")->isEnabled());
    }

    void leftAndRightSwapOnTheMouse() {
        click("Key1");
        QVERIFY(child("Pnl_LRM")->isVisible());
        click("Key_R");
        QCOMPARE(caption("Key1"), text("Str211"));
        QCOMPARE(caption("Key2"), text("Str210"));
        QCOMPARE(appliedMainSlot(1), QByteArray("01 02 00 00"));
        QCOMPARE(appliedMainSlot(2), QByteArray("01 01 00 00"));
    }

    void macroFromThePicker() {
        click("Key7");
        QVERIFY(child("Key_Macro")->isVisible());
        enter("Key_Macro");
        auto* list = child<QListWidget>("LB_Name");
        QVERIFY(list->isVisible());
        QCOMPARE(list->count(), 32);
        const QRect item = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
        QVERIFY(!list->isVisible());
        QCOMPARE(caption("Key7"), QString::fromStdString(state_->MacroNameList[1]));
        QCOMPARE(appliedMainSlot(7), QByteArray("10 84 00 00"));
    }

    void keyCombinationDialog() {
        click("Key6");
        click("Key_Assembly");
        QPointer<KeyCombinationDialog> dialog = view()->dialog();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QVERIFY(!child("Pnl_Main")->isVisible());
        QCOMPARE(dialog->size(), QSize(354, 179));
        const QRect main = window_->geometry();
        QCOMPARE(dialog->pos(), QPoint(main.x() + (main.width() - 354) / 2, main.y() + (main.height() - 179) / 2 + 40));
        QVERIFY(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!dialog->isModal());
        QCOMPARE(dialog->findChild<QLabel*>("lbl_Assembly")->text(), text("Str500"));
        QCOMPARE(dialog->findChild<QLabel*>("IB_Confirm")->text(), text("Str501"));
        QCOMPARE(dialog->findChild<QLabel*>("IB_Cancel")->text(), text("Str502"));

        auto* edit = dialog->findChild<QLineEdit*>("Edt_Assembly");
        QTest::mouseClick(dialog->findChild<QCheckBox*>("CB_Ctrl"), Qt::LeftButton);
        QTest::mouseClick(dialog->findChild<QCheckBox*>("CB_Shift"), Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A);
        QCOMPARE(edit->text(), QString("Ctrl+Shift+A"));
        QTest::keyClick(edit, Qt::Key_B, Qt::ControlModifier);  // a held modifier swallows the key
        QTest::keyClick(edit, Qt::Key_Meta);                    // so does a Windows key
        QTest::keyClick(edit, Qt::Key_Tab);                     // Tab is a key, not a focus move
        QCOMPARE(edit->text(), QString("Ctrl+Shift+A+Tab"));
        QTest::keyClick(edit, Qt::Key_A);
        QCOMPARE(edit->text(), QString("Ctrl+Shift+A"));

        auto* hover = dialog->findChild<QLabel*>("Img_Confirm");
        QVERIFY(!hover->isVisible());
        enter(dialog->findChild<QWidget*>("IB_Confirm"));
        QVERIFY(hover->isVisible());
        QTest::mouseClick(dialog->findChild<QWidget*>("IB_Confirm"), Qt::LeftButton);
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(caption("Key6"), QString("Ctrl+Shift+A"));
        QCOMPARE(appliedMainSlot(6), QByteArray("02 03 04 00"));
    }

    void dialogClearAndClose() {
        click("Key8");
        click("Key_Assembly");
        QPointer<KeyCombinationDialog> dialog = view()->dialog();
        auto* edit = dialog->findChild<QLineEdit*>("Edt_Assembly");
        QTest::mouseClick(dialog->findChild<QCheckBox*>("CB_Win"), Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A);
        QTest::mouseClick(dialog->findChild<QWidget*>("IB_Cancel"), Qt::LeftButton);
        QVERIFY(!dialog.isNull());
        QCOMPARE(edit->text(), QString());
        QVERIFY(!dialog->findChild<QCheckBox*>("CB_Win")->isChecked());
        // Closing leaves the button as it was.
        const QString before = caption("Key8");
        const QByteArray code = appliedMainSlot(8);
        QTest::mouseClick(dialog->findChild<QWidget*>("IB_Close"), Qt::LeftButton);
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(caption("Key8"), before);
        QCOMPARE(appliedMainSlot(8), code);
    }

    // The dialog belongs to the button it was opened for: another button's label closes it, and
    // neither button changes.
    void anotherButtonClosesTheDialog() {
        click("Key4");
        click("Key_Assembly");
        QPointer<KeyCombinationDialog> dialog = view()->dialog();
        QTest::keyClick(dialog->findChild<QLineEdit*>("Edt_Assembly"), Qt::Key_Y);
        const QString key4 = caption("Key4"), key9 = caption("Key9");
        click("Key9");
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(caption("Key4"), key4);
        QCOMPARE(caption("Key9"), key9);
    }

private:
    std::unique_ptr<testing::VirtualRig> rig_;
    std::unique_ptr<AppState> state_;
    std::unique_ptr<AppModel> app_;
    std::unique_ptr<MainWindow> window_;
};

VARNEL_GUI_TEST_MAIN(ButtonEditorTest)
#include "button_editor_test.moc"
