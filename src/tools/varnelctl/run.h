#pragma once
#include <memory>
#include <ostream>

#include "command_line.h"
#include "device/clock.h"
#include "device/virtual_mouse.h"
#include "transfers/transfer_status.h"

namespace varnel::ctl {

enum ExitCode {
    kExitDone = 0,
    kExitDeviceFailed = 1,
    kExitUsage = 2,
    kExitNoDevice = 3,
    kExitRefused = 4,
    kExitBadFile = 5
};

// The exit status of a transfer's result.
int exitFor(TransferCode code);

// What a run with --virtual talked to: the mouse and the clock its waits passed on.
struct VirtualWorld {
    std::shared_ptr<ManualClock> clock;
    std::shared_ptr<VirtualMouse> mouse;
};

// Runs one command; messages go to `err`, listings and device facts to `out`. With `world`, a
// virtual run hands back its mouse and clock (tests look at them afterwards).
int run(const Options& options, std::ostream& out, std::ostream& err, VirtualWorld* world = nullptr);

}  // namespace varnel::ctl
