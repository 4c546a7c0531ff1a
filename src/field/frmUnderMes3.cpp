#include "field/frmUnderMes3.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "core/Format.h"
#include "core/MessageBar.h"
#include "core/Stats.h"
#include "core/StoryInput.h"
#include "field/FieldEvents.h"
#include "shop/ListWindows.h"

namespace q {

namespace {

constexpr Long WaitingGuess = 10;
constexpr Long LastMissed = 20;
constexpr Long FirstGuessHit = 30;
constexpr Long FinalLine = 999;
constexpr int MostDigits = 3;

// The prize for a hit, by the guess it took: the stake times this.
constexpr std::array<double, 6> PrizeTimes{50, 20, 5, 3, 2, 1.3};

// The hint for a miss: the first row that holds.
enum class Near { ByOne, LittleSmaller, LittleBigger, TooBig, TooSmall };
struct Hint {
    Near near;
    const char* text;
};
constexpr std::array<Hint, 5> Hints{{
    {Near::ByOne, "回目。惜しィ、ギりギりだァ…。最大 = "},
    {Near::LittleSmaller, "回目。ウ～ん、あトちョっと小サク！最大 = "},
    {Near::LittleBigger, "回目。ウ～ん、あトちョっと大きク！最大 = "},
    {Near::TooBig, "回目。ダめダめ！ソれジゃあ、大きスギるヨ。最大 = "},
    {Near::TooSmall, "回目。だメだメ！ソれジゃあ、小さスギるヨ。最大 = "},
}};

bool Holds(Near n, Long guess, Long answer, Long width) {
    switch (n) {
        case Near::ByOne: return guess == answer - 1 || guess == answer + 1;
        case Near::LittleSmaller: return answer < guess && guess <= answer + width;
        case Near::LittleBigger: return answer - width <= guess && guess < answer;
        case Near::TooBig: return guess > answer;
        case Near::TooSmall: return true;
    }
    return false;
}

// The reward for a hit with the first guess: a gauge refilled.
enum class Refill { Hp, Body, Water, HalfOfAll };
struct GaugeReward {
    Refill refill;
    const char* word;
};
constexpr std::array<GaugeReward, 7> Rewards{{
    {Refill::Hp, "体力ヲ全て"},
    {Refill::Hp, "体力ヲ全て"},
    {Refill::Body, "満腹ヲ全て"},
    {Refill::Body, "満腹ヲ全て"},
    {Refill::Water, "水分ヲ全て"},
    {Refill::Water, "水分ヲ全て"},
    {Refill::HalfOfAll, "体力・満腹・水分ヲ半分"},
}};

void HalfUp(Long& now, Long most) { now = std::min(now + most / 2, most); }

void ApplyRefill(Game& g, Refill r) {
    switch (r) {
        case Refill::Hp: g.MyNowHp = g.MyMaxHp; break;
        case Refill::Body: g.MyNowBody = g.MyMaxBody; break;
        case Refill::Water: g.MyNowWater = g.MyMaxWater; break;
        case Refill::HalfOfAll:
            HalfUp(g.MyNowHp, g.MyMaxHp);
            HalfUp(g.MyNowBody, g.MyMaxBody);
            HalfUp(g.MyNowWater, g.MyMaxWater);
            break;
    }
}

}  // namespace

frmUnderMes3::frmUnderMes3(Game& g) : GameForm(g, "frmUnderMes3") {
    add(LBLMessage);
    add(txtNumber);
    add(cmdOK);
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdOK.KeyDown = [this](int k, int s) { cmdOK_KeyDown(k, s); };
    txtNumber.GotFocus = [this] { txtNumber_GotFocus(); };
    txtNumber.KeyPress = [this](int& k) { txtNumber_KeyPress(k); };
    txtNumber.KeyDown = [this](int k, int s) { txtNumber_KeyDown(k, s); };
    LBLMessage.MouseDown = [this](int b, int s, int x, int y) { LBLMessage_MouseDown(b, s, x, y); };
}

void frmUnderMes3::Design() {
    Caption = "+++ Quorvane +++";
    Left = 0;
    Top = 0;
    Width = 9000;
    Height = 315;
    BackColor = BarColor;
    txtNumber.Text = "";
    txtNumber.MaxDigits = MostDigits;
    txtNumber.Left = 45;
    txtNumber.Top = 30;
    txtNumber.Width = 495;
    txtNumber.Height = 255;
    txtNumber.FontName = "ＭＳ Ｐゴシック";
    txtNumber.FontSize = 8;
    txtNumber.TabIndex = 0;
    txtNumber.Enabled = true;
    cmdOK.Caption = "決定";
    cmdOK.Left = 585;
    cmdOK.Top = 15;
    cmdOK.Width = 615;
    cmdOK.Height = 285;
    cmdOK.FontName = "ＭＳ Ｐゴシック";
    cmdOK.FontSize = 8;
    cmdOK.TabIndex = 1;
    cmdOK.Enabled = true;
    LBLMessage.AutoSize = true;
    LBLMessage.Caption = "";
    LBLMessage.Left = 1290;
    LBLMessage.Top = 75;
    LBLMessage.FontName = "ＭＳ Ｐゴシック";
    LBLMessage.FontSize = 8;
    LBLMessage.ForeColor = vbBlack;
    LBLMessage.BackTransparent = true;
}

void frmUnderMes3::cmdOK_Click() {
    Game& g = game;
    if (!g.GameInputOpen || txtNumber.Text->empty()) return;
    // A guess taken under the quit question would be lost to its answer.
    if (QuestionOverStory(g)) return;
    const long long typed = LeadingNumber(txtNumber.Text);
    if (typed > g.GameMax) {
        LBLMessage.Caption = "ゲーム屋：0～" + std::to_string(g.GameMax) + "まデの数ダよ";
        RefocusBox();
        return;
    }
    g.GameInputOpen = false;
    g.StoryNo = WaitingGuess;
    g.GameTriesUsed = g.GameTriesUsed + 1;
    GameMessage(Long(typed));
}

void frmUnderMes3::GameMessage(Long Number) {
    Game& g = game;
    g.NoClick = NoClickAll;
    if (g.StoryNo >= FinalLine) {
        g.Call("frmField.ItemTurn");
    } else if (g.StoryNo == WaitingGuess) {
        if (Number != PlainClick) Judge(Number);
    } else if (g.StoryNo > FirstGuessHit) {
        Reward();
    } else if (g.StoryNo > LastMissed) {
        TellAnswer();
    }
    g.NoClick = NoClickNone;
}

void frmUnderMes3::Judge(Long guess) {
    if (guess == game.GameAnswer) Hit();
    else Miss(guess);
}

void frmUnderMes3::CloseInput() {
    cmdOK.Enabled = false;
    txtNumber.Enabled = false;
}

void frmUnderMes3::Hit() {
    Game& g = game;
    CloseInput();
    const Long used = g.GameTriesUsed;
    const size_t row = size_t(std::clamp<Long>(used, 1, Long(PrizeTimes.size())) - 1);
    g.GameStake = Long(std::floor(double(g.GameStake) * PrizeTimes[row]));
    const bool first = used == 1;
    LBLMessage.Caption = "ゲーム屋：大当タり～♪" + std::to_string(used) + "回目で当たッたカら、" +
                         std::to_string(g.GameStake) +
                         (first ? "カリム、プレゼント。そ・れ・ト……" : "カリム、プレゼント。マた遊んデね");
    g.StoryNo = first ? FirstGuessHit : FinalLine;
    AddStat(g, g.GameStake, "Gold", false);
    RefreshListWindow(g);
}

void frmUnderMes3::Miss(Long guess) {
    Game& g = game;
    const Hint* hint = &Hints.back();
    for (const auto& h : Hints) {
        if (!Holds(h.near, guess, g.GameAnswer, g.GameNear)) continue;
        hint = &h;
        break;
    }
    LBLMessage.Caption = "ゲーム屋：" + std::to_string(g.GameTriesUsed) + "／" + std::to_string(g.GameTries) +
                         hint->text + std::to_string(g.GameMax);
    if (g.GameTriesUsed >= g.GameTries) {
        g.StoryNo = LastMissed;
        CloseInput();
        return;
    }
    g.GameInputOpen = true;
    RefocusBox();
}

void frmUnderMes3::Reward() {
    Game& g = game;
    const auto& r = Rewards[size_t(g.Chance(long(Rewards.size())))];
    ApplyRefill(g, r.refill);
    g.WorkName = r.word;
    LBLMessage.Caption = "ゲーム屋：一回デ当テるナんテ凄いナ。ご褒美ニ" + g.WorkName + "回復シてアげたヨ。マた遊んデね";
    g.StoryNo = FinalLine;
    PlaceVisitor(g);
    FieldFrame(g, g.VisitorSprite);
    RefreshListWindow(g);
}

void frmUnderMes3::TellAnswer() {
    Game& g = game;
    LBLMessage.Caption = "ゲーム屋：残念だっタね。答えは" + std::to_string(g.GameAnswer) + "ダよ。次会っタ時に、マた遊んデね";
    g.StoryNo = FinalLine;
}

void frmUnderMes3::RefocusBox() {
    cmdOK.SetFocus();
    txtNumber.SetFocus();
}

void frmUnderMes3::txtNumber_GotFocus() { txtNumber.SelectAll(); }

void frmUnderMes3::txtNumber_KeyPress(int& KeyAscii) {
    if (KeyAscii == 13) {
        KeyAscii = 0;
        if (!txtNumber.Text->empty()) cmdOK_Click();
        return;
    }
    txtNumber.DigitsOnly(KeyAscii);
}

void frmUnderMes3::Form_KeyDown(int KeyCode, int Shift) { MessageInput(game, KeyCode, Shift, InputKey); }
void frmUnderMes3::cmdOK_KeyDown(int KeyCode, int Shift) { MessageInput(game, KeyCode, Shift, InputKey); }
void frmUnderMes3::txtNumber_KeyDown(int KeyCode, int Shift) { MessageInput(game, KeyCode, Shift, InputKey); }

void frmUnderMes3::Form_MouseDown(int Button, int, int, int) { MessageInput(game, Button, 0, InputFormClick); }

void frmUnderMes3::LBLMessage_MouseDown(int Button, int, int, int) {
    Game& g = game;
    MessageInput(g, Button, 0, InputLabelClick);
    if (Button != vbLeftButton) {
        AdvanceStory(g, Button);
        return;
    }
    if (!g.ClickTaken) AdvanceStory(g, vbLeftButton);
}

}  // namespace q
