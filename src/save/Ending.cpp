#include "save/Ending.h"

#include <array>
#include <string>

#include "core/Game.h"
#include "core/Message.h"
#include "save/ClearRank.h"
#include "save/ClearRecord.h"
#include "save/NumberFile.h"
#include "save/SaveFile.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

namespace {

// What a step does besides its line, before the line is shown.
enum class Work {
    None,
    Night,           // the feast runs into the night: the stage empties
    Shop,            // the heroine before her shop
    Father,          // her father and his watcher come to the shop
    ToThanks,        // after the credits, the thanks to the player
    ClearRecord,     // the clear record is written and the play ranked
    OpenSavePrompt,  // the Noah arms made known; the save questions come next
    Farewell,        // the last line
};

struct EndingStep {
    Long step;
    const char* line;
    Work work;
    const char* lineWithoutRecord = nullptr;  // said instead when the clear record could not be written
};

constexpr std::array<EndingStep, 42> Steps{{
    {10, "女王：イザベラさん、いいところに来てくださいました…", Work::None},
    {11, "女王：これから第二陣を深淵窟に送ろうとしていたところです", Work::None},
    {12, "女王：それで、あなたが持っている封魔のクサビを貰いたいのです", Work::None},
    {13, "イザベラ：女王様！！", Work::None},
    {14, "女王：どうしたのですか？", Work::None},
    {15, "イザベラ：あの………私……", Work::None},
    {16, "イザベラ：先程、このクサビを持ってジークと対峙してきました", Work::None},
    {17, "女王：えぇ？！なんですって？", Work::None},
    {18, "女王：それでは、もしかして……", Work::None},
    {19, "イザベラ：……はい。倒して参りました！", Work::None},
    {20, "女王：………………………！！！！！！", Work::None},
    {21, "女王：あ……あなたは……", Work::None},
    {22, "女王：このアミュレットの英雄です！！", Work::None},
    {23, "女王：城をあげて、あなたの為にパーティーを開きましょう！", Work::None},
    {24, "その宴は夜遅くなっても終わることはなかった", Work::Night},
    {25, "料理が尽き、酒が尽きても人々の笑いが途絶えることもなく、", Work::None},
    {26, "イザベラは英雄として人々に祭り上げられた……", Work::None},
    {27, "そして、数日後………", Work::Shop},
    {28, "イザベラ：お…お父様……", Work::Father},
    {29, "ブーム：イザベラ！おぉ、我が娘よ。よく無事で……", Work::None},
    {30, "ブーム：監視役にこの者を付けておったが、気が気じゃなかったぞ！", Work::None},
    {31, "イザベラ：だって……小さい時からお父様の冒険話を聞かされてたから、", Work::None},
    {32, "イザベラ：私もしたくなっちゃったんだもん！！", Work::None},
    {33, "ブーム：うぅむ……。でも、まさか、魔族に挑むとは…", Work::None},
    {34, "イザベラ：(お父様だって、人のこと言えないくせに……)", Work::None},
    {35, "ブーム：ふぅ……。お前ももう一人前だ", Work::None},
    {36, "ブーム：本当は私の店を継いで欲しかったのだが、仕方がない", Work::None},
    {37, "ブーム：だが、たまには家の方にも顔を見せておくれ……", Work::None},
    {38, "イザベラ：はい、お父様！！心配かけてごめんなさい", Work::None},
    {39, "こうして、イザベラは自分の夢を叶えた", Work::Shop},
    {40, "『夢追い堂』と名付けられた武具店は、", Work::None},
    {41, "やがて父親の店を越えるほどの立派な店となるのだが、今は誰も知る由もない……", Work::None},
    {42, "+++ Quorvane 製作スタッフ +++", Work::None},
    {43, "シナリオ・構成・グラフィック：ゼンロ", Work::None},
    {44, "プログラマー：ピレル", Work::None},
    {45, "テストプレイヤー（敬称略・順不同）：ルカネ、ヒュミ、ベルノ", Work::ToThanks},
    {101, "長い時間、大変お疲れ様でした", Work::None},
    {102, "頑張ってクリアしてくださったあなたのために、", Work::ClearRecord},
    {103, "ゲーム(Quorvane.exe)と同じフォルダにクリアファイル(Clear.txt)を作成しました", Work::None,
     "ゲーム(Quorvane.exe)と同じフォルダにクリアファイル(Clear.txt)を作成できませんでした"},
    {104, "クリアファイルには、あなたの取った行動やランクが表示されていますので、是非見てくださいね",
     Work::OpenSavePrompt, "クリアの記録は残せませんでしたが、クリアしたデータはこの後セーブできます"},
    {200, "それでは最後に", Work::None},
    {201, "+++  Thank you for your playing!!  +++", Work::Farewell},
}};

constexpr Long ThanksStep = 100;  // the step before the thanks
constexpr Long PromptStep = EndingSavePromptStep - 1;

// The save questions, in the order a refusal leads through them. WorkName
// holds the open one's key; the last key is never shown.
struct SaveQuestion {
    const char* key;
    const char* text;
    const char* yes;
    const char* no;
    bool defaultYes;
    Long slot;          // WorkNum: the save file a yes writes, 0 the first
    bool askedAtWait;   // SavedStoryNo is the waiting step rather than the asking one
};

constexpr std::array<SaveQuestion, 3> SaveQuestions{{
    {"これからクリアデータをファイル１にセーブします。よろしいですか？",
     "これからクリアデータをファイル１にセーブします。よろしいですか？", "セーブ", "やめる", true, 0, false},
    {"それではファイル２にセーブします。よろしいですか？", "それではファイル２にセーブします。よろしいですか？",
     "セーブ", "やめる", true, 1, false},
    {"セーブをしないと、クリア後の世界がプレイできません。よろしいですか？",
     "セーブをしないと、クリア後の世界がプレイできません。それでも、よろしいですか？", "ファイル２にセーブする",
     "セーブしない", false, 1, true},
}};

constexpr const char* SavedLineStart = "セーブを行いました。次回から「つづき";
constexpr const char* SavedLineEnd = "」を選ぶと、クリア後の世界をプレイできます";
constexpr const char* NotSavedLine =
    "セーブを行いませんでした。次回「つづき」を選ぶと、最後にセーブしたデータから始まります";

// The figures of the ending.
constexpr Long BlankSprite = 393;
constexpr Long OpenSignSprite = 396;
constexpr Long FatherSprite = 143;
constexpr Long WatcherSprite = 130;
constexpr Long OldShopSprite = 409;
constexpr Long NewShopSprite = 410;  // the carpenter's new shop
constexpr std::array<Long, 3> HeroineFacingFront{92, 99, 106};
constexpr Long FarX = 900;  // twips

constexpr int NewShopWork = 0;  // CarpenSell row of the heroine's new shop
constexpr std::array<int, 5> NoahArms{480, 481, 482, 483, 484};

// The heroine's picture in the sprite set she has grown into.
Long Heroine(const Game& g, const std::array<Long, 3>& set) {
    return g.FieldLevel == 0 ? set[0] : g.FieldLevel == 1 ? set[1] : set[2];
}

const EndingStep* FindStep(Long step) {
    for (const EndingStep& s : Steps)
        if (s.step == step) return &s;
    return nullptr;
}

// The open save question by WorkName; the first when none is recognised.
size_t OpenQuestion(const Game& g) {
    for (size_t i = 0; i < SaveQuestions.size(); ++i)
        if (g.WorkName == SaveQuestions[i].key) return i;
    return 0;
}

void Ask(Game& g, size_t question) {
    const SaveQuestion& q = SaveQuestions[question];
    g.WorkName = q.key;
    g.WorkNum = q.slot;
    ShowMessage(g, q.text, q.yes, q.no, q.defaultYes);
    g.AnswerKey = AnswerNone;
    g.WaitingAnswer = true;
    g.SavedStoryNo = q.askedAtWait ? StoryWaitNo : g.StoryNo;
    g.StoryNo = StoryWaitNo;
}

void Say(Game& g, std::string line) {
    g.MessageText = std::move(line);
    ShowMessage(g, g.MessageText);
}

void AnswerSavePrompt(Game& g) {
    const size_t open = OpenQuestion(g);
    const Long key = g.AnswerKey;
    g.AnswerKey = AnswerNone;
    const bool byDefault = key == AnswerEnter || key == AnswerGo;
    const bool yes = key == AnswerYes || (byDefault && SaveQuestions[open].defaultYes);
    if (yes) {
        SaveGame(g, g.WorkNum);
        // A save that failed has told the player so; the question comes
        // again, since this is the last chance to keep the cleared game.
        if (g.SaveFailCount == 99) {
            Ask(g, open);
            return;
        }
        g.StoryNo = EndingAfterPromptStep;
        Say(g, SavedLineStart + std::to_string(g.WorkNum + 1) + SavedLineEnd);
        return;
    }
    if (open + 1 < SaveQuestions.size()) {
        Ask(g, open + 1);
        return;
    }
    g.StoryNo = EndingAfterPromptStep;
    Say(g, NotSavedLine);
}

// Frames of the ending: drawn over whatever the stage showed, no scenery.
void Night(Game& g, Form& stage) {
    g.VisitorSprite = BlankSprite;
    RGN_Draw(g, g.VisitorSprite, stage, FarX, g.SpriteTop);
    RGN_Apply(g, stage);
}

void Shop(Game& g, Form& stage) {
    g.PlaceSprite = g.CarpenSell[NewShopWork].SLCarpenOk ? NewShopSprite : OldShopSprite;
    RGN_Draw(g, g.PlaceSprite, stage, FarX, g.SpriteTop);
    RGN_Draw(g, g.HeroSprite, stage, g.HeroX, g.SpriteTop);
    RGN_Apply(g, stage);
}

void Father(Game& g, Form& stage) {
    g.HeroSprite = Heroine(g, HeroineFacingFront);
    g.PlaceSprite = OpenSignSprite;
    g.HeroX = RGN_PixelToTwipX(g, 80);
    g.VisitorSprite = FatherSprite;
    g.VisitorX = RGN_PixelToTwipX(g, 20);
    g.LeaverSprite = WatcherSprite;
    g.LeaverX = RGN_PixelToTwipX(g, 0);
    RGN_Draw(g, g.HeroSprite, stage, g.HeroX, g.SpriteTop);
    RGN_Draw(g, g.VisitorSprite, stage, g.VisitorX, g.SpriteTop);
    RGN_Draw(g, g.LeaverSprite, stage, g.LeaverX, g.SpriteTop);
    RGN_Draw(g, g.PlaceSprite, stage, FarX, g.SpriteTop);
    RGN_Apply(g, stage);
}

void Redraw(Game& g, void (*frame)(Game&, Form&)) {
    if (g.StageForm) frame(g, *g.StageForm);
}

void OpenSavePrompt(Game& g) {
    g.StoryNo = PromptStep;
    g.WorkName = SaveQuestions[0].key;
    g.WorkNum = SaveQuestions[0].slot;
    for (int arm : NoahArms) g.AllArms[size_t(arm)].LArmsList = true;
}

void Perform(Game& g, Work work) {
    switch (work) {
        case Work::None: break;
        case Work::Night: Redraw(g, Night); break;
        case Work::Shop: Redraw(g, Shop); break;
        case Work::Father: Redraw(g, Father); break;
        case Work::ToThanks: g.StoryNo = ThanksStep; break;
        case Work::ClearRecord: g.ClearRecordFailed = !WriteClearFile(g); break;
        case Work::OpenSavePrompt: OpenSavePrompt(g); break;
        case Work::Farewell: g.StoryNo = StoryEndNo; break;
    }
}

}  // namespace

void EndingSpeechText(Game& g) {
    if (g.StoryNo == StoryWaitNo) return;
    // An answer counts only on its way back from a save question; one left
    // over from an earlier story must not cut the ending short.
    if (g.AnswerKey != AnswerNone && g.StoryNo > StoryWaitNo && g.StoryNo < StoryEndNo) {
        AnswerSavePrompt(g);
        return;
    }
    if (g.StoryNo == EndingSavePromptStep) {
        Ask(g, OpenQuestion(g));
        return;
    }
    const EndingStep* s = FindStep(g.StoryNo);
    if (!s) return;
    Perform(g, s->work);
    if (g.Ended()) return;  // quit while a frame let the pending input run
    Say(g, g.ClearRecordFailed && s->lineWithoutRecord ? s->lineWithoutRecord : s->line);
}

void RegisterEnding(Game& g) {
    g.SetHandler("EndingSpeechText", [&g](Long) { EndingSpeechText(g); });
    g.SetHandler("WriteClearFile", [&g](Long) { WriteClearFile(g); });
    g.SetHandler("WriteNumberFile", [&g](Long) { g.NumberFileFailed = !WriteNumberFile(g); });

    Procs& p = g.procs;
    p.add("EndingSpeechText", [](Game& g, const Procs::Args&) {
        EndingSpeechText(g);
        return std::string();
    });
    // call WriteClearFile -> -1 when the record was written, else 0
    p.add("WriteClearFile", [](Game& g, const Procs::Args&) { return std::string(WriteClearFile(g) ? "-1" : "0"); });
    p.add("ClearRankText", [](Game& g, const Procs::Args&) { return ClearRankText(g); });
    // call WriteNumberFile -> -1 when the file was written, else 0
    p.add("WriteNumberFile", [](Game& g, const Procs::Args&) { return std::string(WriteNumberFile(g) ? "-1" : "0"); });
}

}  // namespace q
