#pragma once
// The two variants of the controller and the memory each keeps its configuration in: facts of the
// hardware that both the device side and the configuration side build on.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace varnel {

// "None" (no variant known) is std::nullopt.
enum class ChipModel { Lark, Wren };
using OptionalChip = std::optional<ChipModel>;

constexpr std::string_view chipName(ChipModel c) { return c == ChipModel::Lark ? "Lark" : "Wren"; }

// Lighting hardware reported by the mouse; std::nullopt while no mouse has been identified.
enum class LightingKind { Rgb, Color };
using OptionalLighting = std::optional<LightingKind>;

// A Lark keeps its configuration in a 256-byte parameter space written byte-wise; a Wren in
// 64 KiB of flash, erased in 4 KiB sectors, where a write can only clear bits.
enum class MemorySpace { Parameter, Flash };
constexpr std::size_t kParamSpaceSize = 256;
constexpr std::size_t kFlashSize = 0x10000;
constexpr std::size_t kFlashSectorSize = 0x1000;

struct ChipMemory {
    MemorySpace space;
    std::size_t size;
};

constexpr ChipMemory chipMemory(ChipModel c) {
    return c == ChipModel::Lark ? ChipMemory{MemorySpace::Parameter, kParamSpaceSize}
                                : ChipMemory{MemorySpace::Flash, kFlashSize};
}

}  // namespace varnel
