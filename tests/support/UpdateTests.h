// Helpers shared by the update tests: texts laid out in a cell table as a workbook read leaves
// them, and a table shown as one text.
#pragma once

#include "support/CellTableText.h"
#include "support/TestSupport.h"
#include "support/WorkbookWriter.h"
#include "update/DrawRows.h"

namespace karvo::test {

// Rows of texts, width cells to a row, cell (r, c) at r * width + c with columns from 1.
struct Sheet
{
    CellTable table;
    int rows;
    int width;

    Sheet(const SheetRows& cells, int w)
        : rows(static_cast<int>(cells.size()))
        , width(w)
    {
        table.resetTo(static_cast<std::size_t>(rows + 1) * w + 1);
        for (std::size_t i = 0; i < cells.size() * w; ++i) {
            table.set(i + 1, i % w < cells[i / w].size() ? cells[i / w][i % w] : "");
        }
    }
    WorkbookRows view() const { return WorkbookRows{table, rows, width}; }
};

} // namespace karvo::test
