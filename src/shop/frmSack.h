// The item sack "道具袋": the items and monster jewels the heroine carries.
// It is the one place where items are used (one piece at a time, where and
// when the item's use place allows) and where sack entries are thrown away;
// both may ask first on the bar, and the answer comes back into the same
// command through the story protocol ("SackUse", "SackDump").
#pragma once

#include <string>

#include <utility>
#include <vector>

#include "shop/ListWindows.h"

namespace q {

class frmSack : public ListWindow {
public:
    explicit frmSack(Game& game);

    Label lblNumber{*this, "lblNumber"};
    TextBox txtNumber{*this, "txtNumber"};
    CommandButton cmdUse{*this, "cmdUse"};
    CommandButton cmdDump{*this, "cmdDump"};
    ListView lstList{*this, "lstList"};

    void Design() override;
    void Form_Load() override;
    Control* FirstControl() override { return &txtNumber; }

    // The button, and the answer to its question ("SackUse").
    void cmdUse_Click();
    // The button, and the answer to its question ("SackDump").
    void cmdDump_Click();

    void lstList_ItemClick();
    // The box takes one digit.
    void txtNumber_KeyPress(int& KeyAscii);
    void txtNumber_GotFocus();

    // Whether the selected item may be used here and now; sets 使う and 捨てる.
    bool SackUseCheck();

private:
    enum class Asking { None, Use, Dump };
    // An entry of the sack as a row shows it: the item or jewel number and
    // whether it is a jewel.
    using EntryKey = std::pair<Long, bool>;

    void FillRows();
    void SelectRows();
    // The controls as the scene allows, then SackUseCheck.
    void SetControls();
    void SetCommands(bool enabled);
    bool AskingNow() const;
    EntryKey RowEntry(int row) const;
    Long RowCount(int row) const;
    int RowOf(const EntryKey& entry) const;

    // The use itself (one piece of the entry of row SackSel) and its end.
    void UseOne();
    void UseEnds(bool applied);
    void DumpEnds();
    void RedrawScene();

    // The question that is open: what it asks about, so that a rebuild
    // meanwhile shows and keeps it.
    Asking asking_ = Asking::None;
    std::vector<EntryKey> asked_;
    Long askedNumber_ = 1;
    std::string storyBefore_;  // the story the question stands over (the board's talk, or none)
    // The click gate the button found, given back when the use or the dump
    // ends, as the story under it had it.
    Long gate_ = 0;
};

}  // namespace q
