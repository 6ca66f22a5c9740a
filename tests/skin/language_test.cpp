#include "skin/language.h"

#include <gtest/gtest.h>

#include "skin/captions.h"
#include "skin/control_catalog.h"

namespace varnel {
namespace {

LanguageSet threeFiles() {
    auto set = LanguageSet::fromTexts({
        "[lang1]\nStr050=Shared\nStr110=Shared\nStr120=Atr\xC3\xA1s\nStr130=Atr\xC3\xA1s\nStr200=*\n",
        "[lang2]\nStr120=Back\nStr140=Shared\nStr600=Top\nStr601=Beyond\n",
        "; copy\n[lang3]\nStr099=Low\nStr115=Shared\n",
    });
    EXPECT_TRUE(set.ok());
    return std::move(set).value();
}

TEST(Language, FindTextKeyLastMatchWins) {
    const LanguageSet set = threeFiles();
    struct Row {
        const char* text;
        const char* key;
    };
    const Row rows[] = {
        {"Shared", "Str115"},        // LANG3 is searched last
        {"Atr\xC3\xA1s", "Str130"},  // the higher key of one file wins
        {"Back", "Str120"},
        {"Top", "Str600"},  // the range ends at 600
        {"Beyond", ""},
        {"Low", ""},      // keys below 100 are never returned
        {"shared", ""},   // case-sensitive
        {"Shared ", ""},  // byte-exact
        {"", ""},
    };
    for (const auto& r : rows) EXPECT_EQ(set.findTextKey(r.text), r.key) << r.text;
}

TEST(Language, MissingKeyGivesEmptyTextAndNumbersAreChecked) {
    const auto set =
        LanguageSet::fromTexts({"[lang1]\nSize_A=9\nColor_A_R=255\nColor_A_G=0\nColor_A_B=7\n"
                                "Color_B_R=256\nColor_B_G=0\nColor_B_B=0\n",
                                "[lang2]\n", "[lang3]\n"});
    ASSERT_TRUE(set.ok());
    const LanguageFile& l = set->language(1);
    EXPECT_EQ(l.text("Str999"), "");
    EXPECT_EQ(l.number("Size_A"), 9);
    EXPECT_EQ(l.colour("Color_A"), (Rgb{255, 0, 7}));
    EXPECT_FALSE(l.colour("Color_B").has_value());  // 256 is out of range
    EXPECT_FALSE(l.colour("Color_C").has_value());
}

// Out-of-range sizes leave the fonts as they were, also where a caption adds a step to them.
TEST(Language, FontSizesOutOfRangeChangeNoFont) {
    struct Row {
        const char* size;
        int dpiCaption;  // lbl_DPI1 takes Size_D + 1
    } rows[] = {{"9", 10}, {"2147483647", 0}, {"0", 0}, {"-5", 0}};
    for (const auto& r : rows) {
        const std::string lang1 = "[lang1]\nSize_D=" + std::string(r.size) + "\n";
        const auto set = LanguageSet::fromTexts({lang1, "[lang2]\n", "[lang3]\n"});
        ASSERT_TRUE(set.ok());
        ControlTable controls;
        buildMainWindowControls(controls);
        CaptionsModel(controls, *set).load(1);
        EXPECT_EQ(controls.find("lbl_DPI1")->fontSize, r.dpiCaption) << r.size;
    }
}

TEST(Language, FileWithoutItsSectionIsRefused) {
    EXPECT_FALSE(LanguageSet::fromTexts({"[lang1]\n", "[lang3]\n", "[lang3]\n"}).ok());
}

TEST(Language, EmbeddedFilesResolveSharedTextsToTheHighestKey) {
    const auto set = LanguageSet::loadEmbedded();
    ASSERT_TRUE(set.ok()) << set.error().message;
    const LanguageFile& es = set->language(1);
    const LanguageFile& en = set->language(2);
    EXPECT_EQ(set->findTextKey(es.text("Str213")), "Str262");
    EXPECT_EQ(set->findTextKey(es.text("Str251")), "Str401");
    EXPECT_EQ(set->findTextKey("Left Key"), "Str210");
    EXPECT_EQ(set->findTextKey("Spanish "), "");  // Str011 is below the searched range
    EXPECT_EQ(en.text("Str011"), "Spanish ");
    EXPECT_EQ(set->language(3).text("Str011"), "Language1");
    // Our own messages must not capture any function name.
    for (const char* key : {"Str104", "Str105", "Str106", "Str107", "Str108", "Str109", "Str447", "Str448"}) {
        for (int n = 1; n <= 3; ++n) EXPECT_EQ(set->findTextKey(set->language(n).text(key)), key) << key << n;
    }
}

}  // namespace
}  // namespace varnel
