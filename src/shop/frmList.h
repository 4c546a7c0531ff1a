// The arms catalogue "事典": all 500 arms in arm order, the ones the heroine
// has come to know with their prices, notes and where they are found, the
// others as rows of question marks. In her closed shop she sets here the
// asking price of the selected arms: the base price raised or lowered by up
// to 50 %, or reset to the base price.
#pragma once

#include "shop/ListWindows.h"

namespace q {

class frmList : public ListWindow {
public:
    explicit frmList(Game& game);

    Label lblNumber{*this, "lblNumber"};
    TextBox txtNumber{*this, "txtNumber"};
    CommandButton cmdSetPrice{*this, "cmdSetPrice"};
    ListView lstList{*this, "lstList"};

    void Design() override;
    void Form_Load() override;
    Control* FirstControl() override { return &lstList; }

    // The price setting for every selected row.
    void cmdSetPrice_Click();
    // The box takes up to three characters: digits, and a minus put in
    // front of a number already typed.
    void txtNumber_KeyPress(int& KeyAscii);
    void txtNumber_GotFocus();
};

// Where an arm is found, as the catalogue writes it (Area 0 to 9).
const char* ArmPlaceText(Long area);

}  // namespace q
