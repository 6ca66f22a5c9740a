#include "platform/hid_descriptor.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace varnel {
namespace {

Bytes readData(const std::string& name) {
    std::ifstream in(std::string(VARNEL_TEST_DATA_DIR) + "/hid/" + name, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(HidDescriptor, FeatureReportLengthOfRealDescriptors) {
    struct Case {
        const char* file;
        std::size_t featureLength;
        std::map<std::uint8_t, std::size_t> inputBits;
    };
    const Case cases[] = {
        {"vendor_feature_40_41.bin", 8, {}},
        {"boot_mouse.bin", 0, {{0, 24}}},
        {"boot_keyboard.bin", 0, {{0, 64}}},
        // Features 5 (5 bytes) and 6 (2 bytes, behind Push/Pop); inputs 1..3.
        {"multi_report_ids.bin", 6, {{1, 48}, {2, 16}, {3, 8}}},
    };
    for (const auto& c : cases) {
        Bytes d = readData(c.file);
        ASSERT_FALSE(d.empty()) << c.file;
        auto s = parseReportDescriptor(d);
        ASSERT_TRUE(s.ok()) << c.file << ": " << s.error().message;
        EXPECT_EQ(s->featureReportByteLength(), c.featureLength) << c.file;
        EXPECT_EQ(s->inputBits, c.inputBits) << c.file;
    }
    auto multi = parseReportDescriptor(readData("multi_report_ids.bin"));
    EXPECT_EQ(multi->featureBits, (std::map<std::uint8_t, std::size_t>{{5, 40}, {6, 16}}));
}

TEST(HidDescriptor, EdgeCases) {
    struct Case {
        const char* name;
        Bytes bytes;
        bool ok;
        std::size_t featureLength;
    };
    const Case cases[] = {
        // Without report ids the buffer still has the id byte in front.
        {"no report id", {0x75, 0x08, 0x95, 0x07, 0xB1, 0x02}, true, 8},
        {"odd bit count rounds up", {0x85, 0x02, 0x75, 0x01, 0x95, 0x09, 0xB1, 0x02}, true, 3},
        // Four-byte item (size code 3) for the count: 0x96 is Report Count with 2 bytes.
        {"two-byte count", {0x75, 0x08, 0x96, 0x00, 0x01, 0xB1, 0x02}, true, 257},
        {"four-byte item", {0x77, 0x08, 0x00, 0x00, 0x00, 0x95, 0x02, 0xB1, 0x02}, true, 3},
        {"truncated item", {0x75, 0x08, 0x96, 0x00}, false, 0},
        {"truncated long item", {0xFE, 0x05, 0x10, 0x00}, false, 0},
        {"pop without push", {0xB4}, false, 0},
        {"empty", {}, true, 0},
        // Four features of 2^62 bits each would wrap the total to 0 before a 7-byte one.
        {"report longer than any buffer",
         {0x77, 0x00, 0x00, 0x00, 0x80, 0x97, 0x00, 0x00, 0x00, 0x80, 0xB1, 0x02, 0xB1, 0x02, 0xB1, 0x02, 0xB1, 0x02,
          0x75, 0x08, 0x95, 0x07, 0xB1, 0x02},
         false, 0},
        {"largest report", {0x75, 0x08, 0x96, 0x00, 0x40, 0xB1, 0x02}, true, 16385},
        {"one byte more", {0x75, 0x08, 0x96, 0x01, 0x40, 0xB1, 0x02}, false, 0},
    };
    for (const auto& c : cases) {
        auto s = parseReportDescriptor(c.bytes);
        ASSERT_EQ(s.ok(), c.ok) << c.name;
        if (c.ok) {
            EXPECT_EQ(s->featureReportByteLength(), c.featureLength) << c.name;
        }
    }
}

}  // namespace
}  // namespace varnel
