#pragma once
// Byte layout of the ParameterBlock for each variant: one table of section offsets per variant,
// the section checksum and the button-slot addressing. Every other module addresses the block
// through these, never through literal offsets.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "common/bytes.h"
#include "config/image_sizes.h"

namespace varnel {

// A checksummed section: `dataLength` data bytes at `offset`, checksum in the byte after them.
struct Section {
    std::size_t offset;
    std::size_t dataLength;
    constexpr std::size_t checksumOffset() const { return offset + dataLength; }
    constexpr std::size_t size() const { return dataLength + 1; }
    constexpr std::size_t end() const { return offset + size(); }
};

// The three button maps, in the order they are stored and walked.
enum class ButtonMapId { Main = 0, Switch = 1, Fixed = 2 };
constexpr std::array<ButtonMapId, 3> kButtonMaps{ButtonMapId::Main, ButtonMapId::Switch, ButtonMapId::Fixed};
constexpr std::size_t kShownSlotCount = 9;  // slots 1..9 are the buttons Key1..Key9
constexpr std::size_t kSlotSize = 4;

struct ParameterBlockLayout {
    ChipModel chip;
    std::size_t blockSize;
    Section parameterA;
    Section parameterB;
    std::optional<Section> rgbLock;  // Wren only
    std::size_t signatureOffset;     // two bytes, no checksum
    Section profile;
    std::size_t slotCount;  // slots per button map
    constexpr std::size_t mapStart(ButtonMapId m) const {
        return profile.offset + static_cast<std::size_t>(m) * slotCount * kSlotSize;
    }
    // Offset of slot `slot` (1-based) of map `m`.
    constexpr std::size_t slotOffset(ButtonMapId m, std::size_t slot) const {
        return mapStart(m) + (slot - 1) * kSlotSize;
    }
};

constexpr ParameterBlockLayout kLarkLayout{
    ChipModel::Lark, kLarkParameterBlockSize, {0, 37}, {38, 4}, std::nullopt, 43, {45, 108}, 9};
constexpr ParameterBlockLayout kWrenLayout{
    ChipModel::Wren, kWrenParameterBlockSize, {0, 37}, {38, 4}, Section{43, 3}, 47, {49, 132}, 11};

static_assert(kLarkLayout.profile.end() == kLarkParameterBlockSize);
static_assert(kWrenLayout.profile.end() == kWrenParameterBlockSize);
static_assert(kLarkLayout.profile.dataLength == 3 * kLarkLayout.slotCount * kSlotSize);
static_assert(kWrenLayout.profile.dataLength == 3 * kWrenLayout.slotCount * kSlotSize);

constexpr const ParameterBlockLayout& layoutFor(ChipModel c) {
    return c == ChipModel::Lark ? kLarkLayout : kWrenLayout;
}

// ParameterASection field offsets (same in both variants).
namespace param_a {
constexpr std::size_t kImageCode = 0;
constexpr std::size_t kChipCode = 1;
constexpr std::size_t kVendorId = 2;
constexpr std::size_t kProductId = 4;
constexpr std::size_t kDpiCode = 6;  // four bytes, stage 1..4
constexpr std::size_t kDpiStageCount = 10;
constexpr std::size_t kLedFlags = 11;
constexpr std::size_t kMode1Color = 14;  // red, green, blue
constexpr std::size_t kBreathOffTime = 17;
constexpr std::size_t kBreathRiseTime = 18;
constexpr std::size_t kBreathOnTime = 19;
constexpr std::size_t kBreathFallTime = 20;
constexpr std::size_t kStageColor = 21;  // three bytes per stage, four stages
}  // namespace param_a

// ParameterBSection field offsets (same in both variants).
namespace param_b {
constexpr std::size_t kCurrentDpiStage = 38;
constexpr std::size_t kReportRateCode = 39;
constexpr std::size_t kActiveMap = 40;
constexpr std::size_t kLedMode = 41;
}  // namespace param_b

constexpr std::uint8_t kChipCodeLark = 0x00;
constexpr std::uint8_t kChipCodeWren = 0xB1;

// Sum of the bytes modulo 256, XOR 0x5A.
std::uint8_t SectionChecksum(ByteSpan data);
// True when the byte after the section's data holds the checksum of the data.
bool sectionChecksumMatches(ByteSpan block, Section s);
// Stores the checksum of the section's data in its checksum byte.
void storeSectionChecksum(MutableByteSpan block, Section s);

}  // namespace varnel
