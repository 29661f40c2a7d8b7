#include "stats/NumberTally.h"

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

// The longest run of set bits in z: each step shortens every run by one.
std::int64_t LongestRun(std::uint64_t z)
{
    std::int64_t length = 0;
    for (; z != 0; ++length) {
        z &= z >> 1;
    }
    return length;
}

// Adds a block of size draws (at most 64) whose appearances of the number are the bits of w (bit
// j: draw first + j). The gaps inside the block are measured only when one is longer than the
// longest so far, which random draws soon make rare.
void AddBlock(NumberTally& t, std::uint64_t w, int size, std::int64_t first)
{
    if (w == 0) {
        t.run += size;
        return;
    }
    const int low = std::countr_zero(w);
    const int high = 63 - std::countl_zero(w);
    t.hits += std::popcount(w);
    t.longest = std::max(t.longest, t.run + low);
    t.firstSeen = t.firstSeen < 0 ? first + low : t.firstSeen;
    t.lastSeen = first + high;
    t.run = size - 1 - high;
    // The draws without it between its first and its last draw of the block: at most 62, so a
    // longest gap of 62 or more cannot be beaten here.
    const std::uint64_t inner = ~(w | (w - 1)) & ((std::uint64_t{1} << high) - 1);
    if (t.longest < 62 && HasRun(inner, static_cast<int>(t.longest) + 1)) {
        t.longest = LongestRun(inner);
    }
}

} // namespace

// The draws go by in blocks of 64: each number's appearances in a block are gathered as the bits of
// one word, then each word is added to its number's tally. A word for every byte value keeps the
// gathering free of tests: values outside the group's range are never read, and a number twice in
// a draw sets its bit once.
void CountStretch(const std::uint8_t* values, std::int64_t stride, std::int64_t draws, const NumberGroup& group,
                  std::vector<NumberTally>& tallies)
{
    std::array<std::uint64_t, 256> columns{};
    std::uint64_t* range = columns.data() + group.low;
    for (std::int64_t block = 0; block < draws; block += 64) {
        const int size = static_cast<int>(std::min<std::int64_t>(64, draws - block));
        std::fill_n(range, tallies.size(), 0);
        const std::uint8_t* draw = values + block * stride;
        for (int j = 0; j < size; ++j, draw += stride) {
            const std::uint64_t bit = std::uint64_t{1} << j;
            for (int k = 0; k < group.count; ++k) {
                columns[draw[k]] |= bit;
            }
        }
        for (std::size_t n = 0; n < tallies.size(); ++n) {
            AddBlock(tallies[n], range[n], size, block);
        }
    }
}

void JoinStretch(std::vector<NumberTally>& total, std::int64_t before, const std::vector<NumberTally>& next)
{
    for (std::size_t n = 0; n < total.size(); ++n) {
        NumberTally& t = total[n];
        const NumberTally& s = next[n];
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

void AddRows(const NumberGroup& group, int groupIndex, const std::vector<NumberTally>& tallies, std::int64_t draws,
             GameStats& stats)
{
    const double expected = 100.0 * group.count / static_cast<double>(tallies.size());
    for (std::size_t n = 0; n < tallies.size(); ++n) {
        const NumberTally& t = tallies[n];
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
