#include <gtest/gtest.h>

#include <sstream>

#include "CaseName.h"
#include "forms/Form.h"
#include "sim/SimHost.h"

namespace q {
namespace {

class TestForm : public Form {
public:
    explicit TestForm(FormsApp& app, std::string name = "frmTest") : Form(app, std::move(name)) {
        add(lbl);
        add(Timer1);
        Timer1.OnTimer = [this] {
            ++ticks;
            if (onTick) onTick();
        };
    }
    void Design() override {
        Caption = "+++ Quorvane +++";
        Width = 3000;
        lbl.Caption = "design";
        lbl.Left = 45;
        Timer1.Interval = 0;
        Timer1.Enabled = false;
    }
    void Form_Load() override { ++loads; }
    void Form_Unload() override { ++unloads; }

    Label lbl{*this, "lbl"};
    Timer Timer1{*this, "Timer1"};
    int loads = 0, unloads = 0, ticks = 0;
    std::function<void()> onTick;
};

class FormsTest : public ::testing::Test {
protected:
    SimHost host;
    FormsApp app{host};
    FormRef<TestForm> form{[this] { return new TestForm(app); }};
};

TEST_F(FormsTest, FormIsCreatedAndLoadedOnFirstReference) {
    EXPECT_FALSE(form.loaded());
    EXPECT_EQ(form.peek(), nullptr);
    form->lbl.Caption = "x";
    EXPECT_TRUE(form.loaded());
    EXPECT_EQ(form.peek()->loads, 1);
    form->lbl.Caption = "y";  // a second reference does not load again
    EXPECT_EQ(form.peek()->loads, 1);
}

TEST_F(FormsTest, UnloadResetsToDesignHidesAndNextReferenceLoadsAfresh) {
    form->Show();
    form->lbl.Caption = "changed";
    form->lbl.Left = 900;
    form.Unload();
    TestForm& f = *form.peek();
    EXPECT_FALSE(f.loaded());
    EXPECT_FALSE(f.Visible);
    EXPECT_EQ(f.unloads, 1);
    EXPECT_EQ(f.lbl.Caption.get(), "design");
    EXPECT_EQ(f.lbl.Left.get(), 45);
    form->lbl.Caption;  // referenced again
    EXPECT_EQ(f.loads, 2);
    EXPECT_EQ(form.peek(), &f);  // the same object: code that unloads its own form goes on safely
}

TEST_F(FormsTest, ProgramEndsWhenTheLastFormIsUnloaded) {
    FormRef<TestForm> other{[this] { return new TestForm(app, "frmOther"); }};
    form->Show();
    other->Show();
    form.Unload();
    EXPECT_FALSE(app.ended());
    other.Unload();
    EXPECT_TRUE(app.ended());
    EXPECT_TRUE(host.Ended());
}

TEST_F(FormsTest, FormsCollectionKeepsLoadOrder) {
    FormRef<TestForm> other{[this] { return new TestForm(app, "frmOther"); }};
    other->Show();
    form->Show();
    ASSERT_EQ(app.Forms().size(), 2u);
    EXPECT_EQ(app.Forms()[0]->Name(), "frmOther");
    EXPECT_EQ(app.Forms()[1]->Name(), "frmTest");
}

TEST_F(FormsTest, LabelSizesItselfToItsCaption) {
    form->lbl.Caption = "ab漢字";  // two half-width, two full-width characters
    EXPECT_EQ(form->lbl.Width.get(), 2 * 90 + 2 * 180);
    form->lbl.AutoSize = false;
    form->lbl.Caption = "a";
    EXPECT_EQ(form->lbl.Width.get(), 2 * 90 + 2 * 180);
}

struct TimerCase {
    const char* what;
    int interval;
    bool enabled;
    bool loaded;
    long long advance;
    int ticks;
};

class TimerRules : public FormsTest, public ::testing::WithParamInterface<TimerCase> {};

TEST_P(TimerRules, TicksOnlyWhileLoadedEnabledAndPositive) {
    const TimerCase& c = GetParam();
    TestForm& f = form.get();
    f.Timer1.Interval = c.interval;
    f.Timer1.Enabled = c.enabled;
    if (!c.loaded) form.Unload(), f.Timer1.Interval = c.interval, f.Timer1.Enabled = c.enabled;
    host.Advance(c.advance);
    EXPECT_EQ(f.ticks, c.ticks) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Forms, TimerRules,
                         ::testing::Values(TimerCase{"running", 500, true, true, 1600, 3},
                                           TimerCase{"disabled", 500, false, true, 1600, 0},
                                           TimerCase{"interval 0", 0, true, true, 1600, 0},
                                           TimerCase{"unloaded form", 500, true, false, 1600, 0},
                                           TimerCase{"exactly due", 500, true, true, 500, 1}),
    q::test::NameBy(&TimerCase::what));

TEST_F(FormsTest, OverdueTickIsDeliveredOnceNotAsABurst) {
    TestForm& f = form.get();
    f.Timer1.Interval = 100;
    f.Timer1.Enabled = true;
    host.Sleep(1000);  // ten periods pass while the thread sleeps
    host.DoEvents();
    EXPECT_EQ(f.ticks, 1);
    host.DoEvents();
    EXPECT_EQ(f.ticks, 1);
    host.Advance(100);
    EXPECT_EQ(f.ticks, 2);
}

TEST_F(FormsTest, TimerDoesNotReenterItsOwnHandler) {
    TestForm& f = form.get();
    f.Timer1.Interval = 100;
    f.Timer1.Enabled = true;
    f.onTick = [&] {
        host.Sleep(500);
        host.DoEvents();
    };
    host.Advance(100);
    EXPECT_EQ(f.ticks, 1);
}

TEST_F(FormsTest, ChangingTheIntervalRestartsTheCountdown) {
    TestForm& f = form.get();
    f.Timer1.Interval = 1000;
    f.Timer1.Enabled = true;
    host.Advance(900);
    f.Timer1.Interval = 500;
    host.Advance(400);
    EXPECT_EQ(f.ticks, 0);
    host.Advance(100);
    EXPECT_EQ(f.ticks, 1);
}

TEST(ListViewTest, RowsAreOneBasedWithSubItemsAndSelection) {
    SimHost host;
    FormsApp app{host};
    class F : public Form {
    public:
        explicit F(FormsApp& a) : Form(a, "frmList") { add(lst); }
        ListView lst{*this, "lstList"};
    } f(app);
    f.lst.AddColumn("名前", 2000);
    f.lst.AddColumn("値段", 900);
    EXPECT_EQ(f.lst.SelectedItem(), nullptr);
    f.lst.AddItem("ナイフ").SetSubItem(1, "50");
    f.lst.AddItem("剣").SetSubItem(1, "300");
    ASSERT_EQ(f.lst.Count(), 2);
    EXPECT_EQ(f.lst.Item(2).SubItem(1), "300");
    EXPECT_EQ(f.lst.Item(1).SubItem(5), "");
    EXPECT_EQ(f.lst.SelectedItem()->Text, "ナイフ");
    f.lst.MultiSelect = true;
    f.lst.Select(1);
    f.lst.Select(2, true);
    EXPECT_TRUE(f.lst.Item(1).Selected);
    EXPECT_TRUE(f.lst.Item(2).Selected);
    f.lst.MultiSelect = false;
    f.lst.Select(1, true);
    EXPECT_FALSE(f.lst.Item(2).Selected);
    f.lst.ClearItems();
    EXPECT_EQ(f.lst.SelectedItem(), nullptr);
}

// Text the player put in a number box other than by typing (pasted, dropped):
// the box keeps only what its key filter lets in, and Change sees that.
struct PastedCase {
    const char* name;
    int maxDigits;
    bool signedBox;
    const char* pasted;
    const char* kept;
};

class PastedIntoANumberBox : public ::testing::TestWithParam<PastedCase> {};

TEST_P(PastedIntoANumberBox, KeepsWhatItsKeyFilterLetsIn) {
    SimHost host;
    FormsApp app{host};
    class F : public Form {
    public:
        explicit F(FormsApp& a) : Form(a, "frmNumber") { add(txt); }
        TextBox txt{*this, "txtNumber"};
    } f(app);
    const PastedCase& c = GetParam();
    f.txt.MaxDigits = c.maxDigits;
    f.txt.Signed = c.signedBox;
    std::string seen = "(no change)";
    f.txt.Change = [&] { seen = f.txt.Text; };
    f.txt.Text = c.pasted;
    f.txt.SelStart = f.txt.TextLength();
    f.txt.EditedByPlayer();
    EXPECT_EQ(f.txt.Text.get(), c.kept);
    EXPECT_EQ(seen, c.kept);
    EXPECT_LE(f.txt.SelStart, f.txt.TextLength());
}

INSTANTIATE_TEST_SUITE_P(
    Forms, PastedIntoANumberBox,
    ::testing::Values(PastedCase{"Letters", 3, false, "abc", ""},
                      PastedCase{"ANegativeNumber", 3, false, "-5", "5"},
                      PastedCase{"TooManyDigits", 3, false, "12345", "123"},
                      PastedCase{"DigitsAmongOtherText", 9, false, " 1,200 G", "1200"},
                      PastedCase{"WideDigits", 3, false, "１２", "12"}, PastedCase{"WideAndNarrowDigits", 3, false, "１2３4", "123"},
                      PastedCase{"OneDigitBox", 1, false, "42", "4"},
                      PastedCase{"ASignedBoxKeepsItsMinus", 3, true, "-25%", "-25"},
                      PastedCase{"ASignedBoxCountsTheMinus", 3, true, "-123", "-12"},
                      PastedCase{"AMinusInsideIsDropped", 3, true, "1-2", "12"},
                      PastedCase{"ALoneMinus", 3, true, "-", ""},
                      PastedCase{"AnyTextInAPlainBox", 0, false, "abc -5", "abc -5"}),
    [](const ::testing::TestParamInfo<PastedCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace q
