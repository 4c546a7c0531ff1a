#include <gtest/gtest.h>

#include "Fixture.h"
#include "core/InitGame.h"
#include "core/StateColumns.h"
#include "core/frmUnderMes.h"

namespace q {
namespace {

// The initialiser against the table of what a new game and New Game Plus
// give each variable.
class InitGameTest : public test::GameTest {
protected:
    std::string Get(std::string_view name) { return FormatValue(g().vars.get(g(), std::string(name))); }
    // Every element of an array, or the plain variable itself.
    std::vector<std::string> Spellings(std::string_view name) {
        std::vector<std::string> out;
        const std::string n(name);
        if (g().vars.has(n)) return {n};
        for (const auto& full : g().vars.names())
            if (full.rfind(n + "(", 0) == 0 && full.find('.') == std::string::npos) out.push_back(full);
        return out;
    }
    static std::string Normal(std::string_view text) { return FormatValue(ParseValue(std::string(text))); }

    void ExpectColumn(bool plus) {
        for (const StateColumn& row : StateColumns()) {
            if (row.name == "LoadingGame" || row.name == "NewGame") continue;  // the callers' flags
            const Column& c = plus ? row.plus : row.newGame;
            if (c.kind == ColumnKind::Value || (plus && c.kind == ColumnKind::Same && row.newGame.kind == ColumnKind::Value)) {
                const std::string_view value = c.kind == ColumnKind::Value ? c.text : row.newGame.text;
                for (const auto& name : Spellings(row.name)) EXPECT_EQ(Get(name), Normal(value)) << name;
            } else if (c.kind == ColumnKind::Copy) {
                EXPECT_EQ(Get(row.name), Get(c.text)) << row.name;
            }
        }
    }
};

TEST_F(InitGameTest, NewGameGivesEveryVariableItsNewGameValue) {
    InitGame(g());
    ExpectColumn(false);
    // The starting inventories and tables.
    EXPECT_EQ(Get("MySack(1).HHaveSackNo"), "9");
    EXPECT_EQ(Get("MyStockArms(2).SStockArmsNum"), "2");
    EXPECT_TRUE(g().AllArms[2].LArmsList);
    EXPECT_FALSE(g().AllArms[3].LArmsList);
    for (const auto& arm : g().AllArms) EXPECT_EQ(arm.LArmsSetPrice, arm.BasePrice);
}

TEST_F(InitGameTest, NewGamePlusKeepsTheHeroineAndResetsTheRest) {
    InitGame(g());
    // A finished game.
    g().MyLevel = 40;
    g().MyMaxHp = 900;
    g().MyNowHp = 10;
    g().MyMaxBody = 150;
    g().MyNowBody = 3;
    g().NowMaxShop = 220;
    g().MyGold = 123456;
    g().MyFame = 4000;
    g().AllArms[400].LArmsList = true;
    g().AllArms[400].LArmsSetPrice = 77;
    g().AllKey[14].LKeyList = true;
    g().AllKey[5].LKeyList = true;
    g().SpeedFlg = 2;
    g().HaveSack = 2;
    g().MySack[0] = {5, 2, true};
    g().NowYear = 3055;
    g().LoadingGame = true;
    InitGame(g());
    ExpectColumn(true);
    EXPECT_EQ(g().MyLevel, 40);
    EXPECT_EQ(g().MyNowHp, 900);
    EXPECT_EQ(g().MyNowBody, 150);
    EXPECT_EQ(g().NowMaxShop, 220);
    EXPECT_EQ(g().MyGold, 300);
    EXPECT_EQ(g().MyFame, 10);
    EXPECT_EQ(g().NowYear, 3050);
    EXPECT_TRUE(g().AllArms[400].LArmsList);
    EXPECT_EQ(g().AllArms[400].LArmsSetPrice, 77);
    EXPECT_TRUE(g().AllKey[14].LKeyList);
    EXPECT_FALSE(g().AllKey[5].LKeyList);
    EXPECT_EQ(g().SpeedFlg, 2);
    // The sack starts with items again, not the jewels it ended with.
    EXPECT_EQ(g().HaveSack, 3);
    EXPECT_EQ(g().MySack[0].HHaveSackNo, 0);
    EXPECT_FALSE(g().MySack[0].HHaveGyoku);
}

TEST_F(InitGameTest, BarsAndSpriteTopFollowTheScreen) {
    InitGame(g());
    EXPECT_EQ(g().ScreenWidthPx, 1920);
    EXPECT_EQ(g().PlaceX2, (1920 - 64) * 15);
    EXPECT_EQ(g().frmUnderMes.peek()->Top + 195, 1040 * 15);
}

}  // namespace
}  // namespace q
