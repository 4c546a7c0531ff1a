// The town board menu's commands: the facilities, home, the dungeon, the
// roads, the lake and the castle, and the board's own commands.
#include <array>
#include <string_view>

#include "core/GoToPlace.h"
#include "core/KeepOnTop.h"
#include "core/frmMenu.h"
#include "field/frmField.h"
#include "town/frmEvent.h"

namespace q {

namespace {

// A facility item: its place key and the keeper who stands at the door.
struct FacilityItem {
    const char* item;
    const char* place;
    Long keeper;
};

constexpr std::array<FacilityItem, 12> Facilities{{
    {"bWarp", "Warp", 393},
    {"bHotel", "Hotel", 412},
    {"bItem", "Item", 414},
    {"bCart", "Cart", 44},
    {"bCarpenter", "Carpenter", 403},
    {"bFortune", "Fortune", 408},
    {"bMania", "Mania", 416},
    {"bBank", "Bank", 401},
    {"bHouse", "House", 413},
    {"bSmith", "Smith", 415},
    {"bHiroba", "Park", 411},
    {"bKaihatsu", "Kaihatsu", 414},
}};

constexpr Long BankerAfterTheWar = 402;
constexpr Long ParkTile = 418;
constexpr Long LakeTile = 421;
constexpr Long LakeMonster = 357;
constexpr Long Queen = 82;
constexpr Long Minister = 5;

// A road item: from which town it leads where. "" for the town matches any.
struct RoadItem {
    const char* item;
    std::string_view from;
    bool forward;
    const char* first;
    const char* second;
    const char* road;
};

constexpr std::array<RoadItem, 10> Roads{{
    {"bHanoda", "Rein", false, "Hanoda", "Rein", "HanoMori"},
    {"bHanoda", "Amulet", false, "Hanoda", "Amulet", "HanoSiro"},
    {"bRain", "Hanoda", true, "Hanoda", "Rein", "HanoMori"},
    {"bRain", "Elwind", false, "Rein", "Elwind", "MoriElf"},
    {"bElwind", "Rein", true, "Rein", "Elwind", "MoriElf"},
    {"bElwind", "Shinen", false, "Elwind", "Shinen", "ElfAna"},
    {"bShinen", "", true, "Elwind", "Shinen", "ElfAna"},
    {"bAmulet", "Hanoda", true, "Hanoda", "Amulet", "HanoSiro"},
    {"bAmulet", "Tou", false, "Amulet", "Tou", "SiroTou"},
    {"bTower", "", true, "Amulet", "Tou", "SiroTou"},
}};

void EnterFacilityItem(Game& g, const FacilityItem& f) {
    GoToPlace(g, f.place, "", "", "");
    if (std::string_view(f.place) == "Park") g.PlaceSprite = ParkTile;
    g.VisitorSprite = std::string_view(f.place) == "Bank" && g.BossOK[12] ? BankerAfterTheWar : f.keeper;
    g.EventField = f.place;
    g.frmEvent->BoardEvent();
}

void TakeRoad(Game& g, std::string_view item) {
    for (const auto& r : Roads) {
        if (item != r.item || (!r.from.empty() && r.from != g.FieldName)) continue;
        g.RoadForward = r.forward;
        GoToPlace(g, "", r.first, r.second, r.road);
        return;
    }
}

// Who receives the heroine in the castle.
Long CastleFigure(const Game& g) {
    if (g.BossOK[11]) return Queen;
    const Long noah = g.NoaFlg[6];
    if (noah == 0) return Queen;
    if (g.FortuneFlg == 4 && g.Warasibe < 10) return Queen;
    if (noah == 17) return Queen;
    if (noah == 20) return Minister;
    if (noah == 1) {
        for (Long v : g.NoaFlg)
            if (v == 0) return Minister;
        return Queen;
    }
    return Minister;
}

void Lake(Game& g) {
    g.StoryNo = 10;
    if (g.BossOK[6]) {
        if (g.MegamiFlg == 1) g.MegamiFlg = 2;
        g.VisitorSprite = NoSprite;
    } else {
        g.VisitorSprite = LakeMonster;
    }
    g.PlaceSprite = LakeTile;
    g.EventField = "Umi";
    g.frmEvent->BoardEvent();
}

void Castle(Game& g) {
    g.StoryNo = 10;
    g.VisitorSprite = CastleFigure(g);
    g.EventField = "Siro";
    g.frmEvent->BoardEvent();
}

void BoardQuit(Game& g) {
    g.GameEnding = true;
    g.WaitingAnswer = false;
    g.MenuLocked = true;
    g.AnswerKey = AnswerNone;
    g.SavedStoryName = g.StoryName;
    g.StoryName = "VBEnd";
    if (g.EventBusy) g.SavedStoryNo = g.StoryNo;
    g.QuitStoryNo = g.StoryNo;
    g.StoryNo = 0;
    QuitStory(g);
}

}  // namespace

void RegisterBoardMenu(Game& g) {
    for (const auto& f : Facilities)
        g.SetHandler(std::string("frmBoard.") + f.item + "_Click", [&g, &f](Long) { EnterFacilityItem(g, f); });
    for (const char* road : {"bHanoda", "bRain", "bShinen", "bElwind", "bTower", "bAmulet"})
        g.SetHandler(std::string("frmBoard.") + road + "_Click", [&g, road](Long) { TakeRoad(g, road); });
    g.SetHandler("frmBoard.bDream_Click", [&g](Long) { GoToPlace(g, "Shop", "", "", ""); });
    g.SetHandler("frmBoard.bIn_Click", [&g](Long) {
        const std::string place = g.FieldName;
        GoToPlace(g, "In", place, "", place);
    });
    g.SetHandler("frmBoard.bJuntaku_Click", [&g](Long) { Lake(g); });
    g.SetHandler("frmBoard.bSiro_Click", [&g](Long) { Castle(g); });
    g.SetHandler("frmBoard.bStatus_Click", [&g](Long) { g.Call("frmMenu.mStatus_Click"); });
    g.SetHandler("frmBoard.bEconomy_Click", [&g](Long) {
        g.MenuLocked = true;
        g.BoardCommand = "Economy";
        g.StoryNo = 0;
        g.frmEvent->BoardEvent();
    });
    g.SetHandler("frmBoard.bSave_Click", [&g](Long) {
        g.WorkName = "ファイル１";
        g.WorkNum = 0;
        g.MenuLocked = true;
        g.BoardCommand = "Save";
        g.StoryNo = 10;
        g.EventBusy = true;
        g.frmEvent->BoardEvent();
    });
    g.SetHandler("frmBoard.bEnd_Click", [&g](Long) { BoardQuit(g); });
    g.SetHandler("frmEvent.Show", [&g](Long) { g.frmEvent->Show(); });
    g.SetHandler("frmField.Show", [&g](Long) { g.frmField->Show(); });
    g.SetHandler("frmEvent.BoardEvent", [&g](Long) { g.frmEvent->BoardEvent(); });
    g.SetHandler("EnterFacility", [&g](Long) { EnterFacility(g); });
}

}  // namespace q
