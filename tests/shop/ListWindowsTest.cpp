#include <gtest/gtest.h>

#include "CaseName.h"
#include "ShopFixture.h"
#include "core/StoryInput.h"
#include "shop/frmBag.h"
#include "shop/frmList.h"
#include "shop/frmRequest.h"
#include "shop/frmSack.h"
#include "shop/frmOthers.h"
#include "shop/frmShopArms.h"
#include "shop/frmStatus.h"
#include "shop/frmStatus2.h"
#include "shop/frmStockArms.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q::test {
namespace {

using ListWindowsTest = ListWindowTest;

TEST_F(ListWindowsTest, StatusCommandOpensThePageAboveTheBarAndClosesItAgain) {
    mStatus_Click(g());
    frmStatus& status = *g().frmStatus.peek();
    frmFrame& frame = *g().frmFrame.peek();
    ASSERT_TRUE(status.Visible);
    ASSERT_TRUE(frame.Visible);
    EXPECT_EQ(status.Left.get(), 0);
    EXPECT_EQ(status.Top + status.Height, RGN_ScreenHeight(g()) - 65 * 15);
    EXPECT_LE(status.Top + status.Height, g().frmUnderMes->Top);  // clear of the bar
    EXPECT_EQ(g().ListTop, status.Top);
    EXPECT_EQ(g().ListLeft, 0);
    EXPECT_EQ(frame.Top + frame.Height, status.Top);
    EXPECT_EQ(frame.Left.get(), 0);
    EXPECT_EQ(g().ListName, "frmStatus");
    EXPECT_EQ(g().ListForm, &status);

    mStatus_Click(g());
    EXPECT_FALSE(status.loaded());
    EXPECT_FALSE(frame.loaded());
    EXPECT_EQ(g().ListName, "");
    EXPECT_EQ(g().ListForm, nullptr);
}

struct TabKeyCase {
    char digit;
    int tab;
    const char* window;
};

class TabKeys : public ListWindowTest, public ::testing::WithParamInterface<TabKeyCase> {};

TEST_P(TabKeys, ShiftAndADigitOpenThatTabAndAgainCloseEverything) {
    const TabKeyCase& c = GetParam();
    MessageInput(g(), c.digit, 1, InputKey);
    EXPECT_EQ(g().ListName, c.window);
    ASSERT_TRUE(g().frmFrame.loaded());
    EXPECT_TRUE(g().frmFrame.peek()->Visible);
    EXPECT_EQ(host.Focused(), &g().frmFrame->cmdFrame[c.tab]);
    // Every tab opens a window of its own.
    Form* window = ListWindowForm(g(), c.window);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->Visible);
    EXPECT_EQ(g().ListForm, window);
    EXPECT_EQ(window->Top.get(), g().ListTop);
    if (c.tab != 0) {
        EXPECT_FALSE(g().frmStatus.loaded());  // the status page opened first is gone again
    }

    MessageInput(g(), c.digit, 1, InputKey);
    EXPECT_EQ(g().ListName, "");
    EXPECT_FALSE(g().frmFrame.loaded());
}

INSTANTIATE_TEST_SUITE_P(Frame, TabKeys,
                         ::testing::Values(TabKeyCase{'1', 0, "frmStatus"}, TabKeyCase{'2', 1, "frmStatus2"},
                                           TabKeyCase{'3', 2, "frmList"}, TabKeyCase{'4', 3, "frmKeyItem"},
                                           TabKeyCase{'5', 8, "frmRequest"}, TabKeyCase{'6', 4, "frmShopArms"},
                                           TabKeyCase{'7', 5, "frmStockArms"}, TabKeyCase{'8', 6, "frmBag"},
                                           TabKeyCase{'9', 7, "frmSack"}, TabKeyCase{'0', 9, "frmOthers"}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Key", c.digit); }));

TEST_F(ListWindowsTest, ShiftOMovesToTheNextTabInReadingOrder) {
    const std::pair<int, int> cases[] = {{0, 1}, {1, 2}, {2, 3}, {3, 8}, {8, 4}, {4, 5},
                                         {5, 6}, {6, 7}, {7, 9}, {9, 0}};
    for (const auto& [tab, next] : cases) {
        OpenTab(tab);
        auto* window = dynamic_cast<ListWindow*>(g().ListForm);
        ASSERT_NE(window, nullptr) << tab;
        window->Form_KeyDown(vbKeyO, vbShiftMask);
        EXPECT_EQ(host.Focused(), &g().frmFrame->cmdFrame[next]) << "from tab " << tab;
    }
    // Shift with Ctrl is not Shift+O, and a key on the warehouse's box goes
    // straight to the game.
    OpenTab(5);
    const Control* before = host.Focused();
    g().frmStockArms->Form_KeyDown(vbKeyO, vbShiftMask | vbCtrlMask);
    g().frmStockArms->txtNumber.KeyDown(vbKeyO, vbShiftMask);
    EXPECT_EQ(host.Focused(), before);
}

TEST_F(ListWindowsTest, ShiftIOnTheFrameFocusesTheWindowsFirstControl) {
    mStatus_Click(g());
    g().frmFrame->Form_KeyDown(vbKeyI, vbShiftMask);
    EXPECT_EQ(host.Focused(), &g().frmStatus->TXTStatus[0]);
    OpenTab(4);
    auto& box = g().frmShopArms->txtNumber;
    box.Text = "12";
    g().frmFrame->Form_KeyDown(vbKeyI, vbShiftMask);
    EXPECT_EQ(host.Focused(), &box);
    EXPECT_EQ(box.SelLength.get(), 2);  // the box selects its text as it gets the focus
    OpenTab(9);
    g().frmFrame->Form_KeyDown(vbKeyI, vbShiftMask);
    EXPECT_EQ(host.Focused(), &g().frmOthers->OPTSpeed[0]);
    OpenTab(2);
    g().frmFrame->Form_KeyDown(vbKeyI, vbShiftMask);
    EXPECT_EQ(host.Focused(), &g().frmList->lstList);
    OpenTab(8);
    g().frmFrame->Form_KeyDown(vbKeyI, vbShiftMask);
    EXPECT_EQ(host.Focused(), &g().frmRequest->lstList[0]);
    OpenTab(7);
    g().frmFrame->Form_KeyDown(vbKeyI, vbShiftMask);
    EXPECT_EQ(host.Focused(), &g().frmSack->txtNumber);
}

TEST_F(ListWindowsTest, OtherKeysOnTheWindowsAndTheFrameAreTheGamesKeys) {
    g().SpeedFlg = 1;
    mStatus_Click(g());
    g().frmStatus->Form_KeyDown('S', 0);
    EXPECT_EQ(g().SpeedFlg, 0);
    g().StoryNo = 4;
    g().frmFrame->Form_KeyDown(vbKeyG, 0);
    EXPECT_EQ(g().StoryNo, 5);
    g().frmStatus->TXTStatus[3].KeyDown(vbKeyG, 0);
    EXPECT_EQ(g().StoryNo, 6);
}

TEST_F(ListWindowsTest, DraggingMovesTheAnchorAndTheFrameFollows) {
    mStatus_Click(g());
    const Long top = g().ListTop;
    host.QueueDrag(100, -40);
    g().frmStatus->Form_MouseMove(vbRightButton, 0, 0, 0);  // only the left button drags
    EXPECT_EQ(g().ListTop, top);
    g().frmStatus->Form_MouseMove(vbLeftButton, 0, 0, 0);
    EXPECT_EQ(g().ListLeft, 1500);
    EXPECT_EQ(g().ListTop, top - 600);
    EXPECT_EQ(g().frmStatus->Top.get(), g().ListTop);
    EXPECT_EQ(g().frmFrame->Top + g().frmFrame->Height, g().ListTop);
    EXPECT_EQ(g().frmFrame->Left.get(), g().ListLeft);

    // A label drags as the window does; the next window opens where it was left.
    host.QueueDrag(-20, 0);
    g().frmStatus->LBLStatus[2].MouseMove(vbLeftButton, 0, 0, 0);
    EXPECT_EQ(g().ListLeft, 1200);
    OpenTab(4);
    EXPECT_EQ(g().frmShopArms->Left.get(), 1200);
    EXPECT_EQ(g().frmShopArms->Top.get(), top - 600);
    EXPECT_EQ(g().frmFrame->Top + g().frmFrame->Height, top - 600);
}

TEST_F(ListWindowsTest, DoubleClicksCloseExceptWhileAConfirmationWaits) {
    RefreshListWindow(g());  // nothing open: nothing happens
    EXPECT_FALSE(g().frmFrame.loaded());

    OpenTab(1);
    g().ListConfirm = true;
    g().frmStatus2->Form_DblClick();
    g().frmFrame->Form_DblClick();
    CloseListWindows(g());
    g().frmFrame->cmdFrame_Click(4);
    MessageInput(g(), '6', 1, InputKey);
    EXPECT_EQ(g().ListName, "frmStatus2");
    EXPECT_TRUE(g().frmStatus2.peek()->Visible);
    EXPECT_TRUE(g().frmFrame.peek()->Visible);

    g().ListConfirm = false;
    g().frmStatus2->TXTStatus[4].DblClick();
    EXPECT_EQ(g().ListName, "");
    EXPECT_FALSE(g().frmStatus2.loaded());
    EXPECT_FALSE(g().frmFrame.loaded());

    OpenTab(0);
    g().frmStatus->LBLStatus[0].DblClick();
    EXPECT_FALSE(g().frmStatus.loaded());
    OpenTab(0);
    g().frmFrame->Form_DblClick();
    EXPECT_FALSE(g().frmStatus.loaded());
}

TEST_F(ListWindowsTest, SwitchingTabsForgetsTheRememberedSelections) {
    OpenTab(6);
    g().KeepSelCount = 2;
    g().BagSel = 3;
    g().frmFrame->cmdFrame_Click(5);
    EXPECT_EQ(g().KeepSelCount, 0);
    EXPECT_EQ(g().BagSel, 0);
    EXPECT_FALSE(g().frmBag.loaded());
    EXPECT_EQ(g().ListForm, g().frmStockArms.peek());
}

}  // namespace
}  // namespace q::test
