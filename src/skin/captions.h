#pragma once
// Captions and language: the three language files, the current language number, and what loading
// a language puts on the controls (fonts and colours by the files' size and colour keys, the
// title, every caption of the bars, menus, macro, insert and update pages). Messages are looked up
// by key when shown.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/result.h"
#include "config/action_codes.h"
#include "skin/controls.h"
#include "skin/language.h"
#include "skin/skin_styles.h"

namespace varnel {

class CaptionsModel {
public:
    // `controls` outlives the model.
    CaptionsModel(ControlTable& controls, LanguageSet languages);

    // LoadLanguage's captions for language n (1..3): fonts, colours, title and captions. A number
    // out of range changes nothing.
    void load(int n);

    int languageNumber() const { return number_; }
    // The current language's text of `key` (messages, captions); empty when it has none.
    std::string text(std::string_view key) const;
    // The message of a failure: the reason's own text where it has one, else the text of
    // `fallbackKey`, with the reason in words on a second line when `withReason` (what the system
    // said about a file).
    std::string messageFor(const Error& error, std::string_view fallbackKey, bool withReason) const;
    // The current language's colour `prefix` (Color_F_Font: <prefix>_R, _G, _B), if it has one.
    std::optional<Rgb> colour(std::string_view prefix) const;
    LanguageLookup lookup() const;
    const std::string& titleText() const { return title_; }
    const LanguageSet& languages() const { return languages_; }

private:
    // Every font row: the bar's, then each page's.
    void applyFonts(const LanguageFile& lang);
    void applyFontRows(const LanguageFile& lang, std::span<const skin::FontRow> rows);
    void applyCaptions(const LanguageFile& lang);

    ControlTable& controls_;
    LanguageSet languages_;
    int number_ = 1;
    std::string title_;
};

}  // namespace varnel
