// The stairs of the cave and the tower, and the cliff at the far end of the
// endless corridor: the heroine may take the stairs one floor on, or out.
#include <array>
#include <string>

#include "core/Game.h"
#include "core/Message.h"
#include "core/StoryInput.h"
#include "core/Walk.h"
#include "field/FieldEvents.h"
#include "field/frmField.h"
#include "shop/ListWindows.h"

namespace q {

namespace {

enum class Way { Corridor, Dungeon, Cave, Tower };
enum class FloorIs { Any, First, AboveFirst, Last, Blocked };

// What the heroine finds, by where she is, her direction and the floor;
// the first row that holds is taken.
struct StairsRow {
    Way way;
    bool right;
    FloorIs floor;
    const char* line;
    bool asks;   // a question follows; otherwise the line ends the event
    bool exit;   // the way out
};

constexpr std::array<StairsRow, 9> StairsRows{{
    {Way::Corridor, true, FloorIs::Any, "イザベラ：絶壁があって先には進めないわ。戻りましょう", false, false},
    {Way::Dungeon, false, FloorIs::First, "イザベラ：ここから外に戻れそうね。どうしましょう？", true, true},
    {Way::Cave, false, FloorIs::AboveFirst, "イザベラ：上り階段があるわ。どうしましょう？", true, false},
    {Way::Cave, true, FloorIs::Blocked, "イザベラ：下り階段は見つからないわね…", false, false},
    {Way::Cave, true, FloorIs::Last, "イザベラ：もう下の階はなさそう…。戻るしかないわね", false, false},
    {Way::Cave, true, FloorIs::Any, "イザベラ：下り階段があるわ。どうしましょう？", true, false},
    {Way::Tower, false, FloorIs::AboveFirst, "イザベラ：下り階段があるわ。どうしましょう？", true, false},
    {Way::Tower, true, FloorIs::Last, "イザベラ：もう上の階はなさそう…。戻るしかないわね", false, false},
    {Way::Tower, true, FloorIs::Any, "イザベラ：上り階段があるわ。どうしましょう？", true, false},
}};

bool InCave(const Game& g) { return g.LeftTown == "Shinen"; }
bool InTower(const Game& g) { return g.LeftTown == "Tou"; }

bool WayHolds(const Game& g, Way w) {
    switch (w) {
        case Way::Corridor: return g.FieldName == "ElfMugen";
        case Way::Dungeon: return InCave(g) || InTower(g);
        case Way::Cave: return InCave(g);
        case Way::Tower: return InTower(g);
    }
    return false;
}

// The cave's stairs down stay hidden until the story has gone far enough.
bool StairsHidden(const Game& g) {
    return (g.NowFloor == 15 && g.Warasibe <= 8) || (g.NowFloor == 50 && g.Warasibe <= 11);
}

bool FloorHolds(const Game& g, FloorIs f) {
    switch (f) {
        case FloorIs::Any: return true;
        case FloorIs::First: return g.NowFloor <= 1;
        case FloorIs::AboveFirst: return g.NowFloor > 1;
        case FloorIs::Last: return g.NowFloor >= g.RoadLength;
        case FloorIs::Blocked: return StairsHidden(g);
    }
    return false;
}

const StairsRow* FindStairs(const Game& g) {
    const bool right = !g.LeftMode;
    for (const auto& row : StairsRows)
        if (WayHolds(g, row.way) && row.right == right && FloorHolds(g, row.floor)) return &row;
    return nullptr;
}

// The end of a stairs event; the way out shows no last frame, the board follows.
void StairsEnd(Game& g, bool frame) {
    if (frame) FieldFrame(g);
    ShowMessage(g, "");
    g.StoryNo = 0;
    g.EventName.clear();
    g.StoryName.clear();
    g.VisitorSprite = NoSprite;
    g.EventBusy = false;
    g.NoClick = NoClickNone;
}

// Walking right marks every tenth floor for the warp.
void MarkWarpFloor(Game& g) {
    const Long i = g.RoadPos / 10 - 1;
    if (i < 0) return;
    if (InTower(g) && i < Long(g.TouSpot.size())) g.TouSpot[size_t(i)] = true;
    if (InCave(g) && i < Long(g.AnaSpot.size())) g.AnaSpot[size_t(i)] = true;
}

void TakeStairs(Game& g) {
    g.HeroStep = 1;
    WalkStep(g, g.LeftMode, WalkHeroine);
    g.NowFloor = g.NowFloor + g.WalkDir;
    if (!g.LeftMode) MarkWarpFloor(g);
    const std::string prefix = InCave(g) ? "地下" : "";
    ShowMessage(g, "イザベラ：" + prefix + std::to_string(g.NowFloor) + "階に着いたわ！");
    RefreshListWindow(g);
}

}  // namespace

void frmField::NextFloorSelect() {
    Game& g = game;
    // At the corridor's far end only, where she walks on the spot.
    if (g.FieldName == "ElfMugen" && !(g.RoadPos >= g.RoadLength && !g.LeftMode)) return;
    const StairsRow* row = FindStairs(g);
    if (!row) return;
    g.ExitOffer = false;
    g.EventBusy = true;
    g.NoClick = NoClickAuto;
    g.StoryNo = 1;
    g.StoryName = "NextFloor";
    g.VisitorSprite = BlankFigure;
    ShowMessage(g, row->line);
    g.StoryNo = row->asks ? 1 : 999;
    g.ExitOffer = row->exit;
    PlaceVisitor(g);
    FieldFrame(g, g.VisitorSprite);
    g.NoClick = NoClickNone;
    RefreshListWindow(g);
    AutoAdvanceWait(g);
}

void frmField::NextFloorTurn() {
    Game& g = game;
    if (g.StoryNo == 2) {
        g.AnswerKey = AnswerNone;
        g.WaitingAnswer = true;
        g.StoryNo = StoryWaitNo;
        ShowMessage(g, "行く", "行かない", "", true);
        g.NoClick = NoClickNone;
        AutoAdvanceWait(g);
        return;
    }
    const Long answer = g.AnswerKey;
    if (answer == AnswerYes || answer == AnswerEnter || answer == AnswerGo) {
        g.AnswerKey = AnswerNone;
        g.DealAccepted = true;
        g.StoryNo = 999;
        if (g.ExitOffer) {
            StairsEnd(g, false);
            RefreshListWindow(g);
            g.Call("frmMenu.mOut_Click");
            return;
        }
        TakeStairs(g);
        g.NoClick = NoClickNone;
        AutoAdvanceWait(g);
        return;
    }
    if (answer == AnswerNo) {
        g.AnswerKey = AnswerNone;
        g.DealAccepted = false;
        StairsEnd(g, true);
        return;
    }
    if (g.StoryNo == 1000) {
        StairsEnd(g, true);
        return;
    }
    g.NoClick = NoClickNone;
}

}  // namespace q
