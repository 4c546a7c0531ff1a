// The rules every row of the arms catalogue keeps, checked on the table as
// the fillers build it, so that no edit of the rows can break them unseen.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "DataFixture.h"

namespace q::test {
namespace {

struct AreaRows {
    Long area;
    int first;
    int last;
};

// Where each area's rows lie; the areas follow each other in order.
const AreaRows kAreas[] = {{0, 0, 53},    {1, 54, 90},   {2, 91, 149},  {3, 150, 200}, {4, 201, 255},
                           {5, 256, 289}, {6, 290, 332}, {7, 333, 408}, {8, 409, 461}, {9, 462, 499}};

struct RarityRows {
    Long area;
    std::pair<int, int> common, now_and_then, very_rare;
};

// Within each area found lying, rarity 0 first, then 1, then 2.
const RarityRows kRarities[] = {
    {0, {0, 31}, {32, 48}, {49, 53}},       {1, {54, 75}, {76, 87}, {88, 90}},
    {2, {91, 124}, {125, 142}, {143, 149}}, {3, {150, 179}, {180, 195}, {196, 200}},
    {4, {201, 232}, {233, 249}, {250, 255}}, {5, {256, 275}, {276, 285}, {286, 289}},
    {6, {290, 313}, {314, 326}, {327, 332}}, {7, {333, 376}, {377, 399}, {400, 408}},
};

// The lowest and the highest base price of each area and rarity.
struct PriceBand {
    Long area;
    Long rarity;
    Long low;
    Long high;
};

const PriceBand kPriceBands[] = {
    {0, 0, 15, 270},     {0, 1, 1020, 1680}, {0, 2, 2055, 2565}, {1, 0, 105, 375},   {1, 1, 1365, 2985},
    {1, 2, 2535, 2670},  {2, 0, 120, 840},   {2, 1, 1635, 3030}, {2, 2, 2715, 4350}, {3, 0, 240, 900},
    {3, 1, 1725, 3210},  {3, 2, 3810, 4635}, {4, 0, 300, 1200},  {4, 1, 2160, 3870}, {4, 2, 4695, 6330},
    {5, 0, 570, 1845},   {5, 1, 2310, 6660}, {5, 2, 5775, 6915}, {6, 0, 480, 2115},  {6, 1, 2130, 4440},
    {6, 2, 5805, 9000},  {7, 0, 345, 2730},  {7, 1, 2115, 7500}, {7, 2, 5490, 9195}, {8, 0, 45, 4320},
    {8, 1, 460, 12000},  {8, 2, 460, 5690},
};

const std::set<int> kNoahRows = {460, 480, 481, 482, 483, 484};
const std::set<int> kZodiacRows = {411, 412, 418, 419, 422, 423, 429, 436, 437, 439, 440, 446};

class ArmTable : public FilledTables {
protected:
    const ArmRecord& arm(int i) { return g().AllArms[i]; }
};

TEST_F(ArmTable, RowsAreNumberedNamedAndDescribed) {
    std::set<std::string> names;
    std::map<std::string, int> notes;
    for (int i = 0; i < ArmCount; ++i) {
        EXPECT_EQ(arm(i).No, i);
        EXPECT_TRUE(names.insert(arm(i).Name).second) << "name used twice: " << arm(i).Name;
        EXPECT_GE(CharCount(arm(i).Name), 2) << i;
        EXPECT_LE(CharCount(arm(i).Name), 10) << i;
        EXPECT_GE(CharCount(arm(i).Note), 3) << i;
        EXPECT_LE(CharCount(arm(i).Note), 25) << i << " " << arm(i).Note;
        ++notes[arm(i).Note];
    }
    // Two pairs of arms share a note; every other note is the arm's own.
    std::vector<std::string> shared;
    for (const auto& [note, uses] : notes) {
        EXPECT_LE(uses, 2) << note;
        if (uses == 2) shared.push_back(note);
    }
    EXPECT_EQ(shared.size(), 2u);
}

TEST_F(ArmTable, AreasAndRaritiesLieInTheirRanges) {
    for (const auto& a : kAreas)
        for (int i = a.first; i <= a.last; ++i) EXPECT_EQ(arm(i).Area, a.area) << "arm " << i;
    for (const auto& r : kRarities) {
        for (int i = r.common.first; i <= r.common.second; ++i) EXPECT_EQ(arm(i).Rarity, 0) << "arm " << i;
        for (int i = r.now_and_then.first; i <= r.now_and_then.second; ++i) EXPECT_EQ(arm(i).Rarity, 1) << "arm " << i;
        for (int i = r.very_rare.first; i <= r.very_rare.second; ++i) EXPECT_EQ(arm(i).Rarity, 2) << "arm " << i;
    }
    const std::set<int> rarity2 = {410, 415, 425, 432, 433, 435, 443, 450, 452, 453, 461};
    const std::set<int> rarity0 = {409, 414, 416, 417, 420, 424, 426, 427, 430,
                                   431, 438, 441, 442, 444, 447, 449, 454, 456};
    for (int i = 409; i <= 461; ++i) {
        const Long want = i == 460 ? 3 : rarity0.count(i) ? 0 : rarity2.count(i) ? 2 : 1;
        EXPECT_EQ(arm(i).Rarity, want) << "arm " << i;
    }
    for (int i = 462; i < ArmCount; ++i) EXPECT_EQ(arm(i).Rarity, 10) << "arm " << i;

    std::map<Long, int> count;
    for (const auto& a : g().AllArms) ++count[a.Rarity];
    EXPECT_EQ(count, (std::map<Long, int>{{0, 256}, {1, 149}, {2, 56}, {3, 1}, {10, 38}}));
}

TEST_F(ArmTable, SpecialArmsAreExactlyTheTen) {
    std::set<int> special;
    for (int i = 0; i < ArmCount; ++i)
        if (arm(i).Special) special.insert(i);
    EXPECT_EQ(special, (std::set<int>{459, 460, 461, 472, 473, 474, 475, 476, 477, 478}));
}

TEST_F(ArmTable, PricesKeepTheBandOfTheirAreaAndRarity) {
    std::map<std::pair<Long, Long>, std::pair<Long, Long>> seen;  // lowest, highest
    for (int i = 0; i < ArmCount; ++i) {
        const ArmRecord& a = arm(i);
        EXPECT_EQ(a.BasePrice % 5, 0) << "arm " << i;
        if (kNoahRows.count(i)) {
            EXPECT_EQ(a.BasePrice, 0) << "arm " << i;
            continue;
        }
        EXPECT_GE(a.BasePrice, 15) << "arm " << i;
        EXPECT_LE(a.BasePrice, 2400000) << "arm " << i;
        auto [it, fresh] = seen.try_emplace({a.Area, a.Rarity}, a.BasePrice, a.BasePrice);
        it->second.first = std::min(it->second.first, a.BasePrice);
        it->second.second = std::max(it->second.second, a.BasePrice);
    }
    for (const auto& b : kPriceBands) {
        const auto& s = seen.at({b.area, b.rarity});
        EXPECT_EQ(s.first, b.low) << "area " << b.area << " rarity " << b.rarity;
        EXPECT_EQ(s.second, b.high) << "area " << b.area << " rarity " << b.rarity;
    }
    // The event arms: 380 the cheapest sold, 20,100 the dearest but one.
    EXPECT_EQ(seen.at({9, 10}), std::make_pair(Long(380), Long(2400000)));
    std::vector<Long> events;
    for (int i = 462; i < ArmCount; ++i) events.push_back(arm(i).BasePrice);
    std::sort(events.rbegin(), events.rend());
    EXPECT_EQ(events[1], 20100);
}

TEST_F(ArmTable, TheZodiacArmsAreTheDearestOfTheMonstersArms) {
    for (int i = 409; i <= 461; ++i) {
        const bool zodiac = arm(i).Note.rfind("黄道１２宮の", 0) == 0;
        EXPECT_EQ(zodiac, kZodiacRows.count(i) == 1) << "arm " << i;
        if (zodiac) {
            EXPECT_EQ(arm(i).BasePrice, 12000) << "arm " << i;
            EXPECT_EQ(arm(i).Rarity, 1) << "arm " << i;
        } else {
            EXPECT_LT(arm(i).BasePrice, 12000) << "arm " << i;
        }
    }
}

TEST_F(ArmTable, SpotChecks) {
    EXPECT_EQ(arm(499).Name, "黄道の剣");
    EXPECT_EQ(arm(499).BasePrice, 2400000);
    // Raised by half, the dearest price still fits the save file's seven digits.
    EXPECT_LE(arm(499).BasePrice * 3 / 2, 9999999);
    for (int i : kNoahRows) EXPECT_EQ(arm(i).BasePrice, 0) << i;
    EXPECT_EQ(arm(460).Name, "ノアの兜");
    EXPECT_EQ(arm(484).Note, "封魔大戦の覇者、勇者ノアが愛用した鎧");
    EXPECT_EQ(arm(0).Name, "わらじ");
    EXPECT_EQ(arm(0).BasePrice, 15);
    EXPECT_EQ(arm(429).Name, "宝瓶（ホウヘイ）の刀");
    EXPECT_EQ(arm(437).Name, "麿羯(マカツ)の扇");
    EXPECT_EQ(arm(426).Name, "マジジャンマント");
    EXPECT_EQ(arm(464).Note, "何ことにもルーズになってしまう呪われた装備品");
    EXPECT_EQ(arm(470).BasePrice, 380);
}

}  // namespace
}  // namespace q::test
