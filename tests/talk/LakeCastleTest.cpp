#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "TalkFixture.h"
#include "core/GoToPlace.h"
#include "core/StoryInput.h"

namespace q {
namespace {

using test::Pick;
using test::TalkTest;

// The lake and the castle are talked on the town board: the board's item
// starts the talk, every click and key goes through the story protocol.
class BoardTalkTest : public TalkTest {
protected:
    void Board(const char* town) {
        g().FieldName = town;
        GoToPlace(g(), "Board", "", "", "");
    }
    void Choose(const char* item) { g().Call(std::string("frmBoard.") + item + "_Click"); }
    std::string Key(int key) {
        KeyToClick(g(), key);
        return Bar();
    }
    std::string Click() { return Key(vbKeyG); }
    // Clicks through the talk to its end; the lines from the first on.
    std::vector<std::string> ClickToTheEnd() {
        std::vector<std::string> lines{Bar()};
        for (int guard = 0; guard < 40 && g().StoryNo != StoryEndNo; ++guard) lines.push_back(Click());
        return lines;
    }
    void ExpectBackOnTheBoard() {
        EXPECT_EQ(Click(), "イザベラ：さて、どこに行こうかしら");
        EXPECT_EQ(g().EventField, "Board");
        EXPECT_FALSE(g().EventBusy);
    }
    void Bag(Long arm, Long n = 1) { ASSERT_TRUE(BagChange(g(), arm, 0, false, n)); }

    static constexpr Long Wood = 154, Iron = 62, Copper = 219, Silver = 157, Gold = 479;
};

// --- The lake ---

TEST_F(BoardTalkTest, TheGuardianFightsAndAfterItsDefeatLeavesTheLake) {
    // The fight itself has its own tests; here it only matters that it starts.
    g().SetHandler("BattleDispatch", [this](Long) { Record("BattleDispatch"); });
    Board("Elwind");
    Choose("bJuntaku");
    EXPECT_EQ(Bar(), "トレント君：なんだぁ～？お前はだぁれだぁ～？");
    EXPECT_EQ(Click(), "トレント君：この湖は俺の物だぁ～。誰にも渡さないぞぉ～！");
    EXPECT_EQ(g().StoryNo, 50);
    Click();
    EXPECT_EQ(g().StoryName, "Fighting");
    EXPECT_EQ(g().SavedEventField, "Umi");
    ASSERT_EQ(std::count(calls.begin(), calls.end(), "BattleDispatch"), 1);

    // The battle's victory gives the place and the story back at step 100.
    g().EventField = g().SavedEventField;
    g().StoryName = g().SavedStoryName;
    g().StoryNo = 100;
    EXPECT_EQ(Click(), "トレント君：お前強いなぁ～。負けたよぉ～");
    EXPECT_EQ(Click(), "トレント君：俺はぁ～、他の所に移ることにするよぉ～");
    EXPECT_TRUE(g().BossOK[6]);
    ExpectBackOnTheBoard();
}

class GoddessTest : public BoardTalkTest {
protected:
    GoddessTest() {
        g().BossOK[6] = true;
        g().MegamiFlg = 1;
        Board("Elwind");
    }
    // From her first line to her question.
    std::string ToTheQuestion() {
        Click();
        Click();
        Click();
        return WholeBar();
    }
    std::string Offer(const char* axe) {
        return std::string("潤沢の女神：この") + axe + "ですか？ [それです！(Y)] [違います(N/G)]";
    }
};

TEST_F(GoddessTest, HonestAnswerReturnsTheAxeWithAGift) {
    Bag(Gold);
    Draws({Pick(0, 1), Pick(4, 5), Pick(0, 5)});
    Choose("bJuntaku");
    EXPECT_EQ(g().VisitorSprite, 146);
    EXPECT_EQ(Bar(), "イザベラ：あっ！！湖に斧を落としちゃったわ！");
    EXPECT_EQ(InBag(Gold), 0);
    EXPECT_EQ(ToTheQuestion(), Offer("金の斧"));
    EXPECT_EQ(Key(vbKeyY), "潤沢の女神：………………………………………");
    EXPECT_EQ(Click(), "潤沢の女神：あなたは正直者ですね。とても好感が持てて良いですよ");
    EXPECT_EQ(Click(), "潤沢の女神：正直者のあなたには、この木の斧を差し上げましょう");
    EXPECT_EQ(Click(), "潤沢の女神：いつまでも、心の清らかさを大切にしてくださいね");
    EXPECT_EQ(InBag(Gold), 1);
    EXPECT_EQ(InBag(Wood), 1);
    EXPECT_EQ(g().MegamiFlg, 0);
    ExpectBackOnTheBoard();
}

TEST_F(GoddessTest, RefusingHerOwnAxeWithEnterLosesIt) {
    Bag(Gold);
    Draws({Pick(0, 1), Pick(4, 5)});
    Choose("bJuntaku");
    ToTheQuestion();
    EXPECT_EQ(Key(vbKeyReturn),
              "潤沢の女神：あなたは自分の持ち物に愛着がないのですか？それなら私が戴いておきます。お帰りなさい！");
    EXPECT_EQ(InBag(Gold), 0);
    EXPECT_EQ(g().MegamiFlg, 0);
    ExpectBackOnTheBoard();
}

TEST_F(GoddessTest, RefusedOffersAreNeverTheSameAxeTwiceInARow) {
    Bag(Wood);
    Draws({Pick(0, 1), Pick(1, 5), Pick(1, 5), Pick(1, 5), Pick(3, 5)});
    Choose("bJuntaku");
    EXPECT_EQ(ToTheQuestion(), Offer("鉄の斧"));
    EXPECT_EQ(Key(vbKeyN), "潤沢の女神：あなたが落としたのは、");
    Click();
    EXPECT_EQ(WholeBar(), Offer("銀の斧"));
    EXPECT_EQ(g().WorkNum4, Silver);
}

TEST_F(GoddessTest, ALieCostsTheAxe) {
    Bag(Wood);
    Draws({Pick(0, 1), Pick(2, 5)});
    Choose("bJuntaku");
    EXPECT_EQ(ToTheQuestion(), Offer("銅の斧"));
    Key(vbKeyY);
    EXPECT_EQ(Click(), "潤沢の女神：あなたは今、嘘をつきましたね");
    EXPECT_EQ(Click(), "潤沢の女神：私は嘘つきは嫌いです！落とした斧は返しません。とっととお帰りなさい！！");
    EXPECT_EQ(InBag(Wood), 0);
    EXPECT_EQ(InBag(Copper), 0);
    EXPECT_EQ(g().MegamiFlg, 0);
}

TEST_F(GoddessTest, AFullBagTakesBackOnlyTheDroppedAxe) {
    g().NowMaxBag = 2;
    Bag(Iron);
    Bag(5);
    Draws({Pick(0, 1), Pick(1, 5), Pick(1, 5)});
    Choose("bJuntaku");
    ToTheQuestion();
    Key(vbKeyY);
    Click();
    Click();
    EXPECT_EQ(Click(), "潤沢の女神：あらあら、鞄が一杯のようですね。残念ですが、諦めなさい");
    EXPECT_EQ(InBag(Iron), 1);
    EXPECT_EQ(g().HaveBagNum, 2);
}

TEST_F(GoddessTest, WithoutAnAxeTheSpringRunsAndSheMayComeAgain) {
    NoDraws();
    Choose("bJuntaku");
    EXPECT_EQ(Bar(), "イザベラ：綺麗な湖ね。水を汲んでいきましょう…");
    EXPECT_EQ(g().VisitorSprite, NoSprite);
    EXPECT_EQ(g().MegamiFlg, 1);
    EXPECT_EQ(Click(), "イザベラ：ここはいつ来ても心が癒されるわ");
    ExpectBackOnTheBoard();
}

struct SpringCase {
    const char* name;
    Long waterHeld;   // 0: no entry
    bool sackFull;
    Long waterAfter;
    const char* line;
};

void PrintTo(const SpringCase& c, std::ostream* os) { *os << c.name; }

class Spring : public BoardTalkTest, public ::testing::WithParamInterface<SpringCase> {};

TEST_P(Spring, FillsTheWaterUpToNine) {
    const SpringCase& c = GetParam();
    g().BossOK[6] = true;
    if (c.waterHeld) Sack(28, c.waterHeld);
    if (c.sackFull) g().NowMaxSack = g().HaveSack;
    Board("Elwind");
    Choose("bJuntaku");
    EXPECT_EQ(Click(), c.line);
    EXPECT_EQ(InSack(28), c.waterAfter);
    ExpectBackOnTheBoard();
}

INSTANTIATE_TEST_SUITE_P(
    Water, Spring,
    ::testing::Values(SpringCase{"FourBecomeNine", 4, false, 9, "イザベラ：ここはいつ来ても心が癒されるわ"},
                      SpringCase{"NoneBecomeNine", 0, false, 9, "イザベラ：ここはいつ来ても心が癒されるわ"},
                      SpringCase{"NineAreAFullEntry", 9, false, 9,
                                 "イザベラ：……と思ったけど、袋が一杯ね。また今度にしましょう"},
                      SpringCase{"NoRoomForANewEntry", 0, true, 0,
                                 "イザベラ：……と思ったけど、袋が一杯ね。また今度にしましょう"},
                      SpringCase{"AFullSackStillFillsAnEntry", 3, true, 9,
                                 "イザベラ：ここはいつ来ても心が癒されるわ"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- The castle ---

struct CastleCase {
    const char* name;
    std::function<void(Game&)> setup;
    Long figure;
    size_t lines;
    const char* first;
    const char* last;
    std::function<void(const Game&)> check = nullptr;
};

void PrintTo(const CastleCase& c, std::ostream* os) { *os << c.name; }

class Castle : public BoardTalkTest, public ::testing::WithParamInterface<CastleCase> {};

TEST_P(Castle, FigureLinesAndQuest) {
    const CastleCase& c = GetParam();
    c.setup(g());
    Board("Amulet");
    Choose("bSiro");
    EXPECT_EQ(g().VisitorSprite, c.figure);
    const auto lines = ClickToTheEnd();
    ASSERT_EQ(lines.size(), c.lines);
    EXPECT_EQ(lines.front(), c.first);
    EXPECT_EQ(lines.back(), c.last);
    if (c.check) c.check(g());
    ExpectBackOnTheBoard();
}

void Pieces(Game& g, int n) {
    g.NoaFlg[6] = 1;
    for (int i = 0; i < n; ++i) {
        g.NoaFlg[size_t(i)] = 1;
        g.AllKey[size_t(i)].LKeyList = true;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Quest, Castle,
    ::testing::Values(
        CastleCase{"QueenGivesTheQuest", [](Game&) {}, 82, 17, "女王：あら？可愛い商人さんですね",
                   "女王：6種類もありますから、城下の占い師に占ってもらうといいですよ",
                   [](const Game& g) {
                       EXPECT_EQ(g.NoaFlg[6], 1);
                       EXPECT_EQ(g.FortuneFlg, 1);
                   }},
        CastleCase{"FivePiecesMeetTheSoldier", [](Game& g) { Pieces(g, 5); }, 5, 1,
                   "兵士：女王様は忙しいんだ。帰った帰った！", "兵士：女王様は忙しいんだ。帰った帰った！"},
        CastleCase{"SixPiecesAreDelivered", [](Game& g) { Pieces(g, 6); }, 82, 9,
                   "イザベラ：女王様、ノアの武具を集めてまいりました！", "女王：その時にまた城にきてください",
                   [](const Game& g) {
                       for (size_t i = 0; i <= 5; ++i) EXPECT_FALSE(g.AllKey[i].LKeyList) << i;
                       EXPECT_TRUE(g.AllKey[14].LKeyList);
                       EXPECT_EQ(g.NoaFlg[6], 2);
                   }},
        CastleCase{"DaysAfterTheDeliveryTheSoldierGuards", [](Game& g) { g.NoaFlg[6] = 9; }, 5, 1,
                   "兵士：女王様は忙しいんだ。帰った帰った！", "兵士：女王様は忙しいんだ。帰った帰った！"},
        CastleCase{"TheReportOpensTheTower", [](Game& g) { g.NoaFlg[6] = 2, g.FortuneFlg = 4, g.Warasibe = 9; }, 82,
                   11, "イザベラ：報告いたします！", "女王：私は戦士を集めることにしますわ",
                   [](const Game& g) { EXPECT_EQ(g.Warasibe, 10); }},
        CastleCase{"TheDemonHasRisen", [](Game& g) { g.NoaFlg[6] = 17, g.Warasibe = 10; }, 82, 16,
                   "女王：イザベラさん……。大変な事になりました",
                   "女王：もし、そちらで何か動きがあったら知らせてください",
                   [](const Game& g) {
                       EXPECT_EQ(g.NoaFlg[6], 20);
                       EXPECT_EQ(g.Warasibe, 12);
                   }},
        CastleCase{"SoldierMusesWithoutTheWedge", [](Game& g) { g.NoaFlg[6] = 20; }, 5, 6,
                   "兵士：魔族ジーク討伐の最後の手段は、", "兵士：女王様は忙しいんだ。帰った帰った！"},
        CastleCase{"SoldierMocksTheWedgesOwner", [](Game& g) { g.NoaFlg[6] = 20, g.AllKey[27].LKeyList = true; }, 5,
                   5, "兵士：お前はどうせ知らないだろうが、", "兵士：女王様は今日もお忙しい。さぁ、帰った帰った！"},
        CastleCase{"QueenThanksAfterTheDemon", [](Game& g) { g.NoaFlg[6] = 30, g.BossOK[11] = true; }, 82, 4,
                   "女王：イザベラさん、あなたのお陰で世界の平和は守られました", "女王：夢がありましたね。残念です…"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace q
