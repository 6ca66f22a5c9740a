#include "config/layout.h"

namespace varnel {

std::uint8_t SectionChecksum(ByteSpan data) {
    std::uint8_t sum = 0;
    for (auto b : data) sum = static_cast<std::uint8_t>(sum + b);
    return static_cast<std::uint8_t>(sum ^ 0x5A);
}

bool sectionChecksumMatches(ByteSpan block, Section s) {
    return SectionChecksum(block.subspan(s.offset, s.dataLength)) == block[s.checksumOffset()];
}

void storeSectionChecksum(MutableByteSpan block, Section s) {
    block[s.checksumOffset()] = SectionChecksum(ByteSpan(block).subspan(s.offset, s.dataLength));
}

}  // namespace varnel
