#include <gtest/gtest.h>

#include "CaseName.h"
#include "RulesFixture.h"
#include "core/Clock.h"
#include "core/Stats.h"
#include "core/StoryInput.h"
#include "data/Tables.h"

namespace q {
namespace {

using test::Pick;
using test::RulesTest;

class StatsTest : public RulesTest {
protected:
    StatsTest() {
        g().MyMaxHp = 35;
        g().MyNowHp = 30;
        g().MyMaxBody = 100;
        g().MyNowBody = 95;
        g().MyMaxWater = 100;
        g().MyNowWater = 95;
        g().MyLevel = 1;
    }
};

struct AddStatCase {
    const char* what;
    const char* key;
    double amount;
    bool current;
    Long GameState::*var;
    Long before;
    Long after;
    Long delta;
};

class AddStatBounds : public StatsTest, public ::testing::WithParamInterface<AddStatCase> {};

TEST_P(AddStatBounds, HoldsEachKeyWithinItsBounds) {
    const AddStatCase& c = GetParam();
    g().*c.var = c.before;
    const Long maxHp = g().MyMaxHp, maxWater = g().MyMaxWater;
    AddStat(g(), c.amount, c.key, c.current);
    EXPECT_EQ(g().*c.var, c.after) << c.what;
    EXPECT_EQ(g().StatDelta, c.delta) << c.what;
    if (c.current) {
        EXPECT_EQ(g().MyMaxHp, maxHp) << c.what << ": the maximum stays";
        EXPECT_EQ(g().MyMaxWater, maxWater) << c.what << ": the maximum stays";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, AddStatBounds,
    ::testing::Values(
        AddStatCase{"HP now stops at the maximum", "Hp", 20, true, &GameState::MyNowHp, 30, 35, 20},
        AddStatCase{"HP now stops at 0", "Hp", -50, true, &GameState::MyNowHp, 30, 0, -50},
        AddStatCase{"maximum HP stops at 9999", "Hp", 20, false, &GameState::MyMaxHp, 9990, 9999, 9},
        AddStatCase{"maximum HP already at 9999", "Hp", 20, false, &GameState::MyMaxHp, 9999, 9999, 0},
        AddStatCase{"without Current the maximum rises", "Hp", 5, false, &GameState::MyMaxHp, 35, 40, 5},
        AddStatCase{"water now within its maximum", "Water", 10, true, &GameState::MyNowWater, 95, 100, 10},
        AddStatCase{"fullness maximum, halves to even", "Body", 2.5, false, &GameState::MyMaxBody, 100, 102, 2},
        AddStatCase{"fullness maximum stops at 999", "Body", 5, false, &GameState::MyMaxBody, 997, 999, 2},
        AddStatCase{"money never below 0", "Gold", -600, false, &GameState::MyGold, 500, 0, -600},
        AddStatCase{"money stops at 999,999,999", "Gold", 10, false, &GameState::MyGold, 999999995, 999999999, 10},
        AddStatCase{"fame cut at 9999 keeps the amount", "Fame", 50, false, &GameState::MyFame, 9980, 9999, 50},
        AddStatCase{"a fractional fame loss", "Fame", -5.2, false, &GameState::MyFame, 13, 8, -5},
        AddStatCase{"attack stops at 999", "At", 5, false, &GameState::MyAt, 998, 999, 1},
        AddStatCase{"speed has no lower bound", "Sp", -3, false, &GameState::MySp, 2, -1, -3},
        AddStatCase{"a counter", "Die", 1, false, &GameState::DieCount, 4, 5, 1},
        AddStatCase{"wood stops at 99,999", "Wood", 10, false, &GameState::WoodNum, 99995, 99999, 10},
        AddStatCase{"keys are exact: HP is no key", "HP", 5, true, &GameState::MyNowHp, 30, 30, 5}),
    q::test::NameBy(&AddStatCase::what));

// --- Fainting ---

struct TollCase {
    const char* what;
    const char* scene;
    const char* savedStory;
    Long level;
    Long fame, gold;
    Long fameAfter, goldAfter;
    bool died;           // the Die counter rises
    bool carriedEmpty;   // the bag and the sack are emptied
    const char* line;
};

class Tolls : public StatsTest, public ::testing::WithParamInterface<TollCase> {};

TEST_P(Tolls, TakenByWhereSheFell) {
    const TollCase& c = GetParam();
    g().SceneFormName = c.scene;
    g().SavedStoryName = c.savedStory;
    g().MyLevel = c.level;
    g().MyFame = c.fame;
    g().MyGold = c.gold;
    g().HaveBag = 2;
    g().HaveBagNum = 5;
    g().HaveSack = 3;
    g().HaveShop = 4;
    g().HaveShopNum = 6;
    g().HaveStock = 1;
    g().HaveStockNum = 1;
    g().MessageText = "（前の行）";
    g().StoryNo = 1;
    NoDraws();
    GameOverStory(g());
    EXPECT_EQ(g().MyFame, c.fameAfter) << c.what;
    EXPECT_EQ(g().MyGold, c.goldAfter) << c.what;
    EXPECT_EQ(g().DieCount, c.died ? 1 : 0) << c.what;
    EXPECT_EQ(g().HaveBag, c.carriedEmpty ? 0 : 2) << c.what;
    EXPECT_EQ(g().HaveBagNum, c.carriedEmpty ? 0 : 5) << c.what;
    EXPECT_EQ(g().HaveSack, c.carriedEmpty ? 0 : 3) << c.what;
    EXPECT_EQ(g().HaveShopNum, 6) << c.what << ": the display is never lost";
    EXPECT_EQ(g().HaveStockNum, 1) << c.what << ": the warehouse is never lost";
    EXPECT_EQ(Bar(), c.line) << c.what;
    EXPECT_EQ(g().NoClick, 0) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Tolls,
    ::testing::Values(
        TollCase{"robbed", "frmShop", "ShopEvent", 1, 13, 1234, 5, 0, true, false, RobbedLine},
        TollCase{"exhausted at level 1", "frmShop", "", 1, 100, 1000, 60, 950, true, false, ExhaustedLine},
        TollCase{"exhausted at level 10", "frmShop", "", 10, 100, 3000, 60, 500, true, false, ExhaustedLine},
        TollCase{"exhausted at level 99, never below 0", "frmShop", "", 99, 100, 200000, 60, 0, true, false,
                 ExhaustedLine},
        TollCase{"a robber's fight outside the shop is no robbery", "frmField", "ShopEvent", 1, 100, 500, 60, 0, true,
                 true, AwayLine},
        TollCase{"on the road", "frmField", "", 5, 100, 5000, 60, 0, true, true, AwayLine},
        TollCase{"a fight started from the board", "frmEvent", "BoardEvent", 5, 100, 5000, 60, 0, true, true,
                 AwayLine},
        TollCase{"anywhere else: no toll", "frmEvent", "", 5, 100, 5000, 100, 5000, false, false, "（前の行）"}),
    q::test::NameBy(&TollCase::what));

TEST_F(StatsTest, TheRobbedCaseFreesAutoModeAndForgetsTheEvent) {
    g().SceneFormName = "frmShop";
    g().SavedStoryName = "ShopEvent";
    g().AutoBlocked = true;
    g().StoryNo = 1;
    GameOverStory(g());
    EXPECT_FALSE(g().AutoBlocked);
    EXPECT_EQ(g().SavedStoryName, "");
}

TEST_F(StatsTest, TheFaintWithoutTheBranchOfLifeStartsTheStory) {
    g().StoryName = "ShopBuySell";
    g().BattlePhase = BattleHero;
    g().StoryNo = 0;
    NoDraws();
    GameOverStory(g());
    EXPECT_EQ(g().StoryName, "GameOver");
    EXPECT_FALSE(g().RevivePending);
    EXPECT_TRUE(g().DieFlg);
    EXPECT_EQ(g().MyNowHp, 0);
    EXPECT_EQ(g().BattlePhase, BattleNone);
    EXPECT_EQ(Bar(), FaintLine);
    EXPECT_EQ(g().NoClick, 0);
}

TEST_F(StatsTest, TheBranchOfLifeRevivesHerAndTheStoryGoesOn) {
    g().NowMaxSack = 10;
    g().HaveSack = 3;
    g().MySack[0] = {8, 1, true};  // jewel 8 is no branch
    g().MySack[1] = {4, 2, false};
    g().MySack[2] = {8, 2, false};
    g().StoryName = "ShopBuySell";
    g().StoryNo = 0;
    GameOverStory(g());
    EXPECT_EQ(g().StoryName, "ShopBuySell");
    EXPECT_TRUE(g().RevivePending);
    EXPECT_TRUE(g().DieFlg);
    EXPECT_EQ(g().WorkIndex, 2);
    EXPECT_EQ(Bar(), FaintLine);
}

struct WakeCase {
    const char* scene;
    const char* savedStory;
    const char* call;
    const char* storyAfter;
    Long resume;
};

class WakeUp : public StatsTest, public ::testing::WithParamInterface<WakeCase> {};

TEST_P(WakeUp, ADayLaterRestoredAndAtHome) {
    const WakeCase& c = GetParam();
    g().SceneFormName = c.scene;
    g().SavedStoryName = c.savedStory;
    g().StoryName = "GameOver";
    g().EventField = "Umi";
    g().FieldName = "ElfAna";
    g().NowYear = 3050;
    g().NowMonth = 5;
    g().NowDay = 10;
    g().NowTime = 63;
    g().MyNowHp = 0;
    g().MyNowBody = 3;
    g().MyNowWater = 0;
    g().Condition.fill(4);
    g().DieFlg = true;
    g().EventBusy = true;
    g().HelperPresent = true;
    g().VisitorSprite = 8;
    g().ShopEventKind = ShopEventRobber;
    g().StoryNo = 2;
    Draws({Pick(0, 2), Pick(7, 51)});  // the day's share price
    GameOverStory(g());

    EXPECT_EQ(g().NowDay, 11);
    EXPECT_EQ(g().NowTime, 63);
    EXPECT_EQ(g().MyNowHp, 35);
    EXPECT_EQ(g().MyNowBody, 100);
    EXPECT_EQ(g().MyNowWater, 100);
    for (Long turns : g().Condition) EXPECT_EQ(turns, 0);
    EXPECT_FALSE(g().DieFlg);
    EXPECT_FALSE(g().EventBusy);
    EXPECT_FALSE(g().HelperPresent);
    EXPECT_EQ(g().NoClick, 0);
    EXPECT_EQ(Calls(c.call), 1) << c.scene;
    EXPECT_EQ(g().StoryName, c.storyAfter) << c.scene;
    EXPECT_EQ(g().ResumeCode[0], c.resume) << c.scene;
    if (std::string(c.scene) == "frmShop") {
        EXPECT_EQ(g().VisitorSprite, NoSprite);
        EXPECT_EQ(g().ShopEventKind, ShopEventNone);
        EXPECT_EQ(g().FieldName, "ElfAna");
    } else {
        EXPECT_EQ(g().FieldName, "Hanoda") << c.scene;
        EXPECT_EQ(g().StoryNo, 0) << c.scene;
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, WakeUp,
                         ::testing::Values(WakeCase{"frmShop", "", "frmShop.ShopClose", "GameOver", 0},
                                           WakeCase{"frmField", "", "frmEvent.Show", "", ResumeFainted},
                                           WakeCase{"frmEvent", "BoardEvent", "frmShop.Show", "", 0}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.scene, c.savedStory); }));

TEST_F(StatsTest, AfterABoardFightSheWakesInHerShopWithThePlaceForgotten) {
    g().SceneFormName = "frmEvent";
    g().SavedStoryName = "BoardEvent";
    g().EventField = "Umi";
    g().SavedEventField = "Umi";
    g().StoryNo = 2;
    GameOverStory(g());
    EXPECT_EQ(g().SavedStoryName, "");
    EXPECT_EQ(g().EventField, "Shop");
    EXPECT_EQ(g().SavedEventField, "");
    EXPECT_EQ(g().FieldName, "Hanoda");
}

// A deal's strain uses her last HP up: the faint, then its story by clicks.
TEST_F(StatsTest, AFaintInTheShopRunsItsStoryByClicks) {
    g().SceneFormName = "frmShop";
    g().StoryName = "ShopBuySell";
    g().NowDay = 3;
    g().NowTime = 50;
    g().MyNowHp = 1;
    g().MyFame = 50;
    g().MyGold = 400;
    Draws({Pick(1, 5), Pick(0, 1)});  // hunger, then the strain of 1
    AdvanceTime(g(), 2, true);
    EXPECT_TRUE(g().DieFlg);
    EXPECT_EQ(g().StoryName, "GameOver");
    EXPECT_EQ(Bar(), FaintLine);

    AdvanceStory(g(), vbLeftButton);
    EXPECT_EQ(Bar(), ExhaustedLine);
    EXPECT_EQ(g().MyFame, 30);
    EXPECT_EQ(g().MyGold, 350);

    Draws({Pick(1, 2), Pick(3, 51)});
    AdvanceStory(g(), vbLeftButton);
    EXPECT_FALSE(g().DieFlg);
    EXPECT_EQ(g().NowDay, 4);
    EXPECT_EQ(g().NowTime, 52);
    EXPECT_EQ(g().MyNowHp, 35);
    EXPECT_EQ(Calls("frmShop.ShopClose"), 1);
}

}  // namespace
}  // namespace q
