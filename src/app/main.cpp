// varnel-config: the configuration window for the mouse on the USB bus. --help and --version
// print and end; --virtual opens the window on a virtual mouse, as the demo has it; --lang chooses
// the language for this run.
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <cstdio>
#include <optional>

#include "app/application_id.h"
#include "app/desktop_pointer.h"
#include "app/device_worker.h"
#include "app/loading_window.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "app/window_device.h"
#include "platform/hidapi_bus.h"
#include "platform/ui/hotplug_notifier.h"
#include "skin/start_language.h"
#include "transfers/app_state.h"

int main(int argc, char** argv) {
    const QCommandLineOption virtualOption(
        "virtual", "Opens the window on a virtual mouse, with a second window to unplug and plug it.");
    bool startVirtual = false;
    std::optional<int> language;
    {
        // The options are read before the window system starts, so --help needs no display.
        QCoreApplication options(argc, argv);
        QCoreApplication::setApplicationVersion(VARNEL_VERSION);
        QCommandLineParser parser;
        parser.setApplicationDescription(
            "Sets up a Varnel gaming mouse: buttons, DPI stages, report rate, lighting, macros, profiles and "
            "firmware.");
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOption(virtualOption);
        const QCommandLineOption lang("lang", "Start in language CODE (es, en or 3) for this run.", "CODE");
        parser.addOption(lang);
        parser.process(options);  // prints and ends for --help, --version and unknown options
        startVirtual = parser.isSet(virtualOption);
        if (parser.isSet(lang)) {
            language = varnel::languageFromCode(parser.value(lang).toStdString());
            if (!language) {
                std::fprintf(stderr, "varnel-config: --lang takes es, en or 3, not \"%s\"\n",
                             qPrintable(parser.value(lang)));
                return 2;
            }
        }
    }
    QApplication app(argc, argv);
    // The desktop finds the window's menu entry and icon by this id (Wayland's app id, KDE on X11);
    // window managers that take the icon from the window get it from the installed icon theme.
    QGuiApplication::setDesktopFileName(varnel::kApplicationId);
    QGuiApplication::setWindowIcon(QIcon::fromTheme(varnel::kApplicationId));

    varnel::SingleInstance instance(varnel::defaultInstanceKey());
    if (instance.claim() == varnel::SingleInstance::Claim::AlreadyRunning) {
        // A window is already open: bring it to the front instead of opening a second one.
        instance.activateRunning();
        return 0;
    }
    // Any other failure of the guard is no reason to keep the user from the mouse.
    if (!instance.problem().isEmpty()) std::fprintf(stderr, "varnel-config: %s\n", qPrintable(instance.problem()));
    QApplication::setApplicationDisplayName(varnel::kApplicationTitle);

    varnel::AppState state;
    varnel::MainWindow window(state, varnel::desktopPointerStore());
    QObject::connect(&instance, &varnel::SingleInstance::activated, &window, &varnel::MainWindow::restoreAndRaise);
    varnel::LoadingWindow busy;
    window.setBusyWindow(&busy);
    const auto usbBus = [] { return std::make_unique<varnel::HidapiBus>(); };
    varnel::WindowDevice device(state, window, usbBus,
                                startVirtual ? varnel::WindowDevice::Start::Virtual : varnel::WindowDevice::Start::RealBus);
    // Where udev runs the mouse is searched for as it is plugged in; elsewhere (and on the virtual
    // mouse) DevTimer counts.
    const auto hotplug = startVirtual ? nullptr : varnel::HotplugNotifier::whereUdevRuns(state.DeviceIdTable);
    if (hotplug) window.followAnnouncements(hotplug.get());
    const auto languageFile = varnel::LanguageChoiceFile::defaultPath();
    window.startInUsersLanguage(language,
                                languageFile ? std::optional(varnel::LanguageChoiceFile(*languageFile)) : std::nullopt);
    window.show();
    return app.exec();
}
