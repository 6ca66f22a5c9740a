#include "skin/page_skins.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "skin/control_catalog.h"

namespace varnel {
namespace {

using namespace skin;

// "Which font does X use" and "what does X look like at start" are each one row: a control named
// by two rows of one kind would take whichever came last, and a misspelt name would style nothing.
TEST(PageSkins, EachControlHasAtMostOneFontRowAndOneStartRow) {
    ControlTable table;
    buildMainWindowControls(table);
    struct Kind {
        const char* name;
        std::vector<Controls> rows;
    };
    Kind kinds[] = {{"font", {}}, {"start", {}}};
    for (const auto& row : kBarFontRows) kinds[0].rows.push_back(row.controls);
    for (const auto& row : kWindowStartRows) kinds[1].rows.push_back(row.controls);
    for (const PageSkin* page : pageSkins()) {
        for (const auto& row : page->fonts) kinds[0].rows.push_back(row.controls);
        for (const auto& row : page->looks) kinds[1].rows.push_back(row.controls);
    }
    for (const auto& kind : kinds) {
        std::map<std::string, int> rows;
        for (const auto& controls : kind.rows) {
            const auto names = namesOf(controls, table);
            EXPECT_FALSE(names.empty()) << kind.name << " row names no control";
            for (const auto& name : names) {
                EXPECT_TRUE(table.contains(name)) << kind.name << " row names " << name << ", which is no control";
                EXPECT_EQ(++rows[name], 1) << name << " has two " << kind.name << " rows";
            }
        }
    }
    EXPECT_TRUE(table.unknownNames().empty());
}

TEST(PageSkins, OneTablePerPageGroupInGroupOrder) {
    int group = 0;
    for (const PageSkin* page : pageSkins()) EXPECT_EQ(page->group, ++group);
}

}  // namespace
}  // namespace varnel
