#include "editors/ui/advanced_page_view.h"

#include <QWidget>

#include "editors/ui/colour_picker.h"
#include "editors/ui/page_clicks.h"
#include "skin/skin_tables.h"

namespace varnel {

AdvancedPageView::AdvancedPageView(QWidget& window, AdvancedPage& page, std::function<void()> render)
    : QObject(&window), window_(window), page_(page), render_(std::move(render)) {
    const PageClicks clicks(window_, *this, render_);
    for (int d = 1; d <= skin::kDpiLevelCount; ++d) {
        for (int s = 1; s <= skin::kDpiStepCount; ++s)
            clicks.onPicture(skin::dpiStep(d, s), [this, d, s] { page_.DPIVlaue_OnClick(d, s); });
        clicks.onPicture(skin::dpiCheck(d), [this, d] { page_.CurrentDPI_OnClick(d); });
        clicks.onLabel(skin::dpiCaption(d), [this, d] { page_.DPILevel_OnClick(d); });
        clicks.onLabel(skin::kDpiSwatches[static_cast<std::size_t>(d - 1)].label, [this, d] { pickStageColour(d); });
    }
    for (std::size_t i = 0; i < skin::kReportOptions.size(); ++i) {
        const int choice = static_cast<int>(i) + 1;
        clicks.onLabel(skin::kReportOptions[i].label, [this, choice] { page_.ReportRate_OnClick(choice); });
    }
}

void AdvancedPageView::pickStageColour(int stage) {
    pickColour(window_, page_.stageColour(stage), [this, stage](const Rgb& picked) {
        page_.setStageColour(stage, picked);
        render_();
    });
}

}  // namespace varnel
