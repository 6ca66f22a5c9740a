#pragma once
// The macro page's delay boxes (Edt_Delay, Edt_InsertDelay): seconds with two decimals, 0.05 ..
// 65.53, written with "." whatever the locale. Values are kept in hundredths of a second, so
// that 2.01 s is exactly 2010 ms.
#include <optional>
#include <string>
#include <string_view>

namespace varnel {

constexpr int kMinDelayHundredths = 5;     // 0.05 s
constexpr int kMaxDelayHundredths = 6553;  // 65.53 s
constexpr int kInitialDelayHundredths = 5;

// What is typed: up to two digits, then optionally "." and up to two digits ("2", "2.", "2.01",
// ".5"); nullopt for anything else (empty text included).
std::optional<int> parseDelayBox(std::string_view text);
// Forced into 0.05 .. 65.53.
int clampDelay(int hundredths);
// "0.05", "2.01", "65.53".
std::string delayBoxText(int hundredths);
constexpr unsigned delayMilliseconds(int hundredths) { return static_cast<unsigned>(hundredths) * 10; }
// A delay in milliseconds as the box shows it: rounded to hundredths and clamped.
int delayFromMilliseconds(unsigned ms);

}  // namespace varnel
