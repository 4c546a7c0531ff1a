// The facility window shared by every facility: how it opens and closes, the
// month's price factor, the deal protocol's refusals and the number box and
// list keys.
#include <gtest/gtest.h>

#include "CaseName.h"
#include "FacilityFixture.h"
#include "core/Clock.h"
#include "core/frmMenu.h"
#include "core/frmUnderMes.h"
#include "core/frmUnderMes2.h"
#include "shop/ListWindows.h"
#include "shop/frmFrame.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {
namespace {

using test::FacilityTest;

class FacilityWindowTest : public FacilityTest {};

TEST_F(FacilityWindowTest, OpensAboveTheBarWithTheKeepersLineAndClosesBackToTheBoard) {
    Enter("bItem");
    ASSERT_TRUE(Open());
    EXPECT_TRUE(W().Visible);
    EXPECT_EQ(W().Left, 0);
    EXPECT_EQ(W().Top + W().Height + RGN_PixelToTwipY(g(), 258), RGN_ScreenHeight(g()));
    EXPECT_EQ(W().lblNumber[0].Caption.get(), "+++ 道具屋 +++");
    EXPECT_EQ(g().FacilityFormName, "frmItemShop");
    EXPECT_EQ(g().StoryName, "SpeechTurn");
    EXPECT_EQ(g().StoryNo, StoryAfterEndNo);
    EXPECT_EQ(List().SelectedRows(), std::vector<int>{1});
    EXPECT_TRUE(g().AutoBlocked);
    EXPECT_EQ(Bar(), "道具屋：何をお求めになられますか？");

    const Long time = g().NowTime;
    Leave();
    EXPECT_FALSE(Open());
    EXPECT_EQ(g().EventField, "Board");
    EXPECT_EQ(g().NowTime, time);
    EXPECT_EQ(Bar(), "イザベラ：さて、どこに行こうかしら");
}

TEST_F(FacilityWindowTest, IdleClicksOnTheBarChangeNothing) {
    Enter("bItem");
    const Long gold = g().MyGold;
    for (int i = 0; i < 5; ++i) Click();
    EXPECT_EQ(g().StoryNo, StoryAfterEndNo);
    EXPECT_EQ(g().MyGold, gold);
    EXPECT_EQ(Bar(), "道具屋：何をお求めになられますか？");
}

// The facilities' prices follow the month's economy; the rebuild of an open
// window keeps the factor of the moment it was opened.
struct EconomyCase {
    Long economy;
    const char* herb;   // 毒消し草, 300 in a stable month
    const char* seed;   // 体力の種, 1000
    const char* land;   // the estate agent's land, 500,000
    const char* fire;   // 火災検知(1), 3,240
    const char* jewel;  // the surprise jewel, 10,000
};

class MonthPrices : public FacilityTest, public ::testing::WithParamInterface<EconomyCase> {};

TEST_P(MonthPrices, FollowTheEconomyWhenTheWindowOpens) {
    const EconomyCase& c = GetParam();
    g().EconomyValue = c.economy;
    Enter("bItem");
    EXPECT_EQ(Cell(1, 1), c.seed);
    EXPECT_EQ(Cell(2, 1), c.herb);
    EXPECT_EQ(Cell(19, 1), c.jewel);
    Leave();
    Enter("bHouse");
    EXPECT_EQ(Cell(1, 1), c.land);
    EXPECT_EQ(Cell(5, 1), c.fire);
}

INSTANTIATE_TEST_SUITE_P(Economy, MonthPrices,
                         ::testing::Values(EconomyCase{EconomyStable, "300", "1,000", "500,000", "3,240", "10,000"},
                                           EconomyCase{EconomySlump, "270", "900", "450,000", "2,916", "9,000"},
                                           EconomyCase{EconomyBoom, "330", "1,100", "550,000", "3,564", "11,000"}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Economy", c.economy); }));

TEST_F(FacilityWindowTest, ARebuildKeepsTheFactorUntilTheFacilityIsEnteredAgain) {
    Enter("bItem");
    g().EconomyValue = EconomySlump;
    g().ReloadList = true;
    W().Form_Load();
    EXPECT_EQ(Cell(1, 1), "1,000");
    Leave();
    Enter("bItem");
    EXPECT_EQ(Cell(1, 1), "900");
}

TEST_F(FacilityWindowTest, ShortOfMoneyAtTheCheckChangesNothing) {
    g().MyGold = 299;
    Enter("bItem");
    Order(2);
    EXPECT_EQ(Bar(), "道具屋：毒消し草が1個で、300カリムになります。よろしいですか？");
    EXPECT_FALSE(W().cmdBuy.Enabled);
    EXPECT_FALSE(W().lstList.Enabled);
    EXPECT_FALSE(W().txtNumber.Enabled);
    Click();
    EXPECT_EQ(Bar(), "イザベラ：カリムが足りないわ。諦めましょう");
    EXPECT_EQ(g().MyGold, 299);
    EXPECT_EQ(Carried(3), 0);
    EXPECT_TRUE(W().cmdBuy.Enabled);
    EXPECT_FALSE(g().OfferPending);
    EXPECT_EQ(g().StoryNo, StoryEndNo);
    EXPECT_EQ(g().NoClick, NoClickNone);
}

TEST_F(FacilityWindowTest, EnterAtTheQuestionRefusesAndBringsTheStandingLineBack) {
    Enter("bItem");
    Order(2);
    Click();
    EXPECT_EQ(Bar(), "[買う(Y)] [買わない(N/G)]");
    EXPECT_EQ(g().StoryNo, StoryWaitNo);
    Click();  // a plain click does not answer
    EXPECT_EQ(g().StoryNo, StoryWaitNo);
    Key(vbKeyReturn);
    EXPECT_EQ(Bar(), "道具屋：何をお求めになられますか？");
    EXPECT_EQ(g().MyGold, 300);
    EXPECT_EQ(Carried(3), 0);
    EXPECT_TRUE(W().cmdBuy.Enabled);
    EXPECT_TRUE(W().txtNumber.Enabled);
    EXPECT_EQ(g().StoryName, "");
    EXPECT_EQ(g().StoryNo, StoryEndNo);
}

TEST_F(FacilityWindowTest, LeavingAtTheQuestionLeavesNoQuestionWaitingOnTheBoard) {
    Enter("bBank");
    Order(1);
    Click();
    ASSERT_TRUE(g().WaitingAnswer);
    Leave();
    EXPECT_FALSE(g().WaitingAnswer) << "the question went with the facility";
    EXPECT_EQ(g().AnswerKey, AnswerNone);
    Enter("bItem");
    Order(2);
    EXPECT_EQ(Bar(), "道具屋：毒消し草が1個で、300カリムになります。よろしいですか？");
    Click();
    EXPECT_EQ(Bar(), "[買う(Y)] [買わない(N/G)]") << "a deal runs as ever";
}

TEST_F(FacilityWindowTest, RightClicksAreIgnoredFromTheOfferToTheEnd) {
    Enter("bItem");
    Order(2);
    MessageInput(g(), vbRightButton, 0, InputFormClick);
    EXPECT_EQ(g().NoClick, NoClickRight);
    EXPECT_EQ(g().StoryNo, 0);
}

// The number box takes digits up to the place's length; a second digit
// only replaces a selected first one.
struct BoxCase {
    const char* item;
    const char* typed;
    const char* shows;
};

class NumberBox : public FacilityTest, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(NumberBox, TakesDigitsUpToThePlacesLength) {
    Enter(GetParam().item);
    TextBox& box = W().txtNumber;
    box.Text = "";
    for (const char* c = GetParam().typed; *c; ++c) box.Type(*c);
    EXPECT_EQ(box.Text.get(), GetParam().shows);
}

INSTANTIATE_TEST_SUITE_P(Places, NumberBox,
                         ::testing::Values(BoxCase{"bItem", "7", "7"}, BoxCase{"bItem", "75", "7"},
                                           BoxCase{"bItem", "a-3", "3"}, BoxCase{"bBank", "1234567890", "123456789"}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.item, "Typed", c.typed); }));

TEST_F(FacilityWindowTest, ASelectedDigitIsReplaced) {
    Enter("bItem");
    TextBox& box = W().txtNumber;
    box.Text = "7";
    box.SelectAll();
    box.Type('4');
    EXPECT_EQ(box.Text.get(), "4");
    box.Type(8);  // Backspace always passes
    EXPECT_EQ(box.Text.get(), "");
}

TEST_F(FacilityWindowTest, EnterInAnEmptyBoxOffersOne) {
    Enter("bItem");
    Select(2);
    W().txtNumber.Text = "";
    W().txtNumber.Type(13);
    EXPECT_EQ(W().txtNumber.Text.get(), "1");
    EXPECT_EQ(Bar(), "道具屋：毒消し草が1個で、300カリムになります。よろしいですか？");
}

TEST_F(FacilityWindowTest, EnterInTheBoxDoesNothingWhileTheButtonIsDisabled) {
    // In debt the clerk talks first: the box must not start a deal under him.
    g().ShopHaveHouse[HouseBank].HLHouseNum = -5000;
    Enter("bBank");
    ASSERT_FALSE(W().cmdBuy.Enabled);
    W().txtNumber.Type(13);
    EXPECT_FALSE(g().OfferPending);
    EXPECT_EQ(g().StoryName, "SpeechTurn");
    EXPECT_EQ(Bar(), "銀行員：ヘイ、ガール…。支払いが滞ってるよ！！");
}

TEST_F(FacilityWindowTest, TheListActsOnlyWhileTheButtonIsEnabled) {
    Enter("bItem");
    Order(2);
    ASSERT_FALSE(W().cmdBuy.Enabled);
    W().lstList_DblClick();
    EXPECT_EQ(g().StoryNo, 0);
    // Enter in the list goes to the bar and advances the deal.
    W().lstList_KeyDown(vbKeyReturn, 0);
    EXPECT_EQ(g().StoryNo, StoryWaitNo);
    EXPECT_EQ(Bar(), "[買う(Y)] [買わない(N/G)]");
}

TEST_F(FacilityWindowTest, ADoubleClickOrEnterInTheListStartsTheOffer) {
    Enter("bItem");
    Select(3);
    W().lstList_DblClick();
    EXPECT_EQ(g().WorkNum, 3);
    EXPECT_EQ(Bar(), "道具屋：麻痺消し草が1個で、300カリムになります。よろしいですか？");
    Key(vbKeyN);
    Click();
    Key(vbKeyN);
    Select(4);
    W().txtNumber.Text = "";
    W().lstList_KeyDown(vbKeyReturn, 0);
    EXPECT_EQ(Bar(), "道具屋：目薬草が1個で、300カリムになります。よろしいですか？");
}

TEST_F(FacilityWindowTest, TheButtonDoesNothingWhileQuittingIsAsked) {
    Enter("bItem");
    g().GameEnding = true;
    Order(2);
    EXPECT_FALSE(g().OfferPending);
    EXPECT_FALSE(g().BuyPending);
}

TEST_F(FacilityWindowTest, TheButtonDoesNothingWhileAListWindowAsks) {
    Enter("bBank");
    g().ListConfirm = true;
    const std::string standing = Bar();
    Order(1);
    EXPECT_FALSE(g().OfferPending);
    EXPECT_FALSE(g().BuyPending);
    EXPECT_EQ(Bar(), standing);
}

TEST_F(FacilityWindowTest, NoFacilitysButtonStartsADealUnderTheQuitQuestion) {
    for (const char* item : {"bItem", "bBank", "bCart", "bHiroba"}) {
        Board("Hanoda");
        Enter(item);
        ASSERT_TRUE(Open()) << item;
        const std::string standing = Bar();
        g().Call("frmMenu.mEnd_Click");
        Order(1);
        EXPECT_EQ(g().StoryName, "VBEnd") << item;
        EXPECT_FALSE(g().BuyPending) << item;
        EXPECT_FALSE(g().OfferPending) << item;
        EXPECT_EQ(Bar(), standing) << item;
        EXPECT_EQ(SimHost::BarText(*g().frmUnderMes2.peek()), "終了しますか？ [終了する(Y)] [終了しない(N/G)]") << item;
        Key(vbKeyN);
        EXPECT_FALSE(g().GameEnding) << item;
        EXPECT_FALSE(g().MenuLocked) << item;
        Leave();
    }
}

// Once a deal is over, bought or refused, nothing holds the window: the
// desktop's close (its button, Alt+F4) closes it as before the first deal.
struct ClosedDeal {
    const char* what;
    const char* town;
    const char* item;
    int row;  // 0: the button pressed with no row selected
    const char* number;
    int answer;
    const char* closing;
};

class DesktopCloseAfterADeal : public FacilityTest, public ::testing::WithParamInterface<ClosedDeal> {};

TEST_P(DesktopCloseAfterADeal, ClosesTheWindow) {
    const ClosedDeal& c = GetParam();
    g().MyGold = 100000;
    g().AnaSpot[0] = true;
    Board(c.town);
    Enter(c.item);
    ASSERT_TRUE(Open());
    if (c.row == 0) {
        Unselect();
        W().cmdBuy_Click();
    } else {
        Deal(c.row, c.number, c.answer);
    }
    EXPECT_EQ(Bar(), c.closing);
    EXPECT_FALSE(g().BuyPending);
    W().RequestClose();
    EXPECT_FALSE(Open());
}

INSTANTIATE_TEST_SUITE_P(
    Facilities, DesktopCloseAfterADeal,
    ::testing::Values(
        ClosedDeal{"item shop, bought", "Hanoda", "bItem", 7, "2", vbKeyY, "道具屋：ありがとうございました"},
        ClosedDeal{"item shop, refused", "Hanoda", "bItem", 7, "2", vbKeyN, "道具屋：何をお求めになられますか？"},
        ClosedDeal{"bank, shares bought", "Hanoda", "bBank", 3, "1", vbKeyY, "銀行員：ありがとよ。ついでに俺の踊りでも見てくか？"},
        ClosedDeal{"estate agent, a fire guard", "Hanoda", "bHouse", 5, "1", vbKeyY, "不動産屋：今後もよろしく"},
        ClosedDeal{"hotel, a night", "Hanoda", "bHotel", 1, "1", vbKeyY, "おはようございます。またのご利用をお待ちしております"},
        ClosedDeal{"warp, no floor chosen", "Shinen", "bWarp", 0, "", 0, "イザベラ：行ったことのある階にワープできるわ"}),
    q::test::NameBy([](const auto& c) { return q::test::Words(c.what); }));

TEST_F(FacilityWindowTest, AWindowLoadedInTheFieldUnloadsItself) {
    g().SceneFormName = "frmField";
    g().EventField = "Item";
    g().frmItemShop.get();
    EXPECT_FALSE(Open());
}

// The list windows open under a facility's window: each of them and the tab
// frame above it stand between the facility window and the message bar, and
// every control keeps inside its window, rows at least a line of text high.
struct Screen {
    const char* name;
    int width, height;
};

class ListWindowsUnderAFacility : public FacilityTest, public ::testing::WithParamInterface<Screen> {};

TEST_P(ListWindowsUnderAFacility, FitBetweenItAndTheBar) {
    host.SetScreen(GetParam().width, GetParam().height, 40);
    PlaceMessageBars(g());
    Board("Hanoda");
    Enter("bItem");
    ASSERT_TRUE(Open());
    const Long facilityBottom = W().Top + W().Height;
    const Long textHeight = host.TextHeightTwips(TextFont{});
    mStatus_Click(g());
    for (int tab : TabOrder) {
        g().frmFrame->cmdFrame_Click(tab);
        Form* window = ListWindowForm(g(), TabWindow(tab));
        ASSERT_NE(window, nullptr) << tab;
        const frmFrame& frame = *g().frmFrame.peek();
        EXPECT_GE(frame.Top, facilityBottom) << window->Name();
        EXPECT_EQ(frame.Top + frame.Height, window->Top) << window->Name();
        EXPECT_LE(window->Top + window->Height, g().frmUnderMes->Top) << window->Name();
        EXPECT_LE(window->Left + window->Width, RGN_PixelToTwipX(g(), GetParam().width)) << window->Name();
        for (Control* c : window->controls()) {
            if (!c->Visible || c->kind() == ControlKind::Timer) continue;
            EXPECT_LE(c->Top + c->Height, window->Height) << c->path();
            EXPECT_LE(c->Left + c->Width, window->Width) << c->path();
            if (c->kind() == ControlKind::Label || c->kind() == ControlKind::TextBox) {
                EXPECT_GE(c->Height, textHeight) << c->path();
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, ListWindowsUnderAFacility,
                         ::testing::Values(Screen{"FullHD", 1920, 1080}, Screen{"Netbook", 1024, 600}),
                         [](const ::testing::TestParamInfo<Screen>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace q
