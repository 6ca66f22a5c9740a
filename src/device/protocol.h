#pragma once
// The command protocol: one command report (id 0x40) on the command channel, then as many data
// reports (id 0x41) on the data channel as the announced length needs, 7 data bytes each. There
// is no acknowledgement: a command counts as accepted when its report was, a refused data report
// leaves its seven bytes 0xFF (read) or is skipped (write) and the transfer goes on. A channel
// that has left the bus, or whose device let a report time out, ends the transfer at once and
// every later operation fails without touching the device until new channels are set.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "common/bytes.h"
#include "device/commands.h"
#include "device/device_info.h"
#include "device/hid_bus.h"

namespace varnel {

// CommandHandle and DataHandle; either may be none, both may be the same interface.
struct Channels {
    std::shared_ptr<HidChannel> command;
    std::shared_ptr<HidChannel> data;
};

enum class LinkStatus { Ok, NoChannel, Refused, Gone, Invalid };

struct TransferResult {
    LinkStatus command = LinkStatus::NoChannel;  // what became of the command report
    std::size_t dataReports = 0;                 // data reports attempted
    std::size_t refusedData = 0;                 // of those, refused or without a channel
    bool gone = false;                           // the mouse left the bus during the transfer

    // The protocol's own boolean: the command was accepted.
    bool accepted() const { return command == LinkStatus::Ok; }
    // Everything went through.
    bool clean() const { return accepted() && refusedData == 0 && !gone; }
};

// Busy forms call this after every data report with the number of data reports done so far in
// this operation; the quiet form passes an empty function.
using ProgressFn = std::function<void(std::size_t reportsDone)>;

constexpr std::size_t reportsFor(std::size_t length) { return (length + kPayloadSize - 1) / kPayloadSize; }
static_assert(reportsFor(154) == 22 && reportsFor(182) == 26 && reportsFor(9) == 2 && reportsFor(5) == 1 &&
              reportsFor(256) == 37 && reportsFor(1024) == 147);

FeatureReport makeCommandReport(std::uint8_t command, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4,
                                std::uint8_t b5);
FeatureReport makeDataReport(const std::array<std::uint8_t, kPayloadSize>& payload);
FeatureReport probeCommandReport();  // 40 02 00 11 00 01 00 00
FeatureReport probeDataReport();     // 41 00 00 00 00 00 00 00

class DeviceLink {
public:
    void setChannels(Channels channels);
    void forgetChannels() { setChannels({}); }
    const Channels& channels() const { return channels_; }
    bool hasBothChannels() const { return channels_.command && channels_.data; }
    bool gone() const { return gone_; }
    bool stalled() const { return stalled_; }  // gone because a report timed out

    LinkStatus SendCommand(std::uint8_t command, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4, std::uint8_t b5);
    LinkStatus SendData(const std::array<std::uint8_t, kPayloadSize>& bytes);
    LinkStatus ReceiveData();  // refreshes ReceiveBuffer (0xFF when nothing arrived)
    const DevicePayload& ReceiveBuffer() const { return receiveBuffer_; }

    // Parameter space (commands 4 and 6), addresses 0..255.
    TransferResult ReadParam(std::uint8_t address, MutableByteSpan destination, const ProgressFn& progress = {});
    TransferResult WriteParam(std::uint8_t address, ByteSpan source, const ProgressFn& progress = {});
    // Flash (commands 9 and 12), addresses 0..0xFFFF.
    TransferResult ReadFlash(std::uint16_t address, MutableByteSpan destination, const ProgressFn& progress = {});
    TransferResult WriteFlash(std::uint16_t address, ByteSpan source, const ProgressFn& progress = {});
    // Command 11 with the sector's address high byte (0x10, 0x20, ... 0xF0).
    LinkStatus EraseSector(std::uint8_t highByte);

private:
    using ChunkFn = std::function<LinkStatus(std::size_t start, std::size_t count)>;
    TransferResult transfer(std::uint8_t command, std::uint16_t address, std::size_t length, const ProgressFn& progress,
                            const ChunkFn& chunk);
    LinkStatus exchange(const std::shared_ptr<HidChannel>& channel, bool get, FeatureReport& report);
    TransferResult read(std::uint8_t command, std::uint16_t address, MutableByteSpan destination,
                        const ProgressFn& progress);
    TransferResult write(std::uint8_t command, std::uint16_t address, ByteSpan source, const ProgressFn& progress);

    Channels channels_;
    bool gone_ = false;
    bool stalled_ = false;
    DevicePayload receiveBuffer_{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
};

}  // namespace varnel
