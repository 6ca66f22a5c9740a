#pragma once
// Progress of long transfers on standard error, counted in reports as the busy window counts
// them, one line rewritten in place; only when standard error is a terminal.
#include <ostream>
#include <string>

#include "transfers/transfer_status.h"

namespace varnel::ctl {

class TerminalProgress {
public:
    TerminalProgress(std::ostream& err, bool shown) : err_(err), shown_(shown) {}
    ~TerminalProgress() { end(); }
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    // The sink of one transfer, its line labelled `label` ("Reading the mouse").
    ProgressSink phase(std::string label);
    // Ends the open line, so that what follows starts on a line of its own.
    void end();

private:
    void show(const std::string& label, std::size_t done, std::size_t total);

    std::ostream& err_;
    bool shown_;
    bool open_ = false;
    int lastPercent_ = -1;
    std::size_t lastDone_ = 0;
};

// 33984 as "33,984".
std::string withThousands(std::size_t n);

}  // namespace varnel::ctl
