// Help on the way: a travelling priest heals the heroine for a donation, or
// a cart takes her to an end of the road for a fare. The cart horn from the
// sack calls the cart at once, and it then offers both ends.
#include <array>
#include <string>
#include <string_view>

#include "core/Clock.h"
#include "core/Format.h"
#include "core/Game.h"
#include "core/GoToPlace.h"
#include "core/Message.h"
#include "core/Stats.h"
#include "core/StoryInput.h"
#include "core/Walk.h"
#include "core/World.h"
#include "field/FieldEvents.h"
#include "field/frmField.h"
#include "shop/ListWindows.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

namespace {

constexpr Long Priest = 67;
constexpr Long PriestLeft = 68;
constexpr Long CartFromRight = 38;  // also the cart leaving to the left
constexpr Long CartFromLeft = 41;   // also the cart leaving to the right
constexpr Long CartGapLeft = 70;
constexpr Long CartHalfWidth = 64;  // pixels
constexpr Long AcceptedStep = 10;
constexpr Long RideStep = 11;
// However the screen is set up, the cart is off it long before this.
constexpr int MostRideFrames = 100000;

// A town at a road's right end is served once the story has reached it on
// foot; any other right end always.
struct CartTown {
    std::string_view town;
    Long stage;
};
constexpr std::array<CartTown, 5> CartTowns{{{"Rein", 2}, {"Elwind", 4}, {"Shinen", 6}, {"Amulet", 8}, {"Tou", 11}}};

bool RightEndServed(const Game& g) {
    for (const auto& t : CartTowns)
        if (t.town == g.RightTown) return g.Warasibe >= t.stage;
    return true;
}

bool Horn(const Game& g) { return g.EffectResult == EffectCart; }
bool TwoDestinations(const Game& g) { return Horn(g) && !g.FareTown2.empty(); }
bool PriestCame(const Game& g) { return g.EventName == "Sisai"; }

void FareTo(Game& g, bool left) {
    g.CartGoesLeft = left;
    const std::string& town = left ? g.LeftTown : g.RightTown;
    TownName(g, town);
    CartFare(g, g.FieldName, town, false);
}

std::string CartLine(const Game& g) {
    std::string line = "馬車屋：" + g.FareTown + "行き、" + FormatThousands(g.AssistFee);
    if (TwoDestinations(g)) return line + "カリム。" + g.FareTown2 + "行き、" + std::to_string(g.AssistFee2) + "カリムだべ";
    return line + "カリムだべ。乗るだべか？";
}

// The cart's offer; false when it does not come after all.
bool OfferCart(Game& g) {
    const bool horn = Horn(g);
    if (g.EventField == "In") {
        g.EffectResult = EffectUsed;
        return false;
    }
    if (g.AutoNext && !horn) return false;
    // No second destination from an earlier horn is left over.
    g.FareTown2.clear();
    g.CartGoesLeft2 = false;
    g.VisitorSprite = FacingPicture(g, CartFromRight, CartFromLeft);
    PlaceVisitor(g, g.LeftMode ? CartGapLeft : FigureGap);
    g.VisitorStep = 1;
    bool rightEnd = true;
    if (g.FieldName == "ElfMugen") {
        g.EventName = "RightNG";
        rightEnd = false;
    } else if (!horn && g.Chance(2) == 0) {
        rightEnd = false;
    } else if (!RightEndServed(g)) {
        if (!horn) return false;
        g.EventName = "RightNG";
        rightEnd = false;
    }
    if (rightEnd) {
        FareTo(g, false);
        if (horn) {
            g.FareTown2 = g.FareTown;
            g.CartGoesLeft2 = false;
            g.AssistFee2 = g.AssistFee;
            g.TravelTime2 = g.TravelTime;
        }
    }
    if (!rightEnd || horn) FareTo(g, true);
    ShowMessage(g, CartLine(g));
    g.EventName = "Basha";
    return true;
}

void OfferPriest(Game& g) {
    g.VisitorSprite = FacingPicture(g, Priest, PriestLeft);
    PlaceVisitor(g);
    g.EventName = "Sisai";
    if (g.MyNowHp >= g.MyMaxHp) {
        ShowMessage(g, "司祭：外は危険ですから、体力には常に気を配ってくださいね");
        g.StoryNo = 999;
        return;
    }
    g.AssistFee = (g.MyMaxHp - g.MyNowHp) * 10;
    ShowMessage(g, "司祭：傷ついているようですね。" + FormatThousands(g.AssistFee) +
                       "カリムご寄付いただければ、回復して差し上げますよ");
}

void AskOrExcuse(Game& g) {
    if (g.MyGold >= g.AssistFee || g.EffectResult != EffectUsed) {
        g.AnswerKey = AnswerNone;
        g.WaitingAnswer = true;
        g.StoryNo = StoryWaitNo;
        if (PriestCame(g)) ShowMessage(g, "回復してもらう", "やめておく", "", true);
        else if (TwoDestinations(g)) ShowMessage(g, g.FareTown, g.FareTown2, "", false);
        else ShowMessage(g, "乗る", "乗らない", "", false);
        return;
    }
    // The click after the excuse brings the refusal.
    g.AnswerKey = AnswerNo;
    g.StoryNo = 999;
    ShowMessage(g, "イザベラ：ごめんなさい。今は持ち合わせがなくて…");
}

void Refuse(Game& g) {
    g.AnswerKey = AnswerNone;
    g.DealAccepted = false;
    g.EffectResult = EffectUsed;
    g.StoryNo = 999;
    ShowMessage(g, PriestCame(g) ? "司祭：あなたにガイア神のご加護を…" : "馬車屋：そうだべか？まぁ、また今度乗ってくんろ");
}

void Accept(Game& g) {
    g.AnswerKey = AnswerNone;
    g.DealAccepted = true;
    g.StoryNo = AcceptedStep;
    g.EffectResult = EffectUsed;
    if (PriestCame(g)) {
        g.MyNowHp = g.MyMaxHp;
        ShowMessage(g, "司祭：我が神ガイアよ。この者に癒しの力を！癒合(ゆごう)の雫！");
    } else if (g.MyGold < g.AssistFee) {
        // Only the horn's cart asks without the money in hand: the rest is on the house.
        g.AssistFee = g.MyGold;
        AddStat(g, -100, "Fame");
        ShowMessage(g, "馬車屋：お！乗っていくだべか。足りない分は……サービスだべ");
    } else {
        ShowMessage(g, "馬車屋：お！乗っていくだべか。んじゃ、行くだべよ");
    }
    AddStat(g, -double(g.AssistFee), "Gold");
    RefreshListWindow(g);
}

void Answer(Game& g) {
    Long key = g.AnswerKey;
    if (key == AnswerEnter || key == AnswerGo) key = PriestCame(g) ? AnswerYes : AnswerNo;
    if (key == AnswerNo && TwoDestinations(g)) {
        g.AnswerKey = AnswerNone;
        g.CartGoesLeft = false;
        g.FareTown = g.FareTown2;
        g.AssistFee = g.AssistFee2;
        g.TravelTime = g.TravelTime2;
        key = AnswerYes;
    }
    if (key == AnswerNo) Refuse(g);
    else if (key == AnswerYes) Accept(g);
}

void CloseAssist(Game& g) {
    FieldFrame(g);
    ShowMessage(g, "");
    g.StoryNo = 0;
    g.StoryName.clear();
    g.VisitorSprite = NoSprite;
    g.EventBusy = false;
    g.NoClick = NoClickNone;
}

// Lets pending input and ticks run and pauses; false once the game or the
// scene is gone.
bool Breathe(Game& g, Form& stage, int ms) {
    g.host.DoEvents();
    if (g.Ended() || !stage.loaded()) return false;
    g.host.Sleep(ms);
    return true;
}

// The cart rolls up, takes the heroine aboard and drives off the stage; the
// journey's time passes and she stands on the board of the town.
void Ride(Game& g, Form& field) {
    g.StoryNo = StoryWaitNo;  // no click advances the story while the cart moves
    for (g.CartStep = 0; g.CartStep <= g.RoadLength / 2; g.CartStep += 3) {
        WalkStep(g, !g.LeftMode, WalkVisitor);
        if (!Breathe(g, field, 1)) return;
    }
    if (!Breathe(g, field, 1000)) return;
    ShowMessage(g, "");
    g.VisitorSprite = g.CartGoesLeft ? CartFromRight : CartFromLeft;
    const Long half = RGN_PixelToTwipX(g, CartHalfWidth);
    auto onStage = [&] { return g.CartGoesLeft ? g.VisitorX - half > g.PlaceX : g.VisitorX + half < g.PlaceX2; };
    for (int frames = 0; onStage() && frames < MostRideFrames; ++frames) {
        WalkStep(g, g.CartGoesLeft, WalkCarriage);
        if (!Breathe(g, field, 1)) return;
    }
    if (!Breathe(g, field, 500)) return;
    g.EventBusy = false;
    g.StoryName.clear();
    g.StoryNo = 0;
    g.AutoBlocked = false;
    field.Unload();
    g.FieldName = g.CartGoesLeft ? g.LeftTown : g.RightTown;
    PassTime(g, g.TravelTime);
    GoToPlace(g, "Board", "", "", "");
    g.Call("frmEvent.Show");
    RefreshListWindow(g);
}

}  // namespace

void frmField::AssistSelect() {
    Game& g = game;
    g.EventBusy = true;
    g.NoClick = NoClickAuto;
    g.StoryNo = 1;
    g.StoryName = "Assist";
    const long a = g.Chance(2);
    if (a == 1 || Horn(g)) {
        if (!OfferCart(g)) {
            QuietEnd(g);
            return;
        }
    } else {
        OfferPriest(g);
    }
    FieldFrame(g, g.VisitorSprite);
    g.NoClick = NoClickNone;
    RefreshListWindow(g);
    AutoAdvanceWait(g);
}

void frmField::AssistTurn() {
    Game& g = game;
    g.NoClick = NoClickAuto;
    if (g.StoryNo == 2) {
        AskOrExcuse(g);
    } else if (g.AnswerKey != AnswerNone) {
        Answer(g);
    } else if (g.StoryNo == RideStep && !PriestCame(g)) {
        Ride(g, *this);
        return;
    } else if (g.StoryNo == RideStep) {
        ShowMessage(g, "司祭：あなたにガイア神のご加護がありますように");
        g.StoryNo = 999;
    } else if (g.StoryNo == 1000) {
        CloseAssist(g);
        return;
    } else {
        g.NoClick = NoClickNone;
        return;
    }
    g.NoClick = NoClickNone;
    AutoAdvanceWait(g);
}

}  // namespace q
