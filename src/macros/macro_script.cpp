#include "macros/macro_script.h"

#include <algorithm>
#include <charconv>

namespace varnel {

namespace {

// " CODE:" and the four hex digits that end every press and release line.
constexpr std::size_t kCodeSuffix = 10;
// The kind digit and its space that begin every line.
constexpr std::size_t kKindPrefix = 2;

std::size_t lineOf(int entry) { return static_cast<std::size_t>(entry) + 1; }

// The key or button an event line acts on: its code without the press bit of the opcode (the
// first byte, or the only one of a button code shown behind "00"). Names cannot tell keys apart:
// every key missing from the key table shows an empty one.
std::optional<unsigned> eventKey(std::string_view line) {
    if (eventKeyName(line).size() + kKindPrefix + kCodeSuffix != line.size()) return std::nullopt;
    const std::string_view digits = line.substr(line.size() - 4);
    unsigned code = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), code, 16);
    if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    constexpr unsigned kPressBit = 0x80;
    return code & ~(code > 0xFF ? kPressBit << 8 : kPressBit);
}

std::optional<std::size_t> partnerOf(const MacroScript& script, std::size_t line) {
    const ScriptLineKind kind = lineKind(script[line]);
    if (kind != ScriptLineKind::Press && kind != ScriptLineKind::Release) return std::nullopt;
    const std::optional<unsigned> key = eventKey(script[line]);
    if (!key) return std::nullopt;
    const ScriptLineKind wanted = kind == ScriptLineKind::Press ? ScriptLineKind::Release : ScriptLineKind::Press;
    const auto matches = [&](std::size_t j) { return lineKind(script[j]) == wanted && eventKey(script[j]) == key; };
    if (kind == ScriptLineKind::Press) {
        for (std::size_t j = line + 1; j < script.size(); ++j) {
            if (matches(j)) return j;
        }
    } else {
        for (std::size_t j = line - 1; j >= 1; --j) {
            if (matches(j)) return j;
        }
    }
    return std::nullopt;
}

}  // namespace

ScriptLineKind lineKind(std::string_view line) {
    if (line.empty()) return ScriptLineKind::Other;
    switch (line.front()) {
        case '0': return ScriptLineKind::Delay;
        case '1': return ScriptLineKind::Press;
        case '2': return ScriptLineKind::Release;
        default: return ScriptLineKind::Other;
    }
}

std::string_view eventKeyName(std::string_view line) {
    const ScriptLineKind kind = lineKind(line);
    if ((kind != ScriptLineKind::Press && kind != ScriptLineKind::Release) || line.size() < kKindPrefix + kCodeSuffix)
        return {};
    return line.substr(kKindPrefix, line.size() - kKindPrefix - kCodeSuffix);
}

std::string delayLine(unsigned ms) { return "0 " + std::to_string(ms); }

int eventCount(const MacroScript& script) { return script.empty() ? 0 : static_cast<int>(script.size()) - 1; }

EventCounts countEvents(const MacroScript& script) {
    EventCounts counts;
    for (std::size_t n = 1; n < script.size(); ++n) {
        const ScriptLineKind kind = lineKind(script[n]);
        if (kind == ScriptLineKind::Press) ++counts.presses;
        if (kind == ScriptLineKind::Release) ++counts.releases;
    }
    return counts;
}

std::optional<int> deleteEvent(MacroScript& script, int entry) {
    if (entry < 0 || entry >= eventCount(script)) return std::nullopt;
    const std::size_t line = lineOf(entry);
    const std::optional<std::size_t> partner = partnerOf(script, line);
    const bool releaseWithPartner = partner && *partner < line;
    if (partner && *partner > line) script.erase(script.begin() + static_cast<std::ptrdiff_t>(*partner));
    script.erase(script.begin() + static_cast<std::ptrdiff_t>(line));
    if (releaseWithPartner) script.erase(script.begin() + static_cast<std::ptrdiff_t>(*partner));

    // The entry before the deleted one; with a release and its earlier press gone, the one
    // before both.
    const int back = releaseWithPartner ? 2 : 1;
    if (entry >= back) return entry - back;
    return eventCount(script) > 0 ? 0 : -1;
}

bool insertEvent(MacroScript& script, int entry, std::string line) {
    if (script.empty() || entry < 0 || entry > eventCount(script)) return false;
    script.insert(script.begin() + static_cast<std::ptrdiff_t>(lineOf(entry)), std::move(line));
    return true;
}

std::string eventEntryText(std::string_view line) {
    if (lineKind(line) == ScriptLineKind::Delay)
        return std::string(line.substr(std::min(line.size(), kKindPrefix))) + " ms";
    if (const std::string_view name = eventKeyName(line); !name.empty()) return std::string(name);
    return std::string(line.substr(std::min(line.size(), kKindPrefix)));
}

int eventPictureIndex(std::string_view line) {
    switch (lineKind(line)) {
        case ScriptLineKind::Press: return 1;
        case ScriptLineKind::Release: return 2;
        case ScriptLineKind::Delay:
        case ScriptLineKind::Other: break;
    }
    return 0;
}

}  // namespace varnel
