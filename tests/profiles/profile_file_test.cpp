#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>

#include "common/file_io.h"
#include "macros/macro_format.h"
#include "profiles/image_builder.h"
#include "profiles/profile_file.h"
#include "transfers/transfer_rig.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;

DataBuf wrenBuf() {
    DataBuf buf;
    EXPECT_TRUE(fromStoredImage(buf, ChipModel::Wren, buildDefaultImage(kOurVendorId, kOurProductId)).ok());
    return buf;
}

DataBuf larkBuf() {
    DataBuf buf;
    EXPECT_TRUE(fromStoredImage(buf, ChipModel::Lark, testing::larkDefaultImage()).ok());
    return buf;
}

// The default image's signature and the layout file's pair.
const AcceptedSignatures kSignatures{{0xFF, 0xFF}, {0, 0}};

TEST(ProfileFile, SizesAndLayout) {
    auto wren = profileFileBytes(wrenBuf(), ChipModel::Wren);
    ASSERT_TRUE(wren.ok());
    EXPECT_EQ(wren->size(), 33984u);
    for (std::size_t i = 182; i < 192; ++i) EXPECT_EQ((*wren)[i], 0xFF);
    EXPECT_EQ(*wren, buildDefaultImage(kOurVendorId, kOurProductId));

    auto lark = profileFileBytes(larkBuf(), ChipModel::Lark);
    ASSERT_TRUE(lark.ok());
    EXPECT_EQ(lark->size(), 154u);
    EXPECT_EQ((*lark)[0], 0x10);
    EXPECT_EQ((*lark)[1], 0x00);

    auto none = profileFileBytes(wrenBuf(), std::nullopt);
    ASSERT_FALSE(none.ok());
    EXPECT_EQ(none.error().languageKey, "Str022");
}

// A profile saved for the mouse, with bytes put at offsets (or resized, or zeroed), and the
// reason it is refused, if it is.
TEST(ProfileFile, WhatIsAProfile) {
    using Put = std::vector<std::pair<std::size_t, std::uint8_t>>;
    struct Row {
        ChipModel mouse;
        Put put;
        std::string refusal;  // empty: accepted
        std::size_t size = 0;  // 0: the profile's own
        bool zeros = false;
    } rows[] = {
        {ChipModel::Wren, {{0, 0x00}, {1, 0x55}}, ""},
        {ChipModel::Wren, {{0, 0x55}, {1, 0xB1}}, ""},
        {ChipModel::Wren, {{0, 0x10}, {1, 0x00}}, "the profile is for a Lark; this mouse is a Wren"},
        {ChipModel::Wren, {{0, 0x20}, {1, 0xB0}}, "not a Wren profile: its type mark 20 B0 fits no Wren"},
        {ChipModel::Lark, {{0, 0x10}, {1, 0x55}}, ""},
        {ChipModel::Lark, {{0, 0x55}, {1, 0x00}}, ""},
        {ChipModel::Lark, {{0, 0x00}, {1, 0xB1}}, "the profile is for a Wren; this mouse is a Lark"},
        {ChipModel::Wren, {{0, 0x10}, {1, 0x00}}, "the profile is for a Lark; this mouse is a Wren", 154},
        {ChipModel::Wren, {{47, 0x12}, {48, 0x34}}, "not a Wren profile: its signature 12 34 is not one"},
        {ChipModel::Lark, {{43, 0x12}, {44, 0x34}}, "not a Lark profile: its signature 12 34 is not one"},
        {ChipModel::Wren, {{47, 0x00}, {48, 0x00}, {5, 0x77}}, ""},  // the layout's pair, a damaged section
        {ChipModel::Wren, {}, "not a Wren profile: none of its checksummed sections is valid", 0, true},
        {ChipModel::Lark, {}, "not a Lark profile: none of its checksummed sections is valid", 0, true},
        {ChipModel::Wren, {}, "not a Wren profile: it is longer than the 33984 bytes of a profile", 33985},
        {ChipModel::Lark, {}, "not a Lark profile: it is longer than the 154 bytes of a profile", 155},
        {ChipModel::Lark, {}, "not a Lark profile: a Lark image needs 154 bytes, got 153", 153},
        {ChipModel::Wren, {}, "not a Wren profile: a Wren image needs 33984 bytes, got 28", 28},
    };
    for (const auto& r : rows) {
        DataBuf buf = r.mouse == ChipModel::Wren ? wrenBuf() : larkBuf();
        Bytes file = *profileFileBytes(buf, r.mouse);
        if (r.zeros) std::fill(file.begin(), file.end(), 0x00);
        for (auto [at, value] : r.put) file[at] = value;
        if (r.size) file.resize(r.size, 0xFF);
        buf.parameter[2] ^= 0xFF;  // differs from every file
        const DataBuf before = buf;
        const auto s = loadProfileBytes(buf, r.mouse, kSignatures, file);
        ASSERT_EQ(s.ok(), r.refusal.empty()) << r.refusal << (s.ok() ? "" : s.error().message);
        if (s.ok()) {
            EXPECT_EQ(*profileFileBytes(buf, r.mouse), file);
            continue;
        }
        EXPECT_EQ(s.error().languageKey, "Str102");
        EXPECT_EQ(s.error().message.substr(0, r.refusal.size()), r.refusal);
        EXPECT_EQ(buf, before);
    }
}

TEST(ProfileFile, WrenFileCarriesTheMacros) {
    DataBuf buf = wrenBuf();
    buf.macroNameTable[40] = 0x5A;
    buf.macroBlock(31)[1023] = 0x42;
    Bytes file = *profileFileBytes(buf, ChipModel::Wren);
    EXPECT_EQ(file[192 + 40], 0x5A);
    EXPECT_EQ(file.back(), 0x42);
    DataBuf other = wrenBuf();
    ASSERT_TRUE(loadProfileBytes(other, ChipModel::Wren, kSignatures, file).ok());
    EXPECT_EQ(other, buf);
    file[192 + 2 * 32] = file[192 + 2 * 32 + 1] = 0xFF;  // macro 3 claims 65535 bytes
    EXPECT_EQ(*loadProfileBytes(other, ChipModel::Wren, kSignatures, file), RepairedMacros{2});
    EXPECT_EQ(usedLength(other.nameRecord(2)), 1) << "nothing but the end byte";
}

TEST(ProfileFile, SaveAndLoadOnDisk) {
    std::string tmpl = (fs::temp_directory_path() / "varnel_profile_XXXXXX").string();
    const fs::path dir = ::mkdtemp(tmpl.data());
    DataBuf buf = wrenBuf();
    buf.parameter[39] = 2;
    struct Row {
        const char* chosen;
        const char* written;
    } rows[] = {{"p", "p.bin"}, {"q.bin", "q.bin"}};
    for (const auto& r : rows) {
        auto path = saveProfileFile(buf, ChipModel::Wren, dir / r.chosen);
        ASSERT_TRUE(path.ok());
        EXPECT_EQ(*path, dir / r.written);
        EXPECT_EQ(fs::file_size(*path), 33984u);
        DataBuf loaded = wrenBuf();
        ASSERT_TRUE(loadProfileFile(loaded, ChipModel::Wren, kSignatures, *path).ok());
        EXPECT_EQ(loaded, buf);
    }
    // A Wren's profile file on a Lark is named as such, though a Lark reads fewer bytes.
    DataBuf lark = larkBuf();
    const auto onLark = loadProfileFile(lark, ChipModel::Lark, kSignatures, dir / "p.bin");
    ASSERT_FALSE(onLark.ok());
    EXPECT_EQ(onLark.error().message, "the profile is for a Wren; this mouse is a Lark");
    EXPECT_FALSE(loadProfileFile(buf, ChipModel::Wren, kSignatures, dir / "missing.bin").ok());
    EXPECT_FALSE(saveProfileFile(buf, std::nullopt, dir / "none").ok());
    EXPECT_FALSE(fs::exists(dir / "none.bin"));
    fs::remove_all(dir);
}

}  // namespace
}  // namespace varnel
