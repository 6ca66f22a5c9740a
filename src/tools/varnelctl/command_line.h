#pragma once
// varnelctl's command line: one command (with its file where it takes one) and options, in any
// order. Options take their value as the next argument or after "=".
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "device/virtual_mouse.h"

namespace varnel::ctl {

enum class Command { List, Info, Backup, Restore, Reset, Flash, ExportMacros, ImportMacros };

struct CommandInfo {
    std::string_view name;
    Command command;
    bool takesFile;
    bool wrenOnly;
};

inline constexpr CommandInfo kCommands[] = {
    {"list", Command::List, false, false},
    {"info", Command::Info, false, false},
    {"backup", Command::Backup, true, false},
    {"restore", Command::Restore, true, false},
    {"reset", Command::Reset, false, false},
    {"flash", Command::Flash, true, true},
    {"export-macros", Command::ExportMacros, true, true},
    {"import-macros", Command::ImportMacros, true, true},
};

struct Options {
    CommandInfo command{};
    std::string file;
    bool help = false;
    std::optional<std::string> defaultImage;
    std::optional<VirtualMouseModel> virtualModel;
    std::optional<std::string> virtualLoad;
    std::optional<std::string> virtualSave;
    std::optional<std::string> trace;
    int virtualInterfaces = 1;
    std::uint64_t refuseReport = 0;
    std::uint64_t unplugAfter = 0;
    std::uint64_t latencyUs = 0;
};

Result<Options> parseCommandLine(const std::vector<std::string_view>& args);

extern const char* const kUsage;

}  // namespace varnel::ctl
