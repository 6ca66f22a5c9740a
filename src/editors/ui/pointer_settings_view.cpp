#include "editors/ui/pointer_settings_view.h"

#include <QWidget>
#include <string>

#include "skin/skin_tables.h"
#include "skin/ui/skin_widgets.h"

namespace varnel {

PointerSettingsView::PointerSettingsView(QWidget& window, PointerSettingsPage& page, std::function<void()> render)
    : QObject(&window) {
    for (const PointerSetting s : kPointerSettings) {
        const skin::TenStepBar& bar = PointerSettingsPage::barOf(s);
        for (int level = 1; level <= skin::kTenStepCount; ++level) {
            const auto name = QString::fromStdString(skin::barStep(bar, level));
            auto* segment = window.findChild<SkinPicture*>(name);
            if (segment == nullptr) continue;
            connect(segment, &SkinPicture::pressed, this, [&page, render, s, level] {
                page.barClicked(s, level);
                render();
            });
        }
    }
}

}  // namespace varnel
