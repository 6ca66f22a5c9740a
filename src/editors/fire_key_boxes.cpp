#include "editors/fire_key_boxes.h"

#include <optional>

namespace varnel {

namespace {

constexpr std::string_view kSmallestText = "2";

// The number in `text`, saturated just above `max` so that long digit runs cannot overflow;
// nullopt for empty text or any character that is not a digit.
std::optional<int> boxNumber(std::string_view text, int max) {
    if (text.empty()) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > max) value = max + 1;
    }
    return value;
}

std::string correctedBoxText(std::string_view text, int max) {
    const auto n = boxNumber(text, max);
    if (!n || text == "1") return std::string(kSmallestText);
    if (*n > max) return std::to_string(max);
    return std::string(text);
}

}  // namespace

std::string correctedRepeatText(std::string_view text) { return correctedBoxText(text, kMaxFireRepeat); }

std::string correctedDelayText(std::string_view text) { return correctedBoxText(text, kMaxFireDelay); }

FireKeyBoxes correctedFireKeyBoxes(const FireKeyBoxes& boxes) {
    return {correctedRepeatText(boxes.repeat), correctedDelayText(boxes.delay)};
}

}  // namespace varnel
