// A cell table as a workbook read leaves it, shown as one text for comparisons.
#pragma once

#include "workbook/CellTable.h"

#include <string>

namespace karvo::test {

// Columns 1 to count of rows first to last of a table laid out width cells to a row: "|" between
// cells, "\n" after each row.
inline std::string Text(const CellTable& table, int width, int first, int last, int count)
{
    std::string text;
    for (int r = first; r <= last; ++r) {
        for (int c = 1; c <= count; ++c) {
            text += table[static_cast<std::size_t>(r) * width + c] + (c < count ? "|" : "\n");
        }
    }
    return text;
}

} // namespace karvo::test
