#include "field/BossSpeech.h"

#include <array>

#include "core/Game.h"
#include "core/Message.h"
#include "field/FieldEvents.h"
#include "shop/ListWindows.h"

namespace q {

namespace {

constexpr std::array<BossRecord, 12> Bosses{{
    {0, "HanoMori", 0, 223, 0, BossReward::None},
    {1, "HanoSiro", 0, 321, 7, BossReward::None},
    {2, "MoriElf", 0, 359, 1, BossReward::None},
    {3, "ElfAna", 0, 303, 2, BossReward::None},
    {4, "Shinen", 15, 361, 3, BossReward::None},
    {5, "Shinen", 39, 375, 4, BossReward::FortuneTellerFreed},
    {6, "Shinen", -1, BlankFigure, 5, BossReward::CrystalBall},
    {7, "Shinen", 199, 193, 10, BossReward::None},
    {8, "Shinen", 299, 295, 11, BossReward::CastleReport},
    {9, "Tou", 49, 297, 8, BossReward::None},
    {10, "Tou", 99, 263, 9, BossReward::None},
    {12, "ElfMugen", 0, 17, 12, BossReward::None},
}};

// A line of a boss story. Fight: the next click starts the fight. Beaten:
// the story's last line.
enum class BossMark { Plain, Fight, Beaten };
// A line that changes the stage: the fortune teller stands where the boss
// stood, or the boss is gone.
enum class BossScene { None, FortuneTeller, BossGone };

struct BossLine {
    Long boss;
    Long step;
    BossMark mark;
    const char* line;
    const char* earlyLine = nullptr;  // said instead while the story is at stage 8 or before
    BossScene scene = BossScene::None;
};

constexpr Long FortuneTeller = 84;
constexpr Long FightStep = 50;
constexpr Long EndStep = 150;

const BossLine BossLines[] = {
    {0, 11, BossMark::Plain, "フランケン：新しい実験体が来たか…"},
    {0, 12, BossMark::Plain, "フランケン：お前も俺のような立派な身体が欲しいか？"},
    {0, 13, BossMark::Plain, "イザベラ：そんな色の悪い身体になりたくないわ"},
    {0, 14, BossMark::Fight, "フランケン：俺の完璧な身体を馬鹿にするか！！"},
    {0, 101, BossMark::Plain, "フランケン：俺の完璧な身体がぁ…"},
    {0, 102, BossMark::Beaten, "イザベラ：完璧にするなら、もっとまともな色にすることね"},
    {1, 11, BossMark::Plain, "激怒モンキー：ウッキー！！ウキキキキィー！！"},
    {1, 12, BossMark::Fight, "イザベラ：何だかわからないけど、怒っているようだわ"},
    {1, 101, BossMark::Plain, "激怒モンキー：ウキキキィ……！！"},
    {1, 102, BossMark::Beaten, "イザベラ：怒りながら逃げていったわ。何だったのかしら？"},
    {2, 11, BossMark::Plain, "トロール：うぉぉおぉん"},
    {2, 12, BossMark::Fight, "イザベラ：あなたの暴走を止めにきたわ"},
    {2, 101, BossMark::Beaten, "トロール：うぉぉおぉん………"},
    {3, 11, BossMark::Plain, "イザベラ：きゃああ！！ミイラ男だわ！！"},
    {3, 12, BossMark::Plain, "ミイラ男？：失礼ね、男じゃないわよっ！"},
    {3, 13, BossMark::Plain, "ミイラ男？：たしかに身体は男だけど、心は立派な女の子よ！"},
    {3, 14, BossMark::Fight, "イザベラ：…………"},
    {3, 101, BossMark::Plain, "ミイラ男？：あぁ…、あたしはか弱き乙女……"},
    {3, 102, BossMark::Plain, "ミイラ男？：次は身体も女に生まれ変わるわ"},
    {3, 103, BossMark::Beaten, "イザベラ：…………"},
    {4, 11, BossMark::Plain, "トロールマスター：活きのいいのがきたな。こないだのバアさんとは大違いだ"},
    {4, 12, BossMark::Plain, "イザベラ：そのお婆さんはどこに居るのっ？！", "イザベラ：お婆さんって何のこと？"},
    {4, 13, BossMark::Fight, "トロールマスター：お前には関係のないことだ！"},
    {4, 101, BossMark::Plain, "トロールマスター：ベ……ベラドンナ様……"},
    {4, 102, BossMark::Beaten, "イザベラ：ベラドンナ？……誰のことかしら？"},
    {5, 11, BossMark::Plain, "傀儡子：お前何者だ？ここはお前のような小娘が来るような場所ではないぞ"},
    {5, 12, BossMark::Plain, "イザベラ：さらったお婆さんはどこ？！"},
    {5, 13, BossMark::Plain, "傀儡子：ほぉ。お前、あの計画を知っているのか…？"},
    {5, 14, BossMark::Plain, "イザベラ：いいから答えなさい！"},
    {5, 15, BossMark::Plain, "傀儡子：婆さんは、もう用済みだからな。そこら辺に転がってるんじゃないか？"},
    {5, 16, BossMark::Plain, "イザベラ：！！"},
    {5, 17, BossMark::Fight, "傀儡子：お前も生け贄として使ってやろう。光栄だろ？アーッハッハハ！"},
    {5, 101, BossMark::Plain, "傀儡子：ジーク様の復活をこの目で…拝み……た……かった…"},
    {5, 102, BossMark::Plain, "占いババ：うむむむ……", nullptr, BossScene::FortuneTeller},
    {5, 103, BossMark::Plain, "イザベラ：大丈夫ですか？"},
    {5, 104, BossMark::Plain, "占いババ：ありがとよ、若いの"},
    {5, 105, BossMark::Plain, "占いババ：わしは水晶球の占いで、封印された魔族の場所を探させられていた"},
    {5, 106, BossMark::Plain, "イザベラ：それが…ジーク……"},
    {5, 107, BossMark::Plain, "占いババ：そうじゃ…。わしは見つけてしまった"},
    {5, 108, BossMark::Plain, "イザベラ：では、復活が近いと…？"},
    {5, 109, BossMark::Plain, "占いババ：そういうことになるな"},
    {5, 110, BossMark::Plain, "占いババ：若いの、アミュレットの女王にこのことを伝えてくれ"},
    {5, 111, BossMark::Beaten, "占いババ：わしは先に戻って、ジークの文献について調べようぞ"},
    {6, 11, BossMark::Plain, "イザベラ：何かしら？透明な石？"},
    {6, 12, BossMark::Plain, "イザベラ：多分、水晶球というやつね"},
    {6, 13, BossMark::Beaten, "イザベラ：占い師のおばあさんの物かもしれないわ。持っていきましょう"},
    {7, 11, BossMark::Plain, "吸血のベラドンナ：あら可愛い子猫ちゃんね"},
    {7, 12, BossMark::Plain, "イザベラ：猫じゃないわ！あなたを倒しに来たのよ！"},
    {7, 13, BossMark::Plain, "吸血のベラドンナ：うふふ。威勢がいいところも可愛いわぁ"},
    {7, 14, BossMark::Plain, "吸血のベラドンナ：食べちゃおうかしら"},
    {7, 15, BossMark::Fight, "イザベラ：覚悟なさい！"},
    {7, 101, BossMark::Plain, "吸血のベラドンナ：そ…そんな。まさかこのわたくしが……"},
    {7, 102, BossMark::Plain, "吸血のベラドンナ：ジーク様……お慕いしております……"},
    {7, 103, BossMark::Plain, "吸血のベラドンナ：わたくしが滅びても…、ジーク様がお前を！！"},
    {7, 104, BossMark::Plain, "イザベラ：ベラドンナは灰になったわ…", nullptr, BossScene::BossGone},
    {7, 105, BossMark::Beaten, "イザベラ：次はジーク！"},
    {8, 11, BossMark::Plain, "魔族ジーク：ベラドンナをやったのは貴様か！"},
    {8, 12, BossMark::Plain, "イザベラ：そうよ！あなたもここで滅びなさい！"},
    {8, 13, BossMark::Plain, "魔族ジーク：ふんっ！貴様ごときに倒される俺様ではないわ！"},
    {8, 14, BossMark::Fight, "魔族ジーク：貴様を血祭りにあげた後は、世界を滅ぼしてくれる！"},
    {8, 101, BossMark::Plain, "魔族ジーク：……ベラドンナ………"},
    {8, 102, BossMark::Plain, "魔族ジーク：お前に貰った命、……無駄にしたようだ……"},
    {8, 103, BossMark::Plain, "イザベラ：や…やったわ！！ジークを倒したわ！", nullptr, BossScene::BossGone},
    {8, 104, BossMark::Beaten, "イザベラ：急いでお城に報告に行きましょう！！"},
    {9, 11, BossMark::Plain, "メデューサ：若い娘が来たのぉ"},
    {9, 12, BossMark::Fight, "メデューサ：わらわの美の生け贄になるがよいぞ"},
    {9, 101, BossMark::Beaten, "メデューサ：ヒィィィィ！わらわの美貌がぁぁぁ…"},
    {10, 11, BossMark::Plain, "呪いの騎士：敵……殺す！顔…奪う…、盾…なる"},
    {10, 12, BossMark::Plain, "イザベラ：そう簡単に殺されてなるものですか！"},
    {10, 13, BossMark::Fight, "呪いの騎士：新しい…盾、キレイ……嬉しい"},
    {10, 101, BossMark::Beaten, "呪いの騎士：ナゼ…？オレ…死ぬ？！"},
    {12, 11, BossMark::Plain, "銀行員：もう嫌だ！！"},
    {12, 12, BossMark::Plain, "銀行員：借金しても中々返しにこない客や、踏み倒す客"},
    {12, 13, BossMark::Plain, "銀行員：どうして、いつも僕が肩代わりしなきゃいけないんだよ！！"},
    {12, 14, BossMark::Plain, "銀行員：大体な、僕だって好きで銀行員やってんじゃないんだよ？！"},
    {12, 15, BossMark::Plain, "銀行員：本当はダンサーになりたいんだ！"},
    {12, 16, BossMark::Plain, "銀行員：お前等がいるから、いつまで経っても銀行員やってなきゃいけない"},
    {12, 17, BossMark::Fight, "銀行員：それなら、いっそのこと、僕が片付けてやる！！"},
    {12, 101, BossMark::Plain, "銀行員：ス……スミマセン…"},
    {12, 102, BossMark::Plain, "銀行員：お詫びの印に帰ったら頭を剃りますので、許してください"},
    {12, 103, BossMark::Plain, "銀行員：これからは、大人しく銀行員やります…"},
    {12, 104, BossMark::Beaten, "銀行員：うぅぅ。でも、ダンサーになりてぇ～……"},
};

const BossLine* FindLine(Long boss, Long step) {
    for (const auto& l : BossLines)
        if (l.boss == boss && l.step == step) return &l;
    return nullptr;
}

void GiveReward(Game& g, BossReward reward) {
    switch (reward) {
        case BossReward::None: break;
        case BossReward::FortuneTellerFreed: g.FortuneFlg = 4; break;
        case BossReward::CrystalBall:
            g.AllKey[21].LKeyList = true;
            RefreshListWindow(g);
            break;
        case BossReward::CastleReport: g.NoaFlg[6] = 30; break;
    }
}

}  // namespace

const BossRecord* FindBoss(Long no) {
    for (const auto& b : Bosses)
        if (b.no == no) return &b;
    return nullptr;
}

const BossRecord* BossAt(const Game& g) {
    for (const auto& b : Bosses) {
        if (b.area != g.FieldName || b.floor < 0) continue;
        if (b.floor == 0 || b.floor == g.RoadPos) return &b;
    }
    return nullptr;
}

void BossSpeech(Game& g) {
    const BossLine* l = FindLine(g.BossNo, g.StoryNo);
    if (l) g.MessageText = l->earlyLine && g.Warasibe <= 8 ? l->earlyLine : l->line;
    ShowMessage(g, g.MessageText);
    if (!l) return;
    if (l->mark == BossMark::Fight) g.StoryNo = FightStep;
    if (l->mark == BossMark::Beaten) {
        if (const BossRecord* b = FindBoss(g.BossNo)) {
            g.BossOK[size_t(b->flag)] = true;
            GiveReward(g, b->reward);
        }
        g.StoryNo = EndStep;
    }
    if (l->scene == BossScene::FortuneTeller) FieldFrame(g, FortuneTeller);
    else if (l->scene == BossScene::BossGone) FieldFrame(g);
}

}  // namespace q
