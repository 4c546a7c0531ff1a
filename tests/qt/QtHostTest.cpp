#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <sstream>

#include "CaseName.h"
#include "core/Game.h"
#include "core/GoToPlace.h"
#include "core/InitGame.h"
#include "core/KeepOnTop.h"
#include "core/MessageBar.h"
#include "core/frmMenu.h"
#include "core/frmOpen.h"
#include "core/Message.h"
#include "core/frmUnderMes.h"
#include "qt/DesktopWindows.h"
#include "qt/KeyMap.h"
#include "qt/QtDriver.h"
#include "qt/QtHost.h"
#include "stage/frm_RGN_Picture.h"
#include "town/frmGyoku.h"
#include "town/frmItemShop.h"

namespace q {
namespace {


struct KeyCase {
    int qtKey;
    std::uint32_t scan;
    int code;
};

class KeyMapping : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyMapping, GivesTheGamesCodes) {
    const KeyCase& c = GetParam();
    EXPECT_EQ(VirtualKeyCode(c.qtKey, c.scan), c.code);
}

INSTANTIATE_TEST_SUITE_P(
    Qt, KeyMapping,
    ::testing::Values(KeyCase{Qt::Key_Y, 29, 89}, KeyCase{Qt::Key_G, 0, 71}, KeyCase{Qt::Key_Return, 36, 13},
                      KeyCase{Qt::Key_Enter, 104, 13}, KeyCase{Qt::Key_Escape, 9, 27}, KeyCase{Qt::Key_Menu, 135, 93},
                      KeyCase{Qt::Key_F5, 71, 116}, KeyCase{Qt::Key_5, 14, 53},
                      // Shift+1 gives "!" on the keyboard; the game still sees the digit.
                      KeyCase{Qt::Key_Exclam, 10, 49}, KeyCase{Qt::Key_ParenRight, 19, 48},
                      // A letter key under a layout of another script: its place decides.
                      KeyCase{0x0444 /* Cyrillic ef */, 38, 65}, KeyCase{Qt::Key_Left, 113, 37},
                      KeyCase{Qt::Key_Exclam, 0, 0}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Code", c.code, "Scan", c.scan); }));

TEST(KeyMapping, ShiftBitsAndButtons) {
    EXPECT_EQ(ShiftBits(Qt::ShiftModifier), 1);
    EXPECT_EQ(ShiftBits(Qt::ControlModifier | Qt::AltModifier), 6);
    EXPECT_EQ(ShiftBits(Qt::ShiftModifier | Qt::KeypadModifier), 1);
    EXPECT_EQ(ButtonCode(Qt::LeftButton), 1);
    EXPECT_EQ(ButtonCode(Qt::RightButton), 2);
    EXPECT_EQ(ButtonCode(Qt::MiddleButton), 4);
}

class QtHostTest : public ::testing::Test {
protected:
    QtHostTest() {
        game = std::make_unique<Game>(host);
        PlaceMessageBars(*game);
    }
    QtHost host;
    std::unique_ptr<Game> game;
};

TEST_F(QtHostTest, BarWindowMirrorsTheModel) {
    FormWindow* bar = host.WindowFor(*game->frmUnderMes.peek());
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->windowTitle(), "+++ Quorvane +++");
    EXPECT_EQ(bar->x(), 0);
    EXPECT_EQ(bar->width() * host.TwipsPerPixelX(), game->ScreenWidthTwips);
    ShowMessage(*game, "売りますか？", "売る", "売らない", true);
    auto* choice = qobject_cast<QLabel*>(host.WidgetFor(game->frmUnderMes->LBLMessage[1]));
    ASSERT_NE(choice, nullptr);
    EXPECT_EQ(choice->text(), "売る(Y/G)");
    EXPECT_TRUE(choice->font().underline());
}

TEST_F(QtHostTest, KeyOnTheBarReachesTheStoryWithItsCode) {
    FormWindow* bar = host.WindowFor(*game->frmUnderMes.peek());
    game->StoryNo = 4;
    QTest::keyClick(bar, Qt::Key_G);  // G advances a plain line
    EXPECT_EQ(game->StoryNo, 5);
    ShowMessage(*game, "売りますか？", "売る", "売らない", true);
    game->WaitingAnswer = true;
    QKeyEvent shiftedN(QEvent::KeyPress, Qt::Key_N, Qt::ShiftModifier, 57, 0, 0, "N");
    QApplication::sendEvent(bar, &shiftedN);
    EXPECT_EQ(game->AnswerKey, 78);
    EXPECT_EQ(game->StoryNo, 7);
}

TEST_F(QtHostTest, LabelClickAnswersTheQuestion) {
    ShowMessage(*game, "売りますか？", "売る", "売らない", true);
    game->WaitingAnswer = true;
    game->StoryNo = 300000;
    QWidget* yes = host.WidgetFor(game->frmUnderMes->LBLMessage[1]);
    ASSERT_NE(yes, nullptr);
    QTest::mouseClick(yes, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(game->AnswerKey, 89);
    EXPECT_EQ(game->StoryNo, 300002);
    EXPECT_EQ(game->frmUnderMes->LBLMessage[0].Caption.get(), "");
}

TEST_F(QtHostTest, AMonstersPictureShowsInTheViewer) {
    InitGame(*game);
    game->WorkIndex = 4;
    frmGyoku& viewer = game->frmGyoku.get();
    viewer.Show();
    auto* picture = qobject_cast<QLabel*>(host.WidgetFor(viewer.picDot[0]));
    ASSERT_NE(picture, nullptr);
    const SpritePicture& sprite = frm_RGN_Picture::pPicture(game->AllMonster[4].Picture);
    ASSERT_FALSE(sprite.empty());
    EXPECT_EQ(picture->pixmap().size(), QSize(sprite.width, sprite.height));
    viewer.picDot[0].Picture = -1;
    EXPECT_TRUE(picture->pixmap().isNull());
}

// In the monster viewer's list the arrow keys select as a click does: the
// detail button is there for a known monster only.
TEST_F(QtHostTest, ArrowKeysInAListRaiseItsItemClick) {
    Game& g = *game;
    g.SetHandler("TownSpeech", [](Long) {});
    InitGame(g);
    g.NewGame = false;
    for (auto& jewel : g.AllGyoku) jewel.LGyokuList = false;
    g.AllGyoku[0].LGyokuList = true;
    g.GyokuFlg = 1;
    g.FieldName = "Hanoda";
    GoToPlace(g, "Board", "", "", "");
    g.Call("frmBoard.bMania_Click");
    ASSERT_TRUE(g.frmItemShop.loaded());
    g.StoryNo = StoryEndNo;
    frmItemShop& viewer = *g.frmItemShop.peek();
    auto* tree = qobject_cast<QTreeWidget*>(host.WidgetFor(viewer.lstList));
    ASSERT_NE(tree, nullptr);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                      tree->visualItemRect(tree->topLevelItem(0)).center());
    EXPECT_TRUE(viewer.cmdBuy.Enabled);
    QTest::keyClick(tree, Qt::Key_Down);
    EXPECT_EQ(viewer.lstList.SelectedIndex(), 2);
    EXPECT_FALSE(viewer.cmdBuy.Enabled);
    QTest::keyClick(tree, Qt::Key_Up);
    EXPECT_EQ(viewer.lstList.SelectedIndex(), 1);
    EXPECT_TRUE(viewer.cmdBuy.Enabled);
}

// While the game's own popup menu, message box or input box is open, the
// once-a-second keeping in front finds the game in front: the bars keep the
// game's colour and nothing is lifted over the menu or the box.
TEST_F(QtHostTest, TheGamesOwnMenusAndBoxesCountAsTheGameInFront) {
    Game& g = *game;
    g.FrontFLG = true;
    Form& bar = *g.frmUnderMes.peek();
    // The check the timer makes while the menu or box is up; then it closes it.
    Color seen = 0;
    std::string title;
    auto checkThenClose = [&](auto close) {
        QTimer::singleShot(50, [&, close] {
            title = host.ForegroundTitle();
            KeepOnTop(g, false);
            seen = bar.BackColor;
            close();
        });
    };
    frmMenu& menus = g.frmMenu.get();
    checkThenClose([] {
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    });
    host.PopupMenu(menus, menus.menu);
    EXPECT_EQ(title, GameCaption) << "popup menu";
    EXPECT_EQ(seen, BarColor) << "popup menu";

    checkThenClose([] {
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    host.MsgBox("セーブしました", vbOKOnly, "");
    EXPECT_EQ(title, GameCaption) << "message box";
    EXPECT_EQ(seen, BarColor) << "message box";

    checkThenClose([] {
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    host.InputBox("名前", "", "");
    EXPECT_EQ(title, GameCaption) << "input box";
    EXPECT_EQ(seen, BarColor) << "input box";
}

// A script that runs out of lines leaves the game to the player: a right
// click opens the real popup menu again.
TEST_F(QtHostTest, AfterAScriptRunsOutOfLinesPopupMenusOpenAgain) {
    QtDriver driver(host);
    std::ostringstream transcript;
    ScriptRunner runner(driver, [this]() -> Game& { return *game; }, transcript);
    std::istringstream script("wait 10\n");
    runner.Run(script);
    bool shown = false;
    QTimer::singleShot(50, [&] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            shown = true;
            popup->close();
        }
    });
    frmMenu& menus = game->frmMenu.get();
    host.PopupMenu(menus, menus.menu);
    EXPECT_TRUE(shown);
    EXPECT_EQ(host.OpenMenu(), nullptr);
}

// The title from the keyboard: the focus starts on はじめる with no save
// file, Shift+Tab goes back round to おわる, and Enter presses it. A click on
// the title anywhere but on a button (how a player gives a frameless window
// the keyboard) leaves the focus on its button, so its keys go on working.
TEST_F(QtHostTest, TheTitleKeepsItsButtonsFocusForTabAndEnterThroughAClickOnItsBackground) {
    const QString lockDir = QDir::tempPath() + "/quorvane-title-test";
    QDir().mkpath(lockDir);
    qputenv("TMPDIR", lockDir.toUtf8());
    frmOpen& title = game->frmOpen.get();
    FormWindow* window = host.WindowFor(title);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_EQ(host.FocusedControl(), &title.cmdStart);

    QWidget* start = host.WidgetFor(title.cmdStart);
    const QPoint background(start->geometry().right() + 8, 4);
    ASSERT_FALSE(qobject_cast<QAbstractButton*>(window->childAt(background)));
    // Through the window system, as the player's click comes.
    auto clickBackground = [&] { QTest::mouseClick(window, Qt::LeftButton, {}, background); };
    auto press = [&](Qt::Key key, Qt::KeyboardModifiers held = {}) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window, key, held);
    };
    clickBackground();
    EXPECT_EQ(host.FocusedControl(), &title.cmdStart);
    press(Qt::Key_Tab);
    Control* next = host.FocusedControl();
    EXPECT_TRUE(next && next != &title.cmdStart);
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(host.FocusedControl(), &title.cmdStart);

    press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(host.FocusedControl(), &title.cmdExit);
    clickBackground();
    press(Qt::Key_Return);
    EXPECT_TRUE(game->Ended());
}

TEST_F(QtHostTest, EscUnloadsEveryWindowAndEndsTheProgram) {
    FormWindow* bar = host.WindowFor(*game->frmUnderMes.peek());
    QTest::keyClick(bar, Qt::Key_Escape);
    EXPECT_TRUE(game->Ended());
    EXPECT_TRUE(host.Ended());
    EXPECT_EQ(host.WindowFor(*game->frmUnderMes.peek()), nullptr);
}

// A window the window manager put elsewhere than the game asked (out of a
// panel's strut, by a placement of its own): once it stays there, its form's
// Left and Top are where it is, and the window stays.
TEST_F(QtHostTest, AFormFollowsWhereTheWindowManagerPutItsWindow) {
    Form& bar = game->frmUnderMes.object();
    FormWindow* w = host.WindowFor(bar);
    ASSERT_TRUE(w && w->isVisible());
    QTest::qWait(1100);  // the game's own placing has had its answer
    const int tx = host.TwipsPerPixelX(), ty = host.TwipsPerPixelY();
    const QPoint asked = w->pos();
    w->move(asked + QPoint(7, -30));  // as the window manager does it
    QTest::qWait(50);
    EXPECT_EQ(bar.Left, asked.x() * tx) << "not while the window may still be moving";
    QTest::qWait(600);
    EXPECT_EQ(bar.Left, (asked.x() + 7) * tx);
    EXPECT_EQ(bar.Top, (asked.y() - 30) * ty);
    EXPECT_EQ(w->pos(), asked + QPoint(7, -30));
}

}  // namespace
}  // namespace q

namespace q {
bool qtTranslationsInstalled = false;
}

// The application lives on main's stack, so it goes before Qt's own statics.
// It is the desktop program's, which knows the windows whose events are
// being handled, with Qt's Japanese translations.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    q::GameApplication app(argc, argv);
    q::qtTranslationsInstalled = q::InstallQtTranslations(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
