#pragma once
// The Macro page's model (Wren mice). The 32 macro names (LB_MacroName) come from the state's
// MacroNameList; the selected macro's block is decoded into its MacroScript, whose events the
// event list (LB_macro) shows. Deleting an event takes its partner along, the insert panel puts a
// delay (and, with the recorder, keys) before or after the selected event, Clear empties the
// macro, Rename changes its name in the list, and macro files move one or all macros. Every edit
// of a script is encoded into the macro's block and record at once (or refused, changing
// nothing). MacrosDirty is set when a macro or its name changes, never by a button alone (a
// cancelled dialog leaves it); the macro area reaches the mouse only through Save Macro or Apply. The page's working
// state (idle, recording, insert panel open, insert recording) decides which of its controls are enabled.
#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/result.h"
#include "macros/macro_file.h"
#include "macros/macro_format.h"
#include "macros/macro_recorder.h"
#include "skin/captions.h"
#include "skin/controls.h"
#include "skin/page_model.h"
#include "transfers/app_state.h"

namespace varnel {

enum class MacroWorkState { Idle, Recording, InsertPanel, InsertRecording };

// CB_Insert's entries, in order: delays or keys, before or after the selected event.
enum class InsertChoice { DelayFront, DelayBack, KeyFront, KeyBack };

// What entry k of LB_macro shows.
struct MacroEventEntry {
    std::string picture;  // "MacroEvent_0" delay, "MacroEvent_1" press, "MacroEvent_2" release
    std::string text;     // "A", "LeftKey", "120 ms"
    bool full = false;    // the last entry of a full macro: drawn on red
};

class MacroPage : public PageModel {
public:
    // Everything given outlives the page.
    MacroPage(ControlTable& controls, AppState& state, const CaptionsModel& captions);

    // Display: the names the state holds; a new image drops the selection (and closes the insert
    // panel, whose macro is gone).
    void load() override;
    void opened(skin::Page page) override;
    void reshown(skin::Page page) override;
    // The language's captions and colours replaced the page's state-dependent ones: put them back.
    void languageChanged() override;
    // The mouse left: the three macro lists are emptied and nothing is selected.
    void emptyLists();

    // LB_MacroNameClick: the macro's events, its DelayMode and its counts.
    void LB_MacroNameClick(int index);
    // LB_macro: the selected event, and the first entry in view as the user scrolls.
    void LB_macroClick(int index);
    void LB_macroScrolled(int topIndex);

    // The DelayMode of Gb_Delay (IB_RecDelayClick, IB_DelayTimeClick, IB_NoDelayClick) and of the
    // insert panel's key insertion (IB_InsertRecDelayClick ...).
    void chooseRecordDelay(DelayMode mode);
    void chooseInsertDelay(DelayMode mode);
    // Edt_Delay or Edt_InsertDelay: text as typed; when editing finishes the value is clamped
    // and shown as "0.00" (unusable text gives back the last value).
    void delayTyped(std::string_view box, std::string text);
    void delayEdited(std::string_view box);

    void Btn_DelClick();

    // The insert panel.
    void Btn_InsertClick();
    void CB_InsertChange(int index);
    // The language key of the refusal when the insertion would not fit in the block (the panel
    // stays open and nothing changes).
    std::optional<std::string> Btn_OKClick();
    void Btn_CancelClick();

    // Rename: true when the dialog opens (a macro is selected). The dialog's confirm sets
    // PendingMacroName and runs ApplyMacroRename on whichever macro is selected then.
    bool Btn_NewClick();
    void confirmRename(std::string name);

    // Clear: true when the question Str430 is to be asked; on Yes, clearSelectedMacro.
    bool Btn_ClearClick();
    void clearSelectedMacro();

    // Macro files. Each Btn_...Click says whether to ask for a file; then the file operation
    // runs with the name chosen. Exports write withBinExtension(chosen) and return that path.
    bool Btn_ExportOneClick();
    Result<std::filesystem::path> exportOne(const std::filesystem::path& chosen);
    Result<std::filesystem::path> exportAll(const std::filesystem::path& chosen);
    bool Btn_ImportOneClick();
    Result<RepairedMacros> importOne(const std::filesystem::path& file);
    Result<RepairedMacros> importAll(const std::filesystem::path& file);

    // Recording (Btn_StartClick, Btn_InsertStartClick): a whole macro (the script starts anew
    // with its header; stopping encodes it) or keys inserted in the open panel from the selected
    // event (nothing is encoded until OK). begin... is false when a recording may not start.
    bool beginRecording();
    Status endRecording();
    bool beginInsertRecording();
    void endInsertRecording();
    // Ends whichever recording runs, as its button would (the mouse is leaving, a job begins): the
    // language key of the refusal when the recorded macro could not be encoded.
    std::optional<std::string> stopRecording();
    bool recording() const {
        return workState_ == MacroWorkState::Recording || workState_ == MacroWorkState::InsertRecording;
    }
    // A captured event while recording: its lines go into the script and the event list at
    // once. A recording the event ended (100th release, a full macro) is stopped as by its
    // button; that stop's status is returned (a whole macro is encoded then).
    Status recordInput(const InputEvent& e, bool overRecordButton);
    const MacroRecorder& recorder() const { return recorder_; }
    // Whether the input capture reads the whole desktop; when not, the page says so while a
    // recording runs.
    void setGlobalCapture(bool global);

    std::optional<std::size_t> selectedMacro() const { return selected_; }
    const MacroScript& script() const { return script_; }
    const std::string& inspectionText() const { return inspection_; }
    int selectedEvent() const { return eventIndex_; }
    MacroEventEntry eventEntry(int k) const;
    MacroWorkState workState() const { return workState_; }
    bool insertPanelOpen() const {
        return workState_ == MacroWorkState::InsertPanel || workState_ == MacroWorkState::InsertRecording;
    }
    DelayMode recordDelayMode() const { return recordDelay_.mode; }
    DelayMode insertDelayMode() const { return insertDelay_.mode; }
    // The delay boxes' values in milliseconds.
    unsigned recordDelayMs() const;
    unsigned insertDelayMs() const;

    int PressCount = 0;
    int ReleaseCount = 0;
    int InsertPressCount = 0;
    int InsertReleaseCount = 0;
    int InsertPos = 0;
    int SavedTopIndex = 0;
    int SavedItemIndex = -1;
    std::string PendingMacroName;

private:
    struct DelayBox {
        std::string_view edit;
        DelayMode mode = DelayMode::RecordDelay;
        int hundredths;
    };

    DelayBox* boxNamed(std::string_view edit);
    InsertChoice insertChoice() const;
    bool insertsKeys() const;
    void showPressed(std::string_view label);
    void showWorkState();
    void showPanels();
    void showDelayChoices();
    void showInsertChoice();
    void showEvents(int select);
    void showUsage();
    void showNames();
    void dropSelection();
    void forgetEvents();
    // MacroBlockToScript for the selected macro: its script, its events and the DelayMode.
    void decodeSelected();
    // ScriptToMacroBlock of `script` into the selected macro; only when it fits does `script`
    // become the page's script (with its inspection text).
    Status encode(const MacroScript& script);
    void reloadAfterImport();
    void CountMacroEvents();
    void CloseInsertPanel();

    ControlTable& controls_;
    AppState& state_;
    const CaptionsModel& captions_;
    std::optional<std::size_t> selected_;
    MacroScript script_;
    std::string inspection_;
    int eventIndex_ = -1;
    int eventTop_ = 0;
    MacroWorkState workState_ = MacroWorkState::Idle;
    DelayBox recordDelay_;
    DelayBox insertDelay_;
    MacroRecorder recorder_;
    bool globalCapture_ = true;
};

}  // namespace varnel
