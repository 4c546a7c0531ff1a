// The title window: the program's start-up. It refuses a second copy of
// the game, offers a new game, the continuation of either save file, the
// help and leaving, and restarts the game for New Game Plus.
#pragma once

#include "core/Game.h"

namespace q {

// The program's version, shown by the title's about cycle.
inline constexpr int VersionMajor = 1;
inline constexpr int VersionMinor = 0;
inline constexpr int VersionRevision = 0;


class frmOpen : public GameForm {
public:
    explicit frmOpen(Game& game);

    CommandButton cmdStart{*this, "cmdStart"};
    ControlArray<CommandButton> cmdContinue{*this, "cmdContinue", 3};
    CommandButton cmdHelp{*this, "cmdHelp"};
    CommandButton cmdExit{*this, "cmdExit"};
    Label Label1{*this, "Label1"};
    Label Label2{*this, "Label2"};
    ControlArray<Line> Lines{*this, "Line", 15};  // Line1..Line14; element 0 unused

    void Design() override;
    void Form_Load() override;
    void Form_KeyDown(int KeyCode, int Shift) override;

    void cmdStart_Click();
    void cmdContinue_Click(int Index);
    void cmdHelp_Click();
    void cmdExit_Click();
    void Label1_DblClick();

private:
    void SetTitle(const std::string& text, double size);
};

}  // namespace q
