#include "core/WorkArea.h"

#include <algorithm>

#include "core/Game.h"
#include "core/InitGame.h"
#include "core/frmOpen.h"
#include "core/frmUnderMes2.h"
#include "stage/mod_RGN_Proc.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

namespace {

bool IsBar(const Form& f) { return f.Name().rfind("frmUnderMes", 0) == 0; }

}  // namespace

void FollowWorkArea(Game& g) {
    const PixelRect was = g.laidOutFor;
    if (was == PixelRect{} || g.Ended()) return;
    const PixelRect now = g.host.WorkArea();
    if (now == was || now.right <= now.left || now.bottom <= now.top) return;
    g.laidOutFor = now;
    const int dx = now.left - was.left, dy = now.bottom - was.bottom;
    const Long dxTwips = RGN_PixelToTwipX(g, dx), dyTwips = RGN_PixelToTwipY(g, dy);

    g.ScreenWidthPx = ScreenWidth(g);
    g.ScreenWidthTwips = RGN_PixelToTwipX(g, double(g.ScreenWidthPx));
    g.PlaceX2 = RGN_PixelToTwipX(g, double(g.ScreenWidthPx - 64));
    // The figures stand on the bar wherever it goes.
    g.SpriteTop = g.SpriteTop + dyTwips;

    const std::vector<Form*> stages = StageForms(g);
    const std::vector<Form*> loaded = g.app.Forms();
    for (Form* f : loaded) {
        if (!f->loaded() || std::find(stages.begin(), stages.end(), f) != stages.end()) continue;
        if (IsBar(*f)) {
            f->Top = RGN_ScreenHeight(g) - f->Height;
            f->Left = RGN_WorkLeft(g);
            f->Width = g.ScreenWidthTwips;
        } else if (f != g.frmOpen.peek()) {  // the title stands in the middle of the screen
            f->Left = f->Left + dxTwips;
            f->Top = f->Top + dyTwips;
        }
    }
    if (g.frmUnderMes2.loaded()) g.frmUnderMes2->LBLMessage[0].Width = g.ScreenWidthTwips;
    g.ListLeft = g.ListLeft + dxTwips;
    g.ListTop = g.ListTop + dyTwips;

    for (Form* f : stages) {
        if (!f->loaded()) continue;
        f->Left = RGN_WorkLeft(g);
        f->Width = RGN_WorkWidth(g);
        f->Height = RGN_ScreenHeight(g);
        TellStageRows(g, *f);
        MoveStageImage(g, *f, 0, dy);
    }
}

}  // namespace q
