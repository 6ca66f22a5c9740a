#include "config/data_buf.h"

#include <algorithm>
#include <string>

namespace varnel {

namespace {
constexpr std::size_t kGapStart = kWrenParameterBlockSize;  // 182..191 hold 0xFF
}

Bytes toStoredImage(const DataBuf& buf, ChipModel chip) {
    Bytes out(storedImageSize(chip), 0xFF);
    auto block = buf.parameterBlock(chip);
    std::copy(block.begin(), block.end(), out.begin());
    if (variantOf(chip).hasMacros) {
        std::copy(buf.macroNameTable.begin(), buf.macroNameTable.end(), out.begin() + kWrenImageNameTableOffset);
        std::copy(buf.macroArea.begin(), buf.macroArea.end(), out.begin() + kWrenImageMacroOffset);
    }
    return out;
}

Status fromStoredImage(DataBuf& buf, ChipModel chip, ByteSpan image) {
    const auto need = storedImageSize(chip);
    if (image.size() < need) {
        return makeError("a " + std::string(chipName(chip)) + " image needs " + std::to_string(need) + " bytes, got " +
                         std::to_string(image.size()));
    }
    auto block = image.subspan(0, parameterBlockSize(chip));
    std::copy(block.begin(), block.end(), buf.parameter.begin());
    if (variantOf(chip).hasMacros) {
        static_assert(kWrenImageNameTableOffset == kGapStart + 10);
        auto names = image.subspan(kWrenImageNameTableOffset, kMacroNameTableSize);
        std::copy(names.begin(), names.end(), buf.macroNameTable.begin());
        auto macros = image.subspan(kWrenImageMacroOffset, kMacroAreaSize);
        std::copy(macros.begin(), macros.end(), buf.macroArea.begin());
    }
    return Status::success();
}

}  // namespace varnel
