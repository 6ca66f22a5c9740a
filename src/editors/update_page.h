#pragma once
// The Update page's model: the firmware file chosen with Btn_LoadBIN (its full path on
// lbl_LoadBIN, FirmwareLoaded once the file was read and accepted) and the messages of the page.
// Opening the page forgets the loaded firmware and its path. The messages are this program's
// own: a refused file, and what programming came to.
#include <string>
#include <string_view>

#include "skin/controls.h"
#include "skin/page_model.h"
#include "transfers/app_state.h"

namespace varnel {

class UpdatePage : public PageModel {
public:
    // A file that cannot be programmed (followed by the reason in words).
    static constexpr std::string_view kFileRefusedKey = "Str443";
    // Command 18 went out: the new image read back as written.
    static constexpr std::string_view kUpdatedKey = "Str444";
    // Programming stopped before command 18; the file stays loaded for another try.
    static constexpr std::string_view kNotUpdatedKey = "Str445";
    // Command 18 went out, but the restarted mouse was not found again.
    static constexpr std::string_view kNotFoundAfterRestartKey = "Str446";
    // Command 18 went out, but the mouse refused reports on the way (said in words, not reports).
    static constexpr std::string_view kRefusedOnTheWayKey = "Str574";
    // Asked before programming starts, with %1 for the file's name.
    static constexpr std::string_view kProgramQuestionKey = "Str449";

    // `controls` and `state` outlive the page.
    UpdatePage(ControlTable& controls, AppState& state);

    void load() override {}
    void opened(skin::Page page) override;

    // Btn_LoadBINClick once a file was chosen: its full path shows while it is read.
    void firmwareChosen(std::string_view path);
    // The file was read (FirmwareLoaded says whether it was taken): a refused file leaves no path
    // showing, as nothing is left to program.
    void firmwareRead();
    // Btn_ProgramClick programs only a loaded file; without one it does nothing and says nothing.
    bool programArmed() const { return state_.FirmwareLoaded; }
    // The question before programming (`question` is kProgramQuestionKey's text): it names the
    // loaded file, as a profile or macro file picked by mistake shares its ".bin" filter.
    std::string programQuestion(std::string question) const;

private:
    ControlTable& controls_;
    AppState& state_;
};

}  // namespace varnel
