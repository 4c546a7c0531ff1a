// The shop's visitors who come for something other than a deal: the robber,
// the king's soldier with an order for arms, the soldier who collects the
// orders that are due, and the swordsman who keeps the shop with her until
// it closes. Each is the story "ShopEvent", one step per click; the
// visitor's lines and the step after each come from ShopSpeech.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/Clock.h"
#include "core/Growth.h"
#include "core/Inventory.h"
#include "core/Message.h"
#include "core/Stats.h"
#include "core/StoryInput.h"
#include "core/frmUnderMes.h"
#include "shop/ListWindows.h"
#include "shop/ShopSpeech.h"
#include "shop/frmShop.h"

namespace q {

namespace {

// Steps every event shares.
constexpr Long StepQuestion = 11;
constexpr Long StepAnswered = 12;
constexpr Long StepAnswer = StoryWaitNo + 2;  // the click that carries the answer
constexpr Long StepVisitEnds = 1001;
constexpr Long StepLeaveNow = 1002;

// The robber.
constexpr Long StepRobberPaid = 20;
constexpr Long StepRobberFights = 50;
constexpr Long StepRobberBeaten = 81;  // the fight won comes back at 80 and steps on

// The royal order.
constexpr Long StepOrderTaken = 20;
constexpr Long StepOrderRefused = 50;

// The collection: a line for each order looked at, then the next one.
constexpr Long StepSupplied = 30;
constexpr Long StepNoneSupplied = 40;
constexpr Long StepPartSupplied = 50;
constexpr Long StepOverdue = 80;
constexpr Long StepNextOrder = 10;
constexpr Long StepSearch = 11;
constexpr Long StepPaid = 61;
constexpr Long StepScolded = 81;
constexpr Long StepDelivered = 500;
constexpr Long StepNothingMore = 900;
constexpr Long StepRoundOver = 1000;

constexpr Long PaidPerPiece = 2;        // twice the list price
constexpr Long FamePerPiece = 15;       // a supplied order
constexpr double FameLostPerPiece = 10; // a refused, unsupplied or overdue order
constexpr double FameLostPerMissing = 5;  // a partly supplied order

constexpr const char* LevelUpLine = "＋＋＋　レベルアップ！　＋＋＋";

// Int(x) for the non-negative amounts of these rules.
Long Whole(double x) { return Long(std::floor(x)); }

// What a let-down order costs in fame: Int((Rnd * level + 1 + pieces) * per).
Long OrderFameLoss(Game& g, Long pieces, double per) {
    return Whole((g.rng.Rnd() * g.MyLevel + 1 + pieces) * per);
}

// The two questions a visitor asks, and the choice Enter and G take.
struct EventQuestion {
    Long kind;
    const char* first;
    const char* second;
    bool defaultYes;
};
constexpr EventQuestion Questions[] = {
    {ShopEventRobber, "金を出す", "戦う", false},  // left to herself she fights
    {ShopEventRoyalOrder, "受ける", "断わる", true},
};

const EventQuestion* QuestionOf(Long kind) {
    for (const EventQuestion& q : Questions)
        if (q.kind == kind) return &q;
    return nullptr;
}

// The answer to the open question sends the story to the step after it.
void TakeAnswer(Game& g) {
    const Long key = g.AnswerKey;
    g.StoryNo = g.SavedStoryNo + 1;
    g.AnswerKey = AnswerNone;
    const EventQuestion* q = QuestionOf(g.ShopEventKind);
    if (key == AnswerYes) g.DealAccepted = true;
    else if (key == AnswerNo) g.DealAccepted = false;
    else g.DealAccepted = q ? q->defaultYes : true;
}

// A step of an event returns true when it has put up a line and the talk
// goes on click by click; false when it has ended the visitor's turn itself.
using StepRun = bool (*)(Game&, frmShop&);

// The revival by the branch of life in the middle of a visit: the visitor
// then leaves at the next click.
void ReviveDuringVisit(Game& g, frmShop& shop) {
    if (shop.Revive(false)) g.StoryNo = StepVisitEnds;
}

void Leave(Game& g, frmShop& shop) {
    g.frmUnderMes->LBLMessage[0].Caption = "";
    g.SavedStoryName.clear();
    g.EnemyName.clear();
    g.ShopEventKind = ShopEventNone;
    g.StoryNo = 0;
    g.NoClick = NoClickNone;
    g.AutoBlocked = false;
    shop.CustomerLeaves();
}

// The visit has taken two units of her time, with strain.
void VisitEnds(Game& g, frmShop& shop) {
    AdvanceTime(g, 2, true);
    if (g.DieFlg) {
        if (g.RevivePending) ReviveDuringVisit(g, shop);
        g.NoClick = NoClickNone;
        return;
    }
    Leave(g, shop);
}

bool Ask(Game& g, frmShop&) {
    const EventQuestion* q = QuestionOf(g.ShopEventKind);
    if (!q) return true;
    g.StoryNo = StoryWaitNo;
    g.AnswerKey = AnswerNone;
    g.WaitingAnswer = true;
    g.SavedStoryNo = StepQuestion;
    ShowMessage(g, q->first, q->second, "", q->defaultYes);
    return true;
}

// --- The robber ---

bool RobberAsks(Game& g, frmShop& shop) {
    g.RobberCame = true;  // no second robber until the shop opens again
    return Ask(g, shop);
}

bool RobberAnswered(Game& g, frmShop&) {
    if (!g.DealAccepted) {
        // His threat; the next click starts the fight, which comes back here.
        g.StoryNo = StepRobberFights;
        ShopSpeech(g);
        g.SavedStoryName = "ShopEvent";
        g.StoryName = "Fighting";
        return true;
    }
    g.StoryNo = StepRobberPaid;
    ShopSpeech(g);  // his line knows whether there was money to give
    if (g.MyGold > 0) {
        AddStat(g, -std::max<Long>(1, g.MyGold / 2), "Gold");
        AddStat(g, -Whole(g.MyFame * 0.4), "Fame");
    } else {
        AddStat(g, -Whole(g.MyFame * 0.1), "Fame");
    }
    RefreshListWindow(g);
    return true;
}

// Back from a won fight: the robber runs off. The fight is over, so a faint
// from the strain of the visit is no robbery.
bool RobberBeaten(Game& g, frmShop&) {
    g.SavedStoryName.clear();
    ShopSpeech(g);
    return true;
}

// --- The royal order ---

bool OrderAnswered(Game& g, frmShop&) {
    if (g.DealAccepted) {
        g.StoryNo = StepOrderTaken;
        ShopSpeech(g);
        // The order drawn up when he named it: arm, quantity, days.
        if (g.NowRequest >= 0 && g.NowRequest < Long(g.MyRequestArms.size())) {
            g.MyRequestArms[size_t(g.NowRequest)] = {g.WorkNum2, g.WorkNum3, g.WorkNum};
            g.NowRequest += 1;
        }
        RefreshListWindow(g);
        return true;
    }
    g.StoryNo = StepOrderRefused;
    AddStat(g, 1, "Decline");
    AddStat(g, -OrderFameLoss(g, g.WorkNum3, FameLostPerPiece), "Fame");
    ShopSpeech(g);
    return true;
}

// --- The collection ---

// Takes up to `wanted` pieces of the arm from the first entry that holds it;
// the pieces taken.
template <class Entries, class Change>
Long TakeFirst(Game& g, Entries& entries, Long used, Long Entries::value_type::*arm,
               Long Entries::value_type::*pieces, Long armNo, Long wanted, Change change) {
    const Long n = std::min<Long>(used, Long(entries.size()));
    for (Long i = 0; i < n; ++i) {
        auto& e = entries[size_t(i)];
        if (e.*arm != armNo) continue;
        const Long taken = std::min(e.*pieces, wanted);
        return change(g, armNo, i, true, taken) ? taken : 0;
    }
    return 0;
}

bool ValidArm(const Game& g, Long arm) { return arm >= 0 && arm < Long(g.AllArms.size()); }

// A due order: what the shop can supply goes, first from the display, then
// from the warehouse, and is paid at twice the list price.
void CollectDue(Game& g, const RequestArmsEntry& order) {
    const Long arm = order.SRequestArmsNo;
    const Long wanted = order.SRequestArmsNum;
    g.WorkNum4 = wanted;
    g.WorkNum = TakeFirst(g, g.MyShopArms, g.HaveShop, &ShopArmsEntry::SShopArmsNo, &ShopArmsEntry::SShopArmsNum,
                          arm, wanted, ShopArmsChange);
    if (g.WorkNum < wanted)
        g.WorkNum += TakeFirst(g, g.MyStockArms, g.HaveStock, &StockArmsEntry::SStockArmsNo,
                               &StockArmsEntry::SStockArmsNum, arm, wanted - g.WorkNum, StockArmsChange);
    const Long base = ValidArm(g, arm) ? g.AllArms[size_t(arm)].BasePrice : 0;
    const std::int64_t pay = std::int64_t(base) * g.WorkNum * PaidPerPiece;
    g.WorkNum2 = Long(std::min<std::int64_t>(pay, std::numeric_limits<Long>::max()));
    if (g.WorkNum == wanted) {
        g.FameDelta = g.WorkNum * FamePerPiece + g.MyLevel;
        g.StoryNo = StepSupplied;
    } else if (g.WorkNum == 0) {
        g.FameDelta = -OrderFameLoss(g, wanted, FameLostPerPiece);
        g.StoryNo = StepNoneSupplied;
    } else {
        g.FameDelta = -OrderFameLoss(g, wanted - g.WorkNum, FameLostPerMissing);
        g.StoryNo = StepPartSupplied;
    }
}

// Looks on from WorkIndex for the next order that is due or overdue; the
// orders not due yet are kept aside on the way. The soldier then speaks of
// the order found, or ends his round.
bool SearchOrders(Game& g, frmShop&) {
    g.StoryNo = StepNothingMore;
    const Long orders = std::min<Long>(g.NowRequest, Long(g.MyRequestArms.size()));
    while (g.WorkIndex >= 0 && g.WorkIndex < orders) {
        const RequestArmsEntry order = g.MyRequestArms[size_t(g.WorkIndex)];
        g.FameDelta = 0;
        g.WorkNum = 0;
        g.WorkNum2 = 0;
        g.WorkNum4 = 0;
        g.WorkName = ValidArm(g, order.SRequestArmsNo) ? g.AllArms[size_t(order.SRequestArmsNo)].Name : "";
        g.WorkIndex += 1;
        if (order.SRequestArmsDay > 0) {
            if (g.WorkNum3 >= 0 && g.WorkNum3 < Long(g.KeepRequestArms.size())) {
                g.KeepRequestArms[size_t(g.WorkNum3)] = order;
                g.WorkNum3 += 1;
            }
            continue;
        }
        if (order.SRequestArmsDay == 0) {
            CollectDue(g, order);
        } else {
            g.WorkNum4 = order.SRequestArmsNum;
            g.FameDelta = -OrderFameLoss(g, order.SRequestArmsNum, FameLostPerPiece);
            g.StoryNo = StepOverdue;
        }
        break;
    }
    ShopSpeech(g);
    return true;
}

// The money and fame of one order, then the soldier's word on it.
bool SettleOrder(Game& g, frmShop&) {
    AddStat(g, g.WorkNum2, "Gold");
    AddStat(g, g.FameDelta, "Fame");
    RefreshListWindow(g);
    ShopSpeech(g);
    return true;
}

// A supplied order counts as a sale and brings experience; the search goes
// on at once, or after the level-up line.
bool Delivered(Game& g, frmShop& shop) {
    AddStat(g, 1, "Sell");
    GainExp(g);
    g.StoryNo = StepNextOrder;
    if (g.LevelUpPending) {
        g.LevelUpPending = false;
        ShowMessage(g, LevelUpLine);
        RefreshListWindow(g);
        return true;
    }
    RefreshListWindow(g);
    return SearchOrders(g, shop);
}

// The round is over: only the orders that are not due yet remain, in their
// order. Due and overdue orders are gone, supplied or not.
bool OrdersClosed(Game& g, frmShop& shop) {
    g.MyRequestArms.fill({});
    const Long kept = std::clamp<Long>(g.WorkNum3, 0, Long(g.KeepRequestArms.size()));
    std::copy_n(g.KeepRequestArms.begin(), kept, g.MyRequestArms.begin());
    g.NowRequest = kept;
    g.OderNG = 0;
    g.CloseOrder = 0;
    VisitEnds(g, shop);
    return false;
}

// --- The helping swordsman ---

// He stays beside her and keeps the shop until it closes; the clock runs on.
bool HelperStays(Game& g, frmShop& shop) {
    g.AutoBlocked = false;
    g.HelperPresent = true;
    g.frmUnderMes->LBLMessage[0].Caption = "";
    g.ShopEventKind = ShopEventNone;
    g.StoryNo = 0;
    g.StoryName.clear();
    g.ShopPhase = ShopIdle;
    g.EventBusy = false;
    shop.DrawFrame(frmShop::FrameInit | frmShop::FrameLeaver | frmShop::FrameGauges);
    shop.Timer1.Interval = g.SpeedInterval;
    g.NoClick = NoClickNone;
    return false;
}

// The steps each event handles itself; every other step is the visitor's
// line.
struct EventStep {
    Long kind;
    Long step;
    StepRun run;
};
constexpr EventStep Steps[] = {
    {ShopEventRobber, StepQuestion, RobberAsks},
    {ShopEventRobber, StepAnswered, RobberAnswered},
    {ShopEventRobber, StepRobberBeaten, RobberBeaten},
    {ShopEventRoyalOrder, StepQuestion, Ask},
    {ShopEventRoyalOrder, StepAnswered, OrderAnswered},
    {ShopEventCollection, StepSearch, SearchOrders},
    {ShopEventCollection, StepPaid, SettleOrder},
    {ShopEventCollection, StepScolded, SettleOrder},
    {ShopEventCollection, StepDelivered, Delivered},
    {ShopEventCollection, StepRoundOver, OrdersClosed},
    {ShopEventSwordsman, StepQuestion, HelperStays},
};

bool RunStep(Game& g, frmShop& shop) {
    for (const EventStep& s : Steps)
        if (s.kind == g.ShopEventKind && s.step == g.StoryNo) return s.run(g, shop);
    ShopSpeech(g);
    return true;
}

}  // namespace

void frmShop::EventStart() {
    Game& g = game;
    g.NoClick = NoClickLeft;
    g.AutoBlocked = true;
    if (g.DieFlg && g.AutoNext) {
        if (g.RevivePending) ReviveDuringVisit(g, *this);
        else g.StoryName = "GameOver";
        g.NoClick = NoClickNone;
        return;
    }
    switch (g.StoryNo) {
        case StoryWaitNo: g.NoClick = NoClickNone; return;
        case StepVisitEnds: VisitEnds(g, *this); return;
        case StepLeaveNow: Leave(g, *this); return;
        default: break;
    }
    // Only the click that comes back from the question carries its answer:
    // a key left over from an earlier deal or from closing is no answer.
    if (g.StoryNo == StepAnswer) TakeAnswer(g);
    if (!RunStep(g, *this)) return;
    g.NoClick = NoClickNone;
    AutoAdvanceWait(g);
}

}  // namespace q
