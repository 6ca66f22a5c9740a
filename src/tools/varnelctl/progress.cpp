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
    if (open_ && (done == lastDone_ || (percent == lastPercent_ && done != total))) return;
    lastPercent_ = percent;
    lastDone_ = done;
    open_ = true;
    err_ << '\r' << label << ": " << withThousands(done) << " of " << withThousands(total) << " reports" << std::flush;
}

void TerminalProgress::end() {
    if (open_) err_ << '\n' << std::flush;
    open_ = false;
    lastPercent_ = -1;
}

std::string withThousands(std::size_t n) {
    const std::string digits = std::to_string(n);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}

}  // namespace varnel::ctl
