#pragma once
// The signature pairs a mouse may carry for this program. Identification reads the first two bytes
// of the mouse's signature area and accepts only these, so a mouse given any other pair can no
// longer be reached: profiles carrying one are refused and the writes never send one.
#include <array>
#include <cstdint>
#include <string>

#include "common/bytes.h"

namespace varnel {

// The layout file's Rev_Manu_ID and Rev_Pro_ID: a second accepted signature pair.
struct AlternativeSignature {
    int manufacturer = 0;
    int product = 0;
};

struct AcceptedSignatures {
    std::array<std::uint8_t, 2> expected{};  // ExpectedSignature of the default image
    AlternativeSignature alternative;

    // The first two bytes of `signature` are one of the pairs (fewer bytes are refused).
    bool accepts(ByteSpan signature) const;
};

// "12 34": two signature bytes for messages.
std::string signatureText(ByteSpan signature);

}  // namespace varnel
