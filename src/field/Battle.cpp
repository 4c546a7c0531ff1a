// The entry into a fight, the enemy, and the end of it: the result line,
// experience and money, the drops and the way back to the story that fought.
#include "field/OriBattle.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <span>
#include <string>
#include <string_view>

#include "core/Format.h"
#include "core/Game.h"
#include "core/GoToPlace.h"
#include "core/Growth.h"
#include "core/Inventory.h"
#include "core/Message.h"
#include "core/Stats.h"
#include "core/StoryInput.h"
#include "field/ItemEffects.h"
#include "shop/ListWindows.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

namespace {

constexpr Long NoDrop = 9999;
constexpr Long ClerkSprite = 17;
constexpr Long FirstBoss = 89;
constexpr Long LastBoss = 99;
constexpr Long MonsterGap = 50;  // pixels between the heroine and what she meets
constexpr Long LastMorning = 50;
constexpr Long FirstNight = 81;
constexpr double NightFactor = 1.3;
constexpr Long SealedStrength = 99999;  // the last two bosses while they are not sealed

// Valuables the battle reads.
constexpr size_t HappyPendant = 18;
constexpr size_t EdenFire = 19;        // the night's monsters stay as they are
constexpr size_t LuckyPendant = 28;
constexpr size_t SealingWedge = 27;    // the last two bosses can be fought for real

constexpr Long RobberDrop = 20;
constexpr Long UmakkuMonster = 25;
constexpr Long UmakkuMeat = 41;
constexpr Long MostOfAKind = 9;

// The monsters met by where the heroine stands: the way's length, the story
// stage, the positions, and the range (offsets from the area's first
// monster, or numbers of the table when fixed; ToMax: the area's last).
constexpr Long ToMax = -1;
constexpr Long Lowest = std::numeric_limits<Long>::min();
constexpr Long Highest = std::numeric_limits<Long>::max();

struct Band {
    Long length;
    Long stageFrom, stageTo;
    Long posFrom, posTo;
    bool fixed;
    Long lo, hi;
};

constexpr std::array<Band, 17> Bands{{
    {100, Lowest, Highest, Lowest, 32, false, 0, 2},
    {100, Lowest, Highest, 33, 65, false, 2, 4},
    {100, Lowest, Highest, 66, Highest, false, 4, ToMax},
    {200, Lowest, Highest, Lowest, 39, false, 0, 3},
    {200, Lowest, Highest, 40, 79, false, 2, 6},
    {200, Lowest, Highest, 80, 119, false, 5, 8},
    {200, Lowest, Highest, 120, 159, false, 7, 11},
    {200, Lowest, Highest, 160, Highest, false, 10, ToMax},
    {300, Lowest, 11, Lowest, 25, true, 35, 37},
    {300, Lowest, 11, 26, Highest, true, 38, 41},
    {300, 12, Highest, Lowest, 41, false, 0, 3},
    {300, 12, Highest, 42, 83, false, 2, 5},
    {300, 12, Highest, 84, 125, false, 4, 7},
    {300, 12, Highest, 126, 167, false, 6, 9},
    {300, 12, Highest, 168, 209, false, 8, 11},
    {300, 12, Highest, 210, 251, false, 10, 13},
    {300, 12, Highest, 252, Highest, false, 12, ToMax},
}};

// Which draws of a roll let a drop fall, by its class (a class with no row
// never drops).
constexpr std::array<std::initializer_list<long>, 3> ItemHits{{
    {2, 8, 15, 19, 22, 27, 34, 38, 41, 45},
    {1, 12, 24, 37, 48},
    {44},
}};
constexpr long ItemRoll = 51;
constexpr std::array<std::initializer_list<long>, 3> JewelHits{{
    {18, 22, 30, 45, 64, 76},
    {1, 42, 58},
    {77},
}};
constexpr long JewelRoll = 80;

// The bosses that give a valuable at their first defeat outside the endless
// corridor, instead of any other drop.
struct ValuableDrop {
    Long monster;
    size_t valuable;
    size_t given;  // its element of ValuableItem
    bool noahPiece;
};
constexpr std::array<ValuableDrop, 3> ValuableDrops{{
    {96, 0, 0, true},
    {97, 27, 1, false},
    {98, 15, 2, false},
}};

bool IsRobber(const Game& g) { return g.SavedStoryName == "ShopEvent"; }

// The robber and the clerk are no row of the monster table: EnemyNo still
// names whatever was fought before them.
bool EnemyFromTable(const Game& g) { return g.EnemyName != RobberName && g.EnemyName != ClerkName; }

bool Hits(std::span<const std::initializer_list<long>> table, Long cls, long r) {
    if (cls < 0 || size_t(cls) >= table.size()) return false;
    const auto& hits = table[size_t(cls)];
    return std::find(hits.begin(), hits.end(), r) != hits.end();
}

// A roll of 0..n-1 that hits on the class's values; a miss is rolled again
// up to twice for each of the two pendants owned.
bool RollWithLuck(Game& g, std::span<const std::initializer_list<long>> table, Long cls, long n) {
    for (;;) {
        if (Hits(table, cls, g.Chance(n))) return true;
        if (g.AllKey[LuckyPendant].LKeyList && g.LuckRerolls28 <= 1) {
            ++g.LuckRerolls28;
            continue;
        }
        if (g.AllKey[HappyPendant].LKeyList && g.LuckRerolls18 <= 1) {
            ++g.LuckRerolls18;
            continue;
        }
        return false;
    }
}

// --- The monster of the way ---------------------------------------------

void MonsterRange(const Game& g, Long& lo, Long& hi) {
    lo = g.AreaEnemyMin;
    hi = g.AreaEnemyMax;
    if (g.FieldName == "ElfMugen") return;
    for (const Band& b : Bands) {
        if (b.length != g.RoadLength || g.Warasibe < b.stageFrom || g.Warasibe > b.stageTo) continue;
        if (g.RoadPos < b.posFrom || g.RoadPos > b.posTo) continue;
        const Long base = b.fixed ? 0 : g.AreaEnemyMin;
        lo = base + b.lo;
        hi = b.hi == ToMax ? g.AreaEnemyMax : base + b.hi;
        return;
    }
}

// Morning monsters (DayNight 1) are met up to time 50, night ones (2) from 51.
bool FitsTheTime(const Game& g, Long monster) {
    const Long dayNight = g.AllMonster[size_t(monster)].DayNight;
    return g.NowTime <= LastMorning ? dayNight != 2 : dayNight != 1;
}

void RollMonster(Game& g) {
    Long lo = 0, hi = 0;
    MonsterRange(g, lo, hi);
    lo = std::clamp<Long>(lo, 0, MonsterCount - 1);
    hi = std::clamp<Long>(hi, lo, MonsterCount - 1);
    // A range with nothing for this time of day takes the first draw.
    bool any = false;
    for (Long i = lo; i <= hi; ++i) any = any || FitsTheTime(g, i);
    do {
        g.EnemyNo = lo + Long(g.Chance(hi - lo + 1));
    } while (any && !FitsTheTime(g, g.EnemyNo));
}

// The scenery, the heroine and (unless none) the figure before her.
void FieldFrame(Game& g, bool withVisitor) {
    if (!g.StageForm) return;
    Form& stage = *g.StageForm;
    RGN_InitForm(g, stage, 1, -1, -1);
    RGN_Draw(g, g.PlaceSprite, stage, g.PlaceX, g.SpriteTop);
    RGN_Draw(g, g.PlaceSprite2, stage, g.PlaceX2, g.SpriteTop);
    RGN_Draw(g, g.HeroSprite, stage, g.HeroX, g.SpriteTop);
    if (withVisitor && g.VisitorSprite != NoSprite) RGN_Draw(g, g.VisitorSprite, stage, g.VisitorX, g.SpriteTop);
    DrawGauges(g);
    RGN_Apply(g, stage);
}

// The monster steps up before the heroine, facing her.
void StandMonster(Game& g) {
    const Long picture = g.AllMonster[size_t(g.EnemyNo)].Picture;
    const Long gap = RGN_PixelToTwipX(g, MonsterGap);
    if (g.LeftMode) {
        g.VisitorX = g.HeroX - gap;
        g.VisitorSprite = picture + 1;
    } else {
        g.VisitorX = g.HeroX + gap;
        g.VisitorSprite = picture;
    }
    FieldFrame(g, true);
}

// --- The enemy -------------------------------------------------------------

void BuildRobber(Game& g) {
    g.EnemyName = RobberName;
    g.EnemyHp = RoundHalfEven(g.MyMaxHp * 0.75);
    g.EnemyAt = RoundHalfEven(g.MyAt * 0.9);
    g.EnemySp = RoundHalfEven(g.MySp * 1.2);
    g.EnemyDi = g.MyDi;
    g.EnemySkill = "急所突き！";
    g.EnemySkillKind = 11;
    g.EnemySkillRate = 3;
    g.EnemyGold = (Long(g.Chance(g.MyLevel)) + 5) * 500;
    g.EnemyEx = Long(std::floor(g.MyNowEx * 0.1));
    g.EnemyGyokuClass = 1;
    if (g.DropSlot == 1) {
        g.DropNo = RobberDrop;
        g.DropClass = 2;
    } else {
        g.DropSlot = 0;
    }
}

void BuildClerk(Game& g) {
    g.EnemyName = ClerkName;
    g.EnemyHp = 9999;
    g.EnemyAt = 700;
    g.EnemyDi = 320;
    g.EnemySp = 222;
    g.EnemySkill = "銭投げ！";
    g.EnemySkillKind = 11;
    g.EnemySkillRate = 3;
    g.EnemyGold = 1;
    g.EnemyEx = 18920;
    g.EnemyGyokuClass = 1;
    g.DropSlot = 0;
}

// A monster of the way is stronger at night unless the lantern burns or the
// heroine carries the fire of Eden.
double StrengthFactor(const Game& g) {
    if (g.NowTime < FirstNight) return 1;
    if (g.Condition[CondLantern] >= 1 || g.AllKey[EdenFire].LKeyList) return 1;
    return NightFactor;
}

// The boss (or the lake's guardian) standing before her, by its picture: the
// second frame of a boss that faces left selects it too.
void FindBoss(Game& g) {
    for (Long i = FirstBoss; i <= LastBoss; ++i) {
        const Long picture = g.AllMonster[size_t(i)].Picture;
        if (picture == g.VisitorSprite || picture == g.VisitorSprite - 1) {
            g.EnemyNo = i;
            return;
        }
    }
}

void BuildFromTable(Game& g, double factor) {
    const MonsterRecord& m = g.AllMonster[size_t(g.EnemyNo)];
    g.EnemyName = m.Name;
    g.EnemyHp = m.Hp;
    g.EnemyAt = RoundHalfEven(m.At * factor);
    g.EnemyDi = RoundHalfEven(m.Di * factor);
    g.EnemySp = RoundHalfEven(m.Sp * factor);
    g.EnemySkill = m.SpecialName;
    g.EnemySkillKind = m.SpecialKind;
    g.EnemySkillRate = m.SpecialRate;
    g.EnemyGold = m.Gold;
    g.EnemyEx = m.Exp;
    g.EnemyGyokuClass = m.JewelRank;
    // An item slot of a monster without an item does not fall back to its arm.
    if (g.DropSlot == 1 && m.ItemNo != NoDrop) {
        g.DropNo = m.ItemNo;
        g.DropClass = m.ItemRate;
    } else if (g.DropSlot == 2 && m.ArmNo != NoDrop) {
        g.DropNo = m.ArmNo;
        g.DropClass = m.ArmRate;
    } else {
        g.DropSlot = 0;
    }
}

void BuildBoss(Game& g) {
    FindBoss(g);
    BuildFromTable(g, 1);
    if (g.EnemyNo >= 98 && !g.AllKey[SealingWedge].LKeyList) {
        g.EnemyHp = g.EnemyAt = g.EnemyDi = g.EnemySp = SealedStrength;
    }
}

void BuildEnemy(Game& g) {
    if (IsRobber(g)) return BuildRobber(g);
    if (g.VisitorSprite == ClerkSprite) return BuildClerk(g);
    if (g.SavedStoryName != "BoardEvent" && g.SavedStoryName != "BossTurn") return BuildFromTable(g, StrengthFactor(g));
    BuildBoss(g);
}

void Encounter(Game& g) {
    g.StolenGold = 0;
    g.StoryNo = 0;
    // A faster enemy moves first; otherwise one in five moves first anyway.
    const bool enemyFirst = g.EnemySp > g.MySp || g.Chance(5) == 0;
    const std::string line = g.EnemyName + "が現れた！";
    if (enemyFirst) {
        g.BattlePhase = BattleEnemy;
        g.StoryName = "MonsterTurn";
        ShowMessage(g, line);
        AutoAdvanceWait(g);
        return;
    }
    g.BattlePhase = BattleHero;
    g.StoryName = "HeroTurn";
    g.WaitingAnswer = true;
    AskHeroTurn(g, line);
}

// --- The end ---------------------------------------------------------------

// Escaping a boss: she steps back one position, her picture with her, and
// turns to go back. On a road she goes back the way she came; inside the
// tower or the cave she goes one floor down, towards the exit, whichever way
// she was facing.
void StepBack(Game& g) {
    const bool inDungeon = g.LeftTown == "Tou" || g.LeftTown == "Shinen";
    const Long back = inDungeon || !g.LeftMode ? -1 : 1;
    g.HeroX = RoundHalfEven(g.HeroX + double(back) * std::abs(g.StepWidth));
    if (inDungeon) {
        g.NowFloor += back;
        RefreshListWindow(g);
    }
    g.LeftMode = back < 0;
    g.RoadPos += back;
    const Long facingLeft = g.FieldLevel == 0 ? 93 : g.FieldLevel == 1 ? 100 : 107;
    g.HeroSprite = g.LeftMode ? facingLeft : facingLeft + 3;
}

// The enemy is gone and the walk goes on.
void FieldReturn(Game& g) {
    FieldFrame(g, false);
    if (g.Ended()) return;
    RefreshListWindow(g);
    ShowMessage(g, "");
    g.VisitorSprite = NoSprite;
    g.StoryNo = 0;
    g.EventName.clear();
    g.StoryName.clear();
    g.SavedStoryName.clear();
    g.AutoBlocked = false;
    g.EventBusy = false;
    g.NoClick = NoClickNone;
    g.BattlePhase = BattleNone;
}

// Back to the story that fought, at the step where it takes up again.
void ReturnToCaller(Game& g) {
    RefreshListWindow(g);
    g.BattlePhase = BattleNone;
    const std::string caller = g.SavedStoryName;
    if (caller == "ShopEvent") {
        g.StoryName = "ShopEvent";
        g.StoryNo = 80;
        return AdvanceStory(g, vbLeftButton);
    }
    if (caller == "BoardEvent") {
        g.EventField = g.SavedEventField;
        g.StoryName = "BoardEvent";
        g.StoryNo = 100;
        return AdvanceStory(g, vbLeftButton);
    }
    if (caller == "BossTurn") {
        if (g.ActionValue != EscapePaid) {
            g.StoryName = "BossTurn";
            g.StoryNo = 100;
            return AdvanceStory(g, vbLeftButton);
        }
        StepBack(g);
    }
    FieldReturn(g);
}

void ShowAndWait(Game& g, const std::string& line) {
    ShowMessage(g, line);
    RefreshListWindow(g);
    AutoAdvanceWait(g);
}

// Escaping drops some money on the way.
void EscapeCost(Game& g) {
    AddStat(g, 1, "Escape");
    if (g.MyGold <= 0) {
        g.MyGold = 0;
        g.ActionValue = EscapePaid;
        return ReturnToCaller(g);
    }
    Long n = Long(std::floor(g.MyGold * 0.05 * g.rng.Rnd())) + 1;
    if (n > g.MyGold) n = g.MyGold;
    g.MyGold -= n;
    g.ActionValue = EscapePaid;
    g.StoryNo = 19;
    ShowAndWait(g, "逃げる時に" + FormatThousands(n) + "カリム落としました");
}

void Victory(Game& g) {
    g.EnemyGold += g.StolenGold;
    g.ActionValue = 0;
    std::string line = g.EnemyName + "を倒した。" + FormatThousands(g.EnemyEx) + "の経験値と" +
                       FormatThousands(g.EnemyGold) + "カリムを得た";
    if (IsRobber(g)) AddStat(g, 100, "Fame");
    GainExp(g);
    if (g.Ended()) return;  // a level-up redraws the scene
    if (g.LevelUpPending) {
        g.LevelUpPending = false;
        line += "。＋＋＋　レベルアップ！　＋＋＋";
    }
    ShowAndWait(g, line);
}

// Step 11: what the fight came to.
void Result(Game& g) {
    if (g.ActionValue == EnemyFled) {
        g.ActionValue = 0;
        return ReturnToCaller(g);
    }
    if (g.ActionValue == HeroEscaped) return EscapeCost(g);
    Victory(g);
}

// One piece into the sack, unless it is full or holds nine already; the line
// says which. The branch of life is never picked up twice: false then.
bool PickUpForSack(Game& g, Long id, bool jewel, const std::string& name, std::string& line) {
    const bool held = SackCheck(g, id, 1, jewel, false);
    if (!jewel && id == ItemBranchOfLife && held) return false;
    line = name + "を拾った";
    if (!held && g.HaveSack >= g.NowMaxSack) line += "。しかし道具袋が一杯だった";
    else if (held && g.MySack[size_t(g.WorkIndex)].HHaveSackNum >= MostOfAKind) line += "。しかし既に9個持っている";
    else if (!SackChange(g, id, 0, false, 1, jewel)) line += "。しかし道具袋が一杯だった";
    return true;
}

void PickUpArm(Game& g, Long id, std::string& line) {
    line = g.AllArms[size_t(id)].Name + "を拾った";
    if (g.HaveBagNum >= g.NowMaxBag || !BagChange(g, id, 0, false, 1)) line += "。しかし武具鞄が一杯だった";
}

void Jewel(Game& g);

void ShowDrop(Game& g, const std::string& line) {
    g.StoryNo = 14;
    ShowAndWait(g, line);
}

bool GiveValuable(Game& g) {
    if (g.FieldName == "ElfMugen") return false;
    for (const ValuableDrop& v : ValuableDrops) {
        if (v.monster != g.EnemyNo || g.ValuableItem[v.given]) continue;
        g.ValuableItem[v.given] = true;
        g.AllKey[v.valuable].LKeyList = true;
        if (v.noahPiece) {
            g.NoaFlg[0] = 1;
            const Long arm = g.AllMonster[size_t(v.monster)].ArmNo;
            if (arm >= 0 && arm < ArmCount) g.AllArms[size_t(arm)].LArmsList = true;
        }
        g.StoryNo = 19;  // no other drop in this fight
        ShowAndWait(g, "貴重品：" + g.AllKey[v.valuable].Name + "を手に入れた！");
        return true;
    }
    return false;
}

// Step 12: the item or arm.
void Drop(Game& g) {
    g.LuckRerolls18 = 0;
    g.LuckRerolls28 = 0;
    std::string line;
    if (EnemyFromTable(g)) {
        if (g.GhostFlg[0] == 1 && g.EnemyNo == UmakkuMonster) {
            if (PickUpForSack(g, UmakkuMeat, false, g.AllItem[UmakkuMeat].Name, line)) return ShowDrop(g, line);
            return Jewel(g);
        }
        if (GiveValuable(g)) return;
    }
    if (g.DropSlot == 0 || !RollWithLuck(g, ItemHits, g.DropClass, ItemRoll)) return Jewel(g);
    if (g.DropSlot == 1) {
        if (!PickUpForSack(g, g.DropNo, false, g.AllItem[size_t(g.DropNo)].Name, line)) return Jewel(g);
    } else {
        PickUpArm(g, g.DropNo, line);
    }
    ShowDrop(g, line);
}

// Step 15: the monster's jewel. The robber and the clerk carry none.
void Jewel(Game& g) {
    g.LuckRerolls18 = 0;
    g.LuckRerolls28 = 0;
    if (!EnemyFromTable(g)) return ReturnToCaller(g);
    if (!RollWithLuck(g, JewelHits, g.EnemyGyokuClass, JewelRoll)) return ReturnToCaller(g);
    std::string line;
    PickUpForSack(g, g.EnemyNo, true, g.AllGyoku[size_t(g.EnemyNo)].Name, line);
    g.StoryNo = 19;
    ShowAndWait(g, line);
}

}  // namespace

// --- Public ------------------------------------------------------------------

void BattleStart(Game& g, bool FromStory) {
    g.EventBusy = true;
    if (!FromStory) {
        RollMonster(g);
        StandMonster(g);
        if (g.Ended()) return;  // the frame let a quit through
    }
    const long slot = g.Chance(4);
    g.DropSlot = slot == 0 || slot == 2 ? 1 : 2;
    BuildEnemy(g);
    Encounter(g);
}

void BattleFinish(Game& g) {
    switch (g.StoryNo) {
        case 11: Result(g); break;
        case 12: Drop(g); break;
        case 15: Jewel(g); break;
        case 20: ReturnToCaller(g); break;
        default: break;
    }
}

void BattleDispatch(Game& g) {
    g.BattlePhase = BattleEnemy;
    const std::string& key = g.StoryName;
    if (key == "Fighting") {
        const std::string& caller = g.SavedStoryName;
        BattleStart(g, caller == "BossTurn" || caller == "ShopEvent" || caller == "BoardEvent");
    } else if (key == "HeroTurn") {
        BattleHeroTurn(g);
    } else if (key == "ItemTurn") {
        BattleItemTurn(g);
    } else if (key == "MonsterTurn") {
        BattleMonsterTurn(g);
    } else if (key == "ConditionTurn") {
        BattleConditionTurn(g);
    } else if (key == "BattleEnd") {
        BattleFinish(g);
    }
}

void BattleSceneFrame(Game& g) {
    if (!g.StageForm) return;
    Form& stage = *g.StageForm;
    auto draw = [&](Long sprite, Long x) {
        if (sprite != NoSprite) RGN_Draw(g, sprite, stage, x, g.SpriteTop);
    };
    RGN_InitForm(g, stage, 1, -1, -1);
    if (g.SceneFormName == "frmShop") {
        draw(g.PlaceSprite, StageSignX);
        draw(g.HeroSprite, g.HeroX);
        draw(g.VisitorSprite, g.VisitorX);
    } else if (g.SceneFormName == "frmEvent") {
        draw(g.PlaceSprite, g.VisitorX);
        draw(g.HeroSprite, g.HeroX);
        draw(g.VisitorSprite, StageSignX);
    } else {
        draw(g.PlaceSprite, g.PlaceX);
        draw(g.PlaceSprite2, g.PlaceX2);
        draw(g.HeroSprite, g.HeroX);
        draw(g.VisitorSprite, g.VisitorX);
    }
    DrawGauges(g);
    RGN_Apply(g, stage);
}

void AskHeroTurn(Game& g, const std::string& line) {
    ShowMessage(g, line, "戦う", "逃げる", true);
    g.HeroTurnText = line;
    AutoAdvanceWait(g);
}

void RegisterBattle(Game& g) {
    g.SetHandler("BattleDispatch", [&g](Long) { BattleDispatch(g); });
    g.SetHandler("BattleStart", [&g](Long fromStory) { BattleStart(g, fromStory != 0); });
    g.SetHandler("BattleItemTurn", [&g](Long) { BattleItemTurn(g); });

    Procs& p = g.procs;
    p.add("BattleDispatch", [](Game& g, const Procs::Args&) {
        BattleDispatch(g);
        return std::string();
    });
    p.add("BattleStart", [](Game& g, const Procs::Args& a) {
        BattleStart(g, !a.empty() && Procs::Truth(a, 0));
        return std::string();
    });
    p.add("BattleItemTurn", [](Game& g, const Procs::Args&) {
        BattleItemTurn(g);
        return std::string();
    });
    RegisterItemEffects(g);
}

}  // namespace q
