#include "catalog.h"

namespace skinart {

std::vector<PictureSpec> catalog() {
    std::vector<PictureSpec> all;
    auto add = [&all](QString name, std::function<QImage()> draw, bool background = false) {
        all.push_back({std::move(name), std::move(draw), background});
    };

    for (int skin = 1; skin <= 3; ++skin) {
        const QString l = QStringLiteral("L%1_").arg(skin);
        add(
            l + "BackGround", [skin] { return windowBackground(skin); }, true);
        add(l + "Back1", [skin] { return mapPage(skin); });
        add(l + "Back2", [skin] { return advancedPage(skin); });
        add(l + "Back3", [skin] { return breathingPage(skin); });
        add(l + "Back4", [skin] { return macroPage(skin); });
        add(l + "Back5", [skin] { return mapPage(skin, false); });
    }
    add("Update", [] { return updatePage(); });

    // Action buttons: normal, pointer over, pressed.
    add("BtnS_01", [] { return actionButton(ButtonState::Normal); });
    add("BtnS_02", [] { return actionButton(ButtonState::Hover); });
    add("BtnS_03", [] { return actionButton(ButtonState::Pressed); });
    // The minimise control beside Exit: normal, pointer over, pressed.
    add("MinS_01", [] { return minimiseButton(ButtonState::Normal); });
    add("MinS_02", [] { return minimiseButton(ButtonState::Hover); });
    add("MinS_03", [] { return minimiseButton(ButtonState::Pressed); });
    // Page and language buttons: normal, current, pointer over.
    add("SetS_01", [] { return pageButton(ButtonState::Normal); });
    add("SetS_02", [] { return pageButton(ButtonState::Current); });
    add("SetS_03", [] { return pageButton(ButtonState::Hover); });
    // Key labels, Load BIN and Program: normal, pointer over.
    add("KeyS_01", [] { return keyLabel(ButtonState::Normal); });
    add("KeyS_02", [] { return keyLabel(ButtonState::Hover); });
    // Web button: normal, clicked, pointer over.
    add("WebS_01", [] { return webButton(ButtonState::Normal); });
    add("WebS_02", [] { return webButton(ButtonState::Clicked); });
    add("WebS_03", [] { return webButton(ButtonState::Hover); });
    // Macro page buttons and the insert panel's OK/Cancel: normal, pointer over, pressed.
    add("MacroS_01", [] { return macroButton(ButtonState::Normal); });
    add("MacroS_02", [] { return macroButton(ButtonState::Hover); });
    add("MacroS_03", [] { return macroButton(ButtonState::Pressed); });
    add("MacroBtnS_01", [] { return panelButton(ButtonState::Normal); });
    add("MacroBtnS_02", [] { return panelButton(ButtonState::Hover); });
    add("MacroBtnS_03", [] { return panelButton(ButtonState::Pressed); });
    add("InsertDelayBase", [] { return insertBase(false); });
    add("InsertKeyBase", [] { return insertBase(true); });
    // Bars: lit, unlit and (ten-step bars) nearest segments.
    add("Bar1_E", [] { return tenStepSegment(SegmentLook::Lit); });
    add("Bar1_D", [] { return tenStepSegment(SegmentLook::Unlit); });
    add("Bar1_N", [] { return tenStepSegment(SegmentLook::Nearest); });
    add("Bar2_E", [] { return dpiStepSegment(true); });
    add("Bar2_D", [] { return dpiStepSegment(false); });
    // Current DPI level check box and option marks: on, off.
    add("CbS_E", [] { return checkBox(true); });
    add("CbS_D", [] { return checkBox(false); });
    add("RdS_E", [] { return optionMark(true); });
    add("RdS_D", [] { return optionMark(false); });
    add("Col_F", [] { return colourFrame(); });

    // Our own names: the description leaves these pictures to the implementer.
    // Key-combination dialog and macro rename dialog backgrounds (354 x 179, see-through outside
    // their outline); both place title 10,25; edit 56,68 (209 x 22); OK 44,134 and Cancel 196,134
    // (97 x 29); close 316,6 (30 x 30).
    add(
        "AssemblyBase", [] { return dialogBackground(true); }, true);
    add(
        "MacroNameBase", [] { return dialogBackground(false); }, true);
    // Under the dialogs' OK and Cancel while the pointer rests on them (Img_Confirm, Img_Cancel).
    add("DlgBtnS_02", [] { return dialogButtonHover(); });
    // The event list's pictures: delay, press, release.
    add("MacroEvent_0", [] { return macroEventIcon(0); });
    add("MacroEvent_1", [] { return macroEventIcon(1); });
    add("MacroEvent_2", [] { return macroEventIcon(2); });
    return all;
}

}  // namespace skinart
