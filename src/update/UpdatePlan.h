// What each game is missing, worked out from the files of the working folder: a plan of steps a
// game, each one fetch of a year's workbook, a month's workbook or a market day.
#pragma once

#include "domain/Games.h"

#include <QDate>
#include <string>
#include <vector>

namespace karvo {

// One fetch of a game: a year's workbook, a month's workbook or a market day.
struct UpdateStep
{
    int year = 0;
    int month = 0;     // KINO and SUPER3; 0 for the yearly workbooks and the market days
    QDate day;         // STOCK and ΑΜΟΙΒΑΙΑ; null otherwise
    std::string label; // Windows-1253, as the progress shows it: "2024", "2024-03", "05/12/2026"
};

struct GamePlan
{
    GameCode game = GameCode::Lotto;
    std::vector<UpdateStep> steps; // in the order they are stored; empty: nothing to fetch
    // The user chose the steps (the update button): every answer counts, and no missing year
    // is passed over as one the archive does not publish (yet).
    bool chosen = false;
};

struct UpdateAllOptions
{
    std::vector<GameCode> games; // in the order given; empty: every game with an update
    // KINO and SUPER3 with nothing stored: every month published, not only the last ones.
    bool wholeHistory = false;
    int emptyMonths = 12;     // the months fetched for an empty KINO or SUPER3
    int emptyMarketDays = 30; // the days fetched for an empty STOCK or ΑΜΟΙΒΑΙΑ
};

// What each game is missing on today, from what folder (ending in "/") holds:
// - a draw game with a results file: every year from the year of its last stored draw to the
//   current one; with nothing stored, from the first year the operator publishes;
// - KINO and SUPER3: every month from the last stored month to the current one; with nothing
//   stored, the last emptyMonths months (every month published with wholeHistory);
// - STOCK and ΑΜΟΙΒΑΙΑ: every weekday from the day after the last stored day to today; with
//   nothing stored, the weekdays of the last emptyMarketDays days.
// A results file that cannot be read throws KarvoError naming it.
std::vector<GamePlan> PlanUpdateAll(const std::string& folder, QDate today, const UpdateAllOptions& options);

// The step of a year's workbook ("2024"), of a month's ("2024-03"), and of every weekday from
// one day to another ("05/12/2026"), as the plans hold them.
UpdateStep YearStep(int year);
UpdateStep MonthStep(int year, int month);
std::vector<UpdateStep> WeekdaySteps(QDate from, QDate to);

} // namespace karvo
