#include "transfers/transfer_status.h"

#include <algorithm>

#include "macros/macro_file.h"

namespace varnel {

TransferStatus noDeviceStatus() {
    return TransferStatus::fail(TransferCode::NoDevice, "The specified device was not found.", "Str022");
}

TransferStatus noDeviceFoundStatus() {
    return TransferStatus::fail(TransferCode::NoDevice,
                                "No Device Found\nPlease check that the mouse is plugged into a USB port.", "Str100");
}

std::string goneReason(const DeviceLink& link) {
    return link.stalled() ? "the mouse stopped answering (a report timed out)" : "the mouse left the bus";
}

std::string reportCountText(std::size_t n) { return std::to_string(n) + (n == 1 ? " report" : " reports"); }

TransferSession::TransferSession(DeviceLink& link, std::size_t total, ProgressSink sink)
    : link_(link), total_(total), sink_(std::move(sink)) {}

ProgressFn TransferSession::dataProgress() {
    // The command report is counted before the data phase starts; each data report after it.
    const std::size_t base = done_ + 1;
    return [this, base](std::size_t k) {
        if (sink_) sink_(base + k, std::max(total_, base + k));
    };
}

TransferResult TransferSession::account(TransferResult r) {
    done_ += 1 + r.dataReports;
    if (!r.accepted()) ++refused_;
    refused_ += r.refusedData;
    if (sink_) sink_(done_, std::max(total_, done_));
    return r;
}

LinkStatus TransferSession::account(LinkStatus s) {
    done_ += 1;
    if (s != LinkStatus::Ok) ++refused_;
    if (sink_) sink_(done_, std::max(total_, done_));
    return s;
}

TransferResult TransferSession::readParam(std::uint8_t address, MutableByteSpan destination) {
    return account(link_.ReadParam(address, destination, dataProgress()));
}

TransferResult TransferSession::readFlash(std::uint16_t address, MutableByteSpan destination) {
    return account(link_.ReadFlash(address, destination, dataProgress()));
}

TransferResult TransferSession::writeParam(std::uint8_t address, ByteSpan source) {
    return account(link_.WriteParam(address, source, dataProgress()));
}

TransferResult TransferSession::writeFlash(std::uint16_t address, ByteSpan source) {
    return account(link_.WriteFlash(address, source, dataProgress()));
}

LinkStatus TransferSession::command(std::uint8_t command) { return account(link_.SendCommand(command, 0, 0, 0, 0)); }

LinkStatus TransferSession::erase(std::uint8_t highByte) { return account(link_.EraseSector(highByte)); }

TransferStatus TransferSession::outcome(const std::string& operation, NotKept notKept) const {
    if (gone()) return TransferStatus::fail(TransferCode::DeviceGone, operation + " failed: " + goneReason(link_));
    if (refused_ > 0)
        return TransferStatus::fail(TransferCode::DeviceFailed,
                                    operation + " failed: the mouse refused " + reportCountText(refused_));
    if (!notKept.any()) return TransferStatus::done();
    TransferStatus s = TransferStatus::fail(
        TransferCode::DeviceFailed, operation + " failed: the mouse did not keep what was written: " + notKept.english(),
        std::string(kNotKeptKey));
    s.notKept = std::move(notKept);
    return s;
}

std::string NotKept::describe(const std::function<std::string(std::string_view key)>& text) const {
    std::string out;
    auto part = [&](std::string part) { out += (out.empty() ? "" : ", ") + part; };
    if (settings) part(text("Str467"));
    if (macroNames) part(text("Str468"));
    if (!macros.empty()) {
        std::string t = text("Str469");
        if (const auto at = t.find("%1"); at != std::string::npos) t.replace(at, 2, repairedMacroNumbers(macros));
        part(t);
    }
    return out;
}

std::string NotKept::english() const {
    return describe([](std::string_view key) -> std::string {
        if (key == "Str467") return "the settings and button maps";
        if (key == "Str468") return "the macro names";
        return "macros %1";
    });
}

}  // namespace varnel
