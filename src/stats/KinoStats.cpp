#include "stats/KinoStats.h"

#include "stats/Tally.h"

#include <algorithm>
#include <future>
#include <thread>

namespace karvo {

namespace {

// The figures of a run of months: each month counted on its own, then joined to the months before.
struct MonthsTally
{
    std::vector<Tally> tallies;
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
        // The longest gap so far goes in as the bar a gap of this month must clear: the rarer
        // that is, the less time goes on measuring gaps that cannot count.
        std::vector<Tally> next(tallies.size());
        for (std::size_t n = 0; n < next.size(); ++n) {
            next[n].longest = tallies[n].longest;
        }
        CountStretch(month.first + skip * KinoRecordSize, KinoRecordSize, count, group, next);
        for (Tally& t : next) {
            if (t.lastSeen >= 0) {
                t.lastDate = month.dateOf(skip + t.lastSeen);
            }
        }
        join(next, count, month.dateOf(skip), month.dateOf(month.count - 1));
    }

    void join(const std::vector<Tally>& next, std::int64_t count, std::int32_t first, std::int32_t last)
    {
        if (count == 0) {
            return;
        }
        JoinStretch(tallies, draws, next);
        firstDate = draws == 0 ? first : firstDate;
        draws += count;
        lastDate = last;
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

MonthsTally CountMonths(const NumberGroup& group, const KinoMonthFile* first, const KinoMonthFile* end)
{
    MonthsTally tally(group);
    std::string buffer;
    for (; first != end; ++first) {
        tally.add(group, ReadKinoMonth(*first, buffer), 0);
    }
    return tally;
}

// Every month of files, in runs of months counted side by side, one a core (at most four).
GameStats AllMonths(const NumberGroup& group, const std::vector<KinoMonthFile>& files)
{
    const auto months = static_cast<std::ptrdiff_t>(files.size());
    const std::ptrdiff_t cores = std::clamp<std::ptrdiff_t>(std::thread::hardware_concurrency(), 1, 4);
    const std::ptrdiff_t parts = std::clamp<std::ptrdiff_t>(months / 12, 1, cores);
    const KinoMonthFile* begin = files.data();
    std::vector<std::future<MonthsTally>> later;
    for (std::ptrdiff_t p = 1; p < parts; ++p) {
        later.push_back(std::async(std::launch::async, CountMonths, std::cref(group), begin + months * p / parts,
                                   begin + months * (p + 1) / parts));
    }
    MonthsTally total = CountMonths(group, begin, begin + months / parts);
    // Every part is waited for, even after one fails, before the error goes on.
    std::vector<MonthsTally> counted;
    std::exception_ptr failure;
    for (auto& part : later) {
        try {
            counted.push_back(part.get());
        } catch (...) {
            failure = failure ? failure : std::current_exception();
        }
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
    for (const MonthsTally& part : counted) {
        total.join(part.tallies, part.draws, part.firstDate, part.lastDate);
    }
    return total.finish(group);
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
