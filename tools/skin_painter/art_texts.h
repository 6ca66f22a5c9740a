#pragma once
// The texts that are part of the page artwork (not carried by labels), per skin.
// Skin 1 is Spanish, skins 2 and 3 English, matching the language files of the same number.
#include <QString>

namespace skinart {

struct ArtTexts {
    QString subtitle;  // under the brand on the window background
    // Button map page
    QString mapHint;
    // Advanced page
    QString fireKey, repeatCount, interval, milliseconds, fireKeyHint;
    QString reportRate, rate1000, rate500;
    QString pointer, pointerHint, pointerSpeed, doubleClick, scrollLines;
    QString dpiLevels, dpiHint;
    // Breathing light page
    QString breathing, offTime, riseTime, onTime, fallTime;
    QString lighting, colorful, locked, cpiColor, lightsOff;
    QString customColour, mouseColour, colourHint;
    // Macro page
    QString macroList, events, editGroup, manageGroup;
    QString delayMode, recordDelay, fixedDelay, noDelay, seconds;
};

// Skin 1..3.
const ArtTexts& artTexts(int skin);

}  // namespace skinart
