#include <gtest/gtest.h>

#include "CaseName.h"
#include "battle/BattleFixture.h"

namespace q::test {
namespace {

class BattleStartTest : public BattleTest {
protected:
    // Every monster met at any time of day, so only the range decides.
    void AnyTime() {
        for (auto& m : g().AllMonster) m.DayNight = 0;
    }
    // A monster of the way: the monster's draw, an item slot, no ambush (she
    // is faster than any monster, so the ambush is drawn).
    void MeetWithDraw(double monsterDraw) {
        g().MySp = 100000;
        Draws({monsterDraw, Pick(0, 4), Pick(1, 5)});
        BattleStart(g(), false);
    }
};

struct BandCase {
    const char* field;
    Long length, pos, stage;
    Long areaMin, areaMax;
    Long lo, hi;
};

class MonsterBands : public BattleStartTest, public ::testing::WithParamInterface<BandCase> {};

TEST_P(MonsterBands, TheFirstAndLastDrawsAreTheEndsOfTheBand) {
    const BandCase& c = GetParam();
    AnyTime();
    g().FieldName = c.field;
    g().RoadLength = c.length;
    g().RoadPos = c.pos;
    g().Warasibe = c.stage;
    g().AreaEnemyMin = c.areaMin;
    g().AreaEnemyMax = c.areaMax;
    MeetWithDraw(0.0);
    EXPECT_EQ(g().EnemyNo, c.lo) << c.field << " at " << c.pos;
    MeetWithDraw(0.999999);
    EXPECT_EQ(g().EnemyNo, c.hi) << c.field << " at " << c.pos;
}

INSTANTIATE_TEST_SUITE_P(Battle, MonsterBands,
                         ::testing::Values(BandCase{"HanoMori", 200, 39, 1, 0, 13, 0, 3},
                                           BandCase{"HanoMori", 200, 40, 1, 0, 13, 2, 6},
                                           BandCase{"HanoMori", 200, 119, 1, 0, 13, 5, 8},
                                           BandCase{"HanoMori", 200, 160, 1, 0, 13, 10, 13},
                                           BandCase{"SiroTou", 100, 32, 10, 56, 62, 56, 58},
                                           BandCase{"SiroTou", 100, 33, 10, 56, 62, 58, 60},
                                           BandCase{"Tou", 100, 99, 11, 63, 69, 67, 69},
                                           BandCase{"Shinen", 300, 25, 11, 35, 41, 35, 37},
                                           BandCase{"Shinen", 300, 26, 11, 35, 41, 38, 41},
                                           BandCase{"Shinen", 300, 42, 12, 70, 88, 72, 75},
                                           BandCase{"Shinen", 300, 252, 12, 70, 88, 82, 88},
                                           BandCase{"ElfMugen", 200, 5, 12, 89, 99, 89, 99}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.field, "Pos", c.pos, "Stage", c.stage); }));

TEST_F(BattleStartTest, MonstersOfTheOtherHalfOfTheDayAreDrawnAgain) {
    AnyTime();
    g().AllMonster[0].DayNight = 2;  // only in the afternoon
    g().AllMonster[1].DayNight = 1;  // only in the morning
    struct Case {
        Long time;
        long rejected, taken;
    };
    for (const Case& c : {Case{50, 0, 1}, Case{51, 1, 0}}) {
        g().NowTime = c.time;
        Draws({Pick(c.rejected, 4), Pick(c.taken, 4), Pick(0, 4), Pick(1, 5)});
        BattleStart(g(), false);
        EXPECT_EQ(g().EnemyNo, c.taken) << "time " << c.time;
    }
}

TEST_F(BattleStartTest, ARangeWithNothingForTheHourTakesTheFirstDraw) {
    for (int i = 0; i <= 3; ++i) g().AllMonster[size_t(i)].DayNight = 2;
    g().NowTime = 10;
    MeetWithDraw(Pick(2, 4));
    EXPECT_EQ(g().EnemyNo, 2);
}

TEST_F(BattleStartTest, TheMonsterStandsFiftyPixelsAheadFacingHer) {
    AnyTime();
    g().HeroX = 3000;
    g().LeftMode = false;
    MeetWithDraw(0.0);
    EXPECT_EQ(g().VisitorSprite, 195);
    EXPECT_EQ(g().VisitorX, 3750);
    g().LeftMode = true;
    MeetWithDraw(0.0);
    EXPECT_EQ(g().VisitorSprite, 196);
    EXPECT_EQ(g().VisitorX, 2250);
    EXPECT_TRUE(g().EventBusy);
}

struct NightCase {
    Long time;
    Long lantern;
    bool edenFire;
    Long at, di, sp;
};

class NightStrength : public BattleStartTest, public ::testing::WithParamInterface<NightCase> {};

TEST_P(NightStrength, MonstersAreStrongerLateInTheDayUnlessALightIsCarried) {
    const NightCase& c = GetParam();
    AnyTime();
    g().NowTime = c.time;
    g().Condition[CondLantern] = c.lantern;
    g().AllKey[19].LKeyList = c.edenFire;
    MeetWithDraw(0.0);  // マウスパープル: HP 12, attack 6, defence 3, speed 3
    EXPECT_EQ(g().EnemyHp, 12);
    EXPECT_EQ(g().EnemyAt, c.at) << "time " << c.time;
    EXPECT_EQ(g().EnemyDi, c.di);
    EXPECT_EQ(g().EnemySp, c.sp);
}

INSTANTIATE_TEST_SUITE_P(Battle, NightStrength,
                         ::testing::Values(NightCase{80, 0, false, 6, 3, 3}, NightCase{81, 0, false, 8, 4, 4},
                                           NightCase{99, 0, false, 8, 4, 4}, NightCase{81, 1, false, 6, 3, 3},
                                           NightCase{81, 0, true, 6, 3, 3}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Time", c.time, "Lantern", c.lantern, Flag{c.edenFire, "EdenFire"}); }));

TEST_F(BattleStartTest, TheRobberIsMadeFromTheHeroineAndLeavesTheMonsterIndex) {
    g().SceneFormName = "frmShop";
    g().SavedStoryName = "ShopEvent";
    g().StoryName = "Fighting";
    g().VisitorSprite = 169;
    g().EnemyNo = 42;
    g().MyLevel = 3;
    g().MyNowEx = 25;
    // An item slot, the money draw 2 of 0..2; no ambush draw, for he is
    // faster than her.
    Draws({Pick(2, 4), Pick(2, 3)});
    BattleDispatch(g());
    EXPECT_EQ(g().EnemyName, "強盗");
    EXPECT_EQ(g().EnemyHp, 26);  // 26.25
    EXPECT_EQ(g().EnemyAt, 6);   // 6.3
    EXPECT_EQ(g().EnemyDi, 5);
    EXPECT_EQ(g().EnemySp, 5);   // 4.8
    EXPECT_EQ(g().EnemySkillKind, 11);
    EXPECT_EQ(g().EnemySkillRate, 3);
    EXPECT_EQ(g().EnemyGold, 3500);
    EXPECT_EQ(g().EnemyEx, 2);
    EXPECT_EQ(g().DropSlot, 1);
    EXPECT_EQ(g().DropNo, 20);
    EXPECT_EQ(g().DropClass, 2);
    EXPECT_EQ(g().EnemyNo, 42);
    // Faster than her: he strikes first.
    EXPECT_EQ(g().StoryName, "MonsterTurn");
    EXPECT_EQ(g().BattlePhase, BattleEnemy);
    EXPECT_EQ(Line(0), "強盗が現れた！");
    EXPECT_EQ(Line(1), "");

    // With an arm slot he carries nothing.
    g().StoryName = "Fighting";
    Draws({Pick(1, 4), Pick(0, 3)});
    BattleDispatch(g());
    EXPECT_EQ(g().DropSlot, 0);
    EXPECT_EQ(g().EnemyGold, 2500);
}

struct BossCase {
    const char* caller;
    Long sprite;
    bool wedge;
    Long no;
    const char* name;
    Long hp, at;
    Long dropSlot;
};

class BossByPicture : public BattleStartTest, public ::testing::WithParamInterface<BossCase> {};

TEST_P(BossByPicture, TheFigureBeforeHerIsTheEnemy) {
    const BossCase& c = GetParam();
    g().NowTime = 90;  // bosses keep their strength at night
    g().SavedStoryName = c.caller;
    g().StoryName = "Fighting";
    g().VisitorSprite = c.sprite;
    g().EnemyNo = 5;
    g().AllKey[27].LKeyList = c.wedge;
    g().MySp = 100000;  // faster than any boss: the ambush is drawn
    Draws({Pick(1, 4), Pick(1, 5)});  // an arm slot, no ambush
    BattleDispatch(g());
    EXPECT_EQ(g().EnemyNo, c.no) << c.sprite;
    EXPECT_EQ(g().EnemyName, c.name);
    EXPECT_EQ(g().EnemyHp, c.hp);
    EXPECT_EQ(g().EnemyAt, c.at);
    EXPECT_EQ(g().DropSlot, c.dropSlot);
}

INSTANTIATE_TEST_SUITE_P(
    Battle, BossByPicture,
    ::testing::Values(BossCase{"BossTurn", 359, false, 90, "トロール", 1280, 78, 0},
                      BossCase{"BossTurn", 360, false, 90, "トロール", 1280, 78, 0},
                      BossCase{"BoardEvent", 357, false, 94, "トレント君", 1400, 95, 0},
                      BossCase{"BossTurn", 193, false, 98, "吸血のベラドンナ", 99999, 99999, 0},
                      BossCase{"BossTurn", 296, true, 99, "魔族ジーク", 8888, 588, 2},
                      BossCase{"BossTurn", 17, false, 5, "銀行員", 9999, 700, 0}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.caller, "Sprite", c.sprite, Flag{c.wedge, "Wedge"}); }));

struct FirstCase {
    Long enemySp;
    long ambush;  // -1: not drawn
    bool enemyFirst;
};

class WhoMovesFirst : public BattleStartTest, public ::testing::WithParamInterface<FirstCase> {};

TEST_P(WhoMovesFirst, TheFasterSideOrAnAmbush) {
    const FirstCase& c = GetParam();
    AnyTime();
    g().AllMonster[0].Sp = c.enemySp;
    Draws({0.0, Pick(0, 4)});
    if (c.ambush >= 0) g().rng.Queue(Pick(c.ambush, 5));
    BattleStart(g(), false);
    if (c.enemyFirst) {
        EXPECT_EQ(g().StoryName, "MonsterTurn");
        EXPECT_EQ(g().BattlePhase, BattleEnemy);
        EXPECT_FALSE(g().WaitingAnswer);
        EXPECT_EQ(Line(1), "");
    } else {
        EXPECT_EQ(g().StoryName, "HeroTurn");
        EXPECT_EQ(g().BattlePhase, BattleHero);
        EXPECT_TRUE(g().WaitingAnswer);
        EXPECT_EQ(Line(1), "戦う(Y/G)");
        EXPECT_EQ(Line(2), "逃げる(N)");
        EXPECT_EQ(g().HeroTurnText, "マウスパープルが現れた！");
    }
    EXPECT_EQ(Line(0), "マウスパープルが現れた！");
    EXPECT_EQ(g().StoryNo, 0);
}

INSTANTIATE_TEST_SUITE_P(Battle, WhoMovesFirst,
                         ::testing::Values(FirstCase{4, 0, true}, FirstCase{4, 1, false}, FirstCase{5, -1, true},
                                           FirstCase{100, -1, true}, FirstCase{3, 4, false}),
    q::test::NameBy([](const auto& c) {
        using namespace q::test;
        if (c.ambush < 0) return Name("EnemySp", c.enemySp, "NoAmbushDraw");
        return Name("EnemySp", c.enemySp, "Ambush", c.ambush);
    }));

}  // namespace
}  // namespace q::test
