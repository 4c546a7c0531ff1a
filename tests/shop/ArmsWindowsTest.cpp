#include <gtest/gtest.h>

#include "CaseName.h"
#include "ShopFixture.h"
#include "core/Inventory.h"
#include "core/StoryInput.h"
#include "shop/frmBag.h"
#include "shop/frmShopArms.h"
#include "shop/frmStockArms.h"

namespace q::test {
namespace {

constexpr const char* Moved = "選択された武具を移動しました";
constexpr const char* MovedFull = "選択された武具を移動しました。移動先が一杯で、これ以上は入りません";
constexpr const char* Full = "移動先が一杯で、これ以上は入りません";
constexpr const char* Asked = "本当に捨てますか？ [捨てる(Y)] [やめる(N/G)]";
constexpr const char* Dumped = "選択された武具を捨てました";

class ArmsWindowsTest : public ListWindowTest {
protected:
    frmShopArms& Display() { return g().frmShopArms.get(); }
    frmStockArms& Warehouse() { return g().frmStockArms.get(); }
    frmBag& BagWindow() { return g().frmBag.get(); }
    static void Pick(ListView& list, const std::vector<int>& rows) {
        list.UnselectAll();
        for (int r : rows) list.SetSelected(r, true);
    }
};

TEST_F(ArmsWindowsTest, ListsShowTheContainersRowsWithTheirColumns) {
    g().AllArms[2].LArmsSetPrice = 1200;
    SetShop({{2, 1234}, {0, 1}});
    OpenTab(4);
    ListView& list = Display().lstList;
    ASSERT_EQ(list.ColumnHeaders().size(), 4u);
    EXPECT_EQ(list.ColumnHeaders()[2].Text, "売値");
    EXPECT_EQ(list.ColumnHeaders()[0].Width, 1400);
    EXPECT_TRUE(list.MultiSelect);
    EXPECT_FALSE(list.HideSelection);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Item(1).Text, "木の盾");
    EXPECT_EQ(list.Item(1).SubItem(1), "1,234");
    EXPECT_EQ(list.Item(1).SubItem(2), "1,200");
    EXPECT_EQ(list.Item(1).SubItem(3), "60");
    EXPECT_EQ(list.Item(1).Tag, "2");
    EXPECT_EQ(list.SelectedRows(), std::vector<int>{1});
    EXPECT_EQ(list.VisibleRow(), 1);

    SetStock({{3, 2}});
    OpenTab(5);
    ASSERT_EQ(Warehouse().lstList.ColumnHeaders().size(), 2u);
    EXPECT_EQ(Warehouse().lstList.ColumnHeaders()[0].Width, 2100);
    EXPECT_EQ(Warehouse().lstList.Item(1).Text, "フライパン");
}

struct MoveCase {
    const char* what;
    std::vector<Pieces> display;
    std::vector<int> selected;
    const char* box;
    Long stockRoom;  // pieces free in the warehouse, which holds arm 9
    std::vector<Pieces> displayAfter;
    std::vector<Pieces> stockAfter;
    const char* line;
    const char* boxAfter;
};

class Moves : public ArmsWindowsTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(Moves, TakeWhatFitsRowByRow) {
    const MoveCase& c = GetParam();
    g().HaveShop = g().HaveShopNum = 0;
    for (const auto& [arm, n] : c.display) {
        g().MyShopArms[size_t(g().HaveShop++)] = {arm, n};
        g().HaveShopNum += n;
    }
    SetStock({{9, 10}});
    g().NowMaxStock = 10 + c.stockRoom;
    OpenTab(4);
    Pick(Display().lstList, c.selected);
    Display().txtNumber.Text = c.box;
    Display().cmdMove_Click();
    EXPECT_EQ(Shop(), c.displayAfter) << c.what;
    EXPECT_EQ(Stock(), c.stockAfter) << c.what;
    EXPECT_EQ(Bar(), c.line) << c.what;
    EXPECT_EQ(Display().txtNumber.Text.get(), c.boxAfter) << c.what;
    Long held = 0;
    for (const auto& [arm, n] : Shop()) held += n;
    EXPECT_EQ(g().HaveShopNum, held) << c.what;
    EXPECT_EQ(g().NoClick, 0) << c.what;
    EXPECT_EQ(Display().lstList.Count(), g().HaveShop) << "the list is rebuilt: " << c.what;
}

// Arms 0, 1 and 2 stand for the rows A, B and C.
INSTANTIATE_TEST_SUITE_P(
    Arms, Moves,
    ::testing::Values(
        MoveCase{"room for 6: B gives what is left", {{0, 5}, {1, 3}, {2, 4}}, {1, 2, 3}, "4", 6,
                 {{0, 1}, {1, 1}, {2, 4}}, {{9, 10}, {0, 4}, {1, 2}}, MovedFull, "4"},
        MoveCase{"room for 4: B finds none and stays whole", {{0, 5}, {1, 3}, {2, 4}}, {1, 2, 3}, "4", 4,
                 {{0, 1}, {1, 3}, {2, 4}}, {{9, 10}, {0, 4}}, MovedFull, "4"},
        MoveCase{"filling the room exactly is no shortage", {{0, 5}, {1, 3}, {2, 4}}, {1, 2, 3}, "4", 11,
                 {{0, 1}}, {{9, 10}, {0, 4}, {1, 3}, {2, 4}}, Moved, "4"},
        MoveCase{"nothing selected moves nothing", {{0, 5}, {1, 3}}, {}, "1", 6, {{0, 5}, {1, 3}}, {{9, 10}},
                 Moved, "1"},
        MoveCase{"only the selected rows", {{0, 5}, {1, 3}, {2, 4}}, {2}, "2", 6, {{0, 5}, {1, 1}, {2, 4}},
                 {{9, 10}, {1, 2}}, Moved, "2"},
        MoveCase{"a row of 5 with box 5 goes whole", {{0, 5}}, {1}, "5", 20, {}, {{9, 10}, {0, 5}}, Moved, "5"},
        MoveCase{"a row of 5 with box 7 goes whole", {{0, 5}}, {1}, "7", 20, {}, {{9, 10}, {0, 5}}, Moved, "7"},
        MoveCase{"a row of 5 with box 3 keeps 2", {{0, 5}}, {1}, "3", 20, {{0, 2}}, {{9, 10}, {0, 3}}, Moved, "3"},
        MoveCase{"more of an arm the warehouse holds", {{9, 4}}, {1}, "9", 20, {}, {{9, 14}}, Moved, "9"},
        MoveCase{"box 0 counts as 1", {{0, 5}}, {1}, "0", 20, {{0, 4}}, {{9, 10}, {0, 1}}, Moved, "1"},
        MoveCase{"an empty box counts as 1", {{0, 5}}, {1}, "", 20, {{0, 4}}, {{9, 10}, {0, 1}}, Moved, "1"},
        MoveCase{"007 is 7", {{0, 9}}, {1}, "007", 20, {{0, 2}}, {{9, 10}, {0, 7}}, Moved, "7"},
        MoveCase{"a full warehouse takes nothing", {{0, 5}}, {1}, "3", 0, {{0, 5}}, {{9, 10}}, Full, "3"}),
    q::test::NameBy(&MoveCase::what));

TEST_F(ArmsWindowsTest, AMoveGivesTheClickGateBackAsItWas) {
    for (Long stockRoom : {Long(0), Long(5)}) {  // full, and with room
        SetShop({{0, 5}});
        SetStock({{9, 10}});
        g().NowMaxStock = 10 + stockRoom;
        OpenTab(4);
        g().NoClick = NoClickRight;
        Display().cmdMove_Click();
        EXPECT_EQ(g().NoClick, NoClickRight) << stockRoom;
    }
}

TEST_F(ArmsWindowsTest, AWarehouseAboveItsCapacityCountsAsFull) {
    SetShop({{0, 5}});
    SetStock({{9, 12}});
    g().NowMaxStock = 10;
    OpenTab(4);
    Display().cmdMove_Click();
    EXPECT_EQ(Bar(), Full);
    EXPECT_EQ(Shop(), (std::vector<Pieces>{{0, 5}}));
    EXPECT_EQ(Stock(), (std::vector<Pieces>{{9, 12}}));
}

TEST_F(ArmsWindowsTest, WarehouseMovesToTheDisplayAndTheBag) {
    SetStock({{0, 3}, {1, 2}});
    SetBag({{4, 19}});
    OpenTab(5);
    Pick(Warehouse().lstList, {1, 2});
    Warehouse().txtNumber.Text = "2";
    Warehouse().cmdMove_Click(1);  // the bag has room for one piece
    EXPECT_EQ(Bag(), (std::vector<Pieces>{{4, 19}, {0, 1}}));
    EXPECT_EQ(Stock(), (std::vector<Pieces>{{0, 2}, {1, 2}}));
    EXPECT_EQ(Bar(), MovedFull);
    Pick(Warehouse().lstList, {2});
    Warehouse().cmdMove_Click(0);
    EXPECT_EQ(Shop(), (std::vector<Pieces>{{1, 2}}));
    EXPECT_EQ(Stock(), (std::vector<Pieces>{{0, 2}}));
    EXPECT_TRUE(g().AllArms[1].LArmsList);  // a new entry on display lists the arm
}

TEST_F(ArmsWindowsTest, TheBoxTakesThreeDigitsAndEnterGoesToAButton) {
    SetStock({{0, 3}});
    OpenTab(5);
    TextBox& box = Warehouse().txtNumber;
    box.SetFocus();  // selects "1"
    for (char ch : std::string("12a3-4")) box.Type(ch);
    EXPECT_EQ(box.Text.get(), "123");
    box.Type(8);
    EXPECT_EQ(box.Text.get(), "12");
    box.SelectAll();
    box.Type('9');
    EXPECT_EQ(box.Text.get(), "9");
    box.Type(13);
    EXPECT_EQ(host.Focused(), &Warehouse().cmdMove[0]);
    EXPECT_EQ(box.Text.get(), "9");

    // With the shop open no button is enabled: Enter leaves the focus in the box.
    g().ShopOpen = true;
    RefreshListWindow(g());
    box.SetFocus();
    box.Type(13);
    EXPECT_EQ(host.Focused(), &box);
}

struct ButtonCase {
    const char* what;
    const char* scene;
    const char* eventField;
    bool shopOpen, eventBusy, onceStop, gameEnding;
    bool displayMove, stockButtons, bagMove, bagDump;
};

class ButtonsByScene : public ArmsWindowsTest, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(ButtonsByScene, FollowThePlace) {
    const ButtonCase& c = GetParam();
    g().SceneFormName = c.scene;
    g().EventField = c.eventField;
    g().ShopOpen = c.shopOpen;
    g().EventBusy = c.eventBusy;
    g().OnceStop = c.onceStop;
    g().GameEnding = c.gameEnding;
    OpenTab(4);
    EXPECT_EQ(bool(Display().cmdMove.Enabled), c.displayMove) << c.what;
    OpenTab(5);
    for (CommandButton* b : {&Warehouse().cmdMove[0], &Warehouse().cmdMove[1], &Warehouse().cmdDump})
        EXPECT_EQ(bool(b->Enabled), c.stockButtons) << c.what << " " << b->path();
    OpenTab(6);
    EXPECT_EQ(bool(BagWindow().cmdMove.Enabled), c.bagMove) << c.what;
    EXPECT_EQ(bool(BagWindow().cmdDump.Enabled), c.bagDump) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Arms, ButtonsByScene,
    ::testing::Values(ButtonCase{"closed shop", "frmShop", "Shop", false, false, false, false, true, true, true, true},
                      ButtonCase{"open shop", "frmShop", "Shop", true, false, false, false, false, false, false, false},
                      ButtonCase{"quit question", "frmShop", "Shop", false, false, false, true, false, false, false, false},
                      ButtonCase{"town board", "frmEvent", "Board", false, false, false, false, false, false, false, true},
                      ButtonCase{"facility talk", "frmEvent", "Item", false, true, false, false, false, false, false, false},
                      ButtonCase{"walking", "frmField", "", false, false, false, false, false, false, false, false},
                      ButtonCase{"paused", "frmField", "", false, false, true, false, false, false, false, true},
                      ButtonCase{"paused, a find talked", "frmField", "", false, true, true, false, false, false, false, false}),
    q::test::NameBy(&ButtonCase::what));

class Dumps : public ArmsWindowsTest {
protected:
    // The warehouse with rows of 1, 3, 1 and 4 pieces, all selected, box 2.
    void AskAboutFourRows() {
        SetStock({{0, 1}, {1, 3}, {2, 1}, {3, 4}});
        OpenTab(5);
        Pick(Warehouse().lstList, {1, 2, 3, 4});
        Warehouse().txtNumber.Text = "2";
        Warehouse().cmdDump_Click();
    }
};

TEST_F(Dumps, AskFirstAndOnlyYesThrowsAway) {
    g().LastMessage = "イザベラ：さて、何をしようかしら";
    const std::pair<int, const char*> answers[] = {{vbKeyN, "N"}, {vbKeyReturn, "Enter"}, {vbKeyG, "G"}, {vbKeyY, "Y"}};
    for (const auto& [key, name] : answers) {
        AskAboutFourRows();
        EXPECT_EQ(Bar(), Asked) << name;
        EXPECT_TRUE(g().ListConfirm);
        EXPECT_EQ(g().StoryName, "StockDump");
        EXPECT_EQ(g().StoryNo, StoryWaitNo);
        EXPECT_TRUE(g().AutoBlocked);
        EXPECT_EQ(g().NoClick, NoClickRight);
        EXPECT_FALSE(Warehouse().lstList.Enabled);
        EXPECT_FALSE(Warehouse().txtNumber.Enabled);
        EXPECT_FALSE(Warehouse().cmdDump.Enabled);
        // The answer comes as a player gives it, through the game's input.
        MessageInput(g(), key, 0, InputKey);
        EXPECT_FALSE(g().ListConfirm) << name;
        EXPECT_EQ(g().StoryName, "") << name;
        EXPECT_EQ(g().StoryNo, 0) << name;
        EXPECT_EQ(g().NoClick, 0) << name;
        EXPECT_FALSE(g().AutoBlocked) << name;
        EXPECT_TRUE(Warehouse().lstList.Enabled) << name;
        EXPECT_TRUE(Warehouse().cmdDump.Enabled) << name;
        if (key != vbKeyY) {
            EXPECT_EQ(Stock(), (std::vector<Pieces>{{0, 1}, {1, 3}, {2, 1}, {3, 4}})) << name;
            EXPECT_EQ(Bar(), "イザベラ：さて、何をしようかしら") << name;
            EXPECT_EQ(Warehouse().lstList.SelectedRows(), (std::vector<int>{1, 2, 3, 4})) << name;
        } else {
            EXPECT_EQ(Stock(), (std::vector<Pieces>{{1, 1}, {3, 2}}));
            EXPECT_EQ(Bar(), Dumped);
        }
    }
}

TEST_F(Dumps, WithoutConfirmationAtOnceAndThePartlyDumpedRowsAreSelectedAgain) {
    g().DBUFLG = false;
    g().StoryName = "ShopBuySell";
    AskAboutFourRows();
    EXPECT_EQ(g().StoryName, "ShopBuySell");  // no question, no story
    EXPECT_EQ(Bar(), Dumped);
    EXPECT_EQ(Stock(), (std::vector<Pieces>{{1, 1}, {3, 2}}));
    EXPECT_EQ(g().KeepSelCount, 2);
    EXPECT_EQ(Warehouse().lstList.SelectedRows(), (std::vector<int>{1, 2}));
    EXPECT_EQ(g().HaveStockNum, 3);

    // A second dump counts its rows afresh.
    Pick(Warehouse().lstList, {1, 2});
    Warehouse().txtNumber.Text = "1";
    Warehouse().cmdDump_Click();
    EXPECT_EQ(Stock(), (std::vector<Pieces>{{3, 1}}));
    EXPECT_EQ(Warehouse().lstList.SelectedRows(), (std::vector<int>{1}));

    // Out of the dump state (the shop opened) the first row is selected instead.
    SetStock({{0, 4}, {1, 4}});
    g().KeepSelCount = 1;
    g().KeepSel = {2};
    g().ShopOpen = true;
    RefreshListWindow(g());
    EXPECT_EQ(Warehouse().lstList.SelectedRows(), (std::vector<int>{1}));
    EXPECT_EQ(g().KeepSelCount, 0);
}

TEST_F(Dumps, TheQuestionSurvivesARebuildAndDumpsWhatWasAsked) {
    AskAboutFourRows();
    // A setting key rebuilds the open window while the question waits; so
    // does a new arm put into the warehouse meanwhile.
    MessageInput(g(), 'S', 0, InputKey);
    ASSERT_TRUE(StockArmsChange(g(), 7, 0, false, 1));
    RefreshListWindow(g());
    EXPECT_TRUE(g().ListConfirm);
    EXPECT_FALSE(Warehouse().lstList.Enabled);
    EXPECT_FALSE(Warehouse().cmdMove[0].Enabled);
    EXPECT_EQ(Warehouse().lstList.SelectedRows(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(Bar(), Asked);
    // The frame still refuses to switch.
    MessageInput(g(), '6', 1, InputKey);
    EXPECT_EQ(g().ListName, "frmStockArms");

    MessageInput(g(), vbKeyY, 0, InputKey);
    EXPECT_EQ(Stock(), (std::vector<Pieces>{{1, 1}, {3, 2}, {7, 1}}));
    EXPECT_EQ(Warehouse().lstList.SelectedRows(), (std::vector<int>{1, 2}));
}

TEST_F(Dumps, ManyPartlyDumpedRowsAreAllSelectedAgain) {
    g().DBUFLG = false;
    g().NowMaxStock = 1000;
    for (Long arm = 0; arm < 80; ++arm) ASSERT_TRUE(StockArmsChange(g(), arm, 0, false, 3));
    OpenTab(5);
    for (int r = 1; r <= 80; ++r) Warehouse().lstList.SetSelected(r, true);
    Warehouse().cmdDump_Click();
    EXPECT_EQ(g().KeepSelCount, 80);
    EXPECT_EQ(Warehouse().lstList.SelectedRows().size(), 80u);
    EXPECT_EQ(g().HaveStockNum, 160);
}

TEST_F(Dumps, TheBagOnTheBoardKeepsAutoModeBlocked) {
    g().SceneFormName = "frmEvent";
    g().EventField = "Board";
    g().SavedStoryName = "BoardEvent";
    SetBag({{0, 2}, {1, 1}});
    OpenTab(6);
    Pick(BagWindow().lstList, {2});
    BagWindow().cmdDump_Click();
    EXPECT_EQ(g().StoryName, "BagDump");
    MessageInput(g(), vbKeyG, 0, InputKey);  // the default: keep them
    EXPECT_EQ(Bag(), (std::vector<Pieces>{{0, 2}, {1, 1}}));
    EXPECT_TRUE(g().AutoBlocked);
    EXPECT_FALSE(BagWindow().cmdMove.Enabled);  // away from the shop it stays off after a cancel
    BagWindow().cmdDump_Click();
    KeyToClick(g(), vbKeyY);
    EXPECT_EQ(Bag(), (std::vector<Pieces>{{0, 2}}));
    EXPECT_TRUE(g().AutoBlocked);
}

TEST_F(Dumps, AnEmptyContainerAsksNothing) {
    SetStock({});
    OpenTab(5);
    g().AutoBlocked = true;
    Warehouse().cmdDump_Click();
    EXPECT_FALSE(g().ListConfirm);
    EXPECT_EQ(g().StoryName, "");
    EXPECT_EQ(Bar(), "");
    EXPECT_FALSE(g().AutoBlocked);
}

}  // namespace
}  // namespace q::test
