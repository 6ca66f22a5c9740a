#include "macros/macro_format.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "config/key_table.h"

namespace varnel {

namespace {

constexpr std::size_t kUsedLengthOffset = 0;
constexpr std::size_t kNameLengthHigh = 2;
constexpr std::size_t kNameLengthOffset = 3;
constexpr std::uint8_t kDelayOpcode = 0xFE;
constexpr std::uint32_t kReplacementChar = 0xFFFD;

// ---- UTF-8 <-> UTF-16 -------------------------------------------------------------------------

std::optional<std::vector<std::uint32_t>> decodeUtf8(std::string_view s) {
    std::vector<std::uint32_t> out;
    for (std::size_t i = 0; i < s.size();) {
        const auto b0 = static_cast<std::uint8_t>(s[i]);
        std::size_t len = b0 < 0x80 ? 1 : (b0 >> 5) == 0x6 ? 2 : (b0 >> 4) == 0xE ? 3 : (b0 >> 3) == 0x1E ? 4 : 0;
        if (len == 0 || i + len > s.size()) return std::nullopt;
        std::uint32_t cp = len == 1 ? b0 : len == 2 ? (b0 & 0x1F) : len == 3 ? (b0 & 0x0F) : (b0 & 0x07);
        for (std::size_t k = 1; k < len; ++k) {
            const auto b = static_cast<std::uint8_t>(s[i + k]);
            if ((b & 0xC0) != 0x80) return std::nullopt;
            cp = (cp << 6) | (b & 0x3F);
        }
        static constexpr std::uint32_t kMinForLength[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kMinForLength[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
        out.push_back(cp);
        i += len;
    }
    return out;
}

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::optional<std::vector<std::uint16_t>> utf8ToUtf16(std::string_view s) {
    auto cps = decodeUtf8(s);
    if (!cps) return std::nullopt;
    std::vector<std::uint16_t> units;
    for (auto cp : *cps) {
        if (cp < 0x10000) {
            units.push_back(static_cast<std::uint16_t>(cp));
        } else {
            cp -= 0x10000;
            units.push_back(static_cast<std::uint16_t>(0xD800 + (cp >> 10)));
            units.push_back(static_cast<std::uint16_t>(0xDC00 + (cp & 0x3FF)));
        }
    }
    return units;
}

std::string utf16ToUtf8(const std::vector<std::uint16_t>& units) {
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const std::uint32_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            appendUtf8(out, kReplacementChar);
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

// ---- script lines -----------------------------------------------------------------------------

std::string hex2(std::uint8_t b) {
    char buf[3];
    std::snprintf(buf, sizeof buf, "%02X", b);
    return buf;
}

// Modifier masks the decoder names, with the virtual key whose KeyName it shows.
struct ModifierName {
    std::uint8_t mask;
    int vk;
};
constexpr ModifierName kModifierNames[] = {{0x01, 0x11}, {0x02, 0x10}, {0x04, 0x12}, {0x08, 0x5B}, {0x80, 0x5C}};

// Mouse-button events and the name their fixed lines carry.
struct ButtonEvent {
    std::uint8_t bit;
    std::string_view name;
};
constexpr ButtonEvent kButtonEvents[] = {
    {0x01, "LeftKey"}, {0x02, "RightKey"}, {0x04, "MiddleKey"}, {0x08, "Forward"}, {0x10, "Backward"}};
constexpr std::uint8_t kButtonEventMark = 0x20;
constexpr std::uint8_t kPressBit = 0x80;
constexpr std::uint8_t kModifierOpcode = 0x01;
constexpr std::uint8_t kKeyOpcode = 0x02;

std::string eventLine(bool press, std::string_view name, std::uint8_t b0, std::uint8_t b1) {
    return std::string(press ? "1 " : "2 ") + std::string(name) + " CODE:" + hex2(b0) + hex2(b1);
}

std::optional<std::string> modifierName(std::uint8_t mask) {
    for (const auto& m : kModifierNames) {
        if (m.mask == mask) return KeyName(m.vk);
    }
    return std::nullopt;
}

std::optional<std::string_view> buttonName(std::uint8_t opcode) {
    for (const auto& b : kButtonEvents) {
        if ((opcode & 0x7F) == (kButtonEventMark | b.bit)) return b.name;
    }
    return std::nullopt;
}

// Length of an opcode that is stepped over without a line; 0 when the byte is no event.
std::size_t skippedLength(std::uint8_t opcode) {
    switch (opcode) {
        case 0x03:
        case 0xFC: return 1;
        case 0xFD: return 2;
        case 0x04:
        case 0x83: return 3;
        default: return 0;
    }
}

// Bytes the event starting with `opcode` takes; 0 for the end byte and a byte that is no event.
std::size_t eventLength(std::uint8_t opcode) {
    if (opcode == kMacroEndByte) return 0;
    if (opcode == kDelayOpcode) return 3;
    if ((opcode & 0x7F) == kModifierOpcode || (opcode & 0x7F) == kKeyOpcode) return 2;
    if (buttonName(opcode)) return 1;
    return skippedLength(opcode);
}

// The bytes of a block that its record says are in use, never past the block.
std::size_t usedLimit(ByteSpan record, ByteSpan block) {
    return std::min<std::size_t>({usedLength(record), kMacroBlockSize, block.size()});
}

// Calls `each(p)` for the event at p, in order, within the first `limit` bytes, and returns where
// the end byte is or belongs: the walk stops at the end byte, at a byte that is no event, and
// before an event that would leave no room for the end byte.
template <typename F>
std::size_t walkEvents(ByteSpan block, std::size_t limit, F&& each) {
    std::size_t p = 0;
    while (p < limit) {
        const std::size_t length = eventLength(block[p]);
        if (length == 0 || p + length >= limit) break;
        each(p);
        p += length;
    }
    return p;
}

std::optional<std::uint8_t> parseHexByte(std::string_view two) {
    std::uint8_t v = 0;
    auto [p, ec] = std::from_chars(two.data(), two.data() + two.size(), v, 16);
    if (two.size() != 2 || ec != std::errc() || p != two.data() + two.size()) return std::nullopt;
    return v;
}

}  // namespace

std::uint16_t usedLength(ByteSpan record) { return readBe16(record, kUsedLengthOffset); }

void setUsedLength(MutableByteSpan record, std::uint16_t n) { writeBe16(record, kUsedLengthOffset, n); }

std::optional<std::size_t> utf16Length(std::string_view utf8) {
    auto units = utf8ToUtf16(utf8);
    if (!units) return std::nullopt;
    return units->size();
}

std::string readMacroName(ByteSpan record) {
    const std::size_t length = std::min<std::size_t>(record[kNameLengthOffset], kMaxNameLength);
    // Code units are formed from the end, so an odd length drops the first byte.
    const std::size_t first = kNameTextOffset + length % 2;
    std::vector<std::uint16_t> units;
    for (std::size_t p = first; p + 2 <= kNameTextOffset + length; p += 2) units.push_back(readBe16(record, p));
    return utf16ToUtf8(units);
}

Status writeMacroName(MutableByteSpan record, std::string_view utf8Name) {
    auto units = utf8ToUtf16(utf8Name);
    if (!units) return makeError("macro name is not valid UTF-8 text");
    if (units->size() > kMaxNameUnits) {
        return makeError("macro name \"" + std::string(utf8Name) + "\" is longer than 14 characters");
    }
    record[kNameLengthHigh] = 0;
    record[kNameLengthOffset] = static_cast<std::uint8_t>(units->size() * 2);
    for (std::size_t i = 0; i < units->size(); ++i) writeBe16(record, kNameTextOffset + 2 * i, (*units)[i]);
    return Status::success();
}

MacroNames RefreshMacroName(ByteSpan nameTable) {
    MacroNames names;
    for (std::size_t i = 0; i < kMacroCount; ++i) {
        names[i] = readMacroName(nameTable.subspan(i * kMacroNameRecordSize, kMacroNameRecordSize));
    }
    return names;
}

Status UIToMacroName(MutableByteSpan nameTable, const MacroNames& names) {
    for (std::size_t i = 0; i < kMacroCount; ++i) {
        auto n = utf16Length(names[i]);
        if (!n || *n > kMaxNameUnits) {
            return makeError("macro " + std::to_string(i + 1) + ": name \"" + names[i] +
                             "\" is not text of at most 14 characters");
        }
    }
    for (std::size_t i = 0; i < kMacroCount; ++i) {
        // Checked above, so this cannot fail.
        (void)writeMacroName(nameTable.subspan(i * kMacroNameRecordSize, kMacroNameRecordSize), names[i]);
    }
    return Status::success();
}

std::string inspectionText(ByteSpan bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (auto b : bytes) text += hex2(b);
    return text;
}

std::string keyEventLine(bool press, int vk) {
    const std::uint8_t pressBit = press ? kPressBit : 0;
    for (const auto& m : kModifierNames) {
        if (m.vk == vk) return eventLine(press, KeyName(vk), pressBit | kModifierOpcode, m.mask);
    }
    return eventLine(press, KeyName(vk), pressBit | kKeyOpcode, KeyUsage(vk));
}

std::vector<int> modifierKeys() {
    std::vector<int> keys;
    for (const auto& m : kModifierNames) keys.push_back(m.vk);
    return keys;
}

std::string usageEventLine(bool press, std::uint8_t usage) {
    return eventLine(press, UsageName(usage), (press ? kPressBit : 0) | kKeyOpcode, usage);
}

std::string buttonEventLine(bool press, MouseButton button) {
    const ButtonEvent& b = kButtonEvents[static_cast<std::size_t>(button)];
    return eventLine(press, b.name, 0x00, (press ? kPressBit : 0) | kButtonEventMark | b.bit);
}

Result<std::size_t> encodedLineLength(std::string_view line) {
    auto bytes = encodeMacroScript({std::string(), std::string(line)});
    if (!bytes) return bytes.error();
    return bytes->size() - 1;  // without the end byte
}

Result<Bytes> encodeMacroScript(const MacroScript& script) {
    Bytes out;
    for (std::size_t n = 1; n < script.size(); ++n) {
        const std::string& line = script[n];
        if (line.empty()) continue;
        if (line[0] == '0') {
            const std::string_view number = line.size() > 2 ? std::string_view(line).substr(2) : std::string_view();
            unsigned long ms = 0;
            const bool decimal = !number.empty() &&
                                 std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
            if (decimal) {
                auto [p, ec] = std::from_chars(number.data(), number.data() + number.size(), ms);
                if (ec != std::errc() || ms > kMaxDelayMs) {
                    return makeError("line " + std::to_string(n) + ": a delay is at most 65535 ms");
                }
            }
            out.push_back(kDelayOpcode);
            out.push_back(highByte(static_cast<std::uint16_t>(ms)));
            out.push_back(lowByte(static_cast<std::uint16_t>(ms)));
            continue;
        }
        if (line.size() < 4) return makeError("line " + std::to_string(n) + ": \"" + line + "\" is not an event");
        std::string_view code = std::string_view(line).substr(line.size() - 4);
        if (code.starts_with("00")) code = code.substr(2);
        for (std::size_t i = 0; i < code.size(); i += 2) {
            auto b = parseHexByte(code.substr(i, 2));
            if (!b) return makeError("line " + std::to_string(n) + ": \"" + line + "\" has no event code");
            out.push_back(*b);
        }
    }
    out.push_back(kMacroEndByte);
    if (out.size() > kMacroBlockSize) {
        return makeError("the macro needs " + std::to_string(out.size()) + " bytes; a macro holds at most 1024",
                         "Str434");
    }
    return out;
}

Result<EncodedMacro> ScriptToMacroBlock(const MacroScript& script, MutableByteSpan record, MutableByteSpan block) {
    auto bytes = encodeMacroScript(script);
    if (!bytes) return bytes.error();
    std::copy(bytes->begin(), bytes->end(), block.begin());
    const auto n = static_cast<std::uint16_t>(bytes->size());
    setUsedLength(record, n);
    return EncodedMacro{n, inspectionText(*bytes)};
}

DecodedMacro MacroBlockToScript(ByteSpan record, ByteSpan block) {
    DecodedMacro out;
    out.script.push_back("00");
    std::vector<unsigned> delays;
    walkEvents(block, usedLimit(record, block), [&](std::size_t p) {
        const std::uint8_t b = block[p];
        const bool press = (b & kPressBit) != 0;
        if (b == kDelayOpcode) {
            const unsigned ms = readBe16(block, p + 1);
            out.script.push_back("0 " + std::to_string(ms));
            if (delays.size() < 4) delays.push_back(ms);
        } else if ((b & 0x7F) == kModifierOpcode) {
            // Masks other than the five known ones give no line.
            if (auto name = modifierName(block[p + 1])) out.script.push_back(eventLine(press, *name, b, block[p + 1]));
        } else if ((b & 0x7F) == kKeyOpcode) {
            out.script.push_back(usageEventLine(press, block[p + 1]));
        } else if (auto name = buttonName(b)) {
            out.script.push_back(eventLine(press, *name, 0x00, b));
        }
    });

    delays.resize(4, 0);
    if (std::all_of(delays.begin(), delays.end(), [](unsigned d) { return d == 0; })) {
        out.delayMode = DelayMode::NoDelay;
    } else if (std::all_of(delays.begin(), delays.end(), [&](unsigned d) { return d == delays[0]; })) {
        out.delayMode = DelayMode::DefaultDelay;
        out.script[0] = "01" + std::to_string(delays[0]);
        out.defaultDelay = delays[0];
    } else {
        out.delayMode = DelayMode::RecordDelay;
        out.script[0] = "10";
    }
    return out;
}

bool makeMacroConsistent(MutableByteSpan record, MutableByteSpan block) {
    const std::size_t used = usedLength(record);
    if (used == 0) return false;
    const std::size_t end = walkEvents(block, usedLimit(record, block), [](std::size_t) {});
    if (end + 1 == used && block[end] == kMacroEndByte) return false;
    block[end] = kMacroEndByte;
    setUsedLength(record, static_cast<std::uint16_t>(end + 1));
    return true;
}

}  // namespace varnel
