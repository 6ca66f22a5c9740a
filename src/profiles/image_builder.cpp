#include "profiles/image_builder.h"

#include <zlib.h>
#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "config/data_buf.h"
#include "config/default_image.h"
#include "config/layout.h"
#include "macros/macro_format.h"

namespace varnel {

namespace {

// ParameterASection of the default image, bytes 0..36 (ids filled in separately).
constexpr std::array<std::uint8_t, 37> kImageParamA{0x00, 0xB1, 0,    0,    0,   0,  // image code, chip code, ids
                                                    0x04, 0x06, 0x08, 0x00, 4,       // DpiCode 1..4, stage count
                                                    0x20, 0x00, 0x00,                // LedFlags, device bytes
                                                    100,  100,  100,                 // Mode1Color
                                                    0,    7,    0,    4,             // breathing off, rise, on, fall
                                                    100,  0,    0,    0,    100, 0,
                                                    0,    0,    100,  100,  100, 0,  // StageColor 1..4
                                                    0x00, 0x02, 0x06, 0x0E};         // device bytes
constexpr std::array<std::uint8_t, 4> kImageParamB{0, 1, 0, 4};
constexpr std::array<std::uint8_t, 3> kImageLockColor{0xFF, 0xFF, 0xFF};

using Code = std::array<std::uint8_t, 4>;
// Slots 1..11 of the image's MainMap; its SwitchMap and FixedMap hold the default slot codes.
constexpr std::array<Code, 11> kImageMainMap{{{1, 1, 0, 0},
                                              {1, 2, 0, 0},
                                              {1, 4, 0, 0},
                                              {6, 4, 0, 0x78},
                                              {2, 8, 7, 0},
                                              {9, 1, 0, 0},
                                              {1, 8, 0, 0},
                                              {1, 0x10, 0, 0},
                                              {9, 2, 0, 0},
                                              {0, 0, 0, 0},
                                              {0, 0, 0, 0}}};

constexpr std::size_t kZeroBlocks = 8;    // blocks 0..7 all 0x00
constexpr std::size_t kPartialBlock = 8;  // block 8: 596 bytes 0x00, then 0xFF
constexpr std::size_t kPartialBlockZeros = 596;

constexpr std::string_view kFirmwareMagic = "VARNELFW";
constexpr std::string_view kFirmwareText = "Varnel default firmware 1.0";

template <std::size_t N>
void put(MutableByteSpan to, std::size_t offset, const std::array<std::uint8_t, N>& bytes) {
    std::copy(bytes.begin(), bytes.end(), to.begin() + static_cast<std::ptrdiff_t>(offset));
}

std::uint32_t crc32Of(ByteSpan data) {
    return static_cast<std::uint32_t>(::crc32(0L, data.data(), static_cast<uInt>(data.size())));
}

}  // namespace

Bytes buildDefaultImage(std::uint16_t vid, std::uint16_t pid) {
    DataBuf buf;
    const auto& layout = kWrenLayout;
    auto block = buf.parameterBlock(ChipModel::Wren);
    put(block, layout.parameterA.offset, kImageParamA);
    writeBe16(block, param_a::kVendorId, vid);
    writeBe16(block, param_a::kProductId, pid);
    storeSectionChecksum(block, layout.parameterA);
    put(block, layout.parameterB.offset, kImageParamB);
    storeSectionChecksum(block, layout.parameterB);
    put(block, layout.rgbLock->offset, kImageLockColor);
    storeSectionChecksum(block, *layout.rgbLock);
    put(block, layout.signatureOffset, kOurSignature);
    for (auto map : kButtonMaps) {
        for (std::size_t slot = 1; slot <= layout.slotCount; ++slot)
            put(block, layout.slotOffset(map, slot),
                map == ButtonMapId::Main ? kImageMainMap[slot - 1] : defaultSlotCode(slot));
    }
    storeSectionChecksum(block, layout.profile);

    for (std::size_t i = 0; i < kMacroCount; ++i) {
        // "Macro1".."Macro32" are ASCII and at most 7 characters, so this cannot fail.
        (void)writeMacroName(buf.nameRecord(i), "Macro" + std::to_string(i + 1));
        setUsedLength(buf.nameRecord(i), 0);
        auto macro = buf.macroBlock(i);
        const std::size_t zeros = i < kZeroBlocks ? kMacroBlockSize : i == kPartialBlock ? kPartialBlockZeros : 0;
        std::fill(macro.begin(), macro.end(), 0xFF);
        std::fill_n(macro.begin(), zeros, 0x00);
    }
    return toStoredImage(buf, ChipModel::Wren);
}

Bytes buildLarkDefaultImage(std::uint16_t vid, std::uint16_t pid, std::array<std::uint8_t, 2> signature) {
    Bytes image(kLarkParameterBlockSize, 0xFF);
    const auto a = parameterADefaults(SectionDefaults::Lark, vid, pid);
    std::copy(a.begin(), a.end(), image.begin());
    const auto b = parameterBDefaults(SectionDefaults::Lark);
    std::copy(b.begin(), b.end(), image.begin() + kLarkLayout.parameterB.offset);
    put(image, kLarkLayout.signatureOffset, signature);
    storeDefaultProfile(image, ChipModel::Lark);
    return image;
}

Bytes buildDefaultFirmware() {
    Bytes fw(kFirmwareSize, 0xFF);
    std::copy(kFirmwareMagic.begin(), kFirmwareMagic.end(), fw.begin());
    fw[8] = kFirmwareVersionMajor;
    fw[9] = kFirmwareVersionMinor;
    writeBe16(fw, 10, kFirmwareHeaderSize);
    writeBe32(fw, 12, kFirmwareSize);
    std::fill(fw.begin() + 20, fw.begin() + kFirmwareHeaderSize, 0x00);
    // A varied body, so that a region differing in one byte is noticed by any comparison.
    std::copy(kFirmwareText.begin(), kFirmwareText.end(), fw.begin() + kFirmwareHeaderSize);
    std::uint32_t x = 0x2545F491;
    for (std::size_t i = kFirmwareHeaderSize + 64; i < kFirmwareSize - 256; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        fw[i] = static_cast<std::uint8_t>(x);
    }
    writeBe32(fw, 16, crc32Of(ByteSpan(fw).subspan(kFirmwareHeaderSize)));
    return fw;
}

Result<FirmwareHeader> inspectFirmware(ByteSpan image) {
    if (image.size() != kFirmwareSize) {
        return makeError("a firmware image holds 8192 bytes, this one " + std::to_string(image.size()));
    }
    if (!std::equal(kFirmwareMagic.begin(), kFirmwareMagic.end(), image.begin())) {
        return makeError("not a Varnel firmware image (no VARNELFW mark)");
    }
    FirmwareHeader h{image[8], image[9], readBe32(image, 16)};
    if (readBe16(image, 10) != kFirmwareHeaderSize || readBe32(image, 12) != kFirmwareSize ||
        crc32Of(image.subspan(kFirmwareHeaderSize)) != h.crc) {
        return makeError("firmware image is damaged (size or CRC does not match)");
    }
    return h;
}

}  // namespace varnel
