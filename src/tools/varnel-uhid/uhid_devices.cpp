#include "uhid_devices.h"

#include <linux/input.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "device/commands.h"

namespace varnel::uhid {

namespace {

// A wheel mouse without report ids: buttons 1..5, 16-bit X/Y, 8-bit wheel; no feature report.
constexpr std::uint8_t kPointerDescriptor[] = {
    0x05, 0x01,        // Usage Page (Generic Desktop)
    0x09, 0x02,        // Usage (Mouse)
    0xA1, 0x01,        // Collection (Application)
    0x09, 0x01,        //   Usage (Pointer)
    0xA1, 0x00,        //   Collection (Physical)
    0x05, 0x09,        //     Usage Page (Button)
    0x19, 0x01,        //     Usage Minimum (1)
    0x29, 0x05,        //     Usage Maximum (5)
    0x15, 0x00,        //     Logical Minimum (0)
    0x25, 0x01,        //     Logical Maximum (1)
    0x95, 0x05,        //     Report Count (5)
    0x75, 0x01,        //     Report Size (1)
    0x81, 0x02,        //     Input (Data, Variable, Absolute)
    0x95, 0x01,        //     Report Count (1)
    0x75, 0x03,        //     Report Size (3)
    0x81, 0x01,        //     Input (Constant)
    0x05, 0x01,        //     Usage Page (Generic Desktop)
    0x09, 0x30,        //     Usage (X)
    0x09, 0x31,        //     Usage (Y)
    0x16, 0x01, 0x80,  //     Logical Minimum (-32767)
    0x26, 0xFF, 0x7F,  //     Logical Maximum (32767)
    0x75, 0x10,        //     Report Size (16)
    0x95, 0x02,        //     Report Count (2)
    0x81, 0x06,        //     Input (Data, Variable, Relative)
    0x09, 0x38,        //     Usage (Wheel)
    0x15, 0x81,        //     Logical Minimum (-127)
    0x25, 0x7F,        //     Logical Maximum (127)
    0x75, 0x08,        //     Report Size (8)
    0x95, 0x01,        //     Report Count (1)
    0x81, 0x06,        //     Input (Data, Variable, Relative)
    0xC0,              //   End Collection
    0xC0,              // End Collection
};

// The vendor collection with the command and the data feature report, followed by a consumer
// control collection (two top-level collections on one node, as on the real mouse).
constexpr std::uint8_t kVendorDescriptor[] = {
    0x06, 0x00,
    0xFF,                    // Usage Page (Vendor 0xFF00)
    0x09, 0x01,              // Usage (1)
    0xA1, 0x01,              // Collection (Application)
    0x85, kCommandReportId,  //   Report Id (0x40)
    0x09, 0x01,              //   Usage (1)
    0x15, 0x00,              //   Logical Minimum (0)
    0x26, 0xFF,
    0x00,                 //   Logical Maximum (255)
    0x75, 0x08,           //   Report Size (8)
    0x95, kPayloadSize,   //   Report Count (7)
    0xB1, 0x02,           //   Feature (Data, Variable, Absolute)
    0x85, kDataReportId,  //   Report Id (0x41)
    0x09, 0x02,           //   Usage (2)
    0xB1, 0x02,           //   Feature (Data, Variable, Absolute)
    0xC0,                 // End Collection
    0x05, 0x0C,           // Usage Page (Consumer)
    0x09, 0x01,           // Usage (Consumer Control)
    0xA1, 0x01,           // Collection (Application)
    0x85, 0x03,           //   Report Id (3)
    0x19, 0x00,           //   Usage Minimum (0)
    0x2A, 0xFF,
    0x03,        //   Usage Maximum (0x3FF)
    0x15, 0x00,  //   Logical Minimum (0)
    0x26, 0xFF,
    0x03,        //   Logical Maximum (0x3FF)
    0x75, 0x10,  //   Report Size (16)
    0x95, 0x01,  //   Report Count (1)
    0x81, 0x00,  //   Input (Data, Array, Absolute)
    0xC0,        // End Collection
};

// A keyboard with a 2-byte vendor feature report.
constexpr std::uint8_t kKeyboardDescriptor[] = {
    0x05, 0x01,        // Usage Page (Generic Desktop)
    0x09, 0x06,        // Usage (Keyboard)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x01,        //   Report Id (1)
    0x05, 0x07,        //   Usage Page (Keyboard)
    0x19, 0xE0,        //   Usage Minimum (Left Control)
    0x29, 0xE7,        //   Usage Maximum (Right GUI)
    0x15, 0x00,        //   Logical Minimum (0)
    0x25, 0x01,        //   Logical Maximum (1)
    0x75, 0x01,        //   Report Size (1)
    0x95, 0x08,        //   Report Count (8)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x95, 0x06,        //   Report Count (6)
    0x75, 0x08,        //   Report Size (8)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x19, 0x00,        //   Usage Minimum (0)
    0x2A, 0xFF, 0x00,  //   Usage Maximum (255)
    0x81, 0x00,        //   Input (Data, Array, Absolute)
    0x85, 0x02,        //   Report Id (2)
    0x06, 0x00, 0xFF,  //   Usage Page (Vendor 0xFF00)
    0x09, 0x20,        //   Usage (0x20)
    0x95, 0x02,        //   Report Count (2)
    0xB1, 0x02,        //   Feature (Data, Variable, Absolute)
    0xC0,              // End Collection
};

const char* roleName(InterfaceRole role) {
    switch (role) {
        case InterfaceRole::Pointer: return "pointer";
        case InterfaceRole::Vendor: return "vendor";
        case InterfaceRole::Keyboard: return "keyboard";
    }
    return "?";
}

void copyText(std::uint8_t* to, std::size_t capacity, const std::string& text) {
    std::size_t n = std::min(capacity - 1, text.size());
    std::memcpy(to, text.data(), n);
    to[n] = 0;
}

uhid_event getReply(std::uint32_t id, std::uint16_t err, ByteSpan data = {}) {
    uhid_event reply{};
    reply.type = UHID_GET_REPORT_REPLY;
    reply.u.get_report_reply.id = id;
    reply.u.get_report_reply.err = err;
    reply.u.get_report_reply.size = static_cast<std::uint16_t>(data.size());
    std::copy(data.begin(), data.end(), reply.u.get_report_reply.data);
    return reply;
}

uhid_event setReply(std::uint32_t id, std::uint16_t err) {
    uhid_event reply{};
    reply.type = UHID_SET_REPORT_REPLY;
    reply.u.set_report_reply.id = id;
    reply.u.set_report_reply.err = err;
    return reply;
}

std::uint16_t errorFor(ReportStatus status) { return status == ReportStatus::Ok ? 0 : static_cast<std::uint16_t>(EIO); }

}  // namespace

Bytes reportDescriptor(InterfaceRole role) {
    switch (role) {
        case InterfaceRole::Pointer: return Bytes(std::begin(kPointerDescriptor), std::end(kPointerDescriptor));
        case InterfaceRole::Vendor: return Bytes(std::begin(kVendorDescriptor), std::end(kVendorDescriptor));
        case InterfaceRole::Keyboard: return Bytes(std::begin(kKeyboardDescriptor), std::end(kKeyboardDescriptor));
    }
    return {};
}

std::vector<DeviceSpec> mouseDevices(const VirtualMouse& mouse, std::uint64_t generation) {
    std::vector<DeviceSpec> out;
    const auto& options = mouse.options();
    for (const auto& itf : mouse.interfaces()) {
        DeviceSpec spec;
        spec.name = "Virtual " + virtualModelName(options.model) + " " + roleName(itf.role);
        spec.uniq = "varnel-" + std::to_string(generation) + "-if" + std::to_string(itf.index);
        spec.vendorId = options.vendorId;
        spec.productId = options.productId;
        spec.descriptor = reportDescriptor(itf.role);
        spec.interfaceIndex = itf.index;
        out.push_back(std::move(spec));
    }
    return out;
}

DeviceSpec neighbourDevice() {
    DeviceSpec spec;
    spec.name = "Another vendor's device";
    spec.uniq = "varnel-neighbour";
    spec.vendorId = kNeighbourVendorId;
    spec.productId = kNeighbourProductId;
    spec.descriptor = reportDescriptor(InterfaceRole::Vendor);
    return spec;
}

Result<uhid_event> createEvent(const DeviceSpec& spec) {
    uhid_event ev{};
    if (spec.descriptor.empty() || spec.descriptor.size() > sizeof ev.u.create2.rd_data)
        return makeError("report descriptor of " + spec.name + " does not fit a uhid device");
    ev.type = UHID_CREATE2;
    auto& c = ev.u.create2;
    copyText(c.name, sizeof c.name, spec.name);
    copyText(c.phys, sizeof c.phys, "varnel-uhid");
    copyText(c.uniq, sizeof c.uniq, spec.uniq);
    c.rd_size = static_cast<std::uint16_t>(spec.descriptor.size());
    c.bus = BUS_USB;
    c.vendor = spec.vendorId;
    c.product = spec.productId;
    std::copy(spec.descriptor.begin(), spec.descriptor.end(), c.rd_data);
    return ev;
}

std::optional<uhid_event> answer(VirtualMouse* mouse, int interfaceIndex, std::uint64_t generation,
                                 const uhid_event& request, std::uint64_t shortReply) {
    if (request.type == UHID_GET_REPORT) {
        const auto& r = request.u.get_report;
        if (!mouse || r.rtype != UHID_FEATURE_REPORT) return getReply(r.id, EIO);
        FeatureReport report{};
        report[0] = r.rnum;
        const VirtualMouse::Answer a = mouse->get(interfaceIndex, generation, report);
        if (a.status != ReportStatus::Ok) return getReply(r.id, errorFor(a.status));
        ByteSpan data = ByteSpan(report).first(static_cast<std::size_t>(a.length));
        if (shortReply != 0 && mouse->reportCount() == shortReply) data = data.subspan(1);
        return getReply(r.id, 0, data);
    }
    if (request.type == UHID_SET_REPORT) {
        const auto& r = request.u.set_report;
        if (!mouse || r.rtype != UHID_FEATURE_REPORT || r.size != kFeatureReportSize || r.data[0] != r.rnum)
            return setReply(r.id, EIO);
        FeatureReport report{};
        std::copy_n(r.data, report.size(), report.begin());
        return setReply(r.id, errorFor(mouse->set(interfaceIndex, generation, report)));
    }
    return std::nullopt;
}

}  // namespace varnel::uhid
