#pragma once
// Wire layout shared by the host side (protocol) and the mouse side (virtual mouse): report ids,
// command numbers, the byte positions of a command report, the device memory map.
#include <cstddef>
#include <cstdint>

namespace varnel {

constexpr std::uint8_t kCommandReportId = 0x40;
constexpr std::uint8_t kDataReportId = 0x41;
constexpr std::size_t kPayloadSize = 7;  // data bytes per report

enum Command : std::uint8_t {
    kCmdProbe = 2,
    kCmdReadParam = 4,
    kCmdWriteParam = 6,
    kCmdReadFlash = 9,
    kCmdEraseSector = 11,
    kCmdWriteFlash = 12,
    kCmdDeviceInfo = 14,
    kCmdReloadAfterRate = 16,
    kCmdReload = 17,
    kCmdFinishFirmware = 18,
};

// Command report: [0x40, command, address hi, address lo, length hi, length lo, 0, 0].
constexpr std::size_t kCmdByteCommand = 1;
constexpr std::size_t kCmdByteAddress = 2;  // big-endian 2..3
constexpr std::size_t kCmdByteLength = 4;   // big-endian 4..5

// The probe sent to every matching interface while opening.
constexpr std::uint8_t kProbeAddressLow = 0x11;
constexpr std::uint8_t kProbeLengthLow = 0x01;

}  // namespace varnel
