#include "shop/frmStatus.h"

#include <array>

#include "core/Format.h"
#include "core/World.h"

namespace q {

namespace {

constexpr std::array<const char*, 11> Captions{
    "現在地：", "レベル：", "所持金：", "体力：", "満腹：", "水分：", "次まで：", "評判：", "店在庫：", "武器鞄：", "道具袋：",
};

constexpr std::array<const char*, 11> Tips{
    "現在地を表示しています",
    "現在のレベルです",
    "現在の所持金です",
    "「現在の体力／最大体力」を表示しています",
    "「現在の満腹値／最大満腹値」を表示しています",
    "「現在の水分値／最大水分値」を表示しています",
    "次のレベルまでの経験値を表示しています",
    "現在の評判を表示しています",
    "「現在の店在庫（個数）／最大店在庫（個数）」を表示しています",
    "「現在の武器鞄（個数）／最大武器鞄（個数）」を表示しています",
    "「現在の道具袋（種類）／最大道具袋（種類）」を表示しています",
};

constexpr int PageWidth = 3615;
constexpr int Margin = 60;
constexpr int BoxLeft = 1560;

std::string Of(long long held, long long most) { return std::to_string(held) + "／" + std::to_string(most); }

}  // namespace

void DesignStatusPage(ListWindow& page, ControlArray<Label>& labels, ControlArray<TextBox>& boxes,
                      const char* const* captions, const char* const* tips, int rows) {
    const int pitch = (ListWindowHeight - 2 * Margin) / rows;
    const int columns = (labels.size() + rows - 1) / rows;
    page.Width = columns * PageWidth;
    page.Height = ListWindowHeight;
    for (int i = 0; i < labels.size(); ++i) {
        const int left = (i / rows) * PageWidth;
        const int top = Margin + (i % rows) * pitch;
        Label& l = labels[i];
        l.Caption = captions[i];
        l.Left = left + Margin;
        l.Top = top + (pitch - 180) / 2;
        l.ToolTipText = Quoted(tips[i]);
        TextBox& t = boxes[i];
        t.Text = "";
        t.Locked = true;
        t.BorderStyle = 0;
        t.Left = left + BoxLeft;
        t.Width = PageWidth - BoxLeft - Margin;
        t.Top = top;
        t.Height = pitch - 15;
        t.ToolTipText = l.ToolTipText;
    }
}

frmStatus::frmStatus(Game& g) : ListWindow(g, "frmStatus", 0) {
    add(LBLStatus);
    add(TXTStatus);
    for (auto& l : LBLStatus) PassMouse(*l);
    for (auto& t : TXTStatus) {
        PassMouse(*t, false);
        // The boxes pass their keys as the page does, and keep them too.
        t->KeyDown = [this](int k, int s) { Form_KeyDown(k, s); };
    }
}

void frmStatus::Design() {
    DesignWindow(PageWidth, ListWindowHeight);
    BackColor = RGB(224, 224, 224);
    DesignStatusPage(*this, LBLStatus, TXTStatus, Captions.data(), Tips.data(), int(Captions.size()));
}

void frmStatus::Form_Load() {
    Game& g = game;
    const std::array<std::string, 11> text{
        PlaceName(g),
        std::to_string(g.MyLevel),
        FormatThousands(g.MyGold),
        FormatThousands(g.MyNowHp) + "／" + FormatThousands(g.MyMaxHp),
        Of(g.MyNowBody, g.MyMaxBody),
        Of(g.MyNowWater, g.MyMaxWater),
        FormatThousands(static_cast<long long>(g.MyMaxEx) - g.MyNowEx),
        std::to_string(g.MyFame),
        Of(g.HaveShopNum, g.NowMaxShop),
        Of(g.HaveBagNum, g.NowMaxBag),
        Of(g.HaveSack, g.NowMaxSack),
    };
    for (int i = 0; i < 11; ++i) TXTStatus[i].Text = text[size_t(i)];
}

}  // namespace q
