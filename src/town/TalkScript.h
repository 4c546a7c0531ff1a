// The shape of every town conversation: a talk is a run of lines, one per
// click from its first step, plus the beats where something besides a line
// happens (a state change, a different line, an early end, a question). The
// people, the keepers, the lake and the castle are tables of talks; the code
// here only walks them.
#pragma once

#include <span>

#include "core/Game.h"

namespace q {

using TalkPred = bool (*)(const Game&);
using TalkAct = void (*)(Game&);

// What a step does to the talk once its line is set. Flags combine.
enum TalkFinish : unsigned {
    Goes = 0,             // the talk goes on with the next click
    Ends = 1u << 0,       // StoryNo := 999999: the next click closes the talk
    Closes = 1u << 1,     // StoryNo := 1000000 at once
    HandsOver = 1u << 2,  // StoryNo := 10: the next click starts the keeper's talk afresh
    Releases = 1u << 3,   // OfferPending := False
    FreesClicks = 1u << 4,  // NoClick := 0
    EnablesButton = 1u << 5,  // the facility window's action button
    Reopens = 1u << 6,    // the facility window is rebuilt without its greeting
    Quiet = 1u << 7,      // no line is shown
    Asks = 1u << 8,       // the line is a question with the beat's two choices
};

// A keeper's talk that ends hands the window back.
inline constexpr unsigned KeeperEnds = Ends | Releases | FreesClicks;
// A keeper's talk that closes at once.
inline constexpr unsigned KeeperCloses = Closes | Releases | FreesClicks | EnablesButton;

// A beat applies at its step when its condition holds (no condition: always).
inline constexpr Long AnyStep = -1;

struct Beat {
    Long step = 0;
    TalkPred when = nullptr;
    const char* line = nullptr;  // in place of the step's own line
    TalkAct act = nullptr;       // after the line is set
    unsigned finish = Goes;
    const char* yes = nullptr;   // the choices of a question
    const char* no = nullptr;
};

struct Talk {
    TalkPred when = nullptr;  // no condition: always
    Long first = 10;          // the step of the first line
    std::span<const char* const> lines{};  // a null line is left to the beats
    std::span<const Beat> beats{};
    unsigned last = Ends;     // what the last line does when no beat says otherwise
};

// Someone to talk to in a park, known by the figure drawn.
struct Person {
    Long sprite;
    std::span<const Talk> talks;
};

// The first talk whose condition holds, or null.
const Talk* ChooseTalk(const Game& g, std::span<const Talk> talks);
// Performs step StoryNo of the first talk that holds; with none, shows the
// line that is on the bar again.
void TellTalk(Game& g, std::span<const Talk> talks);
// Performs step StoryNo of one talk and shows its line.
void TellStep(Game& g, const Talk& talk);
// Applies a finish: the step, the window and the click gate. Shows nothing.
void FinishTalk(Game& g, unsigned finish);
// The line composed so far, as a plain line.
void ShowTalkLine(Game& g);
// A question whose second choice is the default; the talk goes on at 30 or 50.
void AskTalkQuestion(Game& g, const char* yes, const char* no);

// --- State changes that several talks share ---

// One trade of the chain of valuables: Give for Receive, chain step Step.
void ChainTrade(Game& g, Long Give, Long Receive, Long Step);
template <Long Give, Long Receive, Long Step>
void Trade(Game& g) {
    ChainTrade(g, Give, Receive, Step);
}

// A Noah piece given: the valuable, its arm known, the quest's flag.
void NoahGift(Game& g, Long Piece, Long Arm);
template <Long Piece, Long Arm>
void Noah(Game& g) {
    NoahGift(g, Piece, Arm);
}

template <Long Stage>
void SetWarasibe(Game& g) {
    g.Warasibe = Stage;
}

void RefreshLists(Game& g);

}  // namespace q
