#include "editors/macro_page.h"

#include "skin/control_names.h"

namespace varnel {

MacroPage::MacroPage(ControlTable& controls) : controls_(controls) {}

void MacroPage::opened(skin::Page page) {
    if (page == skin::Page::Macro) showPanels();
}

void MacroPage::reshown(skin::Page page) {
    if (page == skin::Page::Macro) showPanels();
}

void MacroPage::languageChanged() { controls_.setVisible(ctrl::Gb_Delay, false); }

void MacroPage::showPanels() {
    controls_.setVisible(ctrl::Gb_Insert, insertPanelOpen_);
    controls_.setVisible(ctrl::Img_InsertBase, insertPanelOpen_);
    controls_.setVisible(ctrl::Gb_Delay, !insertPanelOpen_);
}

}  // namespace varnel
