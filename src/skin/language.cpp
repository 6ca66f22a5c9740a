#include "skin/language.h"

#include "common/resources.h"

namespace varnel {

namespace {

constexpr int kFirstSearchedKey = 100;
constexpr int kLastSearchedKey = 600;

std::string_view asText(ByteSpan bytes) { return {reinterpret_cast<const char*>(bytes.data()), bytes.size()}; }

}  // namespace

std::string textKey(int number) {
    std::string digits = std::to_string(number);
    while (digits.size() < 3) digits.insert(digits.begin(), '0');
    return "Str" + digits;
}

std::string LanguageFile::text(std::string_view key) const {
    const auto v = section_.value(key);
    return v ? std::string(*v) : std::string{};
}

std::optional<int> LanguageFile::number(std::string_view key) const {
    const auto v = section_.value(key);
    return v ? parseIniInt(*v) : std::nullopt;
}

std::optional<int> LanguageFile::fontSize(std::string_view key) const {
    const auto n = number(key);
    if (!n || *n < 1 || *n > kMaxFontSize) return std::nullopt;
    return n;
}

std::optional<Rgb> LanguageFile::colour(std::string_view prefix) const {
    std::array<std::uint8_t, 3> rgb{};
    const char* suffixes[] = {"_R", "_G", "_B"};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto n = number(std::string(prefix) + suffixes[i]);
        if (!n || *n < 0 || *n > 255) return std::nullopt;
        rgb[i] = static_cast<std::uint8_t>(*n);
    }
    return Rgb{rgb[0], rgb[1], rgb[2]};
}

Result<LanguageSet> LanguageSet::fromTexts(const std::array<std::string_view, 3>& texts) {
    std::array<LanguageFile, 3> files;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string sectionName = "lang" + std::to_string(i + 1);
        const IniDocument doc = IniDocument::parse(texts[i]);
        const IniSection* section = doc.section(sectionName);
        if (section == nullptr)
            return makeError("language file " + std::to_string(i + 1) + " has no section [" + sectionName + "]");
        files[i] = LanguageFile(*section);
    }
    return LanguageSet(std::move(files));
}

Result<LanguageSet> LanguageSet::loadEmbedded() {
    std::array<std::string_view, 3> texts;
    for (std::size_t i = 0; i < 3; ++i) {
        auto bytes = findResource("LANG" + std::to_string(i + 1));
        if (!bytes) return bytes.error();
        texts[i] = asText(*bytes);
    }
    return fromTexts(texts);
}

std::string LanguageSet::findTextKey(std::string_view text) const {
    std::string result;
    for (const auto& file : files_) {
        for (int n = kFirstSearchedKey; n <= kLastSearchedKey; ++n) {
            const std::string key = textKey(n);
            const auto v = file.value(key);
            if (v && *v == text) result = key;
        }
    }
    return result;
}

}  // namespace varnel
