#include "shop/frmBag.h"

namespace q {

frmBag::frmBag(Game& g) : ArmsWindow(g, "frmBag", 6, ArmsBox::Bag, {{"名前", 2100}, {"個数", 800}}) {
    add(cmdMove);
    add(cmdDump);
    cmdMove.Click = [this] { cmdMove_Click(); };
    cmdDump.Click = [this] { cmdDump_Click(); };
    for (Control* c : {static_cast<Control*>(&txtNumber), static_cast<Control*>(&cmdMove), static_cast<Control*>(&cmdDump)})
        c->KeyDown = [this](int k, int s) { Form_KeyDown(k, s); };
}

void frmBag::Design() {
    const char* tip = "「倉庫」「捨てる」を行いたい個数を入力します";
    DesignArms({600, 615, 1200, 735, tip, tip});
    DesignButton(cmdMove, "倉庫", 1920, 855, "選択した武具を倉庫へ移動させます");
    DesignButton(cmdDump, "捨てる", 2760, 855, "選択した武具を捨てます");
}

void frmBag::SetButtons() {
    const Game& g = game;
    bool move = false, dump = false;
    if (g.GameEnding || g.ShopOpen) {
        move = dump = false;
    } else if (g.EventField == "Shop") {
        move = dump = true;
    } else if (g.EventBusy) {
        move = dump = false;
    } else {
        // Away from the closed shop the bag can only be emptied, and in the
        // field only while the heroine stands still.
        dump = !(g.SceneFormName == "frmField" && !g.OnceStop);
    }
    cmdMove.Enabled = move;
    cmdDump.Enabled = dump;
}

bool frmBag::InDumpState() const {
    const Game& g = game;
    return (g.SceneFormName == "frmField" && g.OnceStop) || (g.SceneFormName == "frmShop" && !g.ShopOpen) ||
           g.SceneFormName == "frmEvent";
}

void frmBag::DumpEnds() {
    // The town board keeps auto mode blocked while it is shown.
    game.AutoBlocked = game.SavedStoryName == "BoardEvent" || game.StoryName == "BoardEvent";
}

}  // namespace q
