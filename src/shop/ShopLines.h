// Everything the shop's visitors say, as data: one table per kind of
// customer, one per shop event. In a line, {arm} stands for the name of the
// arm and {price} for the price; the shop events have fields of their own.
#pragma once

#include <array>
#include <span>

#include "core/GameState.h"

namespace q {

// The lines of one kind of customer. Each line is whole, speaker included,
// except the pieces of the opening line, which is put together as
// greeting & arm & buyer's ending, or greeting & arm & seller's middle &
// price & seller's ending.
struct CustomerLines {
    Long picture;         // the customer walking in; walking away he is picture - 3
    const char* speaker;
    std::array<const char*, 3> greeting;  // morning, daytime, evening
    const char* secondGreeting;           // opens a second deal
    const char* buyerEnding;
    const char* sellerMiddle;
    const char* sellerEnding;
    const char* missing;          // the arm is not on display
    const char* tooDear;          // the price is outrageous
    const char* noMoney;          // the shop cannot pay him
    const char* noRoom;           // the display is full
    const char* cannotPay;        // he cannot pay
    const char* haggle;           // his lower bid, {price}
    const char* agreed;
    const char* plea;             // he asks again at the same {price}
    const char* refused;
    const char* farewell;         // after an agreed deal
    const char* farewellRefused;  // after a refused one
};

// The customer kinds in the order of the kind roll.
std::span<const CustomerLines* const> CustomerKinds();
// The lines of the customer with this picture, or null.
const CustomerLines* CustomerKind(Long picture);

// A deal step whose line is one fixed line of the customer, and the step
// that follows it.
struct DealStepLine {
    Long step;
    const char* CustomerLines::*line;
    Long next;
};
std::span<const DealStepLine> DealStepLines();

// A line of a shop event's visitor. `broke` is said instead when the
// heroine has no money; `next` is the step after the line, or StaysOnStep.
inline constexpr Long StaysOnStep = -1;
struct EventLine {
    Long step;
    const char* line;
    Long next;
    const char* broke = nullptr;
};
// The lines of the shop event ShopEventKind; empty for a kind with none.
std::span<const EventLine> EventLines(Long kind);

}  // namespace q
