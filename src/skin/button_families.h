#pragma once
// What a button label is: which hover family it belongs to, which pictures change with it, and
// which page, language or bar action a click on it means. Derived from the control tables.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/skin_tables.h"

namespace varnel {

struct HoverTarget {
    skin::HoverFamily family;
    std::vector<std::string> pictures;  // the picture controls that change with the hover
};

// The hover family of `label` and the pictures it changes; nullopt for labels without hover.
std::optional<HoverTarget> hoverTarget(std::string_view label);

// What a click on a bar label does.
enum class BarAction { Page, Language, Web, Confirm, Apply, Reset, Exit, Minimise, SaveProfile, LoadProfile };

struct BarClick {
    BarAction action;
    skin::Page page = skin::Page::Main;  // for BarAction::Page
    int language = 0;                    // for BarAction::Language
};

// "Btn_Adv_3" -> page Advanced; "Btn_Lang2_1" -> language 2; "Btn_Exit_5" -> Exit; else nullopt.
std::optional<BarClick> barClick(std::string_view label);

}  // namespace varnel
