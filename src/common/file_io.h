#pragma once
// Bounded file reads and atomic writes (temporary file in the same folder, then rename), so a
// failed save never leaves a half-written file nor destroys the previous one.
#include <cstdint>
#include <filesystem>

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
// Replaces `path` with `data` atomically.
Status writeFileAtomic(const std::filesystem::path& path, ByteSpan data);
// `path` with ".bin" appended unless its name already ends in ".bin" (any letter case).
std::filesystem::path withBinExtension(const std::filesystem::path& path);
// Saves a profile or macro file: `data` atomically to withBinExtension(path); the path written.
Result<std::filesystem::path> writeBinFile(const std::filesystem::path& path, ByteSpan data);

}  // namespace varnel
