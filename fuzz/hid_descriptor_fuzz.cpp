// The HID report-descriptor parser. Besides crashes: an accepted descriptor declares no report
// longer than the bound, so the totals cannot have wrapped.
#include "platform/hid_descriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace varnel;
    const auto summary = parseReportDescriptor(ByteSpan(data, size));
    if (!summary) return 0;
    for (const auto* totals : {&summary->inputBits, &summary->outputBits, &summary->featureBits}) {
        for (const auto& [id, bits] : *totals) {
            if (bits > kMaxReportBytes * 8) __builtin_trap();
        }
    }
    if (summary->featureReportByteLength() > kMaxReportBytes + 1) __builtin_trap();
    return 0;
}
