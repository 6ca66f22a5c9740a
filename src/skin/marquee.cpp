#include "skin/marquee.h"

#include <utility>

namespace varnel {

namespace {
constexpr int kTickLimit = 65535;
constexpr int kTickRestart = 2;
constexpr std::string_view kGap = "    ";
}  // namespace

std::string_view firstCharacter(std::string_view s) {
    if (s.empty()) return s;
    // Rotating by bytes would split a multi-byte character ("ó") and show garbage.
    std::size_t n = 1;
    while (n < s.size() && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) ++n;
    return s.substr(0, n);
}

void Marquee::start(std::string_view label, std::string_view caption) {
    label_ = label;
    remembered_ = caption;
    text_ = caption;
    ticks_ = 0;
}

const std::string& Marquee::tick() {
    ++ticks_;
    if (ticks_ > kTickLimit) ticks_ = kTickRestart;
    const std::string_view first = firstCharacter(text_);
    if (first.empty()) return text_;
    std::string rest = text_.substr(first.size());
    if (ticks_ == 1) rest += kGap;
    rest += first;
    text_ = std::move(rest);
    return text_;
}

std::string Marquee::stop() {
    label_.clear();
    text_.clear();
    ticks_ = 0;
    return std::exchange(remembered_, {});
}

void Marquee::restartWith(std::string_view caption) {
    remembered_ = caption;
    text_ = caption;
    ticks_ = 0;
}

}  // namespace varnel
