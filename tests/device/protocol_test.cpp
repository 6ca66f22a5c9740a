#include "device/protocol.h"

#include <gtest/gtest.h>

#include <numeric>

#include "device/virtual_rig.h"

namespace varnel {
namespace {

using testing::VirtualRig;
using Lines = std::vector<std::string>;

Bytes ramp(std::size_t n, std::uint8_t start = 0) {
    Bytes b(n);
    std::iota(b.begin(), b.end(), start);
    return b;
}

// Wren flash whose bytes equal the low byte of their address.
Bytes addressPattern() {
    Bytes m(kFlashSize);
    for (std::size_t a = 0; a < m.size(); ++a) m[a] = static_cast<std::uint8_t>(a);
    return m;
}

TEST(Protocol, ReadOfSevenAndEightBytes) {
    struct Case {
        std::size_t length;
        Lines trace;
    };
    const Case cases[] = {
        {7, {"S0 40 09 50 10 00 07 00 00", "G0 41 10 11 12 13 14 15 16"}},
        {8, {"S0 40 09 50 10 00 08 00 00", "G0 41 10 11 12 13 14 15 16", "G0 41 17 18 19 1A 1B 1C 1D"}},
    };
    for (const auto& c : cases) {
        VirtualRig rig("wren-rgb-3330");
        ASSERT_TRUE(rig.mouse->loadMemory(addressPattern()).ok());
        ASSERT_TRUE(rig.open());
        Bytes dest(c.length, 0);
        TransferResult r = rig.link.ReadFlash(0x5010, dest);
        EXPECT_TRUE(r.clean());
        EXPECT_EQ(rig.trace, c.trace);
        EXPECT_EQ(dest, ramp(c.length, 0x10)) << "only the first byte of a second report is kept";
    }
}

TEST(Protocol, ReadsWithMissingChannels) {
    struct Case {
        const char* name;
        bool command, data;
        bool accepted;
        std::size_t reportsOnWire;
    };
    const Case cases[] = {
        {"no command channel", false, true, false, 0},
        {"no data channel", true, false, true, 1},
        {"none at all", false, false, false, 0},
    };
    for (const auto& c : cases) {
        VirtualRig rig("lark-rgb-a5050");
        ASSERT_TRUE(rig.open());
        Channels ch = rig.link.channels();
        if (!c.command) ch.command.reset();
        if (!c.data) ch.data.reset();
        rig.link.setChannels(ch);
        Bytes dest(10, 0x00);
        TransferResult r = rig.link.ReadParam(43, dest);
        EXPECT_EQ(r.accepted(), c.accepted) << c.name;
        EXPECT_EQ(dest, Bytes(10, 0xFF)) << c.name;
        EXPECT_EQ(rig.trace.size(), c.reportsOnWire) << c.name;
        EXPECT_FALSE(r.clean()) << c.name;
    }
}

TEST(Protocol, EraseSectorSendsHighByteAndErasesOnlyThatSector) {
    VirtualRig rig("wren-rgb-3330");
    ASSERT_TRUE(rig.mouse->loadMemory(Bytes(kFlashSize, 0x00)).ok());
    ASSERT_TRUE(rig.open());
    EXPECT_EQ(rig.link.EraseSector(0x50), LinkStatus::Ok);
    EXPECT_EQ(rig.trace, Lines{"S0 40 0B 50 00 00 00 00 00"});
    Bytes m = rig.mouse->memory();
    EXPECT_EQ(m[0x4FFF], 0x00);
    EXPECT_EQ(m[0x5000], 0xFF);
    EXPECT_EQ(m[0x5FFF], 0xFF);
    EXPECT_EQ(m[0x6000], 0x00);
}

TEST(Protocol, NineByteWriteAt0x6000PadsTheLastReport) {
    VirtualRig rig("wren-rgb-3330");
    ASSERT_TRUE(rig.mouse->loadMemory(Bytes(kFlashSize, 0xFF)).ok());
    ASSERT_TRUE(rig.open());
    const Bytes nine = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8};
    EXPECT_TRUE(rig.link.WriteFlash(0x6000, nine).clean());
    EXPECT_EQ(rig.trace,
              (Lines{"S0 40 0C 60 00 00 09 00 00", "S0 41 A0 A1 A2 A3 A4 A5 A6", "S0 41 A7 A8 FF FF FF FF FF"}));
    Bytes m = rig.mouse->memory();
    EXPECT_EQ(Bytes(m.begin() + 0x6000, m.begin() + 0x6009), nine);
}

TEST(Protocol, FlashWriteWithoutEraseOnlyClearsBits) {
    VirtualRig rig("wren-rgb-3330");
    Bytes start(kFlashSize, 0xF0);
    ASSERT_TRUE(rig.mouse->loadMemory(start).ok());
    ASSERT_TRUE(rig.open());
    EXPECT_TRUE(rig.link.WriteFlash(0x7000, Bytes{0x0F, 0xFF, 0x3C}).clean());
    Bytes m = rig.mouse->memory();
    EXPECT_EQ(m[0x7000], 0x00);
    EXPECT_EQ(m[0x7001], 0xF0);
    EXPECT_EQ(m[0x7002], 0x30);
}

TEST(Protocol, LarkParameterRoundTripCountsReports) {
    VirtualRig rig("lark-color-a3050");
    ASSERT_TRUE(rig.open());
    const Bytes block = ramp(154, 1);
    std::vector<std::size_t> progress;
    TransferResult w = rig.link.WriteParam(0, block, [&](std::size_t done) { progress.push_back(done); });
    EXPECT_TRUE(w.clean());
    EXPECT_EQ(w.dataReports, 22u);
    EXPECT_EQ(progress.size(), 22u);
    EXPECT_EQ(progress.back(), 22u);
    Bytes m = rig.mouse->memory();
    EXPECT_EQ(Bytes(m.begin(), m.begin() + 154), block);
    EXPECT_EQ(m[154], 0xFF) << "padding past the announced length is not written";

    Bytes back(154);
    EXPECT_TRUE(rig.link.ReadParam(0, back).clean());
    EXPECT_EQ(back, block);
    EXPECT_EQ(rig.trace.front(), "S0 40 06 00 00 00 9A 00 00");
    EXPECT_EQ(rig.trace[23], "S0 40 04 00 00 00 9A 00 00");
}

TEST(Protocol, LastReportOfAReadCarriesTheFollowingAddresses) {
    VirtualRig rig("lark-color-a3050");
    ASSERT_TRUE(rig.mouse->loadMemory(ramp(256)).ok());
    ASSERT_TRUE(rig.open());
    Bytes all(256);
    EXPECT_TRUE(rig.link.ReadParam(0, all).clean());
    EXPECT_EQ(all, ramp(256));
    EXPECT_EQ(rig.trace.back(), "G0 41 FC FD FE FF FF FF FF") << "0xFF past the end of the space";
}

TEST(Protocol, RefusedDataReportsAreCountedAndTheTransferGoesOn) {
    // Report 1 is the command; refusing report 3 loses the second data report of the read.
    VirtualMouseOptions o = testing::mouseOptions("wren-rgb-3330");
    o.refuseReport = 3 + 2;  // the two probes of opening come first
    VirtualRig rig(o);
    ASSERT_TRUE(rig.mouse->loadMemory(addressPattern()).ok());
    ASSERT_TRUE(rig.open());
    Bytes dest(21);
    TransferResult r = rig.link.ReadFlash(0x5000, dest);
    EXPECT_TRUE(r.accepted());
    EXPECT_EQ(r.refusedData, 1u);
    EXPECT_EQ(r.dataReports, 3u);
    EXPECT_FALSE(r.clean());
    EXPECT_EQ(rig.trace[2], "G0! 41 00 00 00 00 00 00 00");
    EXPECT_EQ(Bytes(dest.begin() + 7, dest.begin() + 14), Bytes(7, 0xFF));
    EXPECT_EQ(dest[0], 0x00);
}

TEST(Protocol, RefusedCommandSendsNoData) {
    VirtualMouseOptions o = testing::mouseOptions("wren-rgb-3330");
    o.refuseReport = 3;  // the first report after the probes
    VirtualRig rig(o);
    ASSERT_TRUE(rig.open());
    TransferResult r = rig.link.WriteFlash(0x5000, Bytes(182, 0));
    EXPECT_EQ(r.command, LinkStatus::Refused);
    EXPECT_EQ(rig.trace, Lines{"S0! 40 0C 50 00 00 B6 00 00"});
}

TEST(Protocol, VanishedMouseEndsTheTransferAndEverythingAfter) {
    VirtualMouseOptions o = testing::mouseOptions("wren-rgb-3330");
    o.vanishAfterReport = 2 + 10;  // command and 9 data reports of the first read
    VirtualRig rig(o);
    ASSERT_TRUE(rig.open());
    Bytes dest(1024);
    TransferResult r = rig.link.ReadFlash(0x8000, dest);
    EXPECT_TRUE(r.gone);
    EXPECT_EQ(r.dataReports, 10u) << "nine delivered, the tenth found the mouse gone";
    EXPECT_TRUE(rig.link.gone());
    const auto before = rig.trace.size();
    EXPECT_EQ(rig.link.WriteFlash(0x8000, dest).command, LinkStatus::Gone);
    EXPECT_EQ(rig.link.EraseSector(0x80), LinkStatus::Gone);
    EXPECT_EQ(rig.trace.size(), before) << "nothing more goes on the wire";
}

TEST(Protocol, OversizedTransferIsRejectedBeforeAnythingIsSent) {
    VirtualRig rig("wren-rgb-3330");
    ASSERT_TRUE(rig.open());
    Bytes big(0x10000);
    EXPECT_EQ(rig.link.WriteFlash(0, big).command, LinkStatus::Invalid);
    EXPECT_TRUE(rig.trace.empty());
}

}  // namespace
}  // namespace varnel
