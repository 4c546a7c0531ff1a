#include "shop/frmRequest.h"

#include <algorithm>
#include <string>

namespace q {

namespace {

constexpr const char* NoValue = "－";  // the full-width hyphen-minus

void SetUp(ListView& list) {
    list.View = lvwReport;
    list.LabelEdit = lvwManual;
    list.MultiSelect = false;
    list.HideSelection = false;
}

}  // namespace

frmRequest::frmRequest(Game& g) : ListWindow(g, "frmRequest", 8) {
    add(lstList);
    for (int i = 0; i < 2; ++i)
        lstList[i].KeyDown = [this](int k, int s) {
            if (k < 37 || k > 40) Form_KeyDown(k, s);
        };
}

void frmRequest::Design() {
    DesignWindow(3615, ListWindowHeight);
    ListView& orders = lstList[0];
    orders.Left = 0;
    orders.Top = 0;
    orders.Width = 3615;
    orders.Height = 1575;
    ListView& holdings = lstList[1];
    holdings.Left = 0;
    holdings.Top = 1560;
    holdings.Width = 3615;
    holdings.Height = ListWindowHeight - holdings.Top;
    for (int i = 0; i < 2; ++i) {
        SetUp(lstList[i]);
        lstList[i].ClearColumns();
        lstList[i].ClearItems();
    }
}

void frmRequest::Form_Load() {
    const Game& g = game;
    ListView& orders = lstList[0];
    orders.BeginUpdate();
    SetUp(orders);
    orders.ClearColumns();
    orders.AddColumn("注文品", 1800);
    orders.AddColumn("個数", 600);
    orders.AddColumn("残日数", 800);
    orders.AddColumn("備考", 1000);
    orders.ClearItems();
    const Long count = std::min<Long>(g.NowRequest, Long(g.MyRequestArms.size()));
    for (Long k = 0; k < count; ++k) {
        const RequestArmsEntry& order = g.MyRequestArms[size_t(k)];
        const Long arm = order.SRequestArmsNo;
        const std::string name = arm >= 0 && arm < ArmCount ? g.AllArms[size_t(arm)].Name : std::string();
        // The number is the arm's row in the catalogue, counted from 1.
        ListItem& row = orders.AddItem(name + "(" + std::to_string(arm + 1) + ")");
        row.SetSubItem(1, std::to_string(order.SRequestArmsNum));
        const Long days = order.SRequestArmsDay;
        row.SetSubItem(2, std::to_string(days < 0 ? 0 : days));
        row.SetSubItem(3, days == 0 ? "納品日" : days < 0 ? "期限切れ" : "");
    }
    orders.EndUpdate();

    ListView& holdings = lstList[1];
    holdings.BeginUpdate();
    SetUp(holdings);
    holdings.ClearColumns();
    holdings.AddColumn("株/盗難/火災", 1800);
    holdings.AddColumn("個数", 650);
    holdings.AddColumn("残日数", 800);
    holdings.ClearItems();
    ListItem& shares = holdings.AddItem("株");
    shares.SetSubItem(1, std::to_string(g.ShopHaveHouse[HouseShares].HLHouseNum));
    shares.SetSubItem(2, NoValue);
    ListItem& theft = holdings.AddItem("盗難警備");
    theft.SetSubItem(1, NoValue);
    theft.SetSubItem(2, std::to_string(g.ShopHaveHouse[HouseTheftGuard].HLHouseTime));
    ListItem& fire = holdings.AddItem("火災検知");
    fire.SetSubItem(1, NoValue);
    fire.SetSubItem(2, std::to_string(g.ShopHaveHouse[HouseFireGuard].HLHouseTime));
    holdings.EndUpdate();
}

}  // namespace q
