#include <gtest/gtest.h>

#include <vector>

#include "CaseName.h"
#include "RulesFixture.h"
#include "core/Growth.h"
#include "core/InitGame.h"
#include "core/Stats.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {
namespace {

using test::Pick;
using test::RulesTest;

class GrowthTest : public RulesTest {
protected:
    GrowthTest() {
        g().MyLevel = 1;
        g().MyMaxEx = 30;
        g().MyMaxHp = 35;
        g().MyNowHp = 35;
        g().MyMaxBody = 100;
        g().MyNowBody = 50;
        g().MyMaxWater = 100;
        g().MyNowWater = 50;
        g().MyAt = 7;
        g().MyDi = 5;
        g().MySp = 4;
        g().UpValue = 2;
    }
    // The draws of one level-up to level L: HP, then attack, defence,
    // speed, fullness and water, each r the same.
    void LevelDraws(Long L, long hp, long r) {
        Draws({Pick(hp, L + 1), Pick(r, 2), Pick(r, 2), Pick(r, 2), Pick(r, 2), Pick(r, 2)});
    }
};

// --- Conditions ---

struct PoisonCase {
    Long maxHp;
    double draw;
    Long damage;
};

class Poison : public GrowthTest, public ::testing::WithParamInterface<PoisonCase> {};

TEST_P(Poison, HurtsByAHundredthOfTheMaximum) {
    const PoisonCase& c = GetParam();
    g().MyMaxHp = c.maxHp;
    g().MyNowHp = 500;
    g().Condition[CondPoison] = 3;
    Draws({c.draw});
    EXPECT_FALSE(StatusTurn(g()));
    EXPECT_EQ(g().MyNowHp, 500 - c.damage) << "maximum " << c.maxHp;
    EXPECT_EQ(g().Condition[CondPoison], 2);
    EXPECT_EQ(g().MessageText, "") << "no line outside battle";
}

INSTANTIATE_TEST_SUITE_P(Rules, Poison,
                         ::testing::Values(PoisonCase{35, 0.99, 1}, PoisonCase{150, 0.0, 1}, PoisonCase{150, 0.99, 2},
                                           PoisonCase{250, 0.99, 2}, PoisonCase{1000, 0.0, 1},
                                           PoisonCase{1000, 0.99, 10}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("MaxHp", c.maxHp, "Draw", c.draw); }));

TEST_F(GrowthTest, TheLastTurnOfPoisonStillHurts) {
    g().Condition[CondPoison] = 1;
    Draws({0.5});
    EXPECT_FALSE(StatusTurn(g()));
    EXPECT_EQ(g().MyNowHp, 34);
    EXPECT_EQ(g().Condition[CondPoison], 0);
}

TEST_F(GrowthTest, PoisonThatUsesHerUpFaintsHerOutsideBattleOnly) {
    for (bool battle : {false, true}) {
        g().MyMaxHp = 1000;
        g().MyNowHp = 3;
        g().DieFlg = false;
        g().StoryName = "";
        g().BattlePhase = battle ? BattleEnemy : BattleNone;
        g().Condition.fill(5);
        Draws({Pick(4, 10)});  // a damage of 5
        EXPECT_TRUE(StatusTurn(g()));
        EXPECT_EQ(g().MyNowHp, 0);
        EXPECT_EQ(g().Condition[CondPoison], 4);
        EXPECT_EQ(g().Condition[CondParalysis], 5) << "counting stops when she is used up";
        EXPECT_EQ(g().DieFlg, !battle);
        EXPECT_EQ(g().StoryName, battle ? "" : "GameOver");
        EXPECT_EQ(g().MessageText, battle ? "毒で3のダメージ！" : "");
    }
}

TEST_F(GrowthTest, InBattleOnlyTheFirstFiveCountersRunDown) {
    NoDraws();
    for (bool battle : {false, true}) {
        g().BattlePhase = battle ? BattleHero : BattleNone;
        g().Condition = {0, 3, 3, 3, 3, 3, 3, 3, 3};
        EXPECT_FALSE(StatusTurn(g()));
        const Long later = battle ? 3 : 2;
        EXPECT_EQ(g().Condition, (std::array<Long, 9>{0, 2, 2, 2, 2, later, later, later, later}));
    }
}

TEST_F(GrowthTest, ClearConditionsEndsThemAll) {
    g().Condition.fill(7);
    ClearConditions(g());
    EXPECT_EQ(g().Condition, (std::array<Long, 9>{}));
}

// --- Hunger and thirst ---

struct HungerCase {
    const char* what;
    bool slowHunger;  // valuable 16 owned
    std::vector<double> draws;
    Long noHunger, noThirst;
    Long body, water, maxHp, hp;
    Long bodyAfter, waterAfter, hpAfter;
    bool fainted;
};

class Hunger : public GrowthTest, public ::testing::WithParamInterface<HungerCase> {};

TEST_P(Hunger, OneTurn) {
    const HungerCase& c = GetParam();
    g().AllKey[SlowHungerValuable].LKeyList = c.slowHunger;
    g().Condition[CondNoHunger] = c.noHunger;
    g().Condition[CondNoThirst] = c.noThirst;
    g().MyNowBody = c.body;
    g().MyNowWater = c.water;
    g().MyMaxHp = c.maxHp;
    g().MyNowHp = c.hp;
    for (double u : c.draws) g().rng.Queue(u);
    NoDraws();
    EXPECT_EQ(HungerTurn(g()), c.fainted) << c.what;
    EXPECT_EQ(g().MyNowBody, c.bodyAfter) << c.what;
    EXPECT_EQ(g().MyNowWater, c.waterAfter) << c.what;
    EXPECT_EQ(g().MyNowHp, c.hpAfter) << c.what;
    EXPECT_EQ(g().DieFlg, c.fainted) << c.what;
    EXPECT_EQ(g().Condition[CondNoHunger], c.noHunger) << c.what << ": counters run down elsewhere";
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Hunger,
    ::testing::Values(
        HungerCase{"water falls, fullness keeps", false, {Pick(1, 5)}, 0, 0, 50, 50, 35, 35, 50, 49, 35, false},
        HungerCase{"fullness falls one in five", false, {Pick(0, 5)}, 0, 0, 50, 50, 35, 35, 49, 49, 35, false},
        HungerCase{"the last water costs fullness", false, {Pick(1, 5)}, 0, 0, 50, 1, 35, 35, 49, 0, 35, false},
        HungerCase{"and one more with the odds", false, {Pick(0, 5)}, 0, 0, 50, 1, 35, 35, 48, 0, 35, false},
        HungerCase{"the gum keeps fullness, no draw", false, {}, 9, 0, 50, 50, 35, 35, 50, 49, 35, false},
        HungerCase{"thirst costs fullness under the gum", false, {}, 9, 0, 50, 0, 35, 35, 49, 0, 35, false},
        HungerCase{"the candy keeps water", false, {Pick(1, 5)}, 0, 9, 50, 50, 35, 35, 50, 50, 35, false},
        HungerCase{"starving with 35 HP costs 1", false, {}, 0, 0, 0, 50, 35, 35, 0, 49, 34, false},
        HungerCase{"starving with 120 HP costs 2", false, {}, 0, 0, 0, 50, 120, 120, 0, 49, 118, false},
        HungerCase{"starving uses the last HP up", false, {}, 0, 0, 0, 50, 120, 1, 0, 49, 0, true},
        HungerCase{"valuable 16: a turn in three goes on", true, {Pick(1, 3), Pick(1, 5)}, 0, 0, 50, 50, 35, 35, 50, 49,
                   35, false},
        HungerCase{"valuable 16: the other two change nothing", true, {Pick(0, 3)}, 0, 0, 50, 50, 35, 35, 50, 50, 35,
                   false},
        HungerCase{"valuable 16: not even the faint test", true, {Pick(2, 3)}, 0, 0, 0, 0, 35, 0, 0, 0, 0, false}),
    q::test::NameBy(&HungerCase::what));

TEST_F(GrowthTest, StrainCostsOneToHerLevel) {
    Draws({0.99});
    EXPECT_FALSE(StrainDamage(g()));
    EXPECT_EQ(g().MyNowHp, 34) << "level 1 always costs 1";

    g().MyLevel = 10;
    Draws({0.99});
    EXPECT_FALSE(StrainDamage(g()));
    EXPECT_EQ(g().MyNowHp, 24);

    g().MyNowHp = 5;
    Draws({Pick(9, 10)});
    EXPECT_TRUE(StrainDamage(g()));
    EXPECT_EQ(g().MyNowHp, 0);
    EXPECT_TRUE(g().DieFlg);
    EXPECT_EQ(g().StoryName, "GameOver");
}

// --- Experience and levels ---

TEST_F(GrowthTest, TheThresholdsOfTheFirstLevels) {
    for (Long threshold : {38, 56, 88}) {
        g().EffectResult = EffectLevelUp;  // the experience item
        LevelDraws(g().MyLevel + 1, 0, 0);
        GainExp(g());
        EXPECT_EQ(g().MyMaxEx, threshold);
        EXPECT_EQ(g().MyNowEx, 0);
        EXPECT_EQ(g().EffectResult, EffectUsed);
    }
    EXPECT_EQ(g().MyLevel, 4);
}

TEST_F(GrowthTest, ADealGivesOneToHerLevel) {
    g().MyLevel = 5;
    g().MyMaxEx = 200;
    Draws({Pick(0, 6)});
    GainExp(g());
    EXPECT_EQ(g().MyNowEx, 1) << "a 0 counts as 1";
    Draws({Pick(5, 6)});
    GainExp(g());
    EXPECT_EQ(g().MyNowEx, 6);
}

TEST_F(GrowthTest, ABattleRaisesOneLevelAtATime) {
    g().StoryName = "BattleEnd";
    g().EnemyEx = 1000;
    g().EnemyGold = 50;
    g().MyGold = 10;
    LevelDraws(2, 0, 0);
    GainExp(g());
    EXPECT_EQ(g().MyLevel, 2);
    EXPECT_EQ(g().MyNowEx, 970);
    EXPECT_EQ(g().MyGold, 60);
    EXPECT_EQ(g().EnemyCount, 1);

    g().EnemyEx = 0;
    LevelDraws(3, 0, 0);
    GainExp(g());
    EXPECT_EQ(g().MyLevel, 3);
    EXPECT_EQ(g().MyNowEx, 932);
}

TEST_F(GrowthTest, TheExperienceItemAtLevelFortyGivesLevelFortyOne) {
    g().MyLevel = 40;
    g().MyMaxEx = 5000;
    g().MyNowEx = 12;
    g().EffectResult = EffectLevelUp;
    LevelDraws(41, 0, 0);
    GainExp(g());
    EXPECT_EQ(g().MyLevel, 41);
    EXPECT_EQ(g().MyNowEx, 0);
}

TEST_F(GrowthTest, LevelNinetyNineIsTheLast) {
    g().MyLevel = 98;
    g().MyMaxEx = 19000;
    g().MyNowEx = 18999;
    Draws({Pick(1, 99)});
    LevelDraws(99, 0, 0);
    GainExp(g());
    EXPECT_EQ(g().MyLevel, 99);
    EXPECT_EQ(g().MyMaxEx, 0);
    EXPECT_EQ(g().MyNowEx, 0);

    Draws({Pick(50, 100)});  // a deal's gain, no level-up after it
    GainExp(g());
    EXPECT_EQ(g().MyLevel, 99);
    EXPECT_EQ(g().MyNowEx, 0);
}

struct GrowthCase {
    Long level;  // the new level
    Long upValue;
    long hpDraw, r;
    Long hp, at, di, sp, body, water;  // the rises
    Long upValueAfter;
};

class Growth : public GrowthTest, public ::testing::WithParamInterface<GrowthCase> {};

TEST_P(Growth, ByTheLastDigitOfTheLevel) {
    const GrowthCase& c = GetParam();
    g().MyLevel = c.level - 1;
    g().MyMaxEx = 100;
    g().MyNowEx = 100;
    g().UpValue = c.upValue;
    g().MyNowHp = 10;
    LevelDraws(c.level, c.hpDraw, c.r);
    LevelUp(g());
    EXPECT_EQ(g().MyMaxHp - 35, c.hp) << "level " << c.level;
    EXPECT_EQ(g().MyNowHp, g().MyMaxHp) << "level " << c.level;
    EXPECT_EQ(g().MyAt - 7, c.at) << "level " << c.level;
    EXPECT_EQ(g().MyDi - 5, c.di) << "level " << c.level;
    EXPECT_EQ(g().MySp - 4, c.sp) << "level " << c.level;
    EXPECT_EQ(g().MyMaxBody - 100, c.body) << "level " << c.level;
    EXPECT_EQ(g().MyMaxWater - 100, c.water) << "level " << c.level;
    EXPECT_EQ(g().MyNowBody, 50) << "what she has now is not raised";
    EXPECT_EQ(g().MyNowWater, 50) << "what she has now is not raised";
    EXPECT_EQ(g().UpValue, c.upValueAfter) << "level " << c.level;
    EXPECT_TRUE(g().LevelUpPending);
}

INSTANTIATE_TEST_SUITE_P(Rules, Growth,
                         ::testing::Values(GrowthCase{5, 2, 0, 0, 10, 3, 2, 1, 2, 2, 2},
                                           GrowthCase{5, 2, 5, 1, 15, 4, 3, 2, 3, 3, 2},
                                           GrowthCase{7, 2, 0, 0, 12, 2, 1, 1, 1, 1, 2},
                                           GrowthCase{7, 2, 7, 1, 19, 3, 2, 2, 2, 2, 2},
                                           GrowthCase{10, 4, 0, 0, 15, 5, 2, 2, 2, 2, 4},
                                           GrowthCase{11, 2, 0, 0, 16, 3, 2, 1, 2, 2, 3},
                                           GrowthCase{12, 4, 0, 0, 17, 4, 2, 1, 1, 1, 4}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Level", c.level, "UpValue", c.upValue, "HpDraw", c.hpDraw, "R", c.r); }));

TEST_F(GrowthTest, AttackStopsAtItsCap) {
    g().MyAt = 998;
    g().MyMaxEx = 0;
    LevelDraws(2, 0, 1);
    LevelUp(g());
    EXPECT_EQ(g().MyAt, 999);
}

struct RedrawCase {
    const char* scene;
    bool shopOpen;
    Long leaver;
    std::vector<int> sprites;  // drawn, in order, before the gauges
};

// The gauges after the level-up: full HP, fullness and water at 50 of 100.
const std::vector<int> Gauges{188, 190, 190};

class Redraw : public GrowthTest, public ::testing::WithParamInterface<RedrawCase> {};

TEST_P(Redraw, TheSceneIsDrawnAgain) {
    const RedrawCase& c = GetParam();
    GameForm stage(g(), "frmStage");
    stage.Show();
    RGN_InitForm(g(), stage);
    g().StageForm = &stage;
    g().SceneFormName = c.scene;
    g().ShopOpen = c.shopOpen;
    g().HeroSprite = 92;
    g().HeroX = 1200;
    g().VisitorSprite = 8;
    g().VisitorX = 3000;
    g().LeaverSprite = c.leaver;
    g().LeaverX = 600;
    g().PlaceSprite = 395;
    g().PlaceX = 0;
    g().PlaceSprite2 = 396;
    g().PlaceX2 = 9000;
    g().SpriteTop = 10035;
    g().MyMaxEx = 0;
    LevelDraws(2, 0, 0);
    LevelUp(g());
    std::vector<int> drawn;
    for (const auto& s : host.LastFrame().image) drawn.push_back(s.sprite);
    std::vector<int> expected = c.sprites;
    expected.insert(expected.end(), Gauges.begin(), Gauges.end());
    EXPECT_EQ(drawn, expected) << c.scene;
    g().StageForm = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Rules, Redraw,
                         ::testing::Values(RedrawCase{"frmField", false, NoSprite, {395, 396, 92}},
                                           RedrawCase{"frmEvent", false, NoSprite, {92, 8}},
                                           RedrawCase{"frmShop", false, 26, {395, 92}},
                                           RedrawCase{"frmShop", true, NoSprite, {92, 395, 8}},
                                           RedrawCase{"frmShop", true, 26, {92, 395, 8, 26}},
                                           RedrawCase{"", false, NoSprite, {}}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.scene, Flag{c.shopOpen, "Open"}, "Leaver", c.leaver); }));

TEST_F(GrowthTest, WithNoStageThereIsNothingToRedraw) {
    g().MyMaxEx = 0;
    LevelDraws(2, 0, 0);
    LevelUp(g());
    EXPECT_TRUE(g().LevelUpPending);
}

}  // namespace
}  // namespace q
