#include "transfers/app_model.h"
#include "wren_flash_map.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "common/file_io.h"
#include "macros/macro_format.h"
#include "scratch_files.h"
#include "transfers/transfer_rig.h"

namespace varnel {
namespace {

using testing::TransferRig;

TEST(AppModel, PollingFindsReadsAndLosesTheMouse) {
    TransferRig t("wren-rgb-3330");
    PollStep first = t.model.pollTick();
    ASSERT_EQ(first.kind, PollStepKind::Wait);
    SearchOutcome o = t.model.runSearch(first);
    EXPECT_TRUE(o.found);
    EXPECT_TRUE(o.read.ok());
    EXPECT_FALSE(o.removed);
    EXPECT_EQ(t.state.DeviceChip, ChipModel::Wren);
    EXPECT_FALSE(t.state.MacroNameList[0].empty());

    EXPECT_FALSE(t.model.runSearch(t.model.pollTick()).searched) << "no change, no search";

    t.rig.mouse->unplug();
    o = t.model.runSearch(t.model.pollTick());
    EXPECT_TRUE(o.removed);
    EXPECT_FALSE(o.found);
    EXPECT_TRUE(t.state.NoDeviceMode);
    EXPECT_FALSE(t.state.DeviceChip);
    EXPECT_FALSE(t.state.LightingKind);
    EXPECT_TRUE(t.state.SensorModel.empty());
    EXPECT_TRUE(t.state.MacroNameList[0].empty()) << "the macro lists are emptied";
    EXPECT_EQ(t.rig.clock->now(), Millis(4000)) << "one 2000 ms settle wait per search";
}

TEST(AppModel, ProfilesNeedTheMouseAndCheckTheirType) {
    TransferRig t("wren-rgb-3330");
    const auto dir = std::filesystem::temp_directory_path();
    const auto file = dir / ("varnel-profile-" + std::to_string(::getpid()) + ".bin");
    EXPECT_EQ(t.model.SaveProfile(file).error().languageKey, "Str022") << "no mouse, no dialog";
    ASSERT_TRUE(t.plugIn().read.ok());

    auto saved = t.model.SaveProfile(file);
    ASSERT_TRUE(saved.ok()) << saved.error().message;
    EXPECT_EQ(*saved, file);
    const DataBuf before = t.state.DataBuf;
    EXPECT_TRUE(t.model.LoadProfile(file).ok());
    EXPECT_EQ(t.state.DataBuf, before) << "saving and loading back changes nothing";

    ASSERT_TRUE(writeFileAtomic(file, testing::larkDefaultImage()).ok());
    const auto refused = t.model.LoadProfile(file);
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(t.state.DataBuf, before);
    EXPECT_FALSE(t.state.MacrosDirty) << "a refused profile marks nothing";
    EXPECT_FALSE(t.model.ImportMacros(dir / "missing.bin").ok());
    EXPECT_FALSE(t.state.MacrosDirty) << "nor a failed import";
    std::filesystem::remove(file);
    EXPECT_TRUE(t.rig.trace.empty()) << "profiles send nothing";
}

// A loaded profile's macros are written by Apply when they differ from the mouse's (loading one
// that does not is the window's profile test): a macro cleared and saved since comes back.
TEST(AppModel, ALoadedProfileBringsBackAMacroTheMouseLost) {
    TransferRig t("wren-rgb-3330");
    ASSERT_TRUE(t.plugIn().read.ok());
    std::ranges::copy(Bytes{0xA1, 0x21, 0x00}, t.state.DataBuf.macroBlock(3).begin());
    setUsedLength(t.state.DataBuf.nameRecord(3), 3);
    ASSERT_TRUE(t.model.SaveMacro().ok());
    const auto file = testing::freshFolder("macros") / "profile.bin";
    ASSERT_TRUE(t.model.SaveProfile(file).ok());
    const Bytes held = t.memory(kFlashMacroBlocks, kMacroAreaSize);
    setUsedLength(t.state.DataBuf.nameRecord(3), 0);
    std::ranges::fill(t.state.DataBuf.macroBlock(3), 0xFF);
    ASSERT_TRUE(t.model.SaveMacro().ok());
    ASSERT_TRUE(t.model.LoadProfile(file).ok());
    ASSERT_TRUE(t.model.Apply().ok());
    EXPECT_EQ(t.memory(kFlashMacroBlocks, kMacroAreaSize), held);
    EXPECT_EQ(usedLength(t.memory(kFlashMacroNames + 3 * 32, 32)), 3);
}

}  // namespace
}  // namespace varnel

namespace varnel {
namespace {

using testing::TransferRig;

// A mouse that identification refused may be of the other variant: nothing may be written to it
// and no profile taken from or put onto it.
TEST(AppModel, OnlyAnAcceptedMouseIsWrittenOrProfiled) {
    struct Case {
        const char* name;
        std::function<void(TransferRig&)> arrange;
    };
    const Case cases[] = {
        {"foreign signature",
         [](TransferRig& t) {
             Bytes m = t.rig.mouse->memory();
             m[kFlashSignature] = 0x12;
             m[kFlashSignature + 1] = 0x34;
             ASSERT_TRUE(t.rig.mouse->loadMemory(m).ok());
             EXPECT_EQ(t.plugIn().read.error.languageKey, "Str103");
         }},
        {"never identified",
         [](TransferRig& t) {
             ASSERT_TRUE(t.rig.open());
             t.model.link().setChannels(t.rig.link.channels());
         }},
    };
    const auto profile =
        std::filesystem::temp_directory_path() / ("varnel-refused-" + std::to_string(::getpid()) + ".bin");
    ASSERT_TRUE(writeFileAtomic(profile, testing::embeddedBytes("VarnelData")).ok());
    for (const auto& c : cases) {
        TransferRig t("wren-rgb-3330");
        c.arrange(t);
        ASSERT_TRUE(t.model.link().hasBothChannels()) << c.name;
        EXPECT_FALSE(t.model.mouseReady()) << c.name;
        // Macros that differ from the mouse's, so a macro write would show in its memory.
        std::fill(t.state.DataBuf.macroBlock(0).begin(), t.state.DataBuf.macroBlock(0).end(), 0x33);
        const Bytes memory = t.rig.mouse->memory();
        const DataBuf before = t.state.DataBuf;
        t.rig.trace.clear();
        EXPECT_EQ(t.model.Apply().error.languageKey, "Str022") << c.name;
        EXPECT_EQ(t.model.Reset().error.languageKey, "Str022") << c.name;
        EXPECT_EQ(t.model.Program().status.error.languageKey, "Str022") << c.name;
        EXPECT_EQ(t.model.SaveMacro().error.languageKey, "Str022") << c.name;
        EXPECT_EQ(t.model.SaveProfile(profile).error().languageKey, "Str022") << c.name;
        EXPECT_EQ(t.model.LoadProfile(profile).error().languageKey, "Str022") << c.name;
        EXPECT_TRUE(t.rig.trace.empty()) << c.name;
        EXPECT_EQ(t.rig.mouse->memory(), memory) << c.name;
        EXPECT_EQ(t.state.DataBuf, before) << c.name;
    }
    std::filesystem::remove(profile);
}

}  // namespace
}  // namespace varnel
