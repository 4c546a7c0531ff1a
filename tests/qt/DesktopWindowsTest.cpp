// The game's windows beside other programs, offscreen: no window torn down
// inside its own click, none taking the keyboard or remapped to be kept in
// front, a close from the desktop answered by the game, one taskbar entry,
// no window lost to a minimise, and the dialogs above, captioned, sized and
// in Japanese. tests/qt/desktop_windows.sh plays the same under a window
// manager.
#include <gtest/gtest.h>

#include <memory>

#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QScreen>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include "core/Game.h"
#include "core/InitGame.h"
#include "core/KeepOnTop.h"
#include "core/Message.h"
#include "core/frmOpen.h"
#include "core/frmUnderMes.h"
#include "core/frmUnderMes2.h"
#include "shop/frmShop.h"
#include "core/StoryInput.h"
#include "core/frmMenu.h"
#include "forms/Keys.h"
#include "qt/DesktopWindows.h"
#include "qt/QtHost.h"
#include "shop/ListWindows.h"
#include "shop/frmFrame.h"
#include "shop/frmStatus.h"

namespace q {

// Whether main installed Qt's Japanese translations (QtHostTest.cpp).
extern bool qtTranslationsInstalled;

namespace {

class DesktopWindowsTest : public ::testing::Test {
protected:
    DesktopWindowsTest() {
        // A game of an earlier test that ended asked the application to
        // quit, which leaves every modal loop returning at once: the
        // application's own loop, run once, forgets it.
        QCoreApplication::processEvents();
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
        game = std::make_unique<Game>(host);
        PlaceMessageBars(*game);
        game->EventField = "Shop";
        game->SceneFormName = "frmShop";
    }
    // Handles the desktop's events until the condition holds, a second at most.
    template <class F>
    bool Within(F done) {
        QElapsedTimer waited;
        waited.start();
        while (!done() && waited.elapsed() < 1000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QThread::msleep(5);
        }
        return done();
    }
    // Runs `check` on the dialog that opens next, then answers it with `button`.
    // It waits two seconds at most, and never past the test.
    void OnNextDialog(std::function<void(QDialog&)> check, QDialogButtonBox::StandardButton button) {
        polls.push_back(std::make_unique<QTimer>());
        QTimer* poll = polls.back().get();
        auto tries = std::make_shared<int>(0);
        QObject::connect(poll, &QTimer::timeout, [poll, tries, check, button] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) {
                if (++*tries > 100) {
                    ADD_FAILURE() << "no dialog opened";
                    poll->stop();
                }
                return;
            }
            poll->stop();
            check(*box);
            if (auto* message = qobject_cast<QMessageBox*>(box))
                if (QAbstractButton* b = message->button(QMessageBox::StandardButton(int(button)))) return b->click();
            if (button == QDialogButtonBox::Cancel) box->reject();
            else box->accept();
        });
        poll->start(20);
    }
    // A folder of its own for the title's single-instance lock; it outlives the host.
    QTemporaryDir folder;
    QtHost host;
    std::unique_ptr<Game> game;
    std::vector<std::unique_ptr<QTimer>> polls;
};

// Finding 1: a choice that leaves the scene runs inside the click on the
// stage, and the game handles the desktop's events on its way (each frame of
// the new scene). The window unloaded there keeps its native window until the
// click has returned; then it gives its screen back.
TEST_F(DesktopWindowsTest, AWindowUnloadedInsideItsOwnClickIsTornDownOnlyAfterTheClick) {
    Game& g = *game;
    mStatus_Click(g);
    frmStatus& status = *g.frmStatus.peek();
    FormWindow* window = host.WindowFor(status);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QPointer<QWindow> native = window->windowHandle();
    ASSERT_NE(native, nullptr);
    // A label of the window that takes clicks; its press closes the lists.
    Label* label = nullptr;
    QPoint at;
    for (int i = 0; i < status.LBLStatus.size() && !label; ++i) {
        QWidget* widget = host.WidgetFor(status.LBLStatus[i]);
        if (!widget || !widget->isVisible() || widget->rect().isEmpty()) continue;
        at = widget->mapTo(window, widget->rect().center());
        if (window->childAt(at) == widget) label = &status.LBLStatus[i];
    }
    ASSERT_NE(label, nullptr);
    bool ran = false, nativeThroughout = false;
    label->MouseDown = [&](int, int, int, int) {
        ran = true;
        CloseListWindows(g);
        host.DoEvents();
        host.DoEvents();
        nativeThroughout = native && window->windowHandle() == native;
    };
    QTest::mousePress(native.data(), Qt::LeftButton, Qt::NoModifier, at);
    ASSERT_TRUE(ran);
    EXPECT_FALSE(g.frmStatus.loaded());
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(nativeThroughout) << "the window was torn down inside its own click";
    if (native) QTest::mouseRelease(native.data(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_TRUE(Within([&] { return window->windowHandle() == nullptr; })) << "the hidden window kept its screen";
    EXPECT_EQ(host.WindowsAwaitingRelease(), 0);
}

// A window loaded again before its screen was given back is the form's again.
TEST_F(DesktopWindowsTest, AWindowLoadedAgainBeforeItsReleaseKeepsItsScreen) {
    Game& g = *game;
    mStatus_Click(g);
    FormWindow* window = host.WindowFor(*g.frmStatus.peek());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    CloseListWindows(g);
    mStatus_Click(g);
    ASSERT_EQ(host.WindowFor(*g.frmStatus.peek()), window);
    QTest::qWait(200);
    EXPECT_TRUE(window->isVisible());
    EXPECT_NE(window->windowHandle(), nullptr);
    EXPECT_EQ(host.WindowsAwaitingRelease(), 0);
}

// Shift+1 opens the status page and then opens it again as its tab's page,
// both in one go. Its window stays mapped throughout: hidden and mapped again
// at once, an X window may be withdrawn by the window manager after it was
// mapped anew, and the page never shows. The same for a window the game
// hides and shows again in one go, and one hidden for good goes soon after.
TEST_F(DesktopWindowsTest, AWindowHiddenAndShownAgainInOneGoStaysMapped) {
    Game& g = *game;
    Form& bar = *g.frmUnderMes.peek();
    struct CountHides : QObject {
        int n = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Hide) ++n;
            return false;
        }
    } hides;
    for (int round = 1; round <= 2; ++round) {  // a new window, then the spare one
        SCOPED_TRACE(round);
        QPointer<FormWindow> window = g.frmStatus.peek() ? host.WindowFor(*g.frmStatus.peek()) : nullptr;
        if (window) window->installEventFilter(&hides);
        hides.n = 0;
        PressKey(bar, nullptr, '1', vbShiftMask);
        ASSERT_EQ(g.ListName, "frmStatus");
        FormWindow* shown = host.WindowFor(*g.frmStatus.peek());
        ASSERT_NE(shown, nullptr);
        if (!window) {
            window = shown;
            window->installEventFilter(&hides);
        }
        EXPECT_EQ(shown, window.data());
        QTest::qWait(50);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(hides.n, 0) << "the page's window was hidden on its way to the screen";
        PressKey(bar, nullptr, '1', vbShiftMask);
        ASSERT_EQ(g.ListName, "");
        EXPECT_TRUE(Within([&] { return !window->isVisible(); })) << "the closed page stayed on the screen";
        EXPECT_EQ(hides.n, 1);
    }
    FormWindow* barWindow = host.WindowFor(bar);
    barWindow->installEventFilter(&hides);
    hides.n = 0;
    bar.Visible = false;
    bar.Visible = true;
    QTest::qWait(50);
    EXPECT_TRUE(barWindow->isVisible());
    EXPECT_EQ(hides.n, 0);
    barWindow->removeEventFilter(&hides);
}

// Finding 2: keeping a window in front goes through its native window's
// state; the window is never hidden and mapped again (a window manager hands
// the keyboard to a window newly mapped).
TEST_F(DesktopWindowsTest, KeepingAWindowInFrontNeverMapsItAgain) {
    Form& form = *game->frmUnderMes.peek();
    FormWindow* bar = host.WindowFor(form);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(bar));
    QPointer<QWindow> native = bar->windowHandle();
    int hidden = 0;
    struct CountHides : QObject {
        int& n;
        explicit CountHides(int& n) : n(n) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Hide) ++n;
            return false;
        }
    } counter(hidden);
    bar->installEventFilter(&counter);
    for (bool topmost : {true, false, true}) {
        host.SetTopmost(form, topmost);
        QCoreApplication::processEvents();
        EXPECT_EQ(bool(bar->windowFlags() & Qt::WindowStaysOnTopHint), topmost);
        ASSERT_NE(native, nullptr);
        EXPECT_EQ(bar->windowHandle(), native.data());
        EXPECT_EQ(bool(native->flags() & Qt::WindowStaysOnTopHint), topmost);
        EXPECT_TRUE(bar->isVisible());
    }
    EXPECT_EQ(hidden, 0) << "the bar was hidden and shown again";
    bar->removeEventFilter(&counter);
}

// Finding 2: a game window is shown without the keyboard, and while another
// program has it, the game gives a control the focus in its window only.
TEST_F(DesktopWindowsTest, TheGameNeverTakesTheKeyboardFromAnotherProgram) {
    Game& g = *game;
    FormWindow* bar = host.WindowFor(*g.frmUnderMes.peek());
    EXPECT_TRUE(bar->testAttribute(Qt::WA_ShowWithoutActivating));
    mStatus_Click(g);
    FormWindow* frame = host.WindowFor(*g.frmFrame.peek());
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->testAttribute(Qt::WA_ShowWithoutActivating));
    // Another program has the keyboard (offscreen, a shown window is active).
    QCoreApplication::processEvents();
    QApplication::setActiveWindow(nullptr);
    ASSERT_EQ(QApplication::activeWindow(), nullptr);
    FocusFrameTab(g, 0);
    QTest::qWait(100);
    EXPECT_EQ(QApplication::activeWindow(), nullptr) << "the game took the keyboard";
    EXPECT_EQ(frame->focusWidget(), host.WidgetFor(g.frmFrame->cmdFrame[0]));
}

// Finding 4: the desktop's close of a window is the game's to answer.
TEST_F(DesktopWindowsTest, ClosingAListWindowClosesTheListsOnly) {
    Game& g = *game;
    mStatus_Click(g);
    FormWindow* list = host.WindowFor(*g.frmStatus.peek());
    ASSERT_NE(list, nullptr);
    list->close();
    EXPECT_FALSE(g.frmStatus.loaded());
    EXPECT_FALSE(g.frmFrame.loaded());
    EXPECT_TRUE(g.ListName.empty());
    EXPECT_FALSE(game->Ended());
    EXPECT_TRUE(g.frmUnderMes.loaded());
}

TEST_F(DesktopWindowsTest, ClosingTheBarAsksTheQuitQuestion) {
    Game& g = *game;
    InitGame(g);
    g.NewGame = false;
    g.StageForm = &g.frmShop.object();
    FormWindow* bar = host.WindowFor(*g.frmUnderMes.peek());
    bar->close();
    EXPECT_FALSE(game->Ended());
    EXPECT_TRUE(g.GameEnding);
    ASSERT_TRUE(g.frmUnderMes2.loaded());
    EXPECT_EQ(g.frmUnderMes2->LBLMessage[0].Caption.get(), "終了しますか？");
}

TEST_F(DesktopWindowsTest, ClosingTheTitleAsksBeforeItQuits) {
    Game& g = *game;
    const QByteArray tmpdir = qgetenv("TMPDIR");
    qputenv("TMPDIR", folder.path().toUtf8());
    struct Restore {
        QByteArray value;
        ~Restore() { qputenv("TMPDIR", value); }
    } restore{tmpdir};
    frmOpen& title = g.frmOpen.get();
    title.Show();
    FormWindow* window = host.WindowFor(title);
    ASSERT_NE(window, nullptr);
    std::string text;
    OnNextDialog([&](QDialog& box) { text = static_cast<QMessageBox&>(box).text().toStdString(); }, QDialogButtonBox::No);
    window->close();
    EXPECT_EQ(text, "終了しますか？");
    EXPECT_TRUE(g.frmOpen.loaded());
    OnNextDialog([](QDialog&) {}, QDialogButtonBox::Yes);
    window->close();
    EXPECT_FALSE(g.frmOpen.loaded());
}

// Finding 5: the game is on the taskbar once, by the bar, which stands from
// the program's start (the title too would make two entries).
TEST_F(DesktopWindowsTest, OnlyTheBarIsOnTheTaskbarEvenBesideTheTitle) {
    Game& g = *game;
    g.frmOpen->Show();
    mStatus_Click(g);
    ShowMessage(g, "second", "", "", false);
    g.frmUnderMes2->Show();
    for (Form* f : g.app.Forms()) {
        FormWindow* w = host.WindowFor(*f);
        if (!w || !w->isVisible()) continue;
        const bool onTaskbar = f->Name() == "frmUnderMes";
        EXPECT_EQ(SkipsTaskbar(*w), !onTaskbar) << f->Name();
    }
}

TEST_F(DesktopWindowsTest, AMinimisedGameWindowComesBack) {
    FormWindow* bar = host.WindowFor(*game->frmUnderMes.peek());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(bar));
    bar->setWindowState(bar->windowState() | Qt::WindowMinimized);
    EXPECT_TRUE(Within([&] { return !(bar->windowState() & Qt::WindowMinimized) && bar->isVisible(); }));
}

// Findings 6 and 9: the boxes sit above the game's windows, carry the game's
// caption, are wide enough for it and their line, and speak Japanese.
TEST_F(DesktopWindowsTest, AMessageBoxCarriesTheCaptionAboveInJapanese) {
    ASSERT_TRUE(qtTranslationsInstalled) << "Qt's Japanese translations (qt6-translations-l10n) are missing";
    QString title, yes, no, cancel;
    bool onTop = false;
    int width = 0;
    OnNextDialog(
        [&](QDialog& box) {
            auto& message = static_cast<QMessageBox&>(box);
            title = box.windowTitle();
            onTop = box.windowFlags() & Qt::WindowStaysOnTopHint;
            width = box.width();
            yes = message.button(QMessageBox::Yes)->text();
            no = message.button(QMessageBox::No)->text();
        },
        QDialogButtonBox::No);
    EXPECT_EQ(host.MsgBox("セーブしますか？", vbYesNo | vbQuestion, ""), vbNo);
    EXPECT_EQ(title, GameCaption);
    EXPECT_TRUE(onTop);
    EXPECT_TRUE(yes.contains("はい")) << yes.toStdString();
    EXPECT_TRUE(no.contains("いいえ")) << no.toStdString();
    QFont bold = QApplication::font("QMdiSubWindowTitleBar");
    bold.setBold(true);
    EXPECT_GE(width, QFontMetrics(bold).horizontalAdvance(GameCaption) + 100);
    OnNextDialog([&](QDialog& box) { cancel = static_cast<QMessageBox&>(box).button(QMessageBox::Cancel)->text(); },
                 QDialogButtonBox::Cancel);
    EXPECT_EQ(host.MsgBox("よろしいですか？", vbOKCancel, ""), vbCancel);
    EXPECT_TRUE(cancel.contains("キャンセル")) << cancel.toStdString();
}

TEST_F(DesktopWindowsTest, TheStateBoxShowsItsWholeTitleAndLine) {
    ASSERT_TRUE(qtTranslationsInstalled);
    Game& g = *game;
    g.NewGame = false;
    g.StoryName = "ShopBuySell";
    g.FieldName = "Hanoda";
    g.EventField = "Shop";
    const QString line = QString::fromStdString(StoryStateLine(g));
    QString title, shown, cancel;
    int boxWidth = 0, lineWidth = 0, textWidth = 0, titleWidth = 0;
    bool onTop = false;
    OnNextDialog(
        [&](QDialog& box) {
            title = box.windowTitle();
            onTop = box.windowFlags() & Qt::WindowStaysOnTopHint;
            boxWidth = box.width();
            auto* edit = box.findChild<QLineEdit*>();
            ASSERT_NE(edit, nullptr);
            shown = edit->text();
            lineWidth = edit->width();
            textWidth = QFontMetrics(edit->font()).horizontalAdvance(edit->text());
            QFont bold = QApplication::font("QMdiSubWindowTitleBar");
            bold.setBold(true);
            titleWidth = QFontMetrics(bold).horizontalAdvance(title);
            for (QPushButton* b : box.findChildren<QPushButton*>())
                if (b->text().contains("キャンセル")) cancel = b->text();
        },
        QDialogButtonBox::Cancel);
    MessageInput(g, vbKeyF5, 0, InputKey);
    EXPECT_EQ(title, "デバッグメッセージ");
    EXPECT_TRUE(onTop);
    EXPECT_EQ(shown, line);
    // The whole line, as far as the screen allows (tests/qt/desktop_windows.sh
    // shows it whole on a desktop).
    const int room = QGuiApplication::primaryScreen()->availableGeometry().width() * 8 / 10;
    EXPECT_GE(lineWidth, std::min(textWidth, room)) << "the line is cut off";
    EXPECT_GE(boxWidth, titleWidth + 100) << "the title is cut off";
    EXPECT_FALSE(cancel.isEmpty()) << "no キャンセル button";
}

}  // namespace
}  // namespace q
