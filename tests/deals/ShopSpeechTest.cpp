#include <gtest/gtest.h>

#include <string>

#include "CaseName.h"
#include "ShopFixture.h"
#include "shop/ShopLines.h"
#include "shop/ShopSpeech.h"

namespace q {
namespace {

using test::Pick;
using test::ShopTest;

class ShopSpeechTest : public ShopTest {
protected:
    ShopSpeechTest() {
        g().StoryName = "ShopBuySell";
        g().AllArms[2].Name = "木の盾";
    }
    // The line for a step, and the step it leaves.
    std::string Say(Long picture, Long step) {
        g().VisitorSprite = picture;
        g().StoryNo = step;
        ShopSpeech(g());
        return Bar();
    }
};

struct OpeningCase {
    const char* what;
    Long picture;
    bool buys;
    Long time;
    Long repeat;  // RepeatDeal
    Long price;
    const char* line;
};

class OpeningLines : public ShopSpeechTest, public ::testing::WithParamInterface<OpeningCase> {};

TEST_P(OpeningLines, GreetingArmAndWhatHeWants) {
    const OpeningCase& c = GetParam();
    g().CustomerBuys = c.buys;
    g().NowTime = c.time;
    g().RepeatDeal = c.repeat;
    g().DealArm = 2;
    g().DealPrice = c.price;
    NoDraws();
    EXPECT_EQ(Say(c.picture, 1), c.line) << c.what;
    EXPECT_EQ(g().StoryNo, 1) << c.what << ": the opening line leaves the step";
}

INSTANTIATE_TEST_SUITE_P(
    Deals, OpeningLines,
    ::testing::Values(
        OpeningCase{"swordswoman sells at noon", 122, false, 50, 0, 1234,
                    "女剣士：こんにちは。木の盾を売りに来たのだが、1,234カリムで買ってくれないか？"},
        OpeningCase{"time 30 is morning", 26, true, 30, 0, 60, "男性：おはようございます。木の盾を買いたいのですが…"},
        OpeningCase{"time 31 is daytime", 26, true, 31, 0, 60, "男性：こんにちは。木の盾を買いたいのですが…"},
        OpeningCase{"time 70 is daytime", 33, true, 70, 0, 60, "剣士：やぁ、こんにちは。相変わらず美人だねぇ。木の盾は置いてあるかい？"},
        OpeningCase{"time 71 is evening", 33, true, 71, 0, 60, "剣士：やぁ、こんばんは。相変わらず美人だねぇ。木の盾は置いてあるかい？"},
        OpeningCase{"the girl sells in the morning", 75, false, 0, 0, 999,
                    "女の子：おはようございます。ママにね、木の盾を売ってきてって言われたの。999カリムで買ってください"},
        OpeningCase{"the girl buys in the evening", 75, true, 99, 0, 60,
                    "女の子：こんばんは。ママにね、木の盾を買ってきてって言われたの"},
        OpeningCase{"the silent man buys: greeting and arm only", 130, true, 50, 0, 60, "無口な男：………………木の盾"},
        OpeningCase{"the silent man sells", 130, false, 50, 0, 1000, "無口な男：………………木の盾だ。1,000カリムで買え"},
        OpeningCase{"soldier buys", 8, true, 50, 0, 60, "兵士：おぅ！木の盾を買ってやる"},
        OpeningCase{"beastman sells", 58, false, 50, 0, 45, "獣人：オッス！木の盾売リ来タ。45カリムデ、買テクレ"},
        OpeningCase{"karateka sells", 116, false, 50, 0, 1234567,
                    "空手家：押忍！木の盾を売りたいッス！1,234,567カリムで買って欲しいッス！"},
        OpeningCase{"old mage buys", 140, true, 10, 0, 60, "老魔道士：ホーッホッホッホ！木の盾を買いに来たのじゃが"},
        OpeningCase{"madam sells", 153, false, 90, 0, 100000,
                    "おば様：オーッホッホッホ！木の盾を売りにきたザマス！100,000カリムで買うザマスよ"},
        OpeningCase{"lady samurai buys", 179, true, 90, 0, 60, "女侍：たのもう！木の盾を買いに来たでゴザル"},
        OpeningCase{"a second deal greets otherwise, whatever the time", 26, true, 10, 2, 60,
                    "男性：え～っとですね、木の盾を買いたいのですが…"},
        OpeningCase{"a second deal of the swordswoman", 122, false, 80, 2, 60,
                    "女剣士：それとだな、木の盾を売りに来たのだが、60カリムで買ってくれないか？"},
        OpeningCase{"the silent man's second deal", 130, true, 80, 2, 60, "無口な男：………………木の盾"}),
    q::test::NameBy(&OpeningCase::what));

struct StepCase {
    const char* what;
    Long picture;
    Long step;
    bool accepted;
    const char* line;
    Long next;
    Long specialPay;
};

class StepLines : public ShopSpeechTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(StepLines, LineAndTheStepAfterIt) {
    const StepCase& c = GetParam();
    g().DealArm = 2;
    g().DealPrice = 4500;
    g().DealAccepted = c.accepted;
    NoDraws();
    EXPECT_EQ(Say(c.picture, c.step), c.line) << c.what;
    EXPECT_EQ(g().StoryNo, c.next) << c.what;
    EXPECT_EQ(g().SpecialPay, c.specialPay) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Deals, StepLines,
    ::testing::Values(
        StepCase{"missing, naming the arm", 8, 10, true, "兵士：木の盾がないだと？！ふざけやがって", 250, 0},
        StepCase{"missing", 26, 10, true, "男性：なんだ、品切れですか…", 250, 0},
        StepCase{"too dear", 130, 20, true, "無口な男：………………。", 250, 0},
        StepCase{"no money: the swordsman gives it away", 33, 30, true,
                 "剣士：カリムが無い？それならユーにプレゼントするよ。素敵な笑顔のお礼さ", 250, 2},
        StepCase{"no money", 153, 30, true, "おば様：あらら…。私としたことが、サイフを忘れたザマス", 250, 0},
        StepCase{"no room", 179, 40, true, "女侍：置き場がないでゴザルか", 250, 0},
        StepCase{"cannot pay: the soldier takes it anyway", 8, 50, true,
                 "兵士：おっと……。金が足りねぇようだ。まぁ、いいよな？貰ってくぜ！", 200, 1},
        StepCase{"cannot pay", 26, 50, true, "男性：……1カリム足りない", 200, 0},
        StepCase{"haggle", 75, 60, true, "女の子：あのね、4,500カリムしか無いの。ダメかなぁ？", 1, 0},
        StepCase{"haggle, price first", 153, 60, true, "おば様：4,500カリムにまけるザマス", 1, 0},
        StepCase{"agreed", 58, 70, true, "獣人：ウレシイ。アリガトウ", 300, 0},
        StepCase{"plea", 122, 110, false, "女剣士：それなら4,500カリムでどうだ？", 1, 0},
        StepCase{"refused", 140, 120, false, "老魔道士：うぅぅ……", 250, 0},
        StepCase{"farewell, agreed", 116, 500, true, "空手家：また来るッスよ。次もよろしく頼むッス", 500, 0},
        StepCase{"farewell, not agreed", 116, 500, false, "空手家：他の店に行くッス", 500, 0},
        StepCase{"farewell, one line for both", 58, 500, false, "獣人：マタ来ル", 500, 0}),
    q::test::NameBy(&StepCase::what));

TEST_F(ShopSpeechTest, EveryLineOfAKindIsSpokenByThatKind) {
    // A line copied into the wrong kind's table shows here.
    for (const CustomerLines* k : CustomerKinds()) {
        const std::string prefix = std::string(k->speaker) + "：";
        for (const char* line : {k->greeting[0], k->greeting[1], k->greeting[2], k->secondGreeting, k->missing, k->tooDear,
                                 k->noMoney, k->noRoom, k->cannotPay, k->haggle, k->agreed, k->plea, k->refused,
                                 k->farewell, k->farewellRefused}) {
            ASSERT_NE(line, nullptr) << k->picture;
            EXPECT_EQ(std::string(line).rfind(prefix, 0), 0u) << k->picture << ": " << line;
        }
        for (const char* piece : {k->buyerEnding, k->sellerMiddle, k->sellerEnding}) ASSERT_NE(piece, nullptr);
    }
    EXPECT_EQ(CustomerKinds().size(), 11u);
}

TEST_F(ShopSpeechTest, AStepWithoutALineShowsThePreviousTextAgain) {
    NoDraws();
    g().DealArm = 2;
    const std::string agreed = Say(26, 70);
    EXPECT_EQ(Say(26, 3), agreed);
    EXPECT_EQ(g().StoryNo, 3);
    g().VisitorSprite = 999;  // nobody we know
    g().StoryNo = 70;
    ShopSpeech(g());
    EXPECT_EQ(g().StoryNo, 70);
    EXPECT_EQ(Bar(), agreed);
}

class EventSpeechTest : public ShopTest {
protected:
    EventSpeechTest() { g().StoryName = "ShopEvent"; }
    std::string Say(Long kind, Long step) {
        g().ShopEventKind = kind;
        g().StoryNo = step;
        ShopSpeech(g());
        return Bar();
    }
};

TEST_F(EventSpeechTest, TheRobberAnswersToTheMoneyHeGets) {
    NoDraws();
    g().MyGold = 1;
    EXPECT_EQ(Say(ShopEventRobber, 20), "強盗：そうそう、いい心掛けだ。また来るぜ、お嬢ちゃん");
    EXPECT_EQ(g().StoryNo, 1000);
    g().MyGold = 0;
    EXPECT_EQ(Say(ShopEventRobber, 20), "強盗：金がないだとぉ！！ちっくしょう～～～！");
    EXPECT_EQ(Say(ShopEventRobber, 50), "強盗：ふざけやがって！目に物見せてやる！");
    EXPECT_EQ(g().StoryNo, 50);
}

TEST_F(EventSpeechTest, TheCollectionWritesItsNumbersPlainly) {
    NoDraws();
    g().WorkName = "木の盾";
    g().WorkNum = 7;
    g().WorkNum2 = 2400;
    EXPECT_EQ(Say(ShopEventCollection, 61), "兵士：とりあえず、木の盾が7個で、2400カリムだな");
    EXPECT_EQ(g().StoryNo, 499);
    EXPECT_EQ(Say(ShopEventCollection, 80), "兵士：木の盾の期限はもう切れてるよなぁ？");
    EXPECT_EQ(g().StoryNo, 80);
    EXPECT_EQ(Say(ShopEventSwordsman, 2), "剣士：閉店するまで、ユーと一緒に店番さ");
    EXPECT_EQ(g().StoryNo, 10);
}

TEST_F(EventSpeechTest, ARoyalOrderNamesOnlyAnArmThatMayBeOrdered) {
    // Of the first 53 arms (the story's start) only these are listed; 3 is
    // rare, 5 is ordered already, 60 lies beyond what customers name.
    for (auto& a : g().AllArms) a.LArmsList = false;
    for (Long i : {3, 5, 7, 11, 60}) g().AllArms[size_t(i)].LArmsList = true;
    g().AllArms[3].Rarity = 1;
    g().AllArms[7].Rarity = 0;
    g().AllArms[11].Rarity = 0;
    g().NowRequest = 1;
    g().MyRequestArms[0] = {5, 8, 20};
    EXPECT_EQ(OrderableArms(g()), (std::vector<Long>{7, 11}));
    g().AllArms[11].Name = "鉄の剣";
    Draws({Pick(0, 46), Pick(1, 2), Pick(10, 11)});
    EXPECT_EQ(Say(ShopEventRoyalOrder, 2), "兵士：15日後までに鉄の剣(12)を15個集めろ！");
    EXPECT_EQ(g().StoryNo, 4);
    EXPECT_EQ(g().WorkNum, 15);
    EXPECT_EQ(g().WorkNum2, 11);
    EXPECT_EQ(g().WorkNum3, 15);
    EXPECT_EQ(g().RandLo, 5);
    EXPECT_EQ(g().RandHi, 15);
}

}  // namespace
}  // namespace q
