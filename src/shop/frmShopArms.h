// The shop display ("売り物"): the arms on sale with their asking and list
// prices; in the closed shop they can be moved to the warehouse.
#pragma once

#include "shop/ArmsWindow.h"

namespace q {

class frmShopArms : public ArmsWindow {
public:
    explicit frmShopArms(Game& game);

    CommandButton cmdMove{*this, "cmdMove"};

    void Design() override;
    void cmdMove_Click() { MoveTo(ArmsBox::Stock); }

protected:
    std::vector<CommandButton*> ActionButtons() override { return {&cmdMove}; }
    void SetButtons() override;
    bool ReenablesOnLoad() const override { return false; }
};

}  // namespace q
