#pragma once
// Every picture of the skin, by the name the window loads it under, with the function that draws it.
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

namespace skinart {

// Picture sizes the layout file is designed for.
namespace size {
inline constexpr QSize kActionButton{48, 22};     // BtnS
inline constexpr QSize kPageButton{110, 26};      // SetS
inline constexpr QSize kKeyLabel{164, 30};        // KeyS
inline constexpr QSize kWebButton{110, 26};       // WebS
inline constexpr QSize kMinimiseButton{22, 22};   // MinS
inline constexpr QSize kMacroButton{100, 22};     // MacroS
inline constexpr QSize kPanelButton{46, 22};      // MacroBtnS
inline constexpr QSize kInsertBase{222, 152};     // InsertDelayBase, InsertKeyBase
inline constexpr QSize kTenStep{28, 8};           // Bar1
inline constexpr QSize kDpiStep{16, 6};           // Bar2
inline constexpr QSize kCheck{16, 16};            // CbS, RdS
inline constexpr QSize kColourFrame{44, 22};      // Col_F
inline constexpr QSize kWindow{800, 600};         // L1_BackGround ..
inline constexpr QSize kMapPage{596, 332};        // L1_Back1 ..
inline constexpr QSize kAdvancedPage{680, 376};   // L1_Back2 ..
inline constexpr QSize kBreathingPage{656, 270};  // L1_Back3 ..
inline constexpr QSize kMacroPage{656, 334};      // L1_Back4 ..
inline constexpr QSize kUpdatePage{480, 180};     // Update
inline constexpr QSize kDialog{354, 179};         // AssemblyBase, MacroNameBase
inline constexpr QSize kEventIcon{24, 24};        // MacroEvent_0 .. _2
}  // namespace size

struct PictureSpec {
    QString name;
    std::function<QImage()> draw;
    bool windowBackground = false;  // the only pictures allowed to carry the see-through colour
};

// The whole set, in a stable order.
std::vector<PictureSpec> catalog();

// The application icon at each size of the desktop's icon theme, named "16x16" .. "256x256".
std::vector<PictureSpec> iconCatalog();
QImage appIcon(int size);

// Drawing functions (controls.cpp, pages.cpp, backgrounds.cpp).
enum class ButtonState { Normal, Hover, Pressed, Current, Clicked };
QImage actionButton(ButtonState s);
QImage pageButton(ButtonState s);
QImage keyLabel(ButtonState s);
QImage webButton(ButtonState s);
QImage minimiseButton(ButtonState s);
QImage macroButton(ButtonState s);
QImage panelButton(ButtonState s);
// A ten-step bar's segment: lit, unlit, or dimly lit up to the step nearest a value on none.
enum class SegmentLook { Lit, Nearest, Unlit };
QImage tenStepSegment(SegmentLook look);
QImage dpiStepSegment(bool lit);
QImage checkBox(bool on);
QImage optionMark(bool on);
QImage colourFrame();

QImage windowBackground(int skin);
QImage mapPage(int skin, bool withHint = true);  // without: the read-only Reset Control page
QImage advancedPage(int skin);
QImage breathingPage(int skin);
QImage macroPage(int skin);
QImage updatePage();
QImage insertBase(bool forKeys);

QImage dialogBackground(bool withModifierRow);
QImage dialogButtonHover();
QImage macroEventIcon(int kind);  // 0 delay, 1 press, 2 release

}  // namespace skinart
