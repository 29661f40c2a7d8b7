// Checking the signs the user wrote in the coupon's system column and handing the system to the
// payout calculator through the cell table.
#pragma once

#include "util/CellGrid.h"
#include "workbook/CellTable.h"

#include <cstddef>
#include <string>

namespace karvo {

inline constexpr int kMaxSystemMatches = 15;
// Where the handed-over signs begin in the cell table: row kSignsBase + k holds the signs of match k
// (from 1), row k its coupon row.
inline constexpr std::size_t kSignsBase = 100;

enum class SystemVerdict { Accepted, WrongMatch, TooManyMatches, NoSigns, TooManyColumns };

struct SystemCheckResult
{
    SystemVerdict verdict = SystemVerdict::NoSigns;
    std::string matchCode; // the refused match's code cell, for WrongMatch
    int matchCount = 0;
    long long columnCount = 0; // capped just above the limit
};

// The sign a character stands for: 0 the home win, 1 the draw, 2 the away win. "1" is the home
// win and "2" the away win; every other character (X in either alphabet and case, 0) the draw.
int SignOutcome(char sign);

// Walks the system rows (column 10 with its blanks removed, not empty) in grid order. A row is
// refused for a digit 3 to 9 and for a sign whose odd is not a positive number; the first refused
// row wins over every other check. Then too many matches, no matches and too many columns, in that
// order. The handover goes into table as it is built: [0] the match count, [i] the grid row of
// match i, [100 + i] its signs.
SystemCheckResult CheckSystem(const CellGrid& coupon, CellTable& table, int columnLimit);

// The warning shown for a refusal (Windows-1253); empty for Accepted.
std::string SystemWarning(const SystemCheckResult& result);

} // namespace karvo
