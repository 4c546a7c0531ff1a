// The shop's main road: a customer comes, asks for an arm or offers one,
// haggles, and the deal is settled in money, fame, experience, counters,
// stock and time.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/Clock.h"
#include "core/Growth.h"
#include "core/Inventory.h"
#include "core/Message.h"
#include "core/Stats.h"
#include "core/StoryInput.h"
#include "core/World.h"
#include "core/frmUnderMes.h"
#include "shop/ListWindows.h"
#include "shop/ShopLines.h"
#include "shop/ShopSpeech.h"
#include "shop/frmShop.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

namespace {

constexpr Long RobberLeaving = 166;  // the robber walking away: nobody comes meanwhile
constexpr Long RobberPicture = 169;
constexpr Long SoldierPicture = 8;
constexpr Long SwordsmanPicture = 33;
constexpr Long GirlPicture = 75;
constexpr long SwordsmanRoll = 2;
constexpr Long HelperFame = 9999;        // with the swordsman helping, customers come as to the famous
constexpr Long RoyalOrderFame = 4000;
constexpr Long MostOrders = 5;
constexpr Long CustomerStartX = -32;
constexpr Long GirlBid = 3;              // she bids once and never again

// Steps of the deal story.
constexpr Long StepOpening = 1;
constexpr Long StepQuestion = 2;
constexpr Long StepAnswer = StoryWaitNo + 2;
constexpr Long StepMissing = 10;
constexpr Long StepTooDear = 20;
constexpr Long StepNoMoney = 30;
constexpr Long StepNoRoom = 40;
constexpr Long StepCannotPay = 50;
constexpr Long StepHaggle = 60;
constexpr Long StepAgreed = 70;
constexpr Long StepPlea = 110;
constexpr Long StepRefused = 120;
constexpr Long StepAfterCannotPay = 201;
constexpr Long StepAfterFailed = 251;
constexpr Long StepSettle = 301;
constexpr Long StepLevelUp = 400;
constexpr Long StepAfterLevelUp = 401;
constexpr Long StepFarewell = 500;
constexpr Long StepLeave = 501;

constexpr const char* LevelUpLine = "＋＋＋　レベルアップ！　＋＋＋";

// Int(Rnd * (Hi - Lo + 1) + Lo), its bounds left in RandLo and RandHi.
Long RollBetween(Game& g, Long lo, Long hi) {
    g.RandLo = lo;
    g.RandHi = hi;
    return Long(std::floor(g.rng.Rnd() * double(hi - lo + 1) + double(lo)));
}

// A small stake: a quarter of a level-sized draw, at least 1.
Long SmallStake(Game& g) { return std::max<Long>(1, RoundHalfEven(g.rng.Rnd() * g.MyLevel) / 4); }

Long AtLeastTwo(Long v) { return v <= 1 ? 2 : v; }

// The fame at stake grows with the distance of the asking price from the
// list price: five bands below it (a bargain) and five above (too dear).
// Band 0 lies next to the list price, band 4 farthest away.
Long Stake(Game& g, int band) {
    const Long L = g.MyLevel;
    switch (band) {
        case 0: return g.Chance(2) == 0 ? SmallStake(g) : 0;
        case 1: return SmallStake(g);
        case 2: return RollBetween(g, std::max<Long>(1, L / 4), AtLeastTwo(L / 2));
        case 3: return RollBetween(g, std::max<Long>(1, L / 2), AtLeastTwo(RoundHalfEven(0.75 * L)));
        default: return RollBetween(g, std::max<Long>(1, RoundHalfEven(0.75 * L)), L + 1);
    }
}

// The bands' edges in tenths of the list price, compared exactly: a price
// of exactly 0.9 or 1.1 times the list price lies on the edge whatever the
// list price is.
constexpr Long Below[] = {9, 8, 7, 6};   // a band starts above this share
constexpr Long Above[] = {11, 12, 13, 14};  // a band ends below this share

int PriceBand(Long asked, Long base) {
    const std::int64_t a = std::int64_t(asked) * 10, b = base;
    int band = 0;
    if (asked <= base) {
        while (band < 4 && !(a > b * Below[band])) ++band;
    } else {
        while (band < 4 && !(a < b * Above[band])) ++band;
    }
    return band;
}

// An arm that customers may name at this stage of the story.
Long AnyNameableArm(Game& g) {
    SetRange(g, 0);
    return Long(g.Chance(g.DealArm));
}

bool OnDisplay(const Game& g, Long arm) {
    for (Long i = 0; i < g.HaveShop && i < Long(g.MyShopArms.size()); ++i)
        if (g.MyShopArms[size_t(i)].SShopArmsNo == arm) return true;
    return false;
}

// A piece of the arm fits on the display: with its own kind, or in the room left.
bool DisplayTakes(const Game& g, Long arm) {
    if (OnDisplay(g, arm)) return true;
    return g.HaveShopNum < g.NowMaxShop && g.HaveShop < Long(g.MyShopArms.size());
}

}  // namespace

void frmShop::TimerEvent() {
    Game& g = game;
    if (g.LeaverSprite == RobberLeaving) return;
    const bool secondDeal = g.RepeatDeal == 1;
    if (!secondDeal && CustomerComes(g, g.HelperPresent ? HelperFame : g.MyFame) == NoCustomer) return;
    g.EventBusy = true;
    g.ArmMissing = false;
    g.PriceOutrageous = false;
    g.NoRepeat = false;
    g.HaggleCount = 0;
    g.SpecialPay = 0;
    g.FameDelta = 0;
    if (!secondDeal) {
        g.CloseRequest = CloseNone;
        g.RepeatDeal = 0;
        if (ChooseVisitor()) {
            g.VisitorX = CustomerStartX;
            g.ShopPhase = ShopCustomerChosen;
            return;
        }
    }
    // One customer in ten brings an arm to sell.
    g.CustomerBuys = true;
    if (g.Chance(10) == 0) g.CustomerBuys = false;
    if (g.CustomerBuys && g.HaveShop == 0) g.ArmMissing = true;
    if (secondDeal) {
        BuyANDSellItem();
        return;
    }
    g.VisitorX = CustomerStartX;
    g.ShopPhase = ShopCustomerChosen;
}

bool frmShop::ChooseVisitor() {
    Game& g = game;
    for (;;) {
        long kind = g.Chance(11);
        while (g.HelperPresent && kind == SwordsmanRoll) kind = g.Chance(11);
        Long picture = CustomerKinds()[size_t(kind)]->picture;
        const long event = g.Chance(60);
        g.ShopEventKind = ShopEventNone;
        // Some rolls that miss their event send a plain customer, even the
        // one who came last.
        bool anyoneButTheLast = true;
        if (event == 0) {
            if (g.HelperPresent || g.RobberCame) {
                anyoneButTheLast = false;
            } else {
                g.ShopEventKind = ShopEventRobber;
                picture = RobberPicture;
            }
        } else if (event == 1) {
            const bool orderable = g.NowRequest < CollectedArmsCount(g, true) && g.MyFame >= RoyalOrderFame &&
                                   g.NowRequest < MostOrders && !OrderableArms(g).empty();
            if (orderable) {
                g.ShopEventKind = ShopEventRoyalOrder;
                picture = SoldierPicture;
            } else {
                anyoneButTheLast = false;
            }
        } else if (event == 2) {
            if (g.HelperPresent) {
                anyoneButTheLast = false;
            } else {
                g.ShopEventKind = ShopEventSwordsman;
                picture = SwordsmanPicture;
            }
        } else if (g.CloseOrder >= 1 || g.OderNG >= 1) {
            g.ShopEventKind = ShopEventCollection;
            picture = SoldierPicture;
            g.WorkNum3 = 0;
            g.WorkIndex = 0;
            g.KeepRequestArms.fill({});
        }
        if (anyoneButTheLast && picture == g.LastVisitorSprite) continue;
        g.VisitorSprite = picture;
        return g.ShopEventKind != ShopEventNone;
    }
}

void frmShop::BuyANDSellItem() {
    Game& g = game;
    if (g.ShopEventKind != ShopEventNone) {
        g.StoryName = "ShopEvent";
        g.StoryNo = 1;
        g.Call("frmShop.EventStart");
        return;
    }
    if (g.CustomerBuys) WantedArm();
    else OfferedArm();
    g.StoryNo = StepOpening;
    if (g.RepeatDeal == 1) g.RepeatDeal = 2;
    BuyANDSell();
}

void frmShop::WantedArm() {
    Game& g = game;
    // The display may have been emptied while he walked in.
    if (g.HaveShop == 0) g.ArmMissing = true;
    do {
        // Mostly an arm on display; one time in 25 any arm, which may be missing.
        long r = g.Chance(25);
        if (g.ArmMissing) r = 0;
        if (r != 0) {
            g.DealArm = g.MyShopArms[size_t(g.Chance(g.HaveShop))].SShopArmsNo;
        } else {
            const Long arm = AnyNameableArm(g);
            if (!OnDisplay(g, arm)) g.ArmMissing = true;
            g.DealArm = arm;
        }
    } while (g.RepeatDeal == 1 && g.DealArm == g.LastDealArm);
    const ArmRecord& arm = g.AllArms[size_t(g.DealArm)];
    g.DealPrice = arm.LArmsSetPrice;
    g.WorkNum = arm.LArmsSetPrice;
    g.WorkNum2 = arm.BasePrice;
    FameAtStake();
}

void frmShop::FameAtStake() {
    Game& g = game;
    const Long asked = g.WorkNum, base = g.WorkNum2;
    if (asked > base) {
        if (g.Chance(20) == 0) g.PriceOutrageous = true;
        g.FameDelta = -Stake(g, PriceBand(asked, base));
    } else {
        g.FameDelta = Stake(g, PriceBand(asked, base));
    }
}

void frmShop::OfferedArm() {
    Game& g = game;
    Long arm = 0;
    do {
        arm = AnyNameableArm(g);
    } while (g.RepeatDeal == 1 && arm == g.LastDealArm);
    g.DealArm = arm;
    const Long base = g.AllArms[size_t(arm)].BasePrice;
    g.RandHi = RoundHalfEven(1.5 * base);
    g.RandLo = RoundHalfEven(0.5 * base);
    g.DealPrice = Long(std::floor(g.rng.Rnd() * double(g.RandHi - g.RandLo + 1) + double(g.RandLo)));
    // Sellers ask more when times are hard, less in a boom.
    if (g.EconomyValue == EconomySlump) g.DealPrice += Long(std::floor(g.DealPrice * 0.1));
    else if (g.EconomyValue == EconomyBoom) g.DealPrice -= Long(std::floor(g.DealPrice * 0.1));
    g.FameDelta = Long(g.Chance(g.MyLevel)) + 1;
}

void frmShop::BuyANDSell() {
    Game& g = game;
    g.NoClick = NoClickLeft;
    if (g.DieFlg && g.AutoNext) {
        if (g.RevivePending && Revive(false)) g.StoryNo = StepFarewell;
        g.NoClick = NoClickNone;
        return;
    }
    if (g.StoryNo == 0) g.StoryNo = StepOpening;
    switch (g.StoryNo) {
        case StepOpening: ShopSpeech(g); break;
        case StepQuestion:
            if (g.CustomerBuys) ShowMessage(g, "売る", "売らない", "", true);
            else ShowMessage(g, "買う", "買わない", "", true);
            g.AnswerKey = AnswerNone;
            g.WaitingAnswer = true;
            g.StoryNo = StoryWaitNo;
            break;
        case StoryWaitNo: g.NoClick = NoClickNone; return;
        case StepAnswer:
            JudgeAnswer();
            ShopSpeech(g);
            break;
        case StepAfterCannotPay:
            if (g.SpecialPay == 1) {
                // The soldier takes the arm for half to nine tenths of its price.
                g.DealPrice = Long(std::floor((double(g.Chance(5)) + 5) * 0.1 * g.DealPrice));
                g.FameDelta += 2;
                if (!Settle()) return;
            } else {
                if (!DealTimePasses()) return;
                SecondDealRoll();
            }
            break;
        case StepAfterFailed:
            if (g.SpecialPay == 2) {
                g.DealPrice = 0;
                if (!Settle()) return;
            } else {
                AddStat(g, -std::abs(g.FameDelta), "Fame");
                if (!DealTimePasses()) return;
                g.DealAccepted = false;
                SecondDealRoll();
            }
            break;
        case StepSettle:
            if (!Settle()) return;
            break;
        case StepAfterLevelUp: SecondDealRoll(); break;
        case StepLeave:
            g.RepeatDeal = 0;
            g.frmUnderMes->LBLMessage[0].Caption = "";
            g.StoryNo = 0;
            g.NoClick = NoClickNone;
            CustomerLeaves();
            return;
        default: ShopSpeech(g); break;
    }
    g.NoClick = NoClickNone;
    AutoAdvanceWait(g);
}

void frmShop::JudgeAnswer() {
    Game& g = game;
    const long d = g.Chance(51);
    const bool seller = !g.CustomerBuys;
    if (g.AnswerKey == AnswerNo) {
        // A seller may plead once or twice; a buyer takes no for an answer.
        g.DealAccepted = false;
        if (seller && d >= 1 && d <= 10 && g.HaggleCount < 2) {
            g.HaggleCount += 1;
            g.StoryNo = StepPlea;
        } else {
            g.StoryNo = StepRefused;
        }
        return;
    }
    g.DealAccepted = true;
    if (g.ArmMissing) {
        g.StoryNo = StepMissing;
        return;
    }
    if (g.PriceOutrageous) g.StoryNo = StepTooDear;
    else if (seller && g.DealPrice > g.MyGold) g.StoryNo = StepNoMoney;
    else if (seller && g.HaveShopNum >= g.NowMaxShop) g.StoryNo = StepNoRoom;
    else if (!seller && d == 0 && g.HaggleCount == 0) g.StoryNo = StepCannotPay;
    else if (!seller && d >= 1 && d <= 10 && g.HaggleCount < 2) {
        g.DealPrice = Long(std::floor((double(g.Chance(3)) + 7) * 0.1 * g.DealPrice));
        g.HaggleCount = g.VisitorSprite == GirlPicture ? GirlBid : g.HaggleCount + 1;
        g.StoryNo = StepHaggle;
    } else {
        g.StoryNo = StepAgreed;
        return;
    }
    g.NoRepeat = true;
}

bool frmShop::Settle() {
    Game& g = game;
    if (!g.CustomerBuys) g.DealPrice = -g.DealPrice;
    g.FameDelta += 2 * g.HaggleCount;
    // The arm changes hands first: no money moves for an arm that is no
    // longer on display, nor for one that has no place there any more.
    bool moved = false;
    if (g.CustomerBuys) {
        moved = ShopArmsTake(g, g.DealArm, 1);
    } else if (DisplayTakes(g, g.DealArm)) {
        moved = ShopArmsChange(g, g.DealArm, 0, false, 1);
    }
    if (moved) AddStat(g, g.DealPrice, "Gold");
    AddStat(g, g.FameDelta, "Fame");
    GainExp(g);
    AddStat(g, 1, g.CustomerBuys ? "Buy" : "Sell");
    if (g.LevelUpPending) {
        // The level-up is announced instead; no time passes for this deal.
        g.LevelUpPending = false;
        g.StoryNo = StepLevelUp;
        ShowMessage(g, LevelUpLine);
        RefreshListWindow(g);
        return true;
    }
    if (!DealTimePasses()) return false;
    SecondDealRoll();
    return true;
}

bool frmShop::DealTimePasses() {
    Game& g = game;
    AdvanceTime(g, 2, true);
    if (!g.DieFlg) return true;
    // She fainted from the strain: the branch of life, or the faint's story.
    if (g.RevivePending && Revive(false)) g.StoryNo = StepFarewell;
    g.NoClick = NoClickNone;
    return false;
}

void frmShop::SecondDealRoll() {
    Game& g = game;
    g.RepeatDeal = 0;
    const bool again = g.Chance(6) == 0;
    if (again && !g.NoRepeat && g.HaveShop >= 2) {
        g.RepeatDeal = 1;
        g.LastDealArm = g.DealArm;
        g.ShopEventKind = ShopEventNone;
        g.StoryNo = 0;
    } else {
        g.StoryNo = StepFarewell;
    }
    ShopSpeech(g);
}

}  // namespace q
