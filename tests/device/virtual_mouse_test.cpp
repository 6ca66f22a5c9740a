#include "device/virtual_mouse.h"

#include <gtest/gtest.h>

#include "device/device_info.h"
#include "device/virtual_rig.h"

namespace varnel {
namespace {

using testing::VirtualRig;

TEST(VirtualMouseModel, ParsesModelNames) {
    struct Case {
        const char* text;
        bool ok;
        ChipModel chip;
        bool rgb;
        std::uint8_t sensor;
    };
    const Case cases[] = {
        {"wren-rgb-3330", true, ChipModel::Wren, true, 69},
        {"lark-color-a3050", true, ChipModel::Lark, false, 9},
        {"LARK-RGB-A5050", true, ChipModel::Lark, true, 18},
        {"wren-color-6520", true, ChipModel::Wren, false, 48},
        {"wren-rgb-3310", true, ChipModel::Wren, true, 63},
        {"wren-rgb", false, {}, {}, 0},
        {"hawk-rgb-3330", false, {}, {}, 0},
        {"wren-mono-3330", false, {}, {}, 0},
        {"wren-rgb-9999", false, {}, {}, 0},
        {"wren-rgb-3330-x", false, {}, {}, 0},
        {"", false, {}, {}, 0},
    };
    for (const auto& c : cases) {
        auto m = parseVirtualModel(c.text);
        ASSERT_EQ(m.ok(), c.ok) << c.text;
        if (!c.ok) continue;
        EXPECT_EQ(m->chip, c.chip) << c.text;
        EXPECT_EQ(m->rgb, c.rgb) << c.text;
        EXPECT_EQ(m->sensorCode, c.sensor) << c.text;
        EXPECT_EQ(virtualModelName(*parseVirtualModel(virtualModelName(*m))), virtualModelName(*m)) << c.text;
    }
}

TEST(VirtualMouse, AnswersDeviceInformation) {
    struct Case {
        const char* model;
        const char* report;
    };
    const Case cases[] = {
        {"wren-rgb-3330", "G0 41 00 00 40 C8 45 00 00"},
        {"lark-color-a3050", "G0 41 00 00 00 00 09 00 00"},
        {"lark-rgb-a5050", "G0 41 00 00 40 00 12 00 00"},
    };
    for (const auto& c : cases) {
        VirtualRig rig(c.model);
        ASSERT_TRUE(rig.open());
        EXPECT_EQ(rig.link.SendCommand(kCmdDeviceInfo, 0, 0, 0, 0), LinkStatus::Ok);
        EXPECT_EQ(rig.link.ReceiveData(), LinkStatus::Ok);
        EXPECT_EQ(rig.trace, (std::vector<std::string>{"S0 40 0E 00 00 00 00 00 00", c.report})) << c.model;
    }
}

TEST(VirtualMouse, MemoryLoadChecksTheSize) {
    struct Case {
        const char* model;
        std::size_t size;
    };
    for (const auto& c : {Case{"lark-rgb-a3050", 256}, Case{"wren-rgb-3330", 65536}}) {
        VirtualRig rig(c.model);
        EXPECT_EQ(rig.mouse->memorySize(), c.size);
        EXPECT_FALSE(rig.mouse->loadMemory(Bytes(c.size - 1, 0)).ok());
        EXPECT_FALSE(rig.mouse->loadMemory(Bytes(c.size + 1, 0)).ok());
        EXPECT_EQ(rig.mouse->memory(), Bytes(c.size, 0xFF)) << "a refused load changes nothing";
        EXPECT_TRUE(rig.mouse->loadMemory(Bytes(c.size, 0x5A)).ok());
        EXPECT_EQ(rig.mouse->memory(), Bytes(c.size, 0x5A));
    }
}

TEST(VirtualMouse, FinishingFirmwareDropsOffTheBusAndComesBack) {
    VirtualRig rig("wren-rgb-3330");
    ASSERT_TRUE(rig.open());
    const auto pathsBefore = rig.bus.enumerate();
    EXPECT_EQ(rig.link.SendCommand(kCmdFinishFirmware, 0, 0, 0, 0), LinkStatus::Ok);
    EXPECT_FALSE(rig.mouse->online());
    EXPECT_EQ(rig.bus.enumerate().size(), 1u) << "only the foreign keyboard is left";
    EXPECT_EQ(rig.link.SendCommand(kCmdReload, 0, 0, 0, 0), LinkStatus::Gone);

    rig.clock->advance(rig.mouse->options().restartDelay - Millis(1));
    EXPECT_FALSE(rig.mouse->online());
    rig.clock->advance(Millis(1));
    EXPECT_TRUE(rig.mouse->online());
    const auto pathsAfter = rig.bus.enumerate();
    ASSERT_EQ(pathsAfter.size(), pathsBefore.size());
    EXPECT_NE(pathsAfter[1].path, pathsBefore[1].path) << "a restarted mouse gets new nodes";
    EXPECT_FALSE(rig.bus.open(pathsBefore[1].path).channel);
    rig.link.setChannels({});
    EXPECT_TRUE(rig.open()) << "and can be opened again";
    EXPECT_EQ(rig.mouse->reloadCount(kCmdFinishFirmware), 1);
}

TEST(VirtualMouse, TwoInterfacesSplitTheReports) {
    VirtualRig rig("wren-rgb-3330", 2);
    auto list = rig.bus.enumerate();
    // pointer, command, data, keyboard collection, foreign keyboard
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[1].featureReportLength, 8u);
    EXPECT_EQ(list[2].featureReportLength, 8u);
    EXPECT_NE(list[3].featureReportLength, 8u);
    EXPECT_EQ(list[3].vendorId, list[1].vendorId);
    auto cmd = rig.bus.open(list[1].path).channel;
    auto dat = rig.bus.open(list[2].path).channel;
    FeatureReport c = makeCommandReport(kCmdDeviceInfo, 0, 0, 0, 0);
    FeatureReport d = makeDataReport({});
    EXPECT_EQ(dat->sendFeatureReport(c), ReportStatus::Refused);
    EXPECT_EQ(cmd->getFeatureReport(d), ReportStatus::Refused);
    EXPECT_EQ(cmd->sendFeatureReport(c), ReportStatus::Ok);
    EXPECT_EQ(dat->getFeatureReport(d), ReportStatus::Ok);
    EXPECT_EQ(d[4], 200);
}

TEST(VirtualMouse, RefusedReportHasNoEffect) {
    VirtualMouseOptions o = testing::mouseOptions("lark-rgb-a3050");
    o.refuseReport = 4;  // probes, command, then the first data report
    VirtualRig rig(o);
    ASSERT_TRUE(rig.open());
    TransferResult r = rig.link.WriteParam(0, Bytes(14, 0x11));
    EXPECT_EQ(r.refusedData, 1u);
    Bytes m = rig.mouse->memory();
    // The mouse never saw the first seven bytes, so the second report landed at address 0.
    EXPECT_EQ(Bytes(m.begin(), m.begin() + 7), Bytes(7, 0x11));
    EXPECT_EQ(m[7], 0xFF);
    EXPECT_EQ(rig.mouse->reportCount(), 5u);
}

}  // namespace
}  // namespace varnel
