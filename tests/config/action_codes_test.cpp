#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

#include "config/action_codes.h"
#include "config/key_table.h"

namespace varnel {
namespace {

std::array<std::string, 32> macroNames() {
    std::array<std::string, 32> names;
    for (std::size_t i = 0; i < names.size(); ++i) names[i] = "M" + std::to_string(i + 1);
    return names;
}

// A language lookup that shows which key was asked for.
std::string keyLookup(std::string_view key) { return "<" + std::string(key) + ">"; }

TEST(CodeToName, NamedCodesFirstThenKeyCombinations) {
    const auto names = macroNames();
    struct Row {
        const char* code;
        const char* name;
    } rows[] = {
        {"01010000", "<Str210>"},
        {"01100000", "<Str214>"},
        {"06FFFFFF", "<Str230>"},
        {"06000000", "<Str230>"},
        {"06040078", "<Str230>"},
        {"02080700", "<Str241>"},  // Win+D has a fixed name
        {"0E000000", "<Str246>"},
        {"09020000", "<Str248>"},
        {"0300CD00", "<Str250>"},
        {"0300E200", "<Str256>"},
        {"03022A00", "<Str266>"},
        {"00000000", ""},
        {"01200000", ""},
        {"0300CC00", ""},  // no exact row: empty
        {"02030405", "Ctrl+Shift+A+B"},
        {"02080800", "Win+E"},
        {"02010000", "Ctrl+"},
        {"02000000", ""},
        {"02000004", "A"},
        {"02000400", "A"},
        {"020F0000", "Ctrl+Shift+Alt+Win+"},
        {"0200E100", "Left Shift"},
        {"0200B600", ""},  // a code missing from the key table has no name
        {"10800000", "M1"},
        {"10840000", "M2"},
        {"10FC0000", "M32"},
        {"10801000", ""},  // not a macro block address
        {"10000000", ""},
        {"0D000000", ""},
        {"zz000000", ""},
        {"0101000", ""},
    };
    for (const auto& r : rows) EXPECT_EQ(CodeToName(r.code, keyLookup, names), r.name) << r.code;
}

TEST(CodeToName, UsesTheEnglishTextWithoutALanguage) {
    EXPECT_EQ(CodeToName("06040078", {}, {}), "Fire Key");
    EXPECT_EQ(CodeToName("10800000", {}, {}), "");  // no macro names known
}

TEST(NamedCodes, OneRowPerTagAndCode) {
    std::set<int> tags;
    std::set<std::string_view> codes, keys;
    for (const auto& row : namedCodes()) {
        EXPECT_TRUE(tags.insert(row.tag).second) << row.tag;
        EXPECT_TRUE(codes.insert(row.codeText).second) << row.codeText;
        EXPECT_TRUE(keys.insert(row.languageKey).second) << row.languageKey;
    }
    EXPECT_EQ(namedCodes().size(), 28u);
}

TEST(CodeForMenuItem, FixedCodesAndFireKeyFromBoxes) {
    struct Row {
        int tag;
        const char* repeat;
        const char* delay;
        std::optional<std::string> code;
    } rows[] = {
        {0, "", "", "00000000"},           {900, "", "", "01010000"},        {1001, "", "", "02080700"},
        {1306, "", "", "0300E200"},        {1406, "", "", "03022A00"},       {1000, "2", "60", "06040078"},
        {1000, "2", "16", "06040020"},     {1000, "15", "2000", "061E0FA0"}, {1000, "", "60", std::nullopt},
        {1000, "200", "60", std::nullopt}, {999, "", "", std::nullopt},
    };
    for (const auto& r : rows) EXPECT_EQ(CodeForMenuItem(r.tag, r.repeat, r.delay), r.code) << r.tag;
}

TEST(CodeText, BytesRoundTrip) {
    EXPECT_EQ(codeTextFromBytes(ActionCode{0x03, 0x00, 0xCD, 0x00}), "0300CD00");
    EXPECT_EQ(codeTextToBytes("0300CD00"), (ActionCode{0x03, 0x00, 0xCD, 0x00}));
    EXPECT_EQ(codeTextToBytes("0300cd00"), (ActionCode{0x03, 0x00, 0xCD, 0x00}));
    for (const char* bad : {"", "0300CD0", "0300CD000", "03 0CD00", "0G00CD00", "-1000000"}) {
        EXPECT_EQ(codeTextToBytes(bad), std::nullopt) << bad;
    }
    EXPECT_EQ(macroCode(31), (ActionCode{0x10, 0xFC, 0x00, 0x00}));
    EXPECT_EQ(fireKeyTimingOf(ActionCode{0x06, 0x05, 0x00, 0x79}), (FireKeyTiming{2, 60}));
}

TEST(KeyTable, Rows) {
    struct Row {
        int vk;
        const char* keyName;
        std::uint8_t usage;
        const char* usageName;
    } rows[] = {
        {0x41, "A", 0x04, "A"},
        {0x5A, "Z", 0x1D, "Z"},
        {0x31, "1", 0x1E, "1"},
        {0x39, "9", 0x26, "9"},
        {0x30, "0", 0x27, "0"},
        {0x70, "F1", 0x3A, "F1"},
        {0x7B, "F12", 0x45, "F12"},
        {0x7C, "F13", 0x68, "F13"},
        {0x87, "F24", 0x73, "F24"},
        {0x60, "0 (numeric pad)", 0x62, "0 (numeric pad)"},
        {0x61, "1 (numeric pad)", 0x59, "1 (numeric pad)"},
        {0x69, "9 (numeric pad)", 0x61, "9 (numeric pad)"},
        {0x10, "Shift", 0xE1, "Left Shift"},
        {0x11, "Ctrl", 0xE0, "Left Ctrl"},
        {0x12, "Alt", 0xE2, "Left Alt"},
        {0x5B, "Left Windows", 0xE3, "Win"},
        {0x5C, "Right Windows", 0xE7, "Win"},
        {0x20, "Space bar", 0x2C, "Space bar"},
        {0xA5, "Right Alt", 0xE6, "Right Alt"},
        {0xB5, "Launch_Media_Select", 0xD1, "Launch_Media_Select"},
        {0xDE, "OEM_7", 0x34, "OEM_7"},
        {0xB6, "Launch_App1", 0, ""},
        {0xB7, "Launch_App2", 0, ""},
        {0xDF, "OEM_8", 0, ""},
        {0xFF, "255", 0, ""},
        {0x0A, "None", 0, ""},
        {0x88, "None", 0, ""},
        {-1, "None", 0, ""},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(KeyName(r.vk), r.keyName) << r.vk;
        EXPECT_EQ(KeyUsage(r.vk), r.usage) << r.vk;
        EXPECT_EQ(UsageName(KeyUsage(r.vk)), r.usageName) << r.vk;
    }
    EXPECT_EQ(UsageName(0x74), "");
    EXPECT_EQ(UsageName(0xFF), "");
}

TEST(KeyTable, NameListHoldsDemoAndEveryKey) {
    const auto list = keyNameList();
    const std::set<std::string> names(list.begin(), list.end());
    EXPECT_EQ(names.size(), list.size()) << "names are unique";
    for (const char* n : {"None", "Demo", "255", "A", "F24", "9 (numeric pad)", "OEM_8"})
        EXPECT_TRUE(names.count(n)) << n;
    for (int vk = 0; vk < 256; ++vk) EXPECT_TRUE(names.count(KeyName(vk))) << vk;
}

}  // namespace
}  // namespace varnel
