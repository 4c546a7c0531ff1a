#include "save/NumberFile.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "core/Game.h"
#include "save/SaveCipher.h"
#include "save/TextFile.h"

namespace q {

namespace {

// Where players send the form; the web page and the mail address of the makers.
constexpr std::string_view MakersSite = "";
constexpr std::string_view MakersMail = "";

constexpr std::string_view CodeOpening = "5909";
constexpr std::string_view CodeClosing = "7090";

constexpr std::array<std::string_view, 8> Heading{
    "**********************************************************",
    "**********************************************************",
    "****** Quorvane *****************************************",
    "****** 武具商人パスワードファイル ******************",
    "**********************************************************",
    "**********************************************************",
    "",
    "",
};

constexpr std::array<std::string_view, 15> Letter{
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
    "「ココから」++++++++++++++++++++++++++++++++++++++++++++++",
    "　・お名前",
    "　・ご感想(一行コメントでも構いませんのでお書きください)",
    "　・パスワード ",
};

constexpr std::string_view CodeIndent = "　　　";

constexpr std::array<std::string_view, 3> LetterEnd{
    "++++++++++++++++++++++++++++++++++++++++++++++「ココまで」",
    "",
    "",
};

constexpr std::string_view SiteRule = "***************************************************************";

constexpr const char* NumberFileErrorText =
    "『ナンバーファイル書き込みエラー』\r\n"
    "\r\n"
    "Number.txt を作成できませんでした。\r\n"
    "ゲームのフォルダに書き込めるか確かめてください。";

// A number zero-filled to `width` digits, as Format "00000" writes it.
std::string ZeroFilled(Long v, int width) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%0*ld", width, long(v));
    return buf;
}

template <size_t N>
std::string Joined(const std::array<std::string_view, N>& lines) {
    std::string text;
    for (size_t i = 0; i < N; ++i) {
        if (i > 0) text += '\n';
        text += lines[i];
    }
    return text;
}

// The form to fill in, down to the proof code and the end of the part to copy.
std::string LetterText(const Game& g) {
    std::string text = Joined(Letter) + '\n';
    text += CodeIndent;
    text += ZeroFilled(g.NowYear, 5) + ZeroFilled(g.NowMonth, 2) + ZeroFilled(g.NowDay, 2);
    std::string code;
    CipherLine(true, ProofCode(g.NowYear, g.NowMonth, g.NowDay), code);
    text += code + '\n';
    return text + Joined(LetterEnd);
}

std::string SiteText() {
    std::string text(SiteRule);
    text += "\n*　サイト名：Quorvane農園";
    text += "\n*　管理人  ：ゼンロ＆ピレル";
    text += "\n*　URL　　 ：" + std::string(MakersSite);
    text += "\n*　Mail　　：" + std::string(MakersMail);
    text += "\n" + std::string(SiteRule);
    return text;
}

}  // namespace

std::string ProofCode(Long Year, Long Month, Long Day) {
    return std::string(CodeOpening) + ZeroFilled(Year, 5) + ZeroFilled(Month, 2) + ZeroFilled(Year, 5) +
           ZeroFilled(Day, 2) + std::string(CodeClosing);
}

bool WriteNumberFile(Game& g) {
    const bool written = WriteTextFile(NumberFileName, {Joined(Heading), LetterText(g), SiteText()}, false);
    if (!written) g.host.MsgBox(NumberFileErrorText, vbCritical | vbOKOnly, "");
    return written;
}

}  // namespace q
