// The table view of the main window's grids: fixed-pitch cells, a header row in the fixed-cell
// colour, column widths and the current row taken from the core's grid.
#pragma once

#include "app/main/GridModel.h"

#include <QTableView>

namespace karvo {

class GridView : public QTableView
{
    Q_OBJECT
public:
    // pixelSize: height of the cell font; defaultWidth: columns without a width of their own.
    GridView(int pixelSize, int defaultWidth, QWidget* parent = nullptr);

    GridModel* gridModel() const { return m_model; }
    const CellGrid& grid() const { return m_model->grid(); }

    // Shows grid with its column widths and selects its current row.
    void showGrid(CellGrid grid);
    // Colours of the fixed cells (header row, fixed columns) and of the others.
    void setColours(const QColor& fixed, const QColor& cells);
    // Makes the cell (column, gridRow) current and scrolls it into view.
    void selectGridRow(int gridRow, int column);
    // The grid row of the current cell, -1 when none.
    int currentGridRow() const;

    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

private:
    GridModel* m_model;
    int m_defaultWidth;
};

// An open cell editor inside view hands its text to the model: taking the focus back to the view
// closes and commits it. Commands call this before they read the cells.
void CommitOpenEditor(QTableView* view);

} // namespace karvo
