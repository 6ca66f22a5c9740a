#pragma once
// The script of the Macro page's selected macro: decoded from its block, shown as the event list
// LB_macro, edited (an event deleted with its partner, a line put in, the macro cleared) and
// encoded back into its block and record at once, or refused whole, changing nothing. It keeps
// the macro's capacity counters and shows its usage ("17 / 1024 bytes", presses and releases).
// Every edit that changes the macro sets MacrosDirty.
#include <cstddef>
#include <optional>
#include <string>

#include "common/result.h"
#include "macros/macro_format.h"
#include "macros/macro_script.h"
#include "skin/captions.h"
#include "skin/controls.h"
#include "transfers/app_state.h"

namespace varnel {

// The DelayMode a decoded macro's header says, with its default delay.
struct HeaderDelay {
    DelayMode mode = DelayMode::NoDelay;
    unsigned defaultDelayMs = 0;
};

class MacroScriptEdit {
public:
    // `macro` is the page's selection, read at every call. Everything given outlives the edit.
    MacroScriptEdit(ControlTable& controls, AppState& state, const CaptionsModel& captions,
                    const std::optional<std::size_t>& macro);

    // The selected macro as stored (LB_MacroNameClick): its inspection text and events, none for
    // an empty or damaged macro. Gives the header's delay, which the record-delay box takes;
    // nothing when the macro shows no events.
    std::optional<HeaderDelay> open();
    // MacroBlockToScript of the selected macro again: what was recorded and not encoded is gone.
    std::optional<HeaderDelay> reopen();
    // No script: the list is empty and scrolled to the top.
    void forget();

    // ScriptToMacroBlock of `script` into the selected macro; only when it fits does `script`
    // become the edit's script (with its inspection text).
    Status encode(const MacroScript& script);
    // Deletes the selected event with its partner; false when nothing changed.
    bool deleteSelected();
    // Puts `line` in as event entry `at`: nothing when `at` is no place for it, else whether it fit.
    std::optional<Status> insert(int at, std::string line);
    // The selected macro emptied: used length 0, its block erased.
    void clear();

    // LB_macro: shows the script's events with `select` selected (-1 or out of range: none).
    void showEvents(int select);
    void selectEvent(int index);
    void scrolled(int topIndex);
    // Captions of lbl_MacroBytes and lbl_MacroEvents; `pending` counts the bytes of recorded lines
    // that are not encoded yet.
    void showUsage(bool pending);

    // CountMacroEvents: the counters from the script.
    void CountMacroEvents();
    // The counters while a recording fills the script.
    void countRecorded(EventCounts counts);

    bool hasMacro() const { return macro_.has_value(); }
    const MacroScript& script() const { return script_; }
    // The recorder writes its lines here; they are encoded when the recording ends.
    MacroScript& recordedScript() { return script_; }
    const std::string& inspectionText() const { return inspection_; }
    int selectedEvent() const { return eventIndex_; }
    int topEvent() const { return eventTop_; }
    int PressCount() const { return pressCount_; }
    int ReleaseCount() const { return releaseCount_; }
    bool full() const { return pressCount_ == kFullEventCount && releaseCount_ == kFullEventCount; }

private:
    std::optional<HeaderDelay> decode();

    ControlTable& controls_;
    AppState& state_;
    const CaptionsModel& captions_;
    const std::optional<std::size_t>& macro_;
    MacroScript script_;
    std::string inspection_;
    int eventIndex_ = -1;
    int eventTop_ = 0;
    int pressCount_ = 0;
    int releaseCount_ = 0;
};

}  // namespace varnel
