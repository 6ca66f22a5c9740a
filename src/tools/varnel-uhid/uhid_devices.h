#pragma once
// The virtual mouse as the kernel sees it through /dev/uhid: one uhid device per interface of the
// virtual mouse, each with a report descriptor of the kind a real mouse has, and the answers to
// the kernel's GET_REPORT and SET_REPORT requests taken from the virtual mouse.
//
// uhid passes feature reports with the report id in byte 0 in both directions: SET_REPORT data is
// [id, 7 payload bytes] and a GET_REPORT reply must carry [id, 7 payload bytes] as well.
#include <linux/uhid.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "device/virtual_mouse.h"

namespace varnel::uhid {

// Report descriptors by interface role. The vendor one declares the command and the data feature
// report (7 bytes each) and a consumer-control collection, so its node carries two top-level
// collections; the keyboard one has a 2-byte feature report of its own.
Bytes reportDescriptor(InterfaceRole role);

struct DeviceSpec {
    std::string name;
    std::string uniq;  // unique per device and generation, so logs can tell nodes apart
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    Bytes descriptor;
    int interfaceIndex = -1;  // the virtual mouse's interface; -1 for the other vendor's device
};

// One device per interface of `mouse`, in its interface order.
std::vector<DeviceSpec> mouseDevices(const VirtualMouse& mouse, std::uint64_t generation);

// Another vendor's device offering the same 8-byte feature reports: nothing may ever talk to it.
DeviceSpec neighbourDevice();
constexpr std::uint16_t kNeighbourVendorId = 0x2F01;
constexpr std::uint16_t kNeighbourProductId = 0x0A12;

// UHID_CREATE2 for `spec` (bus USB); an error when the descriptor does not fit the event.
Result<uhid_event> createEvent(const DeviceSpec& spec);

// The reply to one event read from the device standing for `interfaceIndex` of `mouse` (or, with
// no mouse, for the neighbour, which refuses everything). Events that take no reply give nothing.
// A report the mouse refuses, a report of another type than feature, or a SET_REPORT that is not
// exactly [id, 7 bytes] for the id asked about is answered with EIO, which the kernel hands to the
// reader as a failed transfer.
//
// With `shortReply` = K, the answer to the mouse's K-th report, when it is a GET_REPORT, lacks the
// report id byte (7 bytes): the firmware fault a reader has to tell from a real answer.
std::optional<uhid_event> answer(VirtualMouse* mouse, int interfaceIndex, std::uint64_t generation,
                                 const uhid_event& request, std::uint64_t shortReply = 0);

}  // namespace varnel::uhid
