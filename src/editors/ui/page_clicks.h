#pragma once
// What every page view does with its controls: a click on a skin label or a press on a skin
// picture, found by name under the window, runs the page model's handler and then renders what
// changed. A disabled control gets no click: Qt does not deliver it.
#include <QObject>
#include <functional>
#include <string_view>

class QWidget;

namespace varnel {

class PageClicks {
public:
    // `window` holds the controls; `owner` ends the connections (the view); `render` shows what
    // changed. All three outlive the connections.
    PageClicks(QWidget& window, QObject& owner, std::function<void()> render);

    void onPicture(std::string_view name, std::function<void()> action) const;
    void onLabel(std::string_view name, std::function<void()> action) const;

private:
    std::function<void()> then(std::function<void()> action) const;

    QWidget& window_;
    QObject& owner_;
    std::function<void()> render_;
};

}  // namespace varnel
