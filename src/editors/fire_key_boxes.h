#pragma once
// The corrections the fire-key boxes (Edt_Repeat1, Edt_DelayTime1) apply when the user leaves
// them. Everything that reads the boxes goes through these, so an empty or oversized box never
// reaches a stored code.
#include <string>
#include <string_view>

#include "config/edit_copy.h"

namespace varnel {

constexpr int kMaxFireRepeat = 15;
constexpr int kMaxFireDelay = 2000;
// What can be typed into the boxes: digits only, at most this many (a display may show more).
constexpr int kRepeatBoxDigits = 2;
constexpr int kDelayBoxDigits = 4;

// Empty text, exactly "1", or text that is not a decimal number gives "2"; a number above 15
// gives "15"; anything else is kept as typed ("0" and "01" stay).
std::string correctedRepeatText(std::string_view text);
// As the repeat box, with 2000 as the largest time.
std::string correctedDelayText(std::string_view text);
// Both boxes corrected, as when each has been left.
FireKeyBoxes correctedFireKeyBoxes(const FireKeyBoxes& boxes);

}  // namespace varnel
