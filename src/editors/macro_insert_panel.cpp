#include "editors/macro_insert_panel.h"

#include <algorithm>

#include "skin/control_names.h"

namespace varnel {

namespace {

constexpr std::string_view kInsertDelayBase = "InsertDelayBase";
constexpr std::string_view kInsertKeyBase = "InsertKeyBase";

}  // namespace

MacroInsertPanel::MacroInsertPanel(ControlTable& controls, const CaptionsModel& captions, MacroScriptEdit& edit)
    : controls_(controls), captions_(captions), edit_(edit), delay_{skin::kInsertDelays, ctrl::Edt_InsertDelay} {}

InsertChoice MacroInsertPanel::choice() const {
    const Control* c = controls_.find(ctrl::CB_Insert);
    const int index = c != nullptr ? c->itemIndex : 0;
    return index >= 0 && index < static_cast<int>(skin::kInsertChoiceKeys.size()) ? static_cast<InsertChoice>(index)
                                                                                  : InsertChoice::DelayFront;
}

bool MacroInsertPanel::insertsKeys() const {
    const InsertChoice c = choice();
    return c == InsertChoice::KeyFront || c == InsertChoice::KeyBack;
}

void MacroInsertPanel::open() {
    savedTopIndex_ = edit_.topEvent();
    savedItemIndex_ = edit_.selectedEvent();
    open_ = true;
    showPanel();
    choose(static_cast<int>(InsertChoice::DelayFront));
    countRecorded(countEvents(edit_.script()));
}

void MacroInsertPanel::choose(int index) {
    if (index < 0 || index >= static_cast<int>(skin::kInsertChoiceKeys.size())) return;
    controls_.setItemIndex(ctrl::CB_Insert, index);
    if (insertsKeys()) delay_.mode = DelayMode::RecordDelay;
    showChoice(false);
}

std::optional<std::string> MacroInsertPanel::confirm() {
    if (!insertsKeys()) {
        const int selected = edit_.selectedEvent();
        if (!edit_.hasMacro() || selected < 0) return std::nullopt;
        const int at = choice() == InsertChoice::DelayFront ? selected : selected + 1;
        const auto inserted = edit_.insert(at, delayLine(delay_.milliseconds()));
        if (!inserted) return std::nullopt;
        if (!*inserted) return refusalKey(*inserted);
    } else if (edit_.hasMacro()) {
        // The recorded keys are in the script already; they are encoded only now.
        if (const Status s = edit_.encode(edit_.script()); !s) return refusalKey(s);
    }
    close();
    edit_.CountMacroEvents();
    return std::nullopt;
}

std::optional<HeaderDelay> MacroInsertPanel::cancel() {
    close();
    // The macro as last encoded: recorded but unconfirmed keys are dropped.
    const auto header = edit_.reopen();
    edit_.CountMacroEvents();
    edit_.scrolled(savedTopIndex_);
    edit_.selectEvent(std::min(savedItemIndex_, eventCount(edit_.script()) - 1));
    return header;
}

void MacroInsertPanel::close() {
    open_ = false;
    insertPressCount_ = insertReleaseCount_ = 0;
    showPanel();
}

void MacroInsertPanel::showPanel() {
    controls_.setVisible(ctrl::Gb_Insert, open_);
    controls_.setVisible(ctrl::Img_InsertBase, open_);
    controls_.setVisible(ctrl::Gb_Delay, !open_);
}

void MacroInsertPanel::showChoice(bool keysRecording) {
    const bool keys = insertsKeys();
    controls_.setPicture(ctrl::Img_InsertBase, keys ? kInsertKeyBase : kInsertDelayBase);
    controls_.setVisible(ctrl::lbl_Delay, !keys);
    controls_.setCaption(ctrl::Btn_OK, captions_.text(keys ? "Str421" : "Str420"));
    controls_.setVisible(ctrl::Btn_InsertStart, keys);
    controls_.setVisible(ctrl::Img_InsertStart, keys);
    showDelays(keysRecording);
}

void MacroInsertPanel::showDelays(bool keysRecording) {
    // The panel's choices apply to keys only; a delay is always typed into the box.
    const bool keys = insertsKeys();
    const Rgb pageText = pageTextColour(captions_);
    delay_.showLamps(controls_, keys ? std::optional(delay_.mode) : std::nullopt);
    for (const auto label : skin::kInsertDelays.labels) {
        controls_.setVisible(label, keys);
        controls_.setFontColor(label, keysRecording ? kGreyDelayText : pageText);
    }
    const bool editable = !keys || (delay_.mode == DelayMode::DefaultDelay && !keysRecording);
    delay_.showBox(controls_, captions_, editable);
    controls_.setFontColor(ctrl::lbl_s_A, editable ? pageText : kGreyDelayText);
}

void MacroInsertPanel::countRecorded(EventCounts counts) {
    insertPressCount_ = counts.presses;
    insertReleaseCount_ = counts.releases;
}

}  // namespace varnel
