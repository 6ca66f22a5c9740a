#include "device/device_info.h"

#include <algorithm>
#include <cctype>

namespace varnel {

std::optional<SensorInfo> sensorByCode(std::uint8_t code) {
    for (const auto& s : kSensorTable)
        if (s.code == code) return s;
    return std::nullopt;
}

std::optional<SensorInfo> sensorByModel(std::string_view model) {
    auto same = [](std::string_view a, std::string_view b) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
               });
    };
    for (const auto& s : kSensorTable)
        if (same(s.model, model)) return s;
    return std::nullopt;
}

DeviceInformation decodeDeviceInformation(const DevicePayload& payload) {
    DeviceInformation info;
    info.rgb = (payload[kInfoLightingByte] & kInfoRgbBit) != 0;
    if (payload[kInfoChipByte] == kInfoChipLark) info.chip = ChipModel::Lark;
    if (payload[kInfoChipByte] == kInfoChipWren) info.chip = ChipModel::Wren;
    info.sensorCode = payload[kInfoSensorByte];
    return info;
}

DevicePayload encodeDeviceInformation(ChipModel chip, bool rgb, std::uint8_t sensorCode) {
    DevicePayload p{};
    p[kInfoLightingByte] = rgb ? kInfoRgbBit : 0;
    p[kInfoChipByte] = chip == ChipModel::Lark ? kInfoChipLark : kInfoChipWren;
    p[kInfoSensorByte] = sensorCode;
    return p;
}

}  // namespace varnel
