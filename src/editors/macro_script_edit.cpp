#include "editors/macro_script_edit.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>
#include <vector>

#include "config/image_sizes.h"
#include "skin/control_names.h"

namespace varnel {

namespace {

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

}  // namespace

MacroScriptEdit::MacroScriptEdit(ControlTable& controls, AppState& state, const CaptionsModel& captions,
                                 const std::optional<std::size_t>& macro)
    : controls_(controls), state_(state), captions_(captions), macro_(macro) {}

std::optional<HeaderDelay> MacroScriptEdit::open() {
    forget();
    if (!macro_) return std::nullopt;
    const std::uint16_t used = usedLength(state_.DataBuf.nameRecord(*macro_));
    // An empty macro shows nothing, not even a header; a damaged length shows nothing either.
    if (used < 1 || used > kMacroBlockSize) return std::nullopt;
    inspection_ = varnel::inspectionText(state_.DataBuf.macroBlock(*macro_).first(used));
    return decode();
}

std::optional<HeaderDelay> MacroScriptEdit::reopen() {
    forget();
    return decode();
}

std::optional<HeaderDelay> MacroScriptEdit::decode() {
    if (!macro_) return std::nullopt;
    DecodedMacro decoded = MacroBlockToScript(state_.DataBuf.nameRecord(*macro_), state_.DataBuf.macroBlock(*macro_));
    script_ = std::move(decoded.script);
    showEvents(eventCount(script_) - 1);
    return HeaderDelay{decoded.delayMode, decoded.defaultDelay};
}

void MacroScriptEdit::forget() {
    script_.clear();
    inspection_.clear();
    eventTop_ = 0;
    controls_.setTopIndex(ctrl::LB_macro, 0);
    showEvents(-1);
}

Status MacroScriptEdit::encode(const MacroScript& script) {
    if (!macro_) return makeError("no macro is selected");
    auto encoded = ScriptToMacroBlock(script, state_.DataBuf.nameRecord(*macro_), state_.DataBuf.macroBlock(*macro_));
    if (!encoded) return encoded.error();
    state_.MacrosDirty = true;
    script_ = script;
    inspection_ = std::move(encoded->hexText);
    return Status::success();
}

bool MacroScriptEdit::deleteSelected() {
    MacroScript edited = script_;
    const auto select = deleteEvent(edited, eventIndex_);
    if (!select || !encode(edited)) return false;
    showEvents(*select);
    CountMacroEvents();
    return true;
}

std::optional<Status> MacroScriptEdit::insert(int at, std::string line) {
    MacroScript edited = script_;
    if (!insertEvent(edited, at, std::move(line))) return std::nullopt;
    Status s = encode(edited);
    if (s) showEvents(at);
    return s;
}

void MacroScriptEdit::clear() {
    if (!macro_) return;
    forget();
    setUsedLength(state_.DataBuf.nameRecord(*macro_), 0);
    std::ranges::fill(state_.DataBuf.macroBlock(*macro_), std::uint8_t{0xFF});
    state_.MacrosDirty = true;
    CountMacroEvents();
}

void MacroScriptEdit::showEvents(int select) {
    std::vector<std::string> entries;
    for (std::size_t n = 1; n < script_.size(); ++n) entries.push_back(eventEntryText(script_[n]));
    const int count = static_cast<int>(entries.size());
    eventIndex_ = select >= 0 && select < count ? select : -1;
    controls_.setItems(ctrl::LB_macro, std::move(entries));
    controls_.setItemIndex(ctrl::LB_macro, eventIndex_);
}

void MacroScriptEdit::selectEvent(int index) {
    if (index < -1 || index >= eventCount(script_)) return;
    eventIndex_ = index;
    controls_.setItemIndex(ctrl::LB_macro, index);
}

void MacroScriptEdit::scrolled(int topIndex) {
    eventTop_ = std::max(topIndex, 0);
    controls_.setTopIndex(ctrl::LB_macro, eventTop_);
}

void MacroScriptEdit::showUsage(bool pending) {
    if (!macro_) {
        controls_.setCaption(ctrl::lbl_MacroBytes, "");
        controls_.setCaption(ctrl::lbl_MacroEvents, "");
        return;
    }
    const EventCounts counts = countEvents(script_);
    // Recorded lines wait to be encoded (until Stop, or OK in the panel); their bytes count now.
    std::size_t used = usedLength(state_.DataBuf.nameRecord(*macro_));
    if (pending && !script_.empty()) {
        if (const auto encoded = encodeMacroScript(script_)) used = encoded->size();
    }
    // A macro without events reads as empty however it was emptied (its stored header byte of
    // a recording stopped at once is no use to anyone).
    if (!script_.empty() && eventCount(script_) == 0) used = 0;
    controls_.setCaption(ctrl::lbl_MacroBytes, filled(captions_.text("Str432"), {static_cast<int>(used)}));
    controls_.setCaption(ctrl::lbl_MacroEvents, filled(captions_.text("Str433"), {counts.presses, counts.releases}));
}

void MacroScriptEdit::CountMacroEvents() { countRecorded(countEvents(script_)); }

void MacroScriptEdit::countRecorded(EventCounts counts) {
    pressCount_ = counts.presses;
    releaseCount_ = counts.releases;
}

}  // namespace varnel
