#include "editors/macro_page.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/resources.h"
#include "macros/macro_file.h"
#include "shell/window_model_fixture.h"
#include "skin/skin_tables.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;
using skin::Page;

const std::string kA = "1 A CODE:8204";
const std::string kARelease = "2 A CODE:0204";
const std::string kB = "1 B CODE:8205";
const std::string kBRelease = "2 B CODE:0205";
const std::string kDelay = "0 50";

// The page on the window model after start-up on the embedded image (a Wren), with a Wren
// attached and the Macro page open.
class MacroPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::startWindowModel(state_, started_);
        ASSERT_FALSE(HasFatalFailure());
        window_ = started_.model.get();
        window_->appearance().setChannelsOpen(true);
        state_.DeviceChip = ChipModel::Wren;
        ASSERT_EQ(window_->pageClick(Page::Macro), std::nullopt);
        page_ = &window_->macroPage();
    }
    void TearDown() override {
        if (!dir_.empty()) fs::remove_all(dir_);
    }

    ControlTable& controls() { return window_->controls(); }
    // Macro `index` holds the events `lines` (after a record-delay header).
    void putMacro(std::size_t index, std::vector<std::string> lines) {
        lines.insert(lines.begin(), "10");
        ASSERT_TRUE(ScriptToMacroBlock(lines, state_.DataBuf.nameRecord(index), state_.DataBuf.macroBlock(index)).ok());
    }
    std::vector<std::string> events() const {
        const MacroScript& s = page_->script();
        return s.empty() ? std::vector<std::string>{} : std::vector<std::string>(s.begin() + 1, s.end());
    }
    Bytes usedBytes(std::size_t index) const {
        const auto block = state_.DataBuf.macroBlock(index);
        return Bytes(block.begin(), block.begin() + usedLength(state_.DataBuf.nameRecord(index)));
    }
    fs::path tempDir() {
        if (dir_.empty()) {
            std::string tmpl = (fs::temp_directory_path() / "varnel_macro_page_XXXXXX").string();
            dir_ = ::mkdtemp(tmpl.data());
        }
        return dir_;
    }

    AppState state_;
    testing::StartedWindowModel started_;
    MainWindowModel* window_ = nullptr;
    MacroPage* page_ = nullptr;
    fs::path dir_;
};

TEST_F(MacroPageTest, DeleteTakesThePartnerOfAPressOrReleaseAlong) {
    struct Row {
        std::vector<std::string> lines;
        int selected;
        std::vector<std::string> left;
        int selectedAfter;
    } rows[] = {
        {{kA, kDelay, kARelease}, 0, {kDelay}, 0},
        // A release searches backwards and keeps the pair between.
        {{kA, kB, kBRelease, kARelease}, 3, {kB, kBRelease}, 1},
        {{kA, kARelease, kDelay}, 1, {kDelay}, 0},
        {{kA, kDelay, kARelease}, 1, {kA, kARelease}, 0},
        // The partner is of the other kind: a second press of A is not the first one's partner.
        {{kA, kA, kARelease}, 0, {kA}, 0},
        // Without a partner the selected line goes alone.
        {{kA, kDelay, kBRelease}, 0, {kDelay, kBRelease}, 0},
        {{kDelay, kARelease, kA}, 1, {kDelay, kA}, 0},
        // Partners share the code, not the shown name (keys missing from the key table show none).
        {{"1  CODE:8274", "2  CODE:0276", "2  CODE:0274"}, 0, {"2  CODE:0276"}, 0},
        {{"1 LeftKey CODE:00A1", "1 B CODE:8205", "2 LeftKey CODE:0021"}, 2, {kB}, 0},
        {{kB, kBRelease}, 1, {}, -1},
    };
    for (const auto& r : rows) {
        putMacro(4, r.lines);
        page_->selectMacro(4);
        page_->selectEvent(r.selected);
        state_.MacrosDirty = false;
        page_->deleteEventWithPartner();
        EXPECT_EQ(events(), r.left) << r.lines.size() << " lines, entry " << r.selected;
        EXPECT_EQ(page_->selectedEvent(), r.selectedAfter);
        EXPECT_EQ(controls().find("LB_macro")->items.size(), r.left.size());
        MacroScript script{"10"};
        script.insert(script.end(), r.left.begin(), r.left.end());
        EXPECT_EQ(usedBytes(4), *encodeMacroScript(script)) << "encoded at once";
        EXPECT_TRUE(state_.MacrosDirty);
    }
    EXPECT_EQ(usedBytes(4), (Bytes{0x00}));
    putMacro(4, {kA, kDelay, kARelease});
    page_->selectMacro(4);
    page_->selectEvent(0);
    page_->deleteEventWithPartner();
    EXPECT_EQ(usedBytes(4), (Bytes{0xFE, 0x00, 0x32, 0x00}));
}

TEST_F(MacroPageTest, DelayGoesInFrontOfOrBehindTheSelectedEventInHundredthsOfASecond) {
    struct Row {
        int choice;
        const char* typed;
        int entry;
        const char* line;
        const char* boxAfter;
    } rows[] = {
        {0, "0.05", 3, "0 50", "0.05"}, {1, "2.01", 4, "0 2010", "2.01"}, {0, "99", 3, "0 65530", "65.53"},
        {1, "0", 4, "0 50", "0.05"},    {0, "1.5", 3, "0 1500", "1.50"},
    };
    for (const auto& r : rows) {
        putMacro(0, {kA, kB, kBRelease, kARelease, kDelay});
        page_->selectMacro(0);
        page_->selectEvent(3);
        page_->openInsertPanel();
        ASSERT_TRUE(page_->insertPanelOpen());
        page_->chooseInsertion(r.choice);
        page_->delayTyped("Edt_InsertDelay", r.typed);
        page_->delayEdited("Edt_InsertDelay");
        EXPECT_EQ(controls().caption("Edt_InsertDelay"), r.boxAfter);
        EXPECT_EQ(page_->confirmInsertion(), std::nullopt);
        ASSERT_EQ(events().size(), 6u);
        EXPECT_EQ(events()[static_cast<std::size_t>(r.entry)], r.line) << r.typed;
        EXPECT_EQ(page_->selectedEvent(), r.entry);
        EXPECT_FALSE(page_->insertPanelOpen());
        EXPECT_EQ(usedBytes(0), *encodeMacroScript(page_->script()));
    }
}

TEST_F(MacroPageTest, AnInsertionThatWouldPassTheBlockIsRefused) {
    // 341 delays of 3 bytes and the end byte: 1024 bytes, full.
    putMacro(9, std::vector<std::string>(341, kDelay));
    page_->selectMacro(9);
    const Bytes before = usedBytes(9);
    ASSERT_EQ(before.size(), 1024u);
    page_->selectEvent(0);
    page_->openInsertPanel();
    EXPECT_EQ(page_->confirmInsertion(), std::optional<std::string>("Str434"));
    EXPECT_TRUE(page_->insertPanelOpen());
    EXPECT_EQ(events().size(), 341u);
    EXPECT_EQ(usedBytes(9), before);
}

TEST_F(MacroPageTest, CancelRestoresTheMacroAsLastEncoded) {
    putMacro(1, {kA, kDelay, kARelease});
    page_->selectMacro(1);
    page_->selectEvent(1);
    page_->LB_macroScrolled(1);
    page_->openInsertPanel();
    EXPECT_FALSE(page_->beginInsertRecording()) << "delays are not recorded";
    page_->chooseInsertion(3);
    ASSERT_TRUE(page_->beginInsertRecording());
    EXPECT_FALSE(controls().find("Btn_OK")->enabled);
    EXPECT_EQ(page_->confirmInsertion(), std::nullopt);
    EXPECT_TRUE(page_->insertPanelOpen());
    for (const auto& e : {InputEvent::keyDown(0x42, 0), InputEvent::keyUp(0x42, 50)})
        EXPECT_TRUE(page_->recordInput(e, false).ok());
    EXPECT_EQ(events(), (std::vector<std::string>{kA, kDelay, kB, kDelay, kBRelease, kARelease}))
        << "a run behind the selected event keeps its order";
    page_->endInsertRecording();
    page_->cancelInsertion();
    EXPECT_FALSE(page_->insertPanelOpen());
    EXPECT_EQ(events(), (std::vector<std::string>{kA, kDelay, kARelease}));
    EXPECT_EQ(page_->selectedEvent(), 1);
    EXPECT_EQ(controls().find("LB_macro")->topIndex, 1);
    EXPECT_TRUE(controls().visible("Gb_Delay"));
    EXPECT_TRUE(controls().find("LB_MacroName")->enabled);
}

TEST_F(MacroPageTest, TheInsertPanelStaysOpenAcrossPagesAndLanguagesButNotANewImage) {
    putMacro(1, {kA, kARelease});
    page_->selectMacro(1);
    page_->openInsertPanel();
    page_->chooseInsertion(2);
    EXPECT_FALSE(controls().find("Btn_Start")->enabled);
    ASSERT_EQ(window_->pageClick(Page::Advanced), std::nullopt);
    window_->languageClick(2);
    ASSERT_EQ(window_->pageClick(Page::Macro), std::nullopt);
    EXPECT_TRUE(controls().visible("Gb_Insert"));
    EXPECT_TRUE(controls().visible("Img_InsertBase"));
    EXPECT_FALSE(controls().visible("Gb_Delay"));
    EXPECT_EQ(controls().find("CB_Insert")->itemIndex, 2);
    EXPECT_EQ(controls().picture("Img_InsertBase"), "InsertKeyBase");

    // A new image (a read, Reset, a profile) replaces the macro the panel worked on.
    window_->RefreshUI();
    EXPECT_EQ(page_->selectedMacro(), std::nullopt);
    EXPECT_FALSE(page_->insertPanelOpen());
    EXPECT_TRUE(controls().visible("Gb_Delay"));
    EXPECT_TRUE(controls().find("LB_MacroName")->enabled);
}

TEST_F(MacroPageTest, ClearEmptiesTheMacroAndKeepsItsName) {
    EXPECT_FALSE(page_->startClear()) << "no macro selected";
    putMacro(5, {kA, kARelease});
    page_->selectMacro(5);
    ASSERT_TRUE(page_->startClear());
    page_->clearSelectedMacro();
    EXPECT_EQ(usedLength(state_.DataBuf.nameRecord(5)), 0);
    EXPECT_EQ(Bytes(state_.DataBuf.macroBlock(5).begin(), state_.DataBuf.macroBlock(5).end()), Bytes(1024, 0xFF));
    EXPECT_EQ(readMacroName(state_.DataBuf.nameRecord(5)), "Macro6");
    page_->selectMacro(5);
    EXPECT_TRUE(page_->script().empty());
    EXPECT_TRUE(controls().find("LB_macro")->items.empty());
}

// A changed macro or name marks the macros; a button whose dialog or panel was left changes none.
TEST_F(MacroPageTest, OnlyAChangeMarksTheMacros) {
    const struct Row {
        std::function<void(MacroPage&)> act;
        bool dirty;
    } rows[] = {
        {[](MacroPage& p) { p.startImportOne(); }, false},
        {[](MacroPage& p) { p.startClear(); }, false},
        {[](MacroPage& p) { p.startRename(); }, false},
        {[](MacroPage& p) { p.openInsertPanel(), p.cancelInsertion(); }, false},
        {[](MacroPage& p) { p.startClear(), p.clearSelectedMacro(); }, true},
        {[](MacroPage& p) { p.startRename(), p.confirmRename("X"); }, true},
    };
    for (const auto& r : rows) {
        putMacro(4, {kA, kARelease});
        page_->selectMacro(4);
        state_.MacrosDirty = false;
        r.act(*page_);
        EXPECT_EQ(state_.MacrosDirty, r.dirty) << (&r - rows);
    }
}

TEST_F(MacroPageTest, ARenameReachesTheRecordOnlyWhenTheNamesAreWritten) {
    page_->selectMacro(9);
    ASSERT_TRUE(page_->startRename());
    page_->confirmRename("AB");
    EXPECT_EQ(state_.MacroNameList[9], "AB");
    EXPECT_EQ(controls().find("LB_MacroName")->items[9], "AB");
    EXPECT_EQ(controls().find("LB_Name")->items[9], "AB");
    auto file = page_->exportOne(tempDir() / "ten");
    ASSERT_TRUE(file.ok());
    EXPECT_EQ(readMacroName(readFileAtMost(*file, 1056)->bytes), "Macro10");
    page_->confirmRename("");
    EXPECT_EQ(state_.MacroNameList[9], "AB") << "an empty name changes nothing";

    // The mouse left while the dialog was open: the confirm finds no macro selected.
    window_->deviceRemovedAfterMessage(true);
    EXPECT_EQ(page_->selectedMacro(), std::nullopt);
    page_->confirmRename("CD");
    EXPECT_EQ(state_.MacroNameList[9], "AB");
}

// Names count UTF-16 units, as the record stores them; a rename starts from the current name.
TEST_F(MacroPageTest, RenameShowsTheRoomLeftAndRefusesMore) {
    const std::pair<std::string, std::optional<int>> rows[] = {
        {"", 14}, {"Macro1", 8}, {"ABCDEFGHIJKLMN", 0}, {"ABCDEFGHIJKLMNO", -1},
        {"\u00D1and\u00FA", 9}, {"\U0001F600", 12}, {"\xFF", std::nullopt},
    };
    for (const auto& [typed, room] : rows) EXPECT_EQ(MacroPage::nameRoom(typed), room) << typed;
    page_->selectMacro(9);
    ASSERT_TRUE(page_->startRename());
    EXPECT_EQ(page_->pendingName(), "Macro10");
    page_->confirmRename("ABCDEFGHIJKLMNO");
    EXPECT_EQ(state_.MacroNameList[9], "Macro10");
}

// An imported macro whose name another macro has is offered a numbered one within the limit.
TEST_F(MacroPageTest, AnImportedNameTwiceIsOfferedANumberedOne) {
    const struct Row {
        std::vector<std::string> others;  // names of macros 1, 2, ...
        std::string own;
        std::optional<std::string> offered;
    } rows[] = {
        {{"Solo"}, "Jump", std::nullopt},
        {{"Jump"}, "Jump", "Jump (2)"},
        {{"Jump", "Jump (2)"}, "Jump", "Jump (3)"},
        {{"ABCDEFGHIJKLMN"}, "ABCDEFGHIJKLMN", "ABCDEFGHIJ (2)"},
        {{"\u00D1\u00D1\u00D1\u00D1\u00D1\u00D1\u00D1\u00D1\u00D1\u00D1\u00D1\u00D1"},
         "\u00D1\u00D1\u00D1\u00D1\u00D1\u00D1\u00D1\u00D1\u00D1\u00D1\u00D1\u00D1",
         "\u00D1\u00D1\u00D1\u00D1\u00D1\u00D1\u00D1\u00D1\u00D1\u00D1 (2)"},
    };
    page_->selectMacro(0);
    for (const Row& r : rows) {
        for (std::size_t i = 0; i < state_.MacroNameList.size(); ++i) state_.MacroNameList[i] = "M" + std::to_string(i);
        for (std::size_t i = 0; i < r.others.size(); ++i) state_.MacroNameList[i + 1] = r.others[i];
        state_.MacroNameList[0] = r.own;
        EXPECT_EQ(page_->distinctImportedName(), r.offered) << r.own;
    }
}

// Record asks before it replaces events; an empty macro counts 0 bytes however it was emptied;
// the delay choices not taken show unlit lamps.
TEST_F(MacroPageTest, RecordAsksOverEventsEmptyCountsNothingAndEveryLampShows) {
    page_->selectMacro(5);
    EXPECT_FALSE(page_->recordingReplaces());
    ASSERT_TRUE(window_->recordClick(false).ok());
    ASSERT_TRUE(window_->recordClick(false).ok());
    EXPECT_EQ(controls().caption("lbl_MacroBytes"), "0 / 1024 bytes");
    putMacro(5, {kA, kARelease});
    page_->selectMacro(5);
    EXPECT_TRUE(page_->recordingReplaces());
    // Every delay choice shows its lamp; only the macro's own is lit.
    int lit = 0;
    for (const auto lamp : skin::kRecordDelays.lamps) {
        EXPECT_TRUE(controls().visible(lamp));
        lit += controls().checked(lamp);
    }
    EXPECT_EQ(lit, 1);
}

TEST_F(MacroPageTest, MacroFilesMoveOneMacroOrAll) {
    putMacro(2, {kA, kDelay, kARelease});
    page_->selectMacro(2);
    ASSERT_TRUE(page_->startExportOne());
    auto one = page_->exportOne(tempDir() / "three");
    ASSERT_TRUE(one.ok());
    state_.MacrosDirty = false;
    page_->selectMacro(6);
    ASSERT_TRUE(page_->startImportOne());
    ASSERT_TRUE(page_->importOne(*one).ok());
    EXPECT_TRUE(state_.MacrosDirty);
    EXPECT_EQ(state_.MacroNameList[6], "Macro3");
    EXPECT_EQ(controls().find("LB_MacroName")->items[6], "Macro3");
    EXPECT_EQ(events(), (std::vector<std::string>{kA, kDelay, kARelease}));
    EXPECT_EQ(usedBytes(6), usedBytes(2));

    const DataBuf before = state_.DataBuf;
    auto all = page_->exportAll(tempDir() / "all");
    ASSERT_TRUE(all.ok());
    EXPECT_EQ(fs::file_size(*all), 33792u);
    ASSERT_TRUE(page_->importAll(*all).ok());
    EXPECT_EQ(state_.DataBuf, before);

    const Bytes shortFile(1055, 0);
    ASSERT_TRUE(writeFileAtomic(tempDir() / "short.bin", shortFile).ok());
    const auto refused = page_->importOne(tempDir() / "short.bin");
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().languageKey, "Str435");
    EXPECT_EQ(state_.DataBuf, before);
}

TEST_F(MacroPageTest, ExportAllWithoutAMouseGivesTheDefaultMacroArea) {
    state_.DeviceChip.reset();
    auto all = page_->exportAll(tempDir() / "defaults.bin");
    ASSERT_TRUE(all.ok());
    const auto image = findResource("VarnelData");
    ASSERT_TRUE(image.ok());
    EXPECT_EQ(readFileAtMost(*all, 33792)->bytes, Bytes(image->begin() + 192, image->end()));
}

TEST_F(MacroPageTest, AFullMacroShowsItsLastEntryOnRedAndItsUsage) {
    window_->languageClick(2);
    std::vector<std::string> lines;
    for (int i = 0; i < 100; ++i) {
        lines.push_back(kA);
        lines.push_back(kARelease);
    }
    putMacro(0, lines);
    page_->selectMacro(0);
    EXPECT_TRUE(page_->eventEntry(199).full);
    EXPECT_FALSE(page_->eventEntry(198).full);
    EXPECT_EQ(page_->eventEntry(199).picture, "MacroEvent_2");
    EXPECT_EQ(page_->eventEntry(199).text, "A");
    EXPECT_EQ(controls().caption("lbl_MacroBytes"), "401 / 1024 bytes");
    EXPECT_EQ(controls().caption("lbl_MacroEvents"), "Presses 100 / 100, releases 100 / 100");
    page_->selectEvent(199);
    page_->deleteEventWithPartner();
    EXPECT_FALSE(page_->eventEntry(197).full);
}

TEST_F(MacroPageTest, ARecordingFillsTheListLiveAndIsEncodedAtStop) {
    window_->languageClick(2);
    putMacro(3, {kB, kDelay, kBRelease});  // decodes with record delay
    page_->selectMacro(3);
    // Clicked under the pointer: the caption scrolls on as "Stop" and stays so when it leaves.
    window_->navigation().hoverEnter("Btn_Start");
    ASSERT_TRUE(window_->recordClick(false).ok());
    window_->navigation().hoverLeave("Btn_Start");
    EXPECT_EQ(controls().caption("Btn_Start"), "Stop");
    EXPECT_FALSE(controls().find("Gb_Delay")->enabled);
    EXPECT_EQ(events(), std::vector<std::string>{});
    EXPECT_TRUE(page_->recordInput(InputEvent::keyDown(0x41, 100), false).ok());
    EXPECT_TRUE(page_->recordInput(InputEvent::keyUp(0x41, 220), false).ok());
    EXPECT_EQ(events(), (std::vector<std::string>{kA, "0 120", kARelease}));
    EXPECT_EQ(page_->selectedEvent(), 2);
    EXPECT_EQ(controls().caption("lbl_MacroBytes"), "8 / 1024 bytes") << "counted before the macro is encoded";
    EXPECT_EQ(usedBytes(3), (Bytes{0x82, 0x05, 0xFE, 0x00, 0x32, 0x02, 0x05, 0x00}));
    ASSERT_TRUE(window_->recordClick(false).ok());
    EXPECT_EQ(controls().caption("Btn_Start"), "Record");
    EXPECT_EQ(usedBytes(3), (Bytes{0x82, 0x04, 0xFE, 0x00, 0x78, 0x02, 0x04, 0x00}));
    EXPECT_TRUE(page_->recordInput(InputEvent::keyDown(0x41, 300), false).ok());
    EXPECT_EQ(events().size(), 3u) << "nothing is recorded after Stop";
}

TEST_F(MacroPageTest, TheMouseLeavingEndsTheRecording) {
    page_->selectMacro(5);
    ASSERT_TRUE(window_->recordClick(false).ok());
    page_->setGlobalCapture(false);
    EXPECT_TRUE(controls().visible("lbl_RecordNote"));
    EXPECT_TRUE(page_->recordInput(InputEvent::keyDown(0x41, 0), false).ok());
    window_->deviceRemovedBeforeMessage();
    EXPECT_FALSE(page_->recording());
    EXPECT_FALSE(controls().visible("lbl_RecordNote"));
    window_->deviceRemovedAfterMessage(true);
    EXPECT_TRUE(page_->recordInput(InputEvent::keyUp(0x41, 10), false).ok());
    EXPECT_EQ(page_->selectedMacro(), std::nullopt);
    EXPECT_TRUE(page_->script().empty());
}

}  // namespace
}  // namespace varnel
