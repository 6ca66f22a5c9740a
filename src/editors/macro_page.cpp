#include "editors/macro_page.h"

#include <algorithm>
#include <vector>

#include "config/variant.h"
#include "editors/delay_box.h"
#include "macros/macro_file.h"
#include "macros/macro_script.h"
#include "skin/button_families.h"
#include "skin/control_names.h"
#include "skin/skin_tables.h"

namespace varnel {

using skin::Page;

namespace {

constexpr Rgb kGreyText{0x72, 0x71, 0x71};       // a delay box or option that cannot be changed now
constexpr Rgb kFallbackDelayText{0, 128, 0};     // Color_F_Font, should a language lack it
constexpr Rgb kFallbackPageText{255, 255, 255};  // Color_F
constexpr int kFullCount = 100;                  // presses and releases a macro may hold
constexpr std::array<std::string_view, 3> kEventPictures{"MacroEvent_0", "MacroEvent_1", "MacroEvent_2"};
constexpr std::string_view kInsertDelayBase = "InsertDelayBase";
constexpr std::string_view kInsertKeyBase = "InsertKeyBase";

// Which controls each working state leaves enabled, in the order idle, recording, insert panel
// open, insert recording (DisableMacroControls, the insert panel's locks, the recordings' locks).
using EnabledStates = std::array<bool, 4>;
constexpr EnabledStates kIdleOnly{true, false, false, false};
constexpr EnabledStates kExceptRecording{true, false, true, true};
constexpr EnabledStates kOutsideTheInsertPanel{true, true, false, false};
constexpr EnabledStates kExceptInsertRecording{true, true, true, false};

struct EnabledIn {
    std::string_view control;
    EnabledStates states;
};
constexpr EnabledIn kEnabledIn[] = {
    {ctrl::LB_MacroName, kIdleOnly},
    {ctrl::LB_macro, kExceptRecording},
    {ctrl::Btn_Start, kOutsideTheInsertPanel},
    {ctrl::Btn_New, kIdleOnly},
    {ctrl::Btn_Clear, kIdleOnly},
    {ctrl::Btn_ExportOne, kIdleOnly},
    {ctrl::Btn_Export, kIdleOnly},
    {ctrl::Btn_ImportOne, kIdleOnly},
    {ctrl::Btn_Import, kIdleOnly},
    {ctrl::Btn_Del, kIdleOnly},
    {ctrl::Btn_Insert, kIdleOnly},
    {ctrl::Btn_SaveMacro, kIdleOnly},
    {ctrl::Gb_Delay, kExceptRecording},
    {ctrl::CB_Insert, kExceptInsertRecording},
    {ctrl::Btn_OK, kExceptInsertRecording},
    {ctrl::Btn_Cancel, kExceptInsertRecording},
};

std::size_t stateIndex(MacroWorkState s) { return static_cast<std::size_t>(s); }

// The lamp and label of a DelayMode in a triplet: record delay, default delay, no delay.
std::size_t tripletIndex(DelayMode m) {
    switch (m) {
        case DelayMode::RecordDelay: return 0;
        case DelayMode::DefaultDelay: return 1;
        case DelayMode::NoDelay: break;
    }
    return 2;
}

// `text` with %1, %2, ... replaced by `values` in order.
std::string filled(std::string text, std::initializer_list<int> values) {
    int n = 1;
    for (const int v : values) {
        const std::string mark = "%" + std::to_string(n++);
        const std::string value = std::to_string(v);
        for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark, at + value.size()))
            text.replace(at, mark.size(), value);
    }
    return text;
}

Error noMacroSelected() { return makeError("no macro is selected"); }

// The message of a refused encoding: the reason's own text, else "does not fit".
std::string refusalKey(const Status& s) {
    return s.error().languageKey.empty() ? std::string("Str434") : s.error().languageKey;
}

}  // namespace

MacroPage::MacroPage(ControlTable& controls, AppState& state, const CaptionsModel& captions)
    : controls_(controls),
      state_(state),
      captions_(captions),
      recordDelay_{ctrl::Edt_Delay, DelayMode::RecordDelay, kInitialDelayHundredths},
      insertDelay_{ctrl::Edt_InsertDelay, DelayMode::RecordDelay, kInitialDelayHundredths} {}

// ---- display and navigation ----

void MacroPage::load() {
    showNames();
    dropSelection();
}

void MacroPage::emptyLists() {
    for (const auto list : {ctrl::LB_MacroName, ctrl::LB_Name}) controls_.setItems(list, {});
    dropSelection();
}

void MacroPage::dropSelection() {
    selected_.reset();
    controls_.setItemIndex(ctrl::LB_MacroName, -1);
    forgetEvents();
    PressCount = ReleaseCount = 0;
    // A recording ends with its macro: nothing of it is encoded, and no later event lands anywhere.
    recorder_.stop();
    if (workState_ != MacroWorkState::Idle) {
        // The macro being edited is gone, and with it what the panel or a recording worked on.
        workState_ = MacroWorkState::Idle;
        InsertPressCount = InsertReleaseCount = 0;
    }
    showWorkState();
    showPanels();
    showUsage();
}

void MacroPage::opened(Page page) {
    if (page == Page::Macro) showPanels();
}

void MacroPage::reshown(Page page) {
    if (page == Page::Macro) showPanels();
}

void MacroPage::languageChanged() {
    // The record-delay panel comes back when the page shows again.
    controls_.setVisible(ctrl::Gb_Delay, false);
    showWorkState();
    showInsertChoice();
    showUsage();
}

void MacroPage::showPanels() {
    const bool open = insertPanelOpen();
    controls_.setVisible(ctrl::Gb_Insert, open);
    controls_.setVisible(ctrl::Img_InsertBase, open);
    controls_.setVisible(ctrl::Gb_Delay, !open);
}

void MacroPage::showNames() {
    const OptionalChip chip = state_.DeviceChip ? state_.DeviceChip : state_.DefaultChip;
    std::vector<std::string> names;
    if (hasMacros(chip)) names.assign(state_.MacroNameList.begin(), state_.MacroNameList.end());
    controls_.setItems(ctrl::LB_MacroName, names);
    controls_.setItems(ctrl::LB_Name, std::move(names));
}

void MacroPage::showPressed(std::string_view label) {
    const auto target = hoverTarget(label);
    if (!target) return;
    for (const auto& p : target->pictures) controls_.setPicture(p, skin::familyPictures(target->family).third);
}

void MacroPage::showWorkState() {
    const std::size_t s = stateIndex(workState_);
    for (const auto& rule : kEnabledIn) controls_.setEnabled(rule.control, rule.states[s]);
    controls_.setVisible(ctrl::GB_Dis, workState_ == MacroWorkState::InsertRecording);
    const auto recordCaption = [&](MacroWorkState recording) {
        return captions_.text(workState_ == recording ? "Str401" : "Str400");
    };
    controls_.setCaption(ctrl::Btn_Start, recordCaption(MacroWorkState::Recording));
    controls_.setCaption(ctrl::Btn_InsertStart, recordCaption(MacroWorkState::InsertRecording));
    controls_.setCaption(ctrl::lbl_RecordNote, captions_.text("Str438"));
    controls_.setVisible(ctrl::lbl_RecordNote, recording() && !globalCapture_);
    showDelayChoices();
}

void MacroPage::showDelayChoices() {
    const Rgb delayText = captions_.colour("Color_F_Font").value_or(kFallbackDelayText);
    const Rgb pageText = captions_.colour("Color_F").value_or(kFallbackPageText);
    const auto showLamps = [&](const skin::DelayTriplet& t, std::optional<DelayMode> chosen) {
        for (std::size_t j = 0; j < 3; ++j) controls_.setVisible(t.lamps[j], chosen && j == tripletIndex(*chosen));
    };
    const auto showBox = [&](std::string_view edit, bool editable) {
        controls_.setEnabled(edit, editable);
        controls_.setFontColor(edit, editable ? delayText : kGreyText);
    };

    showLamps(skin::kRecordDelays, recordDelay_.mode);
    showBox(ctrl::Edt_Delay, recordDelay_.mode == DelayMode::DefaultDelay && workState_ != MacroWorkState::Recording);

    // The insert panel's choices apply to keys only; a delay is always typed into the box.
    const bool keys = insertsKeys();
    const bool insertRecording = workState_ == MacroWorkState::InsertRecording;
    showLamps(skin::kInsertDelays, keys ? std::optional(insertDelay_.mode) : std::nullopt);
    for (const auto label : skin::kInsertDelays.labels) {
        controls_.setVisible(label, keys);
        controls_.setFontColor(label, insertRecording ? kGreyText : pageText);
    }
    const bool insertEditable = !keys || (insertDelay_.mode == DelayMode::DefaultDelay && !insertRecording);
    showBox(ctrl::Edt_InsertDelay, insertEditable);
    controls_.setFontColor(ctrl::lbl_s_A, insertEditable ? pageText : kGreyText);
}

void MacroPage::showInsertChoice() {
    const bool keys = insertsKeys();
    controls_.setPicture(ctrl::Img_InsertBase, keys ? kInsertKeyBase : kInsertDelayBase);
    controls_.setVisible(ctrl::lbl_Delay, !keys);
    controls_.setCaption(ctrl::Btn_OK, captions_.text(keys ? "Str421" : "Str420"));
    controls_.setVisible(ctrl::Btn_InsertStart, keys);
    controls_.setVisible(ctrl::Img_InsertStart, keys);
    showDelayChoices();
}

// ---- the event list ----

void MacroPage::showEvents(int select) {
    std::vector<std::string> entries;
    for (std::size_t n = 1; n < script_.size(); ++n) entries.push_back(eventEntryText(script_[n]));
    const int count = static_cast<int>(entries.size());
    eventIndex_ = select >= 0 && select < count ? select : -1;
    controls_.setItems(ctrl::LB_macro, std::move(entries));
    controls_.setItemIndex(ctrl::LB_macro, eventIndex_);
    showUsage();
}

void MacroPage::forgetEvents() {
    script_.clear();
    inspection_.clear();
    eventTop_ = 0;
    controls_.setTopIndex(ctrl::LB_macro, 0);
    showEvents(-1);
}

void MacroPage::showUsage() {
    if (!selected_) {
        controls_.setCaption(ctrl::lbl_MacroBytes, "");
        controls_.setCaption(ctrl::lbl_MacroEvents, "");
        return;
    }
    const EventCounts counts = countEvents(script_);
    // Recorded lines wait to be encoded (until Stop, or OK in the panel); their bytes count now.
    std::size_t used = usedLength(state_.DataBuf.nameRecord(*selected_));
    if (workState_ != MacroWorkState::Idle && !script_.empty()) {
        if (const auto encoded = encodeMacroScript(script_)) used = encoded->size();
    }
    controls_.setCaption(ctrl::lbl_MacroBytes, filled(captions_.text("Str432"), {static_cast<int>(used)}));
    controls_.setCaption(ctrl::lbl_MacroEvents, filled(captions_.text("Str433"), {counts.presses, counts.releases}));
}

MacroEventEntry MacroPage::eventEntry(int k) const {
    const int count = eventCount(script_);
    if (k < 0 || k >= count) return {};
    const std::string& line = script_[static_cast<std::size_t>(k) + 1];
    const bool full = (PressCount == kFullCount && ReleaseCount == kFullCount) ||
                      (InsertPressCount == kFullCount && InsertReleaseCount == kFullCount);
    return {std::string(kEventPictures[static_cast<std::size_t>(eventPictureIndex(line))]), eventEntryText(line),
            full && k == count - 1};
}

void MacroPage::LB_macroClick(int index) {
    if (index < -1 || index >= eventCount(script_)) return;
    eventIndex_ = index;
    controls_.setItemIndex(ctrl::LB_macro, index);
}

void MacroPage::LB_macroScrolled(int topIndex) {
    eventTop_ = std::max(topIndex, 0);
    controls_.setTopIndex(ctrl::LB_macro, eventTop_);
}

// ---- selecting, decoding, encoding ----

void MacroPage::LB_MacroNameClick(int index) {
    const Control* list = controls_.find(ctrl::LB_MacroName);
    if (workState_ != MacroWorkState::Idle || list == nullptr || index < 0 ||
        index >= static_cast<int>(std::min(list->items.size(), kMacroCount)))
        return;
    selected_ = static_cast<std::size_t>(index);
    controls_.setItemIndex(ctrl::LB_MacroName, index);
    forgetEvents();
    const std::uint16_t used = usedLength(state_.DataBuf.nameRecord(*selected_));
    // An empty macro shows nothing, not even a header; a damaged length shows nothing either.
    if (used >= 1 && used <= kMacroBlockSize) {
        inspection_ = varnel::inspectionText(state_.DataBuf.macroBlock(*selected_).first(used));
        decodeSelected();
    }
    CountMacroEvents();
    showUsage();
}

void MacroPage::decodeSelected() {
    if (!selected_) return;
    DecodedMacro decoded =
        MacroBlockToScript(state_.DataBuf.nameRecord(*selected_), state_.DataBuf.macroBlock(*selected_));
    script_ = std::move(decoded.script);
    recordDelay_.mode = decoded.delayMode;
    if (decoded.delayMode == DelayMode::DefaultDelay) {
        recordDelay_.hundredths = delayFromMilliseconds(decoded.defaultDelay);
        controls_.setCaption(recordDelay_.edit, delayBoxText(recordDelay_.hundredths));
    }
    showDelayChoices();
    showEvents(eventCount(script_) - 1);
}

Status MacroPage::encode(const MacroScript& script) {
    if (!selected_) return noMacroSelected();
    auto encoded =
        ScriptToMacroBlock(script, state_.DataBuf.nameRecord(*selected_), state_.DataBuf.macroBlock(*selected_));
    if (!encoded) return encoded.error();
    state_.MacrosDirty = true;
    script_ = script;
    inspection_ = std::move(encoded->hexText);
    return Status::success();
}

void MacroPage::CountMacroEvents() {
    const EventCounts counts = countEvents(script_);
    PressCount = counts.presses;
    ReleaseCount = counts.releases;
}

// ---- delays ----

MacroPage::DelayBox* MacroPage::boxNamed(std::string_view edit) {
    if (edit == recordDelay_.edit) return &recordDelay_;
    if (edit == insertDelay_.edit) return &insertDelay_;
    return nullptr;
}

void MacroPage::chooseRecordDelay(DelayMode mode) {
    if (workState_ == MacroWorkState::Recording) return;
    recordDelay_.mode = mode;
    showDelayChoices();
}

void MacroPage::chooseInsertDelay(DelayMode mode) {
    if (workState_ == MacroWorkState::InsertRecording) return;
    insertDelay_.mode = mode;
    showDelayChoices();
}

void MacroPage::delayTyped(std::string_view box, std::string text) {
    DelayBox* b = boxNamed(box);
    if (b == nullptr) return;
    if (const auto typed = parseDelayBox(text)) b->hundredths = clampDelay(*typed);
    controls_.setCaption(box, text);
}

void MacroPage::delayEdited(std::string_view box) {
    if (const DelayBox* b = boxNamed(box)) controls_.setCaption(box, delayBoxText(b->hundredths));
}

unsigned MacroPage::recordDelayMs() const { return delayMilliseconds(recordDelay_.hundredths); }

unsigned MacroPage::insertDelayMs() const { return delayMilliseconds(insertDelay_.hundredths); }

// ---- delete ----

void MacroPage::Btn_DelClick() {
    if (workState_ != MacroWorkState::Idle) return;
    showPressed(ctrl::Btn_Del);
    MacroScript edited = script_;
    const auto select = deleteEvent(edited, eventIndex_);
    if (!select || !encode(edited)) return;
    showEvents(*select);
    CountMacroEvents();
}

// ---- the insert panel ----

InsertChoice MacroPage::insertChoice() const {
    const Control* c = controls_.find(ctrl::CB_Insert);
    const int index = c != nullptr ? c->itemIndex : 0;
    return index >= 0 && index < static_cast<int>(skin::kInsertChoiceKeys.size()) ? static_cast<InsertChoice>(index)
                                                                                  : InsertChoice::DelayFront;
}

bool MacroPage::insertsKeys() const {
    const InsertChoice c = insertChoice();
    return c == InsertChoice::KeyFront || c == InsertChoice::KeyBack;
}

void MacroPage::Btn_InsertClick() {
    if (workState_ != MacroWorkState::Idle) return;
    showPressed(ctrl::Btn_Insert);
    SavedTopIndex = eventTop_;
    SavedItemIndex = eventIndex_;
    workState_ = MacroWorkState::InsertPanel;
    showWorkState();
    showPanels();
    CB_InsertChange(static_cast<int>(InsertChoice::DelayFront));
    const EventCounts counts = countEvents(script_);
    InsertPressCount = counts.presses;
    InsertReleaseCount = counts.releases;
}

void MacroPage::CB_InsertChange(int index) {
    if (index < 0 || index >= static_cast<int>(skin::kInsertChoiceKeys.size())) return;
    controls_.setItemIndex(ctrl::CB_Insert, index);
    if (insertsKeys()) insertDelay_.mode = DelayMode::RecordDelay;
    showInsertChoice();
}

std::optional<std::string> MacroPage::Btn_OKClick() {
    if (workState_ != MacroWorkState::InsertPanel) return std::nullopt;
    showPressed(ctrl::Btn_OK);
    if (!insertsKeys()) {
        if (!selected_ || eventIndex_ < 0) return std::nullopt;
        const int at = insertChoice() == InsertChoice::DelayFront ? eventIndex_ : eventIndex_ + 1;
        MacroScript edited = script_;
        if (!insertEvent(edited, at, delayLine(insertDelayMs()))) return std::nullopt;
        if (const Status s = encode(edited); !s) return refusalKey(s);
        showEvents(at);
    } else if (selected_) {
        // The recorded keys are in the script already; they are encoded only now.
        if (const Status s = encode(script_); !s) return refusalKey(s);
    }
    CloseInsertPanel();
    CountMacroEvents();
    showUsage();
    return std::nullopt;
}

void MacroPage::Btn_CancelClick() {
    if (workState_ != MacroWorkState::InsertPanel) return;
    showPressed(ctrl::Btn_Cancel);
    CloseInsertPanel();
    // The macro as last encoded: recorded but unconfirmed keys are dropped.
    forgetEvents();
    decodeSelected();
    CountMacroEvents();
    eventTop_ = SavedTopIndex;
    controls_.setTopIndex(ctrl::LB_macro, eventTop_);
    LB_macroClick(std::min(SavedItemIndex, eventCount(script_) - 1));
}

void MacroPage::CloseInsertPanel() {
    workState_ = MacroWorkState::Idle;
    InsertPressCount = InsertReleaseCount = 0;
    showWorkState();
    showPanels();
}

// ---- rename and clear ----

bool MacroPage::Btn_NewClick() {
    if (!selected_ || workState_ != MacroWorkState::Idle) return false;
    showPressed(ctrl::Btn_New);
    PendingMacroName.clear();
    return true;
}

void MacroPage::confirmRename(std::string name) {
    PendingMacroName = std::move(name);
    // ApplyMacroRename: the record changes only when Save Macro or Apply writes the names.
    const auto units = utf16Length(PendingMacroName);
    if (PendingMacroName.empty() || !selected_ || !units || *units > kMaxNameUnits) return;
    state_.MacroNameList[*selected_] = PendingMacroName;
    state_.MacrosDirty = true;
    showNames();
}

bool MacroPage::Btn_ClearClick() {
    if (!selected_ || workState_ != MacroWorkState::Idle) return false;
    showPressed(ctrl::Btn_Clear);
    return true;
}

void MacroPage::clearSelectedMacro() {
    if (!selected_ || workState_ != MacroWorkState::Idle) return;
    forgetEvents();
    setUsedLength(state_.DataBuf.nameRecord(*selected_), 0);
    std::ranges::fill(state_.DataBuf.macroBlock(*selected_), std::uint8_t{0xFF});
    state_.MacrosDirty = true;
    CountMacroEvents();
    showUsage();
}

// ---- macro files ----

bool MacroPage::Btn_ExportOneClick() {
    if (!selected_ || workState_ != MacroWorkState::Idle) return false;
    showPressed(ctrl::Btn_ExportOne);
    return true;
}

Result<std::filesystem::path> MacroPage::exportOne(const std::filesystem::path& chosen) {
    if (!selected_) return noMacroSelected();
    return exportMacroFile(state_.DataBuf, *selected_, chosen);
}

Result<std::filesystem::path> MacroPage::exportAll(const std::filesystem::path& chosen) {
    showPressed(ctrl::Btn_Export);
    return exportMacroSetFile(state_.DataBuf, chosen);
}

bool MacroPage::Btn_ImportOneClick() { return selected_ && workState_ == MacroWorkState::Idle; }

Result<RepairedMacros> MacroPage::importOne(const std::filesystem::path& file) {
    if (!selected_) return noMacroSelected();
    showPressed(ctrl::Btn_ImportOne);
    auto imported = importMacroFile(state_.DataBuf, *selected_, file);
    if (imported) reloadAfterImport();
    return imported;
}

Result<RepairedMacros> MacroPage::importAll(const std::filesystem::path& file) {
    showPressed(ctrl::Btn_Import);
    auto imported = importMacroSetFile(state_.DataBuf, file);
    if (imported) reloadAfterImport();
    return imported;
}

void MacroPage::reloadAfterImport() {
    state_.MacrosDirty = true;
    state_.RefreshMacroName();
    showNames();
    forgetEvents();
    decodeSelected();
    CountMacroEvents();
    showUsage();
}

// ---- the recorder's working states ----

bool MacroPage::beginRecording() {
    if (!selected_ || workState_ != MacroWorkState::Idle) return false;
    showPressed(ctrl::Btn_Start);
    workState_ = MacroWorkState::Recording;
    forgetEvents();
    recorder_.start(script_, {RecordPlacement::Append, 0, recordDelay_.mode, recordDelayMs()});
    PressCount = ReleaseCount = 0;
    showWorkState();
    showEvents(-1);
    return true;
}

Status MacroPage::endRecording() {
    if (workState_ != MacroWorkState::Recording) return makeError("no recording runs");
    recorder_.stop();
    showPressed(ctrl::Btn_Start);
    workState_ = MacroWorkState::Idle;
    showWorkState();
    Status s = encode(script_);
    if (!s) {
        // What did not fit is not kept: the list shows the macro as stored.
        forgetEvents();
        decodeSelected();
    }
    CountMacroEvents();
    showUsage();
    return s;
}

bool MacroPage::beginInsertRecording() {
    if (workState_ != MacroWorkState::InsertPanel || !insertsKeys() || eventIndex_ < 0 ||
        InsertPressCount >= kFullCount || InsertReleaseCount >= kFullCount)
        return false;
    showPressed(ctrl::Btn_InsertStart);
    workState_ = MacroWorkState::InsertRecording;
    const RecordPlacement placement =
        insertChoice() == InsertChoice::KeyFront ? RecordPlacement::Front : RecordPlacement::Back;
    recorder_.start(script_, {placement, eventIndex_, insertDelay_.mode, insertDelayMs()});
    InsertPos = recorder_.InsertPos;
    showWorkState();
    return true;
}

void MacroPage::endInsertRecording() {
    if (workState_ != MacroWorkState::InsertRecording) return;
    recorder_.stop();
    showPressed(ctrl::Btn_InsertStart);
    workState_ = MacroWorkState::InsertPanel;
    showWorkState();
}

std::optional<std::string> MacroPage::stopRecording() {
    if (workState_ == MacroWorkState::Recording) {
        if (const Status s = endRecording(); !s) return refusalKey(s);
    }
    endInsertRecording();
    return std::nullopt;
}

void MacroPage::setGlobalCapture(bool global) {
    globalCapture_ = global;
    showWorkState();
}

Status MacroPage::recordInput(const InputEvent& e, bool overRecordButton) {
    if (!recording()) return Status::success();
    const RecordStep step = recorder_.handle(script_, e, overRecordButton);
    const EventCounts counts = recorder_.counts();
    if (workState_ == MacroWorkState::Recording) {
        PressCount = counts.presses;
        ReleaseCount = counts.releases;
    } else {
        InsertPressCount = counts.presses;
        InsertReleaseCount = counts.releases;
        InsertPos = recorder_.InsertPos;
    }
    if (step.changed) showEvents(step.select >= 0 ? step.select : eventIndex_);
    if (!step.stop) return Status::success();
    if (workState_ == MacroWorkState::InsertRecording) {
        endInsertRecording();
        return Status::success();
    }
    return endRecording();
}

}  // namespace varnel
