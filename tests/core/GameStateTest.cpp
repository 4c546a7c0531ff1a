#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "Fixture.h"
#include "core/StateColumns.h"
#include "core/frmUnderMes.h"

namespace q::test {
namespace {

using GameStateTest = GameTest;

// Every registered name a column row stands for: the row's own name, or,
// for a whole array, each element (and each field of a record element).
std::vector<std::string> ElementsOf(const std::vector<std::string>& registered, const std::string& row) {
    std::vector<std::string> out;
    for (const auto& name : registered)
        if (name == row || name.rfind(row + "(", 0) == 0) out.push_back(name);
    return out;
}

bool IsProgramStart(const Value& v) {
    if (auto* n = std::get_if<long long>(&v)) return *n == 0;
    if (auto* d = std::get_if<double>(&v)) return *d == 0.0;
    return std::get<std::string>(v).empty();
}

TEST_F(GameStateTest, ColumnsNameOnlyRegisteredVariablesOnce) {
    const auto names = g().vars.names();
    std::set<std::string> seen;
    for (const auto& c : StateColumns()) {
        const std::string name(c.name);
        EXPECT_TRUE(seen.insert(name).second) << name << " has two rows";
        EXPECT_FALSE(ElementsOf(names, name).empty()) << name << " is not a registered variable";
        for (const Column* col : {&c.newGame, &c.plus})
            if (col->kind == ColumnKind::Copy) {
                EXPECT_TRUE(g().vars.has(std::string(col->text))) << name << " copies unknown " << col->text;
            }
        EXPECT_NE(c.newGame.kind, ColumnKind::Same) << name << ": a new game has no earlier value to repeat";
        EXPECT_NE(c.newGame.kind, ColumnKind::Kept) << name << ": a new game keeps nothing";
    }
}

TEST_F(GameStateTest, EveryColumnValueFitsItsVariable) {
    const auto names = g().vars.names();
    // A value in the table that the variable cannot hold (text in a number,
    // a number past a 32-bit range) would only show when the game starts.
    for (const auto& c : StateColumns()) {
        for (const Column* col : {&c.newGame, &c.plus}) {
            if (col->kind != ColumnKind::Value) continue;
            const Value want = ParseValue(std::string(col->text));
            for (const auto& element : ElementsOf(names, std::string(c.name))) {
                ASSERT_NO_THROW(g().vars.set(g(), element, want)) << element << " := " << col->text;
                EXPECT_EQ(FormatValue(g().vars.get(g(), element)), FormatValue(want)) << element;
            }
        }
    }
}

TEST_F(GameStateTest, FreshGameHoldsProgramStartValues) {
    const auto names = g().vars.names();
    for (const auto& c : StateColumns())
        for (const auto& element : ElementsOf(names, std::string(c.name)))
            EXPECT_TRUE(IsProgramStart(g().vars.get(g(), element))) << element << " = "
                                                                   << FormatValue(g().vars.get(g(), element));
    EXPECT_EQ(g().StageForm, nullptr);
    EXPECT_EQ(g().ListForm, nullptr);
    EXPECT_EQ(g().WaitStart, 0);
}

TEST_F(GameStateTest, ArraysHaveTheirBoundsAndRefuseOthers) {
    struct Case {
        const char* head;  // up to the index
        const char* tail;  // a field, or nothing
        int last;
    };
    const Case cases[] = {
        {"Condition", "", 8},
        {"MySack", ".HHaveSackNo", 50},
        {"MySack", ".HHaveGyoku", 50},
        {"MyBag", ".HHaveBagNum", 150},
        {"MyShopArms", ".SShopArmsNo", 499},
        {"MyStockArms", ".SStockArmsNum", 499},
        {"MyRequestArms", ".SRequestArmsDay", 4},
        {"AnaSpot", "", 29},
        {"TouSpot", "", 9},
        {"BossOK", "", 12},
        {"ValuableItem", "", 2},
        {"SpecialFlg", "", 1},
        {"NoaFlg", "", 6},
        {"GhostFlg", "", 1},
        {"CarpenOrder", "", 2},
        {"RobberyDay", "", 1},
        {"FireDay", "", 1},
        {"ShopHaveHouse", ".HLHouseTime", 4},
        {"ResumeCode", "", 1},
    };
    auto at = [](const Case& c, int i) { return std::string(c.head) + "(" + std::to_string(i) + ")" + c.tail; };
    for (const auto& c : cases) {
        SCOPED_TRACE(at(c, c.last));
        g().vars.set(g(), at(c, c.last), Value(-1LL));
        EXPECT_EQ(FormatValue(g().vars.get(g(), at(c, c.last))), "-1");
        EXPECT_EQ(FormatValue(g().vars.get(g(), at(c, 0))), "0") << "the last element is not the first";
        for (int bad : {-1, c.last + 1}) {
            try {
                g().vars.get(g(), at(c, bad));
                ADD_FAILURE() << at(c, bad) << " was accepted";
            } catch (const VarError& e) {
                EXPECT_NE(std::string(e.what()).find("index out of 0.." + std::to_string(c.last)), std::string::npos)
                    << e.what();
            }
        }
    }
}

TEST_F(GameStateTest, NamesReachTheMembersTheyName) {
    Vars& v = g().vars;
    v.set(g(), "MySack(1).HHaveSackNum", Value(9LL));
    v.set(g(), "MySack(1).HHaveGyoku", ParseValue("True"));
    EXPECT_EQ(g().MySack[1].HHaveSackNum, 9);
    EXPECT_TRUE(g().MySack[1].HHaveGyoku);
    EXPECT_EQ(g().MySack[1].HHaveSackNo, 0);
    EXPECT_EQ(g().MySack[0].HHaveSackNum, 0);

    g().ShopHaveHouse[HouseBank].HLHouseNum = -9999999;
    g().ShopHaveHouse[HouseLand].HLHouseTime = 1;
    EXPECT_EQ(FormatValue(v.get(g(), "ShopHaveHouse(4).HLHouseNum")), "-9999999");
    EXPECT_EQ(FormatValue(v.get(g(), "ShopHaveHouse(0).HLHouseTime")), "1");
    EXPECT_EQ(FormatValue(v.get(g(), "ShopHaveHouse(0).HLHouseNum")), "0");

    g().Condition[CondLantern] = 30;
    EXPECT_EQ(FormatValue(v.get(g(), "Condition(8)")), "30");

    v.set(g(), "MyGold", Value(999999999LL));
    EXPECT_EQ(g().MyGold, 999999999);
    v.set(g(), "StepWidth", Value(12.5));
    EXPECT_DOUBLE_EQ(g().StepWidth, 12.5);
    v.set(g(), "FieldName", Value(std::string("ElfMugen")));
    EXPECT_EQ(g().FieldName, "ElfMugen");
    g().VisitorSprite = VisitorLeft;
    EXPECT_EQ(FormatValue(v.get(g(), "VisitorSprite")), "99999999");
}

TEST_F(GameStateTest, FormsAreSpelledByName) {
    Vars& v = g().vars;
    q::frmUnderMes& bar = g().frmUnderMes.get();
    v.set(g(), "StageForm", Value(std::string("frmUnderMes")));
    EXPECT_EQ(g().StageForm, &bar);
    EXPECT_EQ(FormatValue(v.get(g(), "StageForm")), "frmUnderMes");
    v.set(g(), "StageForm", Value(std::string()));
    EXPECT_EQ(g().StageForm, nullptr);
    EXPECT_THROW(v.set(g(), "ListForm", Value(std::string("frmNowhere"))), VarError);
    EXPECT_EQ(g().ListForm, nullptr);
}

TEST_F(GameStateTest, MisspelledAccessIsRefused) {
    const char* bad[] = {"NowTim", "Condition", "NowTime(0)", "MySack(0)", "MySack(0).HHaveSack", "MySack.HHaveSackNo"};
    for (const char* name : bad) EXPECT_THROW(g().vars.get(g(), name), VarError) << name;
    EXPECT_THROW(g().vars.set(g(), "MyGold", Value(std::string("lots"))), VarError);
}

}  // namespace
}  // namespace q::test
