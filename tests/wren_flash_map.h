#pragma once
// Where a Wren keeps each part in its flash, written out as the device documents it, so that tests
// check the program's flash map instead of restating it.
#include <cstdint>

#include "config/variant.h"

namespace varnel {

constexpr std::uint16_t kFlashFirmware = 0x1000;
constexpr std::uint16_t kFlashDefaultFirmware = 0x3000;
constexpr std::uint16_t kFlashParameterBlock = 0x5000;
constexpr std::uint16_t kFlashSignature = 0x5C00;
constexpr std::uint16_t kFlashExtraBytes = 0x6000;
constexpr std::uint16_t kFlashMacroNames = 0x7400;
constexpr std::uint16_t kFlashMacroBlocks = 0x8000;
constexpr std::uint8_t kParamSignature = 43;  // Lark: the signature area inside the parameter block

}  // namespace varnel
