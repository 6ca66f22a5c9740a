#pragma once
// Builds the images this program embeds: the default configuration images of both variants
// ("VarnelData", "VarnelDataLark") and the default firmware image ("DefaultFW"). The generator in
// tools/gen_images writes them to resources/, and a test checks the committed files against these
// functions.
#include <array>
#include <cstdint>

#include "common/bytes.h"
#include "common/result.h"
#include "config/variant.h"

namespace varnel {

// Our own USB ids (open test range).
constexpr std::uint16_t kOurVendorId = 0x1209;
constexpr std::uint16_t kOurProductId = 0x0001;

// The signature both embedded images expect: what an unwritten signature area holds, so a mouse
// whose maker set none is accepted, as is one set to the layout file's pair.
constexpr std::array<std::uint8_t, 2> kOurSignature{0xFF, 0xFF};

// The stored Wren default image (33,984 bytes) carrying the given ids.
Bytes buildDefaultImage(std::uint16_t vid, std::uint16_t pid);

// A Lark default image (154 bytes): the Lark section defaults with the given ids and signature.
Bytes buildLarkDefaultImage(std::uint16_t vid, std::uint16_t pid, std::array<std::uint8_t, 2> signature);

constexpr std::size_t kFirmwareHeaderSize = 32;
constexpr std::uint8_t kFirmwareVersionMajor = 1;
constexpr std::uint8_t kFirmwareVersionMinor = 0;

// The 8192-byte default firmware: magic "VARNELFW", version, sizes, CRC-32 of bytes 32.. .
Bytes buildDefaultFirmware();

struct FirmwareHeader {
    std::uint8_t versionMajor;
    std::uint8_t versionMinor;
    std::uint32_t crc;
};
// Reads and verifies a firmware image built by buildDefaultFirmware (magic, size, CRC).
Result<FirmwareHeader> inspectFirmware(ByteSpan image);

}  // namespace varnel
