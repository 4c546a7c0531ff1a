// The items of the sack and the valuables: kinds, amounts, where they are
// used, prices, and the groups of valuables.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "DataFixture.h"

namespace q::test {
namespace {

class ItemTable : public FilledTables {
protected:
    const ItemRecord& item(int i) { return g().AllItem[i]; }

    template <class F>
    std::set<int> Rows(F pick) {
        std::set<int> rows;
        for (const auto& it : g().AllItem)
            if (pick(it)) rows.insert(it.No);
        return rows;
    }
};

TEST_F(ItemTable, RowsAreNumberedNamedAndDescribed) {
    std::set<std::string> names;
    for (int i = 0; i < ItemCount; ++i) {
        EXPECT_EQ(item(i).No, i);
        EXPECT_TRUE(names.insert(item(i).Name).second) << item(i).Name;
        EXPECT_GE(CharCount(item(i).Name), 2) << i;
        EXPECT_LE(CharCount(item(i).Name), 7) << i;
        EXPECT_GE(CharCount(item(i).Note), 5) << i;
        EXPECT_LE(CharCount(item(i).Note), 29) << i;
        EXPECT_GE(item(i).Price, 0) << i;
        EXPECT_LE(item(i).Price, 100000) << i;
    }
    EXPECT_EQ(item(37).Name, "時のニ針");  // a katakana ni, as the game has always spelt it
}

TEST_F(ItemTable, EachKindBelongsToItsRows) {
    const std::map<Long, std::set<int>> kinds = {
        {0, {0, 1, 2}},   {1, {12, 13, 14}}, {2, {9, 10, 11, 28}}, {3, {17}},  {4, {18}},      {5, {19}},
        {6, {20}},        {7, {16}},         {8, {15}},            {9, {23, 24, 25}}, {10, {3}}, {11, {4}},
        {12, {5}},        {13, {6}},         {14, {7}},            {15, {29}}, {16, {30}},     {17, {31}},
        {18, {32}},       {19, {33}},        {20, {34}},           {21, {21}}, {23, {37}},     {24, {38}},
        {25, {22}},       {27, {39}},        {28, {40}},           {29, {42}}, {50, {8, 35, 36}}, {51, {26, 27, 41}},
    };
    for (const auto& [kind, rows] : kinds)
        EXPECT_EQ(Rows([k = kind](const ItemRecord& it) { return it.Kind == k; }), rows) << "kind " << kind;
}

TEST_F(ItemTable, AmountsFollowTheKind) {
    for (const auto& it : g().AllItem) {
        const std::vector<Long> amounts = {it.Hp, it.At, it.Di, it.Sp, it.Body, it.Water};
        const bool carries = it.Kind <= 9 || it.Kind == 21 || it.Kind == 29;
        if (!carries) {
            for (Long a : amounts) EXPECT_EQ(a, 0) << it.Name;
        }
        for (Long a : {it.Hp, it.Body, it.Water}) {
            EXPECT_GE(a, -10) << it.Name;
            EXPECT_LE(a, 9999) << it.Name;
        }
        for (Long a : {it.At, it.Di, it.Sp}) EXPECT_TRUE(a == 0 || a == 1) << it.Name;
    }
    EXPECT_EQ(std::vector<Long>({item(42).Hp, item(42).Body, item(42).Water}), std::vector<Long>({9999, 9999, 9999}));
    EXPECT_EQ(item(10).Water, 9999);
    EXPECT_EQ(item(13).Body, 9999);
    EXPECT_EQ(std::vector<Long>({item(11).Hp, item(14).Hp, item(28).Hp}), std::vector<Long>({-10, -10, 20}));
    // The branch of life revives by a rule of its own, not by its amounts.
    EXPECT_EQ(std::vector<Long>({item(8).Hp, item(8).Body, item(8).Water}), std::vector<Long>({0, 0, 0}));
}

TEST_F(ItemTable, WhereEachItemIsUsed) {
    const std::map<Long, std::set<int>> scenes = {
        {0, {0, 1, 2, 42}},
        {1, {9, 10, 12, 13, 15, 16, 17, 18, 19, 20, 21, 22, 37, 38}},
        {2, {23, 24, 25, 34}},
        {3, {39}},
        {4, {29, 30}},
        {5, {11, 14, 28, 31, 32, 33, 40}},
        {6, {3, 4, 5, 6, 7}},
        {30, {8, 26, 27, 35, 36, 41}},
    };
    for (const auto& [scene, rows] : scenes)
        EXPECT_EQ(Rows([s = scene](const ItemRecord& it) { return it.UseScene == s; }), rows) << "scene " << scene;
    EXPECT_EQ(Rows([](const ItemRecord& it) { return it.Kind >= 50; }),
              Rows([](const ItemRecord& it) { return it.UseScene == 30; }));
}

TEST_F(ItemTable, OnlyTheseItemsAreFree) {
    EXPECT_EQ(Rows([](const ItemRecord& it) { return it.Price == 0; }),
              (std::set<int>{15, 16, 17, 18, 19, 20, 21, 22, 26, 27, 28, 41}));
    EXPECT_EQ(item(11).Price, 50);
    EXPECT_EQ(item(14).Price, 100);
    EXPECT_EQ(item(8).Price, 100000);
}

class Valuables : public FilledTables {};

TEST_F(Valuables, GroupsAndNotes) {
    for (int i = 0; i < KeyItemCount; ++i) EXPECT_EQ(g().AllKey[i].No, i);
    const char* noah[] = {"ノアの兜", "ノアの靴", "ノアの盾", "ノアの剣", "ノアのマント", "ノアの鎧"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(g().AllKey[i].Name, noah[i]);
        // Each Noah valuable has its catalogue row among the Noah arms.
        EXPECT_EQ(g().AllArms[i == 0 ? 460 : 479 + i].Name, noah[i]);
    }
    // The valuables that act while owned say so.
    const std::set<int> automatic = {14, 16, 17, 18, 19, 27, 28};
    const std::string mark = "(自動発動)";
    for (const auto& k : g().AllKey) {
        const bool marked = k.Note.size() >= mark.size() && k.Note.compare(k.Note.size() - mark.size(), mark.size(), mark) == 0;
        EXPECT_EQ(marked, automatic.count(k.No) == 1) << k.Name;
    }
    EXPECT_EQ(g().AllKey[18].Note, g().AllKey[28].Note);
    EXPECT_NE(g().AllKey[18].Name, g().AllKey[28].Name);
    EXPECT_EQ(g().AllKey[20].Note, "敵が出なくなる(ダブルクリックで発動・解除)");
    for (int i = 22; i <= 26; ++i) EXPECT_EQ(g().AllKey[i].Note, "武器の作り方について書かれた紙");
    EXPECT_EQ(g().AllKey[22].Name, "武器レシピ１");
}

class JewelFill : public GameTest {};

TEST_F(JewelFill, NamesDoNotDependOnTheMonsterTable) {
    InitJewelTable(g());
    EXPECT_TRUE(g().AllMonster[91].Name.empty());
    EXPECT_EQ(g().AllGyoku[91].Name, "ミイラ男？の玉");
}

}  // namespace
}  // namespace q::test
