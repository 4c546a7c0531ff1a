#include <gtest/gtest.h>

#include <algorithm>

#include "CaseName.h"
#include "TalkFixture.h"
#include "core/StoryInput.h"
#include "town/DevRoom.h"

namespace q {
namespace {

using test::TalkTest;

constexpr const char* IdleLine = "イザベラ：ココは、開発室ね。どんなことを聞こうかしら？";

class DevRoomTest : public TalkTest {
protected:
    DevRoomTest() {
        g().EventField = "Kaihatsu";
        g().LastMessage = IdleLine;
        Window();
        KaihatsuWindow(g());
        // Every click of the room reaches its turn, as the window's button does.
        g().SetHandler("frmItemShop.cmdBuy_Click", [this](Long) { KaihatsuBuyTurn(g()); });
        // The number file has tests of its own; here it only matters when the room writes it.
        g().SetHandler("WriteNumberFile", [this](Long) { Record("WriteNumberFile"); });
    }
    // The button "聞く" with a row chosen (0: none).
    void Ask(int row) {
        window->lstList.UnselectAll();
        if (row) window->lstList.Select(row);
        g().Call("frmItemShop.cmdBuy_Click");
    }
    std::string Click() {
        AdvanceStory(g(), vbLeftButton);
        return Bar();
    }
    int NumberFiles() {
        return int(std::count(calls.begin(), calls.end(), "WriteNumberFile"));
    }
    bool ControlsEnabled() {
        return window->lstList.Enabled && window->cmdBuy.Enabled && window->txtNumber.Enabled;
    }
};

TEST_F(DevRoomTest, TheWindowListsTheSixTopics) {
    EXPECT_EQ(window->lblNumber[0].Caption.get(), "+++ 開発室 +++");
    EXPECT_EQ(window->cmdBuy.Caption.get(), "聞く");
    EXPECT_EQ(window->cmdBuy.ToolTipText.get(), "\"選択した話を聞きます\"");
    EXPECT_FALSE(window->txtNumber.Visible);
    ASSERT_EQ(window->lstList.ColumnHeaders().size(), 1u);
    EXPECT_EQ(window->lstList.ColumnHeaders()[0].Text, "聞きたいこと");
    std::vector<std::string> rows;
    for (int r = 1; r <= window->lstList.Count(); ++r) rows.push_back(window->lstList.Item(r).Text);
    EXPECT_EQ(rows, (std::vector<std::string>{"自己紹介", "お礼", "楽しかったこと", "苦労したこと", "没ネタ",
                                              "次回作の予定"}));
    EXPECT_EQ(g().StoryName, "BuyItem");
    EXPECT_EQ(g().StoryNo, 10);
    EXPECT_EQ(Bar(), IdleLine);
}

struct TopicCase {
    int row;
    size_t lines;
    std::vector<std::string> speakers;
};

class Topics : public DevRoomTest, public ::testing::WithParamInterface<TopicCase> {};

TEST_P(Topics, EachTopicHasItsLengthAndSpeakersThenTheRoomIsIdleAgain) {
    const TopicCase& c = GetParam();
    Ask(c.row);
    EXPECT_FALSE(ControlsEnabled());
    std::vector<std::string> lines{Bar()};
    while (g().StoryNo != StoryEndNo && lines.size() < 40) lines.push_back(Click());
    ASSERT_EQ(lines.size(), c.lines);
    for (const std::string& line : lines) {
        const auto colon = line.find("：");
        ASSERT_NE(colon, std::string::npos) << line;
        const std::string speaker = line.substr(0, colon);
        EXPECT_NE(std::find(c.speakers.begin(), c.speakers.end(), speaker), c.speakers.end()) << line;
    }
    EXPECT_EQ(Click(), IdleLine);
    EXPECT_EQ(g().StoryNo, 10);
    EXPECT_FALSE(g().OfferPending);
    EXPECT_TRUE(ControlsEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Room, Topics,
    ::testing::Values(TopicCase{1, 24, {"イザベラ", "ゼンロ", "ピレル", "ベルノ"}},
                      TopicCase{2, 16, {"ゼンロ", "ピレル", "ゼンロ＆ピレル"}},
                      TopicCase{3, 12, {"イザベラ", "ゼンロ", "ピレル", "ベルノ"}},
                      TopicCase{4, 23, {"イザベラ", "ゼンロ", "ピレル", "ベルノ"}},
                      TopicCase{5, 15, {"イザベラ", "ゼンロ", "ピレル"}},
                      TopicCase{6, 9, {"イザベラ", "ゼンロ", "ピレル", "ゼンロ＆ピレル"}}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Row", c.row); }));

TEST_F(DevRoomTest, TheThanksWriteTheNumberFileAsStep21IsTold) {
    Ask(2);
    while (g().StoryNo < 20) Click();
    EXPECT_EQ(NumberFiles(), 0);
    const std::string line = Click();
    EXPECT_EQ(g().StoryNo, 21);
    EXPECT_EQ(NumberFiles(), 1);
    EXPECT_NE(line.find("Number.txt"), std::string::npos) << line;
    while (g().StoryNo != StoryEndNo) Click();
    EXPECT_EQ(NumberFiles(), 1);
    // Heard again, it writes the file again.
    Click();
    Ask(2);
    while (g().StoryNo != StoryEndNo) Click();
    EXPECT_EQ(NumberFiles(), 2);
}

TEST_F(DevRoomTest, ANumberFileThatCouldNotBeWrittenIsToldAndTheTalkGoesOn) {
    g().SetHandler("WriteNumberFile", [this](Long) { g().NumberFileFailed = true; });
    Ask(2);
    while (g().StoryNo < 21) Click();
    EXPECT_EQ(Bar(), "ゼンロ：あれっ？「Number.txt」が書き出せなかったぞ。ゲームのフォルダを確かめてくれ");
    EXPECT_EQ(Click(), "ピレル：書いてある通りにしてくれたら、私たちに届くからね");
    while (g().StoryNo != StoryEndNo) Click();
    EXPECT_EQ(Click(), IdleLine);
    EXPECT_TRUE(ControlsEnabled());

    // Written the next time: the room says so again.
    g().SetHandler("WriteNumberFile", [this](Long) { Record("WriteNumberFile"); });
    Ask(2);
    while (g().StoryNo < 21) Click();
    EXPECT_EQ(Bar(), "ゼンロ：ゲームのフォルダに「Number.txt」を書き出したぜ。開いて中身を読んでみてくれ");
}

TEST_F(DevRoomTest, TheButtonWithoutATopicShowsTheIdleLine) {
    g().frmUnderMes->LBLMessage[0].Caption = "";
    Ask(0);
    EXPECT_EQ(Bar(), IdleLine);
    EXPECT_EQ(g().StoryNo, 10);
    EXPECT_FALSE(g().OfferPending);
    EXPECT_EQ(g().NoClick, NoClickNone);
    // A click on the bar between talks changes nothing either.
    EXPECT_EQ(Click(), IdleLine);
    EXPECT_EQ(g().StoryNo, 10);
}

}  // namespace
}  // namespace q
