#include "town/frmEvent.h"

#include <array>
#include <string_view>

#include "core/GoToPlace.h"
#include "core/InitGame.h"
#include "core/KeepOnTop.h"
#include "core/Message.h"
#include "core/StoryInput.h"
#include "core/World.h"
#include "core/frmUnderMes.h"
#include "save/SaveFile.h"
#include "shop/ListWindows.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

namespace {

constexpr Long KeeperX = 900;
constexpr Long SignBoard = 394;
constexpr Long LakeMonster = 357;
constexpr Long Goddess = 146;
constexpr const char* IdleLine = "イザベラ：さて、どこに行こうかしら";
constexpr const char* FirstFile = "ファイル１";
constexpr const char* SecondFile = "それでは、ファイル２";

Long HeroFacingRight(const Game& g) { return g.FieldLevel == 0 ? 96 : g.FieldLevel == 1 ? 103 : 110; }

// The month's economy as the board tells it.
constexpr std::array<const char*, 3> EconomyLines{"今月の景気は安定しています", "今月は不景気のようです",
                                                   "今月は好景気のようです"};

// Each keeper's standing line.
struct KeeperLine {
    std::string_view place;
    const char* line;
};
constexpr std::array<KeeperLine, 10> KeeperLines{{
    {"Item", "道具屋：何をお求めになられますか？"},
    {"Bank", "銀行員：ヘイ、ガール！用件は何だ？"},
    {"House", "大家：何を見にきたのかね？"},
    {"Hotel", "宿屋：休んでいかれますか？"},
    {"Carpenter", "大工グェン：何か作るか？"},
    {"Fortune", "占いババ：探し物を占ってしんぜようぞ"},
    {"Smith", "鍛冶屋：何か用か？"},
    {"Park", "イザベラ：誰に話し掛ける？"},
    {"Warp", "イザベラ：行ったことのある階にワープできるわ"},
    {"Kaihatsu", "イザベラ：ココは、開発室ね。どんなことを聞こうかしら？"},
}};

}  // namespace

frmEvent::frmEvent(Game& g) : GameForm(g, "frmEvent") {
    add(Timer2);
    Timer2.OnTimer = [this] { Timer2_Timer(); };
}

void frmEvent::Design() {
    Caption = "+++ Quorvane +++";
    Timer2.Interval = 0;
    Timer2.Enabled = true;
}

void frmEvent::Form_Load() {
    Game& g = game;
    g.NoClick = NoClickAll;
    g.StoryNo = 0;
    g.SavedStoryName.clear();
    g.StoryName.clear();
    g.EventField.clear();
    g.SavedEventField.clear();
    g.ReloadList = false;
    g.SceneFormName = "frmEvent";
    g.StageForm = this;
    g.EventField = "Board";
    g.StoryName = "BoardEvent";
    ClearConditions(g);
    switch (g.ResumeCode[0]) {
        case ResumeWarp:
            g.ResumeCode[0] = ResumeDungeonSwitch;
            g.Call("frmBoard.bIn_Click");
            return;
        case ResumeFainted: g.Call("frmBoard.bDream_Click"); return;
        case ResumeCorridor:
            g.RoadForward = true;
            g.ResumeCode[0] = ResumeCorridorSwitch;
            GoToPlace(g, "", "Elwind", "Mugen", "ElfMugen");
            return;
        default: break;
    }
    ShowBoard();
}

void frmEvent::ShowBoard() {
    Game& g = game;
    g.LastMessage = IdleLine;
    g.AutoBlocked = true;
    g.AtBoard = true;
    Timer2.Interval = g.FrontFLG ? 1000 : 0;
    if (g.AutoNextChange == 1) g.AutoNext = false;
    else if (g.AutoNextChange == 2) g.AutoNext = true;
    if (g.LeftModeChange == 1) g.LeftMode = true;
    else if (g.LeftModeChange == 2) g.LeftMode = false;
    g.AutoNextChange = 0;
    g.LeftModeChange = 0;
    g.HeroSprite = HeroFacingRight(g);
    g.HeroX = RGN_PixelToTwipX(g, 20);
    g.VisitorSprite = SignBoard;
    RGN_InitForm(g, *this, 1, -1, -1);
    RGN_Draw(g, g.HeroSprite, *this, g.HeroX, g.SpriteTop);
    RGN_Draw(g, SignBoard, *this, KeeperX, g.SpriteTop);
    DrawGauges(g);
    RGN_Apply(g, *this);
    if (g.EffectResult != EffectToEntrance) ShowMessage(g, g.LastMessage);
    g.EffectResult = 0;
    RefreshListWindow(g);
    if (g.FieldName == "Amulet") g.ArmsComplete = CollectedArmsCount(g, false);
    g.OfferPending = false;
    g.NoClick = NoClickNone;
}

void frmEvent::Form_MouseDown(int Button, int, int, int) { MessageInput(game, Button, 0, InputFormClick); }

void frmEvent::Form_KeyDown(int KeyCode, int Shift) { MessageInput(game, KeyCode, Shift, InputKey); }

void frmEvent::Timer2_Timer() { KeepOnTop(game, false); }

void frmEvent::Reset() {
    Game& g = game;
    g.BoardCommand.clear();
    g.StoryNo = 0;
    g.NoClick = NoClickNone;
    g.EventBusy = false;
    g.MenuLocked = false;
    g.AtBoard = true;
    RefreshListWindow(g);
}

void frmEvent::BoardEvent() {
    Game& g = game;
    g.AtBoard = false;
    if (g.BoardCommand == "Economy") {
        const Long e = g.EconomyValue >= 0 && g.EconomyValue <= 2 ? g.EconomyValue : 0;
        ShowMessage(g, EconomyLines[size_t(e)]);
        Reset();
    } else if (g.BoardCommand == "Save") {
        SaveDialogue();
    } else if (g.EventField == "Umi" || g.EventField == "Siro") {
        LakeAndCastle();
    } else if (g.EventField == "Board") {
        Reset();
    } else {
        EnterPlace();
    }
}

void frmEvent::AskSave() {
    Game& g = game;
    ShowMessage(g, g.WorkName + "にセーブします。よろしいですか？", "セーブ", "やめる", false);
    g.AnswerKey = AnswerNone;
    g.WaitingAnswer = true;
    RefreshListWindow(g);
    g.StoryNo = StoryWaitNo;
}

void frmEvent::SaveDialogue() {
    Game& g = game;
    g.AutoBlocked = true;
    if (g.StoryNo == 10) {
        AskSave();
        return;
    }
    if (g.StoryNo == StoryWaitNo) return;
    if (g.AnswerKey == AnswerYes) {
        g.NoClick = NoClickAll;
        g.AnswerKey = AnswerNone;
        g.DealAccepted = true;
        SaveGame(g, g.WorkNum);
        ShowMessage(g, g.SaveFailCount == 99 ? "セーブが出来ませんでした" : "セーブしました");
        Reset();
    } else if (g.AnswerKey == AnswerNo || g.AnswerKey == AnswerEnter || g.AnswerKey == AnswerGo) {
        g.AnswerKey = AnswerNone;
        g.DealAccepted = false;
        if (g.WorkName != SecondFile) {
            g.WorkName = SecondFile;
            g.WorkNum = 1;
            AskSave();
        } else {
            ShowMessage(g, "セーブをやめました");
            Reset();
        }
    }
}

void frmEvent::LakeAndCastle() {
    Game& g = game;
    if (g.StoryNo == 10) {
        g.NoClick = g.VisitorSprite == LakeMonster ? NoClickNone : NoClickRight;
        g.EventBusy = true;
        RGN_Draw(g, g.HeroSprite, *this, g.HeroX, g.SpriteTop);
        if (g.EventField == "Umi") {
            g.VisitorX = KeeperX + RGN_PixelToTwipX(g, 32);
            RGN_Draw(g, g.PlaceSprite, *this, g.VisitorX, g.SpriteTop);
            if (g.VisitorSprite != NoSprite) RGN_Draw(g, g.VisitorSprite, *this, KeeperX, g.SpriteTop);
        } else {
            RGN_Draw(g, g.VisitorSprite, *this, KeeperX, g.SpriteTop);
        }
        DrawGauges(g);
        RGN_Apply(g, *this);
        RefreshListWindow(g);
        if (g.MegamiFlg == 2) g.VisitorSprite = Goddess;
        g.Call("TownSpeech");
        return;
    }
    if (g.StoryNo == StoryWaitNo) return;
    if (g.AnswerKey == AnswerYes) {
        g.AnswerKey = AnswerNone;
        g.DealAccepted = true;
        g.StoryNo = 30;
        g.Call("TownSpeech");
    } else if (g.AnswerKey == AnswerNo || g.AnswerKey == AnswerEnter || g.AnswerKey == AnswerGo) {
        g.AnswerKey = AnswerNone;
        g.DealAccepted = false;
        g.StoryNo = 50;
        g.Call("TownSpeech");
    } else if (g.StoryNo == 51) {
        // The lake's fight: the battle gives the place and the story back at its end.
        g.SavedEventField = g.EventField;
        g.SavedStoryName = g.StoryName;
        g.EventField.clear();
        g.StoryName = "Fighting";
        g.Call("BattleDispatch");
    } else if (g.StoryNo == StoryAfterEndNo) {
        g.EventBusy = false;
        g.EventField.clear();
        g.EnemyName.clear();
        g.NoClick = NoClickNone;
        Form_Load();
        Reset();
    } else {
        g.Call("TownSpeech");
    }
}

void frmEvent::EnterPlace() {
    Game& g = game;
    g.FacilityFormName.clear();
    g.StoryNo = 0;
    ShowMessage(g, "");
    RGN_Draw(g, g.HeroSprite, *this, g.HeroX, g.SpriteTop);
    if (g.EventField == "Park") {
        g.VisitorX = KeeperX + RGN_PixelToTwipX(g, 32);
        RGN_Draw(g, g.PlaceSprite, *this, g.VisitorX, g.SpriteTop);
    } else if (g.EventField == "Kaihatsu") {
        RGN_Draw(g, 29, *this, KeeperX, g.SpriteTop);
        RGN_Draw(g, 0, *this, KeeperX + RGN_PixelToTwipX(g, 28), g.SpriteTop);
        RGN_Draw(g, 69, *this, KeeperX + RGN_PixelToTwipX(g, 56), g.SpriteTop);
    } else {
        RGN_Draw(g, g.VisitorSprite, *this, KeeperX, g.SpriteTop);
    }
    DrawGauges(g);
    RGN_Apply(g, *this);
    RefreshListWindow(g);
    AdvanceStory(g, vbLeftButton);
}

void EnterFacility(Game& g) {
    g.NoClick = NoClickAll;
    if (g.EventField == "Cart") {
        g.LastMessage = g.Warasibe > 1 ? "馬車屋：お？どっか行くだべか？"
                                       : "馬車屋：悪いんだげど、まんだ準備中だべ。時間をおいで来でくんろ";
    } else if (g.EventField == "Mania") {
        ShowMessage(g, g.HaveGyokuNum == 100 ? "業者：お、あんたか。モンスターの情報を見にきたのか？"
                                             : "業者：さっさとギョクを探してきやがれ！");
    } else {
        const KeeperLine* found = nullptr;
        for (const auto& k : KeeperLines)
            if (k.place == g.EventField) found = &k;
        if (!found) {
            g.NoClick = NoClickNone;
            return;
        }
        g.LastMessage = found->line;
    }
    g.NoClick = NoClickNone;
    g.FacilityFormName = "frmItemShop";
    g.Call("frmItemShop.Show");
}

}  // namespace q
