#include <gtest/gtest.h>

#include <array>

#include "macros/macro_format.h"

namespace varnel {
namespace {

using Record = std::array<std::uint8_t, 32>;
using Block = std::array<std::uint8_t, 1024>;

Record recordWithUsed(std::uint16_t n) {
    Record r{};
    setUsedLength(r, n);
    return r;
}

Block blockOf(std::initializer_list<std::uint8_t> bytes, std::uint8_t fill = 0xFF) {
    Block b;
    b.fill(fill);
    std::copy(bytes.begin(), bytes.end(), b.begin());
    return b;
}

TEST(MacroEncode, PublishedExampleAndRoundTrip) {
    const MacroScript script{
        "10", "1 A CODE:8204", "0 120", "2 A CODE:0204", "1 LeftKey CODE:00A1", "2 LeftKey CODE:0021"};
    Record rec{};
    Block block = blockOf({}, 0xEE);
    auto enc = ScriptToMacroBlock(script, rec, block);
    ASSERT_TRUE(enc.ok()) << enc.error().message;
    EXPECT_EQ(enc->usedLength, 10);
    EXPECT_EQ(enc->hexText, "8204FE00780204A12100");
    EXPECT_EQ(Bytes(block.begin(), block.begin() + 11),
              (Bytes{0x82, 0x04, 0xFE, 0x00, 0x78, 0x02, 0x04, 0xA1, 0x21, 0x00, 0xEE}));
    EXPECT_EQ(usedLength(rec), 10);

    auto dec = MacroBlockToScript(rec, block);
    EXPECT_EQ(dec.script, script);
    EXPECT_EQ(dec.delayMode, DelayMode::RecordDelay);
}

TEST(MacroEncode, Lines) {
    struct Row {
        MacroScript script;
        Bytes expect;
    } rows[] = {
        {{"00"}, {0x00}},
        {{}, {0x00}},
        {{"00", "1 Ctrl CODE:8101"}, {0x81, 0x01, 0x00}},
        {{"00", "1 Right Windows CODE:8180"}, {0x81, 0x80, 0x00}},
        {{"00", "0 abc"}, {0xFE, 0x00, 0x00, 0x00}},
        {{"00", "0"}, {0xFE, 0x00, 0x00, 0x00}},
        {{"00", "0 65535"}, {0xFE, 0xFF, 0xFF, 0x00}},
        {{"00", "", "2 Backward CODE:0030"}, {0x30, 0x00}},
    };
    for (const auto& r : rows) {
        auto enc = encodeMacroScript(r.script);
        ASSERT_TRUE(enc.ok()) << enc.error().message;
        EXPECT_EQ(*enc, r.expect);
    }
}

TEST(MacroEncode, RefusedScriptsChangeNothing) {
    MacroScript tooLong{"10"};
    for (int i = 0; i < 341; ++i) tooLong.push_back("0 5");  // 341 * 3 + 1 = 1024: fits
    ASSERT_TRUE(encodeMacroScript(tooLong).ok());
    tooLong.push_back("1 A CODE:8204");  // 1026: does not
    const MacroScript bad[] = {tooLong, {"00", "0 65536"}, {"00", "1 A CODE:82G4"}, {"00", "1 A"}};
    for (const auto& script : bad) {
        Record rec = recordWithUsed(3);
        Block block = blockOf({0xA1, 0x21, 0x00});
        const Record recBefore = rec;
        const Block blockBefore = block;
        auto enc = ScriptToMacroBlock(script, rec, block);
        EXPECT_FALSE(enc.ok());
        EXPECT_EQ(rec, recBefore);
        EXPECT_EQ(block, blockBefore);
    }
}

TEST(MacroDecode, DelayModeFromTheFirstFourDelays) {
    struct Row {
        Bytes bytes;
        const char* header;
        DelayMode mode;
        unsigned defaultDelay;
    } rows[] = {
        {{0xFE, 0, 50, 0xFE, 0, 50, 0xFE, 0, 50, 0xFE, 0, 50, 0x00}, "0150", DelayMode::DefaultDelay, 50},
        {{0xFE, 0, 50, 0xFE, 0, 50, 0xFE, 0, 50, 0x00}, "10", DelayMode::RecordDelay, 0},
        {{0xFE, 0x05, 0xDC, 0xFE, 0x05, 0xDC, 0xFE, 0x05, 0xDC, 0xFE, 0x05, 0xDC, 0xFE, 0, 1, 0x00},
         "011500",
         DelayMode::DefaultDelay,
         1500},
        {{0xFE, 0x03, 0xE8, 0xFE, 0x03, 0xE8, 0xFE, 0x03, 0xE8, 0xFE, 0x03, 0xE8, 0x00},
         "011000",
         DelayMode::DefaultDelay,
         1000},
        {{0x82, 0x04, 0x02, 0x04, 0x00}, "00", DelayMode::NoDelay, 0},
        {{0xFE, 0, 0, 0x00}, "00", DelayMode::NoDelay, 0},
    };
    for (const auto& r : rows) {
        Block block = blockOf({});
        std::copy(r.bytes.begin(), r.bytes.end(), block.begin());
        auto dec = MacroBlockToScript(recordWithUsed(static_cast<std::uint16_t>(r.bytes.size())), block);
        EXPECT_EQ(dec.script.front(), r.header);
        EXPECT_EQ(dec.delayMode, r.mode);
        EXPECT_EQ(dec.defaultDelay, r.defaultDelay);
    }
}

TEST(MacroDecode, EventLines) {
    struct Row {
        Bytes bytes;
        MacroScript lines;  // without the header
    } rows[] = {
        {{0x81, 0x01, 0x01, 0x01}, {"1 Ctrl CODE:8101", "2 Ctrl CODE:0101"}},
        {{0x81, 0x02, 0x81, 0x04, 0x81, 0x08, 0x81, 0x80},
         {"1 Shift CODE:8102", "1 Alt CODE:8104", "1 Left Windows CODE:8108", "1 Right Windows CODE:8180"}},
        {{0x82, 0xE1}, {"1 Left Shift CODE:82E1"}},
        {{0xA2, 0x22, 0xA4, 0x24, 0xA8, 0x28, 0xB0, 0x30},
         {"1 RightKey CODE:00A2", "2 RightKey CODE:0022", "1 MiddleKey CODE:00A4", "2 MiddleKey CODE:0024",
          "1 Forward CODE:00A8", "2 Forward CODE:0028", "1 Backward CODE:00B0", "2 Backward CODE:0030"}},
        // Stepped over: unknown modifier mask, 0x03, 0xFC, 0xFD x, 0x04 x x, 0x83 x x.
        {{0x81, 0x10, 0x03, 0xFC, 0xFD, 0x99, 0x04, 1, 2, 0x83, 1, 2, 0xA1}, {"1 LeftKey CODE:00A1"}},
    };
    for (const auto& r : rows) {
        Block block = blockOf({});
        std::copy(r.bytes.begin(), r.bytes.end(), block.begin());
        block[r.bytes.size()] = 0x00;
        auto dec = MacroBlockToScript(recordWithUsed(static_cast<std::uint16_t>(r.bytes.size() + 1)), block);
        EXPECT_EQ(MacroScript(dec.script.begin() + 1, dec.script.end()), r.lines);
    }
}

TEST(MacroDecode, StaysWithinUsedLengthAndTheBlock) {
    struct Row {
        const char* name;
        std::uint16_t used;
        std::size_t at;  // where the bytes go
        Bytes bytes;
        std::size_t lines;  // event lines expected
    } rows[] = {
        {"UsedLength 0", 0, 0, {0xA1, 0x21, 0x00}, 0},
        {"UsedLength 1", 1, 0, {0xA1, 0x21}, 0},
        {"delay cut by UsedLength", 3, 0, {0xA1, 0xFE, 0x00, 0x00}, 1},
        {"delay leaving no room for the end byte", 4, 0, {0xA1, 0xFE, 0x00, 0x00}, 1},
        {"above 1024 is bounded", 0xFFFF, 1022, {0xFE, 0x00}, 0},
        {"stops at a byte that is no event", 10, 0, {0xA1, 0x77, 0xA1, 0x21, 0x00}, 1},
        {"stops at an early end byte", 10, 0, {0xA1, 0x00, 0x21, 0x00}, 1},
    };
    for (const auto& r : rows) {
        Block block = blockOf({}, 0xA1);  // any byte read past the limit would add a line
        std::copy(r.bytes.begin(), r.bytes.end(), block.begin() + static_cast<std::ptrdiff_t>(r.at));
        if (r.at > 0) std::fill_n(block.begin(), r.at, 0xFD);  // stepped-over pairs up to the tail
        auto dec = MacroBlockToScript(recordWithUsed(r.used), block);
        EXPECT_EQ(dec.script.size(), 1 + r.lines) << r.name;
        EXPECT_EQ(dec.script.front(), "00") << r.name;
    }
}

// A full block whose last event ends on byte 1024 leaves no room for the end byte: the decoder
// stops before that event, so what it decodes can be stored again and decodes to itself.
TEST(MacroDecode, EveryDecodedBlockEncodesAgain) {
    struct Row {
        const char* name;
        std::uint8_t fill;  // repeated from byte 0
        Bytes tail;         // at the end of the block
        std::size_t lines;
    } rows[] = {
        {"key events up to byte 1024", 0x82, {0x82, 0x04}, 511},
        {"a delay ending on byte 1024", 0xFC, {0xFE, 0x00, 0x05}, 0},
        {"button events", 0xA1, {}, 1023},
    };
    for (const auto& r : rows) {
        Block block = blockOf({}, r.fill);
        if (r.fill == 0x82) {
            for (std::size_t i = 1; i < block.size(); i += 2) block[i] = 0x04;
        }
        std::copy(r.tail.begin(), r.tail.end(), block.end() - static_cast<std::ptrdiff_t>(r.tail.size()));
        const auto first = MacroBlockToScript(recordWithUsed(1024), block);
        EXPECT_EQ(first.script.size(), 1 + r.lines) << r.name;
        Record rec{};
        Block again = block;
        ASSERT_TRUE(ScriptToMacroBlock(first.script, rec, again).ok()) << r.name;
        EXPECT_EQ(MacroBlockToScript(rec, again).script, first.script) << r.name;
    }
}

// A macro from a file gets whole events, its end byte and a UsedLength counting both; nothing
// past the used part changes.
TEST(MacroConsistency, CutToWholeEventsWithTheEndByte) {
    struct Row {
        std::uint16_t used;
        Bytes bytes;
        std::uint16_t usedAfter;  // 0: left byte for byte
    } rows[] = {
        {0, {0xA1, 0x21}, 0},
        {3, {0xA1, 0x21, 0x00}, 0},
        {0xFFFF, {0xA1, 0x21, 0x00}, 3},
        {0xFFFF, Bytes(1024, 0xA1), 1024},
        {4, {0xA1, 0xFE, 0x00, 0x10}, 2},
        {10, {0xA1, 0x77, 0x21, 0x00}, 2},
    };
    for (const auto& r : rows) {
        Record rec = recordWithUsed(r.used);
        Block block = blockOf({}, 0x21);
        std::copy(r.bytes.begin(), r.bytes.end(), block.begin());
        Block expected = block;
        if (r.usedAfter != 0) expected[r.usedAfter - 1] = 0x00;
        EXPECT_EQ(makeMacroConsistent(rec, block), r.usedAfter != 0) << r.used;
        EXPECT_EQ(usedLength(rec), r.usedAfter != 0 ? r.usedAfter : r.used);
        EXPECT_EQ(block, expected) << r.used;
    }
}

TEST(MacroNames, RenameKeepsTheOldTail) {
    Record rec{};
    ASSERT_TRUE(writeMacroName(rec, "Macro10").ok());
    setUsedLength(rec, 77);
    ASSERT_TRUE(writeMacroName(rec, "AB").ok());
    EXPECT_EQ(rec[2], 0);
    EXPECT_EQ(rec[3], 4);
    EXPECT_EQ(Bytes(rec.begin() + 4, rec.begin() + 8), (Bytes{0x00, 0x41, 0x00, 0x42}));
    EXPECT_EQ(Bytes(rec.begin() + 8, rec.begin() + 18), (Bytes{0, 'c', 0, 'r', 0, 'o', 0, '1', 0, '0'}));
    EXPECT_EQ(usedLength(rec), 77);
    EXPECT_EQ(readMacroName(rec), "AB");
}

TEST(MacroNames, NonAsciiNamesSurviveWithoutLoss) {
    for (const char* name : {"Überfall", "宏一", "Ωmega", "a😀b", "ABCDEFGHIJKLMN"}) {
        Record rec{};
        ASSERT_TRUE(writeMacroName(rec, name).ok()) << name;
        EXPECT_EQ(readMacroName(rec), name);
    }
    Record rec{};
    ASSERT_TRUE(writeMacroName(rec, "宏").ok());
    EXPECT_EQ(Bytes(rec.begin() + 3, rec.begin() + 6), (Bytes{2, 0x5B, 0x8F}));
}

TEST(MacroNames, RefusedNamesChangeNothing) {
    for (const char* name : {"ABCDEFGHIJKLMNO", "abcdefghijklm😀", "\xC3", "\xED\xA0\x80"}) {
        Record rec{};
        ASSERT_TRUE(writeMacroName(rec, "Keep").ok());
        const Record before = rec;
        EXPECT_FALSE(writeMacroName(rec, name).ok()) << name;
        EXPECT_EQ(rec, before);
    }
}

TEST(MacroNames, ReadingStaysInTheRecord) {
    struct Row {
        std::uint8_t nameLength;
        Bytes text;
        const char* expect;
    } rows[] = {
        {5, {0x00, 0x00, 0x41, 0x00, 0x42}, "AB"},  // odd: first byte dropped
        {0, {0x00, 0x41}, ""},
        {0xFF, {}, "ZZZZZZZZZZZZZZ"},       // read as 28
        {2, {0xD8, 0x00}, "\xEF\xBF\xBD"},  // lone surrogate
    };
    for (const auto& r : rows) {
        Record rec{};
        std::fill(rec.begin() + 4, rec.end(), 0);
        for (std::size_t i = 4; i < 32; i += 2) rec[i + 1] = 'Z';
        rec[3] = r.nameLength;
        std::copy(r.text.begin(), r.text.end(), rec.begin() + 4);
        EXPECT_EQ(readMacroName(rec), r.expect) << int(r.nameLength);
    }
}

TEST(MacroNames, TableWriteIsAllOrNothing) {
    std::array<std::uint8_t, 1024> table{};
    MacroNames names;
    for (std::size_t i = 0; i < 32; ++i) names[i] = "N" + std::to_string(i);
    ASSERT_TRUE(UIToMacroName(table, names).ok());
    EXPECT_EQ(RefreshMacroName(table), names);
    const auto before = table;
    names[31] = "a name far too long";
    names[0] = "changed";
    EXPECT_FALSE(UIToMacroName(table, names).ok());
    EXPECT_EQ(table, before);
}

}  // namespace
}  // namespace varnel
