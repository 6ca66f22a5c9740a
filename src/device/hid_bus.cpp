#include "device/hid_bus.h"

#include <cstdio>

namespace varnel {

std::string reportToHex(const FeatureReport& report) {
    std::string out;
    out.reserve(report.size() * 3);
    char pair[4];
    for (std::size_t i = 0; i < report.size(); ++i) {
        std::snprintf(pair, sizeof pair, "%02X", report[i]);
        if (i != 0) out += ' ';
        out += pair;
    }
    return out;
}

bool isWholeAnswer(std::uint8_t wantedId, int length, const FeatureReport& answer) {
    return length == static_cast<int>(answer.size()) && answer[0] == wantedId;
}

}  // namespace varnel
