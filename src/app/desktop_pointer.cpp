#include "app/desktop_pointer.h"

#include <QGuiApplication>
#include <QStandardPaths>
#include <string>

#include "platform/gsettings_pointer_store.h"
#include "platform/kde_pointer_store.h"
#include "platform/pointer_store_choice.h"
#include "platform/ui/x11_pointer_store.h"
#include "platform/x11_pointer_speed.h"

namespace varnel {

std::unique_ptr<PointerSettingsStore> desktopPointerStore() {
    const std::string platform = QGuiApplication::platformName().toStdString();
    const std::string desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP").toStdString();
    const DesktopFacts facts{platform, desktop, GSettingsPointerStore::schemaInstalled()};
    switch (choosePointerBackend(facts)) {
        case PointerBackend::GSettings:
            if (auto store = GSettingsPointerStore::open()) return store;
            break;
        case PointerBackend::Kde: {
            const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
            return std::make_unique<KdePointerStore>(folder.toStdString());
        }
        case PointerBackend::X11:
            return std::make_unique<X11PointerStore>(X11PointerSpeed::open(), X11PointerStore::defaultSettingsFile());
        case PointerBackend::None: break;
    }
    return std::make_unique<NoPointerSettings>();
}

}  // namespace varnel
