// The ending as the player sees it: started on floor 299 of the cave, one
// line a click, the clear record, the save questions and the last click.
#include <utility>

#include "EndingFixture.h"
#include "core/GoToPlace.h"
#include "core/InitGame.h"
#include "core/StoryInput.h"
#include "core/World.h"
#include "core/frmUnderMes.h"
#include "field/frmField.h"
#include "save/ClearRecord.h"
#include "save/Ending.h"
#include "town/frmEvent.h"

namespace q::test {
namespace {

namespace fs = std::filesystem;

const std::string File1 = "Quorvane_1.dat";
const std::string File2 = "Quorvane_2.dat";

constexpr const char* FileOneQuestion =
    "これからクリアデータをファイル１にセーブします。よろしいですか？ [セーブ(Y/G)] [やめる(N)]";
constexpr const char* FileTwoQuestion = "それではファイル２にセーブします。よろしいですか？ [セーブ(Y/G)] [やめる(N)]";
constexpr const char* LastQuestion =
    "セーブをしないと、クリア後の世界がプレイできません。それでも、よろしいですか？ [ファイル２にセーブする(Y)] "
    "[セーブしない(N/G)]";
constexpr const char* NotSavedLine =
    "セーブを行いませんでした。次回「つづき」を選ぶと、最後にセーブしたデータから始まります";

std::string SavedLine(int file) {
    return "セーブを行いました。次回から「つづき" + std::to_string(file) + "」を選ぶと、クリア後の世界をプレイできます";
}

// Clicks on the answer labels of the bar, told apart from key codes.
constexpr int ClickFirstChoice = -1;
constexpr int ClickSecondChoice = -2;

class EndingTest : public SaveTest {
protected:
    void SetUp() override {
        SaveTest::SetUp();
        InitGame(g());
    }

    // The heroine warps to floor 299 of the cave with its boss beaten.
    void ToFloor299() {
        g().FieldName = "Shinen";
        g().BossOK[11] = true;
        g().ResumeCode = {ResumeWarp, 299};
        GoToPlace(g(), "Board", "", "", "");
        g().frmEvent.Unload();
        ASSERT_EQ(g().SceneFormName, "frmField");
        ASSERT_EQ(g().RoadPos, 299);
    }

    // One tick of the field's clock there starts the ending.
    void StartEnding() {
        ToFloor299();
        host.Advance(g().SpeedInterval);
        ASSERT_EQ(g().StoryName, "EndingSpeech");
        ASSERT_EQ(g().StoryNo, EndingFirstStep);
    }

    // Straight to a step on the cave's last floor: the step before it, then a click.
    void AtStep(Long step) {
        if (!g().frmField.loaded()) ToFloor299();
        g().StoryName = "EndingSpeech";
        g().StoryNo = step - 1;
        Click();
        ASSERT_EQ(g().StoryNo, step == 104 ? 149 : step);
    }

    void Click() { MessageInput(g(), vbLeftButton, 0, InputFormClick); }
    void Answer(int input) {
        if (input == ClickFirstChoice || input == ClickSecondChoice)
            g().frmUnderMes->LBLMessage[input == ClickFirstChoice ? 1 : 2].MouseDown(vbLeftButton, 0, 0, 0);
        else
            MessageInput(g(), input, 0, InputKey);
    }
    void ClickTo(Long step) {
        for (int i = 0; i < 200 && g().StoryNo != step; ++i) Click();
        ASSERT_EQ(g().StoryNo, step);
    }
    std::string Bar() { return SimHost::BarText(*g().frmUnderMes.peek()); }

    // The sprites of the last frame with their x in pixels, in drawing order.
    std::vector<std::pair<int, int>> Figures() const {
        std::vector<std::pair<int, int>> out;
        for (const auto& s : host.LastFrame().image) out.emplace_back(s.sprite, s.x);
        return out;
    }
};

TEST_F(EndingTest, FromTheQueenToTheSaveQuestion) {
    g().AutoNext = true;  // the ending is clicked through in auto mode too
    StartEnding();
    EXPECT_TRUE(g().AnaSpot[29]);
    EXPECT_TRUE(g().AutoBlocked);
    EXPECT_TRUE(g().EventBusy);
    EXPECT_EQ(g().NoClick, NoClickNone);
    EXPECT_EQ(Bar(), "女王：イザベラさん、いいところに来てくださいました…");
    Click();
    EXPECT_EQ(Bar(), "女王：これから第二陣を深淵窟に送ろうとしていたところです");

    ClickTo(100);  // the testers' line leads on to the thanks
    EXPECT_EQ(Bar(), "テストプレイヤー（敬称略・順不同）：ルカネ、ヒュミ、ベルノ");
    Click();
    EXPECT_EQ(g().StoryNo, 101);
    EXPECT_EQ(Bar(), "長い時間、大変お疲れ様でした");

    Click();
    EXPECT_TRUE(fs::is_regular_file(ClearFileName));
    EXPECT_TRUE(g().GameCleared);
    Click();
    EXPECT_EQ(Bar(), "ゲーム(Quorvane.exe)と同じフォルダにクリアファイル(Clear.txt)を作成しました");
    Click();
    EXPECT_EQ(Bar(), "クリアファイルには、あなたの取った行動やランクが表示されていますので、是非見てくださいね");
    Click();
    EXPECT_EQ(Bar(), FileOneQuestion);
    EXPECT_EQ(g().StoryNo, StoryWaitNo);
    EXPECT_TRUE(g().WaitingAnswer);
    // Clicks do not pass the question by.
    Click();
    Click();
    EXPECT_EQ(g().StoryNo, StoryWaitNo);
    EXPECT_EQ(Bar(), FileOneQuestion);
}

TEST_F(EndingTest, EachRefusalLeadsToTheNextQuestion) {
    AtStep(104);
    Click();
    EXPECT_EQ(Bar(), FileOneQuestion);
    EXPECT_EQ(g().SavedStoryNo, EndingSavePromptStep);
    EXPECT_EQ(g().WorkNum, 0);
    Answer(vbKeyN);
    EXPECT_EQ(Bar(), FileTwoQuestion);
    EXPECT_EQ(g().WorkNum, 1);
    EXPECT_EQ(g().StoryNo, StoryWaitNo);
    Answer(vbKeyN);
    EXPECT_EQ(Bar(), LastQuestion);
    EXPECT_EQ(g().WorkNum, 1);
    EXPECT_EQ(g().SavedStoryNo, StoryWaitNo);
    EXPECT_EQ(g().WorkName, "セーブをしないと、クリア後の世界がプレイできません。よろしいですか？");
}

TEST_F(EndingTest, TheAnswersDecideWhichFileKeepsTheClearedGame) {
    const struct {
        std::vector<int> answers;
        int file;  // 0: none
    } cases[] = {
        {{vbKeyY}, 1},
        {{vbKeyReturn}, 1},
        {{vbKeyG}, 1},
        {{ClickFirstChoice}, 1},
        {{vbKeyN, vbKeyY}, 2},
        {{ClickSecondChoice, vbKeyReturn}, 2},
        {{vbKeyN, vbKeyG}, 2},
        {{vbKeyN, vbKeyN, vbKeyY}, 2},
        {{vbKeyN, vbKeyN, ClickFirstChoice}, 2},
        {{vbKeyN, vbKeyN, vbKeyN}, 0},
        {{vbKeyN, vbKeyN, vbKeyReturn}, 0},
        {{vbKeyN, vbKeyN, vbKeyG}, 0},
        {{vbKeyN, vbKeyN, ClickSecondChoice}, 0},
    };
    for (const auto& c : cases) {
        fs::remove(File1);
        fs::remove(File2);
        AtStep(104);
        Click();
        for (int a : c.answers) Answer(a);
        std::string what;
        for (int a : c.answers) what += std::to_string(a) + " ";
        EXPECT_EQ(g().StoryNo, EndingAfterPromptStep) << what;
        EXPECT_EQ(Bar(), c.file ? SavedLine(c.file) : NotSavedLine) << what;
        EXPECT_EQ(fs::exists(File1), c.file == 1) << what;
        EXPECT_EQ(fs::exists(File2), c.file == 2) << what;
        EXPECT_EQ(g().AnswerKey, AnswerNone) << what;
    }
}

TEST_F(EndingTest, TheLastLinesAndTheClickAfterThemEndTheProgram) {
    AtStep(104);
    Click();
    Answer(vbKeyY);
    Click();
    EXPECT_EQ(g().StoryNo, 200);
    EXPECT_EQ(Bar(), "それでは最後に");
    Click();
    EXPECT_EQ(Bar(), "+++  Thank you for your playing!!  +++");
    EXPECT_EQ(g().StoryNo, StoryEndNo);
    EXPECT_FALSE(g().Ended());
    Click();
    EXPECT_TRUE(g().Ended());
    EXPECT_TRUE(g().TimersSuspended);
}

TEST_F(EndingTest, TheClearedGameSavedAtThePromptContinuesCleared) {
    AtStep(102);
    AtStep(104);
    Click();
    Answer(vbKeyY);
    ASSERT_EQ(g().SaveFailCount, 1);

    InitGame(g());
    ASSERT_FALSE(g().GameCleared);
    ASSERT_TRUE(LoadGame(g(), 1));
    EXPECT_TRUE(g().GameCleared);
    for (int k : {23, 24, 25}) EXPECT_TRUE(g().AllKey[size_t(k)].LKeyList) << k;
    for (int arm = 480; arm <= 484; ++arm) EXPECT_TRUE(g().AllArms[size_t(arm)].LArmsList) << arm;
}

TEST_F(EndingTest, AFailedSaveAsksAgainSoTheClearIsNotLost) {
    fs::create_directories(File1 + "/inside");  // file 1 cannot be replaced
    AtStep(104);
    Click();
    const std::string before = transcript.str();
    Answer(vbKeyY);
    EXPECT_EQ(g().SaveFailCount, 99);
    EXPECT_NE(transcript.str().find("セーブ処理に失敗しました。", before.size()), std::string::npos);
    EXPECT_EQ(Bar(), FileOneQuestion);
    EXPECT_EQ(g().StoryNo, StoryWaitNo);
    EXPECT_TRUE(g().WaitingAnswer);
    Answer(vbKeyN);
    Answer(vbKeyY);
    EXPECT_EQ(g().SaveFailCount, 1);
    EXPECT_EQ(Bar(), SavedLine(2));
    EXPECT_TRUE(fs::is_regular_file(File2));
}

TEST_F(EndingTest, AClearRecordThatCannotBeWrittenIsToldAndTheEndingGoesOn) {
    fs::create_directory(ClearFileName);
    AtStep(102);
    EXPECT_TRUE(g().ClearRecordFailed);
    EXPECT_TRUE(g().GameCleared);
    Click();
    EXPECT_EQ(Bar(), "ゲーム(Quorvane.exe)と同じフォルダにクリアファイル(Clear.txt)を作成できませんでした");
    Click();
    EXPECT_EQ(Bar(), "クリアの記録は残せませんでしたが、クリアしたデータはこの後セーブできます");
    Click();
    EXPECT_EQ(Bar(), FileOneQuestion);
}

TEST_F(EndingTest, TheRecordCountsTheArmsBeforeTheNoahArmsAreMadeKnown) {
    g().AllArms[481].LArmsList = true;  // with arms 0 to 2 of a new game
    AtStep(102);
    const auto lines = Texts(FileLines(ReadBytes(ClearFileName)));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "武具収集　：4／500"), lines.end());
    EXPECT_FALSE(g().AllArms[480].LArmsList);
    Click();
    Click();
    for (int arm : {0, 1, 2, 480, 481, 482, 483, 484}) EXPECT_TRUE(g().AllArms[size_t(arm)].LArmsList) << arm;
    EXPECT_EQ(CollectedArmsCount(g(), true), 8);
    // Declining every save still leaves the record.
    Click();
    for (int a : {vbKeyN, vbKeyN, vbKeyN}) Answer(a);
    EXPECT_EQ(Bar(), NotSavedLine);
    EXPECT_TRUE(fs::is_regular_file(ClearFileName));
}

TEST_F(EndingTest, AnAnswerLeftFromAnEarlierStoryDoesNotCutTheEndingShort) {
    g().AnswerKey = AnswerYes;
    StartEnding();
    EXPECT_EQ(Bar(), "女王：イザベラさん、いいところに来てくださいました…");
    Click();
    EXPECT_EQ(g().StoryNo, 11);
    EXPECT_EQ(Bar(), "女王：これから第二陣を深淵窟に送ろうとしていたところです");
    EXPECT_FALSE(fs::exists(File1));
    EXPECT_FALSE(g().GameCleared);
}

TEST_F(EndingTest, TheFiguresOfEachFrameFollowHerSpriteSetAndHerShop) {
    using F = std::vector<std::pair<int, int>>;
    const struct {
        Long fieldLevel;
        bool newShop;
        int right, front, shop;
    } cases[] = {
        {0, false, 96, 92, 409},
        {1, true, 103, 99, 410},
        {2, false, 110, 106, 409},
        {7, true, 110, 106, 410},
    };
    for (const auto& c : cases) {
        InitGame(g());
        g().FieldLevel = c.fieldLevel;
        g().CarpenSell[0].SLCarpenOk = c.newShop;
        StartEnding();
        // 900 twips are 60 pixels.
        EXPECT_EQ(Figures(), (F{{c.right, 20}, {82, 60}})) << c.fieldLevel;
        ClickTo(24);
        EXPECT_EQ(Figures(), (F{{393, 60}})) << "the night empties the stage";
        ClickTo(27);
        EXPECT_EQ(Figures(), (F{{c.shop, 60}, {c.right, 20}})) << c.fieldLevel;
        ClickTo(28);
        EXPECT_EQ(Figures(), (F{{c.front, 80}, {143, 20}, {130, 0}, {396, 60}})) << c.fieldLevel;
        ClickTo(39);
        EXPECT_EQ(Figures(), (F{{c.shop, 60}, {c.front, 80}})) << c.fieldLevel;
        const int top = host.LastFrame().image.at(0).y;
        for (const auto& s : host.LastFrame().image) EXPECT_EQ(s.y, top);
        g().frmField.Unload();
    }
}

}  // namespace
}  // namespace q::test
