#pragma once
// Macro files: one macro (its 32-byte name record, then its 1024-byte block; 1056 bytes) and
// all macros (the name table, then the 32 blocks; 33,792 bytes), exactly as held in DataBuf.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/bytes.h"
#include "common/result.h"
#include "config/data_buf.h"

namespace varnel {

constexpr std::size_t kMacroFileSize = kMacroNameRecordSize + kMacroBlockSize;   // 1056
constexpr std::size_t kMacroSetFileSize = kMacroNameTableSize + kMacroAreaSize;  // 33792
static_assert(kMacroFileSize == 1056 && kMacroSetFileSize == 33792);

// The macros (0-based) an import had to make consistent (makeMacroConsistent).
using RepairedMacros = std::vector<std::size_t>;
// What the window says after such an import: this text with %1 = repairedMacroNumbers.
constexpr std::string_view kRepairedMacrosKey = "Str453";
// "3, 7": the macros' numbers as the list shows them.
std::string repairedMacroNumbers(const RepairedMacros& repaired);
// The same note in English, for the command line.
std::string repairedMacrosNote(const RepairedMacros& repaired);

// File bytes of macro `index` (0..31) / of all macros.
Bytes macroFileBytes(const DataBuf& buf, std::size_t index);
Bytes macroSetFileBytes(const DataBuf& buf);
// Every macro of `buf` made consistent; the ones that had to change.
RepairedMacros makeMacrosConsistent(DataBuf& buf);
// Reads a file over macro `index` / over all macros and makes what it brought consistent. A short
// file or a bad index is an error and changes nothing; bytes past the format are ignored.
Result<RepairedMacros> importMacroFile(DataBuf& buf, std::size_t index, ByteSpan file);
Result<RepairedMacros> importMacroSetFile(DataBuf& buf, ByteSpan file);

// The same on files; exports append ".bin" unless the name already ends in it and write
// atomically. Return the path written.
Result<std::filesystem::path> exportMacroFile(const DataBuf& buf, std::size_t index, const std::filesystem::path& path);
Result<std::filesystem::path> exportMacroSetFile(const DataBuf& buf, const std::filesystem::path& path);
Result<RepairedMacros> importMacroFile(DataBuf& buf, std::size_t index, const std::filesystem::path& path);
Result<RepairedMacros> importMacroSetFile(DataBuf& buf, const std::filesystem::path& path);

}  // namespace varnel
