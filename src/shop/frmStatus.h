// Status page 1 ("状態1"): where the heroine is, her level, money, HP,
// fullness, water, experience to go, fame and the fill of her containers.
#pragma once

#include "shop/ListWindows.h"

namespace q {

class frmStatus : public ListWindow {
public:
    explicit frmStatus(Game& game);

    ControlArray<Label> LBLStatus{*this, "LBLStatus", 11};
    ControlArray<TextBox> TXTStatus{*this, "TXTStatus", 11};

    void Design() override;
    void Form_Load() override;
    Control* FirstControl() override { return &TXTStatus[0]; }
};

// Lays out a status page of the list windows' height: columns of `rows`
// labels with the boxes beside them, each column as wide as the first page,
// and sizes the page to fit them.
void DesignStatusPage(ListWindow& page, ControlArray<Label>& labels, ControlArray<TextBox>& boxes,
                      const char* const* captions, const char* const* tips, int rows);

}  // namespace q
