// The list windows: at most one is open at a time, with the tab frame
// frmFrame directly above it. This is the record of the open window, the two
// procedures every part of the game calls after it changes something a list
// window may show, the dragging, and what every list window does alike.
#pragma once

#include <array>
#include <string>

#include "core/Game.h"

namespace q {

// Rebuilds the open list window (reruns its Form_Load); nothing when none is open.
void RefreshListWindow(Game& g);
// Closes the list windows and their frame; nothing while a confirmation is open.
void CloseListWindows(Game& g);
// With the left button held: lets the player drag the open list window; the
// frame follows it, and where it is let go becomes the anchor for every
// window opened afterwards.
void DragListWindow(Game& g, int Button);

// Where the list windows stand: their bottom ListGapPixels above the bottom
// of the stage, below the facility windows, whose bottom is
// FacilityGapPixels above it. A list window and the tab frame above it fit
// in the room between (at 15 twips to the pixel), so that neither covers
// the other.
inline constexpr int ListGapPixels = 65;
inline constexpr int FacilityGapPixels = 258;
inline constexpr int FrameHeight = 495;
inline constexpr int ListWindowHeight = (FacilityGapPixels - ListGapPixels) * 15 - FrameHeight;

// The tabs in the order of the frame's buttons as they are read (and as
// Shift with 1 to 9 and 0 opens them).
inline constexpr std::array<int, 10> TabOrder{0, 1, 2, 3, 8, 4, 5, 6, 7, 9};
// The tab after the given one in that order, from the last back to the first.
int NextTab(int tab);
// The window of a tab, by form name ("frmStatus" for tab 0).
const char* TabWindow(int tab);
// The window of that name, or null for a window this build does not have.
Form* ListWindowForm(Game& g, const std::string& name);
// Gives the keyboard focus to a button of the frame.
void FocusFrameTab(Game& g, int tab);
// Places the frame directly above a window at (top, left).
void PlaceFrame(Game& g, Long top, Long left);

// What every list window does alike: the caption, a double click that closes
// the windows, the left button held down that drags, and Shift+O that moves
// the focus to the next tab of the frame; every other key is the game's.
class ListWindow : public GameForm {
public:
    ListWindow(Game& game, std::string name, int tab);
    int Tab() const { return tab_; }

    void Form_DblClick() override;
    void Form_MouseMove(int Button, int Shift, int X, int Y) override;
    void Form_KeyDown(int KeyCode, int Shift) override;

    // The control that Shift+I on the frame gives the focus.
    virtual Control* FirstControl() { return nullptr; }

protected:
    // Sets the caption and the size of the client area.
    void DesignWindow(int width, int height);
    // A label (or a box) over which a drag or a double click acts as on the window.
    void PassMouse(Control& c, bool drag = true);

private:
    int tab_;
};

// The key code of O and I, which with Shift alone move the focus.
inline constexpr int vbKeyO = 79;
inline constexpr int vbKeyI = 73;

}  // namespace q
