#pragma once
// `varnelctl COMMAND --help` (or `varnelctl help COMMAND`) and `--version`.
#include <optional>
#include <string_view>

namespace varnel::ctl {

// The help of one command; nullopt for a name that is no command.
std::optional<std::string_view> commandHelp(std::string_view command);

// "varnelctl VERSION".
extern const char* const kVersionText;

}  // namespace varnel::ctl
