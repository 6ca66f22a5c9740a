#pragma once
// A small INI reader for the embedded layout and language texts. Values are kept exactly as
// written after the "=" (trailing spaces included: "Spanish " must stay "Spanish "); only the line
// end is removed. Lines starting with ";" or "//" are comments, and a line without "=" is ignored.
// Section and key names compare without regard to ASCII case; the first of repeated keys wins.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varnel {

class IniSection {
public:
    explicit IniSection(std::string name) : name_(std::move(name)) {}

    const std::string& name() const { return name_; }
    // The value of `key`, or nullopt when the section has no such key.
    std::optional<std::string_view> value(std::string_view key) const;
    // Entries in file order.
    const std::vector<std::pair<std::string, std::string>>& entries() const { return entries_; }

    void add(std::string key, std::string value) { entries_.emplace_back(std::move(key), std::move(value)); }

private:
    std::string name_;
    std::vector<std::pair<std::string, std::string>> entries_;
};

class IniDocument {
public:
    // Parses UTF-8 (or plain ASCII) text; a leading byte-order mark is skipped.
    static IniDocument parse(std::string_view text);

    const IniSection* section(std::string_view name) const;
    const std::vector<IniSection>& sections() const { return sections_; }

private:
    std::vector<IniSection> sections_;
};

// ASCII case-insensitive equality, as INI names compare.
bool iniNameEquals(std::string_view a, std::string_view b);

// A decimal integer with optional sign; surrounding blanks are allowed, anything else is not.
std::optional<int> parseIniInt(std::string_view text);

}  // namespace varnel
