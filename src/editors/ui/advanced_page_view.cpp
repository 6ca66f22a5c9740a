#include "editors/ui/advanced_page_view.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QWidget>
#include <string>
#include <utility>

#include "editors/fire_key_boxes.h"
#include "editors/ui/colour_picker.h"
#include "editors/ui/page_clicks.h"
#include "skin/control_names.h"
#include "skin/skin_tables.h"

namespace varnel {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

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
    // Typed text reaches the page at once (a language switch re-renders from it); leaving a box
    // applies its corrections. The validator, not a maximum length, limits what can be typed, so
    // a longer number a mouse holds is still shown whole.
    for (const auto& [name, digits] :
         {std::pair{ctrl::Edt_Repeat1, kRepeatBoxDigits}, {ctrl::Edt_DelayTime1, kDelayBoxDigits}}) {
        if (auto* box = window_.findChild<QLineEdit*>(qs(name))) {
            box->setValidator(
                new QRegularExpressionValidator(QRegularExpression(QString("[0-9]{0,%1}").arg(digits)), box));
            connect(box, &QLineEdit::textEdited, this, [this] { takeFireKeyBoxes(); });
            connect(box, &QLineEdit::editingFinished, this, [this] {
                page_.leaveFireKeyBoxes();
                render_();
            });
        }
    }
}

void AdvancedPageView::takeFireKeyBoxes() {
    const auto textOf = [this](std::string_view name) {
        const auto* box = window_.findChild<QLineEdit*>(qs(name));
        return box == nullptr ? std::string() : box->text().toStdString();
    };
    page_.editFireKeyBoxes({textOf(ctrl::Edt_Repeat1), textOf(ctrl::Edt_DelayTime1)});
    render_();
}

void AdvancedPageView::pickStageColour(int stage) {
    pickColour(window_, page_.stageColour(stage), [this, stage](const Rgb& picked) {
        page_.setStageColour(stage, picked);
        render_();
    });
}

}  // namespace varnel
