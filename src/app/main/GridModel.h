// A cell grid on screen: the model reads the core's grid of Windows-1253 texts and decodes a cell
// only when the view asks for it, so a list of 100,000 rows costs no per-cell objects.
#pragma once

#include "util/CellGrid.h"

#include <QAbstractTableModel>
#include <QColor>
#include <functional>

namespace karvo {

// Grid row 0 is the header and becomes the horizontal header; grid row r is model row r - 1.
class GridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // The grid row that holds the captions.
    static constexpr int kHeaderRow = 0;

    explicit GridModel(QObject* parent = nullptr);

    const CellGrid& grid() const { return m_grid; }
    void setGrid(CellGrid grid);
    // Changes the grid in place and shows the result.
    void change(const std::function<void(CellGrid&)>& edit);
    // The grid itself, for commands that may only move its current row; a command that changes
    // cells or rows must call refresh() afterwards.
    CellGrid& mutableGrid() { return m_grid; }
    void refresh();

    // Columns below fixedColumns are painted in the fixed colour and never edited.
    void setFixedColumns(int count);
    int fixedColumns() const { return m_fixedColumns; }
    void setColours(const QColor& fixed, const QColor& cells);
    QColor fixedColour() const { return m_fixedColour; }
    void setEditable(bool editable);
    bool isEditable() const { return m_editable; }
    // A view's own look of its cells: returns the value of a role for (column, grid row), or an
    // invalid value to keep the default. Empty: the defaults only.
    using CellRoles = std::function<QVariant(int column, int gridRow, int role)>;
    void setCellRoles(CellRoles roles);

    static int modelRow(int gridRow) { return gridRow - 1; }
    static int gridRow(int modelRow) { return modelRow + 1; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    bool isRightAligned(int column) const;
    // Tells the views that every cell may look different now (in roles; empty: in every role).
    void allCellsChanged(const QList<int>& roles = {});

    CellGrid m_grid;
    int m_fixedColumns = 1;
    bool m_editable = false;
    QColor m_fixedColour;
    QColor m_cellColour;
    CellRoles m_cellRoles;
};

} // namespace karvo
