#include "stats/Tally.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

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

// The draws go by in blocks of 64: each number's appearances in a block are gathered as the bits of
// one word (a word for every byte value keeps the inner loop free of tests; values outside the
// group's range are never read, and a number twice in a draw sets its bit once), then add counts
// and measures the words of the block's numbers, from the group's lowest.
template <typename AddWords>
inline void GatherStretch(const std::uint8_t* values, std::int64_t stride, std::int64_t draws, const NumberGroup& group,
                          std::size_t words, AddWords&& add)
{
    std::array<std::uint64_t, 256 + 8> columns{};
    std::uint64_t* range = columns.data() + group.low;
    for (std::int64_t block = 0; block < draws; block += 64) {
        const int size = static_cast<int>(std::min<std::int64_t>(64, draws - block));
        std::fill(range, range + words, 0);
        const std::uint8_t* draw = values + block * stride;
        if (group.count == 20) {
            GatherBlock<20>(draw, stride, size, group.count, columns.data());
        } else {
            GatherBlock<0>(draw, stride, size, group.count, columns.data());
        }
        add(range, size, block);
    }
}

#if defined(__x86_64__) && defined(__GNUC__)
// GCC 12 warns of an uninitialized value inside its own 512-bit intrinsics at -O2 (GCC bug 105593).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#define KARVO_WIDE_TALLIES __attribute__((target("avx512f,avx512cd,avx512vpopcntdq")))

// The tallies of up to 88 numbers a field at a time, so that eight numbers are measured at once in
// the 512-bit registers of processors that have them.
struct alignas(64) WideTallies
{
    static constexpr std::size_t kNumbers = 88;
    alignas(64) std::int64_t hits[kNumbers];
    alignas(64) std::int64_t firstSeen[kNumbers];
    alignas(64) std::int64_t lastSeen[kNumbers];
    alignas(64) std::int64_t longest[kNumbers];
    alignas(64) std::int64_t run[kNumbers];
};

bool HasWideTallies()
{
    static const bool has = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512cd")
        && __builtin_cpu_supports("avx512vpopcntdq");
    return has;
}

// AddBlock for eight numbers at once, words[0..7] theirs; the rare word that may hold a longer
// gap is measured one number at a time.
KARVO_WIDE_TALLIES inline void AddEightBlocks(const std::uint64_t* words, std::size_t at, int size, std::int64_t first,
                                              WideTallies& t)
{
    const __m512i zero = _mm512_setzero_si512();
    const __m512i one = _mm512_set1_epi64(1);
    const __m512i last = _mm512_set1_epi64(63);
    const __m512i sizes = _mm512_set1_epi64(size);
    const __m512i firsts = _mm512_set1_epi64(first);
    const __m512i w = _mm512_loadu_si512(words);
    const __m512i ones = _mm512_popcnt_epi64(w);
    const __m512i high = _mm512_sub_epi64(last, _mm512_lzcnt_epi64(w)); // -1 for an empty word
    const __m512i low = _mm512_min_epi64(_mm512_popcnt_epi64(_mm512_andnot_si512(w, _mm512_sub_epi64(w, one))), sizes);
    const __mmask8 hit = _mm512_test_epi64_mask(w, w);
    const __m512i run = _mm512_load_si512(t.run + at);
    const __m512i longest = _mm512_max_epi64(_mm512_load_si512(t.longest + at), _mm512_add_epi64(run, low));
    const __m512i firstSeen = _mm512_load_si512(t.firstSeen + at);
    const __mmask8 firstHit = _mm512_mask_cmplt_epi64_mask(hit, firstSeen, zero);
    _mm512_store_si512(t.hits + at, _mm512_add_epi64(_mm512_load_si512(t.hits + at), ones));
    _mm512_store_si512(t.firstSeen + at, _mm512_mask_add_epi64(firstSeen, firstHit, firsts, low));
    _mm512_store_si512(t.lastSeen + at, _mm512_mask_add_epi64(_mm512_load_si512(t.lastSeen + at), hit, firsts, high));
    const __m512i after = _mm512_sub_epi64(_mm512_sub_epi64(sizes, one), high);
    _mm512_store_si512(t.run + at, _mm512_add_epi64(_mm512_mask_mov_epi64(run, hit, zero), after));
    _mm512_store_si512(t.longest + at, longest);
    // Whether a lane's word holds a run of more than longest zeros between its lowest and highest
    // set bits, eight at once: runs of 16 and of 32 zeros by doubling, then one shift for the rest
    // as HasRun does. Only a lane with such a run (or a young one, below 16) is measured alone.
    const __m512i wanted = _mm512_add_epi64(longest, one);
    const __m512i belowHigh = _mm512_sub_epi64(_mm512_sllv_epi64(one, high), one);
    const __m512i aboveLow = _mm512_sllv_epi64(_mm512_set1_epi64(-1), _mm512_add_epi64(low, one));
    __m512i r = _mm512_andnot_si512(w, _mm512_and_si512(belowHigh, aboveLow));
    for (int have = 1; have < 16; have *= 2) {
        r = _mm512_and_si512(r, _mm512_srli_epi64(r, static_cast<unsigned>(have)));
    }
    const __m512i r16 = r;
    const __m512i r32 = _mm512_and_si512(r16, _mm512_srli_epi64(r16, 16));
    const __mmask8 long32 = _mm512_cmpge_epi64_mask(wanted, _mm512_set1_epi64(32));
    const __m512i runs = _mm512_mask_and_epi64(
        _mm512_and_si512(r16, _mm512_srlv_epi64(r16, _mm512_sub_epi64(wanted, _mm512_set1_epi64(16)))), long32, r32,
        _mm512_srlv_epi64(r32, _mm512_sub_epi64(wanted, _mm512_set1_epi64(32))));
    const __mmask8 several =
        _mm512_cmpge_epi64_mask(ones, _mm512_set1_epi64(2)) & _mm512_cmplt_epi64_mask(longest, _mm512_set1_epi64(62));
    const __mmask8 young = _mm512_cmplt_epi64_mask(wanted, _mm512_set1_epi64(16));
    for (unsigned maybe = several & (young | _mm512_test_epi64_mask(runs, runs)); maybe != 0; maybe &= maybe - 1) {
        const std::size_t lane = static_cast<std::size_t>(std::countr_zero(maybe));
        t.longest[at + lane] = LongerInnerGap(words[lane], t.longest[at + lane]);
    }
}

KARVO_WIDE_TALLIES void CountStretchWide(const std::uint8_t* values, std::int64_t stride, std::int64_t draws,
                                         const NumberGroup& group, std::vector<Tally>& tallies)
{
    const std::size_t eights = (tallies.size() + 7) / 8;
    WideTallies wide{};
    for (std::size_t n = 0; n < tallies.size(); ++n) {
        wide.firstSeen[n] = tallies[n].firstSeen;
        wide.lastSeen[n] = tallies[n].lastSeen;
        wide.longest[n] = tallies[n].longest;
    }
    GatherStretch(values, stride, draws, group, 8 * eights,
                  [&](const std::uint64_t* range, int size, std::int64_t block) {
                      for (std::size_t e = 0; e < eights; ++e) {
                          AddEightBlocks(range + 8 * e, 8 * e, size, block, wide);
                      }
                  });
    for (std::size_t n = 0; n < tallies.size(); ++n) {
        tallies[n].hits = wide.hits[n];
        tallies[n].firstSeen = wide.firstSeen[n];
        tallies[n].lastSeen = wide.lastSeen[n];
        tallies[n].longest = wide.longest[n];
        tallies[n].run = wide.run[n];
    }
}
#pragma GCC diagnostic pop
#endif

std::atomic<bool> g_plainOnly{false};

} // namespace

void CountPlainOnly(bool plain)
{
    g_plainOnly = plain;
}

bool WideCountingInUse()
{
#ifdef KARVO_WIDE_TALLIES
    return HasWideTallies() && !g_plainOnly;
#else
    return false;
#endif
}

// Processors that count bits in one instruction get a build of their own; those with 512-bit
// registers measure eight numbers at once.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("popcnt", "default")))
#endif
void CountStretch(const std::uint8_t* values, std::int64_t stride, std::int64_t draws, const NumberGroup& group,
                  std::vector<Tally>& tallies)
{
#ifdef KARVO_WIDE_TALLIES
    if (WideCountingInUse() && tallies.size() <= WideTallies::kNumbers) {
        CountStretchWide(values, stride, draws, group, tallies);
        return;
    }
#endif
    GatherStretch(values, stride, draws, group, tallies.size(),
                  [&](const std::uint64_t* range, int size, std::int64_t block) {
                      for (std::size_t n = 0; n < tallies.size(); ++n) {
                          AddBlock(tallies[n], range[n], size, block);
                      }
                  });
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
