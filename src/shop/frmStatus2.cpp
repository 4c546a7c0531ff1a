#include "shop/frmStatus2.h"

#include <algorithm>
#include <array>

#include "shop/frmStatus.h"

namespace q {

namespace {

constexpr std::array<const char*, 15> Captions{
    "日付：", "時刻：", "攻撃力：", "防御力：", "素早さ：", "毒：", "麻痺：", "盲目：",
    "呪い：", "俊足の靴：", "魔除けの護符：", "旅のお供ガム：", "旅のお供アメ：", "倉庫：", "魔法のランタン：",
};

constexpr std::array<const char*, 15> Tips{
    "現在の日付を表示しています",
    "現在時刻を表示しています",
    "攻撃力を表示しています",
    "防御力を表示しています",
    "素早さを表示しています",
    "毒状態の場合、「異常」と表示されます",
    "麻痺状態の場合、「異常」と表示されます",
    "盲目状態の場合、「異常」と表示されます",
    "呪い状態の場合、「異常」と表示されます",
    "靴使用状態で「発動中」と表示されます",
    "護符使用状態で「発動中」と表示されます",
    "ガム使用状態で「発動中」と表示されます",
    "アメ使用状態で「発動中」と表示されます",
    "「現在の倉庫（個数）／最大倉庫（個数）」を表示しています",
    "ランタン使用状態で「発動中」と表示されます",
};

constexpr std::array<const char*, 10> Signs{
    "陽－木", "陽－火", "陽－土", "陽－金", "陽－水", "陰－木", "陰－火", "陰－土", "陰－金", "陰－水",
};

constexpr int PocketWatch = 14;
constexpr int RowsPerColumn = 8;

// The box of each condition counter: ailments show "異常", the helpful
// effects "発動中", and every one "―――" while it is not in effect.
struct ConditionBox {
    int box;
    int condition;
    const char* on;
};
constexpr std::array<ConditionBox, 9> ConditionBoxes{{
    {5, CondPoison, "異常"},
    {6, CondParalysis, "異常"},
    {7, CondBlindness, "異常"},
    {8, CondCurse, "異常"},
    {9, CondFastWalk, "発動中"},
    {10, CondNoEncounter, "発動中"},
    {11, CondNoHunger, "発動中"},
    {12, CondNoThirst, "発動中"},
    {14, CondLantern, "発動中"},
}};

}  // namespace

std::string TimeSign(Long NowTime, bool HasWatch, const std::string& Shown) {
    if (!HasWatch) return NowTime <= 50 ? "陽" : "陰";
    // Ten units to a sign. The turn of the day (0) changes nothing: the box
    // keeps what it showed, and a box that showed nothing yet the sign of
    // the period that has just ended.
    if (NowTime <= 0) return Shown.empty() ? Signs.back() : Shown;
    return Signs[size_t(std::clamp<Long>((NowTime - 1) / 10, 0, 9))];
}

frmStatus2::frmStatus2(Game& g) : ListWindow(g, "frmStatus2", 1) {
    add(LBLStatus);
    add(TXTStatus);
    for (auto& l : LBLStatus) PassMouse(*l);
    for (auto& t : TXTStatus) {
        PassMouse(*t, false);
        t->KeyDown = [this](int k, int s) { Form_KeyDown(k, s); };
    }
}

void frmStatus2::Design() {
    DesignWindow(3615, ListWindowHeight);
    BackColor = RGB(224, 224, 224);
    DesignStatusPage(*this, LBLStatus, TXTStatus, Captions.data(), Tips.data(), RowsPerColumn);
}

void frmStatus2::Form_Load() {
    Game& g = game;
    TXTStatus[0].Text = std::to_string(g.NowYear) + "年" + std::to_string(g.NowMonth) + "月" + std::to_string(g.NowDay) + "日";
    TXTStatus[1].Text = TimeSign(g.NowTime, g.AllKey[PocketWatch].LKeyList, TXTStatus[1].Text.get());
    TXTStatus[2].Text = std::to_string(g.MyAt);
    TXTStatus[3].Text = std::to_string(g.MyDi);
    TXTStatus[4].Text = std::to_string(g.MySp);
    for (const auto& c : ConditionBoxes)
        TXTStatus[c.box].Text = g.Condition[size_t(c.condition)] != 0 ? c.on : "―――";
    TXTStatus[13].Text = std::to_string(g.HaveStockNum) + "／" + std::to_string(g.NowMaxStock);
}

}  // namespace q
