#pragma once
// The desktop pointer bars of the Advanced page: pointer speed (Img_Spd1..10), double-click time
// (Img_DbSpd1..10) and wheel lines (Img_ScrSpd1..10), segments 1..level lit (or, for a desktop
// value on no step, 1..the nearest step dimly), and a note on each bar's caption row that says
// whether this desktop keeps it, whether it takes effect only for this program or at the next
// login, and that a dim bar marks the nearest step. The levels and their rules are PointerSettings'. The
// desktop is read at window creation and after a device read only: Reset and a profile load change
// neither the desktop nor an unapplied click.
#include <string>

#include "platform/pointer_store.h"
#include "editors/pointer_settings.h"
#include "skin/captions.h"
#include "skin/controls.h"
#include "skin/page_model.h"
#include "skin/skin_tables.h"

namespace varnel {

class PointerSettingsPage : public PageModel {
public:
    // Everything given outlives the page.
    PointerSettingsPage(ControlTable& controls, PointerSettingsStore& store, const CaptionsModel& captions);

    // Display: the bars as the levels stand (the desktop itself is not read here).
    void load() override;
    void languageChanged() override;

    // RefreshMouseSystemParameterA and B: read the desktop and redraw the bars.
    void RefreshMouseSystemParameter();
    // MseSpd_OnClick, MseDbSpd_OnClick, MseScrSpd_OnClick: segment `level` of a bar clicked.
    void barClicked(PointerSetting s, int level);
    // Apply and Confirm, before the image goes to the mouse: the chosen levels to the desktop.
    Status applyToDesktop();

    const PointerSettings& settings() const { return settings_; }

    // The bar of `s` and the setting of a bar.
    static const skin::TenStepBar& barOf(PointerSetting s);

private:
    void showBar(PointerSetting s);
    // Each bar's note on its caption row (barNote): what concerns that bar alone.
    void showNote();
    std::string noteOf(PointerSetting s) const;

    ControlTable& controls_;
    const CaptionsModel& captions_;
    PointerSettings settings_;
};

}  // namespace varnel
