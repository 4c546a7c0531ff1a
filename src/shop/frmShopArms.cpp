#include "shop/frmShopArms.h"

namespace q {

frmShopArms::frmShopArms(Game& g)
    : ArmsWindow(g, "frmShopArms", 4, ArmsBox::Shop, {{"名前", 1400}, {"個数", 600}, {"売値", 1100}, {"元値", 1100}}) {
    add(cmdMove);
    cmdMove.Click = [this] { cmdMove_Click(); };
    for (Control* c : {static_cast<Control*>(&txtNumber), static_cast<Control*>(&cmdMove)})
        c->KeyDown = [this](int k, int s) { Form_KeyDown(k, s); };
}

void frmShopArms::Design() {
    DesignArms({840, 1095, 1920, 855, "個数を入力します",
                "「値付け」時には値段（-50%～50%）を、「捨てる」時には個数を入力します"});
    DesignButton(cmdMove, "倉庫", 2760, 855, "選択した武具を倉庫に移動します");
}

void frmShopArms::SetButtons() {
    const Game& g = game;
    cmdMove.Enabled = !g.GameEnding && g.EventField == "Shop" && !g.ShopOpen;
}

}  // namespace q
