#pragma once
// The transport contract between the mouse and everything above it. Every implementation (the
// hidapi bus over Linux hidraw, the virtual bus, the tracing decorator) keeps to these rules:
//
//  * A feature report is exactly 8 bytes. Byte 0 is the report id in BOTH directions: a set sends
//    [id, 7 payload bytes]; a get is called with byte 0 = the wanted id (the rest is the request,
//    zero by convention) and on success the buffer holds [id, 7 payload bytes] as the device
//    answered.
//  * Every exchange returns a ReportStatus: Ok; Refused (the device or driver rejected this one
//    report, the channel stays usable); Gone (the interface has left the bus; every later report on
//    this channel is Gone as well and callers stop at once); TimedOut (the device let the transport's
//    timeout pass without answering: it is there but no longer answers, and every later report
//    would wait as long, so callers stop at once as for Gone).
//  * A fetched report counts only when it is whole, [id, 7 bytes], and answers the id asked for
//    (isWholeAnswer); anything else the device sends back is a refusal, so that a device that
//    leaves out the id byte or answers another report cannot pass its bytes off as the answer.
//  * A refused, timed-out or gone get leaves the buffer as the caller passed it.
//  * Enumeration lists every HID interface present, including ones this program never uses; the
//    feature report length follows the usual HID capability rule: the longest feature report of
//    the interface in bytes plus one for the report-id byte, 0 when it has no feature report.
//  * Opening distinguishes a lasting permission failure (fixable with the udev rule) from other
//    failures, so the window and the tool can tell the user what to do.
//
// Channels are shared: the same open interface may serve as command and data channel at once.
// A bus and its channels are used from one thread at a time.
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

constexpr std::size_t kFeatureReportSize = 8;
using FeatureReport = std::array<std::uint8_t, kFeatureReportSize>;

enum class ReportStatus { Ok, Refused, Gone, TimedOut };

// How long the transport waits for the device to take or answer one report (the kernel's USB
// control transfer timeout).
constexpr std::chrono::milliseconds kTransportTimeout{5000};

struct HidInterfaceInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::size_t featureReportLength = 0;  // 0 = the interface has no feature report
    int interfaceNumber = -1;             // USB interface number, -1 when unknown
    std::string product;                  // product string, informational only
};

class HidChannel {
public:
    virtual ~HidChannel() = default;
    virtual ReportStatus sendFeatureReport(const FeatureReport& report) = 0;
    virtual ReportStatus getFeatureReport(FeatureReport& report) = 0;
};

enum class OpenStatus { Ok, PermissionDenied, Failed };

struct OpenResult {
    OpenStatus status = OpenStatus::Failed;
    std::shared_ptr<HidChannel> channel;  // set exactly when status is Ok
    std::string message;                  // why it failed, for people
};

class HidBus {
public:
    virtual ~HidBus() = default;
    virtual std::vector<HidInterfaceInfo> enumerate() = 0;
    virtual OpenResult open(const std::string& path) = 0;
};

// Shared by every bus: the upper-case hex form used in traces and listings ("40 0E 00 ...").
std::string reportToHex(const FeatureReport& report);

// Whether `length` bytes fetched into `answer` are a whole answer to report `wantedId`.
bool isWholeAnswer(std::uint8_t wantedId, int length, const FeatureReport& answer);

}  // namespace varnel
