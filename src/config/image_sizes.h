#pragma once
// Sizes of the configuration image's parts (the ParameterBlock of each variant, macro names and
// blocks) and the arrangement of a whole Wren image stored as one stream.
#include <cstddef>

#include "common/chip_model.h"

namespace varnel {

constexpr std::size_t kLarkParameterBlockSize = 154;
constexpr std::size_t kWrenParameterBlockSize = 182;
constexpr std::size_t kMacroCount = 32;
constexpr std::size_t kMacroNameRecordSize = 32;
constexpr std::size_t kMacroNameTableSize = kMacroCount * kMacroNameRecordSize;  // 1024
constexpr std::size_t kMacroBlockSize = 1024;
constexpr std::size_t kMacroAreaSize = kMacroCount * kMacroBlockSize;  // 32768
// A whole Wren image as one stream: block, ten 0xFF bytes, name table, blocks.
constexpr std::size_t kWrenImageNameTableOffset = 192;
constexpr std::size_t kWrenImageMacroOffset = 1216;
constexpr std::size_t kWrenImageSize = kWrenImageMacroOffset + kMacroAreaSize;  // 33984
static_assert(kWrenImageSize == 33984);

constexpr std::size_t parameterBlockSize(ChipModel c) {
    return c == ChipModel::Lark ? kLarkParameterBlockSize : kWrenParameterBlockSize;
}

}  // namespace varnel
