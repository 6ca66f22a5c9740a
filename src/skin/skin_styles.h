#pragma once
// How the controls look, as data: which language keys give a control its font, and what a
// control looks like before any image is shown. Each control (or family of controls composed by
// skin_tables.h) is one row of a font table and at most one of a start table, kept with the bar's
// (here) or with its page's (page_skins.h), so "which font does X use" and "what does X look like
// at start" are each answered by one row.
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "skin/control_names.h"
#include "skin/controls.h"
#include "skin/skin_tables.h"

namespace varnel::skin {

// The controls a row is about: the single control `name`, or the names `family` composes (by the
// tables of skin_tables.h, or from `table` for the menu entries).
struct Controls {
    std::string_view name = {};
    std::vector<std::string> (*family)(const ControlTable& table) = nullptr;
};

constexpr Controls one(std::string_view name) { return {name}; }
constexpr Controls family(std::vector<std::string> (*names)(const ControlTable&)) { return {{}, names}; }
std::vector<std::string> namesOf(const Controls& controls, const ControlTable& table);

// Families that more than one table names.
std::vector<std::string> actionBarLabels(const ControlTable&);  // Btn_Confirm_1 .. Btn_Exit_5
std::vector<std::string> pageBarLabels(const ControlTable&);    // the other bar buttons but Update's
std::vector<std::string> updateBarLabels(const ControlTable&);  // Btn_Update_1 .. 5
// The numbers under a series of ten-step bars, and their segments 2 .. 10.
std::vector<std::string> stepNumbers(std::span<const TenStepBar> bars);
std::vector<std::string> unlitSteps(std::span<const TenStepBar> bars);
// The hidden percentage fields of a series of swatches.
std::vector<std::string> colourEdits(std::span<const Swatch> swatches);
template <typename Range, typename Member>
std::vector<std::string> each(const Range& range, Member member) {
    std::vector<std::string> out;
    for (const auto& item : range) out.emplace_back(item.*member);
    return out;
}

// A control's font by the language file: the size of `sizeKey` plus `sizeDelta`, the colour of
// `colourKey`, the background of `backKey`. An empty key, or one the language lacks, leaves that
// part as it is.
struct FontRow {
    Controls controls;
    std::string_view sizeKey;
    int sizeDelta = 0;
    std::string_view colourKey = {};
    std::string_view backKey = {};
};

// The bar's fonts; each page's table has the fonts of its own controls.
inline constexpr std::array kBarFontRows{
    FontRow{family(actionBarLabels), "Size_A", 0, "Color_A"},
    FontRow{family(pageBarLabels), "Size_B", 0, "Color_B"},
};

// What a control looks like before any image is shown; an empty part is the catalogue's.
struct StartLook {
    std::optional<bool> checked = {};
    std::string_view picture = {};
    std::optional<bool> enabled = {};
    std::optional<bool> visible = {};
    std::optional<TextAlign> align = {};
    int fontSize = 0;
    std::optional<Rgb> fontColor = {};
    std::optional<Rgb> backColor = {};
    std::optional<int> itemIndex = {};
    int itemHeight = 0;
    std::optional<std::array<int, 2>> at = {};  // moved to x, y in its container
};

struct StartRow {
    Controls controls;
    StartLook look;
};

inline constexpr Rgb kNoteRed{235, 70, 80};  // the skin's accent red: notes that something does not reach the mouse
inline constexpr TextAlign kFromLeft = TextAlign::Left;

// The window's own start looks; each page's table has those of its own controls.
inline constexpr std::array kWindowStartRows{
    StartRow{one(kPages[0].radio), {.checked = true}},
    // The Update buttons of the bar keep their designed font: the language files do not style them.
    StartRow{family(updateBarLabels), {.fontSize = 11, .fontColor = Rgb{255, 255, 255}}},
};

// Puts `rows` on `table`.
void applyStartLooks(ControlTable& table, std::span<const StartRow> rows);
// The option marks and DPI check boxes show whether their radio buttons are checked.
void markCheckedOptions(ControlTable& table);

}  // namespace varnel::skin
