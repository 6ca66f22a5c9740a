#include <gtest/gtest.h>

#include <string>

#include "common/file_io.h"
#include "common/resources.h"
#include "config/default_image.h"
#include "config/layout.h"
#include "macros/macro_format.h"
#include "profiles/image_builder.h"

namespace varnel {
namespace {

Bytes committed(const char* name) {
    auto r = readFileAtMost(std::string(VARNEL_SOURCE_DIR) + "/resources/" + name, 1 << 20);
    EXPECT_TRUE(r.ok() && !r->longer) << name;
    return r.ok() ? r->bytes : Bytes{};
}

TEST(DefaultImage, CommittedFilesAreWhatTheGeneratorProduces) {
    EXPECT_EQ(committed("VarnelData.bin"), buildDefaultImage(kOurVendorId, kOurProductId));
    EXPECT_EQ(committed("VarnelDataLark.bin"), buildLarkDefaultImage(kOurVendorId, kOurProductId, kOurSignature));
    EXPECT_EQ(committed("DefaultFW.bin"), buildDefaultFirmware());
    auto embedded = embeddedDefaultImage();
    ASSERT_TRUE(embedded.ok());
    EXPECT_EQ(Bytes(embedded->begin(), embedded->end()), committed("VarnelData.bin"));
}

// The image a mouse gets: its own variant's from the embedded set; a single image, whatever the
// mouse, as the variant check then decides.
TEST(DefaultImage, WhichImageForTheMouse) {
    const Bytes wren = committed("VarnelData.bin"), lark = committed("VarnelDataLark.bin");
    Bytes noChip = lark;
    noChip[1] = 0x42;
    const DefaultImages embedded = embeddedDefaultImages().value(), wrenOnly(wren), larkOnly(lark), unknown(noChip);
    const struct {
        const DefaultImages& images;
        OptionalChip mouse;
        const Bytes& expected;
    } rows[] = {{embedded, std::nullopt, wren},    {embedded, ChipModel::Wren, wren},
                {embedded, ChipModel::Lark, lark}, {wrenOnly, ChipModel::Lark, wren},
                {larkOnly, ChipModel::Wren, lark}, {unknown, ChipModel::Wren, noChip}};
    for (const auto& r : rows) {
        const ByteSpan got = r.images.forMouse(r.mouse);
        EXPECT_EQ(Bytes(got.begin(), got.end()), r.expected) << "row " << (&r - rows);
    }
}

// The bytes the image must hold, written out: a swap inside a section keeps its checksum, so only
// literal bytes catch it.
TEST(DefaultImage, ParameterBlockBytesAreTheDefaultValues) {
    const Bytes header{0x00, 0xB1, 0x12, 0x09, 0x00, 0x01,  // image code, chip code, vendor 0x1209, product 0x0001
                       0x04, 0x06, 0x08, 0x00, 0x04,        // DpiCode 1..4, stage count
                       0x20, 0x00, 0x00,                    // LedFlags, device bytes
                       0x64, 0x64, 0x64,                    // Mode1Color 100 100 100
                       0x00, 0x07, 0x00, 0x04,              // breathing off, rise, on, fall
                       0x64, 0x00, 0x00, 0x00, 0x64, 0x00, 0x00, 0x00, 0x64, 0x64, 0x64, 0x00,  // StageColor 1..4
                       0x00, 0x02, 0x06, 0x0E,                                                  // device bytes
                       0x1E,                          // ParameterASection checksum
                       0x00, 0x01, 0x00, 0x04, 0x5F,  // ParameterBSection
                       0xFF, 0xFF, 0xFF, 0xA7,        // RGBLockSection
                       0xFF, 0xFF};                   // Signature
    const Bytes profile{                              // MainMap
                        0x01, 0x01, 0x00, 0x00, 0x01, 0x02, 0x00, 0x00, 0x01, 0x04, 0x00, 0x00, 0x06, 0x04, 0x00, 0x78,
                        0x02, 0x08, 0x07, 0x00, 0x09, 0x01, 0x00, 0x00, 0x01, 0x08, 0x00, 0x00, 0x01, 0x10, 0x00, 0x00,
                        0x09, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                        // SwitchMap
                        0x01, 0x01, 0x00, 0x00, 0x01, 0x02, 0x00, 0x00, 0x01, 0x04, 0x00, 0x00, 0x01, 0x08, 0x00, 0x00,
                        0x01, 0x10, 0x00, 0x00, 0x09, 0x00, 0x00, 0x00, 0x02, 0x08, 0x07, 0x00, 0x06, 0x04, 0x00, 0x78,
                        0x0E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                        // FixedMap
                        0x01, 0x01, 0x00, 0x00, 0x01, 0x02, 0x00, 0x00, 0x01, 0x04, 0x00, 0x00, 0x01, 0x08, 0x00, 0x00,
                        0x01, 0x10, 0x00, 0x00, 0x09, 0x00, 0x00, 0x00, 0x02, 0x08, 0x07, 0x00, 0x06, 0x04, 0x00, 0x78,
                        0x0E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                        0x32};  // ProfileSection checksum
    // The Lark's: its section defaults, our ids, the same signature; three default maps of nine.
    const Bytes larkHeader{0x10, 0x00, 0x12, 0x09, 0x00, 0x01,  // image code, chip code, ids
                           0x03, 0x05, 0x06, 0x08, 0x04,        // DpiCode 1..4, stage count
                           0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                           0x00, 0x00, 0xA0, 0x28, 0x0A, 0x36, 0x32, 0x07, 0x00, 0x01, 0x0A,  // 11..32
                           0x00, 0x02, 0x06, 0x0E,                                            // device bytes
                           0xF2,                          // ParameterASection checksum
                           0x01, 0x02, 0x00, 0x01, 0x5E,  // ParameterBSection
                           0xFF, 0xFF};                   // Signature
    const Bytes larkMap{0x01, 0x01, 0x00, 0x00, 0x01, 0x02, 0x00, 0x00, 0x01, 0x04, 0x00, 0x00,
                        0x01, 0x08, 0x00, 0x00, 0x01, 0x10, 0x00, 0x00, 0x09, 0x00, 0x00, 0x00,
                        0x02, 0x08, 0x07, 0x00, 0x06, 0x04, 0x00, 0x78, 0x0E, 0x00, 0x00, 0x00};
    Bytes larkProfile;
    for (int map = 0; map < 3; ++map) larkProfile.insert(larkProfile.end(), larkMap.begin(), larkMap.end());
    larkProfile.push_back(0x30);  // ProfileSection checksum
    ASSERT_EQ(header.size(), 49u);
    ASSERT_EQ(profile.size(), 133u);
    ASSERT_EQ(larkHeader.size() + larkProfile.size(), 154u);
    struct Source {
        const char* name;
        Bytes image;
        const Bytes& header;
        const Bytes& profile;
    };
    const Source sources[] = {
        {"committed VarnelData.bin", committed("VarnelData.bin"), header, profile},
        {"generator", buildDefaultImage(kOurVendorId, kOurProductId), header, profile},
        {"committed VarnelDataLark.bin", committed("VarnelDataLark.bin"), larkHeader, larkProfile},
        {"embedded VarnelDataLark", resourceCopy("VarnelDataLark"), larkHeader, larkProfile},
    };
    for (const auto& src : sources) {
        const std::size_t block = src.header.size() + src.profile.size();
        ASSERT_GE(src.image.size(), block) << src.name;
        EXPECT_EQ(Bytes(src.image.begin(), src.image.begin() + src.header.size()), src.header) << src.name;
        EXPECT_EQ(Bytes(src.image.begin() + src.header.size(), src.image.begin() + block), src.profile) << src.name;
    }
}

TEST(DefaultImage, SectionChecksumsAndFixedAreas) {
    const Bytes img = buildDefaultImage(kOurVendorId, kOurProductId);
    ASSERT_EQ(img.size(), 33984u);
    struct Row {
        Section s;
        std::uint8_t checksum;
    } rows[] = {{kWrenLayout.parameterA, 0x1E},
                {kWrenLayout.parameterB, 0x5F},
                {*kWrenLayout.rgbLock, 0xA7},
                {kWrenLayout.profile, 0x32}};
    for (const auto& r : rows) {
        EXPECT_EQ(img[r.s.checksumOffset()], r.checksum) << r.s.offset;
        EXPECT_TRUE(sectionChecksumMatches(img, r.s)) << r.s.offset;
    }
    for (std::size_t i = 182; i < 192; ++i) EXPECT_EQ(img[i], 0xFF) << i;
    auto names = RefreshMacroName(ByteSpan(img).subspan(192, 1024));
    for (std::size_t i = 0; i < 32; ++i) {
        EXPECT_EQ(names[i], "Macro" + std::to_string(i + 1));
        EXPECT_EQ(usedLength(ByteSpan(img).subspan(192 + 32 * i, 32)), 0);
    }
    auto blockByte = [&](std::size_t block, std::size_t at) { return img[1216 + 1024 * block + at]; };
    EXPECT_EQ(blockByte(0, 0), 0x00);
    EXPECT_EQ(blockByte(7, 1023), 0x00);
    EXPECT_EQ(blockByte(8, 595), 0x00);
    EXPECT_EQ(blockByte(8, 596), 0xFF);
    EXPECT_EQ(blockByte(9, 0), 0xFF);
    EXPECT_EQ(blockByte(31, 1023), 0xFF);
}

TEST(DefaultImage, OtherIdsGiveTheOtherParameterAChecksum) {
    // Ids whose bytes sum 0x7E above ours move the checksum from 0x1E to 0x98.
    const Bytes img = buildDefaultImage(0x1287, 0x0001);
    EXPECT_EQ(img[37], 0x98);
}

TEST(DefaultFirmware, HeaderVerifiesAndDetectsDamage) {
    Bytes fw = buildDefaultFirmware();
    auto h = inspectFirmware(fw);
    ASSERT_TRUE(h.ok()) << h.error().message;
    EXPECT_EQ(h->versionMajor, 1);
    EXPECT_EQ(h->versionMinor, 0);
    fw[5000] ^= 0x01;
    EXPECT_FALSE(inspectFirmware(fw).ok());
    EXPECT_FALSE(inspectFirmware(ByteSpan(fw).first(8191)).ok());
}

TEST(ImageHeader, Decision) {
    struct Row {
        std::uint8_t chip;
        OptionalChip expectChip;
        std::array<std::uint8_t, 2> sig;
    } rows[] = {
        {0, ChipModel::Lark, {43, 44}},
        {177, ChipModel::Wren, {47, 48}},
        {0xB0, std::nullopt, {0, 0}},
        {1, std::nullopt, {0, 0}},
    };
    for (const auto& r : rows) {
        Bytes img(49);
        for (std::size_t i = 0; i < img.size(); ++i) img[i] = static_cast<std::uint8_t>(i);
        img[1] = r.chip;
        img[2] = 0x12, img[3] = 0x34, img[4] = 0x56, img[5] = 0x78;
        auto h = decideImageHeader(img);
        ASSERT_TRUE(h.ok());
        EXPECT_EQ(h->DefaultChip, r.expectChip) << int(r.chip);
        EXPECT_EQ(h->ExpectedSignature, r.sig) << int(r.chip);
        EXPECT_EQ(h->DefaultVid, 0x1234) << "the ids whatever the chip byte, " << int(r.chip);
        EXPECT_EQ(h->DefaultPid, 0x5678) << int(r.chip);
    }
    EXPECT_FALSE(decideImageHeader(Bytes(48)).ok());
}

TEST(SectionDefaults, ChecksumsAndChoice) {
    EXPECT_EQ(parameterBDefaults(SectionDefaults::Lark)[4], 0x5E);
    EXPECT_EQ(parameterBDefaults(SectionDefaults::WrenColor)[4], 0x5E);
    EXPECT_EQ(parameterBDefaults(SectionDefaults::WrenRgb)[4], 0x5F);
    for (auto chip : {ChipModel::Lark, ChipModel::Wren}) {
        Bytes block(parameterBlockSize(chip), 0x00);
        storeDefaultProfile(block, chip);
        EXPECT_EQ(block[layoutFor(chip).profile.checksumOffset()], 0x30);
    }
    auto a = parameterADefaults(SectionDefaults::WrenRgb, 0xABCD, 0x0102);
    EXPECT_EQ(a[2], 0xAB);
    EXPECT_EQ(a[5], 0x02);
    EXPECT_TRUE(sectionChecksumMatches(a, Section{0, 37}));

    EXPECT_EQ(sectionDefaultsFor(std::nullopt, LightingKind::Rgb), std::nullopt);
    EXPECT_EQ(sectionDefaultsFor(ChipModel::Lark, std::nullopt), SectionDefaults::Lark);
    EXPECT_EQ(sectionDefaultsFor(ChipModel::Wren, LightingKind::Color), SectionDefaults::WrenColor);
    EXPECT_EQ(sectionDefaultsFor(ChipModel::Wren, LightingKind::Rgb), SectionDefaults::WrenRgb);
}

TEST(DefaultCopies, ShortImageChangesNothing) {
    DataBuf buf;
    buf.parameter.fill(0x5A);
    const DataBuf before = buf;
    EXPECT_FALSE(loadDefaultCopies(buf, ChipModel::Wren, Bytes(33983, 0)).ok());
    EXPECT_EQ(buf, before);
    EXPECT_TRUE(loadDefaultCopies(buf, ChipModel::Lark, Bytes(154, 7)).ok());
    EXPECT_EQ(buf.parameter[153], 7);
    EXPECT_EQ(buf.parameter[154], 0x5A);  // a Lark image fills its 154 bytes only
}

TEST(SectionChecksum, Examples) {
    EXPECT_EQ(SectionChecksum(Bytes{0x00, 0x01, 0x00, 0x04}), 0x5F);
    EXPECT_EQ(SectionChecksum(Bytes{}), 0x5A);
    EXPECT_EQ(SectionChecksum(Bytes{0xFF, 0xFF, 0xFF}), 0xA7);  // wraps modulo 256
}

}  // namespace
}  // namespace varnel
