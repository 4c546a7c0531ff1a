// The bosses that stand at fixed places of the way: their talk before the
// fight, the fight itself, and their last words.
#include "core/Game.h"
#include "core/Message.h"
#include "field/BossSpeech.h"
#include "field/FieldEvents.h"
#include "field/frmField.h"
#include "shop/ListWindows.h"

namespace q {

namespace {

constexpr Long FightStartStep = 51;
constexpr Long StoryCloseStep = 151;

// The boss of this place; in the cave the crystal ball of a find comes first.
const BossRecord* MetBoss(Game& g) {
    if (g.FieldName == "Shinen" && g.SavedStoryName == "PickUp") {
        g.SavedStoryName.clear();
        return FindBoss(CrystalBallBoss);
    }
    return BossAt(g);
}

void CloseBossStory(Game& g) {
    FieldFrame(g);
    ShowMessage(g, "");
    g.StoryNo = 0;
    g.EventName.clear();
    g.StoryName.clear();
    g.SavedStoryName.clear();
    g.VisitorSprite = NoSprite;
    g.EventBusy = false;
    g.AutoBlocked = false;
}

}  // namespace

void frmField::BossSelect() {
    Game& g = game;
    const BossRecord* boss = MetBoss(g);
    if (!boss) return;
    g.EventBusy = true;
    g.AutoBlocked = true;
    g.NoClick = NoClickAuto;
    g.StoryNo = 11;
    g.StoryName = "BossTurn";
    g.BossNo = boss->no;
    g.VisitorSprite = boss->picture;
    if (g.LeftMode && boss->picture != BlankFigure) g.VisitorSprite = boss->picture + 1;
    PlaceVisitor(g);
    FieldFrame(g, g.VisitorSprite);
    BossSpeech(g);
    RefreshListWindow(g);
    g.NoClick = NoClickNone;
}

void frmField::BossTurn() {
    Game& g = game;
    g.NoClick = NoClickLeft;
    if (g.StoryNo == FightStartStep) {
        g.SavedStoryName = "BossTurn";
        g.StoryName = "Fighting";
        g.Call("BattleDispatch");
    } else if (g.StoryNo == StoryCloseStep) {
        CloseBossStory(g);
    } else {
        BossSpeech(g);
    }
    g.NoClick = NoClickNone;
}

}  // namespace q
