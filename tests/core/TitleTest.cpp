#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>
#include <fstream>

#include "CaseName.h"
#include "Fixture.h"
#include "core/Startup.h"
#include "core/StoryInput.h"
#include "core/frmOpen.h"
#include "core/frmUnderMes.h"
#include "save/SaveFormat.h"

namespace q {
namespace {

// Runs each test in a folder of its own, where the save files are looked for.
class TitleTest : public test::GameTest {
protected:
    TitleTest() {
        // A folder of the process's own: two builds' suites may run at once.
        dir = std::filesystem::temp_directory_path() /
              ("quorvane-title-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        old = std::filesystem::current_path();
        std::filesystem::current_path(dir);
    }
    ~TitleTest() override {
        std::filesystem::current_path(old);
        std::filesystem::remove_all(dir);
    }
    void Touch(const char* name) { std::ofstream(name) << "x\n"; }
    frmOpen& Title() { return *g().frmOpen.peek(); }

    std::filesystem::path dir, old;
};

struct ContinueCase {
    bool file1, file2;
    bool shown0, shown1, shown2;
    const char* focus;
};

class ContinueButtons : public TitleTest, public ::testing::WithParamInterface<ContinueCase> {};

TEST_P(ContinueButtons, ShowWhatTheFolderHolds) {
    const ContinueCase& c = GetParam();
    if (c.file1) Touch(SaveFileName(1).c_str());
    if (c.file2) Touch(SaveFileName(2).c_str());
    StartProgram(g());
    frmOpen& t = Title();
    EXPECT_TRUE(t.Visible);
    EXPECT_EQ(t.cmdContinue[0].Visible.get(), c.shown0);
    EXPECT_FALSE(t.cmdContinue[0].Enabled);
    EXPECT_EQ(t.cmdContinue[1].Visible.get(), c.shown1);
    EXPECT_EQ(t.cmdContinue[2].Visible.get(), c.shown2);
    ASSERT_NE(host.Focused(), nullptr);
    EXPECT_EQ(host.Focused()->path(), c.focus);
}

INSTANTIATE_TEST_SUITE_P(Title, ContinueButtons,
                         ::testing::Values(ContinueCase{false, false, true, false, false, "frmOpen.cmdStart"},
                                           ContinueCase{true, false, false, true, false, "frmOpen.cmdContinue(1)"},
                                           ContinueCase{false, true, false, false, true, "frmOpen.cmdContinue(2)"},
                                           ContinueCase{true, true, false, true, true, "frmOpen.cmdContinue(1)"}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(Flag{c.file1, "File1"}, Flag{c.file2, "File2"}, c.focus); }));

TEST_F(TitleTest, StartUpPlacesTheBarsAndCentresTheTitle) {
    StartProgram(g());
    frmOpen& t = Title();
    EXPECT_EQ(g().StageForm, &t);
    EXPECT_NEAR(t.Left + t.Width / 2.0, 1920 * 15 / 2.0, 1);
    EXPECT_TRUE(g().frmUnderMes.peek()->Visible);
    EXPECT_EQ(g().NowYear, 3050);
    EXPECT_EQ(g().MyGold, 300);
}

TEST_F(TitleTest, NoSceneMenuOpensAtTheTitle) {
    StartProgram(g());
    g().frmUnderMes->LBLMessage[0].MouseDown(vbRightButton, 0, 0, 0);
    g().frmUnderMes->Form_MouseDown(vbRightButton, 0, 0, 0);
    MessageInput(g(), vbKeyApps, 0, InputKey);
    EXPECT_EQ(host.OpenMenu(), nullptr);
    EXPECT_TRUE(Title().Visible);
}

TEST_F(TitleTest, SecondCopyIsRefusedAndEnds) {
    host.SetAnotherCopyRunning(true);
    StartProgram(g());
    EXPECT_NE(transcript.str().find("msgbox \"\": 多重起動起動防止システム作動！\r\nゲームを強制終了します！"),
              std::string::npos)
        << transcript.str();
    EXPECT_TRUE(g().Ended());
    EXPECT_FALSE(g().frmUnderMes.loaded());  // the game was never initialised
}

TEST_F(TitleTest, EscAndExitEndTheProgramWithoutAsking) {
    StartProgram(g());
    Title().Form_KeyDown(27, 0);
    EXPECT_TRUE(g().Ended());
    EXPECT_EQ(transcript.str().find("msgbox"), std::string::npos);
}

TEST_F(TitleTest, HelpOpensTheDocument) {
    StartProgram(g());
    Title().cmdHelp.Click();
    EXPECT_EQ(host.Documents(), std::vector<std::string>{"Help.html"});
}

TEST_F(TitleTest, HelpThatCannotBeOpenedNamesItsFile) {
    host.SetNoDocumentViewer(true);
    StartProgram(g());
    Title().cmdHelp.Click();
    EXPECT_TRUE(host.Documents().empty());
    const std::string shown = transcript.str();
    const std::string path = std::filesystem::absolute("Help.html").string();
    EXPECT_NE(shown.find("ヘルプを開けませんでした"), std::string::npos) << shown;
    EXPECT_NE(shown.find(path), std::string::npos) << shown;
}

TEST_F(TitleTest, AboutCycleReturnsToTheTitleAtSize14) {
    StartProgram(g());
    frmOpen& t = Title();
    t.Label1_DblClick();
    EXPECT_EQ(t.Label1.Caption.get(), "  Ver1.00  ");
    EXPECT_EQ(t.Label2.Caption.get(), "  Ver1.00  ");
    EXPECT_DOUBLE_EQ(t.Label1.FontSize.get(), 14.25);
    t.Label1_DblClick();
    EXPECT_EQ(t.Label1.Caption.get(), "Zenlo && Pirel");
    EXPECT_DOUBLE_EQ(t.Label2.FontSize.get(), 11);
    t.Label1_DblClick();
    EXPECT_EQ(t.Label1.Caption.get(), "Quorvane");
    EXPECT_DOUBLE_EQ(t.Label1.FontSize.get(), 14);
}

TEST_F(TitleTest, UnloadFormsExceptAnUnknownNameEndsTheProgram) {
    StartProgram(g());
    UnloadFormsExcept(g(), "frmNowhere");
    EXPECT_TRUE(g().Ended());
}

}  // namespace
}  // namespace q
