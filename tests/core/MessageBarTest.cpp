#include <gtest/gtest.h>

#include "CaseName.h"
#include "Fixture.h"
#include "core/InitGame.h"
#include "core/Message.h"
#include "core/StoryInput.h"
#include "core/frmUnderMes.h"
#include "core/frmUnderMes2.h"

namespace q {
namespace {

using test::GameTest;

class MessageBarTest : public GameTest {
protected:
    MessageBarTest() { PlaceMessageBars(g()); }
    Label& Main(int i) { return g().frmUnderMes->LBLMessage[i]; }
    Label& Second(int i) { return g().frmUnderMes2->LBLMessage[i]; }
};

struct LayoutCase {
    const char* text;
    const char* yes;
    const char* no;
    bool defaultYes;
    const char* label0;
    const char* label1;
    const char* label2;
    bool underline0, underline1, underline2;
    int messageLabels;
};

class ShowMessageLayout : public MessageBarTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(ShowMessageLayout, LabelsCaptionsMarksAndUnderlines) {
    const LayoutCase& c = GetParam();
    std::string text = c.text, yes = c.yes, no = c.no;
    ShowMessage(g(), text, yes, no, c.defaultYes);
    EXPECT_EQ(Main(0).Caption.get(), c.label0);
    EXPECT_EQ(Main(1).Caption.get(), c.label1);
    EXPECT_EQ(Main(2).Caption.get(), c.label2);
    EXPECT_EQ(Main(0).FontUnderline.get(), c.underline0);
    if (*c.label1) {
        EXPECT_EQ(Main(1).FontUnderline.get(), c.underline1);
    }
    if (*c.label2) {
        EXPECT_EQ(Main(2).FontUnderline.get(), c.underline2);
    }
    EXPECT_EQ(g().MessageLabels, c.messageLabels);
}

INSTANTIATE_TEST_SUITE_P(
    Bars, ShowMessageLayout,
    ::testing::Values(
        LayoutCase{"店主：いらっしゃい", "", "", true, "店主：いらっしゃい", "", "", false, false, false, 1},
        LayoutCase{"店主：いらっしゃい", "", "買わない", false, "店主：いらっしゃい", "", "", false, false, false, 1},
        LayoutCase{"売りますか？", "売る", "売らない", true, "売りますか？", "売る(Y/G)", "売らない(N)", false, true, true, 3},
        LayoutCase{"売りますか？", "売る", "売らない", false, "売りますか？", "売る(Y)", "売らない(N/G)", false, true, true, 3},
        LayoutCase{"はい", "いいえ", "", false, "はい(Y)", "いいえ(N/G)", "", true, true, false, 2},
        LayoutCase{"はい", "いいえ", "", true, "はい(Y/G)", "いいえ(N)", "", true, true, false, 2}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(*c.yes ? "Question" : "Plain", Flag{c.defaultYes, "DefaultYes"}); }));

TEST_F(MessageBarTest, MarksAreAppendedToTheCallersOwnStrings) {
    std::string text = "どうする？", yes = "戦う", no = "逃げる";
    ShowMessage(g(), text, yes, no, true);
    EXPECT_EQ(yes, "戦う(Y/G)");
    EXPECT_EQ(no, "逃げる(N)");
    EXPECT_EQ(text, "どうする？");
    std::string a = "はい", b = "いいえ", empty;
    ShowMessage(g(), a, b, empty, false);
    EXPECT_EQ(a, "はい(Y)");
    EXPECT_EQ(b, "いいえ(N/G)");
}

TEST_F(MessageBarTest, EmptyTextClearsTheBarAndKeepsMessageLabels) {
    ShowMessage(g(), "売りますか？", "売る", "売らない", true);
    ShowMessage(g(), "", "売る", "売らない", true);
    EXPECT_EQ(Main(0).Caption.get(), "");
    EXPECT_EQ(Main(1).Caption.get(), "");
    EXPECT_EQ(Main(2).Caption.get(), "");
    EXPECT_EQ(g().MessageLabels, 3);
}

TEST_F(MessageBarTest, ChoicesFollowTheLine) {
    // A line 3060 twips wide (15 full-width and 4 half-width characters).
    std::string text;
    for (int i = 0; i < 15; ++i) text += "あ";
    text += "abcd";
    ShowMessage(g(), text, "はい", "いいえ", true);
    EXPECT_EQ(Main(0).Width.get(), 3060);
    EXPECT_EQ(Main(1).Left.get(), 3160);
    EXPECT_EQ(Main(2).Left.get(), Main(1).Left + Main(1).Width + 100);
}

struct EscapeCase {
    const char* enemy;
    const char* field;
    const char* no;
    bool enabled;
};

class EscapeRule : public MessageBarTest, public ::testing::WithParamInterface<EscapeCase> {};

TEST_P(EscapeRule, EscapeIsGreyOnlyWhereTheFightCannotBeFled) {
    const EscapeCase& c = GetParam();
    g().EnemyName = c.enemy;
    g().FieldName = c.field;
    ShowMessage(g(), "どうする？", "戦う", c.no, true);
    EXPECT_EQ(Main(2).Enabled.get(), c.enabled);
}

INSTANTIATE_TEST_SUITE_P(Bars, EscapeRule,
                         ::testing::Values(EscapeCase{"強盗", "Hanoda", "逃げる", false},
                                           EscapeCase{"トレント君", "HanoMori", "逃げる", false},
                                           EscapeCase{"トレント君", "ElfMugen", "逃げる", true},
                                           EscapeCase{"スライム", "HanoMori", "逃げる", true},
                                           EscapeCase{"強盗", "Hanoda", "やめる", true}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.field, Flag{c.enabled, "Enabled"}); }));

TEST_F(MessageBarTest, DisabledEscapeCannotBeClicked) {
    g().EnemyName = "強盗";
    g().WaitingAnswer = true;
    ShowMessage(g(), "どうする？", "戦う", "逃げる", true);
    Main(2).MouseDown(vbLeftButton, 0, 0, 0);
    EXPECT_EQ(g().AnswerKey, 0);
    EXPECT_TRUE(g().WaitingAnswer);
}

TEST_F(MessageBarTest, ReentrantMessageIsDropped) {
    g().MessageBusy = true;
    std::string text = "二つ目", yes = "はい", no = "いいえ";
    ShowMessage(g(), text, yes, no, true);
    EXPECT_EQ(Main(0).Caption.get(), "");
    EXPECT_EQ(yes, "はい");  // the caller's strings are unchanged
}

struct ClickCase {
    const char* what;
    bool question;   // a line with two choices, or else a plain line
    bool waiting;    // WaitingAnswer set by the asking handler
    bool secondBar;  // another line stands over the choices on the second bar
    int label;
    long answer;     // expected AnswerKey
    long storyNo;    // expected StoryNo after the click, from 5
    bool cleared;    // all three labels emptied
};

class MainBarClick : public MessageBarTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(MainBarClick, ClickOnALabel) {
    const ClickCase& c = GetParam();
    g().StoryNo = 5;
    if (c.question) {
        ShowMessage(g(), "売りますか？", "売る", "売らない", true);
        g().WaitingAnswer = c.waiting;
    } else {
        ShowMessage(g(), "店主：どうも");
    }
    if (c.secondBar) {
        g().UseSecondBar = true;
        ShowMessage(g(), "イザベラ：今はお客さんがいるから、帰った時に閉店するわね");
    }
    Main(c.label).MouseDown(vbLeftButton, 0, 0, 0);
    EXPECT_EQ(g().AnswerKey, c.answer) << c.what;
    EXPECT_EQ(g().StoryNo, c.storyNo) << c.what;
    EXPECT_EQ(Main(0).Caption->empty(), c.cleared) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Bars, MainBarClick,
                         ::testing::Values(ClickCase{"the question's line", true, true, false, 0, 0, 5, false},
                                           ClickCase{"first choice", true, true, false, 1, 89, 7, true},
                                           ClickCase{"second choice", true, true, false, 2, 78, 7, true},
                                           ClickCase{"plain line", false, false, false, 0, 0, 6, false},
                                           // A choice answers whether or not the handler set WaitingAnswer...
                                           ClickCase{"choice with no answer awaited", true, false, false, 1, 89, 7, true},
                                           // ...but not while another line stands over it: the click is a
                                           // plain one and goes to that line.
                                           ClickCase{"choice under the second bar", true, false, true, 1, 0, 6, false},
                                           ClickCase{"awaited choice under the second bar", true, true, true, 2, 0, 5, false}),
    q::test::NameBy(&ClickCase::what));

TEST_F(MessageBarTest, ChoicesAloneAnswerFromLabelsZeroAndOne) {
    g().StoryNo = 300000;
    g().WaitingAnswer = true;
    ShowMessage(g(), "はい", "いいえ", "", true);
    Main(0).MouseDown(vbLeftButton, 0, 0, 0);
    EXPECT_EQ(g().AnswerKey, 89);
    EXPECT_EQ(g().StoryNo, 300002);
}

TEST_F(MessageBarTest, AnswerByKeyClearsOnlyTheChoices) {
    g().StoryNo = 4;
    ShowMessage(g(), "売りますか？", "売る", "売らない", true);
    g().WaitingAnswer = true;
    KeyToClick(g(), vbKeyN);
    EXPECT_EQ(g().AnswerKey, 78);
    EXPECT_EQ(g().StoryNo, 6);
    EXPECT_EQ(Main(0).Caption.get(), "売りますか？");
    EXPECT_EQ(Main(1).Caption.get(), "");
    EXPECT_EQ(Main(2).Caption.get(), "");
}

TEST_F(MessageBarTest, SecondBarIsPlacedRaisedAndCarriesLinesAndQuestions) {
    g().UseSecondBar = true;
    ShowMessage(g(), "閉店します");
    auto& bar = *g().frmUnderMes2.peek();
    EXPECT_TRUE(bar.Visible);
    EXPECT_EQ(bar.Top.get(), (1080 - 40) * 15 - 195);
    EXPECT_EQ(bar.Width.get(), 1920 * 15);
    EXPECT_TRUE(host.IsTopmost(bar));
    EXPECT_EQ(Second(0).Caption.get(), "閉店します");
    EXPECT_EQ(g().MessageLabels, 1);
    // The main bar is not touched.
    EXPECT_EQ(Main(0).Caption.get(), "");

    // A click on its plain line advances the story and leaves the bar.
    g().StoryNo = 1;
    Second(0).MouseDown(vbLeftButton, 0, 0, 0);
    EXPECT_EQ(g().StoryNo, 2);
    EXPECT_TRUE(g().frmUnderMes2.loaded());

    // The second bar knows no two-choice form: Yes alone makes a question.
    ShowMessage(g(), "終了しますか？", "終了する", "", false);
    EXPECT_EQ(Second(1).Caption.get(), "終了する(Y)");
    EXPECT_EQ(Second(2).Caption.get(), "(N/G)");
    EXPECT_EQ(g().MessageLabels, 2);
}

TEST_F(MessageBarTest, SecondBarChoiceAnswersAndUnloadsIt) {
    g().UseSecondBar = true;
    g().StoryNo = 300000;
    g().WaitingAnswer = true;
    ShowMessage(g(), "終了しますか？", "終了する", "終了しない", false);
    Second(2).MouseDown(vbLeftButton, 0, 0, 0);
    EXPECT_EQ(g().AnswerKey2, 78);
    EXPECT_FALSE(g().WaitingAnswer);
    EXPECT_EQ(g().StoryNo, 300002);
    EXPECT_FALSE(g().frmUnderMes2.loaded());
}

TEST_F(MessageBarTest, EmptyTextOnTheSecondBarShowsItEmpty) {
    g().UseSecondBar = true;
    ShowMessage(g(), "");
    EXPECT_TRUE(g().frmUnderMes2.peek()->Visible);
    EXPECT_EQ(Second(0).Caption.get(), "");
    EXPECT_FALSE(host.IsTopmost(*g().frmUnderMes2.peek()));
}

TEST_F(MessageBarTest, BarsLieAcrossTheScreenJustAboveTheTaskbar) {
    auto& bar = *g().frmUnderMes.peek();
    EXPECT_TRUE(bar.Visible);
    EXPECT_EQ(bar.Left.get(), 0);
    EXPECT_EQ(bar.Width.get(), 28800);
    EXPECT_EQ(bar.Top.get() + bar.Height.get(), (1080 - 40) * 15);
    EXPECT_EQ(bar.Caption.get(), "+++ Quorvane +++");
    EXPECT_TRUE(g().frmUnderMes2.loaded());
    EXPECT_FALSE(g().frmUnderMes2.peek()->Visible);
}

}  // namespace
}  // namespace q
