#pragma once
// The window's control families as data: every name the layout file, the language files and the
// page navigation address is composed from these tables, so each name is spelt in one place.
#include <array>
#include <string>
#include <string_view>

#include "skin/control_names.h"
#include "skin/controls.h"

namespace varnel::skin {

constexpr int kPageGroupCount = 5;  // gbPage1 .. gbPage5
constexpr int kLanguageCount = 3;   // LANG1 .. LANG3 and skins L1 .. L3
constexpr int kKeyLabelCount = 9;   // Key1 .. Key9
constexpr int kTenStepCount = 10;   // segments of a pointer-setting or breathing-time bar
constexpr int kDpiLevelCount = 4;   // DPI1 .. DPI4
constexpr int kDpiStepCount = 20;   // Img_DPIn_1 .. Img_DPIn_20

// Hover families of the buttons: which pictures a button shows normally and under the pointer.
enum class HoverFamily { A, B, C, D, E, F, Record, G, Web, Minimise };

struct FamilyPictures {
    HoverFamily family;
    std::string_view normal;
    std::string_view hover;
    std::string_view third;  // pressed, current page/language, or clicked (Web)
};

constexpr std::array<FamilyPictures, 10> kFamilyPictures{{
    {HoverFamily::A, "BtnS_01", "BtnS_02", "BtnS_03"},
    {HoverFamily::B, "SetS_01", "SetS_03", "SetS_02"},
    {HoverFamily::C, "KeyS_01", "KeyS_02", ""},
    {HoverFamily::D, "SetS_01", "SetS_03", "SetS_02"},
    {HoverFamily::E, "KeyS_01", "KeyS_02", ""},
    {HoverFamily::F, "MacroS_01", "MacroS_02", "MacroS_03"},
    {HoverFamily::Record, "MacroS_01", "MacroS_02", "MacroS_03"},
    {HoverFamily::G, "MacroBtnS_01", "MacroBtnS_02", "MacroBtnS_03"},
    {HoverFamily::Web, "WebS_01", "WebS_03", "WebS_02"},
    {HoverFamily::Minimise, "MinS_01", "MinS_02", "MinS_03"},
}};

const FamilyPictures& familyPictures(HoverFamily f);

// A button that every page carries a copy of: "Btn_" + base + "_" + page over "Img_" + base + ...
struct BarButton {
    std::string_view base;
    std::string_view layoutId;    // "Btn_A1": keys Btn_A1_Enable, Btn_A1_X, Btn_A1_Y
    std::string_view captionKey;  // language key of its caption
    HoverFamily family;
};

constexpr std::array<BarButton, 4> kActionButtons{{
    {"Confirm", "Btn_A1", "Str000", HoverFamily::A},
    {"Apply", "Btn_A2", "Str001", HoverFamily::A},
    {"Reset", "Btn_A3", "Str002", HoverFamily::A},
    {"Exit", "Btn_A4", "Str003", HoverFamily::A},
}};

// Page and language buttons, in the order the layout file places them.
constexpr std::array<BarButton, 12> kPageButtons{{
    {"Main", "Btn_B1", "Str004", HoverFamily::B},
    {"Switch", "Btn_B2", "Str005", HoverFamily::B},
    {"Fixed", "Btn_B3", "Str006", HoverFamily::B},
    {"Adv", "Btn_B4", "Str007", HoverFamily::B},
    {"Breath", "Btn_B5", "Str008", HoverFamily::B},
    {"Macro", "Btn_B11", "Str014", HoverFamily::B},
    {"Update", "Btn_B12", "Str015", HoverFamily::B},
    {"Save", "Btn_B6", "Str009", HoverFamily::B},
    {"Load", "Btn_B7", "Str010", HoverFamily::B},
    {"Lang1", "Btn_B8", "Str011", HoverFamily::D},
    {"Lang2", "Btn_B9", "Str012", HoverFamily::D},
    {"Lang3", "Btn_B10", "Str013", HoverFamily::D},
}};

constexpr BarButton kWebButton{"Web", "Web", "", HoverFamily::Web};
// The minimise control beside Exit: a picture without a caption, named by its tip.
constexpr BarButton kMinimiseButton{"Min", "Btn_A5", "", HoverFamily::Minimise};
constexpr std::string_view kMinimiseTipKey = "Str573";

// "Btn_Main_3", "Img_Main_3", "gbPage3".
std::string barLabel(std::string_view base, int page);
std::string barPicture(std::string_view base, int page);
std::string pageGroup(int page);
std::string baseImage(int page);               // "Img_Base_3": the page group's background
bool isBaseImage(std::string_view name);       // one of the page groups' backgrounds
std::string pageOverlay(int page);             // "Disable_All_3": swallows all input on its page while shown
std::string mouseStateLine(int page);          // "lbl_MouseState_3": the header's line while no mouse is in use
std::string languageButtonBase(int language);  // "Lang2"
std::string languageRadio(int language);       // "rb_Lang2"

// The seven pages: radio marker, page button, group shown, picture control, page picture number.
enum class Page { Main = 1, Switch, Fixed, Advanced, Breathing, Macro, Update };

struct PageInfo {
    Page page;
    std::string_view radio;
    std::string_view button;          // base name of the page button
    int group;                        // gbPage number
    std::string_view pictureControl;  // empty: the page has no language picture
    int backNumber;                   // "L1_Back<n>"; 0 = none
};

// The read-only Reset Control page shows the mouse of picture 1 without its "click a button to
// assign its function" line: picture 5.

constexpr std::array<PageInfo, 7> kPages{{
    {Page::Main, "rb_1", "Main", 1, ctrl::Img_P1, 1},
    {Page::Switch, "rb_2", "Switch", 1, ctrl::Img_P1, 1},
    {Page::Fixed, "rb_3", "Fixed", 1, ctrl::Img_P1, 5},
    {Page::Advanced, "rb_4", "Adv", 2, ctrl::Img_P2, 2},
    {Page::Breathing, "rb_5", "Breath", 3, ctrl::Img_P3, 3},
    {Page::Macro, "rb_6", "Macro", 4, ctrl::Img_P4, 4},
    {Page::Update, "rb_7", "Update", 5, "", 0},
}};

const PageInfo& pageInfo(Page p);
bool isButtonMapPage(Page p);

// Skin pictures: "L2_BackGround", "L2_Back3".
std::string backgroundPicture(int skin);
std::string pagePicture(int skin, int backNumber);

// "Key3" and its picture "Img_Key3".
std::string keyLabel(int n);
std::string keyPicture(int n);

// A series of ten segments with number labels under them.
struct TenStepBar {
    std::string_view layoutKey;  // keys <key>_X, <key>_Y
    std::string_view picture;    // "Img_Spd" + step
    std::string_view label;      // "lbl_Spd" + step
    int page;
};

constexpr std::array<TenStepBar, 3> kPointerBars{{
    {"Spd", "Img_Spd", "lbl_Spd", 2},
    {"DbSpd", "Img_DbSpd", "lbl_DbSpd", 2},
    {"ScrSpd", "Img_ScrSpd", "lbl_ScrSpd", 2},
}};

// Segment `step` (1..10) of a bar and the number under it: "Img_Off3", "lbl_Off3".
std::string barStep(const TenStepBar& bar, int step);
std::string barNumber(const TenStepBar& bar, int step);
// The line of notes on a pointer bar's caption row: "lbl_SpdNote".
std::string barNote(const TenStepBar& bar);

constexpr std::array<TenStepBar, 4> kBreathBars{{
    {"OffTime", "Img_Off", "lbl_Off", 3},
    {"RaiseTime", "Img_Raise", "lbl_Raise", 3},
    {"OnTime", "Img_On", "lbl_On", 3},
    {"FallTime", "Img_Fall", "lbl_Fall", 3},
}};

// An option picture with its click label at X - 4 and Y + labelDy.
struct OptionPicture {
    std::string_view layoutKey;
    std::string_view picture;
    std::string_view label;
    std::string_view radio;
    int labelDy;
};

constexpr std::array<OptionPicture, 2> kReportOptions{{
    {"Rep1", "Img_Rep1", "lbl_Rep1", "rb_Rep1", -2},
    {"Rep2", "Img_Rep2", "lbl_Rep2", "rb_Rep2", -2},
}};

constexpr std::array<OptionPicture, 4> kLedModes{{
    {"LEDMode1", "Img_Colorful", "lbl_Colorful", "rb_Colorful", -2},
    {"LEDMode2", "Img_Locked", "lbl_Locked", "rb_Locked", -2},
    {"LEDMode3", "Img_CPIColor", "lbl_CPIColor", "rb_CPIColor", -2},
    {"LEDMode4", "Img_Close", "lbl_Close", "rb_Close", -2},
}};

constexpr std::array<OptionPicture, 2> kColourSources{{
    {"LEDColorMode1", "Img_LEDColMode1", "lbl_LEDColMode1", "rb_LEDColMode1", -4},
    {"LEDColorMode2", "Img_LEDColMode2", "lbl_LEDColMode2", "rb_LEDColMode2", -4},
}};

// A colour swatch: shape under a frame picture under a click label, all at one point.
struct Swatch {
    std::string_view layoutKey;  // keys <key>_X, <key>_Y
    std::string_view frame;
    std::string_view shape;
    std::string_view label;
    std::string_view edits;  // hidden percentage fields <edits>R/G/B
};

constexpr std::array<Swatch, 2> kLightingSwatches{{
    {"LEDColor1", "Img_Mode1Color", "cs_Mode1", "lbl_csmode1", "Edt_Mode1"},
    {"LEDColor2", "Img_Mode2Color", "cs_Mode2", "lbl_csmode2", "Edt_Mode2"},
}};

constexpr std::array<Swatch, 4> kDpiSwatches{{
    {"DPI1_Color", "Img_DPI1Color", "cs_CPI1", "lbl_cscpi1", "Edt_CPI1"},
    {"DPI2_Color", "Img_DPI2Color", "cs_CPI2", "lbl_cscpi2", "Edt_CPI2"},
    {"DPI3_Color", "Img_DPI3Color", "cs_CPI3", "lbl_cscpi3", "Edt_CPI3"},
    {"DPI4_Color", "Img_DPI4Color", "cs_CPI4", "lbl_cscpi4", "Edt_CPI4"},
}};

// DPI level d: "Img_DPI<d>" check box, "lbl_DPI<d>", "lbl_DPI<d>Value", "Img_DPI<d>_<step>",
// and its hidden radio button "rb_DPI<d>".
std::string dpiCheck(int level);
std::string dpiCaption(int level);
std::string dpiValue(int level);
std::string dpiStep(int level, int step);
std::string dpiKey(int level, std::string_view part);  // dpiKey(2, "Steps") = "DPI2_Steps"
std::string dpiRadio(int level);

// The pictures of a control with two states.
struct OnOffPictures {
    std::string_view on;
    std::string_view off;
    constexpr std::string_view of(bool state) const { return state ? on : off; }
};

constexpr OnOffPictures kTenStepSegment{"Bar1_E", "Bar1_D"};  // lit, unlit step of a ten-step bar
// A pointer bar's steps up to the one nearest a desktop value that is on no step.
constexpr std::string_view kTenStepNearest = "Bar1_N";
constexpr OnOffPictures kDpiSegment{"Bar2_E", "Bar2_D"};      // lit, unlit step of a DPI bar
constexpr OnOffPictures kCheckBox{"CbS_E", "CbS_D"};          // the current DPI stage, another one
constexpr OnOffPictures kOptionMark{"RdS_E", "RdS_D"};        // chosen, not chosen option

// Entries of the macro page's event list (LB_macro) and of the macro picker (LB_Name).
constexpr int kMacroEventHeight = 20;

// A text button of the macro, insert or update page: picture and label at one point.
struct PictureButton {
    std::string_view layoutKey;
    std::string_view picture;
    std::string_view label;
    std::string_view parent;
    HoverFamily family;
    std::string_view captionKey;
};

// In the order the layout file places them.
constexpr std::array<PictureButton, 10> kMacroButtons{{
    {"BtnStart", ctrl::Img_Start, ctrl::Btn_Start, "gbPage4", HoverFamily::Record, "Str400"},
    {"BtnDel", ctrl::Img_Del, ctrl::Btn_Del, "gbPage4", HoverFamily::F, "Str408"},
    {"BtnInsert", ctrl::Img_Insert, ctrl::Btn_Insert, "gbPage4", HoverFamily::F, "Str409"},
    {"BtnClear", ctrl::Img_Clear, ctrl::Btn_Clear, "gbPage4", HoverFamily::F, "Str403"},
    {"BtnSaveMacro", ctrl::Img_SaveMacro, ctrl::Btn_SaveMacro, "gbPage4", HoverFamily::F, "Str431"},
    {"BtnRename", ctrl::Img_New, ctrl::Btn_New, "gbPage4", HoverFamily::F, "Str402"},
    {"BtnExportOne", ctrl::Img_ExportOne, ctrl::Btn_ExportOne, "gbPage4", HoverFamily::F, "Str404"},
    {"BtnExport", ctrl::Img_Export, ctrl::Btn_Export, "gbPage4", HoverFamily::F, "Str405"},
    {"BtnImportOne", ctrl::Img_ImportOne, ctrl::Btn_ImportOne, "gbPage4", HoverFamily::F, "Str406"},
    {"BtnImport", ctrl::Img_Import, ctrl::Btn_Import, "gbPage4", HoverFamily::F, "Str407"},
}};

constexpr std::array<PictureButton, 3> kInsertButtons{{
    {"InsertBtnStart", ctrl::Img_InsertStart, ctrl::Btn_InsertStart, ctrl::Gb_Insert, HoverFamily::Record, "Str400"},
    {"InsertBtnOK", ctrl::Img_OK, ctrl::Btn_OK, ctrl::Gb_Insert, HoverFamily::G, "Str420"},
    {"InsertBtnCancel", ctrl::Img_Cancel, ctrl::Btn_Cancel, ctrl::Gb_Insert, HoverFamily::G, "Str422"},
}};

// The file dialogs' filters name what the ".bin" files are, in the window's language.
constexpr std::string_view kProfileFilterKey = "Str570";
constexpr std::string_view kFirmwareFilterKey = "Str571";
constexpr std::string_view kMacroFilterKey = "Str572";

constexpr std::array<PictureButton, 2> kUpdateButtons{{
    {"Btn_LoadBin", ctrl::Img_LoadBIN, ctrl::Btn_LoadBIN, "gbPage5", HoverFamily::E, "Str440"},
    {"Btn_Program", ctrl::Img_Program, ctrl::Btn_Program, "gbPage5", HoverFamily::E, "Str441"},
}};

// Three delay choices: a lamp at X, Y + j * H and its click label at X - 2.
struct DelayTriplet {
    std::string_view layoutKey;  // keys <key>_X, <key>_Y, <key>_H
    std::string_view parent;
    std::array<std::string_view, 3> lamps;
    std::array<std::string_view, 3> labels;
    std::array<std::string_view, 3> captionKeys;  // empty: the text is part of the page picture
};

constexpr DelayTriplet kRecordDelays{"RecDelay",
                                     ctrl::Gb_Delay,
                                     {"LED_RecDelay", "LED_DelayTime", "LED_NoDelay"},
                                     {"IB_RecDelay", "IB_DelayTime", "IB_NoDelay"},
                                     {"", "", ""}};

constexpr DelayTriplet kInsertDelays{"InsertRecDelay",
                                     ctrl::Gb_Insert,
                                     {"LED_InsertRecDelay", "LED_InsertDelayTime", "LED_InsertNoDelay"},
                                     {"IB_InsertRecDelay", "IB_InsertDelayTime", "IB_InsertNoDelay"},
                                     {"Str414", "Str415", "Str416"}};

// Items of CB_Insert, in order.
constexpr std::array<std::string_view, 4> kInsertChoiceKeys{"Str410", "Str411", "Str412", "Str413"};

// The menus' entry colours, one style for the button menus, the macro picker and the drop-downs:
// light text on the dark panel, white on the skin's red under the pointer.
constexpr Rgb kMenuEntryText{226, 228, 232};
constexpr Rgb kMenuEntryLitText{255, 255, 255};
constexpr Rgb kMenuEntryLitBack{170, 28, 42};

// The button editor's menus: popup panels and the group entries of Pnl_Main.
constexpr std::array<std::string_view, 6> kMenuPanels{ctrl::Pnl_Main, ctrl::Pnl_MseKey, ctrl::Pnl_Special,
                                                      ctrl::Pnl_WWW,  ctrl::Pnl_Media,  ctrl::Pnl_LRM};

// Height of Pnl_Main: a mouse with macros has the extra Macro entry.
constexpr int pnlMainHeight(bool withMacros) { return withMacros ? 146 : 122; }

struct MenuEntry {
    std::string_view name;
    std::string_view panel;
    std::string_view captionKey;
};

constexpr std::array<MenuEntry, 6> kMenuGroups{{
    {ctrl::Key_Standard, ctrl::Pnl_Main, "Str201"},
    {ctrl::Key_Special, ctrl::Pnl_Main, "Str202"},
    {ctrl::Key_Media, ctrl::Pnl_Main, "Str203"},
    {ctrl::Key_WWW, ctrl::Pnl_Main, "Str204"},
    {ctrl::Key_Assembly, ctrl::Pnl_Main, "Str205"},
    {ctrl::Key_Macro, ctrl::Pnl_Main, "Str206"},
}};

// Hidden radio groups: the group container and its members.
struct RadioGroup {
    std::string_view group;
    std::string_view parent;
    std::array<std::string_view, 7> radios;  // unused entries are empty
};

constexpr std::array<RadioGroup, 6> kRadioGroups{{
    {ctrl::gbPageCtl, "", {"rb_1", "rb_2", "rb_3", "rb_4", "rb_5", "rb_6", "rb_7"}},
    {ctrl::gbLang, "", {"rb_Lang1", "rb_Lang2", "rb_Lang3", "", "", "", ""}},
    {ctrl::gbReport, "gbPage2", {"rb_Rep1", "rb_Rep2", "", "", "", "", ""}},
    {ctrl::gbDPI, "gbPage2", {"rb_DPI1", "rb_DPI2", "rb_DPI3", "rb_DPI4", "", "", ""}},
    {ctrl::gbLED, "gbPage3", {"rb_Colorful", "rb_Locked", "rb_CPIColor", "rb_Close", "", "", ""}},
    {ctrl::gbLEDColMode, "gbPage3", {"rb_LEDColMode1", "rb_LEDColMode2", "", "", "", "", ""}},
}};

}  // namespace varnel::skin
