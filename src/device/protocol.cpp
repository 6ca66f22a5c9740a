#include "device/protocol.h"

#include <algorithm>

namespace varnel {

namespace {
constexpr std::size_t kMaxLength = 0xFFFF;
}

FeatureReport makeCommandReport(std::uint8_t command, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4,
                                std::uint8_t b5) {
    return {kCommandReportId, command, b2, b3, b4, b5, 0, 0};
}

FeatureReport makeDataReport(const std::array<std::uint8_t, kPayloadSize>& payload) {
    FeatureReport r{};
    r[0] = kDataReportId;
    std::copy(payload.begin(), payload.end(), r.begin() + 1);
    return r;
}

FeatureReport probeCommandReport() { return makeCommandReport(kCmdProbe, 0, kProbeAddressLow, 0, kProbeLengthLow); }

FeatureReport probeDataReport() { return makeDataReport({}); }

void DeviceLink::setChannels(Channels channels) {
    channels_ = std::move(channels);
    gone_ = false;
    stalled_ = false;
}

LinkStatus DeviceLink::exchange(const std::shared_ptr<HidChannel>& channel, bool get, FeatureReport& report) {
    if (!channel) return LinkStatus::NoChannel;
    if (gone_) return LinkStatus::Gone;
    ReportStatus s = get ? channel->getFeatureReport(report) : channel->sendFeatureReport(report);
    switch (s) {
        case ReportStatus::Ok: return LinkStatus::Ok;
        case ReportStatus::Refused: return LinkStatus::Refused;
        case ReportStatus::Gone: break;
        case ReportStatus::TimedOut: stalled_ = true; break;
    }
    gone_ = true;
    return LinkStatus::Gone;
}

LinkStatus DeviceLink::SendCommand(std::uint8_t command, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4,
                                   std::uint8_t b5) {
    FeatureReport r = makeCommandReport(command, b2, b3, b4, b5);
    return exchange(channels_.command, false, r);
}

LinkStatus DeviceLink::SendData(const std::array<std::uint8_t, kPayloadSize>& bytes) {
    FeatureReport r = makeDataReport(bytes);
    return exchange(channels_.data, false, r);
}

LinkStatus DeviceLink::ReceiveData() {
    receiveBuffer_.fill(0xFF);
    FeatureReport r = makeDataReport({});
    LinkStatus s = exchange(channels_.data, true, r);
    if (s == LinkStatus::Ok) std::copy(r.begin() + 1, r.end(), receiveBuffer_.begin());
    return s;
}

LinkStatus DeviceLink::EraseSector(std::uint8_t highByte) { return SendCommand(kCmdEraseSector, highByte, 0, 0, 0); }

TransferResult DeviceLink::transfer(std::uint8_t command, std::uint16_t address, std::size_t length,
                                    const ProgressFn& progress, const ChunkFn& chunk) {
    TransferResult result;
    if (length > kMaxLength) {
        result.command = LinkStatus::Invalid;
        return result;
    }
    const auto n = static_cast<std::uint16_t>(length);
    result.command = SendCommand(command, highByte(address), lowByte(address), highByte(n), lowByte(n));
    if (result.command != LinkStatus::Ok) {
        result.gone = result.command == LinkStatus::Gone;
        return result;
    }
    const std::size_t reports = reportsFor(n);
    for (std::size_t k = 0; k < reports; ++k) {
        const std::size_t start = k * kPayloadSize;
        LinkStatus s = chunk(start, std::min(kPayloadSize, length - start));
        ++result.dataReports;
        if (s != LinkStatus::Ok) ++result.refusedData;
        if (s == LinkStatus::Gone) {
            result.gone = true;
            return result;
        }
        if (progress) progress(k + 1);
    }
    return result;
}

TransferResult DeviceLink::read(std::uint8_t command, std::uint16_t address, MutableByteSpan destination,
                                const ProgressFn& progress) {
    if (destination.size() <= kMaxLength) std::fill(destination.begin(), destination.end(), 0xFF);
    return transfer(command, address, destination.size(), progress, [&](std::size_t start, std::size_t count) {
        LinkStatus s = ReceiveData();
        std::copy_n(receiveBuffer_.begin(), count, destination.begin() + static_cast<std::ptrdiff_t>(start));
        return s;
    });
}

TransferResult DeviceLink::write(std::uint8_t command, std::uint16_t address, ByteSpan source,
                                 const ProgressFn& progress) {
    return transfer(command, address, source.size(), progress, [&](std::size_t start, std::size_t count) {
        std::array<std::uint8_t, kPayloadSize> chunk;
        chunk.fill(0xFF);  // the last report is padded past the end of the source
        std::copy_n(source.begin() + static_cast<std::ptrdiff_t>(start), count, chunk.begin());
        return SendData(chunk);
    });
}

TransferResult DeviceLink::ReadParam(std::uint8_t address, MutableByteSpan destination, const ProgressFn& progress) {
    return read(kCmdReadParam, address, destination, progress);
}

TransferResult DeviceLink::WriteParam(std::uint8_t address, ByteSpan source, const ProgressFn& progress) {
    return write(kCmdWriteParam, address, source, progress);
}

TransferResult DeviceLink::ReadFlash(std::uint16_t address, MutableByteSpan destination, const ProgressFn& progress) {
    return read(kCmdReadFlash, address, destination, progress);
}

TransferResult DeviceLink::WriteFlash(std::uint16_t address, ByteSpan source, const ProgressFn& progress) {
    return write(kCmdWriteFlash, address, source, progress);
}

}  // namespace varnel
