// The payout calculator's arithmetic: expanding a checked system into its single columns, the
// winnings of typed stakes, a total spread for equal winnings, and rounding stakes up to 0.30.
// Numbers are written with the given separators (the user's unless given) and read back with "," or ".".
#pragma once

#include "betting/Coupon.h"
#include "util/CellGrid.h"
#include "util/Numbers.h"
#include "workbook/CellTable.h"

#include <string>

namespace karvo {

// The matches grid: row 0 the captions, rows 1..n the matches, n + 1 a separator, n + 2..n + 4
// the labels of the columns grid's last three rows in MatchSignsColumn, n + 5 empty.
// The columns grid: one grid column per system column; row 0 its number, rows 1..n its signs,
// n + 1 a separator, n + 2 the combined odds, n + 3 the winnings, n + 4 the stake typed.
struct SystemGrids
{
    CellGrid matches;
    CellGrid columns;
    int matchCount = 0;
    int columnCount = 0;
    std::string returnFactor; // the caption "Απόδοση Συστήματος " and the factor
};

// Columns of the matches grid: code, teams and odds sit in their coupon columns (CodeColumn to
// Odd2Column), followed by these two.
enum SystemMatchColumn {
    MatchSignsColumn = Odd2Column + 1,  // the match's signs, "ΣΥΣΤΗΜΑ"
    MatchMarginColumn = Odd2Column + 2, // a narrow empty column
};
inline constexpr int kSystemMatchColumns = MatchMarginColumn + 1;

// Rows of both grids below the matches.
inline int SeparatorRow(int matchCount)
{
    return matchCount + 1;
}
inline int OddsRow(int matchCount)
{
    return matchCount + 2;
}
inline int WinningsRow(int matchCount)
{
    return matchCount + 3;
}
inline int StakeRow(int matchCount)
{
    return matchCount + 4;
}
// The matches grid's last row, empty; the columns grid ends at the stake row.
inline int SpacerRow(int matchCount)
{
    return matchCount + 5;
}

// Builds both grids from the handover that CheckSystem left and the coupon's odds. The first
// match varies slowest. Signs are upper-cased.
SystemGrids ExpandSystem(const CellTable& handover, const CellGrid& coupon,
                         const NumberFormat& format = UserNumberFormat());

// "Απόδοση Συστήματος " and 1 / sum with the mask "###,###.#"; a sum of 0 counts as 100.
std::string ReturnFactorText(double sum, const NumberFormat& format = UserNumberFormat());

// What the buttons leave beside the grid.
struct StakeSummary
{
    std::string returnFactor;
    std::string totalCaption; // "Συνολικό Ποσό " + total + "€"
};

// "Υπολόγισε": every column's winnings from its stake; a "*" in a stake takes the column out of
// the winnings, the total and the return factor.
StakeSummary CalcColumns(CellGrid& columns, int matchCount, const NumberFormat& format = UserNumberFormat());

// "Συνολικό Ποσό": spreads the typed total over the columns in play so that each returns the same.
// typed is read with "," or "."; a total of 0 changes nothing and returns false.
bool SpreadTotal(CellGrid& columns, int matchCount, const std::string& typed, StakeSummary& summary,
                 const NumberFormat& format = UserNumberFormat());

// F11: every stake in play rounded up to a multiple of 0.30, then the winnings recomputed.
StakeSummary RoundStakes(CellGrid& columns, int matchCount, const NumberFormat& format = UserNumberFormat());

} // namespace karvo
