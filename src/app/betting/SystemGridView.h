// The calculator's two grids: every row of a core grid shown as a table row (no header), each
// cell's colour, font and alignment from the window, and one editable row.
#pragma once

#include "util/CellGrid.h"

#include <QAbstractTableModel>
#include <QTableView>
#include <functional>

namespace karvo {

class SystemGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using CellRoles = std::function<QVariant(int column, int row, int role)>;

    SystemGridModel(CellRoles roles, QObject* parent);

    const CellGrid& grid() const { return m_grid; }
    CellGrid& mutableGrid() { return m_grid; }
    void setGrid(CellGrid grid, int editableRow);
    // Shows changes made through mutableGrid().
    void refresh();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    CellGrid m_grid;
    CellRoles m_roles;
    int m_editableRow = -1;
};

// A table without headers, fixed row heights and grid lines, for the calculator window.
class SystemGridView : public QTableView
{
    Q_OBJECT
public:
    SystemGridView(SystemGridModel::CellRoles roles, QWidget* parent);
    SystemGridModel* gridModel() const { return m_model; }

private:
    SystemGridModel* m_model;
};

} // namespace karvo
