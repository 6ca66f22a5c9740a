#include "skin/layout.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "fake_pictures.h"
#include "skin/control_catalog.h"
#include "skin/skin_tables.h"

namespace varnel {
namespace {

using namespace skin;

std::string supplied() {
    std::ifstream in(std::string(VARNEL_TEST_DATA_DIR) + "/skin/org_supplied.ini", std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Replaces the whole line of `key` (or removes it when `line` is empty).
std::string withLine(std::string text, const std::string& key, const std::string& line) {
    const auto at = text.find("\n" + key + "=");
    EXPECT_NE(at, std::string::npos) << key;
    const auto end = text.find('\n', at + 1);
    text.replace(at + 1, end - at - 1 + (line.empty() ? 1 : 0), line);
    return text;
}

// The window's controls with the start-up pictures on them, then the layout applied.
struct Placed {
    ControlTable controls{testing::fakePictureSize};
    LayoutResult result;

    explicit Placed(const std::string& text) {
        buildMainWindowControls(controls);
        for (int p = 1; p <= kPageGroupCount; ++p) {
            for (const auto& b : kActionButtons) controls.setPicture(barPicture(b.base, p), "BtnS_01");
            for (const auto& b : kPageButtons) controls.setPicture(barPicture(b.base, p), "SetS_01");
            controls.setPicture(barPicture("Web", p), "WebS_01");
        }
        for (int k = 1; k <= kKeyLabelCount; ++k) controls.setPicture(keyPicture(k), "KeyS_01");
        for (const auto& b : kMacroButtons) controls.setPicture(b.picture, "MacroS_01");
        for (const auto& b : kInsertButtons) controls.setPicture(b.picture, "MacroBtnS_01");
        for (const auto& b : kUpdateButtons) controls.setPicture(b.picture, "KeyS_01");
        for (const auto& bar : kPointerBars) controls.setPicture(std::string(bar.picture) + "1", "Bar1_E");
        for (const auto& bar : kBreathBars) controls.setPicture(std::string(bar.picture) + "1", "Bar1_E");
        for (int d = 1; d <= kDpiLevelCount; ++d) controls.setPicture(dpiStep(d, 1), "Bar2_E");
        for (const auto& s : kDpiSwatches) controls.setPicture(s.frame, "Col_F");
        const auto doc = IniDocument::parse(text);
        const IniSection* org = doc.section(kLayoutSection);
        EXPECT_NE(org, nullptr);
        if (org != nullptr) result = loadLayout(*org, controls);
    }

    std::array<int, 4> box(std::string_view name) const {
        const Control* c = controls.find(name);
        EXPECT_NE(c, nullptr) << name;
        return c ? std::array<int, 4>{c->x, c->y, c->width, c->height} : std::array<int, 4>{};
    }
    std::array<int, 2> at(std::string_view name) const {
        const auto b = box(name);
        return {b[0], b[1]};
    }
};

TEST(Layout, SuppliedFileHidesBreathingProfilesAndLanguage3OnEveryPage) {
    const Placed p(supplied());
    EXPECT_TRUE(p.result.problems.empty()) << p.result.problems.front();
    for (int page = 1; page <= kPageGroupCount; ++page) {
        for (const auto& b : kPageButtons) {
            const bool hidden = b.base == "Breath" || b.base == "Save" || b.base == "Load" || b.base == "Lang3";
            EXPECT_EQ(p.controls.visible(barLabel(b.base, page)), !hidden) << b.base << page;
            EXPECT_EQ(p.controls.visible(barPicture(b.base, page)), !hidden) << b.base << page;
        }
        for (const auto& b : kActionButtons) EXPECT_TRUE(p.controls.visible(barLabel(b.base, page)));
        EXPECT_FALSE(p.controls.visible(barLabel(kMinimiseButton.base, page))) << "a file without it hides it";
    }
}

TEST(Layout, PlacesButtonsAndTheirLabels) {
    const Placed p(supplied());
    struct Row {
        const char* name;
        std::array<int, 4> box;
    };
    const Row rows[] = {
        // Page button: picture 110 wide at 50, label inset by 12 on both sides: 62..148.
        {"Img_Main_3", {50, 475, 110, 26}},
        {"Btn_Main_3", {62, 475, 86, 26}},
        {"Btn_Lang2_5", {562, 507, 86, 26}},
        // Action and web buttons: label over the whole picture.
        {"Img_Exit_2", {740, 49, 46, 22}},
        {"Btn_Exit_2", {740, 49, 46, 22}},
        {"Btn_Web_4", {50, 507, 110, 26}},
        {"Key4", {580, 117, 164, 30}},
        {"Img_Key5", {380, 407, 164, 30}},
        {"Btn_Start", {598, 178, 100, 22}},
        {"Btn_Cancel", {156, 126, 44, 22}},
        {"Btn_Program", {410, 310, 164, 30}},
        {"Disable", {86, 104, 587, 378}},
        // Swatch: shape and label take the frame's size.
        {"cs_CPI3", {646, 402, 44, 22}},
        {"lbl_cscpi3", {646, 402, 44, 22}},
    };
    for (const auto& r : rows) EXPECT_EQ(p.box(r.name), r.box) << r.name;
}

TEST(Layout, PlacesSeriesOptionsAndPanelContents) {
    const Placed p(supplied());
    struct Row {
        const char* name;
        std::array<int, 2> at;
    };
    const Row rows[] = {
        // Ten-step bars spaced by the first segment's width (28); labels 4 left, 8 down.
        {"Img_Spd1", {144, 285}},
        {"Img_Spd3", {200, 285}},
        {"lbl_Spd3", {196, 293}},
        {"Img_ScrSpd10", {396, 440}},
        {"Img_Fall10", {550, 234}},
        {"lbl_Off1", {294, 164}},
        // DPI steps stack upward by the first step's height (6); 17 sits at 322 - 96.
        {"Img_DPI1_1", {560, 322}},
        {"Img_DPI1_17", {560, 226}},
        {"Img_DPI1_20", {560, 208}},
        {"Img_DPI4_2", {710, 316}},
        {"Img_DPI2", {610, 378}},
        {"lbl_DPI3", {650, 358}},
        {"lbl_DPI4Value", {700, 338}},
        // Option labels at X - 4 and Y - 2 (report rate, modes) or Y - 4 (colour sources).
        {"Img_Rep2", {248, 210}},
        {"lbl_Rep2", {244, 208}},
        {"lbl_Close", {546, 280}},
        {"lbl_LEDColMode2", {320, 321}},
        {"cs_Mode1", {176, 338}},
        // Delay triplets: lamp at X, Y + j * H; label 2 to the left.
        {"LED_NoDelay", {20, 82}},
        {"IB_DelayTime", {18, 59}},
        {"IB_InsertNoDelay", {18, 80}},
        {"Edt_InsertDelay", {136, 55}},
        {"lbl_Delay", {62, 57}},
        {"lbl_s_A", {180, 57}},
        {"Gb_Insert", {128, 314}},
        {"Img_InsertBase", {128, 314}},
        {"CB_Insert", {68, 4}},
        {"Img_P1", {174, 131}},
        {"Img_P5", {160, 184}},
        {"lbl_LoadBIN", {160, 220}},
        {"Edt_DelayTime1", {200, 144}},
        {"LB_macro", {353, 183}},
    };
    for (const auto& r : rows) EXPECT_EQ(p.at(r.name), r.at) << r.name;
    const LayoutSettings& s = p.result.settings;
    EXPECT_EQ(s.web, "https://example.org/varnel");
    EXPECT_EQ(s.btnSpaceF, 12);
    EXPECT_EQ(s.dpiOrientation, 0);
    EXPECT_EQ(s.macroNameHeight, 20);
}

TEST(Layout, DpiOrientationRule) {
    struct Row {
        const char* value;
        std::array<int, 2> step1, step20;
    };
    const Row rows[] = {
        {"0", {560, 322}, {560, 208}},
        {"1", {560, 322}, {560 + 19 * 16, 322}},
        {"2", {0, 0}, {0, 0}},  // any other value leaves the steps where they were designed
    };
    for (const auto& r : rows) {
        const Placed p(withLine(supplied(), "DPI_Orientation", std::string("DPI_Orientation=") + r.value));
        EXPECT_EQ(p.at("Img_DPI1_1"), r.step1) << r.value;
        EXPECT_EQ(p.at("Img_DPI1_20"), r.step20) << r.value;
    }
}

TEST(Layout, UnusableValuesLeaveControlsWhereTheyAreAndAreReportedOnce) {
    std::string text = supplied();
    text = withLine(text, "P2_X", "");
    text = withLine(text, "Btn_B4_X", "Btn_B4_X=abc");
    text = withLine(text, "Key3_Enable", "Key3_Enable=");
    text = withLine(text, "DPI_Orientation", "DPI_Orientation=vertical");
    text = withLine(text, "RecDelay_H", "RecDelay_H=2 3");
    const Placed p(text);
    ASSERT_EQ(p.result.problems.size(), 5u);
    for (const char* key : {"P2_X", "Btn_B4_X", "Key3_Enable", "DPI_Orientation", "RecDelay_H"}) {
        int mentions = 0;
        for (const auto& line : p.result.problems) mentions += line.find(std::string(key) + " ") != std::string::npos;
        EXPECT_EQ(mentions, 1) << key;
    }
    EXPECT_EQ(p.at("Img_P2"), (std::array<int, 2>{0, 0}));
    EXPECT_EQ(p.at("Img_Adv_1"), (std::array<int, 2>{0, 0}));
    EXPECT_TRUE(p.controls.visible("Btn_Adv_1"));  // Enable was readable
    EXPECT_EQ(p.at("Key3"), (std::array<int, 2>{0, 0}));
    EXPECT_TRUE(p.controls.visible("Key3"));  // unreadable Enable changes nothing
    EXPECT_EQ(p.at("Img_DPI1_17"), (std::array<int, 2>{0, 0}));
    EXPECT_EQ(p.at("LED_NoDelay"), (std::array<int, 2>{0, 0}));
    EXPECT_FALSE(p.result.settings.dpiOrientation.has_value());
    EXPECT_EQ(p.at("Img_P3"), (std::array<int, 2>{112, 128}));  // the rest is placed as usual
}

TEST(Layout, NumbersOutOfRangeAreReportedAndPlaceNothing) {
    struct Row {
        const char* key;
        const char* value;
        const char* control;  // stays at 0, 0
    } rows[] = {
        {"RecDelay_H", "1073741824", "LED_NoDelay"},
        {"P2_X", "-2147483648", "Img_P2"},
        {"Disable_W", "65536", nullptr},
    };
    for (const auto& r : rows) {
        const Placed p(withLine(supplied(), r.key, std::string(r.key) + "=" + r.value));
        ASSERT_EQ(p.result.problems.size(), 1u) << r.key;
        EXPECT_NE(p.result.problems[0].find("out of range"), std::string::npos) << p.result.problems[0];
        if (r.control) {
            EXPECT_EQ(p.at(r.control), (std::array<int, 2>{0, 0})) << r.key;
        }
    }
}

TEST(Layout, EnableOtherThanOneHidesAndSkipsThePosition) {
    std::string text = withLine(supplied(), "Btn_A3_Enable", "Btn_A3_Enable=2");
    text = withLine(text, "Btn_A3_X", "Btn_A3_X=oops");
    const Placed p(text);
    EXPECT_TRUE(p.result.problems.empty());  // X is not read for a hidden button
    for (int page = 1; page <= kPageGroupCount; ++page) {
        EXPECT_FALSE(p.controls.visible(barLabel("Reset", page)));
        EXPECT_FALSE(p.controls.visible(barPicture("Reset", page)));
    }
}

TEST(Layout, EmbeddedLayoutIsCompleteAndShowsLightingAndProfiles) {
    const auto doc = embeddedLayoutDocument();
    ASSERT_TRUE(doc.ok()) << doc.error().message;
    const IniSection* org = doc->section(kLayoutSection);
    ASSERT_NE(org, nullptr);
    ControlTable controls(testing::fakePictureSize);
    buildMainWindowControls(controls);
    const auto result = loadLayout(*org, controls);
    EXPECT_TRUE(result.problems.empty()) << result.problems.front();
    for (const char* name : {"Btn_Breath_1", "Btn_Save_2", "Btn_Load_3"}) EXPECT_TRUE(controls.visible(name)) << name;
    EXPECT_TRUE(controls.unknownNames().empty()) << controls.unknownNames().front();
}

}  // namespace
}  // namespace varnel
