#pragma once
// Edits of a MacroScript as the macro page makes them. Line 0 is the DelayMode header; event
// entry k of the event list is line k + 1. Event lines read "1 A CODE:8204" (press),
// "2 A CODE:0204" (release) and "0 120" (a delay in milliseconds).
#include <optional>
#include <string>
#include <string_view>

#include "macros/macro_format.h"

namespace varnel {

enum class ScriptLineKind { Delay, Press, Release, Other };

ScriptLineKind lineKind(std::string_view line);

// The key name of a press or release: the text between the kind ("1 ") and the code
// (" CODE:8204"); empty for any other line.
std::string_view eventKeyName(std::string_view line);

// "0 " and the delay in milliseconds.
std::string delayLine(unsigned ms);

// Number of event entries (the lines after the header).
int eventCount(const MacroScript& script);

struct EventCounts {
    int presses = 0;
    int releases = 0;
    bool operator==(const EventCounts&) const = default;
};
// Presses, and releases, a macro may hold.
constexpr int kFullEventCount = 100;

// Presses and releases among the lines after the header (CountMacroEvents).
EventCounts countEvents(const MacroScript& script);

// Deletes event entry `entry` and, for a press or release, its partner: for a press the first
// later release of the same key code, for a release the last earlier press of it. Delay lines are
// never partners; an event without a partner is deleted alone. Returns the entry to select
// afterwards (-1 for none), or nullopt when there is no such entry (nothing changes).
std::optional<int> deleteEvent(MacroScript& script, int entry);

// Puts `line` in as event entry `entry` (0 .. eventCount). False, changing nothing, for an entry
// out of range or a script without its header.
bool insertEvent(MacroScript& script, int entry, std::string line);

// What entry `line` shows in the list: a press or release its key name ("A", "LeftKey"), a delay
// its milliseconds and " ms" ("120 ms").
std::string eventEntryText(std::string_view line);
// The picture of an entry: 0 delay, 1 press, 2 release.
int eventPictureIndex(std::string_view line);

}  // namespace varnel
