#include "field/ManSpeech.h"

#include <array>
#include <string>
#include <string_view>

#include "core/Format.h"
#include "core/Game.h"
#include "core/Inventory.h"
#include "core/Message.h"
#include "core/Stats.h"
#include "shop/ListWindows.h"

namespace q {

namespace {

enum Person : Long {
    BeastTamer = 0,
    MaskedMan,
    GothicGirl,
    Killer,
    Magician,
    Perizou,
    Queen,
    Warrior,
    Angler,
    Valkyrie,
};

constexpr std::array<Long, PersonCount> Sprites{19, 51, 78, 125, 135, 158, 160, 164, 172, 174};

// An offer: the opening, the arm's name, the link, the price, the closing.
struct Offer {
    const char* opening;
    const char* link;
    const char* closing;
};

struct DealLines {
    Offer buys;           // the person buys an arm from the heroine
    const char* sold;     // she sold it
    Offer sells;          // the person sells her an arm
    const char* bought;   // she bought it
    const char* refusedBuyer;
    const char* refusedSeller;
};

// The beast tamer growls his offers: no arm, no price.
constexpr std::array<DealLines, PersonCount> Deals{{
    {{"獣使い：ガルルゥゥゥ！ガル…グル…ガルルルル！！", "", ""}, "獣使い：ガルルゥゥゥ", {"獣使い：ガルルゥゥゥ！ガル…ガル…ガルルルル！！", "", ""}, "獣使い：ガルルゥゥゥ", "獣使い：ガオォォォォン！", "獣使い：ガオォォォォン！"},
    {{"マスクの男：よぉ、あんた武具屋だな？", "を", "カリムで売ってくれ！"}, "マスクの男：お！売ってくれるか。ありがとよ、助かったぜ", {"マスクの男：よぉ、あんた武具屋だな？", "を", "カリムで買ってくれ！"}, "マスクの男：お！買ってくれるか。ありがとよ、助かったぜ", "マスクの男：おいおい、マジかよ？！勘弁してくれ…", "マスクの男：おいおい、マジかよ？！勘弁してくれ…"},
    {{"ゴスロリ：あら、あなた", "を持っているのね。", "カリムで売ってくださらない？"}, "ゴスロリ：うふふ。これは私に似合う武具なのよ♪", {"ゴスロリ：あら、あなた。私の", "を", "カリムで買う気はないかしら？"}, "ゴスロリ：私が使ってたんだから、プレミア物よ♪", "ゴスロリ：その武具、あなたには似合わないわよ", "ゴスロリ：よく考えたら、この武具、あなたには似合わないわね"},
    {{"殺し屋：おい、お前！", "を持っているようだな。", "カリムでオレに売れ！"}, "殺し屋：ふっ、これであいつも………", {"殺し屋：おい、お前！", "を", "カリムで買え！"}, "殺し屋：その武具はもう十分に血を吸ったからな…", "殺し屋：てめぇ！死にてぇようだな！！", "殺し屋：てめぇ！死にてぇようだな！！"},
    {{"マジシャン：あのですね。僕にあなたの", "を", "カリムで売ってください"}, "マジシャン：助かりました。ありがとうございます", {"マジシャン：あのですね。僕の", "を", "カリムで買ってください"}, "マジシャン：助かりました。ありがとうございます", "マジシャン：うぅぅ…。やっぱりこんな僕には売りたくないですよね", "マジシャン：うぅぅ…。やっぱりこんな僕が使ってた武具なんて、欲しくないですよね"},
    {{"ペリゾウ：ありゃ？", "を持ってるペリね。", "カリムで売るペリ"}, "ペリゾウ：やったペリ！これ欲しかったペリよ！！", {"ペリゾウ：ありゃ？", "を", "カリムで買うペリ"}, "ペリゾウ：正直言って、邪魔だったペリ", "ペリゾウ：そんな……ひどいペリ", "ペリゾウ：そんな……ひどいペリ"},
    {{"女王様：オーッホッホッホ！その", "を", "カリムで渡しなさい！"}, "女王様：オーッホッホッホ！ご褒美として、踏み踏みしてあげても良くてよ？", {"女王様：オーッホッホッホ！この", "を", "カリムで買いなさい！"}, "女王様：オーッホッホッホ！ご褒美として、踏み踏みしてあげても良くてよ？", "女王様：素直に言うことを聞きなさい！！", "女王様：素直に言うことを聞きなさい！！"},
    {{"戦士：", "を持っているのか！", "カリムで今すぐに売ってくれ！"}, "戦士：よっしゃー！これでコンプリートに近づいたぜ！！", {"戦士：", "を", "カリムで売ってやろうじゃないか"}, "戦士：お前のコンプリートにも一役買えてよかったぜ", "戦士：オレのコンプリートが……", "戦士：まぁ、別にいいんだけどな…"},
    {{"釣り吉：おんやぁ？", "を持っているんだな？", "カリムでワシにくれ"}, "釣り吉：これで新しいサカナが釣れるとええなぁ", {"釣り吉：", "を", "カリムで売ってやるぞい"}, "釣り吉：サカナは売らんぞい", "釣り吉：ワシはサカナ命じゃけんのぉ", "釣り吉：サカナが持てなくなりそうじゃけん。その辺にでも捨てるかの"},
    {{"ヴァルキリー：あら？あなた武具屋ね？", "を", "カリムで売ってくださいな"}, "ヴァルキリー：助かったわ、ありがとう。またヨロシクね", {"ヴァルキリー：", "を", "カリムで買ってくださいな"}, "ヴァルキリー：助かったわ、ありがとう。またヨロシクね", "ヴァルキリー：あらら…。まぁ、そういうこともあるわね", "ヴァルキリー：あらら…。まぁ、しょうがないわね"},
}};

// The areas of the hints, in the order of the table's columns.
constexpr std::array<std::string_view, 8> HintAreas{"HanoMori", "HanoSiro", "MoriElf", "ElfAna",
                                                    "SiroTou",  "Shinen",   "Tou",     "ElfMugen"};

// What persons 1..9 say when they only talk, by area.
constexpr std::array<std::array<const char*, 8>, PersonCount - 1> Hints{{
    {"マスクの男：道具を使う時は歩いてちゃダメだぜ。止まってからゆっくりと使うんだ", "マスクの男：評判は上げていて損はないぜ", "マスクの男：よぉ。ギョクは集めてるか？ちゃんと集めておけば、後でイイことがあるかもしれないぜ", "マスクの男：レベルはちゃんと上げとけよ", "マスクの男：ネクザスの塔にはお宝が眠ってるって話だぜ", "マスクの男：帰還の翼は持ったか？あると帰る時にラクだぞ", "マスクの男：この塔は100階まであるらしいぞ",
     "マスクの男：この先は崖だぜ。足を踏み外すなよ"},
    {"ゴスロリ：戦闘中では、自分のターンじゃないと道具が使えないわよ。覚えといて", "ゴスロリ：強い敵からは逃げるが勝ちってね。倒れちゃうよりは100倍マシよ", "ゴスロリ：ちゃんと回復してる？高いからってケチっちゃダメよ", "ゴスロリ：お店の経営って大変ね。ちゃんと警備会社とかに入っといた方がいいわ", "ゴスロリ：時計が無いと不便よねぇ。腕時計は高級すぎて私たち一般人には買えないものね", "ゴスロリ：株を買ったことある？この前アレで大分儲けたわ", "ゴスロリ：あ！帰還の翼を忘れてきちゃった！！どこかに落ちてないかしら…",
     "ゴスロリ：こんな道の果てまで来るなんて、あなたも物好きね"},
    {"殺し屋：殺られる前に殺れ！", "殺し屋：やられたことは倍返しで返す。これが俺の流儀よ", "殺し屋：ふっ、ただの小娘か。死にたい時は言ってくれ", "殺し屋：俺は殺しはやるが盗みはしねぇ", "殺し屋：最近仕事がねぇなぁ…", "殺し屋：銃の手入れを怠るな！", "殺し屋：俺も武具商人でも始めるかな。クックック",
     "殺し屋：ここなら誰にも見つからねぇな…"},
    {"マジシャン：ここらの物価、高いと思いません？", "マジシャン：ぼ…僕………いえ、何でもないです", "マジシャン：振り向いてもらうためには、どうしたらいいんだろう？", "マジシャン：嫌われたくは…ないですね", "マジシャン：頑張ってください", "マジシャン：いつも忙しそうですね。身体に気をつけてください", "マジシャン：僕も力が欲しいです",
     "マジシャン：こ…こんな所で会えるなんて、偶然ですね"},
    {"ペリゾウ：ボス級のモンスターだって、逃げられるペリよ", "ペリゾウ：鍛冶屋で武具を作ってもらったペリ。オーダーメイドだペリよ", "ペリゾウ：エルフの中には人間を毛嫌いしているのもいるペリよ", "ペリゾウ：深淵窟なんて、名前からして怖いペリ", "ペリゾウ：獣人のことをどう思うペリ？", "ペリゾウ：薄暗い所は怖いペリ", "ペリゾウ：迷ったペリ！早く帰りたいペリ",
     "ペリゾウ：どこまで歩いても終わらないペリ…"},
    {"女王様：みすぼらしい格好ね。あなたには似合ってるわよ", "女王様：今は機嫌が悪いの！話し掛けると鞭で打つわよ！！", "女王様：この格好じゃ、少し肌寒いわね…", "女王様：従順な奴隷を何人集めても楽しくないわ。歯向かうから面白いのよ", "女王様：あら？踏み踏みして欲しくなったの？", "女王様：華麗な鞭捌きでモンスターを蹴散らすのよ", "女王様：高い所が私に似合うのよ",
     "女王様：果てしない道ね。ひれ伏す者がいないのが退屈だわ"},
    {"戦士：俺は武具コレクターなんだ", "戦士：なんかいい武具持ってないか？", "戦士：最近ギョク集めが流行ってるらしいけど、そんなの目じゃないね", "戦士：ここらの武具は500種類あるらしいぞ", "戦士：あんた、武具を何種類集めた？", "戦士：武具集めは己との戦いだ。決して諦めるなよ", "戦士：ココにも武具が！コンプリートも近いな",
     "戦士：この道の果てにも武具が眠ってるかもな"},
    {"釣り吉：ステータス異常は、町に入れば一発で治してもらえるぞい", "釣り吉：サカナはええのぉ。いい釣り場を知らんか？", "釣り吉：喉が渇いたのぉ", "釣り吉：潤沢湖には女神が出る時があるらしいぞ", "釣り吉：うぅ。身体が冷えてきたわい", "釣り吉：釣りは忍耐じゃけん。ワシはどんなことにも耐えられるぞ！", "釣り吉：さすがに、塔の中にはサカナがおらんわい",
     "釣り吉：崖の下ならデカいサカナが釣れそうじゃのぉ"},
    {"ヴァルキリー：ハノダから離れるほど、モンスターが強くなりますよ", "ヴァルキリー：そこ、ぬかるんでるんで気をつけてくださいね", "ヴァルキリー：お腹が減ってると、体力が減っていきますよ", "ヴァルキリー：ステータス異常の時は、無理せず回復してくださいね", "ヴァルキリー：危険だと思ったら、すぐに町に帰ることね", "ヴァルキリー：10階ごとなら、外の魔方陣でワープできるわよ", "ヴァルキリー：頭のいいモンスターは一度やられると出ないのよね…",
     "ヴァルキリー：この先は崖よ。引き返す勇気も大切ですよ"},
}};

constexpr const char* BeastTalk = "獣使い：ガルゥ～";

// The magician's gift, after twenty refusals and at the height of fame.
constexpr std::array<const char*, 5> MagicianGift{
    "マジシャン：あ……あの……",
    "マジシャン：ぼ……僕、一目見た時からあなたのことを……",
    "マジシャン：だから…いつも断わられてると……寂しいです…",
    "マジシャン：……これ、……貰ってください",
    "マジシャン：………それで…嫌いに……ならないでください……",
};

// The queen's offer, after five hundred trades, at the height of fame and
// with the money in hand. There is no choice: she takes it.
constexpr std::array<const char*, 7> QueenOffer{
    "女王様：あーら。あなた、いつも武具を用意してくれるコね",
    "女王様：あなた、いつもご褒美を受け取らないから、",
    "女王様：とびっきりのご褒美を用意してあげたわ",
    "女王様：紅くて綺麗なエデンの火よ",
    "女王様：でもね、タダじゃあげないわ。10,000,000カリムよ",
    "女王様：あーら？嬉しくて言葉も出ないのかしら？",
    "女王様：カリムは貰っていくわね。オーッホッホッホ",
};

constexpr Long FirstStep = 11;
constexpr Long AcceptedStep = 21;
constexpr Long RefusedStep = 41;
constexpr Long FullFame = 9999;
constexpr Long MagicianPatience = 20;
constexpr Long MagicianGave = 30;
constexpr Long QueenTrades = 500;
constexpr Long QueenGave = 600;
constexpr Long QueenPrice = 10000000;
constexpr size_t HealingPerfume = 17;
constexpr size_t FireOfEden = 19;

bool Buying(const Game& g) { return g.ManMode == 1; }

bool MagicianGives(const Game& g) {
    return g.ManKind == Magician && g.SpecialFlg[0] == MagicianPatience && g.MyFame == FullFame;
}

bool QueenOffers(const Game& g) {
    return g.ManKind == Queen && g.SpecialFlg[1] == QueenTrades && g.MyFame == FullFame && g.MyGold >= QueenPrice;
}

// One line of a sequence per click, from step 11; the first blocks auto mode.
template <size_t N>
bool SequenceLine(Game& g, const std::array<const char*, N>& lines) {
    const Long i = g.StoryNo - FirstStep;
    if (i < 0 || i >= Long(N)) return false;
    g.MessageText = lines[size_t(i)];
    if (i == 0) g.AutoBlocked = true;
    return i == Long(N) - 1;
}

void MagicianTalk(Game& g) {
    if (!SequenceLine(g, MagicianGift)) return;
    g.AllKey[HealingPerfume].LKeyList = true;
    g.SpecialFlg[0] = MagicianGave;
    g.AutoBlocked = false;
    g.StoryNo = 999;
}

void QueenTalk(Game& g) {
    if (!SequenceLine(g, QueenOffer)) return;
    g.AllKey[FireOfEden].LKeyList = true;
    g.SpecialFlg[1] = QueenGave;
    AddStat(g, -double(QueenPrice), "Gold");
    g.AutoBlocked = false;
    g.StoryNo = 999;
    RefreshListWindow(g);
}

const char* Hint(const Game& g) {
    if (g.ManKind == BeastTamer) return BeastTalk;
    const auto& row = Hints[size_t(g.ManKind - 1)];
    for (size_t i = 0; i < HintAreas.size(); ++i)
        if (HintAreas[i] == g.FieldName) return row[i];
    return row.back();
}

void Talk(Game& g) {
    if (MagicianGives(g)) return MagicianTalk(g);
    if (QueenOffers(g)) return QueenTalk(g);
    if (g.StoryNo != FirstStep) return;
    g.MessageText = Hint(g);
    g.StoryNo = 999;
}

std::string OfferLine(const Game& g, const DealLines& d) {
    const Offer& o = Buying(g) ? d.buys : d.sells;
    if (g.ManKind == BeastTamer) return o.opening;
    return std::string(o.opening) + g.AllArms[size_t(g.DealArm)].Name + o.link + FormatThousands(g.DealPrice) + o.closing;
}

void Settle(Game& g, const DealLines& d) {
    if (Buying(g)) {
        // The arm may have left the bag since he asked: then nothing is paid.
        if (BagCheck(g, g.DealArm, 1, true)) {
            AddStat(g, g.DealPrice, "Gold");
            AddStat(g, g.FameDelta, "Fame");
            AddStat(g, 1, "Sell");
        }
        g.MessageText = d.sold;
    } else if (!BagChange(g, g.DealArm, 0, false, 1)) {
        // The bag filled up since he asked: nothing changes hands.
        g.DealAccepted = false;
        g.MessageText = BagFullLine;
        g.StoryNo = 999;
        return;
    } else {
        AddStat(g, -double(g.DealPrice), "Gold");
        AddStat(g, g.FameDelta, "Fame");
        AddStat(g, 1, "Buy");
        g.MessageText = d.bought;
    }
    if (g.ManKind == Queen && g.SpecialFlg[1] < QueenTrades) ++g.SpecialFlg[1];
    g.StoryNo = 999;
}

void Refused(Game& g, const DealLines& d) {
    AddStat(g, -double(g.FameDelta), "Fame");
    AddStat(g, 1, "Decline");
    if (g.ManKind == Magician && g.SpecialFlg[0] < MagicianPatience) ++g.SpecialFlg[0];
    g.MessageText = Buying(g) ? d.refusedBuyer : d.refusedSeller;
    g.StoryNo = 999;
}

void Trade(Game& g) {
    const DealLines& d = Deals[size_t(g.ManKind)];
    switch (g.StoryNo) {
        case FirstStep:
            g.MessageText = OfferLine(g, d);
            g.StoryNo = 1;
            break;
        case AcceptedStep: Settle(g, d); break;
        case RefusedStep: Refused(g, d); break;
        default: break;
    }
}

}  // namespace

Long PersonSprite(Long kind) { return kind >= 0 && kind < PersonCount ? Sprites[size_t(kind)] : NoSprite; }

void ManSpeechText(Game& g) {
    if (g.ManKind < 0 || g.ManKind >= PersonCount) return;
    if (g.ManMode == 0) Talk(g);
    else Trade(g);
    ShowMessage(g, g.MessageText);
}

}  // namespace q
