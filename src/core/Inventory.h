// The heroine's four containers: the item sack, the arms bag, the shop
// display and the warehouse. Every single addition or removal of goods goes
// through these routines; whole-list changes (dumps, a theft, a faint away
// from home, loading a game) write the lists directly.
#pragma once

#include "core/GameState.h"

namespace q {

class Game;

// Looks for the sack entry of an item (or a jewel). Without Take: leaves its
// index in WorkIndex and tells whether it holds Num pieces. With Take:
// removes Num pieces when it holds them. False when there is no such entry.
bool SackCheck(Game& g, Long ItemId, Long Num, bool IsGyoku, bool Take);
// Remove: takes Num pieces from entry Index. Otherwise adds Num pieces of
// the item, all of them or none: an entry holds at most 9 and a new kind
// needs room in the sack. True when the pieces were taken or added.
//
// Every change answers whether it happened. A caller that takes something in
// exchange (money, fame, goods) asks *Fits first and refuses before it takes;
// the compiler stops a caller that drops the answer.
[[nodiscard]] bool SackChange(Game& g, Long ItemId, Long Index, bool Remove, Long Num, bool IsGyoku);
// Whether Num pieces of the item would go into the sack whole.
[[nodiscard]] bool SackFits(const Game& g, Long ItemId, Long Num, bool IsGyoku);

// Whether the sack has an entry of the item (or the jewel).
bool SackHoldsKind(const Game& g, Long ItemId, bool IsGyoku);
// The heroine's words when pieces of an item or jewel will not go into the
// sack: her line for a kind she already holds as often as she may, or for a
// sack with no room for a new kind.
const char* SackRefusal(const Game& g, Long ItemId, bool IsGyoku);
inline constexpr const char* NineOfAKindLine = "イザベラ：同じ種類の道具は9個までしか持てないわ";
inline constexpr const char* SackFullLine = "イザベラ：袋が一杯だわ。使うか捨てるかしてこないと、これ以上は入らないわね";
// Her words when an arm she agreed to buy will not go into the bag.
inline constexpr const char* BagFullLine = "イザベラ：鞄が一杯だわ。残念ね";

// The same for the bag, which holds arms by the piece and keeps no index.
bool BagCheck(Game& g, Long ArmsId, Long Num, bool Take);
[[nodiscard]] bool BagChange(Game& g, Long ArmsId, Long Index, bool Remove, Long Num);
// Whether Num pieces of the arm would go into the bag: to its entry, or as a
// new one while the bag is below its capacity.
[[nodiscard]] bool BagFits(const Game& g, Long ArmsId, Long Num);

// Takes Num pieces of an arm off the display: False when it is not there in
// that number.
bool ShopArmsTake(Game& g, Long ArmsId, Long Num);
// The display and the warehouse: a new arm that finds them full sets
// StoryNo to 5 for the dialogue that asked, and adds nothing.
[[nodiscard]] bool ShopArmsChange(Game& g, Long ArmsId, Long Index, bool Remove, Long Num);
[[nodiscard]] bool StockArmsChange(Game& g, Long ArmsId, Long Index, bool Remove, Long Num);

// The sack routines' report of a fault, as the player sees it.
inline constexpr const char* ReportIntro = "下記の内容をメールでご報告ください。";

}  // namespace q
