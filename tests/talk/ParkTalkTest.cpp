#include <gtest/gtest.h>

#include <functional>

#include "TalkFixture.h"
#include "core/GoToPlace.h"
#include "core/frmOpen.h"
#include "field/frmField.h"
#include "town/frmEvent.h"

namespace q {
namespace {

using test::TalkTest;

struct ParkCase {
    const char* name;
    const char* town;
    Long sprite;
    std::function<void(Game&)> setup;
    size_t lines;
    const char* first;
    const char* last;
    std::function<void(const Game&, const std::vector<std::string>&)> check = nullptr;
};

void PrintTo(const ParkCase& c, std::ostream* os) { *os << c.name; }

class ParkTalks : public TalkTest, public ::testing::WithParamInterface<ParkCase> {};

TEST_P(ParkTalks, LinesAndStateChanges) {
    const ParkCase& c = GetParam();
    Park(c.town, c.sprite);
    c.setup(g());
    const auto lines = Tell(10);
    ASSERT_EQ(lines.size(), c.lines);
    EXPECT_EQ(lines.front(), c.first);
    EXPECT_EQ(lines.back(), c.last);
    EXPECT_EQ(g().StoryNo, StoryEndNo);
    if (c.check) c.check(g(), lines);
}

void Key(Game& g, Long n) { g.AllKey[size_t(n)].LKeyList = true; }

INSTANTIATE_TEST_SUITE_P(
    People, ParkTalks,
    ::testing::Values(
        ParkCase{"OldManWelcomesARenter", "Hanoda", 70, [](Game&) {}, 8,
                 "おじいさん：ふぉーっふぉーっ！若い娘さんじゃな。この街に何をしに来なすった？",
                 "おじいさん：暇な時にでも訪ねてみると良かろうて",
                 [](const Game& g, const auto& lines) {
                     EXPECT_EQ(g.Warasibe, 1);
                     EXPECT_EQ(lines[3], "イザベラ：はい。まだ借家なのですが、いずれは自分の店を建てたいと思ってます");
                 }},
        ParkCase{"OldManWelcomesAShopOwner", "Hanoda", 70, [](Game& g) { g.CarpenSell[0].SLCarpenOk = true; }, 8,
                 "おじいさん：ふぉーっふぉーっ！若い娘さんじゃな。この街に何をしに来なすった？",
                 "おじいさん：暇な時にでも訪ねてみると良かろうて",
                 [](const Game&, const auto& lines) {
                     EXPECT_EQ(lines[3],
                               "イザベラ：はい。勢いあまって店を買ってしまいました。これから良い武具屋にしていきたいと思っています");
                 }},
        ParkCase{"OldManLooksForHisKeyInVain", "Hanoda", 70, [](Game& g) { g.Warasibe = 9, g.ClearFlg = 7; }, 3,
                 "おじいさん：最近、物忘れが激しくての", "おじいさん：鍵が見つからんのじゃ。どこにやったのかのぉ…",
                 [](const Game& g, const auto&) { EXPECT_EQ(g.ClearFlg, 7); }},
        ParkCase{"OldManBeforeStageNineOnlyLikesThePlaza", "Hanoda", 70,
                 [](Game& g) { g.Warasibe = 8, g.ClearFlg = 8, Key(g, 13); }, 1,
                 "おじいさん：この広場は落ち着く空間じゃ…。深夜は開いてないのが残念じゃの",
                 "おじいさん：この広場は落ち着く空間じゃ…。深夜は開いてないのが残念じゃの",
                 [](const Game& g, const auto&) { EXPECT_TRUE(g.AllKey[13].LKeyList); }},
        ParkCase{"ChildOnlyTellsOfTheBoardsUpToStageTwo", "Hanoda", 53, [](Game& g) { g.Warasibe = 2, g.ClearFlg = 6; },
                 3, "子供：掲示板のある場所には、異常を直す結界が張ってあるんだって！",
                 "子供：お姉ちゃんも、具合が悪くなったら掲示板に行くといいよ"},
        ParkCase{"ChildIsBoredBeforeTheYoyo", "Hanoda", 53, [](Game& g) { g.Warasibe = 3, g.ClearFlg = 5; }, 2,
                 "子供：一人で遊ぶのに飽きちゃった", "子供：面白い遊びはないかなぁ？"},
        ParkCase{"MachoScientistRumourAtStageOne", "Hanoda", 133, [](Game& g) { g.Warasibe = 1; }, 4,
                 "マッチョ：東の街道には完璧を求める科学者的なモンスターがいるらしい",
                 "マッチョ：君も街道を行くなら、気をつけたまえ"},
        ParkCase{"DrunkGivesTheSwordToTheQueensQuest", "Hanoda", 184, [](Game& g) { g.NoaFlg[6] = 1; }, 5,
                 "酔っ払い：女王さんがノア装備を欲しがってるって？ヒック…",
                 "酔っ払い：タダでくれてやるよ。もって行きなヒックゥ",
                 [](const Game& g, const auto&) {
                     EXPECT_EQ(g.NoaFlg[3], 1);
                     EXPECT_TRUE(g.AllKey[3].LKeyList);
                     EXPECT_TRUE(g.AllArms[482].LArmsList);
                 }},
        ParkCase{"TheDemonsFallComesBeforeEveryQuest", "Hanoda", 184,
                 [](Game& g) { g.NoaFlg[6] = 1, g.BossOK[11] = true; }, 2,
                 "酔っ払い：ウック、アー。俺が呑んでる間に魔族が復活して、誰かに倒されたんだってよ",
                 "酔っ払い：ま、俺にゃ関係ねぇや。ヒック……もう一杯！",
                 [](const Game& g, const auto&) { EXPECT_EQ(g.NoaFlg[3], 0); }},
        ParkCase{"PriestBlessesAtStageZero", "Hanoda", 67, [](Game&) {}, 3,
                 "ガイア教司祭：ガイア神の御心は、我らを癒し、育んでくださっています",
                 "ガイア教司祭：わずかなお布施で、傷を癒してくれるでしょう"},
        ParkCase{"BaanSpeaksUnderHisOwnName", "Amulet", 11, [](Game&) {}, 3,
                 "剣士バアン：私は、剣士バアン。弟子を探すために、このアミュレットまで来ました",
                 "剣士バアン：どこかに、強い心を持った者はいないものでしょうか"},
        ParkCase{"AsianGirlPointsToElwind", "Amulet", 49, [](Game& g) { g.FortuneFlg = 1; }, 7,
                 "イザベラ：城下の占い師について知りませんか？",
                 "亜細李亜娘：エルウインドに行ってみたら、何かわかるかもしれないわよ",
                 [](const Game& g, const auto&) { EXPECT_EQ(g.FortuneFlg, 2); }},
        ParkCase{"DancerWithoutOilWaitsForBetterStock", "Amulet", 156, [](Game& g) { g.ClearFlg = 3; }, 4,
                 "踊子：はぁ…。最近忙しくて、髪が痛んできたの…",
                 "踊子：そうよねぇ…。いいもの入荷したらまた来て。待ってるわ",
                 [](const Game& g, const auto& lines) {
                     EXPECT_EQ(lines[2], "イザベラ：あいにく、そう言う商品は……");
                     EXPECT_EQ(g.ClearFlg, 3);
                 }},
        ParkCase{"DancerSpeaksAsOdorikoUntilTheDemonFalls", "Amulet", 156, [](Game& g) { g.BossOK[11] = true; }, 2,
                 "踊り子：私の踊りで元気が出たって言ってくれる人がたくさん居るの",
                 "踊り子：平和になったから、もっとたくさんの人に見てもらえるわね"},
        ParkCase{"HoboWithoutSweets", "Amulet", 182, [](Game& g) { g.ClearFlg = 6; }, 2,
                 "宿無し：あー、腹減った～。食うもんねぇか？", "イザベラ：ごめんなさい。今は持ち合わせがなくて…"},
        ParkCase{"ElwindGirlTellsOfTheTroll", "Elwind", 65, [](Game&) {}, 6,
                 "女の子：おねぇちゃん、よく無事に辿り着けたね。途中でトロールに襲われなかった？",
                 "女の子：でももし、腕に自信があるんだったら、可哀想だから暴走を止めてあげてね",
                 [](const Game& g, const auto&) { EXPECT_TRUE(g.TorolFlg); }},
        ParkCase{"ElwindManAsksForHelpWithTheLake", "Elwind", 63,
                 [](Game& g) { g.MyFame = 5000, g.MyLevel = 20, g.Warasibe = 5; }, 10,
                 "男性：ハノダのイザベラさんじゃないか！あんたの噂は聞いてるよ", "男性：それを見てくれ。頼んだよ",
                 [](const Game& g, const auto& lines) {
                     EXPECT_EQ(g.MizuumiFlg, 1);
                     EXPECT_EQ(lines[3], "男性：実はね、この村の近くにね、潤沢湖と言う湖があるんだが、");
                     EXPECT_EQ(lines[6], "男性：潤沢湖へ行く道を教えるから、退治してもらえないだろうか？");
                 }},
        ParkCase{"ElwindManWantsLevelTwenty", "Elwind", 63, [](Game& g) { g.MyFame = 5000, g.MyLevel = 19; }, 2,
                 "男性：私の双子の兄がモノリスにいるんだ", "男性：顔はそっくりなんだが、性格は正反対でね",
                 [](const Game& g, const auto&) { EXPECT_EQ(g.MizuumiFlg, 0); }},
        ParkCase{"SamuraiSawTheKidnapping", "Elwind", 61, [](Game& g) { g.FortuneFlg = 2, g.Warasibe = 8; }, 4,
                 "エルフ侍：この前、変なお婆さんがモンスターにさらわれて行くのを見てしまったでゴザル",
                 "エルフ侍：イザベラ殿、暇なら見てきて欲しいでゴザル",
                 [](const Game& g, const auto&) {
                     EXPECT_EQ(g.FortuneFlg, 3);
                     EXPECT_EQ(g.Warasibe, 9);
                 }},
        ParkCase{"SamuraiOnlyWishesForTheSignature", "Elwind", 61, [](Game& g) { g.ClearFlg = 4; }, 3,
                 "エルフ侍：アミュレット城に、綺麗な踊子が来てるらしいでゴザル",
                 "エルフ侍：せめて、サインだけでも欲しいでゴザルよ"},
        ParkCase{"ArcherWithoutMedicine", "Elwind", 3, [](Game& g) { g.ClearFlg = 1; }, 6,
                 "アーチャー：うぅ……腹が痛い…", "アーチャー：人生とは、こんなにも無情なものだったのか……！",
                 [](const Game& g, const auto& lines) {
                     EXPECT_EQ(lines[4], "イザベラ:ごめんなさい……。持ってないの");
                     EXPECT_EQ(g.ClearFlg, 1);
                 }}),
    [](const auto& info) { return std::string(info.param.name); });

// The chain of valuables, trade by trade through the three parks; each
// person gives the next valuable only for the one before it.
TEST_F(TalkTest, TheChainOfValuablesRunsFromTheSkewerToTheShield) {
    g().Warasibe = 9;
    Keeper("Item");
    Tell(11);
    ASSERT_EQ(g().ClearFlg, 1);
    ASSERT_TRUE(Owns(6));
    struct Trade {
        const char* town;
        Long sprite;
        Long gives;
        Long receives;
    };
    const Trade chain[] = {
        {"Hanoda", 148, 6, 7}, {"Elwind", 3, 7, 8},    {"Hanoda", 133, 8, 9},  {"Amulet", 156, 9, 10},
        {"Elwind", 61, 10, 11}, {"Hanoda", 53, 11, 12}, {"Amulet", 182, 12, 13},
    };
    for (const Trade& t : chain) {
        const Long step = g().ClearFlg;
        Park(t.town, t.sprite);
        Tell(10);
        EXPECT_EQ(g().ClearFlg, step + 1) << t.town << " " << t.sprite;
        EXPECT_FALSE(Owns(t.gives)) << t.sprite;
        EXPECT_TRUE(Owns(t.receives)) << t.sprite;
    }
    Park("Hanoda", 70);
    const auto lines = Tell(10);
    EXPECT_EQ(lines.back(), "おじいさん：お礼にこのノアの盾をやろう！持って行ってくれ");
    EXPECT_EQ(g().ClearFlg, 9);
    EXPECT_FALSE(Owns(13));
    EXPECT_TRUE(Owns(2));
    EXPECT_EQ(g().NoaFlg[2], 1);
    EXPECT_TRUE(g().AllArms[481].LArmsList);
    // Each trader has only small talk afterwards.
    Park("Hanoda", 148);
    EXPECT_EQ(Tell(10).front(), "おばあさん：ぐーぐー……Zzz");
}

TEST_F(TalkTest, APersonNobodyKnowsRepeatsTheLineOnTheBar) {
    g().MessageText = "イザベラ：誰に話し掛ける？";
    Park("Hanoda", 65);  // the Elwind girl is not in Hanoda
    EXPECT_EQ(Step(10), "イザベラ：誰に話し掛ける？");
    EXPECT_EQ(g().StoryNo, 10);
}

// --- The ghost of the Elwind park ---

class GhostTest : public TalkTest {
protected:
    GhostTest() {
        g().FieldName = "Elwind";
        GoToPlace(g(), "Park", "", "", "");
        Park("Elwind", 186);
        g().NoaFlg[6] = 1;
    }
    static constexpr Long Meat = 41;
};

TEST_F(GhostTest, FirstMeetingAsksForUmakMeat) {
    g().GhostFlg[1] = 4;
    const auto lines = Tell(10);
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[11], "女性？？？：ウマックです。死ぬ前にウマックの肉がタラフク食べたかった……");
    EXPECT_EQ(lines.back(), "女性？？？：よろしくお願いします……");
    EXPECT_EQ(g().GhostFlg[0], 1);
    EXPECT_EQ(g().GhostFlg[1], 0);
}

TEST_F(GhostTest, WithoutMeatSheRepeatsHerRequest) {
    g().GhostFlg[0] = 1;
    g().GhostFlg[1] = 3;
    const auto lines = Tell(10);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "イザベラ：ごめんなさい。手に入らなかったの…");
    EXPECT_EQ(g().GhostFlg[1], 3);
}

// A sack entry holds at most nine pieces: ten are reached over two visits.
TEST_F(GhostTest, TenPiecesOverTwoVisitsLayHerToRest) {
    Window();
    g().GhostFlg[0] = 1;
    Sack(Meat, 9);
    auto lines = Tell(10);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[3], "女性？？？：では、9本いただきますね");
    EXPECT_EQ(lines.back(), "女性？？？：…ダメです。まだ満足できないみたいです。引き続きよろしくお願いします");
    EXPECT_EQ(g().GhostFlg[1], 9);
    EXPECT_EQ(InSack(Meat), 0);

    Sack(Meat, 1);
    const auto loads = window->loads.size();
    lines = Tell(10);
    // Steps 10 to 23, then the click that rebuilds the park's window without
    // her row and shows no line of its own.
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[3], "女性？？？：では、1本いただきますね");
    EXPECT_EQ(lines[13], "イザベラ：消えちゃった…。ちゃんと成仏できたみたいね。良かったわ");
    EXPECT_EQ(lines[14], lines[13]);
    EXPECT_EQ(g().GhostFlg[0], 2);
    EXPECT_EQ(g().NoaFlg[5], 1);
    EXPECT_TRUE(Owns(5));
    EXPECT_TRUE(g().AllArms[484].LArmsList);
    ASSERT_EQ(window->loads.size(), loads + 1);
    EXPECT_TRUE(window->loads.back());
    EXPECT_EQ(g().StoryNo, 10);
    EXPECT_FALSE(g().OfferPending);
    EXPECT_EQ(g().NoClick, NoClickNone);
}

// Meat dropped from the sack between her question and her meal is not
// taken twice, nor is another entry of the sack touched.
TEST_F(GhostTest, SheEatsOnlyTheMeatStillInTheSack) {
    g().GhostFlg[0] = 1;
    Sack(Meat, 5);
    Step(10);
    Step(11);
    Step(12);
    const Long entry = g().HaveSack - 1;
    ASSERT_TRUE(SackChange(g(), Meat, entry, true, 3, false));
    const Long kinds = g().HaveSack;
    EXPECT_EQ(Step(13), "女性？？？：では、2本いただきますね");
    EXPECT_EQ(g().GhostFlg[1], 2);
    EXPECT_EQ(g().HaveSack, kinds - 1);
    EXPECT_EQ(InSack(0), 3);  // the heroine's own herbs stay
}

// --- ピレル and ゼンロ, after a clear ---

TEST_F(TalkTest, PirelAsksWithNoAsTheDefault) {
    Park("Hanoda", 0);
    g().GameCleared = true;
    const auto lines = Tell(10);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(WholeBar(), "ピレル：一番最初に戻してあげようか？ [強くてニューゲーム(Y)] [止めておく(N/G)]");
    EXPECT_TRUE(g().WaitingAnswer);
    EXPECT_EQ(g().StoryNo, 11);
    EXPECT_EQ(g().AnswerKey, AnswerNone);

    g().WaitingAnswer = false;
    EXPECT_EQ(Step(50), "ピレル：そぉ？やり直したくなったら私に言ってね");
    EXPECT_EQ(g().StoryNo, StoryEndNo);
    EXPECT_EQ(g().MyLevel, 1);
}

TEST_F(TalkTest, NewGamePlusBuildsAPendingExtensionFirst) {
    Park("Hanoda", 0);
    g().CarpenOrder = {2, 30, 40};
    EXPECT_EQ(Step(30), "ピレル：今度こそ、後悔しないようにね");
    EXPECT_EQ(g().NowMaxShop, 20 + 30);
    EXPECT_EQ(g().NowMaxStock, 30 + 40);
    EXPECT_EQ(g().CarpenOrder, (std::array<Long, 3>{0, 0, 0}));
}

TEST_F(TalkTest, NewGamePlusRestartsTheGameKeepingTheHeroine) {
    g().FieldName = "Hanoda";
    GoToPlace(g(), "Board", "", "", "");
    Window();
    Park("Hanoda", 0);
    g().GameCleared = true;
    g().MyLevel = 40;
    g().MyMaxHp = 900;
    g().MyNowHp = 10;
    g().MyGold = 123456;
    g().Warasibe = 12;
    g().MessageText = "ピレル：今度こそ、後悔しないようにね";
    Step(31);
    host.Flush();
    EXPECT_EQ(transcript.str().find("program ended"), std::string::npos);
    EXPECT_FALSE(g().Ended());
    EXPECT_EQ(g().SceneFormName, "frmShop");
    EXPECT_TRUE(g().NewGame);
    EXPECT_FALSE(g().TimersSuspended);
    EXPECT_FALSE(g().frmOpen.loaded());
    EXPECT_FALSE(g().frmEvent.loaded());
    EXPECT_FALSE(window->loaded());
    EXPECT_EQ(g().MyLevel, 40);
    EXPECT_EQ(g().MyNowHp, 900);
    EXPECT_TRUE(g().GameCleared);
    EXPECT_EQ(g().MyGold, 300);
    EXPECT_EQ(g().Warasibe, 0);
    EXPECT_NE(Bar(), "ピレル：今度こそ、後悔しないようにね");
}

// The restart's hold keeps the program alive only while it is held.
TEST_F(TalkTest, AProgramLeftWithoutFormsEndsWhenTheHoldIsReleased) {
    {
        const FormsApp::Hold running(g().app);
        for (Form* f : std::vector<Form*>(g().app.Forms())) f->Unload();
        EXPECT_FALSE(g().Ended());
    }
    EXPECT_TRUE(g().Ended());
}

TEST_F(TalkTest, ZenloSendsHerIntoTheEndlessCorridor) {
    g().FieldName = "Elwind";
    GoToPlace(g(), "Park", "", "", "");
    Window();
    g().FacilityFormName = "frmItemShop";
    Park("Elwind", 29);
    g().GameCleared = true;
    Tell(10);
    EXPECT_EQ(WholeBar(), "ゼンロ：教えてやってもいいけど、死んでも知らないからな [無限回廊へ行く(Y)] [止めておく(N/G)]");
    g().WaitingAnswer = false;
    EXPECT_EQ(Step(30), "ゼンロ：気をつけろよー！");
    EXPECT_EQ(Step(31), "");
    EXPECT_EQ(g().SceneFormName, "frmField");
    EXPECT_EQ(g().FieldName, "ElfMugen");
    EXPECT_EQ(g().ResumeCode[0], ResumeNone);
    EXPECT_FALSE(g().frmEvent.loaded());
    EXPECT_FALSE(window->loaded());
}

}  // namespace
}  // namespace q
