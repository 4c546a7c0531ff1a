// The clear record file: one record appended per clear, its figures, marks
// and line ends, and a folder it cannot be written to.
#include "EndingFixture.h"
#include "save/ClearRecord.h"

namespace q::test {
namespace {

namespace fs = std::filesystem;

using ClearRecordTest = ClearTest;

// Lists exactly the first `n` arms.
void ListArms(Game& g, int n) {
    for (int i = 0; i < ArmCount; ++i) g.AllArms[size_t(i)].LArmsList = i < n;
}

std::string Joined(std::initializer_list<const char*> lines) {
    std::string out;
    for (const char* l : lines) (out += l) += '\n';
    return out;
}

TEST_F(ClearRecordTest, ARecordLineByLine) {
    Game& s = g();
    ListArms(s, 3);
    s.NowYear = 3061;
    s.NowMonth = 7;
    s.NowDay = 9;
    s.MyLevel = 42;
    s.MyMaxHp = 12345;
    s.MyMaxBody = 250;
    s.MyMaxWater = 300;
    s.MyAt = 123;
    s.MyDi = 98;
    s.MySp = 76;
    s.MyGold = 1'234'567;
    s.ShopHaveHouse[HouseBank].HLHouseNum = -1'234'567;
    s.ShopHaveHouse[HouseShares].HLHouseNum = 2500;
    s.MyFame = 4321;
    s.EnemyCount = 1000;
    s.EscapeCount = 12;
    s.DieCount = 3;
    s.SellCount = 2345;
    s.BuyCount = 3456;
    s.DeclineCount = 7;
    s.DealingCount = 1;
    s.HaveGyokuNum = 100;
    s.NowMaxShop = 500;
    s.NowMaxStock = 999;
    s.NowMaxBag = 150;
    s.NowMaxSack = 49;
    ASSERT_TRUE(WriteClearFile(s));

    const std::string banner =
        "**********************************************************\n"
        "**********************************************************\n"
        "****** Quorvane *****************************************\n"
        "****** クリアデータ **************************************\n"
        "**********************************************************\n"
        "**********************************************************\r\n";
    const std::string record = Joined({
        "",
        "終了年月日：3061年7月9日",
        "レベル　　：42",
        "体力　　　：12,345",
        "満腹　　　：250",
        "水分　　　：300",
        "攻撃力　　：123",
        "防御力　　：98",
        "素早さ　　：76",
        "所持金　　：1,234,567",
        "銀行預金　：-1,234,567",
        "持ち株数　：2,500",
        "評判　　　：4,321",
        "勝った回数：1,000",
        "逃げた回数：12",
        "倒れた回数：3",
        "売った回数：2,345",
        "買った回数：3,456",
        "売買を断わった回数：7",
        "魔族と取引した回数：1",
        "武具収集　：3／500",
        "玉収集　　：100／100(Collect!)",
        "店サイズ　：500(MAX!)",
        "倉庫サイズ：999",
        "鞄サイズ　：150(MAX!)",
        "袋サイズ　：49",
        "",
        "総評価：【Ｃランク】",
        "・不動産屋：普通の店だな。まぁ、あんたはよく頑張ったよ。",
        "　　　　　　もう少し色々集めてみたらどうだ？",
        "　　　　　：武具商人と名乗るなら、",
        "　　　　　　この辺の武具ぐらい集めてみたらどうだ？",
        "　　　　　：玉を全部集めたんだって？",
        "　　　　　　その腕なら、何の職業だってやって行けるよ！",
        "　　　　　：貴重品の種類は全部で29種類あるんだぜ。",
        "　　　　　　そのうち、効果があるのが8種類あるんだ。全部見つけたか？",
        "　　　　　　まぁ、1個は特別だけどな。",
        "　　　　　：お、初クリアか。頑張ったみたいだから、ワシが特別に",
        "　　　　　　武具レシピを3つやろう！もっと頑張っていい店にしてくれ！",
        "　　　　　：そうそう、ハノダの広場に変わった女が立ってたぜ",
        "　　　　　　「人生をやり直しませんか？」だってよ！",
        "　　　　　　気になるなら行ってみたらどうだ？",
        "　　　　　　そんなあんたには、俺からとびっきりの情報を教えてやろう",
        "　　　　　　エルウインドの広場に行ってみな。面白い奴が来てるぜ！",
        "",
        "クリアまで【11年3ヵ月】掛かりました。",
        "・不動産屋：まぁ、妥当な線だな。",
        "　　　　　　このくらいの年の方が武具商人って感じがするぞ",
        "",
        "※不動産屋から何かを貰った台詞が書かれていても、クリア後にセーブをしなかった場合はゲームに反映されません。",
        "　気になる方は、もう一度クリアしてくださいね。",
        "",
        "",
        "",
    });
    EXPECT_EQ(ReadBytes(ClearFileName), banner + record + "\r\n");
    EXPECT_EQ(s.HaveArmsNum, 3);
    EXPECT_TRUE(s.GameCleared);
}

TEST_F(ClearRecordTest, EveryClearAddsARecordAtTheEnd) {
    const std::string earlier = "an earlier clear\r\n";
    WriteBytes(ClearFileName, earlier);
    ASSERT_TRUE(WriteClearFile(g()));
    const std::string first = ReadBytes(ClearFileName);
    ASSERT_TRUE(first.starts_with(earlier));
    ASSERT_TRUE(WriteClearFile(g()));
    const std::string both = ReadBytes(ClearFileName);
    ASSERT_TRUE(both.starts_with(first));

    // The second record is the later clear: no recipes any more.
    const std::string second = both.substr(first.size());
    EXPECT_NE(first.find("武具レシピを3つやろう"), std::string::npos);
    EXPECT_EQ(second.find("武具レシピを3つやろう"), std::string::npos);
    // Only the banner's last line and the record's last line end with CR LF.
    const auto lines = FileLines(second);
    std::vector<size_t> crlf;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].crlf) crlf.push_back(i);
    EXPECT_EQ(crlf, (std::vector<size_t>{5, lines.size() - 1}));
    EXPECT_EQ(lines.back().text, "");
    for (size_t i = lines.size() - 4; i < lines.size(); ++i) EXPECT_EQ(lines[i].text, "") << "four empty lines close it";
}

TEST_F(ClearRecordTest, CollectionsAndCapacitiesAtTheirFullSizeAreMarked) {
    const struct {
        std::function<void(Game&)> set;
        const char* line;
    } cases[] = {
        {[](Game& g) { ListArms(g, 500); }, "武具収集　：500／500(Collect!)"},
        {[](Game& g) { ListArms(g, 499); }, "武具収集　：499／500"},
        {[](Game& g) { g.HaveGyokuNum = 99; }, "玉収集　　：99／100"},
        {[](Game& g) { g.NowMaxShop = 499; }, "店サイズ　：499"},
        {[](Game& g) { g.NowMaxStock = 1000; }, "倉庫サイズ：1000(MAX!)"},
        {[](Game& g) { g.NowMaxBag = 149; }, "鞄サイズ　：149"},
        {[](Game& g) { g.NowMaxSack = 50; }, "袋サイズ　：50(MAX!)"},
        {[](Game& g) { g.NowMaxSack = 49; }, "袋サイズ　：49"},
        {[](Game& g) { g.ShopHaveHouse[HouseBank].HLHouseNum = 0; }, "銀行預金　：0"},
        {[](Game& g) { g.ShopHaveHouse[HouseBank].HLHouseNum = 999'999'999; }, "銀行預金　：999,999,999"},
        {[](Game& g) { g.NowYear = 3100, g.NowMonth = 12, g.NowDay = 29; }, "終了年月日：3100年12月29日"},
    };
    for (const auto& c : cases) {
        fs::remove(ClearFileName);
        c.set(g());
        ASSERT_TRUE(WriteClearFile(g()));
        const auto lines = Texts(FileLines(ReadBytes(ClearFileName)));
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.line), lines.end()) << c.line;
    }
}

TEST_F(ClearRecordTest, AFileThatCannotBeWrittenStillRanksThePlay) {
    fs::create_directory(ClearFileName);  // a folder where the file should be
    ListArms(g(), 7);
    EXPECT_FALSE(WriteClearFile(g()));
    EXPECT_TRUE(fs::is_directory(ClearFileName));
    EXPECT_EQ(g().HaveArmsNum, 7);
    EXPECT_TRUE(g().GameCleared);
    EXPECT_TRUE(g().AllKey[23].LKeyList);
}

}  // namespace
}  // namespace q::test
