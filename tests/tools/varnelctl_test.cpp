// Runs the varnelctl program itself against its virtual mouse.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/file_io.h"
#include "common/resources.h"
#include "device/commands.h"
#include "profiles/image_builder.h"
#include "transfers/transfer_rig.h"
#include "varnelctl/command_line.h"
#include "varnelctl/run.h"
#include "wren_flash_map.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

struct Outcome {
    int exit = -1;
    std::string out, err;
};

class Varnelctl : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("varnelctl-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        ASSERT_TRUE(fs::exists(program)) << program << " is built with the project";
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string path(const std::string& name) const { return (dir / name).string(); }

    Outcome run(const std::string& args) const {
        // A run that hangs ends after two minutes with exit status 124.
        const std::string cmd =
            "timeout 120 " + program.string() + " " + args + " >" + path("out") + " 2>" + path("err");
        int status = std::system(cmd.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text("out"), text("err")};
    }
    std::string text(const std::string& name) const {
        std::ifstream in(path(name));
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    Lines lines(const std::string& name) const {
        Lines out;
        std::istringstream in(text(name));
        for (std::string l; std::getline(in, l);) out.push_back(l);
        return out;
    }
    Bytes bytes(const std::string& name) const {
        auto r = readFileAtMost(path(name), kFlashSize);
        return r ? r->bytes : Bytes{};
    }
    void put(const std::string& name, const Bytes& b) const { ASSERT_TRUE(writeFileAtomic(path(name), b).ok()); }
    static Bytes slice(const Bytes& b, std::size_t from, std::size_t n) {
        return Bytes(b.begin() + static_cast<std::ptrdiff_t>(from), b.begin() + static_cast<std::ptrdiff_t>(from + n));
    }

    fs::path program = fs::path(VARNEL_BINARY_DIR) / "src" / "tools" / "varnelctl" / "varnelctl";
    fs::path dir;
    const Bytes image = testing::embeddedBytes("VarnelData");
    const Bytes firmware = testing::embeddedBytes("DefaultFW");
};

TEST_F(Varnelctl, ListAndInfo) {
    Outcome list = run("--virtual wren-rgb-3330 list");
    EXPECT_EQ(list.exit, 0);
    EXPECT_EQ(list.out,
              "virtual/mouse0.1/if0 1209:0001 0\nvirtual/mouse0.1/if1 1209:0001 8\n"
              "virtual/mouse0.1/if2 1209:0001 3\nvirtual/keyboard1 2f01:0a11 2\n");

    struct Case {
        const char* args;
        const char* out;
        Lines trace;
    };
    const Case cases[] = {
        {"--virtual wren-rgb-3330",
         "variant: Wren\nlighting: RGB\nsensor: 3330\nsteps: 20\n",
         {"S0 40 02 00 11 00 01 00 00", "S0 41 00 00 00 00 00 00 00", "S0 40 0E 00 00 00 00 00 00",
          "G0 41 00 00 40 C8 45 00 00", "S0 40 09 5C 00 00 05 00 00", "G0 41 FF FF FF FF FF FF FF"}},
        {"--virtual wren-color-a5050 --virtual-interfaces 2",
         "variant: Wren\nlighting: Color\nsensor: A5050\nsteps: 17\n",
         {"S0 40 02 00 11 00 01 00 00", "S0! 41 00 00 00 00 00 00 00", "S1! 40 02 00 11 00 01 00 00",
          "S1 41 00 00 00 00 00 00 00", "S0 40 0E 00 00 00 00 00 00", "G1 41 00 00 00 C8 12 00 00",
          "S0 40 09 5C 00 00 05 00 00", "G1 41 FF FF FF FF FF FF FF"}},
        {"--virtual lark-color-a5050",
         "variant: Lark\nlighting: Color\nsensor: A5050\nsteps: 17\n",
         {"S0 40 02 00 11 00 01 00 00", "S0 41 00 00 00 00 00 00 00", "S0 40 0E 00 00 00 00 00 00",
          "G0 41 00 00 00 00 12 00 00", "S0 40 04 00 2B 00 05 00 00", "G0 41 FF FF 01 01 00 00 01"}},
    };
    for (const auto& c : cases) {
        Outcome r = run(std::string(c.args) + " --trace " + path("trace") + " info");
        EXPECT_EQ(r.exit, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(lines("trace"), c.trace);
    }
}

TEST_F(Varnelctl, BackupAndRestore) {
    Outcome b = run("--virtual wren-rgb-3330 backup " + path("profile.bin"));
    ASSERT_EQ(b.exit, 0) << b.err;
    EXPECT_EQ(bytes("profile.bin"), image) << "a fresh mouse holds the default image";

    // A mouse whose macro area was wiped gets the profile's macros back, after a full read, and
    // the profile's 500 Hz with the reload that makes it take a new rate.
    Bytes memory = factoryMemory(ChipModel::Wren, image, firmware);
    std::fill(memory.begin() + 0x7000, memory.end(), 0x00);
    put("before.bin", memory);
    const Bytes profile = testing::withReportRate(bytes("profile.bin"), ChipModel::Wren, 2);
    put("profile.bin", profile);
    // Probes, identification, full read, then Apply with macros: 11 erases, 3 + 132 writes, the
    // same read back unless told not to (as much as the full read), reload.
    for (const std::string verify : {"", "--no-verify "}) {
        Outcome r = run("--virtual wren-rgb-3330 --virtual-load " + path("before.bin") + " --virtual-save " +
                        path("after.bin") + " --trace " + path("trace") + " " + verify + "restore " +
                        path("profile.bin"));
        ASSERT_EQ(r.exit, 0) << r.err;
        Bytes after = bytes("after.bin");
        EXPECT_EQ(slice(after, kFlashMacroBlocks, kMacroAreaSize), slice(image, 1216, kMacroAreaSize));
        EXPECT_EQ(slice(after, kFlashMacroNames, 1024), slice(image, 192, 1024));
        EXPECT_EQ(slice(after, kFlashParameterBlock, 182), slice(profile, 0, 182));
        EXPECT_EQ(lines("trace").size(),
                  2u + 4u + 4916u + 11u + 27u + 2u + 3u + 132u * 38u + (verify.empty() ? 4916u : 0u) + 1u);
        EXPECT_EQ(lines("trace").back(), "S0 40 10 00 00 00 00 00 00");
    }
}

TEST_F(Varnelctl, LarkBackupWithALarkDefaultImage) {
    put("lark.bin", testing::larkDefaultImage());
    Outcome r = run("--default-image " + path("lark.bin") + " --virtual lark-rgb-a5050 backup " + path("p.bin"));
    ASSERT_EQ(r.exit, 0) << r.err;
    Bytes p = bytes("p.bin");
    ASSERT_EQ(p.size(), 154u);
    EXPECT_EQ(p[0], 0x10);
    EXPECT_EQ(p[1], 0x00);
}

// A Lark is served with the embedded Lark image: no --default-image. Its memory afterwards, and
// the commands each run sends after the two probes (a write is read back before the reload).
TEST_F(Varnelctl, LarkWithTheEmbeddedImages) {
    const Bytes lark = testing::embeddedBytes("VarnelDataLark");
    Bytes edited = lark;
    edited[6] = 0x05;  // DPI stage 1 on another step
    storeSectionChecksum(edited, kLarkLayout.parameterA);
    Bytes memory(256, 0xFF);
    std::copy(edited.begin(), edited.end(), memory.begin());
    put("before.bin", memory);
    put("profile.bin", testing::withReportRate(edited, ChipModel::Lark, 1));
    const Lines read{"0E 00 00 00 00", "04 00 2B 00 05", "04 00 00 00 9A"};
    struct Case {
        std::string command;
        Bytes after;  // the parameter block
        Lines writes;
    };
    const Case cases[] = {
        {"backup " + path("backup.bin"), edited, {}},
        {"restore " + path("profile.bin"),
         testing::withReportRate(edited, ChipModel::Lark, 1),
         {"06 00 00 00 9A", "04 00 00 00 9A", "10 00 00 00 00"}},
        {"reset", lark, {"06 00 00 00 9A", "04 00 00 00 9A", "11 00 00 00 00"}},
    };
    for (const auto& c : cases) {
        Outcome r = run("--virtual lark-color-a5050 --virtual-load " + path("before.bin") + " --virtual-save " +
                        path("after.bin") + " --trace " + path("trace") + " " + c.command);
        ASSERT_EQ(r.exit, 0) << c.command << "\n" << r.err;
        EXPECT_EQ(r.out, "") << c.command;
        EXPECT_EQ(slice(bytes("after.bin"), 0, 154), c.after) << c.command;
        Lines commands = testing::commandsOf(lines("trace"));
        ASSERT_GE(commands.size(), 2u) << c.command;
        EXPECT_EQ(Lines(commands.begin() + 1, commands.end()), testing::concat({read, c.writes})) << c.command;
    }
    EXPECT_EQ(bytes("backup.bin"), edited);
}

TEST_F(Varnelctl, ResetKeepsTheMirror) {
    Bytes memory = factoryMemory(ChipModel::Wren, image, firmware);
    const Bytes mirror{0x01, 0x02, 0x01, 0x03, 0x5A, 0x10, 0x20, 0x30, 0x0A};
    std::copy(mirror.begin(), mirror.end(), memory.begin() + kFlashExtraBytes);
    memory[kFlashParameterBlock + 6] = 0x01;  // a changed DPI code
    put("before.bin", memory);
    Outcome r = run("--virtual wren-rgb-3330 --virtual-load " + path("before.bin") + " --virtual-save " +
                    path("after.bin") + " reset");
    ASSERT_EQ(r.exit, 0) << r.err;
    Bytes after = bytes("after.bin");
    EXPECT_EQ(slice(after, kFlashExtraBytes, 9), mirror);
    EXPECT_EQ(slice(after, kFlashParameterBlock, 182), slice(image, 0, 182));
}

TEST_F(Varnelctl, FlashProgramsAndFindsTheMouseAgain) {
    Bytes fw(10000);
    for (std::size_t i = 0; i < fw.size(); ++i) fw[i] = static_cast<std::uint8_t>(i * 13);
    put("fw.bin", fw);
    Outcome r = run("--virtual wren-rgb-3330 --virtual-save " + path("after.bin") + " --trace " + path("trace") +
                    " flash " + path("fw.bin"));
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(slice(bytes("after.bin"), kFlashFirmware, kFirmwareSize), slice(fw, 0, kFirmwareSize));
    Lines trace = lines("trace");
    auto finish = std::find(trace.begin(), trace.end(), "S0 40 12 00 00 00 00 00 00");
    ASSERT_NE(finish, trace.end());
    // After the restart: probes on new nodes, identification and the full read again.
    EXPECT_EQ(*(finish + 1), "S0 40 02 00 11 00 01 00 00");
    EXPECT_EQ(static_cast<std::size_t>(trace.end() - finish - 1), 2u + 4u + 4916u);

    put("short.bin", Bytes(8191, 0));
    Outcome s = run("--virtual wren-rgb-3330 --trace " + path("trace2") + " flash " + path("short.bin"));
    EXPECT_EQ(s.exit, 5);
    EXPECT_TRUE(lines("trace2").empty()) << "refused before anything is sent";
}

TEST_F(Varnelctl, MacroExportAndImport) {
    Outcome e = run("--virtual wren-rgb-3330 export-macros " + path("macros.bin"));
    ASSERT_EQ(e.exit, 0) << e.err;
    EXPECT_EQ(bytes("macros.bin"), slice(image, 192, 1024 + kMacroAreaSize));

    Bytes set = bytes("macros.bin");
    std::fill(set.begin() + 1024 + 3 * 1024, set.begin() + 1024 + 4 * 1024, 0x00);  // macro 3 emptied
    put("edited.bin", set);
    Outcome i = run("--virtual wren-rgb-3330 --virtual-save " + path("after.bin") + " --trace " + path("trace") +
                    " import-macros " + path("edited.bin"));
    ASSERT_EQ(i.exit, 0) << i.err;
    EXPECT_EQ(slice(bytes("after.bin"), kFlashMacroBlocks + 3 * 1024, 1024), Bytes(1024, 0x00));
    for (const auto& line : lines("trace"))
        EXPECT_FALSE(line.starts_with("S0 40 10") || line.starts_with("S0 40 11")) << "no reload after Save Macro";
}

TEST_F(Varnelctl, ExitStatus) {
    put("lark.bin", testing::larkDefaultImage());
    put("wren.bin", image);
    put("tiny.bin", Bytes(10, 0));
    put("fw.bin", firmware);
    struct Case {
        std::string args;
        int exit;
    };
    const Case cases[] = {
        {"", 2},
        {"info extra", 2},
        {"backup", 2},
        {"--virtual-save x.bin info", 2},
        {"--virtual wren-rgb-3330 --virtual-interfaces 3 info", 2},
        {"--virtual wren-rgb-3330 --virtual-fault refuse-report=0 info", 2},
        {"--virtual wren-rgb-3330 --virtual-fault garbage=3x info", 2},
        {"--virtual wren-rgb-3330 --virtual-fault sulk=3 info", 2},
        {"--virtual wren-rgb-3330 --default-image " + path("wren.bin") + " --virtual-fault other-variant=3 info", 4},
        {"--virtual wren-rgb-3330 --virtual-fault other-variant=3 info", 0},  // then simply a Lark
        {"--virtual wren-rgb-3330 --virtual-fault garbage=7 backup " + path("garbage.bin"), 1},  // no file
        {"--virtual wren-rgb-9999 info", 2},
        {"--virtual wren-rgb-3330 frobnicate", 2},
        {"--virtual wren-rgb-3330 --virtual-fault unplug-after=1 info", 3},
        {"--virtual wren-rgb-3330 --virtual-fault unplug-after=2 info", 1},
        {"--virtual lark-rgb-a3050 --default-image " + path("wren.bin") + " info", 4},
        {"--virtual wren-rgb-3330 --default-image " + path("lark.bin") + " info", 4},
        {"--virtual wren-rgb-3330 --virtual-fault unplug-after=100 backup " + path("b.bin"), 1},
        {"--virtual wren-rgb-3330 --virtual-fault refuse-report=5000 reset", 1},
        {"--virtual wren-rgb-3330 --virtual-fault refuse-report=4922 import-macros " + path("missing.bin"), 5},
        {"--virtual wren-rgb-3330 --default-image " + path("tiny.bin") + " info", 5},
        {"--virtual wren-rgb-3330 restore " + path("lark.bin"), 5},
        {"--virtual wren-rgb-3330 --virtual-load " + path("tiny.bin") + " info", 5},
        {"--virtual lark-rgb-a3050 --default-image " + path("lark.bin") + " flash " + path("fw.bin"), 1},
        {"--virtual wren-rgb-3330 macro show 33", 2},
        {"--virtual wren-rgb-3330 macro set 1 " + path("missing.txt"), 5},
    };
    for (const auto& c : cases) {
        Outcome r = run(c.args);
        EXPECT_EQ(r.exit, c.exit) << c.args << "\n" << r.err;
        if (c.exit != 0) {
            EXPECT_FALSE(r.err.empty()) << c.args;
        }
    }
    EXPECT_FALSE(fs::exists(path("garbage.bin"))) << "a backup restore would refuse is not kept";
}

// What is plainly no profile or no firmware, and a file to write that could not be kept, are refused
// with the reason before anything is written: the mouse keeps its (factory) memory, so it still
// identifies, and a write-protected file keeps its bytes.
TEST_F(Varnelctl, RefusalsSayWhyAndLeaveTheMouseAsItWas) {
    Bytes foreign = image;
    foreign[48] = 0x34;
    put("foreign.bin", foreign);
    put("zeros.bin", Bytes(image.size(), 0x00));
    put("blank.bin", Bytes(9000, 0xFF));
    put("lark.bin", testing::larkDefaultImage());
    put("locked.bin", Bytes{1, 2, 3});
    fs::permissions(path("locked.bin"), fs::perms::owner_read);
    const std::string locked = path("locked.bin") + "\" is write-protected: it was not replaced";
    const std::pair<std::string, std::string> cases[] = {
        {"restore " + path("foreign.bin"), "its signature FF 34 is not one this program accepts"},
        {"restore " + path("zeros.bin"), "none of its checksummed sections is valid"},
        {"restore " + path("lark.bin"), "the profile is for a Lark; this mouse is a Wren"},
        {"flash " + path("foreign.bin"), "the file has the size of a Wren profile (33984 bytes)"},
        {"flash " + path("blank.bin"), "bytes all hold the value 255"},
        {"--trace /dev/full info", "\"/dev/full\" is a device, pipe or socket, not a file"},
        {"--trace " + path("locked.bin") + " info", locked},
        {"backup " + path("locked.bin"), locked},
        {"export-macros " + path("locked.bin"), locked},
    };
    for (const auto& [args, says] : cases) {
        const std::string trace = args.starts_with("--trace") ? "" : "--trace " + path("trace.txt") + " ";
        Outcome r = run("--virtual wren-rgb-3330 --virtual-save " + path("after.bin") + " " + trace + args);
        EXPECT_EQ(r.exit, 5) << args << "\n" << r.err;
        EXPECT_NE(r.err.find(says), std::string::npos) << args << "\n" << r.err;
        EXPECT_EQ(bytes("after.bin"), factoryMemory(ChipModel::Wren, image, firmware)) << args;
        // Refused before the full read: at most the probes and the identification.
        if (!trace.empty()) {
            EXPECT_LE(lines("trace.txt").size(), 6u) << args;
        }
    }
    EXPECT_EQ(bytes("locked.bin"), (Bytes{1, 2, 3}));
}

// Every file varnelctl reads: folders, devices and pipes are refused at once, and of a huge file only
// what the format holds is read (bytes past a firmware image are ignored, but 8 GiB of zeros is
// not firmware; a profile, a macro set and a memory image must fit exactly).
TEST_F(Varnelctl, NoFileMakesItAbortOrWait) {
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
    fs::create_directory(path("folder"));
    std::ofstream(path("huge")).put('\0');
    fs::resize_file(path("huge"), std::uintmax_t{8} << 30);
    const std::string refused[] = {"/dev/zero", path("fifo"), path("folder")};
    struct Case {
        std::string before, after;  // around the file's name
        int hugeExit;
    };
    const Case cases[] = {
        {"restore ", "", 5},
        {"flash ", "", 5},
        {"import-macros ", "", 5},
        {"--default-image ", " info", 3},  // an image of zeros: a Lark whose ids are 0000:0000
        {"--virtual-load ", " info", 5},
    };
    for (const auto& c : cases) {
        for (const auto& file : refused) {
            Outcome r = run("--virtual wren-rgb-3330 " + c.before + file + c.after);
            EXPECT_EQ(r.exit, 5) << c.before << file << "\n" << r.err;
            EXPECT_NE(r.err.find("not a file"), std::string::npos) << c.before << file << "\n" << r.err;
        }
        Outcome r = run("--virtual wren-rgb-3330 " + c.before + path("huge") + c.after);
        EXPECT_EQ(r.exit, c.hugeExit) << c.before << "huge\n" << r.err;
    }
}

// What `macro show` printed, given to `macro set`, changes no byte (a key without a name and a byte
// the decoder passes over included); a new text lands as its exact bytes, a rename as the name.
TEST_F(Varnelctl, MacrosAsText) {
    Bytes memory = factoryMemory(ChipModel::Wren, image, firmware);
    const Bytes odd{0x82, 0x01, 0x03, 0x02, 0x01, 0x00};
    memory[kFlashMacroNames + 2 * 32 + 1] = static_cast<std::uint8_t>(odd.size());
    std::copy(odd.begin(), odd.end(), memory.begin() + kFlashMacroBlocks + 2 * 1024);
    put("before.bin", memory);
    const std::string wren =
        "--virtual wren-rgb-3330 --virtual-load " + path("before.bin") + " --virtual-save " + path("after.bin") + " ";
    for (const char* n : {"1", "3", "9"}) {
        Outcome shown = run(wren + "macro show " + n);
        std::ofstream(path("macro.txt")) << shown.out;
        Outcome set = run(wren + "macro set " + n + " " + path("macro.txt"));
        EXPECT_EQ(set.exit, 0) << set.err;
        EXPECT_EQ(bytes("after.bin"), memory) << "macro " << n;
    }
    EXPECT_EQ(run(wren + "macro show 3").out, "press 0x01\nrelease 0x01\n");

    std::ofstream(path("combo.txt")) << "press Ctrl\npress A\ndelay 120\nrelease A\nrelease Ctrl\n";
    Outcome set = run(wren + "macro set 2 - <" + path("combo.txt"));
    EXPECT_EQ(set.err, "Wrote macro 2 to the mouse (12 bytes, 2 presses, 2 releases)\n");
    Bytes expected = memory;
    expected[kFlashMacroNames + 32 + 1] = 12;
    const Bytes combo{0x81, 0x01, 0x82, 0x04, 0xFE, 0x00, 0x78, 0x02, 0x04, 0x01, 0x01, 0x00};
    std::copy(combo.begin(), combo.end(), expected.begin() + kFlashMacroBlocks + 1024);
    EXPECT_EQ(bytes("after.bin"), expected);

    Outcome renamed = run(wren + "macro rename 2 Combo");
    EXPECT_EQ(renamed.err, "Renamed macro 2 to \"Combo\" on the mouse\n");
    expected = memory;
    const Bytes record{0x00, 0x0A, 0x00, 'C', 0x00, 'o', 0x00, 'm', 0x00, 'b', 0x00, 'o'};
    std::copy(record.begin(), record.end(), expected.begin() + kFlashMacroNames + 32 + 2);
    EXPECT_EQ(bytes("after.bin"), expected);
}

// Bad macro input: the reason, exit status 2, and the mouse as it was (text and names are refused
// before the mouse is opened).
TEST_F(Varnelctl, BadMacroInputChangesNothing) {
    std::string presses, delays;
    for (int i = 0; i < 101; ++i) presses += "press A\n";
    for (int i = 0; i < 342; ++i) delays += "delay 1\n";
    struct Case {
        std::string model, args, text, says;
    };
    const Case cases[] = {
        {"wren-rgb-3330", "macro set 1 -", "press A\npress Hyper\n", "macro 1: line 2: unknown key \"Hyper\""},
        {"wren-rgb-3330", "macro set 1 -", "delay 65536\n", "milliseconds from 0 to 65535"},
        {"wren-rgb-3330", "macro set 32 -", delays, "a macro holds at most 1024"},
        {"wren-rgb-3330", "macro set 2 -", presses, "a macro holds at most 100 of each"},
        {"wren-rgb-3330", "macro rename 1 ABCDEFGHIJKLMNO", "", "is longer than 14 characters"},
        {"lark-color-a5050", "macro set 1 -", "press A\n", "macro needs a Wren mouse"},
        {"lark-color-a5050", "macro rename 1 X", "", "macro needs a Wren mouse"},
    };
    for (const auto& c : cases) {
        const std::string mouse = "--virtual " + c.model + " --virtual-save ";
        ASSERT_EQ(run(mouse + path("untouched.bin") + " info").exit, 0);
        std::ofstream(path("in.txt")) << c.text;
        Outcome r = run(mouse + path("after.bin") + " --trace " + path("trace") + " " + c.args + " <" + path("in.txt"));
        EXPECT_EQ(r.exit, 2) << c.args;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(bytes("after.bin"), bytes("untouched.bin")) << c.args;
        if (c.model.starts_with("wren")) {
            EXPECT_EQ(lines("trace"), Lines{}) << c.args;
        }
    }
}

// Each command says in one line what it did, on standard error (--quiet: nothing); --version; the
// help of every command.
TEST_F(Varnelctl, SaysWhatItDid) {
    const std::pair<std::string, std::string> cases[] = {
        {"backup " + path("p.bin"), "Saved the configuration to " + path("p.bin") + " (33,984 bytes)\n"},
        {"export-macros " + path("m.bin"), "Saved the macros to " + path("m.bin") + " (33,792 bytes)\n"},
        {"restore " + path("p.bin"), "Wrote the profile " + path("p.bin") + " to the mouse\n"},
        {"reset", "Wrote the default configuration to the mouse\n"},
        {"import-macros " + path("m.bin"), "Wrote the macros of " + path("m.bin") + " to the mouse\n"},
        {"macro set 1 " + path("empty.txt"), "Macro 1 already holds these events: nothing was written\n"},
    };
    put("empty.txt", {});
    for (const auto& [args, says] : cases) {
        EXPECT_EQ(run("--virtual wren-rgb-3330 " + args).err, says);
        Outcome quiet = run("--virtual wren-rgb-3330 -q " + args);
        EXPECT_EQ(quiet.exit, 0) << args;
        EXPECT_EQ(quiet.err, "") << args;
    }
    Outcome version = run("--version");
    EXPECT_EQ(version.exit, 0);
    EXPECT_TRUE(version.out.starts_with("varnelctl 1.")) << version.out;
    for (const auto& c : ctl::kCommands) {
        const std::string name(c.name);
        EXPECT_TRUE(run(name + " --help").out.starts_with("usage: varnelctl [options] " + name)) << name;
        EXPECT_EQ(run("help " + name).out, run(name + " --help").out) << name;
    }
}

// On a terminal each transfer counts its reports on one line; elsewhere, or quiet, nothing.
TEST(VarnelctlProgress, CountsReportsOnATerminal) {
    for (const bool terminal : {true, false}) {
        auto o = ctl::parseCommandLine({"--virtual", "wren-rgb-3330", "macro", "rename", "1", "X"});
        ASSERT_TRUE(o.ok());
        o->errorIsTerminal = terminal;
        std::ostringstream out, err;
        EXPECT_EQ(ctl::run(*o, out, err), 0);
        for (const char* line : {"\rReading the mouse: 4,916 of 4,916 reports\n",
                                 "\rWriting to the mouse: 9,909 of 9,909 reports\n"})
            EXPECT_EQ(err.str().find(line) != std::string::npos, terminal) << err.str();
        EXPECT_TRUE(err.str().ends_with("Renamed macro 1 to \"X\" on the mouse\n"));
    }
}

}  // namespace
}  // namespace varnel
