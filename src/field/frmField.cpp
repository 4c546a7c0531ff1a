#include "field/frmField.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/Clock.h"
#include "core/GoToPlace.h"
#include "core/Inventory.h"
#include "core/KeepOnTop.h"
#include "core/Message.h"
#include "core/Stats.h"
#include "core/StoryInput.h"
#include "core/Walk.h"
#include "core/World.h"
#include "core/frmUnderMes.h"
#include "shop/ListWindows.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

namespace {

struct AreaScenery {
    std::string_view area;
    Long left, right;
};

constexpr std::array<AreaScenery, 8> Sceneries{{
    {"HanoMori", 407, 417},
    {"HanoSiro", 407, 419},
    {"MoriElf", 417, 406},
    {"ElfAna", 406, 400},
    {"SiroTou", 419, 420},
    {"Shinen", 422, 405},
    {"Tou", 404, 423},
    {"ElfMugen", 406, 393},
}};

// Length of a road by the town at its left end; any other is a dungeon.
struct RoadLengthRow {
    std::string_view leftTown;
    Long length;
};
constexpr std::array<RoadLengthRow, 4> RoadLengths{{{"Hanoda", 200}, {"Rein", 100}, {"Amulet", 100}, {"Elwind", 200}}};

constexpr Long BranchOfLife = 8;

// Where the troll stands on the road between Rein and Elwind.
constexpr Long TrollPlace = 99;

// A road boss stands at the right end while the story is at its stage.
struct EndBoss {
    std::string_view road;
    Long warasibe;   // the story stage at which the end holds something
    int boss;        // BossOK element, or -1 for none
    Long nextStage;  // the stage after passing
};

constexpr std::array<EndBoss, 4> EndBosses{{
    {"HanoMori", 1, 0, 2},
    {"ElfAna", 5, 2, 6},
    {"HanoSiro", 7, 7, 8},
    {"SiroTou", 10, -1, 11},
}};

// Bosses on floors of the dungeons: the floor and the BossOK element.
struct FloorBoss {
    std::string_view dungeon;
    Long floor;
    int boss;
};
constexpr std::array<FloorBoss, 5> FloorBosses{{
    {"Shinen", 15, 3}, {"Shinen", 39, 4}, {"Shinen", 199, 10}, {"Tou", 49, 8}, {"Tou", 99, 9},
}};

}  // namespace

frmField::frmField(Game& g) : SceneForm(g, "frmField") {}

void frmField::Design() {
    Caption = "+++ Quorvane +++";
    for (Timer* t : {&Timer1, &Timer2, &Timer3}) {
        t->Interval = 0;
        t->Enabled = true;
    }
}

Long frmField::FacingRight() const { return game.FieldLevel == 0 ? 96 : game.FieldLevel == 1 ? 103 : 110; }
Long frmField::FacingLeft() const { return FacingRight() - 3; }

void frmField::Form_Load() {
    Game& g = game;
    g.NoClick = NoClickAll;
    g.StoryNo = 0;
    g.NowFloor = 1;
    g.ExitOffer = false;
    g.VisitorSprite = NoSprite;
    g.StoryName.clear();
    g.LastMessage.clear();
    g.EventField.clear();
    if (g.FieldName == "Tou" || g.FieldName == "Shinen") g.EventField = "In";
    g.SceneFormName = "frmField";
    g.StageForm = this;
    g.AutoBlocked = false;
    Timer2.Interval = g.FrontFLG ? 1000 : 0;
    Scenery();
    Start();
    Frame(true);
    RefreshListWindow(g);
    SetMonsterRange(g);
    Timer1.Interval = g.SpeedInterval;
    Timer1.Enabled = true;
    g.NoClick = NoClickNone;
}

void frmField::Scenery() {
    Game& g = game;
    for (const auto& s : Sceneries) {
        if (s.area != g.FieldName) continue;
        g.PlaceSprite = s.left;
        g.PlaceSprite2 = s.right;
    }
    const RoadLengthRow* road = nullptr;
    for (const auto& r : RoadLengths)
        if (r.leftTown == g.LeftTown) road = &r;
    if (road) {
        g.RoadLength = road->length;
        const bool fromLeft = g.RoadForward || (road->leftTown == "Elwind" && g.RightTown == "Mugen");
        g.RoadPos = fromLeft ? 1 : road->length - 1;
    } else {
        g.RoadLength = g.FieldName == "Shinen" ? 300 : 100;
        g.RoadPos = 1;
    }
}

void frmField::Start() {
    Game& g = game;
    g.StepWidth = RGN_PixelToTwipX(g, double(g.ScreenWidthPx - 160) / double(g.RoadLength));
    // A step of nothing would never reach the end: at least a pixel, however narrow the screen.
    if (g.StepWidth < 1) g.StepWidth = RGN_PixelToTwipX(g, 1);
    if (g.RoadPos == 1) {
        g.HeroX = g.PlaceX + RGN_PixelToTwipX(g, 64);
        g.LeftMode = false;
        g.HeroSprite = FacingRight();
    } else {
        g.HeroX = g.PlaceX2 - RGN_PixelToTwipX(g, 32);
        g.LeftMode = true;
        g.HeroSprite = FacingLeft();
    }
    if (g.ResumeCode[0] == ResumeDungeonSwitch) {
        g.RoadPos = g.ResumeCode[1];
        g.NowFloor = g.ResumeCode[1];
        g.HeroX = RoundHalfEven(double(g.ResumeCode[1]) * g.StepWidth + g.PlaceX + RGN_PixelToTwipX(g, 64));
        g.ResumeCode.fill(0);
    }
    g.HeroWalkX = g.HeroX;
}

// The scenery and the heroine, the gauges.
void frmField::Frame(bool init) {
    Game& g = game;
    if (init) RGN_InitForm(g, *this, 1, -1, -1);
    RGN_Draw(g, g.PlaceSprite, *this, g.PlaceX, g.SpriteTop);
    RGN_Draw(g, g.PlaceSprite2, *this, g.PlaceX2, g.SpriteTop);
    RGN_Draw(g, g.HeroSprite, *this, g.HeroX, g.SpriteTop);
    DrawGauges(g);
    RGN_Apply(g, *this);
}

void frmField::ApplyDeferredSettings() {
    Game& g = game;
    if (g.AutoNextChange == 1) g.AutoNext = false;
    else if (g.AutoNextChange == 2) g.AutoNext = true;
    if (g.LeftModeChange == 1) {
        g.LeftMode = true;
        g.HeroSprite = FacingLeft();
    } else if (g.LeftModeChange == 2) {
        g.LeftMode = false;
        g.HeroSprite = FacingRight();
    }
    g.AutoNextChange = 0;
    g.LeftModeChange = 0;
}

void frmField::Pause() {
    Game& g = game;
    RGN_Draw(g, g.PlaceSprite, *this, g.PlaceX, g.SpriteTop);
    RGN_Draw(g, g.PlaceSprite2, *this, g.PlaceX2, g.SpriteTop);
    RGN_Draw(g, g.HeroSprite, *this, g.HeroX, g.SpriteTop);
    DrawGauges(g);
    RGN_Apply(g, *this);
    RefreshListWindow(g);
    ShowMessage(g, "");
    if (g.ListName == "frmSack" || g.ListName == "frmBag") g.Call("SelectFirstListRow");
    g.VisitorSprite = NoSprite;
    g.StoryNo = 0;
    g.EventName.clear();
    g.StoryName.clear();
    g.SavedStoryName.clear();
    g.AutoBlocked = false;
    g.EventBusy = false;
    g.NoClick = NoClickNone;
    g.BattlePhase = 0;
    Timer1.Interval = 0;
    Timer1.Enabled = false;
}

void frmField::Timer1_Timer() {
    Game& g = game;
    if (g.TimersSuspended || g.StoryName == "VBEnd") return;
    if (!g.EventBusy) {
        // A list window's question (use or throw away?) waits for its answer:
        // walking on or stopping would wipe it and leave the window locked.
        if (g.ListConfirm) return;
        ApplyDeferredSettings();
        if (g.FaintHeld) {
            PlayHeldFaint();
            return;
        }
        if (g.DieFlg && g.AutoNext) {
            if (g.RevivePending) {
                Revive();
            } else {
                g.NoClick = NoClickNone;
                g.StoryNo = g.StoryNo == 1 ? 2 : 1;
                Timer1.Enabled = false;
                GameOverStory(g);
            }
            return;
        }
    } else {
        if (g.AutoNext) ConsumeAutoAdvance(g);
        return;
    }
    if (g.OnceStop) {
        Pause();
        return;
    }
    g.frmUnderMes->ClearLabels();
    const Long from = g.RoadPos;
    WalkStep(g, g.LeftMode, WalkHeroine);
    if (!loaded()) return;
    if (EndsOfTheWay() || PlacesOfTheWay(from)) return;
    TimerEvent();
    if (g.Ended()) return;
    // The tick's time passes even when it began an event; a faint it causes
    // waits for the event's story to end, so it cannot fall into the
    // event's question.
    g.HoldFaint = g.EventBusy;
    for (int step = 0; step < 2 && !g.DieFlg && !g.FaintHeld; ++step) AdvanceTime(g, 1, false);
    g.HoldFaint = false;
    if (g.DieFlg) AfterFaint();
}

void frmField::AfterFaint() {
    if (game.RevivePending) Revive();
    else Timer1.Enabled = false;
}

// The event that held her faint is over. The faint plays unless the event
// has already restored her (a lost fight wakes her at home; a healer).
void frmField::PlayHeldFaint() {
    Game& g = game;
    g.FaintHeld = false;
    if (g.MyNowHp > 0) return;
    g.StoryNo = 0;
    GameOverStory(g);
    AfterFaint();
}

void frmField::Arrive(const std::string& town) {
    Game& g = game;
    g.FieldName = town;
    GoToPlace(g, "Board", "", "", "");
}

bool frmField::EndsOfTheWay() {
    Game& g = game;
    const bool walkingRight = !g.LeftMode;
    if (g.RoadPos >= g.RoadLength - 1 && walkingRight) {
        for (const auto& b : EndBosses) {
            if (b.road != g.FieldName || b.warasibe != g.Warasibe) continue;
            if (b.boss >= 0 && !g.BossOK[size_t(b.boss)]) {
                g.Call("frmField.BossSelect");
                return true;
            }
            g.Warasibe = b.nextStage;
            Arrive(g.RightTown);
            return true;
        }
        if (g.FieldName == "MoriElf" && g.Warasibe == 3) {
            g.Warasibe = g.KajiyaFlg == 1 ? 5 : 4;
            Arrive(g.RightTown);
            return true;
        }
        if (g.FieldName == "ElfMugen") {
            if (!g.BossOK[12]) {
                g.Call("frmField.BossSelect");
                return true;
            }
            return false;
        }
        if (g.FieldName == "Shinen" || g.FieldName == "Tou") return false;
        Arrive(g.RightTown);
        return true;
    }
    if (g.RoadPos <= 0) {
        Arrive(g.LeftTown);
        return true;
    }
    return false;
}

// Whether the frame's walk from `from` reached or passed `place`, in either
// direction. Standing still on the place counts as reaching it.
bool frmField::Reached(Long from, Long place) const {
    const Long to = game.RoadPos;
    return from <= to ? from <= place && place <= to : to <= place && place <= from;
}

bool frmField::PlacesOfTheWay(Long from) {
    Game& g = game;
    if (g.FieldName == "MoriElf") {
        if (Reached(from, TrollPlace) && !g.BossOK[1] && g.TorolFlg) {
            g.Call("frmField.BossSelect");
            return true;
        }
        return false;
    }
    for (const auto& b : FloorBosses) {
        if (b.dungeon != g.FieldName || b.floor != g.RoadPos || g.BossOK[size_t(b.boss)]) continue;
        g.Call("frmField.BossSelect");
        return true;
    }
    if (g.FieldName == "Shinen" && g.RoadPos == 299) {
        if (!g.BossOK[11]) {
            g.Call("frmField.BossSelect");
            return true;
        }
        if (!g.AnaSpot[29]) {
            g.StoryNo = 10;
            g.AnaSpot[29] = true;
            g.Call("frmField.EndingTurn");
            return true;
        }
    }
    return false;
}

void frmField::TimerEvent() {
    Game& g = game;
    g.StoryName.clear();
    g.StoryNo = 0;
    const long r = g.Chance(31);
    switch (r) {
        case 0:
        case 13:
            if (!g.MonsNothing && g.Condition[CondNoEncounter] <= 0) g.Call("BattleStart", 0);
            break;
        case 1:
        case 5:
        case 8:
        case 16:
        case 19:
        case 23:
        case 30: g.Call("frmField.ItemSelect"); break;
        case 3:
            if ((g.LeftTown == "Tou" || g.LeftTown == "Shinen" || g.FieldName == "ElfMugen") && !g.Stepping)
                g.Call("frmField.NextFloorSelect");
            break;
        case 4: g.Call("frmField.ManSelect"); break;
        case 11: g.Call("frmField.AssistSelect"); break;
        default: break;
    }
}

void frmField::Revive() {
    Game& g = game;
    g.MyNowHp = Long(double(g.MyMaxHp) * 0.5);
    RefreshListWindow(g);
    // The branch is looked up again: the sack may have changed since she fainted.
    SackCheck(g, BranchOfLife, 1, false, true);
    ShowMessage(g, "い……意識が………。生命の枝が七色の光を放つ……。イザベラの体力が回復した！");
    if (!g.AutoNext) {
        Timer1.Enabled = false;
        Timer1.Interval = 0;
        g.ResumePending = true;
    }
    Frame(false);
    g.RevivePending = false;
    g.DieFlg = false;
    RefreshListWindow(g);
    AutoAdvanceWait(g);
}

}  // namespace q
