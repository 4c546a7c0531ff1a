#include "town/TalkScript.h"

#include "core/Message.h"
#include "shop/ListWindows.h"
#include "town/FacilityWindow.h"

namespace q {

namespace {

bool Holds(const Game& g, TalkPred when) { return !when || when(g); }

}  // namespace

const Talk* ChooseTalk(const Game& g, std::span<const Talk> talks) {
    for (const Talk& t : talks)
        if (Holds(g, t.when)) return &t;
    return nullptr;
}

void TellTalk(Game& g, std::span<const Talk> talks) {
    if (const Talk* t = ChooseTalk(g, talks)) TellStep(g, *t);
    else ShowTalkLine(g);
}

void TellStep(Game& g, const Talk& talk) {
    const Long step = g.StoryNo;
    const Long count = Long(talk.lines.size());
    const bool inRun = step >= talk.first && step < talk.first + count;
    if (inRun && talk.lines[size_t(step - talk.first)]) g.MessageText = talk.lines[size_t(step - talk.first)];

    unsigned finish = Goes;
    const Beat* question = nullptr;
    for (const Beat& b : talk.beats) {
        if ((b.step != step && b.step != AnyStep) || !Holds(g, b.when)) continue;
        if (b.line) g.MessageText = b.line;
        if (b.act) b.act(g);
        finish |= b.finish;
        if (b.finish & Asks) question = &b;
    }
    if (question) {
        AskTalkQuestion(g, question->yes, question->no);
        return;
    }
    if (finish == Goes && inRun && step == talk.first + count - 1) finish = talk.last;
    FinishTalk(g, finish);
    if (!(finish & Quiet)) ShowTalkLine(g);
}

void FinishTalk(Game& g, unsigned finish) {
    if (finish & Ends) g.StoryNo = StoryEndNo;
    if (finish & Closes) g.StoryNo = StoryAfterEndNo;
    if (finish & HandsOver) g.StoryNo = 10;
    if (finish & Releases) g.OfferPending = false;
    if (finish & FreesClicks) g.NoClick = NoClickNone;
    if (finish & EnablesButton) EnableFacilityButton(g, true);
    // Last: the window's own load may set the step and the flags again.
    if (finish & Reopens) ReopenFacilityWindow(g);
}

void ShowTalkLine(Game& g) { ShowMessage(g, g.MessageText); }

void AskTalkQuestion(Game& g, const char* yes, const char* no) {
    ShowMessage(g, g.MessageText, yes, no, false);
    // The question stays open until Y, N, Enter or G answers it.
    g.WaitingAnswer = true;
    g.AnswerKey = AnswerNone;
}

void ChainTrade(Game& g, Long Give, Long Receive, Long Step) {
    g.AllKey[size_t(Give)].LKeyList = false;
    g.AllKey[size_t(Receive)].LKeyList = true;
    g.ClearFlg = Step;
    g.StoryNo = StoryEndNo;
    RefreshListWindow(g);
}

void NoahGift(Game& g, Long Piece, Long Arm) {
    g.AllKey[size_t(Piece)].LKeyList = true;
    g.AllArms[size_t(Arm)].LArmsList = true;
    g.NoaFlg[size_t(Piece)] = 1;
    RefreshListWindow(g);
}

void RefreshLists(Game& g) { RefreshListWindow(g); }

}  // namespace q
