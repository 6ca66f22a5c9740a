#pragma once
// The embedded default images ("VarnelData", the Wren's, and "VarnelDataLark"): the start-up
// header decision, which image a mouse gets, the default copies that fill DataBuf without a mouse
// and on Reset, and the section defaults used for repair.
#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "common/bytes.h"
#include "common/chip_model.h"
#include "common/result.h"
#include "config/data_buf.h"
#include "config/layout.h"

namespace varnel {

constexpr std::size_t kImageHeaderSize = 49;
// A default image is the stored image of its variant; bytes past the longest one are never used.
constexpr std::size_t kDefaultImageMaxSize =
    std::max(storedImageSize(ChipModel::Lark), storedImageSize(ChipModel::Wren));

// What the first 49 bytes decide. The ids are always bytes 2..5. When `DefaultChip` is nullopt the
// chip byte was neither 0 nor 177: no signature was decided, and it stays zero.
struct ImageHeader {
    OptionalChip DefaultChip;
    std::uint16_t DefaultVid = 0;
    std::uint16_t DefaultPid = 0;
    std::array<std::uint8_t, 2> ExpectedSignature{};
};

// Decides the header from an image; fewer than 49 bytes is an error.
Result<ImageHeader> decideImageHeader(ByteSpan image);

// The embedded "VarnelData" resource.
Result<ByteSpan> embeddedDefaultImage();

// The default images a program holds, each of the variant its chip byte names. The first is the
// one shown at start. The embedded set holds one image per variant, so a mouse of either is shown
// and reset with its own; a single image (one the user gave instead) fixes the variant, and a
// mouse of the other is refused as the variant check says.
class DefaultImages {
public:
    DefaultImages() = default;
    // One image alone, which fixes the variant (implicit: an image is a set of one).
    DefaultImages(Bytes image);
    explicit DefaultImages(std::vector<Bytes> images) : images_(std::move(images)) {}

    // The image shown at start; empty when the set is.
    ByteSpan start() const;
    // The image a mouse of `chip` is shown, repaired and reset with: the first of its variant,
    // else the start image (whose variant check then refuses a mouse of another variant, or
    // accepts any when its chip byte names none).
    ByteSpan forMouse(OptionalChip chip) const;

private:
    std::vector<Bytes> images_;
};

// "VarnelData" (shown at start) and "VarnelDataLark".
Result<DefaultImages> embeddedDefaultImages();
// The command-line tools' choice: the image in `file` alone (at most the longest stored image is
// read), else the embedded set.
Result<DefaultImages> loadDefaultImages(const std::optional<std::filesystem::path>& file);

// Fills the parts of `buf` that `chip` uses from a default image (Lark: first 154 bytes;
// Wren: block, name table, 32 blocks of the stored layout). A too short image changes nothing.
Status loadDefaultCopies(DataBuf& buf, ChipModel chip, ByteSpan image);

// Which built-in defaults repair ParameterASection / ParameterBSection.
enum class SectionDefaults { Lark, WrenColor, WrenRgb };
// Chosen by the attached mouse: nullopt with no mouse (or a Wren whose lighting is unknown),
// in which case a damaged section keeps its data bytes.
std::optional<SectionDefaults> sectionDefaultsFor(OptionalChip deviceChip, OptionalLighting lighting);

// ParameterASection defaults (37 data bytes plus checksum); bytes 2..5 are the given ids.
std::array<std::uint8_t, 38> parameterADefaults(SectionDefaults kind, std::uint16_t vid, std::uint16_t pid);
// ParameterBSection defaults (4 data bytes plus checksum).
std::array<std::uint8_t, 5> parameterBDefaults(SectionDefaults kind);
// The default button maps of `chip` written over the ProfileSection of `block` (0xFF fill,
// the three default maps, checksum).
void storeDefaultProfile(MutableByteSpan block, ChipModel chip);
// The default code of slot `slot` (1-based) of every map; slots 10 and 11 are 00 00 00 00.
std::array<std::uint8_t, 4> defaultSlotCode(std::size_t slot);

}  // namespace varnel
