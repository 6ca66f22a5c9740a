#pragma once
// What a transfer reports: progress in reports done of the total, and a result that says what
// went wrong in words (and, where the window has a text for it, the language key).
//
// Status (common/result.h) is the result of anything that can fail; TransferStatus is the result
// of an operation on the mouse, a Status plus the kind of failure (no mouse, refused, gone, bad
// input), from which the window picks its message and varnelctl its exit code. A Status failure
// on the way into a transfer becomes a TransferStatus with TransferStatus::from.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "device/protocol.h"

namespace varnel {

enum class TransferCode {
    Done,
    NoDevice,      // no channels, or no identified mouse
    DeviceFailed,  // the mouse refused or did not answer reports
    DeviceGone,    // the mouse left the bus (or stopped answering) during the transfer
    Refused,       // identification refused the mouse (variant or signature)
    BadFile,       // an input file is unusable
};

// What the read-back after a write found different from what was sent, or could not read.
struct NotKept {
    bool settings = false;            // the parameter block (a Wren's signature area and mirror too)
    bool macroNames = false;          // the macro name table
    std::vector<std::size_t> macros;  // macro blocks, 0-based

    bool any() const { return settings || !macroAreaKept(); }
    bool macroAreaKept() const { return !macroNames && macros.empty(); }
    // The parts in words, joined by ", ": `text` gives the text of Str467 (settings), Str468
    // (names) and Str469 (macros, "%1" their numbers).
    std::string describe(const std::function<std::string(std::string_view key)>& text) const;
    std::string english() const;
};
// The window's message: this text with %1 = NotKept::describe.
constexpr std::string_view kNotKeptKey = "Str466";

struct [[nodiscard]] TransferStatus {
    TransferCode code = TransferCode::Done;
    Error error;
    NotKept notKept;  // set on the failure of a write the mouse did not keep

    bool ok() const { return code == TransferCode::Done; }
    explicit operator bool() const { return ok(); }
    static TransferStatus done() { return {}; }
    static TransferStatus fail(TransferCode code, std::string message, std::string languageKey = {}) {
        return {code, makeError(std::move(message), std::move(languageKey)), {}};
    }
    // A failed Status as a failure of kind `code` (the message and language key kept).
    static TransferStatus from(const Status& s, TransferCode code) {
        return s ? done() : TransferStatus{code, s.error(), {}};
    }
};

TransferStatus noDeviceStatus();  // "The specified device was not found." (Str022)
// The search found no mouse: "No Device Found" (Str100), a line break, then Str101.
TransferStatus noDeviceFoundStatus();

// Why a link stopped: "the mouse left the bus", or that it stopped answering.
std::string goneReason(const DeviceLink& link);

// "1 report", "3 reports".
std::string reportCountText(std::size_t n);

// Called with reports done and the total expected (the total may grow when a transfer learns it
// has more to do).
using ProgressSink = std::function<void(std::size_t done, std::size_t total)>;

// Cost in reports of one read or write of n bytes: the command and its data reports.
constexpr std::size_t transferCost(std::size_t n) { return 1 + reportsFor(n); }

// Runs the busy forms of the protocol for one transfer, counting reports for progress and
// remembering every refusal so the transfer can say at the end whether everything went through.
class TransferSession {
public:
    TransferSession(DeviceLink& link, std::size_t total, ProgressSink sink);

    TransferResult readParam(std::uint8_t address, MutableByteSpan destination);
    TransferResult readFlash(std::uint16_t address, MutableByteSpan destination);
    TransferResult writeParam(std::uint8_t address, ByteSpan source);
    TransferResult writeFlash(std::uint16_t address, ByteSpan source);
    LinkStatus command(std::uint8_t command);  // a command without address or length
    LinkStatus erase(std::uint8_t highByte);

    void addToTotal(std::size_t reports) { total_ += reports; }
    bool gone() const { return link_.gone(); }
    const DeviceLink& link() const { return link_; }
    std::size_t refused() const { return refused_; }  // refused commands and data reports
    std::size_t done() const { return done_; }

    // Done when nothing was refused and the read-back found everything kept; otherwise why,
    // naming the operation (e.g. "Apply"). The mouse leaving and refusals come first.
    TransferStatus outcome(const std::string& operation, NotKept notKept = {}) const;

private:
    TransferResult account(TransferResult r);
    LinkStatus account(LinkStatus s);
    ProgressFn dataProgress();

    DeviceLink& link_;
    std::size_t total_;
    ProgressSink sink_;
    std::size_t done_ = 0;
    std::size_t refused_ = 0;
};

}  // namespace varnel
