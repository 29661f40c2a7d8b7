// The coupon's sort by a click on a column caption.
#pragma once

#include "util/CellGrid.h"

#include <span>

namespace karvo {

// Toggles directions[column] (0 ascending, 1 descending) and sorts the match rows by that column:
// the team columns by their text (Greek collation, case-insensitive, the whole row breaking ties),
// the others by the leading number of the cell. Rows with a payout come first, sorted; the rows
// without one follow in their old order. The row count does not change. A column outside the
// coupon or the flags does nothing.
void SortCoupon(CellGrid& coupon, int column, std::span<int> directions);

} // namespace karvo
