#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "common/file_io.h"
#include "unprivileged.h"

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
    auto back = readFileAtMost(file, 16);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back->bytes, Bytes{9});
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1) << "no temp file left";
}

TEST(FileIo, FailedWriteKeepsTheOldFile) {
    testing::runUnprivileged([](const fs::path& dir) {
        const auto file = dir / "keep.bin";
        ASSERT_TRUE(writeFileAtomic(file, Bytes{1, 2, 3}).ok());
        fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(writeFileAtomic(file, Bytes{4, 5}).ok());
        fs::permissions(dir, fs::perms::owner_all);
        EXPECT_EQ(readFileAtMost(file, 16)->bytes, (Bytes{1, 2, 3}));
    });
}

TEST(FileIo, FailedRenameLeavesNoTempFile) {
    TempDir dir;
    fs::create_directory(dir.path / "taken.bin");
    fs::create_directory(dir.path / "taken.bin" / "child");
    EXPECT_FALSE(writeFileAtomic(dir.path / "taken.bin", Bytes{1}).ok());
    EXPECT_TRUE(fs::is_directory(dir.path / "taken.bin" / "child"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

// The calls of an atomic write, logged by name; the one named `failing` fails with `err`.
struct FileCallLog {
    std::string failing;
    int err = 0;
    std::vector<std::string> calls{};
    int folderFd = -1;

    template <typename Real>
    auto step(const std::string& name, Real real) {
        calls.push_back(name);
        if (name != failing) return real();
        if (name.starts_with("close")) real();  // a failed close still frees the descriptor
        errno = err;
        return decltype(real())(-1);
    }
    std::string forFd(const char* name, int fd) const { return std::string(name) + (fd == folderFd ? " folder" : ""); }

    FileCalls table() {
        const FileCalls& sys = systemFileCalls();
        FileCalls c;
        c.createTemp = [this, &sys](char* t) { return step("create", [&] { return sys.createTemp(t); }); };
        c.write = [this, &sys](int fd, const void* d, std::size_t n) {
            return step("write", [&] { return sys.write(fd, d, n); });
        };
        c.fsync = [this, &sys](int fd) { return step(forFd("fsync", fd), [&] { return sys.fsync(fd); }); };
        c.close = [this, &sys](int fd) { return step(forFd("close", fd), [&] { return sys.close(fd); }); };
        c.rename = [this, &sys](const char* a, const char* b) { return step("rename", [&] { return sys.rename(a, b); }); };
        c.openFolder = [this, &sys](const char* f) {
            return folderFd = step("open folder", [&] { return sys.openFolder(f); });
        };
        return c;
    }
};

// Whichever call fails, the previous file stays byte for byte, no temporary file is left, and the
// message carries the system's reason. After the rename only the folder's sync can fail: the new
// file is in place then, and the message says that it may not last.
TEST(FileIo, EveryFailingCallKeepsThePreviousFile) {
    const std::vector<std::string> order{"create",      "write",        "fsync",        "close",
                                         "rename",      "open folder", "fsync folder", "close folder"};
    struct Row {
        const char* failing;
        int err;
        bool replaced;  // the new content is in place
        const char* says;
    } rows[] = {
        {"", 0, true, nullptr},
        {"create", EMFILE, false, "nothing was changed"},
        {"write", ENOSPC, false, "nothing was changed"},
        {"fsync", EIO, false, "nothing was changed"},
        {"close", EDQUOT, false, "nothing was changed"},
        {"rename", EXDEV, false, "nothing was changed"},
        {"open folder", EACCES, true, "may not survive a power loss"},
        {"fsync folder", EIO, true, "may not survive a power loss"},
        {"fsync folder", EINVAL, true, nullptr},  // a file system without folder syncs
    };
    for (const auto& r : rows) {
        TempDir dir;
        const auto file = dir.path / "keep.bin";
        ASSERT_TRUE(writeFileAtomic(file, Bytes{1, 2, 3}).ok());
        FileCallLog log{r.failing, r.err};
        Status s = Status::success();
        {
            ScopedFileCalls calls(log.table());
            s = writeFileAtomic(file, Bytes{4, 5});
        }
        EXPECT_EQ(readFileAtMost(file, 16)->bytes, (r.replaced ? Bytes{4, 5} : Bytes{1, 2, 3})) << r.failing;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1) << r.failing;
        if (!r.says) {
            EXPECT_TRUE(s.ok()) << r.failing;
            EXPECT_EQ(log.calls, order);
            continue;
        }
        ASSERT_FALSE(s.ok()) << r.failing;
        EXPECT_NE(s.error().message.find(r.says), std::string::npos) << s.error().message;
        EXPECT_NE(s.error().message.find(std::strerror(r.err)), std::string::npos) << s.error().message;
    }
}

// A file that may not be written is refused with the reason, whoever runs the program.
TEST(FileIo, AWriteProtectedFileIsNotReplaced) {
    TempDir dir;
    const auto file = dir.path / "locked.bin";
    ASSERT_TRUE(writeFileAtomic(file, Bytes{1, 2, 3}).ok());
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const Status s = writeFileAtomic(file, Bytes{4});
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().message, "\"" + file.string() + "\" is write-protected: it was not replaced");
    EXPECT_EQ(readFileAtMost(file, 16)->bytes, (Bytes{1, 2, 3}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(FileIo, WritingOverWhatIsNotAFileIsRefusedAndKeepsIt) {
    TempDir dir;
    const fs::path pipe = dir.path / "pipe.bin";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    fs::create_directory(dir.path / "folder.bin");
    for (const fs::path& target : {pipe, dir.path / "folder.bin"}) {
        const Status s = writeFileAtomic(target, Bytes{1, 2, 3});
        ASSERT_FALSE(s.ok()) << target;
        EXPECT_NE(s.error().message.find("not a file"), std::string::npos) << s.error().message;
    }
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_TRUE(fs::is_directory(dir.path / "folder.bin"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 2) << "no temporary left";

    // A link to a file is written through: the link stays and names the new content.
    ASSERT_TRUE(writeFileAtomic(dir.path / "real.bin", Bytes{1}).ok());
    fs::create_symlink(dir.path / "real.bin", dir.path / "link.bin");
    ASSERT_TRUE(writeFileAtomic(dir.path / "link.bin", Bytes{7, 8}).ok());
    EXPECT_TRUE(fs::is_symlink(dir.path / "link.bin"));
    EXPECT_EQ(readFileAtMost(dir.path / "real.bin", 16)->bytes, (Bytes{7, 8}));
}

TEST(FileIo, WriteIntoAMissingFolderFailsCleanly) {
    TempDir dir;
    auto s = writeFileAtomic(dir.path / "no" / "such.bin", Bytes{1});
    EXPECT_FALSE(s.ok());
    EXPECT_FALSE(readFileAtMost(dir.path / "missing.bin", 16).ok());
}

// readFileAtMost on another thread, given five seconds: a read that blocks on a pipe fails the test
// and is then released by opening the pipe's other end.
Result<FileHead> readWithinFiveSeconds(const fs::path& path, std::size_t maxBytes) {
    Result<FileHead> head = Error{};
    std::atomic<bool> done = false;
    std::thread reader([&] {
        head = readFileAtMost(path, maxBytes);
        done = true;
    });
    for (int i = 0; i < 500 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!done) {
        ADD_FAILURE() << path << ": the read blocked";
        const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
    }
    reader.join();
    return head;
}

TEST(FileIo, ReadsAtMostTheFormatOfARegularFile) {
    constexpr std::size_t kFormat = 1056;
    TempDir dir;
    Bytes pattern(kFormat + 1);
    for (std::size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<std::uint8_t>(i * 13 + 1);
    auto file = [&](const char* name, std::size_t size) {
        EXPECT_TRUE(writeFileAtomic(dir.path / name, ByteSpan(pattern).first(size)).ok());
        return dir.path / name;
    };
    const fs::path sparse = dir.path / "sparse";
    std::ofstream(sparse).put('\x5A');
    fs::resize_file(sparse, std::uintmax_t{8} << 30);  // 8 GiB, nearly all of it a hole
    ASSERT_EQ(::mkfifo((dir.path / "fifo").c_str(), 0600), 0);
    fs::create_directory(dir.path / "folder");

    struct Row {
        fs::path path;
        std::size_t size;  // bytes returned
        bool longer;
        const char* refusal;  // nullptr: read
    } rows[] = {
        {file("exact", kFormat), kFormat, false, nullptr},
        {file("one less", kFormat - 1), kFormat - 1, false, nullptr},
        {file("one more", kFormat + 1), kFormat, true, nullptr},
        {file("empty", 0), 0, false, nullptr},
        {sparse, kFormat, true, nullptr},
        {"/dev/zero", 0, false, "is a device, pipe or socket, not a file"},
        {dir.path / "fifo", 0, false, "is a device, pipe or socket, not a file"},
        {dir.path / "folder", 0, false, "is a folder, not a file"},
        {dir.path / "missing", 0, false, "cannot open"},
    };
    for (const auto& r : rows) {
        auto head = readWithinFiveSeconds(r.path, kFormat);
        if (r.refusal) {
            ASSERT_FALSE(head.ok()) << r.path;
            EXPECT_NE(head.error().message.find(r.refusal), std::string::npos) << head.error().message;
            EXPECT_NE(head.error().message.find(r.path.string()), std::string::npos) << head.error().message;
            continue;
        }
        ASSERT_TRUE(head.ok()) << r.path << ": " << head.error().message;
        EXPECT_EQ(head->longer, r.longer) << r.path;
        ASSERT_EQ(head->bytes.size(), r.size) << r.path;
        if (r.path != sparse) {
            EXPECT_TRUE(std::equal(head->bytes.begin(), head->bytes.end(), pattern.begin())) << r.path;
        }
    }
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
        EXPECT_EQ(readFileAtMost(dir.path / r.written, 16)->bytes, (Bytes{7, 8})) << r.given;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1) << r.given;
    }
    TempDir dir;
    EXPECT_FALSE(writeBinFile(dir.path / "no" / "such", Bytes{1}).ok());
}

}  // namespace
}  // namespace varnel
