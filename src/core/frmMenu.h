// The two popup menus: the scene menu of frmMenu and the town board's menu
// of frmBoard. Neither form is ever shown; they hold the menus' items.
#pragma once

#include "core/Game.h"

namespace q {

class frmMenu : public GameForm {
public:
    explicit frmMenu(Game& game);
    MenuItem menu{*this, "menu"};
    MenuItem mOpen{*this, "mOpen"};
    MenuItem mClose{*this, "mClose"};
    MenuItem mSleep{*this, "mSleep"};
    MenuItem mLine{*this, "mLine"};
    MenuItem mStatus{*this, "mStatus"};
    MenuItem mOut{*this, "mOut"};
    MenuItem mEnd{*this, "mEnd"};
    void Design() override;
};

class frmBoard : public GameForm {
public:
    explicit frmBoard(Game& game);
    MenuItem bmenu{*this, "bmenu"};
    MenuItem bIn{*this, "bIn"}, bWarp{*this, "bWarp"}, bDream{*this, "bDream"}, bHotel{*this, "bHotel"},
        bItem{*this, "bItem"}, bCart{*this, "bCart"}, bCarpenter{*this, "bCarpenter"}, bFortune{*this, "bFortune"},
        bMania{*this, "bMania"}, bBank{*this, "bBank"}, bHouse{*this, "bHouse"}, bSmith{*this, "bSmith"},
        bJuntaku{*this, "bJuntaku"}, bHiroba{*this, "bHiroba"}, bSiro{*this, "bSiro"}, bKaihatsu{*this, "bKaihatsu"},
        bline1{*this, "bline1"}, bHanoda{*this, "bHanoda"}, bRain{*this, "bRain"}, bShinen{*this, "bShinen"},
        bElwind{*this, "bElwind"}, bTower{*this, "bTower"}, bAmulet{*this, "bAmulet"}, bline2{*this, "bline2"},
        bStatus{*this, "bStatus"}, bEconomy{*this, "bEconomy"}, bSave{*this, "bSave"}, bEnd{*this, "bEnd"};
    void Design() override;
};

// The scene menu's commands.
void mSleep_Click(Game& g);
void mClose_Click(Game& g);
void mOpen_Click(Game& g);
// "ステータス": closes the open list window, or opens the status page at the
// left edge above the bar, with the tab frame above it.
void mStatus_Click(Game& g);
void mOut_Click(Game& g);
void mEnd_Click(Game& g);
void RegisterMenuCommands(Game& g);

// Whether the menu a right click opens now offers 終了 enabled: the scene
// menu's, or the town board's.
bool QuitOffered(const Game& g);
// The scene menu's 終了 while auto mode runs the open shop or a road: greyed.
bool QuitGreyedByAuto(const Game& g);

// Opens the popup menu of the scene: the board menu on the town board, the
// scene menu everywhere else.
void ShowPopupMenu(Game& g);

}  // namespace q
