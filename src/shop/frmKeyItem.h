// The valuables window "貴重品": every valuable the heroine owns with its
// description. The lure and the complete card act on a double click.
#pragma once

#include "shop/ListWindows.h"

namespace q {

class frmKeyItem : public ListWindow {
public:
    explicit frmKeyItem(Game& game);

    ListView lstList{*this, "lstList"};

    void Design() override;
    void Form_Load() override;
    Control* FirstControl() override { return &lstList; }

    void lstList_DblClick();
};

}  // namespace q
