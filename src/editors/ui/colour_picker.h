#pragma once
// The one colour dialog of the window (ColorDialog1), shared by every page that picks a device
// colour: the DPI stage swatches and the lighting colours. It opens window-modal without a nested
// event loop, so device jobs go on meanwhile (and disable it while they run, like every dialog of
// the window); `chosen` runs only when the user accepts. Convert the answer with percentColour()
// of editors/colour.h.
#include <functional>

#include "skin/controls.h"

class QWidget;

namespace varnel {

inline constexpr char kColourDialogName[] = "ColorDialog1";

// Opens the dialog over `parent` on `initial`; a cancelled dialog calls nothing.
void pickColour(QWidget& parent, const Rgb& initial, std::function<void(const Rgb&)> chosen);

}  // namespace varnel
