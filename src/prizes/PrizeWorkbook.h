// The prize tables of a results workbook: a second reading of the file the draws come from. After
// a draw's numbers the operator lists the columns played ("ΣΥΝΟΛΟ ΣΤΗΛΩΝ") and a pair of columns a
// prize category, winners ("ΕΠΙΤΥΧΙΕΣ" or "ΕΠ/ΧΙΕΣ") and the amount per winner ("ΚΕΡΔΗ"), with
// the category named in the header row above the pair. Categories changed over the years, so
// each is read by its header, never by its place.
#pragma once

#include "prizes/PrizeTable.h"
#include "workbook/CellTable.h"

#include <string>
#include <vector>

namespace karvo {

// The games whose workbooks may carry prize tables: the draw games but KINO, whose prizes are
// fixed multiples of the stake.
bool HasPrizeTables(GameCode game);

// The draws of a read workbook of width columns a row (cell (row, column) at row × width +
// column, columns from 1), newest first as the operator lists them. A workbook without prize
// columns has none. source names the workbook in messages. Throws KarvoError (UTF-8, naming the
// game, the workbook and the cause) for a category header the game does not have and for a cell
// that is neither a number, nor "-", nor "ΤΖΑΚ-ΠΟΤ".
std::vector<DrawPrizes> PrizeTablesOf(GameCode game, const CellTable& table, int rowCount, int width,
                                      const std::string& source);

// Reads the workbook at path (Windows-1253 name) for its prize tables; KarvoError as above and
// for a file that is not a workbook.
std::vector<DrawPrizes> ReadPrizeWorkbook(GameCode game, const std::string& path);

} // namespace karvo
