// Every name the game calls through Game::Call by its spelling, besides the
// story dispatcher's rows (DispatchedNames) and the popup menus' commands
// (a menu item calls "<form>.<item>_Click"). Each is registered by the part
// of the game that answers it; the call table's test finds every one of them
// registered, and every call in the sources spelled here.
#pragma once

#include <array>
#include <string_view>

namespace q {

inline constexpr std::array<std::string_view, 31> CalledNames{
    "ApplyItemEffect",
    "BattleDispatch",
    "BattleItemTurn",
    "BattleStart",
    "EndingSpeechText",
    "SelectFirstListRow",
    "ShowPopupMenu",
    "TownSpeech",
    "WriteNumberFile",
    "frmBoard.bDream_Click",
    "frmBoard.bIn_Click",
    "frmEvent.BoardEvent",
    "frmEvent.Show",
    "frmField.AssistSelect",
    "frmField.BossSelect",
    "frmField.EndingTurn",
    "frmField.ItemSelect",
    "frmField.ItemTurn",
    "frmField.ManSelect",
    "frmField.NextFloorSelect",
    "frmField.Show",
    "frmFrame.cmdFrame_Click",
    "frmItemShop.KaihatsuBuyTurn",
    "frmItemShop.KaihatsuWindow",
    "frmItemShop.Show",
    "frmMenu.mOut_Click",
    "frmMenu.mStatus_Click",
    "frmShop.EventStart",
    "frmShop.ShopClose",
    "frmShop.Show",
    "frmUnderMes3.GameMessage",
};

}  // namespace q
