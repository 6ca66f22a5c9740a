#include "editors/lighting_page.h"

#include <gtest/gtest.h>

#include <vector>

#include "config/layout.h"
#include "shell/window_model_fixture.h"

namespace varnel {
namespace {

using namespace skin;

// The page on the main window model after start-up (no mouse yet), as a Wren mouse with RGB
// lighting would show the images the tests put into the EditCopy.
class LightingPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::startWindowModel(state_, started_);
        ASSERT_FALSE(HasFatalFailure());
        state_.DeviceChip = ChipModel::Wren;
        state_.LightingKind = LightingKind::Rgb;
        page_ = &started_.model->lighting();
    }
    ControlTable& controls() { return started_.model->controls(); }
    std::uint8_t& byte(std::size_t at) { return state_.EditCopy.bytes[at]; }
    void show() { started_.model->RefreshUI(); }
    void collect() { started_.model->UIToDataBuf(); }
    bool enabled(std::string_view name) { return controls().find(name)->enabled; }
    // Bytes 11, 14..20 and 41.
    std::vector<int> lightingBytes() {
        std::vector<int> out{byte(param_a::kLedFlags)};
        for (std::size_t at = param_a::kMode1Color; at <= param_a::kBreathFallTime; ++at) out.push_back(byte(at));
        out.push_back(byte(param_b::kLedMode));
        return out;
    }
    // Segments lit from the left; -1 when a lit one follows an unlit one.
    int lit(BreathPhase phase) {
        const TenStepBar& bar = kBreathBars[static_cast<std::size_t>(phase)];
        int n = 0;
        for (int k = 1; k <= kTenStepCount; ++k) {
            const bool on = controls().picture(barStep(bar, k)) == kTenStepSegment.on;
            if (on && n != k - 1) return -1;
            if (on) n = k;
        }
        return n;
    }
    std::string chosenMode() {
        std::string out;
        for (const auto& o : kLedModes) {
            if (controls().checked(o.radio) && controls().picture(o.picture) == kOptionMark.on) out += o.radio;
        }
        return out;
    }
    int chosenSource() {
        for (std::size_t i = 0; i < kColourSources.size(); ++i) {
            if (controls().checked(kColourSources[i].radio)) return static_cast<int>(i) + 1;
        }
        return 0;
    }
    std::vector<std::string> edits(std::string_view prefix) {
        std::vector<std::string> out;
        for (const char* c : {"R", "G", "B"}) out.emplace_back(controls().caption(std::string(prefix) + c));
        return out;
    }
    bool barsEnabled(bool expected) {
        for (const auto& bar : kBreathBars) {
            for (int k = 1; k <= kTenStepCount; ++k) {
                if (enabled(barStep(bar, k)) != expected) return false;
            }
        }
        return true;
    }

    AppState state_;
    testing::StartedWindowModel started_;
    LightingPage* page_ = nullptr;
};

TEST_F(LightingPageTest, DefaultImageRoundTrip) {
    const std::vector<int> before = lightingBytes();
    EXPECT_EQ(before, (std::vector<int>{0x20, 100, 100, 100, 0, 7, 0, 4, 4}));
    show();
    EXPECT_EQ(chosenMode(), "rb_CPIColor");
    EXPECT_EQ(lit(BreathPhase::Off), 1);
    EXPECT_EQ(lit(BreathPhase::Rise), 3);
    EXPECT_EQ(lit(BreathPhase::On), 1);
    EXPECT_EQ(lit(BreathPhase::Fall), 2);
    EXPECT_EQ(chosenSource(), 1);
    EXPECT_EQ(edits("Edt_Mode1"), (std::vector<std::string>{"100", "100", "100"}));
    EXPECT_EQ(controls().find("cs_Mode1")->backColor, (Rgb{255, 255, 255}));
    EXPECT_FALSE(enabled("lbl_csmode1"));
    EXPECT_FALSE(enabled("lbl_LEDColMode1"));
    EXPECT_FALSE(controls().visible(ctrl::lbl_LightingNote));
    collect();
    EXPECT_EQ(lightingBytes(), before);
}

// Each level's band starts at its own code; storing writes the band's code.
TEST_F(LightingPageTest, TimeCodesLoadByBandsAndStoreTheirLevelsCode) {
    struct Row {
        BreathPhase phase;
        int code, level, stored;
    };
    const Row rows[] = {
        {BreathPhase::On, 225, 10, 225},  {BreathPhase::Fall, 23, 10, 23}, {BreathPhase::Rise, 5, 2, 4},
        {BreathPhase::Off, 24, 1, 0},     {BreathPhase::Off, 25, 2, 25},   {BreathPhase::On, 30, 2, 25},
        {BreathPhase::Off, 255, 10, 225}, {BreathPhase::Rise, 3, 1, 0},    {BreathPhase::Rise, 8, 3, 7},
        {BreathPhase::Fall, 11, 4, 9},    {BreathPhase::Fall, 22, 9, 21},  {BreathPhase::Rise, 255, 10, 23},
    };
    for (const Row& r : rows) {
        const std::size_t at = param_a::kBreathOffTime + static_cast<std::size_t>(r.phase);
        byte(at) = static_cast<std::uint8_t>(r.code);
        show();
        EXPECT_EQ(lit(r.phase), r.level) << r.code;
        collect();
        EXPECT_EQ(byte(at), r.stored) << r.code;
    }
    page_->BreathTime_OnClick(BreathPhase::Rise, 6);
    EXPECT_EQ(lit(BreathPhase::Rise), 6);
    collect();
    EXPECT_EQ(byte(param_a::kBreathRiseTime), 14);
}

TEST_F(LightingPageTest, ModesOpenAndCloseTheirControls) {
    show();
    page_->RGBMode_OnClick(LightingMode::Close);
    EXPECT_EQ(chosenMode(), "rb_Close");
    EXPECT_TRUE(barsEnabled(false));
    page_->BreathTime_OnClick(BreathPhase::Off, 7);
    EXPECT_EQ(lit(BreathPhase::Off), 1) << "a greyed bar takes no click";
    page_->LEDColModeChange(2);
    EXPECT_EQ(chosenSource(), 1) << "the colour source is chosen in Locked mode only";

    page_->RGBMode_OnClick(LightingMode::Locked);
    EXPECT_TRUE(barsEnabled(true));
    for (const char* label : {"lbl_LEDColMode1", "lbl_LEDColMode2", "lbl_csmode1"})
        EXPECT_TRUE(enabled(label)) << label;
    EXPECT_FALSE(enabled("lbl_csmode2"));
    page_->LEDColModeChange(2);
    EXPECT_EQ(chosenSource(), 2);
    EXPECT_EQ(controls().picture("Img_LEDColMode2"), "RdS_E");
    EXPECT_EQ(controls().picture("Img_LEDColMode1"), "RdS_D");
    EXPECT_FALSE(enabled("lbl_csmode1"));
    page_->LEDColModeChange(1);
    EXPECT_TRUE(enabled("lbl_csmode1"));
    page_->RGBMode_OnClick(LightingMode::Colorful);
    for (const char* label : {"lbl_LEDColMode1", "lbl_csmode1"}) EXPECT_FALSE(enabled(label)) << label;
    collect();
    EXPECT_EQ(byte(param_b::kLedMode), 2);
}

// A loaded colour source 2 keeps the colour area closed even in Locked mode, until Locked is
// chosen again.
TEST_F(LightingPageTest, LockedWithMouseColourOpensTheColourAreaOnlyByClick) {
    byte(param_b::kLedMode) = 3;
    byte(param_a::kLedFlags) = 0x20 | 0x40;
    show();
    EXPECT_EQ(chosenMode(), "rb_Locked");
    EXPECT_EQ(chosenSource(), 2);
    EXPECT_TRUE(enabled("lbl_LEDColMode1"));
    EXPECT_FALSE(enabled("lbl_csmode1"));
    page_->setMode1Colour(Rgb{0, 0, 0});
    EXPECT_EQ(edits("Edt_Mode1"), (std::vector<std::string>{"100", "100", "100"})) << "a closed area picks nothing";
    page_->RGBMode_OnClick(LightingMode::Locked);
    EXPECT_TRUE(enabled("lbl_csmode1"));
    EXPECT_EQ(chosenSource(), 2);
}

TEST_F(LightingPageTest, OnlyBitSixOfLedFlagsIsStored) {
    struct Row {
        int flags;
        int source;
        int stored;
    };
    for (const Row r : {Row{0x00, 2, 0x40}, Row{0xFF, 1, 0xBF}, Row{0xBF, 2, 0xFF}, Row{0x20, 1, 0x20}}) {
        byte(param_a::kLedFlags) = static_cast<std::uint8_t>(r.flags);
        byte(param_b::kLedMode) = 3;
        show();
        page_->LEDColModeChange(r.source);
        collect();
        EXPECT_EQ(byte(param_a::kLedFlags), r.stored) << r.flags;
    }
}

// A damaged image's percentages above 100 show as 100 and stay in the image until a colour is
// picked; the lock colour comes from the mouse's mirror and is never stored.
TEST_F(LightingPageTest, ColoursShowClampedAndKeepTheirBytesUntilPicked) {
    const std::size_t c = param_a::kMode1Color;
    byte(c) = 150;
    byte(c + 1) = 50;
    byte(c + 2) = 255;
    byte(param_b::kLedMode) = 3;
    state_.WrenExtraBytes = {0, 1, 0, 4, 0x5F, 255, 0, 40, 0};
    show();
    EXPECT_EQ(edits("Edt_Mode1"), (std::vector<std::string>{"100", "50", "100"}));
    EXPECT_EQ(controls().find("cs_Mode1")->backColor, (Rgb{255, 127, 255}));
    EXPECT_EQ(edits("Edt_Mode2"), (std::vector<std::string>{"100", "0", "40"}));
    EXPECT_EQ(controls().find("cs_Mode2")->backColor, (Rgb{255, 0, 102}));
    const std::vector<int> lock{byte(43), byte(44), byte(45)};
    collect();
    EXPECT_EQ((std::vector<int>{byte(c), byte(c + 1), byte(c + 2)}), (std::vector<int>{150, 50, 255}));
    EXPECT_EQ((std::vector<int>{byte(43), byte(44), byte(45)}), lock);

    EXPECT_EQ(page_->mode1Colour(), (Rgb{255, 127, 255}));
    page_->setMode1Colour(Rgb{0, 128, 255});
    EXPECT_EQ(edits("Edt_Mode1"), (std::vector<std::string>{"0", "50", "100"}));
    collect();
    EXPECT_EQ((std::vector<int>{byte(c), byte(c + 1), byte(c + 2)}), (std::vector<int>{0, 50, 100}));
}

// The page follows the lighting, whatever the variant; the lock colour's swatch follows the layout
// shown, as a Lark keeps no lock colour.
TEST_F(LightingPageTest, OnlyALayoutWithALockColourShowsItsSwatch) {
    const DefaultImages images = embeddedDefaultImages().value();
    for (const ChipModel chip : {ChipModel::Lark, ChipModel::Wren}) {
        ASSERT_TRUE(state_.useDefaultImage(images.forMouse(chip)).ok());
        state_.DeviceChip = chip;
        show();
        EXPECT_FALSE(controls().visible(ctrl::lbl_LightingNote)) << chipName(chip);
        for (const char* name : {"Img_Mode2Color", "cs_Mode2", "lbl_csmode2"})
            EXPECT_EQ(controls().visible(name), chip == ChipModel::Wren) << name << ", " << chipName(chip);
    }
}

// Nothing is stored before the page has shown an RGB mouse's image, nor for a mouse whose
// lighting is not RGB; the page still reacts to clicks, and says that they do not apply.
TEST_F(LightingPageTest, AMouseWithoutRgbLightingKeepsItsBytes) {
    byte(param_b::kLedMode) = 255;
    byte(param_a::kBreathOffTime) = 30;
    const std::vector<int> before = lightingBytes();
    collect();
    EXPECT_EQ(lightingBytes(), before) << "no RGB image shown yet";

    state_.LightingKind = LightingKind::Color;
    show();
    EXPECT_TRUE(controls().visible(ctrl::lbl_LightingNote));
    EXPECT_EQ(controls().caption(ctrl::lbl_LightingNote), started_.model->text("Str030"));
    EXPECT_EQ(chosenMode(), "rb_Colorful") << "nothing loaded";
    page_->RGBMode_OnClick(LightingMode::Locked);
    page_->LEDColModeChange(2);
    page_->BreathTime_OnClick(BreathPhase::Off, 9);
    EXPECT_EQ(chosenMode(), "rb_Locked");
    EXPECT_EQ(lit(BreathPhase::Off), 9);
    collect();
    EXPECT_EQ(lightingBytes(), before);

    state_.LightingKind = LightingKind::Rgb;
    show();
    EXPECT_FALSE(controls().visible(ctrl::lbl_LightingNote));
    EXPECT_EQ(chosenMode(), "rb_Close");
}

}  // namespace
}  // namespace varnel
