#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "CaseName.h"
#include "battle/BattleFixture.h"

namespace q::test {
namespace {

class BattleEndTest : public BattleTest {
protected:
    BattleEndTest() {
        g().HaveSack = 0;
        g().MyMaxEx = 1000000;  // no level-up unless a test wants one
    }
    // The blow that beat the monster has just been shown.
    void Beaten(Long monster) {
        const MonsterRecord& m = g().AllMonster[size_t(monster)];
        g().EnemyNo = monster;
        g().EnemyName = m.Name;
        g().EnemyEx = m.Exp;
        g().EnemyGold = m.Gold;
        g().EnemyGyokuClass = m.JewelRank;
        g().EnemyHp = 0;
        g().DropSlot = 0;
        g().VisitorSprite = m.Picture;
        Ended(5);
    }
    // The turn that ended the fight left this mark in ActionValue.
    void Ended(Long action) {
        g().ActionValue = action;
        g().StoryName = "BattleEnd";
        g().StoryNo = 10;
        g().BattlePhase = BattleEnemy;
        g().EventBusy = true;
    }
    void SetSack(const std::vector<SackEntry>& entries) {
        g().HaveSack = 0;
        for (const SackEntry& e : entries) g().MySack[size_t(g().HaveSack++)] = e;
    }
    // Back on the road, the walk going on.
    void ExpectFieldResumes() {
        EXPECT_EQ(g().StoryName, "");
        EXPECT_EQ(g().SavedStoryName, "");
        EXPECT_EQ(g().StoryNo, 0);
        EXPECT_EQ(g().BattlePhase, BattleNone);
        EXPECT_FALSE(g().EventBusy);
        EXPECT_EQ(g().VisitorSprite, NoSprite);
        EXPECT_EQ(Line(0), "");
        EXPECT_TRUE(handedBack.empty());
    }
};

TEST_F(BattleEndTest, VictoryPaysBackWhatWasStolenAndAnnouncesALevelUp) {
    Beaten(0);
    g().MyMaxEx = 30;
    g().EnemyEx = 30;
    g().EnemyGold = 1000;
    g().StolenGold = 250;
    g().MyGold = 50;
    Draws({Pick(0, 3), Pick(0, 2), Pick(0, 2), Pick(0, 2), Pick(0, 2), Pick(0, 2)});  // the level's growth
    Click();
    EXPECT_EQ(Line(), "マウスパープルを倒した。30の経験値と1,250カリムを得た。＋＋＋　レベルアップ！　＋＋＋");
    EXPECT_EQ(g().MyGold, 1300);
    EXPECT_EQ(g().MyLevel, 2);
    EXPECT_FALSE(g().LevelUpPending);
    EXPECT_EQ(g().EnemyCount, 1);
    EXPECT_EQ(g().StoryNo, 11);
}

TEST_F(BattleEndTest, TheRobberGivesFameAndNoJewelAndTheShopTakesUpAtStep81) {
    Beaten(25);  // the index of the fight before; the robber has none of his own
    g().GhostFlg[0] = 1;
    g().EnemyName = "強盗";
    g().SavedStoryName = "ShopEvent";
    g().SceneFormName = "frmShop";
    g().EnemyGold = 3000;
    NoDraws();
    Click();
    EXPECT_EQ(g().MyFame, 110);
    EXPECT_EQ(g().MyGold, 3300);
    Click();
    ASSERT_EQ(handedBack.size(), 1u);
    EXPECT_EQ(handedBack[0].first, "frmShop.EventStart");
    EXPECT_EQ(handedBack[0].second, 81);
    EXPECT_EQ(g().BattlePhase, BattleNone);
    EXPECT_EQ(g().HaveSack, 0);  // no meat from the monster fought before
}

struct EscapeCase {
    Long gold;
    double u;
    const char* line;  // empty: no line, the fight returns at once
    Long goldAfter;
};

class EscapeCost : public BattleEndTest, public ::testing::WithParamInterface<EscapeCase> {};

TEST_P(EscapeCost, SheDropsUpToAFifthOfATenthOfHerMoney) {
    const EscapeCase& c = GetParam();
    g().MyGold = c.gold;
    Ended(HeroEscaped);
    if (c.gold > 0) Draws({c.u});
    else NoDraws();
    Click();
    EXPECT_EQ(g().EscapeCount, 1);
    EXPECT_EQ(g().MyGold, c.goldAfter);
    EXPECT_EQ(g().ActionValue, EscapePaid);
    if (std::string(c.line).empty()) return ExpectFieldResumes();
    EXPECT_EQ(Line(), c.line);
    EXPECT_EQ(g().StoryNo, 19);
    Click();
    ExpectFieldResumes();
}

INSTANTIATE_TEST_SUITE_P(Battle, EscapeCost,
                         ::testing::Values(EscapeCase{0, 0, "", 0},
                                           EscapeCase{1000, 0.5, "逃げる時に26カリム落としました", 974},
                                           EscapeCase{1000000, 0.5, "逃げる時に25,001カリム落としました", 974999},
                                           EscapeCase{1, 0.99, "逃げる時に1カリム落としました", 0}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Gold", c.gold, "Draw", c.u); }));

TEST_F(BattleEndTest, AnEnemyThatFledLeavesWithoutALine) {
    Ended(EnemyFled);
    NoDraws();
    Click();
    EXPECT_EQ(g().ActionValue, 0);
    EXPECT_EQ(g().EnemyCount, 0);
    ExpectFieldResumes();
}

struct LuckCase {
    bool lucky;  // 幸運のペンダント (28)
    bool happy;  // 幸福のペンダント (18)
    int rolls;
};

class PendantRolls : public BattleEndTest, public ::testing::WithParamInterface<LuckCase> {
protected:
    void SetUp() override {
        const LuckCase& c = GetParam();
        g().AllKey[28].LKeyList = c.lucky;
        g().AllKey[18].LKeyList = c.happy;
        Beaten(0);
        g().DropSlot = 1;
        g().DropNo = 0;
        g().DropClass = 2;        // falls only on 44 of 0..50
        g().EnemyGyokuClass = 2;  // only on 77 of 0..79
        g().StoryNo = 11;
    }
};

TEST_P(PendantRolls, EachMissIsRolledAgainWhileAPendantHasRollsLeft) {
    const int n = GetParam().rolls;
    for (int i = 0; i < n; ++i) g().rng.Queue(Pick(0, 51));
    for (int i = 0; i < n; ++i) g().rng.Queue(Pick(0, 80));
    NoDraws();
    Click();
    ExpectFieldResumes();
    EXPECT_EQ(g().HaveSack, 0);
}

TEST_P(PendantRolls, TheLastRollMayStillHit) {
    const int n = GetParam().rolls;
    for (int i = 1; i < n; ++i) g().rng.Queue(Pick(0, 51));
    g().rng.Queue(Pick(44, 51));
    NoDraws();
    Click();
    EXPECT_EQ(Line(), "体力の種を拾った");
    EXPECT_EQ(g().StoryNo, 14);
    for (int i = 1; i < n; ++i) g().rng.Queue(Pick(0, 80));
    g().rng.Queue(Pick(77, 80));
    Click();
    EXPECT_EQ(Line(), "マウスパープルの玉を拾った");
    EXPECT_EQ(g().StoryNo, 19);
    ASSERT_EQ(g().HaveSack, 2);
    EXPECT_TRUE(g().MySack[1].HHaveGyoku);
}

INSTANTIATE_TEST_SUITE_P(Battle, PendantRolls,
                         ::testing::Values(LuckCase{false, false, 1}, LuckCase{true, false, 3}, LuckCase{false, true, 3},
                                           LuckCase{true, true, 5}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(Flag{c.lucky, "Lucky"}, Flag{c.happy, "Happy"}, "Rolls", c.rolls); }));

struct SackCase {
    const char* what;
    std::vector<SackEntry> sack;
    Long room;
    Long item;
    const char* line;  // empty: nothing is picked up
    Long countAfter;   // of the first entry
};

class ItemDrop : public BattleEndTest, public ::testing::WithParamInterface<SackCase> {};

TEST_P(ItemDrop, TheSackTakesItOrTheLineSaysWhyNot) {
    const SackCase& c = GetParam();
    SetSack(c.sack);
    const Long kinds = g().HaveSack;
    g().NowMaxSack = c.room;
    Beaten(0);
    g().DropSlot = 1;
    g().DropNo = c.item;
    g().DropClass = 0;
    g().StoryNo = 11;
    Draws({Pick(2, 51)});
    if (std::string(c.line).empty()) g().rng.Queue(Pick(0, 80));  // the jewel's roll, in the same click
    Click();
    if (std::string(c.line).empty()) {
        ExpectFieldResumes();
    } else {
        EXPECT_EQ(Line(), c.line) << c.what;
        EXPECT_EQ(g().StoryNo, 14);
    }
    EXPECT_EQ(g().MySack[0].HHaveSackNum, c.countAfter) << c.what;
    EXPECT_EQ(g().HaveSack, kinds) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Battle, ItemDrop,
    ::testing::Values(SackCase{"a second branch of life", {{8, 1, false}}, 10, 8, "", 1},
                      SackCase{"a full sack", {{1, 1, false}, {2, 1, false}}, 2, 0, "体力の種を拾った。しかし道具袋が一杯だった", 1},
                      SackCase{"a jewel of the same number", {{0, 1, true}}, 1, 0, "体力の種を拾った。しかし道具袋が一杯だった", 1},
                      SackCase{"nine held", {{0, 9, false}}, 10, 0, "体力の種を拾った。しかし既に9個持っている", 9},
                      SackCase{"a full sack that holds some", {{0, 3, false}, {2, 1, false}}, 2, 0, "体力の種を拾った", 4}),
    q::test::NameBy(&SackCase::what));

TEST_F(BattleEndTest, AnArmGoesIntoTheBagUnlessItIsFull) {
    const std::string name = g().AllArms[409].Name;
    for (bool full : {true, false}) {
        g().NowMaxBag = 5;
        g().HaveBag = full ? 1 : 0;
        g().HaveBagNum = full ? 5 : 0;
        Beaten(1);
        g().DropSlot = 2;
        g().DropNo = 409;
        g().DropClass = 0;
        g().StoryNo = 11;
        Draws({Pick(2, 51)});
        Click();
        EXPECT_EQ(Line(), full ? name + "を拾った。しかし武具鞄が一杯だった" : name + "を拾った");
        EXPECT_EQ(g().HaveBagNum, full ? 5 : 1);
    }
}

struct ValuableCase {
    Long monster;
    const char* field;
    bool givenBefore;
    Long valuable;  // -1: the drop goes by the roll
};

class BossValuables : public BattleEndTest, public ::testing::WithParamInterface<ValuableCase> {};

TEST_P(BossValuables, TheFirstVictoryOutsideTheCorridorGivesTheValuableAndNothingElse) {
    const ValuableCase& c = GetParam();
    g().FieldName = c.field;
    g().ValuableItem.fill(c.givenBefore);
    Beaten(c.monster);
    g().StoryNo = 11;
    if (c.valuable < 0) {
        Draws({Pick(0, 80)});  // no drop slot; the jewel misses
        Click();
        ExpectFieldResumes();
        EXPECT_EQ(g().NoaFlg[0], 0);
        return;
    }
    NoDraws();
    Click();
    EXPECT_EQ(Line(), "貴重品：" + g().AllKey[size_t(c.valuable)].Name + "を手に入れた！");
    EXPECT_TRUE(g().AllKey[size_t(c.valuable)].LKeyList);
    EXPECT_EQ(g().StoryNo, 19);
    const bool noah = c.monster == 96;
    EXPECT_EQ(g().NoaFlg[0], noah ? 1 : 0);
    EXPECT_EQ(g().AllArms[460].LArmsList, noah);
    Click();
    ExpectFieldResumes();
}

INSTANTIATE_TEST_SUITE_P(Battle, BossValuables,
                         ::testing::Values(ValuableCase{96, "Tou", false, 0}, ValuableCase{97, "Tou", false, 27},
                                           ValuableCase{98, "Shinen", false, 15}, ValuableCase{96, "Tou", true, -1},
                                           ValuableCase{96, "ElfMugen", false, -1}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Monster", c.monster, c.field, Flag{c.givenBefore, "GivenBefore"}); }));

TEST_F(BattleEndTest, TheGhostsWishMakesUmakkuDropItsMeatWithoutARoll) {
    g().GhostFlg[0] = 1;
    Beaten(25);
    g().DropSlot = 2;
    g().StoryNo = 11;
    NoDraws();
    Click();
    EXPECT_EQ(Line(), "ウマックの肉を拾った");
    EXPECT_EQ(g().StoryNo, 14);
    EXPECT_EQ(g().MySack[0].HHaveSackNo, 41);
}

TEST_F(BattleEndTest, TheBankClerkGivesNeitherTheLastMonstersValuableNorItsJewel) {
    Beaten(96);
    g().FieldName = "ElfMugen";
    g().EnemyName = "銀行員";
    g().EnemyGyokuClass = 1;
    g().SavedStoryName = "BossTurn";
    NoDraws();
    Click();
    Click();
    ASSERT_EQ(handedBack.size(), 1u);
    EXPECT_EQ(handedBack[0].first, "frmField.BossTurn");
    EXPECT_EQ(handedBack[0].second, 101);
    EXPECT_EQ(g().HaveSack, 0);
    EXPECT_FALSE(g().ValuableItem[0]);
}

struct ReturnCase {
    const char* caller;
    const char* handler;
    Long step;
};

class BackToTheCaller : public BattleEndTest, public ::testing::WithParamInterface<ReturnCase> {};

TEST_P(BackToTheCaller, AfterAVictoryTheCallingStoryTakesUpAtItsStep) {
    const ReturnCase& c = GetParam();
    g().SavedStoryName = c.caller;
    g().SavedEventField = "Umi";
    g().EventField = "";
    Ended(0);
    g().StoryNo = 19;
    NoDraws();
    Click();
    ASSERT_EQ(handedBack.size(), 1u) << c.caller;
    EXPECT_EQ(handedBack[0].first, c.handler);
    EXPECT_EQ(handedBack[0].second, c.step);
    EXPECT_EQ(g().BattlePhase, BattleNone);
    if (std::string(c.caller) == "BoardEvent") {
        EXPECT_EQ(g().EventField, "Umi");
    }
}

INSTANTIATE_TEST_SUITE_P(Battle, BackToTheCaller,
                         ::testing::Values(ReturnCase{"ShopEvent", "frmShop.EventStart", 81},
                                           ReturnCase{"BoardEvent", "frmEvent.BoardEvent", 101},
                                           ReturnCase{"BossTurn", "frmField.BossTurn", 101}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.caller); }));

TEST_F(BattleEndTest, EscapingABossWithNoMoneyStepsBackWithoutALine) {
    g().FieldName = "Tou";
    g().LeftTown = "Tou";
    g().NowFloor = 49;
    g().RoadPos = 49;
    g().HeroX = 3000;
    g().StepWidth = 120;
    g().FieldLevel = 1;
    g().LeftMode = false;
    g().MyGold = 0;
    g().SavedStoryName = "BossTurn";
    Ended(HeroEscaped);
    NoDraws();
    Click();
    ExpectFieldResumes();
    EXPECT_EQ(g().HeroX, 2880);
    EXPECT_EQ(g().NowFloor, 48);
    EXPECT_EQ(g().RoadPos, 48);
    EXPECT_TRUE(g().LeftMode);
    EXPECT_EQ(g().HeroSprite, 100);
}

// Escaping a boss she steps back one position, her picture with her, and
// turns to go back. On a road she goes back the way she came: walking left
// (the troll met walking left from Elwind) the step goes right. Inside the
// tower or the cave the step goes one floor down, towards the exit, whichever
// way she was facing: the floor she met the boss on stays ahead of her.
struct StepBackCase {
    const char* what;
    const char* field;  // the dungeons' LeftTown is the field itself
    const char* leftTown;
    Long pos;
    bool walkingLeft;
    Long posAfter, heroXAfter;
    bool leftModeAfter;
    Long spriteAfter;
};

class EscapingABoss : public BattleEndTest, public ::testing::WithParamInterface<StepBackCase> {};

TEST_P(EscapingABoss, StepsHerBackOnePositionAndTurnsHer) {
    const StepBackCase& c = GetParam();
    g().FieldName = c.field;
    g().LeftTown = c.leftTown;
    g().RoadPos = c.pos;
    g().NowFloor = std::string(c.field) == c.leftTown ? c.pos : 1;
    g().LeftMode = c.walkingLeft;
    g().StepWidth = c.walkingLeft ? -120 : 120;  // as her last frame left it
    g().WalkDir = c.walkingLeft ? -1 : 1;
    g().HeroX = 3000;
    g().FieldLevel = 1;
    g().HeroSprite = c.walkingLeft ? 100 : 103;
    g().MyGold = 0;
    g().SavedStoryName = "BossTurn";
    Ended(HeroEscaped);
    NoDraws();
    Click();
    ExpectFieldResumes();
    EXPECT_EQ(g().RoadPos, c.posAfter);
    EXPECT_EQ(g().NowFloor, std::string(c.field) == c.leftTown ? c.posAfter : 1);
    EXPECT_EQ(g().HeroX, c.heroXAfter);
    EXPECT_EQ(g().LeftMode, c.leftModeAfter);
    EXPECT_EQ(g().HeroSprite, c.spriteAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Battle, EscapingABoss,
    ::testing::Values(StepBackCase{"road walking left", "MoriElf", "Rein", 99, true, 100, 3120, false, 103},
                      StepBackCase{"road walking right", "HanoMori", "Hanoda", 199, false, 198, 2880, true, 100},
                      StepBackCase{"tower facing left", "Tou", "Tou", 49, true, 48, 2880, true, 100},
                      StepBackCase{"tower facing right", "Tou", "Tou", 49, false, 48, 2880, true, 100},
                      StepBackCase{"cave facing left", "Shinen", "Shinen", 15, true, 14, 2880, true, 100},
                      StepBackCase{"cave facing right", "Shinen", "Shinen", 15, false, 14, 2880, true, 100}),
    q::test::NameBy(&StepBackCase::what));

}  // namespace
}  // namespace q::test
