#include "editors/macro_page.h"

#include <array>
#include <vector>

#include "config/variant.h"
#include "editors/macro_controls.h"
#include "macros/macro_file.h"
#include "macros/macro_script.h"
#include "skin/control_names.h"

namespace varnel {

using skin::Page;

namespace {

constexpr std::array<std::string_view, 3> kEventPictures{"MacroEvent_0", "MacroEvent_1", "MacroEvent_2"};

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

Error noMacroSelected() { return makeError("no macro is selected"); }

// UTF-8: the last byte goes, and with a continuation byte everything back to its lead byte.
void dropLastCharacter(std::string& s) {
    while (!s.empty()) {
        const auto byte = static_cast<unsigned char>(s.back());
        s.pop_back();
        if ((byte & 0xC0) != 0x80) break;
    }
}

}  // namespace

MacroPage::MacroPage(ControlTable& controls, AppState& state, const CaptionsModel& captions)
    : controls_(controls),
      state_(state),
      captions_(captions),
      edit_(controls, state, captions, selected_),
      panel_(controls, captions, edit_),
      recording_(controls, captions, edit_, panel_) {}

MacroWorkState MacroPage::workState() const {
    switch (recording_.kind()) {
        case RecordingKind::WholeMacro: return MacroWorkState::Recording;
        case RecordingKind::Keys: return MacroWorkState::InsertRecording;
        case RecordingKind::None: break;
    }
    return panel_.isOpen() ? MacroWorkState::InsertPanel : MacroWorkState::Idle;
}

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
    edit_.forget();
    edit_.countRecorded({});
    // A recording ends with its macro: nothing of it is encoded, and no later event lands anywhere.
    recording_.drop();
    // The macro being edited is gone, and with it what the panel worked on.
    if (panel_.isOpen()) panel_.close();
    panel_.showPanel();
    show();
}

void MacroPage::opened(Page page) {
    if (page == Page::Macro) panel_.showPanel();
}

void MacroPage::reshown(Page page) {
    if (page == Page::Macro) panel_.showPanel();
}

void MacroPage::languageChanged() {
    // The record-delay panel comes back when the page shows again.
    controls_.setVisible(ctrl::Gb_Delay, false);
    panel_.showChoice(workState() == MacroWorkState::InsertRecording);
    show();
}

void MacroPage::show() {
    showWorkState();
    edit_.showUsage(workState() != MacroWorkState::Idle);
}

void MacroPage::showNames() {
    const OptionalChip chip = state_.DeviceChip ? state_.DeviceChip : state_.DefaultChip;
    std::vector<std::string> names;
    if (hasMacros(chip)) names.assign(state_.MacroNameList.begin(), state_.MacroNameList.end());
    controls_.setItems(ctrl::LB_MacroName, names);
    controls_.setItems(ctrl::LB_Name, std::move(names));
}

void MacroPage::showWorkState() {
    const MacroWorkState state = workState();
    for (const auto& rule : kEnabledIn) controls_.setEnabled(rule.control, rule.states[stateIndex(state)]);
    controls_.setVisible(ctrl::GB_Dis, state == MacroWorkState::InsertRecording);
    const auto recordCaption = [&](MacroWorkState recording) {
        return captions_.text(state == recording ? "Str401" : "Str400");
    };
    controls_.setCaption(ctrl::Btn_Start, recordCaption(MacroWorkState::Recording));
    controls_.setCaption(ctrl::Btn_InsertStart, recordCaption(MacroWorkState::InsertRecording));
    controls_.setCaption(ctrl::lbl_RecordNote, captions_.text("Str438"));
    controls_.setVisible(ctrl::lbl_RecordNote, recording() && !globalCapture_);
    recording_.showDelays();
    panel_.showDelays(state == MacroWorkState::InsertRecording);
}

// ---- the event list ----

MacroEventEntry MacroPage::eventEntry(int k) const {
    const MacroScript& script = edit_.script();
    const int count = eventCount(script);
    if (k < 0 || k >= count) return {};
    const std::string& line = script[static_cast<std::size_t>(k) + 1];
    return {std::string(kEventPictures[static_cast<std::size_t>(eventPictureIndex(line))]), eventEntryText(line),
            (edit_.full() || panel_.full()) && k == count - 1};
}

void MacroPage::selectEvent(int index) { edit_.selectEvent(index); }

void MacroPage::LB_macroScrolled(int topIndex) { edit_.scrolled(topIndex); }

// ---- selecting ----

void MacroPage::selectMacro(int index) {
    const Control* list = controls_.find(ctrl::LB_MacroName);
    if (workState() != MacroWorkState::Idle || list == nullptr || index < 0 ||
        index >= static_cast<int>(std::min(list->items.size(), kMacroCount)))
        return;
    selected_ = static_cast<std::size_t>(index);
    controls_.setItemIndex(ctrl::LB_MacroName, index);
    if (const auto header = edit_.open()) recording_.takeHeader(*header);
    edit_.CountMacroEvents();
    show();
}

// ---- delays ----

DelayChoice* MacroPage::boxNamed(std::string_view edit) {
    if (edit == recording_.delay().edit) return &recording_.delay();
    if (edit == panel_.delay().edit) return &panel_.delay();
    return nullptr;
}

void MacroPage::chooseRecordDelay(DelayMode mode) {
    if (workState() == MacroWorkState::Recording) return;
    recording_.delay().mode = mode;
    show();
}

void MacroPage::chooseInsertDelay(DelayMode mode) {
    if (workState() == MacroWorkState::InsertRecording) return;
    panel_.delay().mode = mode;
    show();
}

void MacroPage::delayTyped(std::string_view box, std::string text) {
    if (DelayChoice* b = boxNamed(box)) b->typed(controls_, text);
}

void MacroPage::delayEdited(std::string_view box) {
    if (const DelayChoice* b = boxNamed(box)) b->edited(controls_);
}

// ---- delete ----

void MacroPage::deleteEventWithPartner() {
    if (workState() != MacroWorkState::Idle) return;
    showPressed(controls_, ctrl::Btn_Del);
    edit_.deleteSelected();
    show();
}

// ---- the insert panel ----

void MacroPage::openInsertPanel() {
    if (workState() != MacroWorkState::Idle) return;
    showPressed(controls_, ctrl::Btn_Insert);
    panel_.open();
    show();
}

void MacroPage::chooseInsertion(int index) {
    panel_.choose(index);
    show();
}

std::optional<std::string> MacroPage::confirmInsertion() {
    if (workState() != MacroWorkState::InsertPanel) return std::nullopt;
    showPressed(controls_, ctrl::Btn_OK);
    auto refusal = panel_.confirm();
    show();
    return refusal;
}

void MacroPage::cancelInsertion() {
    if (workState() != MacroWorkState::InsertPanel) return;
    showPressed(controls_, ctrl::Btn_Cancel);
    if (const auto header = panel_.cancel()) recording_.takeHeader(*header);
    show();
}

// ---- rename and clear ----

bool MacroPage::startRename() {
    if (!selected_ || workState() != MacroWorkState::Idle) return false;
    showPressed(controls_, ctrl::Btn_New);
    PendingMacroName = state_.MacroNameList[*selected_];
    return true;
}

std::optional<int> MacroPage::nameRoom(std::string_view typed) {
    const auto units = utf16Length(typed);
    if (!units) return std::nullopt;
    return static_cast<int>(kMaxNameUnits) - static_cast<int>(*units);
}

void MacroPage::confirmRename(std::string name) {
    PendingMacroName = std::move(name);
    // ApplyMacroRename: the record changes only when Save Macro or Apply writes the names.
    const auto room = nameRoom(PendingMacroName);
    if (PendingMacroName.empty() || !selected_ || !room || *room < 0) return;
    state_.MacroNameList[*selected_] = PendingMacroName;
    state_.MacrosDirty = true;
    showNames();
}

bool MacroPage::startClear() {
    if (!selected_ || workState() != MacroWorkState::Idle) return false;
    showPressed(controls_, ctrl::Btn_Clear);
    return true;
}

void MacroPage::clearSelectedMacro() {
    if (!selected_ || workState() != MacroWorkState::Idle) return;
    edit_.clear();
    show();
}

// ---- macro files ----

bool MacroPage::startExportOne() {
    if (!selected_ || workState() != MacroWorkState::Idle) return false;
    showPressed(controls_, ctrl::Btn_ExportOne);
    return true;
}

Result<std::filesystem::path> MacroPage::exportOne(const std::filesystem::path& chosen) {
    if (!selected_) return noMacroSelected();
    return exportMacroFile(state_.DataBuf, *selected_, chosen);
}

Result<std::filesystem::path> MacroPage::exportAll(const std::filesystem::path& chosen) {
    showPressed(controls_, ctrl::Btn_Export);
    return exportMacroSetFile(state_.DataBuf, chosen);
}

bool MacroPage::startImportOne() { return selected_ && workState() == MacroWorkState::Idle; }

Result<RepairedMacros> MacroPage::importOne(const std::filesystem::path& file) {
    if (!selected_) return noMacroSelected();
    showPressed(controls_, ctrl::Btn_ImportOne);
    auto imported = importMacroFile(state_.DataBuf, *selected_, file);
    if (imported) reloadAfterImport();
    return imported;
}

Result<RepairedMacros> MacroPage::importAll(const std::filesystem::path& file) {
    showPressed(controls_, ctrl::Btn_Import);
    auto imported = importMacroSetFile(state_.DataBuf, file);
    if (imported) reloadAfterImport();
    return imported;
}

std::optional<std::string> MacroPage::distinctImportedName() const {
    if (!selected_) return std::nullopt;
    const auto& names = state_.MacroNameList;
    const auto taken = [&](const std::string& name) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (i != *selected_ && names[i] == name) return true;
        }
        return false;
    };
    const std::string& own = names[*selected_];
    if (!taken(own)) return std::nullopt;
    for (int n = 2; n <= static_cast<int>(kMacroCount); ++n) {
        const std::string suffix = " (" + std::to_string(n) + ")";
        std::string stem = own;
        // Cut whole characters until the suffix fits within the name's limit.
        while (!stem.empty() && nameRoom(stem + suffix).value_or(-1) < 0) dropLastCharacter(stem);
        if (!taken(stem + suffix)) return stem + suffix;
    }
    return std::nullopt;
}

void MacroPage::reloadAfterImport() {
    state_.MacrosDirty = true;
    state_.RefreshMacroName();
    showNames();
    if (const auto header = edit_.reopen()) recording_.takeHeader(*header);
    edit_.CountMacroEvents();
    show();
}

// ---- recording ----

bool MacroPage::recordingReplaces() const {
    return selected_ && workState() == MacroWorkState::Idle && eventCount(edit_.script()) > 0;
}

bool MacroPage::beginRecording() {
    if (!recording_.beginWholeMacro()) return false;
    show();
    return true;
}

Status MacroPage::endRecording() {
    Status s = recording_.endWholeMacro();
    show();
    return s;
}

bool MacroPage::beginInsertRecording() {
    if (!recording_.beginKeys()) return false;
    show();
    return true;
}

void MacroPage::endInsertRecording() {
    recording_.endKeys();
    show();
}

std::optional<std::string> MacroPage::stopRecording() {
    auto refusal = recording_.stop();
    show();
    return refusal;
}

void MacroPage::setGlobalCapture(bool global) {
    globalCapture_ = global;
    showWorkState();
}

Status MacroPage::recordInput(const InputEvent& e, bool overRecordButton) {
    if (!recording()) return Status::success();
    Status s = recording_.capture(e, overRecordButton);
    show();
    return s;
}

}  // namespace varnel
