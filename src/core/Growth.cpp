#include "core/Growth.h"

#include <string>

#include "core/Game.h"
#include "core/GoToPlace.h"
#include "core/Stats.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

namespace {

constexpr Long TopLevel = 99;

// She has fainted outside battle: the faint story starts at its first step,
// or, while the time of a tick that began an event passes, once that event's
// story has ended.
bool Faint(Game& g) {
    if (g.HoldFaint) {
        g.FaintHeld = true;
        return true;
    }
    g.StoryNo = 0;
    GameOverStory(g);
    return true;
}

// The scene's figures again, as they stand, with the gauges. The frame is
// drawn over the last one: it is not started afresh.
void RedrawScene(Game& g) {
    if (!g.StageForm) return;
    Form& stage = *g.StageForm;
    const std::string& scene = g.SceneFormName;
    if (scene == "frmField") {
        RGN_Draw(g, g.PlaceSprite, stage, g.PlaceX, g.SpriteTop);
        RGN_Draw(g, g.PlaceSprite2, stage, g.PlaceX2, g.SpriteTop);
        RGN_Draw(g, g.HeroSprite, stage, g.HeroX, g.SpriteTop);
    } else if (scene == "frmEvent") {
        RGN_Draw(g, g.HeroSprite, stage, g.HeroX, g.SpriteTop);
        RGN_Draw(g, g.VisitorSprite, stage, StageSignX, g.SpriteTop);
    } else if (scene == "frmShop" && !g.ShopOpen) {
        RGN_Draw(g, g.PlaceSprite, stage, StageSignX, g.SpriteTop);
        RGN_Draw(g, g.HeroSprite, stage, g.HeroX, g.SpriteTop);
    } else if (scene == "frmShop") {
        RGN_Draw(g, g.HeroSprite, stage, g.HeroX, g.SpriteTop);
        RGN_Draw(g, g.PlaceSprite, stage, StageSignX, g.SpriteTop);
        RGN_Draw(g, g.VisitorSprite, stage, g.VisitorX, g.SpriteTop);
        if (g.LeaverSprite != NoSprite) RGN_Draw(g, g.LeaverSprite, stage, g.LeaverX, g.SpriteTop);
    }
    DrawGauges(g);
    RGN_Apply(g, stage);
}

}  // namespace

bool StatusTurn(Game& g) {
    g.MessageText.clear();
    const bool inBattle = g.BattlePhase != BattleNone;
    const int last = inBattle ? CondFastWalk : CondLantern;
    for (int i = 0; i <= last; ++i) {
        Long& turns = g.Condition[size_t(i)];
        if (turns == 0) continue;
        turns -= 1;
        if (i != CondPoison) continue;
        Long most = RoundHalfEven(g.MyMaxHp * 0.01);
        if (most < 1) most = 1;
        Long d = 1 + Long(g.Chance(most));
        if (d > g.MyNowHp) d = g.MyNowHp;
        g.MyNowHp -= d;
        if (inBattle) g.MessageText = "毒で" + std::to_string(d) + "のダメージ！";
        if (g.MyNowHp == 0) break;
    }
    if (g.MyNowHp > 0) return false;
    if (!inBattle) Faint(g);
    return true;
}

bool HungerTurn(Game& g) {
    if (g.AllKey[SlowHungerValuable].LKeyList && g.Chance(3) != 1) return false;
    if (g.Condition[CondNoHunger] == 0 && g.MyNowBody != 0) {
        if (g.Chance(5) == 0) g.MyNowBody -= 1;
    }
    if (g.Condition[CondNoThirst] == 0 && g.MyNowWater != 0) g.MyNowWater -= 1;
    if (g.MyNowWater <= 0) {
        g.MyNowWater = 0;
        g.MyNowBody -= 1;
    }
    if (g.MyNowBody <= 0) {
        g.MyNowBody = 0;
        Long loss = g.MyMaxHp / 50;
        if (loss < 1) loss = 1;
        if (loss > g.MyNowHp) loss = g.MyNowHp;
        g.MyNowHp -= loss;
    }
    if (g.MyNowHp <= 0) return Faint(g);
    return false;
}

bool StrainDamage(Game& g) {
    g.MyNowHp -= 1 + Long(g.Chance(g.MyLevel));
    if (g.MyNowHp <= 0) return Faint(g);
    return false;
}

void GainExp(Game& g) {
    if (g.StoryName == "BattleEnd") {
        g.MyNowEx += g.EnemyEx;
        AddStat(g, g.EnemyGold, "Gold");
        AddStat(g, 1, "Enemy");
    } else if (g.EffectResult == EffectLevelUp) {
        g.MyNowEx = g.MyMaxEx;
        g.EffectResult = EffectUsed;
    } else {
        Long gain = Long(g.Chance(g.MyLevel + 1));
        g.MyNowEx += gain == 0 ? 1 : gain;
    }
    if (g.MyLevel >= TopLevel) g.MyNowEx = 0;
    else if (g.MyNowEx >= g.MyMaxEx) LevelUp(g);
}

void LevelUp(Game& g) {
    g.MyLevel += 1;
    const Long L = g.MyLevel;
    if (L == TopLevel) {
        g.MyMaxEx = 0;
        g.MyNowEx = 0;
    } else {
        g.MyNowEx -= g.MyMaxEx;
        g.MyMaxEx += 2 * L * L;
    }
    AddStat(g, double(g.Chance(L + 1) + L + 5), "Hp");
    g.MyNowHp = g.MyMaxHp;

    // Levels ending in 0, 1, 5 and 6 grow more.
    const Long digit = L % 10;
    const bool big = digit == 0 || digit == 1 || digit == 5 || digit == 6;
    const double up = big ? g.UpValue + 1 : g.UpValue;
    const Long extra = big ? 2 : 1;
    AddStat(g, double(Long(up) + g.Chance(2)), "At");
    AddStat(g, double(g.Chance(2) + RoundHalfEven(up / 2)), "Di");
    AddStat(g, double(g.Chance(2) + RoundHalfEven(up / 3)), "Sp");
    AddStat(g, double(g.Chance(2) + extra), "Body");
    AddStat(g, double(g.Chance(2) + extra), "Water");
    if (digit == 1) g.UpValue += 1;

    g.LevelUpPending = true;
    RedrawScene(g);
}

}  // namespace q
