#include <gtest/gtest.h>

#include "profiles/image_builder.h"
#include "transfers/app_state.h"

namespace varnel {
namespace {

TEST(AppState, StartWithTheEmbeddedImage) {
    AppState state;
    auto image = embeddedDefaultImage();
    ASSERT_TRUE(image.ok());
    ASSERT_TRUE(state.applyImageHeader(*image).ok());
    ASSERT_TRUE(state.initNoDevice(*image).ok());

    EXPECT_EQ(state.DefaultChip, ChipModel::Wren);
    EXPECT_EQ(state.DefaultVid, kOurVendorId);
    EXPECT_EQ(state.DefaultPid, kOurProductId);
    EXPECT_EQ(state.ExpectedSignature, (std::array<std::uint8_t, 2>{0xFF, 0xFF}));
    EXPECT_EQ(state.DeviceIdTable[0], (DeviceId{0x1209, 0x0001}));
    EXPECT_EQ(state.DeviceIdTable[1], DeviceId{});
    EXPECT_EQ(toStoredImage(state.DataBuf, ChipModel::Wren), Bytes(image->begin(), image->end()));
    EXPECT_EQ(state.MacroNameList[0], "Macro1");
    EXPECT_EQ(state.MacroNameList[31], "Macro32");
    EXPECT_TRUE(state.DisplayDue);
    EXPECT_EQ(state.CodeTexts[0][0], "01010000");
    EXPECT_EQ(state.FireKey, std::nullopt) << "a display hands no fire-key timing to the write-back";
    EXPECT_EQ(state.EditCopy.chip, ChipModel::Wren);
}

TEST(AppState, UnknownChipByteStillSearchesTheImageIdsAndLeavesTheRestEmpty) {
    Bytes image = buildDefaultImage(0x1234, 0x5678);
    image[1] = 0xB0;
    AppState state;
    ASSERT_TRUE(state.applyImageHeader(image).ok());
    ASSERT_TRUE(state.initNoDevice(image).ok());
    EXPECT_FALSE(state.DefaultChip);
    EXPECT_EQ(state.DefaultVid, 0x1234);
    EXPECT_EQ(state.DefaultPid, 0x5678);
    EXPECT_EQ(state.DeviceIdTable[0], (DeviceId{0x1234, 0x5678}));
    EXPECT_EQ(state.ExpectedSignature, (std::array<std::uint8_t, 2>{}));
    EXPECT_EQ(state.DataBuf, DataBuf{});
    EXPECT_FALSE(state.EditCopy.chip);
}

TEST(AppState, LarkImageFillsOnlyTheLarkBlock) {
    Bytes image(154, 0);
    image[0] = 0x10;
    image[2] = 0x12, image[3] = 0x34, image[4] = 0x56, image[5] = 0x78;
    image[43] = 0xAA, image[44] = 0xBB;
    AppState state;
    ASSERT_TRUE(state.applyImageHeader(image).ok());
    ASSERT_TRUE(state.initNoDevice(image).ok());
    EXPECT_EQ(state.DefaultChip, ChipModel::Lark);
    EXPECT_EQ(state.ExpectedSignature, (std::array<std::uint8_t, 2>{0xAA, 0xBB}));
    EXPECT_EQ(state.DataBuf.parameter[43], 0xAA);
    // The zero ProfileSection fails its check, so the default maps are shown.
    EXPECT_EQ(state.CodeTexts[2][7], "06040078");
    EXPECT_EQ(state.MacroNameList[0], "");
}

TEST(AppState, WriteBackStoresTheFireKeyBoxesAndResetStartsAfresh) {
    AppState state;
    auto image = embeddedDefaultImage();
    ASSERT_TRUE(image.ok());
    ASSERT_TRUE(state.applyImageHeader(*image).ok());
    ASSERT_TRUE(state.initNoDevice(*image).ok());
    state.DeviceChip = ChipModel::Wren;
    state.LightingKind = LightingKind::Rgb;
    state.EditCopy.bytes[39] = 2;
    state.FireKey = FireKeyBoxes{"3", "100"};
    ASSERT_TRUE(state.writeBack(WriteBackPath::Apply).ok());
    EXPECT_EQ(state.DataBuf.parameter[39], 2);
    const auto off = kWrenLayout.slotOffset(ButtonMapId::Main, 4);
    EXPECT_EQ(state.DataBuf.parameter[off + 1], 6);
    EXPECT_EQ(state.DataBuf.parameter[off + 3], 200);

    state.resetForStart();
    EXPECT_FALSE(state.DefaultChip);
    EXPECT_FALSE(state.DisplayDue);
    EXPECT_EQ(state.ActiveDpiLevels, 4);
}

}  // namespace
}  // namespace varnel
