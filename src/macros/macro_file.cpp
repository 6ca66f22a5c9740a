#include "macros/macro_file.h"

#include <algorithm>
#include <string>

#include "common/file_io.h"
#include "macros/macro_format.h"

namespace varnel {

namespace {

// A file of another size is refused whole (Str435): a short one cannot fill the macros, and a
// longer one is some other file (all macros given to Import One would make a macro of name records).
Status checkSize(std::size_t size, bool longer, std::size_t need, const char* what) {
    if (size == need && !longer) return Status::success();
    return makeError(std::string(what) + " holds exactly " + std::to_string(need) + " bytes, this one holds " +
                         (longer ? "more" : std::to_string(size)),
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

std::string repairedMacroNumbers(const RepairedMacros& repaired) {
    std::string out;
    for (const std::size_t i : repaired) out += (out.empty() ? "" : ", ") + std::to_string(i + 1);
    return out;
}

std::string repairedMacrosNote(const RepairedMacros& repaired) {
    return "these macros did not end properly and were cut to their whole events: " + repairedMacroNumbers(repaired);
}

RepairedMacros makeMacrosConsistent(DataBuf& buf) {
    RepairedMacros repaired;
    for (std::size_t i = 0; i < kMacroCount; ++i)
        if (makeMacroConsistent(buf.nameRecord(i), buf.macroBlock(i))) repaired.push_back(i);
    return repaired;
}

Result<RepairedMacros> importMacroFile(DataBuf& buf, std::size_t index, ByteSpan file) {
    if (auto s = checkIndex(index); !s) return s.error();
    if (auto s = checkSize(file.size(), false, kMacroFileSize, "a macro file"); !s) return s.error();
    std::copy_n(file.begin(), kMacroNameRecordSize, buf.nameRecord(index).begin());
    std::copy_n(file.begin() + kMacroNameRecordSize, kMacroBlockSize, buf.macroBlock(index).begin());
    if (makeMacroConsistent(buf.nameRecord(index), buf.macroBlock(index))) return RepairedMacros{index};
    return RepairedMacros{};
}

Result<RepairedMacros> importMacroSetFile(DataBuf& buf, ByteSpan file) {
    if (auto s = checkSize(file.size(), false, kMacroSetFileSize, "a file of all macros"); !s) return s.error();
    std::copy_n(file.begin(), kMacroNameTableSize, buf.macroNameTable.begin());
    std::copy_n(file.begin() + kMacroNameTableSize, kMacroAreaSize, buf.macroArea.begin());
    return makeMacrosConsistent(buf);
}

Result<std::filesystem::path> exportMacroFile(const DataBuf& buf, std::size_t index,
                                              const std::filesystem::path& path) {
    if (auto s = checkIndex(index); !s) return s.error();
    return writeBinFile(path, macroFileBytes(buf, index));
}

Result<std::filesystem::path> exportMacroSetFile(const DataBuf& buf, const std::filesystem::path& path) {
    return writeBinFile(path, macroSetFileBytes(buf));
}

Result<RepairedMacros> importMacroFile(DataBuf& buf, std::size_t index, const std::filesystem::path& path) {
    auto head = readFileAtMost(path, kMacroFileSize);
    if (!head) return head.error();
    if (auto s = checkSize(head->bytes.size(), head->longer, kMacroFileSize, "a macro file"); !s) return s.error();
    return importMacroFile(buf, index, ByteSpan(head->bytes));
}

Result<RepairedMacros> importMacroSetFile(DataBuf& buf, const std::filesystem::path& path) {
    auto head = readFileAtMost(path, kMacroSetFileSize);
    if (!head) return head.error();
    if (auto s = checkSize(head->bytes.size(), head->longer, kMacroSetFileSize, "a file of all macros"); !s)
        return s.error();
    return importMacroSetFile(buf, ByteSpan(head->bytes));
}

}  // namespace varnel
