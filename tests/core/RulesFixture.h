// A game for the rules' suites: the bars placed, and chances scripted.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <string>

#include "Fixture.h"
#include "core/InitGame.h"
#include "core/frmUnderMes.h"

namespace q::test {

// The uniform draw that makes Int(Rnd * n) give k.
inline double Pick(long k, long n) { return (double(k) + 0.5) / double(n); }

class RulesTest : public GameTest {
protected:
    RulesTest() {
        PlaceMessageBars(g());
        // The scenes these rules hand over to have their own tests; here it
        // only matters that they were reached.
        for (const char* scene : {"frmShop.Show", "frmShop.ShopClose", "frmEvent.Show", "frmField.Show"})
            g().SetHandler(scene, [this, scene](Long) { Record(scene); });
    }
    ~RulesTest() override { EXPECT_EQ(g().rng.Queued(), 0u) << "scripted draws left unused"; }

    // Scripts the next chances; any chance beyond them fails the test.
    void Draws(std::initializer_list<double> us) {
        for (double u : us) g().rng.Queue(u);
        g().rng.SetStrict(true);
    }
    // No chance may be taken from here on.
    void NoDraws() { g().rng.SetStrict(true); }

    std::string Bar() { return g().frmUnderMes->LBLMessage[0].Caption; }
    int Calls(const std::string& name) const {
        return int(std::count(calls.begin(), calls.end(), name));
    }
};

}  // namespace q::test
