#include "stats/Tally.h"

#include <algorithm>
#include <array>
#include <bit>

namespace karvo {

namespace {

// True when z has a run of at least n set bits (n >= 1): each step keeps the bits that start a run
// twice as long as before.
bool HasRun(std::uint64_t z, int n)
{
    int have = 1;
    for (; have * 2 <= n; have *= 2) {
        z &= z >> have;
    }
    if (have < n) {
        z &= z >> (n - have);
    }
    return z != 0;
}

// The longest run of zero bits between the set bits of w (at least two set), when it is longer than
// longest; longest otherwise.
std::int64_t LongerInnerGap(std::uint64_t w, std::int64_t longest)
{
    w >>= std::countr_zero(w);
    const int span = static_cast<int>(std::bit_width(w));
    const std::uint64_t zeros = ~w & ((span == 64 ? 0 : std::uint64_t{1} << span) - 1);
    std::int64_t run = longest;
    while (run < 62 && HasRun(zeros, static_cast<int>(run) + 1)) {
        ++run;
    }
    return run;
}

// Whether w may hold a run of zeros longer than longest: random draws seldom leave a gap longer
// than the longest so far, and a run of more than 32 zeros in 64 bits covers the middle bits
// 63 - longest .. longest, so one test settles most words.
inline bool MayHoldLongerGap(std::uint64_t w, std::int64_t longest)
{
    if (longest >= 62) {
        return false;
    }
    if (longest < 32) {
        return true;
    }
    const int bits = static_cast<int>(2 * longest - 62);
    const std::uint64_t middle = ((std::uint64_t{1} << bits) - 1) << (63 - longest);
    return (w & middle) == 0;
}

// Adds a block of size draws (at most 64) whose appearances of the number are the bits of w (bit
// j: draw first + j). Without branches but the rare one: an empty word has no low bit (64) and
// its high bit at -1, so the same sums carry the run on.
inline void AddBlock(Tally& t, std::uint64_t w, int size, std::int64_t first)
{
    const int ones = std::popcount(w);
    const int low = std::min(std::countr_zero(w), size);
    const int high = 63 - std::countl_zero(w);
    t.hits += ones;
    t.longest = std::max(t.longest, t.run + low);
    t.firstSeen = t.firstSeen < 0 && ones > 0 ? first + low : t.firstSeen;
    t.lastSeen = ones > 0 ? first + high : t.lastSeen;
    t.run = (ones > 0 ? 0 : t.run) + size - 1 - high;
    if (ones >= 2 && MayHoldLongerGap(w, t.longest)) {
        t.longest = LongerInnerGap(w, t.longest);
    }
}

// Sets bit j of the column of every value of draws j = 0..size - 1. Count is the values a draw when
// known at compile time (KINO's twenty, the longest history), 0 to take count instead.
template <int Count>
void GatherBlock(const std::uint8_t* draw, std::int64_t stride, int size, int count, std::uint64_t* columns)
{
    const int values = Count > 0 ? Count : count;
    for (int j = 0; j < size; ++j, draw += stride) {
        const std::uint64_t bit = std::uint64_t{1} << j;
        // Unrolled, the loop is a load and an OR a number: its own upkeep would cost as much.
#pragma GCC unroll 20
        for (int k = 0; k < values; ++k) {
            columns[draw[k]] |= bit;
        }
    }
}

} // namespace

// The draws go by in blocks of 64: each number's appearances in a block are gathered as the bits of
// one word, then counted and measured a word at a time. A word for every byte value keeps the inner
// loop free of tests; values outside the group's range are never read, and a number twice in a draw
// sets its bit once. Processors that count bits in one instruction get a build of their own.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("popcnt", "default")))
#endif
void CountStretch(const std::uint8_t* values, std::int64_t stride, std::int64_t draws, const NumberGroup& group,
                  std::vector<Tally>& tallies)
{
    std::array<std::uint64_t, 256> columns{};
    std::uint64_t* range = columns.data() + group.low;
    for (std::int64_t block = 0; block < draws; block += 64) {
        const int size = static_cast<int>(std::min<std::int64_t>(64, draws - block));
        std::fill(range, range + tallies.size(), 0);
        const std::uint8_t* draw = values + block * stride;
        if (group.count == 20) {
            GatherBlock<20>(draw, stride, size, group.count, columns.data());
        } else {
            GatherBlock<0>(draw, stride, size, group.count, columns.data());
        }
        for (std::size_t n = 0; n < tallies.size(); ++n) {
            AddBlock(tallies[n], range[n], size, block);
        }
    }
}

void JoinStretch(std::vector<Tally>& total, std::int64_t before, const std::vector<Tally>& next)
{
    for (std::size_t n = 0; n < total.size(); ++n) {
        Tally& t = total[n];
        const Tally& s = next[n];
        if (s.lastSeen < 0) {
            t.run += s.run;
            continue;
        }
        // The run across the join: the end of the first stretch and the start of the next.
        t.longest = std::max({t.longest, s.longest, t.run + s.firstSeen});
        t.firstSeen = t.lastSeen < 0 ? before + s.firstSeen : t.firstSeen;
        t.hits += s.hits;
        t.lastSeen = before + s.lastSeen;
        t.run = s.run;
        t.lastDate = s.lastDate;
    }
}

void AddRows(const NumberGroup& group, int groupIndex, const std::vector<Tally>& tallies, std::int64_t draws,
             GameStats& stats)
{
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
        row.lastDate = t.lastDate;
        stats.numbers.push_back(row);
    }
}

} // namespace karvo
