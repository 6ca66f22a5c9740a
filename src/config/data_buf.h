#pragma once
// DataBuf: the working configuration image. Storage is sized for the larger variant so that no
// path can index past it; the part in use is selected by a ChipModel.
#include <array>
#include <cstddef>
#include <cstdint>

#include "common/bytes.h"
#include "common/result.h"
#include "config/image_sizes.h"
#include "config/variant.h"

namespace varnel {

struct DataBuf {
    std::array<std::uint8_t, kWrenParameterBlockSize> parameter{};
    std::array<std::uint8_t, kMacroNameTableSize> macroNameTable{};
    std::array<std::uint8_t, kMacroAreaSize> macroArea{};

    // The ParameterBlock of `chip`: the first 154 (Lark) or 182 (Wren) bytes.
    MutableByteSpan parameterBlock(ChipModel chip) { return {parameter.data(), parameterBlockSize(chip)}; }
    ByteSpan parameterBlock(ChipModel chip) const { return {parameter.data(), parameterBlockSize(chip)}; }
    // MacroNameRecord i (32 bytes) and MacroBlock i (1024 bytes), i = 0..31.
    MutableByteSpan nameRecord(std::size_t i) {
        return {macroNameTable.data() + i * kMacroNameRecordSize, kMacroNameRecordSize};
    }
    ByteSpan nameRecord(std::size_t i) const {
        return {macroNameTable.data() + i * kMacroNameRecordSize, kMacroNameRecordSize};
    }
    MutableByteSpan macroBlock(std::size_t i) { return {macroArea.data() + i * kMacroBlockSize, kMacroBlockSize}; }
    ByteSpan macroBlock(std::size_t i) const { return {macroArea.data() + i * kMacroBlockSize, kMacroBlockSize}; }

    bool operator==(const DataBuf&) const = default;
};

// Size of a stored image of `chip` (Lark 154, Wren 33,984).
constexpr std::size_t storedImageSize(ChipModel chip) { return variantOf(chip).storedImageSize; }

// The stored one-stream image of `chip`: Lark the block alone; Wren block, ten 0xFF bytes,
// name table, 32 blocks.
Bytes toStoredImage(const DataBuf& buf, ChipModel chip);

// Reads a stored image of `chip` over `buf` (Lark: block only; Wren: block, name table, blocks).
// Fewer bytes than the stored size is an error and leaves `buf` unchanged; extra bytes are ignored.
Status fromStoredImage(DataBuf& buf, ChipModel chip, ByteSpan image);

}  // namespace varnel
