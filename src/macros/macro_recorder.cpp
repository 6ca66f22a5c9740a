#include "macros/macro_recorder.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "config/image_sizes.h"
#include "config/key_table.h"

namespace varnel {

namespace {

// Milliseconds from `from` to `to` on a clock that may wrap, within 0..65535 (a clock that went
// back gives no delay).
std::uint32_t elapsed(std::uint32_t from, std::uint32_t to) {
    const auto diff = static_cast<std::int32_t>(to - from);
    return diff <= 0 ? 0 : std::min(static_cast<std::uint32_t>(diff), kMaxDelayMs);
}

}  // namespace

std::string delayHeader(DelayMode mode, unsigned defaultDelayMs) {
    switch (mode) {
        case DelayMode::RecordDelay: return "10";
        case DelayMode::DefaultDelay: return "01" + std::to_string(defaultDelayMs);
        case DelayMode::NoDelay: break;
    }
    return "00";
}

void MacroRecorder::start(MacroScript& script, const RecordingSetup& setup) {
    active_ = true;
    setup_ = setup;
    limitReached_ = false;
    LastEventTick.reset();
    LastKey = -1;
    // Keys held across the start are not known to this recording; a count carried over from the
    // last one would make it drop the next press of the last key.
    KeysHeld = 0;
    downCount_ = 0;
    recordedDown_.clear();
    released_.clear();
    if (setup.placement == RecordPlacement::Append) {
        script.assign(1, delayHeader(setup.delayMode, setup.defaultDelayMs));
        counts_ = {};
    } else {
        counts_ = countEvents(script);
        insertPos_ = setup.insertPos;
    }
    const auto encoded = encodeMacroScript(script);
    usedBytes_ = encoded ? encoded->size() : kMacroBlockSize;
}

RecordStep MacroRecorder::handle(MacroScript& script, const InputEvent& e, bool overRecordButton) {
    if (!active_) return {};
    using Kind = InputEvent::Kind;
    if (e.kind == Kind::KeyDown || e.kind == Kind::KeyUp)
        return handleKey(script, e.key, e.kind == Kind::KeyDown, e.timeMs);
    // The click on Stop itself is no part of the macro.
    if (e.button == MouseButton::Left && overRecordButton) return {};
    RecordStep step;
    if (!place(script, buttonEventLine(e.kind == Kind::ButtonDown, e.button), e.timeMs, step)) {
        step.stop = true;
        stop();
    }
    return step;
}

RecordStep MacroRecorder::handleKey(MacroScript& script, int vk, bool down, std::uint32_t now) {
    RecordStep step;
    if (KeyName(vk) == "255") return step;
    // A second release with no press between is no keyboard's (a synthetic modifier reset): it
    // would leave the macro with more releases than presses.
    // A key-down of a key released since its last press is a new press, whatever went down in
    // between: the last-key and held-key checks below only tell auto-repeat from a press.
    bool pressedAgain = false;
    if (down)
        pressedAgain = released_.erase(vk) > 0;
    else if (!released_.insert(vk).second)
        return step;
    // The keyboard's state: a key-down is On when no other key went down since the last key-up,
    // Repeat after that (auto-repeat, or a second key held); every key-up is Off.
    const KeyState state = !down ? KeyState::Off : ++downCount_ == 1 ? KeyState::On : KeyState::Repeat;
    // A key whose press is recorded and not yet released is repeating, whatever came between.
    const bool recordedDown = recordedDown_.contains(vk);
    bool fits = true;
    switch (state) {
        case KeyState::On:
            if (!pressedAgain && ((vk == LastKey && KeysHeld != 0) || recordedDown)) break;
            fits = press(script, vk, now, step);
            LastKey = vk;
            ++KeysHeld;
            break;
        case KeyState::Repeat:
            if (!pressedAgain && (vk == LastKey || recordedDown)) break;
            ++KeysHeld;
            fits = press(script, vk, now, step);
            LastKey = vk;
            break;
        case KeyState::Off:
            downCount_ = 0;
            // Once the press limit is reached, only the keys whose press was recorded still get
            // their release.
            if (!limitReached_ || (counts_.presses == kFullEventCount && vk != LastKey && recordedDown)) {
                fits = release(script, vk, now, step);
                LastKey = vk;
                KeysHeld = std::max(KeysHeld - 1, 0);
            }
            break;
    }
    if (!fits || counts_.releases == kFullEventCount) {
        step.stop = true;
        stop();
    }
    return step;
}

bool MacroRecorder::press(MacroScript& script, int vk, std::uint32_t now, RecordStep& step) {
    if (counts_.presses >= kFullEventCount) {
        limitReached_ = true;
        return true;
    }
    if (!place(script, keyEventLine(true, vk), now, step)) return false;
    ++counts_.presses;
    recordedDown_.insert(vk);
    return true;
}

bool MacroRecorder::release(MacroScript& script, int vk, std::uint32_t now, RecordStep& step) {
    if (counts_.releases >= kFullEventCount) return true;
    if (!place(script, keyEventLine(false, vk), now, step)) return false;
    ++counts_.releases;
    if (const auto it = recordedDown_.find(vk); it != recordedDown_.end()) recordedDown_.erase(it);
    return true;
}

bool MacroRecorder::place(MacroScript& script, const std::string& eventLine, std::uint32_t now, RecordStep& step) {
    std::vector<std::string> lines;
    if (LastEventTick && setup_.delayMode == DelayMode::RecordDelay) {
        if (const std::uint32_t e = elapsed(*LastEventTick, now); e > 0) lines.push_back(delayLine(e));
    } else if (LastEventTick && setup_.delayMode == DelayMode::DefaultDelay) {
        std::uint32_t d = setup_.defaultDelayMs;
        for (; d >= kMaxDelayMs; d -= kMaxDelayMs) lines.push_back(delayLine(kMaxDelayMs));
        if (d > 0) lines.push_back(delayLine(d));
    }
    lines.push_back(eventLine);

    std::size_t bytes = 0;
    for (const auto& line : lines) {
        const auto length = encodedLineLength(line);
        bytes += length ? *length : kMacroBlockSize;
    }
    // The event is refused with its delays when they would pass the block: the macro is full.
    if (usedBytes_ + bytes > kMacroBlockSize) {
        limitReached_ = true;
        return false;
    }
    usedBytes_ += bytes;
    if (setup_.delayMode != DelayMode::NoDelay) LastEventTick = now;
    for (auto& line : lines) placeLine(script, std::move(line));
    step.changed = true;
    step.select = setup_.placement == RecordPlacement::Append ? eventCount(script) - 1 : insertPos_;
    return true;
}

void MacroRecorder::placeLine(MacroScript& script, std::string line) {
    if (setup_.placement == RecordPlacement::Append) {
        script.push_back(std::move(line));
        return;
    }
    const int at = setup_.placement == RecordPlacement::Front ? insertPos_ : insertPos_ + 1;
    if (insertEvent(script, at, std::move(line))) ++insertPos_;
}

}  // namespace varnel
