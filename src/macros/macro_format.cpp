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
                if (ec != std::errc() || ms > 0xFFFF) {
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
    const std::size_t limit = std::min<std::size_t>({usedLength(record), kMacroBlockSize, block.size()});
    std::vector<unsigned> delays;
    std::size_t p = 0;
    while (p + 1 < limit) {
        const std::uint8_t b = block[p];
        // An event must leave room in the block for the end byte, or its script could not be
        // stored again.
        const auto fits = [&](std::size_t len) { return p + len <= limit && p + len < kMacroBlockSize; };
        if (b == kMacroEndByte) break;
        if (b == kDelayOpcode) {
            if (!fits(3)) break;
            const unsigned ms = readBe16(block, p + 1);
            out.script.push_back("0 " + std::to_string(ms));
            if (delays.size() < 4) delays.push_back(ms);
            p += 3;
        } else if ((b & 0x7F) == 0x01 || (b & 0x7F) == 0x02) {
            if (!fits(2)) break;
            const bool press = (b & kPressBit) != 0;
            const std::uint8_t arg = block[p + 1];
            if ((b & 0x7F) == 0x01) {
                if (auto name = modifierName(arg)) out.script.push_back(eventLine(press, *name, b, arg));
            } else {
                out.script.push_back(eventLine(press, UsageName(arg), b, arg));
            }
            p += 2;
        } else if (auto name = buttonName(b)) {
            out.script.push_back(eventLine((b & kPressBit) != 0, *name, 0x00, b));
            p += 1;
        } else if (const auto len = skippedLength(b); len != 0) {
            if (!fits(len)) break;
            p += len;
        } else {
            break;  // not an event: the rest cannot be framed
        }
    }

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

}  // namespace varnel
