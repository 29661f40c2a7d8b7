#include "tickets/TicketWinnings.h"

#include "tickets/TicketCheck.h"
#include "util/Cp1253.h"

#include <algorithm>

namespace karvo {

namespace {

QDate DateOf(std::int32_t date)
{
    return {date / 10000, date / 100 % 100, date % 100};
}

} // namespace

int FewestPaidHits(const PrizeBook& book)
{
    int fewest = 1 << 10;
    for (const DrawPrizes& draw : book.draws) {
        for (const PrizeCategory& category : draw.categories) {
            if (category.tier.hits >= 0) {
                fewest = std::min(fewest, std::max(category.tier.hits, 1));
            }
        }
    }
    return fewest;
}

bool HasWinnings(GameCode game)
{
    return game == GameCode::Lotto || game == GameCode::Joker || game == GameCode::Extra;
}

DrawWinning WinningOf(const PrizeBook& book, std::int32_t date, int hits, bool bonusHit)
{
    DrawWinning winning;
    const DrawPrizes* draw = book.onDate(DateOf(date));
    if (draw == nullptr) {
        return winning;
    }
    winning.category = draw->categoryFor({hits, bonusHit});
    if (winning.category == nullptr) {
        winning.known = true; // fewer hits than any category of that draw: nothing won
        winning.cents = 0;
    } else if (winning.category->cents) {
        winning.known = true;
        winning.cents = winning.category->cents;
    }
    return winning;
}

TicketWinnings WinningsOf(const PrizeBook& book, const DrawHistory& history, GameCode game, const Ticket& ticket)
{
    TicketWinnings winnings;
    if (!HasWinnings(game) || book.draws.empty() || history.drawCount() == 0) {
        return winnings;
    }
    TicketCheckOptions options;
    options.threshold = FewestPaidHits(book);
    const TicketReport report = CheckTicket(history, game, ticket, options);
    const std::int64_t latest = history.drawCount() - 1;
    const auto dateOf = [&history](std::int64_t draw) { return history.dates[static_cast<std::size_t>(draw)]; };
    // Draws with fewer hits than any category won nothing; each one with a table counts as known.
    for (std::int64_t d = 0; d <= latest; ++d) {
        winnings.drawsKnown += book.onDate(DateOf(dateOf(d))) != nullptr ? 1 : 0;
    }
    if (book.onDate(DateOf(dateOf(latest))) != nullptr) {
        winnings.latestCents = 0;
    }
    for (const TicketHit& hit : report.hits) {
        const DrawWinning won = WinningOf(book, dateOf(hit.draw), hit.hits, hit.bonusHit);
        if (!won.known && book.onDate(DateOf(dateOf(hit.draw))) != nullptr) {
            --winnings.drawsKnown; // a category without an amount: that draw is not known after all
        }
        winnings.totalCents += won.cents.value_or(0);
        if (hit.draw == latest) {
            winnings.latestCents = won.cents;
        }
    }
    if (report.best.draw >= 0) {
        const DrawWinning best = WinningOf(book, dateOf(report.best.draw), report.best.hits, report.best.bonusHit);
        winnings.bestCategory = best.category != nullptr ? best.category->name : std::string();
    }
    return winnings;
}

std::string EuroText(std::int64_t cents, const NumberFormat& format)
{
    return AmountText(cents, format) + Utf8ToCp1253(" €");
}

} // namespace karvo
