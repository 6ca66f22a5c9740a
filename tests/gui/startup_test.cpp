// Start-up of the window on the embedded default image.
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QtTest>

#include "app/loading_window.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "gui_test_main.h"
#include "skin/ui/pictures.h"
#include "skin/ui/skin_widgets.h"

using namespace varnel;

class StartupTest : public QObject {
    Q_OBJECT

    template <typename T = QWidget>
    T* child(const char* name) {
        return varnel::testing::control<T>(window_.get(), name);
    }
    QString lang1(const char* key) {
        return QString::fromStdString(window_->model().captions().languages().language(1).text(key));
    }
    QString pictureOf(const char* name) { return child(name)->property("picture").toString(); }

private slots:
    void initTestCase() {
        setMessageHandler([this](QWidget*, const QString& t) { messages_ << t; });
        window_ = std::make_unique<MainWindow>(state_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

    void placedByTheFormulaOnTheScreen() {
        QCOMPARE(QGuiApplication::primaryScreen()->geometry().size(), QSize(1024, 768));
        QCOMPARE(window_->pos(), QPoint(112, 84));
        QCOMPARE(window_->size(), QSize(800, 600));
        QVERIFY(window_->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(window_->windowTitle(), QString("Varnel Gaming Mouse v1.0"));
        QCOMPARE(QGuiApplication::applicationDisplayName(), lang1("Title"));
    }

    void busyWindowSitsCentredFortyPixelsLow() {
        LoadingWindow busy;
        window_->setBusyWindow(&busy);
        QCOMPARE(busy.pos(), QPoint(112 + (800 - 200) / 2, 84 + (600 - 192) / 2 + 40));
        QCOMPARE(busy.size(), QSize(200, 192));
        QVERIFY(busy.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(busy.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(busy.progressText(), QString());
        busy.setProgress(7, 32);
        QCOMPARE(busy.progressText(), QString("7 / 32"));
        QVERIFY(!busy.animating());  // hidden, it wakes nobody
        busy.show();
        const int frame = busy.frame();
        QTRY_VERIFY(busy.frame() != frame);  // the animation runs by itself
        busy.hide();
        QVERIFY(!busy.animating());
        window_->setBusyWindow(nullptr);
    }

    void showsPageOneWithMainAndLanguageOneMarked() {
        QVERIFY(child("gbPage1")->isVisible());
        for (const char* g : {"gbPage2", "gbPage3", "gbPage4", "gbPage5"}) QVERIFY2(!child(g)->isVisible(), g);
        QVERIFY(child<QRadioButton>("rb_1")->isChecked());
        QVERIFY(!child<QRadioButton>("rb_4")->isChecked());
        QVERIFY(child<QRadioButton>("rb_Lang1")->isChecked());
        QCOMPARE(pictureOf("Img_Main_1"), QString("SetS_02"));
        QCOMPARE(pictureOf("Img_Main_5"), QString("SetS_02"));
        QCOMPARE(pictureOf("Img_Lang1_3"), QString("SetS_02"));
        QCOMPARE(pictureOf("Img_Adv_2"), QString("SetS_01"));
        QCOMPARE(pictureOf("Img_Base_1"), QString("L1_BackGround"));
        QCOMPARE(pictureOf("Img_P1"), QString("L1_Back1"));
        QCOMPARE(pictureOf("Img_DPI2_1"), QString("Bar2_E"));
        QCOMPARE(child<QLabel>("Btn_Apply_1")->text(), lang1("Str001"));
        QCOMPARE(child<QLabel>("Btn_Main_4")->text(), lang1("Str004"));
        QCOMPARE(child<QLabel>("Btn_Lang2_1")->text(), lang1("Str012"));
        QCOMPARE(child<QLabel>("Key1")->text(), lang1("Str210"));  // the default image's main map
        QCOMPARE(child<QComboBox>("CB_Insert")->count(), 4);
        QVERIFY(!child("Disable_All_1")->isVisible());
        QVERIFY(messages_.isEmpty());
    }

    void decodesAPictureOnlyWhenItIsFirstShown() {
        (void)window_->grab();
        const Pictures& pictures = window_->pictures();
        QVERIFY(pictures.decoded("L1_BackGround"));
        QVERIFY(pictures.decoded("L1_Back1"));
        QVERIFY(!pictures.decoded("L1_Back4"));  // the Macro page's, not shown yet
        Pictures own;
        QWidget page;
        auto* picture = new SkinPicture(&page);
        picture->setPicture(own, "L1_Back4");
        QVERIFY(!own.decoded("L1_Back4"));
        page.show();
        (void)page.grab();
        QVERIFY(own.decoded("L1_Back4"));
    }

    void everyControlIsReachableByName() {
        for (const char* name :
             {"Btn_Apply_1", "Img_Apply_1", "Btn_Apply_5", "Key3",         "Img_Key9",        "Img_DPI2_7",
              "Img_DPI4_20", "rb_1",        "rb_7",        "rb_Lang3",     "Disable",         "Disable_All_5",
              "gbPage5",     "Btn_Web_2",   "Img_Web_4",   "LB_MacroName", "Gb_Insert",       "Btn_InsertStart",
              "Edt_Repeat1", "lbl_Fall10",  "cs_Mode2",    "Pnl_Main",     "Key_WWWFavorites"}) {
            QVERIFY2(window_->findChild<QWidget*>(name) != nullptr, name);
        }
        QCOMPARE(window_->devTimer()->objectName(), QString("DevTimer"));
        QVERIFY(window_->devTimer()->isActive());
        QCOMPARE(window_->devTimer()->interval(), 3500);
        QVERIFY(!window_->labelRun()->isActive());
        QCOMPARE(window_->labelRun()->interval(), 200);
    }

    void controlsArePlacedByTheLayout() {
        const QRect picture = child("Img_Main_2")->geometry();
        const QRect label = child("Btn_Main_2")->geometry();
        QCOMPARE(picture.topLeft(), QPoint(50, 475));
        const LayoutSettings& layout = window_->model().layout();
        QCOMPARE(label.left(), picture.left() + layout.btnSpaceF);
        QCOMPARE(label.width(), picture.width() - layout.btnSpaceF - layout.btnSpaceB);
        QCOMPARE(child("Btn_Apply_3")->geometry(), child("Img_Apply_3")->geometry());
        const int stepHeight = child("Img_DPI1_1")->height();
        QVERIFY(stepHeight > 0);
        QCOMPARE(child("Img_DPI1_17")->pos(), QPoint(560, 322 - 16 * stepHeight));
        QCOMPARE(child("Img_DPI3_20")->pos(), QPoint(660, 322 - 19 * stepHeight));
        QVERIFY(child("Btn_Breath_1")->isVisibleTo(window_.get()));  // our layout shows lighting and profiles
        QVERIFY(child("Btn_Save_1")->isVisibleTo(window_.get()));
        QVERIFY(!child("Btn_Lang3_1")->isVisibleTo(window_.get()));
    }

    void shapeLeavesOutExactlyTheMaroonPixels() {
        QImage img(4, 1, QImage::Format_RGB32);
        img.setPixel(0, 0, qRgb(128, 0, 0));
        img.setPixel(1, 0, qRgb(129, 0, 0));
        img.setPixel(2, 0, qRgb(0, 0, 0));
        img.setPixel(3, 0, qRgb(128, 0, 0));
        const QRegion shape = windowShape(img);
        QVERIFY(!shape.contains(QPoint(0, 0)));
        QVERIFY(shape.contains(QPoint(1, 0)));
        QVERIFY(shape.contains(QPoint(2, 0)));
        QVERIFY(!shape.contains(QPoint(3, 0)));
    }

    void maskFollowsTheBackgroundsMaroon() {
        const QImage bg = loadPicture("L1_BackGround").convertToFormat(QImage::Format_RGB32);
        QVERIFY(!bg.isNull());
        QPoint maroon(-1, -1), skin(-1, -1);
        for (int y = 0; y < bg.height() && (maroon.x() < 0 || skin.x() < 0); y += 3) {
            for (int x = 0; x < bg.width(); x += 3) {
                const bool isMaroon = bg.pixel(x, y) == qRgb(128, 0, 0);
                if (isMaroon && maroon.x() < 0) maroon = {x, y};
                if (!isMaroon && skin.x() < 0) skin = {x, y};
            }
        }
        QVERIFY2(maroon.x() >= 0, "the background has see-through pixels");
        QVERIFY(!window_->mask().isEmpty());
        QVERIFY(!window_->mask().contains(maroon));
        QVERIFY(window_->mask().contains(skin));
        QVERIFY(window_->mask().contains(QPoint(400, 300)));
    }

    // The skin is as sharp as the text at the screen's scale (run at 1, and once more with
    // QT_SCALE_FACTOR=2): a picture's own set shows pixel for pixel, unscaled, and a line one
    // pixel wide as the picture is designed is exactly `scale` device pixels wide, nothing
    // blended beside it. The left rim of each button plate is such a line.
    void skinPicturesShowPixelForPixel() {
        const int scale = qRound(window_->devicePixelRatioF());
        const QImage shot = window_->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shot.size(), QSize(800, 600) * scale);
        for (const char* name : {"Img_Apply_1", "Img_Main_1", "Img_Web_1"}) {
            const std::string picture = pictureOf(name).toStdString();
            const QImage one = loadPicture(picture, 1).convertToFormat(QImage::Format_RGB32);
            const QImage shown = loadPicture(picture).convertToFormat(QImage::Format_RGB32);
            QCOMPARE(shown.size(), one.size() * scale);
            const QPoint at = child(name)->mapTo(window_.get(), QPoint(0, 0)) * scale;
            const int y = one.height() / 2 * scale;
            for (int x = 0; x < 4 * scale; ++x) QCOMPARE(shot.pixel(at + QPoint(x, y)), shown.pixel(x, y));
            for (int x = 0; x < scale; ++x) QCOMPARE(shown.pixel(x, y), one.pixel(0, y / scale));
            QVERIFY2(shown.pixel(scale, y) != one.pixel(0, y / scale), name);
        }
    }

    void overlaysCoverEveryPage() {
        window_->DisableAllPages();
        for (int p = 1; p <= 5; ++p) QVERIFY(!child(qPrintable(QString("Disable_All_%1").arg(p)))->isHidden());
        QVERIFY(child("Disable_All_1")->isVisible());
        QCOMPARE(child("Disable_All_1")->geometry(), QRect(0, 0, 800, 600));
        window_->EnableAllPages();
        for (int p = 1; p <= 5; ++p) QVERIFY(child(qPrintable(QString("Disable_All_%1").arg(p)))->isHidden());
    }

    // The user's choice in the window is the next start's language; --lang is for one run only.
    void startsInTheLanguageTheUserLastChose() {
        QTemporaryDir home;
        const LanguageChoiceFile memory(home.filePath("varnel-config/language").toStdString());
        qputenv("LANGUAGE", "");
        qputenv("LC_ALL", "en_GB.UTF-8");
        const auto startIn = [&](std::optional<int> commandLine) {
            auto w = std::make_unique<MainWindow>(state_);
            w->startInUsersLanguage(commandLine, memory);
            w->show();
            return w;
        };
        auto w = startIn(std::nullopt);
        QCOMPARE(w->model().captions().languageNumber(), 2);  // the desktop's, nothing chosen yet
        QVERIFY(!memory.read());
        QTest::mouseClick(varnel::testing::control(w.get(), "Btn_Lang1_1"), Qt::LeftButton);
        QCOMPARE(memory.read(), std::optional<std::string>("es\n"));
        QCOMPARE(startIn(std::nullopt)->model().captions().languageNumber(), 1);
        QCOMPARE(startIn(3)->model().captions().languageNumber(), 3);
        QCOMPARE(startIn(std::nullopt)->model().captions().languageNumber(), 1);
        qunsetenv("LC_ALL");
    }

    void exitClosesTheWindow() {
        QTest::mouseClick(child("Btn_Exit_1"), Qt::LeftButton);
        QVERIFY(!window_->isVisible());
        QVERIFY(!window_->model().appearance().channelsOpen());
    }

private:
    AppState state_;
    std::unique_ptr<MainWindow> window_;
    QStringList messages_;
};

VARNEL_GUI_TEST_MAIN(StartupTest)
#include "startup_test.moc"
