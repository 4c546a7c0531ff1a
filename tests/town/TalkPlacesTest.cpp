// The facilities where she talks or asks rather than buys: the park, the
// fortune teller, the warp point and the jewel collector with his viewer.
#include <gtest/gtest.h>

#include <string>

#include "CaseName.h"
#include "FacilityFixture.h"
#include "core/Message.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {
namespace {

using test::FacilityTest;
using test::Pick;

std::string Rows(ListView& list) {
    std::string rows;
    for (int r = 1; r <= list.Count(); ++r) rows += (rows.empty() ? "" : " | ") + list.Item(r).Text;
    return rows;
}

// --- The park ---

class ParkTest : public FacilityTest {};

struct ParkCase {
    const char* town;
    bool cleared;
    bool ghost;
    const char* rows;
};

class ParkPeople : public ParkTest, public ::testing::WithParamInterface<ParkCase> {};

TEST_P(ParkPeople, AreTheTownsPeopleOfTheMoment) {
    const ParkCase& c = GetParam();
    g().GameCleared = c.cleared;
    g().NoaFlg[6] = c.ghost ? 1 : 0;
    Board(c.town);
    Enter("bHiroba");
    EXPECT_EQ(Rows(List()), c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Towns, ParkPeople,
    ::testing::Values(
        ParkCase{"Hanoda", false, false, "おじいさん | おばあさん | 男の子 | マッチョ | ガイア教司祭 | 酔っ払い"},
        ParkCase{"Hanoda", true, false, "おじいさん | おばあさん | 男の子 | マッチョ | ガイア教司祭 | 酔っ払い | ピレル"},
        ParkCase{"Amulet", true, true, "男性 | ぼっちゃん | 亜細李亜娘 | 踊り子 | 戦士 | 宿無し"},
        ParkCase{"Elwind", true, true, "女の子 | 男性 | 侍 | 獣人 | アーチャー | 女性？？？ | ゼンロ"},
        ParkCase{"Elwind", true, false, "女の子 | 男性 | 侍 | 獣人 | アーチャー | ゼンロ"}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.town, Flag{c.cleared, "Cleared"}, Flag{c.ghost, "Ghost"}); }));

TEST_F(ParkTest, AChosenPersonIsDrawnAndTheTalkRunsItsSteps) {
    g().GameCleared = true;
    g().NoaFlg[6] = 1;
    Board("Elwind");
    Enter("bHiroba");
    EXPECT_EQ(Bar(), "イザベラ：誰に話し掛ける？");
    EXPECT_EQ(g().StoryName, "BuyItem");
    EXPECT_EQ(g().StoryNo, 10);
    Select(7);
    W().cmdBuy_Click();
    EXPECT_EQ(g().VisitorSprite, 29);
    EXPECT_TRUE(g().OfferPending);
    EXPECT_FALSE(W().lstList.Enabled);
    EXPECT_FALSE(W().cmdBuy.Enabled);
    EXPECT_EQ(g().NoClick, NoClickRight);
    EXPECT_EQ(Calls("TownSpeech"), 1);
    Click();
    EXPECT_EQ(Calls("TownSpeech"), 2);
    // A question answered: 30 for yes, 50 for no, Enter or G.
    g().StoryNo = StoryWaitNo;
    g().WaitingAnswer = true;
    Key(vbKeyReturn);
    EXPECT_EQ(g().StoryNo, 50);
    EXPECT_FALSE(g().DealAccepted);
    g().StoryNo = StoryWaitNo;
    g().WaitingAnswer = true;
    Key(vbKeyY);
    EXPECT_EQ(g().StoryNo, 30);
    EXPECT_TRUE(g().DealAccepted);
    EXPECT_EQ(Calls("TownSpeech"), 4);
    // The click after the last line: the person goes, the list comes back.
    g().StoryNo = StoryEndNo;
    Click();
    EXPECT_FALSE(g().OfferPending);
    EXPECT_EQ(g().StoryNo, 10);
    EXPECT_TRUE(W().lstList.Enabled);
    EXPECT_TRUE(W().cmdBuy.Enabled);
    EXPECT_EQ(Bar(), "イザベラ：誰に話し掛ける？");
    EXPECT_EQ(Calls("TownSpeech"), 4);
}

TEST_F(ParkTest, WithNobodyChosenTheStandingLineComesBack) {
    Enter("bHiroba");
    Unselect();
    ShowMessage(g(), "x");
    W().cmdBuy_Click();
    EXPECT_EQ(Bar(), "イザベラ：誰に話し掛ける？");
    EXPECT_FALSE(g().OfferPending);
    EXPECT_EQ(Calls("TownSpeech"), 0);
    ShowMessage(g(), "x");
    Click();  // a click on the scene between talks
    EXPECT_EQ(Bar(), "イザベラ：誰に話し掛ける？");
    EXPECT_EQ(g().StoryNo, 10);
}

// --- The fortune teller ---

class FortuneTest : public FacilityTest {
protected:
    FortuneTest() {
        g().FortuneFlg = FortuneFinished;
        g().MyGold = 100000;
        SetSack({{28, 2}});
        Board("Amulet");
    }
    // Every arm known but one.
    void OneArmUnknown(Long arm) {
        for (auto& a : g().AllArms) a.LArmsList = a.No != arm;
    }
    Long ArmOf(Long area, Long rarity) {
        for (const auto& a : g().AllArms)
            if (a.Area == area && (rarity < 0 || a.Rarity == rarity)) return a.No;
        ADD_FAILURE() << "no arm of area " << area;
        return 0;
    }
};

struct FeeCase {
    Long economy;
    const char* fees;
};

class FortuneFees : public FortuneTest, public ::testing::WithParamInterface<FeeCase> {};

TEST_P(FortuneFees, FollowTheMonth) {
    g().EconomyValue = GetParam().economy;
    g().NoaFlg[6] = 1;
    Enter("bFortune");
    EXPECT_EQ(Rows(List()), GetParam().fees);
}

INSTANTIATE_TEST_SUITE_P(Months, FortuneFees,
                         ::testing::Values(FeeCase{EconomyStable, "5,000　 | 10,000　 | 50,000　"},
                                           FeeCase{EconomySlump, "4,500　 | 9,000　 | 45,000　"},
                                           FeeCase{EconomyBoom, "5,500　 | 11,000　 | 55,000　"}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Economy", c.economy); }));

TEST_F(FortuneTest, TheNoahTopicIsListedOnlyWhileTheQueensQuestRuns) {
    Enter("bFortune");
    EXPECT_EQ(List().Count(), 2);
    EXPECT_EQ(Cell(2, 1), "玉のありかについて");
    Leave();
    g().NoaFlg[6] = 1;
    Enter("bFortune");
    EXPECT_EQ(List().Count(), 3);
    EXPECT_EQ(Cell(3, 1), "ノア武具のありかについて");
}

TEST_F(FortuneTest, ARefusalEndsTheDealAndTheButtonOffersAgain) {
    struct Case {
        const char* what;
        Long water;
        Long gold;
        const char* line;
    };
    for (const Case& c : {Case{"no water", 0, 100000, "イザベラ：潤沢の水がないわ。諦めましょう"},
                          Case{"not enough money", 2, 100, "イザベラ：カリムが足りないわ。諦めましょう"}}) {
        if (c.water > 0) SetSack({{28, c.water}});
        else SetSack({});
        g().MyGold = c.gold;
        Board("Amulet");
        Enter("bFortune");
        Order(1);
        Click();
        EXPECT_EQ(Bar(), c.line) << c.what;
        EXPECT_EQ(g().StoryNo, StoryEndNo) << c.what;
        for (int i = 0; i < 12; ++i) Click();
        EXPECT_EQ(Bar(), c.line) << c.what << ": the clicks start nothing";
        EXPECT_EQ(Calls("TownSpeech"), 0) << c.what;
        EXPECT_EQ(g().NoClick, 0) << c.what;
        EXPECT_TRUE(W().cmdBuy.Enabled) << c.what;
        Order(1);
        EXPECT_EQ(Bar(), "占いババ：武具のありかについて聞きたいのか？それなら、5,000カリム頂くぞよ") << c.what;
        Leave();
    }
}

TEST_F(FortuneTest, AnArmsPlaceIsFollowedByItsRarityUnlessItIsSpecial) {
    const Long arm = ArmOf(5, 1);
    OneArmUnknown(arm);
    Enter("bFortune");
    EXPECT_EQ(Bar(), "占いババ：よぅ来たの………");
    Order(1);
    EXPECT_EQ(Bar(), "占いババ：武具のありかについて聞きたいのか？それなら、5,000カリム頂くぞよ");
    Click();
    EXPECT_EQ(Bar(), "[占う(Y)] [止める(N/G)]");
    Draws({Pick(0, 1)});
    Key(vbKeyY);
    EXPECT_EQ(Bar(), "占いババ：うぅむ…。No." + std::to_string(arm + 1) +
                         "の武具は城－塔間でたまに見かける武具のようじゃな");
    EXPECT_EQ(g().MyGold, 95000);
    EXPECT_EQ(Carried(28), 1);
    EXPECT_FALSE(g().AllArms[size_t(arm)].LArmsList);  // a fortune marks nothing

    const Long held = ArmOf(8, -1);
    OneArmUnknown(held);
    Draws({Pick(0, 1)});
    Deal(1, "1", vbKeyY);
    EXPECT_EQ(Bar(), "占いババ：うぅむ…。No." + std::to_string(held + 1) + "の武具はモンスターが持っているようじゃ");
}

TEST_F(FortuneTest, AJewelsAndANoahPiecesPlaces) {
    for (auto& j : g().AllGyoku) j.LGyokuList = j.No != 96;
    g().NoaFlg = {1, 1, 0, 1, 1, 1, 1};
    Enter("bFortune");
    Draws({Pick(0, 1)});
    Deal(2, "1", vbKeyY);
    EXPECT_EQ(Bar(), "占いババ：うぅむ…。No.97の玉は特別なモンスターのようじゃ");
    Draws({Pick(0, 1)});
    Deal(3, "1", vbKeyY);
    EXPECT_EQ(Bar(), "占いババ：うぅむ…。ノアの盾のありかは…。物を交換すると良いかもな");
    EXPECT_EQ(g().MyGold, 100000 - 10000 - 50000);
}

TEST_F(FortuneTest, NothingLeftToFindKeepsTheFeeAndTheWater) {
    for (auto& a : g().AllArms) a.LArmsList = true;
    Enter("bFortune");
    Deal(1, "1", vbKeyY);
    EXPECT_EQ(Bar(), "占いババ：なんと既に揃っておるではないか！年寄りをからかいおって！カリムは返さぬぞ");
    EXPECT_EQ(g().MyGold, 95000);
    EXPECT_EQ(Carried(28), 1);
}

TEST_F(FortuneTest, WithoutTheWaterOrTheMoneyNothingIsTaken) {
    SetSack({});
    g().MyGold = 0;
    Enter("bFortune");
    Order(1);
    Click();
    EXPECT_EQ(Bar(), "イザベラ：潤沢の水がないわ。諦めましょう");
    SetSack({{28, 1}});
    Order(1);
    Click();
    EXPECT_EQ(Bar(), "イザベラ：カリムが足りないわ。諦めましょう");
    EXPECT_EQ(Carried(28), 1);
    EXPECT_TRUE(W().cmdBuy.Enabled);
    EXPECT_FALSE(g().BuyPending);
}

TEST_F(FortuneTest, RefusingBringsHerGreetingBack) {
    Enter("bFortune");
    Deal(1, "1", vbKeyN);
    EXPECT_EQ(Bar(), "占いババ：よぅ来たの………");
    EXPECT_EQ(g().MyGold, 100000);
    EXPECT_EQ(Carried(28), 2);
    EXPECT_TRUE(W().cmdBuy.Enabled);
}

TEST_F(FortuneTest, HerOwnStoryComesBeforeAnyFortune) {
    g().FortuneFlg = 4;
    Enter("bFortune");
    EXPECT_FALSE(W().cmdBuy.Enabled);
    EXPECT_EQ(g().StoryNo, 10);
    Click();
    EXPECT_EQ(Calls("TownSpeech"), 1);
}

// --- The warp point ---

class WarpTest : public FacilityTest {};

TEST_F(WarpTest, TheTowerCountsUpAndTheCaveDown) {
    g().TouSpot[0] = g().TouSpot[1] = true;
    Board("Tou");
    Enter("bWarp");
    EXPECT_EQ(Rows(List()), "10階 | 20階");
    EXPECT_EQ(Bar(), "イザベラ：行ったことのある階にワープできるわ");
    Leave();
    for (int i = 0; i < 5; ++i) g().AnaSpot[size_t(i)] = true;
    Board("Shinen");
    Enter("bWarp");
    EXPECT_EQ(Rows(List()), "地下10階 | 地下20階 | 地下30階 | 地下40階 | 地下50階");
    EXPECT_EQ(List().Item(3).Tag, "30");
}

TEST_F(WarpTest, AcceptingStartsTheFieldOnThatFloor) {
    for (int i = 0; i < 5; ++i) g().AnaSpot[size_t(i)] = true;
    Board("Shinen");
    Enter("bWarp");
    Select(3);
    W().cmdBuy_Click();
    EXPECT_EQ(Bar(), "地下30階にワープしますか？ [ワープする(Y)] [止める(N/G)]");
    Key(vbKeyY);
    EXPECT_FALSE(Open());
    EXPECT_FALSE(g().frmEvent.loaded());
    EXPECT_EQ(g().SceneFormName, "frmField");
    EXPECT_EQ(g().NowFloor, 30);
    EXPECT_EQ(g().RoadPos, 30);
    EXPECT_FALSE(g().AutoBlocked);
}

TEST_F(WarpTest, RefusingStaysAndTheNextClickDoesNotAskAgain) {
    g().AnaSpot[0] = true;
    Board("Shinen");
    Enter("bWarp");
    Select(1);
    W().cmdBuy_Click();
    Key(vbKeyReturn);
    EXPECT_EQ(Bar(), "イザベラ：行ったことのある階にワープできるわ");
    EXPECT_TRUE(W().cmdBuy.Enabled);
    EXPECT_EQ(g().ResumeCode[0], 0);
    Click();
    EXPECT_EQ(Bar(), "イザベラ：行ったことのある階にワープできるわ");
    EXPECT_FALSE(g().WaitingAnswer);
}

// --- The jewel collector and the monster viewer ---

class CollectorTest : public FacilityTest {
protected:
    void Known(std::initializer_list<int> monsters) {
        for (auto& j : g().AllGyoku) j.LGyokuList = false;
        for (int m : monsters) g().AllGyoku[size_t(m)].LGyokuList = true;
    }
    frmGyoku& V() { return *g().frmGyoku.peek(); }
    // The collector's window with his talk over.
    void Served() {
        Enter("bMania");
        g().StoryNo = StoryEndNo;
    }
    void View(int row) {
        Select(row);
        W().cmdBuy_Click();
    }
};

TEST_F(CollectorTest, AFirstVisitListsAHundredUnknownMonsters) {
    Enter("bMania");
    EXPECT_EQ(Bar(), "業者：けっ！客が来やがった！！");
    EXPECT_EQ(W().lblNumber[0].Caption.get(), "++ 玉回収業 ++");
    EXPECT_EQ(W().txtNumber.Text.get(), "0");
    EXPECT_TRUE(W().txtNumber.Locked);
    ASSERT_EQ(List().Count(), 100);
    EXPECT_EQ(Cell(1, 0), "　1");
    EXPECT_EQ(Cell(100, 1), "？　？　？　？　？　？　？　？");
    g().StoryNo = StoryEndNo;
    for (int row : {1, 50, 100}) {
        Select(row);
        EXPECT_FALSE(W().cmdBuy.Enabled) << row;
    }
}

TEST_F(CollectorTest, TheDetailButtonWaitsForTheKeepersTalkToEnd) {
    Known({4});
    g().GyokuFlg = 1;
    Enter("bMania");
    EXPECT_EQ(Bar(), "業者：あんたか。どれどれ…、なんか持ってきたのか？");
    EXPECT_EQ(Cell(5, 1), g().AllMonster[4].Name);
    Select(5);
    EXPECT_FALSE(W().cmdBuy.Enabled);
    g().StoryNo = StoryEndNo;
    Select(5);
    EXPECT_TRUE(W().cmdBuy.Enabled);
}

TEST_F(CollectorTest, EveryJewelHandedInBringsTheMonsterInformationLine) {
    g().GyokuFlg = 1;
    g().HaveGyokuNum = 100;
    Enter("bMania");
    EXPECT_EQ(Bar(), "業者：お、あんたか。モンスターの情報を見にきたのか？");
}

TEST_F(CollectorTest, TheViewerShowsTheMonsterAndStandsInForTheWindow) {
    Known({0, 96});
    g().GyokuFlg = 1;
    Served();
    Select(97);
    W().cmdBuy_Click();
    EXPECT_FALSE(Open());
    ASSERT_TRUE(g().frmGyoku.loaded());
    EXPECT_EQ(V().Left, 0);
    EXPECT_EQ(g().StoryName, "");
    const MonsterRecord& m = g().AllMonster[96];
    EXPECT_EQ(V().picDot[0].Picture.get(), m.Picture);
    EXPECT_EQ(V().TXTValue[0].Text.get(), m.Name);
    EXPECT_EQ(V().TXTValue[11].Text.get(), "ノアの兜");
    EXPECT_EQ(V().TXTValue[12].Text.get(), "97 ／ 100");
    EXPECT_EQ(V().rtxtSetumei.Text.get(), m.Note);
    EXPECT_EQ(V().LBLValue[12].Caption.get(), "体力：");
    EXPECT_EQ(V().TXTValue[13].ToolTipText.get(), "\"モンスター体力\"");
}

struct DropCase {
    int monster;
    const char* item;
    const char* arm;
};

class ViewerDrops : public CollectorTest, public ::testing::WithParamInterface<DropCase> {};

TEST_P(ViewerDrops, TheBossesShowTheValuableTheyGive) {
    const DropCase& c = GetParam();
    Known({c.monster});
    Served();
    View(c.monster + 1);
    EXPECT_EQ(V().TXTValue[10].Text.get(), c.item);
    EXPECT_EQ(V().TXTValue[11].Text.get(), c.arm);
}

INSTANTIATE_TEST_SUITE_P(Bosses, ViewerDrops,
                         ::testing::Values(DropCase{97, "封魔のクサビ", "なし"}, DropCase{98, "戦の呼び水", "なし"}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Monster", c.monster); }));

TEST_F(CollectorTest, PreviousAndNextWrapRoundTheKnownMonsters) {
    Known({0, 40, 99});
    Served();
    View(100);
    V().CMDbutton_Click(2);
    EXPECT_EQ(g().WorkIndex, 0);
    EXPECT_EQ(V().TXTValue[12].Text.get(), "1 ／ 100");
    V().CMDbutton_Click(0);
    EXPECT_EQ(g().WorkIndex, 99);
    V().CMDbutton_Click(0);
    EXPECT_EQ(g().WorkIndex, 40);
    Known({40});
    V().CMDbutton_Click(2);
    EXPECT_EQ(g().WorkIndex, 40);
    V().CMDbutton_Click(0);
    EXPECT_EQ(g().WorkIndex, 40);
}

TEST_F(CollectorTest, BackToTheListRepeatsTheLineWithoutAGreeting) {
    Known({3});
    g().GyokuFlg = 1;
    Served();
    g().MessageText = "業者：そいつは手強いぞ";
    ShowMessage(g(), g().MessageText);
    View(4);
    V().CMDbutton_Click(1);
    EXPECT_FALSE(g().frmGyoku.loaded());
    ASSERT_TRUE(Open());
    EXPECT_EQ(Bar(), "業者：そいつは手強いぞ");
    EXPECT_EQ(g().StoryName, "SpeechTurn");
    EXPECT_EQ(g().StoryNo, StoryAfterEndNo);
    EXPECT_FALSE(g().BuyPending);
    EXPECT_FALSE(g().WorkFlg2);
    EXPECT_EQ(W().Top + W().Height + RGN_PixelToTwipY(g(), 258), RGN_ScreenHeight(g()));
    Select(4);
    EXPECT_TRUE(W().cmdBuy.Enabled);
}

// The quit question or a list window's confirmation asked while the viewer
// is open: 戻る waits for its answer, since the list it brings back would
// take the story (and say its line on the question's bar).
TEST_F(CollectorTest, BackToTheListWaitsForAQuestionAskedOverTheViewer) {
    Known({3});
    Served();
    View(4);
    for (const bool quitting : {true, false}) {
        g().GameEnding = quitting;
        g().ListConfirm = !quitting;
        g().StoryName = quitting ? "VBEnd" : "SackDump";
        V().CMDbutton_Click(1);
        EXPECT_TRUE(g().frmGyoku.loaded()) << quitting;
        EXPECT_FALSE(Open()) << quitting;
        EXPECT_EQ(g().StoryName, quitting ? "VBEnd" : "SackDump");
    }
    g().GameEnding = false;
    g().ListConfirm = false;
    V().CMDbutton_Click(1);
    EXPECT_TRUE(Open());
}

TEST_F(CollectorTest, LeavingClosesTheViewerToo) {
    Known({3});
    Served();
    View(4);
    Leave();
    EXPECT_FALSE(g().frmGyoku.loaded());
    EXPECT_FALSE(Open());
    EXPECT_EQ(g().EventField, "Board");
}

}  // namespace
}  // namespace q
