// What the three arms windows share: the shop display, the warehouse and the
// bag list their arms the same way, take a quantity in the same box, move
// arms to another container within its room and throw arms away after a
// question on the bar. Each window adds its buttons and the scenes in which
// they work.
#pragma once

#include <string>
#include <vector>

#include "shop/ListWindows.h"

namespace q {

enum class ArmsBox { Shop, Stock, Bag };

// The containers as the windows see them.
Long ArmsUsed(const Game& g, ArmsBox box);      // entries
Long ArmsHeld(const Game& g, ArmsBox box);      // pieces
Long ArmsCapacity(const Game& g, ArmsBox box);  // pieces
Long ArmsEntryArm(const Game& g, ArmsBox box, Long index);
Long ArmsEntryCount(const Game& g, ArmsBox box, Long index);
// Full: the pieces held are at or above the capacity.
bool ArmsFull(const Game& g, ArmsBox box);

class ArmsWindow : public ListWindow {
public:
    Label lblNumber{*this, "lblNumber"};
    TextBox txtNumber{*this, "txtNumber"};
    ListView lstList{*this, "lstList"};

    void Form_Load() override;
    Control* FirstControl() override { return &txtNumber; }

    // The box's own events.
    void txtNumber_KeyPress(int& KeyAscii);
    void txtNumber_GotFocus();

    // The quantity of a command: a box that is empty or holds no number
    // above 0 becomes "1", and the box then shows its number plainly.
    Long NormalisedNumber();

protected:
    struct Column {
        const char* caption;
        int width;
    };
    struct Layout {
        int labelLeft, labelWidth, boxLeft, boxWidth;
        const char* labelTip;
        const char* boxTip;
    };

    ArmsWindow(Game& game, std::string name, int tab, ArmsBox own, std::vector<Column> columns);
    void DesignArms(const Layout& layout);
    void DesignButton(CommandButton& b, const char* caption, int left, int width, const char* tip);

    // The move to another container.
    void MoveTo(ArmsBox destination);
    // The dump, in both of its phases: the button, and the answer to its question.
    void Dump(const char* story);

    // The window's buttons, in the order Enter in the box looks for one.
    virtual std::vector<CommandButton*> ActionButtons() = 0;
    // Enables the buttons as the scene allows.
    virtual void SetButtons() = 0;
    // The scene lets this window dump, so the rows a dump left are selected again.
    virtual bool InDumpState() const { return false; }
    // Whether the list and the box are enabled again by every load.
    virtual bool ReenablesOnLoad() const { return true; }
    // After a dump, a cancel or an empty container.
    virtual void DumpEnds() { game.AutoBlocked = false; }

private:
    void FillRows();
    void SelectRows();
    void SetCommands(bool enabled);
    Long RowCount(int row) const;
    Long RowArm(int row) const;

    ArmsBox own_;
    std::vector<Column> columns_;
    // The dump question that is open: the arms of the rows asked about and
    // the quantity, so a rebuild meanwhile shows and keeps them.
    bool asking_ = false;
    std::vector<Long> askedArms_;
    Long askedNumber_ = 1;
    std::string storyBefore_;  // the story the question stands over (the board's talk, or none)
};

}  // namespace q
