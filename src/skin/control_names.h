#pragma once
// The names of the main window's single controls, one constant each, so that a misspelt name
// fails to compile. Families of controls (bar buttons, key labels, DPI steps, menu entries) are
// composed by the functions and tables of skin_tables.h instead. The catalogue creates every
// control under these names; models and views address them through these constants only.
#include <string_view>

namespace varnel::ctrl {

// Containers and radio groups.
inline constexpr std::string_view gbPageCtl = "gbPageCtl";
inline constexpr std::string_view gbLang = "gbLang";
inline constexpr std::string_view gbReport = "gbReport";
inline constexpr std::string_view gbDPI = "gbDPI";
inline constexpr std::string_view gbLED = "gbLED";
inline constexpr std::string_view gbLEDColMode = "gbLEDColMode";

// Page 1: the mouse picture, its overlay and the button editor's menus.
inline constexpr std::string_view Img_P1 = "Img_P1";
inline constexpr std::string_view Disable = "Disable";
// Over page 1's hint line, while no mouse is in use (the picture then shows none).
inline constexpr std::string_view lbl_Hint = "lbl_Hint";
inline constexpr std::string_view Pnl_Main = "Pnl_Main";
inline constexpr std::string_view Pnl_MseKey = "Pnl_MseKey";
inline constexpr std::string_view Pnl_Special = "Pnl_Special";
inline constexpr std::string_view Pnl_WWW = "Pnl_WWW";
inline constexpr std::string_view Pnl_Media = "Pnl_Media";
inline constexpr std::string_view Pnl_LRM = "Pnl_LRM";
inline constexpr std::string_view Key_Standard = "Key_Standard";
inline constexpr std::string_view Key_Special = "Key_Special";
inline constexpr std::string_view Key_Media = "Key_Media";
inline constexpr std::string_view Key_WWW = "Key_WWW";
inline constexpr std::string_view Key_Assembly = "Key_Assembly";
inline constexpr std::string_view Key_Macro = "Key_Macro";
inline constexpr std::string_view Key_Profile = "Key_Profile";  // the switch key entry
inline constexpr std::string_view LB_Name = "LB_Name";

// Page 2: Advanced.
inline constexpr std::string_view Img_P2 = "Img_P2";
inline constexpr std::string_view Edt_Repeat1 = "Edt_Repeat1";
inline constexpr std::string_view Edt_DelayTime1 = "Edt_DelayTime1";
inline constexpr std::string_view lbl_DpiNote = "lbl_DpiNote";  // why the DPI stages show or refuse something

// Page 3: Breathing Light.
inline constexpr std::string_view Img_P3 = "Img_P3";
// Shown while the attached mouse's lighting is not RGB: the page's settings do not reach it.
inline constexpr std::string_view lbl_LightingNote = "lbl_LightingNote";

// Page 4: Macro, with the record-delay panel and the insert panel.
inline constexpr std::string_view Img_P4 = "Img_P4";
inline constexpr std::string_view LB_MacroName = "LB_MacroName";
inline constexpr std::string_view LB_macro = "LB_macro";
inline constexpr std::string_view Gb_Delay = "Gb_Delay";
inline constexpr std::string_view Edt_Delay = "Edt_Delay";
inline constexpr std::string_view Img_InsertBase = "Img_InsertBase";
inline constexpr std::string_view Gb_Insert = "Gb_Insert";
inline constexpr std::string_view CB_Insert = "CB_Insert";
inline constexpr std::string_view Edt_InsertDelay = "Edt_InsertDelay";
inline constexpr std::string_view lbl_Delay = "lbl_Delay";
inline constexpr std::string_view lbl_s_A = "lbl_s_A";
inline constexpr std::string_view GB_Dis = "GB_Dis";
// The macro page's text buttons: each label lies over its picture.
inline constexpr std::string_view Btn_Start = "Btn_Start";
inline constexpr std::string_view Img_Start = "Img_Start";
inline constexpr std::string_view Btn_Del = "Btn_Del";
inline constexpr std::string_view Img_Del = "Img_Del";
inline constexpr std::string_view Btn_Insert = "Btn_Insert";
inline constexpr std::string_view Img_Insert = "Img_Insert";
inline constexpr std::string_view Btn_Clear = "Btn_Clear";
inline constexpr std::string_view Img_Clear = "Img_Clear";
inline constexpr std::string_view Btn_SaveMacro = "Btn_SaveMacro";
inline constexpr std::string_view Img_SaveMacro = "Img_SaveMacro";
inline constexpr std::string_view Btn_New = "Btn_New";
inline constexpr std::string_view Img_New = "Img_New";
inline constexpr std::string_view Btn_ExportOne = "Btn_ExportOne";
inline constexpr std::string_view Img_ExportOne = "Img_ExportOne";
inline constexpr std::string_view Btn_Export = "Btn_Export";
inline constexpr std::string_view Img_Export = "Img_Export";
inline constexpr std::string_view Btn_ImportOne = "Btn_ImportOne";
inline constexpr std::string_view Img_ImportOne = "Img_ImportOne";
inline constexpr std::string_view Btn_Import = "Btn_Import";
inline constexpr std::string_view Img_Import = "Img_Import";
inline constexpr std::string_view Btn_InsertStart = "Btn_InsertStart";
inline constexpr std::string_view Img_InsertStart = "Img_InsertStart";
inline constexpr std::string_view Btn_OK = "Btn_OK";
inline constexpr std::string_view Img_OK = "Img_OK";
inline constexpr std::string_view Btn_Cancel = "Btn_Cancel";
inline constexpr std::string_view Img_Cancel = "Img_Cancel";
// Under the event list: the selected macro's used bytes, and its presses and releases.
inline constexpr std::string_view lbl_MacroBytes = "lbl_MacroBytes";
inline constexpr std::string_view lbl_MacroEvents = "lbl_MacroEvents";
// While recording on a desktop whose other windows' input cannot be read: why only keys and
// buttons in this window are recorded.
inline constexpr std::string_view lbl_RecordNote = "lbl_RecordNote";

// Page 5: Update.
inline constexpr std::string_view Img_P5 = "Img_P5";
inline constexpr std::string_view lbl_BINPath = "lbl_BINPath";
inline constexpr std::string_view lbl_LoadBIN = "lbl_LoadBIN";
inline constexpr std::string_view Btn_LoadBIN = "Btn_LoadBIN";
inline constexpr std::string_view Img_LoadBIN = "Img_LoadBIN";
inline constexpr std::string_view Btn_Program = "Btn_Program";
inline constexpr std::string_view Img_Program = "Img_Program";

}  // namespace varnel::ctrl
