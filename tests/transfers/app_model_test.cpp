#include "transfers/app_model.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "common/file_io.h"
#include "transfers/transfer_rig.h"

namespace varnel {
namespace {

using testing::TransferRig;

TEST(AppModel, PollingFindsReadsAndLosesTheMouse) {
    TransferRig t("wren-rgb-3330");
    PollStep first = t.model.DevTimerTimer();
    ASSERT_EQ(first.kind, PollStepKind::Wait);
    SearchOutcome o = t.model.runSearch(first);
    EXPECT_TRUE(o.found);
    EXPECT_TRUE(o.read.ok());
    EXPECT_FALSE(o.removed);
    EXPECT_EQ(t.state.DeviceChip, ChipModel::Wren);
    EXPECT_FALSE(t.state.MacroNameList[0].empty());

    EXPECT_FALSE(t.model.runSearch(t.model.DevTimerTimer()).searched) << "no change, no search";

    t.rig.mouse->unplug();
    o = t.model.runSearch(t.model.DevTimerTimer());
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
    Status refused = t.model.LoadProfile(file);
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(t.state.DataBuf, before);
    EXPECT_FALSE(t.state.MacrosDirty) << "loading never marks the macros";
    std::filesystem::remove(file);
    EXPECT_TRUE(t.rig.trace.empty()) << "profiles send nothing";
}

}  // namespace
}  // namespace varnel
