#include "skin/ini_file.h"

#include <charconv>

namespace varnel {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

}  // namespace

bool iniNameEquals(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    }
    return true;
}

std::optional<std::string_view> IniSection::value(std::string_view key) const {
    for (const auto& [k, v] : entries_) {
        if (iniNameEquals(k, key)) return std::string_view(v);
    }
    return std::nullopt;
}

IniDocument IniDocument::parse(std::string_view text) {
    IniDocument doc;
    if (text.starts_with(kBom)) text.remove_prefix(kBom.size());
    IniSection* current = nullptr;
    while (!text.empty()) {
        const auto eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);

        const std::string_view head = trimBlanks(line);
        if (head.empty() || head.starts_with(';') || head.starts_with("//")) continue;
        if (head.front() == '[' && head.back() == ']') {
            doc.sections_.emplace_back(std::string(trimBlanks(head.substr(1, head.size() - 2))));
            current = &doc.sections_.back();
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string_view::npos || current == nullptr) continue;
        const std::string_view key = trimBlanks(line.substr(0, eq));
        if (key.empty()) continue;
        current->add(std::string(key), std::string(line.substr(eq + 1)));
    }
    return doc;
}

const IniSection* IniDocument::section(std::string_view name) const {
    for (const auto& s : sections_) {
        if (iniNameEquals(s.name(), name)) return &s;
    }
    return nullptr;
}

std::optional<int> parseIniInt(std::string_view text) {
    text = trimBlanks(text);
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-')) return std::nullopt;
    }
    if (text.empty()) return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace varnel
