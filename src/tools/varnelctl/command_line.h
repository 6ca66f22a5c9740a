#pragma once
// varnelctl's command line: one command (with its file where it takes one) and options, in any
// order. Options take their value as the next argument or after "=".
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "device/virtual_mouse.h"
#include "macro_command.h"

namespace varnel::ctl {

enum class Command { List, Info, Backup, Restore, Reset, Flash, ExportMacros, ImportMacros, Show, Set, Macro };

// What the mouse must offer for the command.
enum class Needs { Nothing, Macros, FirmwareUpdate };

struct CommandInfo {
    std::string_view name;
    Command command;
    bool takesFile;
    Needs needs;
};

inline constexpr CommandInfo kCommands[] = {
    {"list", Command::List, false, Needs::Nothing},
    {"info", Command::Info, false, Needs::Nothing},
    {"backup", Command::Backup, true, Needs::Nothing},
    {"restore", Command::Restore, true, Needs::Nothing},
    {"reset", Command::Reset, false, Needs::Nothing},
    {"flash", Command::Flash, true, Needs::FirmwareUpdate},
    {"export-macros", Command::ExportMacros, true, Needs::Macros},
    {"import-macros", Command::ImportMacros, true, Needs::Macros},
    {"show", Command::Show, false, Needs::Nothing},
    {"set", Command::Set, false, Needs::Nothing},
    {"macro", Command::Macro, false, Needs::Macros},
};

struct Options {
    CommandInfo command{};
    std::string file;
    bool help = false;
    bool verify = true;  // read back what a write sent (--no-verify skips it)
    std::optional<std::string> defaultImage;
    std::optional<VirtualMouseModel> virtualModel;
    std::optional<std::string> virtualLoad;
    std::optional<std::string> virtualSave;
    std::optional<std::string> trace;
    int virtualInterfaces = 1;
    VirtualFaults faults;
    std::uint64_t latencyUs = 0;
    // show and set
    std::vector<std::string> settings;      // set's SETTING=VALUE arguments
    bool json = false;                      // show --json
    bool dryRun = false;                    // set --dry-run
    int language = 2;                       // --lang: 1 es, 2 en, 3
    std::optional<std::string> profile;     // --file PROFILE instead of a mouse
    std::optional<VirtualMouseModel> fileModel;  // --model: the mouse the profile is for
    MacroRequest macro;                    // the words after "macro"
    bool quiet = false;                    // no progress and no summary line
    bool version = false;                  // --version
    std::optional<std::string> helpTopic;  // COMMAND --help, help COMMAND
    // What the run sees of its surroundings (set by main, not the command line): whether
    // standard error is a terminal, and standard input for `macro set N -`.
    bool errorIsTerminal = false;
    std::istream* standardInput = nullptr;
};

Result<Options> parseCommandLine(const std::vector<std::string_view>& args);

const std::string& usageText();

}  // namespace varnel::ctl
