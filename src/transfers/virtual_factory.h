#pragma once
// The memory a new virtual mouse starts with when none is given: the default image where the
// mouse keeps its configuration, and the default firmware in both firmware regions, as a mouse
// fresh from the factory would hold them.
#include <filesystem>

#include "common/bytes.h"
#include "device/virtual_mouse.h"

namespace varnel {

// What a new mouse holds beyond the default image and firmware. Only the demo asks for the
// samples; every other virtual mouse starts with the bytes of the image, unchanged.
enum class FactoryContent {
    Plain,
    // A mouse with macros also holds two sample macros, "Copy" (Ctrl+C with short waits) and
    // "Double click", as macros 1 and 2, so that the Macro page has events to show and edit.
    SampleMacros,
};

// `defaultImage` of another variant than the mouse leaves the configuration erased (0xFF).
Bytes factoryMemory(ChipModel chip, ByteSpan defaultImage, ByteSpan defaultFirmware,
                    FactoryContent content = FactoryContent::Plain);

// The memory of `mouse` from a file of exactly its size (256 or 65,536 bytes); no more is read.
Status loadMemoryFile(VirtualMouse& mouse, const std::filesystem::path& path);

}  // namespace varnel
