// Status page 2 ("状態2"): the date and the time of day, attack, defence and
// speed, the heroine's conditions and the fill of the warehouse.
#pragma once

#include <string>

#include "shop/ListWindows.h"

namespace q {

class frmStatus2 : public ListWindow {
public:
    explicit frmStatus2(Game& game);

    ControlArray<Label> LBLStatus{*this, "LBLStatus", 15};
    ControlArray<TextBox> TXTStatus{*this, "TXTStatus", 15};

    void Design() override;
    void Form_Load() override;
    Control* FirstControl() override { return &TXTStatus[0]; }
};

// The time of day as the page shows it: with the pocket watch one of ten
// signs, a sun or a moon half and one of five elements; without it only the
// half of the day. `Shown` is what the box shows now.
std::string TimeSign(Long NowTime, bool HasWatch, const std::string& Shown);

}  // namespace q
