// A new game on the road or in a dungeon, with the field scene loaded and
// every chance scripted.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>

#include "Fixture.h"
#include "core/GoToPlace.h"
#include "core/InitGame.h"
#include "core/StoryInput.h"
#include "core/frmUnderMes.h"
#include "field/frmField.h"
#include "sim/SimHost.h"

namespace q::test {

// The uniform draw that makes Int(Rnd * n) give k.
inline double Pick(long k, long n) { return (double(k) + 0.5) / double(n); }
// The draw that makes a whole number lo..hi come out as v.
inline double PickIn(long v, long lo, long hi) { return Pick(v - lo, hi - lo + 1); }

class FieldTest : public GameTest {
protected:
    FieldTest() {
        InitGame(g());
        g().FrontFLG = false;  // no keep-in-front ticks
    }
    ~FieldTest() override { EXPECT_EQ(g().rng.Queued(), 0u) << "scripted draws left unused"; }

    // Scripts the next chances; any chance beyond them fails the test.
    void Draws(std::initializer_list<double> us) {
        for (double u : us) g().rng.Queue(u);
        g().rng.SetStrict(true);
    }

    void OnRoad(const std::string& road, const std::string& left, const std::string& right, bool forward = true) {
        g().RoadForward = forward;
        GoToPlace(g(), "", left, right, road);
    }
    void InDungeon(const std::string& place, Long floor) {
        GoToPlace(g(), "In", place, "", place);
        g().RoadPos = floor;
        g().NowFloor = floor;
    }
    // Walking in the given direction, with the picture that goes with it.
    void Facing(bool left) {
        g().LeftMode = left;
        g().HeroSprite = left ? 93 : 96;
    }

    frmField& Field() { return g().frmField.get(); }
    std::string Bar() { return SimHost::BarText(g().frmUnderMes.get()); }
    void Click() { AdvanceStory(g(), vbLeftButton); }
    void Key(int key) { KeyToClick(g(), key); }
    int Calls(const std::string& name) const {
        return int(std::count(calls.begin(), calls.end(), name));
    }

    void SetBag(std::initializer_list<std::pair<Long, Long>> entries) {
        g().HaveBag = g().HaveBagNum = 0;
        for (const auto& [arm, n] : entries) {
            g().MyBag[size_t(g().HaveBag++)] = {arm, n};
            g().HaveBagNum += n;
        }
    }
    void SetSack(std::initializer_list<std::pair<Long, Long>> items) {
        g().HaveSack = 0;
        for (const auto& [item, n] : items) g().MySack[size_t(g().HaveSack++)] = {item, n, false};
    }
    Long SackCount(Long item, bool jewel = false) const {
        for (Long i = 0; i < game->HaveSack; ++i) {
            const SackEntry& e = game->MySack[size_t(i)];
            if (e.HHaveSackNo == item && e.HHaveGyoku == jewel) return e.HHaveSackNum;
        }
        return 0;
    }
    Long BagCount(Long arm) const {
        for (Long i = 0; i < game->HaveBag; ++i)
            if (game->MyBag[size_t(i)].HHaveBagNo == arm) return game->MyBag[size_t(i)].HHaveBagNum;
        return 0;
    }
    // The event has ended and the walk goes on.
    void ExpectWalking() {
        EXPECT_FALSE(g().EventBusy);
        EXPECT_EQ(g().StoryName, "");
        EXPECT_EQ(g().StoryNo, 0);
        EXPECT_EQ(g().VisitorSprite, NoSprite);
        EXPECT_EQ(g().NoClick, NoClickNone);
    }

    // On the road, starving at her last HP, one tick away from a clock unit;
    // the next event roll starts a fight that waits for its question.
    void StarvingBeforeAFight() {
        OnRoad("HanoMori", "Hanoda", "Rein");
        g().SetHandler("BattleStart", [this](Long) {
            Record("BattleStart");
            g().EventBusy = true;
            g().WaitingAnswer = true;
        });
        g().MonsNothing = false;
        g().MyNowHp = 1;
        g().MyNowBody = 0;  // starving: the next clock unit costs her last HP
        g().HeroStep = 2;   // a frame that does not move her
        g().StepCount = 3;  // the next step of the clock passes a unit
        Draws({0.0});       // the event roll: a wandering monster
    }
    void EventEnds() {
        g().EventBusy = false;
        g().WaitingAnswer = false;
        g().StoryName.clear();
    }
};

}  // namespace q::test
