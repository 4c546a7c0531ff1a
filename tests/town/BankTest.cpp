// The bank: amounts cut to what fits, the share fee, the gifts for shares
// held and the clerk's debt talk.
#include <gtest/gtest.h>

#include "CaseName.h"
#include "FacilityFixture.h"

namespace q {
namespace {

using test::FacilityTest;

constexpr int DepositRow = 1;
constexpr int WithdrawalRow = 2;
constexpr int PurchaseRow = 3;
constexpr int SaleRow = 4;

class BankTest : public FacilityTest {
protected:
    Long& Balance() { return g().ShopHaveHouse[HouseBank].HLHouseNum; }
    Long& Shares() { return g().ShopHaveHouse[HouseShares].HLHouseNum; }
    Long& SharePrice() { return g().ShopSellHouse[9].SLHousePrice; }
};

TEST_F(BankTest, TheWindowShowsTheBalanceAndTheSharePrice) {
    Balance() = 12345;
    SharePrice() = 987;
    Enter("bBank");
    EXPECT_EQ(W().lblNumber[0].Caption.get(), "+++ 銀行 +++");
    ASSERT_EQ(List().Count(), 4);
    EXPECT_EQ(Cell(DepositRow, 1), "－");
    EXPECT_EQ(Cell(WithdrawalRow, 1), "12,345");
    EXPECT_EQ(Cell(PurchaseRow, 1), "987");
    EXPECT_EQ(Cell(SaleRow, 1), "987");
    EXPECT_EQ(Cell(SaleRow, 2), "持っている株を払戻せます。売却手数料【100カリム/5株】");
    EXPECT_EQ(W().cmdBuy.Caption.get(), "入金");
    EXPECT_EQ(Bar(), "銀行員：ヘイ、ガール！用件は何だ？");
}

TEST_F(BankTest, EachRowGivesTheBoxAndTheButtonItsTexts) {
    Enter("bBank");
    Select(SaleRow);
    EXPECT_EQ(W().lblNumber[2].Caption.get(), "株数：");
    EXPECT_EQ(W().txtNumber.ToolTipText.get(), "\"売却したい株数を入力します\"");
    EXPECT_EQ(W().cmdBuy.Caption.get(), "売却");
    EXPECT_EQ(W().cmdBuy.ToolTipText.get(), "\"株を売却します\"");
    Select(WithdrawalRow);
    EXPECT_EQ(W().lblNumber[2].Caption.get(), "金額：");
    EXPECT_EQ(W().cmdBuy.Caption.get(), "出金");
}

TEST_F(BankTest, ADepositIsCutToHerMoneyAndReopensTheWindow) {
    g().MyGold = 300;
    Enter("bBank");
    Order(DepositRow, "500");
    EXPECT_EQ(W().txtNumber.Text.get(), "300");
    EXPECT_EQ(Bar(), "銀行員：300カリム入金するんだな？");
    Click();
    EXPECT_EQ(Bar(), "[入金(Y)] [やめる(N/G)]");
    Key(vbKeyY);
    EXPECT_EQ(Balance(), 300);
    EXPECT_EQ(g().MyGold, 0);
    ASSERT_TRUE(Open());
    EXPECT_EQ(Cell(WithdrawalRow, 1), "300");
    EXPECT_EQ(List().SelectedRows(), std::vector<int>{1});
    EXPECT_TRUE(W().cmdBuy.Enabled);
    EXPECT_EQ(g().StoryNo, StoryEndNo);
}

TEST_F(BankTest, AnEmptyBoxOrNoughtDealsOne) {
    g().MyGold = 10;
    Enter("bBank");
    Order(DepositRow, "");
    EXPECT_EQ(Bar(), "銀行員：1カリム入金するんだな？");
    Click();
    Key(vbKeyN);
    Order(PurchaseRow, "0");
    EXPECT_EQ(Bar(), "銀行員：株を1株買うのか？1,000カリムになるがいいか？");
}

TEST_F(BankTest, AWithdrawalIsCutToWhatHerMoneyCanHold) {
    g().MyGold = 999999000;
    Balance() = 5000;
    Enter("bBank");
    Deal(WithdrawalRow, "5000", vbKeyY);
    EXPECT_EQ(g().MyGold, 999999999);
    EXPECT_EQ(Balance(), 4001);
    Order(WithdrawalRow, "1");
    EXPECT_EQ(Bar(), "銀行員：手持ちが一杯のようだな。ショップでアイテムでもゲッツしてきたらどうだ？");
}

// The refusals come before the number is read.
struct RefusalCase {
    int row;
    Long gold, balance, shares;
    const char* line;
};

class BankRefusals : public BankTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(BankRefusals, LeaveEverythingAsItWas) {
    const RefusalCase& c = GetParam();
    g().MyGold = c.gold;
    Balance() = c.balance;
    Shares() = c.shares;
    Enter("bBank");
    Order(c.row, "5");
    EXPECT_EQ(Bar(), c.line);
    EXPECT_FALSE(g().OfferPending);
    EXPECT_EQ(g().MyGold, c.gold);
    EXPECT_EQ(Balance(), c.balance);
    EXPECT_EQ(Shares(), c.shares);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BankRefusals,
    ::testing::Values(
        RefusalCase{DepositRow, 100, 999999999, 0, "銀行員：ヘイ、ガール。こんなことは言いたくないんだが、……そんなに入金できないぜ"},
        RefusalCase{DepositRow, 0, 0, 0, "銀行員：ヘイ、ガール。こんなことは言いたくないんだが、……カリムを持ってないようだぞ"},
        RefusalCase{WithdrawalRow, 999999999, 10, 0, "銀行員：手持ちが一杯のようだな。ショップでアイテムでもゲッツしてきたらどうだ？"},
        RefusalCase{WithdrawalRow, 0, 0, 0, "銀行員：ヘイ、ガール。こんなことは言いたくないんだが、……入金されていないぜ"},
        RefusalCase{PurchaseRow, 5000, 0, 9999, "銀行員：アウーチ！株は売り切れなんだ。勘弁してくれ"},
        RefusalCase{SaleRow, 0, 0, 0, "銀行員：ヘイ、ガール。こんなことは言いたくないんだが、……株を持ってないようだぜ"}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Row", c.row, "Gold", c.gold, "Balance", c.balance, "Shares", c.shares); }));

TEST_F(BankTest, APurchaseIsCutToTheLastShareAndSellsTheRowOut) {
    g().MyGold = 100000;
    Shares() = 9990;
    g().BankNumber = 5;
    Enter("bBank");
    Order(PurchaseRow, "50");
    EXPECT_EQ(W().txtNumber.Text.get(), "9");
    EXPECT_EQ(Bar(), "銀行員：株を9株買うのか？9,000カリムになるがいいか？");
    Click();
    Key(vbKeyY);
    EXPECT_EQ(Shares(), 9999);
    EXPECT_EQ(g().MyGold, 91000);
    EXPECT_EQ(Cell(PurchaseRow, 1), "売り切れ");
    EXPECT_EQ(Bar(), "銀行員：ありがとよ。ついでに俺の踊りでも見てくか？");
    Order(PurchaseRow, "1");
    EXPECT_EQ(Bar(), "銀行員：アウーチ！株は売り切れなんだ。勘弁してくれ");
}

struct FeeCase {
    Long shares, price, proceeds;
};

class SaleFee : public BankTest, public ::testing::WithParamInterface<FeeCase> {};

TEST_P(SaleFee, IsAHundredForEveryFiveSharesOrPartOfFive) {
    const FeeCase& c = GetParam();
    Shares() = 100;
    SharePrice() = c.price;
    Enter("bBank");
    Deal(SaleRow, std::to_string(c.shares), vbKeyY);
    EXPECT_EQ(g().MyGold, 300 + c.proceeds);
    EXPECT_EQ(Shares(), 100 - c.shares);
    EXPECT_EQ(Bar(), "銀行員：ありがとよ。ついでに俺の踊りでも見てくか？");
}

INSTANTIATE_TEST_SUITE_P(Fees, SaleFee,
                         ::testing::Values(FeeCase{1, 1000, 900}, FeeCase{5, 1000, 4900}, FeeCase{6, 1000, 5800},
                                           FeeCase{1, 700, 600}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Shares", c.shares, "Price", c.price); }));

TEST_F(BankTest, TheSaleOfferNamesTheProceedsAfterTheFee) {
    Shares() = 10;
    Enter("bBank");
    Order(SaleRow, "20");
    EXPECT_EQ(W().txtNumber.Text.get(), "10");
    EXPECT_EQ(Bar(), "銀行員：持ち株を10株払い戻すのか？手数料分を引くと、9,800カリムになるぞ");
    Click();
    EXPECT_EQ(Bar(), "[払戻す(Y)] [やめる(N/G)]");
}

TEST_F(BankTest, ASaleNeverCarriesHerMoneyPastItsLimit) {
    g().MyGold = 999995000;
    Shares() = 20;
    Enter("bBank");
    // 6 shares bring 5,800, 5 bring 4,900: only five fit.
    Order(SaleRow, "20");
    EXPECT_EQ(W().txtNumber.Text.get(), "5");
    Click();
    Key(vbKeyY);
    EXPECT_EQ(g().MyGold, 999999900);
    EXPECT_EQ(Shares(), 15);
    Order(SaleRow, "1");
    EXPECT_EQ(Bar(), "銀行員：手持ちが一杯のようだな。ショップでアイテムでもゲッツしてきたらどうだ？");
    EXPECT_EQ(Shares(), 15);
}

TEST_F(BankTest, GiftsComeOneStageAPurchase) {
    g().MyGold = 20000000;
    SharePrice() = 1000;
    Enter("bBank");
    // Straight to the full holding: only the first gift.
    Deal(PurchaseRow, "9999", vbKeyY);
    EXPECT_EQ(Bar(), "銀行員：いつも贔屓にしてもらってるから、武器レシピ１を貰ってくれ");
    EXPECT_TRUE(g().AllKey[22].LKeyList);
    EXPECT_EQ(g().BankNumber, 1);
    EXPECT_EQ(Cell(PurchaseRow, 1), "売り切れ");
    // Selling some lets her buy again, and the next purchase brings the next gift.
    Deal(SaleRow, "10", vbKeyY);
    Deal(PurchaseRow, "1", vbKeyY);
    EXPECT_EQ(Bar(), "銀行員：いつも贔屓にしてもらってるから、弁慶の槍を貰ってくれ");
    EXPECT_EQ(InBag(476), 1);
    EXPECT_EQ(g().BankNumber, 2);
}

TEST_F(BankTest, AnArmGiftWaitsForRoomInTheBag) {
    g().MyGold = 20000000;
    g().BankNumber = 1;
    Shares() = 999;
    g().NowMaxBag = 2;
    SetBag({{0, 2}});
    Enter("bBank");
    Deal(PurchaseRow, "1", vbKeyY);
    EXPECT_EQ(Bar(), "銀行員：ありがとよ。ついでに俺の踊りでも見てくか？");
    EXPECT_EQ(g().BankNumber, 1);
    SetBag({{0, 1}});
    Deal(PurchaseRow, "1", vbKeyY);
    EXPECT_EQ(InBag(476), 1);
    EXPECT_EQ(g().BankNumber, 2);
    // Reaching the full holding with a full bag thanks her again after the reopening.
    SetBag({{0, 2}});
    Deal(PurchaseRow, "9999", vbKeyY);
    EXPECT_EQ(Shares(), 9999);
    EXPECT_EQ(g().BankNumber, 2);
    EXPECT_EQ(Bar(), "銀行員：ありがとよ。ついでに俺の踊りでも見てくか？");
}

TEST_F(BankTest, AHeroineInDebtHearsTheClerkFirstEachTimeSheComes) {
    Balance() = -5000;
    Enter("bBank");
    EXPECT_EQ(Bar(), "銀行員：ヘイ、ガール…。支払いが滞ってるよ！！");
    EXPECT_FALSE(W().cmdBuy.Enabled);
    EXPECT_EQ(g().StoryNo, 10);
    EXPECT_EQ(Cell(WithdrawalRow, 1), "-5,000");
    Click();
    EXPECT_EQ(Calls("TownSpeech"), 1);
    // Rebuilt by the talk, the window does not tell it again.
    g().ReloadList = true;
    W().Form_Load();
    EXPECT_EQ(Bar(), "銀行員：ヘイ、ガール！用件は何だ？");
    EXPECT_EQ(g().StoryNo, StoryAfterEndNo);
    EXPECT_TRUE(W().cmdBuy.Enabled);
    Leave();
    Enter("bBank");
    EXPECT_EQ(Bar(), "銀行員：ヘイ、ガール…。支払いが滞ってるよ！！");
    EXPECT_FALSE(W().cmdBuy.Enabled);
}

}  // namespace
}  // namespace q
