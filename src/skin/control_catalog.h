#pragma once
// The designed main window: every control with its container, kind, designed size and initial
// state, in creation order. Positions that the layout file gives start at the container's
// origin; the layout moves them (and a missing layout value leaves them there).
#include "skin/controls.h"

namespace varnel {

// Adds every control of the main window to `table`.
void buildMainWindowControls(ControlTable& table);

}  // namespace varnel
