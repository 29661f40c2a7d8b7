// How the numbers of each draw fall together over a period: how many are odd, what they add up
// to, how many the draw before also had, and which two numbers come together.
#pragma once

#include "stats/NumberStats.h"

#include <cstdint>
#include <vector>

namespace karvo {

// A figure taken once a draw, by its value: the draws that had it, their share of the draws
// counted, and the share random draws would give (both in percent; expected 0 where none is worked out).
struct PatternRow
{
    int value = 0;
    std::int64_t draws = 0;
    double share = 0;
    double expected = 0;
};

struct PairRow
{
    int first = 0; // the smaller number
    int second = 0;
    std::int64_t together = 0;
    std::int64_t since = -1;   // draws after the last one with both; -1 when never together in the period
    std::int32_t lastDate = 0; // yyyymmdd of that draw; 0 when never
};

// Only the complete draws count: those with the game's count of different numbers, all in range.
struct DrawPatterns
{
    static constexpr int kPairsListed = 20;

    std::int64_t draws = 0;            // the period's draws
    std::int64_t complete = 0;         // of them, the complete ones
    int numbers = 0;                   // numbers a draw
    std::vector<PatternRow> oddSplits; // value: the odd numbers of a draw, 0..numbers
    int sumWidth = 0;
    std::vector<PatternRow>
        sums; // value: the lowest sum of a range of sumWidth sums, from the lowest range seen to the highest
    double sumMean = 0;
    std::int64_t compared = 0;          // complete draws whose draw before is complete and in the period
    std::vector<PatternRow> repeats;    // value: the numbers the draw before also had, 0..numbers
    std::vector<PairRow> frequentPairs; // most often together first, then in number order; never together left out
    std::vector<PairRow> absentPairs;   // longest apart first, those never together before all
};

// The games whose draws are numbers of one range (their first group): not the digit and pools games.
bool HasDrawPatterns(const GameLayout& layout);

// The patterns of the draws of period; empty for a game without them.
DrawPatterns ComputeDrawPatterns(const DrawHistory& history, const GameLayout& layout, const StatsPeriod& period);

// The chance, in percent, of exactly k marked among n taken without replacement from population
// things of which marked are marked.
double HypergeometricPercent(int population, int marked, int n, int k);

} // namespace karvo
