#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>

#include "common/file_io.h"
#include "macros/macro_file.h"
#include "macros/macro_format.h"
#include "profiles/image_builder.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;

DataBuf patterned() {
    DataBuf buf;
    for (std::size_t i = 0; i < buf.macroNameTable.size(); ++i)
        buf.macroNameTable[i] = static_cast<std::uint8_t>(i * 7);
    for (std::size_t i = 0; i < buf.macroArea.size(); ++i)
        buf.macroArea[i] = static_cast<std::uint8_t>(i * 13 + i / 1024);
    EXPECT_FALSE(makeMacrosConsistent(buf).empty());  // then imports keep them byte for byte
    return buf;
}

TEST(MacroFile, OneMacroMovesNameAndEvents) {
    DataBuf buf = patterned();
    const Bytes file = macroFileBytes(buf, 2);
    ASSERT_EQ(file.size(), 1056u);
    DataBuf target = patterned();
    ASSERT_TRUE(importMacroFile(target, 6, file).ok());
    EXPECT_TRUE(std::equal(target.nameRecord(6).begin(), target.nameRecord(6).end(), buf.nameRecord(2).begin()));
    EXPECT_TRUE(std::equal(target.macroBlock(6).begin(), target.macroBlock(6).end(), buf.macroBlock(2).begin()));
    EXPECT_TRUE(std::equal(target.macroBlock(5).begin(), target.macroBlock(5).end(), buf.macroBlock(5).begin()));
}

TEST(MacroFile, AllMacrosRoundTrip) {
    DataBuf buf = patterned();
    const Bytes file = macroSetFileBytes(buf);
    ASSERT_EQ(file.size(), 33792u);
    DataBuf target;
    ASSERT_TRUE(importMacroSetFile(target, file).ok());
    EXPECT_EQ(target.macroNameTable, buf.macroNameTable);
    EXPECT_EQ(target.macroArea, buf.macroArea);
}

TEST(MacroFile, ImportsSayWhichMacrosTheyMadeConsistent) {
    Bytes set = macroSetFileBytes(patterned());
    set[2 * 32] = set[2 * 32 + 1] = 0xFF;  // macro 3 claims 65535 bytes
    DataBuf buf;
    EXPECT_EQ(*importMacroSetFile(buf, set), RepairedMacros{2});
    EXPECT_EQ(repairedMacrosNote({2, 6}), "these macros did not end properly and were cut to their whole events: 3, 7");
}

TEST(MacroFile, DefaultImageExportIsItsMacroArea) {
    const Bytes image = buildDefaultImage(kOurVendorId, kOurProductId);
    DataBuf buf;
    ASSERT_TRUE(fromStoredImage(buf, ChipModel::Wren, image).ok());
    EXPECT_EQ(macroSetFileBytes(buf), Bytes(image.begin() + 192, image.end()));
    EXPECT_EQ(RefreshMacroName(buf.macroNameTable)[9], "Macro10");
}

TEST(MacroFile, FilesOfAnotherSizeAndBadIndexChangeNothing) {
    DataBuf buf = patterned();
    const DataBuf before = buf;
    EXPECT_FALSE(importMacroFile(buf, 32, Bytes(1056, 0)).ok());
    // A file of all macros is not one macro: its name records would become a macro's events.
    std::string tmpl = (fs::temp_directory_path() / "varnel_macro_XXXXXX").string();
    const fs::path dir = ::mkdtemp(tmpl.data());
    for (const auto& [size, all] :
         {std::pair{1055u, false}, {1057u, false}, {33792u, false}, {33791u, true}, {33793u, true}}) {
        const auto file = dir / ("f" + std::to_string(size) + ".bin");
        ASSERT_TRUE(writeFileAtomic(file, Bytes(size, 1)).ok());
        const auto refused = all ? importMacroSetFile(buf, file) : importMacroFile(buf, 0, file);
        EXPECT_FALSE(refused.ok()) << size;
        EXPECT_EQ(refused.error().languageKey, "Str435") << size;
    }
    fs::remove_all(dir);
    EXPECT_EQ(buf, before);
}

TEST(MacroFile, ExportAppendsBinOnlyWhenMissing) {
    std::string tmpl = (fs::temp_directory_path() / "varnel_macro_XXXXXX").string();
    const fs::path dir = ::mkdtemp(tmpl.data());
    DataBuf buf = patterned();
    auto one = exportMacroFile(buf, 3, dir / "one");
    ASSERT_TRUE(one.ok());
    EXPECT_EQ(*one, dir / "one.bin");
    auto all = exportMacroSetFile(buf, dir / "all.bin");
    ASSERT_TRUE(all.ok());
    EXPECT_EQ(*all, dir / "all.bin");
    EXPECT_EQ(fs::file_size(*one), 1056u);
    EXPECT_EQ(fs::file_size(*all), 33792u);

    DataBuf target;
    ASSERT_TRUE(importMacroSetFile(target, *all).ok());
    ASSERT_TRUE(importMacroFile(target, 0, *one).ok());
    EXPECT_TRUE(std::equal(target.macroBlock(0).begin(), target.macroBlock(0).end(), buf.macroBlock(3).begin()));
    EXPECT_FALSE(importMacroFile(target, 0, dir / "nothing.bin").ok());
    fs::remove_all(dir);
}

}  // namespace
}  // namespace varnel
