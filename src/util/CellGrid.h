// A grid of cell texts (Windows-1253) with a current row: what a view or command fills and the
// window shows. Row 0 is the header row, column 0 the fixed column; cells are addressed (column, row).
#pragma once

#include <string>
#include <vector>

namespace karvo {

class CellGrid
{
public:
    CellGrid() = default;
    CellGrid(int columns, int rows);

    // Drops every cell and sets the new size, all cells empty.
    void reset(int columns, int rows);
    // Changes the row count; rows that stay keep their cells, new rows are empty.
    void setRowCount(int rows);
    void setColumnCount(int columns);

    int columnCount() const { return m_columns; }
    int rowCount() const { return m_rows; }

    // Cells outside the grid read as empty; writes outside it are ignored.
    const std::string& cell(int column, int row) const;
    void setCell(int column, int row, std::string text);

    // What a row stands for where its texts only show it (a stored day behind a day list's label),
    // so that nothing reads a value back out of a label. Empty unless set; kept with the row's
    // number as rows are added or dropped at the end.
    const std::string& rowValue(int row) const;
    void setRowValue(int row, std::string value);

    // -1 when no row is current.
    int currentRow() const { return m_currentRow; }
    void setCurrentRow(int row) { m_currentRow = row; }
    int currentColumn() const { return m_currentColumn; }
    void setCurrentColumn(int column) { m_currentColumn = column; }

    // Pixel widths of the columns as the view sets them; empty means the toolkit's default.
    std::vector<int>& columnWidths() { return m_widths; }
    const std::vector<int>& columnWidths() const { return m_widths; }
    // Columns shown flush right (numbers in a proportional font); empty or false: flush left.
    std::vector<bool>& rightAligned() { return m_rightAligned; }
    const std::vector<bool>& rightAligned() const { return m_rightAligned; }

private:
    int m_columns = 0;
    int m_rows = 0;
    int m_currentRow = -1;
    int m_currentColumn = 1;
    std::vector<std::string> m_cells;     // row-major
    std::vector<std::string> m_rowValues; // grows as values are set
    std::vector<int> m_widths;
    std::vector<bool> m_rightAligned;
};

} // namespace karvo
