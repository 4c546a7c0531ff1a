#include <gtest/gtest.h>

#include "ShopFixture.h"
#include "shop/frmRequest.h"

namespace q::test {
namespace {

class RequestTest : public ListWindowTest {
protected:
    frmRequest& Window() { return g().frmRequest.get(); }
    ListView& Orders() { return Window().lstList[0]; }
    ListView& Holdings() { return Window().lstList[1]; }
    void Order(Long arm, Long pieces, Long days) {
        g().MyRequestArms[size_t(g().NowRequest++)] = {arm, pieces, days};
    }
    static std::vector<std::string> Row(const ListItem& item) {
        std::vector<std::string> out{item.Text};
        for (int c = 1; c <= 3; ++c) out.push_back(item.SubItem(c));
        return out;
    }
};

TEST_F(RequestTest, NoOrdersStillShowsTheThreeHoldings) {
    OpenTab(8);
    EXPECT_EQ(g().ListName, "frmRequest");
    ASSERT_EQ(Orders().ColumnHeaders().size(), 4u);
    const std::pair<const char*, int> orderColumns[] = {{"注文品", 1800}, {"個数", 600}, {"残日数", 800}, {"備考", 1000}};
    for (size_t c = 0; c < 4; ++c) {
        EXPECT_EQ(Orders().ColumnHeaders()[c].Text, orderColumns[c].first);
        EXPECT_EQ(Orders().ColumnHeaders()[c].Width, orderColumns[c].second);
    }
    EXPECT_EQ(Orders().Count(), 0);
    ASSERT_EQ(Holdings().ColumnHeaders().size(), 3u);
    EXPECT_EQ(Holdings().ColumnHeaders()[0].Text, "株/盗難/火災");
    EXPECT_EQ(Holdings().ColumnHeaders()[1].Width, 650);
    ASSERT_EQ(Holdings().Count(), 3);
    EXPECT_EQ(Row(Holdings().Item(1)), (std::vector<std::string>{"株", "0", "－", ""}));
    EXPECT_EQ(Row(Holdings().Item(2)), (std::vector<std::string>{"盗難警備", "－", "0", ""}));
    EXPECT_EQ(Row(Holdings().Item(3)), (std::vector<std::string>{"火災検知", "－", "0", ""}));
    for (ListView* list : {&Orders(), &Holdings()}) {
        EXPECT_FALSE(list->MultiSelect);
        EXPECT_FALSE(list->HideSelection);
        EXPECT_TRUE(list->SelectedRows().empty());
    }
    EXPECT_EQ(Orders().Top.get(), 0);
    EXPECT_EQ(Orders().Height.get(), 1575);
    EXPECT_EQ(Holdings().Top.get(), 1560);
    EXPECT_EQ(Holdings().Height.get(), ListWindowHeight - 1560);
}

TEST_F(RequestTest, OrdersWithTheirDaysAndTheHoldingsWithoutSeparators) {
    Order(11, 5, 5);
    Order(0, 1, 0);
    Order(2, 3, -1);
    Order(3, 2, -40);
    Order(4, 9, 12);
    g().ShopHaveHouse[HouseShares].HLHouseNum = 1500;
    g().ShopHaveHouse[HouseTheftGuard].HLHouseTime = 17;
    g().ShopHaveHouse[HouseFireGuard].HLHouseTime = 4;
    g().ShopHaveHouse[HouseBank].HLHouseNum = 99999;  // the balance is not shown
    OpenTab(8);
    ASSERT_EQ(Orders().Count(), 5);
    EXPECT_EQ(Row(Orders().Item(1)), (std::vector<std::string>{g().AllArms[11].Name + "(12)", "5", "5", ""}));
    EXPECT_EQ(Row(Orders().Item(2)), (std::vector<std::string>{"わらじ(1)", "1", "0", "納品日"}));
    EXPECT_EQ(Row(Orders().Item(3)), (std::vector<std::string>{"木の盾(3)", "3", "0", "期限切れ"}));
    EXPECT_EQ(Row(Orders().Item(4)), (std::vector<std::string>{"フライパン(4)", "2", "0", "期限切れ"}));
    EXPECT_EQ(Orders().Item(5).SubItem(2), "12");
    EXPECT_EQ(Holdings().Item(1).SubItem(1), "1500");
    EXPECT_EQ(Holdings().Item(2).SubItem(2), "17");
    EXPECT_EQ(Holdings().Item(3).SubItem(2), "4");

    // A day passes: the window is rebuilt in place.
    g().MyRequestArms[0].SRequestArmsDay = 0;
    g().NowRequest = 1;
    RefreshListWindow(g());
    ASSERT_EQ(Orders().Count(), 1);
    EXPECT_EQ(Orders().Item(1).SubItem(3), "納品日");
    EXPECT_EQ(Holdings().Count(), 3);
}

TEST_F(RequestTest, KeysAndTheMouseAsEveryListWindow) {
    OpenTab(8);
    g().SpeedFlg = 1;
    Orders().KeyDown(38, 0);
    Holdings().KeyDown('S', 0);
    EXPECT_EQ(g().SpeedFlg, 0);
    Orders().KeyDown(vbKeyO, vbShiftMask);
    EXPECT_EQ(host.Focused(), &g().frmFrame->cmdFrame[4]);
    g().frmFrame->Form_KeyDown(vbKeyI, vbShiftMask);
    EXPECT_EQ(host.Focused(), &Orders());
    Window().Form_DblClick();
    EXPECT_EQ(g().ListName, "");
    EXPECT_FALSE(g().frmRequest.loaded());
}

}  // namespace
}  // namespace q::test
