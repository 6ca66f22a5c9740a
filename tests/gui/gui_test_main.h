#pragma once
// Main function of the window tests: offscreen, on one 1024 x 768 screen at 96 dpi, so window
// placement and font sizes are the same on every machine; on an X server when the test is run
// with QT_QPA_PLATFORM=xcb (what only a real display shows: the desktop's input, window moves).
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace varnel::testing {

inline QString offscreenPlatform(const QTemporaryDir& dir) {
    const QString path = dir.filePath("screens.json");
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": 1024, "height": 768,
                    "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    }
    return "offscreen:configfile=" + path;
}

// A control of `root` by object name; a missing one is named in the output, so the failing
// test says which control the window lacks.
template <typename T = QWidget>
T* control(const QObject* root, const QString& name) {
    T* w = root->findChild<T*>(name);
    if (w == nullptr) qWarning() << "no control" << name;
    return w;
}

// Real pointer and keyboard input on the X server the test runs on.
inline void xdotool(const QStringList& args) { QCOMPARE(QProcess::execute("xdotool", args), 0); }

inline bool onXServer() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

}  // namespace varnel::testing

#define VARNEL_GUI_TEST_MAIN(TestObject)                                                  \
    int main(int argc, char** argv) {                                                     \
        QTemporaryDir dir;                                                                \
        if (qgetenv("QT_QPA_PLATFORM") != "xcb")                                          \
            qputenv("QT_QPA_PLATFORM", varnel::testing::offscreenPlatform(dir).toUtf8()); \
        if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))                                \
            qputenv("QT_QPA_FONTDIR", "/usr/share/fonts/truetype/dejavu");                \
        QApplication app(argc, argv);                                                     \
        TestObject tc;                                                                    \
        return QTest::qExec(&tc, argc, argv);                                             \
    }
