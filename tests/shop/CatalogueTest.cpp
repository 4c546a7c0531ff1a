#include <gtest/gtest.h>

#include "CaseName.h"
#include "ShopFixture.h"
#include "shop/frmList.h"

namespace q::test {
namespace {

constexpr const char* Changed = "武具の値段を変更しました";

class CatalogueTest : public ListWindowTest {
protected:
    CatalogueTest() {
        for (ArmRecord& arm : g().AllArms) {  // as a new game leaves them
            arm.LArmsList = arm.No <= 2;
            arm.LArmsSetPrice = arm.BasePrice;
        }
    }
    frmList& Catalogue() { return g().frmList.get(); }
    // The box holds the text, these rows are selected, and the button is pressed.
    void SetPrice(const std::string& box, const std::vector<int>& rows) {
        Catalogue().txtNumber.Text = box;
        Catalogue().lstList.UnselectAll();
        for (int r : rows) Catalogue().lstList.SetSelected(r, true);
        Catalogue().cmdSetPrice_Click();
    }
    Long Asking(int arm) const { return game->AllArms[size_t(arm)].LArmsSetPrice; }
};

TEST_F(CatalogueTest, AllFiveHundredArmsInOrderTheUnknownOnesAsQuestionMarks) {
    g().AllArms[1].LArmsSetPrice = 1234;
    OpenTab(2);
    EXPECT_EQ(g().ListName, "frmList");
    ListView& list = Catalogue().lstList;
    ASSERT_EQ(list.ColumnHeaders().size(), 6u);
    const std::pair<const char*, int> columns[] = {{"番号", 600},  {"名前", 1400}, {"売値", 1100},
                                                   {"元値", 1100}, {"説明", 3800}, {"拾得場所", 2600}};
    for (size_t c = 0; c < 6; ++c) {
        EXPECT_EQ(list.ColumnHeaders()[c].Text, columns[c].first);
        EXPECT_EQ(list.ColumnHeaders()[c].Width, columns[c].second);
    }
    EXPECT_TRUE(list.MultiSelect);
    EXPECT_FALSE(list.HideSelection);
    EXPECT_EQ(list.LabelEdit.get(), lvwManual);
    ASSERT_EQ(list.Count(), 500);
    const ListItem& known = list.Item(2);
    EXPECT_EQ(known.Text, "2");
    EXPECT_EQ(known.SubItem(1), "野球帽");
    EXPECT_EQ(known.SubItem(2), "1,234");
    EXPECT_EQ(known.SubItem(3), "30");
    EXPECT_EQ(known.SubItem(4), "貴族の遊びで使われる帽子");
    EXPECT_EQ(known.SubItem(5), "ハノダ－レインウッド");
    const ListItem& unknown = list.Item(4);
    EXPECT_EQ(unknown.Text, "4");
    EXPECT_EQ(unknown.SubItem(1), "？　？　？　？　？");
    EXPECT_EQ(unknown.SubItem(2), "？　？　？");
    EXPECT_EQ(unknown.SubItem(3), "？　？　？");
    EXPECT_EQ(unknown.SubItem(4), "？　？　？　？　？　？　？　？　？");
    EXPECT_EQ(unknown.SubItem(5), "？　？　？　？　？　？　？　？　？");
    EXPECT_EQ(list.Item(500).Text, "500");
    int listed = 0;
    for (int r = 1; r <= 500; ++r) listed += list.Item(r).SubItem(1) != "？　？　？　？　？";
    EXPECT_EQ(listed, 3);
    EXPECT_EQ(list.SelectedRows(), std::vector<int>{1});
}

TEST_F(CatalogueTest, PlacesByAreaWithTheCaveTwice) {
    const char* places[] = {"ハノダ－レインウッド",   "レインウッド－エルウインド",    "エルウインド－深淵窟",
                            "深淵窟",                 "ハノダ－アミュレット城",        "アミュレット城－ネクザスの塔",
                            "ネクザスの塔",           "深淵窟",                        "モンスター",
                            "その他イベント"};
    for (int area = 0; area < 10; ++area) {
        g().AllArms[size_t(10 + area)].Area = area;
        g().AllArms[size_t(10 + area)].LArmsList = true;
    }
    OpenTab(2);
    for (int area = 0; area < 10; ++area) EXPECT_EQ(Catalogue().lstList.Item(11 + area).SubItem(5), places[area]) << area;
}

struct PriceCase {
    Long base;
    const char* box;
    Long asking;
    const char* boxAfter;
};

class Prices : public CatalogueTest, public ::testing::WithParamInterface<PriceCase> {};

TEST_P(Prices, StartFromTheBasePrice) {
    const PriceCase& c = GetParam();
    g().AllArms[5].BasePrice = c.base;
    g().AllArms[5].LArmsSetPrice = c.base * 3 + 7;  // an earlier price plays no part
    OpenTab(2);
    SetPrice(c.box, {6});
    EXPECT_EQ(Asking(5), c.asking) << c.base << " " << c.box;
    EXPECT_EQ(Catalogue().txtNumber.Text.get(), c.boxAfter) << c.box;
    EXPECT_EQ(Bar(), Changed);
    EXPECT_EQ(g().NoClick, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, Prices,
    ::testing::Values(PriceCase{1000, "15", 1150, "15"}, PriceCase{1000, "-15", 850, "-15"},
                      PriceCase{1000, "", 1000, "0"}, PriceCase{1000, "0", 1000, "0"}, PriceCase{1000, "-0", 1000, "0"},
                      PriceCase{1000, "-", 1000, "0"}, PriceCase{15, "10", 17, "10"}, PriceCase{15, "-10", 13, "-10"},
                      PriceCase{25, "10", 27, "10"}, PriceCase{25, "-10", 23, "-10"}, PriceCase{0, "50", 0, "50"},
                      PriceCase{1000, "120", 1500, "50"}, PriceCase{1000, "99", 1500, "50"},
                      PriceCase{1000, "-75", 500, "-50"}, PriceCase{1000, "-07", 930, "-7"},
                      PriceCase{1000, "007", 1070, "7"}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Base", c.base, "Asking", c.asking); }));

TEST_F(CatalogueTest, EverySelectedRowTheUnknownOnesTooAndTwiceIsStillTenPercent) {
    g().AllArms[0].BasePrice = 100;
    g().AllArms[7].BasePrice = 200;
    g().AllArms[499].BasePrice = 2000;
    OpenTab(2);
    SetPrice("10", {1, 8, 500});
    EXPECT_EQ(Asking(0), 110);
    EXPECT_EQ(Asking(7), 220);
    EXPECT_EQ(Asking(499), 2200);
    EXPECT_EQ(Asking(1), 30);  // not selected
    // The list is rebuilt with the new prices and starts again at row 1.
    EXPECT_EQ(Catalogue().lstList.Item(1).SubItem(2), "110");
    EXPECT_EQ(Catalogue().lstList.SelectedRows(), std::vector<int>{1});
    SetPrice("10", {1});
    EXPECT_EQ(Asking(0), 110);
    SetPrice("", {1, 8});
    EXPECT_EQ(Asking(0), 100);
    EXPECT_EQ(Asking(7), 200);
}

TEST_F(CatalogueTest, NoRowSelectedChangesNothingButSaysSo) {
    OpenTab(2);
    SetPrice("20", {});
    EXPECT_EQ(Asking(0), 15);
    EXPECT_EQ(Bar(), Changed);
}

TEST_F(CatalogueTest, SettingPricesGivesTheClickGateBackAsItWas) {
    OpenTab(2);
    g().NoClick = NoClickLeft;
    SetPrice("10", {1});
    EXPECT_EQ(g().NoClick, NoClickLeft);
}

struct SetPriceCase {
    const char* what;
    const char* scene;
    const char* eventField;
    bool shopOpen, gameEnding, enabled;
};

class SetPriceButton : public CatalogueTest, public ::testing::WithParamInterface<SetPriceCase> {};

TEST_P(SetPriceButton, OnlyInTheClosedShop) {
    const SetPriceCase& c = GetParam();
    g().SceneFormName = c.scene;
    g().EventField = c.eventField;
    g().ShopOpen = c.shopOpen;
    g().GameEnding = c.gameEnding;
    OpenTab(2);
    EXPECT_EQ(bool(Catalogue().cmdSetPrice.Enabled), c.enabled) << c.what;
    EXPECT_TRUE(Catalogue().txtNumber.Enabled) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Catalogue, SetPriceButton,
                         ::testing::Values(SetPriceCase{"closed shop", "frmShop", "Shop", false, false, true},
                                           SetPriceCase{"open shop", "frmShop", "Shop", true, false, false},
                                           SetPriceCase{"quit question", "frmShop", "Shop", false, true, false},
                                           SetPriceCase{"town board", "frmEvent", "Board", false, false, false},
                                           SetPriceCase{"field", "frmField", "", false, false, false}),
    q::test::NameBy(&SetPriceCase::what));

TEST_F(CatalogueTest, WhileTheQuitQuestionWaitsThePriceStays) {
    OpenTab(2);
    g().GameEnding = true;
    SetPrice("20", {1});
    EXPECT_EQ(Asking(0), 15);
    EXPECT_EQ(Bar(), "");
}

TEST_F(CatalogueTest, TheBoxTakesThreeCharactersAndAMinusOnlyInFront) {
    OpenTab(2);
    TextBox& box = Catalogue().txtNumber;
    box.Text = "";
    box.Type('-');
    EXPECT_EQ(box.Text.get(), "");  // a minus into an empty box does nothing
    box.Type('2');
    box.Type('0');
    box.Type('-');
    EXPECT_EQ(box.Text.get(), "-20");
    box.Type('-');
    EXPECT_EQ(box.Text.get(), "-20");
    box.Type('5');
    EXPECT_EQ(box.Text.get(), "-20");  // three characters already
    box.Text = "100";
    box.SelStart = 3;
    box.SelLength = 0;
    box.Type('-');
    EXPECT_EQ(box.Text.get(), "100");
    box.Text = "7";
    box.SelStart = 1;
    box.Type('-');
    box.Type('5');
    EXPECT_EQ(box.Text.get(), "-75");  // the caret stays at the end
    for (char ch : std::string("a+.%")) box.Type(ch);
    EXPECT_EQ(box.Text.get(), "-75");
    box.Type(8);
    EXPECT_EQ(box.Text.get(), "-7");
    box.SetFocus();  // selects everything, so a digit replaces it
    box.Type('3');
    EXPECT_EQ(box.Text.get(), "3");
    box.Type(13);
    EXPECT_EQ(host.Focused(), &Catalogue().cmdSetPrice);
    EXPECT_EQ(box.Text.get(), "3");

    // With the button disabled Enter leaves the focus in the box.
    g().ShopOpen = true;
    RefreshListWindow(g());
    box.SetFocus();
    box.Type(13);
    EXPECT_EQ(host.Focused(), &box);
}

// Keys typed into the price box, from a box holding `before` with the caret
// at `caret`: the text is what the box's key filter leaves, never rewritten
// after it (\b is Backspace).
struct TypedCase {
    const char* name;
    const char* before;
    int caret;
    const char32_t* keys;
    const char* after;
};

class TypedIntoThePriceBox : public CatalogueTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypedIntoThePriceBox, LeavesWhatTheKeyFilterLets) {
    const TypedCase& c = GetParam();
    OpenTab(2);
    TextBox& box = Catalogue().txtNumber;
    box.Text = c.before;
    box.SelStart = c.caret;
    box.SelLength = 0;
    for (const char32_t* k = c.keys; *k; ++k) box.Type(int(*k));
    EXPECT_EQ(box.Text.get(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, TypedIntoThePriceBox,
    ::testing::Values(TypedCase{"AMinusThenBackspaceLeavesTheMinus", "", 0, U"5-\b3", "-3"},
                      TypedCase{"ALoneMinusStays", "", 0, U"5-\b", "-"},
                      TypedCase{"BackspaceTwiceEmptiesTheBox", "", 0, U"5-\b\b", ""},
                      TypedCase{"AMinusGoesInFrontOfTwoDigits", "", 0, U"12-", "-12"},
                      TypedCase{"ThreeCharactersAtMost", "", 0, U"1234", "123"},
                      TypedCase{"ADigitBeforeTheMinus", "-5", 0, U"3", "3-5"},
                      TypedCase{"FullWidthDigitsAreDigits", "", 0, U"\uFF14\uFF12", "42"}),
    q::test::NameBy(&TypedCase::name));

TEST_F(CatalogueTest, KeysOfTheListAreTheGamesButTheArrows) {
    OpenTab(2);
    g().SpeedFlg = 1;
    Catalogue().lstList.KeyDown(40, 0);
    Catalogue().lstList.KeyDown('S', 0);
    EXPECT_EQ(g().SpeedFlg, 0);
    Catalogue().lstList.KeyDown(vbKeyO, vbShiftMask);
    EXPECT_EQ(host.Focused(), &g().frmFrame->cmdFrame[3]);
}

}  // namespace
}  // namespace q::test
