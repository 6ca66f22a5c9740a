#pragma once
// Binds the desktop pointer bars of the Advanced page to their model: a press on a segment
// (Img_Spd1..10, Img_DbSpd1..10, Img_ScrSpd1..10) chooses that level. The window renders.
#include <QObject>
#include <functional>

#include "editors/pointer_settings_page.h"

class QWidget;

namespace varnel {

class PointerSettingsView : public QObject {
    Q_OBJECT
public:
    // `window` holds the segments; `render` shows what changed. Both outlive the view (it is a
    // child of `window`).
    PointerSettingsView(QWidget& window, PointerSettingsPage& page, std::function<void()> render);
};

}  // namespace varnel
