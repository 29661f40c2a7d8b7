// The few values the views, updates and commands share for the whole run.
#pragma once

#include "util/Games.h"

#include <string>
#include <vector>

namespace karvo {

struct ProgramState
{
    karvo::GameCode GameCode = karvo::GameCode::PropoSunday;  // the current game
    int FirstYear = 2013;        // first year of the recent history
    int FirstYearRow = 0;        // grid row + 1 where the export starts; 0 when nothing to export
    std::string ExportBaseName;  // base name of the exported file of the shown grid
    std::string KinoPeriodFile;  // "DATA/kino_yyyy_mm.qav", empty until a period is chosen
    int SelectedYear = 0;        // the year the draw-game updates work on
    std::string SearchText;      // last search text, upper-cased and trimmed
    int CouponImportCount = 0;   // coupon imports since start-up
    // The coupon grid kept while another game is shown: cell (c, r) at c * 1000 + r for columns
    // 0..10 and rows 1..999, element 0 the row count as text. Empty until the coupon is first left.
    std::vector<std::string> BetStore;
};

// Current year minus 11, never before 2013.
inline int FirstYearFor(int currentYear)
{
    return currentYear - 11 < 2013 ? 2013 : currentYear - 11;
}

} // namespace karvo
