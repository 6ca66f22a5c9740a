#pragma once
// Bounded file reads and atomic writes (temporary file in the same folder, synced, then renamed
// over the target, then the folder synced), so a failed save never leaves a half-written file nor
// destroys the previous one.
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <functional>

#include "common/bytes.h"
#include "common/result.h"

namespace varnel {

// The start of a file, as far as a format needs it.
struct FileHead {
    Bytes bytes;          // at most the number of bytes asked for
    bool longer = false;  // the file goes on past them
    std::uintmax_t size = 0;  // the whole file's size, as the file system tells it
};

// Reads at most `maxBytes` + 1 bytes of a regular file: every format has a fixed size, so nothing
// a user points us at (a huge file, /dev/zero) can make us allocate more, and the extra byte tells
// a longer file from one of exactly `maxBytes`. Folders, devices, pipes and sockets are refused
// without being read; opening never waits for a pipe's writer.
Result<FileHead> readFileAtMost(const std::filesystem::path& path, std::size_t maxBytes);

// Where a write to `path` lands (a link is written through to the file it names), once it is
// known that the write may go there: the folder exists, and whatever is there already is a
// regular file that is not write-protected. Writers call it before a long job so that the job
// is not done for a file that cannot be written.
Result<std::filesystem::path> writableTarget(const std::filesystem::path& path);
// Replaces `path` with `data` atomically. Any failure before the rename leaves the previous file
// byte for byte; a folder that cannot be synced after it is reported too.
Status writeFileAtomic(const std::filesystem::path& path, ByteSpan data);
// `path` with ".bin" appended unless its name already ends in ".bin" (any letter case).
std::filesystem::path withBinExtension(const std::filesystem::path& path);
// Saves a profile or macro file: `data` atomically to withBinExtension(path); the path written.
Result<std::filesystem::path> writeBinFile(const std::filesystem::path& path, ByteSpan data);

// The system calls of writeFileAtomic, as one table. Each returns what the system call does and
// sets errno on failure. Tests put in a table whose calls fail one by one.
struct FileCalls {
    std::function<int(char* pathTemplate)> createTemp;  // mkstemp
    std::function<ssize_t(int fd, const void* data, std::size_t size)> write;
    std::function<int(int fd)> fsync;  // the temporary file, and the folder after the rename
    std::function<int(int fd)> close;
    std::function<int(const char* from, const char* to)> rename;
    std::function<int(const char* folder)> openFolder;  // read-only, for its fsync
};
const FileCalls& systemFileCalls();

// Puts `calls` in place of the system's for as long as it lives (tests; one at a time).
class ScopedFileCalls {
public:
    explicit ScopedFileCalls(FileCalls calls);
    ~ScopedFileCalls();
    ScopedFileCalls(const ScopedFileCalls&) = delete;
    ScopedFileCalls& operator=(const ScopedFileCalls&) = delete;

private:
    FileCalls calls_;
};

}  // namespace varnel
