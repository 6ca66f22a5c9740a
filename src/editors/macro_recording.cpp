#include "editors/macro_recording.h"

#include "skin/control_names.h"

namespace varnel {

MacroRecording::MacroRecording(ControlTable& controls, const CaptionsModel& captions, MacroScriptEdit& edit,
                               MacroInsertPanel& panel)
    : controls_(controls),
      captions_(captions),
      edit_(edit),
      panel_(panel),
      delay_{skin::kRecordDelays, ctrl::Edt_Delay} {}

bool MacroRecording::beginWholeMacro() {
    if (!edit_.hasMacro() || running() || panel_.isOpen()) return false;
    showPressed(controls_, ctrl::Btn_Start);
    kind_ = RecordingKind::WholeMacro;
    edit_.forget();
    recorder_.start(edit_.recordedScript(), {RecordPlacement::Append, 0, delay_.mode, delay_.milliseconds()});
    edit_.countRecorded({});
    edit_.showEvents(-1);
    return true;
}

Status MacroRecording::endWholeMacro() {
    if (kind_ != RecordingKind::WholeMacro) return makeError("no recording runs");
    recorder_.stop();
    showPressed(controls_, ctrl::Btn_Start);
    kind_ = RecordingKind::None;
    Status s = edit_.encode(edit_.script());
    // What did not fit is not kept: the list shows the macro as stored.
    if (!s) {
        if (const auto header = edit_.reopen()) takeHeader(*header);
    }
    edit_.CountMacroEvents();
    return s;
}

bool MacroRecording::beginKeys() {
    if (running() || !panel_.isOpen() || !panel_.insertsKeys() || edit_.selectedEvent() < 0 ||
        panel_.InsertPressCount() >= kFullEventCount || panel_.InsertReleaseCount() >= kFullEventCount)
        return false;
    showPressed(controls_, ctrl::Btn_InsertStart);
    kind_ = RecordingKind::Keys;
    const RecordPlacement placement =
        panel_.choice() == InsertChoice::KeyFront ? RecordPlacement::Front : RecordPlacement::Back;
    const DelayChoice& keyDelay = panel_.delay();
    recorder_.start(edit_.recordedScript(), {placement, edit_.selectedEvent(), keyDelay.mode, keyDelay.milliseconds()});
    return true;
}

void MacroRecording::endKeys() {
    if (kind_ != RecordingKind::Keys) return;
    recorder_.stop();
    showPressed(controls_, ctrl::Btn_InsertStart);
    kind_ = RecordingKind::None;
}

std::optional<std::string> MacroRecording::stop() {
    if (kind_ == RecordingKind::WholeMacro) {
        if (const Status s = endWholeMacro(); !s) return refusalKey(s);
    }
    endKeys();
    return std::nullopt;
}

void MacroRecording::drop() {
    recorder_.stop();
    kind_ = RecordingKind::None;
}

Status MacroRecording::capture(const InputEvent& e, bool overRecordButton) {
    if (!running()) return Status::success();
    const RecordStep step = recorder_.handle(edit_.recordedScript(), e, overRecordButton);
    if (kind_ == RecordingKind::WholeMacro)
        edit_.countRecorded(recorder_.counts());
    else
        panel_.countRecorded(recorder_.counts());
    if (step.changed) edit_.showEvents(step.select >= 0 ? step.select : edit_.selectedEvent());
    if (!step.stop) return Status::success();
    if (kind_ == RecordingKind::Keys) {
        endKeys();
        return Status::success();
    }
    return endWholeMacro();
}

void MacroRecording::takeHeader(const HeaderDelay& header) {
    delay_.mode = header.mode;
    if (header.mode == DelayMode::DefaultDelay) delay_.takeMilliseconds(controls_, header.defaultDelayMs);
}

void MacroRecording::showDelays() {
    delay_.showLamps(controls_, delay_.mode);
    delay_.showBox(controls_, captions_, delay_.mode == DelayMode::DefaultDelay && kind_ != RecordingKind::WholeMacro);
}

}  // namespace varnel
