#pragma once
// Which language the window starts in: the one asked for on the command line for this run, else
// the one the user last chose in the window, else the desktop's when it is one of ours, else
// language 1.
#include <optional>
#include <string>
#include <string_view>

namespace varnel {

// The codes of the three languages on the command line and in the remembered choice: "es", "en"
// and "3" (the third language is a copy of the English one and has no locale of its own).
std::string_view languageCode(int number);
std::optional<int> languageFromCode(std::string_view code);

// The locale variables gettext reads, as the environment holds them (unset is empty).
struct LocaleVariables {
    std::string language;  // LANGUAGE, a list "de:en"
    std::string lcAll;
    std::string lcMessages;
    std::string lang;
};
LocaleVariables localeFromEnvironment();

// The desktop's language when it is one of ours. The locale is the first set of LC_ALL,
// LC_MESSAGES and LANG; LANGUAGE's list goes before it, except under the C locale (which it
// does not translate either).
std::optional<int> desktopLanguage(const LocaleVariables& locale);

struct LanguageSources {
    std::optional<int> commandLine;         // --lang, for this run only
    std::optional<std::string> remembered;  // the choice file's text; anything unknown is ignored
    LocaleVariables locale;
};
int startLanguage(const LanguageSources& sources);

}  // namespace varnel
