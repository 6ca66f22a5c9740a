#include "common/decimal.h"

namespace varnel {

std::optional<int> parseDecimal(std::string_view text, int max, AboveMax above) {
    if (text.empty()) return std::nullopt;
    int value = 0;
    bool tooLarge = false;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        // Once above max the value stays there; every character is still checked. The bound is
        // tested before the multiplication, so no maximum can make it overflow.
        const int digit = c - '0';
        if (!tooLarge) tooLarge = digit > max || value > (max - digit) / 10;
        if (!tooLarge) value = value * 10 + digit;
    }
    if (!tooLarge) return value;
    if (above == AboveMax::Refuse) return std::nullopt;
    return max + 1;
}

}  // namespace varnel
