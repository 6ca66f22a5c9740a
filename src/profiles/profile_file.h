#pragma once
// Profile files: the stored image of the attached mouse's variant (Lark 154 bytes, Wren 33,984
// bytes), accepted only when it is one: its size, type mark and signature fit the mouse and at
// least one of its checksummed sections is valid.
#include <filesystem>
#include <string_view>

#include "common/bytes.h"
#include "common/chip_model.h"
#include "common/result.h"
#include "config/data_buf.h"
#include "config/signature.h"
#include "macros/macro_file.h"

namespace varnel {

// The window's key of every refused profile ("file type error"); the error says why.
constexpr std::string_view kProfileRefusedKey = "Str102";

// File bytes for the attached mouse's variant; no mouse is an error ("Str022").
Result<Bytes> profileFileBytes(const DataBuf& buf, OptionalChip deviceChip);

// The type check on bytes 0 and 1: Lark accepts byte 0 == 0x10 or byte 1 == 0x00; Wren accepts
// byte 0 == 0x00 or byte 1 == 0xB1. Only a file in which both differ is refused.
bool profileTypeAccepted(ChipModel chip, ByteSpan image);

// Reads a profile into `buf` when it is accepted, its macros made consistent; returns the macros
// that had to change. No mouse ("Str022") or a refused file ("Str102", file type error, with the
// reason: a size other than the format's, a type mark of no or of the other variant, a signature
// `signatures` does not accept, no valid checksummed section) leaves `buf` unchanged. The caller
// then refreshes the macro names and runs DataBufToUI.
Result<RepairedMacros> loadProfileBytes(DataBuf& buf, OptionalChip deviceChip, const AcceptedSignatures& signatures,
                                        ByteSpan file);

// File forms: save appends ".bin" unless present and writes atomically; returns the path.
Result<std::filesystem::path> saveProfileFile(const DataBuf& buf, OptionalChip deviceChip,
                                              const std::filesystem::path& path);
Result<RepairedMacros> loadProfileFile(DataBuf& buf, OptionalChip deviceChip, const AcceptedSignatures& signatures,
                                       const std::filesystem::path& path);

}  // namespace varnel
