// The shop: the scene of the heroine's arms shop. Its clock lets time pass
// while the shop is open and empty, brings customers in, and walks them
// out again; deals and shop events are talked click by click.
#pragma once

#include "core/Game.h"

namespace q {

class frmShop : public GameForm {
public:
    explicit frmShop(Game& game);

    Timer Timer1{*this, "Timer1"};  // the shop clock
    Timer Timer2{*this, "Timer2"};  // keeping in front
    Timer Timer3{*this, "Timer3"};  // the end of the auto-mode wait

    void Design() override;
    void Form_Load() override;
    void Form_MouseDown(int Button, int Shift, int X, int Y) override;
    void Form_KeyDown(int KeyCode, int Shift) override;

    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    // The new game's opening: the heroine and the landlord walk in and talk.
    void OpeningGo();
    // Closes the shop now, or after the customer who is in it.
    void ShopClose();
    // The branch of life brings the heroine round in the shop.
    void Revive();

    // One frame of the shop: sign, heroine, the customer while one is in,
    // the leaver, gauges.
    void DrawFrame(bool init = false);

private:
    void OpeningWalk();
    void OpeningEnd();
    void ComingHome();
    void ApplyPendingAuto();
    void CloseNow();
    void CustomerTick();
    void IdleTick();
};

// The heroine's front picture and her picture facing right, by her costume.
Long HeroFront(const Game& g);
Long HeroFacingRight(const Game& g);

}  // namespace q
