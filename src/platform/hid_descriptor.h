#pragma once
// Just enough of a HID report-descriptor parser to learn an interface's feature report length the
// way the HID capabilities report it: the longest feature report in bytes, plus one byte for the
// report id (present in the buffer even when the descriptor declares no report ids); 0 when the
// interface has no feature report.
#include <cstddef>
#include <cstdint>
#include <map>

#include "common/bytes.h"
#include "common/result.h"

namespace varnel {

// The longest report the kernel's HID layer exchanges; a descriptor declaring a longer one is
// refused, which also keeps the bit totals far from wrapping.
constexpr std::size_t kMaxReportBytes = 16384;

struct ReportDescriptorSummary {
    // Bits per report id (0 = no report id declared), for each kind of main item.
    std::map<std::uint8_t, std::size_t> inputBits;
    std::map<std::uint8_t, std::size_t> outputBits;
    std::map<std::uint8_t, std::size_t> featureBits;

    std::size_t featureReportByteLength() const;
};

// A truncated item, a Pop without Push or a report longer than kMaxReportBytes is an error;
// unknown items are skipped.
Result<ReportDescriptorSummary> parseReportDescriptor(ByteSpan descriptor);

}  // namespace varnel
