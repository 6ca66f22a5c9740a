#pragma once
// The Macro page's model. Today it carries which of its two panels shows: the record-delay panel
// (Gb_Delay) or, while the insert mode is on, the insert panel (Gb_Insert over Img_InsertBase).
#include "skin/controls.h"
#include "skin/page_model.h"

namespace varnel {

class MacroPage : public PageModel {
public:
    // `controls` outlives the page.
    explicit MacroPage(ControlTable& controls);

    void load() override {}
    void opened(skin::Page page) override;
    void reshown(skin::Page page) override;
    // A language switch hides the record-delay panel; showing the page brings it back.
    void languageChanged() override;

    bool insertPanelOpen() const { return insertPanelOpen_; }
    void setInsertPanelOpen(bool open) { insertPanelOpen_ = open; }

private:
    void showPanels();

    ControlTable& controls_;
    bool insertPanelOpen_ = false;
};

}  // namespace varnel
