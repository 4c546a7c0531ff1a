#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CaseName.h"
#include "FieldFixture.h"

namespace q {
namespace {

using test::FieldTest;
using test::Pick;
using test::PickIn;

constexpr double PickUpRoll = (0 + 0.5) / 100;    // r = 0
constexpr double LostTrapRoll = (1 + 0.5) / 100;  // r = 1
constexpr double ChestRoll = (16 + 0.5) / 100;    // r = 16
constexpr double NothingRoll = (4 + 0.5) / 100;   // r = 4
const double ItemKind = Pick(0, 3), ArmKind = Pick(1, 3), MoneyKind = Pick(2, 3);
const double MoneyLoss = Pick(0, 4), PitfallKind = Pick(1, 4), ItemLoss = Pick(2, 4), ArmLoss = Pick(3, 4);
const double LossComes = Pick(0, 15), NoLoss = Pick(3, 15);
// FieldFind's leaf of the area: the first of sixteen, then one in seven.
const double LeafFind[] = {Pick(0, 16), Pick(0, 7)};

class FindTest : public FieldTest {
protected:
    void OnHanoMori() { OnRoad("HanoMori", "Hanoda", "Rein"); }
    // The first arm of a rarity among the arms a..b.
    Long ArmOf(Long rarity, Long a = 0, Long b = 53) {
        for (Long i = a; i <= b; ++i)
            if (g().AllArms[size_t(i)].Rarity == rarity && !g().AllArms[size_t(i)].Special) return i;
        ADD_FAILURE() << "no arm of rarity " << rarity;
        return a;
    }
    std::string ArmName(Long a) { return g().AllArms[size_t(a)].Name; }
    std::string ItemName(Long i) { return g().AllItem[size_t(i)].Name; }
    // The find's first line, then its resolution.
    void Find(double roll) {
        Field().ItemSelect();
        ASSERT_EQ(g().StoryNo, 9) << "r = " << int(roll * 100);
        Click();
    }
};

struct RollCase {
    double roll;
    bool inCave;
    const char* event;  // "" when nothing comes
    const char* line;
};

class FindRoll : public FindTest, public ::testing::WithParamInterface<RollCase> {};

TEST_P(FindRoll, TheRollPicksTheKindOfFind) {
    const RollCase& c = GetParam();
    if (c.inCave) InDungeon("Shinen", 10);
    else OnHanoMori();
    Draws({c.roll});
    Field().ItemSelect();
    EXPECT_EQ(g().EventName, c.event);
    EXPECT_EQ(Bar(), c.line);
    if (std::string(c.event).empty()) {
        EXPECT_FALSE(g().EventBusy);
        EXPECT_EQ(g().StoryNo, 0);
        return;
    }
    EXPECT_EQ(g().StoryNo, 9);
    EXPECT_EQ(g().VisitorSprite, 393);
    EXPECT_TRUE(g().EventBusy);
}

INSTANTIATE_TEST_SUITE_P(Field, FindRoll,
                         ::testing::Values(RollCase{PickUpRoll, false, "PickUp", "イザベラ：あら？"},
                                           RollCase{LostTrapRoll, false, "LostTrap", "イザベラ：あら？"},
                                           RollCase{ChestRoll, true, "Treasure", "イザベラ：やったぁ。宝箱だわ！"},
                                           RollCase{ChestRoll, false, "", ""},
                                           RollCase{NothingRoll, false, "", ""}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(*c.event ? c.event : "Nothing", Flag{c.inCave, "InCave"}); }));

struct MoneyCase {
    const char* area;
    Long floor;
    Long amount;
    Long lo, hi;
};

class MoneyFound : public FindTest, public ::testing::WithParamInterface<MoneyCase> {};

TEST_P(MoneyFound, TheAmountLiesWithinTheAreasBounds) {
    const MoneyCase& c = GetParam();
    if (std::string(c.area) == "Shinen") InDungeon("Shinen", c.floor);
    else OnRoad(c.area, "Elwind", "Shinen");
    g().MyGold = 0;
    Draws({PickUpRoll, MoneyKind, PickIn(c.amount, c.lo, c.hi)});
    Find(PickUpRoll);
    EXPECT_EQ(Bar(), "イザベラ：" + std::to_string(c.amount) + "カリム落ちてたわ！拾っておきましょう♪");
    EXPECT_EQ(g().MyGold, c.amount);
    EXPECT_EQ(g().StoryNo, 999);
}

INSTANTIATE_TEST_SUITE_P(Field, MoneyFound,
                         ::testing::Values(MoneyCase{"Shinen", 60, 1600, 1600, 15000}, MoneyCase{"Shinen", 60, 15000, 1600, 15000},
                                           MoneyCase{"Shinen", 20, 400, 400, 6000}, MoneyCase{"Shinen", 20, 6000, 400, 6000},
                                           MoneyCase{"ElfAna", 1, 4000, 200, 4000}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.area, "Floor", c.floor, "Amount", c.amount); }));

struct ItemCase {
    Long held;     // pieces of the leaf already in the sack
    bool sackFull;
    const char* tail;
    Long after;
};

class ItemFound : public FindTest, public ::testing::WithParamInterface<ItemCase> {};

TEST_P(ItemFound, ASackWithRoomTakesIt) {
    const ItemCase& c = GetParam();
    OnHanoMori();
    g().NowMaxSack = 3;
    if (c.held > 0) SetSack({{0, 1}, {15, c.held}});
    else if (c.sackFull) SetSack({{0, 1}, {1, 1}, {2, 1}});
    else SetSack({{0, 1}});
    Draws({PickUpRoll, ItemKind, LeafFind[0], LeafFind[1]});
    Find(PickUpRoll);
    EXPECT_EQ(Bar(), ItemName(15) + c.tail);
    EXPECT_EQ(SackCount(15), c.after);
}

INSTANTIATE_TEST_SUITE_P(Field, ItemFound,
                         ::testing::Values(ItemCase{0, false, "が落ちてるわ！拾っていきましょう♪", 1},
                                           ItemCase{4, false, "が落ちてるわ！拾っていきましょう♪", 5},
                                           ItemCase{0, true, "が落ちてるわ！でも、袋が一杯だわ。残念ね", 0},
                                           ItemCase{9, false, "が落ちてるわ！でも、もう既に9個持ってるわね…", 9}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Held", c.held, Flag{c.sackFull, "SackFull"}); }));

TEST_F(FindTest, AnArmIsTakenByItsRarity) {
    OnHanoMori();
    const Long common = ArmOf(0), rarest = ArmOf(2);
    Draws({PickUpRoll, ArmKind, Pick(common, 54), Pick(2, 20)});
    Find(PickUpRoll);
    EXPECT_EQ(Bar(), ArmName(common) + "が落ちてるわ！拾っていきましょう♪");
    EXPECT_EQ(BagCount(common), 1);
    Click();

    // The rarest arm is not taken on a common roll: an idle line instead.
    Draws({PickUpRoll, ArmKind, Pick(rarest, 54), Pick(2, 20), Pick(0, 25)});
    Find(PickUpRoll);
    EXPECT_EQ(Bar(), "イザベラ：モンスターの死骸だわ。腐敗して凄い匂いがする。早くココを立ち去りましょう");
    EXPECT_EQ(BagCount(rarest), 0);
}

TEST_F(FindTest, ThePendantsGiveTwoMoreDrawsEach) {
    OnHanoMori();
    g().AllKey[28].LKeyList = true;
    g().AllKey[18].LKeyList = true;
    g().LuckRerolls28 = 2;  // whatever an earlier series left, a find starts afresh
    const Long rarest = ArmOf(2), rare = ArmOf(1);
    const double miss[] = {Pick(rarest, 54), Pick(5, 20)};
    Draws({PickUpRoll, ArmKind, miss[0], miss[1], miss[0], miss[1], miss[0], miss[1], miss[0], miss[1], Pick(rare, 54),
           Pick(17, 20)});
    Find(PickUpRoll);
    EXPECT_EQ(Bar(), ArmName(rare) + "が落ちてるわ！拾っていきましょう♪");
    EXPECT_EQ(g().LuckRerolls28, 2);
    EXPECT_EQ(g().LuckRerolls18, 2);
}

TEST_F(FindTest, AFullBagLeavesTheArmLying) {
    OnHanoMori();
    SetBag({{0, 20}});
    Draws({PickUpRoll, ArmKind, Pick(5, 54)});
    Find(PickUpRoll);
    EXPECT_EQ(Bar(), ArmName(5) + "が落ちてるわ！でも、鞄が一杯だわ。残念ね");
    EXPECT_EQ(g().HaveBagNum, 20);
}

TEST_F(FindTest, TheCrystalBallLiesOnlyInTheUpperCave) {
    g().FortuneFlg = 5;
    InDungeon("Shinen", 30);
    Draws({PickUpRoll, ItemKind, Pick(0, 3)});
    Find(PickUpRoll);
    EXPECT_EQ(g().StoryName, "BossTurn");
    EXPECT_EQ(g().BossNo, 6);
    EXPECT_EQ(g().VisitorSprite, 393);
    EXPECT_EQ(g().SavedStoryName, "");
    EXPECT_EQ(Bar(), "イザベラ：何かしら？透明な石？");
    Click();
    Click();
    EXPECT_EQ(Bar(), "イザベラ：占い師のおばあさんの物かもしれないわ。持っていきましょう");
    EXPECT_TRUE(g().AllKey[21].LKeyList);
    EXPECT_TRUE(g().BossOK[5]);
    // No fight: the third click ends the story.
    Click();
    ExpectWalking();
    EXPECT_EQ(g().EventName, "");
    EXPECT_EQ(Calls("BattleDispatch"), 0);

    // Below floor 50 the ball is never drawn for: the leaf of the deep cave.
    g().BossOK[5] = false;
    InDungeon("Shinen", 51);
    Draws({PickUpRoll, ItemKind, LeafFind[0], LeafFind[1]});
    Find(PickUpRoll);
    EXPECT_EQ(Bar(), ItemName(22) + "が落ちてるわ！拾っていきましょう♪");
}

TEST_F(FindTest, APitfallNeverTakesTheLastHitPoint) {
    struct Case {
        Long hp;
        std::vector<double> draws;
        Long after;
    };
    const Case cases[] = {
        {10, {Pick(0, 2)}, 9},
        {10, {Pick(1, 2)}, 8},
        {4, {Pick(0, 1)}, 4},
    };
    for (const auto& c : cases) {
        OnHanoMori();
        g().MyNowHp = c.hp;
        Draws({LostTrapRoll, PitfallKind});
        for (double u : c.draws) g().rng.Queue(u);
        Find(LostTrapRoll);
        EXPECT_EQ(Bar(), "イザベラ：あ痛たたたたた･･･！！誰よ！こんな所に落とし穴作ったのは！！");
        EXPECT_EQ(g().MyNowHp, c.after) << c.hp;
    }
}

TEST_F(FindTest, MoneyLostIsNeverMoreThanSheHas) {
    OnHanoMori();
    g().MyGold = 40;
    Draws({LostTrapRoll, MoneyLoss, PickIn(1500, 750, 1500), PickIn(1000, 75, 1500)});
    Find(LostTrapRoll);
    EXPECT_EQ(Bar(), "イザベラ：サイフが開いてるわ！！40カリム落としちゃったみたい！！");
    EXPECT_EQ(g().MyGold, 0);
    Click();

    // At one hit point the pitfall is a loss; with no money that is an idle line.
    g().MyNowHp = 1;
    Draws({LostTrapRoll, PitfallKind, Pick(0, 751), Pick(4, 25)});
    Find(LostTrapRoll);
    EXPECT_EQ(Bar(), "イザベラ：綺麗な石ね。私も落ち着いたら宝石のコレクションでもしようかしら");
    EXPECT_EQ(g().MyNowHp, 1);
}

TEST_F(FindTest, TheTrapEscapeSavesFromOneLossOrPitfall) {
    struct Case {
        double kind;
        std::vector<double> draws;
        const char* line;
    };
    const Case cases[] = {
        {MoneyLoss, {Pick(0, 751)}, "イザベラ：サ…サイフに穴が開きそうだわ！でも、こんなこともあろうかと、予備のサイフを持っているのよねぇ♪"},
        {PitfallKind, {Pick(1, 2)}, "イザベラ：落とし穴だわ！危うく落ちる所だった…。危ないわね"},
    };
    for (const auto& c : cases) {
        OnHanoMori();
        g().MyNowHp = 10;
        SetSack({{0, 3}, {35, 2}});
        Draws({LostTrapRoll, c.kind});
        for (double u : c.draws) g().rng.Queue(u);
        Find(LostTrapRoll);
        EXPECT_EQ(Bar(), c.line);
        EXPECT_EQ(SackCount(35), 1);
        EXPECT_EQ(g().MyGold, 300);
        EXPECT_EQ(g().MyNowHp, 10);
    }
}

TEST_F(FindTest, ALostItemLeavesTheSackUnlessTheTrapEscapeIsThere) {
    OnHanoMori();
    SetSack({{0, 3}, {9, 1}});
    Draws({LostTrapRoll, ItemLoss, LossComes, Pick(1, 2)});
    Find(LostTrapRoll);
    EXPECT_EQ(Bar(), "イザベラ：" + ItemName(9) + "が一個無くなってる！どこかで落としたのかしら？");
    EXPECT_EQ(g().WorkName, ItemName(9));
    EXPECT_EQ(SackCount(9), 0);
    EXPECT_EQ(g().HaveSack, 1);
    Click();

    SetSack({{0, 3}, {35, 1}});
    Draws({LostTrapRoll, ItemLoss, LossComes, Pick(0, 2)});
    Find(LostTrapRoll);
    EXPECT_EQ(Bar(), "イザベラ：このままじゃ" + ItemName(0) + "を落としそうね。持ち替えましょう");
    EXPECT_EQ(SackCount(0), 3);
    EXPECT_EQ(SackCount(35), 0);
}

TEST_F(FindTest, NothingToLoseTurnsIntoAnArmFind) {
    OnHanoMori();
    const Long common = ArmOf(0);
    // An empty sack.
    SetSack({});
    Draws({LostTrapRoll, ItemLoss, LossComes, Pick(common, 54), Pick(2, 20)});
    Find(LostTrapRoll);
    EXPECT_EQ(Bar(), ArmName(common) + "が落ちてるわ！拾っていきましょう♪");
    Click();
    // Only a special arm in the bag: it is never lost.
    Long special = 0;
    while (!g().AllArms[size_t(special)].Special) ++special;
    SetBag({{special, 1}});
    Draws({LostTrapRoll, ArmLoss, LossComes, Pick(0, 1), Pick(common, 54), Pick(2, 20)});
    Find(LostTrapRoll);
    EXPECT_EQ(BagCount(special), 1);
    EXPECT_EQ(BagCount(common), 1);
}

TEST_F(FindTest, ALostArmLeavesTheBag) {
    OnHanoMori();
    SetBag({{3, 2}, {7, 1}});
    Draws({LostTrapRoll, ArmLoss, LossComes, Pick(1, 2)});
    Find(LostTrapRoll);
    EXPECT_EQ(Bar(), "イザベラ：" + ArmName(7) + "が一個無くなってる！どこかで落としたのかしら？");
    EXPECT_EQ(g().HaveBag, 1);
    EXPECT_EQ(g().HaveBagNum, 2);
    Click();
    // Mostly nothing is lost at all.
    Draws({LostTrapRoll, ArmLoss, NoLoss, Pick(2, 25)});
    Find(LostTrapRoll);
    EXPECT_EQ(Bar(), "イザベラ：壊れた武器だわ。…さすがに売り物にはならないわね");
    EXPECT_EQ(g().HaveBagNum, 2);
}

struct IdleCase {
    bool inCave;
    Long time;
    std::vector<double> draws;
    const char* line;
};

class IdleLines : public FindTest, public ::testing::WithParamInterface<IdleCase> {};

TEST_P(IdleLines, TheLineFollowsThePlaceAndTheTime) {
    const IdleCase& c = GetParam();
    if (c.inCave) InDungeon("Shinen", 10);
    else OnHanoMori();
    g().NowTime = c.time;
    Draws({LostTrapRoll, ItemLoss, NoLoss});
    for (double u : c.draws) g().rng.Queue(u);
    Find(LostTrapRoll);
    EXPECT_EQ(Bar(), c.line);
}

INSTANTIATE_TEST_SUITE_P(
    Field, IdleLines,
    ::testing::Values(IdleCase{false, 20, {Pick(7, 25)}, "イザベラ：陽が出てきたわ。ちょっと暑いわね…"},
                      IdleCase{false, 60, {Pick(7, 25)}, "イザベラ：暗くなったせいで肌寒いわ"},
                      IdleCase{true, 60, {Pick(7, 25)}, "イザベラ：薄暗くて寒いわね。もっと着込んでくるんだった"},
                      IdleCase{false, 60, {Pick(6, 25)}, "イザベラ：雨が降ってきたわ。困るわね。早く止んでくれないかしら"},
                      IdleCase{true, 20, {Pick(14, 25)}, "イザベラ：空気が悪いわ。早く新鮮な空気が吸いたいわね"},
                      IdleCase{false, 20, {Pick(21, 25)}, "イザベラ：ボディをピンクにすればもっと可愛くなるのになぁ。あの馬車"},
                      IdleCase{true, 20, {Pick(21, 25), Pick(16, 25), Pick(22, 25), Pick(5, 25)},
                               "イザベラ：ちょっと疲れたわね。休憩したいわ"}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(Flag{c.inCave, "InCave"}, "Time", c.time, "Draw", c.draws.empty() ? -1.0 : c.draws[0]); }));

struct ChestCase {
    std::vector<double> draws;  // after the chest's kind
    double kind;
    bool key;
    std::string line;
};

TEST_F(FindTest, ChestsOpenOrStayShut) {
    InDungeon("Shinen", 10);
    const auto& t = g().TreasureTable;
    auto at = [&](Long v) {
        for (int i = 0; i < 20; ++i)
            if (t[size_t(i)] == v) return Pick(i, 20);
        ADD_FAILURE() << v << " is in no chest";
        return 0.0;
    };
    const ChestCase cases[] = {
        // Open: the branch of life already in the sack is drawn again, a book only one time in three.
        {{at(8), at(22), Pick(0, 3), at(1)}, Pick(0, 11), false, "イザベラ：ラッキー♪鍵が開いてるわ。中身は……" + ItemName(1) + "ね"},
        {{at(21), Pick(1, 3)}, Pick(0, 11), false, "イザベラ：ラッキー♪鍵が開いてるわ。中身は……" + ItemName(21) + "ね"},
        {{}, Pick(2, 11), false, "鍵は掛かってないけど、何も入ってなかったわ。残念ね…"},
        {{}, Pick(3, 11), false, "鍵が掛かっているわ。私は盗賊じゃないから開けられないわ。残念ね…"},
        {{at(462)}, Pick(10, 11), true, "鍵を使って開けてみましょう。中身は……" + ArmName(462) + "ね"},
    };
    for (const auto& c : cases) {
        SetSack({{8, 1}});
        if (c.key) SetSack({{8, 1}, {36, 1}});
        SetBag({});
        Draws({ChestRoll, c.kind});
        for (double u : c.draws) g().rng.Queue(u);
        Find(ChestRoll);
        EXPECT_EQ(Bar(), c.line);
        EXPECT_EQ(g().MessageText, c.line);
        EXPECT_EQ(SackCount(36), 0);
        Click();
        ExpectWalking();
    }
    EXPECT_EQ(SackCount(8), 1);
    EXPECT_EQ(BagCount(462), 1);
}

TEST_F(FindTest, AChestsContentsNeedRoom) {
    InDungeon("Shinen", 10);
    const double armChest = Pick(10, 20), itemChest = Pick(0, 20);
    const Long arm = g().TreasureTable[10], item = g().TreasureTable[0];
    SetBag({{0, 20}});
    Draws({ChestRoll, Pick(0, 11), armChest});
    Find(ChestRoll);
    EXPECT_EQ(Bar(), "イザベラ：ラッキー♪鍵が開いてるわ。" + ArmName(arm) + "が入ってたけど、鞄が一杯で取れないわね…");
    Click();
    g().NowMaxSack = 1;
    SetSack({{0, 1}});
    Draws({ChestRoll, Pick(0, 11), itemChest});
    Find(ChestRoll);
    EXPECT_EQ(Bar(), "イザベラ：ラッキー♪鍵が開いてるわ。" + ItemName(item) + "が入ってたけど、袋が一杯で持てないわね…");
    Click();
    SetSack({{item, 9}});
    Draws({ChestRoll, Pick(0, 11), itemChest});
    Find(ChestRoll);
    EXPECT_EQ(Bar(), "イザベラ：ラッキー♪鍵が開いてるわ。" + ItemName(item) + "が入ってたけど、もう既に9個持ってるわね…");
}

TEST_F(FindTest, TheClickAfterTheLastLineEndsTheFind) {
    OnHanoMori();
    Draws({PickUpRoll, MoneyKind, Pick(0, 951)});
    Find(PickUpRoll);
    Click();
    ExpectWalking();
    EXPECT_EQ(g().EventName, "");
    EXPECT_EQ(Bar(), "");
}

}  // namespace
}  // namespace q
