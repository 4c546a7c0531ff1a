#include "field/RoadSellers.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "core/Format.h"
#include "core/Game.h"
#include "core/Inventory.h"
#include "core/Message.h"
#include "core/Stats.h"
#include "core/World.h"
#include "field/FieldEvents.h"
#include "field/frmUnderMes3.h"
#include "shop/ListWindows.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

namespace {

// Each figure: its picture facing right and left, its question's two
// choices (the second the default: refusing costs nothing) and its refusal.
struct Seller {
    std::string_view event;
    Long right, left;
    const char* yes;
    const char* no;
    const char* refusal;
};

constexpr std::array<Seller, 5> Sellers{{
    {"SackShop", 15, 16, "買う", "買わない",
     "袋屋オバチャン：オーホッホッホッ！アタクシの袋は庶民には高すぎて買えないザマスかね？オーホッホッホッ！"},
    {"BagShop", 13, 14, "買う", "買わない", "鞄屋：ええぇっ！いらないの？すっごく良い鞄なのにな～。んじゃ、またね～"},
    {"Game", 36, 37, "やる", "やめておく", "ゲーム屋：残念ダな。次ハやろうネ"},
    {"GyokuShop", 80, 81, "買う", "買わない", "玉屋：グフッ、グフッ。買うも買わないも自由なんだな"},
    {"Akuma", 1, 2, "強くなりたい", "やめておく", "悪魔：今回は欲望を抑えたようだな。また会おう！フッフッフ…"},
}};

const Seller* FindSeller(std::string_view event) {
    for (const auto& s : Sellers)
        if (s.event == event) return &s;
    return nullptr;
}

// The stake and the largest number of the game keeper, by road.
struct Stakes {
    std::string_view road;
    Long stakeLo, stakeHi, maxLo, maxHi;
};
constexpr std::array<Stakes, 5> StakeTable{{
    {"HanoMori", 200, 300, 30, 50},
    {"MoriElf", 800, 1000, 80, 100},
    {"ElfAna", 2000, 3000, 130, 180},
    {"HanoSiro", 4500, 6000, 200, 230},
    {"SiroTou", 8000, 10000, 250, 300},
}};

constexpr Long LargestSack = 50;
constexpr Long LargestBag = 150;
constexpr Long BagStep = 10;
constexpr Long CheapJewel = 500000;
constexpr Long DearJewel = 1000000;
constexpr Long FullFame = 9999;
constexpr Long DevilStage = 8;
constexpr Long WisdomBook = 22;
constexpr Long LeafSet = 21;
constexpr Long NoGift = -1;

// A whole number lo..hi.
Long Between(Game& g, Long lo, Long hi) { return Long(g.Chance(hi - lo + 1)) + lo; }

void Appear(Game& g, std::string_view event) {
    const Seller* s = FindSeller(event);
    g.EventName = std::string(event);
    g.VisitorSprite = FacingPicture(g, s->right, s->left);
}

bool OfferSack(Game& g) {
    Appear(g, "SackShop");
    if (g.NowMaxSack >= LargestSack) {
        ShowMessage(g, "袋屋オバチャン：オーホッホッホッ。袋を売ってあげようと思ったのに、最大サイズザマス！壊れでもしなきゃ売れないザマスね");
        g.StoryNo = 999;
        return true;
    }
    g.DealPrice = (g.NowMaxSack + 1) * 5000 - 40000;
    if (g.MyGold < g.DealPrice) return false;
    ShowMessage(g, "袋屋オバチャン：オーホッホッホッ。物欲しそうに見ても駄目ザマス。袋が欲しいなら" +
                       FormatThousands(g.DealPrice) + "カリム払うザマスよ！");
    return true;
}

bool OfferBag(Game& g) {
    Appear(g, "BagShop");
    if (g.NowMaxBag >= LargestBag) {
        ShowMessage(g, "鞄屋：僕の鞄は世界一～♪だ～けど、それ以上大きなものは無いよ～");
        g.StoryNo = 999;
        return true;
    }
    g.DealPrice = (g.NowMaxBag - 10) * 2000;
    if (g.MyGold < g.DealPrice) return false;
    ShowMessage(g, "鞄屋：僕の鞄は世界一～♪" + FormatThousands(g.DealPrice) + "カリムで～、武器が" +
                       std::to_string(g.NowMaxBag + BagStep) + "個入る鞄を売ってあげるよ～♪");
    return true;
}

bool OfferGame(Game& g) {
    if (g.AutoNext) return false;
    const Stakes* row = nullptr;
    for (const auto& s : StakeTable)
        if (s.road == g.FieldName) row = &s;
    if (!row) return false;
    g.GameStake = Between(g, row->stakeLo, row->stakeHi);
    g.GameMax = Between(g, row->maxLo, row->maxHi);
    g.GameTries = Between(g, 4, 6);
    g.GameAnswer = Between(g, 0, g.GameMax);
    g.GameNear = 5;
    g.GameTriesUsed = 0;
    g.EventName = "Game";
    if (g.MyGold < g.GameStake) return false;
    Appear(g, "Game");
    ShowMessage(g, "ゲーム屋：やァ、僕ト数当てゲェムしなイかイ？0～" + std::to_string(g.GameMax) +
                       "マでで、僕が思ってイた数字ヲ" + std::to_string(g.GameTries) + "回以内に当ててクれ。賭金は" +
                       FormatThousands(g.GameStake) + "カリムだヨ");
    return true;
}

bool SackFull(const Game& g) { return g.HaveSack >= g.NowMaxSack; }

bool OfferJewel(Game& g) {
    if (g.AutoNext || SackFull(g)) return false;
    const bool dear = g.Chance(3) == 1;
    g.WorkName = dear ? "かな～り" : "ちょっとだけ";
    const Long price = dear ? DearJewel : CheapJewel;
    if (g.MyGold < price) return false;
    g.DealPrice = price;
    Appear(g, "GyokuShop");
    ShowMessage(g, "玉屋：グフッ、グフッ。おいら玉を売ってるんだな。" + g.WorkName + "レアな玉を" +
                       FormatThousands(g.DealPrice) + "カリムで売るんだな。中身は買うまで教えないんだな");
    return true;
}

bool OfferDevil(Game& g) {
    if (g.AutoNext || SackFull(g) || g.MyFame != FullFame || g.Warasibe < DevilStage) return false;
    Appear(g, "Akuma");
    ShowMessage(g, "悪魔：強く……なりたいか？評判全てと引き換えに強くしてやろう。フッフッフ……");
    return true;
}

void SellSack(Game& g) {
    AddStat(g, -double(g.DealPrice), "Gold");
    g.NowMaxSack = std::min(g.NowMaxSack + 1, LargestSack);
    g.StoryNo = 999;
    ShowMessage(g, "袋屋オバチャン：オーホッホッホッ！また売ってあげるザマスから、カリムを貯めとくザマスよ！");
    RefreshListWindow(g);
}

void SellBag(Game& g) {
    AddStat(g, -double(g.DealPrice), "Gold");
    g.NowMaxBag = std::min(g.NowMaxBag + BagStep, LargestBag);
    g.StoryNo = 999;
    ShowMessage(g, "鞄屋：オッケ～、オッケ～ィ！！んじゃ、これ、大事にしてね～♪");
    RefreshListWindow(g);
}

// The jewel of a monster the story has reached, of the rarity paid for. A
// jewel she cannot carry is not sold, and nothing is paid.
void SellJewel(Game& g) {
    SetRange(g, 3);
    const Long rank = g.DealPrice >= DearJewel ? 2 : 1;
    Long m = 0;
    do {
        m = Between(g, g.RangeMin, g.RangeMax);
    } while (g.AllMonster[size_t(m)].JewelRank != rank);
    g.StoryNo = 999;
    const std::string& name = g.AllGyoku[size_t(m)].Name;
    if (!SackChange(g, m, 0, false, 1, true)) {
        g.DealAccepted = false;
        ShowMessage(g, SackRefusal(g, m, true));
        return;
    }
    AddStat(g, -double(g.DealPrice), "Gold");
    ShowMessage(g, "玉屋：グフッ、グフッ。じゃあ、これをあげるんだな。" + name + "なんだな");
    RefreshListWindow(g);
}

// Lowered maxima take what she has now down with them.
void KeepWithinMaxima(Game& g) {
    g.MyNowHp = std::min(g.MyNowHp, g.MyMaxHp);
    g.MyNowBody = std::min(g.MyNowBody, g.MyMaxBody);
    g.MyNowWater = std::min(g.MyNowWater, g.MyMaxWater);
}

// All her fame for a draw of seven: a punishment, nothing, or a gift. A gift
// drawn that will not go into the sack is refused, and the deal is off:
// nothing is taken. The draws are those of the deal either way.
void DealWithDevil(Game& g) {
    g.StoryNo = 999;
    const long k = g.Chance(7);
    const Long gift = k >= 3 ? (g.Chance(5) != 0 ? WisdomBook : LeafSet) : NoGift;
    if (gift != NoGift && !SackFits(g, gift, 1, false)) {
        g.DealAccepted = false;
        ShowMessage(g, SackRefusal(g, gift, false));
        return;
    }
    g.MyFame = 0;
    AddStat(g, 1, "Dealing");
    if (k == 0) {
        AddStat(g, -5, "Hp");
        for (const char* key : {"At", "Di", "Sp", "Body", "Water"}) AddStat(g, -1, key);
        KeepWithinMaxima(g);
        ShowMessage(g, "悪魔：愚かな人間め。激しく後悔するがいい！！フハーッハッハッハ！");
    } else if (k <= 2) {
        ShowMessage(g, "悪魔：愚かな人間め。後悔するがいい！！");
    } else {
        (void)SackChange(g, gift, 0, false, 1, false);  // SackFits made the room sure
        ShowMessage(g, "悪魔：愚かな人間め。今回は特別だ。" + g.AllItem[size_t(gift)].Name + "をくれてやろう。フッフッフ……");
    }
    RefreshListWindow(g);
}

// The game keeper takes the stake and opens the number bar.
void StartNumberGame(Game& g) {
    frmUnderMes3& bar = g.frmUnderMes3.get();
    bar.Top = RGN_ScreenHeight(g) - bar.Height;
    bar.Left = RGN_WorkLeft(g);
    bar.Width = g.ScreenWidthTwips;
    bar.Show();
    bar.txtNumber.Enabled = true;
    bar.cmdOK.Enabled = true;
    AddStat(g, -double(g.GameStake), "Gold");
    g.EventName = "GameStart";
    bar.LBLMessage.Caption = "ゲーム屋：ンじャ" + std::to_string(g.GameStake) + "カリム、貰っテおくネ。1回目の数字はナニ？最大 = " +
                             std::to_string(g.GameMax);
    g.GameInputOpen = true;
    g.StoryNo = 10;
    RefreshListWindow(g);
    bar.txtNumber.SetFocus();
}

}  // namespace

bool SellerOffer(Game& g, SellerRoll roll) {
    switch (roll) {
        case SellerRoll::SackOrBag: return g.Chance(2) == 1 ? OfferSack(g) : OfferBag(g);
        case SellerRoll::NumberGame: return OfferGame(g);
        case SellerRoll::Jewel: return OfferJewel(g);
        case SellerRoll::Devil: return OfferDevil(g);
    }
    return false;
}

bool SellerQuestion(Game& g) {
    const Seller* s = FindSeller(g.EventName);
    if (!s) return false;
    g.AnswerKey = AnswerNone;
    g.WaitingAnswer = true;
    g.StoryNo = StoryWaitNo;
    ShowMessage(g, s->yes, s->no, "", false);
    return true;
}

bool SellerAnswer(Game& g) {
    const Seller* s = FindSeller(g.EventName);
    const Long key = g.AnswerKey;
    if (!s || key == AnswerNone) return false;
    if (key == AnswerNo || key == AnswerEnter || key == AnswerGo) {
        g.AnswerKey = AnswerNone;
        g.DealAccepted = false;
        g.StoryNo = 999;
        ShowMessage(g, s->refusal);
        return true;
    }
    if (key != AnswerYes) return false;
    g.AnswerKey = AnswerNone;
    g.DealAccepted = true;
    if (s->event == "SackShop") SellSack(g);
    else if (s->event == "BagShop") SellBag(g);
    else if (s->event == "GyokuShop") SellJewel(g);
    else if (s->event == "Akuma") DealWithDevil(g);
    else StartNumberGame(g);
    return true;
}

}  // namespace q
