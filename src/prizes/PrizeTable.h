// What a draw paid: its prize categories, each with its winners and the amount per winner, as the
// operator's results workbooks list them after the numbers and as its draw service answers.
#pragma once

#include "domain/Games.h"
#include "util/Numbers.h"

#include <QDate>
#include <optional>
#include <string>
#include <vector>

namespace karvo {

// A prize category by what a column must hit: "4 + 1" is four numbers and the joker (JOKER) or
// the bonus number (LOTTO of earlier years); "4αρια" four numbers.
struct PrizeTier
{
    int hits = 0; // -1: a category whose tier is not known, which no column wins
    bool bonus = false;

    bool operator==(const PrizeTier& other) const { return hits == other.hits && bonus == other.bonus; }
};

// The tier a category header names, for game: "6αρια ", "5 + 1", "5", "4+1". Blanks, letter case
// and the "αρια" ending do not count. Empty when the header names no tier the game has.
std::optional<PrizeTier> TierOfHeader(GameCode game, const std::string& header);

struct PrizeCategory
{
    std::string name; // Windows-1253, as its source names it, without outer blanks: "4 + 1"
    PrizeTier tier;
    std::optional<std::int64_t> winners; // not known when empty
    std::optional<std::int64_t> cents;   // per winner; empty when not known or nobody won
    bool jackpot = false;                // nobody won the top category: its amount is carried over
};

struct DrawPrizes
{
    int draw = 0; // the operator's draw number
    QDate date;
    std::optional<std::int64_t> columnsPlayed;
    std::vector<PrizeCategory> categories;

    // The category a column with these hits wins in; null when it wins none. A tier with the
    // bonus falls back to the one without it when the draw has no category for the bonus.
    const PrizeCategory* categoryFor(PrizeTier tier) const;
};

// "2.300.000": n with its thousands grouped in the separators of format.
std::string GroupedWhole(std::int64_t n, const NumberFormat& format = UserNumberFormat());
// "2.500,00" in the separators of format; cents are whole.
std::string AmountText(std::int64_t cents, const NumberFormat& format = UserNumberFormat());
// "12.000,00", "1,50", "0", "30": an amount in the operator's Greek writing, in cents. Empty when
// the text is no amount. A text with no comma groups its digits by three with dots ("6.077"); a
// dot followed by other than three digits is a decimal point ("12000.5", a number cell).
std::optional<std::int64_t> AmountInCents(const std::string& text);

} // namespace karvo
