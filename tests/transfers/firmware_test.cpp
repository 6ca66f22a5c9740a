#include "transfers/firmware.h"
#include "wren_flash_map.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <set>

#include "common/file_io.h"
#include "device/commands.h"
#include "profiles/image_builder.h"
#include "transfers/transfer_rig.h"
#include "transfers/virtual_factory.h"

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
        return model.Program().status;
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
    EXPECT_EQ(testing::commandsOf(t.rig.trace), concat({regionRead(0x30),
                                                        regionWrite(0x30),
                                                        regionRead(0x30),
                                                        regionWrite(0x10),
                                                        regionRead(0x10),
                                                        {"12 00 00 00 00"}}));
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

// The main region is erased only over a recovery copy that read back as the embedded firmware.
TEST(Firmware, RecoveryCopyThatCannotBeRestoredStopsBeforeTheMainFirmware) {
    struct Case {
        const char* name;
        std::array<std::uint8_t, 3> report;  // report id, command, address high byte
        int occurrence;                      // the how-manieth such report
        bool unplug;                         // the mouse leaves instead of refusing it
        Lines restore;                       // the commands after the check
        const char* why;
        TransferCode code;
    };
    const Case cases[] = {
        {"a refused write of the copy",
         {0x40, 0x0C, 0x31},
         1,
         false,
         {"0B 30 00 00 00", "0B 40 00 00 00", "0C 30 00 01 00", "0C 31 00 01 00"},
         "(the mouse refused 1 report)",
         TransferCode::DeviceFailed},
        {"a refused read-back of the copy",
         {0x40, 0x09, 0x34},
         2,
         false,
         concat({regionWrite(0x30), regionRead(0x30)}),
         "(the mouse refused 1 report)",
         TransferCode::DeviceFailed},
        {"the mouse leaving during the restore",
         {0x40, 0x0B, 0x40},
         1,
         true,
         {"0B 30 00 00 00", "0B 40 00 00 00"},
         "(the mouse left the bus)",
         TransferCode::DeviceGone},
    };
    for (const auto& c : cases) {
        FirmwareRig t;
        Bytes m = t.rig.mouse->memory();
        m[kFlashDefaultFirmware + 100] ^= 0x01;
        ASSERT_TRUE(t.rig.mouse->loadMemory(m).ok()) << c.name;
        ASSERT_TRUE(t.plugIn().read.ok()) << c.name;
        int seen = 0;
        t.rig.filter.refuse = [&](const FeatureReport& r) {
            if (r[0] != c.report[0] || r[1] != c.report[1] || r[2] != c.report[2] || ++seen != c.occurrence)
                return false;
            if (c.unplug) t.rig.mouse->unplug();
            return !c.unplug;
        };
        TransferStatus s = t.program(newFirmware());
        EXPECT_EQ(s.code, c.code) << c.name;
        EXPECT_NE(s.error.message.find("could not be restored " + std::string(c.why)), std::string::npos)
            << c.name << ": " << s.error.message;
        EXPECT_NE(s.error.message.find("the main firmware was not touched"), std::string::npos) << c.name;
        EXPECT_EQ(testing::commandsOf(t.rig.trace), concat({regionRead(0x30), c.restore})) << c.name;
        EXPECT_EQ(t.memory(kFlashFirmware, kFirmwareSize), testing::embeddedBytes("DefaultFW")) << c.name;
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
        TransferStatus s = round == 0 ? t.program(newFirmware()) : t.model.Program().status;
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

// The page shows the last file chosen: a refused one must not leave the one before it to be programmed.
TEST(Firmware, RefusedFileDisarmsTheOneLoadedBefore) {
    const auto good = writeTemp("fw-good", newFirmware());
    // Profiles and macro files share the filter; an image of one value is an erased or zeroed dump.
    std::vector<std::filesystem::path> refused{"/no/such/firmware.bin", std::filesystem::temp_directory_path()};
    for (const Bytes& b : {newFirmware(8191), newFirmware(154), newFirmware(33984), newFirmware(1056),
                           newFirmware(33792), Bytes(8192, 0xFF), Bytes(10000, 0x00)})
        refused.push_back(writeTemp("fw-refused-" + std::to_string(refused.size()), b));
    for (const auto& file : refused) {
        FirmwareRig t;
        ASSERT_TRUE(t.plugIn().read.ok());
        ASSERT_TRUE(t.model.LoadFirmware(good).ok());
        EXPECT_FALSE(t.model.LoadFirmware(file).ok()) << file;
        EXPECT_FALSE(t.state.FirmwareLoaded) << file;
        EXPECT_EQ(t.model.Program().status.code, TransferCode::BadFile) << file;
        EXPECT_TRUE(t.rig.trace.empty()) << file;
    }
    for (std::size_t i = 2; i < refused.size(); ++i) std::filesystem::remove(refused[i]);
    std::filesystem::remove(good);
}

TEST(Firmware, OnlyAMouseThatTakesUpdatesIsProgrammed) {
    TransferRig t(testing::mouseOptions("lark-rgb-a3050"), testing::larkDefaultImage());
    ASSERT_TRUE(t.plugIn().read.ok());
    const auto file = writeTemp("fw-lark", newFirmware());
    ASSERT_TRUE(t.model.LoadFirmware(file).ok());
    std::filesystem::remove(file);
    const Bytes memory = t.rig.mouse->memory();
    TransferStatus s = t.model.Program().status;
    EXPECT_EQ(s.code, TransferCode::NoDevice);
    EXPECT_NE(s.error.message.find("takes no firmware updates"), std::string::npos) << s.error.message;
    EXPECT_TRUE(t.rig.trace.empty());
    EXPECT_EQ(t.rig.mouse->memory(), memory);
}

TEST(Firmware, NothingWithoutChannelsOrFile) {
    FirmwareRig t;
    EXPECT_EQ(t.model.Program().status.code, TransferCode::NoDevice);
    ASSERT_TRUE(t.plugIn().read.ok());
    EXPECT_EQ(t.model.Program().status.code, TransferCode::BadFile) << "no file loaded";
    EXPECT_TRUE(t.rig.trace.empty());
}

// A flash run whose recovery copy differs at the start, on a bare link (no trace, no full read, so
// that a run for every report stays quick), with at most one fault at report K of the run.
class FaultRun {
public:
    FaultRun() {
        start_ = factoryMemory(ChipModel::Wren, testing::embeddedBytes("VarnelData"), recovery_);
        start_[kFlashDefaultFirmware + 100] ^= 0x01;
        // Writes only clear bits, so the main region stays zero until one of its sectors is erased.
        std::fill_n(start_.begin() + kFlashFirmware, kFirmwareSize, 0x00);
    }

    struct Outcome {
        TransferStatus status;
        Bytes memory;
        bool finished = false;      // command 18 was accepted
        bool saidFinished = false;  // what the programming said about it
        std::uint64_t reports = 0;
        std::vector<std::pair<std::size_t, std::size_t>> progress;  // done, total
    };

    // `fault` names the option, `k` the report of the run it hits (from 1; 0 = none).
    Outcome run(std::uint64_t VirtualMouseOptions::*fault = nullptr, std::uint64_t k = 0) const {
        VirtualMouseOptions o = testing::mouseOptions("wren-rgb-3330");
        if (fault) o.*fault = kOpenReports + k;
        auto mouse = std::make_shared<VirtualMouse>(o, std::make_shared<ManualClock>());
        EXPECT_TRUE(mouse->loadMemory(start_).ok());
        VirtualBus bus;
        bus.addMouse(mouse);
        DeviceLink link;
        link.setChannels(OpenDevice(bus, o.vendorId, o.productId).channels);
        AppState state;
        state.DeviceChip = ChipModel::Wren;
        state.FirmwareLoaded = true;
        Outcome out;
        ProgressSink sink;
        if (!fault) sink = [&](std::size_t done, std::size_t total) { out.progress.emplace_back(done, total); };
        const FirmwareOutcome programmed = programFirmware(state, link, recovery_, image_, sink);
        out.status = programmed.status;
        out.saidFinished = programmed.finished;
        out.memory = mouse->memory();
        const auto commands = mouse->commandLog();
        out.finished = std::find(commands.begin(), commands.end(), kCmdFinishFirmware) != commands.end();
        out.reports = mouse->reportCount() - kOpenReports;
        return out;
    }

    // Never a main sector erased while the recovery copy is bad, never 18 over a bad image; the
    // outcome says whether 18 went, as the window searches for the restarted mouse by it.
    void checkInvariants(const Outcome& out, const std::string& where) const {
        EXPECT_EQ(out.saidFinished, out.finished) << where;
        auto region = [&](std::size_t from, std::size_t n) { return ByteSpan(out.memory).subspan(from, n); };
        auto equal = [](ByteSpan a, ByteSpan b) { return std::equal(a.begin(), a.end(), b.begin(), b.end()); };
        const bool recoveryGood = equal(region(kFlashDefaultFirmware, kFirmwareSize), recovery_);
        for (std::size_t sector = 0; sector < 2; ++sector) {
            auto main = region(kFlashFirmware + sector * kFlashSectorSize, kFlashSectorSize);
            const bool erased = std::any_of(main.begin(), main.end(), [](std::uint8_t b) { return b != 0; });
            EXPECT_FALSE(erased && !recoveryGood) << where << ": main sector " << sector << " erased, recovery bad";
        }
        if (out.finished) {
            EXPECT_TRUE(equal(region(kFlashFirmware, kFirmwareSize), image_)) << where << ": 18 over a bad image";
        }
    }

private:
    static constexpr std::uint64_t kOpenReports = 2;  // the two probes
    Bytes recovery_ = testing::embeddedBytes("DefaultFW");
    Bytes image_ = newFirmware();
    Bytes start_;
};

TEST(Firmware, RestoringRunReadsBothImagesBackAndCountsItsReports) {
    const FaultRun::Outcome clean = FaultRun().run();
    ASSERT_TRUE(clean.status.ok()) << clean.status.error.message;
    EXPECT_TRUE(clean.saidFinished);
    // Check, restore, its read-back, the new image, its read-back, 18. The progress total is known
    // once the restore is decided, and reached.
    EXPECT_EQ(clean.reports, 8u * 148 + 2 + 32 * 38 + 8 * 148 + 2 + 32 * 38 + 8 * 148 + 1);
    std::set<std::size_t> totals;
    for (const auto& [done, total] : clean.progress) totals.insert(total);
    EXPECT_EQ(totals.size(), 2u);
    EXPECT_EQ(clean.progress.back(), std::make_pair(std::size_t(clean.reports), std::size_t(clean.reports)));
}

// Every report K of that run refused, and in the other sweep lost (the mouse leaves after it).
void sweep(std::uint64_t VirtualMouseOptions::*fault, const char* name) {
    const FaultRun runs;
    const std::uint64_t reports = runs.run().reports;
    for (std::uint64_t k = 1; k <= reports; ++k) runs.checkInvariants(runs.run(fault, k), name + std::to_string(k));
}

TEST(Firmware, NoRefusedReportLeavesTheMouseWithoutGoodFirmware) {
    sweep(&VirtualMouseOptions::refuseReport, "refuse-report=");
}

TEST(Firmware, NoLostReportLeavesTheMouseWithoutGoodFirmware) {
    sweep(&VirtualMouseOptions::vanishAfterReport, "unplug-after=");
}

}  // namespace
}  // namespace varnel
