// The carpenter: for money and the wood handed to him he builds the
// heroine's own shop on her land and extends its display and warehouse.
// Orders wait in CarpenOrder until the shop applies them when she comes home.
#include "core/Format.h"
#include "shop/ListWindows.h"
#include "town/frmItemShop.h"

namespace q {

namespace {

constexpr const char* Done = "済み";

enum OrderKind : Long { NoOrder = 0, NewShop = 1, Extensions = 2 };
constexpr Long NewShopDisplay = 50;
constexpr Long NewShopWarehouse = 100;

// Works 1-5 extend the display, 6-10 the warehouse.
bool ShopExtension(Long work) { return work >= 1 && work <= 5; }
bool WarehouseExtension(Long work) { return work >= 6 && work <= 10; }

// Writes a work into the pending order.
void Order(Game& g, Long work, Long adds) {
    if (work == 0) {
        g.CarpenOrder = {NewShop, NewShopDisplay, NewShopWarehouse};
        return;
    }
    if (g.CarpenOrder[0] == NoOrder) g.CarpenOrder[0] = Extensions;  // a pending new shop stays one
    if (ShopExtension(work)) g.CarpenOrder[1] += adds;
    else if (WarehouseExtension(work)) g.CarpenOrder[2] += adds;
}

}  // namespace

bool frmItemShop::LoadCarpenter() {
    Game& g = game;
    g.NoClick = NoClickRight;
    Titles("+++ 大工 +++");
    lblNumber[2].Visible = true;
    lblNumber[2].Caption = "木材数";
    lblNumber[2].ToolTipText = Quoted("大工に渡した木材の数です");
    txtNumber.ToolTipText = Quoted("大工に渡した木材の数です");
    txtNumber.Text = std::to_string(g.WoodNum);
    txtNumber.Enabled = false;  // it only shows the wood
    Button("建築", false, "家を増築します");
    Columns({{"建築名称", 1100}, {"値段", 800}, {"木材", 600}, {"説明", 4000}});
    for (const CarpenterWork& work : g.CarpenSell) {
        ListItem& row = lstList.AddItem(work.Name);
        row.SetSubItem(1, work.SLCarpenOk ? Done : PriceText(work.Price));
        row.SetSubItem(2, std::to_string(work.Wood));
        row.SetSubItem(3, work.Text);
        row.Tag = std::to_string(work.Adds);
    }
    g.StoryNo = 10;
    g.StoryName = "SpeechTurn";
    if (g.ReloadList) {
        cmdBuy.Enabled = true;
        g.StoryNo = StoryAfterEndNo;
        g.OfferPending = false;
        g.ReloadList = false;
    } else {
        g.NoClick = NoClickRight;
        Say("大工：いらっしゃい。用件は何だ？");
    }
    return true;
}

void frmItemShop::CarpenBuyTurn() {
    Game& g = game;
    if (!g.OfferPending) {
        g.NoClick = NoClickRight;
        const int row = SelectedRow();
        if (row == 0) return CarpenEnd();
        g.ListIndex = row - 1;
        g.WorkName = lstList.Item(row).Text;
        g.WorkNum = row;
        if (lstList.Item(row).SubItem(1) == Done) {
            Say("大工グェン：悪いが、その増築はもう出来ないぜ");
            return CarpenEnd();
        }
        g.WorkNum2 = ColumnNumber(row, 2);
        g.WorkNum3 = ColumnNumber(row, 1);
        Say("大工グェン：" + g.WorkName + "するのか？" + FormatThousands(g.WorkNum3) + "カリムになるけど、いいのか？");
        g.StoryNo = 0;
        EnableDeal(false, false);
        g.OfferPending = true;
        return;
    }
    if (g.StoryNo == 1) {
        const char* refusal = nullptr;
        if (g.WorkNum == 1 && g.ShopHaveHouse[HouseLand].HLHouseTime == 0)
            refusal = "イザベラ：土地を持ってないから建てられないわ";
        else if (g.WorkNum >= 2 && !g.CarpenSell[0].SLCarpenOk)
            refusal = "イザベラ：自分の店を持ってないから増築できないわ";
        else if (g.MyGold < g.WorkNum3)
            refusal = "イザベラ：カリムが足りないわ。諦めましょう";
        else if (g.WoodNum < g.WorkNum2)
            refusal = "イザベラ：木材が足りないわ。諦めましょう";
        if (refusal) {
            EnableDeal(true, false);
            Say(refusal);
            g.OfferPending = false;
            return CarpenEnd();
        }
        EnableDeal(false, false);
        g.NoClick = NoClickRight;
        AskChoices("建てる", "建てない");
        return;
    }
    if (g.AnswerKey == AnswerYes) {
        g.AnswerKey = AnswerNone;
        g.WoodNum -= g.WorkNum2;
        g.MyGold -= g.WorkNum3;
        RefreshListWindow(g);
        EnableDeal(true, false);
        g.OfferPending = false;
        const Long work = g.ListIndex;
        if (work >= 0 && work < CarpenterWorkCount) {
            Order(g, work, Long(LeadingNumber(lstList.Item(int(work) + 1).Tag)));
            g.CarpenSell[size_t(work)].SLCarpenOk = true;  // done from now on, before it is applied at home
        }
        txtNumber.Text = std::to_string(g.WoodNum);
        Say("大工グェン：あんたが店に帰るまでには作っておくぜ！");
        g.ReloadList = true;
        Form_Load();
    } else if (AnswerRefuses()) {
        g.AnswerKey = AnswerNone;
        EnableDeal(true, false);
        ShowStandingLine();
        g.OfferPending = false;
        Form_Load();  // afresh: he greets her again
    }
    CarpenEnd();
}

void frmItemShop::CarpenEnd() {
    Game& g = game;
    g.StoryNo = StoryEndNo;
    g.BuyPending = false;
    g.NoClick = NoClickNone;
    FocusList();
}

}  // namespace q
