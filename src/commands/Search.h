// Searching the shown list: a row matches when the upper-cased text of one of its cells contains
// the search text. Accents count; letter case does not.
#pragma once

#include "util/CellGrid.h"

#include <string>

namespace karvo {

// What the user typed, trimmed and upper-cased, as it is kept between searches.
std::string PrepareSearchText(const std::string& typed);

// True when the upper-cased cell contains searchText (already upper-cased). Empty never matches.
bool CellMatches(const std::string& cell, const std::string& searchText);

// First data row at or after fromRow (rows from 1; row 0 is the header) with a matching cell in
// any column; -1 when none. The search stops at the last row, it does not wrap.
int FindRow(const CellGrid& grid, const std::string& searchText, int fromRow);

// Moves the current row to the first match from fromRow; false, and the grid unchanged, if none.
bool MoveToMatch(CellGrid& grid, const std::string& searchText, int fromRow);

// Keeps only the matching data rows, in their order; returns how many were kept.
int KeepMatchingRows(CellGrid& grid, const std::string& searchText);

} // namespace karvo
