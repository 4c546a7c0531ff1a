// The shop: the scene of the heroine's arms shop. Its clock lets time pass
// while the shop is open and empty, brings customers in, and walks them
// out again; deals and shop events are talked click by click.
#pragma once

#include "core/SceneForm.h"

namespace q {

class frmShop : public SceneForm {
public:
    explicit frmShop(Game& game);


    void Design() override;
    void Form_Load() override;

    void Timer1_Timer() override;
    // On an idle tick, perhaps a customer comes, or a shop event; for a
    // second deal the customer in the shop names another arm.
    void TimerEvent();
    // The arm of the deal, its price and the fame at stake; then the deal's
    // first line. A shop event is handed to EventStart.
    void BuyANDSellItem();
    // The deal story "ShopBuySell", one step per click.
    void BuyANDSell();
    // The shop-event story "ShopEvent": the robber, the royal order, the
    // collection of the orders due, the helping swordsman; one step per click.
    void EventStart();
    // The new game's opening: the heroine and the landlord walk in and talk.
    void OpeningGo();
    // Closes the shop now, or after the customer who is in it.
    void ShopClose();
    // The branch of life brings the heroine round in the shop. The clock
    // stops for the next click unless a deal or event runs on
    // (stopClock false). False when the branch has gone from the sack
    // meanwhile: the faint then runs its course as without it.
    bool Revive(bool stopClock = true);
    // The visitor goes: out of the door on the next ticks of the clock, or,
    // when closing was asked meanwhile, the close goes on.
    void CustomerLeaves();

    // One frame of the shop, always in this order: the sign, the heroine, the
    // customer, the leaver, the gauges; a frame leaves out what it does not ask for.
    enum FramePart { FrameInit = 1, FrameVisitor = 2, FrameLeaver = 4, FrameGauges = 8 };
    void DrawFrame(int parts);

private:
    bool ChooseVisitor();
    void WantedArm();
    void OfferedArm();
    void FameAtStake();
    void JudgeAnswer();
    bool Settle();
    bool DealTimePasses();
    void SecondDealRoll();
    void OpeningWalk();
    void OpeningEnd();
    void ComingHome();
    void ApplyPendingAuto();
    void CloseNow();
    void CustomerTick();
    void IdleTick();
    void SendAwayAtTheDoor();
};

// The heroine's front picture and her picture facing right, by her costume.
Long HeroFront(const Game& g);
Long HeroFacingRight(const Game& g);

}  // namespace q
