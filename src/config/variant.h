#pragma once
// One descriptor per variant: its ParameterBlock layout, what it carries besides (macros,
// firmware updates) and where the mouse keeps each part. Code that behaves differently on a Lark
// and a Wren asks the descriptor, never the chip.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "common/chip_model.h"
#include "config/image_sizes.h"
#include "config/layout.h"

namespace varnel {

constexpr std::size_t kSignatureAreaSize = 5;  // the two signature bytes and three device bytes
constexpr std::size_t kWrenExtraSize = 9;      // ParameterBSection and the RGBLockSection
static_assert(kWrenLayout.parameterB.offset + kWrenExtraSize == kWrenLayout.signatureOffset);

// The erase command names a sector by the high byte of its first address.
constexpr std::uint8_t sectorOf(std::uint16_t address) {
    return static_cast<std::uint8_t>((address - address % kFlashSectorSize) >> 8);
}

// A firmware image fills its region of the flash.
constexpr std::size_t kFirmwareSize = 8192;

// Where a Wren keeps each part in its flash.
struct FlashMap {
    std::uint16_t firmware;         // the running firmware, 8 KiB
    std::uint16_t defaultFirmware;  // the recovery copy of the embedded firmware, 8 KiB
    std::uint16_t extraBytes;       // the 9-byte mirror of ParameterB and the RGBLockSection
    std::uint16_t macroNames;
    std::uint16_t macroBlocks;
    // Sectors an Apply erases for the parameters, and those the macro area spans.
    std::array<std::uint8_t, 2> parameterSectors;
    std::array<std::uint8_t, 9> macroSectors;
};

struct Variant {
    ChipModel chip;
    const ParameterBlockLayout& layout;
    ChipMemory memory;
    std::uint16_t parameterAddress;  // the ParameterBlock in the variant's memory
    std::uint16_t signatureAddress;  // the 5-byte signature area
    bool hasMacros;                  // macro names and blocks, Save Macro, the Macro page
    bool hasFirmwareUpdate;          // the Update page
    std::size_t storedImageSize;     // a profile file or the embedded default image
    std::optional<FlashMap> flash;   // the Wren's flash map
};

namespace detail {
constexpr std::uint16_t kWrenMacroBlocks = 0x8000;
constexpr std::array<std::uint8_t, 9> macroSectorsFrom(std::uint16_t names) {
    std::array<std::uint8_t, 9> out{};
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<std::uint8_t>(sectorOf(names) + i * (kFlashSectorSize >> 8));
    return out;
}
}  // namespace detail

constexpr Variant kLarkVariant{ChipModel::Lark,
                               kLarkLayout,
                               chipMemory(ChipModel::Lark),
                               0,
                               static_cast<std::uint16_t>(kLarkLayout.signatureOffset),
                               false,
                               false,
                               kLarkParameterBlockSize,
                               std::nullopt};

constexpr Variant kWrenVariant{ChipModel::Wren,
                               kWrenLayout,
                               chipMemory(ChipModel::Wren),
                               0x5000,
                               0x5C00,
                               true,
                               true,
                               kWrenImageSize,
                               FlashMap{0x1000,
                                        0x3000,
                                        0x6000,
                                        0x7400,
                                        detail::kWrenMacroBlocks,
                                        {sectorOf(0x5000), sectorOf(0x6000)},
                                        detail::macroSectorsFrom(0x7400)}};

// The macro sectors reach the end of the flash, and the signature area lies in the first
// parameter sector.
static_assert(kWrenVariant.flash->macroSectors.back() == sectorOf(kFlashSize - kFlashSectorSize));
static_assert(sectorOf(kWrenVariant.signatureAddress) == kWrenVariant.flash->parameterSectors[0]);
static_assert(detail::kWrenMacroBlocks + kMacroAreaSize == kFlashSize);
static_assert(kWrenVariant.flash->defaultFirmware - kWrenVariant.flash->firmware == kFirmwareSize);

// Macros and firmware live in flash.
static_assert(!kLarkVariant.hasMacros && !kLarkVariant.hasFirmwareUpdate);

constexpr const Variant& variantOf(ChipModel c) { return c == ChipModel::Lark ? kLarkVariant : kWrenVariant; }

// The variant has macros; no variant known has none.
constexpr bool hasMacros(OptionalChip c) { return c && variantOf(*c).hasMacros; }

}  // namespace varnel
