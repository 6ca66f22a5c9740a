// varnel-config-demo: the configuration window on a virtual bus, with a Wren RGB 3330 virtual
// mouse plugged in at start and a second window to unplug and plug it.
//
//   --screenshot FILE     saves the screen halfway through the first read, then quits after it
//   --measure             prints the time to the first painted window and the longest stall of
//                         the window's event loop during the first read, then shows every page
//                         and prints the peak resident memory, and quits
//   --virtual-load FILE   the memory of the mouse plugged in at start (65,536 bytes), instead of
//                         the factory's
//   --virtual-save FILE   the memory of the mouse plugged in last, written when the demo ends
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <memory>
#include <optional>

#include "app/demo_timing.h"
#include "app/desktop_pointer.h"
#include "app/loading_window.h"
#include "app/main_window.h"
#include "app/window_device.h"
#include "common/file_io.h"
#include "transfers/virtual_factory.h"

namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "varnel-config-demo: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    QCoreApplication::setApplicationVersion(VARNEL_VERSION);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "The configuration window on a virtual bus, with a Wren RGB 3330 virtual mouse plugged in at start and a "
        "second window to unplug and plug it.");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption screenshotOption(
        "screenshot", "Saves the screen halfway through the first read to <file>, then quits after the read.", "file");
    const QCommandLineOption measureOption(
        "measure",
        "Prints the time to the first painted window and the longest stall of the window's event loop during the "
        "first read, then shows every page, prints the peak resident memory and quits.");
    const QCommandLineOption loadOption(
        "virtual-load", "The memory of the mouse plugged in at start (65,536 bytes), instead of the factory's.",
        "file");
    const QCommandLineOption saveOption(
        "virtual-save", "Writes the memory of the mouse plugged in last to <file> when the demo ends.", "file");
    parser.addOptions({screenshotOption, measureOption, loadOption, saveOption});
    {
        // The options are read before the window system starts, so --help needs no display.
        QCoreApplication options(argc, argv);
        parser.process(options);  // prints and ends for --help, --version, unknown options and missing values
    }
    QApplication app(argc, argv);
    const QString screenshot = parser.value(screenshotOption);
    const bool measure = parser.isSet(measureOption);
    const auto valueOf = [&](const QCommandLineOption& o) {
        return parser.isSet(o) ? std::optional<QString>(parser.value(o)) : std::nullopt;
    };
    const auto virtualLoad = valueOf(loadOption);
    const auto virtualSave = valueOf(saveOption);
    if ((virtualLoad && virtualLoad->isEmpty()) || (virtualSave && virtualSave->isEmpty()))
        return fail("--virtual-load and --virtual-save take a file name");
    QApplication::setApplicationDisplayName(varnel::kApplicationTitle);

    varnel::AppState state;
    varnel::MainWindow window(state, varnel::desktopPointerStore());
    varnel::LoadingWindow busy;
    window.setBusyWindow(&busy);

    // Nothing asks for the USB bus on a virtual mouse.
    varnel::WindowDevice device(state, window, {}, varnel::WindowDevice::Start::Virtual);
    if (virtualLoad) {
        if (const auto s = varnel::loadMemoryFile(*device.mice()->lastPlugged(), virtualLoad->toStdString()); !s)
            return fail(virtualLoad->toStdString() + ": " + s.error().message);
    }
    varnel::FirstPaint firstPaint(sinceStart);
    window.installEventFilter(&firstPaint);
    window.show();

    varnel::StallProbe probe;
    bool shot = false;
    QObject::connect(&device.worker(), &varnel::DeviceWorker::progress, &window, [&](int done, int total) {
        if (measure && done > 0) probe.start();
        if (!screenshot.isEmpty() && !shot && total > 0 && done * 2 >= total) {
            shot = true;
            if (QScreen* s = QGuiApplication::primaryScreen()) s->grabWindow(0).save(screenshot);
        }
    });
    if (measure || !screenshot.isEmpty()) {
        QObject::connect(&window, &varnel::MainWindow::deviceJobDone, &app, [&] {
            probe.stop();
            if (measure) {
                std::printf("first painted window after %lld ms\n", static_cast<long long>(firstPaint.at()));
                std::printf("longest event-loop stall during the first read: %lld ms\n",
                            static_cast<long long>(probe.longest()));
                varnel::tourPages(window);
                std::printf("peak resident memory after the read and a page tour: %ld KiB\n",
                            varnel::peakResidentKiB());
                std::fflush(stdout);
            }
            window.close();
            QApplication::quit();
        });
    }
    const int status = app.exec();
    device.end();
    if (virtualSave) {
        const auto mouse = device.mice()->lastPlugged();
        if (const auto s = varnel::writeFileAtomic(virtualSave->toStdString(), mouse->memory()); !s)
            return fail(s.error().message);
    }
    return status;
}
