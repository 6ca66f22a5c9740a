#include "skin/marquee.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(Marquee, RotatesWithAGapAfterTheFirstTick) {
    Marquee m;
    m.start("Key1", "ABC");
    EXPECT_EQ(m.tick(), "BC    A");
    EXPECT_EQ(m.tick(), "C    AB");
    EXPECT_EQ(m.tick(), "    ABC");
    EXPECT_EQ(m.tick(), "   ABC ");
    EXPECT_EQ(m.stop(), "ABC");
    EXPECT_FALSE(m.active());
}

TEST(Marquee, CounterWrapsToTwoSoTheGapIsNotAddedAgain) {
    Marquee m;
    m.start("Key1", "AB");
    m.setTicks(65534);
    m.tick();
    EXPECT_EQ(m.ticks(), 65535);
    m.tick();
    EXPECT_EQ(m.ticks(), 2);
    EXPECT_EQ(m.text(), "AB");  // two plain rotations of "AB", no gap
}

TEST(Marquee, NeverRotatesAnEmptyCaption) {
    Marquee m;
    m.start("Key5", "");
    EXPECT_EQ(m.tick(), "");
    EXPECT_EQ(m.tick(), "");
    EXPECT_EQ(m.stop(), "");
}

TEST(Marquee, MovesWholeCharactersOfUtf8Text) {
    Marquee m;
    m.start("Btn_Main_1", "\xC3\x89xito");  // "Éxito"
    EXPECT_EQ(m.tick(), "xito    \xC3\x89");
}

TEST(Marquee, RestartKeepsTheNewCaptionForLeave) {
    Marquee m;
    m.start("Btn_Lang2_1", "Ingl\xC3\xA9s");
    m.tick();
    m.restartWith("English");
    EXPECT_EQ(m.tick(), "nglish    E");
    EXPECT_EQ(m.stop(), "English");
}

}  // namespace
}  // namespace varnel
