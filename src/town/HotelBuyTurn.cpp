// The hotel of Elwind and Amulet: half a day or a whole day in one of two
// kinds of room; she wakes restored, and three rooms leave a souvenir.
#include <array>
#include <cmath>

#include "core/Clock.h"
#include "core/Format.h"
#include "core/Inventory.h"
#include "shop/ListWindows.h"
#include "town/frmItemShop.h"

namespace q {

namespace {

constexpr Long NoSouvenir = -1;
constexpr Long MostOfAKind = 9;

struct Room {
    const char* name;
    Long perLevel;  // the price per level of the heroine, or 0
    Long price;     // the price of a room that does not follow her level
    const char* note;
    Long units;     // the time the stay takes
    Long souvenir;  // the item left in her sack
};

constexpr std::array<Room, 4> Rooms{{
    {"スッポンの間(半日)", 100, 0, "半日泊まって全回復！", 50, NoSouvenir},
    {"スッポンの間(一日)", 200, 0, "ゆったりと一日泊まって全回復！【干し肉】のお土産付", 100, 12},
    {"月の間(半日)", 0, 10000, "半日泊まって全回復！【体力の花】のお土産付", 50, 1},
    {"月の間(一日)", 0, 20000, "ゆったりと一日泊まって全回復！【体力の実】のお土産付", 100, 2},
}};

// Whether one more of the item goes into the sack.
bool SouvenirFits(Game& g, Long item) {
    if (SackCheck(g, item, 1, false, false)) return g.MySack[size_t(g.WorkIndex)].HHaveSackNum < MostOfAKind;
    return g.HaveSack < g.NowMaxSack;
}

}  // namespace

bool frmItemShop::LoadHotel() {
    Game& g = game;
    Titles("+++ 宿屋 +++");
    HideNumber();
    Button("泊まる", true, "選択した時間分、宿屋で休みます");
    Columns({{"部屋名", 1600}, {"値段", 800}, {"説明", 4500}});
    for (const Room& room : Rooms) {
        // Reckoned in fractions, as her level makes the price.
        const double listPrice = room.perLevel != 0 ? double(g.MyLevel) * double(room.perLevel) : double(room.price);
        ListItem& row = lstList.AddItem(room.name);
        row.SetSubItem(1, FormatThousands(std::llround(listPrice * g.EconomyFactor)));
        row.SetSubItem(2, room.note);
    }
    Greeting(false, "");
    return true;
}

void frmItemShop::HotelBuyTurn() {
    Game& g = game;
    if (!g.OfferPending) {
        g.NoClick = NoClickRight;
        const int row = SelectedRow();
        if (row == 0 || row > int(Rooms.size())) return EndTurn();
        const Room& room = Rooms[size_t(row - 1)];
        g.WorkNum = row;
        g.WorkName = lstList.Item(row).Text;
        g.WorkNum2 = ColumnNumber(row, 1);
        StartOffer();
        g.WorkFlg = false;
        const std::string offer = "宿屋：" + g.WorkName + "ですね。" + FormatThousands(g.WorkNum2) + "カリムになります。";
        if (room.souvenir == NoSouvenir) return Say(offer + "いかが致しますか？");
        g.WorkNum3 = room.souvenir;
        g.WorkFlg = SouvenirFits(g, room.souvenir);
        Say(offer + (g.WorkFlg ? "いかが致しますか？" : "お荷物が一杯なようなので、お土産が付きませんが宜しいですか？"));
        return;
    }
    if (g.StoryNo == 1) {
        if (g.MyGold < g.WorkNum2) return MoneyShort();
        AskChoices("泊まる", "止めておく");
        return;
    }
    if (AnswerRefuses()) return Refuse();
    if (g.AnswerKey != AnswerYes) return EndTurn();
    g.MyNowWater = g.MyMaxWater;
    g.MyNowHp = g.MyMaxHp;
    g.MyNowBody = g.MyMaxBody;
    g.AnswerKey = AnswerNone;
    const bool wholeDay = g.WorkNum >= 1 && g.WorkNum <= Long(Rooms.size()) && Rooms[size_t(g.WorkNum - 1)].units == 100;
    PassTime(g, wholeDay ? 100 : 50);
    // The souvenir is a gift with the room: one that no longer fits is not
    // promised in the morning.
    if (g.WorkFlg && SackChange(g, g.WorkNum3, 0, false, 1, false)) {
        Say("おはようございます。お土産は袋に入れておきました。またのご利用をお待ちしております");
    } else {
        Say("おはようございます。またのご利用をお待ちしております");
    }
    RefreshListWindow(g);
    DrawFacility(true);  // the gauges show her restored
    g.MyGold -= g.WorkNum2;
    RefreshListWindow(g);
    g.StoryName.clear();
    g.StoryNo = 0;
    EnableDeal(true);
    g.OfferPending = false;
    EndTurn();
}

}  // namespace q
