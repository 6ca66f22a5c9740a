#include <gtest/gtest.h>

#include "common/resources.h"

namespace varnel {
namespace {

TEST(EmbeddedResources, UnknownNameIsAnErrorValue) {
    auto r = findResource("NoSuchResource");
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error().message.find("NoSuchResource"), std::string::npos);
}

TEST(EmbeddedResources, NamesAreUniqueAndFindable) {
    auto names = resourceNames();
    for (const auto& n : names) {
        auto r = findResource(n);
        ASSERT_TRUE(r.ok()) << n;
    }
}

}  // namespace
}  // namespace varnel
