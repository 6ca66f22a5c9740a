#pragma once
#include <ostream>

#include "command_line.h"

namespace varnel::ctl {

enum ExitCode {
    kExitDone = 0,
    kExitDeviceFailed = 1,
    kExitUsage = 2,
    kExitNoDevice = 3,
    kExitRefused = 4,
    kExitBadFile = 5
};

// Runs one command; messages go to `err`, listings and device facts to `out`.
int run(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace varnel::ctl
