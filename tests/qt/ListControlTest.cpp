// The list windows on the desktop: the list control, the number box and
// dragging, offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>

#include "core/Game.h"
#include "core/InitGame.h"
#include "core/Inventory.h"
#include "core/frmMenu.h"
#include "data/Tables.h"
#include "qt/QtHost.h"
#include "shop/ListWindows.h"
#include "shop/frmFrame.h"
#include "shop/frmList.h"
#include "shop/frmStatus.h"
#include "shop/frmStockArms.h"

namespace q {
namespace {

class ListControlTest : public ::testing::Test {
protected:
    ListControlTest() {
        game = std::make_unique<Game>(host);
        Game& g = *game;
        PlaceMessageBars(g);
        InitArmTable1(g);
        InitArmTable2(g);
        g.EventField = "Shop";
        g.SceneFormName = "frmShop";
        g.NowMaxStock = 5000;
        g.NowMaxShop = 100;
        for (Long arm = 0; arm < 60; ++arm) (void)StockArmsChange(g, arm, 0, false, arm + 1);
        mStatus_Click(g);
        g.frmFrame->cmdFrame_Click(5);
    }
    QTreeWidget* Tree() { return qobject_cast<QTreeWidget*>(host.WidgetFor(game->frmStockArms->lstList)); }
    QtHost host;
    std::unique_ptr<Game> game;
};

TEST_F(ListControlTest, AReportListWithItsHeadersWidthsAndSeveralRowsSelectable) {
    QTreeWidget* tree = Tree();
    ASSERT_NE(tree, nullptr);
    EXPECT_FALSE(tree->isHeaderHidden());
    ASSERT_EQ(tree->columnCount(), 2);
    EXPECT_EQ(tree->headerItem()->text(0), "名前");
    EXPECT_EQ(tree->headerItem()->text(1), "個数");
    EXPECT_EQ(tree->columnWidth(0), 2100 / host.TwipsPerPixelX());
    EXPECT_EQ(tree->columnWidth(1), 800 / host.TwipsPerPixelX());
    EXPECT_EQ(tree->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(tree->editTriggers(), QAbstractItemView::NoEditTriggers);
    ASSERT_EQ(tree->topLevelItemCount(), 60);
    EXPECT_EQ(tree->topLevelItem(2)->text(0), "木の盾");
    EXPECT_EQ(tree->topLevelItem(2)->text(1), "3");
    EXPECT_TRUE(tree->topLevelItem(0)->isSelected());
    // The selection is shown as brightly without the focus.
    const QPalette pal = tree->palette();
    EXPECT_EQ(pal.color(QPalette::Inactive, QPalette::Highlight), pal.color(QPalette::Active, QPalette::Highlight));
}

TEST_F(ListControlTest, ThePlayersSelectionIsTheModels) {
    QTreeWidget* tree = Tree();
    tree->show();
    auto clickRow = [&](int row, Qt::KeyboardModifiers mods) {
        const QRect r = tree->visualItemRect(tree->topLevelItem(row - 1));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, mods, r.center());
    };
    clickRow(2, Qt::NoModifier);
    clickRow(4, Qt::ControlModifier);
    EXPECT_EQ(game->frmStockArms->lstList.SelectedRows(), (std::vector<int>{2, 4}));
    EXPECT_EQ(game->frmStockArms->lstList.SelectedIndex(), 4);
    clickRow(6, Qt::ShiftModifier | Qt::ControlModifier);
    std::vector<int> shown;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        if (tree->topLevelItem(i)->isSelected()) shown.push_back(i + 1);
    EXPECT_EQ(shown, (std::vector<int>{2, 4, 5, 6}));
    EXPECT_EQ(game->frmStockArms->lstList.SelectedRows(), shown);
    QTest::keyClick(tree, Qt::Key_Down);  // the arrows stay in the list and move the selection
    EXPECT_EQ(game->frmStockArms->lstList.SelectedRows(), std::vector<int>{7});
    // A move reads the rows the player chose.
    clickRow(2, Qt::NoModifier);
    clickRow(4, Qt::ControlModifier);
    game->frmStockArms->txtNumber.Text = "1";
    game->frmStockArms->cmdMove_Click(0);
    EXPECT_EQ(game->HaveShop, 2);
    EXPECT_EQ(game->MyShopArms[0].SShopArmsNo, 1);
    EXPECT_EQ(game->MyShopArms[1].SShopArmsNo, 3);
}

TEST_F(ListControlTest, RebuildsFillTheSameRowsInPlace) {
    QTreeWidget* tree = Tree();
    tree->show();
    ListView& list = game->frmStockArms->lstList;
    list.EnsureVisible(60);
    QScrollBar* bar = tree->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    const int scrolled = bar->value();
    QTreeWidgetItem* first = tree->topLevelItem(0);

    // Rows rebuilt from scratch, with no row asked to be seen: the same
    // rows refilled, the list where it was.
    list.BeginUpdate();
    list.ClearItems();
    for (int r = 1; r <= 60; ++r) list.AddItem("row " + std::to_string(r)).SetSubItem(1, std::to_string(r));
    list.SetSelected(59, true);
    list.EndUpdate();
    EXPECT_EQ(tree->topLevelItem(0), first);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "row 1");
    EXPECT_EQ(bar->value(), scrolled);
    EXPECT_TRUE(tree->topLevelItem(58)->isSelected());

    // A load of the window selects its first row and shows it.
    RefreshListWindow(*game);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "わらじ");
    EXPECT_TRUE(tree->topLevelItem(0)->isSelected());
    EXPECT_FALSE(tree->topLevelItem(58)->isSelected());
    EXPECT_EQ(bar->value(), 0);

    list.BeginUpdate();
    list.ClearItems();  // while the rows are built nothing reaches the screen
    EXPECT_EQ(tree->topLevelItemCount(), 60);
    list.AddItem("x");
    list.EndUpdate();
    EXPECT_EQ(tree->topLevelItemCount(), 1);
}

TEST_F(ListControlTest, TheNumberBoxTakesThreeDigitsFromTheKeyboard) {
    auto* box = qobject_cast<QLineEdit*>(host.WidgetFor(game->frmStockArms->txtNumber));
    ASSERT_NE(box, nullptr);
    game->frmStockArms->txtNumber.Text = "";
    QTest::keyClicks(box, "1a2-34");
    EXPECT_EQ(box->text(), "123");
    EXPECT_EQ(game->frmStockArms->txtNumber.Text.get(), "123");
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(game->frmStockArms->txtNumber.Text.get(), "12");
    box->selectAll();
    QTest::keyClicks(box, "7");
    EXPECT_EQ(game->frmStockArms->txtNumber.Text.get(), "7");
    // The model's selection reaches the box: the box selects all as it takes the focus.
    game->frmStockArms->txtNumber.Text = "45";
    game->frmStockArms->txtNumber_GotFocus();
    EXPECT_EQ(box->selectedText(), "45");
}

// Shift+Insert and the box's own Paste put in only what typing could.
TEST_F(ListControlTest, TextPastedIntoTheNumberBoxKeepsOnlyItsDigits) {
    TextBox& model = game->frmStockArms->txtNumber;
    auto* box = qobject_cast<QLineEdit*>(host.WidgetFor(model));
    ASSERT_NE(box, nullptr);
    model.Text = "";
    QApplication::clipboard()->setText("abc");
    QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(model.Text.get(), "");
    EXPECT_EQ(box->text(), "");
    QApplication::clipboard()->setText("-5");
    box->paste();  // as the box's right-click menu does
    EXPECT_EQ(model.Text.get(), "5");
    EXPECT_EQ(box->text(), "5");
    box->selectAll();
    QApplication::clipboard()->setText("12 345");
    box->paste();
    EXPECT_EQ(model.Text.get(), "123");
    EXPECT_EQ(box->text(), "123");
}

// Ctrl+A and Ctrl+V do what Shift+Insert does, a full-width digit (typed, or
// composed by an input method) is the digit, and no menu of the toolkit's
// own opens on the box.
TEST_F(ListControlTest, TheNumberBoxTakesCtrlKeysAndFullWidthDigitsAndHasNoMenuOfItsOwn) {
    TextBox& model = game->frmStockArms->txtNumber;
    auto* box = qobject_cast<QLineEdit*>(host.WidgetFor(model));
    ASSERT_NE(box, nullptr);
    model.Text = "12";
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(box->selectedText(), "12");
    EXPECT_EQ(model.SelLength.get(), 2);
    QApplication::clipboard()->setText("7a8");
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(model.Text.get(), "78");
    EXPECT_EQ(box->text(), "78");

    model.Text = "";
    for (const QString wide : {QString("１"), QString("２")}) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, wide);
        QApplication::sendEvent(box, &key);
    }
    EXPECT_EQ(model.Text.get(), "12");
    EXPECT_EQ(box->text(), "12");
    model.Text = "";
    QInputMethodEvent composed;
    composed.setCommitString("３４");
    QApplication::sendEvent(box, &composed);
    EXPECT_EQ(model.Text.get(), "34");
    EXPECT_EQ(box->text(), "34");

    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(2, 2));
    QApplication::sendEvent(box, &menuKey);
    QWidget* popup = QApplication::activePopupWidget();
    EXPECT_EQ(popup, nullptr);
    if (popup) popup->close();
}

// Keys typed into the catalogue's price box go through its key filter and
// nothing else: a minus taken back by Backspace leaves the minus.
TEST_F(ListControlTest, ThePriceBoxKeepsTheMinusThatBackspaceLeft) {
    game->frmFrame->cmdFrame_Click(2);
    TextBox& model = game->frmList->txtNumber;
    auto* box = qobject_cast<QLineEdit*>(host.WidgetFor(model));
    ASSERT_NE(box, nullptr);
    model.Text = "";
    QTest::keyClicks(box, "5-");
    EXPECT_EQ(box->text(), "-5");
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(model.Text.get(), "-");
    QTest::keyClicks(box, "3");
    EXPECT_EQ(model.Text.get(), "-3");
    EXPECT_EQ(box->text(), "-3");
}

TEST_F(ListControlTest, DraggingTheWindowMovesItAndTheFrameAbove) {
    Game& g = *game;
    FormWindow* window = host.WindowFor(*g.frmStockArms.peek());
    ASSERT_NE(window, nullptr);
    const Long left = g.ListLeft, top = g.ListTop;
    const QPoint press = window->mapToGlobal(QPoint(5, 5));
    auto mouse = [&](QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held) {
        return new QMouseEvent(type, window->mapFromGlobal(global), global, button, held, Qt::NoModifier);
    };
    QMouseEvent* down = mouse(QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
    QApplication::sendEvent(window, down);
    delete down;
    // What the mouse does while the window is dragged, then the move that starts it.
    QApplication::postEvent(window, mouse(QEvent::MouseMove, press + QPoint(30, -10), Qt::NoButton, Qt::LeftButton));
    QApplication::postEvent(window, mouse(QEvent::MouseMove, press + QPoint(50, -20), Qt::NoButton, Qt::LeftButton));
    QApplication::postEvent(window, mouse(QEvent::MouseButtonRelease, press + QPoint(50, -20), Qt::LeftButton, Qt::NoButton));
    QMouseEvent* start = mouse(QEvent::MouseMove, press + QPoint(2, 0), Qt::NoButton, Qt::LeftButton);
    QApplication::sendEvent(window, start);
    delete start;

    const int tpp = host.TwipsPerPixelX();
    EXPECT_EQ(g.ListLeft, left + 50 * tpp);
    EXPECT_EQ(g.ListTop, top - 20 * tpp);
    FormWindow* frame = host.WindowFor(*g.frmFrame.peek());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->x(), window->x());
    EXPECT_EQ(frame->y() + frame->height(), window->y());

    // On a busy machine the moves come together and only the last is handed
    // over: the move that starts the drag, then the release. The window still
    // ends where the mouse let go.
    const Long left2 = g.ListLeft, top2 = g.ListTop;
    const QPoint press2 = window->mapToGlobal(QPoint(5, 5));
    down = mouse(QEvent::MouseButtonPress, press2, Qt::LeftButton, Qt::LeftButton);
    QApplication::sendEvent(window, down);
    delete down;
    QApplication::postEvent(window, mouse(QEvent::MouseButtonRelease, press2 + QPoint(60, -25), Qt::LeftButton, Qt::NoButton));
    start = mouse(QEvent::MouseMove, press2 + QPoint(60, -25), Qt::NoButton, Qt::LeftButton);
    QApplication::sendEvent(window, start);
    delete start;
    EXPECT_EQ(g.ListLeft, left2 + 60 * tpp);
    EXPECT_EQ(g.ListTop, top2 - 25 * tpp);
    EXPECT_EQ(frame->x(), window->x());
}

// The style keeps its pictures of buttons, frames and rows by the palette
// they were drawn with: a window opened again must bring the palettes of
// before, or each opening adds to the style's cache for the rest of the day.
TEST_F(ListControlTest, AListWindowOpenedAgainDrawsWithThePalettesOfBefore) {
    Game& g = *game;
    auto palettes = [&] {
        std::vector<qint64> keys;
        if (FormWindow* w = host.WindowFor(*g.frmStockArms.peek())) keys.push_back(w->palette().cacheKey());
        for (Control* c : g.frmStockArms.peek()->controls())
            if (QWidget* widget = host.WidgetFor(*c)) keys.push_back(widget->palette().cacheKey());
        return keys;
    };
    const std::vector<qint64> first = palettes();
    ASSERT_GT(first.size(), 3u);
    Tree()->verticalScrollBar()->setValue(Tree()->verticalScrollBar()->maximum());
    for (int i = 0; i < 3; ++i) {
        g.frmFrame->cmdFrame_Click(3);  // another list in its place
        ASSERT_FALSE(g.frmStockArms.loaded());
        g.frmFrame->cmdFrame_Click(5);
        EXPECT_EQ(palettes(), first) << "opening " << i + 2;
    }
    // Opened again, the list is as new: its first row chosen, at the top.
    EXPECT_EQ(Tree()->topLevelItemCount(), 60);
    EXPECT_TRUE(Tree()->topLevelItem(0)->isSelected());
    EXPECT_EQ(Tree()->verticalScrollBar()->value(), 0);
}

}  // namespace
}  // namespace q
