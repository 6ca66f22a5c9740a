#include "shell/settings_table.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <set>
#include <utility>

#include "common/decimal.h"
#include "config/action_codes.h"
#include "config/key_table.h"
#include "config/variant.h"
#include "editors/colour.h"
#include "editors/dpi_table.h"
#include "editors/fire_key_boxes.h"
#include "editors/key_combination.h"
#include "editors/lighting.h"
#include "skin/skin_tables.h"

namespace varnel {

namespace {

using skin::Page;

constexpr std::array<std::string_view, kDpiStages> kStageWords{"1", "2", "3", "4"};
constexpr std::array<std::string_view, 3> kMapWords{"main", "alternate", "reset"};
constexpr std::array<Page, 3> kMapPages{Page::Main, Page::Switch, Page::Fixed};
constexpr std::array<std::string_view, kShownSlotCount> kButtonWords{"1", "2", "3", "4", "5", "6", "7", "8", "9"};
constexpr std::array<std::string_view, 4> kPhaseWords{"off", "rise", "on", "fall"};
// In the order of kLightingModes.
constexpr std::array<std::string_view, 4> kModeWords{"colorful", "locked", "cpicolor", "off"};
// Report-rate choices 1 and 2 of the Advanced page.
constexpr std::array<std::string_view, 2> kRateWords{"1000", "500"};
constexpr std::array<std::string_view, 2> kSourceWords{"program", "mouse"};
constexpr std::string_view kMacroPrefix = "macro.";

Error refused(std::string message) { return makeError(std::move(message)); }

int stageOf(SettingIndex at) { return static_cast<int>(at.first) + 1; }

// A word of `words` to its index.
std::optional<std::size_t> wordIndex(std::span<const std::string_view> words, std::string_view word) {
    const auto it = std::find(words.begin(), words.end(), word);
    if (it == words.end()) return std::nullopt;
    return static_cast<std::size_t>(it - words.begin());
}

std::string wordList(std::span<const std::string_view> words) {
    std::string text;
    for (const auto w : words) text += (text.empty() ? "" : ", ") + std::string(w);
    return text;
}

std::optional<int> number(std::string_view text, int largest) { return parseDecimal(text, largest, AboveMax::Refuse); }

std::string hexColour(const PercentColour& stored) {
    const Rgb shown = screenColour(stored);
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02x%02x%02x", shown.r, shown.g, shown.b);
    return buf;
}

Result<Rgb> parseColour(std::string_view text) {
    if (text.size() != 6 || !std::all_of(text.begin(), text.end(), [](char c) { return std::isxdigit(c) != 0; }))
        return refused("a colour is six hexadecimal digits RRGGBB, not '" + std::string(text) + "'");
    std::array<std::uint8_t, 3> c{};
    for (std::size_t i = 0; i < 3; ++i) std::from_chars(text.data() + 2 * i, text.data() + 2 * i + 2, c[i], 16);
    return Rgb{c[0], c[1], c[2]};
}

// --- DPI stages -----------------------------------------------------------------------------

// A stage whose stored code is no step of the sensor (an image made for another sensor) shows no
// value in the window; here it says so, and giving it back is no edit.
constexpr std::string_view kNotAStep = "not-a-step";

std::string printStage(MainWindowModel& w, SettingIndex at) {
    const DpiStages& dpi = w.advanced().dpi();
    if (!dpi.isOn(stageOf(at))) return "off";
    const std::string& value = dpi.stage(stageOf(at)).value;
    return value.empty() ? std::string(kNotAStep) : value;
}

Status setStage(MainWindowModel& w, SettingIndex at, std::string_view value) {
    if (value == "off") return Status::success();  // switched with the other stages, beforehand
    const auto sensor = sensorSteps(w.state().SensorModel);
    if (!sensor) return refused("the DPI steps are not known: no sensor");
    const auto step = sensorStepOfValue(*sensor, value);
    if (!step) {
        std::string steps;
        for (int k = 1; k <= sensor->stepCount; ++k) steps += (k > 1 ? ", " : "") + std::string(sensorStep(*sensor, k)->text);
        return refused("'" + std::string(value) + "' is not a DPI step of the " + w.state().SensorModel +
                       " sensor (" + steps + ") or off");
    }
    w.advanced().DPIVlaue_OnClick(stageOf(at), *step);
    if (w.advanced().dpi().stage(stageOf(at)).value != sensorStep(*sensor, *step)->text)
        return refused("the stage did not take the step");
    return Status::success();
}

std::string printCurrent(MainWindowModel& w, SettingIndex) { return std::to_string(w.advanced().dpi().current()); }

Status setCurrent(MainWindowModel& w, SettingIndex, std::string_view value) {
    const auto n = wordIndex(kStageWords, value);
    if (!n) return refused("the current stage is one of " + wordList(kStageWords));
    w.advanced().CurrentDPI_OnClick(static_cast<int>(*n) + 1);
    if (w.advanced().dpi().current() != static_cast<int>(*n) + 1)
        return refused("stage " + std::string(value) + " is switched off and cannot be the current one");
    return Status::success();
}

std::string printStageColour(MainWindowModel& w, SettingIndex at) {
    return hexColour(w.advanced().dpi().stage(stageOf(at)).colour);
}

Status setStageColour(MainWindowModel& w, SettingIndex at, std::string_view value) {
    auto shown = parseColour(value);
    if (!shown) return shown.error();
    w.advanced().setStageColour(stageOf(at), pickForShown(*shown));
    if (screenColour(w.advanced().dpi().stage(stageOf(at)).colour) != screenColour(percentColour(pickForShown(*shown))))
        return refused("the stage colours are shown only for a mouse with RGB lighting");
    return Status::success();
}

// Switches the stages to `wanted` through the stage labels: off from the top down, then on from
// the bottom up. A set the labels cannot reach breaks the model's on/off rule.
Status switchStages(MainWindowModel& w, const std::array<bool, kDpiStages>& wanted) {
    AdvancedPage& page = w.advanced();
    for (int n = kDpiStages; n >= 1; --n)
        if (!wanted[static_cast<std::size_t>(n - 1)] && page.dpi().isOn(n)) page.DPILevel_OnClick(n);
    for (int n = 1; n <= kDpiStages; ++n)
        if (wanted[static_cast<std::size_t>(n - 1)] && !page.dpi().isOn(n)) page.DPILevel_OnClick(n);
    for (int n = 1; n <= kDpiStages; ++n)
        if (page.dpi().isOn(n) != wanted[static_cast<std::size_t>(n - 1)])
            return refused("dpi: the stages switched on are stage 1 and the ones right above it, without a gap; "
                           "stage 1 stays on");
    return Status::success();
}

// --- Report rate and fire key ---------------------------------------------------------------

std::string printRate(MainWindowModel& w, SettingIndex) {
    return std::string(kRateWords[static_cast<std::size_t>(w.advanced().reportRateChoice() - 1)]);
}

Status setRate(MainWindowModel& w, SettingIndex, std::string_view value) {
    const auto choice = wordIndex(kRateWords, value);
    if (!choice) return refused("the report rate is " + wordList(kRateWords));
    w.advanced().ReportRate_OnClick(static_cast<int>(*choice) + 1);
    return Status::success();
}

std::string printFireKey(MainWindowModel& w, SettingIndex) {
    const FireKeyBoxes& boxes = w.advanced().fireKeyBoxes();
    return boxes.repeat + "/" + boxes.delay;
}

// A box text the window would correct on leaving the box is refused, not corrected.
Status checkBox(std::string_view what, std::string_view typed, std::string corrected, int digits) {
    if (typed.size() > static_cast<std::size_t>(digits))
        return refused("the fire-key " + std::string(what) + " box takes at most " + std::to_string(digits) + " digits");
    if (corrected != typed)
        return refused("the window would correct the fire-key " + std::string(what) + " '" + std::string(typed) +
                       "' to " + corrected + " (repeat 0 or 2.." + std::to_string(kMaxFireRepeat) + ", delay 0 or 2.." +
                       std::to_string(kMaxFireDelay) + ")");
    return Status::success();
}

Status setFireKey(MainWindowModel& w, SettingIndex, std::string_view value) {
    const auto slash = value.find('/');
    if (slash == std::string_view::npos) return refused("the fire key is REPEAT/DELAY, e.g. 3/100");
    const FireKeyBoxes typed{std::string(value.substr(0, slash)), std::string(value.substr(slash + 1))};
    if (auto s = checkBox("repeat", typed.repeat, correctedRepeatText(typed.repeat), kRepeatBoxDigits); !s) return s;
    if (auto s = checkBox("delay", typed.delay, correctedDelayText(typed.delay), kDelayBoxDigits); !s) return s;
    w.advanced().editFireKeyBoxes(typed);
    return Status::success();
}

// --- Buttons --------------------------------------------------------------------------------

const std::string& codeAt(MainWindowModel& w, SettingIndex at) {
    return w.state().CodeTexts[at.first][at.second];
}

// The function's id: a named code's, "macro.N", a key combination as "ctrl+shift+a", else the
// code itself.
std::string functionId(std::string_view codeText) {
    if (isFireKeyCodeText(codeText)) return "fire";
    for (const auto& c : namedCodes())
        if (c.codeText == codeText) return std::string(c.id);
    const auto code = codeTextToBytes(codeText);
    if (code && (*code)[0] == kKindMacro) {
        for (std::size_t i = 0; i < kMacroCount; ++i)
            if (*code == macroCode(i)) return std::string(kMacroPrefix) + std::to_string(i + 1);
    }
    if (code && (*code)[0] == kKindKeyboard) {
        std::string text = KeyCombinationName(codeText, {});
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
        if (!text.empty()) return text;
    }
    return "code:" + std::string(codeText);
}

std::string printButton(MainWindowModel& w, SettingIndex at) { return functionId(codeAt(w, at)); }

std::string buttonWords(MainWindowModel& w, SettingIndex at) {
    return CodeToName(codeAt(w, at), w.captions().lookup(), w.state().MacroNameList);
}

bool sameWord(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The virtual key whose key code is named `name` in captions.
std::optional<int> keyNamed(std::string_view name) {
    for (int vk = 1; vk < 256; ++vk) {
        const std::uint8_t usage = KeyUsage(vk);
        if (usage != 0 && sameWord(UsageName(usage), name)) return vk;
    }
    return std::nullopt;
}

// A key combination typed into the dialog: modifiers ticked, then the keys typed.
Result<std::string> composeCombination(ButtonEditor& buttons, std::string_view text) {
    buttons.Key_AssemblyClick();
    KeyCombination dialog(buttons.pending());
    std::vector<int> keys;
    while (!text.empty()) {
        auto plus = text.find('+', 1);
        const std::string_view token = text.substr(0, plus);
        text = plus == std::string_view::npos ? std::string_view{} : text.substr(plus + 1);
        bool modifier = false;
        for (const Modifier m : kModifiers)
            if (sameWord(modifierWord(m), token)) {
                dialog.setModifier(m, true);
                modifier = true;
            }
        if (modifier) continue;
        const auto vk = keyNamed(token);
        if (!vk) return refused("no function, macro or key is named '" + std::string(token) + "'");
        keys.push_back(*vk);
    }
    if (keys.size() > static_cast<std::size_t>(kMaxKeysPerRun))
        return refused("a key combination holds at most " + std::to_string(kMaxKeysPerRun) + " keys besides its modifiers");
    for (const int vk : keys) dialog.keyDown(vk, {});
    dialog.confirm();
    return buttons.pending().codeText;
}

// Clicks the menu entry of `function` for the selected button; the code it should store.
Result<std::string> chooseFunction(MainWindowModel& w, int button, std::string_view function) {
    ButtonEditor& buttons = w.buttonMaps();
    for (const auto& c : namedCodes()) {
        if (c.id != function) continue;
        if (button <= kLrmButtons) {
            buttons.Key_SwitchLRMOnClick(c.tag);
        } else {
            buttons.KeyStatusOnClick(c.tag);
        }
        return std::string(c.codeText);
    }
    if (function.starts_with(kMacroPrefix)) {
        const auto n = number(function.substr(kMacroPrefix.size()), static_cast<int>(kMacroCount));
        if (!n || *n < 1) return refused("macros are numbered 1.." + std::to_string(kMacroCount));
        if (!buttons.macrosAvailable()) return refused("macros need a Wren mouse");
        buttons.LB_NameClick(*n - 1);
        return codeTextFromBytes(macroCode(static_cast<std::size_t>(*n - 1)));
    }
    auto code = composeCombination(buttons, function);
    if (code) buttons.ApplyAssemblyResult();
    return code;
}

Status setButton(MainWindowModel& w, SettingIndex at, std::string_view value) {
    const Page page = kMapPages[at.first];
    if (page == Page::Fixed) return refused("the reset map is shown, not edited");
    if (const auto key = w.navigation().pageClick(page)) return refused(w.text(*key));
    const int button = static_cast<int>(at.second) + 1;
    w.buttonMaps().showButtonMenu(button);
    auto wanted = chooseFunction(w, button, value);
    w.buttonMaps().HideAllMenu();
    if (!wanted) return wanted.error();
    const std::string& stored = codeAt(w, at);
    // The Fire Key row names only its kind: the stored code carries its timing too.
    if (isFireKeyCodeText(*wanted) ? isFireKeyCodeText(stored) : stored == *wanted) return Status::success();
    if (button <= kLrmButtons) return refused("buttons 1 to 3 take left, right or middle only");
    if (*wanted == kSwitchKeyCode) return refused("the switch key is chosen on the main map only");
    if (w.state().CodeTexts[0][at.second] == kSwitchKeyCode)
        return refused("the button holds the switch key in every map; change it on the main map");
    return refused("the button does not take '" + std::string(value) + "'");
}

// --- Lighting -------------------------------------------------------------------------------

const Lighting& lighting(MainWindowModel& w) { return w.lighting().lighting(); }

std::string printMode(MainWindowModel& w, SettingIndex) {
    const auto it = std::find(kLightingModes.begin(), kLightingModes.end(), lighting(w).mode());
    return std::string(kModeWords[static_cast<std::size_t>(it - kLightingModes.begin())]);
}

Status setMode(MainWindowModel& w, SettingIndex, std::string_view value) {
    const auto mode = wordIndex(kModeWords, value);
    if (!mode) return refused("the lighting mode is one of " + wordList(kModeWords));
    w.lighting().RGBMode_OnClick(kLightingModes[*mode]);
    return Status::success();
}

std::string printSource(MainWindowModel& w, SettingIndex) {
    return std::string(kSourceWords[lighting(w).source() == Lighting::kMouseColour ? 1 : 0]);
}

Status setSource(MainWindowModel& w, SettingIndex, std::string_view value) {
    const auto source = wordIndex(kSourceWords, value);
    if (!source) return refused("the colour source is " + wordList(kSourceWords));
    const int wanted = *source == 0 ? Lighting::kProgramColour : Lighting::kMouseColour;
    w.lighting().LEDColModeChange(wanted);
    if (lighting(w).source() != wanted) return refused("the colour source is chosen in the locked mode only");
    return Status::success();
}

std::string printLevel(MainWindowModel& w, SettingIndex at) {
    return std::to_string(lighting(w).level(kBreathPhases[at.first]));
}

Status setLevel(MainWindowModel& w, SettingIndex at, std::string_view value) {
    const auto level = number(value, kBreathLevels);
    if (!level || *level < 1) return refused("a breathing level is 1.." + std::to_string(kBreathLevels));
    w.lighting().BreathTime_OnClick(kBreathPhases[at.first], *level);
    if (lighting(w).level(kBreathPhases[at.first]) != *level)
        return refused("the breathing levels are greyed while the lighting is off");
    return Status::success();
}

std::string printLightingColour(MainWindowModel& w, SettingIndex) { return hexColour(lighting(w).colour()); }

Status setLightingColour(MainWindowModel& w, SettingIndex, std::string_view value) {
    auto shown = parseColour(value);
    if (!shown) return shown.error();
    w.lighting().setMode1Colour(pickForShown(*shown));
    if (lighting(w).colour() != percentColour(pickForShown(*shown)))
        return refused("the lighting colour is set in the locked mode with the program colour source only");
    return Status::success();
}

// The table. Rows are applied in this order: a stage's value after the stages were switched,
// the fire-key timing before the buttons that take it, the lighting mode before what it enables.
const SettingRow kRows[] = {
    {"dpi.%", "dpi.N", kStageWords, {}, "VALUE|off", "DPI of stage N: a step of the sensor's table, or off",
     "ParameterA DpiStageCount, DpiCode N", SettingScope::Every, printStage, setStage},
    {"dpi.current", "dpi.current", {}, {}, "N", "the stage the mouse starts in (a switched-on one)", "ParameterB CurrentDpiStage",
     SettingScope::Every, printCurrent, setCurrent},
    {"dpi.%.color", "dpi.N.color", kStageWords, {}, "RRGGBB", "colour of stage N as the window shows it",
     "ParameterA StageColor N (percentages)", SettingScope::RgbLighting, printStageColour, setStageColour},
    {"rate", "rate", {}, {}, "1000|500", "report rate in Hz", "ParameterB ReportRateCode", SettingScope::Every, printRate,
     setRate},
    {"firekey", "firekey", {}, {}, "REPEAT/DELAY", "fire-key repeat (0, 2..15) and delay (0, 2..2000)",
     "bytes 1..3 of every Fire Key slot", SettingScope::Every, printFireKey, setFireKey},
    {"button.%.%", "button.MAP.K", kMapWords, kButtonWords, "FUNCTION",
     "function of button K of a map: a function id, macro.N or keys like ctrl+shift+a",
     "the button's 4-byte slot of the map", SettingScope::Every, printButton, setButton, buttonWords},
    {"lighting.mode", "lighting.mode", {}, {}, "colorful|locked|cpicolor|off", "lighting mode", "ParameterB LedMode",
     SettingScope::RgbLighting, printMode, setMode},
    {"lighting.source", "lighting.source", {}, {}, "program|mouse", "colour source of the locked mode", "ParameterA LedFlags bit 6",
     SettingScope::RgbWren, printSource, setSource},
    {"lighting.%", "lighting.PHASE", kPhaseWords, {}, "LEVEL", "breathing level 1..10 of the phase", "ParameterA breathing phase code",
     SettingScope::RgbLighting, printLevel, setLevel},
    {"lighting.color", "lighting.color", {}, {}, "RRGGBB", "colour of the locked mode as the window shows it", "ParameterA Mode1Color",
     SettingScope::RgbLighting, printLightingColour, setLightingColour},
};

std::string expand(std::string_view pattern, std::string_view a, std::string_view b) {
    std::string name(pattern);
    for (const auto word : {a, b}) {
        const auto at = name.find('%');
        if (at == std::string::npos) break;
        name.replace(at, 1, word);
    }
    return name;
}

std::string_view scopeNeed(SettingScope scope) {
    switch (scope) {
        case SettingScope::RgbLighting: return "a mouse with RGB lighting";
        case SettingScope::RgbWren: return "a Wren mouse with RGB lighting";
        case SettingScope::Every: break;
    }
    return "";
}

}  // namespace

std::span<const SettingRow> settingRows() { return kRows; }

bool settingApplies(const SettingRow& row, const AppState& state) {
    const bool rgb = state.LightingKind == LightingKind::Rgb;
    switch (row.scope) {
        case SettingScope::Every: return true;
        case SettingScope::RgbLighting: return rgb;
        case SettingScope::RgbWren: return rgb && hasMacros(state.DeviceChip);
    }
    return false;
}

std::vector<SettingName> settingNames(const AppState* applying) {
    std::vector<SettingName> names;
    for (const auto& row : kRows) {
        if (applying && !settingApplies(row, *applying)) continue;
        const std::size_t firsts = std::max<std::size_t>(row.first.size(), 1);
        const std::size_t seconds = std::max<std::size_t>(row.second.size(), 1);
        for (std::size_t i = 0; i < firsts; ++i)
            for (std::size_t j = 0; j < seconds; ++j)
                names.push_back({&row, {i, j},
                                 expand(row.pattern, row.first.empty() ? "" : row.first[i],
                                        row.second.empty() ? "" : row.second[j])});
    }
    return names;
}

Result<SettingName> findSetting(std::string_view name) {
    for (auto& s : settingNames())
        if (s.name == name) return s;
    return refused("unknown setting '" + std::string(name) + "' (see varnelctl --help)");
}

Result<SettingAssignment> parseAssignment(std::string_view text) {
    const auto eq = text.find('=');
    if (eq == std::string_view::npos) return refused("'" + std::string(text) + "' is no SETTING=VALUE");
    auto setting = findSetting(text.substr(0, eq));
    if (!setting) return setting.error();
    return SettingAssignment{std::move(*setting), std::string(text.substr(eq + 1))};
}

Status applySettings(MainWindowModel& window, const std::vector<SettingAssignment>& assignments) {
    std::set<std::string> named;
    for (const auto& a : assignments) {
        if (!settingApplies(*a.setting.row, window.state()))
            return refused(a.setting.name + ": needs " + std::string(scopeNeed(a.setting.row->scope)));
        if (!named.insert(a.setting.name).second) return refused(a.setting.name + " is given twice");
    }
    std::array<bool, kDpiStages> stagesOn{};
    for (int n = 1; n <= kDpiStages; ++n) stagesOn[static_cast<std::size_t>(n - 1)] = window.advanced().dpi().isOn(n);
    for (const auto& a : assignments) {
        if (a.setting.row->set == setStage) stagesOn[a.setting.at.first] = a.value != "off";
    }
    if (auto s = switchStages(window, stagesOn); !s) return s;

    std::optional<Page> shownMap;
    for (const Page p : kMapPages)
        if (window.controls().checked(skin::pageInfo(p).radio)) shownMap = p;
    // In the table's order, and within a row by its first place-holder: the main map's switch
    // key comes before the alternate map's buttons that need it.
    std::vector<const SettingAssignment*> ordered;
    for (const auto& a : assignments) ordered.push_back(&a);
    std::stable_sort(ordered.begin(), ordered.end(), [](const SettingAssignment* x, const SettingAssignment* y) {
        return std::pair(x->setting.row, x->setting.at.first) < std::pair(y->setting.row, y->setting.at.first);
    });
    Status result = Status::success();
    // What each setting shows once it took: a later one of the same call must not undo it (the
    // buttons 1..3 swap their functions).
    std::vector<std::pair<const SettingAssignment*, std::string>> took;
    for (const SettingAssignment* a : ordered) {
        const SettingRow& row = *a->setting.row;
        // The value it has already asks for no edit, so no rule can refuse it: what show printed
        // can be given back whole, maps the window cannot open included.
        if (row.print(window, a->setting.at) != a->value) {
            if (auto s = row.set(window, a->setting.at, a->value); !s) {
                result = refused(a->setting.name + "=" + a->value + ": " + s.error().message);
                break;
            }
        }
        took.emplace_back(a, row.print(window, a->setting.at));
    }
    for (std::size_t i = 0; result && i < took.size(); ++i) {
        const auto& [a, shown] = took[i];
        if (const std::string now = a->setting.row->print(window, a->setting.at); now != shown)
            result = refused(a->setting.name + "=" + a->value + ": another setting of this call changes it to '" + now +
                             "'");
    }
    if (shownMap) window.navigation().pageClick(*shownMap);
    return result;
}

std::string settingsHelp() {
    std::string text;
    for (const auto& row : kRows) {
        std::string line = "  " + std::string(row.synopsis) + "=" + std::string(row.valueForm);
        if (line.size() < 34) line.resize(34, ' ');
        else line += "\n" + std::string(34, ' ');
        text += line + std::string(row.help) + "\n";
    }
    text += "  MAP: " + wordList(kMapWords) + "; PHASE: " + wordList(kPhaseWords) + "; functions: ";
    std::string ids;
    for (const auto& c : namedCodes()) ids += (ids.empty() ? "" : " ") + std::string(c.id);
    return text + ids + "\n";
}

}  // namespace varnel
