#include "save/ClearRecord.h"

#include <array>
#include <string>
#include <string_view>

#include "core/Format.h"
#include "core/Game.h"
#include "core/World.h"
#include "save/ClearRank.h"
#include "save/TextFile.h"

namespace q {

namespace {

constexpr std::array<std::string_view, 6> Banner{
    "**********************************************************",
    "**********************************************************",
    "****** Quorvane *****************************************",
    "****** クリアデータ **************************************",
    "**********************************************************",
    "**********************************************************",
};

// A figure of the heroine: its label and how it prints.
struct Figure {
    std::string_view label;
    Long (*value)(const Game&);
    bool grouped;  // "#,##0" rather than plain digits
};

constexpr std::array<Figure, 18> Figures{{
    {"レベル　　：", [](const Game& g) { return g.MyLevel; }, false},
    {"体力　　　：", [](const Game& g) { return g.MyMaxHp; }, true},
    {"満腹　　　：", [](const Game& g) { return g.MyMaxBody; }, false},
    {"水分　　　：", [](const Game& g) { return g.MyMaxWater; }, false},
    {"攻撃力　　：", [](const Game& g) { return g.MyAt; }, false},
    {"防御力　　：", [](const Game& g) { return g.MyDi; }, false},
    {"素早さ　　：", [](const Game& g) { return g.MySp; }, false},
    {"所持金　　：", [](const Game& g) { return g.MyGold; }, true},
    {"銀行預金　：", [](const Game& g) { return g.ShopHaveHouse[HouseBank].HLHouseNum; }, true},
    {"持ち株数　：", [](const Game& g) { return g.ShopHaveHouse[HouseShares].HLHouseNum; }, true},
    {"評判　　　：", [](const Game& g) { return g.MyFame; }, true},
    {"勝った回数：", [](const Game& g) { return g.EnemyCount; }, true},
    {"逃げた回数：", [](const Game& g) { return g.EscapeCount; }, true},
    {"倒れた回数：", [](const Game& g) { return g.DieCount; }, true},
    {"売った回数：", [](const Game& g) { return g.SellCount; }, true},
    {"買った回数：", [](const Game& g) { return g.BuyCount; }, true},
    {"売買を断わった回数：", [](const Game& g) { return g.DeclineCount; }, true},
    {"魔族と取引した回数：", [](const Game& g) { return g.DealingCount; }, true},
}};

// A collection or a capacity, with the mark it earns at its full size.
struct Tally {
    std::string_view label;
    Long (*value)(const Game&);
    Long full;
    std::string_view outOf;  // "／" and the full size, for a collection
    std::string_view fullMark;
};

constexpr std::array<Tally, 6> Tallies{{
    {"武具収集　：", [](const Game& g) { return g.HaveArmsNum; }, 500, "／500", "(Collect!)"},
    {"玉収集　　：", [](const Game& g) { return g.HaveGyokuNum; }, 100, "／100", "(Collect!)"},
    {"店サイズ　：", [](const Game& g) { return g.NowMaxShop; }, 500, "", "(MAX!)"},
    {"倉庫サイズ：", [](const Game& g) { return g.NowMaxStock; }, 1000, "", "(MAX!)"},
    {"鞄サイズ　：", [](const Game& g) { return g.NowMaxBag; }, 150, "", "(MAX!)"},
    {"袋サイズ　：", [](const Game& g) { return g.NowMaxSack; }, 50, "", "(MAX!)"},
}};

void AddLine(std::string& text, std::string_view line) {
    text += line;
    text += '\n';
}

std::string BannerText() {
    std::string text;
    for (size_t i = 0; i < Banner.size(); ++i) {
        if (i > 0) text += '\n';
        text += Banner[i];
    }
    return text;
}

// The figures, the collections and the verdict: the record's second write.
std::string RecordText(Game& g) {
    std::string text;
    AddLine(text, "");
    AddLine(text, "終了年月日：" + std::to_string(g.NowYear) + "年" + std::to_string(g.NowMonth) + "月" +
                      std::to_string(g.NowDay) + "日");
    for (const Figure& f : Figures) {
        const Long v = f.value(g);
        AddLine(text, std::string(f.label) + (f.grouped ? FormatThousands(v) : std::to_string(v)));
    }
    for (const Tally& t : Tallies) {
        const Long v = t.value(g);
        AddLine(text, std::string(t.label) + std::to_string(v) + std::string(t.outOf) +
                          std::string(v == t.full ? t.fullMark : ""));
    }
    AddLine(text, "");
    // The verdict is composed after the figures are read, so its gifts show
    // only in the next record.
    text += "総評価：" + ClearRankText(g);
    text += "\n\n\n";
    return text;
}

}  // namespace

bool WriteClearFile(Game& g) {
    g.HaveArmsNum = CollectedArmsCount(g, true);
    const std::string banner = BannerText();
    const std::string record = RecordText(g);
    return WriteTextFile(ClearFileName, {banner, record}, true);
}

}  // namespace q
