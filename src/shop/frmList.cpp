#include "shop/frmList.h"

#include <array>
#include <cstdlib>
#include <string>

#include "core/Format.h"
#include "core/Message.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

namespace {

constexpr std::array<const char*, 10> PlaceTexts{
    "ハノダ－レインウッド",
    "レインウッド－エルウインド",
    "エルウインド－深淵窟",
    "深淵窟",
    "ハノダ－アミュレット城",
    "アミュレット城－ネクザスの塔",
    "ネクザスの塔",
    "深淵窟",
    "モンスター",
    "その他イベント",
};

struct Column {
    const char* caption;
    int width;
};
constexpr std::array<Column, 6> Columns{{
    {"番号", 600},
    {"名前", 1400},
    {"売値", 1100},
    {"元値", 1100},
    {"説明", 3800},
    {"拾得場所", 2600},
}};

// The rows of arms not yet known.
constexpr const char* UnknownName = "？　？　？　？　？";
constexpr const char* UnknownPrice = "？　？　？";
constexpr const char* UnknownText = "？　？　？　？　？　？　？　？　？";

constexpr const char* ChangedLine = "武具の値段を変更しました";
constexpr Long MostPercent = 50;

}  // namespace

const char* ArmPlaceText(Long area) {
    return area >= 0 && area < Long(PlaceTexts.size()) ? PlaceTexts[size_t(area)] : "";
}

frmList::frmList(Game& g) : ListWindow(g, "frmList", 2) {
    add(lblNumber);
    add(txtNumber);
    add(cmdSetPrice);
    add(lstList);
    PassMouse(lblNumber);
    cmdSetPrice.Click = [this] { cmdSetPrice_Click(); };
    txtNumber.KeyPress = [this](int& k) { txtNumber_KeyPress(k); };
    txtNumber.GotFocus = [this] { txtNumber_GotFocus(); };
    lstList.KeyDown = [this](int k, int s) {
        if (k < 37 || k > 40) Form_KeyDown(k, s);
    };
}

void frmList::Design() {
    DesignWindow(3615, ListWindowHeight);
    BackColor = RGB(224, 224, 224);
    lblNumber.Caption = "値段(-50～50％)：";
    lblNumber.AutoSize = false;
    lblNumber.Alignment = 1;
    lblNumber.Left = 480;
    lblNumber.Width = 1455;
    lblNumber.Top = 45;
    lblNumber.Height = 255;
    lblNumber.ToolTipText = Quoted("「値付け」時には値段（-50%～50%）を、「捨てる」時には個数を入力します");
    txtNumber.Text = "1";
    txtNumber.MaxDigits = 3;
    txtNumber.Signed = true;
    txtNumber.Left = 1920;
    txtNumber.Width = 855;
    txtNumber.Top = 0;
    txtNumber.Height = 270;
    txtNumber.Enabled = true;
    txtNumber.ToolTipText = Quoted("武具の値段を-50%～50%の間で指定します");
    cmdSetPrice.Caption = "値付け";
    cmdSetPrice.Left = 2760;
    cmdSetPrice.Width = 855;
    cmdSetPrice.Top = 0;
    cmdSetPrice.Height = 255;
    cmdSetPrice.Enabled = true;
    cmdSetPrice.ToolTipText = Quoted("選択した武具の売値を-50%～50%の範囲で変更できます");
    lstList.Left = 0;
    lstList.Top = 240;
    lstList.Width = 3615;
    lstList.Height = ListWindowHeight - lstList.Top;
    lstList.MultiSelect = true;
    lstList.HideSelection = false;
    lstList.ClearColumns();
    lstList.ClearItems();
}

void frmList::Form_Load() {
    Game& g = game;
    lstList.BeginUpdate();
    lstList.View = lvwReport;
    lstList.LabelEdit = lvwManual;
    lstList.MultiSelect = true;
    lstList.HideSelection = false;
    lstList.ClearColumns();
    for (const Column& c : Columns) lstList.AddColumn(c.caption, c.width);
    lstList.ClearItems();
    for (int i = 0; i < ArmCount; ++i) {
        const ArmRecord& arm = g.AllArms[size_t(i)];
        ListItem& row = lstList.AddItem(std::to_string(i + 1));
        if (arm.LArmsList) {
            row.SetSubItem(1, arm.Name);
            row.SetSubItem(2, FormatThousands(arm.LArmsSetPrice));
            row.SetSubItem(3, FormatThousands(arm.BasePrice));
            row.SetSubItem(4, arm.Note);
            row.SetSubItem(5, ArmPlaceText(arm.Area));
        } else {
            row.SetSubItem(1, UnknownName);
            row.SetSubItem(2, UnknownPrice);
            row.SetSubItem(3, UnknownPrice);
            row.SetSubItem(4, UnknownText);
            row.SetSubItem(5, UnknownText);
        }
    }
    lstList.Select(1);
    lstList.EndUpdate();
    // Prices are set only in the heroine's closed shop.
    cmdSetPrice.Enabled = !g.GameEnding && g.EventField == "Shop" && !g.ShopOpen;
}

void frmList::txtNumber_GotFocus() { txtNumber.SelectAll(); }

void frmList::txtNumber_KeyPress(int& KeyAscii) {
    if (KeyAscii == 13) {
        KeyAscii = 0;
        if (cmdSetPrice.Enabled) cmdSetPrice.SetFocus();
        return;
    }
    if (KeyAscii == 8) return;
    if (KeyAscii == '-') {
        KeyAscii = 0;
        const std::string text = txtNumber.Text;
        const int length = txtNumber.TextLength();
        if ((length == 1 || length == 2) && text[0] != '-') {
            txtNumber.Text = "-" + text;
            txtNumber.SelStart = txtNumber.TextLength();
            txtNumber.SelLength = 0;
        }
        return;
    }
    if (KeyAscii >= '0' && KeyAscii <= '9') {
        if (!txtNumber.Text->empty() && txtNumber.SelLength == 0 && txtNumber.TextLength() >= 3) KeyAscii = 0;
        return;
    }
    KeyAscii = 0;
}

void frmList::cmdSetPrice_Click() {
    Game& g = game;
    if (g.GameEnding) return;  // the quit question: the list windows' commands do nothing
    const Long gate = g.NoClick;  // given back as it was when the prices are set
    g.NoClick = NoClickAll;
    long long value = LeadingNumber(txtNumber.Text);
    const bool reset = txtNumber.Text->empty() || value == 0;
    if (reset) {
        value = 0;
        txtNumber.Text = "0";
    } else if (value > MostPercent) {
        value = MostPercent;
        txtNumber.Text = "50";
    } else if (value < -MostPercent) {
        value = -MostPercent;
        txtNumber.Text = "-50";
    }
    txtNumber.Text = std::to_string(value);
    const bool up = value > 0;
    const long long percent = std::llabs(value);
    for (int r : lstList.SelectedRows()) {
        const int a = r - 1;
        if (a < 0 || a >= ArmCount) continue;
        ArmRecord& arm = g.AllArms[size_t(a)];
        if (reset) {
            arm.LArmsSetPrice = arm.BasePrice;
            continue;
        }
        // Always from the base price, never from the asking price.
        const Long change = RoundHalfEven(double(arm.BasePrice) / 100.0 * double(percent));
        arm.LArmsSetPrice = up ? arm.BasePrice + change : arm.BasePrice - change;
    }
    RefreshListWindow(g);
    ShowMessage(g, ChangedLine);
    g.NoClick = gate;
}

}  // namespace q
