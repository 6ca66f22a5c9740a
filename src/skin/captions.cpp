#include "skin/captions.h"

#include <optional>
#include <vector>

#include "skin/control_names.h"
#include "skin/skin_tables.h"

namespace varnel {

using namespace skin;

namespace {

constexpr std::string_view kInsertOptionIndent = "       ";  // seven spaces before the insert options

std::vector<std::string> numbered(std::string_view prefix, int count, std::string_view suffix = {}) {
    std::vector<std::string> out;
    for (int i = 1; i <= count; ++i) out.push_back(std::string(prefix) + std::to_string(i) + std::string(suffix));
    return out;
}

std::vector<std::string> names(std::initializer_list<std::string_view> list) {
    return std::vector<std::string>(list.begin(), list.end());
}

template <typename Range>
void append(std::vector<std::string>& out, const Range& names) {
    for (const auto& n : names) out.emplace_back(n);
}

std::vector<std::string> barLabels(std::span<const BarButton> buttons, bool (*keep)(const BarButton&)) {
    std::vector<std::string> out;
    for (const auto& b : buttons) {
        if (!keep(b)) continue;
        for (int page = 1; page <= kPageGroupCount; ++page) out.push_back(barLabel(b.base, page));
    }
    return out;
}

}  // namespace

CaptionsModel::CaptionsModel(ControlTable& controls, LanguageSet languages)
    : controls_(controls), languages_(std::move(languages)) {}

void CaptionsModel::load(int n) {
    if (n < 1 || n > kLanguageCount) return;
    number_ = n;
    const LanguageFile& lang = languages_.language(n);
    applyFonts(lang);
    title_ = lang.text("Title");
    applyCaptions(lang);
}

std::string CaptionsModel::text(std::string_view key) const { return languages_.language(number_).text(key); }

std::string CaptionsModel::messageFor(const Error& error, std::string_view fallbackKey, bool withReason) const {
    if (!error.languageKey.empty()) return text(error.languageKey);
    return withReason ? text(fallbackKey) + "\n" + error.message : text(fallbackKey);
}

std::optional<Rgb> CaptionsModel::colour(std::string_view prefix) const {
    return languages_.language(number_).colour(prefix);
}

LanguageLookup CaptionsModel::lookup() const {
    return [this](std::string_view key) { return text(key); };
}

void CaptionsModel::applyFonts(const LanguageFile& lang) {
    struct Rule {
        std::string_view sizeKey;
        int sizeDelta;
        std::string_view colourKey;  // empty: size only
        std::vector<std::string> controls;
    };
    const auto isAction = [](const BarButton&) { return true; };
    const auto isStyledPage = [](const BarButton& b) { return b.base != pageInfo(Page::Update).button; };

    std::vector<std::string> keyLabels;
    for (int k = 1; k <= kKeyLabelCount; ++k) keyLabels.push_back(keyLabel(k));
    std::vector<std::string> stepNumbers;
    for (const auto& bar : kPointerBars) append(stepNumbers, numbered(bar.label, kTenStepCount));
    std::vector<std::string> dpiValues;
    for (int d = 1; d <= kDpiLevelCount; ++d) dpiValues.push_back(dpiValue(d));
    std::vector<std::string> breathNumbers;
    for (const auto& bar : kBreathBars) append(breathNumbers, numbered(bar.label, kTenStepCount));
    std::vector<std::string> colourEdits;
    for (const auto& s : kLightingSwatches)
        append(colourEdits, std::vector<std::string>{std::string(s.edits) + "R", std::string(s.edits) + "G",
                                                     std::string(s.edits) + "B"});
    for (const auto& s : kDpiSwatches)
        append(colourEdits, std::vector<std::string>{std::string(s.edits) + "R", std::string(s.edits) + "G",
                                                     std::string(s.edits) + "B"});
    std::vector<std::string> macroButtons;
    for (const auto& b : kMacroButtons) macroButtons.emplace_back(b.label);
    for (const auto& b : kInsertButtons) macroButtons.emplace_back(b.label);
    std::vector<std::string> insertOptions(kInsertDelays.labels.begin(), kInsertDelays.labels.end());
    std::vector<std::string> macroSized = macroButtons;
    append(macroSized, names({ctrl::LB_MacroName, ctrl::Edt_Delay, ctrl::lbl_Delay, ctrl::lbl_s_A,
                              ctrl::Edt_InsertDelay, ctrl::lbl_MacroBytes, ctrl::lbl_MacroEvents}));
    append(macroSized, insertOptions);
    std::vector<std::string> macroColoured = macroButtons;
    append(macroColoured, names({ctrl::CB_Insert, ctrl::lbl_Delay, ctrl::lbl_s_A}));
    append(macroColoured, insertOptions);
    const std::vector<std::string> macroText =
        names({ctrl::LB_MacroName, ctrl::LB_macro, ctrl::Edt_Delay, ctrl::Edt_InsertDelay});
    std::vector<std::string> dpiCaptions;
    for (int d = 1; d <= kDpiLevelCount; ++d) dpiCaptions.push_back(dpiCaption(d));
    std::vector<std::string> notSelected = stepNumbers;
    append(notSelected, dpiValues);
    append(notSelected, names({ctrl::Edt_Repeat1, ctrl::Edt_DelayTime1}));
    std::vector<std::string> updateButtons;
    for (const auto& b : kUpdateButtons) updateButtons.emplace_back(b.label);
    std::vector<std::string> sizeD = stepNumbers;
    append(sizeD, dpiValues);

    const std::vector<Rule> rules{
        {"Size_A", 0, "Color_A", barLabels(kActionButtons, isAction)},
        {"Size_B", 0, "Color_B", barLabels(kPageButtons, isStyledPage)},
        {"Size_C", 0, "Color_C", keyLabels},
        {"Size_D", 0, "", sizeD},
        {"Size_D", 1, "", dpiCaptions},
        {"", 0, "Color_D_notSelected", notSelected},
        {"Size_E", 0, "Color_E", breathNumbers},
        {"", 0, "Color_E", colourEdits},
        {"Size_F", 0, "", macroSized},
        {"Size_F", -1, "", names({ctrl::CB_Insert})},
        {"", 0, "Color_F", macroColoured},
        {"", 0, "Color_F_Font", macroText},
        {"Size_I", 0, "Color_I", updateButtons},
        {"Size_I", 2, "Color_I", names({ctrl::lbl_LoadBIN})},
    };
    for (const auto& rule : rules) {
        const std::optional<int> size = rule.sizeKey.empty() ? std::nullopt : lang.fontSize(rule.sizeKey);
        const std::optional<Rgb> colour = rule.colourKey.empty() ? std::nullopt : lang.colour(rule.colourKey);
        for (const auto& name : rule.controls) {
            if (size) controls_.setFont(name, *size + rule.sizeDelta, std::nullopt);
            if (colour) controls_.setFontColor(name, *colour);
        }
    }
    if (const auto back = lang.colour("Color_D_Back")) {
        for (const auto name : {ctrl::Edt_Repeat1, ctrl::Edt_DelayTime1}) controls_.setBackColor(name, *back);
    }
    if (const auto back = lang.colour("Color_F_Back")) {
        for (const auto& name : macroText) controls_.setBackColor(name, *back);
    }
}

void CaptionsModel::applyCaptions(const LanguageFile& lang) {
    // The bar buttons of every page.
    for (const auto& b : kActionButtons) {
        for (int page = 1; page <= kPageGroupCount; ++page)
            controls_.setCaption(barLabel(b.base, page), lang.text(b.captionKey));
    }
    for (const auto& b : kPageButtons) {
        for (int page = 1; page <= kPageGroupCount; ++page)
            controls_.setCaption(barLabel(b.base, page), lang.text(b.captionKey));
    }
    // Menu entries: a space, the bullet, a space and the entry's text.
    const std::string bullet = " " + lang.text("Str200") + " ";
    for (const auto& e : kMenuGroups) controls_.setCaption(e.name, bullet + lang.text(e.captionKey));
    for (const auto& code : namedCodes()) {
        for (const auto item : code.menuItems) {
            if (!item.empty()) controls_.setCaption(item, bullet + lang.text(code.languageKey));
        }
    }
    // Macro page and insert panel.
    for (const auto& b : kMacroButtons) controls_.setCaption(b.label, lang.text(b.captionKey));
    std::vector<std::string> choices;
    for (const auto key : kInsertChoiceKeys) choices.push_back(lang.text(key));
    controls_.setItems(ctrl::CB_Insert, std::move(choices));
    for (std::size_t j = 0; j < 3; ++j) {
        controls_.setCaption(kInsertDelays.labels[j],
                             std::string(kInsertOptionIndent) + lang.text(kInsertDelays.captionKeys[j]));
    }
    controls_.setCaption(ctrl::lbl_Delay, lang.text("Str417"));
    controls_.setCaption(ctrl::lbl_s_A, lang.text("Str418"));
    for (const auto& b : kInsertButtons) controls_.setCaption(b.label, lang.text(b.captionKey));
    // Update page.
    controls_.setCaption(ctrl::lbl_BINPath, lang.text("Str442"));
    for (const auto& b : kUpdateButtons) controls_.setCaption(b.label, lang.text(b.captionKey));
}

}  // namespace varnel
