#include "skin/start_language.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(StartLanguage, CommandLineThenRememberedThenDesktopThenLanguageOne) {
    struct Row {
        std::optional<int> commandLine;
        std::optional<std::string> remembered;
        LocaleVariables locale;
        int expected;
    };
    const LocaleVariables english{"", "", "", "en_US.UTF-8"};
    const Row rows[] = {
        {2, "3\n", {"", "es_ES.UTF-8", "", ""}, 2},  // --lang over everything
        {std::nullopt, "3\n", english, 3},           // the last choice over the desktop
        {std::nullopt, "es", english, 1},            // a code without its line end
        {std::nullopt, "fr\n", english, 2},          // an unknown choice is ignored
        {std::nullopt, "", english, 2},
        {std::nullopt, std::nullopt, english, 2},
        {std::nullopt, std::nullopt, {"", "", "", "de_DE.UTF-8"}, 1},  // not one of ours
        {std::nullopt, std::nullopt, {}, 1},
        // The locale is the first set of LC_ALL, LC_MESSAGES, LANG, whatever the others say.
        {std::nullopt, std::nullopt, {"", "es_MX", "en_US", "en_US"}, 1},
        {std::nullopt, std::nullopt, {"", "", "es_ES@euro", "en_US"}, 1},
        {std::nullopt, std::nullopt, {"", "de_DE", "en_US", "en_US"}, 1},
        {std::nullopt, std::nullopt, {"", "", "", "es"}, 1},
        {std::nullopt, std::nullopt, {"", "", "", "english"}, 1},  // a name, not a code
        // LANGUAGE's list goes first, its first language of ours wins ...
        {std::nullopt, std::nullopt, {"de:es:en", "", "", "en_US.UTF-8"}, 1},
        {std::nullopt, std::nullopt, {"fr:de", "", "", "en_US.UTF-8"}, 2},
        // ... except under the C locale, which it does not translate.
        {std::nullopt, std::nullopt, {"en", "", "", "C.UTF-8"}, 1},
        {std::nullopt, std::nullopt, {"en", "", "", ""}, 1},
        {std::nullopt, std::nullopt, {"en", "POSIX", "", "es_ES"}, 1},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(startLanguage({r.commandLine, r.remembered, r.locale}), r.expected)
            << r.remembered.value_or("-") << " " << r.locale.language << "|" << r.locale.lcAll << "|"
            << r.locale.lcMessages << "|" << r.locale.lang;
    }
}

TEST(StartLanguage, CodesRoundTrip) {
    for (int n = 1; n <= 3; ++n) EXPECT_EQ(languageFromCode(languageCode(n)), n);
    for (const char* bad : {"", "ES", "2", "en_US", "4"}) EXPECT_EQ(languageFromCode(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace varnel
