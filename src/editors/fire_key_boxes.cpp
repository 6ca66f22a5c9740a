#include "editors/fire_key_boxes.h"

#include "common/decimal.h"

namespace varnel {

namespace {

constexpr std::string_view kSmallestText = "2";

std::string correctedBoxText(std::string_view text, int max) {
    const auto n = parseDecimal(text, max, AboveMax::Saturate);
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
