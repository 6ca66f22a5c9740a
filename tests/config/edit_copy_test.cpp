#include <gtest/gtest.h>

#include "config/default_image.h"
#include "config/edit_copy.h"
#include "profiles/image_builder.h"

namespace varnel {
namespace {

constexpr std::uint16_t kVid = 0x1209;
constexpr std::uint16_t kPid = 0x0001;

DataBuf defaultWrenBuf() {
    DataBuf buf;
    EXPECT_TRUE(fromStoredImage(buf, ChipModel::Wren, buildDefaultImage(kVid, kPid)).ok());
    return buf;
}

ShowContext wrenContext(OptionalChip device, OptionalLighting lighting = LightingKind::Rgb) {
    return ShowContext{ChipModel::Wren, device, lighting, kVid, kPid};
}

struct Shown {
    EditCopy edit;
    CodeTexts codes;
};

Shown show(const DataBuf& buf, const ShowContext& ctx) {
    Shown s;
    validateIntoEditCopy(buf, ctx, s.edit, s.codes);
    return s;
}

Bytes range(ByteSpan b, std::size_t from, std::size_t n) { return Bytes(b.begin() + from, b.begin() + from + n); }

TEST(ShowImage, DamagedParameterSectionsAreRepairedByTheMouseKind) {
    struct Row {
        const char* name;
        OptionalChip device;
        OptionalLighting lighting;
        std::optional<SectionDefaults> defaults;  // nullopt = own data kept
    } rows[] = {
        {"no mouse", std::nullopt, std::nullopt, std::nullopt},
        {"Lark mouse", ChipModel::Lark, std::nullopt, SectionDefaults::Lark},
        {"Wren Color", ChipModel::Wren, LightingKind::Color, SectionDefaults::WrenColor},
        {"Wren RGB", ChipModel::Wren, LightingKind::Rgb, SectionDefaults::WrenRgb},
    };
    for (const auto& r : rows) {
        DataBuf buf = defaultWrenBuf();
        buf.parameter[37] ^= 0xFF;  // ParameterA checksum
        buf.parameter[42] ^= 0xFF;  // ParameterB checksum
        const DataBuf original = buf;
        auto s = show(buf, wrenContext(r.device, r.lighting));
        auto block = s.edit.block();
        Bytes expectA = range(original.parameter, 0, 37);
        Bytes expectB = range(original.parameter, 38, 4);
        if (r.defaults) {
            auto a = parameterADefaults(*r.defaults, kVid, kPid);
            auto b = parameterBDefaults(*r.defaults);
            expectA.assign(a.begin(), a.begin() + 37);
            expectB.assign(b.begin(), b.begin() + 4);
        }
        EXPECT_EQ(range(block, 0, 37), expectA) << r.name;
        EXPECT_EQ(range(block, 38, 4), expectB) << r.name;
        EXPECT_TRUE(sectionChecksumMatches(block, kWrenLayout.parameterA)) << r.name;
        EXPECT_TRUE(sectionChecksumMatches(block, kWrenLayout.parameterB)) << r.name;
        EXPECT_EQ(range(block, 43, 139), range(original.parameter, 43, 139)) << r.name;
        EXPECT_EQ(buf, original) << r.name << ": showing never changes DataBuf";
    }
}

TEST(ShowImage, DamagedProfileGetsDefaultMapsWhateverTheMouse) {
    for (auto chip : {ChipModel::Lark, ChipModel::Wren}) {
        for (OptionalChip device : {OptionalChip{}, OptionalChip{chip}}) {
            DataBuf buf;
            if (chip == ChipModel::Wren) buf = defaultWrenBuf();
            const auto& layout = layoutFor(chip);
            buf.parameter[layout.profile.checksumOffset()] ^= 0x01;
            storeSectionChecksum(buf.parameterBlock(chip), layout.parameterA);
            storeSectionChecksum(buf.parameterBlock(chip), layout.parameterB);
            auto s = show(buf, ShowContext{chip, device, LightingKind::Rgb, kVid, kPid});
            for (std::size_t m = 0; m < 3; ++m) {
                EXPECT_EQ(s.codes[m][3], "01080000");
                EXPECT_EQ(s.codes[m][7], "06040078");
                EXPECT_EQ(s.codes[m][8], "0E000000");
            }
            EXPECT_EQ(s.edit.block()[layout.profile.checksumOffset()], 0x30);
            EXPECT_EQ(range(s.edit.block(), 0, layout.profile.offset),
                      range(buf.parameterBlock(chip), 0, layout.profile.offset));
        }
    }
}

TEST(ShowImage, CodeTextsComeFromTheValidatedMaps) {
    auto s = show(defaultWrenBuf(), wrenContext(std::nullopt));
    EXPECT_EQ(s.codes[0][3], "06040078");
    EXPECT_EQ(s.codes[0][4], "02080700");
    EXPECT_EQ(s.codes[0][5], "09010000");
    EXPECT_EQ(s.codes[1][5], "09000000");
    EXPECT_EQ(s.codes[2][8], "0E000000");
}

TEST(ShowImage, NoDefaultChipCopiesNothing) {
    EditCopy edit;
    CodeTexts codes;
    codes[0][0] = "stale";
    validateIntoEditCopy(defaultWrenBuf(), ShowContext{}, edit, codes);
    EXPECT_FALSE(edit.chip.has_value());
    EXPECT_EQ(codes[0][0], "");
}

TEST(WriteBack, WrenKeepsCarriedBytesThroughShowAndApply) {
    DataBuf buf = defaultWrenBuf();
    auto block = buf.parameterBlock(ChipModel::Wren);
    const std::pair<std::size_t, std::uint8_t> carried[] = {
        {12, 0xA1}, {13, 0xA2}, {33, 0xB3}, {34, 0xB4}, {35, 0xB5}, {36, 0xB6},  // device bytes
        {43, 0x11}, {44, 0x22}, {45, 0x33},                                      // LockColor
        {47, 0xC7}, {48, 0xC8},                                                  // Signature
    };
    for (auto [at, v] : carried) block[at] = v;
    for (auto m : kButtonMaps) {
        for (std::size_t slot : {10, 11}) {
            const auto off = kWrenLayout.slotOffset(m, slot);
            for (std::size_t k = 0; k < 4; ++k) block[off + k] = static_cast<std::uint8_t>(0x40 + slot + k);
        }
    }
    for (auto s : {kWrenLayout.parameterA, *kWrenLayout.rgbLock, kWrenLayout.profile}) storeSectionChecksum(block, s);
    const DataBuf original = buf;

    auto s = show(buf, wrenContext(ChipModel::Wren));
    FireKeyBoxes boxes;
    RefreshFireKeyMode(s.edit, s.codes, ChipModel::Wren, boxes);
    DataBuf out;  // all zero: everything must come from the write-back
    ASSERT_TRUE(writeBackEditCopy(out, s.edit, s.codes, ChipModel::Wren, boxes, WriteBackPath::Apply).ok());
    EXPECT_EQ(Bytes(out.parameter.begin(), out.parameter.end()),
              Bytes(original.parameter.begin(), original.parameter.end()));
}

TEST(WriteBack, RgbLockChecksumKeptOnApplyRenewedOnProfileSave) {
    for (auto path : {WriteBackPath::Apply, WriteBackPath::ProfileSave}) {
        DataBuf buf = defaultWrenBuf();
        buf.parameter[46] = 0x00;  // wrong RGBLock checksum
        auto s = show(buf, wrenContext(ChipModel::Wren));
        ASSERT_TRUE(writeBackEditCopy(buf, s.edit, s.codes, ChipModel::Wren, FireKeyBoxes{"2", "60"}, path).ok());
        EXPECT_EQ(buf.parameter[46], path == WriteBackPath::Apply ? 0x00 : 0xA7);
    }
}

TEST(WriteBack, RecomputesChecksumsOfCollectedEdits) {
    DataBuf buf = defaultWrenBuf();
    auto s = show(buf, wrenContext(ChipModel::Wren));
    s.edit.bytes[39] = 2;  // 500 Hz
    s.edit.bytes[7] = 0x09;
    ASSERT_TRUE(
        writeBackEditCopy(buf, s.edit, s.codes, ChipModel::Wren, FireKeyBoxes{"2", "60"}, WriteBackPath::Apply).ok());
    EXPECT_EQ(buf.parameter[39], 2);
    EXPECT_EQ(buf.parameter[7], 0x09);
    EXPECT_TRUE(sectionChecksumMatches(buf.parameter, kWrenLayout.parameterA));
    EXPECT_TRUE(sectionChecksumMatches(buf.parameter, kWrenLayout.parameterB));
}

TEST(WriteBack, NoMouseWritesNothingAndBadChecksumIsCorrectedWithAMouse) {
    DataBuf buf = defaultWrenBuf();
    buf.parameter[8] = 0x07;  // edited without fixing the checksum
    const DataBuf damaged = buf;
    auto s = show(buf, wrenContext(std::nullopt));
    EXPECT_EQ(s.edit.bytes[8], 0x07) << "kept without a mouse";
    ASSERT_TRUE(writeBackEditCopy(buf, s.edit, s.codes, std::nullopt, {}, WriteBackPath::Apply).ok());
    EXPECT_EQ(buf, damaged);
    ASSERT_TRUE(writeBackEditCopy(buf, s.edit, s.codes, ChipModel::Wren, {}, WriteBackPath::Apply).ok());
    EXPECT_EQ(buf.parameter[8], 0x07);
    EXPECT_TRUE(sectionChecksumMatches(buf.parameter, kWrenLayout.parameterA));
}

TEST(WriteBack, RefusesAnEditCopyOfAnotherLayout) {
    DataBuf buf = defaultWrenBuf();
    const DataBuf before = buf;
    auto s = show(buf, ShowContext{ChipModel::Lark, std::nullopt, std::nullopt, kVid, kPid});
    EXPECT_FALSE(writeBackEditCopy(buf, s.edit, s.codes, ChipModel::Wren, {}, WriteBackPath::Apply).ok());
    EXPECT_EQ(buf, before);
}

ActionCode slotOf(const DataBuf& buf, ButtonMapId m, std::size_t slot) {
    const auto off = kWrenLayout.slotOffset(m, slot);
    return {buf.parameter[off], buf.parameter[off + 1], buf.parameter[off + 2], buf.parameter[off + 3]};
}

TEST(FireKey, StoreIntoEveryFireKeySlot) {
    struct Row {
        const char* repeat;
        const char* delay;
        ActionCode expect;
    } rows[] = {
        {"2", "60", {0x06, 0x04, 0x00, 0x78}},
        {"2", "200", {0x06, 0x04, 0x01, 0x90}},
        {"15", "2000", {0x06, 0x1E, 0x0F, 0xA0}},
        {"0", "0", {0x06, 0x00, 0x00, 0x00}},
    };
    for (const auto& r : rows) {
        DataBuf buf = defaultWrenBuf();
        auto s = show(buf, wrenContext(ChipModel::Wren));
        ASSERT_TRUE(writeBackEditCopy(buf, s.edit, s.codes, ChipModel::Wren, FireKeyBoxes{r.repeat, r.delay},
                                      WriteBackPath::Apply)
                        .ok());
        EXPECT_EQ(slotOf(buf, ButtonMapId::Main, 4), r.expect) << r.delay;
        EXPECT_EQ(slotOf(buf, ButtonMapId::Switch, 8), r.expect) << r.delay;
        EXPECT_EQ(slotOf(buf, ButtonMapId::Fixed, 8), r.expect) << r.delay;
        EXPECT_EQ(s.codes[0][3], "06040078") << "CodeTexts are not rewritten";
        EXPECT_TRUE(sectionChecksumMatches(buf.parameter, kWrenLayout.profile));
    }
}

TEST(FireKey, UnstorableBoxTextsChangeNothing) {
    for (auto boxes : {FireKeyBoxes{"", "60"}, FireKeyBoxes{"2", ""}, FireKeyBoxes{"128", "60"},
                       FireKeyBoxes{"2", "32768"}, FireKeyBoxes{"2a", "60"}, FireKeyBoxes{"-1", "60"}}) {
        DataBuf buf = defaultWrenBuf();
        buf.parameter[39] = 2;  // would be written with a fresh checksum
        const DataBuf before = buf;
        auto s = show(buf, wrenContext(ChipModel::Wren));
        const EditCopy editBefore = s.edit;
        auto st = writeBackEditCopy(buf, s.edit, s.codes, ChipModel::Wren, boxes, WriteBackPath::Apply);
        EXPECT_FALSE(st.ok()) << boxes.repeat << "/" << boxes.delay;
        EXPECT_EQ(buf, before);
        EXPECT_EQ(s.edit.bytes, editBefore.bytes);
    }
}

TEST(FireKey, RecognisedByCodeNotByName) {
    // A macro slot (its macro may well be named "Fire Key") is not a Fire Key slot.
    DataBuf buf = defaultWrenBuf();
    auto s = show(buf, wrenContext(ChipModel::Wren));
    s.edit.setSlot(ButtonMapId::Main, 1, macroCode(0));
    s.codes[0][0] = codeTextFromBytes(macroCode(0));
    ASSERT_TRUE(
        writeBackEditCopy(buf, s.edit, s.codes, ChipModel::Wren, FireKeyBoxes{"5", "100"}, WriteBackPath::Apply).ok());
    EXPECT_EQ(slotOf(buf, ButtonMapId::Main, 1), macroCode(0));
    EXPECT_EQ(slotOf(buf, ButtonMapId::Main, 4), (ActionCode{0x06, 0x0A, 0x00, 0xC8}));
}

TEST(FireKey, LoadTakesTheLastFireKeySlot) {
    DataBuf buf = defaultWrenBuf();
    auto block = buf.parameterBlock(ChipModel::Wren);
    const ActionCode later{0x06, 0x1E, 0x0F, 0xA0};
    std::copy(later.begin(), later.end(), block.begin() + kWrenLayout.slotOffset(ButtonMapId::Fixed, 8));
    storeSectionChecksum(block, kWrenLayout.profile);

    struct Row {
        OptionalChip device;
        FireKeyBoxes expect;
    } rows[] = {{ChipModel::Wren, {"15", "2000"}}, {std::nullopt, {"2", "16"}}};
    for (const auto& r : rows) {
        auto s = show(buf, wrenContext(r.device));
        FireKeyBoxes boxes;
        RefreshFireKeyMode(s.edit, s.codes, r.device, boxes);
        EXPECT_EQ(boxes, r.expect);
    }

    // After the next write-back every Fire Key slot carries the shown timing.
    auto s = show(buf, wrenContext(ChipModel::Wren));
    FireKeyBoxes boxes;
    RefreshFireKeyMode(s.edit, s.codes, ChipModel::Wren, boxes);
    ASSERT_TRUE(writeBackEditCopy(buf, s.edit, s.codes, ChipModel::Wren, boxes, WriteBackPath::Apply).ok());
    EXPECT_EQ(slotOf(buf, ButtonMapId::Main, 4), later);
    EXPECT_EQ(slotOf(buf, ButtonMapId::Switch, 8), later);
}

TEST(FireKey, NoFireKeySlotKeepsTheBoxes) {
    DataBuf buf = defaultWrenBuf();
    auto s = show(buf, wrenContext(ChipModel::Wren));
    for (auto& map : s.codes) map.fill("01010000");
    FireKeyBoxes boxes{"7", "77"};
    RefreshFireKeyMode(s.edit, s.codes, ChipModel::Wren, boxes);
    EXPECT_EQ(boxes, (FireKeyBoxes{"7", "77"}));
}

}  // namespace
}  // namespace varnel
