#include "profiles/profile_file.h"

#include <string>

#include "common/file_io.h"
#include "config/layout.h"
#include "config/variant.h"

namespace varnel {

namespace {

constexpr std::uint8_t kLarkImageCode = 0x10;
constexpr std::uint8_t kWrenImageCode = 0x00;

constexpr const char* kFileTypeErrorKey = "Str102";

Error noMouse() { return makeError("Not find the specified device", "Str022"); }

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

Result<RepairedMacros> loadProfileBytes(DataBuf& buf, OptionalChip deviceChip, ByteSpan file) {
    if (!deviceChip) return noMouse();
    DataBuf working = buf;
    // A short file and a refused type mark are both "file type error" to the window.
    if (auto s = fromStoredImage(working, *deviceChip, file); !s) {
        return makeError("not a " + std::string(chipName(*deviceChip)) + " profile: " + s.error().message,
                         kFileTypeErrorKey);
    }
    if (!profileTypeAccepted(*deviceChip, working.parameterBlock(*deviceChip))) {
        return makeError("profile file type error", kFileTypeErrorKey);
    }
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

Result<RepairedMacros> loadProfileFile(DataBuf& buf, OptionalChip deviceChip, const std::filesystem::path& path) {
    if (!deviceChip) return noMouse();
    auto head = readFileAtMost(path, storedImageSize(*deviceChip));
    if (!head) return head.error();
    return loadProfileBytes(buf, deviceChip, ByteSpan(head->bytes));
}

}  // namespace varnel
