#include "shell/main_window_model.h"

#include <gtest/gtest.h>

#include "common/resources.h"
#include "profiles/profile_file.h"
#include "transfers/device_read.h"
#include "window_model_fixture.h"

namespace varnel {
namespace {

using namespace skin;

// The window model after FormCreate on the embedded default image, 1024 x 768 screen.
class MainWindowModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::startWindowModel(state_, started_);
        ASSERT_FALSE(HasFatalFailure());
        model_ = started_.model.get();
        controls().takeChanged();
    }

    ControlTable& controls() { return model_->controls(); }
    std::string lang(int n, const char* key) const { return model_->captions().languages().language(n).text(key); }
    std::string_view pic(std::string_view name) { return controls().picture(name); }
    std::string_view caption(std::string_view name) { return controls().caption(name); }
    void setCode(ButtonMapId m, int slot, std::string code) {
        state_.CodeTexts[static_cast<std::size_t>(m)][static_cast<std::size_t>(slot - 1)] = std::move(code);
    }
    void connect() { model_->appearance().setChannelsOpen(true); }
    NavigationModel& nav() { return model_->navigation(); }

    AppState state_;
    testing::StartedWindowModel started_;
    MainWindowModel* model_ = nullptr;
};

TEST_F(MainWindowModelTest, StartsOnTheMainPageInLanguageOne) {
    EXPECT_EQ(model_->windowRect(), (WindowRect{112, 84, 800, 600}));
    EXPECT_TRUE(model_->problems().empty()) << model_->problems().front();
    EXPECT_TRUE(controls().unknownNames().empty()) << controls().unknownNames().front();
    EXPECT_TRUE(controls().visible("gbPage1"));
    for (int p = 2; p <= 5; ++p) EXPECT_FALSE(controls().visible(pageGroup(p))) << p;
    EXPECT_TRUE(controls().checked("rb_1"));
    EXPECT_TRUE(controls().checked("rb_Lang1"));
    EXPECT_EQ(state_.DefaultChip, ChipModel::Wren);
    for (int p = 1; p <= 5; ++p) {
        EXPECT_EQ(pic(barPicture("Main", p)), "SetS_02");
        EXPECT_EQ(pic(barPicture("Lang1", p)), "SetS_02");
        EXPECT_EQ(pic(barPicture("Adv", p)), "SetS_01");
        EXPECT_EQ(pic(barPicture("Lang2", p)), "SetS_01");
        EXPECT_EQ(pic(barPicture("Apply", p)), "BtnS_01");
        EXPECT_EQ(pic("Img_Base_" + std::to_string(p)), "L1_BackGround");
        EXPECT_EQ(caption(barLabel("Apply", p)), lang(1, "Str001"));
        EXPECT_EQ(caption(barLabel("Lang2", p)), lang(1, "Str012"));
    }
    EXPECT_EQ(pic("Img_P1"), "L1_Back1");
    EXPECT_EQ(pic("Img_P5"), "Update");
    // The default image's main map, named in Spanish.
    EXPECT_EQ(caption("Key1"), lang(1, "Str210"));
    EXPECT_EQ(caption("Key4"), lang(1, "Str230"));
    EXPECT_EQ(caption("Key7"), lang(1, "Str213"));
    EXPECT_EQ(model_->applicationTitle(), lang(1, "Title"));
    EXPECT_FALSE(nav().pointerOnButton());
    EXPECT_FALSE(nav().labelRunEnabled());
    EXPECT_TRUE(controls().find("Edt_Repeat1")->alignRight);
    EXPECT_EQ(controls().find("Pnl_Main")->height, 146);
    EXPECT_EQ(controls().find("LB_MacroName")->itemHeight, 20);
}

TEST_F(MainWindowModelTest, LanguageFontsAndColours) {
    struct Row {
        const char* name;
        int size;
    };
    const Row rows[] = {{"Btn_Apply_3", 9},  {"Btn_Main_1", 11},  {"Key5", 11},        {"lbl_Spd4", 9},
                        {"lbl_DPI2", 10},    {"lbl_Fall7", 9},    {"Btn_Start", 9},    {"CB_Insert", 8},
                        {"Btn_Program", 11}, {"lbl_LoadBIN", 13}, {"Btn_Update_2", 11}};
    for (const auto& r : rows) EXPECT_EQ(controls().find(r.name)->fontSize, r.size) << r.name;
    EXPECT_EQ(controls().find("Edt_Repeat1")->backColor, (Rgb{113, 111, 100}));
    EXPECT_EQ(controls().find("LB_macro")->fontColor, (Rgb{255, 255, 255}));
    EXPECT_EQ(controls().find("LB_macro")->backColor, (Rgb{0, 0, 0}));
}

TEST(WindowPlacement, CentredWithHalvesRoundedTowardZero) {
    struct Row {
        int sw, sh, x, y;
    };
    const Row rows[] = {{1024, 768, 112, 84},   {800, 600, 0, 0},     {1023, 767, 111, 83},
                        {1920, 1080, 560, 240}, {640, 480, -80, -60}, {799, 599, 0, 0}};
    for (const auto& r : rows) {
        EXPECT_EQ(centredWindowRect(r.sw, r.sh), (WindowRect{r.x, r.y, 800, 600})) << r.sw << "x" << r.sh;
    }
    EXPECT_EQ(busyWindowRect({112, 84, 800, 600}, 200, 192), (WindowRect{412, 328, 200, 192}));
    EXPECT_EQ(busyWindowRect({0, 0, 800, 600}, 201, 193), (WindowRect{299, 243, 201, 193}));
}

TEST_F(MainWindowModelTest, HoverAndLeaveForEveryFamily) {
    struct Row {
        const char* label;
        std::vector<const char*> pictures;  // pictures that change
        const char* hover;
        const char* normal;
        const char* untouched;  // a picture that must not change ("" = none)
    };
    const Row rows[] = {
        {"Btn_Apply_2", {"Img_Apply_1", "Img_Apply_2", "Img_Apply_5"}, "BtnS_02", "BtnS_01", "Img_Reset_2"},
        {"Btn_Adv_3", {"Img_Adv_3"}, "SetS_03", "SetS_01", "Img_Adv_1"},
        {"Key6", {"Img_Key6"}, "KeyS_02", "KeyS_01", "Img_Key5"},
        {"Btn_Lang2_4", {"Img_Lang2_4"}, "SetS_03", "SetS_01", "Img_Lang2_1"},
        {"Btn_LoadBIN", {"Img_LoadBIN"}, "KeyS_02", "KeyS_01", "Img_Program"},
        {"Btn_Export", {"Img_Export"}, "MacroS_02", "MacroS_01", "Img_Import"},
        {"Btn_Start", {"Img_Start"}, "MacroS_02", "MacroS_01", ""},
        {"Btn_InsertStart", {"Img_InsertStart"}, "MacroS_02", "MacroS_01", ""},
        {"Btn_Cancel", {"Img_Cancel"}, "MacroBtnS_02", "MacroBtnS_01", "Img_OK"},
    };
    for (const auto& r : rows) {
        const std::string before(caption(r.label));
        const std::string untouched = r.untouched[0] ? std::string(pic(r.untouched)) : "";
        nav().hoverEnter(r.label);
        for (const auto* p : r.pictures) EXPECT_EQ(pic(p), r.hover) << r.label << " " << p;
        EXPECT_TRUE(nav().pointerOnButton()) << r.label;
        EXPECT_TRUE(nav().labelRunEnabled()) << r.label;
        EXPECT_EQ(nav().marquee().label(), r.label);
        nav().labelRunTick();
        if (!before.empty()) {
            EXPECT_NE(caption(r.label), before) << r.label;
        }
        if (r.untouched[0]) {
            EXPECT_EQ(pic(r.untouched), untouched) << r.label;
        }
        nav().hoverLeave(r.label);
        for (const auto* p : r.pictures) EXPECT_EQ(pic(p), r.normal) << r.label << " " << p;
        EXPECT_EQ(caption(r.label), before) << r.label;
        EXPECT_FALSE(nav().pointerOnButton()) << r.label;
        EXPECT_FALSE(nav().labelRunEnabled()) << r.label;
    }
}

TEST_F(MainWindowModelTest, LeavingKeepsTheCurrentPageAndLanguageMarked) {
    for (const char* label : {"Btn_Main_1", "Btn_Adv_1", "Btn_Main_4"}) {
        nav().hoverEnter(label);
        nav().hoverLeave(label);
        for (int p = 1; p <= 5; ++p) EXPECT_EQ(pic(barPicture("Main", p)), "SetS_02") << label << p;
        EXPECT_EQ(pic("Img_Adv_1"), "SetS_01");
    }
    nav().hoverEnter("Btn_Lang1_1");
    EXPECT_EQ(pic("Img_Lang1_1"), "SetS_03");
    nav().hoverLeave("Btn_Lang1_1");
    for (int p = 1; p <= 5; ++p) EXPECT_EQ(pic(barPicture("Lang1", p)), "SetS_02");
}

TEST_F(MainWindowModelTest, RecordButtonsRaiseTheOverRecordFlag) {
    for (const char* label : {"Btn_Start", "Btn_InsertStart"}) {
        nav().hoverEnter(label);
        EXPECT_TRUE(nav().overRecordButton()) << label;
        nav().hoverLeave(label);
        EXPECT_FALSE(nav().overRecordButton()) << label;
    }
    nav().hoverEnter("Btn_Del");
    EXPECT_FALSE(nav().overRecordButton());
}

TEST_F(MainWindowModelTest, WebButtonNeitherScrollsNorHoldsASearch) {
    const std::string before(caption("Btn_Web_2"));
    nav().hoverEnter("Btn_Web_2");
    for (int p = 1; p <= 5; ++p) EXPECT_EQ(pic(barPicture("Web", p)), "WebS_03");
    EXPECT_FALSE(nav().pointerOnButton());
    EXPECT_FALSE(nav().labelRunEnabled());
    EXPECT_FALSE(nav().marquee().active());
    EXPECT_EQ(model_->webClick(), "https://example.org/varnel");
    for (int p = 1; p <= 5; ++p) EXPECT_EQ(pic(barPicture("Web", p)), "WebS_02");
    nav().hoverLeave("Btn_Web_2");
    for (int p = 1; p <= 5; ++p) EXPECT_EQ(pic(barPicture("Web", p)), "WebS_01");
    EXPECT_EQ(caption("Btn_Web_2"), before);
}

TEST_F(MainWindowModelTest, DisabledLabelChangesPictureButDoesNotScroll) {
    controls().setEnabled("Key2", false);
    controls().setCaption("Key2", "ABC");
    nav().hoverEnter("Key2");
    EXPECT_EQ(pic("Img_Key2"), "KeyS_02");
    EXPECT_TRUE(nav().pointerOnButton());
    EXPECT_FALSE(nav().labelRunEnabled());
}

TEST_F(MainWindowModelTest, MarqueeScrollsTheHoveredCaption) {
    controls().setCaption("Key3", "ABC");
    nav().hoverEnter("Key3");
    const char* expected[] = {"BC    A", "C    AB", "    ABC"};
    for (const char* e : expected) {
        nav().labelRunTick();
        EXPECT_EQ(caption("Key3"), e);
    }
    nav().hoverLeave("Key3");
    EXPECT_EQ(caption("Key3"), "ABC");
}

TEST_F(MainWindowModelTest, PageClicksWithoutADeviceShowTheNoDeviceMessage) {
    for (const auto& page : kPages) {
        EXPECT_EQ(model_->pageClick(page.page), model_->message("Str022"));
        EXPECT_TRUE(controls().checked("rb_1"));
        EXPECT_TRUE(controls().visible("gbPage1"));
    }
    connect();
    state_.NoDeviceMode = true;
    EXPECT_EQ(model_->pageClick(Page::Advanced), std::nullopt);
    EXPECT_TRUE(controls().checked("rb_1"));
    EXPECT_FALSE(controls().visible("gbPage2"));
}

// Every message that says the mouse is missing or cannot be opened goes on with what to do, and
// names the udev rule only by a path the window found.
TEST_F(MainWindowModelTest, NoMouseMessagesSayWhatToDo) {
    const std::string cable = lang(1, "Str106");
    struct Row {
        const char* name;
        std::optional<UdevRuleLocation> rule;
        const char* key;
        std::string expected;
    };
    const auto with = [&](const char* key, const std::string& path) {
        std::string t = lang(1, key);
        return t.replace(t.find("%1"), 2, path);
    };
    const std::string src = "/src/packaging/70-varnel-config.rules",
                      lib = "/usr/lib/udev/rules.d/70-varnel-config.rules";
    const UdevRuleLocation inSource{src, false}, installed{lib, true};
    const Row rows[] = {
        {"no rule here", std::nullopt, "Str022", lang(1, "Str022") + " " + cable + " " + lang(1, "Str109")},
        {"rule in the source tree", inSource, "Str101", lang(1, "Str101") + " " + cable + " " + with("Str107", src)},
        {"rule installed", installed, "Str022", lang(1, "Str022") + " " + cable + " " + with("Str108", lib)},
        {"permission denied", inSource, "Str104", lang(1, "Str104") + "; " + with("Str107", src)},
        {"other messages unchanged", inSource, "Str105", lang(1, "Str105")},
    };
    for (const auto& r : rows) {
        model_->setUdevRule(r.rule);
        EXPECT_EQ(model_->message(r.key), r.expected) << r.name;
    }
    EXPECT_EQ(model_->noDeviceMessage(), lang(1, "Str100") + "\n" + model_->message("Str101"));
    // A failed write with no mouse words it the same way.
    EXPECT_EQ(model_->failureMessage(noDeviceStatus()), model_->message("Str022"));
}

// A write the mouse did not keep says what, in the window's language.
TEST_F(MainWindowModelTest, AWriteNotKeptSaysWhatInTheWindowsLanguage) {
    TransferStatus s = TransferStatus::fail(TransferCode::DeviceFailed, "Apply failed", std::string(kNotKeptKey));
    s.notKept = {true, false, {2, 30}};
    std::string macros = lang(1, "Str469");
    const std::string what = lang(1, "Str467") + ", " + macros.replace(macros.find("%1"), 2, "3, 31");
    std::string expected = lang(1, "Str466");
    EXPECT_EQ(model_->failureMessage(s), expected.replace(expected.find("%1"), 2, what));
}

TEST_F(MainWindowModelTest, PageClicksShowTheirGroupAndMarkTheirButton) {
    connect();
    struct Row {
        Page page;
        const char* radio;
        int group;
        const char* picture;
        const char* pictureName;
    };
    const Row rows[] = {
        {Page::Advanced, "rb_4", 2, "Img_P2", "L1_Back2"}, {Page::Breathing, "rb_5", 3, "Img_P3", "L1_Back3"},
        {Page::Macro, "rb_6", 4, "Img_P4", "L1_Back4"},    {Page::Update, "rb_7", 5, "Img_P5", "Update"},
        {Page::Main, "rb_1", 1, "Img_P1", "L1_Back1"},
    };
    for (const auto& r : rows) {
        ASSERT_EQ(model_->pageClick(r.page), std::nullopt);
        EXPECT_TRUE(controls().checked(r.radio));
        for (int g = 1; g <= 5; ++g) EXPECT_EQ(controls().visible(pageGroup(g)), g == r.group) << r.radio;
        EXPECT_EQ(pic(r.picture), r.pictureName);
        for (const auto& p : kPages) {
            EXPECT_EQ(pic(barPicture(p.button, 2)), p.page == r.page ? "SetS_02" : "SetS_01") << r.radio;
        }
    }
    EXPECT_TRUE(model_->buttonMaps().switchKeyAllowed());
    EXPECT_FALSE(controls().visible("Disable"));
}

TEST_F(MainWindowModelTest, MacroAndUpdatePagesResetTheirPanels) {
    connect();
    controls().setCaption("lbl_LoadBIN", "/tmp/fw.bin");
    state_.FirmwareLoaded = true;
    ASSERT_EQ(model_->pageClick(Page::Update), std::nullopt);
    EXPECT_EQ(caption("lbl_LoadBIN"), "");
    EXPECT_FALSE(state_.FirmwareLoaded);
    model_->macroPage().openInsertPanel();
    ASSERT_EQ(model_->pageClick(Page::Macro), std::nullopt);
    EXPECT_TRUE(controls().visible("Gb_Insert"));
    EXPECT_TRUE(controls().visible("Img_InsertBase"));
    EXPECT_FALSE(controls().visible("Gb_Delay"));
}

TEST_F(MainWindowModelTest, SwitchAndFixedPagesNeedTheirMapKeysByCode) {
    connect();
    EXPECT_EQ(model_->pageClick(Page::Switch), lang(1, "Str020"));
    EXPECT_TRUE(controls().checked("rb_1"));
    setCode(ButtonMapId::Main, 6, "07000000");
    ASSERT_EQ(model_->pageClick(Page::Switch), std::nullopt);
    EXPECT_TRUE(controls().checked("rb_2"));
    EXPECT_FALSE(model_->buttonMaps().switchKeyAllowed());
    EXPECT_FALSE(controls().visible("Disable"));
    EXPECT_EQ(model_->buttonMaps().shownMap(), ButtonMapId::Switch);

    EXPECT_EQ(model_->pageClick(Page::Fixed), lang(1, "Str021"));
    EXPECT_TRUE(controls().checked("rb_2"));
    setCode(ButtonMapId::Switch, 9, "07010000");
    setCode(ButtonMapId::Switch, 6, "07000000");
    ASSERT_EQ(model_->pageClick(Page::Fixed), std::nullopt);
    EXPECT_TRUE(controls().checked("rb_3"));
    EXPECT_TRUE(controls().visible("Disable"));
    EXPECT_EQ(model_->buttonMaps().shownMap(), ButtonMapId::Fixed);
    EXPECT_EQ(pic("Img_P1"), "L1_Back5");  // read-only: no line asking to click a button
    // Back on the Switch page the map keys cannot be changed.
    ASSERT_EQ(model_->pageClick(Page::Switch), std::nullopt);
    EXPECT_EQ(pic("Img_P1"), "L1_Back1");
    EXPECT_FALSE(controls().find("Key6")->enabled);
    EXPECT_FALSE(controls().find("Key9")->enabled);
    EXPECT_TRUE(controls().find("Key1")->enabled);
}

TEST_F(MainWindowModelTest, LanguageSwitchRenamesKeyLabelsFromTheirCodes) {
    setCode(ButtonMapId::Main, 5, "0300B700");  // media Stop: shares "Stop" with the record button
    setCode(ButtonMapId::Main, 6, "02010400");  // Ctrl+A: no fixed name
    model_->buttonMaps().refreshKeyLabels(ButtonMapId::Main);
    controls().setCaption("Key6", "My combo");
    model_->languageClick(2);
    EXPECT_EQ(caption("Key1"), "Left Key");
    EXPECT_EQ(caption("Key7"), "Backward");  // not "WWW Back", whose Spanish text is the same
    EXPECT_EQ(caption("Key8"), "Forward");
    EXPECT_EQ(caption("Key5"), "Stop");
    EXPECT_EQ(caption("Key6"), "My combo");
    model_->languageClick(1);
    EXPECT_EQ(caption("Key1"), lang(1, "Str210"));
    EXPECT_EQ(caption("Key7"), lang(1, "Str213"));
    EXPECT_EQ(caption("Key6"), "My combo");
}

TEST_F(MainWindowModelTest, LanguageSwitchCaptionsMarkersAndInsertChoice) {
    controls().setItemIndex("CB_Insert", 2);
    model_->languageClick(2);
    EXPECT_TRUE(controls().checked("rb_Lang2"));
    EXPECT_FALSE(controls().checked("rb_Lang1"));
    EXPECT_EQ(caption("Btn_Lang1_3"), "Spanish ");
    EXPECT_EQ(caption("Btn_Apply_1"), "Apply");
    EXPECT_EQ(controls().find("CB_Insert")->itemIndex, 2);
    EXPECT_EQ(controls().find("CB_Insert")->items.at(2), "Insert Key Before");
    EXPECT_EQ(caption("IB_InsertNoDelay"), "       No Delay");
    EXPECT_EQ(pic("Img_Base_4"), "L2_BackGround");
    EXPECT_EQ(pic("Img_P1"), "L2_Back1");
    EXPECT_EQ(pic("Img_Lang2_5"), "SetS_02");
    EXPECT_EQ(pic("Img_Lang1_5"), "SetS_01");
    EXPECT_EQ(model_->applicationTitle(), lang(2, "Title"));
    EXPECT_FALSE(controls().visible("Gb_Delay"));  // hidden by the switch, shown again by the Macro page

    model_->languageClick(3);
    EXPECT_EQ(caption("Btn_Lang1_1"), "Language1");
    EXPECT_EQ(caption("Btn_Lang2_1"), "Language2");
    EXPECT_EQ(caption("Btn_Exit_2"), "Exit");
    EXPECT_EQ(pic("Img_P1"), "L3_Back1");
    EXPECT_EQ(controls().find("CB_Insert")->itemIndex, 2);
}

TEST_F(MainWindowModelTest, LanguageSwitchKeepsTheMacroPanelOnTheMacroPage) {
    connect();
    ASSERT_EQ(model_->pageClick(Page::Macro), std::nullopt);
    model_->languageClick(2);
    EXPECT_TRUE(controls().visible("gbPage4"));
    EXPECT_TRUE(controls().visible("Gb_Delay"));
    EXPECT_EQ(pic("Img_P4"), "L2_Back4");
    EXPECT_EQ(pic("Img_P1"), "L1_Back1");  // other pages take theirs when next opened
}

TEST_F(MainWindowModelTest, ClickingTheHoveredLanguageButtonKeepsItsNewCaption) {
    nav().hoverEnter("Btn_Lang2_1");
    nav().labelRunTick();
    model_->languageClick(2);
    nav().labelRunTick();
    EXPECT_EQ(caption("Btn_Lang2_1"), "nglish    E");
    nav().hoverLeave("Btn_Lang2_1");
    EXPECT_EQ(caption("Btn_Lang2_1"), "English");
}

TEST_F(MainWindowModelTest, OverlaysAndMenus) {
    model_->appearance().disableAllPages();
    for (int p = 1; p <= 5; ++p) EXPECT_TRUE(controls().visible("Disable_All_" + std::to_string(p)));
    model_->appearance().enableAllPages();
    for (int p = 1; p <= 5; ++p) EXPECT_FALSE(controls().visible("Disable_All_" + std::to_string(p)));
    EXPECT_EQ(caption("Key_Left"), lang(1, "Str210"));
    EXPECT_EQ(caption("Key_L"), lang(1, "Str210"));
    EXPECT_EQ(caption("Key_Macro"), lang(1, "Str206"));
}

TEST_F(MainWindowModelTest, ShowingAnImageOpensItsActiveMap) {
    state_.EditCopy.bytes[param_b::kActiveMap] = 1;
    setCode(ButtonMapId::Switch, 2, "0C000000");
    model_->RefreshUI();
    EXPECT_TRUE(controls().checked("rb_2"));
    EXPECT_EQ(pic("Img_Switch_3"), "SetS_02");
    EXPECT_EQ(pic("Img_Main_3"), "SetS_01");
    EXPECT_EQ(caption("Key2"), lang(1, "Str244"));
}

// The collect step stores the button-map page on show as ActiveMap; a profile file carries it.
TEST_F(MainWindowModelTest, CollectStoresTheMapPageOnShow) {
    state_.DeviceChip = ChipModel::Wren;
    struct Row {
        Page page;
        std::uint8_t stored;  // 7 = kept
    };
    const Row rows[] = {{Page::Switch, 1}, {Page::Fixed, 2}, {Page::Main, 0}, {Page::Advanced, 7}, {Page::Update, 7}};
    for (const auto& r : rows) {
        state_.EditCopy.bytes[param_b::kActiveMap] = 7;
        nav().openPage(r.page);
        model_->UIToDataBuf();
        EXPECT_EQ(state_.EditCopy.bytes[param_b::kActiveMap], r.stored) << int(r.page);
        ASSERT_TRUE(state_.writeBack(WriteBackPath::ProfileSave).ok());
        auto file = profileFileBytes(state_.DataBuf, state_.DeviceChip);
        ASSERT_TRUE(file.ok());
        EXPECT_EQ((*file)[param_b::kActiveMap], r.stored) << int(r.page);
    }
}

// RefreshChipPages: macros and firmware updates only on a Wren, with its taller key menu.
TEST_F(MainWindowModelTest, ChipPagesFollowTheMouseVariant) {
    struct Case {
        OptionalChip chip;
        bool wrenPages;
        int menuHeight;
    };
    const Case cases[] = {{ChipModel::Wren, true, 146}, {ChipModel::Lark, false, 122}};
    for (const auto& c : cases) {
        const std::string name(chipName(*c.chip));
        state_.DeviceChip = c.chip;
        state_.NoDeviceMode = true;
        leaveNoDeviceMode(state_);
        model_->RefreshUI();  // a read shows its image first
        connect();
        EXPECT_EQ(model_->showReadMouse(), std::nullopt) << name;
        for (int p = 1; p <= 5; ++p) {
            for (const char* base : {"Macro", "Update"}) {
                EXPECT_EQ(controls().visible(barLabel(base, p)), c.wrenPages) << name << base << p;
                EXPECT_EQ(controls().visible(barPicture(base, p)), c.wrenPages) << name << base << p;
            }
        }
        EXPECT_EQ(controls().visible("Key_Macro"), c.wrenPages) << name;
        EXPECT_EQ(controls().find("Pnl_Main")->height, c.menuHeight) << name;
        EXPECT_FALSE(state_.NoDeviceMode) << name;
        EXPECT_EQ(pic(barPicture("Main", 2)), "SetS_02") << name;
    }
}

TEST_F(MainWindowModelTest, ChipPagesReopenTheLastButtonMapPage) {
    connect();
    setCode(ButtonMapId::Main, 4, "07000000");  // the switch key
    ASSERT_EQ(model_->pageClick(Page::Switch), std::nullopt);
    nav().openPage(Page::Advanced);
    EXPECT_EQ(model_->showReadMouse(), std::nullopt) << "the Advanced page is no map page";
    EXPECT_TRUE(controls().checked("rb_4"));

    ASSERT_EQ(model_->pageClick(Page::Switch), std::nullopt);
    model_->appearance().enterNoDeviceMode();
    EXPECT_EQ(model_->showReadMouse(), std::nullopt);
    EXPECT_EQ(pic(barPicture("Switch", 1)), "SetS_02");
    EXPECT_EQ(pic(barPicture("Main", 1)), "SetS_01");
    EXPECT_EQ(model_->buttonMaps().shownMap(), ButtonMapId::Switch);

    setCode(ButtonMapId::Main, 4, "01010000");  // the mouse read has no switch key any more
    EXPECT_EQ(model_->showReadMouse(), lang(1, "Str020"));
}

TEST_F(MainWindowModelTest, NoDeviceAppearanceAndRemoval) {
    connect();
    nav().openPage(Page::Advanced);
    controls().setVisible("Pnl_Main", true);
    controls().setItems("LB_MacroName", {"Macro1"});
    model_->deviceRemovedBeforeMessage();
    EXPECT_TRUE(controls().visible("Disable"));
    EXPECT_FALSE(controls().visible("Pnl_Main"));
    model_->deviceRemovedAfterMessage(false);
    EXPECT_EQ(controls().find("LB_MacroName")->items.size(), 1u) << "a Lark had no macro lists";
    model_->deviceRemovedAfterMessage(true);
    EXPECT_TRUE(controls().find("LB_MacroName")->items.empty());
    EXPECT_TRUE(state_.NoDeviceMode);
    EXPECT_TRUE(controls().visible("gbPage1"));
    EXPECT_FALSE(controls().visible("gbPage2"));
    for (int p = 1; p <= 5; ++p) {
        EXPECT_EQ(pic(barPicture("Main", p)), "SetS_02");
        EXPECT_EQ(pic(barPicture("Adv", p)), "SetS_01");
    }
    EXPECT_FALSE(nav().labelRunEnabled());
}

// While no mouse is in use the header says what the window shows, and page 1 asks for a mouse
// instead of a click; in the language shown.
TEST_F(MainWindowModelTest, TheNoMouseStateStaysOnTheSkin) {
    const auto noMouse = [&] { model_->appearance().enterNoDeviceMode(); };
    const auto otherLanguageAndPage = [&] { nav().openPage(Page::Macro), model_->languageClick(2), noMouse(); };
    const auto read = [&] { state_.DeviceChip = ChipModel::Wren, (void)model_->showReadMouse(); };
    const std::tuple<std::function<void()>, std::string, std::string_view> steps[] = {
        {[] {}, "", "L1_Back1"},  // the line: empty while hidden
        {noMouse, lang(1, "Str530"), "L1_Back5"},
        {otherLanguageAndPage, lang(2, "Str530"), "L2_Back5"},
        {read, "", "L2_Back1"},
        {[&] { model_->deviceRemovedAfterMessage(true); }, lang(2, "Str531"), "L2_Back5"},
    };
    for (const auto& [run, line, picture] : steps) {
        run();
        for (int p = 1; p <= kPageGroupCount; ++p) {
            EXPECT_EQ(controls().visible(mouseStateLine(p)) ? caption(mouseStateLine(p)) : "", line) << picture;
        }
        EXPECT_EQ(controls().visible(ctrl::lbl_Hint), !line.empty()) << picture;
        EXPECT_EQ(pic(ctrl::Img_P1), picture);
    }
    EXPECT_EQ(caption(ctrl::lbl_Hint), lang(2, "Str532"));
}

TEST_F(MainWindowModelTest, StepPicturesFollowTheSensor) {
    for (int steps : {17, 9, 20}) {
        state_.StepCount = steps;
        model_->advanced().showSensorSteps();
        for (int d = 1; d <= kDpiLevelCount; ++d) {
            for (int s = 1; s <= kDpiStepCount; ++s) EXPECT_EQ(controls().visible(dpiStep(d, s)), s <= steps) << steps;
        }
    }
    state_.StepCount = 0;  // no sensor known: unchanged
    model_->advanced().showSensorSteps();
    EXPECT_TRUE(controls().visible(dpiStep(1, 20)));
}

TEST_F(MainWindowModelTest, BusyKeepsTheButtonPressed) {
    nav().hoverEnter("Btn_Apply_2");
    nav().setBusy(true);
    nav().pressActionButton("Apply");
    nav().hoverLeave("Btn_Apply_2");  // the job's overlay took the pointer
    for (int p = 1; p <= 5; ++p) EXPECT_EQ(pic(barPicture("Apply", p)), "BtnS_03");
    nav().hoverEnter("Btn_Reset_1");
    nav().hoverLeave("Btn_Reset_1");
    EXPECT_EQ(pic(barPicture("Reset", 1)), "BtnS_01");
    nav().setBusy(false);
    nav().releaseActionButton();
    for (int p = 1; p <= 5; ++p) EXPECT_EQ(pic(barPicture("Apply", p)), "BtnS_01");
    nav().hoverEnter("Key3");
    nav().setBusy(true);
    nav().setBusy(false);
    EXPECT_TRUE(nav().pointerOnButton()) << "still hovered";
}

}  // namespace
}  // namespace varnel
