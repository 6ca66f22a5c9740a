#include "transfers/virtual_factory.h"

#include <algorithm>

#include "common/file_io.h"
#include "config/data_buf.h"
#include "config/default_image.h"
#include "config/variant.h"

namespace varnel {

namespace {

void put(Bytes& memory, std::size_t address, ByteSpan bytes) {
    std::copy(bytes.begin(), bytes.end(), memory.begin() + static_cast<std::ptrdiff_t>(address));
}

}  // namespace

Bytes factoryMemory(ChipModel chip, ByteSpan defaultImage, ByteSpan defaultFirmware) {
    const Variant& v = variantOf(chip);
    Bytes memory(v.memory.size, 0xFF);
    auto header = decideImageHeader(defaultImage);
    DataBuf buf;
    const bool matches = header && header->DefaultChip == chip && loadDefaultCopies(buf, chip, defaultImage).ok();
    if (!v.flash) {
        if (matches) put(memory, v.parameterAddress, buf.parameterBlock(chip));
        return memory;
    }
    const FlashMap& flash = *v.flash;
    if (defaultFirmware.size() == static_cast<std::size_t>(flash.defaultFirmware - flash.firmware)) {
        put(memory, flash.firmware, defaultFirmware);
        put(memory, flash.defaultFirmware, defaultFirmware);
    }
    if (!matches) return memory;
    ByteSpan block = buf.parameterBlock(chip);
    put(memory, v.parameterAddress, block);
    put(memory, v.signatureAddress, block.subspan(v.layout.signatureOffset, 2));
    put(memory, flash.extraBytes, block.subspan(v.layout.parameterB.offset, kWrenExtraSize));
    put(memory, flash.macroNames, buf.macroNameTable);
    put(memory, flash.macroBlocks, buf.macroArea);
    return memory;
}

Status loadMemoryFile(VirtualMouse& mouse, const std::filesystem::path& path) {
    auto head = readFileAtMost(path, mouse.memorySize());
    if (!head) return head.error();
    if (head->longer)
        return makeError("\"" + path.string() + "\" is longer than the virtual mouse's memory of " +
                         std::to_string(mouse.memorySize()) + " bytes");
    return mouse.loadMemory(head->bytes);
}

}  // namespace varnel
