// The hotel: room prices by level and month, the stay's restoring, its time
// and its souvenir.
#include <gtest/gtest.h>

#include "CaseName.h"
#include "FacilityFixture.h"

namespace q {
namespace {

using test::FacilityTest;

constexpr Long DriedMeat = 12;
constexpr Long Flower = 1;  // 体力の花

class HotelTest : public FacilityTest {
protected:
    HotelTest() {
        Board("Elwind");
        g().rng.SetStrict(false);
    }
};

struct RoomPrices {
    Long level;
    Long economy;
    const char* prices[4];
};

class HotelPrices : public FacilityTest, public ::testing::WithParamInterface<RoomPrices> {};

TEST_P(HotelPrices, FollowHerLevelAndTheMonth) {
    const RoomPrices& c = GetParam();
    g().MyLevel = c.level;
    g().EconomyValue = c.economy;
    Board("Amulet");
    Enter("bHotel");
    ASSERT_EQ(List().Count(), 4);
    for (int row = 1; row <= 4; ++row) EXPECT_EQ(Cell(row, 1), c.prices[row - 1]) << row;
}

INSTANTIATE_TEST_SUITE_P(Rooms, HotelPrices,
                         ::testing::Values(RoomPrices{1, EconomyStable, {"100", "200", "10,000", "20,000"}},
                                           RoomPrices{47, EconomySlump, {"4,230", "8,460", "9,000", "18,000"}},
                                           RoomPrices{3, EconomyBoom, {"330", "660", "11,000", "22,000"}}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Level", c.level, "Economy", c.economy); }));

TEST_F(HotelTest, TheWindowListsTheRoomsWithoutANumberBox) {
    Enter("bHotel");
    EXPECT_EQ(W().lblNumber[0].Caption.get(), "+++ 宿屋 +++");
    EXPECT_FALSE(W().txtNumber.Visible);
    EXPECT_FALSE(W().lblNumber[2].Visible);
    EXPECT_EQ(W().cmdBuy.Caption.get(), "泊まる");
    EXPECT_EQ(Cell(1, 0), "スッポンの間(半日)");
    EXPECT_EQ(Cell(4, 2), "ゆったりと一日泊まって全回復！【体力の実】のお土産付");
    EXPECT_EQ(Bar(), "宿屋：休んでいかれますか？");
}

TEST_F(HotelTest, AStayRestoresHerPassesTheTimeAndTakesTheMoneyAfterwards) {
    g().MyGold = 200;
    g().MyNowHp = 1;
    g().MyNowBody = 2;
    g().MyNowWater = 3;
    g().NowTime = 80;
    const Long day = g().NowDay;
    Enter("bHotel");
    Order(2);
    EXPECT_EQ(Bar(), "宿屋：スッポンの間(一日)ですね。200カリムになります。いかが致しますか？");
    Click();
    EXPECT_EQ(Bar(), "[泊まる(Y)] [止めておく(N/G)]");
    Key(vbKeyY);
    EXPECT_EQ(Bar(), "おはようございます。お土産は袋に入れておきました。またのご利用をお待ちしております");
    EXPECT_EQ(g().MyNowHp, g().MyMaxHp);
    EXPECT_EQ(g().MyNowBody, g().MyMaxBody);
    EXPECT_EQ(g().MyNowWater, g().MyMaxWater);
    EXPECT_EQ(g().NowTime, 80);
    EXPECT_EQ(g().NowDay, day + 1);
    EXPECT_EQ(Carried(DriedMeat), 1);
    EXPECT_EQ(g().MyGold, 0);
    EXPECT_TRUE(W().cmdBuy.Enabled);
    EXPECT_EQ(g().StoryNo, StoryEndNo);

    // Half a day, no souvenir.
    g().MyGold = 100;
    Deal(1, "1", vbKeyY);
    EXPECT_EQ(Bar(), "おはようございます。またのご利用をお待ちしております");
    EXPECT_EQ(g().NowTime, 30);
    EXPECT_EQ(g().NowDay, day + 2);
    EXPECT_EQ(g().MyGold, 0);
}

TEST_F(HotelTest, ANineFoldKindLeavesNoSouvenirButTheStayCostsTheSame) {
    g().MyGold = 1000;
    SetSack({{DriedMeat, 9}});
    Enter("bHotel");
    Order(2);
    EXPECT_EQ(Bar(), "宿屋：スッポンの間(一日)ですね。200カリムになります。お荷物が一杯なようなので、お土産が付きませんが宜しいですか？");
    Click();
    Key(vbKeyY);
    EXPECT_EQ(Bar(), "おはようございます。またのご利用をお待ちしております");
    EXPECT_EQ(Carried(DriedMeat), 9);
    EXPECT_EQ(g().MyGold, 800);
}

TEST_F(HotelTest, ASouvenirThatNoLongerFitsInTheMorningIsNotPromised) {
    for (Long morning : {8, 9}) {
        g().MyGold = 200;
        SetSack({{DriedMeat, 8}});
        Enter("bHotel");
        Order(2);
        EXPECT_EQ(Bar(), "宿屋：スッポンの間(一日)ですね。200カリムになります。いかが致しますか？");
        Click();
        SetSack({{DriedMeat, morning}});
        Key(vbKeyY);
        EXPECT_EQ(Bar(), morning == 8 ? "おはようございます。お土産は袋に入れておきました。またのご利用をお待ちしております"
                                      : "おはようございます。またのご利用をお待ちしております");
        EXPECT_EQ(Carried(DriedMeat), 9);
        EXPECT_EQ(g().MyGold, 0);
        Leave();
    }
}

TEST_F(HotelTest, AFullSackStillTakesOneMoreOfAKindItCarries) {
    g().MyGold = 10000;
    g().NowMaxSack = 2;
    SetSack({{DriedMeat, 1}, {Flower, 4}});
    Enter("bHotel");
    Deal(3, "1", vbKeyY);
    EXPECT_EQ(Carried(Flower), 5);
    EXPECT_EQ(g().MyGold, 0);
}

TEST_F(HotelTest, RefusingTheStayChangesNothing) {
    g().MyGold = 1000;
    g().MyNowHp = 1;
    const Long time = g().NowTime;
    Enter("bHotel");
    Deal(1, "1", vbKeyN);
    EXPECT_EQ(Bar(), "宿屋：休んでいかれますか？");
    EXPECT_EQ(g().MyNowHp, 1);
    EXPECT_EQ(g().NowTime, time);
    EXPECT_EQ(g().MyGold, 1000);
}

}  // namespace
}  // namespace q
