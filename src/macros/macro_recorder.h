#pragma once
// The macro recorder: turns captured key and mouse-button events into MacroScript lines, with
// delay lines between them after the DelayMode. It records a whole macro (the script starts
// anew with its header) or inserts into one (a run of lines in front of or behind an event,
// keeping its order). A macro holds at most 100 key presses and 100 releases and 1024 bytes;
// an event that would pass a limit is refused, and the recording ends at the 100th release or
// when an event no longer fits. Time comes with the events, so the recorder reads no clock.
#include <optional>
#include <set>
#include <string>

#include "common/result.h"
#include "config/input_event.h"
#include "macros/macro_format.h"
#include "macros/macro_script.h"

namespace varnel {

// Header line of a script recorded in `mode`: "10", "01" and the delay, "00".
std::string delayHeader(DelayMode mode, unsigned defaultDelayMs);

// Where recorded lines go: appended (whole macro), or in front of / behind event entry InsertPos.
enum class RecordPlacement { Append, Front, Back };

struct RecordingSetup {
    RecordPlacement placement = RecordPlacement::Append;
    int insertPos = 0;  // the selected event, for Front and Back
    DelayMode delayMode = DelayMode::RecordDelay;
    unsigned defaultDelayMs = 50;
};

// What one event did to the script.
struct RecordStep {
    bool changed = false;  // lines were placed
    int select = -1;       // the event entry to select afterwards (-1: keep the selection)
    bool stop = false;     // the recording is over (100th release, or the macro is full)
};

class MacroRecorder {
public:
    // Starts recording into `script`: a whole macro replaces it with the header; an insertion
    // keeps it and counts the presses and releases it holds.
    void start(MacroScript& script, const RecordingSetup& setup);
    void stop() { active_ = false; }
    bool active() const { return active_; }

    // One captured event; `overRecordButton` says the pointer rests on Record/Stop, whose own
    // left click is not recorded.
    RecordStep handle(MacroScript& script, const InputEvent& e, bool overRecordButton);

    EventCounts counts() const { return counts_; }
    // An event was refused at a limit in this recording.
    bool LimitReached() const { return limitReached_; }
    // The event entry the next inserted line goes in front of or behind.
    int InsertPos() const { return insertPos_; }

private:
    enum class KeyState { On, Off, Repeat };
    RecordStep handleKey(MacroScript& script, int vk, bool down, std::uint32_t now);
    bool press(MacroScript& script, int vk, std::uint32_t now, RecordStep& step);
    bool release(MacroScript& script, int vk, std::uint32_t now, RecordStep& step);
    // The delays due before an event at `now`, then the event; false when they would not fit in
    // the block (nothing is placed, and the recording is to stop).
    bool place(MacroScript& script, const std::string& eventLine, std::uint32_t now, RecordStep& step);
    void placeLine(MacroScript& script, std::string line);

    bool active_ = false;
    bool limitReached_ = false;
    int insertPos_ = 0;
    RecordingSetup setup_;
    EventCounts counts_;
    std::size_t usedBytes_ = 0;  // of the script encoded, end byte included
    std::optional<std::uint32_t> LastEventTick;
    int LastKey = -1;
    int KeysHeld = 0;  // kept across recordings, as the keyboard's state is
    int downCount_ = 0;
    std::multiset<int> recordedDown_;  // keys whose recorded press awaits its release
    std::set<int> released_;           // keys released and not pressed since, in this recording
};

}  // namespace varnel
