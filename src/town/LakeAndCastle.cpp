// The two places talked on the town board itself: the lake 潤沢湖 (its
// guardian, the goddess's axe game on days ending in 7, the spring) and the
// castle of Amulet (the soldier at the gate and the queen's Noah quest).
#include <array>
#include <vector>

#include "core/GoToPlace.h"
#include "core/Inventory.h"
#include "shop/ListWindows.h"
#include "stage/mod_RGN_UserFunction.h"
#include "town/TalkScript.h"
#include "town/TownSpeech.h"

namespace q {

namespace {

constexpr Long LakeMonster = 357;
constexpr Long Goddess = 146;
constexpr Long Soldier = 5;
constexpr Long KeeperX = 900;
constexpr Long WaterOfDivination = 28;
constexpr Long MostPerKind = 9;
constexpr Long Wedge = 27;        // 封魔のクサビ
constexpr Long PocketWatch = 14;  // 懐中時計

// --- The lake's guardian ---

constexpr const char* GuardianLines[] = {
    "トレント君：なんだぁ～？お前はだぁれだぁ～？",
    "トレント君：この湖は俺の物だぁ～。誰にも渡さないぞぉ～！",
};

void GuardianFights(Game& g) { g.StoryNo = 50; }  // the next click (51) starts the fight
void GuardianLeaves(Game& g) { g.BossOK[6] = true; }

constexpr Beat GuardianBeats[] = {
    {.step = 11, .act = GuardianFights},
    {.step = 101, .line = "トレント君：お前強いなぁ～。負けたよぉ～"},
    {.step = 102, .line = "トレント君：俺はぁ～、他の所に移ることにするよぉ～", .act = GuardianLeaves, .finish = Ends},
};

constexpr Talk GuardianTalk{.lines = GuardianLines, .beats = GuardianBeats, .last = Goes};

// --- The spring ---

constexpr const char* SpringLines[] = {"イザベラ：綺麗な湖ね。水を汲んでいきましょう…", nullptr};

// The water of divination filled up to a full entry.
void DrawWater(Game& g) {
    const bool held = SackCheck(g, WaterOfDivination, 1, false, false);
    const Long pieces = held ? g.MySack[size_t(g.WorkIndex)].HHaveSackNum : 0;
    if ((held && pieces >= MostPerKind) || !SackChange(g, WaterOfDivination, 0, false, MostPerKind - pieces, false)) {
        g.MessageText = "イザベラ：……と思ったけど、袋が一杯ね。また今度にしましょう";
        return;
    }
    RefreshListWindow(g);
    g.MessageText = "イザベラ：ここはいつ来ても心が癒されるわ";
}

constexpr Beat SpringBeats[] = {{.step = 11, .act = DrawWater}};
constexpr Talk SpringTalk{.lines = SpringLines, .beats = SpringBeats};

// --- The goddess and her axes ---

struct Axe {
    Long arm;
    const char* offer;
    const char* gift;
};

constexpr std::array<Axe, 5> Axes{{
    {154, "潤沢の女神：この木の斧ですか？", "潤沢の女神：正直者のあなたには、この木の斧を差し上げましょう"},
    {62, "潤沢の女神：この鉄の斧ですか？", "潤沢の女神：正直者のあなたには、この鉄の斧を差し上げましょう"},
    {219, "潤沢の女神：この銅の斧ですか？", "潤沢の女神：正直者のあなたには、この銅の斧を差し上げましょう"},
    {157, "潤沢の女神：この銀の斧ですか？", "潤沢の女神：正直者のあなたには、この銀の斧を差し上げましょう"},
    {479, "潤沢の女神：この金の斧ですか？", "潤沢の女神：正直者のあなたには、この金の斧を差し上げましょう"},
}};
constexpr Long NoOfferYet = 5;

struct GoddessLines {
    const char* dropped = "イザベラ：あっ！！湖に斧を落としちゃったわ！";
    const char* appears = "潤沢の女神：私は潤沢湖の女神です。あなたは今、斧を落としましたね？";
    const char* asks = "潤沢の女神：あなたが落としたのは、";
    const char* yes = "それです！";
    const char* no = "違います";
    const char* keepsIt = "潤沢の女神：あなたは自分の持ち物に愛着がないのですか？それなら私が戴いておきます。お帰りなさい！";
    const char* silence = "潤沢の女神：………………………………………";
    const char* honest = "潤沢の女神：あなたは正直者ですね。とても好感が持てて良いですよ";
    const char* lie = "潤沢の女神：あなたは今、嘘をつきましたね";
    const char* liar = "潤沢の女神：私は嘘つきは嫌いです！落とした斧は返しません。とっととお帰りなさい！！";
    const char* bagFull = "潤沢の女神：あらあら、鞄が一杯のようですね。残念ですが、諦めなさい";
    const char* farewell = "潤沢の女神：いつまでも、心の清らかさを大切にしてくださいね";
};
constexpr GoddessLines Say{};

bool IsAxe(Long arm) {
    for (const Axe& a : Axes)
        if (a.arm == arm) return true;
    return false;
}

// She leaves for the day, whatever came of her game.
void GoddessGone(Game& g) {
    g.StoryNo = StoryEndNo;
    g.MegamiFlg = 0;
}

// Step 10: an axe of the bag falls into the lake, or without one the spring.
void DropAxe(Game& g) {
    std::vector<Long> PickList;
    for (Long i = 0; i < g.HaveBag; ++i)
        if (IsAxe(g.MyBag[size_t(i)].HHaveBagNo)) PickList.push_back(g.MyBag[size_t(i)].HHaveBagNo);
    if (PickList.empty()) {
        g.VisitorSprite = NoSprite;
        g.MegamiFlg = 1;
        TellStep(g, SpringTalk);
        return;
    }
    g.WorkNum3 = PickList[size_t(g.Chance(Long(PickList.size())))];
    BagCheck(g, g.WorkNum3, 1, true);
    g.MessageText = Say.dropped;
    g.NoClick = NoClickNone;
    RefreshListWindow(g);
    ShowTalkLine(g);
}

void DrawGoddess(Game& g) {
    if (!g.StageForm) return;
    Form& stage = *g.StageForm;
    RGN_Draw(g, g.HeroSprite, stage, g.HeroX, g.SpriteTop);
    RGN_Draw(g, g.PlaceSprite, stage, g.VisitorX, g.SpriteTop);
    RGN_Draw(g, Goddess, stage, KeeperX, g.SpriteTop);
    DrawGauges(g);
    RGN_Apply(g, stage);
}

// Step 13: any axe but the one she offered last.
void OfferAxe(Game& g) {
    Long i = 0;
    do i = g.Chance(Long(Axes.size()));
    while (i == g.WorkIndex);
    g.WorkIndex = i;
    g.WorkNum4 = Axes[size_t(i)].arm;
    g.MessageText = Axes[size_t(i)].offer;
    AskTalkQuestion(g, Say.yes, Say.no);
}

bool OfferedTheDroppedOne(const Game& g) { return g.WorkNum4 == g.WorkNum3; }

void NotThisOne(Game& g) {
    if (OfferedTheDroppedOne(g)) {
        g.MessageText = Say.keepsIt;
        GoddessGone(g);
        return;
    }
    g.MessageText = Say.asks;
    g.StoryNo = 12;
}

void JudgeAnswer(Game& g) {
    if (!OfferedTheDroppedOne(g)) {
        g.MessageText = Say.liar;
        GoddessGone(g);
        return;
    }
    const Axe& gift = Axes[size_t(g.Chance(Long(Axes.size())))];
    g.MessageText = gift.gift;
    g.WorkNum4 = gift.arm;
}

void ReturnAxes(Game& g) {
    // The dropped axe left the bag a moment ago, so it always goes back in.
    const bool returned = BagChange(g, g.WorkNum3, 0, false, 1);
    if (!returned || g.HaveBagNum >= g.NowMaxBag || !BagChange(g, g.WorkNum4, 0, false, 1)) {
        g.MessageText = Say.bagFull;
    } else {
        g.MessageText = Say.farewell;
    }
    RefreshListWindow(g);
    GoddessGone(g);
}

void GoddessStep(Game& g) {
    switch (g.StoryNo) {
        case 10: DropAxe(g); return;
        case 11:
            g.MessageText = Say.appears;
            g.WorkIndex = NoOfferYet;
            DrawGoddess(g);
            break;
        case 12: g.MessageText = Say.asks; break;
        case 13: OfferAxe(g); return;
        case 50: NotThisOne(g); break;
        case 30: g.MessageText = Say.silence; break;
        case 31: g.MessageText = OfferedTheDroppedOne(g) ? Say.honest : Say.lie; break;
        case 32: JudgeAnswer(g); break;
        case 33: ReturnAxes(g); break;
        default: break;
    }
    ShowTalkLine(g);
}

// --- The castle's soldier ---

constexpr const char* SoldierBusy[] = {"兵士：女王様は忙しいんだ。帰った帰った！"};
constexpr const char* SoldierWithWedge[] = {
    "兵士：お前はどうせ知らないだろうが、",
    "兵士：封魔のクサビがいまだに見つからないらしい",
    "兵士：おっと！これはお前ごときに言っても意味がないことだったな",
    "兵士：魔族は深淵窟の奥深くにいるらしい。何かあったら知らせに来るんだぞ",
    "兵士：女王様は今日もお忙しい。さぁ、帰った帰った！",
};
constexpr const char* SoldierMuses[] = {
    "兵士：魔族ジーク討伐の最後の手段は、",
    "兵士：ネクザスの塔のどこかにあると言う封魔のクサビ…",
    "兵士：しかし、それを手に入れたとして、魔族に勝てるのか…？",
    "兵士：…………はっ！！",
    "兵士：お前、ここで何をしている？！",
    "兵士：女王様は忙しいんだ。帰った帰った！",
};

constexpr Talk SoldierTalks[] = {
    {.when = [](const Game& g) { return g.NoaFlg[6] != 20; }, .lines = SoldierBusy},
    {.when = [](const Game& g) { return g.AllKey[Wedge].LKeyList; }, .lines = SoldierWithWedge},
    {.lines = SoldierMuses},
};

// --- The queen ---

constexpr const char* QueenThanks[] = {
    "女王：イザベラさん、あなたのお陰で世界の平和は守られました",
    "女王：城の者も、街の人々も、皆あなたに感謝しておりますわ",
    "女王：本当は城に迎えたいと思っていたのですけれど、あなたには武具屋としての",
    "女王：夢がありましたね。残念です…",
};

constexpr const char* QueenAsks[] = {
    "女王：あら？可愛い商人さんですね",
    "イザベラ：は、はじめまして！ハノダで武具屋を営んでおります、イザベラと申します",
    "女王：ようこそアミュレット城へ。私がこの国の女王です",
    "女王：あなたのお店の評判は、この城にまで届いていますよ",
    "イザベラ：も、もったいないお言葉です",
    "女王：ちょうど良かったわ。腕の立つ商人さんを探していたのです",
    "イザベラ：私に、何かご用でしょうか？",
    "女王：ええ。あなたにしか頼めないお願いがあるの",
    "イザベラ：私にできることでしたら、何なりと",
    "女王：ふふ。お願いと言うのはね、ノアの武具を集めて欲しいのよ",
    "イザベラ：ノアの武具……ですか？",
    "女王：いにしえの勇者ノアが身に着けていたと言う、伝説の武具です",
    "女王：近頃、深淵窟の奥で魔族が力を蓄えていると言う噂があるの",
    "女王：万が一に備えて、ノアの武具を揃えておきたいのです",
    "イザベラ：わかりました。武具屋の名にかけて、集めてみせます！",
    "女王：頼もしいわ。でも、どこにあるのかは誰も知らないのです",
    "女王：6種類もありますから、城下の占い師に占ってもらうといいですよ",
};

constexpr const char* QueenHearsReport[] = {
    "イザベラ：報告いたします！",
    "イザベラ：城下の占い師さんが、モンスターにさらわれていました",
    "イザベラ：なんとか助け出しましたが、魔族ジークの復活が近いそうです",
    "女王：まぁ……。あなたが無事で何よりです",
    "女王：ジークが蘇れば、この国だけでは済まないでしょう",
    "女王：ネクザスの塔には、いにしえの武具が眠っていると言われています",
    "女王：これまでは誰も立ち入らせませんでしたが……",
    "女王：あなたなら、きっと大丈夫でしょう",
    "女王：ネクザスの塔へ上る許可を出しますわ",
    "イザベラ：ありがとうございます！",
    "女王：私は戦士を集めることにしますわ",
};

constexpr const char* QueenReceives[] = {
    "イザベラ：女王様、ノアの武具を集めてまいりました！",
    "女王：まぁ、それは本当ですか？",
    "女王：確かに、6つ全て揃っていますね。見事です",
    "女王：これで、魔族に立ち向かう準備が整いました",
    "女王：さっそく選りすぐりの戦士達に身に着けさせて、深淵窟へ向かわせます",
    "女王：報奨として懐中時計を差し上げましょう",
    "イザベラ：ありがとうございます！大切にします",
    "女王：15日もすれば魔族討伐の結果も出るハズです",
    "女王：その時にまた城にきてください",
};

constexpr const char* QueenWarns[] = {
    "女王：イザベラさん……。大変な事になりました",
    "イザベラ：どうなさったのですか？",
    "女王：ノアの武具を身に着けた戦士達が、深淵窟から戻りませんでした",
    "女王：わずかに逃げ帰った者の話では、魔族ジークが蘇ってしまったと……",
    "イザベラ：そんな……！",
    "女王：ノアの武具をもってしても、ジークには敵わなかったのです",
    "女王：このままでは、いずれ地上にも魔族が溢れ出すでしょう",
    "イザベラ：何か、手立てはないのですか？",
    "女王：ひとつだけ、望みがあります",
    "女王：ネクザスの塔のどこかに封魔のクサビと言うアイテムがあるそうです",
    "女王：それがあれば、ジークの力を封じることができるかもしれません",
    "女王：城の兵士達に探させていますが、まだ見つかっていないの",
    "イザベラ：私も、できることをお手伝いします！",
    "女王：ありがとう、イザベラさん。でも、決して無理はしないでくださいね",
    "女王：あなたはこの国の大切な商人さんなのですから",
    "女王：もし、そちらで何か動きがあったら知らせてください",
};

void QuestGiven(Game& g) {
    g.FortuneFlg = 1;
    g.NoaFlg[6] = 1;
}

void TakeNoahPieces(Game& g) {
    for (size_t piece = 0; piece <= 5; ++piece) g.AllKey[piece].LKeyList = false;
    RefreshListWindow(g);
}

void GivePocketWatch(Game& g) {
    g.AllKey[PocketWatch].LKeyList = true;
    RefreshListWindow(g);
}

void PiecesDelivered(Game& g) { g.NoaFlg[6] = 2; }

void DemonRisen(Game& g) {
    g.NoaFlg[6] = 20;
    g.Warasibe = 12;
}

constexpr Beat QueenAsksBeats[] = {{.step = 26, .act = QuestGiven}};
constexpr Beat QueenReportBeats[] = {{.step = 20, .act = SetWarasibe<10>}};
constexpr Beat QueenReceivesBeats[] = {
    {.step = 11, .act = TakeNoahPieces},
    {.step = 15, .act = GivePocketWatch},
    {.step = 18, .act = PiecesDelivered},
};
constexpr Beat QueenWarnsBeats[] = {{.step = 25, .act = DemonRisen}};

constexpr Talk QueenTalks[] = {
    {.when = [](const Game& g) { return g.BossOK[11]; }, .lines = QueenThanks},
    {.when = [](const Game& g) { return g.NoaFlg[6] == 0; }, .lines = QueenAsks, .beats = QueenAsksBeats},
    {.when = [](const Game& g) { return g.FortuneFlg == 4 && g.Warasibe <= 9; },
     .lines = QueenHearsReport, .beats = QueenReportBeats},
    {.when = [](const Game& g) { return g.NoaFlg[6] == 1; }, .lines = QueenReceives, .beats = QueenReceivesBeats},
    {.when = [](const Game& g) { return g.NoaFlg[6] == 17; }, .lines = QueenWarns, .beats = QueenWarnsBeats},
};

}  // namespace

void LakeSpeech(Game& g) {
    switch (g.VisitorSprite) {
        case LakeMonster: TellStep(g, GuardianTalk); break;
        case Goddess: GoddessStep(g); break;
        case NoSprite: TellStep(g, SpringTalk); break;
        default: ShowTalkLine(g); break;
    }
}

void CastleSpeech(Game& g) {
    if (g.VisitorSprite == Soldier) TellTalk(g, SoldierTalks);
    else TellTalk(g, QueenTalks);
}

}  // namespace q
