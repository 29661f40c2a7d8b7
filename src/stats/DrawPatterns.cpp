#include "stats/DrawPatterns.h"

#include "stats/PairTable.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>
#include <utility>

namespace karvo {

namespace {

constexpr int kMaxRange = 128; // two words of bits a draw

// The numbers of a draw that lie in the group's range, as bits (bit n: number low + n), and the
// sum of those values. A value out of range or a number given twice leaves the draw with fewer
// different numbers than the game draws: incomplete, and its sum means nothing.
struct DrawNumbers
{
    std::array<std::uint64_t, 2> bits{};
    int count = 0;
    int sum = 0;
};

// The set bits of w. Plain code: for the processors the program is built for, std::popcount is a
// call into the compiler's library, and this runs for every draw.
int BitCount(std::uint64_t w)
{
    w -= (w >> 1) & 0x5555555555555555u;
    w = (w & 0x3333333333333333u) + ((w >> 2) & 0x3333333333333333u);
    w = (w + (w >> 4)) & 0x0f0f0f0f0f0f0f0fu;
    return static_cast<int>((w * 0x0101010101010101u) >> 56);
}

// Without a branch or a store a value: a value out of range sets no bit, and which word a bit goes
// to is a mask, not a test, as a test would be mispredicted for a random fifth of KINO's numbers.
DrawNumbers ReadDraw(const std::uint8_t* values, const NumberGroup& group)
{
    std::uint64_t low = 0;
    std::uint64_t high = 0;
    int sum = 0;
    for (int k = 0; k < group.count; ++k) {
        const int value = values[k];
        const auto n = static_cast<unsigned>(value - group.low);
        const std::uint64_t in = n <= static_cast<unsigned>(group.high - group.low) ? 1 : 0;
        const std::uint64_t bit = in << (n & 63);
        const std::uint64_t upper = 0 - std::uint64_t{(n >> 6) & 1}; // all ones from low + 64 on
        low |= bit & ~upper;
        high |= bit & upper;
        sum += value * static_cast<int>(in);
    }
    return {{low, high}, BitCount(low) + BitCount(high), sum};
}

int CommonCount(const std::array<std::uint64_t, 2>& a, const std::array<std::uint64_t, 2>& b)
{
    return BitCount(a[0] & b[0]) + BitCount(a[1] & b[1]);
}

// The draw's numbers as offsets from low, smallest first; returns how many.
int Offsets(const DrawNumbers& draw, int* offsets)
{
    int count = 0;
    for (int w = 0; w < 2; ++w) {
        for (std::uint64_t bits = draw.bits[static_cast<std::size_t>(w)]; bits != 0; bits &= bits - 1) {
            offsets[count++] = w * 64 + std::countr_zero(bits);
        }
    }
    return count;
}

// Sums of 6 numbers spread over some 250 values, of 20 over some 1,200: ranges of 10 and 50 give
// each game a histogram of twenty to thirty bars.
int SumWidthOf(const NumberGroup& group)
{
    return group.count >= 20 ? 50 : 10;
}

double Choose(int n, int k)
{
    if (k < 0 || k > n) {
        return 0;
    }
    double result = 1;
    for (int i = 1; i <= k; ++i) {
        result = result * (n - k + i) / i;
    }
    return result;
}

std::vector<PatternRow> Rows(const std::vector<std::int64_t>& counts, std::int64_t total, int firstValue, int step)
{
    std::vector<PatternRow> rows(counts.size());
    for (std::size_t i = 0; i < counts.size(); ++i) {
        rows[i].value = firstValue + static_cast<int>(i) * step;
        rows[i].draws = counts[i];
        rows[i].share = total > 0 ? 100.0 * static_cast<double>(counts[i]) / static_cast<double>(total) : 0.0;
    }
    return rows;
}

// One pass over the period's draws, oldest first: the splits, sums and repeats a draw at a time,
// the pairs 64 draws at a time.
class PatternPass
{
public:
    explicit PatternPass(const NumberGroup& group)
        : m_group(group)
        , m_size(group.high - group.low + 1)
        , m_odd(static_cast<std::size_t>(group.count + 1))
        , m_repeats(static_cast<std::size_t>(group.count + 1))
        , m_width(SumWidthOf(group))
        , m_firstBin((group.count * group.low + group.count * (group.count - 1) / 2) / m_width)
        , m_sums(static_cast<std::size_t>((group.count * group.high - group.count * (group.count - 1) / 2) / m_width
                                          - m_firstBin + 1))
        , m_pairs(m_size)
    {
        for (int n = 0; n < m_size; ++n) {
            if ((group.low + n) % 2 != 0) {
                m_oddBits[static_cast<std::size_t>(n >> 6)] |= std::uint64_t{1} << (n & 63);
            }
        }
    }

    // Draw values: the group's values of one draw.
    void add(const std::uint8_t* values)
    {
        const DrawNumbers draw = ReadDraw(values, m_group);
        const bool complete = draw.count == m_group.count;
        if (complete) {
            ++m_complete;
            ++m_odd[static_cast<std::size_t>(CommonCount(draw.bits, m_oddBits))];
            ++m_sums[static_cast<std::size_t>(draw.sum / m_width - m_firstBin)];
            m_sumTotal += draw.sum;
            if (m_previousComplete) {
                ++m_compared;
                ++m_repeats[static_cast<std::size_t>(CommonCount(draw.bits, m_previous))];
            }
            const std::uint64_t bit = std::uint64_t{1} << m_inBlock;
            for (int k = 0; k < m_group.count; ++k) {
                m_columns[values[k]] |= bit;
            }
        }
        m_previous = draw.bits;
        m_previousComplete = complete;
        if (++m_inBlock == 64) {
            endBlock();
        }
    }

    void finish(DrawPatterns& patterns)
    {
        if (m_inBlock > 0) {
            endBlock();
        }
        patterns.complete = m_complete;
        patterns.oddSplits = Rows(m_odd, m_complete, 0, 1);
        const int odd = CommonCount(m_oddBits, {~std::uint64_t{0}, ~std::uint64_t{0}});
        for (PatternRow& row : patterns.oddSplits) {
            row.expected = HypergeometricPercent(m_size, odd, m_group.count, row.value);
        }
        patterns.sumWidth = m_width;
        // From the lowest range seen to the highest: the extremes are far too rare to be seen.
        const auto seen = [](std::int64_t n) { return n > 0; };
        const auto low = std::find_if(m_sums.begin(), m_sums.end(), seen);
        const auto high = std::find_if(m_sums.rbegin(), m_sums.rend(), seen).base();
        if (low < high) {
            patterns.sums = Rows(std::vector<std::int64_t>(low, high), m_complete,
                                 (m_firstBin + static_cast<int>(low - m_sums.begin())) * m_width, m_width);
        }
        patterns.sumMean = m_complete > 0 ? static_cast<double>(m_sumTotal) / static_cast<double>(m_complete) : 0.0;
        patterns.compared = m_compared;
        patterns.repeats = Rows(m_repeats, m_compared, 0, 1);
        for (PatternRow& row : patterns.repeats) {
            row.expected = HypergeometricPercent(m_size, m_group.count, m_group.count, row.value);
        }
    }

    PairTable& pairs() { return m_pairs; }

private:
    void endBlock()
    {
        m_pairs.addBlock(m_columns.data() + m_group.low);
        m_columns.fill(0);
        m_inBlock = 0;
    }

    const NumberGroup& m_group;
    int m_size;
    std::array<std::uint64_t, 2> m_oddBits{};
    std::int64_t m_complete = 0;
    std::vector<std::int64_t> m_odd;
    std::int64_t m_compared = 0;
    std::vector<std::int64_t> m_repeats;
    std::array<std::uint64_t, 2> m_previous{};
    bool m_previousComplete = false;
    int m_width;
    int m_firstBin;
    std::vector<std::int64_t> m_sums;
    std::int64_t m_sumTotal = 0;
    PairTable m_pairs;
    std::array<std::uint64_t, 256> m_columns{}; // by value: a value needs no offset to find its column
    int m_inBlock = 0;
};

// The last draw of [first, end) with each pair that came together at all, looked for from the
// newest draw back: random draws hold every pair within a few hundred draws, so the look stops early.
std::vector<std::int64_t> LastTogether(const DrawHistory& history, const NumberGroup& group, std::int64_t first,
                                       std::int64_t end, const std::vector<std::int64_t>& counts)
{
    const int size = group.high - group.low + 1;
    std::vector<std::int64_t> last(counts.size(), -1);
    std::int64_t missing = std::count_if(counts.begin(), counts.end(), [](std::int64_t n) { return n > 0; });
    for (std::int64_t d = end - 1; d >= first && missing > 0; --d) {
        const DrawNumbers draw = ReadDraw(history.draw(d) + group.first, group);
        if (draw.count != group.count) {
            continue;
        }
        int offsets[kMaxRange];
        const int count = Offsets(draw, offsets);
        for (int i = 0; i < count; ++i) {
            std::int64_t* row = last.data() + static_cast<std::ptrdiff_t>(offsets[i]) * size;
            for (int j = i + 1; j < count; ++j) {
                if (row[offsets[j]] < 0) {
                    row[offsets[j]] = d;
                    --missing;
                }
            }
        }
    }
    return last;
}

void ListPairs(const DrawHistory& history, const NumberGroup& group, std::int64_t first, std::int64_t end,
               PairTable& table, DrawPatterns& patterns)
{
    if (patterns.complete == 0) {
        return;
    }
    const std::vector<std::int64_t>& counts = table.counts();
    const std::vector<std::int64_t> last = LastTogether(history, group, first, end, counts);
    std::vector<PairRow> rows;
    const int size = table.size();
    for (int a = 0; a < size; ++a) {
        for (int b = a + 1; b < size; ++b) {
            const std::size_t p =
                static_cast<std::size_t>(a) * static_cast<std::size_t>(size) + static_cast<std::size_t>(b);
            const std::int64_t d = last[p];
            rows.push_back({group.low + a, group.low + b, counts[p], d < 0 ? -1 : end - 1 - d,
                            d < 0 ? 0 : history.dates[static_cast<std::size_t>(d)]});
        }
    }
    // Rows are in number order: ties keep it.
    const auto top = [&rows](std::vector<PairRow>& list, auto before) {
        list = rows;
        const auto listed = list.begin() + std::min<std::ptrdiff_t>(DrawPatterns::kPairsListed, std::ssize(list));
        std::partial_sort(list.begin(), listed, list.end(), [&before](const PairRow& x, const PairRow& y) {
            return before(x, y) || (!before(y, x) && std::pair(x.first, x.second) < std::pair(y.first, y.second));
        });
        list.erase(listed, list.end());
    };
    top(patterns.absentPairs, [](const PairRow& x, const PairRow& y) {
        constexpr std::int64_t never = std::numeric_limits<std::int64_t>::max();
        return (x.since < 0 ? never : x.since) > (y.since < 0 ? never : y.since);
    });
    std::erase_if(rows, [](const PairRow& row) { return row.together == 0; });
    top(patterns.frequentPairs, [](const PairRow& x, const PairRow& y) { return x.together > y.together; });
}

} // namespace

bool HasDrawPatterns(const GameLayout& layout)
{
    if (layout.propo || layout.digits || layout.groups.empty()) {
        return false;
    }
    const NumberGroup& group = layout.groups.front();
    return group.count >= 2 && group.high - group.low + 1 <= kMaxRange && group.count <= group.high - group.low + 1;
}

DrawPatterns ComputeDrawPatterns(const DrawHistory& history, const GameLayout& layout, const StatsPeriod& period)
{
    DrawPatterns patterns;
    if (!HasDrawPatterns(layout) || history.width != layout.width) {
        return patterns;
    }
    const NumberGroup& group = layout.groups.front();
    std::int64_t first = 0;
    std::int64_t end = 0;
    PeriodRange(history, period, first, end);
    patterns.draws = end - first;
    patterns.numbers = group.count;
    PatternPass pass(group);
    for (std::int64_t d = first; d < end; ++d) {
        pass.add(history.draw(d) + group.first);
    }
    pass.finish(patterns);
    ListPairs(history, group, first, end, pass.pairs(), patterns);
    return patterns;
}

double HypergeometricPercent(int population, int marked, int n, int k)
{
    const double all = Choose(population, n);
    return all > 0 ? 100.0 * Choose(marked, k) * Choose(population - marked, n - k) / all : 0.0;
}

} // namespace karvo
