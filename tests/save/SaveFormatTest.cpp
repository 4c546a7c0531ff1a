// The lines the writer builds: columns, widths, signs, noise and the values
// it has to hold inside their fields.
#include <climits>
#include <cstdio>
#include <random>
#include <set>

#include "SaveFixture.h"

namespace q::test {
namespace {

class SaveFormatTest : public SaveTest {
protected:
    SaveLines Lines(Long slot = 0) {
        auto lines = BuildSaveLines(g(), slot);
        EXPECT_TRUE(lines.has_value());
        return lines ? *lines : SaveLines{};
    }
    // Columns `from` to `from` + size - 1 (1-based) of a plain line.
    static std::string Cols(const std::string& line, size_t from, size_t size) {
        return from - 1 < line.size() ? line.substr(from - 1, size) : "";
    }
};

TEST_F(SaveFormatTest, AFreshGameHasTheLineLengthsOfTheFormat) {
    const SaveLines lines = Lines();
    const size_t want[] = {85, 152, 40, 18, 84, 69, 4143, 300, 300, 300};
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].size(), want[i]) << "line " << i + 1;
        EXPECT_EQ(lines[i].find_first_not_of("0123456789-"), std::string::npos) << "line " << i + 1;
    }
    EXPECT_EQ(lines[0],
              "00001" "00000" "0" "001" "03050" "04" "01" "01" "000030" "000000" "0035" "0035" "100" "100"
              "100" "100" "0010" "000000300" "007" "005" "004" "02" "00" "00");
    // The sack's three items, the warehouse's three arms.
    EXPECT_EQ(Cols(lines[4], 12, 40), "020" "000" "000" "0030" "0003" "0006" "020" "000" "000" "10" "03" "0" "00000");
    EXPECT_EQ(lines[4].substr(51), "0030" "0910" "1210" "0000002" "0010002" "0020002");
    EXPECT_EQ(lines[5].substr(10), "0" + std::string(26, '0') + "1000" "00" "000" "000" "000000000" "0" "000000000" "0");
    // Arms 0 to 2 are listed at their base prices.
    for (size_t arm = 0; arm < 4; ++arm) {
        char price[8];
        std::snprintf(price, sizeof price, "%07d", int(g().AllArms[arm].BasePrice));
        EXPECT_EQ(Cols(lines[6], 12 + 8 * arm, 8), price + std::string(arm <= 2 ? "1" : "0")) << "arm " << arm;
    }
    EXPECT_EQ(lines[6].substr(4011), std::string(129, '0') + "000");
}

TEST_F(SaveFormatTest, ARichGameFillsEveryColumnInItsPlace) {
    RichGameState(g());
    const SaveLines lines = Lines();
    EXPECT_EQ(lines[0],
              "00001" "00002" "0" "087" "03053" "11" "29" "64" "123456" "065432" "4321" "4000" "250" "012" "999"
              "000" "9999" "987654321" "512" "333" "999" "07" "11" "09");
    EXPECT_EQ(lines[1].substr(10),
              "0" "1" "999999999" "000000012" "000000003" "000004567" "000007654" "000000089" "000000001"
              "100000000100000000000000000011" "0100000001" "101" "1000010000011" "172" "303" "600" "042" "0" "1"
              "250" "4000");
    EXPECT_EQ(lines[2].substr(10), "0" "516131212" "01010001010117" "2" "15" "5" "2" "1");
    EXPECT_EQ(lines[3].substr(10), "0" "1101000");
    EXPECT_EQ(lines[4].substr(10),
              "0" "500" "003" "500" "1000" "0002" "1000" "150" "002" "150" "50" "04" "3" "99999"
              "0090" "4210" "9931" "0721"        // sack: item 0 x 9, item 42, jewel 99 x 3, jewel 7 x 2
              "499140" "000010"                  // bag
              "480001" "012300" "250199"         // display
              "0030999" "4840001"                // warehouse
              "1000512" "2009900" "30001-2");    // orders: 12 days, due today, two days overdue
    EXPECT_EQ(lines[5].substr(10),
              "0" "100100000000001" "10000000001" "1234" "31" "120" "000" "000009999" "0" "-00005000" "0");
    ASSERT_EQ(lines[6].size(), 4143u);
    auto arm = [&](size_t i) {
        char price[8];
        std::snprintf(price, sizeof price, "%07d", int(g().AllArms[i].LArmsSetPrice));
        return std::string(price) + (g().AllArms[i].LArmsList ? "1" : "0");
    };
    EXPECT_EQ(g().AllArms[0].LArmsSetPrice, g().AllArms[0].BasePrice * 3 / 2);
    for (size_t i : {0, 1, 2, 7, 250, 480, 499}) EXPECT_EQ(Cols(lines[6], 12 + 8 * i, 8), arm(i)) << "arm " << i;
    EXPECT_EQ(Cols(lines[6], 12, 16), arm(0) + arm(1));
    EXPECT_EQ(Cols(lines[6], 20, 8).back(), '0');
    EXPECT_EQ(lines[6].substr(4011), "10000000000000100000000100001" + std::string(100, '1') + "100");
}

TEST_F(SaveFormatTest, FieldsOfTheirOwnForm) {
    // Each case changes one thing of a fresh game and looks at its columns.
    const struct {
        const char* what;
        std::function<void(Game&)> set;
        int line;
        size_t column;
        std::string text;
    } cases[] = {
        {"look 1", [](Game& g) { g.FieldLevel = 1; }, 1, 6, "00001"},
        {"look 0", [](Game& g) { g.FieldLevel = 0; }, 1, 6, "00000"},
        {"a look still to apply", [](Game& g) { g.FieldLevel = 5; }, 1, 6, "00000"},
        {"balance 123", [](Game& g) { g.ShopHaveHouse[HouseBank].HLHouseNum = 123; }, 6, 60, "0000001230"},
        {"a debt", [](Game& g) { g.ShopHaveHouse[HouseBank].HLHouseNum = -5000; }, 6, 60, "-000050000"},
        {"the deepest debt", [](Game& g) { g.ShopHaveHouse[HouseBank].HLHouseNum = -9999999; }, 6, 60, "-099999990"},
        {"no theft guard", [](Game& g) { g.ShopHaveHouse[HouseTheftGuard] = {1, 0}; }, 6, 44, "000"},
        {"theft guard 20 days", [](Game& g) { g.ShopHaveHouse[HouseTheftGuard] = {0, 20}; }, 6, 44, "120"},
        {"fire guard 9 days", [](Game& g) { g.ShopHaveHouse[HouseFireGuard] = {1, 9}; }, 6, 47, "109"},
        {"land owned", [](Game& g) { g.ShopHaveHouse[HouseLand] = {0, 1}; }, 6, 42, "01"},
        {"Rein", [](Game& g) { g.FieldName = "Rein"; }, 3, 12, "1"},
        {"Shinen", [](Game& g) { g.FieldName = "Shinen"; }, 3, 12, "2"},
        {"Tou", [](Game& g) { g.FieldName = "Tou"; }, 3, 12, "4"},
        {"slow", [](Game& g) { g.SpeedFlg = 2; }, 4, 18, "2"},
        {"a speed of another make", [](Game& g) { g.SpeedFlg = 7; }, 4, 18, "7"},
    };
    for (const auto& c : cases) {
        NewGameState(g());
        c.set(g());
        const SaveLines lines = Lines();
        EXPECT_EQ(Cols(lines[size_t(c.line - 1)], c.column, c.text.size()), c.text) << c.what;
    }
}

TEST_F(SaveFormatTest, TheListsOfLineFiveAndTheirLength) {
    g().HaveSack = 0;
    g().HaveStock = 0;
    EXPECT_EQ(Lines()[4].size(), 51u);

    g().HaveSack = 1;
    g().MySack[0] = {9, 3, false};
    const std::string line5 = Lines()[4];
    EXPECT_EQ(line5.size(), 55u);
    EXPECT_EQ(line5.substr(51), "0930");

    g().NowMaxStock = 1000;
    g().HaveStock = 1;
    g().MyStockArms[0] = {77, 1000};
    g().NowRequest = 2;
    g().MyRequestArms[0] = {5, 3, 0};
    g().MyRequestArms[1] = {6, 4, -2};
    EXPECT_EQ(Lines()[4].substr(51), "0930" "0771000" "0050300" "00604-2");
}

TEST_F(SaveFormatTest, TheFileNumberFollowsTheSlot) {
    EXPECT_EQ(Lines(0)[0].substr(0, 5), "00001");
    EXPECT_EQ(Lines(1)[0].substr(0, 5), "00002");
    EXPECT_EQ(Lines(5)[0].substr(0, 5), "00002");
}

TEST_F(SaveFormatTest, NoiseComesFromTheGamesGeneratorBetweenItsBounds) {
    g().rng.Queue(0.0);
    g().rng.Queue(0.5);
    g().rng.Queue(0.9999999);
    const auto before = g().rng.DrawCount();
    const SaveLines lines = Lines();
    EXPECT_EQ(g().rng.DrawCount() - before, 192u);
    EXPECT_EQ(g().RandHi, 99999);
    EXPECT_EQ(g().RandLo, 10000);
    EXPECT_EQ(lines[1].substr(0, 10), "10000" "55000");
    EXPECT_EQ(lines[2].substr(0, 5), "99999");
    // Every noise number lies in 10000-99999.
    for (size_t n = 1; n < lines.size(); ++n) {
        const size_t noise = n < 7 ? 10 : 300;
        for (size_t c = 0; c < noise; c += 5) {
            const int v = std::stoi(lines[n].substr(c, 5));
            EXPECT_TRUE(v >= 10000 && v <= 99999) << "line " << n + 1 << " column " << c + 1;
        }
    }
}

TEST_F(SaveFormatTest, TheTotalsAreWrittenAsTheListsAddUp) {
    RichGameState(g());
    g().HaveBagNum = 3;
    g().HaveShopNum = 0;
    g().HaveStockNum = 999999;
    const SaveLines lines = Lines();
    EXPECT_EQ(g().HaveBagNum, 150);
    EXPECT_EQ(g().HaveShopNum, 500);
    EXPECT_EQ(g().HaveStockNum, 1000);
    EXPECT_EQ(Cols(lines[4], 18, 3), "500");
    EXPECT_EQ(Cols(lines[4], 29, 4), "1000");
    EXPECT_EQ(Cols(lines[4], 39, 3), "150");
}

TEST_F(SaveFormatTest, AValueTooBigForItsFieldIsHeldAtTheNearestThatFits) {
    const struct {
        const char* what;
        std::function<void(Game&)> set;
        int line;
        size_t column;
        std::string text;
    } cases[] = {
        {"ten days overdue", [](Game& g) { g.MyRequestArms[0].SRequestArmsDay = -10; }, 5, 90, "-9"},
        {"far overdue", [](Game& g) { g.MyRequestArms[0].SRequestArmsDay = -400; }, 5, 90, "-9"},
        {"a hundred days left", [](Game& g) { g.MyRequestArms[0].SRequestArmsDay = 100; }, 5, 90, "99"},
        {"HP above the maximum", [](Game& g) { g.MyNowHp = 36; }, 1, 42, "0035"},
        {"negative fame", [](Game& g) { g.MyFame = -3; }, 1, 58, "0000"},
        {"money past the cap", [](Game& g) { g.MyGold = 1500000000; }, 1, 62, "999999999"},
        {"a debt past the floor", [](Game& g) { g.ShopHaveHouse[HouseBank].HLHouseNum = -20000000; }, 6, 60,
         "-09999999"},
        {"negative shares", [](Game& g) { g.ShopHaveHouse[HouseShares].HLHouseNum = -5; }, 6, 50, "000000000"},
        {"a contract too long", [](Game& g) { g.ShopHaveHouse[HouseFireGuard].HLHouseTime = 45; }, 6, 47, "130"},
        {"a year past five digits", [](Game& g) { g.NowYear = 123456; }, 1, 15, "99999"},
    };
    for (const auto& c : cases) {
        NewGameState(g());
        g().NowRequest = 1;
        g().MyRequestArms[0] = {1, 1, 0};
        c.set(g());
        const SaveLines lines = Lines();
        EXPECT_EQ(Cols(lines[size_t(c.line - 1)], c.column, c.text.size()), c.text) << c.what;
        EXPECT_EQ(lines[4].size(), 84u + 7) << c.what << ": line 5 shifted";
    }
}

TEST_F(SaveFormatTest, AStateNoFileCanHoldIsNotWritten) {
    const struct {
        const char* what;
        std::function<void(Game&)> set;
    } cases[] = {
        {"an arm past the table", [](Game& g) { g.MyStockArms[1].SStockArmsNo = 500; }},
        {"a negative arm", [](Game& g) { g.MyStockArms[1].SStockArmsNo = -1; }},
        {"an item past the table", [](Game& g) { g.MySack[0].HHaveSackNo = 43; }},
        {"a jewel past the table", [](Game& g) { g.MySack[0] = {100, 1, true}; }},
        {"more sack kinds than room", [](Game& g) { g.HaveSack = 11; }},
        {"more display entries than room", [](Game& g) { g.HaveShop = 21; }},
        {"a negative count", [](Game& g) { g.HaveStock = -1; }},
        {"more pieces than the warehouse holds", [](Game& g) { g.MyStockArms[0].SStockArmsNum = 12345; }},
        {"a bag filled past its room", [](Game& g) { g.NowMaxBag = g.HaveBagNum - 1; }},
        {"six orders", [](Game& g) { g.NowRequest = 6; }},
        {"an ordered arm past the table", [](Game& g) {
             g.NowRequest = 1;
             g.MyRequestArms[0] = {777, 1, 3};
         }},
        {"a road", [](Game& g) { g.FieldName = "Road"; }},
        {"no place", [](Game& g) { g.FieldName = ""; }},
    };
    for (const auto& c : cases) {
        NewGameState(g());
        c.set(g());
        EXPECT_FALSE(BuildSaveLines(g(), 0).has_value()) << c.what;
    }
}

// Whatever values the state holds, the writer either refuses it or writes
// lines that the reader takes back, with every field in its column.
TEST_F(SaveFormatTest, EveryFileTheWriterMakesReadsBack) {
    const Long extremes[] = {INT_MIN, -1000000000, -10000, -10, -9, -2, -1, 0, 1, 2, 9, 10, 42, 43, 99, 100,
                             150, 499, 500, 999, 1000, 1300, 3050, 9999, 99999, 3600001, 999999999, INT_MAX};
    std::vector<std::string> saved;
    for (const auto& [name, value] : SavedFields(g())) saved.push_back(name);
    std::mt19937 rng(2024);
    int written = 0;
    for (int round = 0; round < 300; ++round) {
        RichGameState(g());
        for (int k = 0; k < 12; ++k) {
            const std::string& name = saved[rng() % saved.size()];
            if (name == "FieldName") continue;
            g().vars.set(g(), name, Value(static_cast<long long>(extremes[rng() % std::size(extremes)])));
        }
        const auto lines = BuildSaveLines(g(), 0);
        if (!lines) continue;
        ++written;
        GameState staged = g();
        SavedTables tables = GatherTables(g());
        EXPECT_TRUE(ReadSaveLines(*lines, staged, tables)) << "round " << round;
    }
    EXPECT_GT(written, 50);
}

}  // namespace
}  // namespace q::test

namespace q::test {
namespace {

// Each saved field changed alone changes the file; any other variable
// changed alone leaves it as it was.
TEST_F(SaveFormatTest, EverySavedFieldReachesTheFileAndNothingElseDoes) {
    RichGameState(g());
    auto build = [&] {
        g().rng.Randomize(1);
        auto lines = BuildSaveLines(g(), 0);
        return lines ? *lines : SaveLines{};
    };
    const SaveLines base = build();
    // Another value of the variable, step = +1 or -1 for numbers and truth values.
    auto changes = [&](const std::string& name) {
        const Value was = g().vars.get(g(), name);
        bool changed = false;
        for (int step : {1, -1}) {
            Value other = was;
            if (auto* n = std::get_if<long long>(&other)) *n += step;
            else if (auto* d = std::get_if<double>(&other)) *d += step;
            else other = std::get<std::string>(was) == "Rein" ? "Tou" : "Rein";
            try {
                g().vars.set(g(), name, other);
            } catch (const VarError&) {
                continue;  // a variable that holds a form
            }
            changed = changed || build() != base;
            g().vars.set(g(), name, was);
        }
        return changed;
    };

    // What the file keeps in other forms: the totals as the lists add them
    // up, whether a contract runs from its days, no time for shares and money.
    const std::set<std::string> otherwise{"HaveShopNum", "HaveStockNum", "HaveBagNum",
                                          "ShopHaveHouse(1).HLHouseNum", "ShopHaveHouse(2).HLHouseNum",
                                          "ShopHaveHouse(3).HLHouseTime", "ShopHaveHouse(4).HLHouseTime"};
    auto pastTheCount = [&](const std::string& name) {
        for (const auto& [list, count] : {std::pair{"MySack(", g().HaveSack}, {"MyBag(", g().HaveBag},
                                          {"MyShopArms(", g().HaveShop}, {"MyStockArms(", g().HaveStock},
                                          {"MyRequestArms(", g().NowRequest}})
            if (name.rfind(list, 0) == 0) return std::stoi(name.substr(std::string(list).size())) >= count;
        return false;
    };

    const auto saved = SavedFields(g());
    for (const auto& [name, value] : saved) {
        if (otherwise.count(name) || pastTheCount(name)) continue;
        EXPECT_TRUE(changes(name)) << name << " does not reach the file";
    }
    for (const auto& name : g().vars.names()) {
        if (saved.count(name) || name == "FieldName") continue;
        if (otherwise.count(name) || pastTheCount(name)) continue;
        EXPECT_FALSE(changes(name)) << name << " is not saved, yet it changes the file";
    }
}

}  // namespace
}  // namespace q::test
