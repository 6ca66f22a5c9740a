#include "config/default_image.h"

#include <algorithm>
#include <string>

#include "common/file_io.h"
#include "common/resources.h"

namespace varnel {

namespace {

constexpr std::uint8_t kHeaderChipLark = 0;
constexpr std::uint8_t kHeaderChipWren = 177;

// ParameterASection defaults, bytes 0..36; bytes 2..5 are replaced by the ids.
constexpr std::array<std::uint8_t, 37> kParamALark{0x10, 0x00, 0, 0, 0, 0,   3,  5,  6,  8,  4, 0, 0, 0,  0, 0, 0, 0, 0,
                                                   0,    0,    0, 0, 0, 160, 40, 10, 54, 50, 7, 0, 1, 10, 0, 2, 6, 14};
constexpr std::array<std::uint8_t, 37> kParamAWrenColor{0x20, 0xB0, 0,  0, 0, 0, 3,  5, 6, 8, 4, 0,   0,
                                                        0,    0,    0,  0, 0, 0, 0,  0, 0, 0, 0, 160, 40,
                                                        10,   54,   50, 7, 0, 1, 10, 0, 2, 6, 14};
constexpr std::array<std::uint8_t, 37> kParamAWrenRgb{0x00, 0xB1, 0,   0,   0,   0,   3, 5, 6,   8, 4, 0, 0,
                                                      0,    100,  100, 100, 0,   8,   0, 5, 100, 0, 0, 0, 100,
                                                      0,    0,    0,   100, 100, 100, 0, 0, 2,   6, 14};

// Codes of slots 1..11 shared by all three default maps.
constexpr std::array<std::array<std::uint8_t, 4>, 11> kDefaultSlots{{
    {0x01, 0x01, 0x00, 0x00},  // Left Key
    {0x01, 0x02, 0x00, 0x00},  // Right Key
    {0x01, 0x04, 0x00, 0x00},  // Middle Key
    {0x01, 0x08, 0x00, 0x00},  // Backward
    {0x01, 0x10, 0x00, 0x00},  // Forward
    {0x09, 0x00, 0x00, 0x00},  // CPI
    {0x02, 0x08, 0x07, 0x00},  // Desktop
    {0x06, 0x04, 0x00, 0x78},  // Fire Key, repeat 2, delay 60
    {0x0E, 0x00, 0x00, 0x00},  // LED Mode
    {0x00, 0x00, 0x00, 0x00},
    {0x00, 0x00, 0x00, 0x00},
}};

}  // namespace

Result<ImageHeader> decideImageHeader(ByteSpan image) {
    if (image.size() < kImageHeaderSize) {
        return makeError("default image too short for its header: " + std::to_string(image.size()) + " bytes");
    }
    ImageHeader h;
    h.DefaultVid = readBe16(image, param_a::kVendorId);
    h.DefaultPid = readBe16(image, param_a::kProductId);
    const std::uint8_t chip = image[param_a::kChipCode];
    if (chip != kHeaderChipLark && chip != kHeaderChipWren) return h;
    h.DefaultChip = chip == kHeaderChipLark ? ChipModel::Lark : ChipModel::Wren;
    const auto sig = layoutFor(*h.DefaultChip).signatureOffset;
    h.ExpectedSignature = {image[sig], image[sig + 1]};
    return h;
}

Result<ByteSpan> embeddedDefaultImage() { return findResource("VarnelData"); }

DefaultImages::DefaultImages(Bytes image) { images_.push_back(std::move(image)); }

ByteSpan DefaultImages::start() const { return images_.empty() ? ByteSpan{} : ByteSpan(images_.front()); }

ByteSpan DefaultImages::forMouse(OptionalChip chip) const {
    for (const Bytes& image : images_) {
        auto header = decideImageHeader(image);
        if (chip && header && header->DefaultChip == chip) return image;
    }
    return start();
}

Result<DefaultImages> embeddedDefaultImages() {
    std::vector<Bytes> images;
    for (const char* name : {"VarnelData", "VarnelDataLark"}) {
        auto image = findResource(name);
        if (!image) return image.error();
        images.emplace_back(image->begin(), image->end());
    }
    return DefaultImages(std::move(images));
}

Result<DefaultImages> loadDefaultImages(const std::optional<std::filesystem::path>& file) {
    if (!file) return embeddedDefaultImages();
    auto image = readFileAtMost(*file, kDefaultImageMaxSize);
    if (!image) return image.error();
    return DefaultImages(std::move(image->bytes));
}

Status loadDefaultCopies(DataBuf& buf, ChipModel chip, ByteSpan image) { return fromStoredImage(buf, chip, image); }

std::optional<SectionDefaults> sectionDefaultsFor(OptionalChip deviceChip, OptionalLighting lighting) {
    if (!deviceChip) return std::nullopt;
    if (*deviceChip == ChipModel::Lark) return SectionDefaults::Lark;
    if (!lighting) return std::nullopt;
    return *lighting == LightingKind::Color ? SectionDefaults::WrenColor : SectionDefaults::WrenRgb;
}

std::array<std::uint8_t, 38> parameterADefaults(SectionDefaults kind, std::uint16_t vid, std::uint16_t pid) {
    const auto& data = kind == SectionDefaults::Lark        ? kParamALark
                       : kind == SectionDefaults::WrenColor ? kParamAWrenColor
                                                            : kParamAWrenRgb;
    std::array<std::uint8_t, 38> out{};
    std::copy(data.begin(), data.end(), out.begin());
    writeBe16(out, param_a::kVendorId, vid);
    writeBe16(out, param_a::kProductId, pid);
    storeSectionChecksum(out, Section{0, 37});
    return out;
}

std::array<std::uint8_t, 5> parameterBDefaults(SectionDefaults kind) {
    const std::uint8_t ledMode = kind == SectionDefaults::WrenRgb ? 2 : 1;
    std::array<std::uint8_t, 5> out{1, 2, 0, ledMode, 0};
    storeSectionChecksum(out, Section{0, 4});
    return out;
}

std::array<std::uint8_t, 4> defaultSlotCode(std::size_t slot) { return kDefaultSlots.at(slot - 1); }

void storeDefaultProfile(MutableByteSpan block, ChipModel chip) {
    const auto& layout = layoutFor(chip);
    std::fill_n(block.begin() + static_cast<std::ptrdiff_t>(layout.profile.offset), layout.profile.size(), 0xFF);
    for (auto map : kButtonMaps) {
        for (std::size_t slot = 1; slot <= layout.slotCount; ++slot) {
            const auto code = defaultSlotCode(slot);
            std::copy(code.begin(), code.end(),
                      block.begin() + static_cast<std::ptrdiff_t>(layout.slotOffset(map, slot)));
        }
    }
    storeSectionChecksum(block, layout.profile);
}

}  // namespace varnel
