// A game whose data tables have been filled as a new game fills them.
#pragma once

#include <string>

#include "Fixture.h"
#include "data/Tables.h"

namespace q::test {

// The fillers in the order a new game runs them.
inline void FillAllTables(Game& g) { FillDataTables(g); }

class FilledTables : public GameTest {
protected:
    FilledTables() { FillAllTables(g()); }
};

// Characters, not bytes, of a UTF-8 text.
inline int CharCount(const std::string& s) {
    int n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace q::test
