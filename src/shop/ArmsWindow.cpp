#include "shop/ArmsWindow.h"

#include <algorithm>
#include <climits>

#include "core/Format.h"
#include "core/Inventory.h"
#include "core/Message.h"

namespace q {

Long ArmsUsed(const Game& g, ArmsBox box) {
    switch (box) {
        case ArmsBox::Shop: return g.HaveShop;
        case ArmsBox::Stock: return g.HaveStock;
        case ArmsBox::Bag: return g.HaveBag;
    }
    return 0;
}

Long ArmsHeld(const Game& g, ArmsBox box) {
    switch (box) {
        case ArmsBox::Shop: return g.HaveShopNum;
        case ArmsBox::Stock: return g.HaveStockNum;
        case ArmsBox::Bag: return g.HaveBagNum;
    }
    return 0;
}

Long ArmsCapacity(const Game& g, ArmsBox box) {
    switch (box) {
        case ArmsBox::Shop: return g.NowMaxShop;
        case ArmsBox::Stock: return g.NowMaxStock;
        case ArmsBox::Bag: return g.NowMaxBag;
    }
    return 0;
}

Long ArmsEntryArm(const Game& g, ArmsBox box, Long i) {
    switch (box) {
        case ArmsBox::Shop: return g.MyShopArms.at(size_t(i)).SShopArmsNo;
        case ArmsBox::Stock: return g.MyStockArms.at(size_t(i)).SStockArmsNo;
        case ArmsBox::Bag: return g.MyBag.at(size_t(i)).HHaveBagNo;
    }
    return 0;
}

Long ArmsEntryCount(const Game& g, ArmsBox box, Long i) {
    switch (box) {
        case ArmsBox::Shop: return g.MyShopArms.at(size_t(i)).SShopArmsNum;
        case ArmsBox::Stock: return g.MyStockArms.at(size_t(i)).SStockArmsNum;
        case ArmsBox::Bag: return g.MyBag.at(size_t(i)).HHaveBagNum;
    }
    return 0;
}

bool ArmsFull(const Game& g, ArmsBox box) { return ArmsHeld(g, box) >= ArmsCapacity(g, box); }

namespace {

Long Entries(ArmsBox box) {
    switch (box) {
        case ArmsBox::Shop: return Long(std::tuple_size_v<decltype(GameState::MyShopArms)>);
        case ArmsBox::Stock: return Long(std::tuple_size_v<decltype(GameState::MyStockArms)>);
        case ArmsBox::Bag: return Long(std::tuple_size_v<decltype(GameState::MyBag)>);
    }
    return 0;
}

// A whole list is rebuilt: emptied, then the entries that stay appended.
void EmptyBox(Game& g, ArmsBox box) {
    switch (box) {
        case ArmsBox::Shop: g.HaveShop = g.HaveShopNum = 0; break;
        case ArmsBox::Stock: g.HaveStock = g.HaveStockNum = 0; break;
        case ArmsBox::Bag: g.HaveBag = g.HaveBagNum = 0; break;
    }
}

void AppendEntry(Game& g, ArmsBox box, Long arm, Long count) {
    const Long i = ArmsUsed(g, box);
    if (i >= Entries(box)) return;
    switch (box) {
        case ArmsBox::Shop:
            g.MyShopArms[size_t(i)] = {arm, count};
            ++g.HaveShop;
            g.HaveShopNum += count;
            break;
        case ArmsBox::Stock:
            g.MyStockArms[size_t(i)] = {arm, count};
            ++g.HaveStock;
            g.HaveStockNum += count;
            break;
        case ArmsBox::Bag:
            g.MyBag[size_t(i)] = {arm, count};
            ++g.HaveBag;
            g.HaveBagNum += count;
            break;
    }
}

// Pieces of an arm put into a container, through the game's own routines;
// false when they did not go in.
bool AddArms(Game& g, ArmsBox box, Long arm, Long n) {
    switch (box) {
        case ArmsBox::Shop: return ShopArmsChange(g, arm, 0, false, n);
        case ArmsBox::Stock: return StockArmsChange(g, arm, 0, false, n);
        case ArmsBox::Bag: return BagChange(g, arm, 0, false, n);
    }
    return false;
}


constexpr const char* FullLine = "移動先が一杯で、これ以上は入りません";
constexpr const char* MovedLine = "選択された武具を移動しました";
constexpr const char* DumpedLine = "選択された武具を捨てました";

}  // namespace

ArmsWindow::ArmsWindow(Game& g, std::string name, int tab, ArmsBox own, std::vector<Column> columns)
    : ListWindow(g, std::move(name), tab), own_(own), columns_(std::move(columns)) {
    add(lblNumber);
    add(txtNumber);
    add(lstList);
    PassMouse(lblNumber);
    txtNumber.KeyPress = [this](int& k) { txtNumber_KeyPress(k); };
    txtNumber.GotFocus = [this] { txtNumber_GotFocus(); };
    lstList.KeyDown = [this](int k, int s) {
        if (k < 37 || k > 40) Form_KeyDown(k, s);
    };
}

void ArmsWindow::DesignArms(const Layout& l) {
    DesignWindow(3615, ListWindowHeight);
    BackColor = RGB(224, 224, 224);
    lblNumber.Caption = "個数：";
    lblNumber.AutoSize = false;
    lblNumber.Alignment = 1;
    lblNumber.Left = l.labelLeft;
    lblNumber.Width = l.labelWidth;
    lblNumber.Top = 45;
    lblNumber.Height = 255;
    lblNumber.ToolTipText = Quoted(l.labelTip);
    txtNumber.Text = "1";
    txtNumber.MaxDigits = 3;
    txtNumber.Left = l.boxLeft;
    txtNumber.Width = l.boxWidth;
    txtNumber.Top = 0;
    txtNumber.Height = 270;
    txtNumber.Enabled = true;
    txtNumber.ToolTipText = Quoted(l.boxTip);
    lstList.Left = 0;
    lstList.Top = 240;
    lstList.Width = 3615;
    lstList.Height = ListWindowHeight - lstList.Top;
    lstList.Enabled = true;
    lstList.ClearColumns();
    lstList.ClearItems();
    asking_ = false;
    askedArms_.clear();
    askedNumber_ = 1;
}

void ArmsWindow::DesignButton(CommandButton& b, const char* caption, int left, int width, const char* tip) {
    b.Caption = caption;
    b.Left = left;
    b.Width = width;
    b.Top = 0;
    b.Height = 255;
    b.Enabled = true;
    b.ToolTipText = Quoted(tip);
}

Long ArmsWindow::RowCount(int row) const {
    return Long(std::clamp<long long>(ParseThousands(lstList.Item(row).SubItem(1)), 0, LONG_MAX));
}

Long ArmsWindow::RowArm(int row) const { return Long(LeadingNumber(lstList.Item(row).Tag)); }

void ArmsWindow::FillRows() {
    Game& g = game;
    lstList.View = lvwReport;
    lstList.LabelEdit = lvwManual;
    lstList.MultiSelect = true;
    lstList.HideSelection = false;
    lstList.ClearColumns();
    for (const Column& c : columns_) lstList.AddColumn(c.caption, c.width);
    lstList.ClearItems();
    const bool prices = own_ == ArmsBox::Shop;
    for (Long i = 0; i < ArmsUsed(g, own_); ++i) {
        const Long arm = ArmsEntryArm(g, own_, i);
        const ArmRecord* record = arm >= 0 && arm < ArmCount ? &g.AllArms[size_t(arm)] : nullptr;
        ListItem& row = lstList.AddItem(record ? record->Name : std::string());
        row.SetSubItem(1, FormatThousands(ArmsEntryCount(g, own_, i)));
        if (prices && record) {
            row.SetSubItem(2, FormatThousands(record->LArmsSetPrice));
            row.SetSubItem(3, FormatThousands(record->BasePrice));
        }
        row.Tag = std::to_string(arm);
    }
}

void ArmsWindow::SelectRows() {
    Game& g = game;
    if (ArmsUsed(g, own_) == 0) return;
    if (asking_ && g.ListConfirm) {
        // A rebuild while the dump question is open shows the rows asked about.
        lstList.UnselectAll();
        for (int r = 1; r <= lstList.Count(); ++r)
            if (std::find(askedArms_.begin(), askedArms_.end(), RowArm(r)) != askedArms_.end())
                lstList.SetSelected(r, true);
        return;
    }
    if (g.KeepSelCount > 0 && InDumpState()) {
        lstList.UnselectAll();
        const Long kept = std::min<Long>(g.KeepSelCount, Long(g.KeepSel.size()));
        for (Long k = 0; k < kept; ++k) lstList.SetSelected(g.KeepSel[size_t(k)], true);
        if (own_ == ArmsBox::Stock && !lstList.SelectedRows().empty()) lstList.EnsureVisible(lstList.SelectedIndex());
        return;
    }
    g.KeepSelCount = 0;
    lstList.Select(1);
    lstList.EnsureVisible(1);
}

void ArmsWindow::Form_Load() {
    Game& g = game;
    lstList.BeginUpdate();
    FillRows();
    SelectRows();
    lstList.EndUpdate();
    if (asking_ && g.ListConfirm) {
        SetCommands(false);  // the question stays open: nothing may change under it
        return;
    }
    asking_ = false;
    if (ReenablesOnLoad()) {
        lstList.Enabled = true;
        txtNumber.Enabled = true;
    }
    SetButtons();
    if (own_ != ArmsBox::Shop) g.ListConfirm = false;
}

void ArmsWindow::txtNumber_GotFocus() { txtNumber.SelectAll(); }

void ArmsWindow::txtNumber_KeyPress(int& KeyAscii) {
    if (KeyAscii == 13) {
        KeyAscii = 0;
        for (CommandButton* b : ActionButtons()) {
            if (b->Enabled) {
                b->SetFocus();
                break;
            }
        }
        return;
    }
    txtNumber.DigitsOnly(KeyAscii);
}

Long ArmsWindow::NormalisedNumber() {
    long long v = LeadingNumber(txtNumber.Text);
    if (txtNumber.Text->empty() || v <= 0) {
        txtNumber.Text = "1";
        v = 1;
    }
    v = std::min<long long>(v, LONG_MAX);
    txtNumber.Text = std::to_string(v);
    return Long(v);
}

void ArmsWindow::SetCommands(bool enabled) {
    for (CommandButton* b : ActionButtons()) b->Enabled = enabled;
    txtNumber.Enabled = enabled;
    lstList.Enabled = enabled;
}

void ArmsWindow::MoveTo(ArmsBox to) {
    Game& g = game;
    if (g.GameEnding) return;
    // Clicks are kept out while the arms move, and the gate is then given
    // back as it was.
    const Long gate = g.NoClick;
    g.NoClick = NoClickAll;
    if (ArmsFull(g, to)) {
        ShowMessage(g, FullLine);
        g.NoClick = gate;
        return;
    }
    if (ArmsUsed(g, own_) == 0) {
        g.NoClick = gate;
        return;
    }
    const Long q = NormalisedNumber();
    const int rows = lstList.Count();
    // First pass: what each selected row sends, until the destination is full.
    int partial = 0;
    Long partMoved = 0;
    for (int r = 1; r <= rows; ++r) {
        if (!lstList.Item(r).Selected) continue;
        Long n = std::min(RowCount(r), q);
        const Long room = std::max<Long>(0, ArmsCapacity(g, to) - ArmsHeld(g, to));
        // A row whose pieces do not go in stays where it is, whole.
        if (n > room) {
            partial = r;
            partMoved = room > 0 && AddArms(g, to, ArmsEntryArm(g, own_, r - 1), room) ? room : 0;
            break;
        }
        if (!AddArms(g, to, ArmsEntryArm(g, own_, r - 1), n)) {
            partial = r;
            partMoved = 0;
            break;
        }
    }
    // Second pass: the source rebuilt from what each row keeps.
    std::vector<std::pair<Long, Long>> kept;
    for (int r = 1; r <= rows; ++r) {
        const Long count = RowCount(r);
        Long left = count;
        if (!lstList.Item(r).Selected || (partial != 0 && r > partial)) left = count;
        else if (r == partial) left = count - partMoved;
        else left = count > q ? count - q : 0;
        if (left > 0) kept.emplace_back(RowArm(r), left);
    }
    EmptyBox(g, own_);
    for (const auto& [arm, count] : kept) AppendEntry(g, own_, arm, count);
    ShowMessage(g, partial != 0 ? std::string(MovedLine) + "。" + FullLine : std::string(MovedLine));
    RefreshListWindow(g);
    g.NoClick = gate;
}

void ArmsWindow::Dump(const char* story) {
    Game& g = game;
    if (!asking_ || !g.ListConfirm) {
        // The button.
        if (g.GameEnding) return;
        g.NoClick = NoClickAll;
        if (ArmsUsed(g, own_) == 0) {
            DumpEnds();
            g.NoClick = NoClickNone;
            return;
        }
        askedNumber_ = NormalisedNumber();
        if (g.DBUFLG) {
            askedArms_.clear();
            for (int r : lstList.SelectedRows()) askedArms_.push_back(RowArm(r));
            asking_ = true;
            SetCommands(false);
            g.ListConfirm = true;
            g.StoryNo = StoryWaitNo;
            g.AnswerKey = AnswerNone;
            g.WaitingAnswer = true;
            g.AutoBlocked = true;  // auto mode never answers this question
            storyBefore_ = g.StoryName;
            g.StoryName = story;
            g.NoClick = NoClickRight;
            ShowMessage(g, "本当に捨てますか？", "捨てる", "やめる", false);
            return;
        }
    } else {
        // The answer: only a yes throws the arms away.
        asking_ = false;
        const bool yes = g.AnswerKey == AnswerYes;
        g.StoryName = storyBefore_;
        g.StoryNo = 0;
        g.AnswerKey = AnswerNone;
        if (!yes) {
            g.ListConfirm = false;
            txtNumber.Enabled = true;
            lstList.Enabled = true;
            SetButtons();
            ShowMessage(g, g.LastMessage);
            DumpEnds();
            g.NoClick = NoClickNone;
            return;
        }
    }
    const Long q = askedNumber_;
    g.DumpedRows = 0;
    g.KeepSelCount = 0;
    g.KeepSel.clear();
    std::vector<std::pair<Long, Long>> kept;
    for (int r = 1; r <= lstList.Count(); ++r) {
        const Long count = RowCount(r);
        if (!lstList.Item(r).Selected) {
            kept.emplace_back(RowArm(r), count);
        } else if (count > q) {
            kept.emplace_back(RowArm(r), count - q);
            g.KeepSel.push_back(r - g.DumpedRows);
            ++g.KeepSelCount;
        } else {
            ++g.DumpedRows;
        }
    }
    EmptyBox(g, own_);
    for (const auto& [arm, count] : kept) AppendEntry(g, own_, arm, count);
    ShowMessage(g, DumpedLine);
    RefreshListWindow(g);
    DumpEnds();
    g.NoClick = NoClickNone;
}

}  // namespace q
