#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>

#include "common/file_io.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;

struct TempDir {
    fs::path path;
    TempDir() {
        std::string tmpl = (fs::temp_directory_path() / "varnel_io_XXXXXX").string();
        path = ::mkdtemp(tmpl.data());
    }
    ~TempDir() {
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_all, ec);
        fs::remove_all(path, ec);
    }
};

TEST(FileIo, WriteThenReadAndReplace) {
    TempDir dir;
    const auto file = dir.path / "a.bin";
    ASSERT_TRUE(writeFileAtomic(file, Bytes{1, 2, 3}).ok());
    ASSERT_TRUE(writeFileAtomic(file, Bytes{9}).ok());
    auto back = readWholeFile(file);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(*back, Bytes{9});
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1) << "no temp file left";
}

TEST(FileIo, FailedWriteKeepsTheOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
    TempDir dir;
    const auto file = dir.path / "keep.bin";
    ASSERT_TRUE(writeFileAtomic(file, Bytes{1, 2, 3}).ok());
    fs::permissions(dir.path, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(writeFileAtomic(file, Bytes{4, 5}).ok());
    fs::permissions(dir.path, fs::perms::owner_all);
    EXPECT_EQ(*readWholeFile(file), (Bytes{1, 2, 3}));
}

TEST(FileIo, FailedRenameLeavesNoTempFile) {
    TempDir dir;
    fs::create_directory(dir.path / "taken.bin");
    fs::create_directory(dir.path / "taken.bin" / "child");
    EXPECT_FALSE(writeFileAtomic(dir.path / "taken.bin", Bytes{1}).ok());
    EXPECT_TRUE(fs::is_directory(dir.path / "taken.bin" / "child"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(FileIo, WriteIntoAMissingFolderFailsCleanly) {
    TempDir dir;
    auto s = writeFileAtomic(dir.path / "no" / "such.bin", Bytes{1});
    EXPECT_FALSE(s.ok());
    EXPECT_FALSE(readWholeFile(dir.path / "missing.bin").ok());
}

TEST(FileIo, BinAppendedOnlyWhenMissing) {
    struct Row {
        const char* in;
        const char* out;
    } rows[] = {
        {"/x/a", "/x/a.bin"},         {"/x/a.bin", "/x/a.bin"},       {"a.BIN", "a.BIN"},
        {"/x.bin/a", "/x.bin/a.bin"}, {"a.bin.txt", "a.bin.txt.bin"}, {".bin", ".bin"},
    };
    for (const auto& r : rows) EXPECT_EQ(withBinExtension(r.in), fs::path(r.out)) << r.in;
}

TEST(FileIo, BinFileIsWrittenWhereItsNameSays) {
    struct Row {
        const char* given;
        const char* written;
    } rows[] = {{"plain", "plain.bin"}, {"upper.BIN", "upper.BIN"}};
    for (const auto& r : rows) {
        TempDir dir;
        auto saved = writeBinFile(dir.path / r.given, Bytes{7, 8});
        ASSERT_TRUE(saved.ok()) << r.given;
        EXPECT_EQ(*saved, dir.path / r.written) << r.given;
        EXPECT_EQ(*readWholeFile(dir.path / r.written), (Bytes{7, 8})) << r.given;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1) << r.given;
    }
    TempDir dir;
    EXPECT_FALSE(writeBinFile(dir.path / "no" / "such", Bytes{1}).ok());
}

}  // namespace
}  // namespace varnel
