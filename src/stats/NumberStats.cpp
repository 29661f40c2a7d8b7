#include "stats/NumberStats.h"

#include "stats/NumberTally.h"

#include <algorithm>

namespace karvo {

namespace {

void AddGroupRows(const DrawHistory& history, const NumberGroup& group, int groupIndex, std::int64_t first,
                  std::int64_t end, GameStats& stats)
{
    std::vector<NumberTally> tallies(static_cast<std::size_t>(group.high - group.low + 1));
    CountStretch(history.draw(first) + group.first, history.stride, end - first, group, tallies);
    for (NumberTally& t : tallies) {
        if (t.lastSeen >= 0) {
            t.lastDate = history.dates[static_cast<std::size_t>(first + t.lastSeen)];
        }
    }
    AddRows(group, groupIndex, tallies, end - first, stats);
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
