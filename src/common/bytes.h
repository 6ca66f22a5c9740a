#pragma once
// Every multi-byte value on the wire and in stored images is big-endian: these helpers are the
// only place that composes or splits them.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace varnel {

using Bytes = std::vector<std::uint8_t>;
using ByteSpan = std::span<const std::uint8_t>;
using MutableByteSpan = std::span<std::uint8_t>;

constexpr std::uint16_t readBe16(ByteSpan b, std::size_t offset) {
    return static_cast<std::uint16_t>((b[offset] << 8) | b[offset + 1]);
}

constexpr void writeBe16(MutableByteSpan b, std::size_t offset, std::uint16_t value) {
    b[offset] = static_cast<std::uint8_t>(value >> 8);
    b[offset + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

constexpr std::uint32_t readBe32(ByteSpan b, std::size_t offset) {
    return (std::uint32_t{readBe16(b, offset)} << 16) | readBe16(b, offset + 2);
}

constexpr void writeBe32(MutableByteSpan b, std::size_t offset, std::uint32_t value) {
    writeBe16(b, offset, static_cast<std::uint16_t>(value >> 16));
    writeBe16(b, offset + 2, static_cast<std::uint16_t>(value & 0xFFFF));
}

constexpr std::uint8_t highByte(std::uint16_t v) { return static_cast<std::uint8_t>(v >> 8); }
constexpr std::uint8_t lowByte(std::uint16_t v) { return static_cast<std::uint8_t>(v & 0xFF); }

}  // namespace varnel
