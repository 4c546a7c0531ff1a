// The fortune teller of Amulet: for a fee and one water of divination she
// tells where an arm, a monster jewel or a Noah piece not yet had is found.
#include <array>
#include <vector>

#include "core/Format.h"
#include "core/Inventory.h"
#include "shop/ListWindows.h"
#include "town/frmItemShop.h"

namespace q {

namespace {

constexpr Long WaterOfDivination = 28;
constexpr size_t NoahPieces = 6;

struct Topic {
    Long fee;
    const char* text;
};

constexpr std::array<Topic, 3> Topics{{
    {5000, "武具のありかについて"},
    {10000, "玉のありかについて"},
    {50000, "ノア武具のありかについて"},
}};

// Where an arm lies, by its Area, and where a monster is met, by its Place.
constexpr std::array<const char*, 10> ArmPlaces{
    "ハノダ－森間で", "森－エルフ間で", "エルフ－洞窟間で", "洞窟で", "ハノダ－城間で", "城－塔間で", "塔で", "洞窟間で",
    "モンスターが持っているようじゃ", "……。何か特別なことをすると手に入るかもしれんの"};
constexpr std::array<const char*, 9> MonsterPlaces{
    "ハノダ－森間で", "森－エルフ間で", "エルフ－洞窟間で", "洞窟で", "ハノダ－城間で",
    "城－塔間で",     "塔で",           "洞窟で",           "特別なモンスターのようじゃ"};
constexpr std::array<const char*, 3> ArmRarities{"普通に見かける武具のようじゃな", "たまに見かける武具のようじゃな",
                                                 "ごく稀に見かける武具のようじゃな"};
constexpr std::array<const char*, 3> MonsterRarities{"普通に見かけるモンスターのようじゃな",
                                                     "たまに見かけるモンスターのようじゃな",
                                                     "ごく稀に見かけるモンスターのようじゃな"};
constexpr std::array<const char*, NoahPieces> NoahHints{
    "ネクザスの塔が見えるぞよ",     "鉄を叩く音が聞える場所じゃ",     "物を交換すると良いかもな",
    "家に土産を持って帰る者が鍵じゃ", "口の悪い者に沢山貢げば…あるいは", "浮ばれぬ者の声を聞け！"};

template <size_t N>
std::string TextOf(const std::array<const char*, N>& texts, Long i) {
    return i >= 0 && i < Long(N) ? texts[size_t(i)] : "";
}

// What she does not have yet, of the topic.
std::vector<Long> Candidates(const Game& g, Long topic) {
    std::vector<Long> picks;
    if (topic == 0) {
        for (const ArmRecord& a : g.AllArms)
            if (!a.LArmsList) picks.push_back(a.No);
    } else if (topic == 1) {
        for (Long i = 0; i < MonsterCount; ++i)
            if (!g.AllGyoku[size_t(i)].LGyokuList) picks.push_back(i);
    } else {
        for (Long i = 0; i < Long(NoahPieces); ++i)
            if (g.NoaFlg[size_t(i)] == 0) picks.push_back(i);
    }
    return picks;
}

std::string Telling(Game& g, Long topic, Long n) {
    if (topic == 0) {
        const ArmRecord& arm = g.AllArms[size_t(n)];
        g.WorkName = TextOf(ArmPlaces, arm.Area);
        if (arm.Area != 8 && arm.Area != 9) g.WorkName += TextOf(ArmRarities, arm.Rarity);
        return "占いババ：うぅむ…。No." + std::to_string(n + 1) + "の武具は" + g.WorkName;
    }
    if (topic == 1) {
        const MonsterRecord& m = g.AllMonster[size_t(n)];
        g.WorkName = TextOf(MonsterPlaces, m.Place);
        if (m.Place != 8) g.WorkName += TextOf(MonsterRarities, m.Rate);
        return "占いババ：うぅむ…。No." + std::to_string(n + 1) + "の玉は" + g.WorkName;
    }
    return "占いババ：うぅむ…。" + g.AllKey[size_t(n)].Name + "のありかは…。" + NoahHints[size_t(n)];
}

}  // namespace

bool frmItemShop::LoadFortune() {
    Game& g = game;
    Titles("+++ 占いの館 +++");
    HideNumber();
    Button("占う", false, "選択した占いが出来ます");
    Columns({{"金額", 1200}, {"内容", 2500}});
    for (size_t i = 0; i < Topics.size(); ++i) {
        if (i == 2 && g.NoaFlg[6] != 1) continue;  // only while the queen's quest runs
        ListItem& row = lstList.AddItem(PriceText(Topics[i].fee) + "　");
        row.SetSubItem(1, Topics[i].text);
    }
    g.StoryNo = 10;
    g.StoryName = "SpeechTurn";
    Say("占いババ：よぅ来たの………");
    if (g.FortuneFlg == FortuneFinished) {
        g.StoryNo = StoryEndNo;
        g.OfferPending = false;
        cmdBuy.Enabled = true;
        g.NoClick = NoClickNone;
    }
    return true;
}

void frmItemShop::FortuneBuyTurn() {
    Game& g = game;
    if (!g.OfferPending) {
        g.NoClick = NoClickRight;
        const int row = SelectedRow();
        if (row == 0) return FortuneEnd();
        g.ListIndex = row - 1;
        g.WorkNum = row;
        g.WorkName = lstList.Item(row).SubItem(1);
        g.WorkNum3 = ColumnNumber(row, 0);  // the fee as shown, before its trailing space
        Say("占いババ：" + g.WorkName + "聞きたいのか？それなら、" + FormatThousands(g.WorkNum3) + "カリム頂くぞよ");
        g.StoryNo = 0;
        EnableDeal(false, false);
        g.OfferPending = true;
        return;
    }
    if (g.StoryNo == 1) {
        const char* refusal = nullptr;
        if (!SackCheck(g, WaterOfDivination, 1, false, false)) refusal = "イザベラ：潤沢の水がないわ。諦めましょう";
        else if (g.MyGold < g.WorkNum3) refusal = "イザベラ：カリムが足りないわ。諦めましょう";
        if (refusal) {
            Say(refusal);
            EnableDeal(true, false);
            g.OfferPending = false;
            return FortuneEnd();
        }
        AskChoices("占う", "止める");
        return;
    }
    if (AnswerRefuses()) {
        g.AnswerKey = AnswerNone;
        EnableDeal(true, false);
        ShowStandingLine();
        g.OfferPending = false;
        Form_Load();  // she greets again
        return FortuneEnd();
    }
    if (g.AnswerKey != AnswerYes) return FortuneEnd();
    g.MyGold -= g.WorkNum3;
    g.AnswerKey = AnswerNone;
    SackCheck(g, WaterOfDivination, 1, false, true);
    RefreshListWindow(g);
    EnableDeal(true, false);
    g.OfferPending = false;
    const Long topic = g.ListIndex == 0 ? 0 : g.ListIndex == 1 ? 1 : 2;
    const std::vector<Long> picks = Candidates(g, topic);
    if (picks.empty()) {
        // The fee and the water are not given back.
        Say("占いババ：なんと既に揃っておるではないか！年寄りをからかいおって！カリムは返さぬぞ");
    } else {
        const Long n = picks[size_t(g.Chance(Long(picks.size())))];
        Say(Telling(g, topic, n));
    }
    FortuneEnd();
}

// The deal is over, whichever way it went: the story stands at its end like
// every other facility's, so later clicks on the bar start nothing.
void frmItemShop::FortuneEnd() {
    Game& g = game;
    g.StoryNo = StoryEndNo;
    g.BuyPending = false;
    g.NoClick = NoClickNone;
    FocusList();
}

}  // namespace q
