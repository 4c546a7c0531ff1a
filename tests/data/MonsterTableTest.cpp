// The rules of the monster table and its jewels, checked on the tables as
// the fillers build them: ranges per place, the counts of each code, the
// arms the monsters carry, the encounter bands and the climb in strength.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "DataFixture.h"

namespace q::test {
namespace {

struct PlaceBand {
    Long place;
    int first, last;
    Long hpLow, hpHigh, expLow, expHigh, goldLow, goldHigh;
};

// Each place is one unbroken run of monsters, in place order.
const PlaceBand kPlaces[] = {
    {0, 0, 13, 10, 52, 3, 37, 8, 167},
    {1, 14, 20, 46, 240, 53, 125, 192, 600},
    {2, 21, 34, 147, 498, 141, 342, 240, 935},
    {3, 35, 41, 391, 1164, 353, 1520, 778, 1088},
    {4, 42, 55, 316, 1531, 451, 784, 1172, 1615},
    {5, 56, 62, 490, 1200, 877, 1013, 1620, 1925},
    {6, 63, 69, 412, 999, 1045, 1174, 1676, 2174},
    {7, 70, 88, 444, 2321, 1189, 5678, 1, 2200},
    {8, 89, 99, 719, 8888, 460, 13780, 3016, 444444},
};

// Monsters that carry an arm, in monster order; they carry arms 409.. in order.
const std::vector<int> kCarriers = {1,  3,  5,  6,  7,  11, 12, 16, 17, 18, 19, 22, 24, 26, 27, 30, 31, 32,
                                    33, 35, 36, 37, 41, 42, 43, 44, 45, 46, 48, 55, 57, 58, 59, 60, 61, 64,
                                    65, 66, 69, 72, 73, 74, 77, 78, 79, 81, 82, 83, 84, 86, 93, 96, 99};
const std::set<int> kZodiac = {5, 6, 18, 19, 26, 27, 36, 46, 48, 57, 58, 66};

using Band = std::pair<int, int>;

// The runs of monsters that a walk can meet, position by position, on each
// road and dungeon, in the order the story opens them.
std::vector<std::vector<Band>> EncounterBands() {
    auto longRoad = [](int lo, int hi) {
        return std::vector<Band>{{lo, lo + 3}, {lo + 2, lo + 6}, {lo + 5, lo + 8}, {lo + 7, lo + 11}, {lo + 10, hi}};
    };
    auto shortRoad = [](int lo, int hi) { return std::vector<Band>{{lo, lo + 2}, {lo + 2, lo + 4}, {lo + 4, hi}}; };
    std::vector<Band> deepCave;
    for (int k = 0; k < 6; ++k) deepCave.push_back({70 + 2 * k, 73 + 2 * k});
    deepCave.push_back({82, 88});
    return {longRoad(0, 13),  shortRoad(14, 20), longRoad(21, 34),  {{35, 37}},   longRoad(42, 55),
            {{38, 41}},       shortRoad(56, 62), shortRoad(63, 69), deepCave};
}

class MonsterTable : public FilledTables {
protected:
    const MonsterRecord& mon(int i) { return g().AllMonster[i]; }

    std::map<Long, int> Count(Long MonsterRecord::*field) {
        std::map<Long, int> n;
        for (const auto& m : g().AllMonster) ++n[m.*field];
        return n;
    }
    double Mean(Band b, Long MonsterRecord::*field) {
        double sum = 0;
        for (int i = b.first; i <= b.second; ++i) sum += mon(i).*field;
        return sum / (b.second - b.first + 1);
    }
};

TEST_F(MonsterTable, RowsAndPictures) {
    std::set<Long> pictures;
    for (int i = 0; i < MonsterCount; ++i) {
        EXPECT_EQ(mon(i).No, i);
        const Long p = mon(i).Picture;
        EXPECT_TRUE(p % 2 == 1 && p >= 191 && p <= 391 && p != 251) << "monster " << i << " picture " << p;
        EXPECT_TRUE(pictures.insert(p).second) << "picture used twice: " << p;
        EXPECT_FALSE(mon(i).Name.empty()) << i;
        EXPECT_FALSE(mon(i).Note.empty()) << i;
    }
    const std::vector<Long> bosses = {223, 359, 303, 361, 375, 357, 321, 297, 263, 193, 295};
    for (int i = 89; i <= 99; ++i) EXPECT_EQ(mon(i).Picture, bosses[i - 89]) << i;
    EXPECT_EQ(mon(25).Name, "ウマック");
}

TEST_F(MonsterTable, EachPlaceKeepsItsRangesWithTheirExtremes) {
    for (const auto& p : kPlaces) {
        Long hp[2] = {999999, 0}, exp[2] = {999999, 0}, gold[2] = {999999, 0};
        for (int i = p.first; i <= p.last; ++i) {
            EXPECT_EQ(mon(i).Place, p.place) << "monster " << i;
            hp[0] = std::min(hp[0], mon(i).Hp), hp[1] = std::max(hp[1], mon(i).Hp);
            exp[0] = std::min(exp[0], mon(i).Exp), exp[1] = std::max(exp[1], mon(i).Exp);
            gold[0] = std::min(gold[0], mon(i).Gold), gold[1] = std::max(gold[1], mon(i).Gold);
        }
        EXPECT_EQ(hp[0], p.hpLow) << "place " << p.place;
        EXPECT_EQ(hp[1], p.hpHigh) << "place " << p.place;
        EXPECT_EQ(exp[0], p.expLow) << "place " << p.place;
        EXPECT_EQ(exp[1], p.expHigh) << "place " << p.place;
        EXPECT_EQ(gold[0], p.goldLow) << "place " << p.place;
        EXPECT_EQ(gold[1], p.goldHigh) << "place " << p.place;
    }
    struct Global {
        Long MonsterRecord::*field;
        Long low, high;
        const char* name;
    };
    for (const Global& f : {Global{&MonsterRecord::Hp, 10, 8888, "Hp"}, Global{&MonsterRecord::At, 6, 588, "At"},
                            Global{&MonsterRecord::Di, 0, 270, "Di"}, Global{&MonsterRecord::Sp, 3, 999, "Sp"},
                            Global{&MonsterRecord::Exp, 3, 13780, "Exp"},
                            Global{&MonsterRecord::Gold, 1, 444444, "Gold"}}) {
        const auto n = Count(f.field);
        EXPECT_EQ(n.begin()->first, f.low) << f.name;
        EXPECT_EQ(n.rbegin()->first, f.high) << f.name;
    }
    EXPECT_EQ(mon(99).Gold, 444444);
    EXPECT_EQ(mon(99).Exp, 13780);
    EXPECT_EQ(mon(86).Gold, 1);
}

TEST_F(MonsterTable, SpecialAttacksPairNameKindAndRate) {
    for (const auto& m : g().AllMonster) {
        EXPECT_EQ(m.SpecialName == "なし", m.SpecialKind == 0) << "monster " << m.No;
        if (m.SpecialKind == 0) {
            EXPECT_EQ(m.SpecialRate, 0) << "monster " << m.No;
        }
    }
    EXPECT_EQ(Count(&MonsterRecord::SpecialKind),
              (std::map<Long, int>{{0, 37}, {1, 7}, {2, 7}, {3, 2}, {4, 3}, {5, 3}, {6, 6}, {7, 1}, {8, 3},
                                   {9, 4}, {10, 3}, {11, 15}, {12, 9}}));
    EXPECT_EQ(Count(&MonsterRecord::SpecialRate), (std::map<Long, int>{{0, 57}, {1, 14}, {2, 29}}));
    // The same name can stand for different attacks; the trolls heal.
    EXPECT_EQ(mon(38).SpecialName, "眩しい光");
    EXPECT_EQ(mon(38).SpecialKind, 4);
    EXPECT_EQ(mon(67).SpecialName, "眩しい光");
    EXPECT_EQ(mon(67).SpecialKind, 2);
    EXPECT_EQ(mon(90).SpecialKind, 12);
    EXPECT_EQ(mon(92).SpecialKind, 12);
}

TEST_F(MonsterTable, WhenAndHowOftenTheyAreMet) {
    EXPECT_EQ(Count(&MonsterRecord::DayNight), (std::map<Long, int>{{0, 74}, {1, 15}, {2, 11}}));
    EXPECT_EQ(Count(&MonsterRecord::Rate), (std::map<Long, int>{{0, 65}, {1, 22}, {2, 13}}));
    EXPECT_EQ(Count(&MonsterRecord::JewelRank), (std::map<Long, int>{{0, 54}, {1, 30}, {2, 16}}));
    for (int i = 89; i <= 99; ++i) {
        EXPECT_EQ(mon(i).DayNight, 0) << i;
        EXPECT_EQ(mon(i).Rate, 0) << i;
    }
    std::set<int> rare;
    for (const auto& m : g().AllMonster)
        if (m.Rate == 2) rare.insert(m.No);
    std::set<int> wantRare = kZodiac;
    wantRare.insert(83);
    EXPECT_EQ(rare, wantRare);
    for (int i = 0; i < MonsterCount; ++i)
        EXPECT_EQ(mon(i).Note.rfind("黄道１２宮", 0) == 0, kZodiac.count(i) == 1) << "monster " << i;
}

TEST_F(MonsterTable, EveryEncounterBandHasMonstersForBothHalvesOfTheDay) {
    for (const auto& road : EncounterBands())
        for (const Band& b : road) {
            int morning = 0, afternoon = 0;
            for (int i = b.first; i <= b.second; ++i) {
                morning += mon(i).DayNight != 2;
                afternoon += mon(i).DayNight != 1;
            }
            EXPECT_GE(morning, 2) << "band " << b.first << "-" << b.second;
            EXPECT_GE(afternoon, 2) << "band " << b.first << "-" << b.second;
        }
}

TEST_F(MonsterTable, EveryStageOpensJewelsOfBothRareRanks) {
    // The jewel seller draws until it finds a rare jewel among the monsters met so far.
    for (int last : {13, 20, 34, 41, 55, 62, 69, 88, 99}) {
        std::set<Long> ranks;
        for (int i = 0; i <= last; ++i) ranks.insert(mon(i).JewelRank);
        EXPECT_TRUE(ranks.count(1) && ranks.count(2)) << "monsters 0-" << last;
    }
}

TEST_F(MonsterTable, ItemDrops) {
    EXPECT_EQ(Count(&MonsterRecord::ItemRate), (std::map<Long, int>{{0, 37}, {1, 34}, {2, 27}, {3, 2}}));
    for (const auto& m : g().AllMonster) {
        EXPECT_GE(m.ItemNo, 0) << "monster " << m.No;
        EXPECT_LT(m.ItemNo, ItemCount) << "monster " << m.No;
        EXPECT_EQ(m.ItemRate == 3, m.No == 97 || m.No == 98) << "monster " << m.No;
    }
    EXPECT_EQ(mon(97).ItemNo, 27);
    EXPECT_EQ(mon(98).ItemNo, 15);
}

TEST_F(MonsterTable, TheCarriersHoldTheMonstersArmsInOrder) {
    std::vector<Long> carried;
    std::vector<int> carriers;
    for (const auto& m : g().AllMonster) {
        if (m.ArmNo == NoArmDrop) {
            EXPECT_EQ(m.ArmRate, 0) << "monster " << m.No;
            continue;
        }
        carriers.push_back(m.No);
        carried.push_back(m.ArmNo);
        ASSERT_GE(m.ArmNo, 409);
        ASSERT_LE(m.ArmNo, 461);
        EXPECT_EQ(m.ArmRate, g().AllArms[m.ArmNo].Rarity) << "monster " << m.No;
        EXPECT_EQ(g().AllArms[m.ArmNo].Area, 8) << "monster " << m.No;
    }
    EXPECT_EQ(carriers, kCarriers);
    std::vector<Long> run;
    for (Long a = 409; a <= 461; ++a) run.push_back(a);
    EXPECT_EQ(carried, run);
    EXPECT_EQ(Count(&MonsterRecord::ArmRate), (std::map<Long, int>{{0, 65}, {1, 23}, {2, 11}, {3, 1}}));
    EXPECT_EQ(mon(96).ArmNo, 460);
    // The zodiac monsters carry the twelve arms the smith's last recipe uses up.
    for (int z : kZodiac) EXPECT_EQ(g().AllArms[mon(z).ArmNo].BasePrice, 12000) << "monster " << z;
}

TEST_F(MonsterTable, MonstersGrowStrongerAlongEveryRoadAndStage) {
    const auto stages = EncounterBands();
    for (auto field : {&MonsterRecord::At, &MonsterRecord::Exp}) {
        const char* name = field == &MonsterRecord::At ? "attack" : "experience";
        for (const auto& road : stages)
            for (size_t k = 1; k < road.size(); ++k)
                EXPECT_GT(Mean(road[k], field), Mean(road[k - 1], field))
                    << name << " of band " << road[k].first << "-" << road[k].second;
        for (size_t s = 1; s < stages.size(); ++s)
            EXPECT_GT(Mean(stages[s][0], field), Mean(stages[s - 1][0], field))
                << name << " of the stage opening with band " << stages[s][0].first << "-" << stages[s][0].second;
    }
    // The bosses in the order the story meets them: each one stronger, richer
    // and worth more than the one before.
    const std::vector<int> bosses = {89, 90, 94, 91, 92, 95, 93, 96, 97, 98, 99};
    for (size_t k = 1; k < bosses.size(); ++k) {
        const MonsterRecord& a = mon(bosses[k - 1]);
        const MonsterRecord& b = mon(bosses[k]);
        EXPECT_GT(b.Hp, a.Hp) << b.Name;
        EXPECT_GT(b.At, a.At) << b.Name;
        EXPECT_GT(b.Exp, a.Exp) << b.Name;
        EXPECT_GT(b.Gold, a.Gold) << b.Name;
    }
}

TEST_F(MonsterTable, EachJewelBearsItsMonstersName) {
    for (int i = 0; i < MonsterCount; ++i) {
        const JewelRecord& j = g().AllGyoku[i];
        EXPECT_EQ(j.No, i);
        EXPECT_EQ(j.Name, mon(i).Name + "の玉");
        EXPECT_EQ(j.Note, "モンスター玉");
    }
    EXPECT_EQ(g().AllGyoku[0].Name, "マウスパープルの玉");
    EXPECT_EQ(g().AllGyoku[91].Name, "ミイラ男？の玉");
    EXPECT_EQ(g().AllGyoku[99].Name, "魔族ジークの玉");
}

}  // namespace
}  // namespace q::test
