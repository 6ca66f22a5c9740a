#pragma once
// A faithful stand-in for the mouse's side of the protocol, used by tests, the demo and the
// command-line tool. It keeps real memory (Lark: 256-byte parameter space; Wren: 64 KiB flash in
// 4 KiB sectors that erase to 0xFF and whose writes can only clear bits, so a missing erase shows
// up), answers command 14, counts reloads, drops off the bus on command 18 and comes back after a
// delay, and can be told to refuse one report, to vanish after one, or to turn hostile from one on.
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/bytes.h"
#include "common/chip_model.h"
#include "common/result.h"
#include "device/clock.h"
#include "device/hid_bus.h"
#include "device/report_pacer.h"

namespace varnel {

// "VARIANT-LIGHTING-SENSOR", e.g. "wren-rgb-3330", "lark-color-a3050".
struct VirtualMouseModel {
    ChipModel chip = ChipModel::Wren;
    bool rgb = true;
    std::uint8_t sensorCode = 69;
};

Result<VirtualMouseModel> parseVirtualModel(std::string_view text);
std::string virtualModelName(const VirtualMouseModel& model);

// How a hostile mouse answers from report `hostileFrom` on.
enum class Hostility {
    None,
    WrongId,       // every fetch is answered with the command report's id
    ShortAnswer,   // every fetch is answered with 5 of its 8 bytes
    Garbage,       // every fetch with the right id and 7 bytes from a fixed-seed generator
    OtherVariant,  // it is the other variant: its device information, its commands, its writes
    LateAnswer,    // every report lets the transport's timeout pass on the clock, unanswered
};

// Faults at a report counted from 1 over the mouse's life; 0 = never.
struct VirtualFaults {
    std::uint64_t refuseReport = 0;       // the K-th report is refused
    std::uint64_t vanishAfterReport = 0;  // gone after the K-th report
    Hostility hostility = Hostility::None;
    std::uint64_t hostileFrom = 0;
};

// One fault, "NAME=K" with K >= 1, into `faults`: refuse-report, unplug-after, or a hostility
// from report K on: wrong-id, short-answer, garbage, other-variant, late-answer.
Status addVirtualFault(VirtualFaults& faults, std::string_view text);

struct VirtualMouseOptions : VirtualFaults {
    VirtualMouseModel model;
    std::uint16_t vendorId = 0x1209;
    std::uint16_t productId = 0x0001;
    int vendorInterfaces = 1;              // 1: one interface takes both reports; 2: command, then data
    Millis restartDelay{1000};             // off the bus after command 18
    // Really slept, per report, paced like a device (ReportPacer): n reports back to back take
    // n x latency however late the host wakes within each one.
    std::chrono::microseconds latency{0};
};

// What the mouse exposes on the bus. Roles decide which report ids an interface takes.
enum class InterfaceRole { Pointer, Vendor, Keyboard };

struct VirtualInterface {
    InterfaceRole role;
    int index;                        // position among the mouse's interfaces
    std::size_t featureReportLength;  // 8 only for vendor interfaces
};

class VirtualMouse {
public:
    VirtualMouse(VirtualMouseOptions options, std::shared_ptr<Clock> clock);

    const VirtualMouseOptions& options() const { return options_; }
    std::size_t memorySize() const;  // 256 (Lark) or 65,536 (Wren)
    Bytes memory() const;
    Status loadMemory(ByteSpan bytes);  // exactly memorySize() bytes

    // Presence. A restart after command 18 ends once the clock passes its deadline; every
    // departure invalidates channels opened before it (a new plug-in means new device nodes).
    bool online() const;
    std::uint64_t generation() const;  // changes on every departure
    void unplug();
    void plugIn();

    std::vector<VirtualInterface> interfaces() const;

    // Statistics for tests.
    std::uint64_t reportCount() const;             // reports exchanged, refused ones included
    std::vector<std::uint8_t> commandLog() const;  // command numbers accepted, in order
    int reloadCount(std::uint8_t command) const;   // how often 16, 17 or 18 arrived

    // Called by the bus's channels. A get's answer may be shorter than the report (`length`
    // bytes), as a device may send; the channel decides what it is worth (isWholeAnswer).
    struct Answer {
        ReportStatus status;
        int length = static_cast<int>(kFeatureReportSize);
    };
    ReportStatus set(int interfaceIndex, std::uint64_t generation, const FeatureReport& report);
    Answer get(int interfaceIndex, std::uint64_t generation, FeatureReport& report);

private:
    enum class Stream { None, Parameter, Flash, Info };

    bool onlineLocked() const;
    bool takes(int interfaceIndex, std::uint8_t reportId) const;
    bool hostile(Hostility kind) const;  // from hostileFrom on
    ChipModel chip() const;              // the variant it answers as now
    // Common prologue: presence, latency, counting, refusal, a late answer. Returns Ok when the
    // report is to be processed.
    ReportStatus admit(int interfaceIndex, std::uint64_t generation, std::uint8_t reportId,
                       std::unique_lock<std::mutex>& lock);
    void finishReport();  // vanish-after check
    void command(const FeatureReport& report);
    void data(const FeatureReport& report);
    void fetch(FeatureReport& report);
    Answer answerHostile(FeatureReport& report) const;
    std::uint8_t readByte(std::size_t address) const;
    void writeByte(std::size_t address, std::uint8_t value);

    VirtualMouseOptions options_;
    std::shared_ptr<Clock> clock_;
    mutable std::mutex mutex_;
    ReportPacer pacer_{options_.latency};
    Bytes memory_;
    mutable bool present_ = true;
    mutable std::optional<Millis> restartAt_;
    std::uint64_t generation_ = 1;
    std::uint64_t reports_ = 0;
    std::vector<std::uint8_t> commands_;

    Stream readStream_ = Stream::None;
    std::size_t readAddress_ = 0;
    bool infoPending_ = false;
    Stream writeStream_ = Stream::None;
    std::size_t writeAddress_ = 0;
    std::size_t writeRemaining_ = 0;
};

}  // namespace varnel
