#include "stats/KinoStats.h"

#include "stats/NumberTally.h"

#include <algorithm>

namespace karvo {

namespace {

// The figures of the months so far: each month counted on its own, then joined to the months before.
struct MonthsTally
{
    std::vector<NumberTally> tallies;
    std::int64_t draws = 0;
    std::int32_t firstDate = 0;
    std::int32_t lastDate = 0;

    explicit MonthsTally(const NumberGroup& group)
        : tallies(static_cast<std::size_t>(group.high - group.low + 1))
    {
    }

    // The month's draws from skip on.
    void add(const NumberGroup& group, const KinoMonth& month, std::int64_t skip)
    {
        const std::int64_t count = month.count - skip;
        if (count <= 0) {
            return;
        }
        std::vector<NumberTally> next(tallies.size());
        CountStretch(month.first + skip * KinoRecordSize, KinoRecordSize, count, group, next);
        for (NumberTally& t : next) {
            if (t.lastSeen >= 0) {
                t.lastDate = month.dateOf(skip + t.lastSeen);
            }
        }
        JoinStretch(tallies, draws, next);
        firstDate = draws == 0 ? month.dateOf(skip) : firstDate;
        draws += count;
        lastDate = month.dateOf(month.count - 1);
    }

    GameStats finish(const NumberGroup& group) const
    {
        GameStats stats;
        stats.draws = draws;
        stats.firstDate = firstDate;
        stats.lastDate = lastDate;
        AddRows(group, 0, tallies, draws, stats);
        return stats;
    }
};

// Every month of files, oldest first.
GameStats AllMonths(const NumberGroup& group, const std::vector<KinoMonthFile>& files)
{
    MonthsTally tally(group);
    std::string buffer;
    for (const KinoMonthFile& file : files) {
        tally.add(group, ReadKinoMonth(file, buffer), 0);
    }
    return tally.finish(group);
}

// The last wanted draws: months are read from the newest back until they hold enough, then counted
// oldest first.
GameStats LastDraws(const NumberGroup& group, const std::vector<KinoMonthFile>& files, std::int64_t wanted)
{
    std::vector<std::string> buffers(files.size());
    std::vector<KinoMonth> months;
    std::int64_t held = 0;
    for (std::size_t f = files.size(); f > 0 && held < wanted; --f) {
        months.push_back(ReadKinoMonth(files[f - 1], buffers[f - 1]));
        held += months.back().count;
    }
    MonthsTally tally(group);
    std::int64_t skip = std::max<std::int64_t>(held - wanted, 0);
    for (auto month = months.rbegin(); month != months.rend(); ++month) {
        const std::int64_t skipped = std::min(skip, month->count);
        tally.add(group, *month, skipped);
        skip -= skipped;
    }
    return tally.finish(group);
}

} // namespace

GameStats ComputeKinoStats(const std::string& folder, const StatsPeriod& period)
{
    const NumberGroup& group = LayoutOf(GameCode::Kino).groups.front();
    const int fromYear = period.kind == StatsPeriod::Kind::FromYear ? period.value : 0;
    const std::vector<KinoMonthFile> files = KinoMonthFiles(folder, fromYear);
    if (period.kind == StatsPeriod::Kind::LastDraws) {
        return LastDraws(group, files, std::max(period.value, 0));
    }
    return AllMonths(group, files);
}

} // namespace karvo
