#pragma once
// The memory a new virtual mouse starts with when none is given: the default image where the
// mouse keeps its configuration, and the default firmware in both firmware regions, as a mouse
// fresh from the factory would hold them.
#include <filesystem>

#include "common/bytes.h"
#include "device/virtual_mouse.h"

namespace varnel {

// `defaultImage` of another variant than the mouse leaves the configuration erased (0xFF).
Bytes factoryMemory(ChipModel chip, ByteSpan defaultImage, ByteSpan defaultFirmware);

// The memory of `mouse` from a file of exactly its size (256 or 65,536 bytes); no more is read.
Status loadMemoryFile(VirtualMouse& mouse, const std::filesystem::path& path);

}  // namespace varnel
