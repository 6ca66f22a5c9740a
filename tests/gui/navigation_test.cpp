// Hover states, the marquee, page clicks and language switches, driven through the widgets.
#include <QComboBox>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "app/main_window.h"
#include "app/message_box.h"
#include "app/qt_translations.h"
#include "gui_test_main.h"
#include "skin/skin_tables.h"
#include "skin/ui/skin_widgets.h"

using namespace varnel;

// On the skin's heading, where the window's shape lets a real pointer press.
constexpr QPoint kGrip{188, 26};

class NavigationTest : public QObject {
    Q_OBJECT

    template <typename T = QWidget>
    T* child(const QString& name) {
        return varnel::testing::control<T>(window_.get(), name);
    }
    QLabel* label(const QString& name) { return child<QLabel>(name); }
    QString pictureOf(const QString& name) { return child(name)->property("picture").toString(); }
    QString text(int lang, const char* key) {
        return QString::fromStdString(window_->model().captions().languages().language(lang).text(key));
    }
    void enter(const QString& name) {
        QWidget* w = child(name);
        QEnterEvent e(QPointF(2, 2), QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(w, &e);
    }
    void leave(const QString& name) {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(child(name), &e);
    }

private slots:
    void init() {
        messages_.clear();
        opened_.clear();
        setMessageHandler([this](QWidget*, const QString& t) { messages_ << t; });
        state_ = std::make_unique<AppState>();
        window_ = std::make_unique<MainWindow>(*state_);
        window_->setUrlOpener([this](const QUrl& url) { opened_ << url; });
        window_->show();
    }
    void cleanup() {
        window_.reset();
        setMessageHandler({});
    }

    void hoverAndLeaveEachFamily_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("pictures");
        QTest::addColumn<QString>("hover");
        QTest::addColumn<QString>("normal");
        QTest::newRow("A") << "Btn_Reset_3" << QStringList{"Img_Reset_1", "Img_Reset_3", "Img_Reset_5"} << "BtnS_02"
                           << "BtnS_01";
        QTest::newRow("B") << "Btn_Macro_2" << QStringList{"Img_Macro_2"} << "SetS_03"
                           << "SetS_01";
        QTest::newRow("C") << "Key8" << QStringList{"Img_Key8"} << "KeyS_02"
                           << "KeyS_01";
        QTest::newRow("D") << "Btn_Lang2_1" << QStringList{"Img_Lang2_1"} << "SetS_03"
                           << "SetS_01";
        QTest::newRow("E") << "Btn_Program" << QStringList{"Img_Program"} << "KeyS_02"
                           << "KeyS_01";
        QTest::newRow("F") << "Btn_SaveMacro" << QStringList{"Img_SaveMacro"} << "MacroS_02"
                           << "MacroS_01";
        QTest::newRow("Record") << "Btn_Start" << QStringList{"Img_Start"} << "MacroS_02"
                                << "MacroS_01";
        QTest::newRow("G") << "Btn_OK" << QStringList{"Img_OK"} << "MacroBtnS_02"
                           << "MacroBtnS_01";
    }

    void hoverAndLeaveEachFamily() {
        QFETCH(QString, name);
        QFETCH(QStringList, pictures);
        QFETCH(QString, hover);
        QFETCH(QString, normal);
        const QString caption = label(name)->text();
        enter(name);
        for (const auto& p : pictures) QCOMPARE(pictureOf(p), hover);
        QVERIFY(window_->labelRun()->isActive());
        window_->scrollCaption();
        QVERIFY(label(name)->text() != caption);
        leave(name);
        for (const auto& p : pictures) QCOMPARE(pictureOf(p), normal);
        QCOMPARE(label(name)->text(), caption);
        QVERIFY(!window_->labelRun()->isActive());
    }

    void currentPageAndLanguageStayMarked() {
        for (const QString name : {"Btn_Main_1", "Btn_Fixed_1", "Btn_Main_3"}) {
            enter(name);
            leave(name);
            for (int p = 1; p <= 5; ++p) QCOMPARE(pictureOf(QString("Img_Main_%1").arg(p)), QString("SetS_02"));
        }
        QCOMPARE(pictureOf("Img_Fixed_1"), QString("SetS_01"));
        enter("Btn_Lang1_2");
        QCOMPARE(pictureOf("Img_Lang1_2"), QString("SetS_03"));
        leave("Btn_Lang1_2");
        for (int p = 1; p <= 5; ++p) QCOMPARE(pictureOf(QString("Img_Lang1_%1").arg(p)), QString("SetS_02"));
    }

    void marqueeScrollsOnTheTimer() {
        label("Key2")->setText("ABC");
        window_->model().controls().setCaption("Key2", "ABC");
        enter("Key2");
        const QStringList expected{"BC    A", "C    AB", "    ABC"};
        for (const auto& e : expected) {
            window_->scrollCaption();
            QCOMPARE(label("Key2")->text(), e);
        }
        QTRY_COMPARE_WITH_TIMEOUT(label("Key2")->text(), QString("   ABC "), 1000);  // the 200 ms timer runs it
        leave("Key2");
        QCOMPARE(label("Key2")->text(), QString("ABC"));
    }

    // Pointing at a button scrolls its caption at the size its row shares, and no other caption
    // of the row changes size (the smallest one held the row's size).
    void aScrollingCaptionKeepsItsRowsSize() {
        auto* save = child<SkinLabel>("Btn_Save_1");
        std::vector<SkinLabel*> row;
        for (const auto& r : captionRows(*window_)) {
            if (std::find(r.begin(), r.end(), save) != r.end()) row = r;
        }
        QVERIFY(row.size() > 2);
        std::vector<int> before;
        for (const SkinLabel* l : row) before.push_back(l->drawnPointSize());
        enter("Btn_Save_1");
        window_->scrollCaption();
        QVERIFY(save->scrolling());
        for (std::size_t i = 0; i < row.size(); ++i) QCOMPARE(row[i]->drawnPointSize(), before[i]);
        leave("Btn_Save_1");
    }

    void webButtonDoesNotScroll() {
        const QString caption = label("Btn_Web_3")->text();
        enter("Btn_Web_3");
        for (int p = 1; p <= 5; ++p) QCOMPARE(pictureOf(QString("Img_Web_%1").arg(p)), QString("WebS_03"));
        QVERIFY(!window_->labelRun()->isActive());
        QTest::mouseClick(child("Btn_Web_3"), Qt::LeftButton);
        QCOMPARE(opened_, QList<QUrl>{QUrl("https://example.org/varnel")});
        for (int p = 1; p <= 5; ++p) QCOMPARE(pictureOf(QString("Img_Web_%1").arg(p)), QString("WebS_02"));
        leave("Btn_Web_3");
        QCOMPARE(pictureOf("Img_Web_1"), QString("WebS_01"));
        QCOMPARE(label("Btn_Web_3")->text(), caption);
    }

    void pageClicksWithoutADeviceShowTheMessage() {
        for (const QString name : {"Btn_Adv_1", "Btn_Macro_1", "Btn_Switch_1", "Btn_Update_1"}) {
            QTest::mouseClick(child(name), Qt::LeftButton);
        }
        QCOMPARE(messages_.size(), 4);
        for (const auto& m : messages_) QVERIFY(m.startsWith(text(1, "Str022") + " " + text(1, "Str106")));
        QVERIFY(child<QRadioButton>("rb_1")->isChecked());
        QVERIFY(child("gbPage1")->isVisible());
        QVERIFY(!child("gbPage2")->isVisible());
    }

    void pageClickWithADeviceOpensThePage() {
        window_->model().appearance().setChannelsOpen(true);
        QTest::mouseClick(child("Btn_Adv_1"), Qt::LeftButton);
        QVERIFY(messages_.isEmpty());
        QVERIFY(child("gbPage2")->isVisible());
        QVERIFY(!child("gbPage1")->isVisible());
        QVERIFY(child<QRadioButton>("rb_4")->isChecked());
        QCOMPARE(pictureOf("Img_Adv_5"), QString("SetS_02"));
        QCOMPARE(pictureOf("Img_P2"), QString("L1_Back2"));
    }

    void languageSwitchesRelabelTheWindow() {
        auto* combo = child<QComboBox>("CB_Insert");
        window_->model().controls().setItemIndex("CB_Insert", 2);
        window_->syncFromModel();
        QTest::mouseClick(child("Btn_Lang2_4"), Qt::LeftButton);
        QVERIFY(child<QRadioButton>("rb_Lang2")->isChecked());
        QCOMPARE(label("Btn_Lang1_1")->text(), QString("Spanish "));
        QCOMPARE(label("Btn_Apply_2")->text(), QString("Apply"));
        QCOMPARE(label("Key7")->text(), QString("Backward"));  // the same Spanish text as "WWW Back"
        QCOMPARE(label("Key1")->text(), QString("Left Key"));
        QCOMPARE(combo->currentIndex(), 2);
        QCOMPARE(combo->currentText(), QString("Insert Key Before"));
        QCOMPARE(pictureOf("Img_Base_3"), QString("L2_BackGround"));
        QCOMPARE(pictureOf("Img_Lang2_1"), QString("SetS_02"));
        QCOMPARE(pictureOf("Img_Lang1_1"), QString("SetS_01"));
        QCOMPARE(QGuiApplication::applicationDisplayName(), text(2, "Title"));

        QTest::mouseClick(child("Btn_Lang1_2"), Qt::LeftButton);
        QCOMPARE(label("Key7")->text(), text(1, "Str213"));
        QCOMPARE(combo->currentText(), text(1, "Str412"));

        window_->model().languageClick(3);
        window_->syncFromModel();
        QCOMPARE(label("Btn_Lang1_5")->text(), QString("Language1"));
        QCOMPARE(label("Btn_Lang2_5")->text(), QString("Language2"));
        QCOMPARE(label("Btn_Reset_1")->text(), QString("Reset"));
        QCOMPARE(pictureOf("Img_P1"), QString("L3_Back1"));
        QCOMPARE(combo->currentIndex(), 2);
    }

    // Qt's own texts (dialogs, the boxes' standard buttons) follow the window's language, and a box
    // is modal to its window only: another top-level one (the demo's virtual mouse) stays usable.
    void qtsTextsFollowTheLanguageAndABoxBlocksOnlyItsWindow() {
        const std::pair<const char*, QString> rows[] = {
            {"Btn_Lang2_1", "&Yes"}, {"Btn_Lang1_2", QString::fromUtf8("&S\u00ed")}, {"Btn_Lang2_3", "&Yes"}};
        for (const auto& [button, yes] : rows) {
            QTest::mouseClick(child(button), Qt::LeftButton);
            QCOMPARE(standardButtonText("&Yes"), yes);
        }
        QTest::mouseClick(child("Btn_Lang1_1"), Qt::LeftButton);
        setQuestionHandler({});
        QString yes;
        Qt::WindowModality modality = Qt::ApplicationModal;
        QTimer::singleShot(0, this, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (box == nullptr || box->parentWidget() != window_.get()) return;
            yes = box->findChild<QPushButton*>("IB_Yes")->text();
            modality = box->windowModality();
            box->close();
        });
        QVERIFY(!askQuestion(window_.get(), "?"));
        QCOMPARE(yes, QString::fromUtf8("&S\u00ed"));
        QCOMPARE(modality, Qt::WindowModal);
    }

    void theMinimiseControlMinimisesTheWindow() {
        QCOMPARE(label("Btn_Min_1")->toolTip(), text(1, "Str573"));
        enter("Btn_Min_2");
        for (const char* copy : {"Img_Min_1", "Img_Min_5"}) QCOMPARE(pictureOf(copy), QString("MinS_02"));
        leave("Btn_Min_2");
        QCOMPARE(pictureOf("Img_Min_1"), QString("MinS_01"));
        QTest::mouseClick(child("Btn_Min_1"), Qt::LeftButton);
        QVERIFY(window_->isMinimized());
    }

    void theUsersInsertChoiceSurvivesALanguageSwitch() {
        auto* combo = child<QComboBox>("CB_Insert");
        QCOMPARE(combo->currentIndex(), 0);
        QTest::keyClick(combo, Qt::Key_Down);  // chosen by the user: activated, not just set
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentIndex(), 2);
        QTest::mouseClick(child("Btn_Lang2_4"), Qt::LeftButton);
        QCOMPARE(combo->currentIndex(), 2);
        QCOMPARE(combo->currentText(), text(2, "Str412"));
        QTest::mouseClick(child("Btn_Lang1_4"), Qt::LeftButton);
        QCOMPARE(combo->currentIndex(), 2);
        QCOMPARE(combo->currentText(), text(1, "Str412"));
    }

    // A press on any page's background grips the window with any button; from the first move the
    // gripped point stays under the pointer, also when pos() still holds a place the display has
    // moved the window away from (lag).
    void backgroundDragsTheWindowAndClosesMenus_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QPoint>("lag");
        QTest::newRow("main, left") << 1 << Qt::LeftButton << QPoint(0, 0);
        QTest::newRow("advanced, right, pos() 200 px high") << 3 << Qt::RightButton << QPoint(0, 200);
        QTest::newRow("update, middle, pos() 40 px right") << 5 << Qt::MiddleButton << QPoint(-40, 0);
    }
    void backgroundDragsTheWindowAndClosesMenus() {
        QFETCH(int, page);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPoint, lag);
        window_->model().controls().setVisible("Pnl_Main", true);
        window_->syncFromModel();
        QWidget* base = child(QString::fromStdString(skin::baseImage(page)));
        const QPoint grip = kGrip;
        const QPointF inWindow = base->mapTo(window_.get(), grip);
        const QPoint start = window_->pos();
        const QPointF pressAt = start + lag + inWindow;
        QMouseEvent press(QEvent::MouseButtonPress, grip, inWindow, pressAt, button, button, {});
        QApplication::sendEvent(base, &press);
        QVERIFY(child("Pnl_Main")->isHidden());
        const QPointF to = pressAt + QPointF(30, 20);
        QMouseEvent move(QEvent::MouseMove, grip + QPoint(30, 20), inWindow + QPointF(30, 20), to, Qt::NoButton, button,
                         {});
        QApplication::sendEvent(base, &move);
        QTRY_COMPARE(window_->pos() + inWindow, to);  // on X, once the server has moved it
    }

    // The same with the display's own pointer, on an X server without a window manager.
    void theGripStaysUnderARealPointer() {
        if (!testing::onXServer()) QSKIP("needs an X server");
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        const QPoint start = window_->pos();
        const QPoint grip = window_->mapToGlobal(kGrip);
        testing::xdotool({"mousemove", QString::number(grip.x()), QString::number(grip.y()), "mousedown", "1"});
        testing::xdotool({"mousemove_relative", "--", "7", "-150", "mousemove_relative", "--", "60", "90"});
        testing::xdotool({"mouseup", "1"});
        QTRY_COMPARE(window_->pos(), start + QPoint(67, -60));
        QCOMPARE(QCursor::pos() - window_->pos(), kGrip);
    }

private:
    std::unique_ptr<AppState> state_;
    std::unique_ptr<MainWindow> window_;
    QStringList messages_;
    QList<QUrl> opened_;
};

VARNEL_GUI_TEST_MAIN(NavigationTest)
#include "navigation_test.moc"
