// What the keepers of the facilities tell once their window is open: the
// smith, the carpenter, the fortune teller, the bank clerk's debt, the
// Elwind item shop's gift and the estate agent's tips. Their talk starts at
// step 11 (the window leaves it at 10).
#include <cmath>
#include <cstdlib>

#include "core/Inventory.h"
#include "core/Stats.h"
#include "shop/ListWindows.h"
#include "town/FacilityWindow.h"
#include "town/TalkScript.h"
#include "town/TownSpeech.h"

namespace q {

namespace {

constexpr Long WoodItem = 26;
constexpr Long CrystalBall = 21;
constexpr Long FirstRecipePaper = 22;  // papers 22..26 open recipes 9..13
constexpr Long FirstPaperRecipe = 9;
constexpr Long RecipePapers = 5;
constexpr Long ThanksGift = 6;         // 特製カルビ串

// --- The smith ---

constexpr const char* SmithIntro[] = {
    "イザベラ：えぇ、ここに鍛冶屋があるって聞いて、来てみたのだけど…",
    "鍛冶屋：悪いが今は準備中でね。木材を持ってきてくれれば、すぐにでも営業できるんだがね",
    "イザベラ：木材ね。どこで手に入るのかしら？",
    "鍛冶屋：この先の森を歩いてりゃ、そのうち拾えるだろうよ",
    "鍛冶屋：じゃあ、頼んだぜ",
};

constexpr const char* SmithOre[] = {
    "鍛冶屋：と、言いたい所なんだが、あんた鍛冶に必要な鉱物と元になる武具は持ってるか？",
    "イザベラ：鉱物？そんな物、持っていないわ",
    "鍛冶屋：鍛冶には鉱石が要るんだ。それと、打ち直す元になる武具もな",
    "イザベラ：鉱石はどこで手に入るの？",
    "鍛冶屋：エルウインドの先にある深淵窟って洞窟で採れるらしい",
    "鍛冶屋：奥に潜るほど、いい鉱石が転がってるって話だ",
    "イザベラ：深淵窟ね……。危なそうだけど、行ってみるわ",
    "鍛冶屋：元になる武具は、あんたの店の品で足りるだろうよ",
    "イザベラ：わかったわ。鉱石が手に入ったら、また来るわね",
    "鍛冶屋：おぅ、そうしてくれ。鉱物を持ってきたら、望む物を作るからよ",
};

constexpr const char* SmithShoes[] = {
    "鍛冶屋：ノア装備を集めてるって？",
    "鍛冶屋：丁度いい！俺はこの前客からノアの靴を貰ったんだ",
    "鍛冶屋：あんたにゃ世話になったし、100,000カリムで売ってやるよ",
    "鍛冶屋：金が溜まったら声をかけてくれ！",
};

constexpr const char* SmithNoMoreRecipes[] = {"鍛冶屋：人手が足りないから、これ以上武具の種類は増やせないな"};
constexpr const char* SmithTakesPapers[] = {"鍛冶屋：お、武具レシピを持ってきたようだな。これで新しい武具が作れるようになるぜ"};
constexpr const char* SmithWantsPapers[] = {"鍛冶屋：武具レシピを持ってくれば、新しい武具を作ってやるぜ！"};

bool SmithShut(const Game& g) { return g.KajiyaFlg == KajiyaClosed; }
bool SmithOpen(const Game& g) { return g.KajiyaFlg >= KajiyaOpen && g.KajiyaFlg <= KajiyaShoesSold; }

bool AllRecipesOffered(const Game& g) {
    for (Long r = 0; r < RecipePapers; ++r)
        if (!g.SmithSell[size_t(FirstPaperRecipe + r)].SLSmithRecipe) return false;
    return true;
}

bool OwnsRecipePaper(const Game& g) {
    for (Long p = 0; p < RecipePapers; ++p)
        if (g.AllKey[size_t(FirstRecipePaper + p)].LKeyList) return true;
    return false;
}

void TakeRecipePapers(Game& g) {
    for (Long p = 0; p < RecipePapers; ++p) {
        KeyItemRecord& paper = g.AllKey[size_t(FirstRecipePaper + p)];
        if (!paper.LKeyList) continue;
        paper.LKeyList = false;
        g.SmithSell[size_t(FirstPaperRecipe + p)].SLSmithRecipe = true;
    }
    RefreshListWindow(g);
}

void SmithOpens(Game& g) {
    if (g.Warasibe == 4) g.Warasibe = 5;
    g.KajiyaFlg = KajiyaOpen;
}

void SmithOffersShoes(Game& g) { g.KajiyaFlg = KajiyaNoahShoes; }

constexpr Beat SmithIntroBeats[] = {{.step = 15, .act = SetWarasibe<3>}};
constexpr Beat SmithOreBeats[] = {{.step = 20, .act = SmithOpens}};
constexpr Beat SmithShoesBeats[] = {{.step = 14, .act = SmithOffersShoes}};
constexpr Beat SmithPaperBeats[] = {{.step = 11, .act = TakeRecipePapers}};

constexpr unsigned SmithDone = KeeperEnds | EnablesButton;

constexpr Talk SmithTalks[] = {
    {.when = [](const Game& g) { return SmithShut(g) && g.Warasibe <= 2; },
     .first = 11, .lines = SmithIntro, .beats = SmithIntroBeats, .last = KeeperEnds},
    {.when = SmithShut, .first = 11, .lines = SmithOre, .beats = SmithOreBeats, .last = KeeperEnds},
    {.when = [](const Game& g) { return g.KajiyaFlg == KajiyaOpen && g.NoaFlg[6] == 1 && g.NoaFlg[1] == 0; },
     .first = 11, .lines = SmithShoes, .beats = SmithShoesBeats, .last = FreesClicks | Reopens},
    {.when = [](const Game& g) { return SmithOpen(g) && AllRecipesOffered(g); },
     .first = 11, .lines = SmithNoMoreRecipes, .last = SmithDone},
    {.when = [](const Game& g) { return SmithOpen(g) && OwnsRecipePaper(g); },
     .first = 11, .lines = SmithTakesPapers, .beats = SmithPaperBeats, .last = SmithDone | Reopens},
    {.when = SmithOpen, .first = 11, .lines = SmithWantsPapers, .last = SmithDone},
};

// --- The carpenter ---

constexpr const char* CarpenterIntro[] = {
    "大工：お、初めて見る顔だな",
    "イザベラ：はじめまして。ハノダで武具屋をやっているイザベラです",
    "大工：ほぅ、あんたが噂の武具屋か。俺はグェン。この街で大工をやってる",
    "大工グェン：家を建てたり、店を広げたりするのが俺の仕事だ",
    "大工グェン：ただ、最近は木材が足りなくてな。なかなか仕事が回らねぇんだ",
    "大工グェン：あんた、街の外にも出るんだろ？腕に覚えのある奴に頼んでるんだがよ",
    "大工グェン：外で木材を拾ったら、代金と一緒に持ってきてくれねぇか",
    "大工グェン：持ってきてくれた木材の分だけ、安く建ててやるからよ",
    "イザベラ：それは助かります。木材を見つけたら持ってきますね",
    "大工グェン：木材は森を歩いてりゃ、たまに落ちてるはずだ",
    "大工グェン：あぁ、頼むよ。持ってきた木材はいつでもここで預かるから俺に渡してくれ",
};

constexpr const char* CarpenterThanks = "大工グェン：お、木材か！助かるぜ。ありがとよ！";
constexpr const char* CarpenterNoWood = "大工グェン：木材は無いようだな";

void CarpenterKnown(Game& g) { g.CarpenFlg = 1; }

// Every piece of wood in the sack goes to his stock.
void HandOverWood(Game& g) {
    if (!SackCheck(g, WoodItem, 1, false, false)) {
        g.MessageText = CarpenterNoWood;
        return;
    }
    const Long entry = g.WorkIndex;
    const Long pieces = g.MySack[size_t(entry)].HHaveSackNum;
    if (!SackChange(g, WoodItem, entry, true, pieces, false)) {
        g.MessageText = CarpenterNoWood;
        return;
    }
    AddStat(g, pieces, "Wood", false);
    g.MessageText = CarpenterThanks;
    g.ReloadList = true;
    ShowFacilityNumber(g, std::to_string(g.WoodNum));
    RefreshListWindow(g);
}

void StandingLine(Game& g) { g.MessageText = g.LastMessage; }

constexpr const char* CarpenterWood[] = {nullptr, nullptr};
constexpr Beat CarpenterIntroBeats[] = {{.step = 21, .act = CarpenterKnown}};
constexpr Beat CarpenterWoodBeats[] = {{.step = 11, .act = HandOverWood}, {.step = 12, .act = StandingLine}};

constexpr Talk CarpenterTalks[] = {
    {.when = [](const Game& g) { return g.CarpenFlg == 0; },
     .first = 11, .lines = CarpenterIntro, .beats = CarpenterIntroBeats, .last = HandsOver},
    {.first = 11, .lines = CarpenterWood, .beats = CarpenterWoodBeats, .last = KeeperEnds | EnablesButton},
};

// --- The fortune teller ---

constexpr const char* FortuneRescued[] = {
    "占いババ：おぉ！あんたはこの前の……",
    "イザベラ：お元気そうで良かったです。もう大丈夫なんですか？",
    "占いババ：おかげさまでな。あの時は本当に助かったわい",
    "占いババ：ジークの文献も調べてみたが、やはり復活は近いようじゃ",
    "占いババ：お礼に、何か占ってやりたいところなんじゃが……",
    "イザベラ：本当ですか？それなら、探し物を占ってもらえると助かります",
    "占いババ：でも、ダメなんじゃ。こないだの場所で水晶球を落としたようなんじゃ",
    "イザベラ：水晶球って、深淵窟に落としてきたんですか？",
    "占いババ：そうじゃ。あそこに連れて行かれた時にのぉ",
    "占いババ：水晶球がなければ、何も占えんのじゃ",
    "イザベラ：わかりました。深淵窟に行った時に探してみます",
    "占いババ：いろいろすまんのぉ",
};

constexpr const char* FortuneBall[] = {
    "占いババ：うむぅ？この波動は！！",
    "イザベラ：やはり、これでしたか！割れずに残っていて良かったですね",
    "占いババ：おぉ、ありがとよ。これで占いができるぞ",
    "占いババ：占いをするには、潤沢湖の水が必要じゃ。しかも本人が汲んできた方が当たりやすい",
    "占いババ：幸いおぬしは腕っ節もあるようじゃから、自分で汲んで持ってくるが良いぞ",
    "占いババ：潤沢湖の場所？エルフにでも聞くがええ",
    "占いババ：おぬしの評判がよければ、教えてくれるじゃろうて",
};

bool HasCrystalBall(const Game& g) { return g.AllKey[CrystalBall].LKeyList; }
bool LakeKnown(const Game& g) { return g.MizuumiFlg >= 1; }

void FortuneWantsBall(Game& g) { g.FortuneFlg = 5; }
void FortuneOpens(Game& g) { g.FortuneFlg = FortuneFinished; }
void HandOverBall(Game& g) {
    g.AllKey[CrystalBall].LKeyList = false;
    RefreshListWindow(g);
}

constexpr Beat FortuneRescuedBeats[] = {{.step = 22, .act = FortuneWantsBall}};
constexpr Beat FortuneBallBeats[] = {
    {.step = 11,
     .when = [](const Game& g) { return !HasCrystalBall(g); },
     .line = "占いババ：水晶球を見つけたら、占ってやれるのにのぉ…",
     .finish = KeeperEnds},
    {.step = 12, .act = HandOverBall},
    {.step = 15, .when = LakeKnown, .act = FortuneOpens, .finish = KeeperEnds | EnablesButton},
    {.step = 17, .act = FortuneOpens},
};
// Once she tells fortunes, her window ends the talk itself.
constexpr Beat FortuneSilentBeats[] = {{.step = AnyStep, .finish = Quiet}};

constexpr Talk FortuneTalks[] = {
    {.when = [](const Game& g) { return g.FortuneFlg == 4; },
     .first = 11, .lines = FortuneRescued, .beats = FortuneRescuedBeats, .last = HandsOver | FreesClicks},
    {.when = [](const Game& g) { return g.FortuneFlg == 5; },
     .first = 11, .lines = FortuneBall, .beats = FortuneBallBeats, .last = KeeperEnds},
    {.when = [](const Game& g) { return g.FortuneFlg == FortuneFinished; }, .beats = FortuneSilentBeats},
};

// --- The bank clerk and the heroine's debt ---

constexpr const char* BankDebt[] = {
    "銀行員：今回はこの僕がポケットマネェを使って払っておいたよ",
    "銀行員：ガール！次からはちゃんと頼むよ",
    "銀行員：とりあえず、手持ちのカリムから借金分は、いただいとくぜ",
    "銀行員：って、カリムが無い？ガールも苦労してるんだな。しょうがないな…僕の踊りでも見て、元気出せ",
};

// Her money pays what it can of the debt.
void SettleDebt(Game& g) {
    if (g.MyGold < 1) return;
    Long& balance = g.ShopHaveHouse[HouseBank].HLHouseNum;
    if (g.MyGold < std::labs(balance)) {
        balance += g.MyGold;
        g.MyGold = 0;
        RefreshListWindow(g);
        FinishTalk(g, KeeperEnds | Reopens);
        return;
    }
    g.MyGold += balance;
    balance = 0;
    g.StoryNo = 50;
    RefreshListWindow(g);
}

constexpr Beat BankDebtBeats[] = {
    {.step = 13, .act = SettleDebt},
    {.step = 51,
     .line = "銀行員：頑張ったな。コレで借金はチャラだぜ。僕と一緒に踊るかい？",
     .finish = KeeperEnds | Reopens},
};

constexpr Talk BankTalks[] = {{.first = 11, .lines = BankDebt, .beats = BankDebtBeats, .last = KeeperEnds}};

// --- The Elwind item shop's thanks gift ---

constexpr const char* ItemGift[] = {
    "道具屋：只今、感謝記念品贈呈中です",
    "道具屋：いつもお世話になっている、感謝の気持ちをこめて",
    nullptr,
    "道具屋：これからも、どうぞよろしくお願いします",
};

void NameTheGift(Game& g) { g.MessageText = "道具屋：" + g.AllKey[ThanksGift].Name + "を差し上げます"; }

void GiveTheGift(Game& g) {
    g.ClearFlg = 1;
    g.AllKey[ThanksGift].LKeyList = true;
    RefreshListWindow(g);
}

constexpr Beat ItemGiftBeats[] = {{.step = 13, .act = NameTheGift}, {.step = 14, .act = GiveTheGift}};

constexpr Talk ItemTalks[] = {{.first = 11, .lines = ItemGift, .beats = ItemGiftBeats, .last = KeeperCloses}};

// --- The estate agent ---

constexpr const char* AgentGiftTip[] = {
    "不動産屋：エルウインドにいる道具屋が、感謝記念品を配ってたぞ",
    "不動産屋：評判が低い奴には配ってないみたいだから、",
    "不動産屋：評判をあげて行ってみたらどうだ？",
};
constexpr const char* AgentLowFame[] = {
    "不動産屋：あんたの店は評判が悪いみたいだな",
    "不動産屋：評判を上げてから、もう一度来てくれ",
    "不動産屋：いい仕入れ場所を教えてやるぞ",
};
constexpr const char* AgentCastleTip[] = {
    "不動産屋：あんたの噂をよく聞くようになってきたぞ",
    "不動産屋：そろそろ城の方にでも行ってみたらどうだ？",
    "不動産屋：町から西にずーっと行くとアミュレット城がある",
    "不動産屋：あそこには、ここらでは手に入らない珍しい武具もあると思うぞ",
};

constexpr Beat AgentCastleBeats[] = {{.step = 14, .act = SetWarasibe<7>}};

constexpr Talk HouseTalks[] = {
    {.when = [](const Game& g) { return g.ClearFlg == 0; }, .first = 11, .lines = AgentGiftTip, .last = KeeperCloses},
    {.when = [](const Game& g) { return g.MyFame < 2000; }, .first = 11, .lines = AgentLowFame, .last = KeeperCloses},
    {.first = 11, .lines = AgentCastleTip, .beats = AgentCastleBeats, .last = KeeperCloses},
};

}  // namespace

void SmithSpeech(Game& g) { TellTalk(g, SmithTalks); }
void CarpenterSpeech(Game& g) { TellTalk(g, CarpenterTalks); }
void FortuneSpeech(Game& g) { TellTalk(g, FortuneTalks); }
void BankSpeech(Game& g) { TellTalk(g, BankTalks); }
void ItemSpeech(Game& g) { TellTalk(g, ItemTalks); }
void HouseSpeech(Game& g) { TellTalk(g, HouseTalks); }

}  // namespace q
