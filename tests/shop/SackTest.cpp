#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "CaseName.h"
#include "ShopFixture.h"
#include "core/Inventory.h"
#include "core/StoryInput.h"
#include "field/ItemEffects.h"
#include "shop/frmSack.h"

namespace q::test {
namespace {

constexpr const char* AskUse = "本当に使いますか？ [使う(Y)] [やめる(N/G)]";
constexpr const char* AskDump = "本当に捨てますか？ [捨てる(Y)] [やめる(N/G)]";
constexpr const char* Dumped = "選択された道具を捨てました";
constexpr const char* Idle = "イザベラ：さて、何をしようかしら";

// Items of the table by the use place they carry.
constexpr Long Seed = 0;        // 0 anywhere
constexpr Long Antidote = 3;    // 6 an ailment in the field
constexpr Long Panacea = 7;     // 6
constexpr Long WellWater = 9;   // 1 not in battle
constexpr Long DriedMeat = 12;  // 1
constexpr Long FireBottle = 23; // 2 only in battle
constexpr Long Wood = 26;       // 30 never
constexpr Long Horn = 29;       // 4 on a road
constexpr Long Charm = 31;      // 5 on the way
constexpr Long Wing = 39;       // 3 in a dungeon
constexpr Long Umack = 25;      // a jewel: "ウマックの玉"

struct Entry {
    Long no, num;
    bool jewel = false;
    friend bool operator==(const Entry&, const Entry&) = default;
    friend std::ostream& operator<<(std::ostream& o, const Entry& e) {
        return o << (e.jewel ? "jewel " : "item ") << e.no << " x" << e.num;
    }
};

class SackTest : public ListWindowTest {
protected:
    SackTest() {
        InitItemTable(g());
        InitJewelTable(g());
        g().LastMessage = Idle;
        // The item effects and the battle's and the cart's turns are the
        // field's: here they only record that they were
        // called, and the effect leaves the line the sack starts it with.
        g().SetHandler("ApplyItemEffect", [this](Long item) { effectItems.push_back(item); });
        for (const char* name : {"BattleItemTurn", "frmField.AssistSelect"})
            g().SetHandler(name, [this, name](Long) { called.push_back(name); });
    }
    frmSack& Sack() { return g().frmSack.get(); }
    void SetSack(std::initializer_list<Entry> entries) {
        g().MySack.fill(SackEntry{});
        g().HaveSack = 0;
        for (const Entry& e : entries) g().MySack[size_t(g().HaveSack++)] = {e.no, e.num, e.jewel};
    }
    std::vector<Entry> Contents() const {
        std::vector<Entry> out;
        for (Long i = 0; i < game->HaveSack; ++i)
            out.push_back({game->MySack[size_t(i)].HHaveSackNo, game->MySack[size_t(i)].HHaveSackNum,
                           game->MySack[size_t(i)].HHaveGyoku});
        return out;
    }
    void Pick(const std::vector<int>& rows) {
        Sack().lstList.UnselectAll();
        for (int r : rows) Sack().lstList.SetSelected(r, true);
        if (!rows.empty()) Sack().lstList_ItemClick();
    }
    int Calls(const std::string& name) const { return int(std::count(called.begin(), called.end(), name)); }
    // An item effect that answers as given, and remembers what it was asked.
    void FakeEffect(Long result, std::string line) {
        g().SetHandler("ApplyItemEffect", [this, result, line](Long item) {
            effectItems.push_back(item);
            g().EffectResult = result;
            g().EffectMessage = line;
        });
    }
    std::vector<Long> effectItems;
    std::vector<std::string> called;
};

TEST_F(SackTest, RowsShowItemsAndJewelsWithWhereTheyAreUsed) {
    SetSack({{Seed, 3}, {Umack, 1, true}, {Wood, 2}, {Wing, 1}});
    OpenTab(7);
    EXPECT_EQ(g().ListName, "frmSack");
    ListView& list = Sack().lstList;
    ASSERT_EQ(list.ColumnHeaders().size(), 4u);
    const std::pair<const char*, int> columns[] = {{"名前", 1800}, {"個数", 600}, {"説明", 4200}, {"使用場所", 2000}};
    for (size_t c = 0; c < 4; ++c) {
        EXPECT_EQ(list.ColumnHeaders()[c].Text, columns[c].first);
        EXPECT_EQ(list.ColumnHeaders()[c].Width, columns[c].second);
    }
    EXPECT_TRUE(list.MultiSelect);
    EXPECT_FALSE(list.HideSelection);
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Item(1).Text, "体力の種");
    EXPECT_EQ(list.Item(1).SubItem(1), "3");
    EXPECT_EQ(list.Item(1).SubItem(2), "体力回復小。体力+300前後");
    EXPECT_EQ(list.Item(1).SubItem(3), "いつでも");
    EXPECT_EQ(list.Item(1).Tag, "0");
    EXPECT_EQ(list.Item(2).Text, "ウマックの玉");
    EXPECT_EQ(list.Item(2).SubItem(2), g().AllGyoku[Umack].Note);
    EXPECT_EQ(list.Item(2).SubItem(3), "自動・その他");
    EXPECT_EQ(list.Item(2).Tag, "25");
    EXPECT_EQ(list.Item(3).SubItem(3), "自動・その他");
    EXPECT_EQ(list.Item(4).SubItem(3), "洞窟・塔戦闘以外");
    EXPECT_EQ(list.SelectedRows(), std::vector<int>{1});
    EXPECT_EQ(list.VisibleRow(), 1);
    EXPECT_EQ(Sack().cmdUse.Caption.get(), "使う");
    EXPECT_EQ(Sack().cmdDump.ToolTipText.get(), "\"選択した道具を捨てます\"");
    EXPECT_EQ(Sack().lblNumber.Caption.get(), "個数：");
    EXPECT_EQ(Sack().txtNumber.Text.get(), "1");
}

TEST_F(SackTest, EveryUsePlaceHasItsText) {
    g().AllItem[40].UseScene = 7;  // no such place: no text
    SetSack({{Seed, 1}, {WellWater, 1}, {FireBottle, 1}, {Wing, 1}, {Horn, 1}, {Charm, 1}, {Antidote, 1}, {Wood, 1}, {40, 1}});
    OpenTab(7);
    const char* places[] = {"いつでも",         "戦闘以外",   "戦闘中のみ",
                            "洞窟・塔戦闘以外", "道戦闘以外", "道・洞窟・塔戦闘以外",
                            "道・洞窟・塔(状態異常時)", "自動・その他", ""};
    for (int r = 1; r <= 9; ++r) EXPECT_EQ(Sack().lstList.Item(r).SubItem(3), places[r - 1]) << r;
}

TEST_F(SackTest, AUseSpendsOnePieceAndTheSameRowStaysSelected) {
    g().DBUFLG = false;
    g().StoryName = "";
    SetSack({{WellWater, 1}, {Seed, 3}});
    OpenTab(7);
    Pick({2});
    Sack().txtNumber.Text = "5";
    Sack().cmdUse_Click();
    EXPECT_EQ(effectItems, std::vector<Long>{Seed});
    EXPECT_EQ(Contents(), (std::vector<Entry>{{WellWater, 1}, {Seed, 2}}));
    EXPECT_EQ(Sack().txtNumber.Text.get(), "1");  // one piece per use, whatever was typed
    EXPECT_EQ(Bar(), "体力の種を使いました。");
    EXPECT_EQ(g().SackSel, 2);
    EXPECT_EQ(Sack().lstList.SelectedRows(), std::vector<int>{2});
    EXPECT_EQ(Sack().lstList.Item(2).SubItem(1), "2");
    EXPECT_TRUE(Sack().cmdUse.Enabled);
    EXPECT_EQ(host.Focused(), &Sack().cmdUse);
    EXPECT_EQ(g().NoClick, 0);
    EXPECT_FALSE(g().ListConfirm);
    EXPECT_FALSE(g().AutoBlocked);

    FakeEffect(EffectUsed, "体力の種を使いました。体力を300回復しました");
    Sack().cmdUse_Click();
    Sack().cmdUse_Click();
    EXPECT_EQ(effectItems, (std::vector<Long>{Seed, Seed, Seed}));
    EXPECT_EQ(Contents(), (std::vector<Entry>{{WellWater, 1}}));  // the last piece takes the row
    EXPECT_EQ(Sack().lstList.SelectedRows(), std::vector<int>{1});
    EXPECT_EQ(Bar(), "体力の種を使いました。体力を300回復しました");

    Sack().cmdUse_Click();
    EXPECT_EQ(g().HaveSack, 0);
    EXPECT_FALSE(Sack().cmdUse.Enabled);
    EXPECT_FALSE(Sack().cmdDump.Enabled);
    Sack().cmdUse_Click();  // an empty sack: nothing
    EXPECT_EQ(effectItems.size(), 4u);
}

// The sack reaches the item's own effect: a charm on the road keeps the
// enemies away for a roll of 10 to 20 turns, and its line follows the use.
TEST_F(SackTest, ACharmUsedOnTheRoadGivesItsOwnEffectAndSpendsThePiece) {
    RegisterItemEffects(g());
    g().DBUFLG = false;
    g().EffectResult = EffectCart;  // what an earlier use left
    g().EffectMessage = "an earlier line";
    g().Condition[size_t(CondNoEncounter)] = 3;
    SetSack({{Charm, 2}});
    g().SceneFormName = "frmField";
    g().EventField = "";
    g().OnceStop = true;
    OpenTab(7);
    g().rng.Queue(0.5);  // the turns: 10 + Int(0.5 * 11) = 15
    g().rng.SetStrict(true);
    Sack().cmdUse_Click();
    EXPECT_EQ(g().rng.Queued(), 0u);
    EXPECT_EQ(g().Condition[size_t(CondNoEncounter)], 3 + 15);
    EXPECT_EQ(Contents(), (std::vector<Entry>{{Charm, 1}}));
    EXPECT_EQ(Bar(), "魔除けの護符を使いました。しばらくの間、敵が出ません");
    EXPECT_EQ(g().EffectResult, EffectUsed);
    EXPECT_EQ(Calls("frmField.AssistSelect"), 0);
}

TEST_F(SackTest, TheUseQuestionAndOnlyYesUses) {
    const std::pair<int, const char*> answers[] = {{vbKeyN, "N"}, {vbKeyReturn, "Enter"}, {vbKeyG, "G"}, {vbKeyY, "Y"}};
    for (const auto& [key, name] : answers) {
        SetSack({{Seed, 3}});
        OpenTab(7);
        Sack().cmdUse_Click();
        EXPECT_EQ(Bar(), AskUse) << name;
        EXPECT_TRUE(g().ListConfirm);
        EXPECT_EQ(g().StoryName, "SackUse");
        EXPECT_EQ(g().StoryNo, StoryWaitNo);
        EXPECT_TRUE(g().WaitingAnswer);
        EXPECT_TRUE(g().AutoBlocked);
        EXPECT_EQ(g().NoClick, NoClickRight);
        for (Control* c : {static_cast<Control*>(&Sack().cmdUse), static_cast<Control*>(&Sack().cmdDump),
                           static_cast<Control*>(&Sack().txtNumber), static_cast<Control*>(&Sack().lstList)})
            EXPECT_FALSE(c->Enabled) << c->path();
        // The frame refuses to switch or close meanwhile.
        MessageInput(g(), '1', 1, InputKey);
        Sack().Form_DblClick();
        EXPECT_EQ(g().ListName, "frmSack");

        MessageInput(g(), key, 0, InputKey);
        EXPECT_FALSE(g().ListConfirm) << name;
        EXPECT_EQ(g().StoryName, "") << name;
        EXPECT_EQ(g().StoryNo, 0) << name;
        EXPECT_EQ(g().NoClick, 0) << name;
        EXPECT_FALSE(g().AutoBlocked) << name;
        EXPECT_FALSE(g().WaitingAnswer) << name;
        EXPECT_TRUE(Sack().cmdUse.Enabled) << name;
        EXPECT_TRUE(Sack().cmdDump.Enabled) << name;
        EXPECT_TRUE(Sack().lstList.Enabled) << name;
        EXPECT_TRUE(Sack().txtNumber.Enabled) << name;
        if (key == vbKeyY) {
            EXPECT_EQ(Contents(), (std::vector<Entry>{{Seed, 2}}));
            EXPECT_EQ(Bar(), "体力の種を使いました。");
        } else {
            EXPECT_EQ(Contents(), (std::vector<Entry>{{Seed, 3}})) << name;
            EXPECT_EQ(Bar(), Idle) << name;
        }
        CloseListWindows(g());
    }
}

TEST_F(SackTest, TheUseQuestionSurvivesARebuildAndUsesWhatWasAsked) {
    SetSack({{WellWater, 2}, {Seed, 2}});
    OpenTab(7);
    Pick({2});
    Sack().cmdUse_Click();
    // The water goes meanwhile, and a setting key rebuilds the window.
    ASSERT_TRUE(SackChange(g(), WellWater, 0, true, 2, false));
    RefreshListWindow(g());
    MessageInput(g(), 'S', 0, InputKey);
    EXPECT_TRUE(g().ListConfirm);
    EXPECT_EQ(Bar(), AskUse);
    EXPECT_EQ(Sack().lstList.SelectedRows(), std::vector<int>{1});  // the seed, now row 1
    EXPECT_FALSE(Sack().lstList.Enabled);
    EXPECT_FALSE(Sack().cmdUse.Enabled);
    MessageInput(g(), vbKeyY, 0, InputKey);
    EXPECT_EQ(Contents(), (std::vector<Entry>{{Seed, 1}}));
    EXPECT_FALSE(g().ListConfirm);
}

class HeroTurn : public SackTest {
protected:
    HeroTurn() {
        g().SceneFormName = "frmField";
        g().EventField = "";
        g().EventBusy = true;
        g().OnceStop = false;
        g().BattlePhase = BattleHero;
        g().StoryName = "HeroTurn";
        g().HeroTurnText = "イザベラ：どうしよう…";
        SetSack({{FireBottle, 2}});
        OpenTab(7);
    }
};

TEST_F(HeroTurn, CancellingAsksTheTurnsQuestionAgain) {
    ASSERT_TRUE(Sack().cmdUse.Enabled);
    EXPECT_FALSE(Sack().cmdDump.Enabled);
    Sack().cmdUse_Click();
    EXPECT_EQ(g().StoryName, "SackUse");
    MessageInput(g(), vbKeyN, 0, InputKey);
    EXPECT_EQ(g().StoryName, "HeroTurn");
    EXPECT_EQ(g().StoryNo, 0);
    EXPECT_TRUE(g().WaitingAnswer);
    EXPECT_EQ(Bar(), "イザベラ：どうしよう… [戦う(Y/G)] [逃げる(N)]");
    EXPECT_EQ(Contents(), (std::vector<Entry>{{FireBottle, 2}}));
    EXPECT_TRUE(Sack().cmdUse.Enabled);
    EXPECT_EQ(Calls("BattleItemTurn"), 0);
}

TEST_F(HeroTurn, AUseHandsOverToTheBattlesItemTurn) {
    FakeEffect(EffectUsed, "火炎瓶を使いました。スライムに50のダメージを与えた");
    Sack().cmdUse_Click();
    MessageInput(g(), vbKeyY, 0, InputKey);
    EXPECT_EQ(effectItems, std::vector<Long>{FireBottle});
    EXPECT_EQ(Contents(), (std::vector<Entry>{{FireBottle, 1}}));
    EXPECT_EQ(g().StoryNo, 10);
    EXPECT_EQ(Calls("BattleItemTurn"), 1);
    EXPECT_FALSE(Sack().cmdUse.Enabled);
    EXPECT_EQ(Bar(), "火炎瓶を使いました。スライムに50のダメージを与えた");
}

TEST_F(HeroTurn, AfterTheConfirmedUseAutoModeDrivesTheFightAgain) {
    FakeEffect(EffectUsed, "火炎瓶を使いました。スライムに50のダメージを与えた");
    bool blockedAtTheTurn = true;
    g().SetHandler("BattleItemTurn", [this, &blockedAtTheTurn](Long) { blockedAtTheTurn = g().AutoBlocked; });
    Sack().cmdUse_Click();
    EXPECT_TRUE(g().AutoBlocked);  // auto mode never answers the question itself
    MessageInput(g(), vbKeyY, 0, InputKey);
    EXPECT_FALSE(blockedAtTheTurn);
}

TEST_F(HeroTurn, ARefusedItemStaysAndTheTurnIsHandedBack) {
    FakeEffect(EffectNotUsed, "火炎瓶は、これ以上使えません");
    g().DBUFLG = false;
    Sack().cmdUse_Click();
    EXPECT_EQ(Contents(), (std::vector<Entry>{{FireBottle, 2}}));
    EXPECT_EQ(Calls("BattleItemTurn"), 1);
    EXPECT_EQ(g().StoryNo, 10);
    EXPECT_EQ(Bar(), "火炎瓶は、これ以上使えません");
}

TEST_F(SackTest, ARefusedItemStaysAndTheWindowIsAsBefore) {
    FakeEffect(EffectNotUsed, "体力の種は、これ以上使えません");
    SetSack({{Seed, 1}});
    OpenTab(7);
    Sack().cmdUse_Click();
    MessageInput(g(), vbKeyY, 0, InputKey);
    EXPECT_EQ(Contents(), (std::vector<Entry>{{Seed, 1}}));
    EXPECT_EQ(Bar(), "体力の種は、これ以上使えません");
    EXPECT_FALSE(g().ListConfirm);
    EXPECT_TRUE(Sack().cmdUse.Enabled);
    EXPECT_TRUE(Sack().cmdDump.Enabled);
    EXPECT_TRUE(Sack().txtNumber.Enabled);
    EXPECT_TRUE(Sack().lstList.Enabled);
    EXPECT_EQ(g().NoClick, 0);
}

TEST_F(SackTest, TheHornCallsTheCart) {
    g().SceneFormName = "frmField";
    g().EventField = "";
    g().OnceStop = true;
    g().DBUFLG = false;
    FakeEffect(EffectCart, "馬車の角笛を使いました。馬車を呼びました");
    SetSack({{Horn, 1}});
    OpenTab(7);
    ASSERT_TRUE(Sack().cmdUse.Enabled);
    Sack().cmdUse_Click();
    EXPECT_EQ(Calls("frmField.AssistSelect"), 1);
    EXPECT_TRUE(g().AutoBlocked);
    EXPECT_EQ(g().HaveSack, 0);
}

TEST_F(SackTest, TheBookGivesAWholeLevel) {
    g().DBUFLG = false;
    g().MyLevel = 5;
    g().MyMaxEx = 200;
    g().MyNowEx = 10;
    FakeEffect(EffectLevelUp, "開眼の書を使いました。＋＋＋　レベルアップ！　＋＋＋");
    SetSack({{22, 1}});
    OpenTab(7);
    Sack().cmdUse_Click();
    EXPECT_EQ(g().MyLevel, 6);
    EXPECT_FALSE(g().LevelUpPending);
    EXPECT_EQ(g().EffectResult, 0);
}

// Paused under a find's talk in a dungeon: the wing ends the find.
TEST_F(SackTest, TheWingGoesBackToTheBoard) {
    std::vector<std::string> outs;
    g().SetHandler("frmMenu.mOut_Click", [&](Long) { outs.push_back(g().StoryName); });
    g().SceneFormName = "frmField";
    g().EventField = "In";
    g().OnceStop = true;
    g().DBUFLG = false;
    g().VisitorSprite = 67;
    g().EventName = "PickUp";
    g().StoryName = "ItemGet";
    g().StoryNo = 9;
    g().EventBusy = true;
    FakeEffect(EffectToEntrance, "帰還の翼を使いました。入口に戻りました");
    SetSack({{Wing, 2}});
    OpenTab(7);
    ASSERT_TRUE(Sack().cmdUse.Enabled);
    Sack().cmdUse_Click();
    EXPECT_EQ(outs, std::vector<std::string>{""});
    EXPECT_EQ(g().VisitorSprite, NoSprite);
    EXPECT_EQ(g().EventName, "");
    EXPECT_FALSE(g().EventBusy);
    EXPECT_EQ(g().NoClick, 0);
    EXPECT_EQ(Contents(), (std::vector<Entry>{{Wing, 1}}));
    EXPECT_EQ(Bar(), "帰還の翼を使いました。入口に戻りました");
}

TEST_F(SackTest, ACancelledUseRepeatsNoEarlierEffect) {
    g().EffectResult = EffectCart;  // left by an earlier use
    SetSack({{Seed, 1}});
    OpenTab(7);
    Sack().cmdUse_Click();
    MessageInput(g(), vbKeyN, 0, InputKey);
    EXPECT_EQ(Calls("frmField.AssistSelect"), 0);
}

struct UseCase {
    const char* what;
    const char* scene;
    const char* eventField;
    Long item;
    bool jewel = false;
    bool paused = false;
    bool busy = false;
    Long phase = BattleNone;
    const char* story = "";
    int ailment = -1;
    bool useOn = false;
    bool dumpOn = false;
    bool autoNext = false;
    const char* saved = "";
    bool shopOpen = false;
    bool ending = false;
    bool atBoard = true;
};

class Usability : public SackTest, public ::testing::WithParamInterface<UseCase> {};

TEST_P(Usability, FollowsTheItemsUsePlace) {
    const UseCase& c = GetParam();
    g().SceneFormName = c.scene;
    g().EventField = c.eventField;
    g().OnceStop = c.paused;
    g().EventBusy = c.busy;
    g().BattlePhase = c.phase;
    g().StoryName = c.story;
    g().AutoNext = c.autoNext;
    g().SavedStoryName = c.saved;
    g().ShopOpen = c.shopOpen;
    g().GameEnding = c.ending;
    g().AtBoard = c.atBoard;
    if (c.ailment >= 0) g().Condition[size_t(c.ailment)] = 3;
    SetSack({{c.item, 2, c.jewel}});
    OpenTab(7);
    EXPECT_EQ(bool(Sack().cmdUse.Enabled), c.useOn) << c.what;
    EXPECT_EQ(bool(Sack().cmdDump.Enabled), c.dumpOn) << c.what;
}

UseCase Case(const char* what, const char* scene, const char* field, Long item, bool useOn, bool dumpOn) {
    UseCase c;
    c.what = what;
    c.scene = scene;
    c.eventField = field;
    c.item = item;
    c.useOn = useOn;
    c.dumpOn = dumpOn;
    return c;
}
UseCase Paused(UseCase c) {
    c.paused = true;
    return c;
}
UseCase Busy(UseCase c) {
    c.busy = true;
    return c;
}
UseCase Turn(UseCase c, Long phase = BattleHero, const char* story = "HeroTurn") {
    c.busy = true;
    c.phase = phase;
    c.story = story;
    return c;
}
UseCase Ailing(UseCase c, int ailment) {
    c.ailment = ailment;
    return c;
}

INSTANTIATE_TEST_SUITE_P(
    Sack, Usability,
    ::testing::Values(
        Case("closed shop: a seed", "frmShop", "Shop", Seed, true, true),
        [] { auto c = Case("open shop", "frmShop", "Shop", Seed, false, false); c.shopOpen = true; return c; }(),
        [] { auto c = Case("quit question", "frmShop", "Shop", Seed, false, false); c.ending = true; return c; }(),
        Case("the lake talk", "frmEvent", "Umi", Seed, false, false),
        Case("town board", "frmEvent", "Board", Seed, true, true),
        [] { auto c = Case("a facility window", "frmEvent", "Item", Seed, false, false); c.atBoard = false; return c; }(),
        Case("walking", "frmField", "", Seed, false, false),
        Paused(Case("paused", "frmField", "", Seed, true, true)),
        Busy(Paused(Case("paused, a find talked", "frmField", "", Seed, false, false))),
        Turn(Case("the heroine's turn", "frmField", "", Seed, true, false)),
        Turn(Case("the enemy's half", "frmField", "", Seed, false, false), BattleEnemy, "MonsterTurn"),
        Turn(Case("her turn's line still showing", "frmField", "", Seed, false, false), BattleHero, "Fighting"),
        Turn(Case("water is not for battle", "frmField", "", WellWater, false, false)),
        Case("food in the shop", "frmShop", "Shop", DriedMeat, true, true),
        Case("fire bottle in the shop", "frmShop", "Shop", FireBottle, false, true),
        Turn(Case("fire bottle on her turn", "frmField", "", FireBottle, true, false)),
        Paused(Case("wing in a dungeon", "frmField", "In", Wing, true, true)),
        Paused(Case("wing on a road", "frmField", "", Wing, false, true)),
        Busy(Paused(Case("wing while a dungeon's event is talked", "frmField", "In", Wing, true, false))),
        Paused(Case("horn on a road", "frmField", "", Horn, true, true)),
        Paused(Case("horn in a dungeon", "frmField", "In", Horn, false, true)),
        Busy(Paused(Case("horn while an event is talked", "frmField", "", Horn, false, false))),
        Paused(Case("charm on the way", "frmField", "In", Charm, true, true)),
        Case("charm in the shop", "frmShop", "Shop", Charm, false, true),
        Paused(Case("antidote, not poisoned", "frmField", "", Antidote, false, true)),
        Ailing(Paused(Case("antidote, poisoned", "frmField", "", Antidote, true, true)), CondPoison),
        Ailing(Paused(Case("antidote, only cursed", "frmField", "", Antidote, false, true)), CondCurse),
        Ailing(Case("antidote in the shop, poisoned", "frmShop", "Shop", Antidote, false, true), CondPoison),
        Ailing(Turn(Case("antidote on her turn, poisoned", "frmField", "", Antidote, true, false)), CondPoison),
        Ailing(Paused(Case("panacea, cursed", "frmField", "", Panacea, true, true)), CondCurse),
        Ailing(Paused(Case("panacea, only walking fast", "frmField", "", Panacea, false, true)), CondFastWalk),
        Case("wood", "frmShop", "Shop", Wood, false, true),
        [] {
            auto c = Turn(Case("auto mode, her turn", "frmField", "", Seed, false, false));
            c.autoNext = true;
            return c;
        }(),
        [] {
            auto c = Turn(Case("auto mode, her turn against a boss", "frmField", "", Seed, true, false));
            c.autoNext = true;
            c.saved = "BossTurn";
            return c;
        }(),
        [] {
            auto c = Paused(Case("auto mode, paused", "frmField", "", Seed, true, true));
            c.autoNext = true;
            return c;
        }()),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.what); }));

TEST_F(SackTest, AJewelIsNeverUsed) {
    SetSack({{Umack, 2, true}, {Seed, 1}});
    OpenTab(7);
    EXPECT_FALSE(Sack().cmdUse.Enabled);
    EXPECT_TRUE(Sack().cmdDump.Enabled);
    Pick({2});
    EXPECT_TRUE(Sack().cmdUse.Enabled);
}

TEST_F(SackTest, SeveralRowsCanBeThrownAwayNeverUsed) {
    SetSack({{Seed, 2}, {WellWater, 1}, {DriedMeat, 1}});
    OpenTab(7);
    Pick({1, 3});
    EXPECT_FALSE(Sack().cmdUse.Enabled);
    EXPECT_TRUE(Sack().cmdDump.Enabled);
    EXPECT_EQ(g().ListCount, 2);
    Sack().cmdUse_Click();
    EXPECT_EQ(Contents().size(), 3u);
    EXPECT_EQ(g().StoryName, "");
    // With no row selected neither works.
    Sack().lstList.UnselectAll();
    EXPECT_FALSE(Sack().SackUseCheck());
    EXPECT_FALSE(Sack().cmdUse.Enabled);
    EXPECT_FALSE(Sack().cmdDump.Enabled);
}

// Two rows selected change nothing of where the sack may be touched: a
// facility's talk, the board's own talks and a field event keep both buttons
// off, so no question of the sack is asked over theirs.
struct ManyRowsCase {
    const char* what;
    const char* scene;
    bool atBoard;
    bool busy;
    bool paused;
};

class ManyRows : public SackTest, public ::testing::WithParamInterface<ManyRowsCase> {};

TEST_P(ManyRows, DumpStaysOffWhereOneRowIsOff) {
    const ManyRowsCase& c = GetParam();
    g().SceneFormName = c.scene;
    g().EventField = c.scene == std::string("frmField") ? "" : "Item";
    g().AtBoard = c.atBoard;
    g().EventBusy = c.busy;
    g().OnceStop = c.paused;
    SetSack({{Seed, 2}, {WellWater, 1}, {DriedMeat, 1}});
    OpenTab(7);
    for (const std::vector<int>& rows : {std::vector<int>{1}, std::vector<int>{1, 3}}) {
        Pick(rows);
        EXPECT_FALSE(Sack().cmdDump.Enabled) << rows.size() << " rows";
        EXPECT_FALSE(Sack().cmdUse.Enabled) << rows.size() << " rows";
    }
}

INSTANTIATE_TEST_SUITE_P(Sack, ManyRows,
                         ::testing::Values(ManyRowsCase{"a facility window is open", "frmEvent", false, false, false},
                                           ManyRowsCase{"the board talks", "frmEvent", false, true, false},
                                           ManyRowsCase{"a find is told while paused", "frmField", true, true, true}),
                         q::test::NameBy(&ManyRowsCase::what));

TEST_F(SackTest, TheOpenShopDisablesTheBoxToo) {
    g().ShopOpen = true;
    SetSack({{Seed, 2}});
    OpenTab(7);
    EXPECT_FALSE(Sack().txtNumber.Enabled);
    g().ShopOpen = false;
    RefreshListWindow(g());
    EXPECT_TRUE(Sack().txtNumber.Enabled);
    EXPECT_TRUE(Sack().cmdUse.Enabled);
}

TEST_F(SackTest, AClickOnARowForgetsTheRowUsedLast) {
    g().DBUFLG = false;
    SetSack({{Seed, 3}, {WellWater, 2}});
    OpenTab(7);
    Pick({2});
    Sack().cmdUse_Click();
    EXPECT_EQ(g().SackSel, 2);
    g().MyNowHp = 1;
    RefreshListWindow(g());  // the row used last is selected again
    EXPECT_EQ(Sack().lstList.SelectedRows(), std::vector<int>{2});
    Pick({1});
    EXPECT_EQ(g().SackSel, 0);
    RefreshListWindow(g());
    EXPECT_EQ(Sack().lstList.SelectedRows(), std::vector<int>{1});
}

TEST_F(SackTest, ARememberedRowThatIsGoneSelectsNothing) {
    SetSack({{Seed, 3}});
    g().SackSel = 4;
    OpenTab(7);
    g().SackSel = 4;  // the frame forgot it; a later use remembers one
    RefreshListWindow(g());
    EXPECT_TRUE(Sack().lstList.SelectedRows().empty());
    EXPECT_FALSE(Sack().cmdUse.Enabled);
    EXPECT_FALSE(Sack().cmdDump.Enabled);
}

TEST_F(SackTest, ADumpTakesTheQuantityFromEverySelectedEntry) {
    g().DBUFLG = false;
    SetSack({{Seed, 3}, {Umack, 1, true}, {WellWater, 7}, {DriedMeat, 5}, {27, 4, true}});
    OpenTab(7);
    Pick({1, 2, 3, 5});
    Sack().txtNumber.Text = "3";
    Sack().cmdDump_Click();
    EXPECT_EQ(Contents(), (std::vector<Entry>{{WellWater, 4}, {DriedMeat, 5}, {27, 1, true}}));
    EXPECT_EQ(Bar(), Dumped);
    EXPECT_EQ(g().KeepSelCount, 2);
    EXPECT_EQ(g().KeepSel, (std::vector<Long>{1, 3}));
    EXPECT_EQ(g().DumpedRows, 2);
    EXPECT_EQ(Sack().lstList.SelectedRows(), (std::vector<int>{1, 3}));
    EXPECT_EQ(Sack().lstList.Item(3).Text, g().AllGyoku[27].Name);
    EXPECT_EQ(g().NoClick, 0);
    EXPECT_FALSE(g().AutoBlocked);

    // An empty box, and a box holding 0, throw one piece away.
    for (const char* box : {"", "0"}) {
        Pick({1});
        Sack().txtNumber.Text = box;
        Sack().cmdDump_Click();
        EXPECT_EQ(Sack().txtNumber.Text.get(), "1") << box;
    }
    EXPECT_EQ(Contents().front(), (Entry{WellWater, 2}));
}

TEST_F(SackTest, OutsideTheDumpStateTheFirstRowIsSelectedInstead) {
    g().DBUFLG = false;
    SetSack({{Seed, 3}, {WellWater, 7}});
    OpenTab(7);
    Pick({2});
    Sack().txtNumber.Text = "2";
    Sack().cmdDump_Click();
    EXPECT_EQ(Sack().lstList.SelectedRows(), std::vector<int>{2});
    g().ShopOpen = true;
    RefreshListWindow(g());
    EXPECT_EQ(g().KeepSelCount, 0);
    EXPECT_EQ(Sack().lstList.SelectedRows(), std::vector<int>{1});
}

TEST_F(SackTest, TheDumpQuestionSurvivesARebuildAndOnlyYesThrowsAway) {
    SetSack({{Seed, 3}, {WellWater, 2}, {DriedMeat, 1}});
    OpenTab(7);
    Pick({2, 3});
    Sack().txtNumber.Text = "1";
    for (int key : {vbKeyN, vbKeyReturn, vbKeyG}) {
        Sack().cmdDump_Click();
        EXPECT_EQ(Bar(), AskDump);
        EXPECT_EQ(g().StoryName, "SackDump");
        MessageInput(g(), key, 0, InputKey);
        EXPECT_EQ(Contents().size(), 3u) << key;
        EXPECT_EQ(Bar(), Idle);
        EXPECT_FALSE(g().ListConfirm);
        EXPECT_TRUE(Sack().cmdDump.Enabled);
        EXPECT_EQ(Sack().lstList.SelectedRows(), (std::vector<int>{2, 3}));
    }
    Sack().cmdDump_Click();
    // A seed is used up meanwhile, and the window is rebuilt under the question.
    ASSERT_TRUE(SackChange(g(), Seed, 0, true, 3, false));
    ASSERT_TRUE(SackChange(g(), Horn, 0, false, 1, false));
    RefreshListWindow(g());
    EXPECT_TRUE(g().ListConfirm);
    EXPECT_FALSE(Sack().lstList.Enabled);
    EXPECT_FALSE(Sack().cmdDump.Enabled);
    EXPECT_EQ(Sack().lstList.SelectedRows(), (std::vector<int>{1, 2}));
    KeyToClick(g(), vbKeyY);
    EXPECT_EQ(Contents(), (std::vector<Entry>{{WellWater, 1}, {Horn, 1}}));
    EXPECT_EQ(Bar(), Dumped);
    EXPECT_EQ(Sack().lstList.SelectedRows(), std::vector<int>{1});
    EXPECT_FALSE(g().ListConfirm);
}

// A use or a dump, asked or not, answered either way, gives back the click
// gate it found, not an open one.
TEST_F(SackTest, TheClickGateComesBackAsItWas) {
    for (bool confirm : {false, true}) {
        for (Long gate : {NoClickNone, NoClickLeft, NoClickAuto}) {
            for (int key : {vbKeyY, vbKeyN}) {
                g().DBUFLG = confirm;
                SetSack({{Seed, 3}, {WellWater, 2}});
                OpenTab(7);
                g().NoClick = gate;
                Pick({1});
                Sack().cmdUse_Click();
                if (confirm) MessageInput(g(), key, 0, InputKey);
                EXPECT_EQ(g().NoClick, gate) << "use, confirm " << confirm << " key " << key;
                g().NoClick = gate;
                Pick({2});
                Sack().cmdDump_Click();
                if (confirm) MessageInput(g(), key, 0, InputKey);
                EXPECT_EQ(g().NoClick, gate) << "dump, confirm " << confirm << " key " << key;
                CloseListWindows(g());
            }
        }
    }
}

TEST_F(SackTest, OnTheBoardAutoModeStaysBlocked) {
    g().SceneFormName = "frmEvent";
    g().EventField = "Board";
    g().AtBoard = true;
    g().SavedStoryName = "BoardEvent";
    g().DBUFLG = false;
    SetSack({{Seed, 3}, {WellWater, 2}});
    OpenTab(7);
    Sack().cmdDump_Click();
    EXPECT_TRUE(g().AutoBlocked);
    Sack().cmdUse_Click();
    EXPECT_TRUE(g().AutoBlocked);
}

// On the board its own talk runs under the window: the question asked over
// it gives it back once answered, either way, so the lake's guardian still
// fights as himself afterwards rather than a monster of the road.
TEST_F(SackTest, TheQuestionGivesTheBoardsTalkBack) {
    for (const bool dump : {false, true})
        for (int key : {vbKeyY, vbKeyN}) {
            g().SceneFormName = "frmEvent";
            g().EventField = "Board";
            g().AtBoard = true;
            g().StoryName = "BoardEvent";
            g().DBUFLG = true;
            SetSack({{Seed, 3}, {WellWater, 2}});
            OpenTab(7);
            Pick({1});
            if (dump) Sack().cmdDump_Click();
            else Sack().cmdUse_Click();
            ASSERT_TRUE(g().ListConfirm);
            MessageInput(g(), key, 0, InputKey);
            EXPECT_FALSE(g().ListConfirm);
            EXPECT_EQ(g().StoryName, "BoardEvent") << (dump ? "dump" : "use") << " key " << key;
            CloseListWindows(g());
        }
}

TEST_F(SackTest, AnEmptySackAsksNothing) {
    SetSack({});
    OpenTab(7);
    g().AutoBlocked = true;
    Sack().cmdDump_Click();
    Sack().cmdUse_Click();
    EXPECT_FALSE(g().ListConfirm);
    EXPECT_EQ(g().StoryName, "");
    EXPECT_EQ(Bar(), "");
    EXPECT_FALSE(g().AutoBlocked);
    EXPECT_EQ(Calls("ApplyItemEffect"), 0);
}

TEST_F(SackTest, WhileTheQuitQuestionWaitsNothingHappens) {
    SetSack({{Seed, 3}});
    OpenTab(7);
    g().GameEnding = true;
    Sack().cmdUse_Click();
    Sack().cmdDump_Click();
    EXPECT_EQ(Contents(), (std::vector<Entry>{{Seed, 3}}));
    EXPECT_EQ(g().StoryName, "");
}

TEST_F(SackTest, TheBoxTakesOneDigitAndEnterGoesToAButton) {
    SetSack({{Wood, 3}});
    OpenTab(7);
    TextBox& box = Sack().txtNumber;
    box.SetFocus();  // selects "1"
    for (char ch : std::string("a45-")) box.Type(ch);
    EXPECT_EQ(box.Text.get(), "4");
    box.Type(8);
    box.Type('7');
    EXPECT_EQ(box.Text.get(), "7");
    box.Type(13);  // wood cannot be used: the focus goes to 捨てる
    EXPECT_EQ(host.Focused(), &Sack().cmdDump);
    SetSack({{Seed, 3}});
    RefreshListWindow(g());
    box.SetFocus();
    box.Type(13);
    EXPECT_EQ(host.Focused(), &Sack().cmdUse);
    // The box and the buttons hand keys straight to the game: Shift+O stays.
    box.SetFocus();
    box.KeyDown(vbKeyO, vbShiftMask);
    EXPECT_EQ(host.Focused(), &box);
    Sack().lstList.KeyDown(vbKeyO, vbShiftMask);
    EXPECT_EQ(host.Focused(), &g().frmFrame->cmdFrame[9]);
}

TEST_F(SackTest, ThePausedFieldStartsTheListAtItsFirstRow) {
    SetSack({{Seed, 3}, {WellWater, 2}, {DriedMeat, 1}});
    OpenTab(7);
    Pick({2, 3});
    g().Call("SelectFirstListRow");
    EXPECT_EQ(Sack().lstList.SelectedRows(), std::vector<int>{1});
    EXPECT_EQ(Calls("SelectFirstListRow"), 0);
}

}  // namespace
}  // namespace q::test
