#include "transfers/virtual_factory.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "config/variant.h"
#include "macros/macro_format.h"
#include "transfers/transfer_rig.h"

namespace varnel {
namespace {

// Only the sample macros' records and blocks differ from a plain factory mouse, and only where
// the variant keeps macros; they are there whether the image matched the variant or not.
TEST(VirtualFactory, SampleMacrosAreTheOnlyDifferenceAndOnlyOnAMouseWithMacros) {
    const Bytes firmware = testing::embeddedBytes("DefaultFW");
    const struct Row {
        ChipModel chip;
        Bytes image;
    } rows[] = {
        {ChipModel::Wren, testing::embeddedBytes("VarnelData")},
        {ChipModel::Wren, testing::larkDefaultImage()},
        {ChipModel::Lark, testing::larkDefaultImage()},
    };
    const Bytes copy{0x81, 0x01, 0xFE, 0x00, 0x1E, 0x82, 0x06, 0xFE, 0x00,
                     0x3C, 0x02, 0x06, 0xFE, 0x00, 0x1E, 0x01, 0x01, 0x00};
    // A mouse button takes one byte, a key two, a delay three.
    const Bytes doubleClick{0xA1, 0xFE, 0x00, 0x28, 0x21, 0xFE, 0x00, 0x50, 0xA1, 0xFE, 0x00, 0x28, 0x21, 0x00};
    const struct Sample {
        const char* name;
        const Bytes& used;
    } samples[] = {{"Copy", copy}, {"Double click", doubleClick}};
    for (const auto& r : rows) {
        const Bytes plain = factoryMemory(r.chip, r.image, firmware);
        Bytes sampled = factoryMemory(r.chip, r.image, firmware, FactoryContent::SampleMacros);
        const auto& flash = variantOf(r.chip).flash;
        if (!flash) {
            EXPECT_EQ(sampled, plain);
            continue;
        }
        for (std::size_t i = 0; i < 2; ++i) {
            const std::size_t recordAt = flash->macroNames + i * kMacroNameRecordSize;
            const std::size_t blockAt = flash->macroBlocks + i * kMacroBlockSize;
            const ByteSpan record = ByteSpan(sampled).subspan(recordAt, kMacroNameRecordSize);
            EXPECT_EQ(readMacroName(record), samples[i].name);
            EXPECT_EQ(usedLength(record), samples[i].used.size());
            EXPECT_EQ(Bytes(sampled.begin() + blockAt, sampled.begin() + blockAt + samples[i].used.size()),
                      samples[i].used);
            // The plain bytes back in place: nothing else may differ.
            std::copy_n(plain.begin() + recordAt, kMacroNameRecordSize, sampled.begin() + recordAt);
            std::copy_n(plain.begin() + blockAt, kMacroBlockSize, sampled.begin() + blockAt);
        }
        EXPECT_EQ(sampled, plain);
    }
}

}  // namespace
}  // namespace varnel
