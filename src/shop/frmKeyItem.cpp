#include "shop/frmKeyItem.h"

#include <string_view>

#include "core/StoryInput.h"

namespace q {

namespace {

constexpr size_t CompleteCard = 20;
constexpr std::string_view LureName = "戦の呼び水";
constexpr std::string_view CardName = "コンプリートカード";

}  // namespace

frmKeyItem::frmKeyItem(Game& g) : ListWindow(g, "frmKeyItem", 3) {
    add(lstList);
    lstList.DblClick = [this] { lstList_DblClick(); };
    lstList.KeyDown = [this](int k, int s) {
        if (k < 37 || k > 40) Form_KeyDown(k, s);
    };
}

void frmKeyItem::Design() {
    DesignWindow(3615, ListWindowHeight);
    lstList.Left = 0;
    lstList.Top = 0;
    lstList.Width = 3615;
    lstList.Height = ListWindowHeight;
    lstList.MultiSelect = false;
    lstList.HideSelection = false;
    lstList.ClearColumns();
    lstList.ClearItems();
}

void frmKeyItem::Form_Load() {
    Game& g = game;
    lstList.MultiSelect = false;
    lstList.HideSelection = false;
    lstList.ClearColumns();
    lstList.AddColumn("名前", 1400);
    lstList.AddColumn("説明", 4000);
    lstList.ClearItems();
    for (size_t i = 0; i < g.AllKey.size(); ++i) {
        const KeyItemRecord& key = g.AllKey[i];
        if (!key.LKeyList) continue;
        ListItem& row = lstList.AddItem(key.Name);
        if (i == CompleteCard && g.MonsNothing) {
            g.KeyListText = key.Note + " = 発動中";
            row.SetSubItem(1, g.KeyListText);
        } else {
            row.SetSubItem(1, key.Note);
        }
        row.Tag = std::to_string(key.No);
    }
    lstList.Refresh();
}

void frmKeyItem::lstList_DblClick() {
    Game& g = game;
    // The click gate is shut only while the row acts, and then given back as
    // it was: a talk that keeps clicks out must go on keeping them out.
    const Long gate = g.NoClick;
    g.NoClick = NoClickAll;
    const ListItem* row = lstList.SelectedItem();
    if (row && lstList.SelectedIndex() > 0) {
        g.ListRow = lstList.SelectedIndex();
        if (row->Text == LureName) {
            // No fight is called up under a question that waits for its answer.
            if (g.SceneFormName == "frmField" && !g.EventBusy && g.OnceStop && !QuestionOverStory(g)) {
                g.NoClick = NoClickNone;
                g.Call("BattleStart", 0);
                g.NoClick = NoClickNone;
                return;
            }
        } else if (row->Text == CardName) {
            g.NoClick = NoClickNone;
            g.MonsNothing = !g.MonsNothing;
            Form_Load();
        }
    }
    g.NoClick = gate;
}

}  // namespace q
