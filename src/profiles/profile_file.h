#pragma once
// Profile files: the stored image of the attached mouse's variant (Lark 154 bytes, Wren 33,984
// bytes), read into a working copy and accepted only when its type mark fits the mouse.
#include <filesystem>

#include "common/bytes.h"
#include "common/chip_model.h"
#include "common/result.h"
#include "config/data_buf.h"
#include "macros/macro_file.h"

namespace varnel {

// File bytes for the attached mouse's variant; no mouse is an error ("Str022").
Result<Bytes> profileFileBytes(const DataBuf& buf, OptionalChip deviceChip);

// The type check on bytes 0 and 1: Lark accepts byte 0 == 0x10 or byte 1 == 0x00; Wren accepts
// byte 0 == 0x00 or byte 1 == 0xB1. Only a file in which both differ is refused.
bool profileTypeAccepted(ChipModel chip, ByteSpan image);

// Reads a profile over a working copy of `buf` and, when accepted, makes its macros consistent
// and replaces `buf` with it; returns the macros that had to change. No mouse ("Str022"), a short
// file or a refused type ("Str102", file type error) leaves `buf` unchanged.
// The caller then refreshes the macro names and runs DataBufToUI.
Result<RepairedMacros> loadProfileBytes(DataBuf& buf, OptionalChip deviceChip, ByteSpan file);

// File forms: save appends ".bin" unless present and writes atomically; returns the path.
Result<std::filesystem::path> saveProfileFile(const DataBuf& buf, OptionalChip deviceChip,
                                              const std::filesystem::path& path);
Result<RepairedMacros> loadProfileFile(DataBuf& buf, OptionalChip deviceChip, const std::filesystem::path& path);

}  // namespace varnel
