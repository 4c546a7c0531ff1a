#include "core/frmUnderMes2.h"

#include "core/StoryInput.h"

namespace q {

void frmUnderMes2::LabelClick(int Index, int Button) {
    Game& g = game;
    if (Button != vbLeftButton) {
        AdvanceStory(g, Button);
        return;
    }
    if (g.ClickTaken) return;
    if (LBLMessage[1].Caption->empty()) {
        // A plain line: the running story goes on and removes the bar itself.
        AdvanceStory(g, vbLeftButton);
        return;
    }
    if (Index == 0) return;
    g.AnswerKey2 = Index == 1 ? AnswerYes : AnswerNo;
    g.WaitingAnswer = false;
    ClearLabels();
    g.StoryNo = g.StoryNo + 1;
    Unload();
    AdvanceStory(g, vbLeftButton);
}

}  // namespace q
