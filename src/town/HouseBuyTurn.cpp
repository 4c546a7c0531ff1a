// The estate agent: the land for the heroine's own shop, and theft security
// and fire detection for the days she is away.
#include "core/Format.h"
#include "shop/ListWindows.h"
#include "town/frmItemShop.h"

namespace q {

namespace {

constexpr int LastAgentOffer = HouseOfferCount - 5;  // ShopSellHouse rows 0-6
constexpr const char* SoldOut = "売り切れ";

// List rows: 1 the land, 2-4 theft security, 5-7 fire detection.
bool LandRow(int row) { return row == 1; }
bool TheftRow(int row) { return row >= 2 && row <= 4; }
bool FireRow(int row) { return row >= 5 && row <= 7; }

bool LandOwned(const Game& g) { return g.ShopHaveHouse[HouseLand].HLHouseTime == 1; }

}  // namespace

bool frmItemShop::LoadHouse() {
    Game& g = game;
    Titles("+++ 不動産屋 +++");
    cmdBuy.ToolTipText = Quoted("選択した物の購入が出来ます");
    HideNumber();
    Columns({{"名前", 1000}, {"価格", 800}, {"説明", 2300}});
    for (int i = 0; i <= LastAgentOffer; ++i) {
        const HouseOffer& offer = g.ShopSellHouse[size_t(i)];
        ListItem& row = lstList.AddItem(offer.Name);
        row.SetSubItem(1, i == 0 && LandOwned(g) ? SoldOut : PriceText(offer.SLHousePrice));
        row.SetSubItem(2, offer.Text);
    }
    g.StoryName = "SpeechTurn";
    if ((g.ClearFlg == 0 && g.Warasibe >= 4) || g.Warasibe == 6) {
        // The agent has news for her at once.
        g.NoClick = NoClickRight;
        g.StoryNo = 10;
        cmdBuy.Enabled = false;
        Say("不動産屋：お、丁度良いところに来た！");
    } else {
        g.StoryNo = StoryAfterEndNo;
        ShowStandingLine();
    }
    return true;
}

void frmItemShop::HouseBuyTurn() {
    Game& g = game;
    if (!g.OfferPending) {
        g.NoClick = NoClickRight;
        const int row = SelectedRow();
        if (row == 0) return EndTurn();
        g.ListIndex = row - 1;
        g.WorkName = lstList.Item(row).Text;
        g.WorkNum = row;
        if (LandRow(row) && LandOwned(g)) {
            Say("不動産屋：土地は売り切れだよ。今ある土地を有効利用してくれ");
            return EndTurn();
        }
        g.WorkNum3 = ColumnNumber(row, 1);
        const std::string warning = "不動産屋：" + g.WorkName + "？それなら、" + FormatThousands(g.WorkNum3) + "カリムだ。";
        if (FireRow(row) && g.ShopHaveHouse[HouseFireGuard].HLHouseTime >= 1)
            Say(warning + "現在入っている火災検知は解約されるぞ。それでも買うかね？");
        else if (TheftRow(row) && g.ShopHaveHouse[HouseTheftGuard].HLHouseTime >= 1)
            Say(warning + "現在入っている盗難警備は解約されるぞ。それでも買うかね？");
        else
            Say("不動産屋：" + g.WorkName + "かね？" + std::to_string(g.WorkNum3) + "カリムになるが買うかね？");
        g.StoryName = "BuyItem";
        g.StoryNo = 0;
        EnableDeal(false, false);
        g.OfferPending = true;
        return;
    }
    if (g.StoryNo == 1) {
        if (g.MyGold < g.WorkNum3) return MoneyShort(false);
        AskChoices("買う", "買わない");
        return;
    }
    if (AnswerRefuses()) return Refuse(false);
    if (g.AnswerKey != AnswerYes) return EndTurn();
    g.StoryName.clear();
    g.AnswerKey = AnswerNone;
    const int row = int(g.WorkNum);
    const Long days = g.ListIndex >= 0 && g.ListIndex < HouseOfferCount ? g.ShopSellHouse[size_t(g.ListIndex)].Days : 0;
    // A new contract replaces the running one: its days are set, not added.
    if (FireRow(row)) g.ShopHaveHouse[HouseFireGuard].HLHouseTime = days;
    else if (TheftRow(row)) g.ShopHaveHouse[HouseTheftGuard].HLHouseTime = days;
    else if (LandRow(row)) {
        g.ShopHaveHouse[HouseLand].HLHouseTime = 1;
        Reopen();  // the land's row reads sold out
    }
    g.MyGold -= g.WorkNum3;
    RefreshListWindow(g);
    EnableDeal(true, false);
    g.OfferPending = false;
    Say("不動産屋：今後もよろしく");
    EndTurn();
}

}  // namespace q
