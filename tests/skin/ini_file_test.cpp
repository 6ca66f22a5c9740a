#include "skin/ini_file.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(IniFile, KeepsValuesVerbatimAndSkipsComments) {
    const auto doc = IniDocument::parse(
        "\xEF\xBB\xBF// banner without equals sign\r\n"
        "; comment = not a key\r\n"
        "[lang2]\r\n"
        "Str011=Spanish \r\n"
        "Str012=English\r\n"
        "  Str013 =  padded  \r\n"
        "//Str014=commented out\n"
        "Web=https://example.org/?a=b\n"
        "Str012=second copy\n"
        "no equals sign here\n"
        "[org]\n"
        "P1_X=174\n");
    const IniSection* lang = doc.section("LANG2");
    ASSERT_NE(lang, nullptr);
    struct Row {
        const char* key;
        std::optional<std::string_view> value;
    };
    const Row rows[] = {
        {"Str011", "Spanish "},               // trailing space kept, CR removed
        {"str012", "English"},                // names ignore case; the first of repeated keys wins
        {"Str013", "  padded  "},             // value exactly as written after "="
        {"Str014", std::nullopt},             // "//" comment
        {"Web", "https://example.org/?a=b"},  // only the first "=" separates
        {"P1_X", std::nullopt},               // belongs to the next section
    };
    for (const auto& r : rows) EXPECT_EQ(lang->value(r.key), r.value) << r.key;
    ASSERT_NE(doc.section("org"), nullptr);
    EXPECT_EQ(doc.section("org")->value("P1_X"), "174");
    EXPECT_EQ(doc.section("lang1"), nullptr);
}

TEST(IniFile, KeysBeforeAnySectionAreIgnored) {
    const auto doc = IniDocument::parse("Loose=1\n[org]\nKey=2\n");
    ASSERT_EQ(doc.sections().size(), 1u);
    EXPECT_EQ(doc.sections()[0].entries().size(), 1u);
}

TEST(IniFile, ParsesDecimalIntegersOnly) {
    struct Row {
        const char* text;
        std::optional<int> value;
    };
    const Row rows[] = {
        {"507", 507},
        {" 12 ", 12},
        {"-4", -4},
        {"+3", 3},
        {"0", 0},
        {"", std::nullopt},
        {"  ", std::nullopt},
        {"12px", std::nullopt},
        {"1 2", std::nullopt},
        {"$1F", std::nullopt},
        {"0x10", std::nullopt},
        {"+-1", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const auto& r : rows) EXPECT_EQ(parseIniInt(r.text), r.value) << '"' << r.text << '"';
}

}  // namespace
}  // namespace varnel
