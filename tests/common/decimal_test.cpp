#include "common/decimal.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(ParseDecimal, RefuseOrSaturateAboveMax) {
    struct Row {
        const char* text;
        std::optional<int> refused;    // AboveMax::Refuse
        std::optional<int> saturated;  // AboveMax::Saturate
    };
    // Largest allowed value 15 throughout.
    const Row rows[] = {
        {"", std::nullopt, std::nullopt},
        {"0", 0, 0},
        {"015", 15, 15},
        {"16", std::nullopt, 16},
        {"99999999999999999999", std::nullopt, 16},             // no overflow
        {"99999999999999999999x", std::nullopt, std::nullopt},  // a late non-digit still counts
        {"1 ", std::nullopt, std::nullopt},
        {"+1", std::nullopt, std::nullopt},
        {"-1", std::nullopt, std::nullopt},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(parseDecimal(r.text, 15, AboveMax::Refuse), r.refused) << '"' << r.text << '"';
        EXPECT_EQ(parseDecimal(r.text, 15, AboveMax::Saturate), r.saturated) << '"' << r.text << '"';
    }
}

// A maximum near the top of int: the next digit must not be taken before the range check.
TEST(ParseDecimal, LargeMaximumsDoNotOverflow) {
    constexpr int kTop = 2147483647;
    EXPECT_EQ(parseDecimal("2147483647", kTop, AboveMax::Refuse), kTop);
    EXPECT_EQ(parseDecimal("2147483648", kTop, AboveMax::Refuse), std::nullopt);
    EXPECT_EQ(parseDecimal("2147483649", 214748364, AboveMax::Refuse), std::nullopt);
    EXPECT_EQ(parseDecimal("99999999999", kTop - 1, AboveMax::Saturate), kTop);
    EXPECT_EQ(parseDecimal("5", 3, AboveMax::Refuse), std::nullopt);
}

}  // namespace
}  // namespace varnel
