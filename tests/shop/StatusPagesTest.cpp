#include <gtest/gtest.h>

#include "CaseName.h"
#include "ShopFixture.h"
#include "shop/frmStatus.h"
#include "shop/frmStatus2.h"

namespace q::test {
namespace {

using StatusPagesTest = ListWindowTest;

TEST_F(StatusPagesTest, PageOneWritesEveryBoxInItsFormat) {
    g().FieldName = "Hanoda";
    g().EventField = "Shop";
    g().MyLevel = 12;
    g().MyGold = 1234567;
    g().MyNowHp = 1234;
    g().MyMaxHp = 2000;
    g().MyNowBody = 120;
    g().MyMaxBody = 999;
    g().MyNowWater = 7;
    g().MyMaxWater = 150;
    g().MyMaxEx = 12000;
    g().MyNowEx = 500;
    g().MyFame = 1500;
    g().HaveShopNum = 3;
    g().NowMaxShop = 100;
    g().HaveBagNum = 0;
    g().NowMaxBag = 20;
    g().HaveSack = 4;
    g().NowMaxSack = 10;
    OpenTab(0);
    const char* expected[] = {"ハノダ－夢追い堂", "12", "1,234,567", "1,234／2,000", "120／999", "7／150",
                              "11,500",          "1500", "3／100",   "0／20",         "4／10"};
    for (int i = 0; i < 11; ++i) EXPECT_EQ(g().frmStatus->TXTStatus[i].Text.get(), expected[i]) << "box " << i;
    EXPECT_EQ(g().frmStatus->LBLStatus[3].Caption.get(), "体力：");
    EXPECT_EQ(g().frmStatus->TXTStatus[3].ToolTipText.get(), "\"「現在の体力／最大体力」を表示しています\"");

    // Every change of the game state shows at the next rebuild.
    g().MyGold = 999;
    RefreshListWindow(g());
    EXPECT_EQ(g().frmStatus->TXTStatus[2].Text.get(), "999");
}

TEST_F(StatusPagesTest, PageTwoShowsTheDateConditionsAndWarehouse) {
    g().NowYear = 3050;
    g().NowMonth = 12;
    g().NowDay = 29;
    g().NowTime = 51;
    g().MyAt = 45;
    g().MyDi = 30;
    g().MySp = 12;
    g().Condition = {3, 0, 0, 1, 0, 20, 0, 0, 5};
    g().HaveStockNum = 60;
    g().NowMaxStock = 200;
    OpenTab(1);
    const char* expected[] = {"3050年12月29日", "陰", "45", "30", "12", "異常", "―――", "―――",
                              "異常", "―――", "発動中", "―――", "―――", "60／200", "発動中"};
    for (int i = 0; i < 15; ++i) EXPECT_EQ(g().frmStatus2->TXTStatus[i].Text.get(), expected[i]) << "box " << i;
    EXPECT_EQ(g().frmStatus2->LBLStatus[14].Caption.get(), "魔法のランタン：");

    g().AllKey[14].LKeyList = true;  // the pocket watch
    RefreshListWindow(g());
    EXPECT_EQ(g().frmStatus2->TXTStatus[1].Text.get(), "陰－木");
}

// At the turn of the day the time box keeps its text: a page left open
// across midnight goes on showing the last sign of the night, and a page
// opened just then shows that sign too; the day's first unit brings the
// morning's.
TEST_F(StatusPagesTest, TheTimeBoxKeepsItsSignAtTheTurnOfTheDay) {
    g().AllKey[14].LKeyList = true;  // the pocket watch
    g().NowTime = 73;
    OpenTab(1);
    EXPECT_EQ(g().frmStatus2->TXTStatus[1].Text.get(), "陰－土");
    g().NowTime = 0;
    RefreshListWindow(g());
    EXPECT_EQ(g().frmStatus2->TXTStatus[1].Text.get(), "陰－土");

    OpenTab(0);
    OpenTab(1);
    EXPECT_EQ(g().frmStatus2->TXTStatus[1].Text.get(), "陰－水");
    g().NowTime = 1;
    RefreshListWindow(g());
    EXPECT_EQ(g().frmStatus2->TXTStatus[1].Text.get(), "陽－木");
}

struct SignCase {
    Long time;
    bool watch;
    const char* sign;
    const char* shown = "";
};

class TimeSigns : public ::testing::TestWithParam<SignCase> {};

TEST_P(TimeSigns, ByTheTimeOfDayAndThePocketWatch) {
    const SignCase& c = GetParam();
    EXPECT_EQ(TimeSign(c.time, c.watch, c.shown), c.sign) << "time " << c.time;
}

INSTANTIATE_TEST_SUITE_P(
    Status, TimeSigns,
    ::testing::Values(SignCase{0, true, "陰－水"}, SignCase{0, true, "陽－金", "陽－金"},
                      SignCase{1, true, "陽－木", "陰－水"}, SignCase{10, true, "陽－木"}, SignCase{11, true, "陽－火"},
                      SignCase{30, true, "陽－土"}, SignCase{31, true, "陽－金"}, SignCase{50, true, "陽－水"},
                      SignCase{51, true, "陰－木"}, SignCase{70, true, "陰－火"}, SignCase{80, true, "陰－土"},
                      SignCase{90, true, "陰－金"}, SignCase{100, true, "陰－水"}, SignCase{0, false, "陽"},
                      SignCase{50, false, "陽"}, SignCase{51, false, "陰"}, SignCase{100, false, "陰"}),
    q::test::NameBy([](const auto& c) {
        using namespace q::test;
        return Name("Time", c.time, Flag{c.watch, "Watch"}, Flag{*c.shown != 0, "Shown"});
    }));

}  // namespace
}  // namespace q::test
