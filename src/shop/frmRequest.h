// The orders and holdings window "依頼/株": the royal arms orders the heroine
// has accepted, with their pieces and the days left, and below them her
// shares and the days left on her theft-security and fire-detection
// contracts. It only shows; it changes nothing.
#pragma once

#include "shop/ListWindows.h"

namespace q {

class frmRequest : public ListWindow {
public:
    explicit frmRequest(Game& game);

    // (0) the orders, (1) the holdings.
    ControlArray<ListView> lstList{*this, "lstList", 2};

    void Design() override;
    void Form_Load() override;
    Control* FirstControl() override { return &lstList[0]; }
};

}  // namespace q
