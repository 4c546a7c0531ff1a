// The estate agent's land and contracts, and the carpenter's works that the
// land makes possible.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "CaseName.h"
#include "FacilityFixture.h"
#include "core/StateColumns.h"
#include "save/SaveFormat.h"

namespace q {
namespace {

using test::FacilityTest;

constexpr int LandRow = 1;
constexpr int TheftRow1 = 2;  // 盗難警備(1), 10 days
constexpr int FireRow1 = 5;   // 火災検知(1), 10 days

class EstateAgentTest : public FacilityTest {
protected:
    Long& Theft() { return g().ShopHaveHouse[HouseTheftGuard].HLHouseTime; }
    Long& Fire() { return g().ShopHaveHouse[HouseFireGuard].HLHouseTime; }
    Long& Land() { return g().ShopHaveHouse[HouseLand].HLHouseTime; }
};

TEST_F(EstateAgentTest, ANewContractReplacesTheRunningOneAfterAWarning) {
    g().MyGold = 10000;
    Theft() = 25;
    Enter("bHouse");
    Order(TheftRow1);
    EXPECT_EQ(Bar(), "不動産屋：盗難警備(1)？それなら、5,400カリムだ。現在入っている盗難警備は解約されるぞ。それでも買うかね？");
    Click();
    EXPECT_EQ(Bar(), "[買う(Y)] [買わない(N/G)]");
    Key(vbKeyY);
    EXPECT_EQ(Theft(), 10);
    EXPECT_EQ(g().MyGold, 4600);
    EXPECT_EQ(Bar(), "不動産屋：今後もよろしく");
}

TEST_F(EstateAgentTest, AContractOfTheOtherKindIsOfferedPlainly) {
    g().MyGold = 10000;
    Theft() = 25;
    Enter("bHouse");
    Order(FireRow1);
    EXPECT_EQ(Bar(), "不動産屋：火災検知(1)かね？3240カリムになるが買うかね？");
    Click();
    Key(vbKeyY);
    EXPECT_EQ(Fire(), 10);
    EXPECT_EQ(Theft(), 25);
}

// Every field of the holdings that the column table counts as saved.
std::map<std::string, std::string> SavedHoldings(Game& g) {
    std::map<std::string, std::string> out;
    for (const auto& c : StateColumns())
        if (c.saved && c.name.starts_with("ShopHaveHouse("))
            out[std::string(c.name)] = FormatValue(g.vars.get(g, std::string(c.name)));
    return out;
}

TEST_F(EstateAgentTest, AContractJustBoughtIsWhatASaveOfItGivesBack) {
    for (int row : {TheftRow1, FireRow1}) {
        g().MyGold = 10000;
        Enter("bHouse");
        Order(row);
        Click();
        Key(vbKeyY);
        Leave();
        const auto bought = SavedHoldings(g());
        const auto lines = BuildSaveLines(g(), 0);
        ASSERT_TRUE(lines);
        for (auto& h : g().ShopHaveHouse) h = {};
        SavedTables tables = GatherTables(g());
        ASSERT_TRUE(ReadSaveLines({lines->data(), size_t(SaveLinesRead)}, g(), tables));
        EXPECT_EQ(SavedHoldings(g()), bought) << "row " << row;
    }
}

TEST_F(EstateAgentTest, TheLandIsBoughtOnceAndItsRowReadsSoldOutAtOnce) {
    g().MyGold = 500000;
    Enter("bHouse");
    EXPECT_EQ(W().lblNumber[0].Caption.get(), "+++ 不動産屋 +++");
    EXPECT_FALSE(W().txtNumber.Visible);
    Order(LandRow);
    EXPECT_EQ(Bar(), "不動産屋：土地かね？500000カリムになるが買うかね？");
    Click();
    Key(vbKeyY);
    EXPECT_EQ(Land(), 1);
    EXPECT_EQ(g().MyGold, 0);
    ASSERT_TRUE(Open());
    EXPECT_EQ(Cell(LandRow, 1), "売り切れ");
    EXPECT_EQ(Bar(), "不動産屋：今後もよろしく");
    Order(LandRow);
    EXPECT_EQ(Bar(), "不動産屋：土地は売り切れだよ。今ある土地を有効利用してくれ");
}

TEST_F(EstateAgentTest, MoneyIsCheckedAtTheCheckNotAtTheOffer) {
    g().MyGold = 5399;
    Enter("bHouse");
    Order(TheftRow1);
    EXPECT_TRUE(g().OfferPending);
    Click();
    EXPECT_EQ(Bar(), "イザベラ：カリムが足りないわ。諦めましょう");
    EXPECT_EQ(Theft(), 0);
    g().MyGold = 5400;
    Deal(TheftRow1, "1", vbKeyY);
    EXPECT_EQ(Theft(), 10);
    EXPECT_EQ(g().MyGold, 0);
}

TEST_F(EstateAgentTest, TheAgentHasNewsAtTheStoryStage) {
    g().Warasibe = 4;
    Enter("bHouse");
    EXPECT_EQ(Bar(), "不動産屋：お、丁度良いところに来た！");
    EXPECT_FALSE(W().cmdBuy.Enabled);
    EXPECT_EQ(g().StoryNo, 10);
}

class CarpenterTest : public FacilityTest {
protected:
    CarpenterTest() { g().MyGold = 10000000; }
    // The carpenter's greeting clicked away, his talk over.
    void Served() {
        Enter("bCarpenter");
        g().ReloadList = true;
        W().Form_Load();
    }
    void Own(bool land, bool shop) {
        g().ShopHaveHouse[HouseLand].HLHouseTime = land ? 1 : 0;
        g().CarpenSell[0].SLCarpenOk = shop;
    }
};

TEST_F(CarpenterTest, TheWindowGreetsAndShowsTheWoodHandedOver) {
    g().WoodNum = 37;
    Enter("bCarpenter");
    EXPECT_EQ(Bar(), "大工：いらっしゃい。用件は何だ？");
    EXPECT_EQ(W().txtNumber.Text.get(), "37");
    EXPECT_FALSE(W().txtNumber.Enabled);
    EXPECT_EQ(W().lblNumber[2].Caption.get(), "木材数");
    EXPECT_FALSE(W().cmdBuy.Enabled);
    ASSERT_EQ(List().Count(), 11);
    EXPECT_EQ(Cell(1, 1), "500,000");
    EXPECT_EQ(Cell(11, 2), "50");
    // A row clicked enables the button only once nobody talks.
    Select(2);
    EXPECT_FALSE(W().cmdBuy.Enabled);
    Click();
    EXPECT_EQ(Calls("TownSpeech"), 1);
    g().StoryNo = StoryEndNo;
    Select(2);
    EXPECT_TRUE(W().cmdBuy.Enabled);
}

// The refusals of the check, in their order.
struct CarpenterRefusal {
    bool land, shop;
    Long gold, wood;
    int row;
    const char* line;
};

class CarpenterRefusals : public CarpenterTest, public ::testing::WithParamInterface<CarpenterRefusal> {};

TEST_P(CarpenterRefusals, TakeNothing) {
    const CarpenterRefusal& c = GetParam();
    Own(c.land, c.shop);
    g().MyGold = c.gold;
    g().WoodNum = c.wood;
    Served();
    Order(c.row);
    Click();
    EXPECT_EQ(Bar(), c.line);
    EXPECT_EQ(g().MyGold, c.gold);
    EXPECT_EQ(g().WoodNum, c.wood);
    EXPECT_FALSE(g().BuyPending);
    EXPECT_EQ(g().CarpenOrder[0], 0);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, CarpenterRefusals,
    ::testing::Values(CarpenterRefusal{false, false, 0, 0, 1, "イザベラ：土地を持ってないから建てられないわ"},
                      CarpenterRefusal{true, false, 0, 0, 2, "イザベラ：自分の店を持ってないから増築できないわ"},
                      CarpenterRefusal{true, false, 499999, 50, 1, "イザベラ：カリムが足りないわ。諦めましょう"},
                      CarpenterRefusal{true, true, 1000000, 9, 2, "イザベラ：木材が足りないわ。諦めましょう"}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(Flag{c.land, "Land"}, Flag{c.shop, "Shop"}, "Gold", c.gold, "Wood", c.wood, "Row", c.row); }));

TEST_F(CarpenterTest, TheNewShopCostsTheMonthsPrice) {
    Own(true, false);
    g().MyGold = 499999;
    g().WoodNum = 50;
    g().EconomyValue = EconomySlump;
    Served();
    Order(1);
    EXPECT_EQ(Bar(), "大工グェン：新築するのか？450,000カリムになるけど、いいのか？");
    Click();
    EXPECT_EQ(Bar(), "[建てる(Y)] [建てない(N/G)]");
    Key(vbKeyY);
    EXPECT_EQ(Bar(), "大工グェン：あんたが店に帰るまでには作っておくぜ！");
    EXPECT_EQ(g().MyGold, 49999);
    EXPECT_EQ(g().WoodNum, 0);
    EXPECT_TRUE(g().CarpenSell[0].SLCarpenOk);
    EXPECT_EQ(Cell(1, 1), "済み");
    EXPECT_TRUE(W().cmdBuy.Enabled);
    EXPECT_EQ(W().txtNumber.Text.get(), "0");
    Order(1);
    EXPECT_EQ(Bar(), "大工グェン：悪いが、その増築はもう出来ないぜ");
}

TEST_F(CarpenterTest, OrdersMadeInOneAbsenceAddUp) {
    Own(true, false);
    g().WoodNum = 70;
    Served();
    Deal(1, "1", vbKeyY);
    Deal(2, "1", vbKeyY);
    Deal(7, "1", vbKeyY);
    EXPECT_EQ(g().CarpenOrder, (std::array<Long, 3>{1, 75, 150}));
    EXPECT_EQ(g().WoodNum, 0);
}

TEST_F(CarpenterTest, AnExtensionAloneIsAnOrderOfExtensions) {
    Own(true, true);
    g().WoodNum = 25;
    Served();
    Deal(3, "1", vbKeyY);  // 店増築(２), 20 wood
    EXPECT_EQ(g().CarpenOrder, (std::array<Long, 3>{2, 50, 0}));
    Order(2);  // 店増築(１), 10 wood
    Click();
    EXPECT_EQ(Bar(), "イザベラ：木材が足りないわ。諦めましょう");
    EXPECT_EQ(g().WoodNum, 5);
}

TEST_F(CarpenterTest, RefusingRebuildsTheWindowWithHisGreeting) {
    Own(true, true);
    g().WoodNum = 25;
    Served();
    Deal(2, "1", vbKeyReturn);
    EXPECT_EQ(Bar(), "大工：いらっしゃい。用件は何だ？");
    EXPECT_FALSE(W().cmdBuy.Enabled);
    EXPECT_EQ(g().WoodNum, 25);
    EXPECT_EQ(g().CarpenOrder[0], 0);
    EXPECT_EQ(g().StoryNo, StoryEndNo);
    Select(2);
    EXPECT_TRUE(W().cmdBuy.Enabled);
}

TEST_F(CarpenterTest, TheLandBoughtAtTheAgentLetsTheNewShopBeOrdered) {
    Own(false, false);
    g().WoodNum = 50;
    Enter("bHouse");
    Deal(LandRow, "1", vbKeyY);
    Leave();
    Served();
    Deal(1, "1", vbKeyY);
    EXPECT_EQ(g().CarpenOrder[0], 1);
}

}  // namespace
}  // namespace q
