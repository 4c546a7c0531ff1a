#include "town/frmItemShop.h"

#include <array>
#include <climits>
#include <cmath>

#include "core/Format.h"
#include "core/GoToPlace.h"
#include "core/Message.h"
#include "shop/ListWindows.h"
#include "core/StoryInput.h"
#include "stage/mod_RGN_UserFunction.h"
#include "town/frmEvent.h"

namespace q {

namespace {

constexpr const char* NumberTip = "購入したい個数を入力します";
constexpr const char* ShortOfMoney = "イザベラ：カリムが足りないわ。諦めましょう";

// The branches of Form_Load, in the order the place is tested.
struct Branch {
    std::string_view place;
    bool (frmItemShop::*load)();
};

// How the button reaches each facility's turn.
struct TurnRow {
    std::string_view place;
    void (frmItemShop::*turn)();
    bool marksPending;          // BuyPending := True before the turn
    bool continuedByKeeper;     // SpeechTurn runs the turn while BuyPending is True
};

constexpr std::array<TurnRow, 12> Turns{{
    {"Item", &frmItemShop::ItemBuyTurn, true, false},
    {"House", &frmItemShop::HouseBuyTurn, true, true},
    {"Smith", &frmItemShop::SmithBuyTurn, true, true},
    {"Hotel", &frmItemShop::HotelBuyTurn, true, true},
    {"Carpenter", &frmItemShop::CarpenBuyTurn, true, true},
    {"Fortune", &frmItemShop::FortuneBuyTurn, true, true},
    {"Mania", &frmItemShop::GyokuBuyTurn, true, true},
    {"Warp", &frmItemShop::WarpTurn, true, true},
    {"Bank", &frmItemShop::BankBuyTurn, true, false},
    {"Cart", &frmItemShop::CartBuyTurn, false, false},
    {"Park", &frmItemShop::ParkBuyTurn, false, false},
    {"Kaihatsu", &frmItemShop::KaihatsuBuyTurn, false, false},
}};

const TurnRow* FindTurn(std::string_view place) {
    for (const auto& t : Turns)
        if (t.place == place) return &t;
    return nullptr;
}

// The digits a number box takes at each place.
int NumberLimit(std::string_view place) {
    if (place == "Bank") return 9;
    if (place == "Item") return 1;
    return 7;
}

// The price factor of each month's economy.
constexpr std::array<double, 3> EconomyFactors{1.0, 0.9, 1.1};

}  // namespace

std::string NumberText(const std::string& text) { return std::to_string(LeadingNumber(text)); }

frmItemShop::frmItemShop(Game& g) : GameForm(g, "frmItemShop") {
    add(lblNumber);
    add(txtNumber);
    add(cmdBuy);
    add(lstList);
    txtNumber.KeyPress = [this](int& k) { txtNumber_KeyPress(k); };
    txtNumber.GotFocus = [this] { txtNumber_GotFocus(); };
    txtNumber.KeyDown = [this](int k, int s) { MessageInput(game, k, s, InputKey); };
    cmdBuy.Click = [this] { cmdBuy_Click(); };
    cmdBuy.KeyDown = [this](int k, int s) { MessageInput(game, k, s, InputKey); };
    lstList.DblClick = [this] { lstList_DblClick(); };
    lstList.KeyDown = [this](int k, int s) { lstList_KeyDown(k, s); };
    lstList.ItemClick = [this](int i) { lstList_ItemClick(i); };
}

void frmItemShop::Design() {
    Caption = "+++ Quorvane +++";
    Width = 3615;
    Height = 2415;
    for (int i = 0; i < 2; ++i) {
        Label& title = lblNumber[i];
        title.Caption = "";
        title.AutoSize = true;
        title.FontBold = true;
        title.BackTransparent = true;
        title.Visible = true;
    }
    lblNumber[0].Left = 0;
    lblNumber[0].Top = 30;
    lblNumber[0].ForeColor = vbBlack;
    lblNumber[1].Left = 15;
    lblNumber[1].Top = 45;
    lblNumber[1].ForeColor = vbWhite;
    Label& number = lblNumber[2];
    number.AutoSize = false;
    number.Left = 1440;
    number.Top = 45;
    number.Width = 615;
    number.Height = 255;
    number.Caption = "個数：";
    number.ToolTipText = Quoted(NumberTip);
    number.Visible = true;
    txtNumber.Left = 2040;
    txtNumber.Top = 0;
    txtNumber.Width = 735;
    txtNumber.Height = 270;
    txtNumber.Text = "1";
    txtNumber.Locked = false;
    txtNumber.Enabled = true;
    txtNumber.Visible = true;
    txtNumber.ToolTipText = Quoted(NumberTip);
    cmdBuy.Left = 2760;
    cmdBuy.Top = 0;
    cmdBuy.Width = 855;
    cmdBuy.Height = 255;
    cmdBuy.Caption = "購入";
    cmdBuy.Enabled = true;
    cmdBuy.ToolTipText = "";
    lstList.Left = 0;
    lstList.Top = 240;
    lstList.Width = 3615;
    lstList.Height = 2175;
    lstList.View = lvwReport;
    lstList.Enabled = true;
    lstList.ClearColumns();
    lstList.ClearItems();
}

void frmItemShop::Form_Load() {
    Game& g = game;
    if (g.TopMostBusy) return;
    if (g.SceneFormName == "frmField") {
        Unload();
        return;
    }
    txtNumber.MaxDigits = NumberLimit(g.EventField);
    if (!g.ReloadList) {
        if (g.EconomyValue >= 0 && g.EconomyValue < Long(EconomyFactors.size()))
            g.EconomyFactor = EconomyFactors[size_t(g.EconomyValue)];
        lblNumber[2].Visible = true;
        txtNumber.Visible = true;
        g.StoryNo = StoryEndNo;
        g.BuyPending = false;
        g.WorkFlg = false;
    }
    lstList.View = lvwReport;
    lstList.LabelEdit = lvwManual;
    lstList.MultiSelect = false;
    lstList.HideSelection = false;
    if (g.EventField == "In") return;

    static constexpr std::array<Branch, 12> Branches{{
        {"Item", &frmItemShop::LoadItem},
        {"House", &frmItemShop::LoadHouse},
        {"Bank", &frmItemShop::LoadBank},
        {"Cart", &frmItemShop::LoadCart},
        {"Park", &frmItemShop::LoadPark},
        {"Smith", &frmItemShop::LoadSmith},
        {"Hotel", &frmItemShop::LoadHotel},
        {"Carpenter", &frmItemShop::LoadCarpenter},
        {"Fortune", &frmItemShop::LoadFortune},
        {"Mania", &frmItemShop::LoadMania},
        {"Warp", &frmItemShop::LoadWarp},
        {"Kaihatsu", &frmItemShop::LoadKaihatsu},
    }};
    bool selectFirst = true;
    lstList.BeginUpdate();
    for (const Branch& b : Branches) {
        if (b.place != g.EventField) continue;
        selectFirst = (this->*b.load)();
        break;
    }
    if (selectFirst && lstList.Count() > 0) lstList.Select(1);
    lstList.EndUpdate();
    g.AutoBlocked = true;  // auto mode never advances a facility's lines
}

void frmItemShop::Form_KeyDown(int KeyCode, int Shift) { MessageInput(game, KeyCode, Shift, InputKey); }

// --- Building the window ---

void frmItemShop::Titles(const std::string& title) {
    lblNumber[0].Caption = title;
    lblNumber[1].Caption = title;
}

void frmItemShop::HideNumber() {
    lblNumber[2].Visible = false;
    txtNumber.Visible = false;
}

void frmItemShop::Button(const char* caption, bool enabled, const char* tip) {
    cmdBuy.Caption = caption;
    cmdBuy.Enabled = enabled;
    cmdBuy.ToolTipText = Quoted(tip);
}

void frmItemShop::Columns(std::initializer_list<Column> columns) {
    lstList.ClearColumns();
    for (const Column& c : columns) lstList.AddColumn(c.caption, c.width);
    lstList.ClearItems();
}

void frmItemShop::Greeting(bool hasStory, std::string_view line) {
    Game& g = game;
    g.StoryName = "SpeechTurn";
    if (hasStory) {
        g.NoClick = NoClickRight;
        g.StoryNo = 10;
        cmdBuy.Enabled = false;
        if (g.ReloadList) g.ReloadList = false;
        else Say(line);
    } else {
        g.StoryNo = StoryAfterEndNo;
        ShowStandingLine();
    }
}

Long frmItemShop::MonthPrice(Long listPrice) const { return RoundHalfEven(double(listPrice) * game.EconomyFactor); }

std::string frmItemShop::PriceText(Long listPrice) const { return FormatThousands(MonthPrice(listPrice)); }

Long frmItemShop::ColumnNumber(int row, int column) const {
    if (row < 1 || row > lstList.Count()) return 0;
    const ListItem& item = lstList.Item(row);
    const long long v = ParseThousands(column == 0 ? item.Text : item.SubItem(column));
    return Long(std::clamp<long long>(v, LONG_MIN, LONG_MAX));
}

int frmItemShop::SelectedRow() const {
    const int r = lstList.SelectedIndex();
    return r >= 1 && r <= lstList.Count() && lstList.Item(r).Selected ? r : 0;
}

int frmItemShop::TownGoods() const {
    const std::string& town = game.FieldName;
    if (town == "Elwind") return 1;
    if (town == "Amulet") return 2;
    return 0;
}

bool frmItemShop::LoadKaihatsu() {
    // The development room builds its own list of topics.
    game.Call("frmItemShop.KaihatsuWindow");
    return true;
}

void frmItemShop::KaihatsuBuyTurn() { game.Call("frmItemShop.KaihatsuBuyTurn"); }

// --- The deal protocol ---

void frmItemShop::Say(std::string_view line) {
    Game& g = game;
    g.MessageText = std::string(line);
    ShowMessage(g, g.MessageText);
}

void frmItemShop::ShowStandingLine() { ShowMessage(game, game.LastMessage); }

void frmItemShop::EnableDeal(bool enabled, bool withBox) {
    cmdBuy.Enabled = enabled;
    lstList.Enabled = enabled;
    if (withBox) txtNumber.Enabled = enabled;
}

void frmItemShop::StartOffer() {
    Game& g = game;
    g.StoryName = "BuyItem";
    g.StoryNo = 0;
    EnableDeal(false);
    g.OfferPending = true;
}

void frmItemShop::AskChoices(const char* first, const char* second) {
    Game& g = game;
    g.StoryNo = StoryWaitNo;
    g.AnswerKey = AnswerNone;
    g.WaitingAnswer = true;
    // The second choice is the default: Enter and G refuse.
    ShowMessage(g, first, second, "", false);
}

void frmItemShop::MoneyShort(bool withBox) {
    Game& g = game;
    EnableDeal(true, withBox);
    Say(ShortOfMoney);
    g.OfferPending = false;
    g.StoryName.clear();
    EndTurn();
}

void frmItemShop::Refuse(bool withBox) {
    Game& g = game;
    g.AnswerKey = AnswerNone;
    EnableDeal(true, withBox);
    ShowStandingLine();
    g.OfferPending = false;
    g.StoryName.clear();
    EndTurn();
}

bool frmItemShop::AnswerRefuses() const {
    const Long k = game.AnswerKey;
    return k == AnswerNo || k == AnswerEnter || k == AnswerGo;
}

void frmItemShop::EndTurn() {
    Game& g = game;
    g.StoryNo = StoryEndNo;
    g.BuyPending = false;  // the deal is over: nothing holds the window open
    g.NoClick = NoClickNone;
    FocusList();
}

void frmItemShop::FocusList() {
    if (loaded() && lstList.Enabled && lstList.Visible) lstList.SetFocus();
}

void frmItemShop::Reopen() {
    Unload();
    EnterFacility(game);
}

void frmItemShop::DrawFacility(bool withPerson) {
    Game& g = game;
    if (!g.StageForm) return;
    Form& stage = *g.StageForm;
    RGN_Draw(g, g.HeroSprite, stage, g.HeroX, g.SpriteTop);
    if (g.EventField == "Park") RGN_Draw(g, g.PlaceSprite, stage, g.VisitorX, g.SpriteTop);
    if (withPerson) RGN_Draw(g, g.VisitorSprite, stage, StageSignX, g.SpriteTop);
    DrawGauges(g);
    RGN_Apply(g, stage);
}

// --- The button and the keeper's clicks ---

void frmItemShop::cmdBuy_Click() {
    Game& g = game;
    const TurnRow* t = FindTurn(g.EventField);
    if (!t) return;
    // No deal starts under the quit question or a list window's
    // confirmation, at any facility: the offer would take the bar the
    // question stands on.
    if (QuestionOverStory(g)) return;
    if (t->marksPending) g.BuyPending = true;
    (this->*t->turn)();
}

void frmItemShop::SpeechTurn() {
    Game& g = game;
    if (g.BuyPending) {
        g.NoClick = NoClickNone;
        g.ReloadList = false;
        const TurnRow* t = FindTurn(g.EventField);
        if (t && t->continuedByKeeper) (this->*t->turn)();
    } else if (g.OfferPending) {
        if (g.StoryNo == StoryAfterEndNo) {
            g.NoClick = NoClickNone;
        } else if (g.StoryNo == StoryAfterEndNo + 1) {
            g.NoClick = NoClickNone;
            g.StoryNo = StoryAfterEndNo;
        } else {
            g.Call("TownSpeech");
        }
    } else {
        // A talk that was stepped twice starts at its first line all the same.
        if (g.StoryNo == 12) g.StoryNo = 11;
        if (g.StoryNo == 11) {
            g.NoClick = NoClickRight;
            g.OfferPending = true;
            g.Call("TownSpeech");
        } else if (g.StoryNo == StoryAfterEndNo || g.StoryNo == StoryAfterEndNo + 1) {
            g.NoClick = NoClickNone;
            g.ReloadList = false;
            g.StoryNo = StoryAfterEndNo;
        }
    }
    FocusList();
}

// --- The number box and the list ---

void frmItemShop::txtNumber_KeyPress(int& KeyAscii) {
    if (KeyAscii == 13) {
        KeyAscii = 0;
        if (txtNumber.Text->empty()) txtNumber.Text = "1";
        // Only what the button itself may do: a disabled button means a
        // talk or a deal is running, or there is nothing to take.
        if (cmdBuy.Enabled) cmdBuy_Click();
        return;
    }
    txtNumber.DigitsOnly(KeyAscii);
}

void frmItemShop::txtNumber_GotFocus() { txtNumber.SelectAll(); }

void frmItemShop::lstList_DblClick() {
    const int row = SelectedRow();
    if (row == 0) return;
    game.WorkNum = row;
    if (cmdBuy.Enabled) cmdBuy_Click();
}

void frmItemShop::lstList_KeyDown(int KeyCode, int Shift) {
    if (KeyCode == vbKeyReturn && cmdBuy.Enabled) {
        if (txtNumber.Text->empty()) txtNumber.Text = "1";
        cmdBuy_Click();
        return;
    }
    if (KeyCode >= 37 && KeyCode <= 40) return;  // the list moves its selection itself
    MessageInput(game, KeyCode, Shift, InputKey);
}

void frmItemShop::lstList_ItemClick(int Index) {
    Game& g = game;
    g.WorkNum = Index;
    if (g.EventField == "Bank") {
        SetBankTexts(Index);
    } else if (g.EventField == "Mania") {
        const bool known = Index >= 1 && Index <= lstList.Count() &&
                           lstList.Item(Index).SubItem(1) != "？　？　？　？　？　？　？　？";
        cmdBuy.Enabled = g.StoryNo >= StoryEndNo && known;
    } else if (g.EventField == "Carpenter") {
        cmdBuy.Enabled = g.StoryNo >= StoryEndNo;
    }
}

// --- By name ---

void RegisterFacilities(Game& g) {
    g.SetHandler("frmItemShop.Show", [&g](Long) {
        // Opened by the board: at the left edge, its bottom above the bar.
        frmItemShop& f = g.frmItemShop.get();
        if (!f.loaded()) return;
        f.Left = RGN_WorkLeft(g);
        f.Top = RGN_ScreenHeight(g) - f.Height - RGN_PixelToTwipY(g, FacilityGapPixels);
        f.Show();
    });
    g.SetHandler("frmItemShop.Form_Load", [&g](Long) {
        if (g.frmItemShop.loaded()) g.frmItemShop->Form_Load();
    });
    g.SetHandler("frmItemShop.cmdBuy_Click", [&g](Long) {
        if (g.frmItemShop.loaded()) g.frmItemShop->cmdBuy_Click();
    });
    g.SetHandler("frmItemShop.SpeechTurn", [&g](Long) {
        if (g.frmItemShop.loaded()) g.frmItemShop->SpeechTurn();
    });
    g.procs.add("frmItemShop.OF_SmithArms", [](Game& g, const Procs::Args& a) {
        return std::string(g.frmItemShop.object().OF_SmithArms(Procs::Truth(a, 0)) ? "True" : "False");
    });
}

}  // namespace q
