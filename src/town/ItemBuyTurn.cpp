// The item shop of Hanoda, Elwind and Amulet: the town's goods, any number
// up to the sack's limits, and once a day a surprise jewel.
#include <array>
#include <string_view>

#include "core/Clock.h"
#include "core/Format.h"
#include "core/Inventory.h"
#include "core/World.h"
#include "shop/ListWindows.h"
#include "town/frmItemShop.h"

namespace q {

namespace {

constexpr Long SurpriseJewelTag = 999;
constexpr Long SurpriseJewelPrice = 10000;
constexpr Long BranchOfLife = 8;  // revives a fainting heroine; sold one at a time
constexpr Long MostOfAKind = 9;
constexpr const char* SoldOut = "売り切れ";
constexpr const char* KeeperGreeting = "道具屋：いらっしゃいませ";

// The surprise jewel's description in each town's shop.
struct JewelNote {
    std::string_view town;
    const char* note;
};
constexpr std::array<JewelNote, 3> JewelNotes{{
    {"Hanoda", "何が出るかわからない、お楽しみ玉です(ハノダ版)"},
    {"Elwind", "何が出るかわからない、お楽しみ玉です(エルウインド版)"},
    {"Amulet", "何が出るかわからない、お楽しみ玉です(アミュレット版)"},
}};

// Goods sold one at a time, with the offer that says so.
bool SoldSingly(Long tag) { return tag == BranchOfLife || tag == SurpriseJewelTag; }

// Draws today's surprise jewel from the monsters of the town's region. A
// jewel of rank 1 or 2 survives only one draw in a hundred.
Long DrawSurpriseJewel(Game& g) {
    for (;;) {
        g.BuyGyokuNum = 0;
        SetRange(g, 2);
        const Long monster = Long(g.Chance(g.RangeMax - g.RangeMin + 1)) + g.RangeMin;
        const Long rank = monster >= 0 && monster < MonsterCount ? g.AllMonster[size_t(monster)].JewelRank : 0;
        if (rank == 0) return monster;
        const long second = g.Chance(100);
        if ((rank == 1 && second == 50) || (rank == 2 && second == 0)) return monster;
    }
}

}  // namespace

bool frmItemShop::LoadItem() {
    Game& g = game;
    Titles("+++ 道具屋 +++");
    lblNumber[2].Caption = "個数";
    lblNumber[2].ToolTipText = Quoted("購入したい個数を入力します");
    txtNumber.ToolTipText = Quoted("購入したい個数を入力します");
    Button("購入", true, "選択した道具の購入が出来ます");
    Columns({{"名前", 1800}, {"価格", 1100}, {"説明", 4200}});
    const GoodsList& goods = g.ShopSellItem[size_t(TownGoods())];
    for (Long i = 1; i < goods.Goods[0] && i < Long(goods.Goods.size()); ++i) {
        const Long no = goods.Goods[size_t(i)];
        if (no < 0 || no >= ItemCount) continue;
        const ItemRecord& item = g.AllItem[size_t(no)];
        ListItem& row = lstList.AddItem(item.Name);
        const bool carried = no == BranchOfLife && SackCheck(g, no, 1, false, false);
        row.SetSubItem(1, carried ? SoldOut : PriceText(item.Price));
        row.SetSubItem(2, item.Note);
        row.Tag = std::to_string(no);
    }
    ListItem& jewel = lstList.AddItem("ドキドキ玉");
    jewel.SetSubItem(1, g.BuyGyokuNum != 0 ? PriceText(SurpriseJewelPrice) : SoldOut);
    for (const auto& n : JewelNotes)
        if (n.town == g.FieldName) jewel.SetSubItem(2, n.note);
    jewel.Tag = std::to_string(SurpriseJewelTag);
    cmdBuy.Enabled = true;
    Greeting(g.FieldName == "Elwind" && g.ClearFlg == 0 && g.MyFame >= 1000, KeeperGreeting);
    return true;
}

void frmItemShop::ItemBuyTurn() {
    Game& g = game;
    const int row = SelectedRow();
    Long tag = -1;
    Long carried = 0;
    if (row > 0) {
        const ListItem& item = lstList.Item(row);
        g.ListIndex = row - 1;
        g.WorkName = item.Text;
        g.WorkNum = row;
        tag = Long(LeadingNumber(item.Tag));
        if (tag != SurpriseJewelTag && SackCheck(g, tag, 1, false, false))
            carried = g.MySack[size_t(g.WorkIndex)].HHaveSackNum;
    }
    txtNumber.Text = NumberText(txtNumber.Text);

    if (!g.OfferPending) {
        g.NoClick = NoClickRight;
        if (row == 0) return EndTurn();
        if (g.HaveSack >= g.NowMaxSack && carried == 0) {
            Say("イザベラ：袋が一杯だわ。使うか捨てるかしてこないと、これ以上は入らないわね");
            return EndTurn();
        }
        if (carried >= MostOfAKind) {
            Say("イザベラ：同じ種類の道具は9個までしか持てないわ");
            return EndTurn();
        }
        if (LeadingNumber(txtNumber.Text) <= 0) txtNumber.Text = "1";
        const ListItem& item = lstList.Item(row);
        if (item.SubItem(1) == SoldOut) {
            Say("道具屋：申し訳ないですが、" + item.Text + "は入荷待ちです");
            return EndTurn();
        }
        if (SoldSingly(tag)) txtNumber.Text = "1";
        else if (LeadingNumber(txtNumber.Text) + carried > MostOfAKind)
            txtNumber.Text = std::to_string(MostOfAKind - carried);
        g.WorkNum2 = Long(LeadingNumber(txtNumber.Text));
        g.WorkNum3 = ColumnNumber(row, 1) * g.WorkNum2;
        StartOffer();
        if (SoldSingly(tag))
            Say("道具屋：" + g.WorkName + "ですね。これが最後の一個ですよ。" + FormatThousands(g.WorkNum3) +
                "カリムになりますが、よろしいですか？");
        else
            Say("道具屋：" + g.WorkName + "が" + std::to_string(g.WorkNum2) + "個で、" + FormatThousands(g.WorkNum3) +
                "カリムになります。よろしいですか？");
        return;
    }
    if (g.StoryNo == 1) {
        if (g.MyGold < g.WorkNum3) return MoneyShort();
        AskChoices("買う", "買わない");
        return;
    }
    // Goods that will not go into the sack are not bought: the offer ends
    // with her line, and nothing is paid.
    auto noRoom = [&](const std::string& line) {
        EnableDeal(true);
        Say(line);
        g.OfferPending = false;
        g.StoryName.clear();
        EndTurn();
    };
    const bool payment = g.StoryNo == 500;
    if (!payment) {
        if (AnswerRefuses()) return Refuse();
        if (g.AnswerKey != AnswerYes) return EndTurn();
        g.AnswerKey = AnswerNone;
        if (tag == SurpriseJewelTag) {
            // The jewel is shown first; the next click pays for it.
            g.StoryName = "BuyItem";
            const Long jewel = DrawSurpriseJewel(g);
            const std::string& name = g.AllGyoku[size_t(jewel)].Name;
            if (!SackChange(g, jewel, 0, false, 1, true)) {
                // Not paid for. The box is open all the same: today's is gone,
                // and the window is rebuilt to say so, as after any reveal.
                g.ReloadList = true;
                Form_Load();
                return noRoom("イザベラ：" + name + (SackHoldsKind(g, jewel, true) ? "が入ってたけど、もう既に9個持ってるわね…"
                                                                         : "が入ってたけど、袋が一杯で持てないわね…"));
            }
            Say("イザベラ：" + name + "が入っていたわ");
            g.StoryNo = 499;
            return;
        }
        if (!SackChange(g, tag, 0, false, g.WorkNum2, false))
            return noRoom(SackRefusal(g, tag, false));
    }
    g.MyGold -= g.WorkNum3;
    RefreshListWindow(g);
    g.StoryName.clear();
    g.StoryNo = 0;
    EnableDeal(true);
    g.OfferPending = false;
    if (SoldSingly(tag)) {
        // Rebuilt at once, so that the row reads sold out.
        g.ReloadList = true;
        Form_Load();
    } else {
        Say("道具屋：ありがとうございました");
    }
    EndTurn();
}

}  // namespace q
