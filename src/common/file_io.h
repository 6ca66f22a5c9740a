#pragma once
// Whole-file reads and atomic writes (temporary file in the same folder, then rename), so a
// failed save never leaves a half-written file nor destroys the previous one.
#include <filesystem>

#include "common/bytes.h"
#include "common/result.h"

namespace varnel {

// All bytes of a file.
Result<Bytes> readWholeFile(const std::filesystem::path& path);
// Replaces `path` with `data` atomically.
Status writeFileAtomic(const std::filesystem::path& path, ByteSpan data);
// `path` with ".bin" appended unless its name already ends in ".bin" (any letter case).
std::filesystem::path withBinExtension(const std::filesystem::path& path);
// Saves a profile or macro file: `data` atomically to withBinExtension(path); the path written.
Result<std::filesystem::path> writeBinFile(const std::filesystem::path& path, ByteSpan data);

}  // namespace varnel
