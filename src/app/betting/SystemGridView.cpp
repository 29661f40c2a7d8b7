#include "app/betting/SystemGridView.h"

#include "util/Cp1253.h"

#include <QHeaderView>

namespace karvo {

SystemGridModel::SystemGridModel(CellRoles roles, QObject* parent)
    : QAbstractTableModel(parent)
    , m_roles(std::move(roles))
{
}

void SystemGridModel::setGrid(CellGrid grid, int editableRow)
{
    beginResetModel();
    m_grid = std::move(grid);
    m_editableRow = editableRow;
    endResetModel();
}

void SystemGridModel::refresh()
{
    if (rowCount() > 0 && columnCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
}

int SystemGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_grid.rowCount();
}

int SystemGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_grid.columnCount();
}

QVariant SystemGridModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return QVariant();
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        return ToQString(m_grid.cell(index.column(), index.row()));
    }
    return m_roles ? m_roles(index.column(), index.row(), role) : QVariant();
}

Qt::ItemFlags SystemGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.row() == m_editableRow) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

bool SystemGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) {
        return false;
    }
    m_grid.setCell(index.column(), index.row(), FromQString(value.toString()));
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

SystemGridView::SystemGridView(SystemGridModel::CellRoles roles, QWidget* parent)
    : QTableView(parent)
    , m_model(new SystemGridModel(std::move(roles), this))
{
    setModel(m_model);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setWordWrap(false);
    // A caption as wide as its column ("ΚΩΔ" in 45 pixels) is cut at the edge, not shortened to "…".
    setTextElideMode(Qt::ElideNone);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

} // namespace karvo
