// The facility window: one small window above the message bar that serves
// every facility of a town. Its list shows what the facility offers for the
// place in EventField, and its button runs the facility's turn, a story that
// carries one offer through the clicks of the bar: the offer, the money
// check, the two choices and the answer.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "core/Game.h"

namespace q {

class frmItemShop : public GameForm {
public:
    explicit frmItemShop(Game& game);

    ControlArray<Label> lblNumber{*this, "lblNumber", 3};  // (0), (1) the title, (2) the box's label
    TextBox txtNumber{*this, "txtNumber"};
    CommandButton cmdBuy{*this, "cmdBuy"};
    ListView lstList{*this, "lstList"};

    void Design() override;
    void Form_Load() override;
    void Form_KeyDown(int KeyCode, int Shift) override;

    // The action button; also every click of a deal whose story is "BuyItem".
    void cmdBuy_Click();
    // Every click while the story is "SpeechTurn": a keeper's talk or a turn
    // that the keeper's clicks continue.
    void SpeechTurn();

    // The facility turns.
    void WarpTurn();
    void FortuneBuyTurn();
    void CarpenBuyTurn();
    void GyokuBuyTurn();
    void SmithBuyTurn();
    void ParkBuyTurn();
    void CartBuyTurn();
    void BankBuyTurn();
    void ItemBuyTurn();
    void HotelBuyTurn();
    void HouseBuyTurn();
    void KaihatsuBuyTurn();
    // Whether the bag holds every arm the smith's recipe WorkNum4 needs;
    // with OF_DellFlg the arms are taken out on the way.
    bool OF_SmithArms(bool OF_DellFlg);

    // The controls' own events.
    void txtNumber_KeyPress(int& KeyAscii);
    void txtNumber_GotFocus();
    void lstList_DblClick();
    void lstList_KeyDown(int KeyCode, int Shift);
    void lstList_ItemClick(int Index);

    // The selected row counted from 1, or 0 when no row is selected.
    int SelectedRow() const;

private:
    struct Column {
        const char* caption;
        int width;
    };

    // The branches of Form_Load, one per facility. Each returns whether the
    // common end selects the first row.
    bool LoadItem();
    bool LoadHouse();
    bool LoadBank();
    bool LoadCart();
    bool LoadPark();
    bool LoadSmith();
    bool LoadHotel();
    bool LoadCarpenter();
    bool LoadFortune();
    bool LoadMania();
    bool LoadWarp();
    bool LoadKaihatsu();

    // Building the window.
    void Titles(const std::string& title);
    void HideNumber();
    void Button(const char* caption, bool enabled, const char* tip);
    void Columns(std::initializer_list<Column> columns);
    // The greeting that ends most branches: a keeper with a story to tell
    // starts it on the next click, otherwise the standing line comes back.
    void Greeting(bool hasStory, std::string_view line);
    // A list price this month, and as the list shows it.
    Long MonthPrice(Long listPrice) const;
    std::string PriceText(Long listPrice) const;
    // A column of a row read back as a number (separators ignored).
    Long ColumnNumber(int row, int column) const;
    void SetBankTexts(int row);

    // The steps of the longer turns.
    void BankOffer();
    void BankDeal();
    void BankEnd();
    void CarpenEnd();
    void SmithEnd();
    void FortuneEnd();
    void RideCart();

    // The deal protocol.
    void Say(std::string_view line);
    void ShowStandingLine();
    void EnableDeal(bool enabled, bool withBox = true);
    void StartOffer();
    void AskChoices(const char* first, const char* second);
    void MoneyShort(bool withBox = true);
    void Refuse(bool withBox = true);
    void EndTurn();
    void FocusList();
    // Closes the window and lets the board open it afresh.
    void Reopen();
    // The town's goods row of ShopSellItem.
    int TownGoods() const;
    void DrawFacility(bool withPerson);
    bool AnswerRefuses() const;
    void ParkIdle();
};

// The facility window's procedures by name.
void RegisterFacilities(Game& g);

// The text of a number box's number: "" and text without digits read 0.
std::string NumberText(const std::string& text);

}  // namespace q
