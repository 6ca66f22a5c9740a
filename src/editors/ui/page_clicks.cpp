#include "editors/ui/page_clicks.h"

#include <QWidget>

#include "skin/ui/skin_widgets.h"

namespace varnel {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

PageClicks::PageClicks(QWidget& window, QObject& owner, std::function<void()> render)
    : window_(window), owner_(owner), render_(std::move(render)) {}

std::function<void()> PageClicks::then(std::function<void()> action) const {
    return [action = std::move(action), render = render_] {
        action();
        render();
    };
}

void PageClicks::onPicture(std::string_view name, std::function<void()> action) const {
    if (auto* picture = window_.findChild<SkinPicture*>(qs(name)))
        QObject::connect(picture, &SkinPicture::pressed, &owner_, then(std::move(action)));
}

void PageClicks::onLabel(std::string_view name, std::function<void()> action) const {
    if (auto* label = window_.findChild<SkinLabel*>(qs(name)))
        QObject::connect(label, &SkinLabel::clicked, &owner_, then(std::move(action)));
}

}  // namespace varnel
