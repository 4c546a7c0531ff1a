#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CaseName.h"
#include "battle/BattleFixture.h"

namespace q::test {
namespace {

struct EffectCase {
    const char* what;
    Long item;
    void (*setup)(Game&);
    std::vector<double> draws;
    std::string line;
    Long result;
    void (*check)(Game&);
};

class ItemEffects : public BattleTest, public ::testing::WithParamInterface<EffectCase> {};

// Her new-game numbers: HP 35, fullness and water 100 of 100, attack 7,
// defence 5, speed 4, level 1.
TEST_P(ItemEffects, OnePieceDoesItsWorkAndSaysSo) {
    const EffectCase& c = GetParam();
    if (c.setup) c.setup(g());
    Script(c.draws);
    ApplyItemEffect(g(), c.item);
    EXPECT_EQ(g().EffectMessage, c.line) << c.what;
    EXPECT_EQ(g().EffectResult, c.result) << c.what;
    if (c.check) c.check(g());
}

INSTANTIATE_TEST_SUITE_P(
    Battle, ItemEffects,
    ::testing::Values(
        EffectCase{"a heal at full HP is refused", 0, nullptr, {}, "体力の種は、これ以上使えません", EffectNotUsed,
                   [](Game& g) { EXPECT_EQ(g.MyNowHp, 35); }},
        EffectCase{"a heal one below the top fills it", 0, [](Game& g) { g.MyNowHp = 34; }, {0.0},
                   "体力の種を使いました。体力が満タンになりました", EffectUsed, [](Game& g) { EXPECT_EQ(g.MyNowHp, 35); }},
        EffectCase{"a heal rolls around its amount", 0,
                   [](Game& g) {
                       g.MyMaxHp = 1000;
                       g.MyNowHp = 100;
                   },
                   {0.5}, "体力の種を使いました。体力を300回復しました", EffectUsed,
                   [](Game& g) { EXPECT_EQ(g.MyNowHp, 400); }},
        EffectCase{"food at full is refused", 12, nullptr, {}, "干し肉は、これ以上使えません", EffectNotUsed, nullptr},
        EffectCase{"dried meat always costs water", 12, [](Game& g) { g.MyNowBody = 40; }, {0.0, 0.99},
                   "干し肉を使いました。満腹値を45回復しました", EffectUsed,
                   [](Game& g) {
                       EXPECT_EQ(g.MyNowBody, 85);
                       EXPECT_EQ(g.MyNowWater, 99);
                   }},
        EffectCase{"rotten meat takes a tenth of the HP, rounded down", 14, [](Game& g) { g.MyNowBody = 10; },
                   {0.0, 0.0}, "くさった肉を使いました。満腹値を45回復しました", EffectUsed,
                   [](Game& g) {
                       EXPECT_EQ(g.MyNowHp, 31);
                       EXPECT_EQ(g.MyNowWater, 85);
                   }},
        EffectCase{"food never takes the last HP", 14,
                   [](Game& g) {
                       g.MyNowBody = 10;
                       g.MyNowHp = 3;
                   },
                   {0.0, 0.0}, "くさった肉を使いました。満腹値を45回復しました", EffectUsed,
                   [](Game& g) { EXPECT_EQ(g.MyNowHp, 1); }},
        EffectCase{"a drink at full water is refused", 11, nullptr, {}, "くさった水は、これ以上使えません", EffectNotUsed,
                   [](Game& g) { EXPECT_EQ(g.MyNowHp, 35); }},
        EffectCase{"rotten water: water, then HP, then fullness", 11,
                   [](Game& g) {
                       g.MyNowWater = 20;
                       g.MyNowBody = 10;
                   },
                   {0.0, 0.0}, "くさった水を使いました。水分値を45回復しました", EffectUsed,
                   [](Game& g) {
                       EXPECT_EQ(g.MyNowWater, 65);
                       EXPECT_EQ(g.MyNowHp, 31);
                       EXPECT_EQ(g.MyNowBody, 0);
                   }},
        EffectCase{"9999 always fills", 10, [](Game& g) { g.MyNowWater = 50; }, {0.5},
                   "精製水を使いました。水分値が満タンになりました", EffectUsed,
                   [](Game& g) { EXPECT_EQ(g.MyNowWater, 100); }},
        EffectCase{"a drink's HP stops at the top", 28,
                   [](Game& g) {
                       g.MyNowWater = 50;
                       g.MyNowHp = 30;
                   },
                   {0.0}, "潤沢の水を使いました。水分値を20回復しました", EffectUsed,
                   [](Game& g) { EXPECT_EQ(g.MyNowHp, 35); }},
        EffectCase{"a stat leaf", 18, nullptr, {}, "力の葉を使いました。攻撃力が1アップしました", EffectUsed,
                   [](Game& g) { EXPECT_EQ(g.MyAt, 8); }},
        EffectCase{"a stat at its cap spends the leaf", 18, [](Game& g) { g.MyAt = 999; }, {},
                   "力の葉を使いました。攻撃力は、これ以上あげられません", EffectUsed,
                   [](Game& g) { EXPECT_EQ(g.MyAt, 999); }},
        EffectCase{"a maximum raised only as far as its cap", 17, [](Game& g) { g.MyMaxHp = 9998; }, {},
                   "活性の葉を使いました。最大体力が1アップしました", EffectUsed,
                   [](Game& g) {
                       EXPECT_EQ(g.MyMaxHp, 9999);
                       EXPECT_EQ(g.MyNowHp, 35);
                   }},
        EffectCase{"the leaf set raises everything", 21, nullptr, {}, "葉っぱセットを使いました。各パラメータがアップしました",
                   EffectUsed,
                   [](Game& g) {
                       EXPECT_EQ(g.MyMaxHp, 40);
                       EXPECT_EQ(g.MyAt, 8);
                       EXPECT_EQ(g.MyDi, 6);
                       EXPECT_EQ(g.MySp, 5);
                       EXPECT_EQ(g.MyMaxBody, 101);
                       EXPECT_EQ(g.MyMaxWater, 101);
                   }},
        EffectCase{"an attack item may take the enemy below 0", 23,
                   [](Game& g) {
                       g.EnemyName = "スライム";
                       g.EnemyHp = 30;
                   },
                   {Pick(7, 11)}, "火炎瓶を使いました。スライムに52のダメージを与えた", EffectUsed,
                   [](Game& g) { EXPECT_EQ(g.EnemyHp, -22); }},
        EffectCase{"an antidote", 3, [](Game& g) { g.Condition[CondPoison] = 5; }, {},
                   "毒消し草を使いました。毒状態が回復しました", EffectUsed,
                   [](Game& g) { EXPECT_EQ(g.Condition[CondPoison], 0); }},
        EffectCase{"the universal herb cures the four ailments only", 7, [](Game& g) { g.Condition.fill(3); }, {},
                   "万能草を使いました。全異常が回復しました", EffectUsed,
                   [](Game& g) {
                       for (int i = 0; i <= 3; ++i) EXPECT_EQ(g.Condition[size_t(i)], 0);
                       EXPECT_EQ(g.Condition[CondFastWalk], 3);
                   }},
        EffectCase{"the cart horn", 29, nullptr, {}, "馬車の角笛を使いました。馬車を呼びました", EffectCart, nullptr},
        EffectCase{"fast shoes add to what is left", 30, [](Game& g) { g.Condition[CondFastWalk] = 13; }, {0.99},
                   "俊足の靴を使いました。しばらくの間、速く歩けます", EffectUsed,
                   [](Game& g) { EXPECT_EQ(g.Condition[CondFastWalk], 33); }},
        EffectCase{"the lantern burns 30 to 60 turns", 40, nullptr, {0.0},
                   "魔法のランタンを使いました。しばらくの間、夜の敵が強くなりません", EffectUsed,
                   [](Game& g) { EXPECT_EQ(g.Condition[CondLantern], 30); }},
        EffectCase{"caltrops", 34, nullptr, {}, "まきびしを使いました。敵から逃げ出しました", EffectEscape, nullptr},
        EffectCase{"the book at level 98", 22, [](Game& g) { g.MyLevel = 98; }, {},
                   "開眼の書を使いました。＋＋＋　レベルアップ！　＋＋＋", EffectLevelUp, nullptr},
        EffectCase{"the book at level 99", 22, [](Game& g) { g.MyLevel = 99; }, {}, "開眼の書は、これ以上使えません",
                   EffectNotUsed, nullptr},
        EffectCase{"the wing", 39, nullptr, {}, "帰還の翼を使いました。入口に戻りました", EffectToEntrance, nullptr},
        EffectCase{"the fruit with only a timed effect running", 42, [](Game& g) { g.Condition[CondNoHunger] = 4; }, {},
                   "奇跡の果肉は、これ以上使えません", EffectNotUsed, nullptr},
        EffectCase{"the fruit against poison", 42,
                   [](Game& g) {
                       g.Condition[CondPoison] = 2;
                       g.Condition[CondNoHunger] = 4;
                   },
                   {}, "奇跡の果肉を使いました。全身に力がみなぎった", EffectUsed,
                   [](Game& g) {
                       EXPECT_EQ(g.Condition[CondPoison], 0);
                       EXPECT_EQ(g.Condition[CondNoHunger], 4);
                   }},
        EffectCase{"a passive item does nothing", 8, nullptr, {}, "生命の枝を使いました。", EffectUsed, nullptr},
        EffectCase{"half a day", 37, nullptr, {}, "時のニ針を使いました。時間を半日進めました", EffectUsed,
                   [](Game& g) { EXPECT_EQ(g.NowTime, 60); }}),
    q::test::NameBy(&EffectCase::what));

TEST_F(BattleTest, SpecialItemsAreItemEntriesOfTheSack) {
    g().MySack[0] = {ItemBranchOfLife, 1, true};  // the jewel of monster 8
    g().MySack[1] = {ItemTrapEscape, 2, false};
    g().HaveSack = 2;
    EXPECT_FALSE(HasSpecialItem(g(), SpecialBranchOfLife));
    EXPECT_TRUE(HasSpecialItem(g(), SpecialTrapEscape));
    EXPECT_EQ(g().WorkIndex, 1);
    EXPECT_FALSE(HasSpecialItem(g(), SpecialChestKey));
    EXPECT_FALSE(HasSpecialItem(g(), 3));
}

}  // namespace
}  // namespace q::test
