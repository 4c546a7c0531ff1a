// The jewel collector: the hundred monsters, named once their jewel was
// handed in, and the viewer that shows one of them in detail.
#include "core/Message.h"
#include "stage/mod_RGN_UserFunction.h"
#include "town/frmGyoku.h"
#include "town/frmItemShop.h"

namespace q {

namespace {

constexpr const char* Unknown = "？　？　？　？　？　？　？　？";
constexpr int ViewerGapPixels = 259;  // the viewer's bottom above the bottom of the stage

}  // namespace

bool frmItemShop::LoadMania() {
    Game& g = game;
    g.NoClick = NoClickRight;
    Titles("++ 玉回収業 ++");
    lblNumber[2].Caption = "集玉数";
    lblNumber[2].ToolTipText = Quoted("業者に渡した玉の種類数です");
    txtNumber.Locked = true;
    txtNumber.ToolTipText = Quoted("業者に渡した玉の種類数です");
    txtNumber.Text = std::to_string(g.HaveGyokuNum);
    Button("詳細", false, "選択したモンスターの詳細を見れます");
    Columns({{"番号", 600}, {"モンスター名", 2500}});
    for (int i = 0; i < MonsterCount; ++i) {
        ListItem& row = lstList.AddItem("　" + std::to_string(i + 1));
        row.SetSubItem(1, g.AllGyoku[size_t(i)].LGyokuList ? g.AllMonster[size_t(i)].Name : Unknown);
    }
    g.StoryNo = 10;
    g.StoryName = "SpeechTurn";
    if (g.ReloadList) {
        // Back from the viewer, or rebuilt after a talk: no greeting.
        g.StoryNo = StoryAfterEndNo;
        g.ReloadList = false;
        if (g.WorkFlg2) {
            ShowMessage(g, g.MessageText);
            g.WorkFlg2 = false;
        }
    } else if (g.GyokuFlg == 0) {
        Say("業者：けっ！客が来やがった！！");
    } else if (g.HaveGyokuNum == MonsterCount) {
        Say("業者：お、あんたか。モンスターの情報を見にきたのか？");
    } else {
        Say("業者：あんたか。どれどれ…、なんか持ってきたのか？");
    }
    return true;
}

void frmItemShop::GyokuBuyTurn() {
    Game& g = game;
    const int row = SelectedRow();
    if (row > 0) {
        g.WorkIndex = row - 1;
        const bool open = g.frmGyoku.loaded();
        frmGyoku& viewer = g.frmGyoku.get();  // loading it shows the monster WorkIndex
        if (open) viewer.Form_Load();
        viewer.Left = RGN_WorkLeft(g);
        viewer.Top = RGN_ScreenHeight(g) - viewer.Height - RGN_PixelToTwipY(g, ViewerGapPixels);
        viewer.Show();
        // The viewer stands in for this window until its "一覧へ".
        g.WorkFlg2 = true;
        g.ReloadList = true;
        Unload();
        g.StoryName.clear();
    } else {
        g.BuyPending = false;  // no monster chosen: nothing to wait for
    }
    g.NoClick = NoClickNone;
}

}  // namespace q
