// Every varnelctl operation run in-process against its virtual mouse: once clean, then once for
// every report K of that clean run with the mouse refusing report K, and once with the mouse
// leaving the bus after report K. Each run must end within a bound, exit with the documented
// status, report success only when no report was lost or refused, leave its output file as it
// was on failure, and leave the mouse in the state its operation names below.
//
// The default build sweeps every K; a sanitizer build (ten times slower) runs the first and last
// report of each run and a fixed-seed sample of the others.
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

enum class Fault { None, Refuse, Unplug };

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
void PrintTo(Fault fault, std::ostream* os) { *os << (fault == Fault::Refuse ? "refuse-report" : "unplug-after"); }

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
        words_ = {"--virtual", op.model, "--virtual-load", path("before.bin"), op.command};
        if (lark) words_.insert(words_.begin(), {"--default-image", path("default.bin")});
        if (op.file) words_.push_back(path(op.file));
        auto parsed = ctl::parseCommandLine({words_.begin(), words_.end()});
        EXPECT_TRUE(parsed.ok()) << op.command;
        if (parsed) options_ = *parsed;
    }
    ~Sweep() { fs::remove_all(dir_); }

    Outcome run(Fault fault, std::uint64_t k, const std::string& trace = {}) const {
        ctl::Options o = options_;
        o.refuseReport = fault == Fault::Refuse ? k : 0;
        o.unplugAfter = fault == Fault::Unplug ? k : 0;
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

// The command each report of the clean run belongs to, from its trace ("S0 40 0E ..." starts one).
std::vector<std::uint8_t> commandOfEachReport(const std::string& tracePath) {
    std::ifstream in(tracePath);
    std::vector<std::uint8_t> of;
    std::uint8_t current = 0;
    for (std::string line; std::getline(in, line);) {
        const auto space = line.find(' ');
        if (line.compare(space + 1, 2, "40") == 0)
            current = static_cast<std::uint8_t>(std::stoi(line.substr(space + 4, 2), nullptr, 16));
        of.push_back(current);
    }
    return of;
}

bool writes(std::uint8_t command) {
    return command == kCmdWriteParam || command == kCmdEraseSector || command == kCmdWriteFlash ||
           command == kCmdReloadAfterRate || command == kCmdReload || command == kCmdFinishFirmware;
}

bool equalAt(const Bytes& a, const Bytes& b, std::size_t from, std::size_t n) {
    return std::equal(a.begin() + from, a.begin() + from + n, b.begin() + from);
}

class FaultSweep : public ::testing::TestWithParam<std::tuple<Operation, Fault>> {
protected:
    void SetUp() override {
        trace_ = sweep_.path("trace.txt");
        clean_ = sweep_.run(Fault::None, 0, trace_);
        ASSERT_EQ(clean_.exit, 0) << clean_.err;
        of_ = commandOfEachReport(trace_);
        ASSERT_EQ(of_.size(), clean_.reports);
        openProbes_ = static_cast<std::uint64_t>(
            std::find_if(of_.begin(), of_.end(), [](std::uint8_t c) { return c != kCmdProbe; }) - of_.begin());
        // Command 14 and its answer, the signature's read, then the full read.
        const ChipModel chip = sweep_.before().size() == kFlashSize ? ChipModel::Wren : ChipModel::Lark;
        readEnd_ = openProbes_ + 2 + transferCost(kSignatureAreaSize) + fullReadCost(chip);
        if (op().file && std::string_view(op().file) == "out.bin") {
            ASSERT_TRUE(readFileAtMost(sweep_.path("out.bin"), kFlashSize).ok());
            cleanFile_ = readFileAtMost(sweep_.path("out.bin"), kFlashSize)->bytes;
        }
    }

    const Operation& op() const { return std::get<0>(GetParam()); }
    Fault fault() const { return std::get<1>(GetParam()); }

    // The documented status when the first report that failed is number `lost` of the clean run:
    // none failed, one of opening the mouse, after a restart the mouse did not come back from,
    // or any other report of the device.
    int expectedExit(std::uint64_t lost) const {
        if (lost > clean_.reports) return 0;
        if (lost <= openProbes_) return 3;
        if (fault() == Fault::Unplug && of_[lost - 2] == kCmdFinishFirmware) return 3;
        return 1;
    }

    void check(std::uint64_t k) {
        const std::string name = std::string(op().model) + " " + op().command +
                                 (fault() == Fault::Refuse ? " refuse-report=" : " unplug-after=") + std::to_string(k);
        // A failed run leaves an output file as it was: an existing one when the mouse leaves, none
        // when it refuses.
        const bool output = op().file && std::string_view(op().file) == "out.bin";
        const Bytes old(100, 0x5A);
        if (output) {
            fs::remove(sweep_.path("out.bin"));
            if (fault() == Fault::Unplug)
                std::ofstream(sweep_.path("out.bin"), std::ios::binary)
                    .write(reinterpret_cast<const char*>(old.data()), static_cast<std::streamsize>(old.size()));
        }
        auto entries = [&] { return std::distance(fs::directory_iterator(sweep_.dir()), fs::directory_iterator()); };
        const auto entriesBefore = entries();
        watchdog_.start(name);
        const Outcome r = sweep_.run(fault(), k);
        const std::uint64_t lost = fault() == Fault::Refuse ? k : k + 1;
        const int expected = expectedExit(lost);
        EXPECT_EQ(r.exit, expected) << name << "\n" << r.err;
        EXPECT_LE(r.waited, clean_.waited) << name << ": waited longer than the clean run";
        EXPECT_EQ(r.err.empty(), expected == 0) << name << "\n" << r.err;

        if (output) {
            auto file = readFileAtMost(sweep_.path("out.bin"), kFlashSize);
            if (expected == 0) {
                EXPECT_TRUE(file && file->bytes == cleanFile_) << name;
            } else if (fault() == Fault::Unplug) {
                EXPECT_TRUE(file && file->bytes == old) << name << ": the existing file changed";
            } else {
                EXPECT_FALSE(fs::exists(sweep_.path("out.bin"))) << name << ": a file written on failure";
            }
            EXPECT_EQ(entries(), entriesBefore + (!fs::exists(sweep_.path("out.bin")) ? 0 : fault() == Fault::Refuse))
                << name << ": a file left behind";
        }

        const Bytes& m = r.memory;
        ASSERT_EQ(m.size(), sweep_.before().size()) << name;
        EXPECT_TRUE(equalAt(m, sweep_.before(), op().keptFrom, op().keptTo - op().keptFrom)) << name;
        if (expected == 0) {
            EXPECT_EQ(m, clean_.memory) << name;
        }
        if (lost <= readEnd_) {
            EXPECT_EQ(m, sweep_.before()) << name << ": changed by a run that failed in the read";
            EXPECT_TRUE(std::none_of(r.commands.begin(), r.commands.end(), writes)) << name;
        }
        if (std::string_view(op().command) == "flash") checkFirmware(r, name);
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

    Sweep sweep_{op()};
    Watchdog watchdog_{std::chrono::seconds(kSanitized ? 60 : 20)};
    std::string trace_;
    Outcome clean_;
    Bytes cleanFile_;
    std::vector<std::uint8_t> of_;
    std::uint64_t readEnd_ = 0, openProbes_ = 0;
};

TEST_P(FaultSweep, EveryReport) {
    for (std::uint64_t k : reportsToSweep()) {
        check(k);
        if (HasFailure()) break;  // one failing report is enough to read; thousands are not
    }
}

INSTANTIATE_TEST_SUITE_P(Varnelctl, FaultSweep,
                         ::testing::Combine(::testing::ValuesIn(kOperations),
                                            ::testing::Values(Fault::Refuse, Fault::Unplug)),
                         [](const auto& info) {
                             std::string name = std::string(std::get<0>(info.param).model).substr(0, 4) + "_" +
                                                std::get<0>(info.param).command + "_" +
                                                (std::get<1>(info.param) == Fault::Refuse ? "refuse" : "unplug");
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
}  // namespace varnel
