#include "commands/Search.h"

#include "util/Cp1253.h"
#include "util/Text.h"

#include <algorithm>

namespace karvo {

std::string PrepareSearchText(const std::string& typed)
{
    return ToUpper(CleanSpaces(typed, 1 + 4));
}

bool CellMatches(const std::string& cell, const std::string& searchText)
{
    if (searchText.empty() || cell.size() < searchText.size()) {
        return false;
    }
    // Compare through the casing table instead of copying every cell upper-cased: a search may
    // run over a hundred thousand rows.
    auto equal = [](char a, char b) { return UpperByte(a) == b; };
    return std::search(cell.begin(), cell.end(), searchText.begin(), searchText.end(), equal) != cell.end();
}

int FindRow(const CellGrid& grid, const std::string& searchText, int fromRow)
{
    if (searchText.empty()) {
        return -1;
    }
    for (int r = std::max(fromRow, 1); r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.columnCount(); ++c) {
            if (CellMatches(grid.cell(c, r), searchText)) {
                return r;
            }
        }
    }
    return -1;
}

bool MoveToMatch(CellGrid& grid, const std::string& searchText, int fromRow)
{
    int row = FindRow(grid, searchText, fromRow);
    if (row < 0) {
        return false;
    }
    grid.setCurrentRow(row);
    return true;
}

int KeepMatchingRows(CellGrid& grid, const std::string& searchText)
{
    int count = 0;
    for (int r = 1; r < grid.rowCount(); ++r) {
        bool match = false;
        for (int c = 0; c < grid.columnCount() && !match; ++c) {
            match = CellMatches(grid.cell(c, r), searchText);
        }
        if (!match) {
            continue;
        }
        ++count;
        if (count != r) {
            for (int c = 0; c < grid.columnCount(); ++c) {
                grid.setCell(c, count, grid.cell(c, r));
            }
        }
    }
    grid.setRowCount(count + 1);
    return count;
}

} // namespace karvo
