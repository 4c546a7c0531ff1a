// The people of the Amulet park.
#include "shop/ListWindows.h"
#include "town/ParkPeople.h"

namespace q {

namespace {

// --- 男性: the swordsman バアン ---

constexpr const char* BaanPeace[] = {
    "剣士バアン：あなた、私の弟子になりませんか？",
    "剣士バアン：あなたほどの腕があれば、すぐに免許皆伝ですよ",
};
constexpr const char* BaanDemon[] = {
    "剣士バアン：弟子を探す暇は無くなったようですね",
    "剣士バアン：魔族が相手では、私も剣を振るわねばなりません",
};
constexpr const char* BaanSearching[] = {
    "剣士バアン：私は、剣士バアン。弟子を探すために、このアミュレットまで来ました",
    "剣士バアン：しかし、なかなか見込みのある若者に出会えません",
    "剣士バアン：どこかに、強い心を持った者はいないものでしょうか",
};

constexpr Talk BaanTalks[] = {
    {.when = DemonBeaten, .lines = BaanPeace},
    {.when = [](const Game& g) { return g.Warasibe == 12; }, .lines = BaanDemon},
    {.lines = BaanSearching},
};

// --- ぼっちゃん ---

constexpr const char* BoyPeace[] = {
    "ぼっちゃん：ごめんなさい。もう悪い事を言わないから許して下さい",
    "ぼっちゃん：魔族を倒すような人を奴隷呼ばわりしてたなんて……",
};
constexpr const char* BoyProposes[] = {
    "ぼっちゃん：お前、なかなかいいな。僕ちんの妾にしてやろう",
    "イザベラ：……お断りします",
    "ぼっちゃん：な、なんだと！？僕ちんのパパは偉いんだぞ！",
    "ぼっちゃん：後で後悔しても知らないからな！",
    "イザベラ：（あきれた子ね……）",
};
constexpr const char* BoyScared[] = {
    "ぼっちゃん：何で、魔族なんて復活してんだよ！まだ死にたくないよー！！",
    "ぼっちゃん：パパ、早く魔族をやっつけてよぉ！",
    "ぼっちゃん：お前！奴隷なら僕ちんを守れよな！",
};
constexpr const char* BoyRude[] = {
    "ぼっちゃん：なんだ奴隷？気安く話し掛けるなよ！",
    "ぼっちゃん：僕ちんはこの街で一番偉い家の子なんだぞ！",
    "ぼっちゃん：フン、あっち行けよ！",
};

constexpr Talk BoyTalks[] = {
    {.when = DemonBeaten, .lines = BoyPeace},
    {.when = [](const Game& g) { return g.Warasibe == 8 || g.Warasibe == 9; }, .lines = BoyProposes},
    {.when = [](const Game& g) { return g.Warasibe == 12; }, .lines = BoyScared},
    {.lines = BoyRude},
};

// --- 亜細李亜娘 ---

constexpr const char* GirlPeace[] = {
    "亜細李亜娘：うふっふ～。私、いい人に出会っちゃったの…",
    "亜細李亜娘：その人ったら、お城のパーティーで知り合ったのよ～",
};
constexpr const char* GirlFortuneTeller[] = {
    "イザベラ：城下の占い師について知りませんか？",
    "亜細李亜娘：占い師？あぁ、あのお婆さんのことね",
    "亜細李亜娘：よく当たるって評判だったんだけど、最近見かけないのよ",
    "イザベラ：どこかへ出かけているのでしょうか？",
    "亜細李亜娘：そういえば、占いの道具を探しに行くって言ってたかしら",
    "亜細李亜娘：エルフの里の方へ行くのを見たって人もいるわ",
    "亜細李亜娘：エルウインドに行ってみたら、何かわかるかもしれないわよ",
};
constexpr const char* GirlTired[] = {
    "亜細李亜娘：はぁい！あなた、随分疲れた顔してるわね",
    "亜細李亜娘：働きすぎはお肌に悪いわよ",
    "亜細李亜娘：たまには宿屋でゆっくり休んだら？",
    "亜細李亜娘：私？私はいつでも元気よ。うふっ",
};
constexpr const char* GirlMoving[] = {
    "亜細李亜娘：うーん…。あんまりカリムが溜まってないけど、そろそろ引越し時ね",
    "亜細李亜娘：魔族が暴れ出したら、商売どころじゃないもの",
    "亜細李亜娘：あなたも、逃げる準備はしておいた方がいいわよ",
};
constexpr const char* GirlLooking[] = {
    "亜細李亜娘：どこかにいい男が転がってないかしら？",
    "亜細李亜娘：お金持ちで優しくて、強い人がいいわぁ",
};

void ToldOfElwind(Game& g) { g.FortuneFlg = 2; }

constexpr Beat GirlFortuneBeats[] = {{.step = 16, .act = ToldOfElwind}};

constexpr Talk GirlTalks[] = {
    {.when = DemonBeaten, .lines = GirlPeace},
    {.when = [](const Game& g) { return g.FortuneFlg == 1; }, .lines = GirlFortuneTeller, .beats = GirlFortuneBeats},
    {.when = [](const Game& g) { return g.Warasibe == 8; }, .lines = GirlTired},
    {.when = [](const Game& g) { return g.Warasibe == 12; }, .lines = GirlMoving},
    {.lines = GirlLooking},
};

// --- 踊り子: speaks as 踊子 until the demon falls ---

constexpr const char* DancerPeace[] = {
    "踊り子：私の踊りで元気が出たって言ってくれる人がたくさん居るの",
    "踊り子：平和になったから、もっとたくさんの人に見てもらえるわね",
};
constexpr const char* DancerTrade[] = {
    "踊子：はぁ…。最近忙しくて、髪が痛んできたの…",
    "踊子：何か、髪にいいものはないかしら？",
    nullptr,
    nullptr,
    "踊子:お礼はサインでいいかしら？",
    "踊子：私のサイン、意外に高く売れるのよ",
};
constexpr const char* DancerDemon[] = {
    "踊子：あーあ。魔族が復活するなんてついてないなぁ…",
    "踊子：こんな時じゃ、誰も踊りなんて見てくれないわ",
    "踊子：早く平和な街に戻ってほしいな…",
};
constexpr const char* DancerShow[] = {
    "踊子：私の踊り、見てくれた？",
    "踊子：毎晩、酒場で踊ってるの。今度見に来てね",
};

bool HasCamelliaOil(const Game& g) { return g.ClearFlg == 4; }
bool LacksCamelliaOil(const Game& g) { return g.ClearFlg != 4; }

constexpr Beat DancerTradeBeats[] = {
    {.step = 12, .when = HasCamelliaOil, .line = "イザベラ：これはどうですか？"},
    {.step = 12, .when = LacksCamelliaOil, .line = "イザベラ：あいにく、そう言う商品は……"},
    {.step = 13, .when = HasCamelliaOil, .line = "踊子：あら、椿油ね？これはとっても髪にいいのよ"},
    {.step = 13,
     .when = LacksCamelliaOil,
     .line = "踊子：そうよねぇ…。いいもの入荷したらまた来て。待ってるわ",
     .finish = Ends},
    {.step = 15, .act = Trade<9, 10, 5>},
};

constexpr Talk DancerTalks[] = {
    {.when = DemonBeaten, .lines = DancerPeace},
    {.when = [](const Game& g) { return g.ClearFlg <= 4; }, .lines = DancerTrade, .beats = DancerTradeBeats},
    {.when = [](const Game& g) { return g.Warasibe == 12; }, .lines = DancerDemon},
    {.lines = DancerShow},
};

// --- 戦士 ---

constexpr const char* FighterPeace[] = {
    "戦士：結局、僕は冒険者に向いてないって事が分かったよ",
    "戦士：これからは、実家の畑を手伝うことにするよ",
};
constexpr const char* FighterNew[] = {
    "戦士：僕、こないだ冒険者登録したばかりなんだ",
    "戦士：これから、たくさんモンスターを倒して有名になるんだ！",
    "戦士：……でも、まだ街の外に出るのが怖いんだけどね",
};
constexpr const char* FighterDemon[] = {
    "戦士：ま…ま…魔族が復活したんだって。聞いた？",
    "戦士：女王様が戦士を集めてるらしいけど……",
    "戦士：ぼ、僕なんかが行っても足手まといだよね……",
};
constexpr const char* FighterAlone[] = {
    "戦士：パーティーに入れてもらえるよう、色んな人にお願いしたんだけど、",
    "戦士：誰も相手にしてくれないんだ……",
};

constexpr Talk FighterTalks[] = {
    {.when = DemonBeaten, .lines = FighterPeace},
    {.when = [](const Game& g) { return g.Warasibe == 8; }, .lines = FighterNew},
    {.when = [](const Game& g) { return g.Warasibe == 12; }, .lines = FighterDemon},
    {.lines = FighterAlone},
};

// --- 宿無し ---

constexpr const char* HoboPeace[] = {
    "宿無し：兵士に志願したお陰で、この間のパーティーに出席できたぞい",
    "宿無し：城のごちそうは美味かったぞい。わしもまだまだ捨てたもんじゃないわい",
};
constexpr const char* HoboTrade[] = {
    "宿無し：あー、腹減った～。食うもんねぇか？",
    nullptr,
    "宿無し：おぉ、何でもいいからくれ！",
    "宿無し：ムシャムシャ……。うめぇ！こんなうめぇもん、久しぶりだ！",
    "宿無し:ありがとよ。これで10日は生きていける",
    "宿無し：礼と言っちゃなんだが、こいつをやろう。道端で拾ったもんだがな",
    "宿無し：どうだ綺麗な鍵だろ？どこの鍵かは知らねぇけどな",
};
constexpr const char* HoboProud[] = {
    "宿無し：わしはこんな宿のない生活をしてるが、心まで売るつもりはないぞ",
    "宿無し：誇りだけは、誰にも奪えんからのぉ",
};
constexpr const char* HoboDemon[] = {
    "宿無し：魔族が復活したそうじゃな",
    "宿無し：わしも兵士に志願しようかの。飯くらいは食わせてくれるじゃろ",
};

bool HasSweets(const Game& g) { return g.ClearFlg == 7; }

void TakeSweets(Game& g) {
    g.AllKey[12].LKeyList = false;
    RefreshListWindow(g);
}

void GiveRustyKey(Game& g) {
    g.AllKey[13].LKeyList = true;
    g.ClearFlg = 8;
    RefreshListWindow(g);
}

constexpr Beat HoboTradeBeats[] = {
    {.step = 11, .when = HasSweets, .line = "イザベラ：お菓子でいいならありますよ"},
    {.step = 11,
     .when = [](const Game& g) { return !HasSweets(g); },
     .line = "イザベラ：ごめんなさい。今は持ち合わせがなくて…",
     .finish = Ends},
    {.step = 12, .act = TakeSweets},
    {.step = 16, .act = GiveRustyKey},
};

constexpr Talk HoboTalks[] = {
    {.when = DemonBeaten, .lines = HoboPeace},
    {.when = [](const Game& g) { return g.ClearFlg <= 7; }, .lines = HoboTrade, .beats = HoboTradeBeats},
    {.when = [](const Game& g) { return g.Warasibe != 12; }, .lines = HoboProud},
    {.lines = HoboDemon},
};

constexpr Person People[] = {
    {11, BaanTalks}, {21, BoyTalks}, {49, GirlTalks}, {156, DancerTalks}, {162, FighterTalks}, {182, HoboTalks},
};

}  // namespace

std::span<const Person> AmuletPeople() { return People; }

}  // namespace q
