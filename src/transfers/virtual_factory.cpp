#include "transfers/virtual_factory.h"

#include <algorithm>

#include "config/data_buf.h"
#include "config/default_image.h"
#include "config/layout.h"
#include "device/commands.h"

namespace varnel {

namespace {

void put(Bytes& memory, std::size_t address, ByteSpan bytes) {
    std::copy(bytes.begin(), bytes.end(), memory.begin() + static_cast<std::ptrdiff_t>(address));
}

}  // namespace

Bytes factoryMemory(ChipModel chip, ByteSpan defaultImage, ByteSpan defaultFirmware) {
    Bytes memory(chip == ChipModel::Lark ? kParamSpaceSize : kFlashSize, 0xFF);
    auto header = decideImageHeader(defaultImage);
    DataBuf buf;
    const bool matches = header && header->DefaultChip == chip && loadDefaultCopies(buf, chip, defaultImage).ok();
    if (chip == ChipModel::Lark) {
        if (matches) put(memory, 0, buf.parameterBlock(chip));
        return memory;
    }
    if (defaultFirmware.size() == kFlashDefaultFirmware - kFlashFirmware) {
        put(memory, kFlashFirmware, defaultFirmware);
        put(memory, kFlashDefaultFirmware, defaultFirmware);
    }
    if (!matches) return memory;
    ByteSpan block = buf.parameterBlock(chip);
    put(memory, kFlashParameterBlock, block);
    put(memory, kFlashSignature, block.subspan(kWrenLayout.signatureOffset, 2));
    put(memory, kFlashExtraBytes, block.subspan(kWrenLayout.parameterB.offset, kWrenExtraSize));
    put(memory, kFlashMacroNames, buf.macroNameTable);
    put(memory, kFlashMacroBlocks, buf.macroArea);
    return memory;
}

}  // namespace varnel
