#pragma once
// The page views, one row each in a table: each binds its page model to the widgets the window
// made for the control table. A new page adds its view's row here.
#include <QWidget>
#include <functional>

#include "editors/ui/macro_page_view.h"
#include "editors/ui/update_page_view.h"
#include "shell/main_window_model.h"

namespace varnel {

// What the views ask of the window.
struct PageViewServices {
    MacroPageServices macro;
    UpdatePageServices update;
    std::function<void()> render;  // the controls the models changed are rendered
};

// Creates every page view as a child of `window`; returns the Macro page's (the window follows
// its recording).
MacroPageView* createPageViews(QWidget& window, MainWindowModel& model, const PageViewServices& services);

}  // namespace varnel
