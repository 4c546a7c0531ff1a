// The people of the Hanoda park.
#include "core/Startup.h"
#include "core/frmOpen.h"
#include "town/ParkPeople.h"

namespace q {

namespace {

// --- おじいさん ---

constexpr const char* OldManPeace[] = {
    "おじいさん：ジークを倒したのは娘さんなんじゃろ？",
    "おじいさん：わしの若い頃にそっくりじゃ。ふぉーっふぉーっ！",
};
constexpr const char* OldManGranny[] = {
    "おじいさん：そこで寝ているばあさんは、特製カルビ串が大好物じゃ",
    "おじいさん：起こして食べさせてやると、喜ぶじゃろうて",
};
constexpr const char* OldManWelcome[] = {
    "おじいさん：ふぉーっふぉーっ！若い娘さんじゃな。この街に何をしに来なすった？",
    "イザベラ：こんにちは。この街で武具屋を始めたイザベラです",
    "おじいさん：ほぅ、武具屋とな。若いのに感心じゃ。店を構えたのかの？",
    nullptr,
    "おじいさん：そうかそうか。なら、鍛冶屋を訪ねてみるとええ",
    "イザベラ：鍛冶屋さん、ですか？",
    "おじいさん：そうじゃ。街の東にある森の入口に住んどる変わり者じゃ",
    "おじいさん：暇な時にでも訪ねてみると良かろうて",
};
constexpr const char* OldManSmith[] = {"おじいさん：鍛冶屋には会ったかの？レインウッドの入口にいるぞ"};
constexpr const char* OldManPlaza[] = {"おじいさん：この広場は落ち着く空間じゃ…。深夜は開いてないのが残念じゃの"};
constexpr const char* OldManChest[] = {
    "おじいさん：最近、物忘れが激しくての",
    "おじいさん：ノアの盾が入った宝箱があるんだがの、",
    "おじいさん：鍵が見つからんのじゃ。どこにやったのかのぉ…",
    "イザベラ：もしかして、この鍵でしょうか？",
    "おじいさん：おぉ！その鍵じゃ、その鍵じゃ！どこで見つけたんじゃ？",
    "イザベラ：アミュレットで、ある方から譲っていただいたんです",
    "おじいさん：不思議な縁もあるもんじゃのぉ。どれ、開けてみるかの",
    "おじいさん：……ふむ、中身も無事じゃ。わしが持っとっても宝の持ち腐れじゃな",
    "おじいさん：お礼にこのノアの盾をやろう！持って行ってくれ",
};

bool OwnShopBuilt(const Game& g) { return g.CarpenSell[0].SLCarpenOk; }

void ShieldForTheKey(Game& g) {
    g.AllKey[13].LKeyList = false;
    NoahGift(g, 2, 481);
    g.ClearFlg = 9;
}

constexpr Beat OldManWelcomeBeats[] = {
    {.step = 13,
     .when = OwnShopBuilt,
     .line = "イザベラ：はい。勢いあまって店を買ってしまいました。これから良い武具屋にしていきたいと思っています"},
    {.step = 13,
     .when = [](const Game& g) { return !OwnShopBuilt(g); },
     .line = "イザベラ：はい。まだ借家なのですが、いずれは自分の店を建てたいと思ってます"},
    {.step = 17, .act = SetWarasibe<1>},
};
constexpr Beat OldManPlazaBeats[] = {{.step = 10, .act = RefreshLists}};
constexpr Beat OldManChestBeats[] = {
    {.step = 12, .when = [](const Game& g) { return g.ClearFlg != 8; }, .finish = Ends},
    {.step = 18, .act = ShieldForTheKey},
};

constexpr Talk OldManTalks[] = {
    {.when = DemonBeaten, .lines = OldManPeace},
    {.when = [](const Game& g) { return g.ClearFlg == 1; }, .lines = OldManGranny},
    {.when = [](const Game& g) { return g.Warasibe == 0; }, .lines = OldManWelcome, .beats = OldManWelcomeBeats},
    {.when = [](const Game& g) { return g.Warasibe == 1; }, .lines = OldManSmith},
    {.when = [](const Game& g) { return g.Warasibe < 9 || g.ClearFlg > 8; },
     .lines = OldManPlaza, .beats = OldManPlazaBeats},
    {.lines = OldManChest, .beats = OldManChestBeats},
};

// --- おばあさん ---

constexpr const char* GrannyPeace[] = {
    "おばあさん：平和が戻ったことだし、カルビ串が食べたいのぉ",
    "おばあさん：娘さんや、また今度持ってきておくれ",
};
constexpr const char* GrannyTrade[] = {
    "おばあさん：ぐーぐー……Zzz…はっ！！",
    "おばあさん：くんくん……この匂いは……",
    "イザベラ：あ、おばあさん。起こしちゃいましたか？",
    "おばあさん：おぬし、もしや特製カルビ串を持っておるな？",
    "イザベラ：はい。エルウインドの道具屋さんにいただいたんです",
    "おばあさん：わしはカルビ串に目がなくての。夢にまで出てくるんじゃ",
    "おばあさん：そこで相談なんじゃが……",
    "おばあさん：おぬしのカルビ串を、この整腸剤と交換してくれぇい！",
    "イザベラ：ええ、いいですよ。どうぞ召し上がってください",
    "おばあさん：ヤッホーーーイ！長生きはするもんじゃのぉ！！",
};
constexpr const char* GrannyNight[] = {
    "おばあさん：モンスターは夜になると凶暴になるんじゃ",
    "おばあさん：暗くなってから街の外を歩くのは、気をつけた方がええぞ",
    "おばあさん：夜中には、昼間は見かけんモンスターも出るそうじゃからの",
};
constexpr const char* GrannySmith[] = {
    "おばあさん：鍛冶屋には行ってみたかの？",
    "おばあさん：あの男はぶっきらぼうじゃが、腕は確かじゃよ",
};
constexpr const char* GrannyOldFriend[] = {
    "おばあさん：そこにいるじいさんとは、5歳の時からの付き合いじゃ",
    "おばあさん：昔はそれはもう、いい男じゃったんじゃがのぉ",
    "おばあさん：今じゃすっかり物忘れが激しくなってしもうて",
};
constexpr const char* GrannyAsleep[] = {
    "おばあさん：ぐーぐー……Zzz",
    "イザベラ：……気持ち良さそうに寝てるわ。そっとしておきましょう",
};

constexpr Beat GrannyTradeBeats[] = {{.step = 19, .act = Trade<6, 7, 2>}};

constexpr Talk GrannyTalks[] = {
    {.when = DemonBeaten, .lines = GrannyPeace},
    {.when = [](const Game& g) { return g.ClearFlg == 1; }, .lines = GrannyTrade, .beats = GrannyTradeBeats},
    {.when = [](const Game& g) { return g.Warasibe == 1; }, .lines = GrannyNight},
    {.when = [](const Game& g) { return g.Warasibe == 2; }, .lines = GrannySmith},
    {.when = [](const Game& g) { return g.Warasibe == 3; }, .lines = GrannyOldFriend},
    {.lines = GrannyAsleep},
};

// --- 男の子 ---

constexpr const char* ChildPeace[] = {
    "子供：見て見て、お姉ちゃん！ヨーヨー出来るようになったんだよ",
    "子供：いつか、お姉ちゃんみたいに強くなるんだ！",
};
constexpr const char* ChildTrade[] = {
    "子供：一人で遊ぶのに飽きちゃった",
    "子供：面白い遊びはないかなぁ？",
    "イザベラ：これなんてどう？",
    "子供：なにこれ？丸いのにヒモがついてる！",
    "イザベラ：ヨーヨーって言うのよ。こうやって、手首を返して……",
    "子供：うわぁ！戻ってきた！すごいすごい！",
    "子供：ボクにもやらせて！",
    "イザベラ：面白そうでしょ？僕にあげるね",
    "子供：本当！？ありがとう、お姉ちゃん！",
    "子供：じゃあ、代わりに僕のお気に入りのお菓子をあげるね",
};
constexpr const char* ChildYoyo[] = {
    "子供：この、ヨーヨーってオモチャ。なかなか難しいね",
    "子供：でも、ボクもっと練習してうまくなるんだ！",
};
constexpr const char* ChildBoard[] = {
    "子供：掲示板のある場所には、異常を直す結界が張ってあるんだって！",
    "子供：毒とかマヒになっても、掲示板の前に来れば治っちゃうんだよ",
    "子供：お姉ちゃんも、具合が悪くなったら掲示板に行くといいよ",
};

constexpr Beat ChildTradeBeats[] = {
    {.step = 11, .when = [](const Game& g) { return g.ClearFlg != 6; }, .finish = Ends},
    {.step = 19, .act = Trade<11, 12, 7>},
};

constexpr Talk ChildTalks[] = {
    {.when = DemonBeaten, .lines = ChildPeace},
    {.when = [](const Game& g) { return g.Warasibe > 2 && g.ClearFlg <= 6; },
     .lines = ChildTrade, .beats = ChildTradeBeats},
    {.when = [](const Game& g) { return g.Warasibe > 2; }, .lines = ChildYoyo},
    {.lines = ChildBoard},
};

// --- マッチョ ---

constexpr const char* MachoPeace[] = {
    "マッチョ：魔族を倒したそうじゃないか！",
    "マッチョ：君の筋肉も、さぞかし美しいに違いない",
    "マッチョ：今度、一緒にトレーニングしようじゃないか！",
};
constexpr const char* MachoTrade[] = {
    "マッチョ：見てくれ、この筋肉の美しさを！！",
    "イザベラ：は、はぁ……",
    "マッチョ：毎日鍛えに鍛えて、ここまで仕上げたのだよ",
    "マッチョ：だが、最近どうも伸び悩んでいてね",
    "マッチョ：筋肉には、特別な栄養が必要なのさ",
    "マッチョ：このドリンクを知っているかね？",
    "イザベラ：いいえ……。あ、でも、この水筒の中身も何かの飲み物みたいですけど",
    "マッチョ：どれどれ、ちょっと見せてくれたまえ",
    "マッチョ：これはっ！！28年物のプロテイン！",
    "イザベラ：に、28年物……ですか？",
    "マッチョ：幻の一品だよ！一口飲めば、筋肉が歓喜の歌を歌い出す！",
    "マッチョ：君、これをボクに譲ってはくれないか？",
    "イザベラ：ええ、そんなに喜んでもらえるなら、どうぞ",
    "マッチョ：おぉぉ！ありがとう！！",
    "マッチョ：ゴクゴクゴク……。くぅーっ！筋肉に染み渡るぅ！",
    "マッチョ：タダでもらうのは悪いから、お礼に椿油をあげよう",
    "イザベラ：椿油？マッチョさんが使ってたんですか？",
    "マッチョ：燃えてきたぁ！もっと美を追求するぞー",
};
constexpr const char* MachoScientist[] = {
    "マッチョ：東の街道には完璧を求める科学者的なモンスターがいるらしい",
    "マッチョ：なんでも、自分の体を作り変え続けているそうだ",
    "マッチョ：完璧な肉体……。ボクも一度、手合わせしてみたいものだ",
    "マッチョ：君も街道を行くなら、気をつけたまえ",
};
constexpr const char* MachoElves[] = {
    "マッチョ：エルフの里を見つけたのか？",
    "マッチョ：エルフはみんな細身だと聞く。ボクの筋肉を見たら驚くだろうな",
    "マッチョ：いつか、エルフにもこの美しさを見せてあげたいものだ",
};
constexpr const char* MachoCave[] = {
    "マッチョ：ボクの情報網によると、最近深淵窟にモンスターが集結しているらしい",
    "マッチョ：何か良くない事が起こる前触れでなければいいのだが",
};
constexpr const char* MachoQueen[] = {
    "マッチョ：アミュレットの女王様にはお会いしたかい？",
    "マッチョ：お美しい方だと評判だ。ボクの筋肉と、どちらが美しいだろうか",
    "マッチョ：……いや、比べるのは失礼というものだな",
};
constexpr const char* MachoTower[] = {"マッチョ：ネクザスの塔についてはボクもあまり知らないな"};
constexpr const char* MachoDemon[] = {
    "マッチョ：大変なことが起こっているようだな",
    "マッチョ：魔族が蘇ったと聞いた。ボクの筋肉も震えているよ",
    "マッチョ：……武者震いさ。本当だよ？",
};
constexpr const char* MachoShowOff[] = {
    "マッチョ：そろそろボクの美しさを他の人にも見せて回りたいな",
    "マッチョ：君、どこか人の集まる場所を知らないかい？",
};

constexpr Beat MachoTradeBeats[] = {{.step = 27, .act = Trade<8, 9, 4>}};

constexpr Talk MachoTalks[] = {
    {.when = DemonBeaten, .lines = MachoPeace},
    {.when = [](const Game& g) { return g.ClearFlg == 3; }, .lines = MachoTrade, .beats = MachoTradeBeats},
    {.when = [](const Game& g) { return g.Warasibe <= 1; }, .lines = MachoScientist},
    {.when = [](const Game& g) { return g.Warasibe == 6; }, .lines = MachoElves},
    {.when = [](const Game& g) { return g.Warasibe == 7 || g.Warasibe == 8; }, .lines = MachoCave},
    {.when = [](const Game& g) { return g.Warasibe == 9 || g.Warasibe == 10; }, .lines = MachoQueen},
    {.when = [](const Game& g) { return g.Warasibe == 11; }, .lines = MachoTower},
    {.when = [](const Game& g) { return g.Warasibe == 12; }, .lines = MachoDemon},
    {.lines = MachoShowOff},
};

// --- ガイア教司祭 ---

constexpr const char* PriestPeace[] = {
    "ガイア教司祭：あぁ、神よ。私はあなたの試練を乗り越えることができた",
    "ガイア教司祭：そして、あなたにもガイア神のご加護がありますように",
};
constexpr const char* PriestElves[] = {
    "ガイア教司祭：エルフに会ったのですね",
    "ガイア教司祭：エルフは森と共に生き、ガイア神を敬う古き民です",
    "ガイア教司祭：彼らの森には、人の知らぬ場所が数多くあると聞きます",
    "イザベラ：司祭様は、エルフの里に行ったことがあるのですか？",
    "ガイア教司祭：若い頃に一度だけ。それは美しい所でした",
    "ガイア教司祭：あなたの旅にも、ガイア神のお導きがありますように",
};
constexpr const char* PriestTrial[] = {
    "ガイア教司祭：あぁ、これも神の試練なのでしょうか？",
    "ガイア教司祭：魔族の復活に、街の人々も怯えています",
    "ガイア教司祭：私にできるのは、祈ることだけです……",
};
constexpr const char* PriestBlessing[] = {
    "ガイア教司祭：ガイア神の御心は、我らを癒し、育んでくださっています",
    "ガイア教司祭：旅の途中で傷ついた時は、道行く司祭を頼りなさい",
    "ガイア教司祭：わずかなお布施で、傷を癒してくれるでしょう",
};

constexpr Talk PriestTalks[] = {
    {.when = DemonBeaten, .lines = PriestPeace},
    {.when = [](const Game& g) { return g.Warasibe >= 6 && g.Warasibe <= 8; }, .lines = PriestElves},
    {.when = [](const Game& g) { return g.Warasibe == 12; }, .lines = PriestTrial},
    {.lines = PriestBlessing},
};

// --- 酔っ払い ---

constexpr const char* DrunkPeace[] = {
    "酔っ払い：ウック、アー。俺が呑んでる間に魔族が復活して、誰かに倒されたんだってよ",
    "酔っ払い：ま、俺にゃ関係ねぇや。ヒック……もう一杯！",
};
constexpr const char* DrunkSword[] = {
    "酔っ払い：女王さんがノア装備を欲しがってるって？ヒック…",
    "酔っ払い：ノアの剣なら、俺が持ってるぜぇ。ウィ～",
    "イザベラ：えっ！本当ですか？",
    "酔っ払い：酒場のツケのかたに貰ったんだがよ、重くて邪魔でしょうがねぇ",
    "酔っ払い：タダでくれてやるよ。もって行きなヒックゥ",
};
constexpr const char* DrunkWife[] = {
    "酔っ払い：うちのカミさんヒデェんだぜ",
    "酔っ払い：ちょっと呑んで帰っただけで、家に入れてくれねぇんだ",
    "酔っ払い：だから、今日もここで寝るしかねぇ。ヒック",
    "イザベラ：……呑まなければいいんじゃないですか？",
    "酔っ払い：そいつぁ無理な相談だぜぇ。ウィ～",
};
constexpr const char* DrunkGuarded[] = {
    "酔っ払い：俺ァ警備に入っといて良かったぜ",
    "酔っ払い：この前、家に泥棒が入ってよぉ。ヒック",
    "酔っ払い：警備の連中がすぐに来て、捕まえてくれたんだ",
    "酔っ払い：あんたの店も、警備に入っといた方がいいぜぇ",
};
constexpr const char* DrunkAdvice[] = {
    "酔っ払い：当たり前のことだが、警備とかにゃあ入っといた方がいいぜ",
    "酔っ払い：泥棒に火事、何が起きるかわかりゃしねぇ。ヒック",
    "酔っ払い：不動産屋に行きゃあ、契約できるってもんよ",
};

constexpr Beat DrunkSwordBeats[] = {{.step = 14, .act = Noah<3, 482>}};

constexpr Talk DrunkTalks[] = {
    {.when = DemonBeaten, .lines = DrunkPeace},
    {.when = [](const Game& g) { return g.NoaFlg[6] == 1 && g.NoaFlg[3] == 0; },
     .lines = DrunkSword, .beats = DrunkSwordBeats},
    {.when = [](const Game& g) { return g.Warasibe >= 8; }, .lines = DrunkWife},
    {.when = [](const Game& g) { return g.Warasibe >= 4 && g.Warasibe <= 7; }, .lines = DrunkGuarded},
    {.lines = DrunkAdvice},
};

// --- ピレル: New Game Plus ---

constexpr const char* PirelOffer[] = {
    "ピレル：あら？あなた、人生をやり直したがってる顔をしてるわね",
    "ピレル：一番最初に戻してあげようか？",
};

// A pending carpenter work is built before the world starts again.
void ApplyCarpenOrder(Game& g) {
    if (g.CarpenOrder[0] == 1) {
        g.NowMaxShop = g.CarpenOrder[1];
        g.NowMaxStock = g.CarpenOrder[2];
    } else if (g.CarpenOrder[0] >= 2) {
        g.NowMaxShop += g.CarpenOrder[1];
        g.NowMaxStock += g.CarpenOrder[2];
    }
    g.CarpenOrder.fill(0);
}

// Every window goes, and the title window, loaded unseen, starts the game
// again keeping the heroine.
void StartNewGamePlus(Game& g) {
    const FormsApp::Hold running(g.app);
    const std::string stage = g.StageForm ? g.StageForm->Name() : std::string();
    UnloadFormsExcept(g, stage);
    if (g.StageForm) g.StageForm->Unload();
    g.TimersSuspended = true;
    g.frmOpen.get();
    g.frmOpen.Unload();
    g.TimersSuspended = false;
}

constexpr Beat PirelBeats[] = {
    {.step = 11, .finish = Asks, .yes = "強くてニューゲーム", .no = "止めておく"},
    {.step = 50, .line = "ピレル：そぉ？やり直したくなったら私に言ってね", .finish = Ends},
    {.step = 30, .line = "ピレル：今度こそ、後悔しないようにね", .act = ApplyCarpenOrder},
    {.step = 31, .act = StartNewGamePlus, .finish = Quiet},
};

constexpr Talk PirelTalks[] = {{.lines = PirelOffer, .beats = PirelBeats}};

constexpr Person People[] = {
    {70, OldManTalks}, {148, GrannyTalks}, {53, ChildTalks}, {133, MachoTalks},
    {67, PriestTalks}, {184, DrunkTalks},  {0, PirelTalks},
};

}  // namespace

std::span<const Person> HanodaPeople() { return People; }

}  // namespace q
