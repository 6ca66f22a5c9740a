#pragma once
// The Macro page's model (Wren mice). The 32 macro names (LB_MacroName) come from the state's
// MacroNameList; the selected macro's block is decoded into its MacroScript, whose events the
// event list (LB_macro) shows. Deleting an event takes its partner along, the insert panel puts a
// delay (and, with the recorder, keys) before or after the selected event, Clear empties the
// macro, Rename changes its name in the list, and macro files move one or all macros. MacrosDirty
// is set when a macro or its name changes, never by a button alone (a cancelled dialog leaves it);
// the macro area reaches the mouse only through Save Macro or Apply.
//
// The page keeps the selection, the working state (idle, recording, insert panel open, insert
// recording) with the table of which controls each state leaves enabled, rename, clear and the
// macro files, and wires its three parts: the script edit (the selected macro's events, their
// encoding and counters), the insert panel, and the recording.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/result.h"
#include "editors/macro_insert_panel.h"
#include "editors/macro_recording.h"
#include "editors/macro_script_edit.h"
#include "macros/macro_file.h"
#include "skin/captions.h"
#include "skin/controls.h"
#include "skin/page_model.h"
#include "transfers/app_state.h"

namespace varnel {

enum class MacroWorkState { Idle, Recording, InsertPanel, InsertRecording };

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

    // Handlers are named after what they do; the click each one answers is in its comment.
    // LB_MacroNameClick: the macro's events, its DelayMode and its counts.
    void selectMacro(int index);
    // LB_macroClick: the selected event; and the first entry in view as the user scrolls.
    void selectEvent(int index);
    void LB_macroScrolled(int topIndex);

    // The DelayMode of Gb_Delay (IB_RecDelayClick, IB_DelayTimeClick, IB_NoDelayClick) and of the
    // insert panel's key insertion (IB_InsertRecDelayClick ...).
    void chooseRecordDelay(DelayMode mode);
    void chooseInsertDelay(DelayMode mode);
    // Edt_Delay or Edt_InsertDelay: text as typed; when editing finishes the value is clamped
    // and shown as "0.00" (unusable text gives back the last value).
    void delayTyped(std::string_view box, std::string text);
    void delayEdited(std::string_view box);

    // Btn_DelClick: the selected event goes, with its partner press or release.
    void deleteEventWithPartner();

    // The insert panel: Btn_InsertClick opens it, CB_InsertChange picks what it inserts where.
    void openInsertPanel();
    void chooseInsertion(int index);
    // Btn_OKClick: the language key of the refusal when the insertion would not fit in the block
    // (the panel stays open and nothing changes).
    std::optional<std::string> confirmInsertion();
    // Btn_CancelClick.
    void cancelInsertion();

    // Rename (Btn_NewClick): true when the dialog opens (a macro is selected), on the macro's
    // current name (pendingName). The dialog's confirm sets PendingMacroName and runs
    // ApplyMacroRename on whichever macro is selected then.
    bool startRename();
    const std::string& pendingName() const { return PendingMacroName; }
    void confirmRename(std::string name);
    // Characters (UTF-16 units) a name may still take once `typed` is in: negative when it is
    // too long, nullopt for text that is no UTF-8.
    static std::optional<int> nameRoom(std::string_view typed);

    // Clear (Btn_ClearClick): true when the question Str430 is to be asked; on Yes,
    // clearSelectedMacro.
    bool startClear();
    void clearSelectedMacro();

    // Macro files. Each start... (Btn_ExportOneClick, Btn_ImportOneClick) says whether to ask for
    // a file; then the file operation runs with the name chosen. Exports write
    // withBinExtension(chosen) and return that path.
    bool startExportOne();
    Result<std::filesystem::path> exportOne(const std::filesystem::path& chosen);
    Result<std::filesystem::path> exportAll(const std::filesystem::path& chosen);
    bool startImportOne();
    Result<RepairedMacros> importOne(const std::filesystem::path& file);
    // After Import One: the name the imported macro would take so that no other macro shares its
    // name ("Jump" → "Jump (2)", cut to fit), nullopt when its name is already its own.
    std::optional<std::string> distinctImportedName() const;
    Result<RepairedMacros> importAll(const std::filesystem::path& file);

    // Recording (Btn_StartClick, Btn_InsertStartClick): a whole macro (the script starts anew
    // with its header; stopping encodes it) or keys inserted in the open panel from the selected
    // event (nothing is encoded until OK). begin... is false when a recording may not start.
    // Whether Record on the selected macro is to ask first (Str550): it would replace events.
    bool recordingReplaces() const;
    bool beginRecording();
    Status endRecording();
    bool beginInsertRecording();
    void endInsertRecording();
    // Ends whichever recording runs, as its button would (the mouse is leaving, a job begins): the
    // language key of the refusal when the recorded macro could not be encoded.
    std::optional<std::string> stopRecording();
    bool recording() const { return recording_.running(); }
    // A captured event while recording: its lines go into the script and the event list at
    // once. A recording the event ended (100th release, a full macro) is stopped as by its
    // button; that stop's status is returned (a whole macro is encoded then).
    Status recordInput(const InputEvent& e, bool overRecordButton);
    const MacroRecorder& recorder() const { return recording_.recorder(); }
    // Whether the input capture reads the whole desktop; when not, the page says so while a
    // recording runs.
    void setGlobalCapture(bool global);

    std::optional<std::size_t> selectedMacro() const { return selected_; }
    std::string selectedName() const { return selected_ ? state_.MacroNameList[*selected_] : std::string(); }
    const MacroScript& script() const { return edit_.script(); }
    const std::string& inspectionText() const { return edit_.inspectionText(); }
    int selectedEvent() const { return edit_.selectedEvent(); }
    MacroEventEntry eventEntry(int k) const;
    MacroWorkState workState() const;
    bool insertPanelOpen() const { return panel_.isOpen(); }
    DelayMode recordDelayMode() const { return recording_.delay().mode; }
    DelayMode insertDelayMode() const { return panel_.delay().mode; }
    // The delay boxes' values in milliseconds.
    unsigned recordDelayMs() const { return recording_.delay().milliseconds(); }
    unsigned insertDelayMs() const { return panel_.delay().milliseconds(); }
    // The parts, read-only: their counters (PressCount, InsertPressCount, InsertPos, ...) change
    // only through the page's handlers.
    const MacroScriptEdit& scriptEdit() const { return edit_; }
    const MacroInsertPanel& insertPanel() const { return panel_; }
    const MacroRecording& macroRecording() const { return recording_; }

private:
    DelayChoice* boxNamed(std::string_view edit);
    // What follows every handler: the working state's controls and the usage captions.
    void show();
    void showWorkState();
    void showNames();
    void dropSelection();
    void reloadAfterImport();

    ControlTable& controls_;
    AppState& state_;
    const CaptionsModel& captions_;
    std::optional<std::size_t> selected_;
    std::string PendingMacroName;
    MacroScriptEdit edit_;
    MacroInsertPanel panel_;
    MacroRecording recording_;
    bool globalCapture_ = true;
};

}  // namespace varnel
