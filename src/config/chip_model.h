#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace varnel {

// The two variants of the controller. "None" (no variant known) is std::nullopt.
enum class ChipModel { Lark, Wren };
using OptionalChip = std::optional<ChipModel>;

constexpr std::string_view chipName(ChipModel c) { return c == ChipModel::Lark ? "Lark" : "Wren"; }

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

// Height of the main assignment menu: the Wren one carries the extra Macro entry.
constexpr int pnlMainHeight(ChipModel c) { return c == ChipModel::Wren ? 146 : 122; }

// One entry of the id table searched for the mouse; a zero id makes the entry empty.
struct DeviceId {
    std::uint32_t vendorId = 0;
    std::uint32_t productId = 0;
    bool empty() const { return vendorId == 0 || productId == 0; }
    bool operator==(const DeviceId&) const = default;
};
using DeviceIdTable = std::array<DeviceId, 2>;

constexpr std::size_t parameterBlockSize(ChipModel c) {
    return c == ChipModel::Lark ? kLarkParameterBlockSize : kWrenParameterBlockSize;
}

}  // namespace varnel

namespace varnel {

// Lighting hardware reported by the mouse; std::nullopt while no mouse has been identified.
enum class LightingKind { Rgb, Color };
using OptionalLighting = std::optional<LightingKind>;

}  // namespace varnel
