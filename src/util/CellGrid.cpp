#include "util/CellGrid.h"

namespace karvo {

namespace {
const std::string kEmpty;
}

CellGrid::CellGrid(int columns, int rows)
{
    reset(columns, rows);
}

void CellGrid::reset(int columns, int rows)
{
    m_columns = columns < 0 ? 0 : columns;
    m_rows = rows < 0 ? 0 : rows;
    m_cells.assign(static_cast<std::size_t>(m_columns) * static_cast<std::size_t>(m_rows), std::string());
    m_rowValues.clear();
    m_currentRow = -1;
}

void CellGrid::setRowCount(int rows)
{
    m_rows = rows < 0 ? 0 : rows;
    m_cells.resize(static_cast<std::size_t>(m_columns) * static_cast<std::size_t>(m_rows));
    if (m_rowValues.size() > static_cast<std::size_t>(m_rows)) {
        m_rowValues.resize(static_cast<std::size_t>(m_rows));
    }
    if (m_currentRow >= m_rows) {
        m_currentRow = m_rows - 1;
    }
}

void CellGrid::setColumnCount(int columns)
{
    columns = columns < 0 ? 0 : columns;
    if (columns == m_columns) {
        return;
    }
    std::vector<std::string> cells(static_cast<std::size_t>(columns) * static_cast<std::size_t>(m_rows));
    const int keep = columns < m_columns ? columns : m_columns;
    for (int r = 0; r < m_rows; ++r) {
        for (int c = 0; c < keep; ++c) {
            cells[static_cast<std::size_t>(r) * columns + c] =
                std::move(m_cells[static_cast<std::size_t>(r) * m_columns + c]);
        }
    }
    m_cells = std::move(cells);
    m_columns = columns;
}

const std::string& CellGrid::cell(int column, int row) const
{
    if (column < 0 || row < 0 || column >= m_columns || row >= m_rows) {
        return kEmpty;
    }
    return m_cells[static_cast<std::size_t>(row) * m_columns + column];
}

void CellGrid::setCell(int column, int row, std::string text)
{
    if (column < 0 || row < 0 || column >= m_columns || row >= m_rows) {
        return;
    }
    m_cells[static_cast<std::size_t>(row) * m_columns + column] = std::move(text);
}

const std::string& CellGrid::rowValue(int row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_rowValues.size()) {
        return kEmpty;
    }
    return m_rowValues[static_cast<std::size_t>(row)];
}

void CellGrid::setRowValue(int row, std::string value)
{
    if (row < 0 || row >= m_rows) {
        return;
    }
    if (static_cast<std::size_t>(row) >= m_rowValues.size()) {
        m_rowValues.resize(static_cast<std::size_t>(row) + 1);
    }
    m_rowValues[static_cast<std::size_t>(row)] = std::move(value);
}

} // namespace karvo
