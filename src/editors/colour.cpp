#include "editors/colour.h"

#include <string>

namespace varnel {

void showSwatch(ControlTable& controls, const skin::Swatch& swatch, const PercentColour& stored) {
    controls.setBackColor(swatch.shape, screenColour(stored));
    const std::string edits(swatch.edits);
    controls.setCaption(edits + "R", std::to_string(shownPercent(stored.r)));
    controls.setCaption(edits + "G", std::to_string(shownPercent(stored.g)));
    controls.setCaption(edits + "B", std::to_string(shownPercent(stored.b)));
}

}  // namespace varnel
