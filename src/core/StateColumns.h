// What a new game, New Game Plus and the save file do to each variable of
// the game state, as data: the initialiser gives the values, the save files
// keep the saved rows. The state fields of the data tables keep their own
// columns with the tables.
#pragma once

#include <span>
#include <string_view>

namespace q {

enum class ColumnKind {
    NotSet,  // the initialiser leaves it: a new game finds its program-start value
    Value,   // the value in the text, spelled as a script spells it; on an array every element
    Same,    // New Game Plus gives it the new-game value
    Kept,    // New Game Plus leaves it as the finished game had it
    Copy,    // the value of the variable named in the text
    Screen,  // computed from the screen
    Packed,  // a packed list: its used entries are the element rows that follow it (none: empty),
             // its count has a row of its own, and the entries past the count are left alone
    Rule,    // a rule of its own, told in the text
};

struct Column {
    ColumnKind kind = ColumnKind::NotSet;
    std::string_view text;
};

struct StateColumn {
    // A variable ("NowTime", "Condition"), or one element of an array, or one
    // field of an element ("ValuableItem(2)", "MySack(0).HHaveSackNo"), which
    // then says more than the row of the whole array.
    std::string_view name;
    Column newGame;
    Column plus;  // New Game Plus
    bool saved = false;
};

// Every variable of the game state, grouped as the state is.
std::span<const StateColumn> StateColumns();

}  // namespace q
