#include "editors/button_editor.h"

#include <gtest/gtest.h>

#include <memory>

#include "common/resources.h"
#include "config/action_codes.h"
#include "shell/window_model_fixture.h"

namespace varnel {

void PrintTo(const MenuPoint& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }

namespace {

using skin::Page;

constexpr int kTagLeft = 900;
constexpr int kTagRight = 901;
constexpr int kTagMiddle = 902;
constexpr int kTagFire = 1000;
constexpr int kTagSwitchKey = 1002;
constexpr int kTagCpi = 1003;
constexpr int kTagResetKey = 1005;
constexpr int kTagMute = 1306;
constexpr int kGroupSpecial = 2;
constexpr int kGroupMacro = 7;

// The editor on the main window model after start-up on the embedded image (a Wren) with a
// mouse attached and the Main Control page open.
class ButtonEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::startWindowModel(state_, started_);
        ASSERT_FALSE(HasFatalFailure());
        window_ = started_.model.get();
        window_->appearance().setChannelsOpen(true);
        // Buttons 1..3 left, right, middle; the rest something plain.
        for (ButtonMapId m : kButtonMaps) {
            setCode(m, 1, "01010000");
            setCode(m, 2, "01020000");
            setCode(m, 3, "01040000");
            for (int b = 4; b <= 9; ++b) setCode(m, b, "09000000");
        }
        ASSERT_EQ(window_->pageClick(Page::Main), std::nullopt);
        editor_ = &window_->buttonMaps();
    }

    // A fresh window and editor.
    void restart() {
        started_.model.reset();
        SetUp();
    }
    ControlTable& controls() { return window_->controls(); }
    std::string text(const char* key) const { return window_->text(key); }
    std::string_view caption(int button) { return controls().caption(skin::keyLabel(button)); }
    // A code held in both forms, as a read from the mouse leaves it.
    void setCode(ButtonMapId m, int button, const std::string& code) {
        state_.CodeTexts[static_cast<std::size_t>(m)][static_cast<std::size_t>(button - 1)] = code;
        state_.EditCopy.setSlot(m, static_cast<std::size_t>(button), *codeTextToBytes(code));
    }
    // The code of a slot in both forms; they must agree.
    std::string code(ButtonMapId m, int button) {
        const std::string fromBytes = codeTextFromBytes(state_.EditCopy.slot(m, static_cast<std::size_t>(button)));
        EXPECT_EQ(state_.CodeTexts[static_cast<std::size_t>(m)][static_cast<std::size_t>(button - 1)], fromBytes);
        return fromBytes;
    }
    std::array<std::string, 3> allMaps(int button) {
        return {code(ButtonMapId::Main, button), code(ButtonMapId::Switch, button), code(ButtonMapId::Fixed, button)};
    }
    void choose(int button, int tag) {
        editor_->showButtonMenu(button);
        editor_->KeyStatusOnClick(tag);
    }
    std::vector<std::string> visibleMenus() {
        std::vector<std::string> out;
        for (auto name : {"Pnl_Main", "Pnl_MseKey", "Pnl_Special", "Pnl_Media", "Pnl_WWW", "Pnl_LRM", "LB_Name"}) {
            if (controls().visible(name)) out.emplace_back(name);
        }
        return out;
    }
    MenuPoint at(std::string_view name) {
        const Control* c = controls().find(name);
        return {c->x, c->y};
    }

    AppState state_;
    testing::StartedWindowModel started_;
    MainWindowModel* window_ = nullptr;
    ButtonEditor* editor_ = nullptr;
};

TEST(MenuPlacement, OpensAwayFromTheWindowEdges) {
    struct Row {
        const char* name;
        MenuRect key;
        int w, h;
        bool mayOpenUpwards;
        MenuPoint expected;
    };
    const Row rows[] = {
        {"left half, downwards", {100, 100, 164, 30}, 170, 146, true, {182, 115}},
        {"x = 399 is the left half", {399, 100, 164, 30}, 170, 146, true, {481, 115}},
        {"x = 400 opens to the left", {400, 100, 164, 30}, 170, 146, true, {312, 115}},
        {"reaching the bottom opens upwards", {380, 454, 164, 30}, 170, 146, true, {462, 323}},
        {"one pixel short of the bottom", {380, 453, 164, 30}, 170, 146, true, {462, 468}},
        {"Pnl_LRM never opens upwards", {380, 500, 164, 30}, 170, 74, false, {462, 515}},
        {"upwards and to the left", {600, 580, 164, 30}, 170, 122, true, {512, 473}},
    };
    for (const auto& r : rows) EXPECT_EQ(buttonMenuOrigin(r.key, r.w, r.h, r.mayOpenUpwards), r.expected) << r.name;
}

TEST(MenuPlacement, SubMenusOpenBesideTheMenu) {
    struct Row {
        const char* name;
        MenuRect menu;
        MenuRect entry;
        int w, h;
        MenuPoint expected;
    };
    const Row rows[] = {
        {"right of a menu in the left half", {100, 100, 170, 146}, {1, 25, 168, 24}, 170, 122, {270, 125}},
        {"left of a menu in the right half", {400, 100, 170, 146}, {1, 25, 168, 24}, 160, 122, {240, 125}},
        {"bottom-aligned at the bottom edge", {100, 400, 170, 146}, {1, 73, 168, 24}, 170, 218, {270, 279}},
        {"one pixel short of the edge", {100, 400, 170, 146}, {1, 73, 168, 24}, 170, 126, {270, 473}},
    };
    for (const auto& r : rows) EXPECT_EQ(subMenuOrigin(r.menu, r.entry, r.w, r.h), r.expected) << r.name;
}

TEST_F(ButtonEditorTest, ButtonsOpenTheirMenuAtTheLabel) {
    struct Row {
        int button;
        int x, y;
        const char* menu;
    };
    // Pnl_Main is 146 high on a Wren; a label at y 460 + 146 reaches 600 and opens upwards.
    const Row rows[] = {
        {1, 100, 100, "Pnl_LRM"},
        {3, 600, 500, "Pnl_LRM"},
        {5, 100, 100, "Pnl_Main"},
        {6, 600, 460, "Pnl_Main"},
    };
    for (const auto& r : rows) {
        controls().moveTo(skin::keyLabel(r.button), r.x, r.y);
        editor_->showButtonMenu(r.button);
        EXPECT_EQ(editor_->SelectedButton(), r.button);
        EXPECT_EQ(visibleMenus(), std::vector<std::string>{r.menu}) << r.button;
        const Control* key = controls().find(skin::keyLabel(r.button));
        const Control* menu = controls().find(r.menu);
        EXPECT_EQ(at(r.menu),
                  buttonMenuOrigin({key->x, key->y, key->width, key->height}, menu->width, menu->height, r.button > 3))
            << r.button;
    }
    EXPECT_EQ(at("Pnl_Main").y, 460 + 15 - 146);
    editor_->ClearAP();
    EXPECT_TRUE(visibleMenus().empty());
}

TEST_F(ButtonEditorTest, CoveredOrDisabledButtonsOpenNoMenu) {
    controls().setEnabled("Key4", false);
    editor_->showButtonMenu(4);
    EXPECT_TRUE(visibleMenus().empty());
    EXPECT_EQ(editor_->SelectedButton(), 0);
    controls().setVisible("Disable", true);
    editor_->showButtonMenu(5);
    EXPECT_TRUE(visibleMenus().empty());
    // The Reset Control page is view-only.
    setCode(ButtonMapId::Switch, 9, "07010000");
    setCode(ButtonMapId::Main, 6, "07000000");
    ASSERT_EQ(window_->pageClick(Page::Fixed), std::nullopt);
    editor_->showButtonMenu(5);
    EXPECT_TRUE(visibleMenus().empty());
}

TEST_F(ButtonEditorTest, GroupEntriesShowOneSubMenu) {
    editor_->showButtonMenu(5);
    for (const auto& g : kMenuGroupSubMenus) {
        editor_->KeyByTagMouseEnter(g.tag);
        EXPECT_EQ(visibleMenus(), (std::vector<std::string>{"Pnl_Main", std::string(g.subMenu)})) << g.entry;
        EXPECT_EQ(editor_->entryColours(g.entry), kEntryHighlighted);
        editor_->KeyByTagMouseLeave(g.tag);
        EXPECT_EQ(editor_->entryColours(g.entry), kEntryNormal);
    }
    EXPECT_EQ(controls().find("LB_Name")->items.size(), kMacroCount);
    editor_->KeyStatus_AMouseEnter();
    EXPECT_EQ(visibleMenus(), std::vector<std::string>{"Pnl_Main"});
    EXPECT_EQ(editor_->entryColours("Key_Assembly"), kEntryHighlighted);
    editor_->KeyStatusMouseEnter("Key_Mute");
    EXPECT_EQ(editor_->entryColours("Key_Assembly"), kEntryNormal);
    EXPECT_EQ(editor_->entryColours("Key_Mute"), kEntryHighlighted);
    EXPECT_EQ(controls().find("Key_Mute")->fontColor, kEntryHighlighted.text);
    EXPECT_EQ(controls().find("Key_Assembly")->fontColor, kEntryNormal.text);
    editor_->ClearAP();
    EXPECT_EQ(editor_->entryColours("Key_Mute"), kEntryNormal);
    EXPECT_EQ(controls().find("Key_Mute")->fontColor, kEntryNormal.text);
}

TEST_F(ButtonEditorTest, LarkHasNoMacroEntry) {
    state_.DefaultChip = ChipModel::Lark;
    editor_->showButtonMenu(5);
    EXPECT_FALSE(controls().visible("Key_Macro"));
    editor_->KeyByTagMouseEnter(kGroupMacro);
    EXPECT_EQ(visibleMenus(), std::vector<std::string>{"Pnl_Main"});
    editor_->LB_NameClick(0);
    EXPECT_EQ(code(ButtonMapId::Main, 5), "09000000");
    state_.DefaultChip = ChipModel::Wren;
    editor_->showButtonMenu(5);
    EXPECT_TRUE(controls().visible("Key_Macro"));
}

TEST_F(ButtonEditorTest, LeftRightMiddleStayAPermutation) {
    struct Row {
        const char* name;
        int button;
        int tag;
        std::array<const char*, 3> codes;  // slots 1..3 after the choice
    };
    const Row rows[] = {
        {"right for button 1 swaps with button 2", 1, kTagRight, {"01020000", "01010000", "01040000"}},
        {"middle for button 2 swaps with button 3", 2, kTagMiddle, {"01010000", "01040000", "01020000"}},
        {"the same choice changes nothing", 1, kTagLeft, {"01010000", "01020000", "01040000"}},
    };
    for (const auto& r : rows) {
        for (int b = 1; b <= 3; ++b)
            setCode(ButtonMapId::Main, b, std::array{"01010000", "01020000", "01040000"}[b - 1]);
        editor_->refreshKeyLabels(ButtonMapId::Main);
        editor_->showButtonMenu(r.button);
        editor_->Key_SwitchLRMOnClick(r.tag);
        EXPECT_TRUE(visibleMenus().empty());
        for (int b = 1; b <= 3; ++b) {
            EXPECT_EQ(code(ButtonMapId::Main, b), r.codes[static_cast<std::size_t>(b - 1)]) << r.name << " " << b;
            EXPECT_EQ(caption(b), CodeToName(r.codes[static_cast<std::size_t>(b - 1)],
                                             [this](std::string_view k) { return window_->text(k); }, {}))
                << r.name << " " << b;
        }
        EXPECT_EQ(code(ButtonMapId::Switch, 1), "01010000") << r.name;  // other maps untouched
    }
}

TEST_F(ButtonEditorTest, AnUnusualButtonOneTradesItsCode) {
    setCode(ButtonMapId::Main, 1, "01080000");  // Backward, from a profile
    editor_->showButtonMenu(1);
    editor_->Key_SwitchLRMOnClick(kTagRight);
    EXPECT_EQ(code(ButtonMapId::Main, 1), "01020000");
    EXPECT_EQ(code(ButtonMapId::Main, 2), "01080000");
    EXPECT_EQ(caption(2), text("Str213"));
}

TEST_F(ButtonEditorTest, SwitchKeyIsMirroredIntoAllMaps) {
    choose(6, kTagSwitchKey);
    EXPECT_EQ(allMaps(6), (std::array<std::string, 3>{"07000000", "07000000", "07000000"}));
    EXPECT_EQ(caption(6), text("Str242"));
    choose(6, kTagCpi);
    EXPECT_EQ(allMaps(6), (std::array<std::string, 3>{"09000000", "09000000", "09000000"}));
    // Other stores on Main Control stay in MainMap.
    choose(7, kTagMute);
    EXPECT_EQ(allMaps(7), (std::array<std::string, 3>{"0300E200", "09000000", "09000000"}));
}

TEST_F(ButtonEditorTest, MapKeysAreRecognisedByCodeNotByName) {
    // Macro 1 is named like the switch key; it must not be mirrored as one.
    state_.MacroNameList[0] = text("Str242");
    editor_->showButtonMenu(6);
    editor_->LB_NameClick(0);
    EXPECT_EQ(caption(6), text("Str242"));
    EXPECT_EQ(allMaps(6), (std::array<std::string, 3>{"10800000", "09000000", "09000000"}));
    choose(6, kTagCpi);
    EXPECT_EQ(allMaps(6), (std::array<std::string, 3>{"09000000", "09000000", "09000000"}));
    // ...and it does not open the Alternate Key page.
    editor_->showButtonMenu(6);
    editor_->LB_NameClick(0);
    EXPECT_EQ(window_->pageClick(Page::Switch), text("Str020"));
}

TEST_F(ButtonEditorTest, AlternateKeyPageRules) {
    choose(6, kTagSwitchKey);
    setCode(ButtonMapId::Switch, 8, "07010000");
    ASSERT_EQ(window_->pageClick(Page::Switch), std::nullopt);
    EXPECT_EQ(editor_->editedMap(), ButtonMapId::Switch);
    // The switch key entry is disabled, and a click on it stores nothing.
    editor_->showButtonMenu(5);
    editor_->KeyByTagMouseEnter(kGroupSpecial);
    EXPECT_FALSE(controls().find("Key_Profile")->enabled);
    editor_->KeyStatusOnClick(kTagSwitchKey);
    EXPECT_EQ(code(ButtonMapId::Switch, 5), "09000000");
    // The map keys cannot be clicked on this page.
    for (int b : {6, 8}) {
        editor_->showButtonMenu(b);
        EXPECT_TRUE(visibleMenus().empty()) << b;
    }
    // Stores go to SwitchMap alone.
    choose(5, kTagMute);
    EXPECT_EQ(allMaps(5), (std::array<std::string, 3>{"09000000", "0300E200", "09000000"}));
    // Back on Main Control the entry is enabled again.
    ASSERT_EQ(window_->pageClick(Page::Main), std::nullopt);
    editor_->showButtonMenu(5);
    editor_->KeyByTagMouseEnter(kGroupSpecial);
    EXPECT_TRUE(controls().find("Key_Profile")->enabled);
}

TEST_F(ButtonEditorTest, ResetKeyOnlyOnItsMapAndNothingOnTheResetPage) {
    choose(9, kTagResetKey);
    EXPECT_EQ(allMaps(9), (std::array<std::string, 3>{"07010000", "09000000", "09000000"}));
    // Through the Alternate Key page to the Reset Control page: nothing can be stored there.
    choose(6, kTagSwitchKey);
    ASSERT_EQ(window_->pageClick(Page::Switch), std::nullopt);
    choose(9, kTagResetKey);
    ASSERT_EQ(window_->pageClick(Page::Fixed), std::nullopt);
    EXPECT_EQ(editor_->editedMap(), std::nullopt);
    const std::string before(caption(5));
    editor_->KeyStatusOnClick(kTagMute);
    EXPECT_EQ(allMaps(5), (std::array<std::string, 3>{"09000000", "09000000", "09000000"}));
    EXPECT_EQ(caption(5), before);
}

TEST_F(ButtonEditorTest, FireKeyReadsTheBoxesThroughTheirCorrections) {
    struct Row {
        FireKeyBoxes boxes;
        FireKeyBoxes corrected;
        const char* code;
    };
    const Row rows[] = {
        {{"3", "100"}, {"3", "100"}, "060600C8"}, {{"", ""}, {"2", "2"}, "06040004"},
        {{"1", "1"}, {"2", "2"}, "06040004"},     {{"16", "2001"}, {"15", "2000"}, "061E0FA0"},
        {{"0", "0"}, {"0", "0"}, "06000000"},
    };
    for (const auto& r : rows) {
        window_->advanced().editFireKeyBoxes(r.boxes);
        choose(4, kTagFire);
        EXPECT_EQ(code(ButtonMapId::Main, 4), r.code) << r.boxes.repeat << "/" << r.boxes.delay;
        EXPECT_EQ(window_->advanced().fireKeyBoxes(), r.corrected);
        // The boxes show the corrected texts too.
        EXPECT_EQ(controls().caption("Edt_Repeat1"), r.corrected.repeat);
        EXPECT_EQ(controls().caption("Edt_DelayTime1"), r.corrected.delay);
        EXPECT_EQ(caption(4), text("Str230"));
    }
    // The collect step and the write-back store the same timing again.
    window_->UIToDataBuf();
    EXPECT_EQ(state_.FireKey, rows[4].corrected);
    ASSERT_TRUE(state_.writeBack(WriteBackPath::Apply).ok());
}

TEST_F(ButtonEditorTest, MacroChoiceStoresTheBlockAddress) {
    state_.MacroNameList[1] = "Combo";
    editor_->showButtonMenu(8);
    editor_->KeyByTagMouseEnter(kGroupMacro);
    EXPECT_TRUE(controls().visible("LB_Name"));
    editor_->LB_NameClick(1);
    EXPECT_TRUE(visibleMenus().empty());
    EXPECT_EQ(code(ButtonMapId::Main, 8), "10840000");
    EXPECT_EQ(caption(8), "Combo");
    editor_->showButtonMenu(8);
    editor_->LB_NameClick(31);
    EXPECT_EQ(code(ButtonMapId::Main, 8), "10FC0000");
    editor_->showButtonMenu(8);
    editor_->LB_NameClick(32);
    EXPECT_EQ(code(ButtonMapId::Main, 8), "10FC0000");
}

TEST_F(ButtonEditorTest, DialogResultGoesToTheSelectedButton) {
    editor_->showButtonMenu(7);
    editor_->Key_AssemblyClick();
    EXPECT_TRUE(visibleMenus().empty());
    KeyCombination dialog(editor_->pending());
    dialog.setModifier(Modifier::Ctrl, true);
    dialog.setModifier(Modifier::Shift, true);
    dialog.keyDown(0x41, {});
    dialog.confirm();
    editor_->ApplyAssemblyResult();
    EXPECT_EQ(allMaps(7), (std::array<std::string, 3>{"02030400", "09000000", "09000000"}));
    EXPECT_EQ(caption(7), "Ctrl+Shift+A");
}

TEST_F(ButtonEditorTest, DialogResultIsRefusedWhereThePageNoLongerEditsTheButton) {
    struct Row {
        const char* name;
        int button;
        Page page;  // page shown when the dialog confirms
        bool confirmed;
        bool stored;
    };
    const Row rows[] = {
        {"Main Control", 5, Page::Main, true, true},
        {"Alternate Key", 5, Page::Switch, true, true},
        {"not confirmed", 5, Page::Main, false, false},
        {"disabled switch key on Alternate Key", 6, Page::Switch, true, false},
        {"Reset Control", 5, Page::Fixed, true, false},
        {"Advanced page", 5, Page::Advanced, true, false},
        {"button 2 holds a mouse key", 2, Page::Main, true, false},
        {"another button selected since", 7, Page::Main, true, false},
    };
    for (const auto& r : rows) {
        restart();
        choose(6, kTagSwitchKey);
        setCode(ButtonMapId::Switch, 9, "07010000");
        // The dialog opened from button 5, then the user selected another button and page.
        editor_->showButtonMenu(5);
        editor_->Key_AssemblyClick();
        editor_->showButtonMenu(r.button);
        editor_->ClearAP();
        ASSERT_EQ(window_->pageClick(r.page), std::nullopt) << r.name;
        const std::string before(caption(r.button));
        editor_->pending() = {"Ctrl+A", "02010400", r.confirmed};
        editor_->ApplyAssemblyResult();
        const auto m = r.page == Page::Switch ? ButtonMapId::Switch : ButtonMapId::Main;
        EXPECT_EQ(code(m, r.button) == "02010400", r.stored) << r.name;
        if (!r.stored) {
            EXPECT_EQ(caption(r.button), before) << r.name;
        }
    }
}

TEST_F(ButtonEditorTest, ReplacingTheSwitchKeyThroughTheDialogClearsItEverywhere) {
    choose(6, kTagSwitchKey);
    editor_->showButtonMenu(6);
    editor_->Key_AssemblyClick();
    editor_->pending() = {"Ctrl+A", "02010400", true};
    editor_->ApplyAssemblyResult();
    EXPECT_EQ(allMaps(6), (std::array<std::string, 3>{"02010400", "02010400", "02010400"}));
}

}  // namespace
}  // namespace varnel
