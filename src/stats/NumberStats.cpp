#include "stats/NumberStats.h"

#include <algorithm>
#include <array>
#include <bit>

namespace karvo {

namespace {

// Running figures of one number while the draws go by, draw indices from 0 within the period.
struct Tally
{
    std::int64_t hits = 0;
    std::int64_t lastSeen = -1;
    std::int64_t longest = 0;
    std::int64_t run = 0; // draws without it since it last came
};

// The longest run of zero bits between the set bits of w (at least two set).
std::int64_t LongestInnerGap(std::uint64_t w)
{
    w >>= std::countr_zero(w);
    const int span = static_cast<int>(std::bit_width(w));
    std::uint64_t zeros = ~w & ((span == 64 ? 0 : std::uint64_t{1} << span) - 1);
    std::int64_t longest = 0;
    for (; zeros != 0; zeros &= zeros << 1) {
        ++longest;
    }
    return longest;
}

// Adds a block of up to 64 draws whose appearances of number n are the bits of w (bit j: draw
// first + j).
void AddBlock(Tally& t, std::uint64_t w, int blockSize, std::int64_t first)
{
    if (w == 0) {
        t.run += blockSize;
        return;
    }
    const int ones = std::popcount(w);
    const int low = std::countr_zero(w);
    const int high = static_cast<int>(std::bit_width(w)) - 1;
    t.hits += ones;
    t.longest = std::max(t.longest, t.run + low);
    // Only a word whose gaps could beat the longest so far is searched for them.
    if (ones >= 2 && high - low + 1 - ones > t.longest) {
        t.longest = std::max(t.longest, LongestInnerGap(w));
    }
    t.lastSeen = first + high;
    t.run = blockSize - 1 - high;
}

// Sets bit j of the column of every value of draws j = 0..size - 1. Count is the values a draw when
// known at compile time (KINO's twenty, the longest history), 0 to take count instead.
template <int Count>
void GatherBlock(const std::uint8_t* draw, std::int64_t stride, int size, int count, std::uint64_t* columns)
{
    const int values = Count > 0 ? Count : count;
    for (int j = 0; j < size; ++j, draw += stride) {
        const std::uint64_t bit = std::uint64_t{1} << j;
        for (int k = 0; k < values; ++k) {
            columns[draw[k]] |= bit;
        }
    }
}

// The draws go by in blocks of 64: each number's appearances in a block are gathered as the bits of
// one word, then counted and measured a word at a time. A word for every byte value keeps the inner
// loop free of tests; values outside the group's range are never read, and a number twice in a draw
// sets its bit once.
void CountGroup(const DrawHistory& history, const NumberGroup& group, std::int64_t first, std::int64_t end,
                std::vector<Tally>& tallies)
{
    const std::uint8_t* values = history.values.data() + group.first;
    const auto stride = static_cast<std::int64_t>(history.stride);
    std::array<std::uint64_t, 256> columns{};
    std::uint64_t* range = columns.data() + group.low;
    for (std::int64_t block = first; block < end; block += 64) {
        const int size = static_cast<int>(std::min<std::int64_t>(64, end - block));
        std::fill(range, range + tallies.size(), 0);
        const std::uint8_t* draw = values + block * stride;
        if (group.count == 20) {
            GatherBlock<20>(draw, stride, size, group.count, columns.data());
        } else {
            GatherBlock<0>(draw, stride, size, group.count, columns.data());
        }
        for (std::size_t n = 0; n < tallies.size(); ++n) {
            AddBlock(tallies[n], range[n], size, block - first);
        }
    }
}

void AddGroupRows(const DrawHistory& history, const NumberGroup& group, int groupIndex, std::int64_t first,
                  std::int64_t end, GameStats& stats)
{
    std::vector<Tally> tallies(static_cast<std::size_t>(group.high - group.low + 1));
    CountGroup(history, group, first, end, tallies);
    const std::int64_t draws = end - first;
    const double expected = 100.0 * group.count / static_cast<double>(tallies.size());
    for (std::size_t n = 0; n < tallies.size(); ++n) {
        const Tally& t = tallies[n];
        NumberRow row;
        row.group = groupIndex;
        row.number = group.low + static_cast<int>(n);
        row.hits = t.hits;
        row.share = draws > 0 ? 100.0 * static_cast<double>(t.hits) / static_cast<double>(draws) : 0.0;
        row.expected = expected;
        row.currentGap = t.run;
        row.longestGap = std::max(t.longest, row.currentGap);
        row.lastDate = t.lastSeen >= 0 ? history.dates[static_cast<std::size_t>(first + t.lastSeen)] : 0;
        stats.numbers.push_back(row);
    }
}

// The pools values are the signs: 0 X, 1 "1", 2 "2", 3 no match at that position.
void AddPropoRows(const DrawHistory& history, std::int64_t first, std::int64_t end, GameStats& stats)
{
    stats.positions.resize(static_cast<std::size_t>(history.width));
    for (int p = 0; p < history.width; ++p) {
        stats.positions[static_cast<std::size_t>(p)].position = p + 1;
    }
    for (std::int64_t d = first; d < end; ++d) {
        const std::uint8_t* draw = history.draw(d);
        for (std::size_t p = 0; p < stats.positions.size(); ++p) {
            PropoRow& row = stats.positions[p];
            switch (draw[p]) {
            case 0: ++row.draws; break;
            case 1: ++row.ones; break;
            case 2: ++row.twos; break;
            default: break;
            }
        }
    }
}

} // namespace

void PeriodRange(const DrawHistory& history, const StatsPeriod& period, std::int64_t& first, std::int64_t& end)
{
    end = history.drawCount();
    first = 0;
    if (period.kind == StatsPeriod::Kind::LastDraws) {
        first = std::max<std::int64_t>(end - std::max(period.value, 0), 0);
    } else if (period.kind == StatsPeriod::Kind::FromYear) {
        // Dates grow with the draws: the first draw of the year or later.
        const auto from = std::lower_bound(history.dates.begin(), history.dates.end(), period.value * 10000);
        first = from - history.dates.begin();
    }
}

GameStats ComputeStats(const DrawHistory& history, const GameLayout& layout, const StatsPeriod& period)
{
    GameStats stats;
    std::int64_t first = 0;
    std::int64_t end = 0;
    if (history.width == layout.width && layout.width > 0) {
        PeriodRange(history, period, first, end);
    }
    stats.draws = end - first;
    if (stats.draws > 0) {
        stats.firstDate = history.dates[static_cast<std::size_t>(first)];
        stats.lastDate = history.dates[static_cast<std::size_t>(end - 1)];
    }
    for (std::size_t g = 0; g < layout.groups.size(); ++g) {
        AddGroupRows(history, layout.groups[g], static_cast<int>(g), first, end, stats);
    }
    if (layout.propo) {
        AddPropoRows(history, first, end, stats);
    }
    return stats;
}

} // namespace karvo
