#include "core/Stats.h"

#include <cmath>
#include <limits>
#include <optional>

#include "core/Game.h"
#include "core/GoToPlace.h"
#include "core/Growth.h"
#include "core/Clock.h"
#include "core/InitGame.h"
#include "core/Inventory.h"
#include "core/Message.h"
#include "core/StoryInput.h"
#include "shop/ListWindows.h"

namespace q {

namespace {

// A number as a whole Long: halves to even, held within the Long's range.
Long WholeLong(double v) {
    const double r = std::nearbyint(v);
    if (!(r > double(std::numeric_limits<Long>::min()))) return std::numeric_limits<Long>::min();
    if (r >= double(std::numeric_limits<Long>::max())) return std::numeric_limits<Long>::max();
    return Long(r);
}

struct StatKey {
    std::string_view key;
    Long GameState::*value;            // the variable the key changes
    Long GameState::*current;          // with Current: what she has now (else null)
    std::optional<double> upper;       // a fixed upper bound
    std::optional<double> lower;
    bool deltaAtBound;                 // a cut at the upper bound records the rise made
};

constexpr double Counter = 999999999;

const StatKey StatKeys[] = {
    {"Hp", &GameState::MyMaxHp, &GameState::MyNowHp, 9999, std::nullopt, true},
    {"Body", &GameState::MyMaxBody, &GameState::MyNowBody, 999, std::nullopt, true},
    {"Water", &GameState::MyMaxWater, &GameState::MyNowWater, 999, std::nullopt, true},
    {"Fame", &GameState::MyFame, nullptr, 9999, 0, false},
    {"Gold", &GameState::MyGold, nullptr, 999999999, 0, false},
    {"At", &GameState::MyAt, nullptr, 999, std::nullopt, true},
    {"Di", &GameState::MyDi, nullptr, 999, std::nullopt, true},
    {"Sp", &GameState::MySp, nullptr, 999, std::nullopt, true},
    {"Enemy", &GameState::EnemyCount, nullptr, Counter, std::nullopt, false},
    {"Escape", &GameState::EscapeCount, nullptr, Counter, std::nullopt, false},
    {"Die", &GameState::DieCount, nullptr, Counter, std::nullopt, false},
    {"Sell", &GameState::SellCount, nullptr, Counter, std::nullopt, false},
    {"Buy", &GameState::BuyCount, nullptr, Counter, std::nullopt, false},
    {"Decline", &GameState::DeclineCount, nullptr, Counter, std::nullopt, false},
    {"Dealing", &GameState::DealingCount, nullptr, Counter, std::nullopt, false},
    {"Wood", &GameState::WoodNum, nullptr, 99999, std::nullopt, false},
};

// Step 1: the toll by where she fell. False when none of the cases applies.
bool TakeToll(Game& g) {
    if (g.SavedStoryName == "ShopEvent" && g.SceneFormName == "frmShop") {
        // She lost the fight with a robber.
        AddStat(g, -(g.MyFame * 0.6), "Fame");
        AddStat(g, -double(g.MyGold), "Gold");
        AddStat(g, 1, "Die");
        g.AutoBlocked = false;
        g.SavedStoryName.clear();
        g.MessageText = RobbedLine;
        return true;
    }
    if (g.SceneFormName == "frmShop") {
        const Long k = g.MyLevel / 2 < 1 ? 1 : g.MyLevel / 2;
        AddStat(g, -(g.MyFame * 0.4), "Fame");
        AddStat(g, -(50.0 * g.MyLevel * k), "Gold");
        AddStat(g, 1, "Die");
        g.MessageText = ExhaustedLine;
        return true;
    }
    if (g.SceneFormName == "frmField" || g.SavedStoryName == "BoardEvent") {
        AddStat(g, -(g.MyFame * 0.4), "Fame");
        g.MyGold = 0;
        g.HaveBag = 0;
        g.HaveBagNum = 0;
        g.HaveSack = 0;
        AddStat(g, 1, "Die");
        g.MessageText = AwayLine;
        return true;
    }
    return false;
}

// Step 2: a day passes, she is restored and wakes at home.
void WakeUp(Game& g) {
    PassTime(g, 100);
    g.MyNowHp = g.MyMaxHp;
    g.MyNowBody = g.MyMaxBody;
    g.MyNowWater = g.MyMaxWater;
    ClearConditions(g);
    RefreshListWindow(g);
    g.EventBusy = false;
    g.HelperPresent = false;
    g.DieFlg = false;
    g.FaintHeld = false;
    if (g.SceneFormName == "frmShop") {
        g.VisitorSprite = NoSprite;
        g.ShopEventKind = ShopEventNone;
        g.Call("frmShop.ShopClose");
    } else if (g.SceneFormName == "frmField") {
        // Carried to the Hanoda board, which sends her straight on to her shop.
        g.StoryName.clear();
        g.StoryNo = 0;
        g.ResumeCode[0] = ResumeFainted;
        g.FieldName = "Hanoda";
        if (Form* f = g.app.find("frmField")) f->Unload();
        GoToPlace(g, "Board", "", "", "");
        if (Form* f = g.app.find("frmEvent")) f->Unload();
    } else if (g.SavedStoryName == "BoardEvent") {
        g.SavedStoryName.clear();
        g.StoryName.clear();
        g.EventField.clear();
        g.SavedEventField.clear();
        g.StoryNo = 0;
        g.FieldName = "Hanoda";
        GoToPlace(g, "Shop", "", "", "");
    }
}

}  // namespace

void AddStat(Game& g, double Amount, std::string_view Key, bool Current) {
    g.StatDelta = WholeLong(Amount);
    for (const StatKey& k : StatKeys) {
        if (k.key != Key) continue;
        const bool now = Current && k.current;
        Long& v = g.*(now ? k.current : k.value);
        const Long old = v;
        const double sum = double(v) + Amount;
        const std::optional<double> upper = now ? std::optional<double>(g.*k.value) : k.upper;
        const std::optional<double> lower = now ? std::optional<double>(0) : k.lower;
        if (upper && sum > *upper) {
            v = Long(*upper);
            if (k.deltaAtBound && !now) g.StatDelta = v - old;
        } else if (lower && sum < *lower) {
            v = Long(*lower);
        } else {
            v = WholeLong(sum);
        }
        return;
    }
}

void GameOverStory(Game& g) {
    g.NoClick = NoClickAll;
    switch (g.StoryNo) {
        case 0:
            // The branch of life revives her once the time step that made her
            // faint has returned; without it the faint runs its course.
            if (SackCheck(g, 8, 1, false, false)) {
                g.RevivePending = true;
            } else {
                g.StoryName = "GameOver";
                g.RevivePending = false;
            }
            g.BattlePhase = BattleNone;
            g.DieFlg = true;
            g.MyNowHp = 0;
            RefreshListWindow(g);
            ShowMessage(g, FaintLine);
            g.NoClick = NoClickNone;
            AutoAdvanceWait(g);
            break;
        case 1:
            TakeToll(g);
            RefreshListWindow(g);
            ShowMessage(g, g.MessageText);
            g.NoClick = NoClickNone;
            AutoAdvanceWait(g);
            break;
        case 2:
            WakeUp(g);
            break;
        default:
            break;
    }
    g.NoClick = NoClickNone;
}

}  // namespace q
