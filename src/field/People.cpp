// People on the road: one of ten travellers talks, wants to buy an arm from
// the heroine's bag, or offers her one.
#include <cmath>

#include "core/Game.h"
#include "core/Message.h"
#include "core/StoryInput.h"
#include "core/World.h"
#include "field/FieldEvents.h"
#include "field/ManSpeech.h"
#include "field/frmField.h"
#include "shop/ListWindows.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

namespace {

enum TradeMode : Long { Talks = 0, Buys = 1, Sells = 2 };

constexpr Long QuestionStep = 2;
constexpr Long AcceptedStep = 21;
constexpr Long RefusedStep = 41;

Long Between(Game& g, Long lo, Long hi) { return Long(g.Chance(hi - lo + 1)) + lo; }

// The arm a buyer asks for, from the bag; false when there is none he would take.
bool ChooseWantedArm(Game& g) {
    if (g.HaveBagNum <= 0 || g.HaveBag <= 0) return false;
    const Long e = Long(g.Chance(g.HaveBag));
    g.DealArm = g.MyBag[size_t(e)].HHaveBagNo;
    return !g.AllArms[size_t(g.DealArm)].Special;
}

// The arm a seller offers, from the area's arms; false when he has none.
bool ChooseOfferedArm(Game& g) {
    if (g.HaveBagNum >= g.NowMaxBag) return false;
    SetRange(g, 1);
    for (;;) {
        const Long a = Between(g, g.RangeMin, g.RangeMax);
        const Long k = Long(g.Chance(20));
        if (ArmTaken(g.AllArms[size_t(a)].Rarity, k, false)) {
            g.DealArm = a;
            return true;
        }
        if (!LuckyReroll(g)) return false;
    }
}

// The price and the fame of the trade; false when she cannot pay it.
bool PriceTheTrade(Game& g) {
    const double base = g.AllArms[size_t(g.DealArm)].BasePrice;
    g.RandHi = RoundHalfEven(base * 1.5);
    g.RandLo = RoundHalfEven(base * 0.5);
    g.DealPrice = Between(g, g.RandLo, g.RandHi);
    if (g.EconomyValue == EconomySlump) g.DealPrice += g.DealPrice / 10;
    else if (g.EconomyValue == EconomyBoom) g.DealPrice -= g.DealPrice / 10;
    if (g.MyGold < g.DealPrice) return false;
    g.FameDelta = Long(std::floor(g.rng.Rnd() * g.MyLevel * 1.2)) + 1;
    return true;
}

bool SetUpTrade(Game& g) {
    if (g.ManMode == Buys && !ChooseWantedArm(g)) return false;
    if (g.ManMode == Sells && !ChooseOfferedArm(g)) return false;
    return g.ManMode == Talks || PriceTheTrade(g);
}

void Ask(Game& g) {
    g.AnswerKey = AnswerNone;
    g.WaitingAnswer = true;
    g.StoryNo = StoryWaitNo;
    if (g.ManMode == Buys) ShowMessage(g, "売る", "売らない", "", true);
    else ShowMessage(g, "買う", "買わない", "", true);
}

void Farewell(Game& g) {
    FieldFrame(g);
    RefreshListWindow(g);
    ShowMessage(g, "");
    g.StoryNo = 0;
    g.ManKind = NoSprite;
    g.EventName.clear();
    g.StoryName.clear();
    g.VisitorSprite = NoSprite;
    g.EventBusy = false;
    g.NoClick = NoClickNone;
}

}  // namespace

void frmField::ManSelect() {
    Game& g = game;
    g.EventBusy = true;
    g.NoClick = NoClickAuto;
    g.StoryNo = 11;
    g.StoryName = "ManSpeech";
    g.ManMode = Long(g.Chance(3));
    if (!SetUpTrade(g)) {
        QuietEnd(g);
        return;
    }
    g.ManKind = Long(g.Chance(PersonCount));
    g.VisitorSprite = PersonSprite(g.ManKind);
    if (g.LeftMode) g.VisitorSprite = g.VisitorSprite + 1;
    PlaceVisitor(g);
    FieldFrame(g, g.VisitorSprite);
    g.NoClick = NoClickNone;
    ManSpeechText(g);
    RefreshListWindow(g);
    AutoAdvanceWait(g);
}

void frmField::ManTurn() {
    Game& g = game;
    if (g.StoryNo == StoryWaitNo) return;
    if (g.StoryNo == QuestionStep && g.ManMode != Talks) {
        Ask(g);
    } else if (g.AnswerKey != AnswerNone) {
        const bool yes = g.AnswerKey == AnswerYes || g.AnswerKey == AnswerEnter || g.AnswerKey == AnswerGo;
        g.AnswerKey = AnswerNone;
        g.DealAccepted = yes;
        g.StoryNo = yes ? AcceptedStep : RefusedStep;
        ManSpeechText(g);
    } else if (g.StoryNo == 1000) {
        Farewell(g);
        return;
    } else {
        ManSpeechText(g);
    }
    g.NoClick = NoClickNone;
    AutoAdvanceWait(g);
}

}  // namespace q
