#include <gtest/gtest.h>

#include "CaseName.h"
#include "Fixture.h"
#include "core/frmMenu.h"
#include "core/frmUnderMes.h"

namespace q {
namespace {

class PopupMenuTest : public test::GameTest {
protected:
    std::string Menu() {
        host.CloseMenu();
        ShowPopupMenu(g());
        return host.OpenMenu() ? SimHost::MenuText(*host.OpenMenu()) : "(none)";
    }
    void Board(const char* town, Long warasibe = 0, Long time = 1) {
        g().EventField = "Board";
        g().FieldName = town;
        g().Warasibe = warasibe;
        g().NowTime = time;
    }
};

struct BoardCase {
    const char* town;
    Long warasibe;
    Long time;
    const char* menu;
};

class BoardMenus : public PopupMenuTest, public ::testing::WithParamInterface<BoardCase> {};

TEST_P(BoardMenus, ItemsPerTownStageAndTime) {
    const BoardCase& c = GetParam();
    Board(c.town, c.warasibe, c.time);
    EXPECT_EQ(Menu(), c.menu) << c.town << " W" << c.warasibe << " t" << c.time;
}

INSTANTIATE_TEST_SUITE_P(
    Menus, BoardMenus,
    ::testing::Values(
        BoardCase{"Hanoda", 0, 1, "夢追い堂 | 道具屋 | 馬車屋 | 玉回収業者 | 銀行 | 不動産屋 | 広場 | - | - | ステータス | 経済情報 | セーブ | 終了"},
        BoardCase{"Hanoda", 7, 1,
                  "夢追い堂 | 道具屋 | 馬車屋 | 玉回収業者 | 銀行 | 不動産屋 | 広場 | - | レインウッド | アミュレット城 | - | ステータス | "
                  "経済情報 | セーブ | 終了"},
        BoardCase{"Hanoda", 0, 80, "夢追い堂 | 道具屋 | 馬車屋 | 玉回収業者 | 銀行 | 不動産屋 | 広場 | - | - | ステータス | 経済情報 | セーブ | 終了"},
        BoardCase{"Hanoda", 0, 81,
                  "夢追い堂 | 道具屋 | 馬車屋 | 玉回収業者 | 銀行 | 不動産屋 | 広場{grey} | - | - | ステータス | 経済情報 | セーブ | 終了"},
        BoardCase{"Rein", 3, 1, "鍛冶屋 | - | ハノダ | エルウインド | - | ステータス | セーブ | 終了"},
        BoardCase{"Shinen", 5, 1, "中へ | - | エルウインド | - | ステータス | セーブ | 終了"},
        BoardCase{"Elwind", 5, 1, "宿屋 | 道具屋 | 馬車屋 | 銀行 | 広場 | - | レインウッド | 深淵窟 | - | ステータス | 経済情報 | セーブ | 終了"},
        BoardCase{"Tou", 10, 1, "中へ | - | アミュレット城 | - | ステータス | セーブ | 終了"},
        BoardCase{"Amulet", 10, 1,
                  "宿屋 | 道具屋 | 馬車屋 | 大工屋 | 占いの館 | 銀行 | 広場 | 城内 | - | ハノダ | ネクザスの塔 | - | ステータス | "
                  "経済情報 | セーブ | 終了"},
        BoardCase{"HanoMori", 0, 1, "(none)"}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.town, "Warasibe", c.warasibe, "Time", c.time); }));

TEST_F(PopupMenuTest, WarpLakeAndLabFollowTheirFlags) {
    Board("Shinen");
    g().AnaSpot[0] = true;
    EXPECT_EQ(Menu(), "中へ | ワープ | - | エルウインド | - | ステータス | セーブ | 終了");
    Board("Elwind");
    g().MizuumiFlg = 1;
    EXPECT_NE(Menu().find("潤沢湖"), std::string::npos);
    g().VisitorSprite = 357;  // the lake's story stands on the board
    EXPECT_EQ(Menu(), "- | - | ステータス | セーブ");
    Board("Amulet");
    g().ArmsComplete = 500;
    EXPECT_NE(Menu().find("開発室"), std::string::npos);
}

TEST_F(PopupMenuTest, LockedBoardDisablesWhatCanBeLockedAndUnlocksAgain) {
    Board("Shinen");
    g().AnaSpot[0] = true;
    g().MenuLocked = true;
    EXPECT_EQ(Menu(), "中へ{grey} | ワープ | - | エルウインド{grey} | - | ステータス | セーブ{grey} | 終了{grey}");
    g().MenuLocked = false;
    EXPECT_EQ(Menu(), "中へ | ワープ | - | エルウインド | - | ステータス | セーブ | 終了");
}

TEST_F(PopupMenuTest, NoMenuWhileQuittingOrSaving) {
    Board("Hanoda");
    g().BoardCommand = "Save";
    EXPECT_EQ(Menu(), "(none)");
    g().BoardCommand.clear();
    g().GameEnding = true;
    EXPECT_EQ(Menu(), "(none)");
    g().EventField = "Shop";
    EXPECT_EQ(Menu(), "(none)");
    // A list window's confirmation waits: no command may start under it.
    g().GameEnding = false;
    g().ListConfirm = true;
    EXPECT_EQ(Menu(), "(none)");
    g().EventField = "Board";
    EXPECT_EQ(Menu(), "(none)");
}

struct SceneCase {
    const char* what;
    const char* eventField;
    const char* scene;
    bool shopOpen;
    bool autoNext;
    Long closeRequest;
    Long shopEvent;
    bool locked;
    const char* menu;
};

class SceneMenus : public PopupMenuTest, public ::testing::WithParamInterface<SceneCase> {};

TEST_P(SceneMenus, ItemsAndTheirStates) {
    const SceneCase& c = GetParam();
    g().EventField = c.eventField;
    g().SceneFormName = c.scene;
    g().ShopOpen = c.shopOpen;
    g().AutoNext = c.autoNext;
    g().CloseRequest = c.closeRequest;
    g().ShopEventKind = c.shopEvent;
    g().MenuLocked = c.locked;
    EXPECT_EQ(Menu(), c.menu) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Menus, SceneMenus,
    ::testing::Values(SceneCase{"open shop", "Shop", "frmShop", true, false, 0, 0, false, "閉店 | - | ステータス | 終了"},
                      SceneCase{"open shop, auto", "Shop", "frmShop", true, true, 0, 0, false,
                                "閉店{grey} | - | ステータス | 終了{grey}"},
                      SceneCase{"closing asked", "Shop", "frmShop", true, false, 1, 0, false, "閉店{grey} | - | ステータス | 終了"},
                      SceneCase{"robber", "Shop", "frmShop", true, false, 0, 1, false, "閉店{grey} | - | ステータス | 終了"},
                      SceneCase{"locked: closing still follows auto and requests", "Shop", "frmShop", true, false, 0, 0,
                                true, "閉店 | - | ステータス | 終了{grey}"},
                      SceneCase{"closed shop", "Shop", "frmShop", false, false, 0, 0, false,
                                "開店 | 寝る | - | ステータス | 看板へ | 終了"},
                      SceneCase{"closed shop, auto", "Shop", "frmShop", false, true, 0, 0, false,
                                "開店 | 寝る | - | ステータス | 看板へ | 終了"},
                      SceneCase{"road", "", "frmField", false, false, 0, 0, false, "ステータス | 終了"},
                      SceneCase{"road, auto", "", "frmField", false, true, 0, 0, false, "ステータス | 終了{grey}"},
                      SceneCase{"facility", "Hotel", "frmEvent", false, false, 0, 0, false, "ステータス | 看板へ | 終了"},
                      SceneCase{"lake", "Umi", "frmEvent", false, false, 0, 0, false, "ステータス | 終了"}),
    q::test::NameBy(&SceneCase::what));

TEST_F(PopupMenuTest, ChoosingAnItemRunsItsCommand) {
    g().EventField = "Shop";
    ShowPopupMenu(g());
    g().MyNowHp = 3;
    g().MyMaxHp = 35;
    g().NowTime = 10;
    g().frmMenu->mSleep.Click();
    EXPECT_EQ(g().MyNowHp, 35);
    EXPECT_EQ(g().NowTime, 60);
    EXPECT_EQ(g().frmUnderMes->LBLMessage[0].Caption.get(), "半日寝てステータスが回復しました");
}

// The clock runs while the menu is open: a customer's arrival can bring on
// the auto mode asked for during the last visit. 終了 chosen from the menu
// shown before then asks nothing, as the menu shown now greys it: in auto
// mode in the open shop no click or key could answer the question.
TEST_F(PopupMenuTest, QuitChosenFromAMenuShownBeforeAutoModeCameOnAsksNothing) {
    g().EventField = "Shop";
    g().SceneFormName = "frmShop";
    g().ShopOpen = true;
    ASSERT_EQ(Menu(), "閉店 | - | ステータス | 終了");
    g().AutoNext = true;
    g().frmMenu->mEnd.Click();
    EXPECT_FALSE(g().GameEnding);
    EXPECT_NE(g().StoryName, "VBEnd");
    g().AutoNext = false;
    g().frmMenu->mEnd.Click();
    EXPECT_TRUE(g().GameEnding);
}

}  // namespace
}  // namespace q
