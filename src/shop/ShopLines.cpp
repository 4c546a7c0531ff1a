// The shop's lines. Each customer kind has its own table; the deal steps
// that say one fixed line are listed once for all kinds.
#include "shop/ShopLines.h"

namespace q {

namespace {

constexpr CustomerLines Soldier{
    .picture = 8,
    .speaker = "兵士",
    .greeting = {"兵士：おぅ！", "兵士：おぅ！", "兵士：おぅ！"},
    .secondGreeting = "兵士：じゃあ、",
    .buyerEnding = "を買ってやる",
    .sellerMiddle = "を売りにきたぜ。",
    .sellerEnding = "カリムで買えや",
    .missing = "兵士：{arm}がないだと？！ふざけやがって",
    .tooDear = "兵士：なんだ、その値段は！ふざけやがって",
    .noMoney = "兵士：金がねぇだと？！ふざけやがって",
    .noRoom = "兵士：置き場がねぇだと？！ふざけやがって",
    .cannotPay = "兵士：おっと……。金が足りねぇようだ。まぁ、いいよな？貰ってくぜ！",
    .haggle = "兵士：高ぇな！{price}カリムにしろ！",
    .agreed = "兵士：ふんっ！まったく、愛想の悪ぃ店だぜ",
    .plea = "兵士：…ふざけやがって！{price}カリムならいいのか！",
    .refused = "兵士：ふざけるな！客を何だと思ってやがる",
    .farewell = "兵士：次来る時までにマシな店にするんだな",
    .farewellRefused = "兵士：こんな店潰れちまいな",
};

constexpr CustomerLines Gentleman{
    .picture = 26,
    .speaker = "男性",
    .greeting = {
        "男性：おはようございます。",
        "男性：こんにちは。",
        "男性：こんばんは。",
    },
    .secondGreeting = "男性：え～っとですね、",
    .buyerEnding = "を買いたいのですが…",
    .sellerMiddle = "を売りたいのですが、",
    .sellerEnding = "カリムで買ってください",
    .missing = "男性：なんだ、品切れですか…",
    .tooDear = "男性：た…高いです。相場の何倍ですかね？",
    .noMoney = "男性：カリムが無い？そういうこともあるか…",
    .noRoom = "男性：置き場所が無い？そういうこともあるか…",
    .cannotPay = "男性：……1カリム足りない",
    .haggle = "男性：高いですね。{price}カリムに、まけてくれませんか？",
    .agreed = "男性：ありがとう",
    .plea = "男性：頼みますよ。{price}カリムならどうです？",
    .refused = "男性：そうですか…",
    .farewell = "男性：お陰で、いい買い物ができました",
    .farewellRefused = "男性：しょうがないな。出直すことにします",
};

constexpr CustomerLines Swordsman{
    .picture = 33,
    .speaker = "剣士",
    .greeting = {
        "剣士：やぁ、おはよう。相変わらず美人だねぇ。",
        "剣士：やぁ、こんにちは。相変わらず美人だねぇ。",
        "剣士：やぁ、こんばんは。相変わらず美人だねぇ。",
    },
    .secondGreeting = "剣士：まだあるんだけど、",
    .buyerEnding = "は置いてあるかい？",
    .sellerMiddle = "を",
    .sellerEnding = "カリムで、ユーにプレゼントしたいのだけど、いいかい？",
    .missing = "剣士：{arm}は品切れか…",
    .tooDear = "剣士：……………………",
    .noMoney = "剣士：カリムが無い？それならユーにプレゼントするよ。素敵な笑顔のお礼さ",
    .noRoom = "剣士：置き場所が無い？それはしょうがないね",
    .cannotPay = "剣士：僕としたことが、サイフを忘れてきてしまったようだ",
    .haggle = "剣士：安くならないかな？{price}カリムにしてよ",
    .agreed = "剣士：ありがとう、マイスイートハニー",
    .plea = "剣士：嫌だ、ユーにプレゼントしたい！{price}カリムならいいかな？",
    .refused = "剣士：そうか、残念だよ",
    .farewell = "剣士：ユーの優しさは心のオアシスさ",
    .farewellRefused = "剣士：ユーに会うためにまた来るね",
};

constexpr CustomerLines Beastman{
    .picture = 58,
    .speaker = "獣人",
    .greeting = {"獣人：オッス！", "獣人：オッス！", "獣人：オッス！"},
    .secondGreeting = "獣人：アト、",
    .buyerEnding = "買イ来タ",
    .sellerMiddle = "売リ来タ。",
    .sellerEnding = "カリムデ、買テクレ",
    .missing = "獣人：品切レ？",
    .tooDear = "獣人：タカイ！カリム、ナイ！",
    .noMoney = "獣人：カリム、ナイ？",
    .noRoom = "獣人：置キ場ナイ？",
    .cannotPay = "獣人：カリム、タリナイ",
    .haggle = "獣人：安ク、頼ム。{price}カリム、イイ？",
    .agreed = "獣人：ウレシイ。アリガトウ",
    .plea = "獣人：買テ、オネガイ。{price}カリム、イイ？",
    .refused = "獣人：悲シイ",
    .farewell = "獣人：マタ来ル",
    .farewellRefused = "獣人：マタ来ル",
};

constexpr CustomerLines Girl{
    .picture = 75,
    .speaker = "女の子",
    .greeting = {
        "女の子：おはようございます。ママにね、",
        "女の子：こんにちは。ママにね、",
        "女の子：こんばんは。ママにね、",
    },
    .secondGreeting = "女の子：それと、",
    .buyerEnding = "を買ってきてって言われたの",
    .sellerMiddle = "を売ってきてって言われたの。",
    .sellerEnding = "カリムで買ってください",
    .missing = "女の子：{arm}は無いんだ？",
    .tooDear = "女の子：高すぎるよ。ママに怒られちゃうよ",
    .noMoney = "女の子：カリムがないの？",
    .noRoom = "女の子：場所がないの？",
    .cannotPay = "女の子：カリムが足りないの",
    .haggle = "女の子：あのね、{price}カリムしか無いの。ダメかなぁ？",
    .agreed = "女の子：わ～い、ありがとう！",
    .plea = "女の子：お願い、買って！{price}カリムでいいから…",
    .refused = "女の子：う～～ん………",
    .farewell = "女の子：またね～。バイバイ",
    .farewellRefused = "女の子：どうしよう……。ママに聞いてくる",
};

constexpr CustomerLines Karateka{
    .picture = 116,
    .speaker = "空手家",
    .greeting = {"空手家：押忍！", "空手家：押忍！", "空手家：押忍！"},
    .secondGreeting = "空手家：あと",
    .buyerEnding = "を買いたいッス！",
    .sellerMiddle = "を売りたいッス！",
    .sellerEnding = "カリムで買って欲しいッス！",
    .missing = "空手家：{arm}は無いッスか",
    .tooDear = "空手家：高すぎるッス。自分には手が出せないッス",
    .noMoney = "空手家：カリムが無いッスか？",
    .noRoom = "空手家：置き場が無いッスか？",
    .cannotPay = "空手家：あーー！財布がなくなってるッス！探してくるッス",
    .haggle = "空手家：高いッス。{price}カリムにして欲しいッス",
    .agreed = "空手家：すまないッス",
    .plea = "空手家：どうしても買って欲しいッス。{price}カリムならどうッス？",
    .refused = "空手家：そうッスか…",
    .farewell = "空手家：また来るッスよ。次もよろしく頼むッス",
    .farewellRefused = "空手家：他の店に行くッス",
};

constexpr CustomerLines Swordswoman{
    .picture = 122,
    .speaker = "女剣士",
    .greeting = {
        "女剣士：おはよう。",
        "女剣士：こんにちは。",
        "女剣士：こんばんは。",
    },
    .secondGreeting = "女剣士：それとだな、",
    .buyerEnding = "を買いに来たのだが、置いてあるかい？",
    .sellerMiddle = "を売りに来たのだが、",
    .sellerEnding = "カリムで買ってくれないか？",
    .missing = "女剣士：品切れか",
    .tooDear = "女剣士：高いな。ぼったくりかい？",
    .noMoney = "女剣士：金がないようだな",
    .noRoom = "女剣士：置き場所が無いと？",
    .cannotPay = "女剣士：金を忘れたようだ。出直してくる",
    .haggle = "女剣士：安くしてくれ！{price}カリムだな",
    .agreed = "女剣士：ありがとう",
    .plea = "女剣士：それなら{price}カリムでどうだ？",
    .refused = "女剣士：そうか…",
    .farewell = "女剣士：次も頼むよ",
    .farewellRefused = "女剣士：次に来るまでに改善していることを願うよ",
};

constexpr CustomerLines SilentMan{
    .picture = 130,
    .speaker = "無口な男",
    .greeting = {"無口な男：………………", "無口な男：………………", "無口な男：………………"},
    .secondGreeting = "無口な男：………………",
    .buyerEnding = "",
    .sellerMiddle = "だ。",
    .sellerEnding = "カリムで買え",
    .missing = "無口な男：………………。",
    .tooDear = "無口な男：………………。",
    .noMoney = "無口な男：………………。",
    .noRoom = "無口な男：………………。",
    .cannotPay = "無口な男：………………！",
    .haggle = "無口な男：安くしろ！{price}カリムだ",
    .agreed = "無口な男：……………。",
    .plea = "無口な男：………………{price}カリムでどうだ？",
    .refused = "無口な男：………………",
    .farewell = "無口な男：…………………",
    .farewellRefused = "無口な男：…………………",
};

constexpr CustomerLines OldMage{
    .picture = 140,
    .speaker = "老魔道士",
    .greeting = {"老魔道士：ホーッホッホッホ！", "老魔道士：ホーッホッホッホ！", "老魔道士：ホーッホッホッホ！"},
    .secondGreeting = "老魔道士：それとじゃな、",
    .buyerEnding = "を買いに来たのじゃが",
    .sellerMiddle = "を売りにきたのじゃが、",
    .sellerEnding = "カリムで買ってくだされ",
    .missing = "老魔道士：品切れですか",
    .tooDear = "老魔道士：高いですじゃ！ワシには買えんわい！",
    .noMoney = "老魔道士：カリムが無いとな",
    .noRoom = "老魔道士：置き場所が無いとな",
    .cannotPay = "老魔道士：さ…、サイフはどこじゃったかのぉ？",
    .haggle = "老魔道士：安くしてくだされ！{price}カリムにならんかのぉ",
    .agreed = "老魔道士：ありがとうですじゃ",
    .plea = "老魔道士：頼みますじゃ！{price}カリムでいかがかの？",
    .refused = "老魔道士：うぅぅ……",
    .farewell = "老魔道士：また来るぞい",
    .farewellRefused = "老魔道士：また来るぞい",
};

constexpr CustomerLines Madam{
    .picture = 153,
    .speaker = "おば様",
    .greeting = {"おば様：オーッホッホッホ！", "おば様：オーッホッホッホ！", "おば様：オーッホッホッホ！"},
    .secondGreeting = "おば様：まだあるザマスよ。",
    .buyerEnding = "を買いにきたザマス！",
    .sellerMiddle = "を売りにきたザマス！",
    .sellerEnding = "カリムで買うザマスよ",
    .missing = "おば様：…ない？ちゃんと仕入れとくザマスよ",
    .tooDear = "おば様：こんな値段じゃ客が来ないザマスよ",
    .noMoney = "おば様：あらら…。私としたことが、サイフを忘れたザマス",
    .noRoom = "おば様：置き場がないザマスか？増築を薦めるザマスよ",
    .cannotPay = "おば様：あらら…。お金を入れてくるのを忘れたザマス…",
    .haggle = "おば様：{price}カリムにまけるザマス",
    .agreed = "おば様：助かったザマス。",
    .plea = "おば様：邪魔だから、買って欲しいザマス。{price}カリムなら出せるザマスか？",
    .refused = "おば様：しょうがないザマスね…",
    .farewell = "おば様：また来るザマスよ",
    .farewellRefused = "おば様：商売は、お客が資産ザマスよ。もっと大事にするザマス",
};

constexpr CustomerLines LadySamurai{
    .picture = 179,
    .speaker = "女侍",
    .greeting = {"女侍：たのもう！", "女侍：たのもう！", "女侍：たのもう！"},
    .secondGreeting = "女侍：まだ他にもあるでゴザルよ。",
    .buyerEnding = "を買いに来たでゴザル",
    .sellerMiddle = "を売りに来たでゴザル。",
    .sellerEnding = "カリムで買うでゴザルよ",
    .missing = "女侍：品切れでゴザルか",
    .tooDear = "女侍：高すぎでゴザル！",
    .noMoney = "女侍：カリムがないでゴザルか",
    .noRoom = "女侍：置き場がないでゴザルか",
    .cannotPay = "女侍：金がないでゴザル。貯めてくるでゴザルよ",
    .haggle = "女侍：安くしてほしいでゴザル。{price}カリムがいいでゴザル！",
    .agreed = "女侍：助かったでゴザル",
    .plea = "女侍：後生でゴザル。{price}カリムならいいでゴザルか？",
    .refused = "女侍：そうでゴザルか…",
    .farewell = "女侍：それでは失礼するでゴザル",
    .farewellRefused = "女侍：それでは失礼するでゴザル",
};

// In the order of the kind roll.
constexpr std::array<const CustomerLines*, 11> Kinds{
    &Soldier, &Gentleman, &Swordsman, &Madam, &Beastman, &OldMage, &Girl, &Karateka, &Swordswoman, &SilentMan, &LadySamurai,
};

// 250: a failed deal; 200: a buyer who cannot pay; 300: agreed; 1: after a
// bid the question is asked again.
constexpr std::array<DealStepLine, 9> StepLines{{
    {10, &CustomerLines::missing, 250},
    {20, &CustomerLines::tooDear, 250},
    {30, &CustomerLines::noMoney, 250},
    {40, &CustomerLines::noRoom, 250},
    {50, &CustomerLines::cannotPay, 200},
    {60, &CustomerLines::haggle, 1},
    {70, &CustomerLines::agreed, 300},
    {110, &CustomerLines::plea, 1},
    {120, &CustomerLines::refused, 250},
}};

constexpr EventLine Robber[] = {
    {1, "強盗：か…金を出せ！この袋に入れるんだ！は…、早くしやがれ！", 10},
    {20, "強盗：そうそう、いい心掛けだ。また来るぜ、お嬢ちゃん", 1000, "強盗：金がないだとぉ！！ちっくしょう～～～！"},
    {50, "強盗：ふざけやがって！目に物見せてやる！", StaysOnStep},
    {81, "強盗：ちくしょう！覚えてやがれ～！！", 1000},
};

// {days}, {arm}, {no} and {qty}: the order drawn up at step 2.
constexpr EventLine RoyalOrder[] = {
    {1, "兵士：おい、貴様！ハノダ王からの命令だ", StaysOnStep},
    {2, "兵士：{days}日後までに{arm}({no})を{qty}個集めろ！", 4},
    {5, "兵士：当然断わらねぇだろうな？", 10},
    {20, "兵士：いい心掛けだ。期日になったら取りに来るからな！くれぐれも忘れんじゃねーぞ！！", 1000},
    {50, "兵士：貴様、ふざけやがって！店を潰すように進言してやる！", 1000},
};

// {name}: the ordered arm being collected; {pieces} supplied; {pay} in Karim.
constexpr EventLine Collection[] = {
    {1, "兵士：俺が今日、何のためにこんな店に来たのか分かってるよな？", 10},
    {30, "兵士：お！{name}は、ちゃんと用意できてるじゃねぇか！", 60},
    {40, "兵士：貴様！{name}を、1個も用意してねぇとはどういうことだ？！", 80},
    {50, "兵士：{name}が足りねぇじゃねぇか！この腐れ武具屋め！", 60},
    {61, "兵士：とりあえず、{name}が{pieces}個で、{pay}カリムだな", 499},
    {80, "兵士：{name}の期限はもう切れてるよなぁ？", StaysOnStep},
    {81, "兵士：貴様、ふざけやがって！ハノダ王の注文は聞けねぇってのか？", 10},
    {900, "兵士：ふんっ！この町にはロクな武具屋がいねぇよ！", 999},
};

constexpr EventLine Helper[] = {
    {1, "剣士：やぁ！今日はユーの店の手伝いをしに来たよ", StaysOnStep},
    {2, "剣士：閉店するまで、ユーと一緒に店番さ", 10},
};

}  // namespace

std::span<const CustomerLines* const> CustomerKinds() { return Kinds; }

const CustomerLines* CustomerKind(Long picture) {
    for (const CustomerLines* k : Kinds)
        if (k->picture == picture) return k;
    return nullptr;
}

std::span<const DealStepLine> DealStepLines() { return StepLines; }

std::span<const EventLine> EventLines(Long kind) {
    switch (kind) {
        case ShopEventRobber: return Robber;
        case ShopEventRoyalOrder: return RoyalOrder;
        case ShopEventCollection: return Collection;
        case ShopEventSwordsman: return Helper;
        default: return {};
    }
}

}  // namespace q
