#pragma once
// The memory a new virtual mouse starts with when none is given: the default image where the
// mouse keeps its configuration, and the default firmware in both firmware regions, as a mouse
// fresh from the factory would hold them.
#include "common/bytes.h"
#include "device/virtual_mouse.h"

namespace varnel {

// `defaultImage` of another variant than the mouse leaves the configuration erased (0xFF).
Bytes factoryMemory(ChipModel chip, ByteSpan defaultImage, ByteSpan defaultFirmware);

}  // namespace varnel
