// The figures of the find roll who make an offer: the sack and bag sellers,
// the game keeper, the jewel seller and the devil. Their offer comes with the
// find's first line, their question with the next click, then the answer.
#pragma once

namespace q {

class Game;

enum class SellerRoll { SackOrBag, NumberGame, Jewel, Devil };

// Sets up the figure the roll brought (VisitorSprite, EventName, DealPrice,
// the number game's values) and shows its offer. False when it does not come.
bool SellerOffer(Game& g, SellerRoll roll);
// The question after the offer line; false when EventName is no seller.
bool SellerQuestion(Game& g);
// Carries out the answer to the question; false when there was none to
// carry out.
bool SellerAnswer(Game& g);

}  // namespace q
