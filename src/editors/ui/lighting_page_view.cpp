#include "editors/ui/lighting_page_view.h"

#include <QWidget>

#include "editors/ui/colour_picker.h"
#include "editors/ui/page_clicks.h"
#include "skin/skin_tables.h"

namespace varnel {

LightingPageView::LightingPageView(QWidget& window, LightingPage& page, std::function<void()> render)
    : QObject(&window), window_(window), page_(page), render_(std::move(render)) {
    const PageClicks clicks(window_, *this, render_);
    for (std::size_t i = 0; i < skin::kLedModes.size(); ++i) {
        const LightingMode mode = kLightingModes[i];
        clicks.onLabel(skin::kLedModes[i].label, [this, mode] { page_.RGBMode_OnClick(mode); });
    }
    for (std::size_t i = 0; i < skin::kBreathBars.size(); ++i) {
        const BreathPhase phase = kBreathPhases[i];
        for (int k = 1; k <= skin::kTenStepCount; ++k) {
            clicks.onPicture(skin::barStep(skin::kBreathBars[i], k),
                             [this, phase, k] { page_.BreathTime_OnClick(phase, k); });
        }
    }
    for (std::size_t i = 0; i < skin::kColourSources.size(); ++i) {
        const int source = static_cast<int>(i) + 1;
        clicks.onLabel(skin::kColourSources[i].label, [this, source] { page_.LEDColModeChange(source); });
    }
    clicks.onLabel(skin::kLightingSwatches[0].label, [this] { pickMode1Colour(); });
}

void LightingPageView::pickMode1Colour() {
    pickColour(window_, page_.mode1Colour(), [this](const Rgb& picked) {
        page_.setMode1Colour(picked);
        render_();
    });
}

}  // namespace varnel
