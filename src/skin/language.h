#pragma once
// The three language files LANG1..LANG3 (section "lang<n>"): captions, messages, font sizes and
// colours, and the product title. Texts are UTF-8 and compared byte for byte.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "skin/controls.h"
#include "skin/ini_file.h"

namespace varnel {

constexpr int kMaxFontSize = 200;
// The key naming the language's locale ("es"), whose translations Qt's own dialogs take.
constexpr std::string_view kLocaleKey = "Locale";

class LanguageFile {
public:
    LanguageFile() : section_("") {}
    explicit LanguageFile(IniSection section) : section_(std::move(section)) {}

    // The text of key `key`; a missing key gives an empty text.
    std::string text(std::string_view key) const;
    // The raw value, nullopt when the key is missing.
    std::optional<std::string_view> value(std::string_view key) const { return section_.value(key); }
    // A size or colour key as a number; nullopt when missing or not a number.
    std::optional<int> number(std::string_view key) const;
    // A font size key in points (1..kMaxFontSize); nullopt when missing, not a number or out of
    // range, so that the captions' size steps cannot overflow.
    std::optional<int> fontSize(std::string_view key) const;
    // Colour from <prefix>_R, <prefix>_G, <prefix>_B (each 0..255); nullopt when unusable.
    std::optional<Rgb> colour(std::string_view prefix) const;

private:
    IniSection section_;
};

// The three languages, numbered 1..3.
class LanguageSet {
public:
    LanguageSet() = default;
    explicit LanguageSet(std::array<LanguageFile, 3> files) : files_(std::move(files)) {}

    // Loads "LANG1".."LANG3" from the embedded resources.
    static Result<LanguageSet> loadEmbedded();
    // Builds a set from three INI texts (section "lang<n>" in text n).
    static Result<LanguageSet> fromTexts(const std::array<std::string_view, 3>& texts);

    const LanguageFile& language(int number) const { return files_[static_cast<std::size_t>(number - 1)]; }

    // FindTextKey: the key "Str100".."Str600" whose text equals `text` exactly, searching
    // LANG1, LANG2, LANG3 and in each the numbers in ascending order; the last match wins.
    // Empty when no key carries the text.
    std::string findTextKey(std::string_view text) const;

private:
    std::array<LanguageFile, 3> files_;
};

// "Str" followed by the three-digit number.
std::string textKey(int number);

}  // namespace varnel
