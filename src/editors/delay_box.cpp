#include "editors/delay_box.h"

#include <algorithm>
#include <cstdio>

namespace varnel {

namespace {

constexpr std::size_t kMaxWholeDigits = 2;
constexpr std::size_t kMaxDecimals = 2;

bool allDigits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int digitsValue(std::string_view s) {
    int v = 0;
    for (char c : s) v = v * 10 + (c - '0');
    return v;
}

}  // namespace

std::optional<int> parseDelayBox(std::string_view text) {
    const std::size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view decimals = dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
    if (whole.size() > kMaxWholeDigits || decimals.size() > kMaxDecimals) return std::nullopt;
    if (!allDigits(whole) || !allDigits(decimals) || (whole.empty() && decimals.empty())) return std::nullopt;
    const int hundredths = decimals.size() == 1 ? digitsValue(decimals) * 10 : digitsValue(decimals);
    return digitsValue(whole) * 100 + hundredths;
}

int clampDelay(int hundredths) { return std::clamp(hundredths, kMinDelayHundredths, kMaxDelayHundredths); }

std::string delayBoxText(int hundredths) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d.%02d", hundredths / 100, hundredths % 100);
    return buf;
}

int delayFromMilliseconds(unsigned ms) {
    const unsigned rounded = (std::min(ms, 1000000u) + 5) / 10;
    return clampDelay(static_cast<int>(rounded));
}

}  // namespace varnel
