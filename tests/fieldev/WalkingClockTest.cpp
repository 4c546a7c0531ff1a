#include <gtest/gtest.h>

#include "FieldFixture.h"

namespace q {
namespace {

using test::FieldTest;

// A tick whose event roll starts an event lets no time pass on that tick,
// so hunger cannot make her faint in the middle of the event's question.
TEST_F(FieldTest, ATickThatStartsAnEventPassesNoTime) {
    OnRoad("HanoMori", "Hanoda", "Rein");
    g().SetHandler("BattleStart", [this](Long) {
        Record("BattleStart");
        g().EventBusy = true;
        g().WaitingAnswer = true;
    });
    g().MonsNothing = false;
    g().MyNowHp = 1;
    g().MyNowBody = 0;  // starving: the next clock unit would cost HP
    g().HeroStep = 2;   // a frame that does not move her
    g().StepCount = 3;  // the next step of the clock passes a unit
    const Long time = g().NowTime;
    Draws({0.0});  // the event roll: a wandering monster
    Field().Timer1_Timer();
    EXPECT_EQ(Calls("BattleStart"), 1);
    EXPECT_EQ(g().NowTime, time);
    EXPECT_FALSE(g().DieFlg);
    EXPECT_EQ(g().MyNowHp, 1);
}

}  // namespace
}  // namespace q
