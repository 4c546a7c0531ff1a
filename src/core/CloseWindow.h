// What closing a window from the desktop means (its close button, Alt+F4, a
// taskbar's close): each kind of window closes as the game's own commands
// close it, and nothing quits without asking.
#pragma once

namespace q {

class Game;
class Form;

// A list window or the tab frame: the list windows close, as the list's
// double click and the menu's ステータス do (not while a confirmation is
// open). The monster viewer goes back to its list, as its 一覧へ does; the
// facility window closes when no deal or talk is running in it. The title
// asks before it quits, as a message box; the bars, the stage and any other
// window put the game's quit question on the bar where the menu offers 終了,
// and otherwise ask it in a message box whose Yes quits as Esc does. While
// the quit question is up, a close does nothing.
void CloseWindowAsked(Game& g, Form& f);

// The question a close asks where the bar cannot: the title's, and the
// game's when its menus offer no 終了.
inline constexpr const char* QuitQuestion = "終了しますか？";

}  // namespace q
