// The estate agent's verdict: the eleven criteria, the six ranks, his
// remarks and his gifts.
#include <functional>
#include <optional>

#include "CaseName.h"
#include "EndingFixture.h"
#include "save/ClearRank.h"

namespace q::test {
namespace {

using ClearRankTest = ClearTest;

std::vector<std::string> VerdictLines(const std::string& text) { return Texts(FileLines(text)); }

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

struct MarkCase {
    const char* what;
    std::function<void(Game&)> set;
    Long points;  // of the criterion the case moves; every other stays at 1
};

void PrintTo(const MarkCase& c, std::ostream* os) { *os << c.what; }

class Criteria : public ClearRankTest, public ::testing::WithParamInterface<MarkCase> {};

TEST_P(Criteria, EachMeasureEarnsThePointsOfTheFirstMarkItMeets) {
    const MarkCase& c = GetParam();
    EXPECT_EQ(ClearScore(g()), 11);
    c.set(g());
    EXPECT_EQ(ClearScore(g()), 10 + c.points) << c.what;
}

// Money is at hand plus in the bank; the bank stays at -100,000 (its
// lowest mark) unless the case is about the bank itself.
void Money(Game& g, long long total) { g.MyGold = Long(total + 100'000); }

INSTANTIATE_TEST_SUITE_P(
    Clear, Criteria,
    ::testing::Values(
        MarkCase{"money 10,000,000", [](Game& g) { Money(g, 10'000'000); }, 10},
        MarkCase{"money 9,999,999", [](Game& g) { Money(g, 9'999'999); }, 7},
        MarkCase{"money 5,000,000", [](Game& g) { Money(g, 5'000'000); }, 7},
        MarkCase{"money 4,999,999", [](Game& g) { Money(g, 4'999'999); }, 4},
        MarkCase{"money 1,000,000", [](Game& g) { Money(g, 1'000'000); }, 4},
        MarkCase{"money 500,000", [](Game& g) { Money(g, 500'000); }, 2},
        MarkCase{"money 499,999", [](Game& g) { Money(g, 499'999); }, 1},
        MarkCase{"a debt lowers the money",
                 [](Game& g) {
                     g.MyGold = 10'000'000;
                     g.ShopHaveHouse[HouseBank].HLHouseNum = -1;  // the bank's own mark: 3
                 },
                 7 + 2},
        MarkCase{"both near a billion do not overflow",
                 [](Game& g) {
                     g.MyGold = 999'999'999;
                     g.ShopHaveHouse[HouseBank].HLHouseNum = 999'999'999;  // 5 for the bank
                 },
                 10 + 4},
        MarkCase{"fame 9000", [](Game& g) { g.MyFame = 9000; }, 10},
        MarkCase{"fame 8999", [](Game& g) { g.MyFame = 8999; }, 7},
        MarkCase{"fame 5000", [](Game& g) { g.MyFame = 5000; }, 4},
        MarkCase{"fame 3000", [](Game& g) { g.MyFame = 3000; }, 2},
        MarkCase{"fame 2999", [](Game& g) { g.MyFame = 2999; }, 1},
        MarkCase{"level 90", [](Game& g) { g.MyLevel = 90; }, 10},
        MarkCase{"level 75", [](Game& g) { g.MyLevel = 75; }, 7},
        MarkCase{"level 74", [](Game& g) { g.MyLevel = 74; }, 4},
        MarkCase{"level 60", [](Game& g) { g.MyLevel = 60; }, 4},
        MarkCase{"level 59", [](Game& g) { g.MyLevel = 59; }, 1},
        MarkCase{"5 faints", [](Game& g) { g.DieCount = 5; }, 10},
        MarkCase{"6 faints", [](Game& g) { g.DieCount = 6; }, 7},
        MarkCase{"9 faints", [](Game& g) { g.DieCount = 9; }, 4},
        MarkCase{"11 faints", [](Game& g) { g.DieCount = 11; }, 2},
        MarkCase{"arms 500", [](Game& g) { g.HaveArmsNum = 500; }, 10},
        MarkCase{"arms 499", [](Game& g) { g.HaveArmsNum = 499; }, 7},
        MarkCase{"arms 350", [](Game& g) { g.HaveArmsNum = 350; }, 7},
        MarkCase{"arms 349", [](Game& g) { g.HaveArmsNum = 349; }, 4},
        MarkCase{"arms 250", [](Game& g) { g.HaveArmsNum = 250; }, 4},
        MarkCase{"arms 249", [](Game& g) { g.HaveArmsNum = 249; }, 1},
        MarkCase{"jewels 100", [](Game& g) { g.HaveGyokuNum = 100; }, 15},
        MarkCase{"jewels 99", [](Game& g) { g.HaveGyokuNum = 99; }, 10},
        MarkCase{"jewels 80", [](Game& g) { g.HaveGyokuNum = 80; }, 10},
        MarkCase{"jewels 79", [](Game& g) { g.HaveGyokuNum = 79; }, 5},
        MarkCase{"jewels 50", [](Game& g) { g.HaveGyokuNum = 50; }, 5},
        MarkCase{"jewels 49", [](Game& g) { g.HaveGyokuNum = 49; }, 3},
        MarkCase{"jewels 30", [](Game& g) { g.HaveGyokuNum = 30; }, 3},
        MarkCase{"jewels 29", [](Game& g) { g.HaveGyokuNum = 29; }, 1},
        MarkCase{"no deals with demons", [](Game& g) { g.DealingCount = 0; }, 10},
        MarkCase{"2 deals", [](Game& g) { g.DealingCount = 2; }, 7},
        MarkCase{"5 deals", [](Game& g) { g.DealingCount = 5; }, 4},
        MarkCase{"8 deals", [](Game& g) { g.DealingCount = 8; }, 2},
        MarkCase{"shop 500", [](Game& g) { g.NowMaxShop = 500; }, 5},
        MarkCase{"shop 499", [](Game& g) { g.NowMaxShop = 499; }, 3},
        MarkCase{"shop 249", [](Game& g) { g.NowMaxShop = 249; }, 1},
        MarkCase{"warehouse 1000", [](Game& g) { g.NowMaxStock = 1000; }, 5},
        MarkCase{"warehouse 500", [](Game& g) { g.NowMaxStock = 500; }, 3},
        MarkCase{"warehouse 499", [](Game& g) { g.NowMaxStock = 499; }, 1},
        MarkCase{"bag 150", [](Game& g) { g.NowMaxBag = 150; }, 10},
        MarkCase{"bag 105", [](Game& g) { g.NowMaxBag = 105; }, 7},
        MarkCase{"bag 104", [](Game& g) { g.NowMaxBag = 104; }, 4},
        MarkCase{"bag 60", [](Game& g) { g.NowMaxBag = 60; }, 4},
        MarkCase{"bag 30", [](Game& g) { g.NowMaxBag = 30; }, 2},
        MarkCase{"bag 29", [](Game& g) { g.NowMaxBag = 29; }, 1},
        MarkCase{"balance 0", [](Game& g) { g.ShopHaveHouse[HouseBank].HLHouseNum = 0; }, 5},
        MarkCase{"balance -1", [](Game& g) { g.ShopHaveHouse[HouseBank].HLHouseNum = -1; }, 3},
        MarkCase{"balance -99,999", [](Game& g) { g.ShopHaveHouse[HouseBank].HLHouseNum = -99'999; }, 3}),
    q::test::NameBy(&MarkCase::what));

// The ways each criterion can score, for building a play of any score.
struct Option {
    Long points;
    std::function<void(Game&)> set;
};

std::vector<std::vector<Option>> Options() {
    auto bank = [](Long v) { return [v](Game& g) { g.ShopHaveHouse[HouseBank].HLHouseNum = v; }; };
    // Applied after the bank: the money at hand makes up the total.
    auto money = [](Long total) { return [total](Game& g) { g.MyGold = total - g.ShopHaveHouse[HouseBank].HLHouseNum; }; };
    auto level = [](Long v) { return [v](Game& g) { g.MyLevel = v; }; };
    return {
        {{5, bank(0)}, {3, bank(-1)}, {1, bank(-100'000)}},
        {{10, money(10'000'000)}, {7, money(5'000'000)}, {4, money(1'000'000)}, {2, money(500'000)}, {1, money(0)}},
        {{10, [](Game& g) { g.MyFame = 9000; }}, {7, [](Game& g) { g.MyFame = 8000; }},
         {4, [](Game& g) { g.MyFame = 5000; }}, {2, [](Game& g) { g.MyFame = 3000; }}, {1, [](Game& g) { g.MyFame = 0; }}},
        {{10, level(90)}, {7, level(75)}, {4, level(60)}, {1, level(1)}},
        {{10, [](Game& g) { g.DieCount = 0; }}, {7, [](Game& g) { g.DieCount = 7; }},
         {4, [](Game& g) { g.DieCount = 9; }}, {2, [](Game& g) { g.DieCount = 11; }}, {1, [](Game& g) { g.DieCount = 12; }}},
        {{10, [](Game& g) { g.HaveArmsNum = 500; }}, {7, [](Game& g) { g.HaveArmsNum = 350; }},
         {4, [](Game& g) { g.HaveArmsNum = 250; }}, {1, [](Game& g) { g.HaveArmsNum = 3; }}},
        {{15, [](Game& g) { g.HaveGyokuNum = 100; }}, {10, [](Game& g) { g.HaveGyokuNum = 80; }},
         {5, [](Game& g) { g.HaveGyokuNum = 50; }}, {3, [](Game& g) { g.HaveGyokuNum = 30; }},
         {1, [](Game& g) { g.HaveGyokuNum = 0; }}},
        {{10, [](Game& g) { g.DealingCount = 0; }}, {7, [](Game& g) { g.DealingCount = 1; }},
         {4, [](Game& g) { g.DealingCount = 3; }}, {2, [](Game& g) { g.DealingCount = 6; }},
         {1, [](Game& g) { g.DealingCount = 9; }}},
        {{5, [](Game& g) { g.NowMaxShop = 500; }}, {3, [](Game& g) { g.NowMaxShop = 250; }},
         {1, [](Game& g) { g.NowMaxShop = 10; }}},
        {{5, [](Game& g) { g.NowMaxStock = 1000; }}, {3, [](Game& g) { g.NowMaxStock = 500; }},
         {1, [](Game& g) { g.NowMaxStock = 0; }}},
        {{10, [](Game& g) { g.NowMaxBag = 150; }}, {7, [](Game& g) { g.NowMaxBag = 105; }},
         {4, [](Game& g) { g.NowMaxBag = 60; }}, {2, [](Game& g) { g.NowMaxBag = 30; }},
         {1, [](Game& g) { g.NowMaxBag = 10; }}},
    };
}

// Sets up a play that scores exactly `score`; false when none can.
bool PlayScoring(Game& g, Long score) {
    const auto options = Options();
    // reach[i][s]: the option of criterion i-1 that gets the first i criteria to s.
    std::vector<std::vector<std::optional<size_t>>> reach(options.size() + 1, std::vector<std::optional<size_t>>(101));
    std::vector<std::vector<bool>> ok(options.size() + 1, std::vector<bool>(101, false));
    ok[0][0] = true;
    for (size_t i = 0; i < options.size(); ++i)
        for (Long s = 0; s <= 100; ++s) {
            if (!ok[i][size_t(s)]) continue;
            for (size_t o = 0; o < options[i].size(); ++o) {
                const Long t = s + options[i][o].points;
                if (t > 100 || ok[i + 1][size_t(t)]) continue;
                ok[i + 1][size_t(t)] = true;
                reach[i + 1][size_t(t)] = o;
            }
        }
    if (!ok[options.size()][size_t(score)]) return false;
    std::vector<size_t> chosen(options.size());
    Long s = score;
    for (size_t i = options.size(); i > 0; --i) {
        chosen[i - 1] = *reach[i][size_t(s)];
        s -= options[i - 1][chosen[i - 1]].points;
    }
    for (size_t i = 0; i < options.size(); ++i) options[i][chosen[i]].set(g);
    return true;
}

TEST_F(ClearRankTest, TheScoreSelectsTheRank) {
    const struct {
        Long score;
        const char* rank;
    } cases[] = {{100, "【Ｓランク】"}, {90, "【Ｓランク】"}, {89, "【Ａランク】"}, {80, "【Ａランク】"},
                 {79, "【Ｂランク】"},  {60, "【Ｂランク】"}, {59, "【Ｃランク】"}, {50, "【Ｃランク】"},
                 {49, "【Ｄランク】"},  {40, "【Ｄランク】"}, {39, "【Ｅランク】"}, {11, "【Ｅランク】"}};
    for (const auto& c : cases) {
        LowestPlay(g());
        ASSERT_TRUE(PlayScoring(g(), c.score)) << c.score;
        ASSERT_EQ(ClearScore(g()), c.score);
        const auto lines = VerdictLines(ClearRankText(g()));
        EXPECT_EQ(lines.at(0), c.rank) << c.score;
        EXPECT_TRUE(lines.at(1).starts_with("・不動産屋：")) << c.score;
        EXPECT_TRUE(lines.at(2).starts_with("　　　　　　")) << c.score;
    }
}

TEST_F(ClearRankTest, AFirstClearGivesTheRecipesAndMarksTheGameCleared) {
    PlayScoring(g(), 100);
    const std::string text = ClearRankText(g());
    const auto lines = VerdictLines(text);
    for (int k : {23, 24, 25}) EXPECT_TRUE(g().AllKey[size_t(k)].LKeyList) << k;
    // The earring never comes with the first clear, however good.
    EXPECT_FALSE(g().AllKey[16].LKeyList);
    EXPECT_FALSE(Has(lines, "　　　　　：お、頑張ってるじゃねぇか！"));
    EXPECT_TRUE(Has(lines, "　　　　　：お、初クリアか。頑張ったみたいだから、ワシが特別に"));
    EXPECT_TRUE(Has(lines, "　　　　　　「人生をやり直しませんか？」だってよ！"));
    EXPECT_TRUE(g().GameCleared);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
}

TEST_F(ClearRankTest, ALaterGoodClearGivesTheEarringOnce) {
    const struct {
        Long score;
        bool owned;
        bool gift;
    } cases[] = {{60, false, true}, {59, false, false}, {60, true, false}, {100, true, false}};
    for (const auto& c : cases) {
        LowestPlay(g());
        ASSERT_TRUE(PlayScoring(g(), c.score));
        for (auto& k : g().AllKey) k.LKeyList = false;
        g().AllKey[16].LKeyList = c.owned;
        g().GameCleared = true;
        const auto lines = VerdictLines(ClearRankText(g()));
        EXPECT_EQ(Has(lines, "　　　　　　今後のあんたに期待して省エネのピアスをやろう！"), c.gift) << c.score;
        EXPECT_EQ(g().AllKey[16].LKeyList, c.owned || c.gift) << c.score;
        // No recipes and no hint of a new life on a later clear.
        EXPECT_FALSE(g().AllKey[23].LKeyList);
        EXPECT_FALSE(Has(lines, "　　　　　：そうそう、ハノダの広場に変わった女が立ってたぜ"));
    }
}

TEST_F(ClearRankTest, TheRemarksFollowTheCollectionsAndTheBankClerk) {
    auto verdict = [this] { return VerdictLines(ClearRankText(g())); };
    auto lines = verdict();
    EXPECT_TRUE(Has(lines, "　　　　　：武具商人と名乗るなら、"));
    EXPECT_TRUE(Has(lines, "　　　　　：あんた、玉の収集はやらないのか？"));
    EXPECT_FALSE(Has(lines, "　　　　　：あんた、銀行員の兄ちゃんを懲らしめたらしいな。"));
    EXPECT_TRUE(Has(lines, "　　　　　　エルウインドの広場に行ってみな。面白い奴が来てるぜ！"));

    g().HaveArmsNum = 500;
    g().HaveGyokuNum = 100;
    g().BossOK[12] = true;
    lines = verdict();
    EXPECT_TRUE(Has(lines, "　　　　　：お！この辺の武具を全部集めたようだな。"));
    EXPECT_FALSE(Has(lines, "　　　　　：武具商人と名乗るなら、"));
    EXPECT_TRUE(Has(lines, "　　　　　：玉を全部集めたんだって？"));
    EXPECT_TRUE(Has(lines, "　　　　　：あんた、銀行員の兄ちゃんを懲らしめたらしいな。"));
    EXPECT_TRUE(Has(lines, "　　　　　　エルウインドの広場に行ってみな。面白い奴が来てるぜ！"));
}

TEST_F(ClearRankTest, TheTimeTakenAndTheAgentsWordOnIt) {
    const struct {
        Long year, month;
        const char* taken;
        const char* comment;
    } cases[] = {
        {3059, 4, "クリアまで【9年0ヵ月】掛かりました。", "・不動産屋：すごい早いな。さすがワシが見込んだだけはある！"},
        {3060, 3, "クリアまで【9年11ヵ月】掛かりました。", "・不動産屋：すごい早いな。さすがワシが見込んだだけはある！"},
        {3060, 4, "クリアまで【10年0ヵ月】掛かりました。", "・不動産屋：まぁ、妥当な線だな。"},
        {3079, 12, "クリアまで【29年8ヵ月】掛かりました。", "・不動産屋：まぁ、妥当な線だな。"},
        {3080, 4, "クリアまで【30年0ヵ月】掛かりました。", "・不動産屋：見た目は大して変わらないが、お互いずいぶん老けたな。"},
        {3110, 1, "クリアまで【59年9ヵ月】掛かりました。", "・不動産屋：見た目は大して変わらないが、お互いずいぶん老けたな。"},
        {3110, 4, "クリアまで【60年0ヵ月】掛かりました。", "・不動産屋：おいおい……一体いつまで店を経営するつもりだ？"},
    };
    for (const auto& c : cases) {
        g().NowYear = c.year;
        g().NowMonth = c.month;
        const auto lines = VerdictLines(ClearRankText(g()));
        const auto at = std::find(lines.begin(), lines.end(), c.taken);
        ASSERT_NE(at, lines.end()) << c.taken;
        ASSERT_NE(at + 1, lines.end());
        EXPECT_EQ(*(at + 1), c.comment) << c.taken;
        EXPECT_EQ(*(at - 1), "") << "an empty line before the time";
    }
}

}  // namespace
}  // namespace q::test
