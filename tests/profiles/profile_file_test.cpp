#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>

#include "common/file_io.h"
#include "macros/macro_format.h"
#include "profiles/image_builder.h"
#include "profiles/profile_file.h"

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
    buf.parameter[0] = 0x10;
    buf.parameter[1] = 0x00;
    for (std::size_t i = 2; i < 154; ++i) buf.parameter[i] = static_cast<std::uint8_t>(i);
    return buf;
}

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

TEST(ProfileFile, TypeCheck) {
    struct Row {
        ChipModel mouse;
        std::uint8_t b0, b1;
        bool accepted;
    } rows[] = {
        {ChipModel::Wren, 0x00, 0xB1, true},  {ChipModel::Wren, 0x00, 0x55, true},
        {ChipModel::Wren, 0x55, 0xB1, true},  {ChipModel::Wren, 0x10, 0x00, false},
        {ChipModel::Wren, 0x20, 0xB0, false}, {ChipModel::Lark, 0x10, 0x00, true},
        {ChipModel::Lark, 0x10, 0x55, true},  {ChipModel::Lark, 0x55, 0x00, true},
        {ChipModel::Lark, 0x00, 0xB1, false},
    };
    for (const auto& r : rows) {
        DataBuf buf = r.mouse == ChipModel::Wren ? wrenBuf() : larkBuf();
        buf.parameter[0] = 0x77;  // differs from every file below
        const DataBuf before = buf;
        Bytes file(storedImageSize(r.mouse), 0x33);
        file[0] = r.b0;
        file[1] = r.b1;
        auto s = loadProfileBytes(buf, r.mouse, file);
        EXPECT_EQ(s.ok(), r.accepted) << int(r.b0) << " " << int(r.b1);
        if (r.accepted) {
            EXPECT_EQ(buf.parameter[1], r.b1);
            EXPECT_EQ(buf.parameter[2], 0x33);
        } else {
            EXPECT_EQ(s.error().languageKey, "Str102");
            EXPECT_EQ(buf, before);
        }
    }
}

TEST(ProfileFile, ShortFilesAreRefusedLongerOnesCutToTheFormat) {
    for (auto chip : {ChipModel::Lark, ChipModel::Wren}) {
        DataBuf buf = chip == ChipModel::Wren ? wrenBuf() : larkBuf();
        const DataBuf before = buf;
        Bytes image = *profileFileBytes(buf, chip);
        image[5] ^= 0xFF;
        Bytes shorter(image.begin(), image.end() - 1);
        const auto refused = loadProfileBytes(buf, chip, shorter);
        ASSERT_FALSE(refused.ok());
        EXPECT_EQ(refused.error().languageKey, "Str102") << "the window says: file type error";
        EXPECT_NE(refused.error().message.find(std::to_string(shorter.size())), std::string::npos)
            << refused.error().message;
        EXPECT_EQ(buf, before);

        Bytes longer = image;
        longer.resize(image.size() + 100, 0xAB);
        ASSERT_TRUE(loadProfileBytes(buf, chip, longer).ok());
        EXPECT_EQ(*profileFileBytes(buf, chip), image);
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
    ASSERT_TRUE(loadProfileBytes(other, ChipModel::Wren, file).ok());
    EXPECT_EQ(other, buf);
    file[192 + 2 * 32] = file[192 + 2 * 32 + 1] = 0xFF;  // macro 3 claims 65535 bytes
    EXPECT_EQ(*loadProfileBytes(other, ChipModel::Wren, file), RepairedMacros{2});
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
        ASSERT_TRUE(loadProfileFile(loaded, ChipModel::Wren, *path).ok());
        EXPECT_EQ(loaded, buf);
    }
    EXPECT_FALSE(loadProfileFile(buf, ChipModel::Wren, dir / "missing.bin").ok());
    EXPECT_FALSE(saveProfileFile(buf, std::nullopt, dir / "none").ok());
    EXPECT_FALSE(fs::exists(dir / "none.bin"));
    fs::remove_all(dir);
}

}  // namespace
}  // namespace varnel
