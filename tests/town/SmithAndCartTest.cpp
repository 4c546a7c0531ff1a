// The smith's recipes and the Noah shoes, and the cart office's rides.
#include <gtest/gtest.h>

#include <string>

#include "CaseName.h"
#include "FacilityFixture.h"

namespace q {
namespace {

using test::FacilityTest;

constexpr Long Ore = 27;
constexpr Long Wood = 26;

class SmithTest : public FacilityTest {
protected:
    SmithTest() {
        g().MyGold = 100000;
        g().Warasibe = 5;
        g().KajiyaFlg = KajiyaOpen;
        g().NowMaxBag = 30;
        Board("Rein");
    }
    // The smith's talk over, his window rebuilt with the button enabled.
    void Served() {
        Enter("bSmith");
        g().ReloadList = true;
        W().Form_Load();
    }
    // The list row of a recipe.
    int RowOf(Long recipe) {
        for (int r = 1; r <= List().Count(); ++r)
            if (List().Item(r).Tag == std::to_string(recipe) && Cell(r, 0) != g().AllKey[1].Name) return r;
        ADD_FAILURE() << "recipe " << recipe << " is not offered";
        return 1;
    }
};

TEST_F(SmithTest, HeTakesOnePieceOfWoodTheMomentHeIsVisited) {
    g().KajiyaFlg = KajiyaClosed;
    g().Warasibe = 3;
    SetSack({{Wood, 2}});
    Enter("bSmith");
    EXPECT_EQ(Bar(), "鍛冶屋：お、木材を拾ってきたか！ありがとよ。これで商売が始められる……");
    EXPECT_EQ(Carried(Wood), 1);
    EXPECT_FALSE(W().cmdBuy.Enabled);
    EXPECT_EQ(List().SelectedRows(), std::vector<int>{});
    Click();
    EXPECT_EQ(Calls("TownSpeech"), 1);
}

TEST_F(SmithTest, WithoutWoodHeSendsHerAwayAndStaysClosed) {
    g().KajiyaFlg = KajiyaClosed;
    g().Warasibe = 3;
    Enter("bSmith");
    EXPECT_EQ(Bar(), "鍛冶屋：森で木材を拾ってきてくれ。頼んだぞ");
    EXPECT_FALSE(W().cmdBuy.Enabled);
    EXPECT_EQ(g().StoryNo, StoryEndNo);
    Click();
    Click();
    EXPECT_EQ(Calls("TownSpeech"), 0);
    EXPECT_FALSE(W().cmdBuy.Enabled);
    g().Warasibe = 2;
    Leave();
    Enter("bSmith");
    EXPECT_EQ(Bar(), "鍛冶屋：ん？何だあんたは？客か？");
}

struct RecipePrice {
    Long economy;
    const char* price;
};

class SmithPrices : public SmithTest, public ::testing::WithParamInterface<RecipePrice> {};

TEST_P(SmithPrices, FollowTheMonthButNotTheNoahShoes) {
    g().EconomyValue = GetParam().economy;
    g().KajiyaFlg = KajiyaNoahShoes;
    Served();
    EXPECT_EQ(Cell(1, 0), "ローズウィップ");
    EXPECT_EQ(Cell(1, 1), GetParam().price);
    EXPECT_EQ(Cell(1, 2), "2");
    EXPECT_EQ(Cell(1, 3), "茨のブーメラン(11)、皮の鞭(72)");
    const int last = List().Count();
    EXPECT_EQ(last, 11);  // recipes 0-8 and 14, then the shoes
    EXPECT_EQ(Cell(last, 0), "ノアの靴");
    EXPECT_EQ(Cell(last, 1), "100,000");
    EXPECT_EQ(Cell(last, 3), "なし");
}

INSTANTIATE_TEST_SUITE_P(Months, SmithPrices,
                         ::testing::Values(RecipePrice{EconomyStable, "1,300"}, RecipePrice{EconomySlump, "1,170"},
                                           RecipePrice{EconomyBoom, "1,430"}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Economy", c.economy); }));

// The check names the first thing that is missing, and takes nothing.
struct SmithShortCase {
    Long gold, ore;
    bool bothArms;
    const char* line;
};

class SmithShortages : public SmithTest, public ::testing::WithParamInterface<SmithShortCase> {};

TEST_P(SmithShortages, AreToldInTheOrderMoneyOreArms) {
    const SmithShortCase& c = GetParam();
    g().MyGold = c.gold;
    SetSack({{Ore, c.ore}});
    if (c.bothArms) SetBag({{10, 1}, {71, 1}});
    else SetBag({{10, 1}});
    Served();
    Order(RowOf(0));
    EXPECT_EQ(Bar(), "鍛冶屋：ローズウィップを作るんだな？1,300カリムになるが、いいのか？");
    Click();
    EXPECT_EQ(Bar(), c.line);
    EXPECT_EQ(InBag(10), 1);
    EXPECT_EQ(Carried(Ore), c.ore);
    EXPECT_EQ(g().MyGold, c.gold);
    EXPECT_FALSE(g().BuyPending);
    EXPECT_TRUE(W().cmdBuy.Enabled);
}

INSTANTIATE_TEST_SUITE_P(Checks, SmithShortages,
                         ::testing::Values(SmithShortCase{1299, 0, false, "イザベラ：カリムが足りないわ。諦めましょう"},
                                           SmithShortCase{1300, 1, false, "イザベラ：鉱石が足りないわ。諦めましょう"},
                                           SmithShortCase{1300, 2, false, "イザベラ：武具が足りないわ。諦めましょう"}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Gold", c.gold, "Ore", c.ore, Flag{c.bothArms, "BothArms"}); }));

// The recipe's arms leave the bag as the product goes in: a full bag
// takes it.
TEST_F(SmithTest, AFullBagTakesTheProduct) {
    g().MyGold = 1300;
    g().NowMaxBag = 4;
    SetSack({{Ore, 2}});
    SetBag({{10, 1}, {71, 1}, {5, 2}});
    Served();
    Order(RowOf(0));
    Click();
    EXPECT_EQ(Bar(), "[買う(Y)] [買わない(N/G)]");
    Key(vbKeyY);
    EXPECT_EQ(Bar(), "鍛冶屋：出来たぜ！持ってきな");
    EXPECT_EQ(g().HaveBagNum, 3);
    EXPECT_EQ(InBag(10), 0);
    EXPECT_EQ(InBag(71), 0);
    EXPECT_EQ(g().MyGold, 0);
    EXPECT_FALSE(g().BuyPending);
}

TEST_F(SmithTest, AForgedArmServesTheRecipeThatNeedsIt) {
    g().SmithSell[13].SLSmithRecipe = true;
    SetSack({{Ore, 8}});
    SetBag({{83, 1}, {139, 1}, {189, 1}, {379, 1}, {249, 1}, {285, 1}, {407, 1}});
    Served();
    Order(RowOf(8));
    Click();
    EXPECT_EQ(Bar(), "[買う(Y)] [買わない(N/G)]");
    Key(vbKeyY);
    EXPECT_EQ(Bar(), "鍛冶屋：出来たぜ！持ってきな");
    EXPECT_EQ(InBag(493), 1);
    EXPECT_EQ(InBag(83), 0);
    EXPECT_EQ(Carried(Ore), 4);
    Deal(RowOf(13), "1", vbKeyY);
    EXPECT_EQ(InBag(498), 1);
    EXPECT_EQ(InBag(493), 0);
    EXPECT_EQ(g().HaveBagNum, 1);
    EXPECT_EQ(Carried(Ore), 0);
    EXPECT_EQ(g().MyGold, 100000 - 3000 - 10000);
}

TEST_F(SmithTest, TheNoahShoesNeedNothingButMoneyAndLeaveTheList) {
    g().KajiyaFlg = KajiyaNoahShoes;
    g().EconomyValue = EconomyBoom;
    Served();
    const int shoes = List().Count();
    Order(shoes);
    EXPECT_EQ(Bar(), "鍛冶屋：ノアの靴を買うんだな？100,000カリムになるが、いいのか？");
    Click();
    Key(vbKeyY);
    EXPECT_EQ(Bar(), "鍛冶屋：へへっ！毎度あり～！！");
    EXPECT_EQ(g().MyGold, 0);
    EXPECT_TRUE(g().AllKey[1].LKeyList);
    EXPECT_TRUE(g().AllArms[480].LArmsList);
    EXPECT_EQ(g().NoaFlg[1], 1);
    EXPECT_EQ(g().KajiyaFlg, KajiyaShoesSold);
    EXPECT_EQ(List().Count(), shoes - 1);
    EXPECT_TRUE(W().cmdBuy.Enabled);
}

TEST_F(SmithTest, RefusingAtTheQuestionTakesNothing) {
    SetSack({{Ore, 2}});
    SetBag({{10, 1}, {71, 1}});
    Served();
    Deal(RowOf(0), "1", vbKeyReturn);
    EXPECT_EQ(Bar(), "鍛冶屋：何か用か？");
    EXPECT_EQ(InBag(10), 1);
    EXPECT_EQ(Carried(Ore), 2);
    EXPECT_EQ(g().MyGold, 100000);
}

// The cart office's destinations from a town at a story stage, as
// "row/fare/time" joined by " | ".
struct CartCase {
    const char* town;
    Long warasibe;
    const char* rows;
};

class CartDestinations : public FacilityTest, public ::testing::WithParamInterface<CartCase> {};

TEST_P(CartDestinations, AreThePlacesOfTheStorySoFar) {
    g().Warasibe = GetParam().warasibe;
    Board(GetParam().town);
    Enter("bCart");
    std::string rows;
    for (int r = 1; r <= List().Count(); ++r)
        rows += (rows.empty() ? "" : " | ") + Cell(r, 0) + "/" + Cell(r, 1) + "/" + Cell(r, 2);
    EXPECT_EQ(rows, GetParam().rows);
    EXPECT_EQ(W().cmdBuy.Enabled, List().Count() > 0);
}

INSTANTIATE_TEST_SUITE_P(
    Towns, CartDestinations,
    ::testing::Values(CartCase{"Hanoda", 1, ""}, CartCase{"Hanoda", 2, "レインウッド/2,000/1日"},
                      CartCase{"Hanoda", 4, "レインウッド/2,000/1日 | エルウインド/4,000/1日半"},
                      CartCase{"Elwind", 4, "ハノダ/4,000/1日半 | レインウッド/2,000/半日"},
                      CartCase{"Amulet", 11,
                               "ハノダ/8,000/1日 | レインウッド/10,000/2日 | エルウインド/12,000/2日半 | "
                               "深淵窟/18,000/3日半 | ネクザスの塔/8,000/半日"}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.town, "Warasibe", c.warasibe); }));

TEST_F(FacilityTest, TheCartRideTakesTheFareAndTheJourneysTime) {
    g().rng.SetStrict(false);
    g().Warasibe = 11;
    g().EconomyValue = EconomyBoom;  // fares never follow the month
    g().MyGold = 18000;
    g().NowTime = 60;
    const Long day = g().NowDay;
    Board("Amulet");
    Enter("bCart");
    Order(4);
    EXPECT_EQ(Bar(), "馬車屋：深淵窟まで行くんだべか？18,000カリムで、ががーっと連れて行くだべよ");
    Click();
    EXPECT_EQ(Bar(), "[行く(Y)] [やめる(N/G)]");
    Key(vbKeyY);
    EXPECT_FALSE(Open());
    EXPECT_EQ(g().FieldName, "Shinen");
    EXPECT_EQ(g().MyGold, 0);
    EXPECT_EQ(Bar(), "馬車屋：深淵窟に着いだべよ！");
    EXPECT_EQ(g().NowTime, 10);
    EXPECT_EQ(g().NowDay, day + 4);
    EXPECT_EQ(g().StoryNo, StoryEndNo);
    EXPECT_EQ(g().NoClick, NoClickNone);
    EXPECT_EQ(g().VisitorSprite, 44);
    // Back on the board, the place ridden to.
    Leave();
    EXPECT_EQ(g().EventField, "Board");
    EXPECT_EQ(g().FieldName, "Shinen");
}

TEST_F(FacilityTest, RefusingTheRideKeepsHerInTown) {
    g().Warasibe = 2;
    g().MyGold = 5000;
    Enter("bCart");
    Deal(1, "1", vbKeyN);
    EXPECT_TRUE(Open());
    EXPECT_EQ(g().FieldName, "Hanoda");
    EXPECT_EQ(g().MyGold, 5000);
    EXPECT_EQ(Bar(), "馬車屋：お？どっか行くだべか？");
}

}  // namespace
}  // namespace q
