// Frequencies and gaps of the numbers (or digits by position) of a draw game over a chosen period,
// and the shares of 1, X and 2 by match position for the pools games.
#pragma once

#include "results/DrawHistory.h"

#include <cstdint>
#include <vector>

namespace karvo {

// The draws the figures are taken over: the whole history, the draws of a year and later, or the
// last value draws.
struct StatsPeriod
{
    enum class Kind { All, FromYear, LastDraws };
    Kind kind = Kind::All;
    int value = 0;
};

// One number of one group. Gaps count draws: the current gap is the number of draws after the
// last one it came in (all the period's draws when it never came); the longest gap is the longest
// run of draws without it, the run before its first draw and the current run included.
struct NumberRow
{
    int group = 0;
    int number = 0;
    std::int64_t hits = 0;
    double share = 0;    // hits / draws, in percent
    double expected = 0; // the group's count / its range, in percent
    std::int64_t currentGap = 0;
    std::int64_t longestGap = 0;
    std::int32_t lastDate = 0; // yyyymmdd of its last draw; 0 when it never came
};

// Match position 1..14: how often its result was 1, X and 2 among the draws that carry a sign there.
struct PropoRow
{
    int position = 0;
    std::int64_t ones = 0;
    std::int64_t draws = 0;
    std::int64_t twos = 0;
    std::int64_t played() const { return ones + draws + twos; }
};

struct GameStats
{
    std::int64_t draws = 0;
    std::int32_t firstDate = 0;
    std::int32_t lastDate = 0;
    std::vector<NumberRow> numbers;  // every number of every group, in group and number order
    std::vector<PropoRow> positions; // the pools games only
};

// The draws of history that fall in period: [first, end).
void PeriodRange(const DrawHistory& history, const StatsPeriod& period, std::int64_t& first, std::int64_t& end);

// A value outside its group's range (a damaged record) counts for nothing; a number twice in one
// draw counts once. An empty period gives every row with zero figures.
GameStats ComputeStats(const DrawHistory& history, const GameLayout& layout, const StatsPeriod& period);

} // namespace karvo
