#include "editors/pointer_settings.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <vector>

#include "editors/pointer_settings_page.h"
#include "shell/window_model_fixture.h"
#include "skin/control_names.h"
#include "skin/skin_tables.h"

namespace varnel {
namespace {

using PS = PointerSetting;

// A desktop that holds what the test puts into it and records what is written and applied.
class FakeStore final : public PointerSettingsStore {
public:
    std::map<PS, PointerReading> stored;
    std::vector<PS> notKept;
    std::map<PS, PointerReach> reaches;  // Desktop where absent
    std::vector<PS> refused;             // writes of these fail
    std::vector<std::pair<PS, int>> writes;
    std::vector<PointerNumbers> applied;

    bool keeps(PS s) const override { return std::find(notKept.begin(), notKept.end(), s) == notKept.end(); }
    PointerReach reach(PS s) const override {
        const auto it = reaches.find(s);
        return it == reaches.end() ? PointerReach::Desktop : it->second;
    }
    PointerReading read(PS s) override {
        const auto it = stored.find(s);
        return it == stored.end() ? PointerReading::missing() : it->second;
    }
    Status write(PS s, int value) override {
        if (std::find(refused.begin(), refused.end(), s) != refused.end()) return makeError("refused");
        writes.emplace_back(s, value);
        stored[s] = PointerReading::of(s, value);
        return Status::success();
    }
    Status apply(const PointerNumbers& current) override {
        applied.push_back(current);
        return Status::success();
    }
};

PointerReading noNumber() { return {true, std::nullopt}; }

// Read at start, optionally click, apply: the level shown, what is written and what the running
// desktop is given.
struct LevelRow {
    const char* what;
    PS setting;
    PointerReading stored;
    int click;  // 0: none
    int levelShown;
    std::vector<std::pair<PS, int>> writes;
    std::optional<int> applied;
    int nearest = 0;  // the dim mark after the read
};

TEST(PointerSettings, LevelsWritesAndTheRunningDesktop) {
    const std::vector<LevelRow> rows{
        {"speed 10 is level 6; level 3 writes 4",
         PS::Speed,
         PointerReading::of(PS::Speed, 10),
         3,
         6,
         {{PS::Speed, 4}},
         4},
        {"speed 7 is in no step: nothing written, 7 re-applied",
         PS::Speed,
         PointerReading::of(PS::Speed, 7),
         0,
         0,
         {},
         7,
         4},  // 6 and 8 are as near: the lower level
        {"double-click 270 is level 10; level 1 writes 900",
         PS::DoubleClick,
         PointerReading::of(PS::DoubleClick, 270),
         1,
         10,
         {{PS::DoubleClick, 900}},
         900},
        {"double-click 500 is in no step", PS::DoubleClick, PointerReading::of(PS::DoubleClick, 500), 0, 0, {}, 500, 7},
        {"double-click 400 marks 410", PS::DoubleClick, PointerReading::of(PS::DoubleClick, 400), 0, 0, {}, 400, 8},
        {"wheel 3 is level 3; level 10 writes 10",
         PS::WheelLines,
         PointerReading::of(PS::WheelLines, 3),
         10,
         3,
         {{PS::WheelLines, 10}},
         10},
        {"wheel 3 unchanged is written again",
         PS::WheelLines,
         PointerReading::of(PS::WheelLines, 3),
         0,
         3,
         {{PS::WheelLines, 3}},
         3},
        // Nothing read: nothing written and nothing given to the desktop (no speed 0, no 0 lines).
        {"missing value", PS::WheelLines, PointerReading::missing(), 0, 0, {}, std::nullopt},
        {"a stored value that is no number", PS::Speed, noNumber(), 0, 0, {}, std::nullopt},
        {"a click without a reading", PS::DoubleClick, PointerReading::missing(), 2, 0, {{PS::DoubleClick, 830}}, 830},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        FakeStore store;
        store.stored[row.setting] = row.stored;
        PointerSettings model(store);
        model.refresh();
        EXPECT_EQ(model.level(row.setting), row.levelShown);
        EXPECT_EQ(model.nearestLevel(row.setting), row.nearest);
        if (row.click != 0) {
            EXPECT_TRUE(model.choose(row.setting, row.click));
        }
        EXPECT_TRUE(model.applyToDesktop().ok());
        EXPECT_EQ(store.writes, row.writes);
        ASSERT_EQ(store.applied.size(), 1u);
        EXPECT_EQ(store.applied[0][indexOf(row.setting)], row.applied);
    }
}

TEST(PointerSettings, AValueInNoStepKeepsTheLevelAndNumberlessTextKeepsTheNumber) {
    FakeStore store;
    store.stored[PS::Speed] = PointerReading::of(PS::Speed, 10);
    PointerSettings model(store);
    model.refresh();
    store.stored[PS::Speed] = PointerReading::of(PS::Speed, 7);
    model.refresh();
    EXPECT_EQ(model.level(PS::Speed), 6);
    EXPECT_EQ(model.current()[indexOf(PS::Speed)], 7);
    store.stored[PS::Speed] = noNumber();
    model.refresh();
    EXPECT_EQ(model.level(PS::Speed), 6);
    EXPECT_EQ(model.current()[indexOf(PS::Speed)], 7);
}

TEST(PointerSettings, ClicksOutsideTheBarOrOnASettingNotKeptChangeNothing) {
    FakeStore store;
    store.notKept = {PS::WheelLines};
    store.stored[PS::Speed] = PointerReading::of(PS::Speed, 10);
    PointerSettings model(store);
    model.refresh();
    for (const int level : {0, 11, -1}) EXPECT_FALSE(model.choose(PS::Speed, level));
    EXPECT_FALSE(model.choose(PS::WheelLines, 5));
    EXPECT_EQ(model.level(PS::Speed), 6);
    EXPECT_EQ(model.level(PS::WheelLines), 0);
    EXPECT_TRUE(model.applyToDesktop().ok());
    EXPECT_EQ(store.writes, (std::vector<std::pair<PS, int>>{{PS::Speed, 10}}));
}

TEST(PointerSettings, AFailedWriteIsReportedKeepsItsNumberAndTheOthersStillGo) {
    FakeStore store;
    store.refused = {PS::Speed};
    store.stored[PS::Speed] = PointerReading::of(PS::Speed, 10);
    store.stored[PS::DoubleClick] = PointerReading::of(PS::DoubleClick, 550);
    PointerSettings model(store);
    model.refresh();
    model.choose(PS::Speed, 1);
    model.choose(PS::DoubleClick, 1);
    const Status s = model.applyToDesktop();
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().languageKey, "Str110");
    EXPECT_EQ(store.writes, (std::vector<std::pair<PS, int>>{{PS::DoubleClick, 900}}));
    ASSERT_EQ(store.applied.size(), 1u);
    EXPECT_EQ(store.applied[0][indexOf(PS::Speed)], 10);
    EXPECT_EQ(store.applied[0][indexOf(PS::DoubleClick)], 900);
}

// The bars on the window model: drawn from the desktop at start, redrawn on a click, reloaded
// after a device read.
class PointerPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        store_ = new FakeStore;
        store_->stored[PS::Speed] = PointerReading::of(PS::Speed, 10);
        testing::startWindowModel(state_, started_, std::unique_ptr<PointerSettingsStore>(store_));
        ASSERT_FALSE(HasFatalFailure());
        model_ = started_.model.get();
    }
    // Segments lit from the left; -1 when a lit one follows an unlit one.
    int lit(PS s) {
        const skin::TenStepBar& bar = PointerSettingsPage::barOf(s);
        int n = 0;
        for (int k = 1; k <= skin::kTenStepCount; ++k) {
            const bool on = model_->controls().picture(skin::barStep(bar, k)) == skin::kTenStepSegment.on;
            if (on && n != k - 1) return -1;
            if (on) n = k;
        }
        return n;
    }

    AppState state_;
    testing::StartedWindowModel started_;
    FakeStore* store_ = nullptr;  // owned by the model
    MainWindowModel* model_ = nullptr;
};

TEST_F(PointerPageTest, BarsFollowTheDesktopClicksAndADeviceRead) {
    EXPECT_EQ(lit(PS::Speed), 6);
    EXPECT_EQ(lit(PS::DoubleClick), 0);
    EXPECT_FALSE(model_->controls().find(skin::barNote(skin::kPointerBars[0]))->visible);
    model_->pointerSettings().barClicked(PS::Speed, 2);
    EXPECT_EQ(lit(PS::Speed), 2);
    model_->RefreshUI();  // a shown image leaves an unapplied click as it is
    EXPECT_EQ(lit(PS::Speed), 2);
    store_->stored[PS::DoubleClick] = PointerReading::of(PS::DoubleClick, 340);
    model_->showReadMouse();
    EXPECT_EQ(lit(PS::Speed), 6);
    EXPECT_EQ(lit(PS::DoubleClick), 9);
    EXPECT_TRUE(store_->writes.empty());
}

TEST_F(PointerPageTest, EachBarsNoteSaysWhatTheDesktopDoesWithIt) {
    using R = PointerReach;
    struct Row {
        std::vector<PS> notKept;
        std::map<PS, R> reaches;
        int doubleClick;                               // 400 is on no step: the dim mark's note
        std::array<std::vector<const char*>, 3> keys;  // speed, double-click, wheel; none: hidden
    };
    const std::vector<Row> rows{
        {{PS::WheelLines}, {}, 550, {{{}, {}, {"Str114"}}}},
        {{PS::Speed, PS::DoubleClick, PS::WheelLines}, {{PS::Speed, R::NextLogin}}, 550, {{{"Str111"}, {}, {}}}},
        {{}, {{PS::Speed, R::NextLogin}}, 550, {{{"Str462"}, {}, {}}}},
        {{}, {{PS::DoubleClick, R::ThisProgram}, {PS::WheelLines, R::ThisProgram}}, 400,
         {{{}, {"Str464", "Str555"}, {"Str465"}}}},
        {{PS::DoubleClick}, {{PS::Speed, R::NextLogin}}, 400, {{{"Str462"}, {"Str113"}, {}}}},
    };
    for (const Row& r : rows) {
        store_->notKept = r.notKept;
        store_->reaches = r.reaches;
        store_->stored[PS::DoubleClick] = PointerReading::of(PS::DoubleClick, r.doubleClick);
        PointerSettingsPage page(model_->controls(), *store_, model_->captions());
        page.RefreshMouseSystemParameter();
        for (const PS s : kPointerSettings) {
            std::string expected;
            for (const char* key : r.keys[indexOf(s)]) expected += (expected.empty() ? "" : " ") + model_->text(key);
            SCOPED_TRACE(expected);
            const Control& note = *model_->controls().find(skin::barNote(PointerSettingsPage::barOf(s)));
            EXPECT_EQ(note.caption, expected);
            EXPECT_EQ(note.visible, !expected.empty());
        }
    }
}

}  // namespace
}  // namespace varnel
