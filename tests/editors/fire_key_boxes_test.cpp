#include "editors/fire_key_boxes.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(FireKeyBoxes, CorrectionsWhenLeft) {
    struct Row {
        const char* text;
        const char* repeat;  // corrected as the repeat box
        const char* delay;   // corrected as the time box
    };
    const Row rows[] = {
        {"", "2", "2"},         {"1", "2", "2"},
        {"0", "0", "0"},  // only the exact text "1" is raised
        {"01", "01", "01"},     {"15", "15", "15"},
        {"16", "15", "16"},     {"2000", "15", "2000"},
        {"2001", "15", "2000"}, {"99999999999999999999", "15", "2000"},  // no overflow on long digit runs
        {"12a", "2", "2"},                                               // pasted non-digits read as an empty box
        {"-5", "2", "2"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(correctedRepeatText(r.text), r.repeat) << '"' << r.text << '"';
        EXPECT_EQ(correctedDelayText(r.text), r.delay) << '"' << r.text << '"';
    }
    EXPECT_EQ(correctedFireKeyBoxes({"1", "3000"}), (FireKeyBoxes{"2", "2000"}));
}

}  // namespace
}  // namespace varnel
