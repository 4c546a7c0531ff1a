// The game's built-in data tables. A game holds them; a fresh new game
// fills them, New Game Plus keeps them.
#pragma once

namespace q {

struct DataTables {};

}  // namespace q
