#include <gtest/gtest.h>

#include "CaseName.h"
#include "RulesFixture.h"
#include "core/GoToPlace.h"
#include "core/Walk.h"
#include "core/frmUnderMes.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {
namespace {

// Walking frames and gauges on a stage form of their own.
class WalkTest : public test::RulesTest {
protected:
    WalkTest() {
        g().SpriteTop = 15000;
        g().PlaceSprite = 395;
        g().LeaverSprite = NoSprite;
        g().VisitorSprite = NoSprite;
        g().MyMaxHp = g().MyNowHp = 35;
        g().MyMaxBody = g().MyNowBody = 100;
        g().MyMaxWater = g().MyNowWater = 100;
        stage = std::make_unique<GameForm>(g(), "frmStage");
        stage->Show();
        g().StageForm = stage.get();
        RGN_InitForm(g(), *stage);
        g().SceneFormName = "frmField";
        g().EventField = "";
    }
    // Starts the stage's picture afresh, as a scene does when it loads.
    void Fresh() { RGN_InitForm(g(), *stage); }
    // The sprites painted since the stage was started, in painting order.
    std::vector<int> Sprites() {
        std::vector<int> out;
        for (const auto& s : host.LastFrame().image) out.push_back(s.sprite);
        return out;
    }
    int XOf(int sprite) {
        for (const auto& s : host.LastFrame().image)
            if (s.sprite == sprite) return s.x;
        return -99999;
    }
    std::unique_ptr<GameForm> stage;
};

TEST_F(WalkTest, HeroineCyclesBaseLeftRightAndMovesOnOddPhases) {
    g().HeroSprite = 96;
    g().HeroX = g().HeroWalkX = 0;
    g().HeroStep = 1;
    g().StepWidth = 45;
    g().PlaceSprite = 407;
    g().PlaceSprite2 = 417;
    g().NewGame = true;  // no gauges in these frames
    struct Expect {
        int sprite;
        Long walkX;
        Long roadPos;
    };
    const Expect frames[] = {{96, 45, 1}, {97, 45, 1}, {96, 90, 2}, {98, 90, 2}, {96, 135, 3}};
    for (const auto& e : frames) {
        WalkStep(g(), false, WalkHeroine);
        EXPECT_EQ(Sprites().back(), e.sprite);
        EXPECT_EQ(g().HeroWalkX, e.walkX);
        EXPECT_EQ(g().RoadPos, e.roadPos);
    }
    EXPECT_EQ(g().WalkDir, 1);
}

TEST_F(WalkTest, FractionalStepsAreKeptWhileTheDrawnXSnaps) {
    g().HeroSprite = 96;
    g().HeroX = g().HeroWalkX = 0;
    g().HeroStep = 1;
    g().StepWidth = 22;  // under two pixels at 15 twips a pixel
    g().NewGame = true;
    WalkStep(g(), false, WalkHeroine);
    EXPECT_EQ(g().HeroWalkX, 22);
    EXPECT_EQ(g().HeroX, 15);  // snapped toward zero to a whole pixel
    g().HeroStep = 1;
    WalkStep(g(), false, WalkHeroine);
    EXPECT_EQ(g().HeroWalkX, 44);
    EXPECT_EQ(g().HeroX, 30);
}

struct StepCase {
    const char* what;
    const char* field;
    const char* eventField;
    const char* leftTown;
    const char* story;
    bool stepping;
    Long shoes;
    Long movedBy;  // road positions per moving phase
};

class HeroineMoves : public WalkTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(HeroineMoves, WalksStepsInPlaceOrRunsWithTheShoes) {
    const StepCase& c = GetParam();
    g().FieldName = c.field;
    g().EventField = c.eventField;
    g().LeftTown = c.leftTown;
    g().StoryName = c.story;
    g().Stepping = c.stepping;
    g().Condition[CondFastWalk] = c.shoes;
    g().HeroSprite = 96;
    g().HeroStep = 1;
    g().RoadPos = 10;
    g().RoadLength = 100;
    g().StepWidth = 90;
    g().NewGame = true;
    WalkStep(g(), false, WalkHeroine);
    EXPECT_EQ(g().RoadPos - 10, c.movedBy) << c.what;
    EXPECT_EQ(g().HeroWalkX, c.movedBy * 90) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Walk, HeroineMoves,
                         ::testing::Values(StepCase{"road", "HanoMori", "", "Hanoda", "", false, 0, 1},
                                           StepCase{"shoes on a road", "HanoMori", "", "Hanoda", "", false, 3, 2},
                                           StepCase{"shoes in a dungeon", "Shinen", "In", "Shinen", "", false, 3, 0},
                                           StepCase{"dungeon", "Tou", "In", "Tou", "", false, 0, 0},
                                           StepCase{"the stairs walk", "Tou", "In", "Tou", "NextFloor", false, 0, 1},
                                           StepCase{"stepping mode", "HanoMori", "", "Hanoda", "", true, 0, 0}),
    q::test::NameBy(&StepCase::what));

TEST_F(WalkTest, EndOfTheEndlessCorridorStepsInPlaceOnlyWalkingRight) {
    g().FieldName = "ElfMugen";
    g().LeftTown = "Elwind";
    g().RoadLength = 200;
    g().RoadPos = 200;
    g().StepWidth = 45;
    g().HeroStep = 1;
    g().NewGame = true;
    WalkStep(g(), false, WalkHeroine);
    EXPECT_EQ(g().RoadPos, 200);
    g().LeftMode = true;
    g().HeroStep = 1;
    WalkStep(g(), true, WalkHeroine);
    EXPECT_EQ(g().RoadPos, 199);
}

TEST_F(WalkTest, PerfumeHealsOnEveryMovePhaseUpToTheMaximum) {
    g().AllKey[17].LKeyList = true;
    g().MyNowHp = 33;
    g().Stepping = true;  // stepping in place heals too
    g().HeroStep = 1;
    g().StepWidth = 45;
    g().NewGame = true;
    for (int i = 0; i < 4; ++i) WalkStep(g(), false, WalkHeroine);
    EXPECT_EQ(g().MyNowHp, 35);
    for (int i = 0; i < 4; ++i) WalkStep(g(), false, WalkHeroine);
    EXPECT_EQ(g().MyNowHp, 35);
}

TEST_F(WalkTest, CustomerArrivesAtTheCounterAndTheLeaverLeavesTheStage) {
    g().SceneFormName = "frmShop";
    g().EventField = "Shop";
    g().HeroSprite = 92;
    g().StepWidth = 90;
    g().VisitorSprite = 10;
    g().VisitorX = 200;
    g().VisitorStep = 1;
    g().LeaverSprite = 7;
    g().LeaverX = -400;
    g().LeaverStep = 1;
    WalkStep(g(), false, WalkCustomers);
    EXPECT_EQ(g().VisitorX, 285);  // 290 snapped to whole pixels
    EXPECT_EQ(g().ShopPhase, 0);
    EXPECT_EQ(g().LeaverX, -570);
    EXPECT_EQ(g().LeaverSprite, NoSprite);  // drawn in this frame, then dropped
    EXPECT_NE(XOf(7), -99999);
    WalkStep(g(), false, WalkCustomers);  // phase 2
    g().VisitorStep = 3;
    WalkStep(g(), false, WalkCustomers);
    EXPECT_GE(g().VisitorX, 300);
    EXPECT_EQ(g().ShopPhase, ShopArrived);
}

TEST_F(WalkTest, DuringTheOpeningTheVisitorPassesTheCounter) {
    g().SceneFormName = "frmShop";
    g().NewGame = true;
    g().StepWidth = 90;
    g().VisitorSprite = 89;
    g().VisitorX = 290;
    g().VisitorStep = 1;
    WalkStep(g(), false, WalkCustomers);
    EXPECT_GE(g().VisitorX, 300);
    EXPECT_EQ(g().ShopPhase, 0);
}

TEST_F(WalkTest, CartFacilityDrawsNoScenery) {
    g().SceneFormName = "frmEvent";
    g().EventField = "Cart";
    g().NewGame = true;
    g().VisitorSprite = 44;
    g().VisitorStep = 2;
    g().StepWidth = 45;
    WalkStep(g(), true, WalkVisitor);
    EXPECT_EQ(Sprites(), (std::vector<int>{g().HeroSprite, 45}));
}

struct GaugeCase {
    Long current, maximum;
    int gem;
};

class Gauges : public WalkTest, public ::testing::WithParamInterface<GaugeCase> {};

TEST_P(Gauges, BlueFromSeventyYellowFromThirtyPercent) {
    const GaugeCase& c = GetParam();
    g().MyNowHp = c.current;
    g().MyMaxHp = c.maximum;
    DrawGauges(g());
    RGN_Apply(g(), *stage);
    ASSERT_FALSE(Sprites().empty());
    EXPECT_EQ(Sprites()[0], c.gem) << c.current << "/" << c.maximum;
}

INSTANTIATE_TEST_SUITE_P(Walk, Gauges,
                         ::testing::Values(GaugeCase{70, 100, 188}, GaugeCase{69, 100, 190}, GaugeCase{30, 100, 190},
                                           GaugeCase{29, 100, 189}, GaugeCase{25, 35, 188}, GaugeCase{24, 35, 190},
                                           GaugeCase{11, 35, 190}, GaugeCase{10, 35, 189}, GaugeCase{0, 35, 189},
                                           GaugeCase{0, 0, 188}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.current, "Of", c.maximum); }));

TEST_F(WalkTest, MarksAndTheSwordsman) {
    g().SceneFormName = "frmField";
    g().OnceStop = true;
    g().AutoNext = true;
    g().HelperPresent = true;
    g().HeroX = 1200;
    Fresh();
    DrawGauges(g());
    RGN_Apply(g(), *stage);
    EXPECT_EQ(Sprites(), (std::vector<int>{188, 188, 188, 399, 30}));
    EXPECT_EQ(XOf(399), 30);
    EXPECT_EQ(XOf(30), (1200 + 400) / 15);
    g().SceneFormName = "frmShop";  // no pause mark outside the field
    Fresh();
    DrawGauges(g());
    RGN_Apply(g(), *stage);
    EXPECT_EQ(Sprites()[3], 398);
    g().NewGame = true;
    Fresh();
    DrawGauges(g());
    RGN_Apply(g(), *stage);
    EXPECT_TRUE(Sprites().empty());
}

TEST_F(WalkTest, SceneSwitchByPlace) {
    struct Case {
        const char* place;
        const char* shown;
        bool busy;
    };
    for (const Case& c : {Case{"Shop", "frmShop.Show", false}, Case{"Board", "frmEvent.Show", false},
                          Case{"Hotel", "frmEvent.Show", true}, Case{"Anything", "frmEvent.Show", true},
                          Case{"In", "frmField.Show", false}, Case{"", "frmField.Show", false}}) {
        calls.clear();
        g().EventBusy = true;
        GoToPlace(g(), c.place, "Hanoda", "Rein", "HanoMori");
        EXPECT_EQ(calls, std::vector<std::string>{c.shown}) << c.place;
        EXPECT_EQ(g().EventBusy, c.busy) << c.place;
    }
    EXPECT_EQ(g().LeftTown, "Hanoda");
    EXPECT_EQ(g().FieldName, "HanoMori");
}

TEST_F(WalkTest, SwitchKeepsTheLineAfterReturningToTheEntrance) {
    g().frmUnderMes->LBLMessage[0].Caption = "入り口に戻った";
    g().frmUnderMes->LBLMessage[1].Caption = "はい";
    g().EffectResult = EffectToEntrance;
    GoToPlace(g(), "Board", "", "", "");
    EXPECT_EQ(g().frmUnderMes->LBLMessage[0].Caption.get(), "入り口に戻った");
    EXPECT_EQ(g().frmUnderMes->LBLMessage[1].Caption.get(), "");
    g().EffectResult = 0;
    GoToPlace(g(), "Board", "", "", "");
    EXPECT_EQ(g().frmUnderMes->LBLMessage[0].Caption.get(), "");
}

}  // namespace
}  // namespace q
