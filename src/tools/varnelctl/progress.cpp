#include "progress.h"

namespace varnel::ctl {

ProgressSink TerminalProgress::phase(std::string label) {
    if (!shown_) return {};
    end();
    return [this, label = std::move(label)](std::size_t done, std::size_t total) { show(label, done, total); };
}

void TerminalProgress::show(const std::string& label, std::size_t done, std::size_t total) {
    // A line per percent: thousands of reports would otherwise mean thousands of writes.
    const int percent = total == 0 ? 100 : static_cast<int>(done * 100 / total);
    if (open_ && percent == lastPercent_ && done != total) return;
    lastPercent_ = percent;
    open_ = true;
    err_ << '\r' << label << ": " << withThousands(done) << " of " << withThousands(total) << " reports" << std::flush;
}

void TerminalProgress::end() {
    if (open_) err_ << '\n' << std::flush;
    open_ = false;
    lastPercent_ = -1;
}

std::string withThousands(std::size_t n) {
    std::string digits = std::to_string(n);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

}  // namespace varnel::ctl
