#include "platform/hid_descriptor.h"

#include <algorithm>
#include <vector>

namespace varnel {

namespace {

// Item types and tags of short items.
constexpr std::uint8_t kTypeMain = 0, kTypeGlobal = 1;
constexpr std::uint8_t kMainInput = 0x8, kMainOutput = 0x9, kMainFeature = 0xB;
constexpr std::uint8_t kGlobalReportSize = 0x7, kGlobalReportId = 0x8, kGlobalReportCount = 0x9, kGlobalPush = 0xA,
                       kGlobalPop = 0xB;
constexpr std::uint8_t kLongItemPrefix = 0xFE;

struct Globals {
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

std::uint32_t itemValue(ByteSpan d, std::size_t at, std::size_t size) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < size; ++i) v |= static_cast<std::uint32_t>(d[at + i]) << (8 * i);
    return v;
}

// Adds a main item's bits to its report's total without letting the total pass the bound.
bool addBits(std::map<std::uint8_t, std::size_t>& totals, std::uint8_t id, std::uint64_t bits) {
    constexpr std::uint64_t kMaxBits = kMaxReportBytes * 8;
    std::size_t& total = totals[id];
    if (bits > kMaxBits - total) return false;
    total += static_cast<std::size_t>(bits);
    return true;
}

}  // namespace

std::size_t ReportDescriptorSummary::featureReportByteLength() const {
    std::size_t longest = 0;
    bool any = false;
    for (const auto& [id, bits] : featureBits) {
        any = true;
        longest = std::max(longest, (bits + 7) / 8);
    }
    return any ? longest + 1 : 0;
}

Result<ReportDescriptorSummary> parseReportDescriptor(ByteSpan d) {
    ReportDescriptorSummary out;
    Globals g;
    std::vector<Globals> stack;
    std::size_t i = 0;
    while (i < d.size()) {
        const std::uint8_t prefix = d[i];
        if (prefix == kLongItemPrefix) {
            // 0xFE, data size, long tag, data: nothing in it concerns report lengths.
            if (i + 2 >= d.size() || i + 3 + d[i + 1] > d.size()) return makeError("truncated long item");
            const std::size_t size = d[i + 1];
            i += 3 + size;
            continue;
        }
        const std::size_t size = (prefix & 3) == 3 ? 4 : (prefix & 3);
        const std::uint8_t type = (prefix >> 2) & 3;
        const std::uint8_t tag = prefix >> 4;
        if (i + 1 + size > d.size())
            return makeError("report descriptor item at offset " + std::to_string(i) + " is truncated");
        const std::uint32_t value = itemValue(d, i + 1, size);
        i += 1 + size;
        if (type == kTypeGlobal) {
            switch (tag) {
                case kGlobalReportSize: g.reportSize = value; break;
                case kGlobalReportCount: g.reportCount = value; break;
                case kGlobalReportId: g.reportId = static_cast<std::uint8_t>(value); break;
                case kGlobalPush: stack.push_back(g); break;
                case kGlobalPop:
                    if (stack.empty()) return makeError("Pop without Push in report descriptor");
                    g = stack.back();
                    stack.pop_back();
                    break;
                default: break;
            }
        } else if (type == kTypeMain) {
            // Both factors are 32-bit, so the product fits.
            const std::uint64_t bits = static_cast<std::uint64_t>(g.reportSize) * g.reportCount;
            auto* totals = tag == kMainInput    ? &out.inputBits
                           : tag == kMainOutput ? &out.outputBits
                           : tag == kMainFeature ? &out.featureBits
                                                 : nullptr;
            if (totals != nullptr && !addBits(*totals, g.reportId, bits)) {
                return makeError("report descriptor declares a report longer than " +
                                 std::to_string(kMaxReportBytes) + " bytes");
            }
        }
    }
    return out;
}

}  // namespace varnel
