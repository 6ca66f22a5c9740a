#include "macros/macro_file.h"

#include <algorithm>
#include <string>

#include "common/file_io.h"

namespace varnel {

namespace {

// A short file is refused whole (Str435: too short to be a macro file).
Status checkSize(ByteSpan file, std::size_t need, const char* what) {
    if (file.size() >= need) return Status::success();
    return makeError(std::string(what) + " must hold " + std::to_string(need) + " bytes, this one holds " +
                         std::to_string(file.size()),
                     "Str435");
}

Status checkIndex(std::size_t index) {
    if (index < kMacroCount) return Status::success();
    return makeError("no macro number " + std::to_string(index + 1));
}

}  // namespace

Bytes macroFileBytes(const DataBuf& buf, std::size_t index) {
    Bytes out;
    if (!checkIndex(index)) return out;
    auto record = buf.nameRecord(index);
    auto block = buf.macroBlock(index);
    out.insert(out.end(), record.begin(), record.end());
    out.insert(out.end(), block.begin(), block.end());
    return out;
}

Bytes macroSetFileBytes(const DataBuf& buf) {
    Bytes out(buf.macroNameTable.begin(), buf.macroNameTable.end());
    out.insert(out.end(), buf.macroArea.begin(), buf.macroArea.end());
    return out;
}

Status importMacroFile(DataBuf& buf, std::size_t index, ByteSpan file) {
    if (auto s = checkIndex(index); !s) return s;
    if (auto s = checkSize(file, kMacroFileSize, "a macro file"); !s) return s;
    std::copy_n(file.begin(), kMacroNameRecordSize, buf.nameRecord(index).begin());
    std::copy_n(file.begin() + kMacroNameRecordSize, kMacroBlockSize, buf.macroBlock(index).begin());
    return Status::success();
}

Status importMacroSetFile(DataBuf& buf, ByteSpan file) {
    if (auto s = checkSize(file, kMacroSetFileSize, "a file of all macros"); !s) return s;
    std::copy_n(file.begin(), kMacroNameTableSize, buf.macroNameTable.begin());
    std::copy_n(file.begin() + kMacroNameTableSize, kMacroAreaSize, buf.macroArea.begin());
    return Status::success();
}

Result<std::filesystem::path> exportMacroFile(const DataBuf& buf, std::size_t index,
                                              const std::filesystem::path& path) {
    if (auto s = checkIndex(index); !s) return s.error();
    return writeBinFile(path, macroFileBytes(buf, index));
}

Result<std::filesystem::path> exportMacroSetFile(const DataBuf& buf, const std::filesystem::path& path) {
    return writeBinFile(path, macroSetFileBytes(buf));
}

Status importMacroFile(DataBuf& buf, std::size_t index, const std::filesystem::path& path) {
    auto head = readFileAtMost(path, kMacroFileSize);
    if (!head) return head.error();
    return importMacroFile(buf, index, ByteSpan(head->bytes));
}

Status importMacroSetFile(DataBuf& buf, const std::filesystem::path& path) {
    auto head = readFileAtMost(path, kMacroSetFileSize);
    if (!head) return head.error();
    return importMacroSetFile(buf, ByteSpan(head->bytes));
}

}  // namespace varnel
