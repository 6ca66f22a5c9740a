#pragma once
// Action codes: the 4-byte content of a button slot, its CodeText form (8 upper-case hex digits,
// byte 0 first), the table of named codes offered by the assignment menus, and the names shown
// for codes on the picture buttons.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/bytes.h"

namespace varnel {

using ActionCode = std::array<std::uint8_t, 4>;

// Looks a language key ("Str210") up in the current language; supplied by the skin layer.
using LanguageLookup = std::function<std::string(std::string_view key)>;

// Kind bytes (byte 0) the program interprets itself.
constexpr std::uint8_t kKindKeyboard = 0x02;
constexpr std::uint8_t kKindFireKey = 0x06;
constexpr std::uint8_t kKindMacro = 0x10;

// One named code: its CodeText (the Fire Key row holds only its kind "06"), the menu items
// offering it (second may be empty), the menu tag, the language key, the English text and the
// id scripts name it by whatever the language.
struct NamedCode {
    std::string_view codeText;
    std::array<std::string_view, 2> menuItems;
    int tag;
    std::string_view languageKey;
    std::string_view englishText;
    std::string_view id;
};

constexpr int kFireKeyTag = 1000;

// The codes the page rules look for: the switch key leads to the Switch map, the reset key back.
constexpr std::string_view kSwitchKeyCode = "07000000";
constexpr std::string_view kResetKeyCode = "07010000";

// The named-code table, in naming order.
std::span<const NamedCode> namedCodes();

// Fire-key timing as the repeat and delay boxes hold it.
struct FireKeyTiming {
    int repeat;
    int delay;
    bool operator==(const FireKeyTiming&) const = default;
};
// Parses the box texts: decimal digits only, repeat 0..127 and delay 0..32767 (so 2x fits the
// code's bytes); anything else is nullopt.
std::optional<FireKeyTiming> parseFireKeyTiming(std::string_view repeatText, std::string_view delayText);
// 06, 2*repeat, (2*delay) high, (2*delay) low.
ActionCode fireKeyCode(FireKeyTiming t);
// Timing stored in a Fire Key code: byte 1 >> 1 and (bytes 2..3) >> 1.
FireKeyTiming fireKeyTimingOf(const ActionCode& code);
// True for every code of kind 0x06, whatever its other bytes.
bool isFireKeyCodeText(std::string_view codeText);

// CodeText of a menu item by tag; tag 0 gives "00000000", tag 1000 builds the Fire Key code from
// the box texts. Unknown tags and unusable box texts give nullopt.
std::optional<std::string> CodeForMenuItem(int tag, std::string_view repeatText, std::string_view delayText);

// Text shown for a code: a named code's language text, else KeyCombinationName.
std::string CodeToName(std::string_view codeText, const LanguageLookup& lang, std::span<const std::string> macroNames);

// Name of a keyboard code ("Ctrl+Shift+A+B") or macro code (the macro's name); empty otherwise.
std::string KeyCombinationName(std::string_view codeText, std::span<const std::string> macroNames);

// CodeText <-> bytes. Text must be exactly 8 hex digits.
std::optional<ActionCode> codeTextToBytes(std::string_view codeText);
std::string codeTextFromBytes(ByteSpan code);

// Address of macro i (0x8000 + 0x400 * i) and its run code 10 hh ll 00.
constexpr std::uint16_t macroAddress(std::size_t i) { return static_cast<std::uint16_t>(0x8000 + 0x400 * i); }
ActionCode macroCode(std::size_t i);

}  // namespace varnel
