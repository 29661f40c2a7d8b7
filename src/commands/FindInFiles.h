// Find-all over the stored market day files: every line of every stock or fund day file that
// holds the search text becomes a row of the side grid, with its day.
#pragma once

#include "util/CellGrid.h"

#include <string>

namespace karvo {

// The stock day files in date order: symbol, day "yyyy-mm-dd", close, volume, high,
// low, value, trades, opening; the caption of column 1 becomes "Ημερομηνία". Returns the rows
// found, or -1 when there is no stock file (the grid is not touched then).
int FindAllInStockFiles(const std::string& folder, const std::string& searchText, CellGrid& grid);

// The fund day files in date order: day and name, assets, units, price, change.
int FindAllInFundFiles(const std::string& folder, const std::string& searchText, CellGrid& grid);

} // namespace karvo
