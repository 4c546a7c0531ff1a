#include "core/InitGame.h"

#include "core/Game.h"
#include "core/frmUnderMes.h"
#include "core/frmUnderMes2.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

Long ScreenWidth(Game& g) { return g.host.ScreenWidthPixels(); }

void PlaceMessageBars(Game& g) {
    g.ScreenWidthPx = ScreenWidth(g);
    g.ScreenWidthTwips = RGN_PixelToTwipX(g, ScreenWidth(g));
    auto& bar = g.frmUnderMes.get();
    bar.Top = RGN_ScreenHeight(g) - bar.Height;
    bar.Left = 0;
    bar.Width = g.ScreenWidthTwips;
    auto& bar2 = g.frmUnderMes2.get();
    bar2.Top = RGN_ScreenHeight(g) - bar2.Height;
    bar2.Left = 0;
    bar2.Width = g.ScreenWidthTwips;
    bar2.LBLMessage[0].Width = g.ScreenWidthTwips;
    bar.Show();
}

}  // namespace q
