// The INI reader with the layout loader over the window's controls and the language loader with
// the captions of all three languages. The input is the text of every file at once; its section
// "org" is the layout, "lang1".."lang3" the languages.
#include <string_view>

#include "skin/captions.h"
#include "skin/control_catalog.h"
#include "skin/ini_file.h"
#include "skin/language.h"
#include "skin/layout.h"
#include "skin/png_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace varnel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const IniDocument doc = IniDocument::parse(text);
    ControlTable controls(embeddedPictureSize);
    buildMainWindowControls(controls);
    if (const IniSection* org = doc.section(kLayoutSection)) (void)loadLayout(*org, controls);
    auto languages = LanguageSet::fromTexts({text, text, text});
    if (!languages) return 0;
    (void)languages->findTextKey("Apply");
    CaptionsModel captions(controls, std::move(languages).value());
    for (int n = 1; n <= 3; ++n) captions.load(n);
    return 0;
}
