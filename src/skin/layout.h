#pragma once
// The layout file "org": places the window's controls and switches optional buttons on or off.
// Pictures must be on their controls first (LoadSkinImages), because labels take their
// picture's size and the step series are spaced by their first picture.
#include <optional>
#include <string>
#include <vector>

#include "common/result.h"
#include "skin/controls.h"
#include "skin/ini_file.h"
#include "transfers/device_read.h"

namespace varnel {

// The values the layout file leaves to the rest of the program.
struct LayoutSettings {
    std::string web;                   // address opened by the Web button
    AlternativeSignature alternative;  // the second accepted signature pair
    int btnSpaceF = 0;                 // left and right inset of the page buttons' labels
    int btnSpaceB = 0;
    std::optional<int> dpiOrientation;   // 0 vertical, 1 horizontal; nullopt when unreadable
    std::optional<int> macroNameHeight;  // item height of LB_MacroName; nullopt when unreadable
};

struct LayoutResult {
    LayoutSettings settings;
    // One line per missing or non-numeric key, each key once; the controls concerned stay put.
    std::vector<std::string> problems;
};

// LoadLayout: applies section "org" to the controls, in the file's fixed order of keys.
LayoutResult loadLayout(const IniSection& org, ControlTable& controls);

// Rev_Manu_ID and Rev_Pro_ID of section "org", without placing anything; a missing or
// non-numeric value is 0.
AlternativeSignature layoutAlternativeSignature(const IniSection& org);

// The section "org" of the embedded layout file.
Result<IniDocument> embeddedLayoutDocument();
constexpr const char* kLayoutSection = "org";

}  // namespace varnel
