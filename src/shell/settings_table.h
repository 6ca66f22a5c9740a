#pragma once
// Every setting the window's pages edit, declared once: its name, the text form of its value
// (print and parse), the image bytes it owns, and the editing it goes through. A setting is
// changed by the page model that holds it, with the same calls the page's controls make, so the
// models' rules are the only rules and a setting changed here is collected into the image by the
// window's own collect step. Listings, the command line's help and the JSON form are derived from
// the table.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "shell/main_window_model.h"

namespace varnel {

// Which mice a setting applies to.
enum class SettingScope { Every, RgbLighting, RgbWren };  // RgbWren: a Lark keeps no lock colour

// The place-holder values of one expanded setting name: stage, map, button, phase (0-based
// indices into the row's word lists).
struct SettingIndex {
    std::size_t first = 0;
    std::size_t second = 0;
};

struct SettingRow {
    std::string_view pattern;                  // "dpi.%.color": each % takes a word of the lists below
    std::string_view synopsis;                 // "dpi.N.color", for help
    std::span<const std::string_view> first;   // words of the first place-holder (none: no place-holder)
    std::span<const std::string_view> second;  // words of the second
    std::string_view valueForm;                // "VALUE|off"
    std::string_view help;                     // one line
    std::string_view bytes;                    // the image bytes the setting owns
    SettingScope scope;
    // The value in its text form, as set() takes it.
    std::string (*print)(MainWindowModel& window, SettingIndex at);
    // Edits the page model; an error says which rule the value breaks.
    Status (*set)(MainWindowModel& window, SettingIndex at, std::string_view value);
    // For show in words: the value in the window's language (none: print()).
    std::string (*words)(MainWindowModel& window, SettingIndex at) = nullptr;
};

std::span<const SettingRow> settingRows();

// A setting name of the table with its place-holders resolved.
struct SettingName {
    const SettingRow* row = nullptr;
    SettingIndex at;
    std::string name;
};

// Every name of every row, in the table's order; only those that apply to the shown mouse when
// `applying` (a mouse whose lighting is not RGB has no colours, a Lark no macros).
std::vector<SettingName> settingNames(const AppState* applying = nullptr);
// The row and place-holders of `name`; an error for a name the table does not have.
Result<SettingName> findSetting(std::string_view name);
bool settingApplies(const SettingRow& row, const AppState& state);

struct SettingAssignment {
    SettingName setting;
    std::string value;
};

// "NAME=VALUE" to an assignment; an error for text without "=" or an unknown name.
Result<SettingAssignment> parseAssignment(std::string_view text);

// Applies all assignments through the page models, in the table's order (stages switched on or
// off first, so the on/off rule is checked on the stages the whole call asks for). The button-map
// page shown before is shown again, so that the page edits leave no trace in the image's
// ActiveMap. Stops at the first refusal: the caller writes nothing then.
Status applySettings(MainWindowModel& window, const std::vector<SettingAssignment>& assignments);

// "  dpi.N=VALUE|off  ..." lines for --help.
std::string settingsHelp();

}  // namespace varnel
