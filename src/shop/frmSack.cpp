#include "shop/frmSack.h"

#include <algorithm>
#include <string_view>

#include "core/Format.h"
#include "core/GoToPlace.h"
#include "core/Growth.h"
#include "core/Inventory.h"
#include "core/Message.h"
#include "core/StoryInput.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

namespace {

// Where an item may be used, as its row says it (by UseScene).
const char* UsePlaceText(Long useScene) {
    switch (useScene) {
        case 0: return "いつでも";
        case 1: return "戦闘以外";
        case 2: return "戦闘中のみ";
        case 3: return "洞窟・塔戦闘以外";
        case 4: return "道戦闘以外";
        case 5: return "道・洞窟・塔戦闘以外";
        case 6: return "道・洞窟・塔(状態異常時)";
        case 30: return "自動・その他";
        default: return "";
    }
}

constexpr const char* JewelPlace = "自動・その他";
// Every jewel's name ends so, and no item's does.
constexpr std::string_view JewelSuffix = "の玉";
constexpr Long NotFromTheSack = 30;

constexpr const char* DumpedLine = "選択された道具を捨てました";

bool IsJewelName(std::string_view name) {
    return name.size() >= JewelSuffix.size() && name.substr(name.size() - JewelSuffix.size()) == JewelSuffix;
}

// Whether an active ailment is one the item cures (the herbs 3 to 7).
bool CuresAnAilment(const Game& g, Long item) {
    const auto active = [&g](int c) { return g.Condition[size_t(c)] >= 1; };
    switch (item) {
        case 3: return active(CondPoison);
        case 4: return active(CondParalysis);
        case 5: return active(CondBlindness);
        case 6: return active(CondCurse);
        case 7: return active(CondPoison) || active(CondParalysis) || active(CondBlindness) || active(CondCurse);
        default: return false;
    }
}

}  // namespace

frmSack::frmSack(Game& g) : ListWindow(g, "frmSack", 7) {
    add(lblNumber);
    add(txtNumber);
    add(cmdUse);
    add(cmdDump);
    add(lstList);
    PassMouse(lblNumber);
    cmdUse.Click = [this] { cmdUse_Click(); };
    cmdDump.Click = [this] { cmdDump_Click(); };
    txtNumber.KeyPress = [this](int& k) { txtNumber_KeyPress(k); };
    txtNumber.GotFocus = [this] { txtNumber_GotFocus(); };
    // The box and the buttons hand their keys straight to the game.
    for (Control* c : {static_cast<Control*>(&txtNumber), static_cast<Control*>(&cmdUse),
                       static_cast<Control*>(&cmdDump)})
        c->KeyDown = [this](int k, int s) { MessageInput(game, k, s, InputKey); };
    lstList.KeyDown = [this](int k, int s) {
        if (k < 37 || k > 40) Form_KeyDown(k, s);
    };
    lstList.ItemClick = [this](int) { lstList_ItemClick(); };
}

void frmSack::Design() {
    DesignWindow(3615, ListWindowHeight);
    BackColor = RGB(224, 224, 224);
    const char* tip = "「使う」「捨てる」を行いたい個数を入力します";
    lblNumber.Caption = "個数：";
    lblNumber.AutoSize = false;
    lblNumber.Alignment = 1;
    lblNumber.Left = 600;
    lblNumber.Width = 615;
    lblNumber.Top = 45;
    lblNumber.Height = 255;
    lblNumber.ToolTipText = Quoted(tip);
    txtNumber.Text = "1";
    txtNumber.MaxDigits = 1;
    txtNumber.Left = 1200;
    txtNumber.Width = 735;
    txtNumber.Top = 0;
    txtNumber.Height = 270;
    txtNumber.Enabled = true;
    txtNumber.ToolTipText = Quoted(tip);
    struct ButtonDesign {
        CommandButton* button;
        const char* caption;
        int left;
        const char* tip;
    };
    for (const ButtonDesign& b : {ButtonDesign{&cmdUse, "使う", 1920, "選択した道具を使います"},
                                  ButtonDesign{&cmdDump, "捨てる", 2760, "選択した道具を捨てます"}}) {
        b.button->Caption = b.caption;
        b.button->Left = b.left;
        b.button->Width = 855;
        b.button->Top = 0;
        b.button->Height = 255;
        b.button->Enabled = true;
        b.button->ToolTipText = Quoted(b.tip);
    }
    lstList.Left = 0;
    lstList.Top = 240;
    lstList.Width = 3615;
    lstList.Height = ListWindowHeight - lstList.Top;
    lstList.Enabled = true;
    lstList.MultiSelect = true;
    lstList.HideSelection = false;
    lstList.ClearColumns();
    lstList.ClearItems();
    asking_ = Asking::None;
    asked_.clear();
    askedNumber_ = 1;
}

bool frmSack::AskingNow() const { return asking_ != Asking::None && game.ListConfirm; }

frmSack::EntryKey frmSack::RowEntry(int row) const {
    const ListItem& item = lstList.Item(row);
    return {Long(LeadingNumber(item.Tag)), IsJewelName(item.Text)};
}

Long frmSack::RowCount(int row) const {
    if (row < 1 || row > lstList.Count()) return 0;
    return Long(std::clamp<long long>(LeadingNumber(lstList.Item(row).SubItem(1)), 0, 9999));
}

int frmSack::RowOf(const EntryKey& entry) const {
    for (int r = 1; r <= lstList.Count(); ++r)
        if (RowEntry(r) == entry) return r;
    return 0;
}

void frmSack::FillRows() {
    const Game& g = game;
    lstList.View = lvwReport;
    lstList.LabelEdit = lvwManual;
    lstList.MultiSelect = true;
    lstList.HideSelection = false;
    lstList.ClearColumns();
    lstList.AddColumn("名前", 1800);
    lstList.AddColumn("個数", 600);
    lstList.AddColumn("説明", 4200);
    lstList.AddColumn("使用場所", 2000);
    lstList.ClearItems();
    const Long used = std::min<Long>(g.HaveSack, Long(g.MySack.size()));
    for (Long i = 0; i < used; ++i) {
        const SackEntry& entry = g.MySack[size_t(i)];
        const Long no = entry.HHaveSackNo;
        std::string name, note, place;
        if (entry.HHaveGyoku) {
            if (no >= 0 && no < MonsterCount) {
                name = g.AllGyoku[size_t(no)].Name;
                note = g.AllGyoku[size_t(no)].Note;
            }
            place = JewelPlace;
        } else if (no >= 0 && no < ItemCount) {
            const ItemRecord& item = g.AllItem[size_t(no)];
            name = item.Name;
            note = item.Note;
            place = UsePlaceText(item.UseScene);
        }
        ListItem& row = lstList.AddItem(name);
        row.SetSubItem(1, std::to_string(entry.HHaveSackNum));
        row.SetSubItem(2, note);
        row.SetSubItem(3, place);
        row.Tag = std::to_string(no);
    }
}

void frmSack::SelectRows() {
    Game& g = game;
    if (g.HaveSack <= 0 || lstList.Count() == 0) return;
    if (AskingNow()) {
        // A rebuild while the question is open shows the entries asked about.
        lstList.UnselectAll();
        for (int r = 1; r <= lstList.Count(); ++r)
            if (std::find(asked_.begin(), asked_.end(), RowEntry(r)) != asked_.end()) lstList.SetSelected(r, true);
        return;
    }
    const bool dumpState = (g.SceneFormName == "frmField" && g.OnceStop) ||
                           (g.SceneFormName == "frmShop" && !g.ShopOpen) || g.SceneFormName == "frmEvent";
    if (g.KeepSelCount == 0) {
        // The row used last, or the first; a remembered row that is gone selects nothing.
        const int row = g.SackSel != 0 ? int(g.SackSel) : 1;
        lstList.Select(row);
        lstList.EnsureVisible(row);
    } else if (dumpState) {
        lstList.UnselectAll();
        const Long kept = std::min<Long>(g.KeepSelCount, Long(g.KeepSel.size()));
        for (Long k = 0; k < kept; ++k) lstList.SetSelected(int(g.KeepSel[size_t(k)]), true);
    } else {
        g.KeepSelCount = 0;
        lstList.Select(1);
    }
}

void frmSack::Form_Load() {
    lstList.BeginUpdate();
    FillRows();
    SelectRows();
    lstList.EndUpdate();
    if (AskingNow()) {
        SetCommands(false);  // the question stays open: nothing may change under it
        return;
    }
    asking_ = Asking::None;
    asked_.clear();
    lstList.Enabled = true;
    SetControls();
}

void frmSack::SetCommands(bool enabled) {
    cmdUse.Enabled = enabled;
    cmdDump.Enabled = enabled;
    txtNumber.Enabled = enabled;
    lstList.Enabled = enabled;
}

void frmSack::SetControls() {
    Game& g = game;
    if (g.ShopOpen) {
        txtNumber.Enabled = false;
        cmdUse.Enabled = false;
        cmdDump.Enabled = false;
    } else if (g.BattlePhase == BattleEnemy || g.EventBusy) {
        cmdUse.Enabled = false;
        cmdDump.Enabled = false;
    } else {
        cmdDump.Enabled = !(g.SceneFormName == "frmField" && !g.OnceStop);
        cmdUse.Enabled = true;
        txtNumber.Enabled = true;
    }
    g.ListConfirm = false;
    SackUseCheck();  // its decision is the one that stands
}

bool frmSack::SackUseCheck() {
    Game& g = game;
    const auto bothOff = [this] {
        cmdUse.Enabled = false;
        cmdDump.Enabled = false;
        return false;
    };
    const auto useOff = [this] {
        cmdUse.Enabled = false;
        return false;
    };
    const auto usable = [this] {
        cmdUse.Enabled = true;
        return true;
    };
    if (g.HaveSack <= 0) return false;
    if (g.GameEnding || g.ShopOpen || g.EventField == "Umi") return bothOff();

    const bool field = g.SceneFormName == "frmField";
    const bool shop = g.SceneFormName == "frmShop";
    const bool board = g.SceneFormName == "frmEvent";
    const bool paused = g.OnceStop;
    const bool busy = g.EventBusy;
    cmdDump.Enabled = !(field && !paused);

    // Nothing is used or thrown away under a facility's talk or the board's
    // own talks, nor thrown away during a field event, however many rows are
    // selected: a question asked there would take over the running story.
    if (board && !g.AtBoard) return bothOff();  // a facility window is open
    if (field) {
        cmdDump.Enabled = !busy && paused;
        if (!paused && g.AutoNext && g.SavedStoryName != "BoardEvent" && g.SavedStoryName != "BossTurn")
            return useOff();
    }

    // Several rows can be thrown away, never used.
    g.ListCount = 0;
    for (int r = 1; r <= lstList.Count(); ++r) {
        if (!lstList.Item(r).Selected) continue;
        if (++g.ListCount == 2) return useOff();
    }

    const std::vector<int> selected = lstList.SelectedRows();
    if (selected.empty() || selected.front() > g.HaveSack || selected.front() > Long(g.MySack.size()))
        return bothOff();
    g.ListIndex = selected.front() - 1;
    const SackEntry& entry = g.MySack[size_t(g.ListIndex)];
    if (entry.HHaveGyoku) return useOff();
    if (entry.HHaveSackNo < 0 || entry.HHaveSackNo >= ItemCount) return bothOff();
    const Long item = entry.HHaveSackNo;
    const Long useScene = g.AllItem[size_t(item)].UseScene;
    if (useScene == NotFromTheSack) return useOff();

    const bool inBattle = g.BattlePhase != BattleNone;
    const bool heroTurn = g.BattlePhase == BattleHero && g.StoryName == "HeroTurn";
    switch (useScene) {
        case 0:
            if (busy) return heroTurn ? usable() : useOff();
            if (field) return paused ? usable() : useOff();
            if (shop || board) return usable();
            return false;
        case 1:
            if (inBattle) break;
            if (busy) return useOff();
            if (field) return paused ? usable() : useOff();
            if (shop || board) return usable();
            break;
        case 2:
            if (g.BattlePhase != BattleHero) break;
            return g.StoryName == "HeroTurn" ? usable() : useOff();
        case 3:
            if (g.EventField != "In" || inBattle) break;
            // Also under a find, a person or the number game: going back to
            // the entrance ends the event (UseEnds).
            return paused ? usable() : useOff();
        case 4:
            if (!field || inBattle) break;
            if (g.EventField == "In" || busy) return useOff();
            return paused ? usable() : useOff();
        case 5:
            if (!field || inBattle) break;
            if (busy) return useOff();
            return paused ? usable() : useOff();
        case 6: {
            if (!field) break;
            bool on = false;
            if (g.BattlePhase == BattleHero) on = heroTurn;
            else on = !busy && paused;
            // Only while an ailment the item cures is active.
            if (on && CuresAnAilment(g, item)) return usable();
            return useOff();
        }
        default:
            break;
    }
    return useOff();
}

void frmSack::lstList_ItemClick() {
    if (!lstList.Enabled) return;
    game.SackSel = 0;
    SackUseCheck();
}

void frmSack::txtNumber_GotFocus() { txtNumber.SelectAll(); }

void frmSack::txtNumber_KeyPress(int& KeyAscii) {
    if (KeyAscii == 13) {
        KeyAscii = 0;
        if (cmdUse.Enabled) cmdUse.SetFocus();
        else if (cmdDump.Enabled) cmdDump.SetFocus();
        return;
    }
    txtNumber.DigitsOnly(KeyAscii);
}

void frmSack::cmdUse_Click() {
    Game& g = game;
    if (g.GameEnding) return;
    const Long found = g.NoClick;
    g.NoClick = NoClickAll;
    if (asking_ == Asking::Use && g.ListConfirm) {
        // The answer. Only a yes uses the item, the one that was asked about.
        const EntryKey entry = asked_.empty() ? EntryKey{-1, false} : asked_.front();
        asking_ = Asking::None;
        asked_.clear();
        const int row = RowOf(entry);
        if (g.AnswerKey == AnswerYes && row != 0) {
            g.StoryName = storyBefore_;
            g.StoryNo = 0;
            g.AnswerKey = AnswerNone;
            lstList.Enabled = true;
            g.SackSel = row;
            g.ListIndex = row - 1;
            UseOne();
            UseEnds(true);
            return;
        }
        if (g.BattlePhase == BattleHero) {
            // The heroine's turn asks its question again.
            g.StoryName = "HeroTurn";
            g.StoryNo = 0;
            g.WaitingAnswer = true;
            ShowMessage(g, g.HeroTurnText, "戦う", "逃げる", true);
        } else {
            g.StoryName = storyBefore_;
            g.StoryNo = 0;
            ShowMessage(g, g.LastMessage);
        }
        g.AnswerKey = AnswerNone;
        g.ListConfirm = false;
        lstList.Enabled = true;
        txtNumber.Enabled = true;
        SetControls();
        UseEnds(false);
        return;
    }
    // The button.
    gate_ = found;
    g.KeepSelCount = 0;
    if (!SackUseCheck() || g.HaveSack == 0) {
        UseEnds(false);
        return;
    }
    txtNumber.Text = "1";  // one piece per use, whatever was typed
    g.ListNum = 1;
    g.SackSel = lstList.SelectedRows().front();
    g.ListIndex = g.SackSel - 1;
    if (g.DBUFLG) {
        asked_ = {RowEntry(int(g.SackSel))};
        asking_ = Asking::Use;
        SetCommands(false);
        g.ListConfirm = true;
        g.StoryNo = StoryWaitNo;
        g.AnswerKey = AnswerNone;
        g.WaitingAnswer = true;
        g.AutoBlocked = true;  // auto mode never answers this question
        storyBefore_ = g.StoryName;
        g.StoryName = "SackUse";
        g.NoClick = NoClickRight;
        ShowMessage(g, "本当に使いますか？", "使う", "やめる", false);
        return;
    }
    UseOne();
    UseEnds(true);
}

void frmSack::UseOne() {
    Game& g = game;
    g.WaitingAnswer = false;
    const bool entry = g.ListIndex >= 0 && g.ListIndex < g.HaveSack && g.ListIndex < Long(g.MySack.size());
    const Long item = entry ? g.MySack[size_t(g.ListIndex)].HHaveSackNo : -1;
    if (item < 0 || item >= ItemCount) {
        SetControls();
        return;
    }
    const Long before = RowCount(int(g.SackSel));
    // What every effect starts with; the effect sets its own line and result.
    g.EffectResult = EffectUsed;
    g.EffectMessage = g.AllItem[size_t(item)].Name + "を使いました。";
    g.Call("ApplyItemEffect", item);
    if (g.EffectResult == EffectNotUsed) {
        // Refused: the piece stays, and the window is as it was before the
        // question.
        ShowMessage(g, g.EffectMessage);
        g.ListConfirm = false;
        SetControls();
        if (g.BattlePhase != BattleHero) return;
    } else {
        // The used pieces leave the row checked above; the effect has been
        // given, so there is nothing to refuse any more.
        (void)SackChange(g, item, g.ListIndex, true, g.ListNum, false);
        ShowMessage(g, g.EffectMessage);
        RefreshListWindow(g);
        lstList.UnselectAll();
        if (before >= 2) {
            lstList.Select(int(g.SackSel));
        } else if (g.HaveSack == 0) {
            cmdDump.Enabled = false;
            cmdUse.Enabled = false;
        } else {
            lstList.Select(1);
        }
        if (SackUseCheck()) {
            cmdUse.Enabled = true;
            cmdUse.SetFocus();
        }
    }
    if (g.BattlePhase == BattleHero) {
        // The battle's item turn takes it from here. The confirmation is
        // answered, so auto mode may drive the fight on again.
        g.StoryNo = 10;
        cmdUse.Enabled = false;
        g.AutoBlocked = false;
        g.Call("BattleItemTurn");
    } else {
        RedrawScene();
    }
    g.ListConfirm = false;
}

void frmSack::RedrawScene() {
    Game& g = game;
    Form* stage = g.StageForm;
    if (!stage || !stage->loaded()) return;
    RGN_InitForm(g, *stage, 1, -1, -1);
    if (g.SceneFormName == "frmShop") {
        RGN_Draw(g, g.PlaceSprite, *stage, StageSignX, g.SpriteTop);
        RGN_Draw(g, g.HeroSprite, *stage, g.HeroX, g.SpriteTop);
    } else if (g.SceneFormName == "frmField") {
        RGN_Draw(g, g.PlaceSprite, *stage, g.PlaceX, g.SpriteTop);
        RGN_Draw(g, g.PlaceSprite2, *stage, g.PlaceX2, g.SpriteTop);
        RGN_Draw(g, g.HeroSprite, *stage, g.HeroX, g.SpriteTop);
    } else if (g.SceneFormName == "frmEvent") {
        RGN_Draw(g, g.HeroSprite, *stage, g.HeroX, g.SpriteTop);
        if (g.VisitorSprite != NoSprite) RGN_Draw(g, g.VisitorSprite, *stage, StageSignX, g.SpriteTop);
    }
    DrawGauges(g);  // the gauges show the new values
    RGN_Apply(g, *stage);
}

void frmSack::UseEnds(bool applied) {
    Game& g = game;
    g.AutoBlocked = false;
    g.NoClick = gate_;
    // What the effect asks for next; only after an effect of this use, so a
    // use that was refused by the window or cancelled repeats no earlier one.
    if (applied) {
        switch (g.EffectResult) {
            case EffectCart:
                g.AutoBlocked = true;
                g.Call("frmField.AssistSelect");
                break;
            case EffectLevelUp:
                GainExp(g);
                g.LevelUpPending = false;  // the effect's line told it already
                break;
            case EffectToEntrance:
                g.StoryNo = 0;
                g.EventName.clear();
                g.StoryName.clear();
                g.VisitorSprite = NoSprite;
                g.EventBusy = false;
                g.NoClick = NoClickNone;
                SackUseCheck();
                RefreshListWindow(g);
                g.Call("frmMenu.mOut_Click");
                return;
            default:
                break;
        }
    }
    // Auto mode must not advance these stories.
    if (g.SavedStoryName == "BossTurn" || g.SavedStoryName == "BoardEvent" || g.StoryName == "BoardEvent")
        g.AutoBlocked = true;
}

void frmSack::cmdDump_Click() {
    Game& g = game;
    if (g.GameEnding) return;
    const Long found = g.NoClick;
    g.NoClick = NoClickAll;
    Long q = 1;
    if (asking_ == Asking::Dump && g.ListConfirm) {
        // The answer: only a yes throws the entries away.
        asking_ = Asking::None;
        asked_.clear();
        const bool yes = g.AnswerKey == AnswerYes;
        g.StoryName = storyBefore_;
        g.StoryNo = 0;
        g.AnswerKey = AnswerNone;
        if (!yes) {
            g.ListConfirm = false;
            lstList.Enabled = true;
            txtNumber.Enabled = true;
            SetControls();
            ShowMessage(g, g.LastMessage);
            DumpEnds();
            return;
        }
        q = askedNumber_;
    } else {
        // The button.
        gate_ = found;
        if (g.HaveSack <= 0) {
            DumpEnds();
            return;
        }
        long long v = LeadingNumber(txtNumber.Text);
        if (txtNumber.Text->empty() || v <= 0) v = 1;
        v = std::min<long long>(v, 999999999);
        txtNumber.Text = std::to_string(v);
        q = Long(v);
        if (g.DBUFLG) {
            askedNumber_ = q;
            asked_.clear();
            for (int r : lstList.SelectedRows()) asked_.push_back(RowEntry(r));
            asking_ = Asking::Dump;
            SetCommands(false);
            g.ListConfirm = true;
            g.StoryNo = StoryWaitNo;
            g.AnswerKey = AnswerNone;
            g.WaitingAnswer = true;
            g.AutoBlocked = true;  // auto mode never answers this question
            storyBefore_ = g.StoryName;
            g.StoryName = "SackDump";
            g.NoClick = NoClickRight;
            ShowMessage(g, "本当に捨てますか？", "捨てる", "やめる", false);
            return;
        }
    }
    // The sack rebuilt from the rows: what is not selected stays whole, a
    // selected entry loses q pieces or goes.
    g.DumpedRows = 0;
    g.KeepSelCount = 0;
    g.KeepSel.clear();
    std::vector<SackEntry> kept;
    for (int r = 1; r <= lstList.Count(); ++r) {
        const ListItem& row = lstList.Item(r);
        const Long count = RowCount(r);
        SackEntry entry{Long(LeadingNumber(row.Tag)), count, IsJewelName(row.Text)};
        if (!row.Selected) {
            kept.push_back(entry);
        } else if (count > q) {
            entry.HHaveSackNum = count - q;
            kept.push_back(entry);
            g.KeepSel.push_back(r - g.DumpedRows);
            ++g.KeepSelCount;
        } else {
            ++g.DumpedRows;
        }
    }
    g.MySack.fill(SackEntry{});
    g.HaveSack = 0;
    for (const SackEntry& e : kept) {
        if (g.HaveSack >= Long(g.MySack.size())) break;
        g.MySack[size_t(g.HaveSack++)] = e;
    }
    ShowMessage(g, DumpedLine);
    RefreshListWindow(g);
    g.ListConfirm = false;
    DumpEnds();
}

void frmSack::DumpEnds() {
    Game& g = game;
    // The town board keeps auto mode blocked while it is shown.
    g.AutoBlocked = g.SavedStoryName == "BoardEvent" || g.StoryName == "BoardEvent";
    g.NoClick = gate_;
}

}  // namespace q
