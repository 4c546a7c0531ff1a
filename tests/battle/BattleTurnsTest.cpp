#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CaseName.h"
#include "battle/BattleFixture.h"
#include "core/Message.h"
#include "core/frmUnderMes.h"

namespace q::test {
namespace {

const std::string Foe = "マウスパープル";

// --- The heroine's turn ---------------------------------------------------

struct HeroCase {
    const char* what;
    int key;
    Long enemySp;
    int condition;  // -1 none
    Long body;      // of 100
    Long at, enemyDi, enemyHp;
    std::vector<double> draws;  // stunned? (only while paralysed), evasion, critical, variation
    std::string line;
    Long enemyHpAfter;
    const char* next;
};

class HeroTurn : public BattleTest, public ::testing::WithParamInterface<HeroCase> {};

TEST_P(HeroTurn, HerAnswerBecomesABlowOrAnEscape) {
    const HeroCase& c = GetParam();
    Facing(Foe, c.enemyHp, 5, c.enemyDi, c.enemySp);
    g().MyAt = c.at;
    g().MyNowBody = c.body;
    if (c.condition >= 0) g().Condition[size_t(c.condition)] = 5;
    Script(c.draws);
    Answer(c.key);
    EXPECT_EQ(Line(), c.line) << c.what;
    EXPECT_EQ(g().EnemyHp, c.enemyHpAfter) << c.what;
    EXPECT_EQ(g().StoryName, c.next) << c.what;
    EXPECT_EQ(g().StoryNo, std::string(c.next) == "BattleEnd" ? 10 : 0) << c.what;
    EXPECT_EQ(g().BattlePhase, BattleEnemy);
    EXPECT_EQ(g().AnswerKey, 0);
    EXPECT_EQ(Line(1), "");
}

const std::string Hit = "イザベラの攻撃！";

INSTANTIATE_TEST_SUITE_P(
    Battle, HeroTurn,
    ::testing::Values(
        HeroCase{"equal speeds: an escape below 15 works", vbKeyN, 4, -1, 100, 7, 3, 12, {Pick(14, 31)},
                 "イザベラは逃げ出した！", 12, "BattleEnd"},
        HeroCase{"equal speeds: 15 cuts her off", vbKeyN, 4, -1, 100, 7, 3, 12, {Pick(15, 31)},
                 "イザベラは逃げ出した！しかし、回り込まれてしまった", 12, "ConditionTurn"},
        HeroCase{"an enemy 100 faster always cuts her off", vbKeyN, 104, -1, 100, 7, 3, 12, {Pick(0, 31)},
                 "イザベラは逃げ出した！しかし、回り込まれてしまった", 12, "ConditionTurn"},
        HeroCase{"an enemy 100 faster dodges from 15", vbKeyY, 104, -1, 100, 7, 3, 12,
                 {Pick(15, 31), Pick(50, 100), Pick(0, 3)}, Hit + Foe + "は素早く避けた", 12, "ConditionTurn"},
        HeroCase{"14 against an enemy 100 faster still hits", vbKeyY, 104, -1, 100, 7, 3, 12,
                 {Pick(14, 31), Pick(50, 100), Pick(1, 3)}, Hit + Foe + "に5のダメージを与えた", 7, "ConditionTurn"},
        HeroCase{"a critical 7 deals 10", vbKeyG, 4, -1, 100, 10, 3, 50, {Pick(0, 31), Pick(20, 100)},
                 Hit + "イザベラは渾身の力をこめた。" + Foe + "に10のダメージを与えた", 40, "ConditionTurn"},
        HeroCase{"a critical 5 deals 8", vbKeyY, 4, -1, 100, 10, 5, 50, {Pick(0, 31), Pick(80, 100)},
                 Hit + "イザベラは渾身の力をこめた。" + Foe + "に8のダメージを与えた", 42, "ConditionTurn"},
        HeroCase{"a variation of -1", vbKeyY, 4, -1, 100, 10, 3, 50, {Pick(0, 31), Pick(1, 100), Pick(2, 3)},
                 Hit + Foe + "に6のダメージを与えた", 44, "ConditionTurn"},
        HeroCase{"half full costs a hundredth of 150", vbKeyY, 4, -1, 50, 150, 100, 500,
                 {Pick(0, 31), Pick(1, 100), Pick(0, 3)}, Hit + Foe + "に48のダメージを与えた", 452, "ConditionTurn"},
        HeroCase{"half full costs nothing of 50", vbKeyY, 4, -1, 50, 50, 40, 500,
                 {Pick(0, 31), Pick(1, 100), Pick(0, 3)}, Hit + Foe + "に10のダメージを与えた", 490, "ConditionTurn"},
        HeroCase{"one above half costs nothing", vbKeyY, 4, -1, 51, 150, 100, 500,
                 {Pick(0, 31), Pick(1, 100), Pick(0, 3)}, Hit + Foe + "に50のダメージを与えた", 450, "ConditionTurn"},
        HeroCase{"starving costs a tenth", vbKeyY, 4, -1, 10, 150, 100, 500,
                 {Pick(0, 31), Pick(1, 100), Pick(0, 3)}, Hit + Foe + "に35のダメージを与えた", 465, "ConditionTurn"},
        HeroCase{"blind: 25 becomes a dodge", vbKeyY, 4, CondBlindness, 100, 7, 3, 12,
                 {Pick(25, 31), Pick(1, 100), Pick(0, 3)}, Hit + Foe + "は素早く避けた", 12, "ConditionTurn"},
        HeroCase{"cursed: four fifths of 10", vbKeyY, 4, CondCurse, 100, 10, 3, 12,
                 {Pick(0, 31), Pick(1, 100), Pick(0, 3)}, Hit + Foe + "に5のダメージを与えた", 7, "ConditionTurn"},
        HeroCase{"paralysed and held", vbKeyY, 4, CondParalysis, 100, 7, 3, 12, {Pick(0, 2)},
                 "イザベラは身体が痺れて動けない！", 12, "ConditionTurn"},
        HeroCase{"paralysed but free this turn", vbKeyY, 4, CondParalysis, 100, 7, 3, 12,
                 {Pick(1, 2), Pick(0, 31), Pick(1, 100), Pick(0, 3)}, Hit + Foe + "に4のダメージを与えた", 8, "ConditionTurn"},
        HeroCase{"too weak to hurt", vbKeyY, 4, -1, 100, 3, 5, 12, {Pick(0, 31), Pick(1, 100), Pick(1, 3)},
                 Hit + "しかし効いてないようだ", 12, "ConditionTurn"},
        HeroCase{"the blow that ends it", vbKeyY, 4, -1, 100, 10, 3, 5,
                 {Pick(0, 31), Pick(1, 100), Pick(0, 3)}, Hit + Foe + "に7のダメージを与えた", -2, "BattleEnd"}),
    q::test::NameBy(&HeroCase::what));

// --- The enemy's turn -------------------------------------------------------

// The draws of a plain blow from a monster of the way: her evasion 0, no
// flight, no critical, the variation.
std::vector<double> Plain(long variation) { return {Pick(0, 31), Pick(50, 100), Pick(60, 100), Pick(variation, 3)}; }

std::vector<double> Then(std::vector<double> a, std::initializer_list<double> b) {
    a.insert(a.end(), b);
    return a;
}

struct EnemyCase {
    const char* what;
    Long at;
    const char* caller;
    Long mySp;
    std::vector<double> draws;
    std::string line;  // after the enemy's name
    Long hpAfter;
    const char* next;
};

class EnemyTurnCases : public BattleTest, public ::testing::WithParamInterface<EnemyCase> {};

TEST_P(EnemyTurnCases, TheEnemyStrikesOrRuns) {
    const EnemyCase& c = GetParam();
    Facing(Foe, 12, c.at, 3, 4);
    g().SavedStoryName = c.caller;
    g().MySp = c.mySp;
    g().MyMaxHp = g().MyNowHp = 400;
    Script(c.draws);
    EnemyTurn();
    EXPECT_EQ(Line(), Foe + c.line) << c.what;
    EXPECT_EQ(g().MyNowHp, c.hpAfter) << c.what;
    EXPECT_EQ(g().StoryName, c.next) << c.what;
    EXPECT_EQ(g().NoClick, NoClickNone);
    if (std::string(c.next) == "HeroTurn") {
        EXPECT_EQ(g().BattlePhase, BattleHero);
        EXPECT_TRUE(g().WaitingAnswer);
        EXPECT_EQ(Line(1), "戦う(Y/G)");
        EXPECT_EQ(g().HeroTurnText, Foe + c.line);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Battle, EnemyTurnCases,
    ::testing::Values(
        EnemyCase{"a plain blow", 8, "", 4, Plain(0), "の攻撃。3のダメージを受けた。", 397, "HeroTurn"},
        EnemyCase{"a weak blow caught", 5, "", 4, Then(Plain(0), {Pick(10, 50)}), "の攻撃。イザベラは攻撃を受け止めた。", 400,
                  "HeroTurn"},
        EnemyCase{"a desperate blow", 5, "", 4, Then(Plain(0), {Pick(11, 50), 0.5}),
                  "の攻撃。捨て身の一撃。2のダメージを受けた。", 398, "HeroTurn"},
        EnemyCase{"a weak blow that still does 1", 5, "", 4, Then(Plain(0), {Pick(12, 50)}), "の攻撃。1のダメージを受けた。",
                  399, "HeroTurn"},
        EnemyCase{"dodged from 35", 8, "", 104, {Pick(15, 31), Pick(50, 100), Pick(60, 100), Pick(0, 3)},
                  "の攻撃。イザベラは素早く避けた。", 400, "HeroTurn"},
        EnemyCase{"a critical blow, 4.5 to 4", 8, "", 4, {Pick(0, 31), Pick(50, 100), Pick(30, 100)},
                  "の攻撃。痛恨の一撃。4のダメージを受けた。", 396, "HeroTurn"},
        EnemyCase{"a critical blow of nothing caught", 5, "", 4,
                  {Pick(0, 31), Pick(50, 100), Pick(10, 100), Pick(0, 5)},
                  "の攻撃。痛恨の一撃。イザベラは攻撃を受け止めた。", 400, "HeroTurn"},
        EnemyCase{"a critical blow of nothing still hurts", 5, "", 4,
                  {Pick(0, 31), Pick(50, 100), Pick(70, 100), Pick(1, 5), Pick(3, 5)},
                  "の攻撃。痛恨の一撃。4のダメージを受けた。", 396, "HeroTurn"},
        EnemyCase{"it runs away", 8, "", 4, {Pick(14, 31), Pick(0, 100)}, "は逃げ出した！", 400, "BattleEnd"},
        EnemyCase{"15 blocks its way", 8, "", 4, {Pick(15, 31), Pick(0, 100)},
                  "は逃げ出した！…が、イザベラは素早く道を塞いだ。", 400, "HeroTurn"},
        EnemyCase{"a draw of 10 never gets away", 8, "", 4, {Pick(0, 31), Pick(10, 100)},
                  "は逃げ出した！…が、イザベラは素早く道を塞いだ。", 400, "HeroTurn"},
        EnemyCase{"a boss never tries", 8, "BossTurn", 4, {Pick(0, 31), Pick(60, 100), Pick(0, 3)},
                  "の攻撃。3のダメージを受けた。", 397, "HeroTurn"}),
    q::test::NameBy(&EnemyCase::what));

// Paralysis takes its draw after the evasion roll, and only while it holds:
// a draw of 0 leaves her no evasion at all, so the dodge of 35 becomes a blow.
TEST_F(BattleTest, OnTheEnemysTurnParalysisIsDrawnOnlyWhileItHolds) {
    struct Case {
        const char* what;
        Long paralysis;
        std::vector<double> draws;  // evasion 15 + 20, [held?], no flight, no critical, the variation
        std::string line;
    };
    const Case cases[] = {
        {"held: no evasion", 3, {Pick(15, 31), Pick(0, 2), Pick(50, 100), Pick(60, 100), Pick(0, 3)},
         "の攻撃。3のダメージを受けた。"},
        {"free this turn", 3, {Pick(15, 31), Pick(1, 2), Pick(50, 100), Pick(60, 100), Pick(0, 3)},
         "の攻撃。イザベラは素早く避けた。"},
        {"not paralysed: no draw", 0, {Pick(15, 31), Pick(50, 100), Pick(60, 100), Pick(0, 3)},
         "の攻撃。イザベラは素早く避けた。"},
    };
    for (const Case& c : cases) {
        Facing(Foe, 12, 8, 3, 4);
        g().MySp = 104;
        g().MyMaxHp = g().MyNowHp = 400;
        g().Condition[CondParalysis] = c.paralysis;
        Script(c.draws);
        EnemyTurn();
        EXPECT_EQ(Line(), Foe + c.line) << c.what;
        EXPECT_EQ(g().rng.Queued(), 0u) << c.what;
    }
}

TEST_F(BattleTest, AFaintWithoutTheBranchHandsTheStoryToTheFaint) {
    Facing(Foe, 12, 20, 3, 4);
    g().MyNowHp = 3;
    Script(Plain(0));
    EnemyTurn();
    EXPECT_EQ(Line(), Foe + "の攻撃。3のダメージを受けた。イザベラの意識が遠のいていく……");
    EXPECT_EQ(g().MyNowHp, 0);
    EXPECT_EQ(g().StoryName, "GameOver");
    EXPECT_EQ(g().StoryNo, -1);
    EXPECT_TRUE(g().AutoBlocked);
    Click();
    EXPECT_EQ(Line(), "イザベラ：い……意識が………");
    EXPECT_TRUE(g().DieFlg);
}

TEST_F(BattleTest, TheBranchOfLifeRevivesHerOnTheNextClick) {
    g().MySack[0] = {ItemBranchOfLife, 1, false};
    g().HaveSack = 1;
    Facing(Foe, 12, 20, 3, 4);
    g().MyNowHp = 3;
    Script(Plain(0));
    EnemyTurn();
    EXPECT_EQ(Line(), Foe + "の攻撃。3のダメージを受けた。イザベラの意識が遠のいていく……");
    EXPECT_EQ(g().StoryName, "MonsterTurn");
    EXPECT_EQ(g().StoryNo, 10);
    Click();
    EXPECT_EQ(Line(), "い……意識が………。生命の枝が七色の光を放つ……。イザベラの体力が回復した。");
    EXPECT_EQ(Line(1), "戦う(Y/G)");
    EXPECT_EQ(g().MyNowHp, 17);
    EXPECT_EQ(g().HaveSack, 0);
    EXPECT_EQ(g().StoryName, "HeroTurn");
    EXPECT_EQ(g().BattlePhase, BattleHero);
}

// --- Special attacks -----------------------------------------------------------

struct SkillCase {
    const char* what;
    Long kind, rate;
    const char* name;
    void (*setup)(Game&);
    std::vector<double> draws;  // from the firing draw on
    std::string line;           // after "<enemy>の攻撃。"
    void (*check)(Game&);
    Long mySp = 4;
};

class SpecialAttacks : public BattleTest, public ::testing::WithParamInterface<SkillCase> {};

TEST_P(SpecialAttacks, EachKindDoesItsOwnHarm) {
    const SkillCase& c = GetParam();
    Facing(Foe, 12, 10, 3, 4);
    g().EnemyNo = 0;
    g().EnemySkillKind = c.kind;
    g().EnemySkillRate = c.rate;
    g().EnemySkill = c.name;
    g().MySp = c.mySp;
    if (c.setup) c.setup(g());
    const double evasion = c.mySp > 100 ? Pick(10, 31) : Pick(0, 31);
    for (double u : {evasion, Pick(50, 100), Pick(60, 100)}) g().rng.Queue(u);
    Script(c.draws);
    EnemyTurn();
    EXPECT_EQ(Line(), g().EnemyName + "の攻撃。" + c.line) << c.what;
    if (c.check) c.check(g());
}

INSTANTIATE_TEST_SUITE_P(
    Battle, SpecialAttacks,
    ::testing::Values(
        SkillCase{"poison stops at 30", 1, 0, "毒の息", [](Game& g) { g.Condition[CondPoison] = 25; }, {Pick(2, 50), 0.5},
                  "毒の息！イザベラは毒を受けた", [](Game& g) { EXPECT_EQ(g.Condition[CondPoison], 30); }},
        SkillCase{"paralysis for 4..10 turns", 2, 1, "しびれ", nullptr, {Pick(21, 50), 0.0}, "しびれ！イザベラの身体は麻痺した",
                  [](Game& g) { EXPECT_EQ(g.Condition[CondParalysis], 10); }},
        SkillCase{"a special attack dodged at 30", 4, 2, "目潰し", nullptr, {Pick(0, 50)}, "目潰し！イザベラは素早く避けた。",
                  [](Game& g) { EXPECT_EQ(g.Condition[CondBlindness], 0); }, 104},
        SkillCase{"the enemy flees", 5, 0, "逃げ足", nullptr, {Pick(2, 50)}, "逃げ足！マウスパープルは逃げ出した",
                  [](Game& g) {
                      EXPECT_EQ(g.StoryName, "BattleEnd");
                      EXPECT_EQ(g.ActionValue, EnemyFled);
                  }},
        SkillCase{"a heavy blow: 15 - 5", 6, 0, "怒りの連打", nullptr, {Pick(2, 50)}, "怒りの連打！10のダメージを受けた。",
                  [](Game& g) { EXPECT_EQ(g.MyNowHp, 25); }},
        SkillCase{"a heavy blow of nothing caught", 6, 0, "怒りの連打", [](Game& g) { g.EnemyAt = 2; },
                  {Pick(2, 50), Pick(0, 5)}, "怒りの連打！イザベラは攻撃を受け止めた。", [](Game& g) { EXPECT_EQ(g.MyNowHp, 35); }},
        SkillCase{"hunger with nothing in her stomach", 7, 0, "空腹", [](Game& g) { g.MyNowBody = 0; }, {Pick(2, 50)},
                  "空腹！しかし効果がなかった", nullptr},
        SkillCase{"hunger takes up to a tenth", 7, 0, "空腹", [](Game& g) { g.MyNowBody = 50; }, {Pick(2, 50), Pick(3, 10)},
                  "空腹！イザベラは少しお腹が空いた", [](Game& g) { EXPECT_EQ(g.MyNowBody, 46); }},
        SkillCase{"the sealed queen's drain caps her HP at the table's",
                  9, 0, "吸血",
                  [](Game& g) {
                      g.EnemyNo = 98;
                      g.EnemyName = "吸血のベラドンナ";
                      g.EnemyHp = g.EnemyAt = g.EnemyDi = g.EnemySp = 99999;
                  },
                  {Pick(2, 50), 0.0}, "吸血！体力を50000吸い取られたイザベラの意識が遠のいていく……",
                  [](Game& g) {
                      EXPECT_EQ(g.EnemyHp, 8132);
                      EXPECT_EQ(g.MyNowHp, 0);
                      EXPECT_EQ(g.StoryName, "GameOver");
                  }},
        SkillCase{"theft of 1 Karim takes 0", 10, 0, "盗み", [](Game& g) { g.MyGold = 1; }, {Pick(2, 50), 0.9},
                  "盗み！0カリム盗まれた！", [](Game& g) { EXPECT_EQ(g.MyGold, 1); }},
        SkillCase{"theft", 10, 0, "盗み", [](Game& g) { g.MyGold = 1000; }, {Pick(2, 50), 0.0}, "盗み！40カリム盗まれた！",
                  [](Game& g) {
                      EXPECT_EQ(g.MyGold, 960);
                      EXPECT_EQ(g.StolenGold, 40);
                  }},
        SkillCase{"no money to steal cannot be dodged", 10, 0, "盗み", [](Game& g) { g.MyGold = 0; }, {Pick(2, 50)},
                  "盗み！しかし盗む金がない……", nullptr, 104},
        SkillCase{"the robber's trick goes through her defence", 11, 3, "急所突き！", nullptr, {Pick(3, 50)}, "急所突き！！10のダメージを受けた。", [](Game& g) { EXPECT_EQ(g.MyNowHp, 25); }},
        SkillCase{"healing", 12, 0, "再生", [](Game& g) { g.EnemyHp = 5; }, {Pick(2, 50), 0.0}, "再生！体力が1回復した",
                  [](Game& g) { EXPECT_EQ(g.EnemyHp, 6); }},
        SkillCase{"healing to the full", 12, 0, "再生", [](Game& g) { g.EnemyHp = 11; }, {Pick(2, 50), 0.99},
                  "再生！体力が全快した", [](Game& g) { EXPECT_EQ(g.EnemyHp, 12); }},
        SkillCase{"healing at full HP", 12, 0, "再生", [](Game& g) { g.EnemyHp = 12; }, {Pick(2, 50), 0.5},
                  "再生！しかし効果がなかった", nullptr},
        SkillCase{"a troll heals slower", 12, 0, "再生",
                  [](Game& g) {
                      g.EnemyNo = 90;
                      g.EnemyHp = 1000;
                  },
                  {Pick(2, 50), 0.0}, "再生！体力が64回復した", [](Game& g) { EXPECT_EQ(g.EnemyHp, 1064); }},
        SkillCase{"a rare skill that does not fire is a plain blow", 1, 2, "毒の息", nullptr, {Pick(5, 50), Pick(0, 3)},
                  "5のダメージを受けた。", [](Game& g) { EXPECT_EQ(g.Condition[CondPoison], 0); }}),
    q::test::NameBy(&SkillCase::what));

// --- The condition tick ----------------------------------------------------------

class ConditionTurn : public BattleTest {
protected:
    // Her blow has been shown; the next click runs the tick.
    void AfterHerBlow() {
        Facing(Foe, 12, 8, 3, 4);
        g().StoryName = "ConditionTurn";
        g().StoryNo = 0;
        g().BattlePhase = BattleEnemy;
        g().WaitingAnswer = false;
    }
};

TEST_F(ConditionTurn, WithoutPoisonTheEnemyActsInTheSameClick) {
    AfterHerBlow();
    g().Condition[CondBlindness] = 2;
    g().Condition[CondNoHunger] = 2;
    Script(Plain(0));
    Click();
    EXPECT_EQ(Line(), Foe + "の攻撃。3のダメージを受けた。");
    EXPECT_EQ(g().Condition[CondBlindness], 1);
    EXPECT_EQ(g().Condition[CondNoHunger], 2);  // only the first five count down in a fight
}

TEST_F(ConditionTurn, PoisonHasItsLineAndTheEnemyActsOnTheNextClick) {
    AfterHerBlow();
    g().Condition[CondPoison] = 3;
    Draws({Pick(0, 1)});
    Click();
    EXPECT_EQ(Line(), "毒で1のダメージ！");
    EXPECT_EQ(g().MyNowHp, 34);
    Script(Plain(0));
    Click();
    EXPECT_EQ(Line(), Foe + "の攻撃。3のダメージを受けた。");
}

TEST_F(ConditionTurn, PoisonThatUsesHerUpFaintsHer) {
    AfterHerBlow();
    g().Condition[CondPoison] = 3;
    g().MyNowHp = 1;
    Draws({Pick(0, 1)});
    Click();
    Click();
    EXPECT_EQ(Line(), "イザベラ：い……意識が………");
    EXPECT_EQ(g().StoryName, "GameOver");
    EXPECT_EQ(g().BattlePhase, BattleNone);
}

TEST_F(ConditionTurn, PoisonThatUsesHerUpWithTheBranchRevivesHerInTheFight) {
    AfterHerBlow();
    g().MySack[0] = {ItemBranchOfLife, 2, false};
    g().HaveSack = 1;
    g().Condition[CondPoison] = 3;
    g().MyNowHp = 1;
    Draws({Pick(0, 1)});
    Click();
    Click();
    EXPECT_EQ(Line(), "い……意識が………。生命の枝が七色の光を放つ……。イザベラの体力が回復した。");
    EXPECT_EQ(g().MyNowHp, 17);
    EXPECT_EQ(g().MySack[0].HHaveSackNum, 1);
    EXPECT_EQ(g().StoryName, "HeroTurn");
    EXPECT_TRUE(g().WaitingAnswer);
}

// --- Fights that cannot be fled ------------------------------------------------------

struct FleeCase {
    const char* enemy;
    const char* field;
    bool refused;
};

class NoFleeing : public BattleTest, public ::testing::WithParamInterface<FleeCase> {};

TEST_P(NoFleeing, TheGreyChoiceIgnoresN) {
    const FleeCase& c = GetParam();
    g().FieldName = c.field;
    Facing(c.enemy, 12, 5, 3, 4);
    AskHeroTurn(g(), g().HeroTurnText);
    EXPECT_EQ(g().frmUnderMes->LBLMessage[2].Enabled, !c.refused) << c.enemy;
    if (!c.refused) {
        Draws({Pick(0, 31)});
        Answer(vbKeyN);
        EXPECT_EQ(Line(), "イザベラは逃げ出した！");
        return;
    }
    NoDraws();
    Answer(vbKeyN);
    EXPECT_TRUE(g().WaitingAnswer);
    EXPECT_EQ(g().AnswerKey, 0);
    Draws({Pick(0, 31), Pick(1, 100), Pick(0, 3)});
    Answer(vbKeyG);
    EXPECT_EQ(Line(), "イザベラの攻撃！" + std::string(c.enemy) + "に4のダメージを与えた");
}

INSTANTIATE_TEST_SUITE_P(Battle, NoFleeing,
                         ::testing::Values(FleeCase{"強盗", "Hanoda", true}, FleeCase{"トレント君", "Elwind", true},
                                           FleeCase{"トレント君", "ElfMugen", false},
                                           FleeCase{"マウスパープル", "HanoMori", false}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.field, Flag{c.refused, "Refused"}); }));

// --- The item turn ---------------------------------------------------------------------

class ItemTurn : public BattleTest {
protected:
    // The sack has used (or refused) an item on her turn and shown its line.
    void Used(Long result) {
        Facing(Foe, 12, 8, 3, 4);
        g().HeroTurnText = "マウスパープルの攻撃。3のダメージを受けた。";
        g().WaitingAnswer = false;
        g().EffectResult = result;
        ShowMessage(g(), "火炎瓶は、これ以上使えません");
        g().StoryNo = 10;
        BattleItemTurn(g());
    }
};

TEST_F(ItemTurn, ARefusedItemGivesHerTheTurnBackOnTheNextClick) {
    Used(EffectNotUsed);
    EXPECT_EQ(g().StoryName, "ItemTurn");
    EXPECT_EQ(Line(), "火炎瓶は、これ以上使えません");
    Click();
    EXPECT_EQ(Line(), "マウスパープルの攻撃。3のダメージを受けた。");
    EXPECT_EQ(Line(1), "戦う(Y/G)");
    EXPECT_EQ(g().StoryName, "HeroTurn");
    EXPECT_EQ(g().BattlePhase, BattleHero);
    Draws({Pick(0, 31), Pick(1, 100), Pick(0, 3)});
    Answer(vbKeyY);
    EXPECT_EQ(Line(), "イザベラの攻撃！" + Foe + "に4のダメージを与えた");
}

TEST_F(ItemTurn, AfterAnItemTheFightGoesOnEndsOrIsFled) {
    Used(EffectUsed);
    EXPECT_EQ(g().StoryName, "ConditionTurn");
    EXPECT_EQ(g().StoryNo, 0);
    Used(EffectEscape);
    EXPECT_EQ(g().StoryName, "BattleEnd");
    EXPECT_EQ(g().StoryNo, 10);
    EXPECT_EQ(g().ActionValue, HeroEscaped);
    EXPECT_EQ(g().EffectResult, EffectUsed);
    Facing(Foe, -22, 8, 3, 4);
    g().EffectResult = EffectUsed;
    g().StoryNo = 10;
    BattleItemTurn(g());
    EXPECT_EQ(g().StoryName, "BattleEnd");
}

TEST_F(ItemTurn, InAutoModeTheItemsLineIsClickedOnByItself) {
    g().AutoNext = true;
    for (Long result : {EffectNotUsed, EffectUsed}) {
        g().AutoClickPending = false;
        Used(result);
        EXPECT_TRUE(g().AutoClickPending) << result;
    }
}

}  // namespace
}  // namespace q::test
