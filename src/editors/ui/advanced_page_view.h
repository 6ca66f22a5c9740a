#pragma once
// Binds the Advanced page's model to the main window's widgets: the DPI segments and check
// boxes (pictures), the stage labels, the colour areas over the swatches, the two report-rate
// labels and the fire-key boxes. The window renders the control table; this forwards the clicks
// and the boxes' text.
#include <QObject>
#include <functional>

#include "editors/advanced_page.h"

class QWidget;

namespace varnel {

class AdvancedPageView : public QObject {
    Q_OBJECT
public:
    // `window` holds the widgets named after the page's controls; `render` shows what changed.
    // Both outlive the view (it is a child of `window`).
    AdvancedPageView(QWidget& window, AdvancedPage& page, std::function<void()> render);

private:
    // lbl_cscpi1Click .. lbl_cscpi4Click.
    void pickStageColour(int stage);
    // The boxes' texts into the page as typed.
    void takeFireKeyBoxes();

    QWidget& window_;
    AdvancedPage& page_;
    std::function<void()> render_;
};

}  // namespace varnel
