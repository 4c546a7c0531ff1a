// The park of Hanoda, Elwind and Amulet: the people who are there, and a
// talk with the one chosen, drawn beside the heroine. The lines are the town
// talk's.
#include <array>
#include <string_view>

#include "core/Message.h"
#include "town/frmItemShop.h"

namespace q {

namespace {

enum class Shown { Always, Cleared, Ghost };

struct ParkPerson {
    std::string_view town;  // "" for the Amulet park, which any other town has
    const char* caption;
    Long sprite;
    Shown shown;
};

constexpr std::array<ParkPerson, 20> People{{
    {"Hanoda", "おじいさん", 70, Shown::Always},
    {"Hanoda", "おばあさん", 148, Shown::Always},
    {"Hanoda", "男の子", 53, Shown::Always},
    {"Hanoda", "マッチョ", 133, Shown::Always},
    {"Hanoda", "ガイア教司祭", 67, Shown::Always},
    {"Hanoda", "酔っ払い", 184, Shown::Always},
    {"Hanoda", "ピレル", 0, Shown::Cleared},
    {"", "男性", 11, Shown::Always},
    {"", "ぼっちゃん", 21, Shown::Always},
    {"", "亜細李亜娘", 49, Shown::Always},
    {"", "踊り子", 156, Shown::Always},
    {"", "戦士", 162, Shown::Always},
    {"", "宿無し", 182, Shown::Always},
    {"Elwind", "女の子", 65, Shown::Always},
    {"Elwind", "男性", 63, Shown::Always},
    {"Elwind", "侍", 61, Shown::Always},
    {"Elwind", "獣人", 47, Shown::Always},
    {"Elwind", "アーチャー", 3, Shown::Always},
    {"Elwind", "女性？？？", 186, Shown::Ghost},
    {"Elwind", "ゼンロ", 29, Shown::Cleared},
}};

// The park of the town: Hanoda and Elwind have their own, any other town
// is taken as Amulet.
std::string_view ParkOf(const std::string& town) {
    return town == "Hanoda" || town == "Elwind" ? std::string_view(town) : std::string_view();
}

bool IsThere(const Game& g, Shown s) {
    switch (s) {
        case Shown::Always: return true;
        case Shown::Cleared: return g.GameCleared;
        case Shown::Ghost: return g.NoaFlg[6] == 1 && g.GhostFlg[0] <= 1;  // the queen's quest, the ghost not at rest
    }
    return false;
}

// The person of a row, by the row's caption within the town's park.
Long SpriteOf(const Game& g, const std::string& caption) {
    const std::string_view park = ParkOf(g.FieldName);
    for (const auto& p : People)
        if (p.town == park && caption == p.caption) return p.sprite;
    return NoSprite;
}

}  // namespace

bool frmItemShop::LoadPark() {
    Game& g = game;
    Titles("+++ 広場 +++");
    HideNumber();
    cmdBuy.Caption = "話す";
    cmdBuy.ToolTipText = Quoted("選択した人と話します");
    Columns({{"話し相手", 3500}});
    const std::string_view park = ParkOf(g.FieldName);
    for (const auto& p : People)
        if (p.town == park && IsThere(g, p.shown)) lstList.AddItem(p.caption);
    g.StoryNo = 10;
    g.StoryName = "BuyItem";
    ShowStandingLine();
    if (g.ReloadList) {
        g.ReloadList = false;
        lstList.Enabled = true;
        cmdBuy.Enabled = true;
    }
    return true;
}

void frmItemShop::ParkIdle() {
    Game& g = game;
    g.StoryNo = 10;
    ShowStandingLine();
    g.OfferPending = false;
    g.NoClick = NoClickNone;
}

void frmItemShop::ParkBuyTurn() {
    Game& g = game;
    if (!g.OfferPending) {
        if (g.StoryNo == 11) return ParkIdle();  // a click while nobody is chosen
        if (g.StoryNo != 10) return;
        g.NoClick = NoClickRight;
        const int row = SelectedRow();
        if (row == 0) return ParkIdle();
        g.ListIndex = row - 1;
        g.WorkNum = row;
        g.VisitorSprite = SpriteOf(g, lstList.Item(row).Text);
        DrawFacility(true);
        lstList.Enabled = false;
        txtNumber.Enabled = false;
        cmdBuy.Enabled = false;
        g.OfferPending = true;
        g.Call("TownSpeech");
        return;
    }
    if (g.StoryNo == StoryWaitNo) return;
    if (g.AnswerKey == AnswerYes) {
        g.AnswerKey = AnswerNone;
        g.DealAccepted = true;
        g.StoryNo = 30;
        g.Call("TownSpeech");
    } else if (AnswerRefuses()) {
        g.AnswerKey = AnswerNone;
        g.DealAccepted = false;
        g.StoryNo = 50;
        g.Call("TownSpeech");
    } else if (g.StoryNo == StoryAfterEndNo) {
        DrawFacility(false);  // the person is gone
        lstList.Enabled = true;
        cmdBuy.Enabled = true;
        txtNumber.Enabled = true;
        FocusList();
        ParkIdle();
    } else {
        g.Call("TownSpeech");
    }
}

}  // namespace q
