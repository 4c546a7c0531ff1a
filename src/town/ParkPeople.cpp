#include "town/ParkPeople.h"

#include "town/TownSpeech.h"

namespace q {

namespace {

// The park of the town: Hanoda, Elwind, and any other town is Amulet.
std::span<const Person> PeopleOf(const Game& g) {
    if (g.FieldName == "Hanoda") return HanodaPeople();
    if (g.FieldName == "Elwind") return ElwindPeople();
    return AmuletPeople();
}

}  // namespace

void ParkSpeech(Game& g) {
    for (const Person& p : PeopleOf(g)) {
        if (p.sprite != g.VisitorSprite) continue;
        TellTalk(g, p.talks);
        return;
    }
    ShowTalkLine(g);
}

}  // namespace q
