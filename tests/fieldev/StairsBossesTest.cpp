#include <gtest/gtest.h>

#include "CaseName.h"
#include "FieldFixture.h"

namespace q {
namespace {

using test::FieldTest;

// --- The stairs ---

struct StairsCase {
    const char* place;  // "Shinen", "Tou" or "ElfMugen"
    bool left;
    Long floor;
    Long warasibe;
    const char* line;  // "" when nothing is offered
    Long storyNo;
    bool exitOffer;
};

class StairsOffer : public FieldTest, public ::testing::WithParamInterface<StairsCase> {};

TEST_P(StairsOffer, TheLineFollowsPlaceDirectionAndFloor) {
    const StairsCase& c = GetParam();
    g().Warasibe = c.warasibe;
    if (std::string(c.place) == "ElfMugen") {
        OnRoad("ElfMugen", "Elwind", "Mugen");
        g().RoadPos = c.floor;
    } else {
        InDungeon(c.place, c.floor);
    }
    Facing(c.left);
    Field().NextFloorSelect();
    if (std::string(c.line).empty()) {
        ExpectWalking();
        EXPECT_EQ(Bar(), "");
        return;
    }
    EXPECT_EQ(Bar(), c.line);
    EXPECT_EQ(g().StoryNo, c.storyNo);
    EXPECT_EQ(g().ExitOffer, c.exitOffer);
    EXPECT_EQ(g().StoryName, "NextFloor");
    EXPECT_EQ(g().VisitorSprite, 393);
    EXPECT_TRUE(g().EventBusy);
}

INSTANTIATE_TEST_SUITE_P(
    Field, StairsOffer,
    ::testing::Values(
        StairsCase{"Shinen", false, 15, 8, "イザベラ：下り階段は見つからないわね…", 999, false},
        StairsCase{"Shinen", false, 15, 9, "イザベラ：下り階段があるわ。どうしましょう？", 1, false},
        StairsCase{"Shinen", false, 50, 11, "イザベラ：下り階段は見つからないわね…", 999, false},
        StairsCase{"Shinen", false, 50, 12, "イザベラ：下り階段があるわ。どうしましょう？", 1, false},
        StairsCase{"Shinen", false, 300, 12, "イザベラ：もう下の階はなさそう…。戻るしかないわね", 999, false},
        StairsCase{"Shinen", true, 1, 0, "イザベラ：ここから外に戻れそうね。どうしましょう？", 1, true},
        StairsCase{"Shinen", true, 15, 0, "イザベラ：上り階段があるわ。どうしましょう？", 1, false},
        StairsCase{"Tou", true, 1, 0, "イザベラ：ここから外に戻れそうね。どうしましょう？", 1, true},
        StairsCase{"Tou", true, 5, 0, "イザベラ：下り階段があるわ。どうしましょう？", 1, false},
        StairsCase{"Tou", false, 50, 0, "イザベラ：上り階段があるわ。どうしましょう？", 1, false},
        StairsCase{"Tou", false, 100, 0, "イザベラ：もう上の階はなさそう…。戻るしかないわね", 999, false},
        StairsCase{"ElfMugen", false, 200, 0, "イザベラ：絶壁があって先には進めないわ。戻りましょう", 999, false},
        StairsCase{"ElfMugen", false, 150, 0, "", 0, false},
        StairsCase{"ElfMugen", true, 200, 0, "", 0, false}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.place, Flag{c.left, "Left"}, "Floor", c.floor, "Warasibe", c.warasibe); }));

struct ClimbCase {
    const char* place;
    bool left;
    Long from;
    Long to;
    const char* line;
    int caveMark;   // AnaSpot element set, or -1
    int towerMark;  // TouSpot element set, or -1
};

class Climb : public FieldTest, public ::testing::WithParamInterface<ClimbCase> {};

TEST_P(Climb, TheStairsTakeHerOneFloorAndMarkTheWarpFloorsGoingOn) {
    const ClimbCase& c = GetParam();
    g().Warasibe = 12;
    InDungeon(c.place, c.from);
    Facing(c.left);
    Field().NextFloorSelect();
    Click();
    EXPECT_EQ(Bar(), "[行く(Y/G)] [行かない(N)]");
    EXPECT_EQ(g().StoryNo, StoryWaitNo);
    Key(vbKeyY);
    EXPECT_EQ(g().NowFloor, c.to);
    EXPECT_EQ(g().RoadPos, c.to);
    EXPECT_EQ(Bar(), c.line);
    EXPECT_EQ(g().StoryNo, 999);
    EXPECT_TRUE(g().DealAccepted);
    for (int i = 0; i < 30; ++i) EXPECT_EQ(g().AnaSpot[size_t(i)], i == c.caveMark) << "AnaSpot " << i;
    for (int i = 0; i < 10; ++i) EXPECT_EQ(g().TouSpot[size_t(i)], i == c.towerMark) << "TouSpot " << i;
    Click();
    ExpectWalking();
    EXPECT_EQ(Bar(), "");
}

INSTANTIATE_TEST_SUITE_P(Field, Climb,
                         ::testing::Values(ClimbCase{"Shinen", false, 19, 20, "イザベラ：地下20階に着いたわ！", 1, -1},
                                           ClimbCase{"Shinen", true, 20, 19, "イザベラ：地下19階に着いたわ！", -1, -1},
                                           ClimbCase{"Shinen", false, 15, 16, "イザベラ：地下16階に着いたわ！", 0, -1},
                                           ClimbCase{"Tou", false, 9, 10, "イザベラ：10階に着いたわ！", -1, 0},
                                           ClimbCase{"Tou", false, 99, 100, "イザベラ：100階に着いたわ！", -1, 9}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.place, c.from, "To", c.to); }));

TEST_F(FieldTest, RefusingTheWayOutLeavesNoOfferForTheNextStairs) {
    InDungeon("Shinen", 1);
    Facing(true);
    Field().NextFloorSelect();
    Click();
    Key(vbKeyN);
    ExpectWalking();
    EXPECT_FALSE(g().DealAccepted);
    // Later a staircase down: the answer takes her down, not out.
    g().RoadPos = g().NowFloor = 5;
    Facing(false);
    Field().NextFloorSelect();
    EXPECT_FALSE(g().ExitOffer);
    Click();
    Key(vbKeyG);
    EXPECT_EQ(g().NowFloor, 6);
    EXPECT_EQ(g().SceneFormName, "frmField");
}

TEST_F(FieldTest, TheWayOutLeadsToTheBoardOfTheDungeon) {
    InDungeon("Tou", 1);
    Facing(true);
    Field().NextFloorSelect();
    Click();
    Key(vbKeyReturn);
    EXPECT_EQ(g().SceneFormName, "frmEvent");
    EXPECT_EQ(g().EventField, "Board");
    EXPECT_EQ(g().FieldName, "Tou");
    EXPECT_FALSE(g().frmField.loaded());
    EXPECT_FALSE(g().EventBusy);
}

TEST_F(FieldTest, TheCliffEndsOnTheNextClickWithoutAQuestion) {
    OnRoad("ElfMugen", "Elwind", "Mugen");
    g().RoadPos = g().RoadLength;
    Field().NextFloorSelect();
    Click();
    ExpectWalking();
    EXPECT_EQ(g().RoadPos, 200);
}

// --- The bosses ---

struct BossPlaceCase {
    const char* road;  // the area
    const char* left;
    const char* right;
    Long pos;
    bool walkingLeft;
    Long bossNo;
    Long sprite;
    const char* firstLine;
};

class BossPlace : public FieldTest, public ::testing::WithParamInterface<BossPlaceCase> {};

TEST_P(BossPlace, TheBossOfThePlaceSpeaksFirst) {
    const BossPlaceCase& c = GetParam();
    if (std::string(c.right).empty()) InDungeon(c.road, c.pos);
    else OnRoad(c.road, c.left, c.right);
    g().RoadPos = c.pos;
    Facing(c.walkingLeft);
    Field().BossSelect();
    EXPECT_EQ(g().BossNo, c.bossNo);
    EXPECT_EQ(g().VisitorSprite, c.sprite);
    EXPECT_EQ(Bar(), c.firstLine);
    EXPECT_EQ(g().StoryName, "BossTurn");
    EXPECT_EQ(g().StoryNo, 11);
    EXPECT_TRUE(g().AutoBlocked);
    EXPECT_TRUE(g().EventBusy);
    EXPECT_EQ(g().NoClick, NoClickNone);
}

INSTANTIATE_TEST_SUITE_P(
    Field, BossPlace,
    ::testing::Values(BossPlaceCase{"HanoMori", "Hanoda", "Rein", 199, false, 0, 223, "フランケン：新しい実験体が来たか…"},
                      BossPlaceCase{"HanoSiro", "Hanoda", "Amulet", 199, false, 1, 321, "激怒モンキー：ウッキー！！ウキキキキィー！！"},
                      BossPlaceCase{"MoriElf", "Rein", "Elwind", 99, true, 2, 360, "トロール：うぉぉおぉん"},
                      BossPlaceCase{"ElfAna", "Elwind", "Shinen", 199, false, 3, 303, "イザベラ：きゃああ！！ミイラ男だわ！！"},
                      BossPlaceCase{"Shinen", "", "", 39, true, 5, 376,
                                    "傀儡子：お前何者だ？ここはお前のような小娘が来るような場所ではないぞ"},
                      BossPlaceCase{"Shinen", "", "", 299, false, 8, 295, "魔族ジーク：ベラドンナをやったのは貴様か！"},
                      BossPlaceCase{"Tou", "", "", 99, false, 10, 263, "呪いの騎士：敵……殺す！顔…奪う…、盾…なる"},
                      BossPlaceCase{"ElfMugen", "Elwind", "Mugen", 199, false, 12, 17, "銀行員：もう嫌だ！！"}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.road, c.left, c.right, "Pos", c.pos, Flag{c.walkingLeft, "WalkingLeft"}); }));

// The troll stands at 99, where she starts walking left from Elwind: she
// meets him whether her first frame moves her or not, and a moving frame
// with the shoes that jumps over his place (100 to 98) meets him too.
TEST_F(FieldTest, TheTrollIsMetWalkingLeftFromEveryWalkPhase) {
    struct Start {
        Long pos;
        bool shoes;
        std::vector<Long> phases;
    };
    for (const Start& start : {Start{99, false, {1, 2, 3, 4}}, Start{100, true, {1, 3}}}) {
        for (Long phase : start.phases) {
            calls.clear();
            Stub("frmField.BossSelect");
            OnRoad("MoriElf", "Rein", "Elwind", false);
            ASSERT_EQ(g().RoadPos, 99);
            g().RoadPos = start.pos;
            g().Condition[size_t(CondFastWalk)] = start.shoes ? 5 : 0;
            g().TorolFlg = true;
            g().BossOK[1] = false;
            g().HeroStep = phase;
            Field().Timer1_Timer();
            EXPECT_EQ(Calls("frmField.BossSelect"), 1) << "from " << start.pos << ", phase " << phase;
        }
    }
    // Once past him, the walk goes on without him.
    calls.clear();
    g().RoadPos = 98;
    g().Condition[size_t(CondFastWalk)] = 0;
    g().HeroStep = 1;
    Draws({0.9});  // the event roll: nothing
    Field().Timer1_Timer();
    EXPECT_EQ(g().RoadPos, 97);
    EXPECT_EQ(Calls("frmField.BossSelect"), 0);
}

TEST_F(FieldTest, ABossTalksFightsAndIsBeaten) {
    // The fight itself has its own tests: here the talk hands over to it and gets it back.
    g().SetHandler("BattleDispatch", [this](Long) { Record("BattleDispatch"); });
    g().Warasibe = 1;
    OnRoad("HanoMori", "Hanoda", "Rein");
    g().RoadPos = 199;
    Field().BossSelect();
    Click();
    Click();
    Click();
    EXPECT_EQ(Bar(), "フランケン：俺の完璧な身体を馬鹿にするか！！");
    EXPECT_EQ(g().StoryNo, 50);
    Click();
    EXPECT_EQ(g().StoryName, "Fighting");
    EXPECT_EQ(g().SavedStoryName, "BossTurn");
    EXPECT_EQ(Calls("BattleDispatch"), 1);
    EXPECT_FALSE(g().BossOK[0]);
    // The battle's victory hands the story back at step 100.
    g().StoryName = "BossTurn";
    g().StoryNo = 100;
    Click();
    EXPECT_EQ(Bar(), "フランケン：俺の完璧な身体がぁ…");
    Click();
    EXPECT_EQ(Bar(), "イザベラ：完璧にするなら、もっとまともな色にすることね");
    EXPECT_TRUE(g().BossOK[0]);
    EXPECT_EQ(g().StoryNo, 150);
    Click();
    ExpectWalking();
    EXPECT_FALSE(g().AutoBlocked);
    EXPECT_EQ(g().SavedStoryName, "");
    EXPECT_EQ(Bar(), "");
}

TEST_F(FieldTest, TheTrollMastersSecondLineFollowsTheStory) {
    for (Long stage : {8, 9}) {
        InDungeon("Shinen", 15);
        g().Warasibe = stage;
        Field().BossSelect();
        Click();
        EXPECT_EQ(Bar(), stage == 8 ? "イザベラ：お婆さんって何のこと？" : "イザベラ：そのお婆さんはどこに居るのっ？！");
    }
}

struct LastLineCase {
    Long bossNo;
    Long stepBefore;  // the click after it gives the story's last line
    int flag;
    const char* line;
};

class LastLine : public FieldTest, public ::testing::WithParamInterface<LastLineCase> {};

TEST_P(LastLine, TheLastLineSetsTheFlagAndWhatTheStoryGives) {
    const LastLineCase& c = GetParam();
    InDungeon("Shinen", 40);
    g().StoryName = "BossTurn";
    g().EventBusy = true;
    g().BossNo = c.bossNo;
    g().StoryNo = c.stepBefore;
    Click();
    EXPECT_EQ(Bar(), c.line);
    EXPECT_EQ(g().StoryNo, 150);
    for (int i = 0; i < 13; ++i) EXPECT_EQ(g().BossOK[size_t(i)], i == c.flag) << i;
    EXPECT_EQ(g().FortuneFlg, c.bossNo == 5 ? 4 : 0);
    EXPECT_EQ(g().NoaFlg[6], c.bossNo == 8 ? 30 : 0);
    EXPECT_EQ(g().AllKey[21].LKeyList, c.bossNo == 6);
    EXPECT_EQ(Calls("BattleDispatch"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Field, LastLine,
    ::testing::Values(LastLineCase{5, 110, 4, "占いババ：わしは先に戻って、ジークの文献について調べようぞ"},
                      LastLineCase{6, 12, 5, "イザベラ：占い師のおばあさんの物かもしれないわ。持っていきましょう"},
                      LastLineCase{8, 103, 11, "イザベラ：急いでお城に報告に行きましょう！！"},
                      LastLineCase{2, 100, 1, "トロール：うぉぉおぉん………"},
                      LastLineCase{12, 103, 12, "銀行員：うぅぅ。でも、ダンサーになりてぇ～……"}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Boss", c.bossNo); }));

TEST_F(FieldTest, AStepWithoutALineOfItsOwnShowsTheLastOneAgain) {
    InDungeon("Tou", 49);
    Field().BossSelect();
    g().StoryNo = 60;
    Click();
    EXPECT_EQ(Bar(), "メデューサ：若い娘が来たのぉ");
    EXPECT_EQ(g().StoryNo, 61);
}

TEST_F(FieldTest, TheWalkingClockMeetsTheRoadsBoss) {
    g().Warasibe = 1;
    OnRoad("HanoMori", "Hanoda", "Rein");
    g().RoadPos = 198;
    g().HeroStep = 1;
    Draws({});
    Field().Timer1_Timer();
    EXPECT_EQ(g().StoryName, "BossTurn");
    EXPECT_EQ(g().VisitorSprite, 223);
}

// --- The ending ---

TEST_F(FieldTest, TheLastFloorStartsTheEndingOnceAndItsLastClickEndsTheProgram) {
    // The ending talk has tests of its own; here it only matters when the field hands a step to it.
    g().SetHandler("EndingSpeechText", [this](Long) { Record("EndingSpeechText"); });
    g().Warasibe = 12;
    g().BossOK[11] = true;
    InDungeon("Shinen", 299);
    Draws({});
    Field().Timer1_Timer();
    EXPECT_TRUE(g().AnaSpot[29]);
    EXPECT_EQ(g().StoryName, "EndingSpeech");
    EXPECT_EQ(g().VisitorSprite, 82);
    EXPECT_EQ(g().HeroSprite, 96);
    EXPECT_TRUE(g().EventBusy);
    EXPECT_TRUE(g().AutoBlocked);
    EXPECT_EQ(Calls("EndingSpeechText"), 1);
    Click();
    EXPECT_EQ(Calls("EndingSpeechText"), 2);
    EXPECT_EQ(g().NoClick, NoClickNone);
    g().StoryNo = StoryEndNo;
    Click();
    EXPECT_TRUE(g().Ended());
    EXPECT_TRUE(g().TimersSuspended);
    EXPECT_EQ(Calls("EndingSpeechText"), 2);
}

}  // namespace
}  // namespace q
