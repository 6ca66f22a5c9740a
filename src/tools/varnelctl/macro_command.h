#pragma once
// `varnelctl macro show N`, `macro set N FILE|-`, `macro rename N NAME`: one macro of a Wren as
// text, from a shell.
#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "macros/macro_format.h"

namespace varnel::ctl {

enum class MacroAction { Show, Set, Rename };

struct MacroRequest {
    MacroAction action = MacroAction::Show;
    std::size_t index = 0;  // 0-based; the command line counts from 1
    std::string argument;   // the text file ("-" for standard input) or the new name
};

// The words after "macro".
Result<MacroRequest> parseMacroArguments(const std::vector<std::string_view>& words);

// The text `macro set` reads: its file, or standard input for "-". Read before the mouse is
// opened, and parsed then too, so that bad text sends nothing.
Result<std::string> readMacroText(const MacroRequest& request, std::istream* standardInput);

}  // namespace varnel::ctl
