#include <gtest/gtest.h>

#include "FieldFixture.h"
#include "shop/ListWindows.h"
#include "shop/frmSack.h"

namespace q {
namespace {

using test::FieldTest;

constexpr Long WellWater = 9;  // used anywhere but in a fight
constexpr const char* AskUse = "本当に使いますか？ [使う(Y)] [やめる(N/G)]";
constexpr double NothingOnTheWay = (2 + 0.5) / 31;  // the event roll that starts nothing

// The sack's question on the road: the field's clock must leave it open
// until it is answered, whether she walks on or stops meanwhile.
class SackConfirmation : public FieldTest {
protected:
    SackConfirmation() {
        OnRoad("HanoMori", "Hanoda", "Rein");
        g().DBUFLG = true;
        g().MyNowWater = 10;
        SetSack({{WellWater, 2}});
    }
    frmSack& Sack() { return g().frmSack.get(); }
    void Press(int key, int shift = 0) { MessageInput(g(), key, shift, InputKey); }
    void AskToUse() {
        Press('9', 1);  // the sack's tab
        ASSERT_EQ(g().ListName, "frmSack");
        ASSERT_TRUE(Sack().cmdUse.Enabled);
        Sack().cmdUse.Click();
        ASSERT_TRUE(g().ListConfirm);
    }
    void ExpectAsking() {
        EXPECT_TRUE(g().ListConfirm);
        EXPECT_TRUE(g().WaitingAnswer);
        EXPECT_EQ(g().StoryName, "SackUse");
        EXPECT_EQ(g().StoryNo, StoryWaitNo);
        EXPECT_EQ(Bar(), AskUse);
    }
    // The answer used the water, and the window works again and closes.
    void ExpectAnsweredAndReleased() {
        EXPECT_EQ(SackCount(WellWater), 1);
        EXPECT_FALSE(g().ListConfirm);
        EXPECT_FALSE(g().WaitingAnswer);
        EXPECT_TRUE(Sack().lstList.Enabled);
        EXPECT_TRUE(Sack().txtNumber.Enabled);
        CloseListWindows(g());
        EXPECT_EQ(g().ListName, "");
    }
};

TEST_F(SackConfirmation, WalkingOnWaitsForItsAnswer) {
    Press('C');
    host.Advance(500);  // the tick that stops her
    ASSERT_FALSE(Field().Timer1.Enabled);
    AskToUse();
    Press('C');  // walk on, the question still open
    const Long pos = g().RoadPos, step = g().HeroStep;
    host.Advance(3000);
    ExpectAsking();
    EXPECT_EQ(g().RoadPos, pos);
    EXPECT_EQ(g().HeroStep, step);

    Press(vbKeyY);
    ExpectAnsweredAndReleased();
    Draws({NothingOnTheWay});
    host.Advance(500);
    EXPECT_EQ(g().HeroStep, step + 1) << "she walks on once it is answered";
}

TEST_F(SackConfirmation, InAutoModeThePauseWaitsForItsAnswer) {
    g().AutoNext = true;
    Press('C');  // she stops at the next tick...
    AskToUse();  // ...and before it the sack asks
    host.Advance(3000);
    ExpectAsking();
    EXPECT_TRUE(g().OnceStop);

    Press(vbKeyY);
    ExpectAnsweredAndReleased();
    host.Advance(5000);
    EXPECT_FALSE(Field().Timer1.Enabled) << "the pause comes after the answer";
    EXPECT_EQ(g().StoryName, "");
    Draws({NothingOnTheWay});
    Press('C');
    host.Advance(500);
    EXPECT_FALSE(g().OnceStop);
    EXPECT_TRUE(Field().Timer1.Enabled) << "and C walks on from it";
}

}  // namespace
}  // namespace q
