#include "transfers/device_write.h"
#include "wren_flash_map.h"

#include <gtest/gtest.h>

#include <functional>

#include "common/file_io.h"
#include "scratch_files.h"
#include "transfers/transfer_rig.h"

namespace varnel {
namespace {

using testing::TransferRig;
using Lines = std::vector<std::string>;
using testing::concat;

const Lines kMacroErases{"0B 70 00 00 00", "0B 80 00 00 00", "0B 90 00 00 00", "0B A0 00 00 00", "0B B0 00 00 00",
                         "0B C0 00 00 00", "0B D0 00 00 00", "0B E0 00 00 00", "0B F0 00 00 00"};

// The 132 256-byte writes of the macro area: names at 0x7400.., then block quarters.
Lines macroAreaWrites() {
    Lines out;
    char buf[16];
    for (int k = 0; k < 4; ++k) {
        std::snprintf(buf, sizeof buf, "0C %02X 00 01 00", 0x74 + k);
        out.push_back(buf);
    }
    for (int i = 0; i < 32; ++i)
        for (int k = 0; k < 4; ++k) {
            std::snprintf(buf, sizeof buf, "0C %02X 00 01 00", 0x80 + 4 * i + k);
            out.push_back(buf);
        }
    return out;
}

const Lines kWrenParameterWrites{"0C 50 00 00 B6", "0C 5C 00 00 05", "0C 60 00 00 09"};

TEST(Apply, WrenSequenceWithAndWithoutMacroChanges) {
    struct Case {
        bool macrosDirty;
        Lines commands;
    };
    const Case cases[] = {
        {false, concat({{"0B 50 00 00 00", "0B 60 00 00 00"}, kWrenParameterWrites, {"11 00 00 00 00"}})},
        {true, concat({{"0B 50 00 00 00", "0B 60 00 00 00"},
                       kMacroErases,
                       kWrenParameterWrites,
                       macroAreaWrites(),
                       {"11 00 00 00 00"}})},
    };
    for (const auto& c : cases) {
        TransferRig t("wren-rgb-3330");
        ASSERT_TRUE(t.plugIn().read.ok());
        // The mouse's macro area holds something else than DataBuf, so a rewrite would show.
        Bytes m = t.rig.mouse->memory();
        std::fill(m.begin() + 0x7000, m.end(), 0x00);
        ASSERT_TRUE(t.rig.mouse->loadMemory(m).ok());
        t.state.MacrosDirty = c.macrosDirty;
        TransferStatus s = t.model.Apply();
        EXPECT_TRUE(s.ok()) << s.error.message;
        EXPECT_EQ(testing::commandsOf(t.rig.trace), c.commands);
        EXPECT_FALSE(t.state.MacrosDirty);
        EXPECT_EQ(t.rig.trace.size(),
                  c.macrosDirty ? 2u + 9u + 27u + 2u + 3u + 132u * 38u + 1u : 2u + 27u + 2u + 3u + 1u);

        const auto& buf = t.state.DataBuf;
        EXPECT_EQ(t.memory(kFlashParameterBlock, 182), Bytes(buf.parameter.begin(), buf.parameter.end()));
        EXPECT_EQ(t.memory(kFlashExtraBytes, 9), Bytes(buf.parameter.begin() + 38, buf.parameter.begin() + 47));
        if (c.macrosDirty) {
            EXPECT_EQ(t.memory(kFlashMacroBlocks, kMacroAreaSize), Bytes(buf.macroArea.begin(), buf.macroArea.end()));
            EXPECT_EQ(t.memory(kFlashMacroNames, 1024), Bytes(buf.macroNameTable.begin(), buf.macroNameTable.end()));
        } else {
            EXPECT_EQ(t.memory(0x7000, 0x9000), Bytes(0x9000, 0x00)) << "names and macros untouched";
        }
    }
}

TEST(Apply, SignatureAreaCarriesImageBytesAndTheThreeReadBytes) {
    TransferRig t("wren-rgb-3330");
    Bytes m = t.rig.mouse->memory();
    const Bytes area{0x00, 0x00, 0x07, 0x08, 0x09};  // accepted through the layout's 0, 0 pair
    std::copy(area.begin(), area.end(), m.begin() + kFlashSignature);
    ASSERT_TRUE(t.rig.mouse->loadMemory(m).ok());
    ASSERT_TRUE(t.plugIn().read.ok());
    t.state.EditCopy.bytes[47] = 0xFF;  // the default image's pair, as a loaded profile would bring
    t.state.EditCopy.bytes[48] = 0xFF;
    ASSERT_TRUE(t.model.Apply().ok());
    EXPECT_EQ(t.memory(kFlashSignature, 5), (Bytes{0xFF, 0xFF, 0x07, 0x08, 0x09}));
    EXPECT_EQ(t.rig.trace[2 + 26 + 2], "S0 41 FF FF 07 08 09 FF FF");
}

// Identification accepts only the default image's pair (FF FF) and the layout's (00 00): no write
// sends another, whatever put it into the state.
TEST(Apply, NeverSendsASignatureIdentificationRefuses) {
    for (const char* model : {"wren-rgb-3330", "lark-rgb-a3050"}) {
        for (const bool reset : {false, true}) {
            const bool lark = model[0] == 'l';
            const Bytes image = lark ? testing::larkDefaultImage() : testing::embeddedBytes("VarnelData");
            TransferRig t(testing::mouseOptions(model), image);
            ASSERT_TRUE(t.plugIn().read.ok());
            const Bytes before = t.rig.mouse->memory();
            EXPECT_TRUE(!reset || LoadDefaultParameter(t.state, image).ok());
            // A Wren's Reset writes its signature area from SignatureBuffer.
            (reset ? (lark ? t.state.DataBuf.parameter[44] : t.state.SignatureBuffer[1])
                   : t.state.EditCopy.bytes[lark ? 44 : 48]) = 0x34;
            TransferStatus s = reset ? t.model.WriteDefaults() : t.model.Apply();
            EXPECT_NE(s.error.message.find("signature FF 34 is not one"), std::string::npos) << model << reset;
            EXPECT_TRUE(t.rig.trace.empty()) << model << reset;
            EXPECT_EQ(t.rig.mouse->memory(), before);
        }
    }
}

// The reload is 16 exactly when the rate written differs from the one the mouse last reported or
// took. A Wren takes its rate from the mirror at 0x6000, which its Reset leaves as it was.
TEST(Apply, ReloadIsSixteenWhenTheRateWrittenIsNotTheMousesOwn) {
    struct Case {
        const char* model;  // the mouse runs at 1000 Hz (code 1)
        std::uint8_t rate;  // of the profile loaded, or of the default image a Reset loads
        bool reset;         // a Reset first instead of a profile and an Apply
        bool refuseFirst;   // the first reload 16 is refused
        Lines reloads;      // one per write
    };
    const Case cases[] = {
        {"wren-rgb-3330", 2, false, false, {"10", "11"}},  {"wren-rgb-3330", 1, false, false, {"11"}},
        {"lark-rgb-a3050", 2, false, false, {"10", "11"}}, {"lark-rgb-a3050", 2, true, false, {"10"}},
        {"wren-rgb-3330", 2, true, false, {"11"}},         {"wren-rgb-3330", 2, false, true, {"10", "10", "11"}},
    };
    for (const auto& c : cases) {
        const ChipModel chip = c.model[0] == 'l' ? ChipModel::Lark : ChipModel::Wren;
        const Bytes image =
            chip == ChipModel::Lark ? testing::larkDefaultImage() : testing::embeddedBytes("VarnelData");
        TransferRig t(testing::mouseOptions(c.model), testing::withReportRate(image, chip, 1));
        t.model.adopt({testing::withReportRate(image, chip, c.rate), testing::embeddedBytes("DefaultFW"), {}});
        ASSERT_TRUE(t.plugIn().read.ok());
        const auto file = testing::freshFolder("rate") / "profile.bin";
        ASSERT_TRUE(writeFileAtomic(file, testing::withReportRate(*t.model.ProfileBytes(), chip, c.rate)));
        EXPECT_TRUE(c.reset || t.model.LoadProfile(file).ok());
        t.rig.filter.refuse = [&](const FeatureReport& r) {
            return c.refuseFirst && r[0] == 0x40 && r[1] == kCmdReloadAfterRate;
        };
        for (std::size_t i = 0; i < c.reloads.size(); ++i) {
            EXPECT_EQ((c.reset && i == 0 ? t.model.Reset() : t.model.Apply()).ok(), !c.refuseFirst || i > 0);
            t.rig.filter.refuse = {};
        }
        Lines reloads;
        for (const auto& command : testing::commandsOf(t.rig.trace))
            if (command.starts_with("10") || command.starts_with("11")) reloads.push_back(command.substr(0, 2));
        EXPECT_EQ(reloads, c.reloads) << c.model << ", case " << (&c - cases);
    }
}

TEST(Apply, RefusalsAreReportedAndTheSequenceStaysTheSame) {
    // Reports of a Wren Apply without macros: erase, erase, 27, 2, 3, reload (35 in all).
    struct Case {
        const char* name;
        std::uint64_t refused;  // counted from the first report of the Apply
        bool reload;            // the reload command still goes out
    };
    const Case cases[] = {
        {"first erase", 1, true},           {"parameter block command", 3, true}, {"a lost data report", 10, true},
        {"the last data report", 34, true}, {"the reload itself", 35, true},
    };
    for (const auto& c : cases) {
        VirtualMouseOptions o = testing::mouseOptions("wren-rgb-3330");
        const std::uint64_t before = 2 + 4 + 4916;  // probes, identification, full read
        o.refuseReport = before + c.refused;
        TransferRig t(o);
        ASSERT_TRUE(t.plugIn().read.ok()) << c.name;
        TransferStatus s = t.model.Apply();
        EXPECT_EQ(s.code, TransferCode::DeviceFailed) << c.name;
        EXPECT_NE(s.error.message.find("refused 1 report"), std::string::npos) << s.error.message;
        Lines commands = testing::commandsOf(t.rig.trace);
        EXPECT_EQ(commands.back(), "11 00 00 00 00") << c.name;
        EXPECT_EQ(t.rig.trace[c.refused - 1].substr(0, 3), "S0!") << c.name;
    }
}

TEST(Apply, LarkRefusedWriteSendsNoReload) {
    VirtualMouseOptions o = testing::mouseOptions("lark-rgb-a3050");
    o.refuseReport = 2 + 4 + 23 + 1;
    TransferRig t(o, testing::larkDefaultImage());
    ASSERT_TRUE(t.plugIn().read.ok());
    TransferStatus s = t.model.Apply();
    EXPECT_EQ(s.code, TransferCode::DeviceFailed);
    EXPECT_EQ(t.rig.trace, Lines{"S0! 40 06 00 00 00 9A 00 00"});
}

TEST(Apply, UnplugEndsTheWriteAtOnce) {
    for (std::uint64_t k : {1u, 2u, 20u, 35u, 600u}) {
        VirtualMouseOptions o = testing::mouseOptions("wren-rgb-3330");
        o.vanishAfterReport = 2 + 4 + 4916 + k;
        TransferRig t(o);
        ASSERT_TRUE(t.plugIn().read.ok());
        t.state.MacrosDirty = true;
        TransferStatus s = t.model.Apply();
        EXPECT_EQ(s.code, TransferCode::DeviceGone) << k;
        EXPECT_EQ(t.rig.trace.size(), k + 1) << k;
    }
}

// The mirrors hold what the mouse holds: a write refused before anything is sent leaves them so,
// or a later Reset would put bytes at 0x6000 that no Apply ever sent.
TEST(Apply, RefusedMacroNameLeavesTheMirrorsAsTheMouseHasThem) {
    TransferRig t("wren-rgb-3330");
    ASSERT_TRUE(t.plugIn().read.ok());
    const auto extra = t.state.WrenExtraBytes;
    const auto signature = t.state.SignatureBuffer;
    t.state.DataBuf.parameter[kWrenLayout.parameterB.offset + 1] ^= 0x01;
    t.state.DataBuf.parameter[kWrenLayout.signatureOffset] ^= 0x01;
    t.state.MacroNameList[3] = "fifteen letters";
    TransferStatus s = writeParametersToMouse(t.state, t.model.link());
    EXPECT_EQ(s.code, TransferCode::BadFile);
    EXPECT_TRUE(t.rig.trace.empty());
    EXPECT_EQ(t.state.WrenExtraBytes, extra);
    EXPECT_EQ(t.state.SignatureBuffer, signature);
}

TEST(Apply, WithoutChannelsNothingIsSent) {
    TransferRig t("wren-rgb-3330");
    const DataBuf before = t.state.DataBuf;
    TransferStatus s = t.model.Apply();
    EXPECT_EQ(s.code, TransferCode::NoDevice);
    EXPECT_EQ(s.error.languageKey, "Str022");
    EXPECT_EQ(t.state.DataBuf, before);
    EXPECT_TRUE(t.rig.trace.empty());
    EXPECT_EQ(t.model.Reset().code, TransferCode::NoDevice);
}

TEST(Reset, WrenRewritesEverythingButKeepsTheMirror) {
    TransferRig t("wren-rgb-3330");
    Bytes m = t.rig.mouse->memory();
    const Bytes mirror{0x02, 0x02, 0x01, 0x03, 0x5A, 0x10, 0x20, 0x30, 0x0A};
    std::copy(mirror.begin(), mirror.end(), m.begin() + kFlashExtraBytes);
    std::fill(m.begin() + kFlashMacroBlocks, m.end(), 0x00);
    ASSERT_TRUE(t.rig.mouse->loadMemory(m).ok());
    ASSERT_TRUE(t.plugIn().read.ok());
    TransferStatus s = t.model.Reset();
    ASSERT_TRUE(s.ok()) << s.error.message;
    EXPECT_EQ(testing::commandsOf(t.rig.trace), concat({{"0B 50 00 00 00", "0B 60 00 00 00"},
                                                        kMacroErases,
                                                        kWrenParameterWrites,
                                                        macroAreaWrites(),
                                                        {"11 00 00 00 00"}}));
    EXPECT_EQ(t.memory(kFlashExtraBytes, 9), mirror) << "0x6000 holds what it held before";
    Bytes image = testing::embeddedBytes("VarnelData");
    EXPECT_EQ(t.memory(kFlashParameterBlock, 182), Bytes(image.begin(), image.begin() + 182));
    EXPECT_EQ(t.memory(kFlashMacroBlocks, kMacroAreaSize), Bytes(image.begin() + 1216, image.end()));
    EXPECT_EQ(t.state.EditCopy.bytes[38], image[38]) << "the pages show the default ParameterBSection";
}

TEST(Reset, LarkWritesTheDefaultBlock) {
    TransferRig t(testing::mouseOptions("lark-rgb-a3050"), testing::larkDefaultImage());
    Bytes m = t.rig.mouse->memory();
    m[6] = 0x77;
    ASSERT_TRUE(t.rig.mouse->loadMemory(m).ok());
    ASSERT_TRUE(t.plugIn().read.ok());
    ASSERT_TRUE(t.model.Reset().ok());
    EXPECT_EQ(testing::commandsOf(t.rig.trace), (Lines{"06 00 00 00 9A", "11 00 00 00 00"}));
    EXPECT_EQ(t.memory(0, 154), testing::larkDefaultImage());
}

TEST(SaveMacro, WritesNamesAndBlocksWithoutReload) {
    TransferRig t("wren-rgb-3330");
    ASSERT_TRUE(t.plugIn().read.ok());
    std::fill(t.state.DataBuf.macroBlock(7).begin(), t.state.DataBuf.macroBlock(7).end(), 0x33);
    TransferStatus s = t.model.SaveMacro();
    ASSERT_TRUE(s.ok()) << s.error.message;
    EXPECT_EQ(testing::commandsOf(t.rig.trace), concat({kMacroErases, macroAreaWrites()}));
    EXPECT_EQ(t.memory(kFlashMacroBlocks + 7 * 1024, 1024), Bytes(1024, 0x33));
    EXPECT_FALSE(t.state.MacrosDirty);
    EXPECT_EQ(t.rig.mouse->reloadCount(kCmdReload), 0);
}

// The macros count as stored only when each of their erases and writes went through; a refused
// parameter write does not keep them marked.
TEST(MacrosDirty, ClearedOnlyWhenEveryMacroWriteWasAccepted) {
    enum class Op { Apply, SaveMacro, Reset };
    struct Case {
        const char* name;
        Op op;
        std::array<std::uint8_t, 3> refused;  // command, address high byte (0 = refuse nothing)
        bool dirtyAfter;
    };
    const Case cases[] = {
        {"Apply, all accepted", Op::Apply, {0, 0, 0}, false},
        {"Apply, a macro block quarter refused", Op::Apply, {0x40, 0x0C, 0x84}, true},
        {"Apply, a name table piece refused", Op::Apply, {0x40, 0x0C, 0x76}, true},
        {"Apply, a macro sector erase refused", Op::Apply, {0x40, 0x0B, 0x90}, true},
        {"Apply, the parameter block refused", Op::Apply, {0x40, 0x0C, 0x50}, false},
        {"Save Macro, all accepted", Op::SaveMacro, {0, 0, 0}, false},
        {"Save Macro, a macro block quarter refused", Op::SaveMacro, {0x40, 0x0C, 0xFF}, true},
        {"Reset, all accepted", Op::Reset, {0, 0, 0}, false},
        {"Reset, a macro block quarter refused", Op::Reset, {0x40, 0x0C, 0x84}, true},
    };
    for (const auto& c : cases) {
        TransferRig t("wren-rgb-3330");
        ASSERT_TRUE(t.plugIn().read.ok()) << c.name;
        t.rig.filter.refuse = [&c](const FeatureReport& r) {
            return c.refused[0] != 0 && r[0] == c.refused[0] && r[1] == c.refused[1] && r[2] == c.refused[2];
        };
        t.state.MacrosDirty = true;
        TransferStatus s = c.op == Op::SaveMacro ? t.model.SaveMacro()
                           : c.op == Op::Reset   ? t.model.Reset()
                                                 : t.model.Apply();
        EXPECT_EQ(s.ok(), c.refused[0] == 0) << c.name;
        EXPECT_EQ(t.state.MacrosDirty, c.dirtyAfter) << c.name;
    }
}

TEST(SaveMacro, LarkSendsNothing) {
    TransferRig t(testing::mouseOptions("lark-rgb-a3050"), testing::larkDefaultImage());
    ASSERT_TRUE(t.plugIn().read.ok());
    EXPECT_FALSE(t.model.SaveMacro().ok());
    EXPECT_TRUE(t.rig.trace.empty());
    EXPECT_FALSE(t.state.MacrosDirty);
}

}  // namespace
}  // namespace varnel
