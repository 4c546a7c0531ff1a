#include "core/frmUnderMes.h"

#include "core/StoryInput.h"

namespace q {

void frmUnderMes::LabelClick(int Index, int Button) {
    Game& g = game;
    if (Button != vbLeftButton) {
        AdvanceStory(g, Button);
        return;
    }
    if (g.ClickTaken) return;
    const bool lineWithChoices = !LBLMessage[2].Caption->empty();
    const bool choicesAlone = !lineWithChoices && !LBLMessage[1].Caption->empty();
    // Choices that wait under another line on the second bar (closing's, the
    // quit question's) take no answer: the click is a plain one and goes to
    // that line. Otherwise a choice answers whether or not the asking handler
    // set WaitingAnswer.
    if ((lineWithChoices || choicesAlone) && g.UseSecondBar) {
        AdvanceStory(g, vbLeftButton);
        return;
    }
    if (lineWithChoices) {
        if (Index == 0) return;  // the question's line itself
        g.AnswerKey = Index == 1 ? AnswerYes : AnswerNo;
    } else if (choicesAlone) {
        if (Index == 2) return;
        g.AnswerKey = Index == 0 ? AnswerYes : AnswerNo;
    } else {
        AdvanceStory(g, vbLeftButton);
        return;
    }
    g.WaitingAnswer = false;
    ClearLabels();
    g.StoryNo = g.StoryNo + 1;
    AdvanceStory(g, vbLeftButton);
}

}  // namespace q
