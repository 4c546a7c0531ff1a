// A new game for the town talk's suites: the tables filled, the bars placed,
// chances scripted, and a stand-in facility window with the controls the
// talk reaches by name.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "Fixture.h"
#include "core/InitGame.h"
#include "core/Inventory.h"
#include "core/frmUnderMes.h"
#include "town/TownSpeech.h"

namespace q::test {

// The uniform draw that makes Int(Rnd * n) give k.
inline double Pick(long k, long n) { return (double(k) + 0.5) / double(n); }

// The facility window as far as the talk sees it; it counts its loads and
// whether each was a rebuild (ReloadList set).
class FacilityWindowDouble : public GameForm {
public:
    explicit FacilityWindowDouble(Game& g) : GameForm(g, "frmItemShop"), lblNumber(*this, "lblNumber", 3) {
        add(lblNumber);
        add(txtNumber);
        add(cmdBuy);
        add(lstList);
    }
    ControlArray<Label> lblNumber;
    TextBox txtNumber{*this, "txtNumber"};
    CommandButton cmdBuy{*this, "cmdBuy"};
    ListView lstList{*this, "lstList"};

    std::vector<bool> loads;  // ReloadList at each load
    void Form_Load() override { loads.push_back(game.ReloadList); }
};

class TalkTest : public GameTest {
protected:
    TalkTest() { InitGame(g()); }
    ~TalkTest() override { EXPECT_EQ(g().rng.Queued(), 0u) << "scripted draws left unused"; }

    void Draws(std::initializer_list<double> us) {
        for (double u : us) g().rng.Queue(u);
        g().rng.SetStrict(true);
    }
    void NoDraws() { g().rng.SetStrict(true); }

    std::string Bar() { return g().frmUnderMes->LBLMessage[0].Caption; }
    std::string WholeBar() { return SimHost::BarText(g().frmUnderMes.get()); }

    // The open facility window of a place, as the board leaves it.
    FacilityWindowDouble& Window() {
        if (!window) window = std::make_unique<FacilityWindowDouble>(g());
        window->Show();
        return *window;
    }

    void Park(const char* town, Long sprite) {
        g().EventField = "Park";
        g().FieldName = town;
        g().VisitorSprite = sprite;
    }
    void Keeper(const char* place) {
        g().EventField = place;
        g().OfferPending = true;
        g().NoClick = NoClickRight;
    }

    // Tells a talk from `first` one step per click, as its caller counts
    // them, until it leaves the plain run of steps (it ends, closes, hands
    // over, asks or jumps); returns the lines shown.
    std::vector<std::string> Tell(Long first) {
        std::vector<std::string> lines;
        g().StoryNo = first;
        for (int guard = 0; guard < 60; ++guard) {
            const Long step = g().StoryNo;
            TownSpeech(g());
            lines.push_back(Bar());
            if (g().StoryNo != step || g().WaitingAnswer) return lines;
            g().StoryNo = step + 1;
        }
        ADD_FAILURE() << "the talk never ended";
        return lines;
    }
    // One step of the running talk.
    std::string Step(Long step) {
        g().StoryNo = step;
        TownSpeech(g());
        return Bar();
    }

    void Own(Long valuable, bool owned = true) { g().AllKey[size_t(valuable)].LKeyList = owned; }
    bool Owns(Long valuable) { return g().AllKey[size_t(valuable)].LKeyList; }
    void Sack(Long item, Long count, bool jewel = false) { ASSERT_TRUE(SackChange(g(), item, 0, false, count, jewel)); }
    Long InSack(Long item, bool jewel = false) {
        for (Long i = 0; i < g().HaveSack; ++i) {
            const SackEntry& e = g().MySack[size_t(i)];
            if (e.HHaveSackNo == item && e.HHaveGyoku == jewel) return e.HHaveSackNum;
        }
        return 0;
    }
    Long InBag(Long arm) {
        for (Long i = 0; i < g().HaveBag; ++i)
            if (g().MyBag[size_t(i)].HHaveBagNo == arm) return g().MyBag[size_t(i)].HHaveBagNum;
        return 0;
    }

    std::unique_ptr<FacilityWindowDouble> window;
};

}  // namespace q::test
