#include <gtest/gtest.h>

#include "FieldFixture.h"

namespace q {
namespace {

using test::FieldTest;

// A tick whose event roll starts an event passes its time like any other;
// a faint that time causes waits until the event's story has ended, so it
// cannot fall into the event's question.
TEST_F(FieldTest, ATickThatStartsAnEventPassesItsTimeAndHoldsItsFaintUntilTheEventEnds) {
    StarvingBeforeAFight();
    const Long time = g().NowTime;
    Field().Timer1_Timer();
    EXPECT_EQ(Calls("BattleStart"), 1);
    EXPECT_EQ(g().NowTime, time + 1);
    EXPECT_EQ(g().MyNowHp, 0);
    EXPECT_FALSE(g().DieFlg) << "the faint waits for the event";
    EXPECT_TRUE(g().WaitingAnswer);
    EXPECT_NE(g().StoryName, "GameOver");

    // Ticks while the event runs leave the faint waiting.
    Field().Timer1_Timer();
    EXPECT_FALSE(g().DieFlg);

    // The event's story ends; the next tick plays the faint.
    EventEnds();
    Field().Timer1_Timer();
    EXPECT_TRUE(g().DieFlg);
    EXPECT_FALSE(g().FaintHeld);
    EXPECT_EQ(g().StoryName, "GameOver");
    EXPECT_FALSE(Field().Timer1.Enabled);
    EXPECT_EQ(g().NowTime, time + 1) << "the faint's tick walks no further";
}

// An event that restored her (a healer; a lost fight that woke her at home)
// leaves no faint to play; she walks on.
TEST_F(FieldTest, AHeldFaintIsDroppedWhenTheEventRestoredHer) {
    StarvingBeforeAFight();
    Field().Timer1_Timer();
    ASSERT_TRUE(g().FaintHeld);
    g().MyNowHp = 10;
    g().MyNowBody = 50;
    EventEnds();
    Field().Timer1_Timer();
    EXPECT_FALSE(g().FaintHeld);
    EXPECT_FALSE(g().DieFlg);
    EXPECT_NE(g().StoryName, "GameOver");
}

}  // namespace
}  // namespace q
