// The few values the views, updates and commands share for the whole run.
#pragma once

#include "domain/Games.h"
#include "util/CellGrid.h"

#include <array>
#include <string>

namespace karvo {

struct ProgramState
{
    karvo::GameCode GameCode = karvo::GameCode::PropoSunday; // the current game
    int FirstYear = 2013;                                    // first year of the recent history
    int FirstYearRow = 0;       // grid row + 1 where the export starts; 0 when nothing to export
    std::string ExportBaseName; // base name of the exported file of the shown grid
    std::string KinoPeriodFile; // "Data/kino_yyyy_mm.qav", empty until a period is chosen
    int SelectedYear = 0;       // the year the draw-game updates work on
    std::string SearchText;     // last search text, upper-cased and trimmed
    int CouponImportCount = 0;  // coupon imports since start-up
    // The coupon grid kept while another game is shown, every row of it; cell (0, 0) holds the row
    // count as text. Empty until the coupon is first left.
    CellGrid BetStore;
    // Per grid column: 0 ascending, 1 descending; a click on a caption toggles it before sorting.
    std::array<int, 100> SortDirections{};
};

// Current year minus 11, never before 2013.
inline int FirstYearFor(int currentYear)
{
    return currentYear - 11 < 2013 ? 2013 : currentYear - 11;
}

} // namespace karvo
