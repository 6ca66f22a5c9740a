#pragma once
// A recording on the Macro page: a whole macro (Btn_Start: the script starts anew with its
// header, and stopping encodes it, or keeps the macro as stored when it would not fit) or keys put
// in the open insert panel from the selected event (Btn_InsertStart: nothing is encoded until the
// panel's OK). Captured events fill the script and the event list at once; the recording ends by
// its button, by itself at a limit (100th release, a full macro), or when a job begins or the
// mouse leaves. Also the record-delay choice (Gb_Delay) the recording of a whole macro uses.
#include <optional>
#include <string>

#include "common/result.h"
#include "config/input_event.h"
#include "editors/macro_controls.h"
#include "editors/macro_insert_panel.h"
#include "editors/macro_script_edit.h"
#include "macros/macro_recorder.h"

namespace varnel {

enum class RecordingKind { None, WholeMacro, Keys };

class MacroRecording {
public:
    // Everything given outlives the recording.
    MacroRecording(ControlTable& controls, const CaptionsModel& captions, MacroScriptEdit& edit,
                   MacroInsertPanel& panel);

    // false when a recording may not start: no macro, or one runs; keys only in the open panel
    // on keys, with an event selected and room for more presses and releases.
    bool beginWholeMacro();
    bool beginKeys();
    // Ends the recording of a whole macro and encodes it; the refusal when it does not fit.
    Status endWholeMacro();
    void endKeys();
    // Ends whichever recording runs, as its button would: the language key of the refusal when the
    // recorded macro could not be encoded.
    std::optional<std::string> stop();
    // Drops the recording with its macro: nothing of it is encoded.
    void drop();
    // A captured event: its lines go into the script at once. A recording the event ended is
    // stopped as by its button, and that stop's status is returned.
    Status capture(const InputEvent& e, bool overRecordButton);

    RecordingKind kind() const { return kind_; }
    bool running() const { return kind_ != RecordingKind::None; }
    const MacroRecorder& recorder() const { return recorder_; }
    int InsertPos() const { return recorder_.InsertPos(); }

    DelayChoice& delay() { return delay_; }
    const DelayChoice& delay() const { return delay_; }
    // The record-delay box takes the delay of a decoded macro's header.
    void takeHeader(const HeaderDelay& header);
    // Gb_Delay's lamps and box (editable for a default delay while no macro is recorded).
    void showDelays();

private:
    ControlTable& controls_;
    const CaptionsModel& captions_;
    MacroScriptEdit& edit_;
    MacroInsertPanel& panel_;
    DelayChoice delay_;
    MacroRecorder recorder_;
    RecordingKind kind_ = RecordingKind::None;
};

}  // namespace varnel
