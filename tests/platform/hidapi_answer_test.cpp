// What a bus (hidapi's and the virtual one) accepts as a fetched feature report (found through
// the kernel run, where a device left out the report id byte and its shifted bytes were taken for
// an answer).
#include <gtest/gtest.h>

#include "device/hid_bus.h"

namespace varnel {
namespace {

TEST(HidapiBus, OnlyAWholeAnswerToTheWantedIdCounts) {
    struct Case {
        const char* what;
        int length;
        FeatureReport answer;
        bool whole;
    };
    const Case cases[] = {
        {"id and 7 bytes", 8, {0x41, 0x00, 0x00, 0x40, 0xC8, 0x45, 0x00, 0x00}, true},
        {"id left out: 7 bytes, shifted", 7, {0x00, 0x00, 0x40, 0xC8, 0x45, 0x00, 0x00, 0x00}, false},
        {"short answer with the id", 5, {0x41, 0x01, 0x02, 0x03, 0x04, 0x00, 0x00, 0x00}, false},
        {"nothing", 0, {0x41, 0, 0, 0, 0, 0, 0, 0}, false},
        {"answer to another report", 8, {0x40, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07}, false},
    };
    for (const auto& c : cases) EXPECT_EQ(isWholeAnswer(0x41, c.length, c.answer), c.whole) << c.what;
}

}  // namespace
}  // namespace varnel
