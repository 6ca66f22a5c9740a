#pragma once
// One table per page group of the window, from which the catalogue, the layout reader and the
// language's fonts take that page's part: its controls, their places in the layout file, their
// fonts and how they look before an image is shown. A new page is one such table (in a file of
// its own, beside the others) and one row in pageSkins().
#include <array>
#include <span>

#include "skin/catalog_builder.h"
#include "skin/layout_reader.h"
#include "skin/skin_styles.h"
#include "skin/skin_tables.h"

namespace varnel {

struct PageSkin {
    int group;  // gbPage number
    // The page's controls, over its background and under the bar.
    void (*controls)(CatalogBuilder& b);
    // Controls over the bar (the button editor's menus); none for most pages.
    void (*overBar)(CatalogBuilder& b);
    // Their places from the layout file.
    void (*place)(LayoutReader& r);
    std::span<const skin::FontRow> fonts;
    std::span<const skin::StartRow> looks;
};

// In page group order; each page's file defines its table (k<Page>PageSkin).
const std::array<const PageSkin*, skin::kPageGroupCount>& pageSkins();

}  // namespace varnel
