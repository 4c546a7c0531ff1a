#include "town/DevRoom.h"

#include <array>
#include <span>

#include "core/Game.h"
#include "core/Message.h"
#include "town/FacilityWindow.h"
#include "town/TalkScript.h"

namespace q {

namespace {

constexpr const char* Introductions[] = {
    "イザベラ：あの……皆さんは、どなたですか？",
    "ゼンロ：よく来たな！俺はゼンロ。このゲームのプログラムを担当してる",
    "ピレル：私はピレル。絵とお話を作っているの",
    "ベルノ：ボクはベルノ。テストプレイヤーってやつだよ",
    "イザベラ：ゲーム……？プログラム……？何のことかしら",
    "ゼンロ：おっと、細かいことは気にすんな。ここは開発室、作り手の部屋さ",
    "ピレル：あなたがここに来られたってことは、武具を全部集めたってことね",
    "ベルノ：500種類全部だよ？ボクでもかなり時間がかかったなぁ",
    "イザベラ：確かに、全部の武具を手にしましたけど……",
    "ゼンロ：大したもんだ。正直、そこまでやってくれる人がいるか不安だったんだ",
    "ピレル：ゼンロったら、武具の表を作りながら「多すぎたか？」ってずっと言ってたものね",
    "ゼンロ：言ってねぇよ。……いや、三回くらいは言ったかもな",
    "ベルノ：ボクは全部の武具を店に並べて、ちゃんと売れるか確かめたんだよ",
    "イザベラ：ご苦労様です……",
    "ピレル：私はイザベラちゃんの絵を何度も描き直したのよ",
    "ピレル：歩く時の足の動きが、なかなか可愛くならなくてね",
    "イザベラ：そ、それはどうも……",
    "ゼンロ：ここでは、ゲームを作った時の話が聞けるぜ",
    "ピレル：気になる話を選んで、好きなだけ聞いていってね",
    "ベルノ：ボクの苦労話もあるよ！",
    "イザベラ：苦労話……ですか",
    "ゼンロ：まぁ、肩の力を抜いて聞いてくれ",
    "ピレル：お茶でも出せればいいんだけど、ここには何もないのよね",
    "イザベラ：いえ、お構いなく。では、いろいろ聞かせてください",
};

constexpr const char* Thanks[] = {
    "ゼンロ：まずは、ここまで遊んでくれて本当にありがとう",
    "ピレル：私からも、ありがとう。最後まで付き合ってくれて嬉しいわ",
    "ゼンロ：店を開いて、客と値段の駆け引きをして、洞窟や塔に潜って……",
    "ゼンロ：全部やり遂げたプレイヤーに、俺たちからお願いがあるんだ",
    "ピレル：どのくらい遊び込んでくれたのか、私たちに教えてほしいの",
    "ゼンロ：そこで、証明の番号を入れたファイルを用意した",
    "ピレル：番号は、あなたの遊んだ記録から作られるのよ",
    "ゼンロ：書き換えるとすぐにバレるから、ズルはなしだぜ",
    "ピレル：もちろん、送るかどうかはあなたの自由よ",
    "ゼンロ：よし、じゃあ今から書き出すぞ",
    "ピレル：準備はいい？",
    "ゼンロ：ゲームのフォルダに「Number.txt」を書き出したぜ。開いて中身を読んでみてくれ",
    "ピレル：書いてある通りにしてくれたら、私たちに届くからね",
    "ゼンロ：何度でも書き出せるから、なくしても大丈夫だ",
    "ピレル：それじゃあ、最後に二人で",
    "ゼンロ＆ピレル：本当に、ありがとうございました！",
};

constexpr const char* GoodTimes[] = {
    "イザベラ：ゲームを作っていて、楽しかったことは何ですか？",
    "ゼンロ：客との値段交渉の台詞を考えてる時だな",
    "ゼンロ：客の種類ごとに口癖を変えたら、急に店が賑やかになったんだ",
    "ピレル：私は、モンスターの絵を描いている時ね",
    "ピレル：100体もいるから大変だったけど、一体ずつ性格を考えるのが楽しかったわ",
    "ベルノ：ボクは、初めてラスボスを倒した時！",
    "ベルノ：テスト中なのに、思わず声を上げちゃったよ",
    "イザベラ：ふふ、楽しそうですね",
    "ゼンロ：画面の上を、自分の作ったキャラクターが歩き回るのを見た時も嬉しかったな",
    "ピレル：いつもの画面の上に、イザベラちゃんが立ってるのよ。不思議な気分だったわ",
    "ベルノ：仕事中に画面の端で店が開いてると、つい見ちゃうんだよね",
    "イザベラ：（仕事中……？）",
};

constexpr const char* HardTimes[] = {
    "イザベラ：では、苦労したことは何ですか？",
    "ゼンロ：山ほどあるぞ。まずは、キャラクターの形に窓を切り抜く仕組みだな",
    "ゼンロ：絵の形に合わせて、見える所とクリックできる所を作ってるんだ",
    "ゼンロ：これがなかなか思い通りにならなくてな",
    "ピレル：私は絵の大きさね。小さな絵の中に表情を込めるのが難しかったわ",
    "ピレル：点を一つ置くだけで、顔つきが全然変わっちゃうの",
    "イザベラ：点を一つ……ですか",
    "ベルノ：ボクはテストだね。同じ道を何百回も歩いたよ",
    "ベルノ：宝箱の中身が正しいか確かめるだけで、一週間かかったこともあるんだ",
    "ゼンロ：ベルノが見つけてくれた不具合は、数え切れないな",
    "ベルノ：店を閉めた瞬間に客が来ると、お金が二重に入る不具合とかね",
    "イザベラ：それは……ちょっと嬉しいかも",
    "ゼンロ：嬉しくねぇよ！直すのにどれだけかかったと思ってる",
    "ピレル：お話の順番を決めるのも大変だったわ",
    "ピレル：どの町の人が、いつ、何を言うのか、全部表にしたのよ",
    "ゼンロ：その表を見ながら、俺がひとつひとつ組み込んだんだ",
    "ベルノ：で、ボクが全員に話しかけて確かめたんだよね",
    "イザベラ：皆さん、本当にお疲れ様です",
    "ゼンロ：一番苦労したのは、時間が足りなかったことかもな",
    "ピレル：締め切り前は、三人ともほとんど寝てなかったわね",
    "ベルノ：ボクは寝てたけど",
    "ゼンロ：……お前、いつも一番早く寝てたよな",
    "イザベラ：ふふっ。でも、皆さんのおかげで私はここにいるんですね",
};

constexpr const char* DroppedIdeas[] = {
    "イザベラ：作ったけれど使わなかったお話はありますか？",
    "ゼンロ：あるある。最初は、店に料理も並べる予定だったんだ",
    "ピレル：武具屋なのに、カレーが売れるの",
    "イザベラ：それは……ちょっと困りますね",
    "ゼンロ：あと、イザベラが空を飛ぶ乗り物もあったな",
    "ピレル：絵を描いてる途中で、画面からはみ出すって気付いたのよね",
    "ゼンロ：天気が変わる仕組みも考えたぞ",
    "ゼンロ：雨の日は客が減って、傘が売れる",
    "ピレル：結局、傘を武具にするのは無理があるってことになったの",
    "イザベラ：傘で戦うのは、ちょっと……",
    "ピレル：イザベラちゃんに妹がいる設定もあったのよ",
    "ゼンロ：出番を作る前に、時間が足りなくなっちまった",
    "イザベラ：妹……。会ってみたかったです",
    "ピレル：いつか、どこかで会えるかもしれないわね",
    "ゼンロ：没になった話も、いつか何かの形で使いたいな",
};

constexpr const char* NextGame[] = {
    "イザベラ：次のゲームの予定はあるんですか？",
    "ゼンロ：まだ何も決まってないな",
    "ピレル：でも、作りたいものはたくさんあるのよ",
    "ゼンロ：今度は、もっとたくさんの町を歩けるようにしたいな",
    "ピレル：私は、もっと大きな絵を描いてみたいわ",
    "イザベラ：そのときは、私も出られますか？",
    "ゼンロ：どうだろうな。イザベラの店が繁盛してたら考えるさ",
    "ピレル：楽しみにしててね",
    "ゼンロ＆ピレル：次回作も、よろしくお願いします！",
};

// The thanks topic hands the players the number file as its step 21 is told.
constexpr Long NumberFileStep = 21;
// Told at that step instead when the file could not be written.
constexpr const char* NumberFileFailedLine = "ゼンロ：あれっ？「Number.txt」が書き出せなかったぞ。ゲームのフォルダを確かめてくれ";

struct Topic {
    const char* caption;
    std::span<const char* const> lines;  // from step 10
};

constexpr std::array<Topic, 6> Topics{{
    {"自己紹介", Introductions},
    {"お礼", Thanks},
    {"楽しかったこと", GoodTimes},
    {"苦労したこと", HardTimes},
    {"没ネタ", DroppedIdeas},
    {"次回作の予定", NextGame},
}};

constexpr Long FirstStep = 10;

void BackToIdle(Game& g) {
    g.StoryNo = 10;
    ShowMessage(g, g.LastMessage);
    g.OfferPending = false;
    g.NoClick = NoClickNone;
}

// The chosen row counted from 1, or 0 for none.
int ChosenRow(Game& g) {
    auto* list = FacilityControl<ListView>(g, "lstList");
    if (!list) return 0;
    const auto rows = list->SelectedRows();
    return rows.empty() ? 0 : rows.front();
}

void SetCaption(Game& g, int index, const char* text) {
    if (auto* l = FacilityControl<Label>(g, "lblNumber", index)) l->Caption = text;
}

void Hide(Game& g, const char* name, int index = -1) {
    if (Control* c = FacilityControl<Control>(g, name, index)) c->Visible = false;
}

}  // namespace

void KaihatsuWindow(Game& g) {
    SetCaption(g, 0, "+++ 開発室 +++");
    SetCaption(g, 1, "+++ 開発室 +++");
    Hide(g, "lblNumber", 2);
    Hide(g, "txtNumber");
    if (auto* b = FacilityControl<CommandButton>(g, "cmdBuy")) {
        b->Caption = "聞く";
        b->ToolTipText = Quoted("選択した話を聞きます");
    }
    if (auto* list = FacilityControl<ListView>(g, "lstList")) {
        list->ClearColumns();
        list->AddColumn("聞きたいこと", 3500);
        list->ClearItems();
        for (const Topic& t : Topics) list->AddItem(t.caption);
    }
    g.StoryNo = 10;
    g.StoryName = "BuyItem";
    ShowMessage(g, g.LastMessage);
    g.ReloadList = false;
    if (Control* c = FacilityControl<Control>(g, "lstList")) c->Enabled = true;
    EnableFacilityButton(g, true);
}

void KaihatsuBuyTurn(Game& g) {
    if (g.OfferPending) {
        if (g.StoryNo != StoryAfterEndNo) {
            DevRoomSpeech(g);
            return;
        }
        EnableFacilityControls(g, true);
        FocusFacilityList(g);
        BackToIdle(g);
        return;
    }
    if (g.StoryNo == 11) {
        BackToIdle(g);
        return;
    }
    if (g.StoryNo != 10) return;
    g.NoClick = NoClickRight;
    const int row = ChosenRow(g);
    if (row == 0) {
        BackToIdle(g);
        return;
    }
    g.ListIndex = row - 1;
    g.WorkNum = row;
    EnableFacilityControls(g, false);
    g.OfferPending = true;
    DevRoomSpeech(g);
}

void DevRoomSpeech(Game& g) {
    if (g.ListIndex < 0 || g.ListIndex >= Long(Topics.size())) {
        ShowTalkLine(g);
        return;
    }
    const Topic& topic = Topics[size_t(g.ListIndex)];
    const Long at = g.StoryNo - FirstStep;
    if (at >= 0 && at < Long(topic.lines.size())) {
        g.MessageText = topic.lines[size_t(at)];
        if (g.ListIndex == 1 && g.StoryNo == NumberFileStep) {
            g.NumberFileFailed = false;
            g.Call("WriteNumberFile");
            if (g.NumberFileFailed) g.MessageText = NumberFileFailedLine;
        }
        if (at == Long(topic.lines.size()) - 1) g.StoryNo = StoryEndNo;
    }
    ShowTalkLine(g);
}

void RegisterDevRoom(Game& g) {
    g.SetHandler("frmItemShop.KaihatsuWindow", [&g](Long) { KaihatsuWindow(g); });
    g.SetHandler("frmItemShop.KaihatsuBuyTurn", [&g](Long) { KaihatsuBuyTurn(g); });
    g.SetHandler("DevRoomSpeech", [&g](Long) { DevRoomSpeech(g); });
    g.procs.add("DevRoomSpeech", [](Game& g, const Procs::Args&) {
        DevRoomSpeech(g);
        return std::string();
    });
}

}  // namespace q
