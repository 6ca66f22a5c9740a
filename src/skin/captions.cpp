#include "skin/captions.h"

#include <optional>
#include <vector>

#include "skin/control_names.h"
#include "skin/page_skins.h"
#include "skin/skin_styles.h"
#include "skin/skin_tables.h"

namespace varnel {

using namespace skin;

namespace {

constexpr std::string_view kInsertOptionIndent = "       ";  // seven spaces before the insert options

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
    applyFontRows(lang, kBarFontRows);
    for (const PageSkin* page : pageSkins()) applyFontRows(lang, page->fonts);
}

void CaptionsModel::applyFontRows(const LanguageFile& lang, std::span<const FontRow> rows) {
    for (const auto& row : rows) {
        const auto size = row.sizeKey.empty() ? std::nullopt : lang.fontSize(row.sizeKey);
        const auto colour = row.colourKey.empty() ? std::nullopt : lang.colour(row.colourKey);
        const auto back = row.backKey.empty() ? std::nullopt : lang.colour(row.backKey);
        for (const auto& name : namesOf(row.controls, controls_)) {
            if (size) controls_.setFont(name, *size + row.sizeDelta, std::nullopt);
            if (colour) controls_.setFontColor(name, *colour);
            if (back) controls_.setBackColor(name, *back);
        }
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
    for (int page = 1; page <= kPageGroupCount; ++page)
        controls_.setTip(barLabel(kMinimiseButton.base, page), lang.text(kMinimiseTipKey));
    // Menu entries: the entry's text; the skinned menu indents it (no bullet).
    for (const auto& e : kMenuGroups) controls_.setCaption(e.name, lang.text(e.captionKey));
    for (const auto& code : namedCodes()) {
        for (const auto item : code.menuItems) {
            if (!item.empty()) controls_.setCaption(item, lang.text(code.languageKey));
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
