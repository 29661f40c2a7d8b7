// The running figures of each number of a group while the draws go by, counted one stretch of
// draws at a time: stretches counted apart (KINO's months) join into the figures of the whole.
#pragma once

#include "stats/NumberStats.h"

#include <cstdint>
#include <vector>

namespace karvo {

// Draw indices count from the stretch's first draw.
struct NumberTally
{
    std::int64_t hits = 0;
    std::int64_t firstSeen = -1;
    std::int64_t lastSeen = -1;
    std::int64_t longest = 0; // longest run of draws without it, the run before its first draw included
    std::int64_t run = 0;     // draws without it since it last came, or since the stretch began
    std::int32_t lastDate = 0;
};

// Counts draws 0..draws - 1, draw d's values of the group at values + d * stride. One tally a
// number low..high of the group, as a default NumberTally on entry; lastDate is left to the caller.
void CountStretch(const std::uint8_t* values, std::int64_t stride, std::int64_t draws, const NumberGroup& group,
                  std::vector<NumberTally>& tallies);

// Adds to total (the tallies of its first before draws) those of the stretch that follows them.
void JoinStretch(std::vector<NumberTally>& total, std::int64_t before, const std::vector<NumberTally>& next);

// The group's rows over a period of draws draws.
void AddRows(const NumberGroup& group, int groupIndex, const std::vector<NumberTally>& tallies, std::int64_t draws,
             GameStats& stats);

} // namespace karvo
