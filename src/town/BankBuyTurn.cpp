// The bank: deposits, withdrawals, shares bought at the day's price and sold
// back for a fee, and a gift for each threshold of shares held. A debt left
// by the rent or a fire makes the clerk open with his debt talk.
#include <algorithm>
#include <array>

#include "core/Format.h"
#include "core/Inventory.h"
#include "shop/ListWindows.h"
#include "town/frmItemShop.h"

namespace q {

namespace {

constexpr Long MostMoney = 999999999;
constexpr Long MostShares = 9999;
constexpr Long FeePerFiveShares = 100;
constexpr int FirstBankOffer = 7;   // ShopSellHouse rows 7-10
constexpr int SharePriceOffer = 9;  // its price is the day's share price
constexpr const char* SoldOut = "売り切れ";
constexpr const char* Thanks = "銀行員：ありがとよ。ついでに俺の踊りでも見てくか？";

enum BankRow { Deposit = 1, Withdrawal = 2, Purchase = 3, Sale = 4 };

// What the number label, the box and the button say for each row.
struct RowTexts {
    const char* label;
    const char* tip;
    const char* button;
    const char* buttonTip;
    const char* yes;
    const char* no;
};

constexpr std::array<RowTexts, 4> Texts{{
    {"金額：", "入金したい金額を入力します", "入金", "入力した金額を入金します", "入金", "やめる"},
    {"金額：", "出金したい金額を入力します", "出金", "入力した金額を出金します", "出金", "やめる"},
    {"株数：", "購入したい株数を入力します", "購入", "株を購入します", "買う", "買わない"},
    {"株数：", "売却したい株数を入力します", "売却", "株を売却します", "払戻す", "やめる"},
}};

const RowTexts& TextsOf(int row) { return Texts[size_t(std::clamp(row, 1, 4) - 1)]; }

// The gifts for shares held, one stage per purchase.
struct Gift {
    Long shares;     // held after the purchase, at least
    bool needsRoom;  // the bag must have room for an arm
    Long valuable;   // a valuable to own, or -1
    Long arm;        // an arm for the bag, or -1
};

constexpr std::array<Gift, 5> Gifts{{
    {100, false, 22, -1},
    {1000, true, -1, 476},
    {3000, true, -1, 477},
    {6000, true, -1, 478},
    {MostShares, false, 26, -1},
}};

Long& Balance(Game& g) { return g.ShopHaveHouse[HouseBank].HLHouseNum; }
Long& Shares(Game& g) { return g.ShopHaveHouse[HouseShares].HLHouseNum; }

// 100 Karim for every five shares or part of five.
Long SaleFee(Long shares) { return (shares + 4) / 5 * FeePerFiveShares; }

// Gives the gift of the current stage when the holding earns it. Returns the
// gift's name, or "" when none is given.
std::string GiveGift(Game& g) {
    if (g.BankNumber < 0 || g.BankNumber >= Long(Gifts.size())) return "";
    const Gift& gift = Gifts[size_t(g.BankNumber)];
    if (Shares(g) < gift.shares) return "";
    if (gift.needsRoom && g.HaveBagNum >= g.NowMaxBag) return "";
    std::string name;
    if (gift.valuable >= 0) {
        g.AllKey[size_t(gift.valuable)].LKeyList = true;
        name = g.AllKey[size_t(gift.valuable)].Name;
    } else {
        // A gift that does not go in stays for a later purchase.
        if (!BagChange(g, gift.arm, 0, false, 1)) return "";
        name = g.AllArms[size_t(gift.arm)].Name;
    }
    ++g.BankNumber;
    return name;
}

}  // namespace

void frmItemShop::SetBankTexts(int row) {
    const RowTexts& t = TextsOf(row);
    lblNumber[2].Caption = t.label;
    lblNumber[2].ToolTipText = Quoted(t.tip);
    txtNumber.ToolTipText = Quoted(t.tip);
    cmdBuy.Caption = t.button;
    cmdBuy.ToolTipText = Quoted(t.buttonTip);
}

bool frmItemShop::LoadBank() {
    Game& g = game;
    Titles("+++ 銀行 +++");
    SetBankTexts(Deposit);
    Columns({{"名前", 800}, {"価格", 1100}, {"説明", 4200}});
    const std::string sharePrice = FormatThousands(g.ShopSellHouse[SharePriceOffer].SLHousePrice);
    for (int i = FirstBankOffer; i < HouseOfferCount; ++i) {
        const HouseOffer& offer = g.ShopSellHouse[size_t(i)];
        ListItem& row = lstList.AddItem(offer.Name);
        switch (i - FirstBankOffer + 1) {
            case Deposit: row.SetSubItem(1, "－"); break;
            case Withdrawal: row.SetSubItem(1, FormatThousands(Balance(g))); break;
            case Purchase: row.SetSubItem(1, Shares(g) >= MostShares ? SoldOut : sharePrice); break;
            default: row.SetSubItem(1, sharePrice); break;
        }
        row.SetSubItem(2, offer.Text);
    }
    cmdBuy.Enabled = true;
    g.StoryName = "SpeechTurn";
    if (g.WorkFlg || Balance(g) >= 0) {
        g.StoryNo = StoryAfterEndNo;
        ShowStandingLine();
        return true;
    }
    // In debt, and not told since the window was opened afresh.
    g.StoryNo = 10;
    cmdBuy.Enabled = false;
    if (g.ReloadList) {
        g.ReloadList = false;
        return true;
    }
    g.NoClick = NoClickRight;
    Say("銀行員：ヘイ、ガール…。支払いが滞ってるよ！！");
    g.WorkFlg = true;
    return true;
}

void frmItemShop::BankBuyTurn() {
    Game& g = game;
    if (!g.OfferPending) return BankOffer();
    if (g.StoryNo == 1) {
        if ((g.WorkNum == Deposit || g.WorkNum == Purchase) && g.MyGold < g.WorkNum3) {
            EnableDeal(true);
            Say("イザベラ：カリムが足りないわ。諦めましょう");
            g.OfferPending = false;
            g.StoryName.clear();
            return BankEnd();
        }
        const RowTexts& t = TextsOf(int(g.WorkNum));
        AskChoices(t.yes, t.no);
        return;
    }
    if (AnswerRefuses()) {
        g.AnswerKey = AnswerNone;
        EnableDeal(true);
        ShowStandingLine();
        g.StoryName.clear();
        g.OfferPending = false;
        return BankEnd();
    }
    if (g.AnswerKey != AnswerYes) return BankEnd();
    g.AnswerKey = AnswerNone;
    g.StoryName.clear();
    BankDeal();
    RefreshListWindow(g);
    EnableDeal(true);
    g.OfferPending = false;
    BankEnd();
}

void frmItemShop::BankOffer() {
    Game& g = game;
    g.NoClick = NoClickRight;
    const int row = SelectedRow();
    if (row == 0) return BankEnd();
    txtNumber.Text = NumberText(txtNumber.Text);
    g.WorkNum = row;
    const char* refusal = nullptr;
    if (row == Deposit && Balance(g) >= MostMoney)
        refusal = "銀行員：ヘイ、ガール。こんなことは言いたくないんだが、……そんなに入金できないぜ";
    else if (row == Deposit && g.MyGold <= 0)
        refusal = "銀行員：ヘイ、ガール。こんなことは言いたくないんだが、……カリムを持ってないようだぞ";
    else if (row == Withdrawal && g.MyGold >= MostMoney)
        refusal = "銀行員：手持ちが一杯のようだな。ショップでアイテムでもゲッツしてきたらどうだ？";
    else if (row == Withdrawal && Balance(g) <= 0)
        refusal = "銀行員：ヘイ、ガール。こんなことは言いたくないんだが、……入金されていないぜ";
    else if (row == Purchase && Shares(g) >= MostShares)
        refusal = "銀行員：アウーチ！株は売り切れなんだ。勘弁してくれ";
    else if (row == Sale && Shares(g) <= 0)
        refusal = "銀行員：ヘイ、ガール。こんなことは言いたくないんだが、……株を持ってないようだぜ";
    if (refusal) {
        Say(refusal);
        return BankEnd();
    }
    if (LeadingNumber(txtNumber.Text) <= 0) txtNumber.Text = "1";
    g.ListIndex = row - 1;
    long long n = LeadingNumber(txtNumber.Text);
    const long long price = ColumnNumber(row, 1);
    std::string line;
    switch (row) {
        case Deposit:
            n = std::min<long long>(n, g.MyGold);
            n = std::min<long long>(n, (long long)MostMoney - Balance(g));
            g.WorkNum3 = Long(n);
            line = "銀行員：" + FormatThousands(n) + "カリム入金するんだな？";
            break;
        case Withdrawal:
            n = std::min<long long>(n, (long long)MostMoney - g.MyGold);
            n = std::min<long long>(n, Balance(g));
            g.WorkNum3 = Long(n);
            line = "銀行員：" + FormatThousands(n) + "カリム出金するんだな？";
            break;
        case Purchase:
            n = std::min<long long>(n, MostShares - Shares(g));
            g.WorkNum4 = Long(n);
            g.WorkNum3 = Long(price * n);
            line = "銀行員：株を" + std::to_string(n) + "株買うのか？" + FormatThousands(g.WorkNum3) +
                   "カリムになるがいいか？";
            break;
        default: {
            n = std::min<long long>(n, Shares(g));
            // The proceeds must not carry her money past what it can hold:
            // the sale is cut to the shares that fit.
            while (n > 0 && g.MyGold + (price * n - SaleFee(Long(n))) > MostMoney) --n;
            if (n <= 0) {
                Say("銀行員：手持ちが一杯のようだな。ショップでアイテムでもゲッツしてきたらどうだ？");
                return BankEnd();
            }
            g.WorkNum4 = Long(n);
            g.WorkNum3 = Long(price * n - SaleFee(Long(n)));
            line = "銀行員：持ち株を" + std::to_string(n) + "株払い戻すのか？手数料分を引くと、" +
                   FormatThousands(g.WorkNum3) + "カリムになるぞ";
            break;
        }
    }
    txtNumber.Text = std::to_string(n);
    Say(line);
    StartOffer();
}

void frmItemShop::BankDeal() {
    Game& g = game;
    switch (g.WorkNum) {
        case Deposit:
            Balance(g) += g.WorkNum3;
            g.MyGold -= g.WorkNum3;
            Reopen();  // the withdrawal row shows the new balance
            break;
        case Withdrawal:
            Balance(g) -= g.WorkNum3;
            g.MyGold += g.WorkNum3;
            Reopen();
            break;
        case Purchase: {
            Shares(g) += g.WorkNum4;
            g.MyGold -= g.WorkNum3;
            const std::string gift = GiveGift(g);
            if (!gift.empty()) g.WorkName = gift;
            const std::string line =
                gift.empty() ? std::string(Thanks) : "銀行員：いつも贔屓にしてもらってるから、" + gift + "を貰ってくれ";
            Say(line);
            if (Shares(g) >= MostShares) {
                Reopen();  // the purchase row reads sold out
                Say(line);
            }
            break;
        }
        default: {
            g.WorkNum2 = Shares(g);
            Shares(g) -= g.WorkNum4;
            g.MyGold += g.WorkNum3;
            Say(Thanks);
            if (g.WorkNum2 >= MostShares) {
                Reopen();
                Say(Thanks);
            }
            break;
        }
    }
}

void frmItemShop::BankEnd() {
    Game& g = game;
    g.StoryNo = StoryEndNo;
    g.BuyPending = false;  // the deal is over: nothing holds the window open
    g.OfferPending = false;
    g.NoClick = NoClickNone;
    FocusList();
}

}  // namespace q
