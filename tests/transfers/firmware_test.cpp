#include "transfers/firmware.h"
#include "wren_flash_map.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>

#include "common/file_io.h"
#include "profiles/image_builder.h"
#include "transfers/transfer_rig.h"

namespace varnel {
namespace {

using testing::TransferRig;
using Lines = std::vector<std::string>;
using testing::concat;

Bytes newFirmware(std::size_t size = kFirmwareSize) {
    Bytes fw(size);
    for (std::size_t i = 0; i < size; ++i) fw[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return fw;
}

std::filesystem::path writeTemp(const std::string& name, const Bytes& bytes) {
    auto p = std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()) + ".bin");
    EXPECT_TRUE(writeFileAtomic(p, bytes).ok());
    return p;
}

// Commands of a region written: two erases, 32 writes.
Lines regionWrite(int sectorHigh) {
    Lines out;
    char buf[16];
    std::snprintf(buf, sizeof buf, "0B %02X 00 00 00", sectorHigh);
    out.push_back(buf);
    std::snprintf(buf, sizeof buf, "0B %02X 00 00 00", sectorHigh + 0x10);
    out.push_back(buf);
    for (int i = 0; i < 32; ++i) {
        std::snprintf(buf, sizeof buf, "0C %02X 00 01 00", sectorHigh + i);
        out.push_back(buf);
    }
    return out;
}

Lines regionRead(int sectorHigh) {
    Lines out;
    char buf[16];
    for (int i = 0; i < 8; ++i) {
        std::snprintf(buf, sizeof buf, "09 %02X 00 04 00", sectorHigh + 4 * i);
        out.push_back(buf);
    }
    return out;
}

struct FirmwareRig : TransferRig {
    FirmwareRig(VirtualMouseOptions o = testing::mouseOptions("wren-rgb-3330")) : TransferRig(o) {}
    TransferStatus program(const Bytes& file) {
        auto path = writeTemp("fw", file);
        Status loaded = model.LoadFirmware(path);
        std::filesystem::remove(path);
        if (!loaded) return TransferStatus::fail(TransferCode::BadFile, loaded.error().message);
        return model.Program();
    }
};

TEST(Firmware, DefaultRegionEqualGetsOnlyTheNewImage) {
    FirmwareRig t;
    ASSERT_TRUE(t.plugIn().read.ok());
    TransferStatus s = t.program(newFirmware());
    ASSERT_TRUE(s.ok()) << s.error.message;
    EXPECT_EQ(testing::commandsOf(t.rig.trace),
              concat({regionRead(0x30), regionWrite(0x10), regionRead(0x10), {"12 00 00 00 00"}}));
    EXPECT_EQ(t.memory(kFlashFirmware, kFirmwareSize), newFirmware());
    EXPECT_FALSE(t.rig.mouse->online()) << "the mouse restarts";
}

TEST(Firmware, OneDifferingByteRewritesTheDefaultRegionFirst) {
    FirmwareRig t;
    Bytes m = t.rig.mouse->memory();
    m[kFlashDefaultFirmware + 5000] ^= 0x01;
    ASSERT_TRUE(t.rig.mouse->loadMemory(m).ok());
    ASSERT_TRUE(t.plugIn().read.ok());
    ASSERT_TRUE(t.program(newFirmware()).ok());
    EXPECT_EQ(testing::commandsOf(t.rig.trace),
              concat({regionRead(0x30), regionWrite(0x30), regionWrite(0x10), regionRead(0x10), {"12 00 00 00 00"}}));
    EXPECT_EQ(t.memory(kFlashDefaultFirmware, kFirmwareSize), testing::embeddedBytes("DefaultFW"));
}

TEST(Firmware, LongFileProgramsItsFirst8192BytesAndShortFileIsRefused) {
    FirmwareRig t;
    ASSERT_TRUE(t.plugIn().read.ok());
    const Bytes longFile = newFirmware(10000);
    ASSERT_TRUE(t.program(longFile).ok());
    EXPECT_EQ(t.memory(kFlashFirmware, kFirmwareSize), Bytes(longFile.begin(), longFile.begin() + kFirmwareSize));

    FirmwareRig shortRig;
    ASSERT_TRUE(shortRig.plugIn().read.ok());
    TransferStatus s = shortRig.program(newFirmware(8191));
    EXPECT_EQ(s.code, TransferCode::BadFile);
    EXPECT_FALSE(shortRig.state.FirmwareLoaded);
    EXPECT_TRUE(shortRig.rig.trace.empty());
}

TEST(Firmware, RefusedDataReportIsRepairedByTheReadBack) {
    // Reports before programming: probes 2, identification 4, full read 4916, default check 8 * 148;
    // then two erases and the first write's command: refuse its third data report.
    VirtualMouseOptions o = testing::mouseOptions("wren-rgb-3330");
    o.refuseReport = 2 + 4 + 4916 + 8 * 148 + 2 + 1 + 3;
    FirmwareRig t(o);
    ASSERT_TRUE(t.plugIn().read.ok());
    TransferStatus s = t.program(newFirmware());
    EXPECT_EQ(s.code, TransferCode::DeviceFailed) << "a refused report is never a plain success";
    EXPECT_NE(s.error.message.find("read back correctly"), std::string::npos) << s.error.message;
    // Piece 0 differs: its sector is erased and its four pieces written and read again.
    Lines mend{"0B 10 00 00 00"};
    for (int k = 0; k < 16; ++k) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "0C %02X 00 01 00", 0x10 + k);
        mend.push_back(buf);
    }
    Lines expected =
        concat({regionRead(0x30),
                regionWrite(0x10),
                regionRead(0x10),
                mend,
                {"09 10 00 04 00", "09 14 00 04 00", "09 18 00 04 00", "09 1C 00 04 00", "12 00 00 00 00"}});
    EXPECT_EQ(testing::commandsOf(t.rig.trace), expected);
    EXPECT_EQ(t.memory(kFlashFirmware, kFirmwareSize), newFirmware());
}

// Any refused report makes the run a failure that says where it happened, even when the read-back
// mended the firmware region and the update was finished.
TEST(Firmware, RefusedReportsAreReportedWhereTheyHappened) {
    struct Case {
        const char* name;
        std::array<std::uint8_t, 3> refuseOnce;  // report id, command, address high byte
        bool defaultDiffers;                     // the default copy needs restoring
        const char* said;                        // in the message
    };
    const Case cases[] = {
        {"a read of the default copy check", {0x40, 0x09, 0x30}, false, "1 report in the check of its default"},
        {"a write restoring the default copy", {0x40, 0x0C, 0x30}, true, "1 report while restoring its default"},
        {"a write of the new firmware", {0x40, 0x0C, 0x10}, false, "1 report while writing the new firmware"},
        {"a read-back of the new firmware", {0x40, 0x09, 0x14}, false, "1 report while writing the new firmware"},
    };
    for (const auto& c : cases) {
        FirmwareRig t;
        if (c.defaultDiffers) {
            Bytes m = t.rig.mouse->memory();
            m[kFlashDefaultFirmware + 100] ^= 0x01;
            ASSERT_TRUE(t.rig.mouse->loadMemory(m).ok()) << c.name;
        }
        ASSERT_TRUE(t.plugIn().read.ok()) << c.name;
        bool refused = false;
        t.rig.filter.refuse = [&](const FeatureReport& r) {
            if (refused || r[0] != c.refuseOnce[0] || r[1] != c.refuseOnce[1] || r[2] != c.refuseOnce[2]) return false;
            return refused = true;
        };
        TransferStatus s = t.program(newFirmware());
        EXPECT_TRUE(refused) << c.name;
        EXPECT_EQ(s.code, TransferCode::DeviceFailed) << c.name;
        EXPECT_NE(s.error.message.find("read back correctly"), std::string::npos) << c.name << ": " << s.error.message;
        EXPECT_NE(s.error.message.find(c.said), std::string::npos) << c.name << ": " << s.error.message;
        if (!c.defaultDiffers) {
            EXPECT_EQ(s.error.message.find("restoring"), std::string::npos) << c.name << ": " << s.error.message;
        }
        EXPECT_EQ(t.rig.mouse->reloadCount(kCmdFinishFirmware), 1) << c.name << ": the image read back, so 18 went";
        EXPECT_EQ(t.memory(kFlashFirmware, kFirmwareSize), newFirmware()) << c.name;
    }
}

TEST(Firmware, RegionThatCannotBeMendedIsNotFinished) {
    // Every erase of 0x10 refused: the old image stays under the new one and bits cannot come back.
    FirmwareRig t;
    Bytes m = t.rig.mouse->memory();
    std::fill(m.begin() + kFlashFirmware, m.begin() + kFlashFirmware + 0x1000, 0x00);
    ASSERT_TRUE(t.rig.mouse->loadMemory(m).ok());
    ASSERT_TRUE(t.plugIn().read.ok());
    t.rig.filter.refuse = [](const FeatureReport& r) { return r[0] == 0x40 && r[1] == 0x0B && r[2] == 0x10; };
    TransferStatus s = t.program(newFirmware());
    EXPECT_EQ(s.code, TransferCode::DeviceFailed);
    EXPECT_NE(s.error.message.find("4 KiB"), std::string::npos) << s.error.message;
    EXPECT_EQ(t.rig.mouse->reloadCount(kCmdFinishFirmware), 0) << "no command 18";
    EXPECT_TRUE(t.rig.mouse->online());
    EXPECT_EQ(testing::commandsOf(t.rig.trace).back(), "09 1C 00 04 00") << "ends with the second read-back";
}

TEST(Firmware, ProgrammingTwiceAndFindingTheMouseAgain) {
    FirmwareRig t;
    ASSERT_TRUE(t.plugIn().read.ok());
    for (int round = 0; round < 2; ++round) {
        TransferStatus s = round == 0 ? t.program(newFirmware()) : t.model.Program();
        ASSERT_TRUE(s.ok()) << round << ": " << s.error.message;
        t.rig.clock->advance(kFirmwareRestartWait);
        SearchOutcome o = t.model.runSearch(t.model.ReFindDev());
        EXPECT_TRUE(o.found) << round;
        EXPECT_TRUE(o.read.ok()) << round;
        EXPECT_EQ(t.state.DeviceChip, ChipModel::Wren);
        EXPECT_TRUE(t.state.FirmwareLoaded) << "the same image can be programmed again";
    }
    EXPECT_EQ(t.rig.mouse->reloadCount(kCmdFinishFirmware), 2);
}

TEST(Firmware, NothingWithoutChannelsOrFile) {
    FirmwareRig t;
    EXPECT_EQ(t.model.Program().code, TransferCode::NoDevice);
    ASSERT_TRUE(t.plugIn().read.ok());
    EXPECT_EQ(t.model.Program().code, TransferCode::BadFile) << "no file loaded";
    EXPECT_TRUE(t.rig.trace.empty());
}

}  // namespace
}  // namespace varnel
