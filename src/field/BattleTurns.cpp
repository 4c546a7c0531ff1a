// The turns of a fight: the heroine's attack or escape, the turn after an
// item, the condition tick, and the enemy's action with its special attacks,
// her faint and her revival by the branch of life.
#include "field/OriBattle.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <string>

#include "core/Game.h"
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

constexpr Long MostTurns = 30;  // an ailment a special attack gives lasts at most this long
constexpr Long MostSpeedBonus = 20;
constexpr Long DodgeFrom = 35;       // the evasion roll that dodges a blow
constexpr Long SkillDodgeFrom = 30;  // ... and a special attack
constexpr Long BlockFrom = 15;       // the roll at which an escape is cut off

constexpr std::initializer_list<long> HeroCriticals{0, 20, 40, 60, 80};
constexpr std::initializer_list<long> EnemyCriticals{10, 30, 50, 70};
constexpr long CriticalRoll = 100;
constexpr long FlightRoll = 100;
constexpr long SkillRoll = 50;

// Which draws of 0..49 fire a special attack, by how often its monster tries
// it. The robber and the bank clerk (class 3) use their trick one time in ten.
constexpr std::array<std::initializer_list<long>, 4> FiringDraws{{
    {2, 14, 26, 37, 39},
    {1, 21, 35},
    {0},
    {3, 13, 23, 33, 43},
}};

// Special attacks that give an ailment.
struct AilmentSkill {
    Long kind;
    int condition;
    const char* line;
};
constexpr std::array<AilmentSkill, 4> AilmentSkills{{
    {1, CondPoison, "イザベラは毒を受けた"},
    {2, CondParalysis, "イザベラの身体は麻痺した"},
    {3, CondCurse, "イザベラは呪われてしまった"},
    {4, CondBlindness, "イザベラは盲目になった"},
}};

// Special attacks that make her hungry or thirsty.
struct NeedSkill {
    Long kind;
    Long GameState::*now;
    Long GameState::*most;
    const char* line;
};
constexpr std::array<NeedSkill, 2> NeedSkills{{
    {7, &GameState::MyNowBody, &GameState::MyMaxBody, "イザベラは少しお腹が空いた"},
    {8, &GameState::MyNowWater, &GameState::MyMaxWater, "イザベラは少し喉が渇いた"},
}};

constexpr Long BloodQueen = 98;                // drains harder
constexpr std::array<Long, 2> Trolls{90, 92};  // heal slower

constexpr const char* Revived = "い……意識が………。生命の枝が七色の光を放つ……。イザベラの体力が回復した。";

bool In(std::initializer_list<long> values, long v) { return std::find(values.begin(), values.end(), v) != values.end(); }

bool Has(Game& g, int condition) { return g.Condition[size_t(condition)] > 0; }

// (faster - slower) / 5 toward zero, within 0..20.
Long SpeedBonus(Long faster, Long slower) { return std::clamp<Long>((faster - slower) / 5, 0, MostSpeedBonus); }

// The shared roll RandLo..RandHi, taken as the whole part of
// u * (RandHi - RandLo + 1) + RandLo even when the bounds are crossed.
Long SharedRoll(Game& g) {
    return Long(std::floor(g.rng.Rnd() * double(g.RandHi - g.RandLo + 1) + double(g.RandLo)));
}

Long TableHp(const Game& g) { return g.AllMonster[size_t(g.EnemyNo)].Hp; }

// An empty stomach weakens her blows.
Long HungerPenalty(const Game& g) {
    const double body = g.MyNowBody;
    if (body <= g.MyMaxBody * 0.1) return RoundHalfEven(g.MyAt * 0.1);
    if (body <= g.MyMaxBody * 0.3) return RoundHalfEven(g.MyAt * 0.05);
    if (body <= g.MyMaxBody * 0.5) return RoundHalfEven(g.MyAt * 0.01);
    return 0;
}

// --- The heroine's turn ------------------------------------------------------

void EndHeroTurn(Game& g, const std::string& line) {
    g.StoryNo = 0;
    g.StoryName = "ConditionTurn";
    ShowMessage(g, line);
    AutoAdvanceWait(g);
}

void EndBattle(Game& g, const std::string& line) {
    ShowMessage(g, line);
    g.StoryName = "BattleEnd";
    g.StoryNo = 10;
    AutoAdvanceWait(g);
}

void TryEscape(Game& g) {
    if (g.EvadeRoll >= BlockFrom) return EndHeroTurn(g, "イザベラは逃げ出した！しかし、回り込まれてしまった");
    g.ActionValue = HeroEscaped;
    EndBattle(g, "イザベラは逃げ出した！");
}

void Strike(Game& g, Long attack, Long penalty) {
    std::string line = "イザベラの攻撃！";
    Long d = 0;
    if (In(HeroCriticals, g.Chance(CriticalRoll))) {
        line += "イザベラは渾身の力をこめた。";
        d = RoundHalfEven((attack - penalty - g.EnemyDi) * 1.5);
    } else {
        const long v = g.Chance(3);
        d = attack - penalty - g.EnemyDi + (v == 0 ? 0 : v == 1 ? 1 : -1);
    }
    if (g.EvadeRoll >= DodgeFrom) {
        line += g.EnemyName + "は素早く避けた";
        d = 0;
    } else if (d <= 0) {
        line += "しかし効いてないようだ";
        d = 0;
    } else {
        line += g.EnemyName + "に" + std::to_string(d) + "のダメージを与えた";
    }
    g.ActionValue = d;
    g.EnemyHp -= d;
    if (g.EnemyHp <= 0) return EndBattle(g, line);
    EndHeroTurn(g, line);
}

// --- The enemy's turn --------------------------------------------------------

// Her question after the enemy's action.
void HeroQuestion(Game& g) {
    RefreshListWindow(g);
    g.StoryName = "HeroTurn";
    g.BattlePhase = BattleHero;
    g.WaitingAnswer = true;
    g.StoryNo = 0;
    g.NoClick = NoClickNone;
    AskHeroTurn(g, g.MessageText);
}

void EnemyFlees(Game& g) {
    g.StoryName = "BattleEnd";
    g.StoryNo = 10;
    RefreshListWindow(g);
    ShowMessage(g, g.MessageText);
    g.NoClick = NoClickNone;
    AutoAdvanceWait(g);
}

// Only monsters of the way run away.
bool MayFlee(const Game& g) {
    return g.SavedStoryName != "BossTurn" && g.SavedStoryName != "BoardEvent" && g.SavedStoryName != "ShopEvent";
}

// The enemy tries to run. True when the action ends here.
bool Flight(Game& g) {
    if (!MayFlee(g)) return false;
    const long r = g.Chance(FlightRoll);
    const std::string blocked = g.EnemyName + "は逃げ出した！…が、イザベラは素早く道を塞いだ。";
    if (r == 0 && g.EvadeRoll < BlockFrom) {
        g.MessageText = g.EnemyName + "は逃げ出した！";
        g.ActionValue = EnemyFled;
        EnemyFlees(g);
        return true;
    }
    if (r == 0 || r == 1 || r == 10) {
        g.MessageText = blocked;
        HeroQuestion(g);
        return true;
    }
    return false;
}

bool SkillFires(Game& g) {
    if (g.EnemySkillKind == 0) return false;
    const long s = g.Chance(SkillRoll);
    const Long cls = g.EnemySkillRate;
    return cls >= 0 && size_t(cls) < FiringDraws.size() && In(FiringDraws[size_t(cls)], s);
}

// How a blow lands, once its damage is known.
struct Blow {
    Long damage = 0;
    bool dodgeable = false;  // a critical or plain blow: the roll of 35 dodges it
    bool caught = false;
    bool harmless = false;   // a special attack that does no HP damage
};

// A draw 0..4 of 0 catches a blow that does nothing; else it does `otherwise`.
void WeakBlow(Game& g, Blow& b, bool rollDamage) {
    if (g.Chance(5) == 0) b.caught = true;
    else b.damage = rollDamage ? Long(g.Chance(5)) + 1 : 1;
}

void Critical(Game& g, Long defence, Blow& b) {
    g.MessageText += "痛恨の一撃。";
    b.dodgeable = true;
    b.damage = RoundHalfEven((g.EnemyAt - defence) * 1.5);
    if (b.damage <= 0) WeakBlow(g, b, true);
}

void PlainBlow(Game& g, Long defence, Blow& b) {
    b.dodgeable = true;
    const long v = g.Chance(3);
    b.damage = g.EnemyAt - defence + (v == 0 ? 0 : v == 1 ? 1 : -1);
    if (b.damage > 0) return;
    const long t = g.Chance(50);
    if (t <= 10) {
        b.caught = true;
    } else if (t == 11) {
        g.MessageText += "捨て身の一撃。";
        b.damage = Long(std::floor(g.rng.Rnd() * g.MyNowHp * 0.01));
        if (b.damage == 0) b.caught = true;
    } else {
        b.damage = 1;
    }
}

// Faint, or the branch of life about to revive her on the next click.
void Faint(Game& g) {
    g.MessageText += "イザベラの意識が遠のいていく……";
    if (!HasSpecialItem(g, SpecialBranchOfLife)) {
        g.StoryName = "GameOver";
        g.StoryNo = -1;
        g.AutoBlocked = true;
        RefreshListWindow(g);
    }
    ShowMessage(g, g.MessageText);
    g.NoClick = NoClickNone;
    AutoAdvanceWait(g);
}

void Land(Game& g, Blow& b) {
    if (b.dodgeable && g.EvadeRoll >= DodgeFrom) {
        g.MessageText += "イザベラは素早く避けた。";
        b.damage = 0;
    } else if (b.caught) {
        g.MessageText += "イザベラは攻撃を受け止めた。";
        b.damage = 0;
    } else if (b.harmless) {
        b.damage = 0;
    } else if (b.damage > 0) {
        b.damage = std::min(b.damage, g.MyNowHp);
        g.MessageText += std::to_string(b.damage) + "のダメージを受けた。";
    }
    g.ActionValue = b.damage;
    g.MyNowHp -= b.damage;
    if (g.MyNowHp <= 0) return Faint(g);
    if (b.damage >= 1) BattleSceneFrame(g);
    if (g.Ended()) return;
    HeroQuestion(g);
}

// The special attack has run; true when the action ended with it.
bool AfterSkill(Game& g, Blow& b) {
    if (g.EvadeRoll >= SkillDodgeFrom) {
        g.MessageText += "イザベラは素早く避けた。";
        HeroQuestion(g);
        return true;
    }
    if (g.ActionValue == EnemyFled) {
        EnemyFlees(g);
        return true;
    }
    if (g.ActionValue == NoHpDamage) b.harmless = true;
    else if (g.ActionValue <= 0) WeakBlow(g, b, false);
    else b.damage = g.ActionValue;
    return false;
}

void EnemyAction(Game& g) {
    g.StoryNo = 10;
    g.MessageText = g.EnemyName + "の攻撃。";
    g.EvadeRoll = Long(g.Chance(31)) + SpeedBonus(g.MySp, g.EnemySp);
    if (Has(g, CondParalysis) && g.Chance(2) == 0) g.EvadeRoll = 0;
    else if (Has(g, CondBlindness)) g.EvadeRoll -= 10;
    const Long defence = Has(g, CondCurse) ? Long(std::floor(g.MyDi * 0.8)) : g.MyDi;
    if (Flight(g)) return;
    Blow b;
    if (In(EnemyCriticals, g.Chance(CriticalRoll))) {
        Critical(g, defence, b);
    } else if (SkillFires(g)) {
        MonsterSkill(g);
        if (AfterSkill(g, b)) return;
    } else {
        PlainBlow(g, defence, b);
    }
    Land(g, b);
}

// The branch of life burns itself up and brings her back at half her HP.
void Revive(Game& g) {
    if (!HasSpecialItem(g, SpecialBranchOfLife) || !SackChange(g, ItemBranchOfLife, g.WorkIndex, true, 1, false)) {
        // The branch left the sack since she fell: she faints after all.
        g.StoryNo = 0;
        GameOverStory(g);
        return;
    }
    g.MyNowHp = Long(std::floor(g.MyMaxHp * 0.5));
    g.MessageText = Revived;
    HeroQuestion(g);
}

// The enemy acts in the same click.
void EnemyActs(Game& g) {
    g.StoryName = "MonsterTurn";
    g.StoryNo = 0;
    AdvanceStory(g, vbLeftButton);
}

// --- The special attacks -----------------------------------------------------

void GiveAilment(Game& g, const AilmentSkill& a, bool evaded) {
    if (!evaded) {
        Long& turns = g.Condition[size_t(a.condition)];
        turns = std::min(turns + SharedRoll(g), MostTurns);
        g.MessageText += a.line;
    }
    g.ActionValue = NoHpDamage;
}

void Starve(Game& g, const NeedSkill& n, bool evaded) {
    Long& now = g.*n.now;
    if (!evaded) {
        if (now == 0) {
            g.MessageText += "しかし効果がなかった";
        } else {
            now = std::max<Long>(0, now - 1 - Long(g.Chance(Long(std::floor((g.*n.most) * 0.1)))));
            g.MessageText += n.line;
        }
    }
    g.ActionValue = NoHpDamage;
}

void Drain(Game& g, bool evaded) {
    if (!evaded) {
        if (g.EnemyNo == BloodQueen) {
            g.RandHi = RoundHalfEven(g.EnemyAt * 0.8);
            g.RandLo = RoundHalfEven(g.EnemyAt * 0.5);
        } else {
            g.RandHi = g.EnemyAt / 4;
            g.RandLo = g.EnemyAt / 6;
        }
        g.RandLo = std::max<Long>(g.RandLo, 1);
        const Long d = SharedRoll(g);
        // Her HP does not fall below nothing while she lies fainted.
        g.MyNowHp = std::max<Long>(g.MyNowHp - d, 0);
        g.EnemyHp = std::min(g.EnemyHp + d, TableHp(g));
        g.MessageText += "体力を" + std::to_string(d) + "吸い取られた";
    }
    g.ActionValue = NoHpDamage;
}

void Steal(Game& g, bool evaded) {
    if (g.MyGold <= 0) {
        g.EvadeRoll = 0;
        g.MessageText += "しかし盗む金がない……";
    } else if (!evaded) {
        g.RandHi = Long(std::floor(g.MyGold * 0.4));
        g.RandLo = Long(std::floor(g.RandHi * 0.1));
        const Long d = std::min(SharedRoll(g), g.MyGold);
        g.StolenGold += d;
        g.MyGold -= d;
        g.MessageText += std::to_string(d) + "カリム盗まれた！";
    }
    g.ActionValue = NoHpDamage;
}

void Regenerate(Game& g) {
    g.EvadeRoll = 0;
    const Long most = TableHp(g);
    const bool troll = std::find(Trolls.begin(), Trolls.end(), g.EnemyNo) != Trolls.end();
    g.RandHi = RoundHalfEven(most * (troll ? 0.1 : 0.3));
    g.RandLo = std::max<Long>(RoundHalfEven(most * (troll ? 0.05 : 0.1)), 1);
    Long d = SharedRoll(g);
    std::string line = g.EnemySkill;
    if (g.EnemyHp >= most) {
        line += "！しかし効果がなかった";
    } else if (g.EnemyHp + d >= most) {
        g.EnemyHp = most;
        line += "！体力が全快した";
    } else {
        g.EnemyHp += d;
        line += "！体力が" + std::to_string(d) + "回復した";
    }
    g.MessageText += line;
    g.ActionValue = NoHpDamage;
}

}  // namespace

// --- Public ------------------------------------------------------------------

void BattleHeroTurn(Game& g) {
    if (g.StoryNo != 1) return;
    const Long penalty = HungerPenalty(g);
    g.StoryNo = 10;
    g.BattlePhase = BattleEnemy;
    if (Has(g, CondParalysis) && g.Chance(2) == 0) {
        g.AnswerKey = AnswerNone;
        return EndHeroTurn(g, "イザベラは身体が痺れて動けない！");
    }
    g.EvadeRoll = Long(g.Chance(31)) + SpeedBonus(g.EnemySp, g.MySp) + (Has(g, CondBlindness) ? 10 : 0);
    const Long attack = Has(g, CondCurse) ? Long(std::floor(g.MyAt * 0.8)) : g.MyAt;
    const bool flee = g.AnswerKey == AnswerNo;
    g.AnswerKey = AnswerNone;
    if (flee) return TryEscape(g);
    Strike(g, attack, penalty);
}

void BattleItemTurn(Game& g) {
    if (g.EffectResult == EffectNotUsed) {
        if (g.StoryNo == 10) {
            // The sack's refusal stays on the bar until the next click.
            g.StoryName = "ItemTurn";
            AutoAdvanceWait(g);
            return;
        }
        g.BattlePhase = BattleHero;
        g.StoryName = "HeroTurn";
        g.WaitingAnswer = true;
        AskHeroTurn(g, g.HeroTurnText);
        return;
    }
    BattleSceneFrame(g);
    if (g.Ended()) return;
    if (g.EffectResult == EffectEscape) {
        g.ActionValue = HeroEscaped;
        g.EffectResult = EffectUsed;
        g.StoryName = "BattleEnd";
        g.StoryNo = 10;
    } else if (g.EnemyHp < 1) {
        g.StoryName = "BattleEnd";
        g.StoryNo = 10;
    } else {
        g.StoryName = "ConditionTurn";
        g.StoryNo = 0;
    }
    // The item's line stays on the bar until the next click.
    AutoAdvanceWait(g);
}

void BattleConditionTurn(Game& g) {
    if (g.StoryNo == 1) {
        StatusTurn(g);
        if (g.MessageText.empty()) return EnemyActs(g);
        ShowMessage(g, g.MessageText);
        BattleSceneFrame(g);
        if (g.Ended()) return;
        RefreshListWindow(g);
        AutoAdvanceWait(g);
        return;
    }
    if (g.StoryNo != 2) return;
    if (g.MyNowHp > 0) return EnemyActs(g);
    if (HasSpecialItem(g, SpecialBranchOfLife)) {
        // Poison made her fall: the branch brings her back as after a blow.
        g.StoryName = "MonsterTurn";
        g.NoClick = NoClickAll;
        return Revive(g);
    }
    g.StoryNo = 0;
    GameOverStory(g);
}

void BattleMonsterTurn(Game& g) {
    g.NoClick = NoClickAll;
    g.BattlePhase = BattleEnemy;
    if (g.StoryNo >= 11) return Revive(g);
    if (g.StoryNo >= 1) return EnemyAction(g);
    g.NoClick = NoClickNone;
}

void MonsterSkill(Game& g) {
    g.RandHi = 3;
    g.RandLo = 10;
    const Long kind = g.EnemySkillKind;
    const bool evaded = g.EvadeRoll > 29;
    if (kind != 12) g.MessageText += g.EnemySkill + "！";
    for (const AilmentSkill& a : AilmentSkills)
        if (a.kind == kind) return GiveAilment(g, a, evaded);
    for (const NeedSkill& n : NeedSkills)
        if (n.kind == kind) return Starve(g, n, evaded);
    switch (kind) {
        case 5:
            g.EvadeRoll = 0;
            g.ActionValue = EnemyFled;
            g.MessageText += g.EnemyName + "は逃げ出した";
            return;
        case 6: g.ActionValue = RoundHalfEven(1.5 * g.EnemyAt - g.MyDi); return;
        case 9: return Drain(g, evaded);
        case 10: return Steal(g, evaded);
        case 11: g.ActionValue = g.EnemyAt; return;
        case 12: return Regenerate(g);
        default: g.ActionValue = NoHpDamage; return;
    }
}

}  // namespace q
