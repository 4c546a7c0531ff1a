// The warehouse ("倉庫"): in the closed shop its arms go to the display or
// into the bag, or are thrown away.
#pragma once

#include "shop/ArmsWindow.h"

namespace q {

class frmStockArms : public ArmsWindow {
public:
    explicit frmStockArms(Game& game);

    ControlArray<CommandButton> cmdMove{*this, "cmdMove", 2};  // (0) to the display, (1) into the bag
    CommandButton cmdDump{*this, "cmdDump"};

    void Design() override;
    void cmdMove_Click(int Index) { MoveTo(Index == 0 ? ArmsBox::Shop : ArmsBox::Bag); }
    // The button, and the answer to its question ("StockDump").
    void cmdDump_Click() { Dump("StockDump"); }

protected:
    std::vector<CommandButton*> ActionButtons() override { return {&cmdMove[0], &cmdMove[1], &cmdDump}; }
    void SetButtons() override;
    bool InDumpState() const override;
};

}  // namespace q
