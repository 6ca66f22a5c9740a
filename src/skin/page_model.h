#pragma once
// What the window asks of a page's model. A page model is bound to the application state and the
// control table at construction, holds the state its controls show and changes them in the table;
// it knows no widget. The window runs two steps over all page models, in one fixed order: display
// (load) after an image was shown, collect (store) before a write. The hooks let a page react to
// navigation and to a language switch.
#include <optional>
#include <string_view>

#include "skin/skin_tables.h"

namespace varnel {

class PageModel {
public:
    virtual ~PageModel() = default;

    // Display: show what the state's EditCopy holds (after DataBufToUI).
    virtual void load() = 0;
    // Collect: write what the page's controls hold into the EditCopy, and the flags the page owns.
    virtual void store() {}

    // A page click is refused: the language key of its message, if this page refuses it.
    virtual std::optional<std::string_view> refusal(skin::Page) const { return std::nullopt; }
    // A page click opened `page` (every page model hears every page).
    virtual void opened(skin::Page) {}
    // The group of `page` was shown again without a click (after a language switch).
    virtual void reshown(skin::Page) {}
    // The captions of a new language are on the controls.
    virtual void languageChanged() {}
};

}  // namespace varnel
