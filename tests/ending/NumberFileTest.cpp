// The number file: the form for the makers, its proof code and the date it
// carries, replaced by every call.
#include "EndingFixture.h"
#include "save/NumberFile.h"

namespace q::test {
namespace {

namespace fs = std::filesystem;

using NumberFileTest = ClearTest;

constexpr size_t CodeLine = 23;  // line 24, counted from 0

// The date digits and the decoded proof code of line 24.
struct CodeParts {
    std::string date;
    std::string plainCode;
    size_t cipherChars = 0;
};

CodeParts ReadCode(const std::vector<FileLine>& lines) {
    const std::string indent = "　　　";
    const std::string& line = lines.at(CodeLine).text;
    EXPECT_TRUE(line.starts_with(indent)) << line;
    CodeParts p;
    p.date = line.substr(indent.size(), 9);
    const std::string stored = line.substr(indent.size() + 9);
    p.plainCode = Decode(stored);
    p.cipherChars = stored.size() / 3;  // every cipher character is three bytes
    return p;
}

TEST_F(NumberFileTest, TheFormLineByLine) {
    g().NowYear = 3050;
    g().NowMonth = 4;
    g().NowDay = 1;
    ASSERT_TRUE(WriteNumberFile(g()));
    const auto lines = FileLines(ReadBytes(NumberFileName));
    const std::string stars58(58, '*'), stars63(63, '*'), plus46(46, '+');
    const std::vector<std::string> want{
        stars58,
        stars58,
        "****** Quorvane *****************************************",
        "****** 武具商人パスワードファイル ******************",
        stars58,
        stars58,
        "",
        "",
        "Quorvane作者のゼンロ＆ピレルです。",
        "ゲームをココまでやりこんでいただきありがとうございます。",
        "私たち二人からの「やりこみ特典」として、あなたのお名前とご感想を、",
        "私たちの運営するWebサイト「Quorvane農園」で紹介したいと思います。",
        "先着50名様までの限定特典となりますので、人数が集まり次第終了とさせていただきます。",
        "終了後も感想などはバンバン受け付けていますので、良かったらメールしてくださいね。",
        "",
        "メールは下記の「ココから」～「ココまで」をコピーしてお使いください。",
        "たくさんの方の紹介をしたいので、応募はお一人様一回までとさせていただきます。",
        "なお、お名前、ご感想が記入されていないものは受付できませんのでご了承ください。",
        "",
        "「ココから」" + plus46,
        "　・お名前",
        "　・ご感想(一行コメントでも構いませんのでお書きください)",
        "　・パスワード ",
        lines.at(CodeLine).text,  // read on its own below
        plus46 + "「ココまで」",
        "",
        "",
        stars63,
        "*　サイト名：Quorvane農園",
        "*　管理人  ：ゼンロ＆ピレル",
        "*　URL　　 ：",
        "*　Mail　　：",
        stars63,
    };
    EXPECT_EQ(Texts(lines), want);
    // Three writes, each closed by CR LF; every other line ends with LF.
    std::vector<size_t> crlf;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].crlf) crlf.push_back(i + 1);
    EXPECT_EQ(crlf, (std::vector<size_t>{8, 27, 33}));

    const CodeParts code = ReadCode(lines);
    EXPECT_EQ(code.date, "030500401");
    EXPECT_EQ(code.plainCode, "5909" "03050" "04" "03050" "01" "7090");
    EXPECT_EQ(code.cipherChars, 22u);
}

TEST_F(NumberFileTest, EveryCallReplacesTheFormWithTheDateOfTheDay) {
    const struct {
        Long year, month, day;
        const char* date;
        const char* code;
    } cases[] = {
        {3050, 4, 1, "030500401", "5909030500403050017090"},
        {3063, 12, 29, "030631229", "5909030631203063297090"},
        {12345, 1, 9, "123450109", "5909123450112345097090"},
    };
    for (const auto& c : cases) {
        g().NowYear = c.year;
        g().NowMonth = c.month;
        g().NowDay = c.day;
        ASSERT_TRUE(WriteNumberFile(g()));
        const auto lines = FileLines(ReadBytes(NumberFileName));
        ASSERT_EQ(lines.size(), 33u) << "one form, not two";
        const CodeParts code = ReadCode(lines);
        EXPECT_EQ(code.date, c.date);
        EXPECT_EQ(code.plainCode, c.code);
        EXPECT_EQ(code.cipherChars, 22u);
        EXPECT_EQ(ProofCode(c.year, c.month, c.day), c.code);
    }
}

TEST_F(NumberFileTest, AFileThatCannotBeWrittenIsToldInABox) {
    fs::create_directory(NumberFileName);
    const int boxes = MessageBoxes();
    EXPECT_FALSE(WriteNumberFile(g()));
    EXPECT_EQ(MessageBoxes(), boxes + 1);
    EXPECT_NE(transcript.str().find("Number.txt を作成できませんでした。"), std::string::npos);

    // Reached by name, as the development room reaches it.
    fs::remove(NumberFileName);
    g().Call("WriteNumberFile");
    EXPECT_TRUE(fs::is_regular_file(NumberFileName));
    EXPECT_EQ(MessageBoxes(), boxes + 1);
}

}  // namespace
}  // namespace q::test
