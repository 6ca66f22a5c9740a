#pragma once
// Binds the Breathing Light page's model to the main window's widgets: the mode labels, the
// segments of the four time bars (pictures), the colour-source labels and the colour area over
// the program-set colour. The window renders the control table; this forwards the clicks.
#include <QObject>
#include <functional>

#include "editors/lighting_page.h"

class QWidget;

namespace varnel {

class LightingPageView : public QObject {
    Q_OBJECT
public:
    // `window` holds the widgets named after the page's controls; `render` shows what changed.
    // Both outlive the view (it is a child of `window`).
    LightingPageView(QWidget& window, LightingPage& page, std::function<void()> render);

private:
    // lbl_csmode1Click.
    void pickMode1Colour();

    QWidget& window_;
    LightingPage& page_;
    std::function<void()> render_;
};

}  // namespace varnel
