// The item shop: the sack's limits, the town's goods, the branch of life
// sold one at a time and the day's surprise jewel.
#include <gtest/gtest.h>

#include <vector>

#include "CaseName.h"
#include "FacilityFixture.h"
#include "core/Clock.h"

namespace q {
namespace {

using test::FacilityTest;
using test::Pick;

constexpr int DriedMeatRow = 7;  // 干し肉, 200 Karim, in Hanoda
constexpr int HerbRow = 2;       // 毒消し草, 300 Karim
constexpr int JewelRow = 19;     // the surprise jewel in Hanoda
constexpr Long DriedMeat = 12;
constexpr Long Herb = 3;

class ItemShopTest : public FacilityTest {
protected:
    // The draws that make the surprise jewel the given monster's, out of the
    // range lo..lo+n-1: the pick, and for a rare jewel the second draw that
    // keeps it.
    std::vector<double> Keeping(Long monster, Long lo, Long n) {
        std::vector<double> us{Pick(monster - lo, n)};
        const Long rank = g().AllMonster[size_t(monster)].JewelRank;
        if (rank == 1) us.push_back(Pick(50, 100));
        if (rank == 2) us.push_back(Pick(0, 100));
        return us;
    }
    void Script(const std::vector<double>& us) {
        for (double u : us) g().rng.Queue(u);
        g().rng.SetStrict(true);
    }
    Long FirstOfRank(Long rank, Long lo, Long hi) {
        for (Long m = lo; m <= hi; ++m)
            if (g().AllMonster[size_t(m)].JewelRank == rank) return m;
        ADD_FAILURE() << "no monster of rank " << rank;
        return lo;
    }
};

TEST_F(ItemShopTest, TheTownsGoodsInListOrderAndTheSurpriseJewelLast) {
    Enter("bItem");
    ASSERT_EQ(List().Count(), 19);
    EXPECT_EQ(Cell(1, 0), "体力の種");
    EXPECT_EQ(Cell(DriedMeatRow, 0), "干し肉");
    EXPECT_EQ(Cell(DriedMeatRow, 1), "200");
    EXPECT_EQ(Cell(DriedMeatRow, 2), g().AllItem[DriedMeat].Note);
    EXPECT_EQ(List().Item(DriedMeatRow).Tag, "12");
    EXPECT_EQ(Cell(18, 0), "時の歯車");
    EXPECT_EQ(Cell(JewelRow, 0), "ドキドキ玉");
    EXPECT_EQ(Cell(JewelRow, 2), "何が出るかわからない、お楽しみ玉です(ハノダ版)");
    EXPECT_EQ(List().Item(JewelRow).Tag, "999");
    EXPECT_EQ(W().lblNumber[2].Caption.get(), "個数");
    EXPECT_EQ(W().cmdBuy.ToolTipText.get(), "\"選択した道具の購入が出来ます\"");
    Leave();
    Board("Elwind");
    Enter("bItem");
    EXPECT_EQ(List().Count(), 25);
    EXPECT_EQ(Cell(25, 2), "何が出るかわからない、お楽しみ玉です(エルウインド版)");
}

TEST_F(ItemShopTest, AskingForMoreThanTheKindHoldsIsCutToWhatFits) {
    g().MyGold = 1000;
    SetSack({{DriedMeat, 7}});
    Enter("bItem");
    Order(DriedMeatRow, "5");
    EXPECT_EQ(W().txtNumber.Text.get(), "2");
    EXPECT_EQ(Bar(), "道具屋：干し肉が2個で、400カリムになります。よろしいですか？");
    Click();
    Key(vbKeyY);
    EXPECT_EQ(Bar(), "道具屋：ありがとうございました");
    EXPECT_EQ(Carried(DriedMeat), 9);
    EXPECT_EQ(g().MyGold, 600);
    EXPECT_EQ(g().StoryName, "");
    EXPECT_EQ(g().StoryNo, StoryEndNo);
    EXPECT_TRUE(W().cmdBuy.Enabled);
    EXPECT_TRUE(W().lstList.Enabled);
}

TEST_F(ItemShopTest, NineOfAKindAreRefusedBeforeTheNumberIsRead) {
    SetSack({{DriedMeat, 9}});
    Enter("bItem");
    Order(DriedMeatRow, "0");
    EXPECT_EQ(Bar(), "イザベラ：同じ種類の道具は9個までしか持てないわ");
    EXPECT_EQ(W().txtNumber.Text.get(), "0");
    EXPECT_FALSE(g().OfferPending);
    EXPECT_EQ(g().StoryNo, StoryEndNo);
}

TEST_F(ItemShopTest, AFullSackTakesMoreOfAKindItCarriesButNoNewKind) {
    g().MyGold = 5000;
    g().NowMaxSack = 2;
    SetSack({{DriedMeat, 3}, {0, 1}});
    Enter("bItem");
    Order(HerbRow);
    EXPECT_EQ(Bar(), "イザベラ：袋が一杯だわ。使うか捨てるかしてこないと、これ以上は入らないわね");
    Deal(DriedMeatRow, "4", vbKeyY);
    EXPECT_EQ(Carried(DriedMeat), 7);
    EXPECT_EQ(g().MyGold, 4200);
    // The surprise jewel is always a new kind, even when it turns out to be
    // a jewel she carries.
    SetSack({{DriedMeat, 3}, {-1, 1}});
    Order(JewelRow);
    EXPECT_EQ(Bar(), "イザベラ：袋が一杯だわ。使うか捨てるかしてこないと、これ以上は入らないわね");
}

TEST_F(ItemShopTest, TheSurpriseJewelIsShownFirstAndPaidOnTheNextClick) {
    g().MyGold = 12000;
    const Long monster = FirstOfRank(0, 0, 20);
    Enter("bItem");
    Order(JewelRow, "5");
    EXPECT_EQ(W().txtNumber.Text.get(), "1");
    EXPECT_EQ(Bar(), "道具屋：ドキドキ玉ですね。これが最後の一個ですよ。10,000カリムになりますが、よろしいですか？");
    Click();
    Script(Keeping(monster, 0, 21));
    Key(vbKeyY);
    EXPECT_EQ(Bar(), "イザベラ：" + g().AllGyoku[size_t(monster)].Name + "が入っていたわ");
    EXPECT_EQ(Carried(monster, true), 1);
    EXPECT_EQ(g().BuyGyokuNum, 0);
    EXPECT_EQ(g().MyGold, 12000);
    EXPECT_EQ(g().StoryNo, 499);
    Click();
    EXPECT_EQ(g().MyGold, 2000);
    EXPECT_EQ(Cell(JewelRow, 1), "売り切れ");
    EXPECT_EQ(Bar(), "道具屋：何をお求めになられますか？");
    EXPECT_EQ(g().StoryNo, StoryEndNo);
    EXPECT_TRUE(W().cmdBuy.Enabled);

    Order(JewelRow);
    EXPECT_EQ(Bar(), "道具屋：申し訳ないですが、ドキドキ玉は入荷待ちです");
    // A new day puts a jewel on sale again.
    g().rng.SetStrict(false);
    PassTime(g(), 100);
    Leave();
    Enter("bItem");
    EXPECT_EQ(Cell(JewelRow, 1), "10,000");
}

// A jewel she cannot carry is not paid for; the box was opened all the same,
// so today's is gone as after any reveal.
TEST_F(ItemShopTest, ASurpriseJewelSheCannotCarryIsNotPaidForAndTodaysIsGone) {
    const Long monster = FirstOfRank(0, 0, 20);
    const std::string name = g().AllGyoku[size_t(monster)].Name;
    for (Long held : {9, 8}) {
        g().MyGold = 12000;
        g().BuyGyokuNum = 1;  // a new day
        SetSack({{-1 - monster, held}});
        Enter("bItem");
        Order(JewelRow);
        Click();
        Script(Keeping(monster, 0, 21));
        Key(vbKeyY);
        EXPECT_EQ(Carried(monster, true), 9) << held;
        EXPECT_EQ(g().BuyGyokuNum, 0) << held;
        if (held == 9) {
            EXPECT_EQ(Bar(), "イザベラ：" + name + "が入ってたけど、もう既に9個持ってるわね…");
            EXPECT_FALSE(g().OfferPending);
            EXPECT_EQ(g().StoryNo, StoryEndNo);
            EXPECT_TRUE(W().cmdBuy.Enabled);
            EXPECT_EQ(Cell(JewelRow, 1), "売り切れ");
            Order(JewelRow);
            EXPECT_EQ(Bar(), "道具屋：申し訳ないですが、ドキドキ玉は入荷待ちです");
        } else {
            EXPECT_EQ(Bar(), "イザベラ：" + name + "が入っていたわ");
            Click();
        }
        EXPECT_EQ(g().MyGold, held == 9 ? 12000 : 2000);
        Leave();
    }
}

TEST_F(ItemShopTest, GoodsThatNoLongerFitWhenTheAnswerComesAreNotBought) {
    g().MyGold = 5000;
    SetSack({{DriedMeat, 8}});
    Enter("bItem");
    Order(DriedMeatRow);
    Click();
    SetSack({{DriedMeat, 9}});  // the sack changed while she thought
    Key(vbKeyY);
    EXPECT_EQ(Bar(), "イザベラ：同じ種類の道具は9個までしか持てないわ");
    EXPECT_EQ(g().MyGold, 5000);
    EXPECT_FALSE(g().OfferPending);

    g().NowMaxSack = 1;
    SetSack({});
    Order(HerbRow);
    Click();
    SetSack({{DriedMeat, 1}});
    Key(vbKeyY);
    EXPECT_EQ(Bar(), "イザベラ：袋が一杯だわ。使うか捨てるかしてこないと、これ以上は入らないわね");
    EXPECT_EQ(Carried(Herb), 0);
    EXPECT_EQ(g().MyGold, 5000);
}

TEST_F(ItemShopTest, ARareJewelSurvivesOnlyItsOneDrawInAHundred) {
    g().MyGold = 10000;
    const Long rare = FirstOfRank(1, 0, 20);
    const Long rarest = FirstOfRank(2, 0, 20);
    const Long common = FirstOfRank(0, 0, 20);
    Enter("bItem");
    Order(JewelRow);
    Click();
    // A rank-1 jewel drawn with 49 and a rank-2 jewel drawn with 1 are put
    // back; the common one drawn next is kept.
    Draws({Pick(rare, 21), Pick(49, 100), Pick(rarest, 21), Pick(1, 100), Pick(common, 21)});
    Key(vbKeyY);
    EXPECT_EQ(Carried(common, true), 1);
    EXPECT_EQ(Carried(rare, true), 0);
}

// The jewel's monster comes from the town's region.
struct RegionCase {
    const char* town;
    bool cleared;
    Long lo, hi;
};

class JewelRegion : public ItemShopTest, public ::testing::WithParamInterface<RegionCase> {};

TEST_P(JewelRegion, TheLowestAndTheHighestDrawStayInTheRegion) {
    const RegionCase& c = GetParam();
    g().GameCleared = c.cleared;
    g().MyGold = 30000;
    Board(c.town);
    const Long n = c.hi - c.lo + 1;
    for (Long monster : {c.lo, c.hi}) {
        g().BuyGyokuNum = 1;
        SetSack({});
        Enter("bItem");
        Order(List().Count());
        Click();
        Script(Keeping(monster, c.lo, n));
        Key(vbKeyY);
        EXPECT_EQ(Carried(monster, true), 1) << c.town << " " << monster;
        Click();
        Leave();
    }
}

INSTANTIATE_TEST_SUITE_P(Towns, JewelRegion,
                         ::testing::Values(RegionCase{"Hanoda", false, 0, 20}, RegionCase{"Elwind", false, 21, 55},
                                           RegionCase{"Amulet", false, 56, 69}, RegionCase{"Amulet", true, 56, 97}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.town, Flag{c.cleared, "Cleared"}); }));

TEST_F(ItemShopTest, TheBranchOfLifeIsSoldOneAtATimeWhileNoneIsCarried) {
    g().MyGold = 150000;
    Board("Amulet");
    Enter("bItem");
    constexpr int BranchRow = 10;
    ASSERT_EQ(Cell(BranchRow, 0), "生命の枝");
    EXPECT_EQ(Cell(BranchRow, 1), "100,000");
    Order(BranchRow, "3");
    EXPECT_EQ(W().txtNumber.Text.get(), "1");
    EXPECT_EQ(Bar(), "道具屋：生命の枝ですね。これが最後の一個ですよ。100,000カリムになりますが、よろしいですか？");
    Click();
    Key(vbKeyY);
    EXPECT_EQ(Carried(8), 1);
    EXPECT_EQ(g().MyGold, 50000);
    EXPECT_EQ(Cell(BranchRow, 1), "売り切れ");
    EXPECT_EQ(Bar(), "道具屋：何をお求めになられますか？");
    Order(BranchRow);
    EXPECT_EQ(Bar(), "道具屋：申し訳ないですが、生命の枝は入荷待ちです");
}

TEST_F(ItemShopTest, TheElwindKeeperHasAStoryForAFamousHeroine) {
    g().MyFame = 1000;
    Board("Elwind");
    Enter("bItem");
    EXPECT_EQ(Bar(), "道具屋：いらっしゃいませ");
    EXPECT_FALSE(W().cmdBuy.Enabled);
    EXPECT_EQ(g().StoryNo, 10);
    Click();
    EXPECT_EQ(g().StoryNo, 11);
    EXPECT_TRUE(g().OfferPending);
    EXPECT_EQ(Calls("TownSpeech"), 1);
    Click();
    EXPECT_EQ(Calls("TownSpeech"), 2);
}

}  // namespace
}  // namespace q
