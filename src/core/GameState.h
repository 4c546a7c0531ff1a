// The module-level variables of the game: everything a game consists of,
// under the names the whole program uses. They live for the whole run in
// one Game object.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace q {

using Long = std::int32_t;
using Integer = std::int32_t;  // held wider than 16 bits; every value fits

class Form;

// Codes shared by every subsystem.
constexpr Long NoSprite = 999999;        // no sprite to draw
constexpr Long CustomerGone = 99999999;  // a customer who has left
constexpr Long NoRecipeMaterial = 99999;
constexpr Long NoArmDrop = 9999;

// Steps of a story with a fixed meaning.
constexpr Long StoryWaitNo = 300000;     // parked at a question
constexpr Long StoryEndNo = 999999;      // the story is over
constexpr Long StoryAfterEndNo = 1000000;
constexpr Long StoryOverflowNo = 99999999;

// Answers to a question, as the key code that gave them.
constexpr Long AnswerNone = 0;
constexpr Long AnswerYes = 89;
constexpr Long AnswerNo = 78;
constexpr Long AnswerEnter = 13;
constexpr Long AnswerGo = 71;
constexpr Long AnswerClosed = 9999;

// The click gate of AdvanceStory.
constexpr Long NoClickNone = 0;
constexpr Long NoClickLeft = 1;
constexpr Long NoClickRight = 2;
constexpr Long NoClickAll = 3;
constexpr Long NoClickAuto = 4;

// Key codes the game tests.
constexpr int vbKeyReturn = 13;
constexpr int vbKeyEscape = 27;
constexpr int vbKeyApps = 93;
constexpr int vbKeyF5 = 116;
constexpr int vbKeyG = 71;
constexpr int vbKeyN = 78;
constexpr int vbKeyY = 89;

struct GameState {
    // --- Story state ---
    std::string StoryName;
    Long StoryNo = 0;
    Long NoClick = 0;
    bool WaitingAnswer = false;
    Long AnswerKey = 0;
    Long AnswerKey2 = 0;
    bool UseSecondBar = false;
    bool MessageBusy = false;
    Long MessageLabels = 0;
    bool ClickTaken = false;
    bool KeyInvoked = false;
    std::string LastMessage;
    std::string SavedStoryName;
    Long SavedStoryNo = 0;
    bool AutoBlocked = false;
    bool ResumePending = false;
    bool EventBusy = false;
    bool NewGame = false;
    std::string BoardCommand;
    Long BattlePhase = 0;
    bool AutoClickPending = false;
    bool AutoAnswerPending = false;
    std::int64_t WaitStart = 0;  // wall clock in ms when the timed wait began
    Long WaitSeconds = 0;
    std::string ListName;
    bool ListConfirm = false;
    bool TimersSuspended = false;

    // --- Settings ---
    bool AutoNext = false;
    Long AutoNextChange = 0;
    bool OnceStop = false;
    bool Stepping = false;
    bool FrontFLG = false;
    bool DBUFLG = false;
    bool LeftMode = false;
    Long LeftModeChange = 0;
    Long SpeedFlg = 0;
    Long SpeedInterval = 0;
    Long AutoWait = 0;

    // --- Scene and place ---
    std::string EnemyName;
    std::string FieldName;
    std::string EventName;
    std::string EventField;
    std::string SceneFormName;
    Form* StageForm = nullptr;
    Form* ListForm = nullptr;

    // --- Keeping in front, quitting, list windows, scene ---
    bool TopMostBusy = false;
    std::string FacilityFormName;
    std::string QuitStoryName;
    std::string QuitSavedStoryName;
    bool GameEnding = false;
    bool QuitAutoBlocked = false;  // AutoBlocked when the quit question was asked
    bool MenuLocked = false;
    Long VisitorSprite = 0;
    Long HeroSprite = 0;
    Long FieldLevel = 0;
    bool ShopOpen = false;
    Long ShopArmsSel = 0;
    Long BagSel = 0;
    Long SackSel = 0;
    Long KeepSelCount = 0;

    // --- Screen ---
    Long ScreenWidthPx = 0;
    Long ScreenWidthTwips = 0;
};

}  // namespace q
