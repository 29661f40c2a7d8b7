// The odd/even splits, sums, repeats and pairs of small histories worked by hand, and the pair
// counts of a long random KINO history against a plain count.
#include "stats/DrawPatterns.h"
#include "stats/PairTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>

using namespace karvo;

namespace {

DrawHistory History(int width, const std::vector<std::vector<int>>& draws)
{
    DrawHistory history;
    history.width = width;
    history.stride = width;
    for (std::size_t d = 0; d < draws.size(); ++d) {
        history.dates.push_back(20240301 + static_cast<std::int32_t>(d));
        for (int n : draws[d]) {
            history.values.push_back(static_cast<std::uint8_t>(n));
        }
    }
    return history;
}

//   index 0  01-03-2024  1 2 3 4 5 6        3 odd, sum 21
//   index 1  02-03-2024  1 2 7 8 9 10       3 odd, sum 37, repeats 1 2
//   index 2  03-03-2024  2 11 13 15 17 19   5 odd, sum 77, repeats 2
//   index 3  04-03-2024  1 2 11 20 22 24    2 odd, sum 80, repeats 2 11
//   index 4  05-03-2024  3 5 7 9 11 40      5 odd, sum 75, repeats 11
DrawHistory Lotto()
{
    return History(6,
                   {{1, 2, 3, 4, 5, 6},
                    {1, 2, 7, 8, 9, 10},
                    {2, 11, 13, 15, 17, 19},
                    {1, 2, 11, 20, 22, 24},
                    {3, 5, 7, 9, 11, 40}});
}

std::vector<std::int64_t> Counts(const std::vector<PatternRow>& rows)
{
    std::vector<std::int64_t> counts;
    for (const PatternRow& row : rows) {
        counts.push_back(row.draws);
    }
    return counts;
}

std::string PairsText(const std::vector<PairRow>& pairs)
{
    std::string text;
    for (const PairRow& p : pairs) {
        text += std::to_string(p.first) + "-" + std::to_string(p.second) + ":" + std::to_string(p.together) + "/"
            + std::to_string(p.since) + " ";
    }
    return text;
}

} // namespace

TEST(DrawPatterns, LottoOddSplitsAndSumsOfHandWorkedDraws)
{
    const DrawPatterns patterns = ComputeDrawPatterns(Lotto(), LayoutOf(GameCode::Lotto), {});
    EXPECT_EQ(patterns.complete, 5);
    EXPECT_EQ(Counts(patterns.oddSplits), (std::vector<std::int64_t>{0, 0, 1, 2, 0, 2, 0}));
    EXPECT_DOUBLE_EQ(patterns.oddSplits[3].share, 40.0);
    // 25 odd and 24 even in 1..49, C(49,6) = 13,983,816 draws of six:
    //   3 odd: C(25,3) C(24,3) = 2,300 * 2,024 = 4,655,200  -> 33.2898...%
    //   0 odd: C(24,6) = 134,596                             ->  0.9625...%
    //   6 odd: C(25,6) = 177,100                             ->  1.2664...%
    EXPECT_NEAR(patterns.oddSplits[3].expected, 33.28991, 1e-5);
    EXPECT_NEAR(patterns.oddSplits[0].expected, 0.962513, 1e-6);
    EXPECT_NEAR(patterns.oddSplits[6].expected, 1.266464, 1e-6);
    EXPECT_NEAR(std::accumulate(patterns.oddSplits.begin(), patterns.oddSplits.end(), 0.0,
                                [](double sum, const PatternRow& row) { return sum + row.expected; }),
                100.0, 1e-9);
    // 21, 37, 77, 80, 75: ranges 20-29 .. 80-89, two draws in 70-79.
    ASSERT_EQ(patterns.sums.size(), 7u);
    EXPECT_EQ(patterns.sums.front().value, 20);
    EXPECT_EQ(Counts(patterns.sums), (std::vector<std::int64_t>{1, 1, 0, 0, 0, 2, 1}));
    EXPECT_DOUBLE_EQ(patterns.sumMean, 58.0); // 290 / 5
}

TEST(DrawPatterns, LottoRepeatsFromTheDrawBefore)
{
    const DrawPatterns patterns = ComputeDrawPatterns(Lotto(), LayoutOf(GameCode::Lotto), {});
    EXPECT_EQ(patterns.compared, 4);
    EXPECT_EQ(Counts(patterns.repeats), (std::vector<std::int64_t>{0, 2, 2, 0, 0, 0, 0}));
    // None of the six again: C(43,6) / C(49,6) = 6,096,454 / 13,983,816 -> 43.5965%.
    EXPECT_NEAR(patterns.repeats[0].expected, 43.59650, 1e-5);
    // The last two draws: the first of them has no draw before it in the period.
    const DrawPatterns last =
        ComputeDrawPatterns(Lotto(), LayoutOf(GameCode::Lotto), {StatsPeriod::Kind::LastDraws, 2});
    EXPECT_EQ(last.compared, 1);
    EXPECT_EQ(Counts(last.repeats), (std::vector<std::int64_t>{0, 1, 0, 0, 0, 0, 0}));
}

TEST(DrawPatterns, LottoPairsMostOftenAndLongestApart)
{
    const DrawPatterns patterns = ComputeDrawPatterns(Lotto(), LayoutOf(GameCode::Lotto), {});
    // 1-2 in draws 0, 1 and 3; 2-11 in 2 and 3; 3-5 in 0 and 4; 7-9 in 1 and 4. Then the pairs
    // of one draw in number order: 1 with 3..11, 20, 22, 24, then 2 with 3..6.
    ASSERT_EQ(patterns.frequentPairs.size(), 20u);
    EXPECT_EQ(PairsText({patterns.frequentPairs.begin(), patterns.frequentPairs.begin() + 5}),
              "1-2:3/1 2-11:2/1 3-5:2/0 7-9:2/0 1-3:1/4 ");
    EXPECT_EQ(patterns.frequentPairs[0].lastDate, 20240304);
    // Most pairs never came together: they come first, in number order, 1's first partner never
    // drawn with it being 12.
    ASSERT_EQ(patterns.absentPairs.size(), 20u);
    EXPECT_EQ(PairsText({patterns.absentPairs.begin(), patterns.absentPairs.begin() + 2}), "1-12:0/-1 1-13:0/-1 ");
}

// JOKER's five main numbers of 1..45, the joker after them left out (20, 1 and 2 here):
//   index 0  1 2 3 4 5       3 odd, sum 15
//   index 1  41 42 43 44 45  3 odd, sum 215, repeats none
//   index 2  1 3 5 7 45      5 odd, sum 61,  repeats 45
TEST(DrawPatterns, JokerCountsItsFiveMainNumbersOnly)
{
    const DrawPatterns patterns = ComputeDrawPatterns(
        History(6, {{1, 2, 3, 4, 5, 20}, {41, 42, 43, 44, 45, 1}, {1, 3, 5, 7, 45, 2}}), LayoutOf(GameCode::Joker), {});
    EXPECT_EQ(Counts(patterns.oddSplits), (std::vector<std::int64_t>{0, 0, 0, 2, 0, 1}));
    // 23 odd and 22 even in 1..45, C(45,5) = 1,221,759 draws of five:
    //   5 odd: C(23,5) = 33,649                      -> 2.7541%
    //   3 odd: C(23,3) C(22,2) = 1,771 * 231 = 409,101 -> 33.4846%
    EXPECT_NEAR(patterns.oddSplits[5].expected, 2.75414, 1e-5);
    EXPECT_NEAR(patterns.oddSplits[3].expected, 33.48459, 1e-5);
    // Ranges 10-19 to 210-219: 21 rows, one draw in the first, 60-69 and the last.
    ASSERT_EQ(patterns.sums.size(), 21u);
    EXPECT_EQ(patterns.sums[5].draws, 1);
    EXPECT_NEAR(patterns.sumMean, 97.0, 1e-12); // 291 / 3
    EXPECT_EQ(Counts(patterns.repeats), (std::vector<std::int64_t>{1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(PairsText({patterns.frequentPairs.begin(), patterns.frequentPairs.begin() + 4}),
              "1-3:2/0 1-5:2/0 3-5:2/0 1-2:1/2 ");
}

// Three of 1..5, with a damaged last draw:
//   index 0  1 2 3    index 1  1 4 5    index 2  2 3 4    index 3  1 2 5    index 4  1 1 6
TEST(DrawPatterns, DamagedDrawCountsAsADrawOnly)
{
    const GameLayout layout{3, {{0, 3, 1, 5}}, false, false};
    const DrawPatterns patterns =
        ComputeDrawPatterns(History(3, {{1, 2, 3}, {1, 4, 5}, {2, 3, 4}, {1, 2, 5}, {1, 1, 6}}), layout, {});
    EXPECT_EQ(patterns.draws, 5);
    EXPECT_EQ(patterns.complete, 4);
    // Odd 1, 3, 5 of five: two odd in draws 0, 1 and 3, one in draw 2.
    EXPECT_EQ(Counts(patterns.oddSplits), (std::vector<std::int64_t>{0, 1, 3, 0}));
    EXPECT_DOUBLE_EQ(patterns.oddSplits[2].share, 75.0);
    EXPECT_NEAR(patterns.oddSplits[1].expected, 30.0, 1e-12); // C(3,1) C(2,2) / C(5,3) = 3 / 10
    EXPECT_EQ(patterns.oddSplits[0].expected, 0.0);
    EXPECT_EQ(patterns.compared, 3);
    EXPECT_EQ(Counts(patterns.repeats), (std::vector<std::int64_t>{0, 3, 0, 0}));
    // Draws since count the damaged draw: 3-5 never, 1-3 last in draw 0 (4 since), 1-4 and 4-5 in
    // draw 1, 2-3 2-4 3-4 in draw 2, 1-2 1-5 2-5 in draw 3.
    EXPECT_EQ(PairsText(patterns.absentPairs),
              "3-5:0/-1 1-3:1/4 1-4:1/3 4-5:1/3 2-3:2/2 2-4:1/2 3-4:1/2 1-2:2/1 "
              "1-5:2/1 2-5:1/1 ");
    EXPECT_EQ(PairsText(patterns.frequentPairs),
              "1-2:2/1 1-5:2/1 2-3:2/2 1-3:1/4 1-4:1/3 2-4:1/2 2-5:1/1 3-4:1/2 "
              "4-5:1/3 ");
}

TEST(DrawPatterns, DigitGamesAndAnEmptyHistoryGiveNone)
{
    const DrawPatterns none = ComputeDrawPatterns(Lotto(), LayoutOf(GameCode::Super3), {});
    EXPECT_TRUE(none.oddSplits.empty() && none.frequentPairs.empty());
    const DrawPatterns empty = ComputeDrawPatterns(DrawHistory{6, 6, {}, {}}, LayoutOf(GameCode::Lotto), {});
    EXPECT_TRUE(empty.sums.empty() && empty.frequentPairs.empty() && empty.absentPairs.empty());
    EXPECT_EQ(empty.oddSplits.size(), 7u);
}

// 1 and 2 in every draw push a pair's byte counts to their limit between the additions; the draws
// end inside a block. Every pair's count must match a count draw by draw.
TEST(PairTable, KinoPairsMatchAPlainCount)
{
    constexpr int kDraws = 31 * 64 * 2 + 37;
    std::mt19937 random(7);
    std::vector<std::vector<int>> draws;
    std::vector<std::int64_t> plain(80 * 80);
    for (int d = 0; d < kDraws; ++d) {
        std::vector<int> numbers(80);
        std::iota(numbers.begin(), numbers.end(), 1);
        std::shuffle(numbers.begin() + 2, numbers.end(), random);
        numbers.resize(20);
        for (const int a : numbers) {
            for (const int b : numbers) {
                plain[static_cast<std::size_t>((a - 1) * 80 + b - 1)] += a < b ? 1 : 0;
            }
        }
        draws.push_back(numbers);
    }
    DrawHistory history = History(20, draws);
    history.dates.assign(draws.size(), 20240101);
    const DrawPatterns patterns = ComputeDrawPatterns(history, LayoutOf(GameCode::Kino), {});
    ASSERT_EQ(patterns.frequentPairs.size(), 20u);
    EXPECT_EQ(PairsText({patterns.frequentPairs.begin(), patterns.frequentPairs.begin() + 1}),
              "1-2:" + std::to_string(kDraws) + "/0 ");
    for (const PairRow& row : patterns.frequentPairs) {
        EXPECT_EQ(row.together, plain[static_cast<std::size_t>((row.first - 1) * 80 + row.second - 1)]);
    }

    PairTable table(80);
    std::vector<std::uint64_t> columns(80);
    for (int d = 0; d < kDraws; ++d) {
        for (int n : draws[static_cast<std::size_t>(d)]) {
            columns[static_cast<std::size_t>(n - 1)] |= std::uint64_t{1} << (d % 64);
        }
        if (d % 64 == 63 || d + 1 == kDraws) {
            table.addBlock(columns.data());
            std::fill(columns.begin(), columns.end(), 0);
        }
    }
    EXPECT_EQ(table.counts(), plain);
}
