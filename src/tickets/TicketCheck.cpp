// The counting behind every check of a column: numbers 64 draws at a time through a set of bits a
// number, so that a hundred tickets over ten years of KINO take a few passes over words; the joker,
// the last draws, digits and signs draw by draw.
#include "tickets/TicketCheck.h"

#include <algorithm>
#include <array>
#include <bit>

namespace karvo {

namespace {

// The fewest hits worth listing for a ticket of that game.
int UsefulHits(GameCode game, const Ticket& ticket)
{
    return FewestWinningHits(game, MostHits(ticket));
}

// One ticket's figures as the draws go by.
class TicketTally
{
public:
    TicketTally(TicketReport& report, const TicketCheckOptions& options, std::int64_t recentFrom)
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
        if (bonusHit || hits >= watched() || draw >= m_recentFrom) {
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

    // Everything but the count of a draw's hits.
    void note(std::int64_t draw, int hits, bool bonusHit)
    {
        m_report.bonusHits += bonusHit ? 1 : 0;
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

private:
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
                  std::vector<TicketTally>& tallies)
{
    for (std::size_t t = 0; t < tickets.size(); ++t) {
        for (std::int64_t d = first; d < history.drawCount(); ++d) {
            tallies[t].add(d, InPlaceHits(history.draw(d), tickets[t], static_cast<std::size_t>(history.width)), false);
        }
    }
}

// Numbers one ticket at a time, draw by draw: for the joker, the last draws and short histories.
void CountNumbersOneByOne(const DrawHistory& history, const GameLayout& layout, const std::vector<Ticket>& tickets,
                          std::int64_t from, std::int64_t to, std::vector<TicketTally>& tallies)
{
    const NumberGroup main = layout.groups.front();
    for (std::size_t t = 0; t < tickets.size(); ++t) {
        std::array<std::uint8_t, 256> played{};
        for (const int n : tickets[t].values) {
            played[static_cast<std::size_t>(n & 0xFF)] = 1;
        }
        const int most = MostHits(tickets[t]);
        for (std::int64_t d = from; d < to; ++d) {
            const std::uint8_t* draw = history.draw(d);
            int hits = 0;
            for (int k = 0; k < main.count; ++k) {
                hits += played[draw[main.first + k]];
            }
            // A KINO system's best column holds at most its numbers a column.
            tallies[t].add(d, std::min(hits, most),
                           tickets[t].bonus >= 0 && draw[layout.width - 1] == tickets[t].bonus);
        }
    }
}

// The draws from..to - 1 as one set of bits a number, 64 draws a word: word w of number n at
// sets[n * words + w], draw from + 64 w + b in its bit b. Each ticket is then counted 64 draws at a
// time with plain operations on words.
struct DrawBits
{
    std::int64_t from = 0;
    std::int64_t draws = 0;
    std::size_t words = 0;
    int high = 0;
    std::vector<std::uint64_t> sets;

    const std::uint64_t* of(int number) const { return sets.data() + static_cast<std::size_t>(number) * words; }
};

DrawBits NumberBits(const DrawHistory& history, const NumberGroup& main, std::int64_t from, std::int64_t to)
{
    DrawBits bits{from, to - from, static_cast<std::size_t>((to - from + 63) / 64), main.high, {}};
    bits.sets.assign(static_cast<std::size_t>(main.high + 1) * bits.words, 0);
    for (std::int64_t d = from; d < to; ++d) {
        const std::uint8_t* draw = history.draw(d);
        const auto w = static_cast<std::size_t>((d - from) / 64);
        const std::uint64_t bit = std::uint64_t{1} << ((d - from) % 64);
        for (int k = 0; k < main.count; ++k) {
            const int n = draw[main.first + k];
            if (n <= main.high) {
                bits.sets[static_cast<std::size_t>(n) * bits.words + w] |= bit;
            }
        }
    }
    return bits;
}

// The hits of 64 draws as four bit planes: a draw's hits are bit b of plane 0 + 2 plane 1 + ...
using Planes = std::array<std::uint64_t, 4>;

// The draws with at least c hits (c < 16): compared bit by bit from the lowest.
std::uint64_t AtLeast(const Planes& planes, int c)
{
    std::uint64_t atLeast = ~std::uint64_t{0};
    for (std::size_t i = 0; i < planes.size(); ++i) {
        atLeast = (c >> i & 1) != 0 ? planes[i] & atLeast : planes[i] | atLeast;
    }
    return atLeast;
}

int HitsAt(const Planes& planes, int bit)
{
    int hits = 0;
    for (std::size_t i = 0; i < planes.size(); ++i) {
        hits |= static_cast<int>(planes[i] >> bit & 1) << i;
    }
    return hits;
}

// Bits set in x, by halves, quarters and bytes: the same on every processor.
int CountBits(std::uint64_t x)
{
    x -= x >> 1 & 0x5555555555555555;
    x = (x & 0x3333333333333333) + (x >> 2 & 0x3333333333333333);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0F;
    return static_cast<int>((x * 0x0101010101010101) >> 56);
}

void CountTicketByWords(const DrawBits& bits, const Ticket& ticket, TicketTally& tally)
{
    const int most = std::min(MostHits(ticket), 15);
    std::vector<const std::uint64_t*> rows;
    for (const int n : ticket.values) {
        if (n >= 0 && n <= bits.high) {
            rows.push_back(bits.of(n));
        }
    }
    std::array<std::int64_t, 17> atLeast{}; // [c]: draws with c hits or more
    int watched = tally.watched();
    for (std::size_t w = 0; w < bits.words; ++w) {
        Planes planes{};
        for (const std::uint64_t* row : rows) {
            std::uint64_t carry = row[w];
            for (std::uint64_t& plane : planes) {
                const std::uint64_t next = plane & carry;
                plane ^= carry;
                carry = next;
            }
        }
        const auto inWord =
            static_cast<int>(std::min<std::int64_t>(64, bits.draws - static_cast<std::int64_t>(w) * 64));
        const std::uint64_t valid = inWord == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << inWord) - 1;
        for (int c = 1; c <= most; ++c) {
            atLeast[static_cast<std::size_t>(c)] += CountBits(AtLeast(planes, c) & valid);
        }
        if (watched <= most) {
            for (std::uint64_t noted = AtLeast(planes, watched) & valid; noted != 0; noted &= noted - 1) {
                const int bit = std::countr_zero(noted);
                tally.note(bits.from + static_cast<std::int64_t>(w) * 64 + bit, std::min(HitsAt(planes, bit), most),
                           false);
            }
            watched = tally.watched();
        }
    }
    std::array<std::int64_t, 17> exactly{};
    atLeast[0] = bits.draws;
    for (int c = 0; c <= most; ++c) {
        const auto k = static_cast<std::size_t>(c);
        exactly[k] = atLeast[k] - (c < most ? atLeast[k + 1] : 0);
    }
    tally.addCounts(exactly.data());
}

} // namespace

std::vector<TicketReport> CheckTickets(const DrawHistory& history, GameCode game, const std::vector<Ticket>& tickets,
                                       const TicketCheckOptions& options)
{
    const GameLayout& layout = LayoutOf(game);
    const bool usable = layout.width > 0 && history.width == layout.width;
    const std::int64_t first = usable ? std::clamp<std::int64_t>(options.firstDraw, 0, history.drawCount()) : 0;
    const std::int64_t last = usable ? history.drawCount() : 0;
    const std::int64_t recentFrom = std::max(first, last - options.recentDraws);
    std::vector<TicketReport> reports(tickets.size());
    std::vector<TicketTally> tallies;
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
        // The joker is matched draw by draw; so are the last draws, whose hits are kept one by one.
        const bool joker = std::any_of(tickets.begin(), tickets.end(), [](const Ticket& t) { return t.bonus >= 0; });
        const std::int64_t byWordsTo = joker ? first : recentFrom;
        if (byWordsTo > first) {
            const DrawBits bits = NumberBits(history, layout.groups.front(), first, byWordsTo);
            for (std::size_t t = 0; t < tickets.size(); ++t) {
                CountTicketByWords(bits, tickets[t], tallies[t]);
            }
        }
        CountNumbersOneByOne(history, layout, tickets, byWordsTo, last, tallies);
    }
    return reports;
}

TicketReport CheckTicket(const DrawHistory& history, GameCode game, const Ticket& ticket,
                         const TicketCheckOptions& options)
{
    return CheckTickets(history, game, {ticket}, options).front();
}

} // namespace karvo
