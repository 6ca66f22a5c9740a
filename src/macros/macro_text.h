#pragma once
// A macro as text, one event per line, for files kept beside a user's scripts:
//
//   # a comment; blank lines are skipped
//   press Ctrl
//   press A
//   delay 120
//   release A
//   release Ctrl
//
// `press` and `release` take a name from the key table (as the Macro page lists it, any letter
// case: "A", "Page Up", "1 (numeric pad)"), a modifier ("Shift", "Ctrl", "Alt", "Left Windows",
// "Right Windows"), a mouse button ("LeftKey", "RightKey", "MiddleKey", "Forward", "Backward"),
// or a key code in hex ("0x04"), which is how a key with no name, or whose name another key
// shares, is printed. `delay` takes milliseconds, 0 to 65535. The text is the macro's script
// without its header: encoding it gives the bytes the Macro page would store.
#include <string>
#include <string_view>

#include "common/result.h"
#include "macros/macro_format.h"

namespace varnel {

// The text of a script's event lines (its header line is skipped), each ending in a newline.
std::string macroText(const MacroScript& script);

// The script of a text, refused whole with the line at fault: an unknown word or key, a delay
// over 65535 ms, more than 100 presses or releases, or more than the 1024 bytes a macro holds.
Result<MacroScript> parseMacroText(std::string_view text);

}  // namespace varnel
