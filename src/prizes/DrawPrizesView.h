// One draw's prize table as a grid for the screen: a row a category with its winners and the
// amount per winner, "ΤΖΑΚ-ΠΟΤ" where nobody won the top category.
#pragma once

#include "prizes/PrizeTable.h"
#include "util/CellGrid.h"

#include <optional>
#include <string>

namespace karvo {

// "Κέρδη κλήρωσης" (Windows-1253) for the games with prize tables; nothing for the others.
std::optional<std::string> DrawPrizesMenuCaption(GameCode game);

// The date a results row shows at the end of its first cell ("  2505 30-03-2024"); invalid when
// the cell ends in no date.
QDate DateOfResultsRow(const std::string& firstCell);

struct DrawPrizesView
{
    std::string title; // "LOTTO: κλήρωση 2505 της 30-03-2024, 334.330 στήλες"
    CellGrid grid;     // row 0 the headers
};

DrawPrizesView BuildDrawPrizesView(GameCode game, const DrawPrizes& draw,
                                   const NumberFormat& format = UserNumberFormat());

} // namespace karvo
