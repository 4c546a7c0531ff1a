// The opening of a new game: the heroine and the landlord walk in, he shows
// her the house, she names her shop.
#include <array>

#include "core/GoToPlace.h"
#include "core/Message.h"
#include "core/Walk.h"
#include "shop/frmShop.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

namespace {

constexpr Long HouseX = 900;
constexpr Long WalkInUntil = 600;  // the landlord stops here
constexpr Long LandlordStanding = 86;
constexpr Long LandlordNewShop = 87;
constexpr int WalkPause = 100;
constexpr Long LuckyPendant = 28;

// The talk, step by step. Where the house was bought already (the carpenter's
// first work), a line has a second form.
struct OpeningLine {
    Long step;
    const char* line;
    const char* boughtLine;  // null: the same line either way
};

constexpr std::array<OpeningLine, 17> Talk{{
    {11, "イザベラ：ちょっとボロいけど、まぁまぁね", "イザベラ：なかなかいい家ね"},
    {12, "大家：ホントに店を開くのかね？", nullptr},
    {13, "イザベラ：えぇ。自立したいの", nullptr},
    {14, "大家：あんたみたいな美人な娘なら、強い男見つけりゃ危ない仕事をしなくてもいいだろうに……", nullptr},
    {15, "イザベラ：親に似て腕っ節だけはあるから大丈夫。それに武具屋をするのは夢だから", nullptr},
    {16, "大家：まぁ止めはしないがね。家賃は一ヶ月5,000カリム。月末の支払いだ",
     "大家：まぁ止めはしないがね。家は購入してもらったから、家賃はないぞ"},
    {17, "大家：銀行口座から自動的に引き落とされるから、用意しといてくれ", nullptr},
    {18, "イザベラ：えぇ。わかったわ", nullptr},
    {19, "大家：とりあえず、店に名前でもつけたらどうだ？", nullptr},
    {20, "イザベラ：そうね。う～ん……", nullptr},
    {21, "イザベラ：『夢追い堂』なんて、どうかしら？", nullptr},
    {22, "イザベラ：夢を追い続ける、全ての人たちのために", nullptr},
    {23, "大家：ほぉ、あんたらしい変わった名前だ。頑張って、でかい店にしてくれ。町への届け出はワシが後で出しておくよ",
     "大家：ほぉ、あんたらしい変わった名前だ。頑張って良い店にしてくれ。町への届け出はワシが後で出しておくよ"},
    {24, "イザベラ：えぇ、ありがとう。お客が絶えないような良い店にして見せるわ！", nullptr},
    {25, "大家：たまにはオレの所にも顔を出してくれよ", nullptr},
    {26, "商家の一人娘である[イザベラ]は、親の力を借りず自活することを夢見ていた", nullptr},
    {27, "そこで、二十歳になったのをキッカケに親の元を離れ、遠いハノダで店を興すことにしたのだった", nullptr},
}};

constexpr Long LastTalkStep = 27;
constexpr Long RentStepsEnd = 18;  // a bought house skips the rent: 16 goes on to 19

}  // namespace

void frmShop::OpeningGo() {
    Game& g = game;
    g.NoClick = NoClickAll;
    const bool bought = g.CarpenSell[0].SLCarpenOk;
    if (g.StoryNo == 0) {
        OpeningWalk();
        if (g.TimersSuspended || !loaded()) return;
    } else if (g.StoryNo > LastTalkStep) {
        OpeningEnd();
    } else {
        for (const auto& t : Talk) {
            if (t.step != g.StoryNo) continue;
            ShowMessage(g, bought && t.boughtLine ? t.boughtLine : t.line);
            if (bought && t.step == 16) g.StoryNo = RentStepsEnd;
        }
    }
    g.NoClick = NoClickNone;
}

void frmShop::OpeningWalk() {
    Game& g = game;
    while (g.VisitorX < WalkInUntil) {
        if (g.TimersSuspended || !loaded()) return;
        WalkStep(g, false, WalkHeroine);
        g.host.Sleep(WalkPause);
        if (g.TimersSuspended || !loaded()) return;
        WalkStep(g, false, WalkCustomers);
        g.host.Sleep(WalkPause);
    }
    g.VisitorSprite = g.CarpenSell[0].SLCarpenOk ? LandlordNewShop : LandlordStanding;
    RGN_Draw(g, g.PlaceSprite, *this, HouseX, g.SpriteTop);
    RGN_Draw(g, g.HeroSprite, *this, g.HeroX, g.SpriteTop);
    RGN_Draw(g, g.VisitorSprite, *this, g.VisitorX, g.SpriteTop);
    RGN_Apply(g, *this);
    ShowMessage(g, "大家：今空いてるのはこの家だけだ");
    g.StoryNo = 10;
}

void frmShop::OpeningEnd() {
    Game& g = game;
    g.ShopOpen = false;
    g.StoryName.clear();
    g.EventBusy = false;
    g.NewGame = false;
    g.HeroSprite = HeroFront(g);
    g.PlaceSprite = 395;
    g.HeroX = RGN_PixelToTwipX(g, 80);
    RGN_Draw(g, g.PlaceSprite, *this, HouseX, g.SpriteTop);
    RGN_Draw(g, g.HeroSprite, *this, g.HeroX, g.SpriteTop);
    DrawGauges(g);
    RGN_Apply(g, *this);
    ShowMessage(g, g.LastMessage);
    g.AllKey[LuckyPendant].LKeyList = true;
}

}  // namespace q
