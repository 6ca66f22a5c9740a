#pragma once
// The seven bytes the mouse answers to command 14, and the sensor table they index. Both the
// identification (reading) and the virtual mouse (answering) go through these definitions.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "common/chip_model.h"

namespace varnel {

using DevicePayload = std::array<std::uint8_t, 7>;

struct SensorInfo {
    std::uint8_t code;       // byte 4 of the device information
    std::string_view model;  // SensorModel
    int stepCount;           // StepCount
};

inline constexpr std::array<SensorInfo, 5> kSensorTable{{
    {9, "A3050", 9},
    {18, "A5050", 17},
    {48, "6520", 10},
    {63, "3310", 20},
    {69, "3330", 20},
}};

std::optional<SensorInfo> sensorByCode(std::uint8_t code);
// Case-insensitive: "a5050" and "A5050" name the same sensor.
std::optional<SensorInfo> sensorByModel(std::string_view model);

// Payload offsets and values of the device information.
constexpr std::size_t kInfoLightingByte = 2;
constexpr std::uint8_t kInfoRgbBit = 0x40;
constexpr std::size_t kInfoChipByte = 3;
constexpr std::uint8_t kInfoChipLark = 0;
constexpr std::uint8_t kInfoChipWren = 200;
constexpr std::size_t kInfoSensorByte = 4;

struct DeviceInformation {
    bool rgb = false;   // LightingKind "RGB" when set, "Color" otherwise
    OptionalChip chip;  // none for a variant byte other than 0 and 200
    std::uint8_t sensorCode = 0;
};

DeviceInformation decodeDeviceInformation(const DevicePayload& payload);
DevicePayload encodeDeviceInformation(ChipModel chip, bool rgb, std::uint8_t sensorCode);

}  // namespace varnel
