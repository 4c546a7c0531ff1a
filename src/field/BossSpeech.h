// The bosses of the roads and dungeons: where each stands, its picture, the
// flag its last line sets, and its lines before and after the fight.
#pragma once

#include <string_view>

#include "core/GameState.h"

namespace q {

class Game;

// What a boss's last line gives besides its beaten flag.
enum class BossReward { None, FortuneTellerFreed, CrystalBall, CastleReport };

struct BossRecord {
    Long no;                // BossNo
    std::string_view area;  // FieldName
    Long floor;             // the floor in a dungeon; 0 anywhere on the road; -1 only as a find
    Long picture;           // facing right; one higher facing left
    int flag;               // the BossOK element set when the story ends
    BossReward reward;
};

// The boss standing where the heroine is, or null.
const BossRecord* BossAt(const Game& g);
// The boss of a BossNo, or null.
const BossRecord* FindBoss(Long no);
// The boss of the crystal ball, found lying in the cave.
inline constexpr Long CrystalBallBoss = 6;

// Shows the line of boss BossNo at step StoryNo (a step without a line of its
// own shows MessageText again). The line before the fight sets StoryNo 50,
// the last line sets the boss's flag and StoryNo 150.
void BossSpeech(Game& g);

}  // namespace q
