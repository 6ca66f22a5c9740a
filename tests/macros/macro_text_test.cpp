#include <gtest/gtest.h>

#include <array>

#include "macros/macro_script.h"
#include "macros/macro_text.h"

namespace varnel {
namespace {

std::string repeated(const std::string& line, int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += line;
    return text;
}

// Text in, the bytes it stores, and the text those bytes print: printing then parsing changes no
// byte, names in any case and keys without a name (or with one another key owns) included.
TEST(MacroText, StoresTheBytesAndPrintsThemBack) {
    struct Case {
        std::string text;
        Bytes bytes;
        std::string printed;
    };
    const Case cases[] = {
        {"# copy\n\npress Ctrl\n  press a\r\ndelay 120\nrelease A\nrelease ctrl",
         {0x81, 0x01, 0x82, 0x04, 0xFE, 0x00, 0x78, 0x02, 0x04, 0x01, 0x01, 0x00},
         "press Ctrl\npress A\ndelay 120\nrelease A\nrelease Ctrl\n"},
        {"press LeftKey\nrelease leftkey\npress Backward\nrelease Backward\n",
         {0xA1, 0x21, 0xB0, 0x30, 0x00},
         "press LeftKey\nrelease LeftKey\npress Backward\nrelease Backward\n"},
        {"press 0x01\nrelease 0x1\npress 0xe7\nrelease Win\npress page up\ndelay 65535\ndelay 0\n",
         {0x82, 0x01, 0x02, 0x01, 0x82, 0xE7, 0x02, 0xE3, 0x82, 0x4B, 0xFE, 0xFF, 0xFF, 0xFE, 0x00, 0x00, 0x00},
         "press 0x01\nrelease 0x01\npress 0xE7\nrelease Win\npress Page Up\ndelay 65535\ndelay 0\n"},
        {"press 1 (numeric pad)\npress Left Windows\n",
         {0x82, 0x59, 0x81, 0x08, 0x00},
         "press 1 (numeric pad)\npress Left Windows\n"},
        {"", {0x00}, ""},
    };
    for (const auto& c : cases) {
        auto script = parseMacroText(c.text);
        ASSERT_TRUE(script.ok()) << c.text << ": " << script.error().message;
        std::array<std::uint8_t, 32> record{};
        std::array<std::uint8_t, 1024> block{};
        ASSERT_TRUE(ScriptToMacroBlock(*script, record, block).ok());
        EXPECT_EQ(Bytes(block.begin(), block.begin() + usedLength(record)), c.bytes) << c.text;
        EXPECT_EQ(macroText(MacroBlockToScript(record, block).script), c.printed) << c.text;
    }
}

// The text's own rules and the macro's limits, each at its boundary.
TEST(MacroText, RefusesWhatNoMacroHolds) {
    const std::pair<std::string, std::string> refused[] = {
        {"press A\npress Hyper", "line 2: unknown key \"Hyper\""},
        {"press 0x100", "line 1: unknown key \"0x100\""},
        {"\n# wait\ndelay 65536", "line 3: a delay is a number of milliseconds from 0 to 65535"},
        {"delay -1", "line 1: a delay is"},
        {"delay", "line 1: a delay is"},
        {"release", "line 1: release needs a key"},
        {"Press A", "line 1: \"Press\" is not press, release or delay"},
        {repeated("press A\n", 101), "101 presses and 0 releases; a macro holds at most 100 of each"},
        {repeated("release A\n", 101), "0 presses and 101 releases"},
        {repeated("delay 1\n", 342), "the macro needs 1027 bytes; a macro holds at most 1024"},
    };
    for (const auto& [text, says] : refused) {
        auto script = parseMacroText(text);
        ASSERT_FALSE(script.ok()) << text;
        EXPECT_NE(script.error().message.find(says), std::string::npos) << script.error().message;
    }
    for (const auto& fits : {repeated("press A\nrelease A\n", 100), repeated("delay 1\n", 341)})
        EXPECT_TRUE(parseMacroText(fits).ok());
}

}  // namespace
}  // namespace varnel
