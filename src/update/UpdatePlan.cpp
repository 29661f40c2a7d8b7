#include "update/UpdatePlan.h"

#include "domain/GameNames.h"
#include "market/MarketFiles.h"
#include "market/MarketText.h"
#include "results/DrawHistory.h"
#include "update/WorkbookStores.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/Numbers.h"

#include <algorithm>

namespace karvo {

namespace {

// Months counted from year 0: year * 12 + month - 1.
int MonthIndex(int year, int month)
{
    return year * 12 + month - 1;
}

// The first month the operator publishes a workbook of a monthly game.
int FirstPublishedMonth(GameCode game)
{
    const GameInfo& info = GameInfoFor(game);
    return MonthIndex(info.firstPublishedYear, info.firstPublishedMonth);
}

std::vector<UpdateStep> YearSteps(int from, int to)
{
    std::vector<UpdateStep> steps;
    for (int year = from; year <= to; ++year) {
        steps.push_back(YearStep(year));
    }
    return steps;
}

std::vector<UpdateStep> MonthSteps(int from, int to)
{
    std::vector<UpdateStep> steps;
    for (int index = from; index <= to; ++index) {
        steps.push_back(MonthStep(index / 12, index % 12 + 1));
    }
    return steps;
}

std::vector<UpdateStep> YearPlan(const std::string& folder, GameCode game, QDate today)
{
    const DrawHistory history = LoadHistory(folder, game);
    if (history.dates.empty()) {
        return YearSteps(GameInfoFor(game).firstPublishedYear, today.year());
    }
    // The latest date, kept within the years that can be fetched: a damaged record dated 1954 or
    // 2150 must neither ask for years nobody publishes nor stop the updates for good.
    const int last = YearOf(*std::max_element(history.dates.begin(), history.dates.end()));
    return YearSteps(std::clamp(last, GameInfoFor(game).firstPublishedYear, today.year()), today.year());
}

// The last month kept, -1 when none: KINO's month files, SUPER3's whole workbooks.
int LastStoredMonth(const std::string& folder, GameCode game, int current)
{
    if (game == GameCode::Kino) {
        int last = -1;
        for (const KinoMonthFile& file : KinoMonthFiles(folder, 0)) {
            if (FileSizeOf(file.path) > kSmallestKinoMonthFile) {
                last = std::max(last, MonthIndex(YearOf(file.monthDate), file.monthDate / 100 % 100));
            }
        }
        return last;
    }
    for (int index = current; index >= FirstPublishedMonth(GameCode::Super3); --index) {
        if (FileSizeOf(Super3Workbook(folder, index / 12, index % 12 + 1)) >= kWholeSuper3Workbook) {
            return index;
        }
    }
    return -1;
}

std::vector<UpdateStep> MonthPlan(const std::string& folder, GameCode game, QDate today,
                                  const UpdateAllOptions& options)
{
    const int first = FirstPublishedMonth(game);
    const int current = MonthIndex(today.year(), today.month());
    // The last month kept may have been the current one then: it is fetched again.
    int from = LastStoredMonth(folder, game, current);
    if (from < 0) {
        from = options.wholeHistory ? first : current - std::max(options.emptyMonths, 1) + 1;
    }
    return MonthSteps(std::max(from, first), current);
}

std::vector<UpdateStep> DayPlan(const std::string& folder, GameCode game, QDate today, const UpdateAllOptions& options)
{
    const MarketKind kind = game == GameCode::Stock ? MarketKind::Stock : MarketKind::Funds;
    std::int32_t last = 0;
    for (const std::string& name : ListDayFiles(folder, kind)) {
        last = std::max(last, DayOfFileName(name, kind));
    }
    if (last == 0) {
        return WeekdaySteps(today.addDays(1 - std::max(options.emptyMarketDays, 1)), today);
    }
    return WeekdaySteps(QDate(last / 10000, last / 100 % 100, last % 100).addDays(1), today);
}

} // namespace

UpdateStep YearStep(int year)
{
    return {year, 0, {}, ZeroPad4(year)};
}

UpdateStep MonthStep(int year, int month)
{
    return {year, month, {}, ZeroPad4(year) + "-" + ZeroPad(month, 2)};
}

std::vector<UpdateStep> WeekdaySteps(QDate from, QDate to)
{
    std::vector<UpdateStep> steps;
    for (QDate day = from; day <= to; day = day.addDays(1)) {
        if (day.dayOfWeek() < 6) {
            steps.push_back({day.year(), 0, day, SlashedDay(day)});
        }
    }
    return steps;
}

std::vector<GamePlan> PlanUpdateAll(const std::string& folder, QDate today, const UpdateAllOptions& options)
{
    const std::vector<GameCode> games = options.games.empty() ? UpdatableGames() : options.games;
    std::vector<GamePlan> plans;
    for (const GameCode game : games) {
        GamePlan plan{game, {}};
        switch (GameInfoFor(game).update) {
        case UpdateKind::YearResults: plan.steps = YearPlan(folder, game, today); break;
        case UpdateKind::Period: plan.steps = MonthPlan(folder, game, today, options); break;
        case UpdateKind::StockPrices:
        case UpdateKind::FundFigures: plan.steps = DayPlan(folder, game, today, options); break;
        case UpdateKind::None: continue;
        }
        plans.push_back(std::move(plan));
    }
    return plans;
}

} // namespace karvo
