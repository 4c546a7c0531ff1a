#include <gtest/gtest.h>

#include "CaseName.h"
#include "TalkFixture.h"

namespace q {
namespace {

using test::TalkTest;

class KeeperTalkTest : public TalkTest {
protected:
    KeeperTalkTest() { Window().cmdBuy.Enabled = false; }
    bool ButtonEnabled() { return window->cmdBuy.Enabled; }
    size_t Rebuilds() {
        size_t n = 0;
        for (bool reload : window->loads) n += reload;
        return n;
    }
    // The window handed back to the player after a talk.
    void ExpectReleased() {
        EXPECT_FALSE(g().OfferPending);
        EXPECT_EQ(g().NoClick, NoClickNone);
    }
};

// --- The smith ---

TEST_F(KeeperTalkTest, SmithAsksForWoodAndRaisesTheStage) {
    Keeper("Smith");
    g().Warasibe = 2;
    const auto lines = Tell(11);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines.back(), "鍛冶屋：じゃあ、頼んだぜ");
    EXPECT_EQ(g().Warasibe, 3);
    EXPECT_EQ(g().StoryNo, StoryEndNo);
    ExpectReleased();
}

TEST_F(KeeperTalkTest, SmithsOreTalkOpensHimAndMovesOnlyStageFour) {
    for (Long stage : {3, 4, 6}) {
        Keeper("Smith");
        g().KajiyaFlg = KajiyaClosed;
        g().Warasibe = stage;
        const auto lines = Tell(11);
        ASSERT_EQ(lines.size(), 10u);
        EXPECT_EQ(lines.back(), "鍛冶屋：おぅ、そうしてくれ。鉱物を持ってきたら、望む物を作るからよ");
        EXPECT_EQ(g().KajiyaFlg, KajiyaOpen);
        EXPECT_EQ(g().Warasibe, stage == 4 ? 5 : stage) << stage;
        ExpectReleased();
    }
}

TEST_F(KeeperTalkTest, SmithOffersTheNoahShoesDuringTheQueensQuest) {
    Keeper("Smith");
    g().KajiyaFlg = KajiyaOpen;
    g().NoaFlg[6] = 1;
    EXPECT_EQ(Step(11), "鍛冶屋：ノア装備を集めてるって？");
    Step(12);
    EXPECT_EQ(Step(13), "鍛冶屋：あんたにゃ世話になったし、100,000カリムで売ってやるよ");
    EXPECT_EQ(Rebuilds(), 0u);
    // The last line rebuilds the window, whose smith's list then offers the shoes.
    EXPECT_EQ(Step(14), "鍛冶屋：金が溜まったら声をかけてくれ！");
    EXPECT_EQ(g().KajiyaFlg, KajiyaNoahShoes);
    EXPECT_EQ(Rebuilds(), 1u);
    EXPECT_EQ(g().NoClick, NoClickNone);
}

TEST_F(KeeperTalkTest, SmithTakesEveryRecipePaperInOneLine) {
    Keeper("Smith");
    g().KajiyaFlg = KajiyaShoesSold;
    Own(22);
    Own(25);
    EXPECT_EQ(Step(11), "鍛冶屋：お、武具レシピを持ってきたようだな。これで新しい武具が作れるようになるぜ");
    EXPECT_FALSE(Owns(22));
    EXPECT_FALSE(Owns(25));
    EXPECT_TRUE(g().SmithSell[9].SLSmithRecipe);
    EXPECT_FALSE(g().SmithSell[10].SLSmithRecipe);
    EXPECT_TRUE(g().SmithSell[12].SLSmithRecipe);
    EXPECT_EQ(Rebuilds(), 1u);
    EXPECT_TRUE(ButtonEnabled());
    ExpectReleased();
}

TEST_F(KeeperTalkTest, SmithWithEveryRecipeLeavesThePapersWithHer) {
    Keeper("Smith");
    g().KajiyaFlg = KajiyaOpen;
    for (size_t r = 9; r <= 13; ++r) g().SmithSell[r].SLSmithRecipe = true;
    Own(23);
    EXPECT_EQ(Step(11), "鍛冶屋：人手が足りないから、これ以上武具の種類は増やせないな");
    EXPECT_TRUE(Owns(23));
    EXPECT_EQ(Rebuilds(), 0u);
    EXPECT_TRUE(ButtonEnabled());
    EXPECT_EQ(g().StoryNo, StoryEndNo);
}

// --- The carpenter ---

TEST_F(KeeperTalkTest, CarpenterIntroducesHimselfThenHandsOver) {
    Keeper("Carpenter");
    const auto lines = Tell(11);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines.front(), "大工：お、初めて見る顔だな");
    EXPECT_EQ(lines.back(), "大工グェン：あぁ、頼むよ。持ってきた木材はいつでもここで預かるから俺に渡してくれ");
    EXPECT_EQ(g().CarpenFlg, 1);
    EXPECT_EQ(g().StoryNo, 10);
    EXPECT_TRUE(g().OfferPending);
}

TEST_F(KeeperTalkTest, CarpenterTakesTheWholeWoodEntryUpToTheCap) {
    Keeper("Carpenter");
    g().CarpenFlg = 1;
    g().WoodNum = 99995;
    g().LastMessage = "大工グェン：何か作るか？";
    Sack(26, 7);
    EXPECT_EQ(Step(11), "大工グェン：お、木材か！助かるぜ。ありがとよ！");
    EXPECT_EQ(g().WoodNum, 99999);
    EXPECT_EQ(InSack(26), 0);
    EXPECT_EQ(window->txtNumber.Text.get(), "99999");
    EXPECT_TRUE(g().ReloadList);
    EXPECT_EQ(Step(12), "大工グェン：何か作るか？");
    EXPECT_EQ(g().StoryNo, StoryEndNo);
    EXPECT_TRUE(ButtonEnabled());
    ExpectReleased();
}

TEST_F(KeeperTalkTest, CarpenterWithoutWood) {
    Keeper("Carpenter");
    g().CarpenFlg = 1;
    EXPECT_EQ(Step(11), "大工グェン：木材は無いようだな");
    EXPECT_EQ(g().WoodNum, 0);
}

// --- The fortune teller ---

TEST_F(KeeperTalkTest, RescuedFortuneTellerMissesHerCrystalBall) {
    Keeper("Fortune");
    g().FortuneFlg = 4;
    const auto lines = Tell(11);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[6], "占いババ：でも、ダメなんじゃ。こないだの場所で水晶球を落としたようなんじゃ");
    EXPECT_EQ(g().FortuneFlg, 5);
    EXPECT_EQ(g().StoryNo, 10);
}

TEST_F(KeeperTalkTest, CrystalBallOpensFortunesAtOnceWhenTheLakeIsKnown) {
    Keeper("Fortune");
    g().FortuneFlg = 5;
    g().MizuumiFlg = 1;
    Own(21);
    const auto lines = Tell(11);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_FALSE(Owns(21));
    EXPECT_EQ(g().FortuneFlg, FortuneFinished);
    EXPECT_TRUE(ButtonEnabled());
    ExpectReleased();
}

TEST_F(KeeperTalkTest, CrystalBallWithTheLakeUnknownSendsHerToTheElves) {
    Keeper("Fortune");
    g().FortuneFlg = 5;
    Own(21);
    const auto lines = Tell(11);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines.back(), "占いババ：おぬしの評判がよければ、教えてくれるじゃろうて");
    EXPECT_EQ(g().FortuneFlg, FortuneFinished);
    EXPECT_FALSE(ButtonEnabled());
    ExpectReleased();
}

TEST_F(KeeperTalkTest, FortuneTellerWithoutTheBall) {
    Keeper("Fortune");
    g().FortuneFlg = 5;
    const auto lines = Tell(11);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "占いババ：水晶球を見つけたら、占ってやれるのにのぉ…");
    EXPECT_EQ(g().FortuneFlg, 5);
}

TEST_F(KeeperTalkTest, FortuneTellerAtWorkSaysNothing) {
    Keeper("Fortune");
    g().FortuneFlg = FortuneFinished;
    g().frmUnderMes->LBLMessage[0].Caption = "占いババ：探し物を占ってしんぜようぞ";
    g().MessageText = "something else";
    EXPECT_EQ(Step(11), "占いババ：探し物を占ってしんぜようぞ");
}

// --- The bank clerk ---

struct DebtCase {
    Long debt;
    Long gold;
    Long debtLeft;
    Long goldLeft;
    Long stepAfter;  // the step that step 13 leaves
};

class BankDebt : public KeeperTalkTest, public ::testing::WithParamInterface<DebtCase> {};

TEST_P(BankDebt, HerMoneyPaysWhatItCan) {
    const DebtCase& c = GetParam();
    Keeper("Bank");
    g().ShopHaveHouse[HouseBank].HLHouseNum = -c.debt;
    g().MyGold = c.gold;
    Step(11);
    Step(12);
    EXPECT_EQ(Step(13), "銀行員：とりあえず、手持ちのカリムから借金分は、いただいとくぜ");
    EXPECT_EQ(g().ShopHaveHouse[HouseBank].HLHouseNum, -c.debtLeft);
    EXPECT_EQ(g().MyGold, c.goldLeft);
    EXPECT_EQ(g().StoryNo, c.stepAfter);
}

INSTANTIATE_TEST_SUITE_P(Debts, BankDebt,
                         ::testing::Values(DebtCase{5000, 3000, 2000, 0, StoryEndNo},
                                           DebtCase{5000, 5000, 0, 0, 50}, DebtCase{5000, 8000, 0, 3000, 50},
                                           DebtCase{5000, 0, 5000, 0, 13}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Debt", c.debt, "Gold", c.gold); }));

TEST_F(KeeperTalkTest, BankPartPaymentReopensTheWindow) {
    Keeper("Bank");
    g().ShopHaveHouse[HouseBank].HLHouseNum = -5000;
    g().MyGold = 3000;
    Step(13);
    EXPECT_EQ(Rebuilds(), 1u);
    ExpectReleased();
}

TEST_F(KeeperTalkTest, BankDebtPaidInFull) {
    Keeper("Bank");
    g().ShopHaveHouse[HouseBank].HLHouseNum = -5000;
    g().MyGold = 6000;
    Step(13);
    EXPECT_EQ(Step(51), "銀行員：頑張ったな。コレで借金はチャラだぜ。僕と一緒に踊るかい？");
    EXPECT_EQ(g().StoryNo, StoryEndNo);
    EXPECT_EQ(Rebuilds(), 1u);
    ExpectReleased();
}

TEST_F(KeeperTalkTest, BankWithoutMoneyDances) {
    Keeper("Bank");
    g().ShopHaveHouse[HouseBank].HLHouseNum = -5000;
    g().MyGold = 0;
    const auto lines = Tell(11);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines.back(), "銀行員：って、カリムが無い？ガールも苦労してるんだな。しょうがないな…僕の踊りでも見て、元気出せ");
    EXPECT_EQ(g().ShopHaveHouse[HouseBank].HLHouseNum, -5000);
    ExpectReleased();
}

// --- The Elwind item shop and the estate agent ---

TEST_F(KeeperTalkTest, ItemShopGivesTheSkewerAndCloses) {
    Keeper("Item");
    const auto lines = Tell(11);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2], "道具屋：特製カルビ串を差し上げます");
    EXPECT_TRUE(Owns(6));
    EXPECT_EQ(g().ClearFlg, 1);
    EXPECT_EQ(g().StoryNo, StoryAfterEndNo);
    EXPECT_TRUE(ButtonEnabled());
    ExpectReleased();
}

TEST_F(KeeperTalkTest, EstateAgentSendsAFamousShopToTheCastle) {
    Keeper("House");
    g().ClearFlg = 1;
    g().MyFame = 2000;
    g().Warasibe = 6;
    const auto lines = Tell(11);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(g().Warasibe, 7);
    EXPECT_EQ(g().StoryNo, StoryAfterEndNo);

    Keeper("House");
    g().MyFame = 1999;
    g().Warasibe = 6;
    EXPECT_EQ(Tell(11).size(), 3u);
    EXPECT_EQ(g().Warasibe, 6);
}

// --- The jewel collector ---

class CollectorTest : public KeeperTalkTest {
protected:
    CollectorTest() {
        Keeper("Mania");
        g().GyokuFlg = 1;
    }
    // Hands in jewels 0..n-1 as if over earlier visits.
    void Handed(Long n) {
        for (Long j = 0; j < n; ++j) g().AllGyoku[size_t(j)].LGyokuList = true;
        g().HaveGyokuNum = n;
    }
    std::string Name(Long jewel) { return g().AllGyoku[size_t(jewel)].Name; }
};

TEST_F(CollectorTest, FirstVisitExplainsTheJewels) {
    g().GyokuFlg = 0;
    const auto lines = Tell(11);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines.front(), "イザベラ：あ……あの、ココは………？");
    EXPECT_EQ(g().GyokuFlg, 1);
    EXPECT_EQ(g().StoryNo, 10);
}

TEST_F(CollectorTest, HandedJewelsAreDisposedOfOnePerClick) {
    Handed(3);
    Sack(1, 2, true);
    Sack(50, 1, true);
    EXPECT_EQ(Step(11), "業者：" + Name(1) + "だな。こいつの情報は既に持ってるぞ。ギョクは処分しといてやる");
    EXPECT_EQ(InSack(1, true), 0);
    EXPECT_EQ(g().StoryNo, 10);
    EXPECT_EQ(Step(11), "業者：" + Name(50) + "だな。すげーぞ！初めての玉だ！");
    EXPECT_TRUE(g().AllGyoku[50].LGyokuList);
    EXPECT_EQ(g().HaveGyokuNum, 4);
    EXPECT_EQ(Step(11), "業者：ギョクを持っていないようだな。さっさと集めてきやがれ！");
    EXPECT_EQ(g().StoryNo, StoryAfterEndNo);
    ExpectReleased();
}

TEST_F(CollectorTest, FifthKindEarnsTheCartHornAtTheNextClick) {
    Handed(4);
    Sack(60, 1, true);
    Step(11);
    EXPECT_EQ(g().StoryNo, 11);
    EXPECT_EQ(Step(12), "業者：お！これで、5種類集めたようだな。よくやったぞ。馬車の角笛をくれてやる。");
    EXPECT_EQ(InSack(29), 1);
    EXPECT_EQ(g().StoryNo, 10);
}

TEST_F(CollectorTest, TenthKindWithAFullBagIsRefused) {
    Handed(9);
    g().NowMaxBag = 2;
    ASSERT_TRUE(BagChange(g(), 5, 0, false, 2));
    Sack(2, 1, true);   // handed before
    Sack(70, 1, true);  // new
    Sack(3, 1, true);   // handed before
    Step(11);           // the handed one first
    EXPECT_EQ(Step(11), "業者：鞄が一杯で報奨が渡せねぇな。他の要らねえギョクは処分しとくぞ");
    EXPECT_EQ(InSack(70, true), 1);
    EXPECT_EQ(InSack(3, true), 0);
    EXPECT_FALSE(g().AllGyoku[70].LGyokuList);
    EXPECT_EQ(g().HaveGyokuNum, 9);
    EXPECT_EQ(g().StoryNo, StoryAfterEndNo);
}

// The item rewards: with eight of the item held the ninth is given; with nine
// held nothing is taken either: the new jewel stays in the sack, uncounted.
struct ItemRewardCase {
    Long kinds;  // the count of kinds the new jewel makes
    Long item;
};

class CollectorItemReward : public CollectorTest, public ::testing::WithParamInterface<ItemRewardCase> {};

TEST_P(CollectorItemReward, IsGivenToTheNinthPieceAndRefusedPastIt) {
    const ItemRewardCase& c = GetParam();
    for (Long held : {8, 9}) {
        Handed(c.kinds - 1);
        g().HaveSack = 0;
        Sack(c.item, held);
        Sack(98, 1, true);  // new
        const std::string line = Step(11);
        if (held == 8) {
            EXPECT_EQ(g().StoryNo, 11) << c.kinds;
            EXPECT_EQ(Step(12), "業者：お！これで、" + std::to_string(c.kinds) + "種類集めたようだな。よくやったぞ。" +
                                    g().AllItem[size_t(c.item)].Name + "をくれてやる。");
            EXPECT_EQ(InSack(c.item), 9) << c.kinds;
            EXPECT_EQ(InSack(98, true), 0) << c.kinds;
            EXPECT_EQ(g().HaveGyokuNum, c.kinds);
        } else {
            EXPECT_EQ(line, "業者：袋が一杯で報奨が渡せねぇな。他の要らねえギョクは処分しとくぞ") << c.kinds;
            EXPECT_EQ(InSack(c.item), 9) << c.kinds;
            EXPECT_EQ(InSack(98, true), 1) << c.kinds;
            EXPECT_FALSE(g().AllGyoku[98].LGyokuList) << c.kinds;
            EXPECT_EQ(g().HaveGyokuNum, c.kinds - 1);
            EXPECT_EQ(g().StoryNo, StoryAfterEndNo);
        }
        g().AllGyoku[98].LGyokuList = false;
    }
}

INSTANTIATE_TEST_SUITE_P(Collector, CollectorItemReward,
                         ::testing::Values(ItemRewardCase{5, 29}, ItemRewardCase{30, 21}, ItemRewardCase{50, 22}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Kinds", c.kinds); }));

TEST_F(CollectorTest, AFullSackHasRoomForTheRewardOnceTheNewJewelIsOut) {
    Handed(4);
    g().NowMaxSack = 2;
    g().HaveSack = 0;
    Sack(1, 1);
    Sack(60, 1, true);  // new: its entry makes the room
    Step(11);
    Step(12);
    EXPECT_EQ(InSack(29), 1);

    Handed(29);
    g().NowMaxSack = 3;
    g().HaveSack = 0;
    Sack(1, 1);
    Sack(2, 1);
    Sack(61, 1, true);  // over the capacity: its entry is not enough
    g().NowMaxSack = 2;
    EXPECT_EQ(Step(11), "業者：袋が一杯で報奨が渡せねぇな。他の要らねえギョクは処分しとくぞ");
    EXPECT_EQ(InSack(61, true), 1);
    EXPECT_EQ(InSack(21), 0);
}

TEST_F(CollectorTest, HundredthKindGivesTheCardAndEndsTheCollection) {
    Handed(99);
    g().AllGyoku[42].LGyokuList = false;
    g().AllGyoku[99].LGyokuList = true;
    Sack(42, 1, true);
    Sack(7, 3, true);
    Step(11);
    EXPECT_EQ(Step(12), "業者：お！これで、100種類集めたようだな。よくやったぞ。コンプリートカードをくれてやる。");
    EXPECT_TRUE(Owns(20));
    EXPECT_EQ(g().StoryNo, 12);
    const auto lines = Tell(13);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "業者：持ってるギョクは捨てておくぜ。もう必要ないからな");
    EXPECT_EQ(InSack(7, true), 0);
    EXPECT_EQ(g().StoryNo, StoryAfterEndNo);
    // Later visits throw every jewel away at once.
    Sack(8, 1, true);
    Keeper("Mania");
    EXPECT_EQ(Step(11), "業者：持ってるギョクは捨てておくぜ。もう必要ないからな");
    EXPECT_EQ(InSack(8, true), 0);
}

TEST_F(CollectorTest, AfterAClearTheCloakForTheQueenComesFirst) {
    g().GameCleared = true;
    g().NoaFlg[6] = 1;
    Sack(10, 1, true);
    EXPECT_EQ(Step(11), "業者：女王さんがノア武具を集めてるらしいな");
    EXPECT_EQ(g().StoryNo, 100);
    Step(101);
    EXPECT_EQ(g().NoaFlg[4], 1);
    EXPECT_TRUE(Owns(4));
    EXPECT_TRUE(g().AllArms[483].LArmsList);
    EXPECT_EQ(Step(102), "業者：くれぐれも頼んだぞ！さて、後はいつものギョクだが…");
    EXPECT_EQ(g().StoryNo, 10);
    EXPECT_EQ(InSack(10, true), 1);
}

TEST_F(CollectorTest, FindSackJewelSkipsItemsAndNewJewelsWhenAsked) {
    Handed(5);
    Sack(20, 1, true);
    Sack(3, 1, true);
    FindSackJewel(g(), false);
    EXPECT_EQ(g().GyokuReward[2], 3);  // after the three starting items
    FindSackJewel(g(), true);
    EXPECT_EQ(g().GyokuReward[2], 4);
    ASSERT_TRUE(SackChange(g(), 0, 4, true, 1, true));
    ASSERT_TRUE(SackChange(g(), 0, 3, true, 1, true));
    FindSackJewel(g(), false);
    EXPECT_EQ(g().GyokuReward[2], NoRecipeMaterial);
}

}  // namespace
}  // namespace q
