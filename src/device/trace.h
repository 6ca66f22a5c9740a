#pragma once
// A decorator over any HidBus that writes one line per feature report exchanged with the mouse's
// interfaces, in order:
//   S0 40 0E 00 00 00 00 00 00     set on interface 0, the bytes sent
//   G0 41 00 00 40 C8 45 00 00     get on interface 0, the bytes returned
//   S1! 40 02 00 11 00 01 00 00    refused (a refused get shows the request buffer)
// The interface number counts, from 0 in enumeration order, the interfaces with the mouse's ids
// that carry 8-byte feature reports. Reports on other interfaces are passed through untraced.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "device/hid_bus.h"

namespace varnel {

using TraceSink = std::function<void(std::string_view line)>;

std::string traceLine(char direction, int interfaceNumber, ReportStatus status, const FeatureReport& bytes);

class TracingBus final : public HidBus {
public:
    TracingBus(HidBus& inner, std::uint16_t vendorId, std::uint16_t productId, TraceSink sink);

    std::vector<HidInterfaceInfo> enumerate() override;
    OpenResult open(const std::string& path) override;

private:
    HidBus& inner_;
    std::uint16_t vendorId_;
    std::uint16_t productId_;
    std::shared_ptr<TraceSink> sink_;
    std::map<std::string, int> numbers_;  // path -> interface number, from the last enumeration
};

}  // namespace varnel
