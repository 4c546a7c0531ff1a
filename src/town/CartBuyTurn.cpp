// The cart office: for the road network's fare the heroine rides to another
// town or dungeon entrance. The window closes, the cart crosses the board
// from right to left, the journey's time passes and she stands in the place
// she rode to.
#include <algorithm>
#include <array>
#include <string_view>

#include "core/Clock.h"
#include "core/Format.h"
#include "core/GoToPlace.h"
#include "core/Message.h"
#include "core/Walk.h"
#include "core/World.h"
#include "shop/ListWindows.h"
#include "stage/mod_RGN_UserFunction.h"
#include "town/frmItemShop.h"

namespace q {

namespace {

constexpr Long Cart = 44;
constexpr Long KeeperX = 900;
constexpr Long CartGoneX = -1200;

struct Destination {
    const char* text;
    std::string_view key;
    Long warasibe;     // the story stage from which it is listed
    bool notFromHere;  // never listed in the town itself
};

constexpr std::array<Destination, 6> Destinations{{
    {"ハノダ", "Hanoda", 0, true},
    {"レインウッド", "Rein", 0, false},
    {"エルウインド", "Elwind", 4, true},
    {"深淵窟", "Shinen", 6, false},
    {"アミュレット城", "Amulet", 8, true},
    {"ネクザスの塔", "Tou", 11, false},
}};

std::string KeyOf(std::string_view text) {
    for (const auto& d : Destinations)
        if (d.text == text) return std::string(d.key);
    return "";
}

// "半日" is half a day; otherwise the day digit, and "半" at the end for half
// a day more.
Long TimeOfText(const std::string& text) {
    if (text == "半日") return 50;
    if (text.empty() || text[0] < '0' || text[0] > '9') return 0;
    const std::string_view half = "半";
    const bool andHalf = text.size() >= half.size() && text.compare(text.size() - half.size(), half.size(), half) == 0;
    return 100 * (text[0] - '0') + (andHalf ? 50 : 0);
}

// Lets the pending events run; false when the program ended meanwhile.
bool Pump(Game& g, int sleepMs) {
    g.host.DoEvents();
    if (g.Ended()) return false;
    g.host.Sleep(sleepMs);
    return !g.Ended();
}

}  // namespace

bool frmItemShop::LoadCart() {
    Game& g = game;
    Titles("+++ 馬車屋 +++");
    HideNumber();
    cmdBuy.Caption = "乗る";
    cmdBuy.ToolTipText = Quoted("選択した場所まで馬車で行きます");
    Columns({{"行き先", 1300}, {"価格", 800}, {"時間", 700}});
    ShowStandingLine();
    if (g.Warasibe <= 1) {
        cmdBuy.Enabled = false;
        return false;
    }
    const std::string here = g.FieldName;
    for (const auto& d : Destinations) {
        if (g.Warasibe < d.warasibe || (d.notFromHere && here == d.key)) continue;
        CartFare(g, here, d.key, true);
        ListItem& row = lstList.AddItem(d.text);
        row.SetSubItem(1, FormatThousands(g.AssistFee));
        row.SetSubItem(2, g.TravelTimeText);
    }
    return true;
}

void frmItemShop::CartBuyTurn() {
    Game& g = game;
    if (!g.OfferPending) {
        g.NoClick = NoClickRight;
        const int row = SelectedRow();
        if (row == 0) return EndTurn();
        const ListItem& item = lstList.Item(row);
        g.ListIndex = row - 1;
        g.WorkName = item.Text;
        g.WorkNum = row;
        g.WorkName2 = KeyOf(item.Text);
        g.TravelTime = TimeOfText(item.SubItem(2));
        g.WorkNum3 = ColumnNumber(row, 1);
        Say("馬車屋：" + g.WorkName + "まで行くんだべか？" + FormatThousands(g.WorkNum3) + "カリムで、ががーっと連れて行くだべよ");
        g.StoryName = "BuyItem";
        g.StoryNo = 0;
        EnableDeal(false, false);
        g.OfferPending = true;
        return;
    }
    if (g.StoryNo == 1) {
        if (g.MyGold < g.WorkNum3) return MoneyShort(false);
        AskChoices("行く", "やめる");
        return;
    }
    if (AnswerRefuses()) return Refuse(false);
    if (g.AnswerKey != AnswerYes) return EndTurn();
    ShowMessage(g, "");
    g.StoryName.clear();
    g.AnswerKey = AnswerNone;
    g.MyGold -= g.WorkNum3;
    RefreshListWindow(g);
    g.FieldName = g.WorkName2;
    EnableDeal(true, false);
    g.OfferPending = false;
    Unload();
    RideCart();
}

void frmItemShop::RideCart() {
    Game& g = game;
    g.StoryNo = StoryWaitNo;  // no click advances anything during the ride
    g.VisitorX = KeeperX;
    // At least a pixel a step, so that the cart leaves on any screen.
    g.StepWidth = RGN_PixelToTwipX(g, std::max(1.0, double(g.ScreenWidthPx - 160) / 300.0));
    for (g.CartStep = 0; g.CartStep <= 150; g.CartStep += 3) {
        WalkStep(g, true, WalkVisitor);
        if (!Pump(g, 1)) return;
    }
    if (!Pump(g, 1000)) return;
    g.VisitorSprite = Cart;
    while (g.VisitorX > CartGoneX) {
        WalkStep(g, true, WalkCarriage);
        if (!Pump(g, 1)) return;
    }
    if (!Pump(g, 500)) return;
    g.EventBusy = false;
    g.StoryName.clear();
    g.StoryNo = 0;
    g.VisitorX = KeeperX + RGN_PixelToTwipX(g, 32);
    g.VisitorSprite = Cart;
    if (g.StageForm) {
        Form& stage = *g.StageForm;
        RGN_Draw(g, g.HeroSprite, stage, g.HeroX, g.SpriteTop);
        RGN_Draw(g, Cart, stage, KeeperX, g.SpriteTop);
        DrawGauges(g);
        RGN_Apply(g, stage);
    }
    Say("馬車屋：" + g.WorkName + "に着いだべよ！");
    PassTime(g, g.TravelTime);
    RefreshListWindow(g);
    g.StoryNo = StoryEndNo;
    g.NoClick = NoClickNone;
}

}  // namespace q
