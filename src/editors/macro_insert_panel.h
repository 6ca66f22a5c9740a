#pragma once
// The Macro page's insert panel (Gb_Insert): a delay, or keys the recording takes, put in front of
// or behind the selected event. A delay is typed into Edt_InsertDelay and encoded at OK; recorded
// keys wait in the script until OK encodes them, and Cancel gives back the macro as last encoded,
// with the event list scrolled and selected as it was when the panel opened. A refused insertion
// leaves the panel open and the macro as it was.
#include <optional>
#include <string>

#include "editors/macro_controls.h"
#include "editors/macro_script_edit.h"

namespace varnel {

// CB_Insert's entries, in order: delays or keys, before or after the selected event.
enum class InsertChoice { DelayFront, DelayBack, KeyFront, KeyBack };

class MacroInsertPanel {
public:
    // Everything given outlives the panel.
    MacroInsertPanel(ControlTable& controls, const CaptionsModel& captions, MacroScriptEdit& edit);

    // Btn_InsertClick: opens on "delay in front", counting the events the macro holds.
    void open();
    // CB_InsertChange: keys are recorded with their own delays from the recorder's choice.
    void choose(int index);
    // Btn_OKClick: the language key of the refusal when the insertion would not fit.
    std::optional<std::string> confirm();
    // Btn_CancelClick: the header of the macro as last encoded (the record-delay box takes it).
    std::optional<HeaderDelay> cancel();
    // CloseInsertPanel.
    void close();

    bool isOpen() const { return open_; }
    InsertChoice choice() const;
    bool insertsKeys() const;
    DelayChoice& delay() { return delay_; }
    const DelayChoice& delay() const { return delay_; }

    // The panel's group and picture over the record-delay group, while it is open.
    void showPanel();
    // CB_Insert's choice: the panel's picture, OK's caption, the key recording's button.
    void showChoice(bool keysRecording);
    // The key delay's lamps and labels (keys only; greyed while keys are recorded) and the box.
    void showDelays(bool keysRecording);

    // The presses and releases of the macro with the keys recorded so far.
    void countRecorded(EventCounts counts);
    int InsertPressCount() const { return insertPressCount_; }
    int InsertReleaseCount() const { return insertReleaseCount_; }
    bool full() const { return insertPressCount_ == kFullEventCount && insertReleaseCount_ == kFullEventCount; }
    int SavedTopIndex() const { return savedTopIndex_; }
    int SavedItemIndex() const { return savedItemIndex_; }

private:
    ControlTable& controls_;
    const CaptionsModel& captions_;
    MacroScriptEdit& edit_;
    DelayChoice delay_;
    bool open_ = false;
    int insertPressCount_ = 0;
    int insertReleaseCount_ = 0;
    int savedTopIndex_ = 0;
    int savedItemIndex_ = -1;
};

}  // namespace varnel
