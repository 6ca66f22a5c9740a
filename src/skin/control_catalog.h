#pragma once
// The designed main window: every control with its container, kind, designed size and initial
// state, in creation order. Positions that the layout file gives start at the container's
// origin; the layout moves them (and a missing layout value leaves them there).
#include <string_view>

#include "skin/controls.h"

namespace varnel {

// Adds every control of the main window to `table`.
void buildMainWindowControls(ControlTable& table);

// The sub-menu panel that holds the menu entry with this tag; empty for other tags.
std::string_view menuPanelForTag(int tag);

}  // namespace varnel
