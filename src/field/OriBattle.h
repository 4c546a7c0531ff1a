// The battle: one fight against one enemy, told as a story one click at a
// time under six story keys. Battle.cpp holds the entry, the enemy and the
// end of a fight; BattleTurns.cpp the turns between them.
#pragma once

#include <string>

#include "core/GameState.h"

namespace q {

class Game;

// Runs the step that StoryName names: "Fighting", "HeroTurn", "ItemTurn",
// "MonsterTurn", "ConditionTurn" or "BattleEnd".
void BattleDispatch(Game& g);
// Starts a fight. FromStory False rolls a monster of the way and draws it;
// True takes the enemy the calling story stands before the heroine (the
// robber, a boss, the bank clerk, the lake's guardian).
void BattleStart(Game& g, bool FromStory);
// The steps of "BattleEnd": the result, the drops, the return to the caller.
void BattleFinish(Game& g);

// The heroine's attack or escape, at step 1 of "HeroTurn".
void BattleHeroTurn(Game& g);
// After an item of the sack was used on her turn (the sack sets StoryNo 10).
void BattleItemTurn(Game& g);
// Steps 1 and 2 of "ConditionTurn": poison and the counting down.
void BattleConditionTurn(Game& g);
// Steps 1 to 10 of "MonsterTurn": the enemy's action; 11 the revival.
void BattleMonsterTurn(Game& g);
// The enemy's special attack of kind EnemySkillKind.
void MonsterSkill(Game& g);

// Shared by the two halves of the battle.
// The heroine's question: the line with "戦う" and "逃げる".
void AskHeroTurn(Game& g, const std::string& line);
// The scene as it stands, with the gauges, on the stage of any scene.
void BattleSceneFrame(Game& g);

// The battle's story handlers and procedures by name.
void RegisterBattle(Game& g);

// ActionValue's marks.
inline constexpr Long HeroEscaped = -999999;
inline constexpr Long EnemyFled = -99999;
inline constexpr Long NoHpDamage = -9999;
inline constexpr Long EscapePaid = -1;

// The enemies the shop and the endless corridor build themselves.
inline constexpr const char* RobberName = "強盗";
inline constexpr const char* ClerkName = "銀行員";

}  // namespace q
