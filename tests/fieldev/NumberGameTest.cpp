#include <gtest/gtest.h>

#include <string>

#include "CaseName.h"
#include "FieldFixture.h"
#include "field/frmUnderMes3.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {
namespace {

using test::FieldTest;
using test::Pick;
using test::PickIn;

class NumberGameTest : public FieldTest {
protected:
    NumberGameTest() { OnRoad("HanoMori", "Hanoda", "Rein"); }

    // The game keeper's offer accepted: a stake, numbers 0..40, some tries.
    void Play(Long stake, Long tries, Long answer) {
        g().MyGold = 1000;
        Draws({Pick(9, 100), PickIn(stake, 200, 300), PickIn(40, 30, 50), PickIn(tries, 4, 6), PickIn(answer, 0, 40)});
        Field().ItemSelect();
        Click();
        Key(vbKeyY);
    }
    frmUnderMes3& Bar3() { return g().frmUnderMes3.get(); }
    std::string Line() { return Bar3().LBLMessage.Caption; }
    void Guess(Long n) {
        Bar3().txtNumber.Text = std::to_string(n);
        Bar3().cmdOK.Click();
    }
    void Type(const std::string& keys) {
        auto& box = Bar3().txtNumber;
        for (char ch : keys) {
            if (box.KeyDown) box.KeyDown(ch == '\r' ? 13 : std::toupper(ch), 0);
            box.Type(ch == '\r' ? 13 : ch);
        }
    }
};

TEST_F(NumberGameTest, TheStakeIsTakenAndTheThirdBarOpens) {
    Play(200, 5, 17);
    frmUnderMes3& bar = Bar3();
    EXPECT_TRUE(bar.Visible);
    EXPECT_EQ(bar.Top, RGN_ScreenHeight(g()) - bar.Height);
    EXPECT_EQ(bar.Left, 0);
    EXPECT_EQ(bar.Width, g().ScreenWidthTwips);
    EXPECT_TRUE(bar.txtNumber.Enabled);
    EXPECT_TRUE(bar.cmdOK.Enabled);
    EXPECT_EQ(bar.cmdOK.Caption, "決定");
    EXPECT_EQ(Line(), "ゲーム屋：ンじャ200カリム、貰っテおくネ。1回目の数字はナニ？最大 = 40");
    EXPECT_EQ(g().MyGold, 800);
    EXPECT_EQ(g().EventName, "GameStart");
    EXPECT_EQ(g().StoryNo, 10);
    EXPECT_TRUE(g().GameInputOpen);
    // A click on the bar while a number is awaited changes nothing.
    Click();
    EXPECT_EQ(g().StoryNo, 10);
    Bar3().LBLMessage.MouseDown(vbLeftButton, 0, 0, 0);
    EXPECT_EQ(g().StoryNo, 10);
}

struct HintCase {
    Long answer;
    Long guess;
    const char* hint;
};

class MissHints : public NumberGameTest, public ::testing::WithParamInterface<HintCase> {};

TEST_P(MissHints, TheFirstHintThatHoldsIsGiven) {
    const HintCase& c = GetParam();
    Play(200, 5, c.answer);
    Guess(c.guess);
    EXPECT_EQ(Line(), std::string("ゲーム屋：1／5") + c.hint + "40");
    EXPECT_EQ(g().GameTriesUsed, 1);
    EXPECT_EQ(g().StoryNo, 10);
    EXPECT_TRUE(g().GameInputOpen);
    EXPECT_TRUE(Bar3().txtNumber.Enabled);
    EXPECT_EQ(Bar3().txtNumber.SelLength, int(std::to_string(c.guess).size()));
}

INSTANTIATE_TEST_SUITE_P(Field, MissHints,
                         ::testing::Values(HintCase{0, 3, "回目。ウ～ん、あトちョっと小サク！最大 = "},
                                           HintCase{0, 6, "回目。ダめダめ！ソれジゃあ、大きスギるヨ。最大 = "},
                                           HintCase{10, 5, "回目。ウ～ん、あトちョっと大きク！最大 = "},
                                           HintCase{10, 4, "回目。だメだメ！ソれジゃあ、小さスギるヨ。最大 = "},
                                           HintCase{10, 11, "回目。惜しィ、ギりギりだァ…。最大 = "},
                                           HintCase{10, 9, "回目。惜しィ、ギりギりだァ…。最大 = "},
                                           HintCase{10, 15, "回目。ウ～ん、あトちョっと小サク！最大 = "},
                                           HintCase{10, 16, "回目。ダめダめ！ソれジゃあ、大きスギるヨ。最大 = "}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Answer", c.answer, "Guess", c.guess); }));

struct PrizeCase {
    Long stake;
    Long hitOn;
    Long prize;
};

class Prizes : public NumberGameTest, public ::testing::WithParamInterface<PrizeCase> {};

TEST_P(Prizes, TheEarlierTheHitTheBiggerThePrize) {
    const PrizeCase& c = GetParam();
    Play(c.stake, 6, 20);
    for (Long i = 1; i < c.hitOn; ++i) Guess(30 + i);
    Guess(20);
    const bool first = c.hitOn == 1;
    EXPECT_EQ(Line(), "ゲーム屋：大当タり～♪" + std::to_string(c.hitOn) + "回目で当たッたカら、" + std::to_string(c.prize) +
                          (first ? "カリム、プレゼント。そ・れ・ト……" : "カリム、プレゼント。マた遊んデね"));
    EXPECT_EQ(g().GameStake, c.prize);
    EXPECT_EQ(g().MyGold, 1000 - c.stake + c.prize);
    EXPECT_EQ(g().StoryNo, first ? 30 : 999);
    EXPECT_FALSE(Bar3().txtNumber.Enabled);
    EXPECT_FALSE(Bar3().cmdOK.Enabled);
}

INSTANTIATE_TEST_SUITE_P(Field, Prizes,
                         ::testing::Values(PrizeCase{200, 1, 10000}, PrizeCase{210, 2, 4200}, PrizeCase{220, 3, 1100},
                                           PrizeCase{230, 4, 690}, PrizeCase{240, 5, 480}, PrizeCase{201, 6, 261}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Stake", c.stake, "HitOn", c.hitOn); }));

struct RewardCase {
    Long r;
    const char* word;
};

class FirstGuessReward : public NumberGameTest, public ::testing::WithParamInterface<RewardCase> {};

TEST_P(FirstGuessReward, AHitWithTheFirstGuessRefillsAGauge) {
    const RewardCase& c = GetParam();
    g().MyMaxHp = 35;
    g().MyNowHp = 34;
    g().MyNowBody = 10;
    g().MyNowWater = 90;
    Play(200, 4, 7);
    Guess(7);
    Draws({Pick(c.r, 7)});
    Click();
    EXPECT_EQ(Line(), std::string("ゲーム屋：一回デ当テるナんテ凄いナ。ご褒美ニ") + c.word + "回復シてアげたヨ。マた遊んデね");
    EXPECT_EQ(g().WorkName, c.word);
    EXPECT_EQ(g().StoryNo, 999);
    EXPECT_EQ(g().MyNowHp, c.r <= 1 || c.r == 6 ? 35 : 34);
    EXPECT_EQ(g().MyNowBody, c.r == 2 || c.r == 3 ? 100 : c.r == 6 ? 60 : 10);
    EXPECT_EQ(g().MyNowWater, c.r == 4 || c.r == 5 ? 100 : c.r == 6 ? 100 : 90);
    Click();
    ExpectWalking();
    EXPECT_EQ(g().EventName, "");
    EXPECT_FALSE(g().frmUnderMes3.loaded());
}

INSTANTIATE_TEST_SUITE_P(Field, FirstGuessReward,
                         ::testing::Values(RewardCase{0, "体力ヲ全て"}, RewardCase{3, "満腹ヲ全て"}, RewardCase{5, "水分ヲ全て"},
                                           RewardCase{6, "体力・満腹・水分ヲ半分"}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("R", c.r); }));

TEST_F(NumberGameTest, AfterTheLastMissTheAnswerIsToldAndTheGameCloses) {
    Play(250, 4, 33);
    for (Long guess : {1, 2, 3, 4}) Guess(guess);
    EXPECT_EQ(Line(), "ゲーム屋：4／4回目。だメだメ！ソれジゃあ、小さスギるヨ。最大 = 40");
    EXPECT_EQ(g().StoryNo, 20);
    EXPECT_FALSE(Bar3().txtNumber.Enabled);
    EXPECT_FALSE(Bar3().cmdOK.Enabled);
    Guess(33);
    EXPECT_EQ(g().GameTriesUsed, 4);
    Click();
    EXPECT_EQ(Line(), "ゲーム屋：残念だっタね。答えは33ダよ。次会っタ時に、マた遊んデね");
    EXPECT_EQ(g().MyGold, 750);
    Click();
    ExpectWalking();
    EXPECT_FALSE(g().frmUnderMes3.loaded());
}

TEST_F(NumberGameTest, ANumberAboveTheLargestIsNotCounted) {
    Play(200, 5, 17);
    Guess(41);
    EXPECT_EQ(Line(), "ゲーム屋：0～40まデの数ダよ");
    EXPECT_EQ(g().GameTriesUsed, 0);
    EXPECT_TRUE(g().GameInputOpen);
    EXPECT_EQ(Bar3().txtNumber.SelLength, 2);
}

TEST_F(NumberGameTest, TheBoxTakesThreeDigitsAndEnterHandsThemIn) {
    Play(200, 5, 17);
    auto& box = Bar3().txtNumber;
    box.Text = "";
    Type("\r");
    EXPECT_EQ(g().GameTriesUsed, 0);
    Type("1x2-34");
    EXPECT_EQ(box.Text, "123");
    box.SelStart = 0;
    box.SelLength = 3;
    Type("1");
    EXPECT_EQ(box.Text, "1");
    Type("6\r");
    EXPECT_EQ(g().GameTriesUsed, 1);
    EXPECT_EQ(Line(), "ゲーム屋：1／5回目。惜しィ、ギりギりだァ…。最大 = 40");
    // A setting key among the letters still acts.
    Type("a");
    EXPECT_EQ(g().AutoNextChange, AutoNextTurnOn);
}

}  // namespace
}  // namespace q
