#include "common/decimal.h"

namespace varnel {

std::optional<int> parseDecimal(std::string_view text, int max, AboveMax above) {
    if (text.empty()) return std::nullopt;
    int value = 0;
    bool tooLarge = false;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        // Once above max the value stays there; every character is still checked.
        if (!tooLarge) value = value * 10 + (c - '0');
        tooLarge = tooLarge || value > max;
    }
    if (!tooLarge) return value;
    if (above == AboveMax::Refuse) return std::nullopt;
    return max + 1;
}

}  // namespace varnel
