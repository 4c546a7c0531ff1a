#include <gtest/gtest.h>

#include <algorithm>

#include "CaseName.h"
#include "Fixture.h"
#include "core/InitGame.h"
#include "data/Tables.h"
#include "shop/frmKeyItem.h"

namespace q {
namespace {

class KeyItemTest : public test::GameTest {
protected:
    KeyItemTest() {
        PlaceMessageBars(g());
        InitKeyItemTable(g());
        // The fight the lure starts has its own tests; here it only matters that it starts.
        g().SetHandler("BattleStart", [this](Long) { Record("BattleStart"); });
    }
    frmKeyItem& Window() { return g().frmKeyItem.get(); }
    int Calls(const std::string& name) {
        return int(std::count(calls.begin(), calls.end(), name));
    }
    void DoubleClick(int row) {
        Window().lstList.Select(row);
        Window().lstList_DblClick();
    }
};

TEST_F(KeyItemTest, ListsOwnedValuablesInOrderWithTheirNotes) {
    EXPECT_EQ(Window().lstList.Count(), 0);
    DoubleClick(1);  // nothing to act on
    for (size_t i : {28u, 14u, 20u}) g().AllKey[i].LKeyList = true;
    Window().Form_Load();
    ASSERT_EQ(Window().lstList.Count(), 3);
    EXPECT_EQ(Window().lstList.Item(1).Text, g().AllKey[14].Name);
    EXPECT_EQ(Window().lstList.Item(3).Text, "幸運のペンダント");
    EXPECT_EQ(Window().lstList.Item(2).SubItem(1), g().AllKey[20].Note);
    EXPECT_EQ(Window().lstList.Item(2).Tag, "20");
}

TEST_F(KeyItemTest, CompleteCardTogglesAndMarksItself) {
    g().AllKey[20].LKeyList = true;
    Window().Form_Load();
    DoubleClick(1);
    EXPECT_TRUE(g().MonsNothing);
    EXPECT_EQ(Window().lstList.Item(1).SubItem(1), "敵が出なくなる(ダブルクリックで発動・解除) = 発動中");
    DoubleClick(1);
    EXPECT_FALSE(g().MonsNothing);
    EXPECT_EQ(Window().lstList.Item(1).SubItem(1), "敵が出なくなる(ダブルクリックで発動・解除)");
    EXPECT_EQ(g().NoClick, 0);
}

TEST_F(KeyItemTest, TheClickGateComesBackAsItWas) {
    // A talk on the board keeps right clicks out: the card switched under it
    // must not open them to the popup menu.
    g().AllKey[20].LKeyList = true;
    g().AllKey[28].LKeyList = true;
    Window().Form_Load();
    for (Long gate : {NoClickRight, NoClickAll, NoClickLeft}) {
        g().NoClick = gate;
        DoubleClick(1);
        EXPECT_EQ(g().NoClick, gate);
        DoubleClick(2);  // a valuable that does nothing
        EXPECT_EQ(g().NoClick, gate);
    }
}

TEST_F(KeyItemTest, TheLureCallsNoFightUnderAQuestion) {
    g().AllKey[15].LKeyList = true;
    Window().Form_Load();
    g().SceneFormName = "frmField";
    g().OnceStop = true;
    g().GameEnding = true;
    DoubleClick(1);
    g().GameEnding = false;
    g().ListConfirm = true;
    DoubleClick(1);
    EXPECT_EQ(Calls("BattleStart"), 0);
}

struct LureCase {
    const char* scene;
    bool busy;
    bool paused;
    bool fights;
};

class Lure : public KeyItemTest, public ::testing::WithParamInterface<LureCase> {};

TEST_P(Lure, CallsAMonsterOnlyWhilePausedOnTheRoad) {
    const LureCase& c = GetParam();
    g().AllKey[15].LKeyList = true;
    Window().Form_Load();
    g().SceneFormName = c.scene;
    g().EventBusy = c.busy;
    g().OnceStop = c.paused;
    DoubleClick(1);
    EXPECT_EQ(Calls("BattleStart"), c.fights ? 1 : 0) << c.scene;
    EXPECT_EQ(g().NoClick, 0);
}

INSTANTIATE_TEST_SUITE_P(Valuables, Lure,
                         ::testing::Values(LureCase{"frmField", false, true, true},
                                           LureCase{"frmField", false, false, false},
                                           LureCase{"frmField", true, true, false},
                                           LureCase{"frmShop", false, true, false},
                                           LureCase{"frmEvent", false, true, false}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.scene, Flag{c.busy, "Busy"}, Flag{c.paused, "Paused"}); }));

}  // namespace
}  // namespace q
