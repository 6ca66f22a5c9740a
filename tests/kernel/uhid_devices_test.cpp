// The uhid adapter's device layer without a kernel: what it tells the kernel when creating
// devices, and how it answers report requests.
#include "uhid_devices.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "device/commands.h"
#include "platform/hid_descriptor.h"

namespace varnel::uhid {
namespace {

std::shared_ptr<VirtualMouse> mouse(int interfaces) {
    VirtualMouseOptions o;
    o.model = *parseVirtualModel("wren-rgb-3330");
    o.vendorInterfaces = interfaces;
    return std::make_shared<VirtualMouse>(o, std::make_shared<ManualClock>());
}

uhid_event getRequest(std::uint8_t id, std::uint8_t rtype = UHID_FEATURE_REPORT) {
    uhid_event ev{};
    ev.type = UHID_GET_REPORT;
    ev.u.get_report = {77, id, rtype};
    return ev;
}

uhid_event setRequest(const Bytes& data, std::uint8_t rtype = UHID_FEATURE_REPORT) {
    uhid_event ev{};
    ev.type = UHID_SET_REPORT;
    ev.u.set_report.id = 78;
    ev.u.set_report.rnum = data.empty() ? 0 : data[0];
    ev.u.set_report.rtype = rtype;
    ev.u.set_report.size = static_cast<std::uint16_t>(data.size());
    std::copy(data.begin(), data.end(), ev.u.set_report.data);
    return ev;
}

const Bytes kInfoCommand{kCommandReportId, kCmdDeviceInfo, 0, 0, 0, 0, 0, 0};

// Every interface's descriptor, read the way the hidapi bus reads it, gives the feature report
// length the virtual bus lists for that interface; otherwise the two buses would disagree.
TEST(UhidDevices, DescriptorsGiveTheVirtualBusFeatureLengths) {
    for (int layout : {1, 2}) {
        auto m = mouse(layout);
        auto devices = mouseDevices(*m, m->generation());
        auto interfaces = m->interfaces();
        ASSERT_EQ(devices.size(), interfaces.size());
        for (std::size_t i = 0; i < devices.size(); ++i) {
            auto summary = parseReportDescriptor(devices[i].descriptor);
            ASSERT_TRUE(summary) << devices[i].name;
            EXPECT_EQ(summary->featureReportByteLength(), interfaces[i].featureReportLength) << devices[i].name;
            EXPECT_EQ(devices[i].interfaceIndex, interfaces[i].index);
            EXPECT_EQ(devices[i].vendorId, 0x1209);
        }
    }
    auto neighbour = parseReportDescriptor(neighbourDevice().descriptor);
    ASSERT_TRUE(neighbour);
    EXPECT_EQ(neighbour->featureReportByteLength(), kFeatureReportSize) << "tempting: same length, other ids";
}

TEST(UhidDevices, CreateEventCarriesIdsAndTheWholeDescriptor) {
    auto m = mouse(1);
    const DeviceSpec spec = mouseDevices(*m, 3)[1];
    auto ev = createEvent(spec);
    ASSERT_TRUE(ev);
    EXPECT_EQ(ev->type, UHID_CREATE2);
    EXPECT_EQ(ev->u.create2.bus, BUS_USB);
    EXPECT_EQ(ev->u.create2.vendor, 0x1209u);
    EXPECT_EQ(ev->u.create2.product, 0x0001u);
    ASSERT_EQ(ev->u.create2.rd_size, spec.descriptor.size());
    EXPECT_TRUE(std::equal(spec.descriptor.begin(), spec.descriptor.end(), ev->u.create2.rd_data));
    EXPECT_STREQ(reinterpret_cast<const char*>(ev->u.create2.uniq), "varnel-3-if1");

    DeviceSpec huge = spec;
    huge.descriptor.assign(HID_MAX_DESCRIPTOR_SIZE + 1, 0xC0);
    EXPECT_FALSE(createEvent(huge));
}

// A GET_REPORT reply carries the report id in byte 0 and is 8 bytes long; refusals are EIO.
TEST(UhidDevices, GetReportReplies) {
    struct Case {
        const char* what;
        int layout;
        int interfaceIndex;
        uhid_event request;
        std::uint16_t err;
    };
    const Case cases[] = {
        {"data report on the only vendor interface", 1, 1, getRequest(kDataReportId), 0},
        {"data report on the data interface", 2, 2, getRequest(kDataReportId), 0},
        {"data report on the command interface", 2, 1, getRequest(kDataReportId), EIO},
        {"command report cannot be fetched", 1, 1, getRequest(kCommandReportId), EIO},
        {"the pointer takes no report", 1, 0, getRequest(kDataReportId), EIO},
        {"an input report is not a feature report", 1, 1, getRequest(kDataReportId, UHID_INPUT_REPORT), EIO},
    };
    for (const auto& c : cases) {
        auto m = mouse(c.layout);
        FeatureReport info{};
        std::copy(kInfoCommand.begin(), kInfoCommand.end(), info.begin());
        ASSERT_EQ(m->set(1, m->generation(), info), ReportStatus::Ok);
        auto reply = answer(m.get(), c.interfaceIndex, m->generation(), c.request);
        ASSERT_TRUE(reply) << c.what;
        EXPECT_EQ(reply->type, UHID_GET_REPORT_REPLY) << c.what;
        EXPECT_EQ(reply->u.get_report_reply.id, 77u) << c.what;
        EXPECT_EQ(reply->u.get_report_reply.err, c.err) << c.what;
        if (c.err != 0) {
            EXPECT_EQ(reply->u.get_report_reply.size, 0) << c.what;
            continue;
        }
        ASSERT_EQ(reply->u.get_report_reply.size, kFeatureReportSize) << c.what;
        const Bytes got(reply->u.get_report_reply.data, reply->u.get_report_reply.data + kFeatureReportSize);
        EXPECT_EQ(got, (Bytes{kDataReportId, 0x00, 0x00, 0x40, 0xC8, 0x45, 0x00, 0x00})) << c.what;
    }
}

// A SET_REPORT reaches the mouse only as exactly [id, 7 bytes] for the id the kernel names.
TEST(UhidDevices, SetReportReplies) {
    Bytes mismatched = kInfoCommand;
    mismatched[0] = kDataReportId;
    struct Case {
        const char* what;
        uhid_event request;
        std::uint16_t err;
        bool reachesMouse;
    };
    const Case cases[] = {
        {"the command report", setRequest(kInfoCommand), 0, true},
        {"one byte short", setRequest(Bytes(kInfoCommand.begin(), kInfoCommand.end() - 1)), EIO, false},
        {"one byte long", setRequest([] {
             Bytes b = kInfoCommand;
             b.push_back(0);
             return b;
         }()),
         EIO, false},
        {"byte 0 is not the report id",
         [&] {
             auto ev = setRequest(mismatched);
             ev.u.set_report.rnum = kCommandReportId;
             return ev;
         }(),
         EIO, false},
        {"an output report", setRequest(kInfoCommand, UHID_OUTPUT_REPORT), EIO, false},
    };
    for (const auto& c : cases) {
        auto m = mouse(1);
        auto reply = answer(m.get(), 1, m->generation(), c.request);
        ASSERT_TRUE(reply) << c.what;
        EXPECT_EQ(reply->type, UHID_SET_REPORT_REPLY) << c.what;
        EXPECT_EQ(reply->u.set_report_reply.id, 78u) << c.what;
        EXPECT_EQ(reply->u.set_report_reply.err, c.err) << c.what;
        EXPECT_EQ(m->commandLog(),
                  c.reachesMouse ? std::vector<std::uint8_t>{kCmdDeviceInfo} : std::vector<std::uint8_t>{})
            << c.what;
    }
}

TEST(UhidDevices, TheNeighbourAndAGoneMouseRefuse) {
    auto m = mouse(1);
    auto toNeighbour = answer(nullptr, -1, 0, setRequest(kInfoCommand));
    ASSERT_TRUE(toNeighbour);
    EXPECT_EQ(toNeighbour->u.set_report_reply.err, EIO);
    EXPECT_EQ(answer(nullptr, -1, 0, getRequest(kDataReportId))->u.get_report_reply.err, EIO);

    // A report for a generation that has left the bus (after command 18) is not taken.
    const std::uint64_t old = m->generation();
    m->unplug();
    m->plugIn();
    EXPECT_EQ(answer(m.get(), 1, old, setRequest(kInfoCommand))->u.set_report_reply.err, EIO);
    EXPECT_TRUE(m->commandLog().empty());

    uhid_event start{};
    start.type = UHID_START;
    EXPECT_FALSE(answer(m.get(), 1, m->generation(), start)) << "only report requests are answered";
}

}  // namespace
}  // namespace varnel::uhid
