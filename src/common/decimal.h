#pragma once
// Decimal numbers typed into boxes: digits only, no sign, no spaces.
#include <optional>
#include <string_view>

namespace varnel {

// What a number above the allowed largest value comes to.
enum class AboveMax {
    Refuse,    // nullopt, as for text that is no number
    Saturate,  // max + 1 (so max must be below INT_MAX), so the caller can tell "too large" apart
};

// The value of `text` (0..max); nullopt for empty text or any character that is not a digit.
std::optional<int> parseDecimal(std::string_view text, int max, AboveMax above);

}  // namespace varnel
