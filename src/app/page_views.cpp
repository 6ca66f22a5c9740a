#include "app/page_views.h"

#include <array>

#include "editors/ui/advanced_page_view.h"
#include "editors/ui/button_editor_view.h"
#include "editors/ui/lighting_page_view.h"
#include "editors/ui/pointer_settings_view.h"

namespace varnel {

namespace {

struct Views {
    QWidget& w;
    MainWindowModel& m;
    const PageViewServices& s;
    MacroPageView* macro = nullptr;
};

constexpr std::array<void (*)(Views& v), 6> kViews{
    [](Views& v) { new ButtonEditorView(v.w, v.m.buttonMaps(), v.m.captions(), v.s.render); },
    [](Views& v) { new AdvancedPageView(v.w, v.m.advanced(), v.s.render); },
    [](Views& v) { new LightingPageView(v.w, v.m.lighting(), v.s.render); },
    [](Views& v) {
        v.macro = new MacroPageView(v.w, v.m.macroPage(), v.m.controls(), v.m.captions(), v.s.macro, v.s.render);
    },
    [](Views& v) { new UpdatePageView(v.w, v.m.updatePage(), v.s.update, v.s.render); },
    [](Views& v) { new PointerSettingsView(v.w, v.m.pointerSettings(), v.s.render); },
};

}  // namespace

MacroPageView* createPageViews(QWidget& window, MainWindowModel& model, const PageViewServices& services) {
    Views views{window, model, services};
    for (const auto make : kViews) make(views);
    return views.macro;
}

}  // namespace varnel
