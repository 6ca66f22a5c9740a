#include "skin/start_language.h"

#include <array>
#include <cstdlib>

namespace varnel {

namespace {

constexpr std::array<std::string_view, 3> kCodes = {"es", "en", "3"};
constexpr int kFallbackLanguage = 1;

std::string variable(const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr ? v : "";
}

// "es_ES.UTF-8@euro" is Spanish. Only the two languages with a locale are found this way.
std::optional<int> languageOfLocale(std::string_view locale) {
    const std::string_view name = locale.substr(0, locale.find_first_of("_.@"));
    if (name == "3") return std::nullopt;
    return languageFromCode(name);
}

bool isCLocale(std::string_view locale) {
    return locale == "C" || locale == "POSIX" || locale.starts_with("C.") || locale.starts_with("C@");
}

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

std::string_view languageCode(int number) {
    if (number < 1 || number > static_cast<int>(kCodes.size())) return {};
    return kCodes[static_cast<std::size_t>(number - 1)];
}

std::optional<int> languageFromCode(std::string_view code) {
    for (std::size_t i = 0; i < kCodes.size(); ++i) {
        if (kCodes[i] == code) return static_cast<int>(i + 1);
    }
    return std::nullopt;
}

LocaleVariables localeFromEnvironment() {
    return {variable("LANGUAGE"), variable("LC_ALL"), variable("LC_MESSAGES"), variable("LANG")};
}

std::optional<int> desktopLanguage(const LocaleVariables& v) {
    std::string_view locale;
    for (const std::string* s : {&v.lcAll, &v.lcMessages, &v.lang}) {
        if (!s->empty()) {
            locale = *s;
            break;
        }
    }
    if (!isCLocale(locale) && !locale.empty()) {
        std::string_view list = v.language;
        while (!list.empty()) {
            const auto colon = list.find(':');
            if (const auto n = languageOfLocale(list.substr(0, colon))) return n;
            list = colon == std::string_view::npos ? std::string_view{} : list.substr(colon + 1);
        }
    }
    return languageOfLocale(locale);
}

int startLanguage(const LanguageSources& sources) {
    if (sources.commandLine) return *sources.commandLine;
    if (sources.remembered) {
        if (const auto n = languageFromCode(trimmed(*sources.remembered))) return *n;
    }
    return desktopLanguage(sources.locale).value_or(kFallbackLanguage);
}

}  // namespace varnel
