#include "town/frmGyoku.h"

#include <array>

#include "core/Format.h"
#include "core/StoryInput.h"
#include "stage/mod_RGN_UserFunction.h"
#include "town/frmItemShop.h"

namespace q {

namespace {

constexpr int ListGapPixels = 258;    // the collector's window above the bar
constexpr Long NoItemDrop = 9999;

// Where each value stands: its label, its box, the column and the line.
struct Field {
    int label;  // -1: the box has no label
    int box;
    int column;
    int line;
    const char* caption;
    const char* tip;
};

constexpr std::array<Field, 14> Fields{{
    {0, 0, 0, 0, "名前：", "モンスター名"},
    {12, 13, 0, 1, "体力：", "モンスター体力"},
    {1, 1, 0, 2, "攻撃力：", "モンスター攻撃力"},
    {2, 2, 0, 3, "防御力：", "モンスター防御力"},
    {3, 3, 0, 4, "素早さ：", "モンスター素早さ"},
    {5, 4, 0, 5, "経験値：", "モンスター経験値"},
    {6, 5, 0, 6, "所持金：", "モンスター所持金"},
    {4, 9, 1, 0, "技名：", "モンスター特殊攻撃名称"},
    {7, 7, 1, 1, "出現場所：", "モンスター出現場所"},
    {8, 8, 1, 2, "出現時間：", "モンスター出現時間"},
    {9, 6, 1, 3, "出現率：", "モンスター出現率"},
    {10, 10, 1, 4, "道具：", "モンスター所持道具"},
    {11, 11, 1, 5, "武器：", "モンスター所持武器"},
    {-1, 12, 2, 0, "", ""},
}};

constexpr std::array<const char*, 3> Rates{"よく出る", "たまに出る", "出にくい"};
constexpr std::array<const char*, 9> Places{"ハノダ－森", "森－エルフ", "エルフ－洞窟", "洞窟", "ハノダ－城",
                                            "城－塔",     "塔",         "洞窟",         "特殊"};
constexpr std::array<const char*, 3> Times{"午前／午後", "午前", "午後"};

// The bosses that give a valuable once show it in place of their drop.
struct BossDrop {
    Long monster;
    const char* item;  // null: the monster's own item
    const char* arm;
};
constexpr std::array<BossDrop, 3> BossDrops{{
    {96, nullptr, "ノアの兜"},
    {97, "封魔のクサビ", "なし"},
    {98, "戦の呼び水", "なし"},
}};

// Column geometry in twips: label left, label width, box left, box width.
struct ColumnPlace {
    int labelLeft, labelWidth, boxLeft, boxWidth;
};
constexpr std::array<ColumnPlace, 3> ColumnPlaces{{{1680, 900, 2580, 1380}, {4080, 1000, 5080, 1400}, {120, 0, 120, 1440}}};
constexpr int LineTop = 120;
constexpr int LineHeight = 300;

template <size_t N>
void SetIfListed(TextBox& box, const std::array<const char*, N>& texts, Long value) {
    if (value >= 0 && value < Long(N)) box.Text = texts[size_t(value)];
}

}  // namespace

frmGyoku::frmGyoku(Game& g) : GameForm(g, "frmGyoku") {
    add(picDot);
    add(TXTValue);
    add(LBLValue);
    add(rtxtSetumei);
    add(CMDbutton);
    add(Line1);
    add(Line2);
    auto toInput = [this](int k, int s) { MessageInput(game, k, s, InputKey); };
    picDot[0].KeyDown = toInput;
    for (auto& box : TXTValue) box->KeyDown = toInput;
    rtxtSetumei.KeyDown = toInput;
    for (int i = 0; i < CMDbutton.size(); ++i) {
        CMDbutton[i].KeyDown = toInput;
        CMDbutton[i].Click = [this, i] { CMDbutton_Click(i); };
    }
}

void frmGyoku::Design() {
    Caption = "+++ Quorvane +++";
    Width = 6600;
    Height = 3870;
    PictureBox& pic = picDot[0];
    pic.Left = 120;
    pic.Top = 120;
    pic.Width = 1440;
    pic.Height = 1440;
    pic.Picture = -1;
    pic.ToolTipText = Quoted("モンスター画像");
    for (const Field& f : Fields) {
        const ColumnPlace& c = ColumnPlaces[size_t(f.column)];
        const int top = f.column == 2 ? 1620 : LineTop + f.line * LineHeight;
        TextBox& box = TXTValue[f.box];
        box.Left = c.boxLeft;
        box.Top = top;
        box.Width = c.boxWidth;
        box.Height = 270;
        box.Text = "";
        box.Locked = true;  // the viewer only shows
        box.ToolTipText = f.tip[0] ? Quoted(f.tip) : std::string();
        if (f.label < 0) continue;
        Label& label = LBLValue[f.label];
        label.Caption = f.caption;
        label.AutoSize = false;
        label.Alignment = 1;
        label.Left = c.labelLeft;
        label.Top = top + 30;
        label.Width = c.labelWidth;
        label.Height = 255;
    }
    Line1.X1 = 120;
    Line1.X2 = 6480;
    Line1.Y1 = Line1.Y2 = 2280;
    rtxtSetumei.Left = 120;
    rtxtSetumei.Top = 2400;
    rtxtSetumei.Width = 6360;
    rtxtSetumei.Height = 900;
    rtxtSetumei.Text = "";
    rtxtSetumei.ToolTipText = Quoted("モンスター説明");
    Line2.X1 = 120;
    Line2.X2 = 6480;
    Line2.Y1 = Line2.Y2 = 3360;
    constexpr std::array<const char*, 3> captions{"前へ", "一覧へ", "次へ"};
    constexpr std::array<const char*, 3> tips{"一つ前のモンスターを表示します", "モンスター一覧に戻ります",
                                              "一つ後のモンスターを表示します"};
    constexpr std::array<int, 3> lefts{120, 2800, 5480};
    for (int i = 0; i < 3; ++i) {
        CommandButton& b = CMDbutton[i];
        b.Caption = captions[size_t(i)];
        b.ToolTipText = Quoted(tips[size_t(i)]);
        b.Left = lefts[size_t(i)];
        b.Top = 3450;
        b.Width = 1000;
        b.Height = 300;
    }
}

void frmGyoku::Form_Load() {
    Game& g = game;
    if (g.WorkIndex < 0 || g.WorkIndex >= MonsterCount) g.WorkIndex = 0;
    const Long i = g.WorkIndex;
    const MonsterRecord& m = g.AllMonster[size_t(i)];
    picDot[0].Picture = m.Picture;
    TXTValue[0].Text = m.Name;
    TXTValue[13].Text = FormatThousands(m.Hp);
    TXTValue[1].Text = FormatThousands(m.At);
    TXTValue[2].Text = FormatThousands(m.Di);
    TXTValue[3].Text = FormatThousands(m.Sp);
    TXTValue[4].Text = FormatThousands(m.Exp);
    TXTValue[5].Text = FormatThousands(m.Gold);
    SetIfListed(TXTValue[6], Rates, m.Rate);
    SetIfListed(TXTValue[7], Places, m.Place);
    SetIfListed(TXTValue[8], Times, m.DayNight);
    TXTValue[9].Text = m.SpecialName;
    std::string item = m.ItemNo >= 0 && m.ItemNo < ItemCount ? g.AllItem[size_t(m.ItemNo)].Name : "なし";
    std::string arm = m.ArmNo >= 0 && m.ArmNo < ArmCount ? g.AllArms[size_t(m.ArmNo)].Name : "なし";
    if (m.ItemNo == NoItemDrop) item = "なし";
    for (const BossDrop& b : BossDrops) {
        if (b.monster != i) continue;
        if (b.item) item = b.item;
        arm = b.arm;
    }
    TXTValue[10].Text = item;
    TXTValue[11].Text = arm;
    TXTValue[12].Text = std::to_string(i + 1) + " ／ 100";
    rtxtSetumei.Text = m.Note;
}

void frmGyoku::Form_KeyDown(int KeyCode, int Shift) { MessageInput(game, KeyCode, Shift, InputKey); }

void frmGyoku::CMDbutton_Click(int Index) {
    Game& g = game;
    if (Index == 0 || Index == 2) {
        const Long step = Index == 0 ? -1 : 1;
        // At most once round: with no known monster the one shown stays.
        for (int tries = 0; tries < MonsterCount; ++tries) {
            g.WorkIndex = (g.WorkIndex + step + MonsterCount) % MonsterCount;
            if (g.AllGyoku[size_t(g.WorkIndex)].LGyokuList) break;
        }
        Form_Load();
        return;
    }
    if (Index != 1) return;
    // Not under a question asked over the story: the list brought back
    // would take the story from it and say its line on the question's bar.
    if (QuestionOverStory(g)) return;
    g.BuyPending = false;
    Unload();
    frmItemShop& list = g.frmItemShop.get();  // rebuilt from ReloadList, without a greeting
    list.Left = RGN_WorkLeft(g);
    list.Top = RGN_ScreenHeight(g) - list.Height - RGN_PixelToTwipY(g, ListGapPixels);
    list.Show();
    g.StoryName = "SpeechTurn";
    g.NoClick = NoClickNone;
}

}  // namespace q
