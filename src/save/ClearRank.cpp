#include "save/ClearRank.h"

#include <array>
#include <limits>
#include <span>
#include <string_view>
#include <string>
#include <vector>

#include "core/Game.h"
#include "core/World.h"

namespace q {

namespace {

// How a measure is held against a mark.
enum class Cmp { AtLeast, AtMost, Exactly, Above };

struct Mark {
    Cmp cmp;
    long long value;
    Long points;
};

// One criterion: the measure and its marks, the first that holds gives the
// points; a measure that meets none gets one point.
struct Criterion {
    long long (*measure)(const Game&);
    std::vector<Mark> marks;
};

constexpr Long PointsForNone = 1;

long long Balance(const Game& g) { return g.ShopHaveHouse[HouseBank].HLHouseNum; }
// Money at hand and in the bank; wider than a Long, since each may be near a billion.
long long Money(const Game& g) { return static_cast<long long>(g.MyGold) + Balance(g); }

const std::array<Criterion, 11>& Criteria() {
    using enum Cmp;
    static const std::array<Criterion, 11> table{{
        {Money, {{AtLeast, 10'000'000, 10}, {AtLeast, 5'000'000, 7}, {AtLeast, 1'000'000, 4}, {AtLeast, 500'000, 2}}},
        {[](const Game& g) -> long long { return g.MyFame; },
         {{AtLeast, 9000, 10}, {AtLeast, 8000, 7}, {AtLeast, 5000, 4}, {AtLeast, 3000, 2}}},
        {[](const Game& g) -> long long { return g.MyLevel; }, {{AtLeast, 90, 10}, {AtLeast, 75, 7}, {AtLeast, 60, 4}}},
        {[](const Game& g) -> long long { return g.DieCount; },
         {{AtMost, 5, 10}, {AtMost, 7, 7}, {AtMost, 9, 4}, {AtMost, 11, 2}}},
        {[](const Game& g) -> long long { return g.HaveArmsNum; }, {{Exactly, 500, 10}, {AtLeast, 350, 7}, {AtLeast, 250, 4}}},
        {[](const Game& g) -> long long { return g.HaveGyokuNum; },
         {{Exactly, 100, 15}, {AtLeast, 80, 10}, {AtLeast, 50, 5}, {AtLeast, 30, 3}}},
        {[](const Game& g) -> long long { return g.DealingCount; },
         {{Exactly, 0, 10}, {AtMost, 2, 7}, {AtMost, 5, 4}, {AtMost, 8, 2}}},
        {[](const Game& g) -> long long { return g.NowMaxShop; }, {{Exactly, 500, 5}, {AtLeast, 250, 3}}},
        {[](const Game& g) -> long long { return g.NowMaxStock; }, {{Exactly, 1000, 5}, {AtLeast, 500, 3}}},
        {[](const Game& g) -> long long { return g.NowMaxBag; },
         {{Exactly, 150, 10}, {AtLeast, 105, 7}, {AtLeast, 60, 4}, {AtLeast, 30, 2}}},
        {Balance, {{AtLeast, 0, 5}, {Above, -100'000, 3}}},
    }};
    return table;
}

bool Holds(const Mark& m, long long v) {
    switch (m.cmp) {
        case Cmp::AtLeast: return v >= m.value;
        case Cmp::AtMost: return v <= m.value;
        case Cmp::Exactly: return v == m.value;
        case Cmp::Above: return v > m.value;
    }
    return false;
}

Long Points(const Criterion& c, const Game& g) {
    const long long v = c.measure(g);
    for (const Mark& m : c.marks)
        if (Holds(m, v)) return m.points;
    return PointsForNone;
}

// The rank by the lowest score that reaches it, and the agent's words on it.
struct Rank {
    Long minScore;
    std::array<std::string_view, 3> lines;
};

constexpr std::array<Rank, 6> Ranks{{
    {90,
     {"【Ｓランク】", "・不動産屋：すげーな。約束通り、でっかい店になったじゃないか！",
      "　　　　　　あんたは最高の武具商人だ！ワシの目も捨てたもんじゃないな。わーはっはっは。"}},
    {80,
     {"【Ａランク】", "・不動産屋：なかなかやるようだな。もう少しで最高の武具商人の称号を",
      "　　　　　　得られたんだがな。もう一回やってみねぇか？"}},
    {60,
     {"【Ｂランク】", "・不動産屋：まぁ、こんなもんか…。最高の武具商人になりたかったら",
      "　　　　　　諦めちゃいけねぇぞ！ズルもいかんがな！"}},
    {50,
     {"【Ｃランク】", "・不動産屋：普通の店だな。まぁ、あんたはよく頑張ったよ。",
      "　　　　　　もう少し色々集めてみたらどうだ？"}},
    {40,
     {"【Ｄランク】", "・不動産屋：……あんた、ほんとにやる気あったのか？",
      "　　　　　　ワシの店の評判まで落とさないでくれよ？"}},
    {0,
     {"【Ｅランク】", "・不動産屋：あんたにはがっかりだな。力はあっても、",
      "　　　　　　商人には向いてない。きっぱりと諦めて、戦士にでもなったらどうだ？"}},
}};

// The agent on the time the clear took, by the lowest whole years of each comment.
struct TimeComment {
    Long minYears;
    std::array<std::string_view, 2> lines;
};

constexpr std::array<TimeComment, 4> TimeComments{{
    {60, {"・不動産屋：おいおい……一体いつまで店を経営するつもりだ？", "　　　　　　ワシだって、そんなに長くは生きられないぞ"}},
    {30, {"・不動産屋：見た目は大して変わらないが、お互いずいぶん老けたな。", "　　　　　　そろそろ引退したらどうだ？"}},
    {10, {"・不動産屋：まぁ、妥当な線だな。", "　　　　　　このくらいの年の方が武具商人って感じがするぞ"}},
    {std::numeric_limits<Long>::min(),
     {"・不動産屋：すごい早いな。さすがワシが見込んだだけはある！",
      "　　　　　　だがな、年を取った方が貫禄がでるぞ。ワシのようにな。わーはっは！"}},
}};

using Lines = std::span<const std::string_view>;

constexpr std::string_view AllArmsLines[]{
    "　　　　　：お！この辺の武具を全部集めたようだな。",
    "　　　　　　500種類もあるから、大変だっただろ？",
    "　　　　　　頑張ったあんたに、いい情報をやるよ。",
    "　　　　　　アミュレット城に行ってみな。何か変わったもんが出てるぜ",
};
constexpr std::string_view SomeArmsLines[]{
    "　　　　　：武具商人と名乗るなら、",
    "　　　　　　この辺の武具ぐらい集めてみたらどうだ？",
};
constexpr std::string_view AllJewelsLines[]{
    "　　　　　：玉を全部集めたんだって？",
    "　　　　　　その腕なら、何の職業だってやって行けるよ！",
};
constexpr std::string_view SomeJewelsLines[]{
    "　　　　　：あんた、玉の収集はやらないのか？",
    "　　　　　　全部で100種類だから、武具よりはラクなんじゃないか？",
};
constexpr std::string_view ValuablesLines[]{
    "　　　　　：貴重品の種類は全部で29種類あるんだぜ。",
    "　　　　　　そのうち、効果があるのが8種類あるんだ。全部見つけたか？",
    "　　　　　　まぁ、1個は特別だけどな。",
};
constexpr std::string_view RecipeGiftLines[]{
    "　　　　　：お、初クリアか。頑張ったみたいだから、ワシが特別に",
    "　　　　　　武具レシピを3つやろう！もっと頑張っていい店にしてくれ！",
};
constexpr std::string_view NewGamePlusHintLines[]{
    "　　　　　：そうそう、ハノダの広場に変わった女が立ってたぜ",
    "　　　　　　「人生をやり直しませんか？」だってよ！",
    "　　　　　　気になるなら行ってみたらどうだ？",
};
constexpr std::string_view CorridorHintLines[]{
    "　　　　　　そんなあんたには、俺からとびっきりの情報を教えてやろう",
    "　　　　　　エルウインドの広場に行ってみな。面白い奴が来てるぜ！",
};
constexpr std::string_view BankClerkLines[]{
    "　　　　　：あんた、銀行員の兄ちゃんを懲らしめたらしいな。",
    "　　　　　　そのお陰で気持ちが吹っ切れて、ダンスの才能が開花したんだと！",
    "　　　　　　劇団にスカウトされたって喜んでたよ。",
    "　　　　　　面と向かっては言えないけど、あんたには感謝してもし足りないって言ってたぜ。",
};
constexpr std::string_view EarringGiftLines[]{
    "　　　　　：お、頑張ってるじゃねぇか！",
    "　　　　　　今後のあんたに期待して省エネのピアスをやろう！",
};
constexpr std::string_view UnsavedGiftsNote[]{
    "※不動産屋から何かを貰った台詞が書かれていても、クリア後にセーブをしなかった場合はゲームに反映されません。",
    "　気になる方は、もう一度クリアしてくださいね。",
};

constexpr Long AllArmsCount = 500;
constexpr Long AllJewelsCount = 100;
constexpr Long EarringScore = 60;
constexpr int EnergySavingEarring = 16;
constexpr std::array<int, 3> RecipeGifts{23, 24, 25};
constexpr int BankClerkBoss = 12;

void Append(std::string& text, std::string_view line) {
    text += line;
    text += '\n';
}

void Append(std::string& text, Lines lines) {
    for (std::string_view line : lines) Append(text, line);
}

const Rank& RankOf(Long score) {
    for (const Rank& r : Ranks)
        if (score >= r.minScore) return r;
    return Ranks.back();
}

const TimeComment& TimeCommentOf(Long years) {
    for (const TimeComment& c : TimeComments)
        if (years >= c.minYears) return c;
    return TimeComments.back();
}

}  // namespace

Long ClearScore(const Game& g) {
    Long score = 0;
    for (const Criterion& c : Criteria()) score += Points(c, g);
    return score;
}

std::string ClearRankText(Game& g) {
    const Long score = ClearScore(g);
    std::string text;
    for (std::string_view line : RankOf(score).lines) Append(text, line);
    Append(text, g.HaveArmsNum == AllArmsCount ? Lines(AllArmsLines) : Lines(SomeArmsLines));
    Append(text, g.HaveGyokuNum == AllJewelsCount ? Lines(AllJewelsLines) : Lines(SomeJewelsLines));
    Append(text, ValuablesLines);
    if (!g.GameCleared) {
        Append(text, RecipeGiftLines);
        for (int k : RecipeGifts) g.AllKey[size_t(k)].LKeyList = true;
        Append(text, NewGamePlusHintLines);
    }
    Append(text, CorridorHintLines);
    if (g.BossOK[BankClerkBoss]) Append(text, BankClerkLines);
    if (score >= EarringScore && g.GameCleared && !g.AllKey[EnergySavingEarring].LKeyList) {
        Append(text, EarringGiftLines);
        g.AllKey[EnergySavingEarring].LKeyList = true;
    }
    text += '\n';
    Append(text, "クリアまで【" + ElapsedTimeText(g) + "】掛かりました。");
    for (std::string_view line : TimeCommentOf(g.ElapsedYears).lines) Append(text, line);
    text += '\n';
    Append(text, UnsavedGiftsNote);
    g.GameCleared = true;
    return text;
}

}  // namespace q
