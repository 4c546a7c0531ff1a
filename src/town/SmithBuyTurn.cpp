// The smith: fifteen recipe arms forged from money, ore and the arms each
// recipe consumes, and in one stage of the story the Noah shoes. Before he
// opens he wants wood.
#include "core/Format.h"
#include "core/Inventory.h"
#include "shop/ListWindows.h"
#include "town/frmItemShop.h"

namespace q {

namespace {

constexpr Long Ore = 27;
constexpr Long Wood = 26;
constexpr size_t NoahShoes = 1;       // the valuable
constexpr size_t NoahShoesArm = 480;  // the same shoes in the catalogue
constexpr Long NoahShoesPrice = 100000;

// Recipes 9-13 are offered once their recipe paper was brought.
bool Offered(const SmithRecipe& r) { return r.RecipeNo < 9 || r.RecipeNo > 13 || r.SLSmithRecipe; }

// "茨のブーメラン(11)、皮の鞭(72)": each arm with its catalogue number.
std::string NeedsText(const Game& g, const SmithRecipe& r) {
    std::string text;
    for (Long arm : r.Needs) {
        if (arm == NoRecipeMaterial) break;
        if (arm < 0 || arm >= ArmCount) continue;
        if (!text.empty()) text += "、";
        text += g.AllArms[size_t(arm)].Name + "(" + std::to_string(arm + 1) + ")";
    }
    return text;
}

}  // namespace

bool frmItemShop::LoadSmith() {
    Game& g = game;
    Titles("+++ 鍛冶屋 +++");
    Button("発注", false, "武器を発注します");
    Columns({{"武具名", 1500}, {"値段", 800}, {"鉱石数", 700}, {"必要武具", 16500}});
    HideNumber();
    g.StoryNo = 10;
    g.StoryName = "SpeechTurn";
    for (const SmithRecipe& recipe : g.SmithSell) {
        if (!Offered(recipe) || recipe.Arm < 0 || recipe.Arm >= ArmCount) continue;
        ListItem& row = lstList.AddItem(g.AllArms[size_t(recipe.Arm)].Name);
        row.SetSubItem(1, PriceText(recipe.Price));
        row.SetSubItem(2, std::to_string(recipe.Ore));
        row.SetSubItem(3, NeedsText(g, recipe));
        row.Tag = std::to_string(recipe.RecipeNo);
    }
    if (g.KajiyaFlg == KajiyaNoahShoes) {
        ListItem& row = lstList.AddItem(g.AllKey[NoahShoes].Name);
        row.SetSubItem(1, FormatThousands(NoahShoesPrice));  // the same in every month
        row.SetSubItem(2, "0");
        row.SetSubItem(3, "なし");
        row.Tag = "0";
    }
    if (g.KajiyaFlg == KajiyaClosed) {
        if (g.Warasibe <= 2) {
            g.NoClick = NoClickRight;
            Say("鍛冶屋：ん？何だあんたは？客か？");
        } else if (SackCheck(g, Wood, 1, false, true)) {
            g.NoClick = NoClickRight;
            Say("鍛冶屋：お、木材を拾ってきたか！ありがとよ。これで商売が始められる……");
        } else {
            Say("鍛冶屋：森で木材を拾ってきてくれ。頼んだぞ");
            g.OfferPending = true;
            g.StoryNo = StoryEndNo;  // the next click closes the talk
        }
        return false;
    }
    if (g.ReloadList) {
        cmdBuy.Enabled = true;
        g.StoryNo = StoryAfterEndNo;
        g.OfferPending = false;
        g.ReloadList = false;
    } else {
        // His talk comes first: the recipe papers, the Noah shoes.
        g.NoClick = NoClickRight;
        ShowStandingLine();
    }
    return true;
}

bool frmItemShop::OF_SmithArms(bool OF_DellFlg) {
    Game& g = game;
    if (g.WorkNum4 < 0 || g.WorkNum4 >= RecipeCount) return false;
    const SmithRecipe& recipe = g.SmithSell[size_t(g.WorkNum4)];
    bool any = false;
    for (Long arm : recipe.Needs) {
        if (arm == NoRecipeMaterial) break;
        if (!BagCheck(g, arm, 1, OF_DellFlg)) return false;
        any = true;
    }
    return any;
}

void frmItemShop::SmithBuyTurn() {
    Game& g = game;
    const bool shoes = g.WorkName == g.AllKey[NoahShoes].Name;
    if (!g.OfferPending) {
        g.NoClick = NoClickRight;
        const int row = SelectedRow();
        if (row == 0) return SmithEnd();
        const ListItem& item = lstList.Item(row);
        g.ListIndex = row - 1;
        g.WorkName = item.Text;
        g.WorkNum = row;
        g.WorkNum2 = ColumnNumber(row, 2);
        g.WorkNum3 = ColumnNumber(row, 1);
        g.WorkNum4 = Long(LeadingNumber(item.Tag));
        const bool buysShoes = g.WorkName == g.AllKey[NoahShoes].Name;
        Say("鍛冶屋：" + g.WorkName + (buysShoes ? "を買うんだな？" : "を作るんだな？") + FormatThousands(g.WorkNum3) +
            "カリムになるが、いいのか？");
        g.StoryNo = 0;
        EnableDeal(false, false);
        g.OfferPending = true;
        return;
    }
    if (g.StoryNo == 1) {
        const char* refusal = nullptr;
        if (g.MyGold < g.WorkNum3) refusal = "イザベラ：カリムが足りないわ。諦めましょう";
        else if (!shoes && !SackCheck(g, Ore, g.WorkNum2, false, false)) refusal = "イザベラ：鉱石が足りないわ。諦めましょう";
        else if (!shoes && !OF_SmithArms(false)) refusal = "イザベラ：武具が足りないわ。諦めましょう";
        if (refusal) {
            EnableDeal(true, false);
            Say(refusal);
            g.OfferPending = false;
            return SmithEnd();
        }
        EnableDeal(false, false);
        g.NoClick = NoClickRight;
        AskChoices("買う", "買わない");
        return;
    }
    if (AnswerRefuses()) {
        g.AnswerKey = AnswerNone;
        EnableDeal(true, false);
        ShowStandingLine();
        g.OfferPending = false;
        return SmithEnd();
    }
    if (g.AnswerKey != AnswerYes) return SmithEnd();
    g.AnswerKey = AnswerNone;
    if (shoes) {
        g.AllKey[NoahShoes].LKeyList = true;
        g.NoaFlg[1] = 1;  // found, as far as the queen's quest goes
        g.KajiyaFlg = KajiyaShoesSold;
    } else {
        SackCheck(g, Ore, g.WorkNum2, false, true);
        OF_SmithArms(true);
        // The recipe's arms just taken out leave room for it.
        (void)BagChange(g, g.SmithSell[size_t(g.WorkNum4)].Arm, 0, false, 1);
    }
    g.MyGold -= g.WorkNum3;
    RefreshListWindow(g);
    EnableDeal(true, false);
    g.OfferPending = false;
    if (shoes) {
        g.AllArms[NoahShoesArm].LArmsList = true;
        Say("鍛冶屋：へへっ！毎度あり～！！");
        g.ReloadList = true;
        Form_Load();  // the shoes' row goes
    } else {
        Say("鍛冶屋：出来たぜ！持ってきな");
    }
    SmithEnd();
}

void frmItemShop::SmithEnd() {
    Game& g = game;
    g.BuyPending = false;
    g.NoClick = NoClickNone;
    FocusList();
}

}  // namespace q
