#include "shop/frmStockArms.h"

#include "core/StoryInput.h"

namespace q {

frmStockArms::frmStockArms(Game& g)
    : ArmsWindow(g, "frmStockArms", 5, ArmsBox::Stock, {{"名前", 2100}, {"個数", 800}}) {
    add(cmdMove);
    add(cmdDump);
    cmdMove[0].Click = [this] { cmdMove_Click(0); };
    cmdMove[1].Click = [this] { cmdMove_Click(1); };
    cmdDump.Click = [this] { cmdDump_Click(); };
    // The box and the buttons hand their keys straight to the game.
    for (Control* c : {static_cast<Control*>(&txtNumber), static_cast<Control*>(&cmdMove[0]),
                       static_cast<Control*>(&cmdMove[1]), static_cast<Control*>(&cmdDump)})
        c->KeyDown = [this](int k, int s) { MessageInput(game, k, s, InputKey); };
}

void frmStockArms::Design() {
    const char* tip = "「店」「鞄」「捨てる」を行いたい個数を入力します";
    DesignArms({0, 615, 600, 735, tip, tip});
    DesignButton(cmdMove[0], "店", 1320, 735, "選択した武具を店に移動します");
    DesignButton(cmdMove[1], "鞄", 2040, 735, "選択した武具をかばんに移動します");
    DesignButton(cmdDump, "捨てる", 2760, 855, "選択した武具を捨てます");
}

void frmStockArms::SetButtons() {
    const Game& g = game;
    const bool on = !g.GameEnding && g.EventField == "Shop" && !g.ShopOpen;
    cmdMove[0].Enabled = on;
    cmdMove[1].Enabled = on;
    cmdDump.Enabled = on;
}

bool frmStockArms::InDumpState() const { return game.SceneFormName == "frmShop" && !game.ShopOpen; }

}  // namespace q
