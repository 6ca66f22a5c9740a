#pragma once
// The widgets of the control table: one maker and one small painter per control kind, so that the
// window only looks a control's widget up and hands it the control to paint.
#include <QWidget>
#include <functional>
#include <string>

#include "skin/controls.h"
#include "skin/ui/pictures.h"

namespace varnel {

// A new widget for `c` under `parent`, not yet painted nor connected.
QWidget* createControlWidget(const Control& c, QWidget* parent);

struct PaintContext {
    Pictures& pictures;
    std::function<void(const std::string&)> reportProblem;  // a picture the resources lack
};

// Puts the control's state on its widget: place, enabled, what its kind shows, visible.
void paintControl(QWidget* w, const Control& c, const PaintContext& context);

}  // namespace varnel
