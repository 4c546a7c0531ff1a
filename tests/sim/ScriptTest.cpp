#include <gtest/gtest.h>

#include <cctype>
#include <sstream>

#include "CaseName.h"
#include "sim/Script.h"
#include "sim/SimDriver.h"

namespace q {
namespace {

std::string RunScript(const std::string& script) {
    std::ostringstream out;
    SimDriver driver(&out);
    ScriptRunner runner(driver, [&]() -> Game& { return driver.MakeGame(); }, out);
    std::istringstream in(script);
    runner.Run(in);
    return out.str();
}

TEST(ScriptTest, SplitsWordsWithQuotes) {
    EXPECT_EQ(SplitWords(R"(call ShowMessage "a b" c "say ""hi""")"),
              (std::vector<std::string>{"call", "ShowMessage", "a b", "c", "say \"hi\""}));
    EXPECT_EQ(SplitWords("  \t "), std::vector<std::string>{});
    EXPECT_THROW(SplitWords("echo \"open"), std::runtime_error);
}

TEST(ScriptTest, QuestionAnsweredByLabelClickShowsInTranscript) {
    const std::string out = RunScript(
        "start\n"
        "set WaitingAnswer True\n"
        "call ShowMessage 売りますか？ 売る 売らない True\n"
        "click frmUnderMes.LBLMessage(1)\n"
        "expect AnswerKey 89\n");
    EXPECT_NE(out.find("frmUnderMes: 売りますか？ [売る(Y/G)] [売らない(N)]"), std::string::npos) << out;
    EXPECT_NE(out.rfind("frmUnderMes: (empty)"), out.find("frmUnderMes: (empty)")) << out;
}

TEST(ScriptTest, ExpectResultReadsWhatTheLastCallReturned) {
    const std::string out = RunScript(
        "start\n"
        "set FieldName Rein\n"
        "set EventField Smith\n"
        "call PlaceName\n"
        "expect result レインウッド－鍛冶屋\n"
        "call TownName Rein\n"
        "expect result \"\"\n");
    EXPECT_NE(out.find("PlaceName -> レインウッド－鍛冶屋"), std::string::npos) << out;
}

TEST(ScriptTest, SameScriptGivesTheSameTranscript) {
    const std::string script = "seed 7\nstart\ncall ShowMessage あ\nwait 1500\nkey G\nkey Esc\n";
    EXPECT_EQ(RunScript(script), RunScript(script));
}

struct BadLine {
    const char* script;
    int line;
    const char* says;
};

class ScriptErrors : public ::testing::TestWithParam<BadLine> {};

TEST_P(ScriptErrors, MistakesAreClearErrorsWithTheirLine) {
    const BadLine& c = GetParam();
    try {
        RunScript(c.script);
        FAIL() << "no error for " << c.script;
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.line, c.line);
        EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sim, ScriptErrors,
    ::testing::Values(BadLine{"start\nfrobnicate\n", 2, "unknown command"},
                      BadLine{"start\nget NoSuchThing\n", 2, "unknown variable"},
                      BadLine{"start\nkey Bogus\n", 2, "unknown key"},
                      BadLine{"start\nclick frmNowhere.lbl\n", 2, "not shown"},
                      BadLine{"start\nclick frmUnderMes.LBLMessage(7)\n", 2, "no control"},
                      BadLine{"start\nexpect StoryNo 3\n", 2, "expected StoryNo"},
                      BadLine{"start\nwait soon\n", 2, "not a number"},
                      BadLine{"start\ndraws 1.5\n", 2, "[0, 1)"},
                      BadLine{"start\nseed 3\n", 2, "before the game starts"},
                      BadLine{"start\ncall NoSuchProc\n", 2, "unknown procedure"},
                      BadLine{"start\ncall TownName Rein\nexpect result レインウッド\n", 3, "expected result"},
                      BadLine{"\n\nget StoryNo(3)\n", 3, "not an array"},
                      BadLine{"echo \"open\n", 1, "unclosed quote"},
                      BadLine{"start\nselect frmUnderMes.LBLMessage(0) 1\n", 2, "not a list"},
                      BadLine{"start\ntype frmUnderMes.LBLMessage(0) 12\n", 2, "not a text box"},
                      BadLine{"start\ncall frmMenu.mStatus_Click\nselect frmStatus.TXTStatus(0) 1\n", 3, "not a list"},
                      BadLine{"start\ncall frmFrame.cmdFrame_Click 5\nselect frmStockArms.lstList 9\n", 3, "has no row 9"},
                      BadLine{"start\ndrag frmUnderMes 3\n", 2, "drag needs"}),
    q::test::NameBy([](const auto& c) {
        using namespace q::test;
        // "[0, 1)" would be named by digits alone, which reads as a case's index.
        const std::string name = Name(c.says);
        return std::isdigit(static_cast<unsigned char>(name[0])) ? "Range" + name : name;
    }));

}  // namespace
}  // namespace q
