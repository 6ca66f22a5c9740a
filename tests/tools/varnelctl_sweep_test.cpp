// Every varnelctl operation run in-process against its virtual mouse: once clean, then once for
// every report K of that clean run with the mouse refusing report K, and once with the mouse
// leaving the bus after report K. Each run must end within a bound, exit with the documented
// status, report success only when no report was lost or refused, leave its output file as it
// was on failure, and leave the mouse in the state its operation names below. Then the same
// operations against a mouse that turns hostile from report K on.
//
// The refusal and unplug sweeps take every K in the default build; a sanitizer build (ten times
// slower) runs the first and last report of each run and a fixed-seed sample of the others. The
// hostile sweep takes the report boundaries and a fixed-seed sample in both.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <random>
#include <sstream>
#include <thread>

#include "common/file_io.h"
#include "device/commands.h"
#include "scratch_files.h"
#include "transfers/device_read.h"
#include "transfers/transfer_rig.h"
#include "varnelctl/run.h"
#include "wren_flash_map.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif
constexpr std::size_t kSampledRuns = 48;

// Ends the test program when one run takes longer than the bound: a hang fails the sweep, naming
// the run, instead of waiting for ctest's timeout.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds bound) : bound_(bound), thread_([this] { watch(); }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    void start(std::string run) {
        std::lock_guard lock(mutex_);
        run_ = std::move(run);
        deadline_ = std::chrono::steady_clock::now() + bound_;
    }

private:
    void watch() {
        std::unique_lock lock(mutex_);
        while (!stop_) {
            wake_.wait_for(lock, std::chrono::milliseconds(100));
            if (stop_ || run_.empty() || std::chrono::steady_clock::now() < deadline_) continue;
            std::fprintf(stderr, "run \"%s\" still going after %llds\n", run_.c_str(),
                         static_cast<long long>(bound_.count()));
            std::_Exit(1);
        }
    }

    std::chrono::seconds bound_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::string run_;
    std::chrono::steady_clock::time_point deadline_;
    std::thread thread_;
};

struct Operation {
    const char* model;
    const char* command;
    const char* file;              // the FILE argument, in the sweep's folder
    std::size_t keptFrom, keptTo;  // the mouse's memory the operation never changes
};

const Operation kOperations[] = {
    {"wren-rgb-3330", "info", nullptr, 0, kFlashSize},
    {"wren-rgb-3330", "backup", "out.bin", 0, kFlashSize},
    {"wren-rgb-3330", "export-macros", "out.bin", 0, kFlashSize},
    {"wren-rgb-3330", "restore", "profile.bin", 0, kFlashParameterBlock},  // firmware, both copies
    {"wren-rgb-3330", "reset", nullptr, 0, kFlashParameterBlock},
    {"wren-rgb-3330", "import-macros", "macros.bin", 0, kFlashExtraBytes + kFlashSectorSize},
    {"wren-rgb-3330", "flash", "firmware.bin", kFlashParameterBlock, kFlashSize},  // the configuration
    {"lark-rgb-a5050", "info", nullptr, 0, kParamSpaceSize},
    {"lark-rgb-a5050", "backup", "out.bin", 0, kParamSpaceSize},
    {"lark-rgb-a5050", "restore", "profile.bin", kLarkParameterBlockSize, kParamSpaceSize},
    {"lark-rgb-a5050", "reset", nullptr, kLarkParameterBlockSize, kParamSpaceSize},
};

void PrintTo(const Operation& op, std::ostream* os) { *os << op.model << ' ' << op.command; }

struct Outcome {
    int exit = -1;
    std::string err;
    Bytes memory;
    std::vector<std::uint8_t> commands;  // accepted by the mouse, in order
    std::uint64_t reports = 0;
    Millis waited{0};  // on the virtual clock
};

class Sweep {
public:
    explicit Sweep(const Operation& op)
        : op_(op), dir_(testing::freshFolder(std::string("sweep-") + op.model + "-" + op.command)) {
        const bool lark = std::string_view(op.model).starts_with("lark");
        const ChipModel chip = lark ? ChipModel::Lark : ChipModel::Wren;
        const Bytes image = lark ? testing::larkDefaultImage() : testing::embeddedBytes("VarnelData");
        before_ = factoryMemory(chip, image, recovery_);
        put("default.bin", image);
        put("profile.bin", testing::withReportRate(image, chip, 2));
        if (lark) {
            before_[6] ^= 0x01;  // a DPI code for restore and reset to put back
        } else {
            // Every sector a clean run writes differs from what it writes: a DPI code, the macro
            // area, and both sectors of the recovery copy, which flash has to restore first.
            before_[kFlashParameterBlock + 6] ^= 0x01;
            std::fill(before_.begin() + kFlashMacroNames, before_.end(), 0x00);
            before_[kFlashDefaultFirmware + 100] ^= 0x01;
            before_[kFlashDefaultFirmware + kFlashSectorSize + 100] ^= 0x01;
            put("macros.bin", Bytes(image.begin() + 192, image.begin() + 192 + 1024 + kMacroAreaSize));
            for (std::size_t i = 0; i < image_.size(); ++i) image_[i] = static_cast<std::uint8_t>(i * 13);
            put("firmware.bin", image_);
        }
        put("before.bin", before_);
        words_ = {"--quiet", "--virtual", op.model, "--virtual-load", path("before.bin"), op.command};
        if (op.file) words_.push_back(path(op.file));
        auto parsed = ctl::parseCommandLine({words_.begin(), words_.end()});
        EXPECT_TRUE(parsed.ok()) << op.command;
        if (parsed) options_ = *parsed;
    }
    ~Sweep() { fs::remove_all(dir_); }

    Outcome run(const char* fault, std::uint64_t k, const std::string& trace = {}) const {
        ctl::Options o = options_;
        if (fault) {
            EXPECT_TRUE(addVirtualFault(o.faults, std::string(fault) + "=" + std::to_string(k)).ok());
        }
        // With both images a mouse that shows the other variant is taken for one; its image fixes
        // the variant, so that a mouse turning into the other one is refused.
        if (fault && std::string_view(fault) == "other-variant") o.defaultImage = path("default.bin");
        if (!trace.empty()) o.trace = trace;
        std::ostringstream out, err;
        ctl::VirtualWorld world;
        Outcome r;
        r.exit = ctl::run(o, out, err, &world);
        r.err = err.str();
        if (world.mouse) {
            r.memory = world.mouse->memory();
            r.commands = world.mouse->commandLog();
            r.reports = world.mouse->reportCount();
            r.waited = world.clock->now();
        }
        return r;
    }

    std::string path(const char* name) const { return (dir_ / name).string(); }
    const Bytes& before() const { return before_; }
    const Bytes& recovery() const { return recovery_; }
    const Bytes& image() const { return image_; }
    const fs::path& dir() const { return dir_; }

private:
    void put(const char* name, const Bytes& b) { ASSERT_TRUE(writeFileAtomic(dir_ / name, b).ok()); }

    Operation op_;
    fs::path dir_;
    Bytes recovery_ = testing::embeddedBytes("DefaultFW");
    Bytes image_ = Bytes(kFirmwareSize);
    Bytes before_;
    std::vector<std::string> words_;
    ctl::Options options_;
};

// From the clean run's trace: the command each report belongs to ("S0 40 0E ..." starts one),
// and the numbers of the reports that fetched an answer ("G...").
struct CleanTrace {
    std::vector<std::uint8_t> commandOf;
    std::vector<std::uint64_t> fetches;
};

CleanTrace readCleanTrace(const std::string& tracePath) {
    std::ifstream in(tracePath);
    CleanTrace t;
    std::uint8_t current = 0;
    for (std::string line; std::getline(in, line);) {
        const auto space = line.find(' ');
        if (line.compare(space + 1, 2, "40") == 0)
            current = static_cast<std::uint8_t>(std::stoi(line.substr(space + 4, 2), nullptr, 16));
        t.commandOf.push_back(current);
        if (line[0] == 'G') t.fetches.push_back(t.commandOf.size());
    }
    return t;
}

bool writes(std::uint8_t command) {
    return command == kCmdWriteParam || command == kCmdEraseSector || command == kCmdWriteFlash ||
           command == kCmdReloadAfterRate || command == kCmdReload || command == kCmdFinishFirmware;
}

bool equalAt(const Bytes& a, const Bytes& b, std::size_t from, std::size_t n) {
    return std::equal(a.begin() + from, a.begin() + from + n, b.begin() + from);
}

// The clean run of one operation, what each faulty run of it is checked against, and the checks
// every faulty run shares. The parameter's second half is the fault's name.
class SweepRuns : public ::testing::TestWithParam<std::tuple<Operation, const char*>> {
protected:
    void SetUp() override {
        const std::string trace = sweep_.path("trace.txt");
        clean_ = sweep_.run(nullptr, 0, trace);
        ASSERT_EQ(clean_.exit, 0) << clean_.err;
        CleanTrace t = readCleanTrace(trace);
        of_ = std::move(t.commandOf);
        fetches_ = std::move(t.fetches);
        ASSERT_EQ(of_.size(), clean_.reports);
        openProbes_ = static_cast<std::uint64_t>(
            std::find_if(of_.begin(), of_.end(), [](std::uint8_t c) { return c != kCmdProbe; }) - of_.begin());
        // Command 14 and its answer, the signature's read, then the full read.
        const ChipModel chip = sweep_.before().size() == kFlashSize ? ChipModel::Wren : ChipModel::Lark;
        identEnd_ = openProbes_ + 2 + transferCost(kSignatureAreaSize);
        readEnd_ = identEnd_ + fullReadCost(chip);
        if (output()) {
            auto file = readFileAtMost(sweep_.path("out.bin"), kFlashSize);
            ASSERT_TRUE(file.ok());
            cleanFile_ = file->bytes;
        }
    }

    const Operation& op() const { return std::get<0>(GetParam()); }
    std::string_view fault() const { return std::get<1>(GetParam()); }
    bool output() const { return op().file && std::string_view(op().file) == "out.bin"; }
    std::string name(std::uint64_t k) const {
        return std::string(op().model) + " " + op().command + " " + std::string(fault()) + "=" + std::to_string(k);
    }

    // One run with the fault at report k, under the watchdog. An output file is there before the
    // run when `existing`, else not; a failed run must leave it so, and no other file behind.
    Outcome runAt(std::uint64_t k, bool existing) {
        const Bytes old(100, 0x5A);
        if (output()) {
            fs::remove(sweep_.path("out.bin"));
            if (existing) {
                EXPECT_TRUE(writeFileAtomic(sweep_.path("out.bin"), old).ok());
            }
        }
        auto entries = [&] { return std::distance(fs::directory_iterator(sweep_.dir()), fs::directory_iterator()); };
        const auto entriesBefore = entries();
        watchdog_.start(name(k));
        Outcome r = sweep_.run(std::string(fault()).c_str(), k);
        if (output() && r.exit != 0) {
            auto file = readFileAtMost(sweep_.path("out.bin"), kFlashSize);
            if (existing) {
                EXPECT_TRUE(file && file->bytes == old) << name(k) << ": the existing file changed";
            } else {
                EXPECT_FALSE(fs::exists(sweep_.path("out.bin"))) << name(k) << ": a file written on failure";
            }
        }
        if (output()) {
            EXPECT_EQ(entries(), entriesBefore + (r.exit == 0 && !existing)) << name(k) << ": a file left behind";
        }
        EXPECT_EQ(r.err.empty(), r.exit == 0) << name(k) << "\n" << r.err;

        const Bytes& m = r.memory;
        EXPECT_EQ(m.size(), sweep_.before().size()) << name(k);
        if (m.size() != sweep_.before().size()) return r;
        EXPECT_TRUE(equalAt(m, sweep_.before(), op().keptFrom, op().keptTo - op().keptFrom)) << name(k);
        if (std::string_view(op().command) == "flash") checkFirmware(r, name(k));
        return r;
    }

    // A run that failed before its first write left the mouse as it was and sent it no write.
    void expectUntouched(const Outcome& r, std::uint64_t k) const {
        EXPECT_EQ(r.memory, sweep_.before()) << name(k) << ": changed by a run that failed before writing";
        EXPECT_TRUE(std::none_of(r.commands.begin(), r.commands.end(), writes)) << name(k);
    }

    // Never the main firmware touched while the recovery copy is not the default firmware, and
    // never command 18 over an image that is not the new one.
    void checkFirmware(const Outcome& r, const std::string& name) const {
        const Bytes& m = r.memory;
        auto holds = [&](std::size_t at, const Bytes& want) {
            return std::equal(want.begin(), want.end(), m.begin() + at);
        };
        const bool recoveryGood = holds(kFlashDefaultFirmware, sweep_.recovery());
        EXPECT_TRUE(equalAt(m, sweep_.before(), kFlashFirmware, kFirmwareSize) || recoveryGood)
            << name << ": main firmware changed over a bad recovery copy";
        if (std::find(r.commands.begin(), r.commands.end(), kCmdFinishFirmware) != r.commands.end()) {
            EXPECT_TRUE(holds(kFlashFirmware, sweep_.image()) && recoveryGood)
                << name << ": 18 over an unverified image";
        }
    }

    Sweep sweep_{op()};
    Watchdog watchdog_{std::chrono::seconds(kSanitized ? 60 : 20)};
    Outcome clean_;
    Bytes cleanFile_;
    std::vector<std::uint8_t> of_;
    std::vector<std::uint64_t> fetches_;
    std::uint64_t openProbes_ = 0, identEnd_ = 0, readEnd_ = 0;
};

// The mouse refuses report K, or leaves the bus after it.
class FaultSweep : public SweepRuns {
protected:
    // The documented status when the first report that failed is number `lost` of the clean run:
    // none failed, one of opening the mouse, after a restart the mouse did not come back from,
    // or any other report of the device.
    int expectedExit(std::uint64_t lost) const {
        if (lost > clean_.reports) return 0;
        if (lost <= openProbes_) return 3;
        if (fault() == "unplug-after" && of_[lost - 2] == kCmdFinishFirmware) return 3;
        return 1;
    }

    void check(std::uint64_t k) {
        const bool unplug = fault() == "unplug-after";
        // An existing output file when the mouse leaves, none when it refuses.
        const Outcome r = runAt(k, unplug);
        const std::uint64_t lost = unplug ? k + 1 : k;
        const int expected = expectedExit(lost);
        EXPECT_EQ(r.exit, expected) << name(k) << "\n" << r.err;
        EXPECT_LE(r.waited, clean_.waited) << name(k) << ": waited longer than the clean run";
        if (expected == 0) {
            EXPECT_EQ(r.memory, clean_.memory) << name(k);
            if (output()) {
                auto file = readFileAtMost(sweep_.path("out.bin"), kFlashSize);
                EXPECT_TRUE(file && file->bytes == cleanFile_) << name(k);
            }
        }
        if (lost <= readEnd_) expectUntouched(r, k);
    }

    std::vector<std::uint64_t> reportsToSweep() const {
        std::vector<std::uint64_t> ks;
        if (!kSanitized) {
            for (std::uint64_t k = 1; k <= clean_.reports; ++k) ks.push_back(k);
            return ks;
        }
        ks = {1, clean_.reports};
        std::mt19937_64 random(20240601);
        std::uniform_int_distribution<std::uint64_t> any(1, clean_.reports);
        for (std::size_t i = 0; i < kSampledRuns; ++i) ks.push_back(any(random));
        return ks;
    }
};

TEST_P(FaultSweep, EveryReport) {
    for (std::uint64_t k : reportsToSweep()) {
        check(k);
        if (HasFailure()) break;  // one failing report is enough to read; thousands are not
    }
}

// The mouse turns hostile from report K on: wrong report ids, short answers, garbage, the other
// variant, or no answer before the transport's timeout. Whatever it does, the run ends within the
// bound, a run it failed leaves the output file as it was, and a mouse that turned before
// identification ended is neither accepted nor written.
class HostileSweep : public SweepRuns {
protected:
    void check(std::uint64_t k) {
        const Outcome r = runAt(k, k % 2 == 0);
        EXPECT_TRUE(r.exit == 0 || r.exit == 1 || r.exit == 3 || r.exit == 4) << name(k) << "\n" << r.err;
        // A late answer ends the run at the first report it delays.
        EXPECT_LE(r.waited, clean_.waited + kTransportTimeout) << name(k);
        if (fault() == "late-answer") {
            EXPECT_NE(r.exit, 0) << name(k);
            if (r.exit == 1) {
                EXPECT_NE(r.err.find("stopped answering"), std::string::npos) << name(k) << "\n" << r.err;
            }
        }
        // Every fetch from K on is refused.
        const bool fetchAfter = std::any_of(fetches_.begin(), fetches_.end(), [&](std::uint64_t g) { return g >= k; });
        if ((fault() == "wrong-id" || fault() == "short-answer") && fetchAfter) {
            EXPECT_NE(r.exit, 0) << name(k);
        }
        // The other variant shows only in the device information; a signature read it answers
        // with zeros is one of the accepted pairs.
        const std::uint64_t acceptedAt = fault() == "other-variant" ? openProbes_ + 2 : identEnd_;
        if (k <= acceptedAt) {
            EXPECT_NE(r.exit, 0) << name(k) << ": a hostile mouse accepted";
            expectUntouched(r, k);
        }
    }

    // Opening, every report of identification, the first of the read, the first after it, the
    // last, and a fixed-seed sample of the others.
    std::vector<std::uint64_t> reportsToSweep() const {
        std::vector<std::uint64_t> ks = {1, readEnd_, readEnd_ + 1, clean_.reports};
        for (std::uint64_t k = openProbes_; k <= identEnd_ + 1; ++k) ks.push_back(k);
        std::mt19937_64 random(20240602);
        std::uniform_int_distribution<std::uint64_t> any(1, clean_.reports);
        for (std::size_t i = 0; i < 8; ++i) ks.push_back(any(random));
        std::erase_if(ks, [&](std::uint64_t k) { return k < 1 || k > clean_.reports; });
        std::sort(ks.begin(), ks.end());
        ks.erase(std::unique(ks.begin(), ks.end()), ks.end());
        return ks;
    }
};

TEST_P(HostileSweep, BoundaryReports) {
    for (std::uint64_t k : reportsToSweep()) {
        check(k);
        if (HasFailure()) break;
    }
}

std::string sweepName(const ::testing::TestParamInfo<std::tuple<Operation, const char*>>& info) {
    std::string name = std::string(std::get<0>(info.param).model).substr(0, 4) + "_" + std::get<0>(info.param).command +
                       "_" + std::get<1>(info.param);
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Varnelctl, FaultSweep,
                         ::testing::Combine(::testing::ValuesIn(kOperations),
                                            ::testing::Values("refuse-report", "unplug-after")),
                         sweepName);

INSTANTIATE_TEST_SUITE_P(Varnelctl, HostileSweep,
                         ::testing::Combine(::testing::ValuesIn(kOperations),
                                            ::testing::Values("wrong-id", "short-answer", "garbage", "other-variant",
                                                              "late-answer")),
                         sweepName);

}  // namespace
}  // namespace varnel
