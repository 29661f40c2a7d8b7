// What a kept ticket won: its hits in a draw mapped to that draw's prize category by the names
// the operator gave the categories that year. Where a draw's table is not known, or the game's
// hits do not tell the category on their own, the hits stand without an amount, never with a
// guessed one.
#pragma once

#include "prizes/PrizeBook.h"
#include "results/DrawHistory.h"
#include "tickets/Ticket.h"

#include <cstdint>
#include <optional>
#include <string>

namespace karvo {

// The games whose column's hits alone tell its prize category: LOTTO, JOKER and EXTRA.
bool HasWinnings(GameCode game);

struct DrawWinning
{
    bool known = false;                      // the draw's table is known: category and cents tell all
    const PrizeCategory* category = nullptr; // the category the column is in; null when none
    std::optional<std::int64_t> cents;       // what the column won; empty when not known
};

// The fewest hits any category of the book pays for; a great many when it has none.
int FewestPaidHits(const PrizeBook& book);

// A column with hits (and the joker or bonus) in the draw of date (yyyymmdd).
DrawWinning WinningOf(const PrizeBook& book, std::int32_t date, int hits, bool bonusHit);

struct TicketWinnings
{
    std::optional<std::int64_t> latestCents; // in the latest draw; empty when not known
    std::int64_t totalCents = 0;             // over the draws whose prizes are known
    std::int64_t drawsKnown = 0;             // how many draws those are
    std::string bestCategory;                // Windows-1253: the category of the best draw, if known
};

// The ticket over the whole history of game.
TicketWinnings WinningsOf(const PrizeBook& book, const DrawHistory& history, GameCode game, const Ticket& ticket);

// "2.500,00 €" in the user's separators (Windows-1253).
std::string EuroText(std::int64_t cents, const NumberFormat& format = UserNumberFormat());

} // namespace karvo
