// The people of the Elwind park, the ghost of the queen's quest and, after
// a clear, ゼンロ with the way into the endless corridor.
#include <algorithm>
#include <string>

#include "core/GoToPlace.h"
#include "core/Inventory.h"
#include "shop/ListWindows.h"
#include "stage/mod_RGN_UserFunction.h"
#include "town/ParkPeople.h"
#include "town/frmEvent.h"

namespace q {

namespace {

// --- 女の子 ---

constexpr const char* LittleGirlPeace[] = {
    "女の子：悪い魔族はおねぇちゃんが倒したんだって聞いたよ",
    "女の子：大きくなったら、おねぇちゃんみたいになりたいな",
};
constexpr const char* LittleGirlTroll[] = {
    "女の子：おねぇちゃん、よく無事に辿り着けたね。途中でトロールに襲われなかった？",
    "イザベラ：トロール？そんなモンスターがいるの？",
    "女の子：うん。レインウッドとエルウインドの間の森に出るんだよ",
    "女の子：本当は大人しい子なのに、最近暴れるようになっちゃったんだって",
    "女の子：だから、あんまり森の奥には行かない方がいいよ",
    "女の子：でももし、腕に自信があるんだったら、可哀想だから暴走を止めてあげてね",
};
constexpr const char* LittleGirlDemon[] = {
    "女の子：悪い魔族が蘇っちゃったんだって！",
    "女の子：トロールを止めてくれたおねぇちゃんなら、魔族もやっつけられるよね？",
    "女の子：わたし、信じてるからね！",
};
constexpr const char* LittleGirlEnvies[] = {
    "女の子：いいな、おねぇちゃんは…",
    "女の子：強いし、色んな所に行けるし",
    "女の子：わたしも大きくなったら、旅に出てみたいな",
    "女の子：トロールのこと、止めてくれてありがとう！",
};
constexpr const char* LittleGirlGuardian[] = {
    "女の子：トロールはね、町の守り神だったんだって",
    "女の子：なのに、どうして暴れるようになっちゃったのかな",
    "女の子：誰か、止めてくれる人がいればいいのに……",
    "女の子：おねぇちゃん、森に行くなら気をつけてね",
};

void TrollTold(Game& g) { g.TorolFlg = true; }
bool TrollBeaten(const Game& g) { return g.BossOK[1]; }

constexpr Beat LittleGirlTrollBeats[] = {{.step = 15, .act = TrollTold}};

constexpr Talk LittleGirlTalks[] = {
    {.when = DemonBeaten, .lines = LittleGirlPeace},
    {.when = [](const Game& g) { return !g.TorolFlg; }, .lines = LittleGirlTroll, .beats = LittleGirlTrollBeats},
    {.when = [](const Game& g) { return TrollBeaten(g) && g.Warasibe == 12; }, .lines = LittleGirlDemon},
    {.when = TrollBeaten, .lines = LittleGirlEnvies},
    {.lines = LittleGirlGuardian},
};

// --- 男性 ---

constexpr const char* ManPeace[] = {
    "男性：聞いたよ！あんた強いねぇ。親父さんがあのブームさんって言うんだから、血筋なんだろうな",
    "男性：ハノダに帰ったら、親父さんによろしく言っておいてくれよ",
};
constexpr const char* ManLake[] = {
    "男性：ハノダのイザベラさんじゃないか！あんたの噂は聞いてるよ",
    "イザベラ：私のことを、ご存じなんですか？",
    "男性：腕の立つ武具屋だって評判さ。そこで、ひとつ頼みたいことがあるんだ",
    "男性：実はね、この村の近くにね、潤沢湖と言う湖があるんだが、",
    "男性：最近、そこに大きなモンスターが住み着いちまってね",
    "男性：村の者は水を汲みに行くこともできなくて困ってるんだ",
    "男性：潤沢湖へ行く道を教えるから、退治してもらえないだろうか？",
    "イザベラ：わかりました。やってみます！",
    "男性：ありがとう！湖までの道は、地図に書いておいたよ",
    "男性：それを見てくれ。頼んだよ",
};
constexpr const char* ManStairs[] = {
    "男性：洞窟や塔で先に進みたかったら階段を探すんだ",
    "男性：階段は見つけにくい場所にあることも多いから、よく探すんだぞ",
};
constexpr const char* ManDemon[] = {
    "男性：ここでも魔族が出たか！兄がいるモノリスにも魔族がいたらしい",
    "男性：兄の無事を祈るばかりだよ",
    "男性：あんたも気をつけてな",
};
constexpr const char* ManTwin[] = {
    "男性：私の双子の兄がモノリスにいるんだ",
    "男性：顔はそっくりなんだが、性格は正反対でね",
};

void LakeTold(Game& g) { g.MizuumiFlg = 1; }

constexpr Beat ManLakeBeats[] = {{.step = 19, .act = LakeTold}};

constexpr Talk ManTalks[] = {
    {.when = DemonBeaten, .lines = ManPeace},
    {.when = [](const Game& g) { return g.MizuumiFlg == 0 && g.MyFame >= 5000 && g.MyLevel >= 20; },
     .lines = ManLake, .beats = ManLakeBeats},
    {.when = [](const Game& g) { return g.Warasibe >= 4 && g.Warasibe <= 6; }, .lines = ManStairs},
    {.when = [](const Game& g) { return g.Warasibe == 12; }, .lines = ManDemon},
    {.lines = ManTwin},
};

// --- 侍: the elf samurai ---

constexpr const char* SamuraiPeace[] = {
    "エルフ侍：拙者、感動したでゴザル！イザベラ殿、弟子にして欲しいでゴザルよ！",
    "エルフ侍：拙者も、イザベラ殿のように強くなりたいでゴザル",
};
constexpr const char* SamuraiKidnapping[] = {
    "エルフ侍：この前、変なお婆さんがモンスターにさらわれて行くのを見てしまったでゴザル",
    "イザベラ：えっ！？どこへ連れて行かれたんですか？",
    "エルフ侍：深淵窟の方でゴザル。拙者には、とても追いかける勇気がなかったでゴザルよ",
    "エルフ侍：イザベラ殿、暇なら見てきて欲しいでゴザル",
};
constexpr const char* SamuraiTrade[] = {
    "エルフ侍：アミュレット城に、綺麗な踊子が来てるらしいでゴザル",
    "エルフ侍：拙者、一目でいいから会ってみたいでゴザルが、遠くて行けないでゴザル",
    "エルフ侍：せめて、サインだけでも欲しいでゴザルよ",
    "イザベラ：これでいいなら、ありますよ",
    "エルフ侍：こ、これは！踊子殿のサイン！本物でゴザルか！？",
    "エルフ侍：このヨーヨーと取り替えてほしいでゴザル",
    "イザベラ：ええ、いいですよ。大事にしてくださいね",
    "エルフ侍：今日から神棚に飾って寝るでゴザル",
};
constexpr const char* SamuraiWife[] = {
    "エルフ侍：拙者、妻の影響で侍にハマっているでゴザルよ",
    "エルフ侍：妻は東の国の出でゴザってな",
    "エルフ侍：この刀も、妻からの贈り物でゴザル",
    "エルフ侍：エルフの侍は、拙者くらいのものでゴザろうな",
};
constexpr const char* SamuraiDemon[] = {
    "エルフ侍：拙者、こんな格好をして入るでゴザルが、",
    "エルフ侍：実は剣の腕はからっきしでゴザル",
    "エルフ侍：魔族と戦うなど、とても無理でゴザルよ……",
};
constexpr const char* SamuraiChat[] = {
    "エルフ侍：最近、いいことあったでゴザルか？",
    "エルフ侍：拙者は、妻の手料理が美味しかったでゴザル",
};

void SentToTheCave(Game& g) {
    g.FortuneFlg = 3;
    g.Warasibe = 9;
}

constexpr Beat SamuraiKidnappingBeats[] = {{.step = 13, .act = SentToTheCave}};
constexpr Beat SamuraiTradeBeats[] = {
    {.step = 12, .when = [](const Game& g) { return g.ClearFlg == 4; }, .finish = Ends},
    {.step = 17, .act = Trade<10, 11, 6>},
};

constexpr Talk SamuraiTalks[] = {
    {.when = DemonBeaten, .lines = SamuraiPeace},
    {.when = [](const Game& g) { return g.FortuneFlg == 2; },
     .lines = SamuraiKidnapping, .beats = SamuraiKidnappingBeats},
    {.when = [](const Game& g) { return g.ClearFlg == 4 || g.ClearFlg == 5; },
     .lines = SamuraiTrade, .beats = SamuraiTradeBeats},
    {.when = [](const Game& g) { return g.Warasibe >= 4 && g.Warasibe <= 6; }, .lines = SamuraiWife},
    {.when = [](const Game& g) { return g.Warasibe == 12; }, .lines = SamuraiDemon},
    {.lines = SamuraiChat},
};

// --- 獣人 ---

constexpr const char* BeastmanPeace[] = {
    "獣人：聞いたニャン！魔族を倒すその肉体、ぜひ解剖したいニャン！",
    "獣人：……冗談だニャン。そんな怖い顔しないでほしいニャン",
};
constexpr const char* BeastmanHotel[] = {
    "獣人：宿屋のスッポンの間はレベルが上がるほど高くなるニャン",
    "獣人：でも、泊まればぐっすり元気になれるニャン",
};
constexpr const char* BeastmanRaces[] = {
    "獣人：この世には色んな種族がいるもんだニャン",
    "獣人：人間、エルフ、それにボクみたいな獣人もいるニャン",
    "獣人：みんな体のつくりが違うから、診察するのも大変だニャン",
    "獣人：でも、だからこそ面白いんだニャン",
};
constexpr const char* BeastmanDemon[] = {
    "獣人：ま、魔族が復活したなんて、こここ…怖いニャン！！",
    "獣人：お医者さんでも、魔族の治し方はわからないニャン",
    "獣人：町の人たちも、みんな不安がってるニャン",
    "イザベラ：大丈夫よ。きっと何とかなるわ",
    "獣人：……そう言ってもらえると、少し安心するニャン",
};
constexpr const char* BeastmanDoctor[] = {
    "獣人：ボクは一応これでもお医者さんなんだニャン",
    "獣人：こう見えても、腕はいいんだニャン",
    "獣人：怪我をしたら、いつでも診てあげるニャン。……有料だけどニャン",
};

constexpr Talk BeastmanTalks[] = {
    {.when = DemonBeaten, .lines = BeastmanPeace},
    {.when = [](const Game& g) { return g.Warasibe == 4 || g.Warasibe == 5; }, .lines = BeastmanHotel},
    {.when = [](const Game& g) { return g.Warasibe == 6; }, .lines = BeastmanRaces},
    {.when = [](const Game& g) { return g.Warasibe == 12; }, .lines = BeastmanDemon},
    {.lines = BeastmanDoctor},
};

// --- アーチャー ---

constexpr const char* ArcherPeace[] = {
    "アーチャー：うぅぅ…腹が痛い………",
    "イザベラ：また拾い食いしたんですか？",
    "アーチャー：魔族が倒されたお祝いに、ごちそうを拾ったんだ……",
};
constexpr const char* ArcherTrade[] = {
    "アーチャー：うぅ……腹が痛い…",
    "イザベラ：大丈夫ですか！？",
    "アーチャー：道に落ちてた饅頭を食べたら、この有様さ……",
    "アーチャー：もうやばそうだ。た…頼む！整腸剤を持っていたらくれないか？",
    nullptr,
    nullptr,
    "アーチャー：うっっ！！やばい…。ト…イレは、どこに……？",
};
constexpr const char* ArcherGlutton[] = {
    "アーチャー：俺は食うのと寝るのだけが取柄だぁ～！",
    "アーチャー：弓の腕？……まぁ、そこそこかな",
    "アーチャー：それより、何か食べ物持ってない？",
};
constexpr const char* ArcherDemon[] = {
    "アーチャー：魔族なんかより、食べ物だよ。た・べ・も・の",
    "アーチャー：腹が減っては戦はできぬって言うだろ？",
};
constexpr const char* ArcherScavenger[] = {
    "アーチャー：拾い食いってイイよねぇー",
    "アーチャー：まだ食べられるのに、捨てるなんてもったいないじゃないか",
    "アーチャー：おかげで、腹を壊すのも慣れっこさ",
};

bool HasMedicine(const Game& g) { return g.ClearFlg == 2; }
bool LacksMedicine(const Game& g) { return g.ClearFlg != 2; }

constexpr Beat ArcherTradeBeats[] = {
    {.step = 14, .when = HasMedicine, .line = "イザベラ：これでいいかしら？"},
    {.step = 14, .when = LacksMedicine, .line = "イザベラ:ごめんなさい……。持ってないの"},
    {.step = 15, .when = HasMedicine, .line = "アーチャー：ありがとう。拾い物だが、これを貰ってくれ"},
    {.step = 15, .when = LacksMedicine, .line = "アーチャー：人生とは、こんなにも無情なものだったのか……！", .finish = Ends},
    {.step = 16, .act = Trade<7, 8, 3>},
};

constexpr Talk ArcherTalks[] = {
    {.when = DemonBeaten, .lines = ArcherPeace},
    {.when = [](const Game& g) { return g.ClearFlg <= 2; }, .lines = ArcherTrade, .beats = ArcherTradeBeats},
    {.when = [](const Game& g) { return g.Warasibe == 4 || g.Warasibe == 5; }, .lines = ArcherGlutton},
    {.when = [](const Game& g) { return g.Warasibe == 12; }, .lines = ArcherDemon},
    {.lines = ArcherScavenger},
};

// --- ゼンロ: the endless corridor ---

constexpr const char* ZenloOffer[] = {
    "ゼンロ：強い奴を探してるのか？それだったら、いい所を知ってるぜ",
    "ゼンロ：教えてやってもいいけど、死んでも知らないからな",
};

// Back to the board, whose load sends her on into the corridor.
void IntoTheCorridor(Game& g) {
    g.MessageText.clear();
    g.ResumeCode[0] = ResumeCorridor;
    g.Call("frmMenu.mOut_Click");
    g.frmEvent.Unload();
    g.ResumeCode[0] = ResumeNone;
}

constexpr Beat ZenloBeats[] = {
    {.step = 11, .finish = Asks, .yes = "無限回廊へ行く", .no = "止めておく"},
    {.step = 50, .line = "ゼンロ：そうだな。やめといた方がいいと思うぞ", .finish = Ends},
    {.step = 30, .line = "ゼンロ：気をつけろよー！"},
    {.step = 31, .act = IntoTheCorridor},
};

constexpr Talk ZenloTalks[] = {{.lines = ZenloOffer, .beats = ZenloBeats}};

// --- 女性？？？: the ghost who longs for ウマックの肉 ---

constexpr Long UmakMeat = 41;
constexpr Long MeatToRest = 10;

constexpr const char* GhostMeeting[] = {
    "イザベラ：………？何だろう？人が透けて見えるわ……",
    "女性？？？：……あなた、私が見えるのですか？",
    "イザベラ：え、ええ。少し透けてますけど……",
    "女性？？？：私は、この世に未練を残して死んだ者です",
    "イザベラ：それって、つまり……幽霊？",
    "女性？？？：はい……。成仏できずに、ずっとここに留まっているのです",
    "イザベラ：何か、心残りがあるのですか？",
    "女性？？？：……あります。とても大切なことが",
    "女性？？？：生きているうちに、どうしても叶えたかった望みが……",
    "イザベラ：私にできることなら、手伝いますよ",
    "女性？？？：本当ですか！？実は……、ずっと食べたかったものがあるのです",
    "女性？？？：ウマックです。死ぬ前にウマックの肉がタラフク食べたかった……",
    "イザベラ：ウマック……？モンスターの？",
    "女性？？？：はい。その肉はとても美味しいと聞いていました",
    "女性？？？：でも、食べる前に病で死んでしまって……",
    "女性？？？：お腹一杯食べられたら、きっと成仏できると思うのです",
    "女性？？？：ウマックは深淵窟へ向かう道に出るそうです",
    "イザベラ：分かったわ。ウマックの肉が手に入ったら持ってくるわね",
    "女性？？？：よろしくお願いします……",
};

constexpr const char* GhostFeast[] = {
    "女性？？？：ウマックの肉を持ってきてくださったんですか？",
    nullptr,
    nullptr,
    nullptr,
    "女性？？？：モグモグモグ……",
    "女性？？？：あぁ…美味しい。幸せです～",
    nullptr,
    "女性？？？：今までありがとうございます…。お礼と言っては何ですが、私のお墓を開けてみてください",
    "イザベラ：（ちょっと気持ち悪いけど）分かったわ",
    "イザベラ：あら？立派な鎧が…",
    "女性？？？：ノアの鎧です。どうぞ持って行ってください",
    "女性？？？：あ……お迎えが来たようです。ありがとうございました…",
    "女性？？？：このご恩は一生……成仏しても忘れません。それでは～",
    "イザベラ：消えちゃった…。ちゃんと成仏できたみたいね。良かったわ",
};

// The sack entry of the meat, or -1.
Long MeatEntry(const Game& g) {
    for (Long i = 0; i < g.HaveSack; ++i) {
        const SackEntry& e = g.MySack[size_t(i)];
        if (e.HHaveSackNo == UmakMeat && !e.HHaveGyoku) return i;
    }
    return -1;
}

bool HasMeat(const Game& g) { return MeatEntry(g) >= 0; }

void GhostMet(Game& g) {
    g.GhostFlg[0] = 1;
    g.GhostFlg[1] = 0;
}

void CountMeat(Game& g) {
    const Long i = MeatEntry(g);
    g.WorkNum = i >= 0 ? g.MySack[size_t(i)].HHaveSackNum : 0;
}

// She eats what the sack still holds of the meat counted two clicks before.
void EatMeat(Game& g) {
    const Long i = MeatEntry(g);
    Long n = i >= 0 ? std::min(g.WorkNum, g.MySack[size_t(i)].HHaveSackNum) : 0;
    if (n > 0 && !SackChange(g, UmakMeat, i, true, n, false)) n = 0;
    g.MessageText = "女性？？？：では、" + std::to_string(n) + "本いただきますね";
    g.GhostFlg[1] += n;
    RefreshListWindow(g);
}

void LaidToRest(Game& g) {
    g.GhostFlg[0] = 2;
    NoahGift(g, 5, 484);
}

// She is gone from the scene: the heroine and the park alone.
void GhostVanishes(Game& g) {
    if (!g.StageForm) return;
    Form& stage = *g.StageForm;
    RGN_Draw(g, g.HeroSprite, stage, g.HeroX, g.SpriteTop);
    RGN_Draw(g, g.PlaceSprite, stage, g.VisitorX, g.SpriteTop);
    DrawGauges(g);
    RGN_Apply(g, stage);
}

// The park's window again, now without her row.
void BackToThePark(Game& g) {
    g.StoryNo = 10;
    g.OfferPending = false;
    g.NoClick = NoClickNone;
}

bool NotSatisfied(const Game& g) { return g.GhostFlg[1] < MeatToRest; }

constexpr Beat GhostMeetingBeats[] = {{.step = 28, .act = GhostMet}};
constexpr Beat GhostFeastBeats[] = {
    {.step = 11, .when = HasMeat, .line = "イザベラ：安心して、ちゃんと持ってきたわよ！"},
    {.step = 11, .when = [](const Game& g) { return !HasMeat(g); }, .line = "イザベラ：ごめんなさい。手に入らなかったの…"},
    {.step = 11, .act = CountMeat},
    {.step = 12,
     .when = [](const Game& g) { return g.WorkNum < 1; },
     .line = "女性？？？：そうですか…。ウマックは深淵窟へ向かう道で出現するはずです。引き続き、お願いしますね",
     .finish = Ends},
    {.step = 12, .when = [](const Game& g) { return g.WorkNum >= 1; }, .line = "女性？？？：本当ですか？ありがとうございます！"},
    {.step = 13, .act = EatMeat},
    {.step = 16,
     .when = NotSatisfied,
     .line = "女性？？？：…ダメです。まだ満足できないみたいです。引き続きよろしくお願いします",
     .finish = Ends},
    {.step = 16,
     .when = [](const Game& g) { return !NotSatisfied(g); },
     .line = "女性？？？：あぁ……なんだか満足できました。私、とっても幸せです"},
    {.step = 20, .act = LaidToRest},
    {.step = 23, .act = GhostVanishes},
    {.step = 24, .act = BackToThePark, .finish = Reopens | Quiet},
};

constexpr Talk GhostTalks[] = {
    {.when = [](const Game& g) { return g.GhostFlg[0] == 0; }, .lines = GhostMeeting, .beats = GhostMeetingBeats},
    {.lines = GhostFeast, .beats = GhostFeastBeats, .last = Goes},
};

constexpr Person People[] = {
    {65, LittleGirlTalks}, {63, ManTalks},  {61, SamuraiTalks}, {47, BeastmanTalks},
    {3, ArcherTalks},      {29, ZenloTalks}, {186, GhostTalks},
};

}  // namespace

std::span<const Person> ElwindPeople() { return People; }

}  // namespace q
