#include "macros/macro_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <optional>
#include <vector>

#include "macros/macro_script.h"

namespace varnel {

namespace {

// A name of the text with the script lines it stands for.
struct NamedEvent {
    std::string name;
    std::string press, release;
};

constexpr MouseButton kButtons[] = {MouseButton::Left, MouseButton::Right, MouseButton::Middle, MouseButton::Forward,
                                    MouseButton::Backward};
constexpr std::string_view kHexPrefix = "0x";

// Buttons, modifiers, then key codes: when two codes share a name the first one owns it.
const std::vector<NamedEvent>& namedEvents() {
    static const std::vector<NamedEvent> table = [] {
        std::vector<NamedEvent> t;
        for (const MouseButton b : kButtons) {
            const std::string press = buttonEventLine(true, b);
            t.push_back({std::string(eventKeyName(press)), press, buttonEventLine(false, b)});
        }
        for (const int vk : modifierKeys()) {
            const std::string press = keyEventLine(true, vk);
            t.push_back({std::string(eventKeyName(press)), press, keyEventLine(false, vk)});
        }
        for (unsigned usage = 1; usage <= 0xFF; ++usage) {
            const auto u = static_cast<std::uint8_t>(usage);
            const std::string press = usageEventLine(true, u);
            if (!eventKeyName(press).empty())
                t.push_back({std::string(eventKeyName(press)), press, usageEventLine(false, u)});
        }
        return t;
    }();
    return table;
}

bool sameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

const NamedEvent* byName(std::string_view name) {
    for (const auto& e : namedEvents())
        if (sameName(e.name, name)) return &e;
    return nullptr;
}

std::string_view trimmed(std::string_view s) {
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && space(s.front())) s.remove_prefix(1);
    while (!s.empty() && space(s.back())) s.remove_suffix(1);
    return s;
}

template <typename T>
std::optional<T> number(std::string_view digits, int base) {
    T v{};
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v, base);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return v;
}

// The key code a press or release line of a key event carries (its last two hex digits).
std::string hexCode(std::string_view line) {
    std::string text(kHexPrefix);
    text += line.substr(line.size() - 2);
    return text;
}

std::string textLine(std::string_view line) {
    switch (lineKind(line)) {
        case ScriptLineKind::Delay: return "delay " + std::string(line.substr(2));
        case ScriptLineKind::Press:
        case ScriptLineKind::Release: break;
        case ScriptLineKind::Other: return "# " + std::string(line);
    }
    const bool press = lineKind(line) == ScriptLineKind::Press;
    const NamedEvent* named = byName(eventKeyName(line));
    const bool owned = named && (press ? named->press : named->release) == line;
    return std::string(press ? "press " : "release ") + (owned ? named->name : hexCode(line));
}

// The script line of "press WHAT" or "release WHAT".
Result<std::string> eventLine(bool press, std::string_view what) {
    if (what.starts_with(kHexPrefix) && what.size() <= kHexPrefix.size() + 2) {
        if (const auto code = number<std::uint8_t>(what.substr(kHexPrefix.size()), 16))
            return usageEventLine(press, *code);
    }
    if (const NamedEvent* e = byName(what)) return press ? e->press : e->release;
    return makeError("unknown key \"" + std::string(what) + "\"");
}

Result<std::string> scriptLine(std::string_view text) {
    const std::size_t space = text.find_first_of(" \t");
    const std::string_view word = text.substr(0, space);
    const std::string_view rest = space == std::string_view::npos ? std::string_view() : trimmed(text.substr(space));
    if (word == "press" || word == "release") {
        if (rest.empty()) return makeError(std::string(word) + " needs a key");
        return eventLine(word == "press", rest);
    }
    if (word == "delay") {
        const auto ms = number<unsigned long>(rest, 10);
        if (!ms || *ms > kMaxDelayMs)
            return makeError("a delay is a number of milliseconds from 0 to " + std::to_string(kMaxDelayMs));
        return delayLine(static_cast<unsigned>(*ms));
    }
    return makeError("\"" + std::string(word) + "\" is not press, release or delay");
}

}  // namespace

std::string macroText(const MacroScript& script) {
    std::string text;
    for (std::size_t n = 1; n < script.size(); ++n) text += textLine(script[n]) + '\n';
    return text;
}

Result<MacroScript> parseMacroText(std::string_view text) {
    MacroScript script{"00"};
    int number = 0;
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = trimmed(text.substr(at, end - at));
        at = end + 1;
        ++number;
        if (line.empty() || line.front() == '#') continue;
        auto event = scriptLine(line);
        if (!event) return makeError("line " + std::to_string(number) + ": " + event.error().message);
        script.push_back(std::move(*event));
    }
    const EventCounts counts = countEvents(script);
    if (counts.presses > kFullEventCount || counts.releases > kFullEventCount)
        return makeError("the macro has " + std::to_string(counts.presses) + " presses and " +
                         std::to_string(counts.releases) + " releases; a macro holds at most " +
                         std::to_string(kFullEventCount) + " of each");
    if (auto bytes = encodeMacroScript(script); !bytes) return bytes.error();
    return script;
}

}  // namespace varnel
