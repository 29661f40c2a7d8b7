// The counting behind every check of a column: numbers through lists of the tickets that hold each
// number, so that a draw costs its twenty numbers and not a pass over every ticket; digits and
// signs position by position.
#include "stats/TicketCheck.h"

#include <algorithm>
#include <array>

namespace karvo {

namespace {

constexpr std::size_t kKinoMostNumbers = 12;
// KINO: the fewest hits that win something, by the numbers of a column (index).
constexpr std::array<int, kKinoMostNumbers + 1> kKinoUseful = {0, 1, 2, 2, 2, 3, 3, 3, 4, 4, 5, 5, 6};

// The fewest hits worth listing for a ticket of that game.
int UsefulHits(GameCode game, const Ticket& ticket)
{
    const int most = MostHits(ticket);
    if (game == GameCode::Kino) {
        return kKinoUseful[std::min(static_cast<std::size_t>(most), kKinoMostNumbers)];
    }
    if (IsPropo(game)) {
        return most - 2;
    }
    return game == GameCode::Super3 ? 2 : 3;
}

// One ticket's figures as the draws go by.
class Tally
{
public:
    Tally(TicketReport& report, const TicketCheckOptions& options, std::int64_t recentFrom)
        : m_report(report)
        , m_listFrom(options.listHits ? report.threshold : kNever)
        , m_recentFrom(recentFrom)
    {
    }

    // Draws with fewer hits than this, before the recent ones, change no more than a count.
    int watched() const { return std::min(m_listFrom, m_report.best.hits + 1); }

    void add(std::int64_t draw, int hits, bool bonusHit)
    {
        ++m_report.hitCounts[static_cast<std::size_t>(hits)];
        m_report.bonusHits += bonusHit ? 1 : 0;
        if (hits >= watched() || draw >= m_recentFrom) {
            note(draw, hits, bonusHit);
        }
    }

    // Draws counted apart: at[k] draws with k hits.
    void addCounts(const std::int64_t* at)
    {
        for (std::size_t k = 0; k < m_report.hitCounts.size(); ++k) {
            m_report.hitCounts[k] += at[k];
        }
    }

private:
    void note(std::int64_t draw, int hits, bool bonusHit)
    {
        if (hits > m_report.best.hits) {
            m_report.best = {draw, hits, bonusHit};
        }
        if (hits >= m_listFrom) {
            m_report.hits.push_back({draw, hits, bonusHit});
        }
        if (draw >= m_recentFrom) {
            m_report.recent.push_back(hits);
        }
    }

    static constexpr int kNever = 1 << 20;
    TicketReport& m_report;
    int m_listFrom;
    std::int64_t m_recentFrom;
};

int InPlaceHits(const std::uint8_t* draw, const Ticket& ticket, std::size_t width)
{
    const std::size_t n = std::min(ticket.values.size(), width);
    int hits = 0;
    for (std::size_t p = 0; p < n; ++p) {
        // A match with no result (3) is in no set of signs.
        hits += ticket.signs.empty() ? (draw[p] == ticket.values[p] ? 1 : 0) : (ticket.signs[p] >> draw[p] & 1);
    }
    return hits;
}

void CountInPlace(const DrawHistory& history, const std::vector<Ticket>& tickets, std::int64_t first,
                  std::vector<Tally>& tallies)
{
    for (std::size_t t = 0; t < tickets.size(); ++t) {
        for (std::int64_t d = first; d < history.drawCount(); ++d) {
            tallies[t].add(d, InPlaceHits(history.draw(d), tickets[t], static_cast<std::size_t>(history.width)), false);
        }
    }
}

using TicketLists = std::vector<std::vector<std::uint32_t>>;

// For each value a draw can hold, the tickets that play it among their numbers, or as their joker.
TicketLists TicketsByNumber(const std::vector<Ticket>& tickets)
{
    TicketLists byNumber(256);
    for (std::size_t t = 0; t < tickets.size(); ++t) {
        for (const int n : tickets[t].values) {
            byNumber[static_cast<std::size_t>(n & 0xFF)].push_back(static_cast<std::uint32_t>(t));
        }
    }
    return byNumber;
}

TicketLists TicketsByBonus(const std::vector<Ticket>& tickets)
{
    TicketLists byBonus(256);
    for (std::size_t t = 0; t < tickets.size(); ++t) {
        if (tickets[t].bonus >= 0) {
            byBonus[static_cast<std::size_t>(tickets[t].bonus & 0xFF)].push_back(static_cast<std::uint32_t>(t));
        }
    }
    return byBonus;
}

// Counts of draws by hits, a row of kKinoMostNumbers + 1 a ticket, added to the reports at the end.
constexpr std::size_t kCountRow = kKinoMostNumbers + 1;

void CountNumbers(const DrawHistory& history, const GameLayout& layout, const std::vector<Ticket>& tickets,
                  std::int64_t first, std::int64_t recentFrom, std::vector<Tally>& tallies)
{
    const TicketLists byNumber = TicketsByNumber(tickets);
    const TicketLists byBonus = TicketsByBonus(tickets);
    const bool joker = std::any_of(tickets.begin(), tickets.end(), [](const Ticket& t) { return t.bonus >= 0; });
    const NumberGroup main = layout.groups.front();
    const std::size_t count = tickets.size();
    std::vector<std::uint8_t> hits(count, 0);
    std::vector<std::uint8_t> bonusHit(count, 0);
    std::vector<std::uint8_t> most(count);
    std::vector<int> watched(count);
    std::vector<std::int64_t> counts(count * kCountRow, 0);
    for (std::size_t t = 0; t < count; ++t) {
        most[t] = static_cast<std::uint8_t>(MostHits(tickets[t]));
        watched[t] = tallies[t].watched();
    }
    for (std::int64_t d = first; d < history.drawCount(); ++d) {
        const std::uint8_t* draw = history.draw(d);
        for (int k = 0; k < main.count; ++k) {
            for (const std::uint32_t t : byNumber[draw[main.first + k]]) {
                ++hits[t];
            }
        }
        if (joker) {
            for (const std::uint32_t t : byBonus[draw[layout.width - 1]]) {
                bonusHit[t] = 1;
            }
        }
        const bool recent = d >= recentFrom;
        for (std::size_t t = 0; t < count; ++t) {
            // A KINO system's best column holds at most its numbers a column.
            const int h = std::min(hits[t], most[t]);
            if (joker || recent || h >= watched[t]) {
                tallies[t].add(d, h, bonusHit[t] != 0);
                watched[t] = tallies[t].watched();
            } else {
                ++counts[t * kCountRow + static_cast<std::size_t>(h)];
            }
            hits[t] = 0;
            bonusHit[t] = 0;
        }
    }
    for (std::size_t t = 0; t < count; ++t) {
        tallies[t].addCounts(&counts[t * kCountRow]);
    }
}

} // namespace

int MostHits(const Ticket& ticket)
{
    const int size = static_cast<int>(ticket.values.size());
    return ticket.played > 0 ? std::min(ticket.played, size) : size;
}

std::vector<TicketReport> CheckTickets(const DrawHistory& history, GameCode game, const std::vector<Ticket>& tickets,
                                       const TicketCheckOptions& options)
{
    const GameLayout& layout = LayoutOf(game);
    const bool usable = layout.width > 0 && history.width == layout.width;
    const std::int64_t first = usable ? std::clamp<std::int64_t>(options.firstDraw, 0, history.drawCount()) : 0;
    const std::int64_t last = usable ? history.drawCount() : 0;
    const std::int64_t recentFrom = std::max(first, last - options.recentDraws);
    std::vector<TicketReport> reports(tickets.size());
    std::vector<Tally> tallies;
    tallies.reserve(tickets.size());
    for (std::size_t t = 0; t < tickets.size(); ++t) {
        reports[t].threshold = options.threshold > 0 ? options.threshold : UsefulHits(game, tickets[t]);
        reports[t].hitCounts.assign(static_cast<std::size_t>(MostHits(tickets[t])) + 1, 0);
        reports[t].draws = last - first;
        tallies.emplace_back(reports[t], options, recentFrom);
    }
    if (!usable) {
        return reports;
    }
    if (layout.propo || layout.digits) {
        CountInPlace(history, tickets, first, tallies);
    } else {
        CountNumbers(history, layout, tickets, first, recentFrom, tallies);
    }
    return reports;
}

TicketReport CheckTicket(const DrawHistory& history, GameCode game, const Ticket& ticket,
                         const TicketCheckOptions& options)
{
    return CheckTickets(history, game, {ticket}, options).front();
}

} // namespace karvo
