#include "transfers/virtual_factory.h"

#include <algorithm>
#include <array>

#include "common/file_io.h"
#include "config/data_buf.h"
#include "config/default_image.h"
#include "config/variant.h"
#include "macros/macro_format.h"
#include "macros/macro_script.h"

namespace varnel {

namespace {

void put(Bytes& memory, std::size_t address, ByteSpan bytes) {
    std::copy(bytes.begin(), bytes.end(), memory.begin() + static_cast<std::ptrdiff_t>(address));
}

struct SampleMacro {
    std::size_t index;
    const char* name;
    MacroScript script;
};

const std::array<SampleMacro, 2>& sampleMacros() {
    static const std::array<SampleMacro, 2> macros{{
        {0,
         "Copy",
         {"10", "1 Ctrl CODE:8101", "0 30", "1 C CODE:8206", "0 60", "2 C CODE:0206", "0 30", "2 Ctrl CODE:0101"}},
        {1,
         "Double click",
         {"10", "1 LeftKey CODE:00A1", "0 40", "2 LeftKey CODE:0021", "0 80", "1 LeftKey CODE:00A1", "0 40",
          "2 LeftKey CODE:0021"}},
    }};
    return macros;
}

// Written where the mouse keeps its macros, whether the image matched the variant or not.
void putSampleMacros(Bytes& memory, const FlashMap& flash) {
    for (const auto& m : sampleMacros()) {
        MutableByteSpan record(memory.data() + flash.macroNames + m.index * kMacroNameRecordSize, kMacroNameRecordSize);
        MutableByteSpan block(memory.data() + flash.macroBlocks + m.index * kMacroBlockSize, kMacroBlockSize);
        if (!ScriptToMacroBlock(m.script, record, block) || !writeMacroName(record, m.name)) return;
    }
}

// The image's configuration, the firmware in both regions, and the macro area as the image has it.
Bytes imageMemory(ChipModel chip, ByteSpan defaultImage, ByteSpan defaultFirmware) {
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

}  // namespace

Bytes factoryMemory(ChipModel chip, ByteSpan defaultImage, ByteSpan defaultFirmware, FactoryContent content) {
    Bytes memory = imageMemory(chip, defaultImage, defaultFirmware);
    const Variant& v = variantOf(chip);
    if (content == FactoryContent::SampleMacros && v.hasMacros && v.flash) putSampleMacros(memory, *v.flash);
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
