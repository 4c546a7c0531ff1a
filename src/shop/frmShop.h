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
    // The new game's opening: the heroine and the landlord walk in and talk.
    void OpeningGo();
    // Closes the shop now, or after the customer who is in it.
    void ShopClose();
    // The branch of life brings the heroine round in the shop.
    void Revive();

    // One frame of the shop, always in this order: the sign, the heroine, the
    // customer, the leaver, the gauges; a frame leaves out what it does not ask for.
    enum FramePart { FrameInit = 1, FrameVisitor = 2, FrameLeaver = 4, FrameGauges = 8 };
    void DrawFrame(int parts);

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
