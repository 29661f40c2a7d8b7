// The grids of the stock and fund views: the list of stored days, the selected day's securities
// or funds, and the sort by a column caption.
#pragma once

#include "market/MarketFiles.h"
#include "util/CellGrid.h"

#include <optional>
#include <string>
#include <vector>

namespace karvo {

// Columns 0 and 2-8 of a security's row from its day-file line, read as blank-separated fields in
// StockField order; returns those fields, at least up to the opening. Column 1 is left to the caller.
std::vector<std::string> FillStockColumns(CellGrid& grid, int row, const std::string& line);
// Columns 1-4 of a fund's row from its day-file line; the name column 0 is left to the caller.
void FillFundColumns(CellGrid& grid, int row, const std::string& line);

// The stored days, oldest first: row i holds i right-aligned in 5 characters, a blank and the
// day as "dd-mm-yyyy", and as its row value the day as "yyyymmdd" for StockDayGrid and
// FundDayGrid. Column 0 is hidden. The current row is the last day (row 1 when none).
CellGrid MarketDateList(const std::string& folder, MarketKind kind);

// The data grid with its captions and widths and one empty data row.
CellGrid MarketGridFrame(MarketKind kind);

// The securities of a day ("yyyymmdd", a day list's row value), each with its change against the
// previous day (empty for none). Nothing when the day's file is missing or empty: the grid shown
// stays.
std::optional<CellGrid> StockDayGrid(const std::string& folder, const std::string& compactDay,
                                     const std::string& previousCompactDay);
std::optional<CellGrid> FundDayGrid(const std::string& folder, const std::string& compactDay);
// The day of row of a MarketDateList, the stock's against the row before; none for an empty row
// or a day file that cannot be shown.
std::optional<CellGrid> MarketDayGrid(const std::string& folder, MarketKind kind, const CellGrid& days, int row);

// The change cell: 100 x now / previous - 100 as "#0.00" with a decimal point, in 7 characters;
// empty when the previous close is 0 or no number.
std::string ChangeCell(const std::string& closeNow, const std::string& closePrevious);

// Orders the data rows by column: column 0 by text, the others by number (fund figures with "."
// grouping thousands and "," before the decimals). Whole rows move.
void SortMarketRows(CellGrid& grid, int column, bool descending, MarketKind kind);

} // namespace karvo
