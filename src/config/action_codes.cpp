#include "config/action_codes.h"

#include <charconv>
#include <cstdio>

#include "common/decimal.h"
#include "config/image_sizes.h"
#include "config/key_table.h"

namespace varnel {

namespace {

// Naming order matters: CodeToName returns the first row that matches.
constexpr NamedCode kNamedCodes[] = {
    {"01010000", {"Key_Left", "Key_L"}, 900, "Str210", "Left Key", "left"},
    {"01020000", {"Key_Right", "Key_R"}, 901, "Str211", "Right Key", "right"},
    {"01040000", {"Key_Middle", "Key_M"}, 902, "Str212", "Middle Key", "middle"},
    {"01080000", {"Key_B4", ""}, 903, "Str213", "Backward", "back"},
    {"01100000", {"Key_B5", ""}, 904, "Str214", "Forward", "forward"},
    {"06", {"Key_Fire", ""}, kFireKeyTag, "Str230", "Fire Key", "fire"},
    {"02080700", {"Key_Desktop", ""}, 1001, "Str241", "Desktop", "desktop"},
    {kSwitchKeyCode, {"Key_Profile", ""}, 1002, "Str242", "KB Switch Key", "switch"},
    {"09000000", {"Key_CPI", ""}, 1003, "Str243", "CPI", "dpi"},
    {"0C000000", {"Key_ReportRate", ""}, 1004, "Str244", "Report Rate", "rate"},
    {kResetKeyCode, {"Key_Default", ""}, 1005, "Str245", "KB Reset Key", "reset"},
    {"0E000000", {"Key_LEDMode", ""}, 1006, "Str246", "LED Mode", "led-mode"},
    {"09010000", {"Key_CPII", ""}, 1007, "Str247", "CPI +", "dpi+"},
    {"09020000", {"Key_CPID", ""}, 1008, "Str248", "CPI -", "dpi-"},
    {"0300CD00", {"Key_PlayPause", ""}, 1300, "Str250", "Play/Pause", "play-pause"},
    {"0300B700", {"Key_Stop", ""}, 1301, "Str251", "Stop", "stop"},
    {"0300B600", {"Key_PreviousTrack", ""}, 1302, "Str252", "Previous Track", "previous-track"},
    {"0300B500", {"Key_NextTrack", ""}, 1303, "Str253", "Next Track", "next-track"},
    {"0300E900", {"Key_VolumePlus", ""}, 1304, "Str254", "Volume +", "volume+"},
    {"0300EA00", {"Key_VolumeMinus", ""}, 1305, "Str255", "Volume -", "volume-"},
    {"0300E200", {"Key_Mute", ""}, 1306, "Str256", "Mute", "mute"},
    {"03022300", {"Key_WWWHome", ""}, 1400, "Str260", "WWW Home", "www-home"},
    {"03022100", {"Key_WWWSearch", ""}, 1401, "Str261", "WWW Search", "www-search"},
    {"03022400", {"Key_WWWBack", ""}, 1402, "Str262", "WWW Back", "www-back"},
    {"03022500", {"Key_WWWForward", ""}, 1403, "Str263", "WWW Forward", "www-forward"},
    {"03022600", {"Key_WWWStop", ""}, 1404, "Str264", "WWW Stop", "www-stop"},
    {"03022700", {"Key_WWWRefresh", ""}, 1405, "Str265", "WWW Refresh", "www-refresh"},
    {"03022A00", {"Key_WWWFavorites", ""}, 1406, "Str266", "WWW Favorites", "www-favorites"},
};

constexpr std::string_view kNoFunction = "00000000";
constexpr int kMaxRepeat = 127;   // 2 * repeat must fit one byte
constexpr int kMaxDelay = 32767;  // 2 * delay must fit two bytes

std::optional<std::uint8_t> hexByte(std::string_view two) {
    std::uint8_t v = 0;
    auto [p, ec] = std::from_chars(two.data(), two.data() + two.size(), v, 16);
    if (ec != std::errc() || p != two.data() + two.size()) return std::nullopt;
    return v;
}

}  // namespace

std::span<const NamedCode> namedCodes() { return kNamedCodes; }

std::optional<FireKeyTiming> parseFireKeyTiming(std::string_view repeatText, std::string_view delayText) {
    auto r = parseDecimal(repeatText, kMaxRepeat, AboveMax::Refuse);
    auto d = parseDecimal(delayText, kMaxDelay, AboveMax::Refuse);
    if (!r || !d) return std::nullopt;
    return FireKeyTiming{*r, *d};
}

ActionCode fireKeyCode(FireKeyTiming t) {
    const auto d2 = static_cast<std::uint16_t>(2 * t.delay);
    return {kKindFireKey, static_cast<std::uint8_t>(2 * t.repeat), highByte(d2), lowByte(d2)};
}

FireKeyTiming fireKeyTimingOf(const ActionCode& code) { return {code[1] >> 1, readBe16(code, 2) >> 1}; }

bool isFireKeyCodeText(std::string_view codeText) { return codeText.starts_with("06"); }

std::optional<std::string> CodeForMenuItem(int tag, std::string_view repeatText, std::string_view delayText) {
    if (tag == 0) return std::string(kNoFunction);
    if (tag == kFireKeyTag) {
        auto t = parseFireKeyTiming(repeatText, delayText);
        if (!t) return std::nullopt;
        return codeTextFromBytes(fireKeyCode(*t));
    }
    for (const auto& row : kNamedCodes) {
        if (row.tag == tag) return std::string(row.codeText);
    }
    return std::nullopt;
}

std::string CodeToName(std::string_view codeText, const LanguageLookup& lang, std::span<const std::string> macroNames) {
    for (const auto& row : kNamedCodes) {
        const bool match = row.tag == kFireKeyTag ? isFireKeyCodeText(codeText) : codeText == row.codeText;
        if (match) return lang ? lang(row.languageKey) : std::string(row.englishText);
    }
    return KeyCombinationName(codeText, macroNames);
}

std::string KeyCombinationName(std::string_view codeText, std::span<const std::string> macroNames) {
    auto code = codeTextToBytes(codeText);
    if (!code) return {};
    const auto& c = *code;
    if (c[0] == kKindKeyboard) {
        static constexpr std::string_view kModifiers[] = {"Ctrl+", "Shift+", "Alt+", "Win+"};
        std::string text;
        for (std::size_t bit = 0; bit < 4; ++bit) {
            if (c[1] & (1u << bit)) text += kModifiers[bit];
        }
        if (c[2] != 0) text += UsageName(c[2]);
        if (c[3] != 0) text += (c[2] == 0 ? "" : "+") + UsageName(c[3]);
        return text;
    }
    if (c[0] == kKindMacro) {
        const std::uint16_t address = readBe16(c, 1);
        for (std::size_t i = 0; i < kMacroCount && i < macroNames.size(); ++i) {
            if (address == macroAddress(i)) return macroNames[i];
        }
    }
    return {};
}

std::optional<ActionCode> codeTextToBytes(std::string_view codeText) {
    if (codeText.size() != 8) return std::nullopt;
    ActionCode code{};
    for (std::size_t n = 0; n < 4; ++n) {
        auto b = hexByte(codeText.substr(2 * n, 2));
        if (!b) return std::nullopt;
        code[n] = *b;
    }
    return code;
}

std::string codeTextFromBytes(ByteSpan code) {
    std::string text;
    char hex[3];
    for (std::size_t n = 0; n < 4 && n < code.size(); ++n) {
        std::snprintf(hex, sizeof hex, "%02X", code[n]);
        text += hex;
    }
    return text;
}

ActionCode macroCode(std::size_t i) {
    const auto a = macroAddress(i);
    return {kKindMacro, highByte(a), lowByte(a), 0};
}

}  // namespace varnel
