// A new game standing on a town board, for the facility window's suites:
// facilities are entered through the board's menu, and the player's clicks,
// keys and list selections are those of the window and the message bar.
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
#include "sim/SimHost.h"
#include "town/frmEvent.h"
#include "town/frmGyoku.h"
#include "town/frmItemShop.h"

namespace q::test {

// The uniform draw that makes Int(Rnd * n) give k.
inline double Pick(long k, long n) { return (double(k) + 0.5) / double(n); }

class FacilityTest : public GameTest {
protected:
    FacilityTest() {
        // The town talk has its own tests; here it only matters that the
        // facility hands its keeper's talk over to it.
        g().SetHandler("TownSpeech", [this](Long) { Record("TownSpeech"); });
        InitGame(g());
        g().NewGame = false;
        SetSack({});
        Board("Hanoda");
    }
    ~FacilityTest() override { EXPECT_EQ(g().rng.Queued(), 0u) << "scripted draws left unused"; }

    // The board of a town, afresh.
    void Board(const std::string& town) {
        g().FieldName = town;
        GoToPlace(g(), "Board", "", "", "");
    }
    // A facility's item of the board menu ("bItem", "bBank", ...).
    void Enter(const std::string& item) { g().Call("frmBoard." + item + "_Click"); }
    // The board menu's "看板へ".
    void Leave() { g().Call("frmMenu.mOut_Click"); }

    frmItemShop& W() { return *g().frmItemShop.peek(); }
    bool Open() { return g().frmItemShop.loaded(); }
    ListView& List() { return W().lstList; }
    std::string Cell(int row, int column) {
        const ListItem& item = List().Item(row);
        return column == 0 ? item.Text : item.SubItem(column);
    }

    // The player's clicks on the list, as a click on a row.
    void Select(int row) {
        List().Select(row);
        if (List().ItemClick) List().ItemClick(row);
    }
    void Unselect() { List().UnselectAll(); }
    // A row chosen, the number typed, the button pressed.
    void Order(int row, const std::string& number = "1") {
        Select(row);
        W().txtNumber.Text = number;
        W().cmdBuy_Click();
    }
    // A left click on the stage, and an answer by its key.
    void Click() { MessageInput(g(), vbLeftButton, 0, InputFormClick); }
    void Key(int key) { MessageInput(g(), key, 0, InputKey); }
    // The offer, the check and the answer of a deal started by Order.
    void Deal(int row, const std::string& number, int answer) {
        Order(row, number);
        Click();
        Key(answer);
    }

    std::string Bar() { return SimHost::BarText(*g().frmUnderMes.peek()); }

    // The sack: items (a jewel with a negative number, -1 - jewel).
    void SetSack(std::initializer_list<std::pair<Long, Long>> entries) {
        g().HaveSack = 0;
        for (const auto& [no, n] : entries) {
            SackEntry& e = g().MySack[size_t(g().HaveSack++)];
            e.HHaveSackNo = no < 0 ? -1 - no : no;
            e.HHaveSackNum = n;
            e.HHaveGyoku = no < 0;
        }
    }
    Long Carried(Long item, bool jewel = false) {
        for (Long i = 0; i < g().HaveSack; ++i) {
            const SackEntry& e = g().MySack[size_t(i)];
            if (e.HHaveSackNo == item && e.HHaveGyoku == jewel) return e.HHaveSackNum;
        }
        return 0;
    }
    void SetBag(std::initializer_list<std::pair<Long, Long>> entries) {
        g().HaveBag = g().HaveBagNum = 0;
        for (const auto& [arm, n] : entries) {
            g().MyBag[size_t(g().HaveBag++)] = {arm, n};
            g().HaveBagNum += n;
        }
    }
    Long InBag(Long arm) {
        for (Long i = 0; i < g().HaveBag; ++i)
            if (g().MyBag[size_t(i)].HHaveBagNo == arm) return g().MyBag[size_t(i)].HHaveBagNum;
        return 0;
    }

    // Scripts the next chances; any chance beyond them fails the test.
    void Draws(std::initializer_list<double> us) {
        for (double u : us) g().rng.Queue(u);
        g().rng.SetStrict(true);
    }
    int Calls(const std::string& name) const {
        return int(std::count(calls.begin(), calls.end(), name));
    }
};

}  // namespace q::test
