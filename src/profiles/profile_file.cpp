#include "profiles/profile_file.h"

#include <algorithm>

#include <optional>
#include <string>

#include "common/file_io.h"
#include "config/layout.h"
#include "config/variant.h"

namespace varnel {

namespace {

constexpr std::uint8_t kLarkImageCode = 0x10;
constexpr std::uint8_t kWrenImageCode = 0x00;

const std::string kFileTypeErrorKey(kProfileRefusedKey);

Error noMouse() { return makeError("The specified device was not found.", "Str022"); }

Error notAProfile(ChipModel chip, const std::string& why) {
    return makeError("not a " + std::string(chipName(chip)) + " profile: " + why, kFileTypeErrorKey);
}

// Every profile this program writes has all its checksummed sections valid; one with a damaged
// section is still repaired on display, but a file with none valid (zeros, random bytes) is no
// profile at all. The RGBLockSection is not counted: repair keeps it as held.
bool anySectionValid(ByteSpan block, ChipModel chip) {
    const ParameterBlockLayout& layout = layoutFor(chip);
    for (const Section& s : {layout.parameterA, layout.parameterB, layout.profile})
        if (sectionChecksumMatches(block, s)) return true;
    return false;
}

// A file whose mark fits only the other variant, of either variant's size, was saved for it.
std::optional<Error> otherVariantsProfile(ChipModel chip, ByteSpan file) {
    const ChipModel other = chip == ChipModel::Lark ? ChipModel::Wren : ChipModel::Lark;
    if (profileTypeAccepted(chip, file) || !profileTypeAccepted(other, file)) return std::nullopt;
    if (file.size() != storedImageSize(chip) && file.size() != storedImageSize(other)) return std::nullopt;
    return makeError(
        "the profile is for a " + std::string(chipName(other)) + "; this mouse is a " + std::string(chipName(chip)),
        kFileTypeErrorKey);
}

// Why a file of at least the profile's size is no profile for a mouse of `chip`, if it is not.
std::optional<Error> contentRefusal(ChipModel chip, const AcceptedSignatures& signatures, ByteSpan file) {
    const std::size_t need = storedImageSize(chip);
    if (file.size() > need)
        return notAProfile(chip, "it is longer than the " + std::to_string(need) + " bytes of a profile");
    if (!profileTypeAccepted(chip, file))
        return notAProfile(chip, "its type mark " + signatureText(file) + " fits no " + std::string(chipName(chip)));
    const ByteSpan signature = file.subspan(layoutFor(chip).signatureOffset, 2);
    if (!signatures.accepts(signature)) return notAProfile(chip, "its " + unacceptedSignatureReason(signature));
    if (!anySectionValid(file.first(parameterBlockSize(chip)), chip))
        return notAProfile(chip, "none of its checksummed sections is valid");
    return std::nullopt;
}

}  // namespace

Result<Bytes> profileFileBytes(const DataBuf& buf, OptionalChip deviceChip) {
    if (!deviceChip) return noMouse();
    return toStoredImage(buf, *deviceChip);
}

bool profileTypeAccepted(ChipModel chip, ByteSpan image) {
    if (image.size() < 2) return false;
    const auto imageCode = image[param_a::kImageCode];
    const auto chipCode = image[param_a::kChipCode];
    if (chip == ChipModel::Lark) return imageCode == kLarkImageCode || chipCode == kChipCodeLark;
    return imageCode == kWrenImageCode || chipCode == kChipCodeWren;
}

Result<RepairedMacros> loadProfileBytes(DataBuf& buf, OptionalChip deviceChip, const AcceptedSignatures& signatures,
                                        ByteSpan file) {
    if (!deviceChip) return noMouse();
    // Every refusal is "file type error" to the window, followed by the reason.
    if (auto refused = otherVariantsProfile(*deviceChip, file)) return *refused;
    DataBuf working = buf;
    if (auto s = fromStoredImage(working, *deviceChip, file); !s) return notAProfile(*deviceChip, s.error().message);
    if (auto refused = contentRefusal(*deviceChip, signatures, file)) return *refused;
    const RepairedMacros repaired = hasMacros(*deviceChip) ? makeMacrosConsistent(working) : RepairedMacros{};
    buf = working;
    return repaired;
}

Result<std::filesystem::path> saveProfileFile(const DataBuf& buf, OptionalChip deviceChip,
                                              const std::filesystem::path& path) {
    auto bytes = profileFileBytes(buf, deviceChip);
    if (!bytes) return bytes.error();
    return writeBinFile(path, *bytes);
}

Result<RepairedMacros> loadProfileFile(DataBuf& buf, OptionalChip deviceChip, const AcceptedSignatures& signatures,
                                       const std::filesystem::path& path) {
    if (!deviceChip) return noMouse();
    // One byte more than the larger variant's profile is enough to tell a longer file, however long
    // it is, and still to know a whole profile of the other variant.
    auto head = readFileAtMost(path, std::max(storedImageSize(ChipModel::Lark), storedImageSize(ChipModel::Wren)) + 1);
    if (!head) return head.error();
    return loadProfileBytes(buf, deviceChip, signatures, ByteSpan(head->bytes));
}

}  // namespace varnel
