#include "editors/advanced_page.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "config/layout.h"
#include "shell/window_model_fixture.h"
#include "skin/control_names.h"

namespace varnel {
namespace {

using namespace skin;

// The page on the main window model after start-up, showing the default image as a Wren RGB
// mouse with a 3330 sensor would.
class AdvancedPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::startWindowModel(state_, started_);
        ASSERT_FALSE(HasFatalFailure());
        state_.DeviceChip = ChipModel::Wren;
        state_.LightingKind = LightingKind::Rgb;
        state_.SensorModel = "3330";
        state_.StepCount = 20;
        setDpi({5, 11, 17, 23}, 4);
        page_ = &started_.model->advanced();
    }
    ControlTable& controls() { return started_.model->controls(); }
    void setDpi(std::array<std::uint8_t, 4> codes, std::uint8_t count) {
        std::copy(codes.begin(), codes.end(), state_.EditCopy.bytes.begin() + param_a::kDpiCode);
        state_.EditCopy.bytes[param_a::kDpiStageCount] = count;
        started_.model->RefreshUI();
    }
    bool enabled(const std::string& name) { return controls().find(name)->enabled; }
    Rgb labelColour(int stage) { return controls().find(dpiCaption(stage))->fontColor.value_or(Rgb{1, 2, 3}); }

    AppState state_;
    testing::StartedWindowModel started_;
    AdvancedPage* page_ = nullptr;
};

// Loading also enables exactly the switched-on stages' segments and check boxes, so a stage an
// image switches off can never be made current.
TEST_F(AdvancedPageTest, StagesShowTheirStateOnTheControls) {
    const Rgb selected{255, 0, 0};
    const Rgb notSelected{255, 255, 255};
    page_->DPILevel_OnClick(4);
    EXPECT_EQ(labelColour(4), notSelected);
    EXPECT_FALSE(enabled(dpiStep(4, 1)));
    EXPECT_FALSE(enabled(dpiCheck(4)));
    setDpi({5, 11, 255, 255}, 2);
    for (int d = 1; d <= 4; ++d) {
        const bool on = d <= 2;
        EXPECT_EQ(labelColour(d), on ? selected : notSelected) << d;
        EXPECT_EQ(enabled(dpiStep(d, 20)), on) << d;
        EXPECT_EQ(enabled(dpiCheck(d)), on) << d;
    }
    page_->DPIVlaue_OnClick(2, 13);
    EXPECT_EQ(controls().caption(dpiValue(2)), "4200");
    EXPECT_EQ(controls().picture(dpiStep(2, 13)), "Bar2_E");
    EXPECT_EQ(controls().picture(dpiStep(2, 14)), "Bar2_D");
    page_->CurrentDPI_OnClick(2);
    EXPECT_TRUE(controls().checked("rb_DPI2"));
    EXPECT_EQ(controls().picture(dpiCheck(2)), "CbS_E");
    EXPECT_EQ(controls().picture(dpiCheck(1)), "CbS_D");
    page_->DPILevel_OnClick(2);  // the current stage switched off hands over to stage 1
    EXPECT_TRUE(controls().checked("rb_DPI1"));
    EXPECT_EQ(controls().picture(dpiCheck(1)), "CbS_E");
}

// Fire Key slots keep their bytes as read until a box is typed into after the display; then all
// take the boxes' timing, corrected as when left. Apply and a profile save alike.
TEST_F(AdvancedPageTest, FireKeySlotsKeepTheirBytesUntilABoxIsEdited) {
    const ActionCode a{6, 2, 0, 2}, b{6, 0x28, 0x10, 0}, c{6, 0x40, 0, 0x78}, d{6, 4, 0x0F, 0xA2}, e{6, 30, 15, 160};
    for (const auto& [main4, fixed8, typed, stored4, stored8] :
         {std::tuple{a, b, false, a, b}, {c, d, false, c, d}, {a, d, true, e, e}}) {
        for (const auto path : {WriteBackPath::Apply, WriteBackPath::ProfileSave}) {
            state_.EditCopy.setSlot(ButtonMapId::Main, 4, main4);
            state_.EditCopy.setSlot(ButtonMapId::Fixed, 8, fixed8);
            started_.model->RefreshUI();
            if (typed) page_->editFireKeyBoxes({"20", "2048"});
            started_.model->UIToDataBuf();
            ASSERT_TRUE(state_.writeBack(path).ok());
            EXPECT_EQ(state_.EditCopy.slot(ButtonMapId::Main, 4), stored4) << typed;
            EXPECT_EQ(state_.EditCopy.slot(ButtonMapId::Fixed, 8), stored8) << typed;
        }
    }
}

TEST_F(AdvancedPageTest, StageColoursOnlyOnRgbMice) {
    state_.EditCopy.bytes[param_a::kStageColor + 3] = 150;  // stage 2 red, damaged
    started_.model->RefreshUI();
    EXPECT_TRUE(controls().visible("lbl_cscpi2"));
    EXPECT_EQ(controls().caption("Edt_CPI2R"), "100");
    EXPECT_EQ(controls().find("cs_CPI2")->backColor, (Rgb{255, 255, 0}));
    page_->setStageColour(2, Rgb{0, 128, 255});
    EXPECT_EQ(controls().caption("Edt_CPI2G"), "50");
    EXPECT_EQ(page_->stageColour(2), (Rgb{0, 127, 255}));

    state_.LightingKind = LightingKind::Color;
    started_.model->RefreshUI();
    for (const char* name : {"cs_CPI1", "Img_DPI1Color", "lbl_cscpi1"}) EXPECT_FALSE(controls().visible(name)) << name;
}

// The chosen rate is stored as its code (the write decides the reload command); a code the page
// cannot show leaves the choice as it was.
TEST_F(AdvancedPageTest, ReportRateChoice) {
    auto& rate = state_.EditCopy.bytes[param_b::kReportRateCode];
    page_->ReportRate_OnClick(2);
    EXPECT_EQ(controls().picture("Img_Rep2"), "RdS_E");
    EXPECT_EQ(controls().picture("Img_Rep1"), "RdS_D");
    started_.model->UIToDataBuf();
    EXPECT_EQ(rate, 2);

    rate = 1;
    started_.model->RefreshUI();
    EXPECT_TRUE(controls().checked("rb_Rep1"));
    rate = 7;
    started_.model->RefreshUI();
    EXPECT_TRUE(controls().checked("rb_Rep1"));
    EXPECT_FALSE(controls().checked("rb_Rep2"));
    started_.model->UIToDataBuf();
    EXPECT_EQ(rate, 1);
}

// The page says why a stage shows no value (codes of another sensor) and why a click on a stage
// label changed nothing, until the next click on the stages.
TEST_F(AdvancedPageTest, TheDpiNoteExplainsEmptyStagesAndRefusedSwitches) {
    const auto note = [&] { return controls().visible(ctrl::lbl_DpiNote) ? controls().caption(ctrl::lbl_DpiNote) : ""; };
    const struct Row {
        std::function<void()> act;
        const char* key;  // "": hidden
    } rows[] = {
        {[&] { setDpi({5, 11, 17, 23}, 4); }, ""},
        {[&] { page_->DPILevel_OnClick(2); }, "Str554"},  // not the top of the run
        {[&] { page_->CurrentDPI_OnClick(3); }, ""},
        {[&] { setDpi({5, 11, 4, 255}, 2); }, ""},  // 4 is no 3330 step, but stage 3 is off
        {[&] { setDpi({5, 4, 17, 23}, 4); }, "Str553"},
        {[&] { page_->DPILevel_OnClick(1); }, "Str554"},
        {[&] { page_->DPIVlaue_OnClick(2, 3); }, ""},
    };
    for (const Row& r : rows) {
        r.act();
        EXPECT_EQ(note(), *r.key ? started_.model->text(r.key) : "") << (&r - rows);
    }
}

}  // namespace
}  // namespace varnel
