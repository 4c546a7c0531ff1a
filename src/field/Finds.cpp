// Finds on the way: things lying on the ground, money found and lost, a
// pitfall, items and arms lost, chests in the dungeons, and the heroine's
// idle remarks when nothing comes of it. The same roll brings the road
// sellers, whose offers continue in these two steps.
#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "core/Game.h"
#include "core/Inventory.h"
#include "core/Message.h"
#include "core/Stats.h"
#include "core/StoryInput.h"
#include "core/World.h"
#include "field/FieldEvents.h"
#include "field/RoadSellers.h"
#include "field/frmField.h"
#include "field/frmUnderMes3.h"
#include "shop/ListWindows.h"

namespace q {

namespace {

enum class FindKind { Nothing, PickUp, LostTrap, Treasure, SackOrBag, NumberGame, Jewel, Devil };

// The kind of find for each value 0..99 of the roll.
constexpr std::array<FindKind, 100> BuildFindRoll() {
    std::array<FindKind, 100> roll{};
    for (int r : {0,  2,  3,  6,  7,  10, 13, 15, 17, 18, 22, 24, 26, 28, 36, 45, 46, 48, 51, 56,
                  58, 62, 64, 68, 69, 71, 73, 75, 76, 78, 80, 83, 84, 86, 88, 89, 90, 91, 95})
        roll[size_t(r)] = FindKind::PickUp;
    for (int r : {1, 12, 21, 33, 43, 55, 63, 74, 81, 99}) roll[size_t(r)] = FindKind::LostTrap;
    for (int r : {16, 25, 37, 50, 82}) roll[size_t(r)] = FindKind::Treasure;
    for (int r : {5, 23, 54, 61, 85}) roll[size_t(r)] = FindKind::SackOrBag;
    for (int r : {9, 29, 47, 65, 92}) roll[size_t(r)] = FindKind::NumberGame;
    for (int r : {40, 70}) roll[size_t(r)] = FindKind::Jewel;
    for (int r : {44, 77}) roll[size_t(r)] = FindKind::Devil;
    return roll;
}
constexpr std::array<FindKind, 100> FindRoll = BuildFindRoll();

// Money lying on the ground and money lost, by area. A loss first draws its
// upper bound between lossHiLo and lossHiHi.
struct MoneyRow {
    std::string_view area;
    bool deep;  // the cave below floor 50
    Long findHi, findLo;
    Long lossHiLo, lossHiHi, lossLo;
};
constexpr std::array<MoneyRow, 8> MoneyRows{{
    {"HanoMori", false, 1000, 50, 750, 1500, 75},
    {"MoriElf", false, 2000, 100, 1500, 3000, 150},
    {"ElfAna", false, 4000, 200, 5000, 9450, 450},
    {"Shinen", false, 6000, 400, 5000, 9450, 600},
    {"Shinen", true, 15000, 1600, 15000, 30000, 2400},
    {"HanoSiro", false, 6000, 800, 5000, 9450, 1200},
    {"SiroTou", false, 8000, 1600, 6000, 12000, 2400},
    {"Tou", false, 10000, 1600, 7500, 15000, 2400},
}};

const MoneyRow& Money(const Game& g) {
    const bool deep = g.FieldName == "Shinen" && g.NowFloor > 50;
    for (const auto& row : MoneyRows)
        if (row.area == g.FieldName && row.deep == deep) return row;
    return MoneyRows.front();
}

// What the heroine says when nothing comes of a find: by day, in a dungeon,
// and after midday (null: as by day). Some only make sense in the open.
struct IdleLine {
    const char* day;
    const char* dungeon = nullptr;
    const char* late = nullptr;
    bool outdoorsOnly = false;
};

const IdleLine IdleLines[] = {
    {"イザベラ：モンスターの死骸だわ。腐敗して凄い匂いがする。早くココを立ち去りましょう"},  // 0
    {"イザベラ：可愛い子猫ちゃんね。おいでおいで。……心が癒されたわ♪"},  // 1
    {"イザベラ：壊れた武器だわ。…さすがに売り物にはならないわね"},  // 2
    {"イザベラ：お…お財布が落ちてるわ！！！中身は？？？……入ってない。がっかりね"},  // 3
    {"イザベラ：綺麗な石ね。私も落ち着いたら宝石のコレクションでもしようかしら"},  // 4
    {"イザベラ：ちょっと疲れたわね。休憩したいわ"},  // 5
    {"イザベラ：雨が降ってきたわ。困るわね。早く止んでくれないかしら", "イザベラ：どんどん薄暗くなってきたわね。外は今、どんな感じかしら？", nullptr},  // 6
    {"イザベラ：陽が出てきたわ。ちょっと暑いわね…", "イザベラ：薄暗くて寒いわね。もっと着込んでくるんだった", "イザベラ：暗くなったせいで肌寒いわ"},  // 7
    {"イザベラ：誰かの食べ残しのお肉があるわ…。私は食べないわよ？！"},  // 8
    {"イザベラ：ちょっとした広場があるわ。少し休もうかしら？"},  // 9
    {"イザベラ：モンスターの雄叫びが聞えるわ。早くここを去りましょう"},  // 10
    {"イザベラ：ゴミが落ちてるわね。全く…！"},  // 11
    {"イザベラ：汚れたぬいぐるみが落ちてる…。持ち主のことを考えたくないわね…"},  // 12
    {"イザベラ：地面がぬかるんでて歩きにくいわ。気をつけましょう"},  // 13
    {"イザベラ：いい天気ね。洗濯物日和だわ。干したてのお布団っていい匂いで気持ちいいのよね♪", "イザベラ：空気が悪いわ。早く新鮮な空気が吸いたいわね", "イザベラ：星が綺麗ね。宝石みたい"},  // 14
    {"イザベラ：今、何をしてたんだっけ？最近ボケてきたわ…"},  // 15
    {"イザベラ：あんなところにお店があるわ。何の店かしら？", nullptr, nullptr, true},  // 16
    {"イザベラ：もー！ストッキングが破れちゃったわ！"},  // 17
    {"イザベラ：わくわく。やっぱり、仕入れって楽しいわね♪"},  // 18
    {"イザベラ：苦手な人だ…。隠れちゃお～"},  // 19
    {"イザベラ：お…お…お帰りなさいませご主人様♪……なーんちゃって"},  // 20
    {"イザベラ：ボディをピンクにすればもっと可愛くなるのになぁ。あの馬車", nullptr, nullptr, true},  // 21
    {"イザベラ：お化粧品のチラシだわ。わぁ！セールやってるぅ。仕入が終わったら行きたいな", nullptr, nullptr, true},  // 22
    {"イザベラ：誰かがモンスターと戦っているわね。あ、負けた。わーこっち来る"},  // 23
    {"イザベラ：あの人、透明？？？まさか？！…きっと仕事のしすぎね"},  // 24
};

constexpr Long ChestItemLimit = 100;  // a chest entry above this is an arm
constexpr Long MostOfAnItem = 9;

bool InDungeon(const Game& g) { return g.FieldName == "Tou" || g.FieldName == "Shinen"; }
bool BagFull(const Game& g) { return g.HaveBagNum >= g.NowMaxBag; }
bool SackFull(const Game& g) { return g.HaveSack >= g.NowMaxSack; }
Long Between(Game& g, Long lo, Long hi) { return Long(g.Chance(hi - lo + 1)) + lo; }

void SayIdle(Game& g) {
    g.StoryNo = 999;
    const bool dungeon = InDungeon(g);
    const IdleLine* l = nullptr;
    do {
        l = &IdleLines[g.Chance(long(std::size(IdleLines)))];
    } while (dungeon && l->outdoorsOnly);
    const char* line = l->day;
    if (dungeon && l->dungeon) line = l->dungeon;
    else if (!dungeon && g.NowTime > 50 && l->late) line = l->late;
    ShowMessage(g, line);
}

// An arm lying in the area. The pendants give an arm that was not taken
// another chance.
void ArmFind(Game& g) {
    g.LuckRerolls18 = 0;
    g.LuckRerolls28 = 0;
    SetRange(g, 1);
    for (;;) {
        const Long a = Between(g, g.RangeMin, g.RangeMax);
        const std::string& name = g.AllArms[size_t(a)].Name;
        if (BagFull(g)) {
            ShowMessage(g, name + "が落ちてるわ！でも、鞄が一杯だわ。残念ね");
            return;
        }
        g.WorkNum = Long(g.Chance(20));
        if (ArmTaken(g.AllArms[size_t(a)].Rarity, g.WorkNum, true)) {
            ShowMessage(g, BagChange(g, a, 0, false, 1) ? name + "が落ちてるわ！拾っていきましょう♪"
                                                         : name + "が落ちてるわ！でも、鞄が一杯だわ。残念ね");
            return;
        }
        if (!LuckyReroll(g)) break;
    }
    SayIdle(g);
}

// An item lying on the ground; true when it turned out to be the crystal
// ball, whose story takes over.
bool ItemFind(Game& g, frmField& field) {
    if (g.FieldName == "Shinen" && g.RoadPos <= 50 && !g.BossOK[5] && g.FortuneFlg == 5 && g.Chance(3) == 0) {
        g.SavedStoryName = "PickUp";
        field.BossSelect();
        return true;
    }
    Long m = 0;
    do {
        m = FieldFind(g);
    } while (m == BranchOfLifeItem && SackHolds(g, BranchOfLifeItem));
    if (m < 0 || m >= Long(g.AllItem.size())) {
        ArmFind(g);
        return false;
    }
    const std::string& name = g.AllItem[size_t(m)].Name;
    const bool held = SackHolds(g, m);
    if (SackFull(g) && !held) ShowMessage(g, name + "が落ちてるわ！でも、袋が一杯だわ。残念ね");
    else if (SackCheck(g, m, MostOfAnItem, false, false)) ShowMessage(g, name + "が落ちてるわ！でも、もう既に9個持ってるわね…");
    else if (SackChange(g, m, 0, false, 1, false)) ShowMessage(g, name + "が落ちてるわ！拾っていきましょう♪");
    else ShowMessage(g, name + "が落ちてるわ！でも、袋が一杯だわ。残念ね");
    return false;
}

void MoneyFind(Game& g) {
    const MoneyRow& row = Money(g);
    g.RandHi = row.findHi;
    g.RandLo = row.findLo;
    const Long amount = Between(g, g.RandLo, g.RandHi);
    AddStat(g, amount, "Gold");
    ShowMessage(g, "イザベラ：" + std::to_string(amount) + "カリム落ちてたわ！拾っておきましょう♪");
}

// True when the crystal ball's story took over the step.
bool PickUp(Game& g, frmField& field) {
    g.StoryNo = 999;
    g.LuckRerolls18 = 0;
    g.LuckRerolls28 = 0;
    switch (g.Chance(3)) {
        case 0:
            if (ItemFind(g, field)) return true;
            break;
        case 1: ArmFind(g); break;
        default: MoneyFind(g); break;
    }
    RefreshListWindow(g);
    return false;
}

void MoneyLost(Game& g) {
    const MoneyRow& row = Money(g);
    g.RandHi = Between(g, row.lossHiLo, row.lossHiHi);
    g.RandLo = row.lossLo;
    if (SackHolds(g, TrapEscapeItem)) {
        UseUpOne(g, TrapEscapeItem);
        ShowMessage(g, "イザベラ：サ…サイフに穴が開きそうだわ！でも、こんなこともあろうかと、予備のサイフを持っているのよねぇ♪");
        return;
    }
    if (g.MyGold <= 0) {
        SayIdle(g);
        return;
    }
    const Long amount = std::min(Between(g, g.RandLo, g.RandHi), g.MyGold);
    AddStat(g, -double(amount), "Gold");
    ShowMessage(g, "イザベラ：サイフが開いてるわ！！" + std::to_string(amount) + "カリム落としちゃったみたい！！");
}

// A pitfall never takes her last hit point.
void Pitfall(Game& g) {
    const Long hp = g.MyNowHp;
    Long damage = Between(g, hp / 9, hp / 5);
    if (hp - damage < 1) damage = hp - 1;
    if (SackHolds(g, TrapEscapeItem)) {
        UseUpOne(g, TrapEscapeItem);
        ShowMessage(g, "イザベラ：落とし穴だわ！危うく落ちる所だった…。危ないわね");
        return;
    }
    AddStat(g, -double(damage), "Hp", true);
    ShowMessage(g, "イザベラ：あ痛たたたたた･･･！！誰よ！こんな所に落とし穴作ったのは！！");
}

// A thing about to be lost: the trap escape saves it.
bool Saved(Game& g, const std::string& name) {
    if (!SackHolds(g, TrapEscapeItem)) return false;
    UseUpOne(g, TrapEscapeItem);
    ShowMessage(g, "イザベラ：このままじゃ" + name + "を落としそうね。持ち替えましょう");
    return true;
}

void SayLost(Game& g, const std::string& name) {
    ShowMessage(g, "イザベラ：" + name + "が一個無くなってる！どこかで落としたのかしら？");
}

void ItemLost(Game& g) {
    if (g.Chance(15) != 0) {
        SayIdle(g);
        return;
    }
    if (g.HaveSack <= 0) {
        ArmFind(g);
        return;
    }
    const Long c = Long(g.Chance(g.HaveSack));
    const SackEntry entry = g.MySack[size_t(c)];
    g.WorkName = entry.HHaveGyoku ? g.AllGyoku[size_t(entry.HHaveSackNo)].Name : g.AllItem[size_t(entry.HHaveSackNo)].Name;
    const std::string name = g.WorkName;
    if (Saved(g, name)) return;
    if (!SackChange(g, entry.HHaveSackNo, c, true, 1, entry.HHaveGyoku)) return SayIdle(g);
    SayLost(g, name);
}

void ArmLost(Game& g) {
    if (g.Chance(15) != 0) {
        SayIdle(g);
        return;
    }
    if (g.HaveBagNum <= 0 || g.HaveBag <= 0) {
        ArmFind(g);
        return;
    }
    const Long e = Long(g.Chance(g.HaveBag));
    const Long arm = g.MyBag[size_t(e)].HHaveBagNo;
    if (g.AllArms[size_t(arm)].Special) {
        ArmFind(g);
        return;
    }
    g.WorkName = g.AllArms[size_t(arm)].Name;
    const std::string name = g.WorkName;
    if (Saved(g, name)) return;
    if (!BagChange(g, arm, e, true, 1)) return SayIdle(g);
    SayLost(g, name);
}

void LostTrap(Game& g) {
    g.StoryNo = 999;
    const long kind = g.Chance(4);
    if (kind == 0 || (kind == 1 && g.MyNowHp <= 1)) MoneyLost(g);
    else if (kind == 1) Pitfall(g);
    else if (kind == 2) ItemLost(g);
    else ArmLost(g);
    RefreshListWindow(g);
}

// What a chest holds, added to MessageText.
void ChestContents(Game& g) {
    Long v = 0;
    for (;;) {
        v = g.TreasureTable[size_t(g.Chance(long(g.TreasureTable.size())))];
        if ((v == 21 || v == 22) && g.Chance(3) != 1) continue;
        if (v == BranchOfLifeItem && SackHolds(g, BranchOfLifeItem)) continue;
        break;
    }
    if (v > ChestItemLimit) {
        const std::string& name = g.AllArms[size_t(v)].Name;
        if (BagFull(g)) {
            g.MessageText += name + "が入ってたけど、鞄が一杯で取れないわね…";
            return;
        }
        g.MessageText += BagChange(g, v, 0, false, 1) ? "中身は……" + name + "ね"
                                                      : name + "が入ってたけど、鞄が一杯で取れないわね…";
        return;
    }
    const std::string& name = g.AllItem[size_t(v)].Name;
    const bool held = SackHolds(g, v);
    const bool nine = SackCheck(g, v, MostOfAnItem, false, false);
    if ((!SackFull(g) || held) && !nine && SackChange(g, v, 0, false, 1, false)) {
        g.MessageText += "中身は……" + name + "ね";
    } else if (nine) {
        g.MessageText += name + "が入ってたけど、もう既に9個持ってるわね…";
    } else {
        g.MessageText += name + "が入ってたけど、袋が一杯で持てないわね…";
    }
}

void Treasure(Game& g) {
    g.StoryNo = 999;
    const long r = g.Chance(11);
    if (r == 0) {
        g.MessageText = "イザベラ：ラッキー♪鍵が開いてるわ。";
        ChestContents(g);
    } else if (r <= 2) {
        g.MessageText = "鍵は掛かってないけど、何も入ってなかったわ。残念ね…";
    } else if (SackHolds(g, ChestKeyItem)) {
        UseUpOne(g, ChestKeyItem);
        g.MessageText = "鍵を使って開けてみましょう。";
        ChestContents(g);
    } else {
        g.MessageText = "鍵が掛かっているわ。私は盗賊じゃないから開けられないわ。残念ね…";
    }
    RefreshListWindow(g);
    ShowMessage(g, g.MessageText);
}

// The figure of the find stands before the heroine.
void ShowFinder(Game& g) {
    PlaceVisitor(g);
    FieldFrame(g, g.VisitorSprite);
    g.NoClick = NoClickNone;
    RefreshListWindow(g);
    AutoAdvanceWait(g);
}

void Discover(Game& g, const char* event, const char* line) {
    g.EventName = event;
    g.VisitorSprite = BlankFigure;
    ShowMessage(g, line);
    g.StoryNo = 9;
    ShowFinder(g);
}

void CloseFind(Game& g) {
    FieldFrame(g);
    g.frmUnderMes3.Unload();
    ShowMessage(g, "");
    g.StoryNo = 0;
    g.EventName.clear();
    g.StoryName.clear();
    g.VisitorSprite = NoSprite;
    g.EventBusy = false;
    g.NoClick = NoClickNone;
}

SellerRoll SellerOf(FindKind k) {
    switch (k) {
        case FindKind::NumberGame: return SellerRoll::NumberGame;
        case FindKind::Jewel: return SellerRoll::Jewel;
        case FindKind::Devil: return SellerRoll::Devil;
        default: return SellerRoll::SackOrBag;
    }
}

}  // namespace

void frmField::ItemSelect() {
    Game& g = game;
    g.EventBusy = true;
    g.NoClick = NoClickAuto;
    g.StoryNo = 1;
    g.StoryName = "ItemGet";
    const FindKind kind = FindRoll[size_t(g.Chance(100))];
    switch (kind) {
        case FindKind::Nothing:
            g.EventBusy = false;
            g.StoryNo = 0;
            g.NoClick = NoClickNone;
            return;
        case FindKind::PickUp: Discover(g, "PickUp", "イザベラ：あら？"); return;
        case FindKind::LostTrap: Discover(g, "LostTrap", "イザベラ：あら？"); return;
        case FindKind::Treasure:
            if (g.EventField == "In") Discover(g, "Treasure", "イザベラ：やったぁ。宝箱だわ！");
            else QuietEnd(g);
            return;
        default:
            if (SellerOffer(g, SellerOf(kind))) ShowFinder(g);
            else QuietEnd(g);
            return;
    }
}

void frmField::ItemTurn() {
    Game& g = game;
    g.NoClick = NoClickAuto;
    if (g.EventName == "GameStart") {
        CloseFind(g);
        return;
    }
    bool shown = false;
    if (g.StoryNo == 2) {
        shown = SellerQuestion(g);
    } else if (g.StoryNo > StoryWaitNo) {
        shown = SellerAnswer(g);
    } else if (g.StoryNo >= 10 && g.StoryNo <= 200) {
        if (g.EventName == "PickUp") {
            if (PickUp(g, *this)) return;
            shown = true;
        } else if (g.EventName == "LostTrap") {
            LostTrap(g);
            shown = true;
        } else if (g.EventName == "Treasure") {
            Treasure(g);
            shown = true;
        }
    } else if (g.StoryNo == 1000) {
        CloseFind(g);
        return;
    }
    g.NoClick = NoClickNone;
    if (shown) AutoAdvanceWait(g);
}

}  // namespace q
