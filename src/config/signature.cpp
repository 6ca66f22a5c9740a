#include "config/signature.h"

#include <cstdio>

namespace varnel {

bool AcceptedSignatures::accepts(ByteSpan s) const {
    if (s.size() < 2) return false;
    return (s[0] == expected[0] && s[1] == expected[1]) ||
           (s[0] == alternative.manufacturer && s[1] == alternative.product);
}

std::string signatureText(ByteSpan s) {
    char buf[8] = "";
    if (s.size() >= 2) std::snprintf(buf, sizeof buf, "%02X %02X", s[0], s[1]);
    return buf;
}

}  // namespace varnel
