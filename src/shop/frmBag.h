// The arms bag ("武具鞄"): what the heroine carries. Its arms go to the
// warehouse from the closed shop, and can be thrown away in the closed shop,
// on the town board, in a facility and in the paused field.
#pragma once

#include "shop/ArmsWindow.h"

namespace q {

class frmBag : public ArmsWindow {
public:
    explicit frmBag(Game& game);

    CommandButton cmdMove{*this, "cmdMove"};
    CommandButton cmdDump{*this, "cmdDump"};

    void Design() override;
    void cmdMove_Click() { MoveTo(ArmsBox::Stock); }
    // The button, and the answer to its question ("BagDump").
    void cmdDump_Click() { Dump("BagDump"); }

protected:
    std::vector<CommandButton*> ActionButtons() override { return {&cmdMove, &cmdDump}; }
    void SetButtons() override;
    bool InDumpState() const override;
    void DumpEnds() override;
};

}  // namespace q
