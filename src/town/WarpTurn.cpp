// The warp point at the foot of the tower and at the mouth of the cave:
// every tenth floor already reached, and straight there on the next load.
#include "core/Format.h"
#include "core/Message.h"
#include "town/frmEvent.h"
#include "town/frmItemShop.h"

namespace q {

bool frmItemShop::LoadWarp() {
    Game& g = game;
    Titles("+++ ワープ +++");
    HideNumber();
    Button("ワープ", true, "選択した階へワープできます");
    Columns({{"階数", 3500}});
    // The tower counts its floors up, the cave down.
    const bool cave = g.FieldName == "Shinen";
    Long floor = 10;
    auto addFloors = [&](const auto& marks, const std::string& prefix) {
        for (bool reached : marks) {
            if (!reached) continue;
            ListItem& row = lstList.AddItem(prefix + std::to_string(floor) + "階");
            row.Tag = std::to_string(floor);
            floor += 10;
        }
    };
    if (cave) addFloors(g.AnaSpot, "地下");
    else addFloors(g.TouSpot, "");
    Greeting(false, "");
    return true;
}

void frmItemShop::WarpTurn() {
    Game& g = game;
    if (!g.OfferPending) {
        g.NoClick = NoClickRight;
        const int row = SelectedRow();
        if (row == 0) {
            g.BuyPending = false;
            g.NoClick = NoClickNone;
            FocusList();
            return;
        }
        g.ListIndex = row - 1;
        g.WorkNum = row;
        g.WorkName = lstList.Item(row).Text;
        EnableDeal(false, false);
        g.WaitingAnswer = true;
        g.OfferPending = true;
        g.StoryNo = StoryWaitNo;
        g.AnswerKey = AnswerNone;
        g.MessageText = g.WorkName + "にワープしますか？";
        ShowMessage(g, g.MessageText, "ワープする", "止める", false);
        return;
    }
    if (AnswerRefuses()) {
        g.AnswerKey = AnswerNone;
        EnableDeal(true, false);
        ShowStandingLine();
        g.OfferPending = false;
        // Refused: the next click on the bar must not ask again.
        g.BuyPending = false;
        g.NoClick = NoClickNone;
        FocusList();
        return;
    }
    if (g.AnswerKey != AnswerYes) {
        g.NoClick = NoClickNone;
        FocusList();
        return;
    }
    g.AnswerKey = AnswerNone;
    EnableDeal(true, false);
    g.OfferPending = false;
    g.BuyPending = false;
    g.ResumeCode[0] = ResumeWarp;
    g.ResumeCode[1] = g.WorkNum >= 1 && g.WorkNum <= lstList.Count() ? Long(LeadingNumber(lstList.Item(int(g.WorkNum)).Tag)) : 0;
    g.NoClick = NoClickNone;
    g.Call("frmMenu.mOut_Click");
    // The switch into the dungeon left the board loaded under the field.
    g.frmEvent.Unload();
    g.AutoBlocked = false;
}

}  // namespace q
